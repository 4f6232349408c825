#pragma once

// The few controls a job reads again while it runs, mirrored by the window on
// every edit: the end character (each received chunk), the DTR/DSR box and
// the receive filter (the end of a reception), and the file-name, directory
// and pattern texts (the save that follows it). Thread-safe.

#include <mutex>
#include <string>
#include <utility>

namespace drovane {

struct LiveTexts {
    std::string endCharField = "04";
    bool dtrDsrCheck = false;
    std::string receiveControlFilterCombo;
    std::string fileNameField;
    std::string directoryField;
    std::string patternField;
};

class LiveControls {
public:
    LiveControls() = default;
    explicit LiveControls(LiveTexts texts) : texts_(std::move(texts)) {}

    void setEndCharField(std::string text);
    void setDtrDsrCheck(bool checked);
    void setReceiveControlFilterCombo(std::string text);
    void setFileNameField(std::string text);
    void setDirectoryField(std::string text);
    void setPatternField(std::string text);

    std::string endCharField() const;
    bool dtrDsrCheck() const;
    std::string receiveControlFilterCombo() const;
    // All of them as of one moment.
    LiveTexts texts() const;

private:
    mutable std::mutex mutex_;
    LiveTexts texts_;
};

} // namespace drovane
