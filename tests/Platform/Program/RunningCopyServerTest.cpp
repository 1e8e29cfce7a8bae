#include "Platform/Program/RunningCopyServer.h"

#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

class TestClock final : public Clock {
public:
    TimeInterval absoluteTime() const override { return now; }
    TimeInterval uptime() const override { return now; }
    TimeInterval now = 1000.0;
};

// A peer's end of a connection to the server.
class Peer {
public:
    explicit Peer(const fs::path& socketFile) : fd_(::socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, socketFile.c_str(), sizeof address.sun_path - 1);
        connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    Peer(const Peer&) = delete;
    Peer& operator=(const Peer&) = delete;
    ~Peer() { ::close(fd_); }

    bool connected() const { return connected_; }
    void send(const std::string& text) const {
        ::send(fd_, text.data(), text.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    }
    // What the server sent so far, without waiting.
    std::string received() const {
        std::string text;
        char bytes[256];
        ssize_t got = 0;
        while ((got = ::recv(fd_, bytes, sizeof bytes, MSG_DONTWAIT)) > 0) {
            text.append(bytes, static_cast<std::size_t>(got));
        }
        return text;
    }
    // Everything the server sends, until it closes its end.
    std::string receivedUntilClosed() const {
        std::string text;
        char bytes[256];
        ssize_t got = 0;
        while ((got = ::recv(fd_, bytes, sizeof bytes, 0)) > 0) {
            text.append(bytes, static_cast<std::size_t>(got));
        }
        return text;
    }
    // Whether the server closed its end (everything it sent already read).
    bool closedByServer() const {
        char byte = 0;
        const ssize_t got = ::recv(fd_, &byte, 1, MSG_DONTWAIT);
        return got == 0 || (got < 0 && errno == ECONNRESET);
    }

private:
    int fd_;
    bool connected_ = false;
};

class RunningCopyServerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    RunningCopyServer::Answer answer = [this](std::string_view line) {
        lines.emplace_back(line);
        return std::optional<std::string>("forward");
    };

    QTemporaryDir folder;
    fs::path socketFile = fs::path(folder.path().toStdString()) / "copy.socket";
    TestClock clock;
    std::vector<std::string> lines;
};

TEST_F(RunningCopyServerTest, AnswersALineAndClosesTheConnection) {
    RunningCopyServer server(socketFile, clock, answer);
    ASSERT_TRUE(server.isListening()) << server.error();
    const Peer peer(socketFile);
    ASSERT_TRUE(peer.connected());
    peer.send("come-forward\n");
    server.service();
    EXPECT_EQ(lines, std::vector<std::string>{"come-forward"});
    EXPECT_EQ(peer.received(), "forward\n");
    EXPECT_TRUE(peer.closedByServer());
    EXPECT_EQ(server.connectionCount(), 0u);
}

// A line with no end is never buffered past the bound, however much is pushed.
TEST_F(RunningCopyServerTest, DropsALineLongerThanItsBound) {
    RunningCopyServer server(socketFile, clock, answer);
    const Peer peer(socketFile);
    peer.send(std::string(64, 'x'));
    server.service();
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(server.connectionCount(), 0u);
    EXPECT_TRUE(peer.closedByServer());
}

TEST_F(RunningCopyServerTest, DropsAConnectionThatSendsNoLineWithinASecond) {
    RunningCopyServer server(socketFile, clock, answer);
    const Peer silent(socketFile);
    const Peer partial(socketFile);
    server.service();
    partial.send("come-");
    clock.now += 0.5;
    server.service();
    ASSERT_EQ(server.connectionCount(), 2u);
    EXPECT_EQ(server.nextDeadline(), 1001.0);
    clock.now = 1000.999;
    server.service();
    EXPECT_EQ(server.connectionCount(), 2u);
    clock.now = 1001.0;
    server.service();
    EXPECT_EQ(server.connectionCount(), 0u);
    EXPECT_TRUE(silent.closedByServer());
    EXPECT_TRUE(partial.closedByServer());
    EXPECT_EQ(server.nextDeadline(), std::nullopt);
    EXPECT_TRUE(lines.empty());
}

TEST_F(RunningCopyServerTest, KeepsAtMostSixteenConnectionsOpen) {
    RunningCopyServer server(socketFile, clock, answer);
    std::vector<std::unique_ptr<Peer>> peers;
    for (int i = 0; i < 20; ++i) {
        peers.push_back(std::make_unique<Peer>(socketFile));
    }
    server.service();
    EXPECT_EQ(server.connectionCount(), 16u);
    EXPECT_EQ(std::count_if(peers.begin(), peers.end(),
                            [](const auto& peer) { return peer->closedByServer(); }),
              4);
    // The held ones go after their second; the next start is served.
    clock.now += 1.0;
    server.service();
    const Peer later(socketFile);
    later.send("come-forward\n");
    server.service();
    EXPECT_EQ(later.received(), "forward\n");
}

