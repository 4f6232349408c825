#include "wine_desktop.h"

#include <cstdlib>
#include <sstream>
#include <thread>

namespace drovane::testing {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The X tools answer at once; Wine's first start in a prefix takes long.
constexpr milliseconds toolLimit(30'000);
constexpr milliseconds probeLimit(120'000);

std::optional<std::string> runTool(const std::string& program,
                                   const std::vector<std::string>& arguments,
                                   milliseconds limit = toolLimit) {
    CliChild tool(program, arguments);
    if (tool.wait(limit) != 0) {
        return std::nullopt;
    }
    return tool.out();
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

// The value after "Name:" in xwininfo's report.
int fieldOf(const std::string& report, std::string_view name) {
    const auto at = report.find(name);
    return at == std::string::npos ? -1 : std::atoi(report.c_str() + at + name.size());
}

std::string exactRegex(std::string_view title) {
    std::string regex = "^";
    for (const char character : title) {
        if (std::string_view(".[]()*+?^$|\\{}").find(character) != std::string_view::npos) {
            regex += '\\';
        }
        regex += character;
    }
    return regex + "$";
}

void endWineserver() {
    runTool("wineserver", {"-k"});
    runTool("wineserver", {"-w"});
}

} // namespace

WineDesktop::WineDesktop(WineDesktopSetup setup, int width, int height)
    : setup_(std::move(setup)), display_(width, height) {
    ::setenv("WINEPREFIX", setup_.prefix.c_str(), 1);
    ::setenv("WINEDEBUG", "-all", 1);
    ::setenv("LANG", setup_.language.c_str(), 1);
    ::setenv("LC_ALL", setup_.language.c_str(), 1);
    endWineserver();
    ::setenv("DISPLAY", display_.name().c_str(), 1);
    fs::create_directories(setup_.outputFolder);
}

WineDesktop::~WineDesktop() {
    endWineserver();
}

fs::path WineDesktop::windowsProgram(std::string_view name) const {
    return setup_.windowsBin / name;
}

std::unique_ptr<CliChild> WineDesktop::start(const fs::path& program,
                                             const std::vector<std::string>& arguments) const {
    std::vector<std::string> words{program.string()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    return std::make_unique<CliChild>("wine", words);
}

std::optional<std::string> WineDesktop::findWindow(std::string_view title,
                                                   milliseconds limit) const {
    const auto end = Clock::now() + limit;
    do {
        const auto found = runTool("xdotool", {"search", "--name", exactRegex(title)});
        if (found && !linesOf(*found).empty()) {
            return linesOf(*found).front();
        }
        std::this_thread::sleep_for(milliseconds(200));
    } while (Clock::now() < end);
    return std::nullopt;
}

std::string WineDesktop::titleOf(const std::string& window) const {
    const auto name = runTool("xdotool", {"getwindowname", window});
    return name && !linesOf(*name).empty() ? linesOf(*name).front() : std::string();
}

std::optional<WindowSize> WineDesktop::sizeOf(const std::string& window) const {
    const auto report = runTool("xwininfo", {"-id", window});
    if (!report) {
        return std::nullopt;
    }
    return WindowSize{fieldOf(*report, "Width:"), fieldOf(*report, "Height:")};
}

fs::path WineDesktop::screenshot(const std::string& window, std::string_view name) const {
    const fs::path file = setup_.outputFolder / (std::string(name) + ".png");
    std::error_code ignored;
    fs::remove(file, ignored);
    if (!runTool("import", {"-window", window, file.string()})) {
        return {};
    }
    return fs::is_regular_file(file) ? file : fs::path();
}

WindowContent WineDesktop::readWindow(std::string_view title, std::string_view press) const {
    std::vector<std::string> arguments{"read", std::string(title)};
    if (!press.empty()) {
        arguments.emplace_back(press);
    }
    const auto probe = start(windowsProgram("win32_window_probe.exe"), arguments);
    probe->wait(probeLimit);
    WindowContent content;
    for (const std::string& line : linesOf(probe->out())) {
        const auto blank = line.find(' ');
        const std::string word = line.substr(0, blank);
        const std::string rest = blank == std::string::npos ? "" : line.substr(blank + 1);
        if (word == "client") {
            content.found = true;
            content.client = {std::atoi(rest.c_str()),
                              std::atoi(rest.c_str() + rest.find('x') + 1)};
        } else if (word == "text") {
            content.texts.push_back(rest);
        } else if (word == "button") {
            content.buttons.push_back(rest);
        } else if (word == "field") {
            content.fields.push_back(rest);
        } else if (word == "pressed") {
            content.pressed = true;
        }
    }
    return content;
}

bool WineDesktop::closeWindow(std::string_view title) const {
    const auto probe =
        start(windowsProgram("win32_window_probe.exe"), {"close", std::string(title)});
    return probe->wait(probeLimit) == 0;
}

} // namespace drovane::testing
