// The toolkit's font cache is filled once per process and never freed; ctest does not always
// hand the suppressions file over, so the UI suite carries the same rules itself.
extern "C" const char* __lsan_default_suppressions() { // NOLINT(bugprone-reserved-identifier)
    return "leak:libfontconfig\nleak:libdbus\n";
}
