// The hand-over between two starts: which window a second start picks, what
// travels in WM_COPYDATA, and what the first instance takes from it.

#include "win32/hand_over_message.h"
#include "win32/hand_over_path.h"
#include "win32/hand_over_send.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace drovane {
namespace {

TEST(HandOver, OnlyTheExactTitleNamesTheRunningInstance) {
    const struct {
        const wchar_t* title;
        bool matches;
    } cases[] = {
        {L"Drovane", true},    {L"Drovane   ", true}, {L"drovane", false},
        {L" Drovane", false},  {L"Drovane 2", false}, {L"Drovan", false},
        {L"Drovane\t", false}, {L"", false},          {L"   ", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isInstanceTitle(c.title), c.matches) << '"' << testing::PrintToString(c.title);
    }
}

TEST(HandOver, TheTextEndsAtTheFirstNulAndNeverPassesTheGivenSize) {
    char bytes[] = {'P', '1', '.', 'n', 'c', '\0', 'X', 'Y'};
    const struct {
        DWORD size;
        void* data;
        std::string text;
    } cases[] = {
        {8, bytes, "P1.nc"}, {6, bytes, "P1.nc"},
        {3, bytes, "P1."}, // no NUL within the size: the size ends it
        {0, bytes, ""},      {1, &bytes[5], ""},
        {4, nullptr, ""},
    };
    for (const auto& c : cases) {
        COPYDATASTRUCT data{};
        data.cbData = c.size;
        data.lpData = c.data;
        EXPECT_EQ(handOverText(data), c.text) << c.size;
    }
}

TEST(HandOver, OnlyCopyDataCarriesAText) {
    char bytes[] = "\xE4.nc";
    COPYDATASTRUCT data{};
    data.cbData = sizeof bytes;
    data.lpData = bytes;
    const auto address = reinterpret_cast<LPARAM>(&data);
    EXPECT_EQ(handOverFromMessage(WM_COPYDATA, address), std::optional<std::string>("\xE4.nc"));
    EXPECT_EQ(handOverFromMessage(WM_SETTEXT, address), std::nullopt);
    EXPECT_EQ(handOverFromMessage(WM_COPYDATA, 0), std::nullopt);
}

// A top-level window of this process that records the WM_COPYDATA it gets.
class RecordingWindow {
public:
    explicit RecordingWindow(const wchar_t* title, const wchar_t* className = MainWindowClass) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &RecordingWindow::procedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = className;
        ::RegisterClassW(&windowClass);
        window_ = ::CreateWindowExW(0, windowClass.lpszClassName, title, WS_OVERLAPPEDWINDOW, 0, 0,
                                    100, 100, nullptr, nullptr, windowClass.hInstance, this);
    }
    ~RecordingWindow() { ::DestroyWindow(window_); }
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;
    RecordingWindow(RecordingWindow&&) = delete;
    RecordingWindow& operator=(RecordingWindow&&) = delete;

    HWND handle() const { return window_; }
    struct Received {
        ULONG_PTR tag;
        std::string bytes;
    };
    const std::vector<Received>& received() const { return received_; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            ::SetWindowLongPtrW(window, GWLP_USERDATA,
                                reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<RecordingWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_COPYDATA && self != nullptr) {
            const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            self->received_.push_back(
                {data.dwData, std::string(static_cast<const char*>(data.lpData), data.cbData)});
            return TRUE;
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
    std::vector<Received> received_;
};

TEST(HandOver, TheInstanceWindowGetsTheBytesAndOneNulWithTagZero) {
    const RecordingWindow other(L"Drovane Hilfe");
    const RecordingWindow first(L"Drovane  ");
    ASSERT_NE(other.handle(), nullptr) << ::GetLastError();
    ASSERT_NE(first.handle(), nullptr) << ::GetLastError();
    const struct {
        std::string parameter;
        std::string bytes;
    } cases[] = {
        {"C:\\NC\\P1.nc", std::string("C:\\NC\\P1.nc\0", 12)},
        {"C:\\Pr\xFC"
         "fung 1.nc",
         std::string("C:\\Pr\xFC"
                     "fung 1.nc\0",
                     16)},
        {"", std::string("\0", 1)}, // an empty parameter is sent all the same
    };
    for (const auto& c : cases) {
        ASSERT_EQ(sendHandOver(c.parameter), HandOverResult::Sent);
        ASSERT_FALSE(first.received().empty());
        EXPECT_EQ(first.received().back().tag, 0U);
        EXPECT_EQ(first.received().back().bytes, c.bytes);
    }
    EXPECT_EQ(first.received().size(), std::size(cases));
    EXPECT_TRUE(other.received().empty());
}

// Made later, the box lies above the main window and is found first.
TEST(HandOver, AMessageBoxTitledLikeTheWindowDoesNotTakeTheFile) {
    const RecordingWindow main(L"Drovane");
    const RecordingWindow box(L"Drovane", L"HandOverTestBox");
    ASSERT_EQ(sendHandOver("P1.nc"), HandOverResult::Sent);
    EXPECT_TRUE(box.received().empty());
    EXPECT_EQ(main.received().size(), 1U);
}

TEST(HandOver, ASecondStartSkipsItsOwnWindowAndFindsNoneElse) {
    const RecordingWindow own(L"Drovane");
    EXPECT_EQ(sendHandOver("P1.nc", own.handle()), HandOverResult::NoWindow);
    EXPECT_TRUE(own.received().empty());
}

TEST(HandOver, WithoutAnInstanceWindowNothingIsSent) {
    const RecordingWindow lookalike(L"drovane");
    EXPECT_EQ(sendHandOver("P1.nc"), HandOverResult::NoWindow);
    EXPECT_TRUE(lookalike.received().empty());
}

TEST(HandOver, ARelativeStartFileTravelsAsAWholePath) {
    const std::filesystem::path before = std::filesystem::current_path();
    ASSERT_NE(SetCurrentDirectoryW(L"C:\\windows\\system32"), FALSE);
    const struct {
        std::string parameter;
        std::string sent;
    } cases[] = {
        {"P2.nc", "C:\\windows\\system32\\P2.nc"},
        {"..\\Pr\xFC"
         "fung\\P3.nc",
         "C:\\windows\\Pr\xFC"
         "fung\\P3.nc"},
        {"C:\\NC\\P1.nc", "C:\\NC\\P1.nc"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(handOverPath(c.parameter), c.sent) << c.parameter;
    }
    std::filesystem::current_path(before);
}

} // namespace
} // namespace drovane
