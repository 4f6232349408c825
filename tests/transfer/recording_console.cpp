#include "recording_console.h"

#include <algorithm>

namespace drovane {

void RecordingConsole::note(std::string event) {
    {
        const std::lock_guard lock(mutex_);
        events_.push_back(std::move(event));
    }
    recorded_.notify_all();
}

void RecordingConsole::appendLine(std::string_view line) {
    {
        const std::lock_guard lock(mutex_);
        log_.emplace_back(line);
    }
    note("log " + std::string(line));
}

void RecordingConsole::replaceLastLine(std::string_view line) {
    {
        const std::lock_guard lock(mutex_);
        if (log_.empty()) {
            log_.emplace_back(line);
        } else {
            log_.back() = line;
        }
    }
    note("last " + std::string(line));
}

void RecordingConsole::clearLog() {
    {
        const std::lock_guard lock(mutex_);
        log_.clear();
    }
    note("clear log");
}

void RecordingConsole::clearLogSelection() {
    note("log selection cleared");
}

void RecordingConsole::setStartCaption(std::string_view caption) {
    note("caption " + std::string(caption));
}

void RecordingConsole::setProgressMaximum(std::int64_t maximum) {
    note("progress max " + std::to_string(maximum));
}

void RecordingConsole::setProgressValue(std::int64_t value) {
    note("progress " + std::to_string(value));
}

void RecordingConsole::clearEditor() {
    {
        const std::lock_guard lock(mutex_);
        editor_.clear();
    }
    note("editor cleared");
}

void RecordingConsole::appendEditor(std::string_view bytes) {
    {
        const std::lock_guard lock(mutex_);
        editor_ += bytes;
    }
    note("editor+ " + std::string(bytes));
}

void RecordingConsole::clearEditorSelection() {
    note("editor selection cleared");
}

void RecordingConsole::editorCaretToStart() {
    note("editor caret to start");
}

void RecordingConsole::setEditorTabTitle(std::string_view title) {
    note("tab " + std::string(title));
}

void RecordingConsole::clearFileName() {
    note("file name cleared");
}

void RecordingConsole::setProgramText(std::string text) {
    {
        const std::lock_guard lock(mutex_);
        program_ = text;
    }
    note("program " + text);
}

std::vector<std::string> RecordingConsole::events() const {
    const std::lock_guard lock(mutex_);
    return events_;
}

std::vector<std::string>
RecordingConsole::eventsWithout(const std::vector<std::string>& prefixes) const {
    std::vector<std::string> kept = events();
    std::erase_if(kept, [&prefixes](const std::string& event) {
        return std::any_of(prefixes.begin(), prefixes.end(), [&event](const std::string& prefix) {
            return event.starts_with(prefix);
        });
    });
    return kept;
}

std::vector<std::string> RecordingConsole::logLines() const {
    const std::lock_guard lock(mutex_);
    return log_;
}

std::string RecordingConsole::editorText() const {
    const std::lock_guard lock(mutex_);
    return editor_;
}

std::string RecordingConsole::programText() const {
    const std::lock_guard lock(mutex_);
    return program_;
}

std::size_t RecordingConsole::count(const std::string& event) const {
    const std::lock_guard lock(mutex_);
    return static_cast<std::size_t>(std::count(events_.begin(), events_.end(), event));
}

bool RecordingConsole::waitFor(const std::string& event, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return recorded_.wait_for(lock, timeout, [&] {
        return std::find(events_.begin(), events_.end(), event) != events_.end();
    });
}

} // namespace drovane
