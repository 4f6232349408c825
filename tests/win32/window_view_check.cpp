#include "window_fixture.h"

#include "win32/message_params.h"
#include "win32/program_text_view.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <commctrl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

using namespace drovane;

namespace {

std::string programLines(std::size_t bytes) {
    std::string text;
    text.reserve(bytes + 16);
    for (int number = 10; text.size() < bytes; number += 10) {
        text += "N" + std::to_string(number) + " G01 X12.5 Y-3 F200\r\n";
    }
    return text;
}

std::wstring editorText(HWND editor) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(editor)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(editor, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The editor's font in the editor's device context, for placing clicks.
class EditorDc {
public:
    explicit EditorDc(HWND editor)
        : editor_(editor), dc_(GetDC(editor)),
          previous_(
              SelectObject(dc_, fromInteger<HGDIOBJ>(SendMessageW(editor, WM_GETFONT, 0, 0)))) {}
    ~EditorDc() {
        SelectObject(dc_, previous_);
        ReleaseDC(editor_, dc_);
    }
    EditorDc(const EditorDc&) = delete;
    EditorDc& operator=(const EditorDc&) = delete;

    // Just right of the boundary before `column`, nearer to it than to the next.
    int columnX(std::wstring_view line, std::size_t column) const {
        SIZE size{};
        GetTextExtentPoint32W(dc_, line.data(), static_cast<int>(column), &size);
        return ProgramTextView::Margin + static_cast<int>(size.cx) + 1;
    }

private:
    HWND editor_;
    HDC dc_;
    HGDIOBJ previous_;
};

class ClipboardReading {
public:
    ClipboardReading() : open_(OpenClipboard(nullptr) != 0) {}
    ~ClipboardReading() {
        if (open_) {
            CloseClipboard();
        }
    }
    ClipboardReading(const ClipboardReading&) = delete;
    ClipboardReading& operator=(const ClipboardReading&) = delete;

    std::wstring text() const {
        HANDLE data = open_ ? GetClipboardData(CF_UNICODETEXT) : nullptr;
        const auto* chars =
            data == nullptr ? nullptr : static_cast<const wchar_t*>(GlobalLock(data));
        if (chars == nullptr) {
            return L"<no text on the clipboard>";
        }
        std::wstring text(chars);
        GlobalUnlock(data);
        return text;
    }

private:
    bool open_;
};

std::wstring copied(HWND editor) {
    SendMessageW(editor, WM_COPY, 0, 0);
    return ClipboardReading().text();
}

void pressWithControl(HWND editor, WPARAM key) {
    std::array<BYTE, 256> keys{};
    GetKeyboardState(keys.data());
    std::array<BYTE, 256> before = keys;
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys.data());
    SendMessageW(editor, WM_KEYDOWN, key, 0);
    SetKeyboardState(before.data());
}

// A picture of the control as drawn, kept in the temporary folder.
void keepPicture(HWND control, const wchar_t* name) {
    RECT client{};
    GetClientRect(control, &client);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = client.right;
    header.biHeight = client.bottom;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const int stride = (client.right * 3 + 3) & ~3;
    std::string pixels(static_cast<std::size_t>(stride) * client.bottom, '\0');
    HDC dc = GetDC(control);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    GetDIBits(memory, bitmap, 0, client.bottom, pixels.data(),
              reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(control, dc);
    const BITMAPFILEHEADER file{
        0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(header) + pixels.size()), 0, 0,
        sizeof(BITMAPFILEHEADER) + sizeof(header)};
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    std::ofstream out(std::filesystem::path(folder) / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&header), sizeof(header));
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
}

} // namespace

TEST_F(WindowTest, TheEditorCopiesWhatWasMarkedUntilTheMarkOrTheTextIsCleared) {
    HWND editor = control("ProgramEditor");
    const std::wstring_view lines[] = {L"%", L"N10 G01 X12.5", L"N20 M30"};
    SendMessageW(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"%\r\nN10 G01 X12.5\r\nN20 M30"));
    const int row = ProgramTextView::of(editor)->lineHeight();
    RECT client{};
    GetClientRect(editor, &client);
    ASSERT_GE(client.bottom, 3 * row) << "the three lines must be in view";
    const EditorDc dc(editor);
    const auto mouse = [&](UINT message, WPARAM keys, std::size_t line, std::size_t column) {
        const int x = dc.columnX(lines[line], column);
        const int y = static_cast<int>(line) * row + row / 2;
        SendMessageW(editor, message, keys, MAKELPARAM(x, y));
    };

    mouse(WM_LBUTTONDOWN, MK_LBUTTON, 1, 4);
    mouse(WM_MOUSEMOVE, MK_LBUTTON, 2, 1);
    mouse(WM_MOUSEMOVE, MK_LBUTTON, 2, 3);
    mouse(WM_LBUTTONUP, 0, 2, 3);
    EXPECT_EQ(copied(editor), L"G01 X12.5\r\nN20");
    // Shift+click moves the far end, here to before the anchor.
    mouse(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, 0, 0);
    mouse(WM_LBUTTONUP, 0, 0, 0);
    mouse(WM_MOUSEMOVE, 0, 2, 7); // the button is up: marks nothing
    EXPECT_EQ(copied(editor), L"%\r\nN10 ");

    // A cleared mark copies nothing: the clipboard keeps what it had.
    pressWithControl(editor, 'A');
    view->clearEditorSelection();
    EXPECT_EQ(copied(editor), L"%\r\nN10 ");
    pressWithControl(editor, 'A');
    EXPECT_EQ(copied(editor), L"%\r\nN10 G01 X12.5\r\nN20 M30");
    SendMessageW(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"N99"));
    EXPECT_EQ(copied(editor), L"%\r\nN10 G01 X12.5\r\nN20 M30");
}

