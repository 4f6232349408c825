#pragma once

// Everything a transfer job shows in the window goes through this interface;
// a job never touches a widget. The window's implementation carries each
// call to the GUI thread in the order made. Log lines, captions and titles
// are UTF-8; editor and program texts are the program's Windows-1252 bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace drovane {

class JobConsole {
public:
    virtual ~JobConsole() = default;
    JobConsole() = default;
    JobConsole(const JobConsole&) = delete;
    JobConsole& operator=(const JobConsole&) = delete;
    JobConsole(JobConsole&&) = delete;
    JobConsole& operator=(JobConsole&&) = delete;

    // StatusLine
    virtual void appendLine(std::string_view line) = 0;
    // The list's last line, whichever line the operator has clicked.
    virtual void replaceLastLine(std::string_view line) = 0;
    virtual void clearLog() = 0;
    // The set-selection request with start and end -1.
    virtual void clearLogSelection() = 0;

    // StartButton
    virtual void setStartCaption(std::string_view caption) = 0;

    // TransferProgress
    virtual void setProgressMaximum(std::int64_t maximum) = 0;
    virtual void setProgressValue(std::int64_t value) = 0;
    // The line of the sent text going out (from 0) and the bytes still to
    // go, at most ten times a second; a console that follows no line lets
    // it pass.
    virtual void showSendPosition(std::size_t /*line*/, std::int64_t /*bytesLeft*/) {}

    // ProgramEditor
    virtual void clearEditor() = 0;
    virtual void appendEditor(std::string_view bytes) = 0;
    virtual void clearEditorSelection() = 0;
    // Caret to position 0, nothing selected.
    virtual void editorCaretToStart() = 0;

    // The title of the editor's tab.
    virtual void setEditorTabTitle(std::string_view title) = 0;
    // FileNameField emptied.
    virtual void clearFileName() = 0;

    // ProgramText, which the window keeps: a reception empties it at its
    // start and hands over what it received when it ends, aborted or not.
    virtual void setProgramText(std::string text) = 0;
};

} // namespace drovane
