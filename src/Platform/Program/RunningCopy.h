#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class QLocalServer;

namespace tessarin {

// One running copy of the program per settings file. The copy that runs holds a lock named
// after its settings file (it goes with the process, so a crashed copy never blocks the next
// start) and listens beside it; a second start for the same file asks that copy to come forward,
// as reopening a running application does, instead of running beside it.
class RunningCopy {
public:
    enum class Claim {
        claimed,       // this start runs: no other copy holds the file
        heldElsewhere, // another copy runs with this settings file
        unknown,       // no lock could be made (no runtime folder): run, as before
    };

    // The folder for the lock and the socket: $XDG_RUNTIME_DIR when it is an absolute path to a
    // folder, else the system's temporary folder.
    static std::filesystem::path runtimeFolder();

    // Claims `settingsFile` for this process; a claimed copy calls `reopen` on the main thread
    // each time a later start asks it to come forward, for as long as it lives.
    RunningCopy(const std::filesystem::path& settingsFile, std::function<void()> reopen,
                std::filesystem::path folder = runtimeFolder());
    RunningCopy(const RunningCopy&) = delete;
    RunningCopy& operator=(const RunningCopy&) = delete;
    ~RunningCopy();

    Claim claim() const { return claim_; }

    // Asks the copy holding the file to come forward; true once it answered that it did. Waits at
    // most `wait`, also for a copy that has the lock but is not listening yet.
    bool askToComeForward(std::chrono::milliseconds wait) const;

    // The same settings file named another way (through a link, "..") gives the same names.
    const std::filesystem::path& lockFile() const { return lockFile_; }
    const std::filesystem::path& socketFile() const { return socketFile_; }

private:
    void listen();
    void answer();

    std::function<void()> reopen_;
    std::filesystem::path lockFile_;
    std::filesystem::path socketFile_;
    int lockFd_ = -1;
    Claim claim_ = Claim::unknown;
    std::unique_ptr<QLocalServer> server_;
};

} // namespace tessarin
