#include "Platform/Program/RunningCopy.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace tessarin {

namespace {

constexpr char kRequest[] = "come-forward\n";
constexpr char kAnswer[] = "forward\n";
constexpr auto kConnectRetry = std::chrono::milliseconds(50);

// A settings file named through links or ".." is the same file.
std::string settingsName(const std::filesystem::path& file) {
    std::error_code error;
    auto canonical = std::filesystem::weakly_canonical(file, error);
    if (error) {
        canonical = std::filesystem::absolute(file, error).lexically_normal();
    }
    const QByteArray hash = QCryptographicHash::hash(QByteArray::fromStdString(canonical.string()),
                                                     QCryptographicHash::Sha256);
    return "tessarin-" + std::to_string(::getuid()) + "-" + hash.toHex().left(16).toStdString();
}

} // namespace

std::filesystem::path RunningCopy::runtimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code error;
    if (runtime && std::filesystem::path(runtime).is_absolute() &&
        std::filesystem::is_directory(runtime, error)) {
        return runtime;
    }
    return QDir::tempPath().toStdString();
}

RunningCopy::RunningCopy(const std::filesystem::path& settingsFile, std::function<void()> reopen,
                         std::filesystem::path folder)
    : reopen_(std::move(reopen)) {
    const std::string name = settingsName(settingsFile);
    lockFile_ = folder / (name + ".lock");
    socketFile_ = folder / (name + ".socket");
    lockFd_ = ::open(lockFile_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lockFd_ < 0) {
        return;
    }
    int locked = -1;
    do {
        locked = ::flock(lockFd_, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        claim_ = errno == EWOULDBLOCK ? Claim::heldElsewhere : Claim::unknown;
        return;
    }
    claim_ = Claim::claimed;
    listen();
}

RunningCopy::~RunningCopy() {
    if (server_) {
        server_->close(); // removes the socket file
    }
    if (lockFd_ >= 0) {
        ::close(lockFd_);
    }
}

void RunningCopy::listen() {
    // Holding the lock, no live copy owns a socket left here: it is a crashed copy's.
    QLocalServer::removeServer(QString::fromStdString(socketFile_.string()));
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(QString::fromStdString(socketFile_.string()))) {
        server_.reset(); // still the running copy; a later start is then told it did not answer
        return;
    }
    QObject::connect(server_.get(), &QLocalServer::newConnection, [this] { answer(); });
}

void RunningCopy::answer() {
    while (QLocalSocket* connection = server_->nextPendingConnection()) {
        QObject::connect(connection, &QLocalSocket::disconnected, connection,
                         &QObject::deleteLater);
        QObject::connect(connection, &QLocalSocket::readyRead, connection, [this, connection] {
            if (!connection->canReadLine()) {
                return;
            }
            if (connection->readLine() == kRequest) {
                if (reopen_) {
                    reopen_();
                }
                connection->write(kAnswer);
                connection->flush();
            }
            connection->disconnectFromServer();
        });
    }
}

bool RunningCopy::askToComeForward(std::chrono::milliseconds wait) const {
    const QDeadlineTimer deadline(wait);
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(QString::fromStdString(socketFile_.string()));
        if (socket.waitForConnected(
                static_cast<int>(std::max<qint64>(deadline.remainingTime(), 0)))) {
            break;
        }
        if (deadline.hasExpired()) {
            return false;
        }
        std::this_thread::sleep_for(kConnectRetry); // the copy is still starting up
    }
    socket.write(kRequest);
    if (!socket.waitForBytesWritten(
            static_cast<int>(std::max<qint64>(deadline.remainingTime(), 0)))) {
        return false;
    }
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(static_cast<int>(
                                         std::max<qint64>(deadline.remainingTime(), 0)))) {
            return false;
        }
    }
    return socket.readLine() == kAnswer;
}

} // namespace tessarin
