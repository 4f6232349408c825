// The window logic behind the real window: a file a later start hands over
// in WM_COPYDATA reaches the program, and waits while a dialog has the
// window disabled.

#include "window_fixture.h"

#include "core/text.h"
#include "win32/win32_session.h"
#include "window/app_state.h"
#include "window/dialogs.h"
#include "window/shown_text.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace drovane {
namespace {

namespace fs = std::filesystem;

// A box would wait for a hand that never comes: the test notes what it was
// told instead.
class NotedDialogs final : public Dialogs {
public:
    void inform(std::string_view /*title*/, std::string_view text) override {
        told.emplace_back(text);
    }
    bool askYesNo(std::string_view /*title*/, std::string_view text) override {
        told.emplace_back(text);
        return false;
    }
    std::optional<std::string> askText(std::string_view /*title*/, std::string_view prompt,
                                       std::string_view /*initial*/) override {
        told.emplace_back(prompt);
        return std::nullopt;
    }
    std::string chooseFolder(std::string_view prompt, std::string_view /*start*/) override {
        told.emplace_back(prompt);
        return {};
    }

    std::vector<std::string> told;
};

class SessionTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        folder_ =
            fs::temp_directory_path() / ("session_check_" + std::to_string(GetCurrentProcessId()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        state_.settingsPath = shownFromPath(folder_ / "drovane.ini");
        session_ = std::make_unique<Win32Session>(state_, *window, *view, dialogs_, [] {});
        session_->receiveHandOvers();
    }
    void TearDown() override {
        session_.reset();
        fs::remove_all(folder_);
    }

    // Windows-1252 bytes of the file's whole path.
    std::string put(const std::wstring& name, const std::string& bytes) const {
        std::ofstream(folder_ / name, std::ios::binary) << bytes;
        return windows1252FromWide((folder_ / name).wstring());
    }

    LRESULT handOver(const std::string& bytes) const {
        std::string sent = bytes + '\0';
        COPYDATASTRUCT data{0, static_cast<DWORD>(sent.size()), sent.data()};
        return SendMessageW(window->handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    }

    bool showsFile(const std::string& name) const {
        return pumpUntil([&] { return view->text("FileNameField") == name; });
    }

    fs::path folder_;
    AppState state_;
    NotedDialogs dialogs_;
    std::unique_ptr<Win32Session> session_;
};

TEST_F(SessionTest, AHandedOverFileIsOpenedByItsWindows1252Name) {
    const std::string path = put(L"Pr\u00FCfung.nc", "O0001\r\nM30\r\n");
    EXPECT_EQ(handOver(path), TRUE);
    EXPECT_TRUE(showsFile("Pr\xC3\xBC"
                          "fung.nc"))
        << view->text("FileNameField");
    EXPECT_EQ(state_.programText, "O0001\r\nM30\r\n");
    EXPECT_TRUE(dialogs_.told.empty()) << dialogs_.told.front();
}

TEST_F(SessionTest, AFileWaitsWhileADialogHasTheWindowAndComesAfter) {
    const std::string path = put(L"A.nc", "O0002\r\n");
    EnableWindow(window->handle(), FALSE);
    handOver(path);
    // Long enough for the hand-over and several retries to have run.
    pumpUntil([] { return false; }, std::chrono::seconds(1));
    EXPECT_EQ(view->text("FileNameField"), "");
    EXPECT_EQ(state_.programText, "");

    EnableWindow(window->handle(), TRUE);
    EXPECT_TRUE(showsFile("A.nc")) << view->text("FileNameField");
    EXPECT_EQ(state_.programText, "O0002\r\n");
    EXPECT_TRUE(dialogs_.told.empty()) << dialogs_.told.front();
}

TEST_F(SessionTest, TheListFollowsItsFolderOnDisk) {
    std::ofstream(folder_ / "A.nc") << "O0003\r\n";
    session_->openStartFile(shownFromPath(folder_ / "A.nc"));
    ASSERT_TRUE(showsFile("A.nc"));
    const auto rows = [this] {
        return window->fileRows().count();
    };
    ASSERT_EQ(rows(), 2) << "\"..\" and A.nc";

    std::ofstream(folder_ / "B.nc") << "O0004\r\n";
    EXPECT_TRUE(pumpUntil([&] { return rows() == 3; })) << rows();
    fs::remove(folder_ / "A.nc");
    fs::remove(folder_ / "B.nc");
    EXPECT_TRUE(pumpUntil([&] { return rows() == 1; })) << rows();
}

} // namespace
} // namespace drovane
