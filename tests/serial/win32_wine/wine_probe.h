#pragma once

// Runs the Windows probe under Wine and talks to it line by line over its
// standard input and output. No end of file is waited for: the wineserver
// that the first Wine process starts inherits the pipes.

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace drovane {

class WineProbe {
public:
    explicit WineProbe(const std::vector<std::string>& arguments);
    ~WineProbe();
    WineProbe(const WineProbe&) = delete;
    WineProbe& operator=(const WineProbe&) = delete;
    WineProbe(WineProbe&&) = delete;
    WineProbe& operator=(WineProbe&&) = delete;

    bool started() const { return pid_ > 0; }
    // The next line, or none when `limit` passed first.
    std::optional<std::string> readLine(std::chrono::milliseconds limit);
    void sendLine(const std::string& line) const;
    // The exit code, or none when the probe did not end within `limit` (it
    // is killed then).
    std::optional<int> finish(std::chrono::milliseconds limit);

private:
    pid_t pid_ = -1;
    int toProbe_ = -1;
    int fromProbe_ = -1;
    std::string buffered_;
};

// The probe executable: $DROVANE_WINDOWS_BIN or the windows preset's bin.
std::string probeExecutable();

} // namespace drovane
