#include "shared_desktop.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace drovane::testing {
namespace {

namespace fs = std::filesystem;

WineDesktop* desktop = nullptr;

fs::path fromEnvironment(const char* name, const fs::path& fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? fs::path(value) : fallback;
}

class DesktopEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        const fs::path bin = fromEnvironment("DROVANE_WINDOWS_BIN", DROVANE_WINDOWS_BIN);
        desktop_ = std::make_unique<WineDesktop>(
            WineDesktopSetup{fromEnvironment("WINEPREFIX", bin.parent_path() / "wineprefix"), bin,
                             DROVANE_TEST_OUTPUT});
        desktop = desktop_.get();
    }
    void TearDown() override {
        desktop = nullptr;
        desktop_.reset();
    }

private:
    std::unique_ptr<WineDesktop> desktop_;
};

} // namespace

WineDesktop* sharedDesktop() {
    return desktop;
}

} // namespace drovane::testing

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new drovane::testing::DesktopEnvironment);
    return RUN_ALL_TESTS();
}
