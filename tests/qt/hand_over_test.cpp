#include "qt/hand_over_receiver.h"
#include "qt/single_instance.h"
#include "qt/unix_socket.h"
#include "test_application.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QSignalSpy>
#include <sys/socket.h>

using namespace drovane;
namespace fs = std::filesystem;

namespace {

class HandOver : public ::testing::Test {
protected:
    static void SetUpTestSuite() { drovane::testing::ensureApplication(); }
    void SetUp() override {
        directory = fs::temp_directory_path() /
                    ("handover_" + std::to_string(::getpid()) + "_" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(directory);
    }
    void TearDown() override { fs::remove_all(directory); }

    // Starts the program a second time; returns what it printed.
    QString secondStart(const QStringList& parameters) const {
        QProcess process;
        process.start(QStringLiteral(SECOND_START_PROGRAM),
                      QStringList{QString::fromStdString(directory.string())} + parameters);
        EXPECT_TRUE(process.waitForFinished(5000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0);
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    }

    static QStringList received(QSignalSpy& spy, int count) {
        while (spy.count() < count && spy.wait(3000)) {
        }
        QStringList paths;
        for (const auto& arguments : spy) {
            paths << arguments.at(0).toString();
        }
        return paths;
    }

    fs::path directory;
};

} // namespace

TEST_F(HandOver, ASecondStartHandsItsFileToTheFirstAndEnds) {
    const InstanceLock lock(directory);
    ASSERT_EQ(lock.role(), InstanceLock::Role::First);
    HandOverReceiver receiver(directory);
    ASSERT_TRUE(receiver.listening());
    QSignalSpy spy(&receiver, &HandOverReceiver::handedOver);

    EXPECT_EQ(secondStart({QStringLiteral("/nc/Welle mit Blank.nc")}), "sent");
    EXPECT_EQ(secondStart({QString::fromUtf8("\"/nc/in Anf\xC3\xBChrung.nc\"")}), "sent");
    EXPECT_EQ(secondStart({QStringLiteral("\"/nc/auf"), QStringLiteral("zwei.nc\"")}), "sent");
    EXPECT_EQ(received(spy, 3), (QStringList{QStringLiteral("/nc/Welle mit Blank.nc"),
                                             QString::fromUtf8("/nc/in Anf\xC3\xBChrung.nc"),
                                             QStringLiteral("/nc/auf zwei.nc")}));
}

TEST_F(HandOver, AnEmptyParameterChangesNothing) {
    const InstanceLock lock(directory);
    HandOverReceiver receiver(directory);
    QSignalSpy spy(&receiver, &HandOverReceiver::handedOver);

    EXPECT_EQ(secondStart({}), "sent");
    EXPECT_EQ(secondStart({QString()}), "sent");
    // A later hand-over marks the end: the empty ones before it gave nothing.
    EXPECT_EQ(secondStart({QStringLiteral("/nc/P1.nc")}), "sent");
    EXPECT_EQ(received(spy, 1), QStringList{QStringLiteral("/nc/P1.nc")});
}

TEST_F(HandOver, WithoutAListeningFirstInstanceNothingIsSent) {
    const InstanceLock stillStarting(directory);
    EXPECT_EQ(secondStart({QStringLiteral("/nc/P1.nc")}), "no listener");
}

TEST_F(HandOver, WithoutAFirstInstanceTheStartIsTheFirst) {
    EXPECT_EQ(secondStart({QStringLiteral("/nc/P1.nc")}), "first");
}

TEST_F(HandOver, OnlyTheBytesBeforeTheNulCountAndAClosedSenderEndsTheText) {
    const InstanceLock lock(directory);
    HandOverReceiver receiver(directory);
    QSignalSpy spy(&receiver, &HandOverReceiver::handedOver);
    const auto address = unixSocketAddress(handOverSocketPath(directory));
    const auto sendRaw = [&](std::string_view bytes) {
        const UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
        ASSERT_EQ(
            ::connect(fd.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address), 0);
        ASSERT_TRUE(sendAll(fd.get(), bytes));
    };
    sendRaw(std::string_view("/nc/P1.nc\0/nc/hinter.nc", 23));
    sendRaw("/nc/ohne Null.nc");
    EXPECT_EQ(received(spy, 2),
              (QStringList{QStringLiteral("/nc/P1.nc"), QStringLiteral("/nc/ohne Null.nc")}));
}
