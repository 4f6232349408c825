#pragma once

// A console that writes down every call a job makes, as one text per call,
// together with the line actions a ScriptedLine notes: one sequence in the
// order things happened. Thread-safe; tests wait on it for a job's progress.

#include "transfer/job_console.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

namespace drovane {

class RecordingConsole final : public JobConsole {
public:
    void appendLine(std::string_view line) override;
    void replaceLastLine(std::string_view line) override;
    void clearLog() override;
    void clearLogSelection() override;
    void setStartCaption(std::string_view caption) override;
    void setProgressMaximum(std::int64_t maximum) override;
    void setProgressValue(std::int64_t value) override;
    void clearEditor() override;
    void appendEditor(std::string_view bytes) override;
    void clearEditorSelection() override;
    void editorCaretToStart() override;
    void setEditorTabTitle(std::string_view title) override;
    void clearFileName() override;
    void setProgramText(std::string text) override;

    void note(std::string event);

    std::vector<std::string> events() const;
    // The events without those starting with any of `prefixes`.
    std::vector<std::string> eventsWithout(const std::vector<std::string>& prefixes) const;
    // StatusLine as the operator would see it.
    std::vector<std::string> logLines() const;
    std::string editorText() const;
    std::string programText() const;
    std::size_t count(const std::string& event) const;

    // True once `event` has been recorded.
    bool waitFor(const std::string& event,
                 std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable recorded_;
    std::vector<std::string> events_;
    std::vector<std::string> log_;
    std::string editor_;
    std::string program_;
};

} // namespace drovane
