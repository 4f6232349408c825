// The job framework: one worker thread at a time, the abort request that
// wakes a pausing job, the settings texts a job turns into line settings.

#include "job_rig.h"
#include "transfer/job_settings.h"
#include "transfer/send_job.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace drovane {
namespace {

using std::chrono::seconds;

TEST(TransferJobTest, RunsOneJobAtATimeAndStartsAnewWhenItEnded) {
    AbortRequest abort;
    TransferJob job(abort);
    std::atomic<int> runs{0};
    ASSERT_TRUE(job.start([&] {
        ++runs;
        abort.waitFor(seconds(30)); // until the second press
    }));
    EXPECT_TRUE(job.running());
    EXPECT_FALSE(job.start([&] { ++runs; }));

    abort.raise(); // the second press
    job.wait();
    EXPECT_FALSE(job.running());
    EXPECT_EQ(runs.load(), 1);

    // A third press: the request of the last run is cleared first.
    bool sawAbort = true;
    ASSERT_TRUE(job.start([&] {
        ++runs;
        sawAbort = abort.raised();
    }));
    job.wait();
    EXPECT_EQ(runs.load(), 2);
    EXPECT_FALSE(sawAbort);
}

TEST(TransferJobTest, WhatTheEndReportsComesAfterTheJobHasEnded) {
    AbortRequest abort;
    TransferJob job(abort);
    std::atomic<int> runningAtEnd{-1};
    ASSERT_TRUE(job.start([] {}, [&] { runningAtEnd = job.running() ? 1 : 0; }));
    job.wait();
    EXPECT_EQ(runningAtEnd.load(), 0);
}

TEST(TransferJobTest, GoingAwayStopsAJobThatWouldWriteItsLeaderForHours) {
    JobRig rig;
    SettingsSnapshot controls = defaultControls();
    controls.leaderCountField = "2000000000";
    {
        TransferJob job(rig.abort);
        ASSERT_TRUE(job.start([&] { SendJob(rig.context, controls, "G1").run(); }));
        ASSERT_TRUE(rig.console.waitFor("caption Abbrechen"));
        // Leaving the scope must end the job, not wait for the leader.
    }
    EXPECT_LT(rig.far.received().size(), 2'000'000'000U);
    EXPECT_EQ(rig.console.count("log Übertragung vorzeitig abgebrochen."), 1U);
    EXPECT_FALSE(rig.far.isOpen());
}

TEST(AbortRequestTest, RaiseWakesAPausingThreadAtOnce) {
    AbortRequest abort;
    EXPECT_FALSE(abort.waitFor(std::chrono::milliseconds(1)));
    std::thread raiser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        abort.raise();
    });
    // Would sleep for the whole hour without the wake-up.
    EXPECT_TRUE(abort.waitFor(std::chrono::hours(1)));
    raiser.join();
    EXPECT_FALSE(abort.shuttingDown());
    abort.clear();
    EXPECT_FALSE(abort.raised());
}

TEST(JobSettingsTest, ParityAndHandshakeNamesAreExactOthersFallBack) {
    EXPECT_EQ(parityCode("NOPARITY"), 0);
    EXPECT_EQ(parityCode("ODDPARITY"), 1);
    EXPECT_EQ(parityCode("EVENPARITY"), 2);
    EXPECT_EQ(parityCode("MARKPARITY"), 3);
    EXPECT_EQ(parityCode("SPACEPARITY"), 4);
    EXPECT_EQ(parityCode("evenparity"), 0);
    EXPECT_EQ(parityCode("EVENPARITY "), 0);
    EXPECT_EQ(handshakeCode("RTSHANDSHAKE"), Handshake::RtsHandshake);
    EXPECT_EQ(handshakeCode("RTS/CTS"), Handshake::RtsCts);
    EXPECT_EQ(handshakeCode("XON/XOFF"), Handshake::XonXoff);
    EXPECT_EQ(handshakeCode("xon/xoff"), Handshake::NoHandshake);
    EXPECT_EQ(handshakeCode(""), Handshake::NoHandshake);
}

TEST(JobSettingsTest, TheControlsBecomeTheLineSettings) {
    SettingsSnapshot controls = defaultControls();
    controls.portCombo = "ttyUSB0";
    controls.baudCombo = "19200";
    controls.dataBitsCombo = "7";
    controls.stopBitsCombo = "1.5";
    controls.parityCombo = "EVENPARITY";
    controls.handshakeCombo = "RTS/CTS";
    controls.receiveBufferCombo = "$1000";
    controls.sendBufferCombo = "2048";
    const SerialSettings s = serialSettingsFrom(controls);
    EXPECT_EQ(s.portName, "ttyUSB0");
    EXPECT_EQ(s.baudRate, 19200);
    EXPECT_EQ(s.dataBits, 7);
    EXPECT_DOUBLE_EQ(s.stopBits, 1.5);
    EXPECT_EQ(s.parity, 2);
    EXPECT_EQ(s.handshake, Handshake::RtsCts);
    EXPECT_EQ(s.inputBufferSize, 4096);
    EXPECT_EQ(s.outputBufferSize, 2048);
    // Only the low 32 bits of a number count.
    EXPECT_EQ(number32("4294967297"), 1);
    EXPECT_EQ(endCharacter("300"), 0x2C);
}

} // namespace
} // namespace drovane
