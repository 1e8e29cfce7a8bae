#include "Platform/Program/RunningCopy.h"

#include "Platform/Program/HeldFileLocks.h"
#include "Platform/Program/RunningCopyServer.h"
#include "Platform/Program/RunningCopySocketAddress.h"
#include "Platform/Program/RunningCopyTrust.h"
#include "Support/Logger.h"
#include "Support/Text.h"

#include <QCryptographicHash>
#include <QSocketNotifier>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace tessarin {

namespace {

constexpr char kRequest[] = "come-forward";
constexpr char kAnswer[] = "forward";
constexpr std::size_t kAnswerBytes = 64;
constexpr auto kConnectRetry = std::chrono::milliseconds(50);

const Logger& logger() {
    static const Logger instance("RunningCopy");
    return instance;
}

// Waits until `fd` is ready for `events` or the deadline passed.
bool readyBy(int fd, short events, std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() < 0) {
            return false;
        }
        pollfd waiting{fd, events, 0};
        const int ready = ::poll(&waiting, 1, static_cast<int>(left.count()));
        if (ready > 0) {
            return true;
        }
        if (ready == 0 || errno != EINTR) {
            return false;
        }
    }
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }

private:
    int fd_;
};

// A connection on a non-blocking socket, made by the deadline.
bool connectedBy(int fd, const sockaddr_un& address,
                 std::chrono::steady_clock::time_point deadline) {
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        return true;
    }
    if (errno != EINPROGRESS || !readyBy(fd, POLLOUT, deadline)) {
        return false; // EAGAIN: the queue is full, and the next try may find room
    }
    int error = 0;
    socklen_t size = sizeof error;
    return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
}

enum class Asked { answered, refused, noAnswer };

// One try: the copy's answer line, or why there is none.
Asked askOnce(const std::filesystem::path& socketFile,
              std::chrono::steady_clock::time_point deadline) {
    const uid_t user = ::getuid();
    const RunningCopyFileFacts found = RunningCopyFileFacts::at(socketFile.c_str());
    if (found.kind == RunningCopyFileFacts::Kind::missing) {
        return Asked::noAnswer; // not listening yet
    }
    if (!RunningCopyTrust::trustsSocket(found, user)) {
        return Asked::refused;
    }
    const std::optional<sockaddr_un> address = runningCopySocketAddress(socketFile);
    if (!address) {
        return Asked::refused;
    }
    // Never blocking: a stopped copy's full queue would hold a blocking connect past any
    // deadline.
    const Descriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (socket.get() < 0 || !connectedBy(socket.get(), *address, deadline)) {
        return Asked::noAnswer;
    }
    if (!RunningCopyTrust::trustsPeer(runningCopySocketPeer(socket.get()), user)) {
        return Asked::refused;
    }
    const std::string request = std::string(kRequest) + "\n";
    if (::send(socket.get(), request.data(), request.size(), MSG_NOSIGNAL) !=
        static_cast<ssize_t>(request.size())) {
        return Asked::noAnswer;
    }
    std::string answer;
    while (answer.size() < kAnswerBytes && answer.find('\n') == std::string::npos) {
        if (!readyBy(socket.get(), POLLIN, deadline)) {
            return Asked::noAnswer;
        }
        char bytes[kAnswerBytes];
        const ssize_t got = ::recv(socket.get(), bytes, kAnswerBytes - answer.size(), 0);
        if (got <= 0) {
            return Asked::noAnswer; // closed: turned away while it was busy, perhaps
        }
        answer.append(bytes, static_cast<std::size_t>(got));
    }
    return answer == std::string(kAnswer) + "\n" ? Asked::answered : Asked::refused;
}

} // namespace

RunningCopy::RunningCopy(const std::filesystem::path& settingsFile, std::function<void()> reopen,
                         RunningCopyFolder folder)
    : reopen_(std::move(reopen)) {
    const std::string name = RunningCopyFolder::nameFor(settingsFile);
    lockFile_ = folder.path / (name + ".lock");
    socketFile_ = folder.path / (name + ".socket");
    deadline_.setSingleShot(true);
    QObject::connect(&deadline_, &QTimer::timeout, [this] { serve(); });
    if (!folder.doubt.empty()) {
        unguarded(settingsFile, "the folder " + folder.path.string() + " " + folder.doubt);
        return;
    }
    if (std::string doubt = claimLock(); !doubt.empty()) {
        unguarded(settingsFile, std::move(doubt));
    }
}

