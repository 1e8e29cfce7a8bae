// Every test program carries its own leak suppressions, so a suite run directly suppresses the
// same as under CTest: the system libraries the toolkit loads keep caches for the whole process.
extern "C" const char* __lsan_default_suppressions() { // NOLINT(bugprone-reserved-identifier)
    return "leak:libfontconfig\nleak:libdbus\n";
}