TEST_F(WindowTest, TheEditorShowsWindows1252BytesWithOneBreakPerLineEnd) {
    view->appendEditor("%\nO1001 (W\xE4lzfr\xE4ser \x80)\r"); // bytes, not UTF-8
    view->appendEditor("\nN10 M30\r\n");
    window->programEditor().finish();
    EXPECT_EQ(editorText(control("ProgramEditor")),
              L"%\r\nO1001 (W\u00E4lzfr\u00E4ser \u20AC)\r\nN10 M30\r\n");
    view->clearEditor();
    view->appendEditor("\nN20");
    window->programEditor().finish();
    EXPECT_EQ(editorText(control("ProgramEditor")), L"\r\nN20");
}

TEST_F(WindowTest, ALargeProgramArrivesInSlicesBetweenTheWindowsMessages) {
    const std::string program = programLines(std::size_t{8} * 1024 * 1024);
    HWND editor = control("ProgramEditor");
    view->appendEditor(program);
    // The call came back before the whole text was in: the window can answer.
    EXPECT_TRUE(window->programEditor().isFilling());
    EXPECT_LT(static_cast<std::size_t>(GetWindowTextLengthW(editor)), program.size());
    ASSERT_TRUE(pumpUntil([&] { return !window->programEditor().isFilling(); }));
    EXPECT_EQ(static_cast<std::size_t>(GetWindowTextLengthW(editor)), program.size());
    EXPECT_EQ(ProgramTextView::of(editor)->lines().count(),
              static_cast<std::size_t>(std::count(program.begin(), program.end(), '\n') + 1));
}

TEST_F(WindowTest, ClearingWhileFillingDropsTheRestOfTheOldText) {
    view->appendEditor(programLines(std::size_t{4} * 1024 * 1024));
    ASSERT_TRUE(window->programEditor().isFilling());
    view->clearEditor();
    view->appendEditor("N10\n");
    ASSERT_TRUE(pumpUntil([&] { return !window->programEditor().isFilling(); }));
    EXPECT_EQ(editorText(control("ProgramEditor")), L"N10\r\n");
}

