#pragma once

// What the Wine tests run: wine, its prefix and drovane-cli.exe, given on
// the command line; and the COM ports of that prefix.

#include <filesystem>
#include <string>
#include <vector>

namespace drovane::testing {

struct WineSetup {
    std::string wine = "wine";
    std::filesystem::path prefix;
    std::filesystem::path executable;
};

// Takes --wine=PATH, --prefix=DIR and --exe=PATH out of `arguments`; false
// with a word it does not know or without the prefix or the .exe.
bool takeWineSetup(const std::vector<std::string>& arguments, WineSetup& setup);

// "Z:\tmp\x\P1.nc": the drive through which Wine shows the Linux root.
std::string windowsPath(const std::filesystem::path& path);

// The Linux path of a Windows path such as "C:\users\x\Temp\a.nc", through
// the drive links of the prefix.
std::filesystem::path linuxPath(const std::filesystem::path& prefix, const std::string& windows);

// "COMn" of the prefix is the device `target` while this lives.
class ComPortLink {
public:
    ComPortLink(const std::filesystem::path& prefix, int number,
                const std::filesystem::path& target);
    ~ComPortLink();
    ComPortLink(const ComPortLink&) = delete;
    ComPortLink& operator=(const ComPortLink&) = delete;
    ComPortLink(ComPortLink&&) = delete;
    ComPortLink& operator=(ComPortLink&&) = delete;

    bool made() const { return made_; }

private:
    std::filesystem::path link_;
    bool made_ = false;
};

// Removes a link an earlier run may have left, so the port does not exist.
void removeComPort(const std::filesystem::path& prefix, int number);

} // namespace drovane::testing