TEST_F(RunningCopyServerTest, ListensAgainAfterAnAcceptFails) {
    struct Row {
        const char* name;
        int error;
    };
    const Row rows[] = {
        {"no descriptor left in the process", EMFILE},
        {"no descriptor left in the system", ENFILE},
        {"the listening socket broke", EINVAL},
    };
    for (const Row& row : rows) {
        int failures = 1;
        RunningCopyServer server(socketFile, clock, answer, {}, [&failures, &row](int listening) {
            if (failures > 0) {
                --failures;
                errno = row.error;
                return -1;
            }
            return ::accept4(listening, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        });
        const Peer first(socketFile);
        first.send("come-forward\n");
        server.service();
        clock.now += 0.1;
        server.service();
        const Peer second(socketFile);
        second.send("come-forward\n");
        server.service();
        EXPECT_TRUE(server.isListening()) << row.name;
        EXPECT_TRUE(fs::exists(fs::symlink_status(socketFile))) << row.name;
        EXPECT_EQ(second.received(), "forward\n") << row.name;
    }
}

// Others may not even connect: the socket is the user's alone.
TEST_F(RunningCopyServerTest, TheSocketIsOpenToTheUserAlone) {
    RunningCopyServer server(socketFile, clock, answer);
    ASSERT_TRUE(server.isListening()) << server.error();
    struct stat status {};
    ASSERT_EQ(::lstat(socketFile.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
}

// The system's address holds 107 bytes and the ending zero: a longer path is refused, never cut.
TEST_F(RunningCopyServerTest, RefusesASocketPathTheAddressCannotHold) {
    const std::size_t room = sizeof(sockaddr_un::sun_path);
    const fs::path base = fs::path(folder.path().toStdString()) / "";
    ASSERT_LT(base.native().size(), room - 1);
    const struct {
        const char* name;
        std::size_t bytes;
        bool listens;
    } rows[] = {{"the longest it holds", room - 1, true}, {"one byte more", room, false}};
    for (const auto& row : rows) {
        const fs::path path = base.native() + std::string(row.bytes - base.native().size(), 's');
        RunningCopyServer server(path, clock, answer);
        EXPECT_EQ(server.isListening(), row.listens) << row.name;
        EXPECT_EQ(server.error(), row.listens ? "" : "the socket path is longer than 107 bytes")
            << row.name;
    }
}

// Out of descriptors or memory, the same socket waits a while before it takes connections again,
// rather than being woken at once by the connection still waiting.
TEST_F(RunningCopyServerTest, PausesTakingConnectionsWhileShortOfDescriptors) {
    const int rows[] = {EMFILE, ENFILE, ENOBUFS, ENOMEM};
    for (const int error : rows) {
        int failures = 1;
        RunningCopyServer server(socketFile, clock, answer, {}, [&failures, error](int listening) {
            if (failures > 0) {
                --failures;
                errno = error;
                return -1;
            }
            return ::accept4(listening, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        });
        struct stat listened {};
        ::lstat(socketFile.c_str(), &listened);
        const Peer peer(socketFile);
        peer.send("come-forward\n");
        server.service();
        EXPECT_TRUE(server.descriptors().empty()) << std::strerror(error);
        EXPECT_EQ(server.nextDeadline(), clock.now + 0.1) << std::strerror(error);
        struct stat now {};
        ::lstat(socketFile.c_str(), &now);
        EXPECT_EQ(now.st_ino, listened.st_ino) << std::strerror(error);
        clock.now += 0.1;
        server.service();
        EXPECT_EQ(peer.received(), "forward\n") << std::strerror(error);
    }
}

TEST_F(RunningCopyServerTest, RemovesOnlyItsOwnSocket) {
    {
        RunningCopyServer server(socketFile, clock, answer);
        EXPECT_TRUE(fs::is_socket(socketFile));
    }
    EXPECT_FALSE(fs::exists(fs::symlink_status(socketFile)));
    {
        RunningCopyServer server(socketFile, clock, answer);
        fs::remove(socketFile);
        std::ofstream(socketFile) << "another copy's";
    }
    EXPECT_TRUE(fs::is_regular_file(socketFile));
}

TEST_F(RunningCopyServerTest, TurnsAwayAPeerOfAnotherUser) {
    if (::getuid() != 0) {
        GTEST_SKIP() << "only the superuser can be another user";
    }
    RunningCopyServer server(socketFile, clock, answer);
    ::chmod(folder.path().toStdString().c_str(), 0755);
    ::chmod(socketFile.c_str(), 0666);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ready[0]);
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
            ::_exit(3);
        }
        const Peer peer(socketFile);
        if (!peer.connected()) {
            ::_exit(4);
        }
        peer.send("come-forward\n");
        (void)::write(ready[1], "x", 1);
        // Told nothing: the server closed the connection without an answer.
        ::_exit(peer.receivedUntilClosed().empty() ? 0 : 1);
    }
    ::close(ready[1]);
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    server.service();
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(server.connectionCount(), 0u);
    ::close(ready[0]);
}

} // namespace
} // namespace tessarin
