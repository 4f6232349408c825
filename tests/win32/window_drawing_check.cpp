// What the window really shows on the virtual display: every label drawn and
// whole, a tab title that gets shorter leaving nothing of the old one, and
// the file list's rows where the selected entry can be seen.

#include "window_fixture.h"

#include <commctrl.h>

#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

using namespace drovane;

namespace {

// The screen's pixels under a rectangle of a window, as 0x00RRGGBB.
class ScreenPixels {
public:
    ScreenPixels(HWND window, RECT area) : width_(area.right - area.left) {
        MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&area), 2);
        const int height = area.bottom - area.top;
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width_, height, screen, area.left, area.top, SRCCOPY);
        const auto* first = static_cast<const std::uint32_t*>(bits);
        pixels_.assign(first, first + static_cast<std::ptrdiff_t>(width_) * height);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }

    std::size_t countOtherThan(std::uint32_t colour) const {
        std::size_t count = 0;
        for (const std::uint32_t pixel : pixels_) {
            count += (pixel & 0xFFFFFFU) != colour ? 1 : 0;
        }
        return count;
    }

private:
    int width_;
    std::vector<std::uint32_t> pixels_;
};

std::uint32_t screenColour(COLORREF colour) {
    return (GetRValue(colour) << 16U) | (GetGValue(colour) << 8U) | GetBValue(colour);
}

int textWidth(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    HDC dc = GetDC(control);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size.cx;
}

} // namespace

class WindowDrawingTest : public WindowTest, public ::testing::WithParamInterface<bool> {
protected:
    void showTab(int tab) {
        SendMessageW(control("MainPanel"), TCM_SETCURFOCUS, tab, 0);
        repaint();
    }
    void repaint() {
        RedrawWindow(window->handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pumpUntil([] { return true; });
    }
};

// A group box above a label of its row paints its face over it; a caption
// wider than its box loses its end.
TEST_P(WindowDrawingTest, EveryLabelIsDrawnAndFitsItsBox) {
    open(GetParam());
    const std::uint32_t face = screenColour(GetSysColor(COLOR_BTNFACE));
    for (const int tab : {0, 1}) {
        showTab(tab);
        for (const ControlSpec& spec : controlTable()) {
            if (spec.kind != ControlKind::Label || static_cast<int>(spec.container) != tab) {
                continue;
            }
            HWND label = control(spec.name);
            RECT box{};
            GetClientRect(label, &box);
            EXPECT_GT(ScreenPixels(label, box).countOtherThan(face), 0U) << spec.name;
            const int width = textWidth(label);
            if (!GetParam()) {
                EXPECT_LE(width, box.right) << spec.name;
            } else if (width > box.right) {
                // The system font of Windows itself is this wide: told, not failed.
                std::cout << spec.name << ": " << width << " of " << box.right << " pixels\n";
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothFonts, WindowDrawingTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "BoldFont" : "DefaultFont"; });

// The panel repaints only the extent of the new title.
TEST_F(WindowTest, AShorterTabTitleLeavesNothingOfTheLongerOne) {
    HWND panel = control("MainPanel");
    view->setTabTitle(2, "Ein sehr langer Programmname.nc");
    RECT longTab{};
    SendMessageW(panel, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&longTab));
    RedrawWindow(window->handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pumpUntil([] { return true; });

    view->setTabTitle(2, "O1.nc");
    UpdateWindow(panel);
    pumpUntil([] { return true; });
    RECT shortTab{};
    SendMessageW(panel, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&shortTab));
    ASSERT_LT(shortTab.right + 4, longTab.right);
    const RECT freed{shortTab.right + 4, longTab.top + 3, longTab.right, longTab.bottom - 3};
    EXPECT_EQ(ScreenPixels(panel, freed).countOtherThan(screenColour(GetSysColor(COLOR_BTNFACE))),
              0U);
}

// LVM_ENSUREVISIBLE alone leaves an entry further down on the last row.
TEST_F(WindowTest, ASelectedEntryBelowTheFirstPageComesToTheTop) {
    std::vector<FileRowText> rows;
    for (int index = 0; index < 100; ++index) {
        rows.push_back({"P" + std::to_string(index) + ".nc", "1 KB", "", ""});
    }
    view->showFileRows(rows);
    HWND list = control("FileList");
    const auto perPage = static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
    ASSERT_GT(perPage, 1);
    const struct {
        int selected;
        int top;
    } cases[] = {{perPage - 1, 0}, {50, 50}, {3, 0}, {99, 100 - perPage}};
    for (const auto& c : cases) {
        view->selectFileRow(c.selected);
        EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), c.top) << c.selected;
        EXPECT_EQ(view->selectedFileRow(), c.selected);
    }
}