TEST_F(WindowTest, WhatTheReaderLooksAtStaysInViewWhileTheRestComesIn) {
    HWND editor = control("ProgramEditor");
    const ProgramTextView& shown = *ProgramTextView::of(editor);
    view->appendEditor(programLines(std::size_t{2} * 1024 * 1024));
    ASSERT_TRUE(pumpUntil([&] { return shown.lines().count() > 1000; }));
    for (int page = 0; page < 5; ++page) {
        SendMessageW(editor, WM_VSCROLL, SB_PAGEDOWN, 0);
    }
    const std::size_t reading = shown.firstVisibleLine();
    EXPECT_GT(reading, 0U);
    ASSERT_TRUE(pumpUntil([&] { return !window->programEditor().isFilling(); }));
    EXPECT_EQ(shown.firstVisibleLine(), reading);
    view->editorCaretToStart();
    EXPECT_EQ(shown.firstVisibleLine(), 0U);
    SendMessageW(editor, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_GT(shown.firstVisibleLine(), shown.lines().count() - 100);
}

TEST_F(WindowTest, TheFirstScreenOfALargeProgramIsPaintedAtOnce) {
    HWND editor = control("ProgramEditor");
    HWND panel = control("MainPanel");
    TabCtrl_SetCurSel(panel, 2);
    NMHDR changed{panel, static_cast<UINT_PTR>(GetDlgCtrlID(panel)),
                  static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(window->handle(), WM_NOTIFY, changed.idFrom, reinterpret_cast<LPARAM>(&changed));
    view->appendEditor(programLines(std::size_t{32} * 1024 * 1024));
    EXPECT_TRUE(window->programEditor().isFilling());
    RedrawWindow(editor, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const int row = ProgramTextView::of(editor)->lineHeight();
    HDC dc = GetDC(editor);
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    int inked = 0;
    for (int y = 0; y < row; ++y) {
        for (int x = 0; x < 150; ++x) {
            inked += GetPixel(dc, x, y) != background ? 1 : 0;
        }
    }
    ReleaseDC(editor, dc);
    EXPECT_GT(inked, 20) << "the first line is drawn";
    ProgramTextView::of(editor)->followLine(2);
    RedrawWindow(editor, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    keepPicture(editor, L"drovane_program_view.bmp");
    HDC marked = GetDC(editor);
    EXPECT_NE(GetPixel(marked, 500, 2 * row + row / 2), background)
        << "the followed line is marked";
    EXPECT_EQ(GetPixel(marked, 500, 3 * row + row / 2), background) << "and only that one";
    ReleaseDC(editor, marked);
    window->programEditor().finish();
}

TEST_F(WindowTest, TheHorizontalEndGoesToTheWidestLine) {
    HWND editor = control("ProgramEditor");
    const std::wstring wide = L"N10 (" + std::wstring(300, L'X') + L")";
    SendMessageW(editor, WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>((L"%\r\n" + wide + L"\r\nN20").c_str()));
    SendMessageW(editor, WM_HSCROLL, SB_BOTTOM, 0);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(editor, SB_HORZ, &info);
    EXPECT_GT(info.nPos, 3) << "further than the line count";
    EXPECT_EQ(info.nPos, info.nMax + 1 - static_cast<int>(info.nPage));
}

TEST_F(WindowTest, SmallWheelDeltasAddUpToLines) {
    HWND editor = control("ProgramEditor");
    view->appendEditor(programLines(64 * 1024));
    window->programEditor().finish();
    for (int turn = 0; turn < 4; ++turn) {
        SendMessageW(editor, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-30)), 0);
    }
    EXPECT_EQ(ProgramTextView::of(editor)->firstVisibleLine(), 3U)
        << "four touchpad steps: a notch";
}

TEST_F(WindowTest, TheStatusLogAddsReplacesAndClearsWholeLines) {
    view->appendStatus("Port COM1 geöffnet");
    view->appendStatus("Gesendet: 10");
    view->replaceLastStatus("Gesendet: 20");
    EXPECT_EQ(view->text("StatusLine"), "Port COM1 geöffnet\r\nGesendet: 20");
    view->clearStatus();
    view->replaceLastStatus("Übertragung beendet. ");
    EXPECT_EQ(view->text("StatusLine"), "Übertragung beendet. ");
}

TEST_F(WindowTest, DropDownsHoldTheirEntriesInOrderAndTellTheSelectedOne) {
    const std::array<std::string, 3> parities{"NOPARITY", "EVENPARITY", "ODDPARITY"};
    view->setItems("ParityCombo", parities);
    EXPECT_EQ(view->items("ParityCombo"),
              std::vector<std::string>(parities.begin(), parities.end()));
    EXPECT_EQ(view->selectedItem("ParityCombo"), -1);
    EXPECT_EQ(view->text("ParityCombo"), "");
    view->selectItem("ParityCombo", 2);
    EXPECT_EQ(view->text("ParityCombo"), "ODDPARITY");
    view->selectItem("ParityCombo", -1);
    EXPECT_EQ(view->selectedItem("ParityCombo"), -1);
}

TEST_F(WindowTest, TabTitlesAndTextsKeepTheirUmlauts) {
    view->setTabTitle(2, "Wälzfräser.nc");
    EXPECT_EQ(view->tabTitle(2), "Wälzfräser.nc");
    view->setText("FileButton", "Programm speichern");
    EXPECT_EQ(view->text("FileButton"), "Programm speichern");
    view->setStatusField(2, "Hilfe");
    wchar_t help[16] = {};
    SendMessageW(control("StatusBar"), SB_GETTEXTW, 2, reinterpret_cast<LPARAM>(help));
    EXPECT_STREQ(help, L"\tHilfe");
}

TEST_F(WindowTest, TheDirectionButtonShowsTheModesPicture) {
    const auto picture = [this] {
        return SendMessageW(control("DirectionButton"), BM_GETIMAGE, IMAGE_ICON, 0);
    };
    const LRESULT send = picture();
    ASSERT_NE(send, 0);
    view->showMode(Mode::Receive);
    EXPECT_NE(picture(), send);
    EXPECT_NE(picture(), 0);
    view->showMode(Mode::Send);
    EXPECT_EQ(picture(), send);
}

TEST_F(WindowTest, ProgressTakesTheJobsMaximumAndValue) {
    view->setProgressMaximum(5000);
    view->setProgressValue(1234);
    EXPECT_EQ(SendMessageW(control("TransferProgress"), PBM_GETRANGE, FALSE, 0), 5000);
    EXPECT_EQ(SendMessageW(control("TransferProgress"), PBM_GETPOS, 0, 0), 1234);
}

TEST_F(WindowTest, WorkPostedFromOtherThreadsRunsOnTheWindowsThreadInOrder) {
    const DWORD windowThread = GetCurrentThreadId();
    std::vector<int> order;
    std::atomic<bool> wrongThread{false};
    constexpr int Posts = 500;
    std::thread job([&] {
        for (int index = 0; index < Posts; ++index) {
            window->post([&, index] {
                wrongThread = wrongThread || GetCurrentThreadId() != windowThread;
                order.push_back(index);
            });
        }
    });
    const bool done = pumpUntil([&] { return order.size() == Posts; });
    job.join();
    ASSERT_TRUE(done);
    EXPECT_FALSE(wrongThread);
    for (int index = 0; index < Posts; ++index) {
        ASSERT_EQ(order[static_cast<std::size_t>(index)], index);
    }
}
