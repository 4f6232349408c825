#include "window_logic_fixture.h"

#include "window/shown_text.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

namespace drovane::testing {
namespace {

std::filesystem::path freshFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("window_" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) +
         "_" + info->name());
    std::filesystem::create_directories(folder);
    return folder;
}

} // namespace

WindowLogicTest::WindowLogicTest()
    : root_(freshFolder()),
      dispatch_(state_, view_, files_, dialogs_, programs_,
                {[this](Mode mode) { transfersStarted_.push_back(mode); }, [this] { ++helpShown_; },
                 [this](std::size_t line) {
                     sendsFrom_.push_back(line);
                 }}) {
    state_.settingsPath = folder("drovane.ini");
}

WindowLogicTest::~WindowLogicTest() {
    endHeldJob();
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::string WindowLogicTest::folder(std::string_view relative) const {
    std::string shown = shownFromPath(root_);
    shown += static_cast<char>(std::filesystem::path::preferred_separator);
    return shown + std::string(relative);
}

void WindowLogicTest::put(std::string_view relative, std::string_view bytes) const {
    std::ofstream out(pathFromShown(folder(relative)), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string WindowLogicTest::contentOf(std::string_view relative) const {
    std::ifstream in(pathFromShown(folder(relative)), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

bool WindowLogicTest::exists(std::string_view relative) const {
    return std::filesystem::exists(pathFromShown(folder(relative)));
}

void WindowLogicTest::makeFolder(std::string_view relative) const {
    std::filesystem::create_directories(pathFromShown(folder(relative)));
}

void WindowLogicTest::holdJob() {
    jobReleased_ = false;
    ASSERT_TRUE(state_.transferJob.start([this] {
        while (!jobReleased_.load()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }));
}

void WindowLogicTest::endHeldJob() {
    jobReleased_ = true;
    state_.transferJob.wait();
}

} // namespace drovane::testing
