#include "qt/hand_over_listener.h"
#include "qt/instance_directory.h"
#include "qt/single_instance.h"
#include "qt/unix_socket.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace drovane;
namespace fs = std::filesystem;

namespace {

class SingleInstance : public ::testing::Test {
protected:
    void SetUp() override {
        directory = fs::temp_directory_path() /
                    ("instance_" + std::to_string(::getpid()) + "_" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(directory);
    }
    void TearDown() override { fs::remove_all(directory); }

    // A process that takes the lock and keeps it until killed.
    pid_t startHolder() const {
        int ready[2];
        EXPECT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            const InstanceLock lock(directory);
            const char role = lock.role() == InstanceLock::Role::First ? 'F' : 'S';
            [[maybe_unused]] const auto written = ::write(ready[1], &role, 1);
            for (;;) {
                ::pause();
            }
        }
        ::close(ready[1]);
        char role = 0;
        EXPECT_EQ(::read(ready[0], &role, 1), 1);
        EXPECT_EQ(role, 'F');
        ::close(ready[0]);
        return child;
    }

    static void kill(pid_t child) {
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }

    static mode_t modeOf(const fs::path& path) {
        struct stat info {};
        EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
        return info.st_mode;
    }

    // Runs `body` as the user nobody in a child; returns its exit code.
    static int asOtherUser(const std::function<int()>& body) {
        const pid_t child = ::fork();
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
                ::_exit(100);
            }
            ::_exit(body());
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path directory;
};

} // namespace

TEST_F(SingleInstance, ALiveHolderMakesEveryOtherStartTheSecond) {
    const pid_t first = startHolder();
    EXPECT_EQ(InstanceLock(directory).role(), InstanceLock::Role::Second);
    EXPECT_EQ(InstanceLock(directory).role(), InstanceLock::Role::Second);
    kill(first);
}

TEST_F(SingleInstance, AKilledInstanceLeavesNoLockBehind) {
    kill(startHolder());
    EXPECT_TRUE(fs::exists(directory / "drovane.lock"));
    const InstanceLock next(directory);
    EXPECT_EQ(next.role(), InstanceLock::Role::First);
    EXPECT_EQ(InstanceLock(directory).role(), InstanceLock::Role::Second);
}

TEST_F(SingleInstance, AStaleSocketOfAKilledInstanceIsReplaced) {
    const InstanceLock lock(directory);
    // What a killed instance leaves: the socket file, nobody listening.
    ASSERT_EQ(::mknod(handOverSocketPath(directory).c_str(), S_IFSOCK | 0600, 0), 0);
    EXPECT_EQ(sendHandOver(directory, "/nc/P1.nc"), HandOverResult::NoListener);
    const HandOverListener listener(directory);
    ASSERT_TRUE(listener.listening());
    EXPECT_EQ(sendHandOver(directory, "/nc/P1.nc"), HandOverResult::Sent);
    EXPECT_TRUE(listener.acceptOwnUser().valid());
}

TEST_F(SingleInstance, NobodyListeningMeansNothingIsSent) {
    ASSERT_TRUE(preparePrivateDirectory(directory));
    EXPECT_EQ(sendHandOver(directory, "/nc/P1.nc"), HandOverResult::NoListener);
}

TEST_F(SingleInstance, TheFolderAndTheSocketArePrivateToTheUser) {
    fs::create_directories(directory);
    ::chmod(directory.c_str(), 0777); // left open by someone: tightened
    const InstanceLock lock(directory);
    const HandOverListener listener(directory);
    ASSERT_TRUE(listener.listening());
    EXPECT_EQ(modeOf(directory) & 07777, 0700u);
    const mode_t socketMode = modeOf(handOverSocketPath(directory));
    EXPECT_TRUE(S_ISSOCK(socketMode));
    EXPECT_EQ(socketMode & 07777, 0600u);
    EXPECT_EQ(modeOf(directory / "drovane.lock") & 07777, 0600u);

    if (::getuid() != 0) {
        GTEST_SKIP() << "checking another user needs root";
    }
    const fs::path dir = directory;
    EXPECT_EQ(asOtherUser([&] { return static_cast<int>(sendHandOver(dir, "/tmp/evil.nc")); }),
              static_cast<int>(HandOverResult::Failed));
    EXPECT_FALSE(listener.acceptOwnUser().valid());
}

TEST_F(SingleInstance, AnotherUsersConnectionIsClosedUnreadEvenWhenTheFolderIsOpen) {
    if (::getuid() != 0) {
        GTEST_SKIP() << "acting as another user needs root";
    }
    ASSERT_TRUE(preparePrivateDirectory(directory));
    const HandOverListener listener(directory);
    ASSERT_TRUE(listener.listening());
    ::chmod(directory.c_str(), 0777);
    ::chmod(handOverSocketPath(directory).c_str(), 0666);
    const auto path = handOverSocketPath(directory);
    EXPECT_EQ(
        asOtherUser([&] {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            const auto address = unixSocketAddress(path);
            if (::connect(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0) {
                return 1;
            }
            return sendAll(fd, std::string_view("/tmp/evil.nc\0", 13)) ? 0 : 2;
        }),
        0);
    EXPECT_FALSE(listener.acceptOwnUser().valid());
    ASSERT_EQ(sendHandOver(directory, "/nc/P1.nc"), HandOverResult::Sent);
    EXPECT_TRUE(listener.acceptOwnUser().valid());
}

TEST_F(SingleInstance, APlantedLinkIsNoPrivateFolder) {
    fs::create_directories(directory);
    fs::create_directory_symlink(directory, directory.string() + "_link");
    EXPECT_FALSE(preparePrivateDirectory(directory.string() + "_link"));
    fs::remove(directory.string() + "_link");
}

TEST(HandOverMessageText, RunsToTheFirstNulAndNotBeyond) {
    HandOverMessage split;
    EXPECT_FALSE(split.add("/nc/mit "));
    EXPECT_TRUE(split.add(std::string_view("Blank.nc\0/etc/passwd", 20)));
    EXPECT_TRUE(split.add("more"));
    EXPECT_EQ(split.text(), "/nc/mit Blank.nc");

    HandOverMessage empty;
    EXPECT_TRUE(empty.add(std::string_view("\0", 1)));
    EXPECT_EQ(empty.text(), "");

    HandOverMessage unterminated;
    EXPECT_FALSE(unterminated.add("/nc/P1"));
    EXPECT_EQ(unterminated.text(), "/nc/P1");
    EXPECT_FALSE(unterminated.complete());
}
