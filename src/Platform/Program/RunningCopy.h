#pragma once

#include "Platform/Program/RunningCopyFolder.h"
#include "Support/Clock.h"

#include <QTimer>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

class QSocketNotifier;

namespace tessarin {

class RunningCopyServer;

// One running copy of the program per settings file. The copy that runs holds a lock named
// after its settings file (it goes with the process, so a crashed copy never blocks the next
// start) and listens beside it; a second start for the same file asks that copy to come forward,
// as reopening a running application does, instead of running beside it. Only what is the
// user's own is believed: a lock, socket or answer of anyone else turns the guard off, with one
// line that says so, and the program runs.
class RunningCopy {
public:
    enum class Claim {
        claimed,       // this start runs: no other copy holds the file
        heldElsewhere, // another copy runs with this settings file
        unguarded,     // the guard cannot work here (see `doubt`): run, without it
    };

    // Claims `settingsFile` for this process; a claimed copy calls `reopen` on the main thread
    // each time a later start asks it to come forward, for as long as it lives.
    RunningCopy(const std::filesystem::path& settingsFile, std::function<void()> reopen,
                RunningCopyFolder folder = RunningCopyFolder::forProcess());
    RunningCopy(const RunningCopy&) = delete;
    RunningCopy& operator=(const RunningCopy&) = delete;
    ~RunningCopy();

    Claim claim() const { return claim_; }
    // Why the guard is off, when it is.
    const std::string& doubt() const { return doubt_; }

    // Asks the copy holding the file to come forward; true once it answered that it did. Waits at
    // most `wait`, also for a copy that has the lock but is not listening yet. An answer counts
    // only from a socket and a process of the user's.
    bool askToComeForward(std::chrono::milliseconds wait) const;

    // Whether a copy holds `settingsFile` now, found without claiming it: a run that never
    // claims (a snapshot run) must not keep a start made at that moment from its claim.
    static bool runsElsewhere(const std::filesystem::path& settingsFile,
                              const RunningCopyFolder& folder = RunningCopyFolder::forProcess());

    // The same settings file named another way (through a link, "..") gives the same names.
    const std::filesystem::path& lockFile() const { return lockFile_; }
    const std::filesystem::path& socketFile() const { return socketFile_; }

private:
    std::string claimLock();
    void unguarded(const std::filesystem::path& settingsFile, std::string doubt);
    // Serves the socket and then waits, through the event loop, for what it waits on next.
    void serve();

    std::function<void()> reopen_;
    std::filesystem::path lockFile_;
    std::filesystem::path socketFile_;
    int lockFd_ = -1;
    Claim claim_ = Claim::unguarded;
    std::string doubt_;
    SystemClock clock_;
    std::unique_ptr<RunningCopyServer> server_;
    std::map<int, std::unique_ptr<QSocketNotifier>> notifiers_;
    QTimer deadline_;
};

} // namespace tessarin