bool RunningCopy::runsElsewhere(const std::filesystem::path& settingsFile,
                                const RunningCopyFolder& folder) {
    const auto lockFile = folder.path / (RunningCopyFolder::nameFor(settingsFile) + ".lock");
    return folder.doubt.empty() &&
           RunningCopyTrust::doubtAboutLock(RunningCopyFileFacts::at(lockFile.c_str()), ::getuid())
               .empty() &&
           flockHeldOn(lockFile);
}

std::string RunningCopy::claimLock() {
    if (!runningCopySocketAddress(socketFile_)) {
        return socketPathTooLong();
    }
    // Never through a link, never waiting on a FIFO someone put there.
    lockFd_ =
        ::open(lockFile_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (lockFd_ < 0) {
        return errno == ELOOP ? std::string("the lock is a link")
                              : std::string("the lock cannot be opened: ") + std::strerror(errno);
    }
    const uid_t user = ::getuid();
    struct stat status {};
    if (::fstat(lockFd_, &status) != 0) {
        return std::string("the lock cannot be read: ") + std::strerror(errno);
    }
    if (std::string doubt =
            RunningCopyTrust::doubtAboutLock(RunningCopyFileFacts::of(status), user);
        !doubt.empty()) {
        return doubt;
    }
    if (std::string doubt = RunningCopyTrust::doubtAboutSocketPath(
            RunningCopyFileFacts::at(socketFile_.c_str()), user);
        !doubt.empty()) {
        return doubt;
    }
    int locked = -1;
    do {
        locked = ::flock(lockFd_, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        if (errno == EWOULDBLOCK) {
            claim_ = Claim::heldElsewhere;
            return {};
        }
        return std::string("the lock cannot be taken: ") + std::strerror(errno);
    }
    // Holding the lock, no live copy owns a socket left here: it is a crashed copy's.
    server_ = std::make_unique<RunningCopyServer>(
        socketFile_, clock_, [this](std::string_view line) -> std::optional<std::string> {
            if (line != kRequest) {
                return std::nullopt;
            }
            if (reopen_) {
                reopen_();
            }
            return std::string(kAnswer);
        });
    if (!server_->isListening()) {
        std::string doubt = server_->error();
        server_.reset();
        return doubt;
    }
    claim_ = Claim::claimed;
    serve();
    return {};
}

void RunningCopy::unguarded(const std::filesystem::path& settingsFile, std::string doubt) {
    // A later start must not find a lock held by a copy that cannot answer.
    if (lockFd_ >= 0) {
        ::close(lockFd_);
        lockFd_ = -1;
    }
    claim_ = Claim::unguarded;
    doubt_ = std::move(doubt);
    logger().error(
        "runningCopy.unguarded settingsFile=" + escapingUnprintable(settingsFile.string()) +
        " reason=" + escapingUnprintable(doubt_) + " running=without the guard");
}

RunningCopy::~RunningCopy() {
    for (auto& [fd, notifier] : notifiers_) {
        notifier->setEnabled(false);
    }
    notifiers_.clear();
    server_.reset(); // removes its own socket file
    if (lockFd_ >= 0) {
        ::close(lockFd_);
    }
}

void RunningCopy::serve() {
    server_->service();
    const std::vector<int> wanted = server_->descriptors();
    // A notifier is kept for its descriptor's number, which a later connection may get again:
    // one whose signal runs this is never deleted under it.
    for (auto& [fd, notifier] : notifiers_) {
        notifier->setEnabled(std::find(wanted.begin(), wanted.end(), fd) != wanted.end());
    }
    for (const int fd : wanted) {
        if (notifiers_.count(fd) == 0) {
            auto notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
            QObject::connect(notifier.get(), &QSocketNotifier::activated, [this] { serve(); });
            notifiers_.emplace(fd, std::move(notifier));
        }
    }
    if (const auto next = server_->nextDeadline()) {
        const double left = std::max(0.0, *next - clock_.uptime());
        deadline_.start(static_cast<int>(std::ceil(left * 1000.0)));
    } else {
        deadline_.stop();
    }
}

bool RunningCopy::askToComeForward(std::chrono::milliseconds wait) const {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        switch (askOnce(socketFile_, deadline)) {
        case Asked::answered:
            return true;
        case Asked::refused:
            return false;
        case Asked::noAnswer:
            break;
        }
        if (std::chrono::steady_clock::now() + kConnectRetry > deadline) {
            return false;
        }
        std::this_thread::sleep_for(kConnectRetry); // the copy is still starting up, or busy
    }
}

} // namespace tessarin
