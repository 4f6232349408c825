// Files handed over by later starts: applied at once, or held while a job
// runs or a dialog is open, the newest only.

#include "window/hand_over_inbox.h"
#include "window/mode_switch.h"
#include "window_logic_fixture.h"

namespace drovane::testing {
namespace {

using Outcome = HandOverInbox::Outcome;

class HandOverInboxTest : public WindowLogicTest {
protected:
    HandOverInboxTest() {
        for (const char* name : {"A.nc", "B.nc", "C.nc"}) {
            put(name, std::string("program ") + name);
        }
    }

    bool dialogOpen_ = false;
    HandOverInbox inbox_{state_, view_, programs_, [this] {
                             return dialogOpen_;
                         }};
};

TEST_F(HandOverInboxTest, AFileIsOpenedInSendModeAtOnce) {
    switchMode(state_, view_, Mode::Receive);
    EXPECT_EQ(inbox_.receive(folder("A.nc")), Outcome::Applied);
    EXPECT_EQ(state_.mode, Mode::Send);
    EXPECT_EQ(view_.text("FileButton"), "Programm laden");
    EXPECT_EQ(state_.programText, "program A.nc");
    EXPECT_EQ(view_.text("FileNameField"), "A.nc");
    EXPECT_EQ(inbox_.receive(""), Outcome::Nothing);
    EXPECT_EQ(state_.programText, "program A.nc");
}

TEST_F(HandOverInboxTest, OnlyTheNewestWaitsForTheJobAndTheDialog) {
    const struct {
        const char* what;
        std::function<void()> hold;
        std::function<void()> release;
    } holders[] = {
        {"job", [this] { holdJob(); },
         [this] {
             endHeldJob();
         }},
        {"job shown in the window", [this] { state_.jobInWindow = true; },
         [this] {
             state_.jobInWindow = false;
         }},
        {"dialog", [this] { dialogOpen_ = true; },
         [this] {
             dialogOpen_ = false;
         }},
    };
    for (const auto& holder : holders) {
        SCOPED_TRACE(holder.what);
        state_.programText = "before";
        holder.hold();
        EXPECT_EQ(inbox_.receive(folder("B.nc")), Outcome::Held);
        EXPECT_EQ(inbox_.receive(folder("C.nc")), Outcome::Held);
        EXPECT_EQ(inbox_.retry(), Outcome::Held);
        EXPECT_EQ(state_.programText, "before");
        holder.release();
        EXPECT_EQ(inbox_.retry(), Outcome::Applied);
        EXPECT_EQ(state_.programText, "program C.nc");
        EXPECT_FALSE(inbox_.waiting().has_value());
        EXPECT_EQ(inbox_.retry(), Outcome::Nothing);
    }
}

// Applied at the job's end, a held file cleared the log, and the operator
// never read that the job was aborted.
TEST_F(HandOverInboxTest, AFileHeldDuringAJobKeepsTheJobsLastLinesAboveIt) {
    const std::vector<std::string> loaded{"CNC-Programm geladen."};
    view_.status = {"alt"};
    EXPECT_EQ(inbox_.receive(folder("A.nc")), Outcome::Applied);
    EXPECT_EQ(view_.status, loaded) << "a file handed over while idle starts afresh";

    holdJob();
    EXPECT_EQ(inbox_.receive(folder("B.nc")), Outcome::Held);
    view_.status.emplace_back("\xC3\x9C"
                              "bertragung vorzeitig abgebrochen.");
    endHeldJob();
    EXPECT_EQ(inbox_.retry(), Outcome::Applied);
    EXPECT_EQ(view_.status, (std::vector<std::string>{"CNC-Programm geladen.",
                                                      "\xC3\x9C"
                                                      "bertragung vorzeitig abgebrochen.",
                                                      "CNC-Programm geladen."}));
}

} // namespace
} // namespace drovane::testing
