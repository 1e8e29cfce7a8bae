#include "Platform/Program/RunningCopy.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <future>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class RunningCopyTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    // Asks from another thread, as another process would, while this thread's loop answers.
    bool askFromElsewhere(const RunningCopy& asking, std::chrono::milliseconds wait) {
        auto answered = std::async(std::launch::async,
                                   [&asking, wait] { return asking.askToComeForward(wait); });
        while (answered.wait_for(10ms) != std::future_status::ready) {
            QCoreApplication::processEvents();
        }
        return answered.get();
    }

    int argc = 1;
    char name[5] = "test";
    char* argv[2] = {name, nullptr};
    QCoreApplication application{argc, argv};
    QTemporaryDir folder;
    fs::path runtime = fs::path(folder.path().toStdString()) / "run";
    fs::path settings = fs::path(folder.path().toStdString()) / "config" / "defaults.json";
};

TEST_F(RunningCopyTest, ASecondStartFindsTheFirstAndBringsItForward) {
    fs::create_directories(runtime);
    int reopened = 0;
    RunningCopy first(
        settings, [&] { ++reopened; }, runtime);
    ASSERT_EQ(first.claim(), RunningCopy::Claim::claimed);
    RunningCopy second(
        settings, [] {}, runtime);
    ASSERT_EQ(second.claim(), RunningCopy::Claim::heldElsewhere);
    EXPECT_TRUE(askFromElsewhere(second, 10s));
    EXPECT_EQ(reopened, 1);
    EXPECT_TRUE(askFromElsewhere(second, 10s));
    EXPECT_EQ(reopened, 2);
}

TEST_F(RunningCopyTest, OtherSettingsFilesRunSideBySide) {
    fs::create_directories(runtime);
    RunningCopy first(settings, {}, runtime);
    RunningCopy other(settings.parent_path() / "other.json", {}, runtime);
    EXPECT_EQ(first.claim(), RunningCopy::Claim::claimed);
    EXPECT_EQ(other.claim(), RunningCopy::Claim::claimed);
    EXPECT_NE(first.lockFile(), other.lockFile());
}

TEST_F(RunningCopyTest, TheSameFileNamedAnotherWayIsTheSameClaim) {
    fs::create_directories(runtime);
    fs::create_directories(settings.parent_path());
    fs::create_directory_symlink(settings.parent_path(),
                                 settings.parent_path().parent_path() / "link");
    RunningCopy first(settings, {}, runtime);
    const RunningCopy throughLink(
        settings.parent_path().parent_path() / "link" / "." / settings.filename(), {}, runtime);
    EXPECT_EQ(throughLink.claim(), RunningCopy::Claim::heldElsewhere);
}

// A copy that ended, even by a crash, leaves nothing that blocks the next start.
TEST_F(RunningCopyTest, AnEndedCopyLeavesTheFileFree) {
    fs::create_directories(runtime);
    fs::path socket;
    {
        RunningCopy ended(settings, {}, runtime);
        socket = ended.socketFile();
    }
    std::ofstream(socket) << "left by a crashed copy";
    int reopened = 0;
    RunningCopy next(
        settings, [&] { ++reopened; }, runtime);
    EXPECT_EQ(next.claim(), RunningCopy::Claim::claimed);
    const RunningCopy asking(settings, {}, runtime);
    EXPECT_TRUE(askFromElsewhere(asking, 10s));
    EXPECT_EQ(reopened, 1);
}

TEST_F(RunningCopyTest, ACopyThatNeverAnswersIsGivenUpOnAfterTheWait) {
    fs::create_directories(runtime);
    RunningCopy first(settings, {}, runtime);
    const RunningCopy second(settings, {}, runtime);
    fs::remove(first.socketFile()); // listening nowhere
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(askFromElsewhere(second, 300ms));
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
}

TEST_F(RunningCopyTest, WithoutAFolderForTheLockTheStartRuns) {
    const RunningCopy copy(settings, {}, runtime / "missing");
    EXPECT_EQ(copy.claim(), RunningCopy::Claim::unknown);
}

} // namespace
} // namespace tessarin
