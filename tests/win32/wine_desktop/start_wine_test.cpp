// The Windows program's process level under Wine on a virtual display: a
// second start hands its file to the first and ends, a fault ends in the
// "Programmfehler" box, and the system's boxes speak German.

#include "shared_desktop.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace drovane::testing {
namespace {

namespace fs = std::filesystem;

std::string hex(std::string_view bytes) {
    std::string text;
    for (const char byte : bytes) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned char>(byte));
        text += digits;
    }
    return text.empty() ? "-" : text;
}

class WineStart : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(desktop() != nullptr && desktop()->ready()); }

    static WineDesktop* desktop() { return sharedDesktop(); }

    static std::unique_ptr<CliChild> startInstance(const std::vector<std::string>& arguments) {
        return desktop()->start(desktop()->windowsProgram("win32_instance_probe.exe"), arguments);
    }
};

// The time the second start spent from its entry to its end, from "ended MS".
long spentBy(const std::string& output) {
    const auto at = output.find("ended ");
    return at == std::string::npos ? -1 : std::atol(output.c_str() + at + 6);
}

TEST_F(WineStart, ASecondStartHandsItsFileToTheFirstAndEnds) {
    const auto first = startInstance({"C:\\NC\\P1.nc"});
    ASSERT_TRUE(first->waitForOutput("ready\n", wineLimit)) << first->out() << first->err();
    EXPECT_NE(first->out().find("parameter " + hex("C:\\NC\\P1.nc") + "\n"), std::string::npos);

    const auto window = desktop()->findWindow("Drovane", wineLimit);
    ASSERT_TRUE(window.has_value());
    EXPECT_EQ(desktop()->titleOf(*window), "Drovane");
    const fs::path picture = desktop()->screenshot(*window, "first_instance");
    ASSERT_FALSE(picture.empty());
    EXPECT_GT(fs::file_size(picture), 0U);

    const struct {
        std::vector<std::string> arguments;
        std::string sent; // without its NUL
    } cases[] = {
        {{"C:\\NC Pr\xC3\xBC"
          "fung\\P2.nc"},
         "C:\\NC Pr\xFC"
         "fung\\P2.nc"},
        {{"C:\\NC\\P3.nc", "C:\\NC\\P4.nc"}, "C:\\NC\\P3.nc"},
        {{}, ""},
    };
    for (const auto& c : cases) {
        const auto second = startInstance(c.arguments);
        ASSERT_EQ(second->wait(wineLimit), 0) << second->err();
        // From its entry to its end; Wine's own start is not the program's.
        const long spent = spentBy(second->out());
        EXPECT_GE(spent, 0) << second->out();
        EXPECT_LT(spent, 1000) << second->out();
        EXPECT_EQ(second->out().find("ready"), std::string::npos) << "a second window opened";
        const std::string expected =
            "copydata 0 " + hex(c.sent + std::string(1, '\0')) + "\nhandover " + hex(c.sent) + "\n";
        EXPECT_TRUE(first->waitForOutput(expected, wineLimit)) << first->out();
    }
    // Closing the window ends the first instance, with code 0.
    ASSERT_TRUE(desktop()->closeWindow("Drovane"));
    EXPECT_EQ(first->wait(wineLimit), 0) << first->err();
}

TEST_F(WineStart, ASecondStartThatFindsNoWindowEndsAllTheSame) {
    ::setenv("DROVANE_PROBE_WINDOW", "untitled", 1);
    const auto first = startInstance({"C:\\NC\\P1.nc"});
    ::unsetenv("DROVANE_PROBE_WINDOW");
    ASSERT_TRUE(first->waitForOutput("ready\n", wineLimit)) << first->out() << first->err();

    const auto second = startInstance({"C:\\NC\\P2.nc"});
    ASSERT_EQ(second->wait(wineLimit), 0) << second->err();
    const long spent = spentBy(second->out());
    EXPECT_GE(spent, 0) << second->out();
    EXPECT_LT(spent, 1000) << second->out();
    EXPECT_EQ(second->out().find("ready"), std::string::npos) << "a second window opened";
    EXPECT_EQ(first->out().find("copydata"), std::string::npos) << first->out();
    ASSERT_TRUE(desktop()->closeWindow("Drovane startet"));
    EXPECT_EQ(first->wait(wineLimit), 0) << first->err();
}

struct BoxCase {
    const char* fault;
    const char* text;
};

TEST_F(WineStart, EveryFaultEndsInTheProgrammfehlerBoxAndExitCodeZero) {
    const BoxCase cases[] = {
        {"access", "Invalid memory access Zeile: 4711"},
        {"divide", "Division by zero  Zeile: 4711"},
        {"overflow", "Stack overflow Zeile: 4711"},
        {"bad_alloc", "AllocateMemory fehlgeschlagen!  Zeile: 4711"},
        {"fatal7", "Funktionsaufruf fehlgeschlagen!  Zeile: 4711"},
        {"fatal8", "AllocateMemory fehlgeschlagen!  Zeile: 4711"},
        {"foreign", "Unknown error code Zeile: 4711"},
        {"abort", "Unknown error code Zeile: 4711"},
    };
    for (const auto& c : cases) {
        const auto faulting =
            desktop()->start(desktop()->windowsProgram("win32_fault_probe.exe"), {c.fault});
        const WindowContent box = desktop()->readWindow("Programmfehler", "OK");
        EXPECT_TRUE(box.found) << c.fault;
        EXPECT_EQ(box.texts, std::vector<std::string>{c.text}) << c.fault;
        EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"}) << c.fault;
        EXPECT_TRUE(box.pressed) << c.fault;
        EXPECT_EQ(faulting->wait(wineLimit), 0) << c.fault << faulting->err();
        EXPECT_EQ(faulting->out().find("survived"), std::string::npos) << c.fault;
    }
}

TEST_F(WineStart, AWindowThatCannotOpenIsFault7) {
    ::setenv("DROVANE_PROBE_WINDOW", "fail", 1);
    const auto first = startInstance({});
    ::unsetenv("DROVANE_PROBE_WINDOW");
    const WindowContent box = desktop()->readWindow("Programmfehler", "OK");
    EXPECT_EQ(box.texts, std::vector<std::string>{"Funktionsaufruf fehlgeschlagen!  Zeile: 123"});
    EXPECT_TRUE(box.pressed);
    EXPECT_EQ(first->wait(wineLimit), 0) << first->err();
}

TEST_F(WineStart, TheSystemsQuestionBoxAnswersInGerman) {
    const struct {
        const char* press;
        const char* answer;
    } cases[] = {{"Ja", "answer yes\n"}, {"Nein", "answer no\n"}};
    for (const auto& c : cases) {
        const auto asking = desktop()->start(desktop()->windowsProgram("win32_window_probe.exe"),
                                             {"ask", "Drovane Frage", "Programm speichern?"});
        const WindowContent box = desktop()->readWindow("Drovane Frage", c.press);
        EXPECT_EQ(box.texts, std::vector<std::string>{"Programm speichern?"});
        EXPECT_EQ(box.buttons, (std::vector<std::string>{"Ja", "Nein"}));
        ASSERT_EQ(asking->wait(wineLimit), 0);
        EXPECT_EQ(asking->out(), c.answer);
    }
}

} // namespace
} // namespace drovane::testing
