#pragma once

// The program's one window: the status bar, the tab panel with its three
// pages, and every control of the control table, each made where the table
// puts it. It reports what the user does with a control as (name, trigger)
// and decides nothing itself.

#include "win32/editor_filler.h"
#include "win32/file_list_rows.h"
#include "win32/gui_task_queue.h"
#include "window/control_table.h"
#include "window/window_view.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <windows.h>

namespace drovane {

using ControlEventSink = std::function<void(std::string_view control, Trigger trigger)>;
// Sees every message of the window first (the hand-over's WM_COPYDATA); a
// result ends the message there, nullopt lets the window handle it.
using MessageHook = std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)>;

class Win32MainWindow {
public:
    // Null when the window or one of its controls cannot be made.
    static std::unique_ptr<Win32MainWindow> create(HINSTANCE instance, bool boldFont,
                                                   ControlEventSink sink);
    // Only create() makes one.
    class Key {
        friend class Win32MainWindow;
        Key() = default;
    };
    Win32MainWindow(Key key, HINSTANCE instance, ControlEventSink sink);
    Win32MainWindow(const Win32MainWindow&) = delete;
    Win32MainWindow& operator=(const Win32MainWindow&) = delete;
    Win32MainWindow(Win32MainWindow&&) = delete;
    Win32MainWindow& operator=(Win32MainWindow&&) = delete;
    ~Win32MainWindow();

    HWND handle() const { return window_; }
    HINSTANCE instance() const { return instance_; }
    // A control by its table name ("MainPanel" and "StatusBar" too); null
    // for a name the window does not have.
    HWND control(std::string_view name) const;
    // The table row of a control; null for the panel, the bar and unknowns.
    const ControlSpec* spec(std::string_view name) const;

    void setMessageHook(MessageHook hook) { hook_ = std::move(hook); }
    // Any thread: runs `task` on the GUI thread, after the tasks before it.
    void post(std::function<void()> task) { tasks_->post(std::move(task)); }

    // Changes the program makes are not the user's: while one of these
    // lives, the window reports nothing.
    class ProgramChange {
    public:
        explicit ProgramChange(int& depth) : depth_(depth) { ++depth_; }
        ProgramChange(const ProgramChange&) = delete;
        ProgramChange& operator=(const ProgramChange&) = delete;
        ProgramChange(ProgramChange&&) = delete;
        ProgramChange& operator=(ProgramChange&&) = delete;
        ~ProgramChange() { --depth_; }

    private:
        int& depth_;
    };
    [[nodiscard]] ProgramChange programChange() { return ProgramChange(programChanges_); }

    FileListRows& fileRows() { return fileRows_; }
    EditorFiller& programEditor() { return *programEditor_; }

    // The keyboard moves between controls; Enter on the file list opens.
    // True when the message was used up.
    bool takeDialogKey(MSG& message) const;

private:
    bool createContents(bool boldFont);
    bool createPanel(HFONT font);
    bool createControls(HFONT font);
    void showPage(int page);
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK pageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK buttonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR subclass, DWORD_PTR self);
    static LRESULT CALLBACK statusBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR subclass, DWORD_PTR self);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void onCommand(WPARAM wParam, LPARAM lParam);
    LRESULT onNotify(NMHDR& header);
    std::optional<LRESULT> onColour(HDC dc, HWND control) const;
    void report(std::string_view control, Trigger trigger) const;
    const ControlSpec* specById(UINT_PTR id) const;

    HINSTANCE instance_;
    ControlEventSink sink_;
    MessageHook hook_;
    HWND window_ = nullptr;
    HWND panel_ = nullptr;
    HWND statusBar_ = nullptr;
    std::array<HWND, 3> pages_{};
    std::vector<HWND> controls_; // in table order
    int programChanges_ = 0;
    FileListRows fileRows_;
    std::unique_ptr<EditorFiller> programEditor_;
    std::unique_ptr<GuiTaskQueue> tasks_;
};

} // namespace drovane
