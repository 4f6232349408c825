#include "window_fixture.h"

#include "win32/win32_dialogs.h"

#include <chrono>
#include <thread>

using namespace drovane;

namespace {

// Answers the next dialog titled `title` from another thread, as a user
// would, while the dialog runs its own loop on the window's thread.
class Answerer {
public:
    Answerer(const wchar_t* title, std::function<void(HWND)> answer)
        : thread_([title, answer = std::move(answer)] {
              const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
              while (std::chrono::steady_clock::now() < end) {
                  if (HWND dialog = FindWindowW(L"#32770", title)) {
                      answer(dialog);
                      return;
                  }
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
              }
          }) {}
    Answerer(const Answerer&) = delete;
    Answerer& operator=(const Answerer&) = delete;
    Answerer(Answerer&&) = delete;
    Answerer& operator=(Answerer&&) = delete;
    ~Answerer() { thread_.join(); }

private:
    std::thread thread_;
};

void press(HWND dialog, int button) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

} // namespace

TEST_F(WindowTest, TheQuestionIsYesOnlyForTheYesButton) {
    Win32Dialogs dialogs(window->handle());
    {
        const Answerer user(L"Maschine löschen", [](HWND box) { press(box, IDYES); });
        EXPECT_TRUE(dialogs.askYesNo("Maschine löschen", "Wirklich löschen?"));
    }
    {
        const Answerer user(L"Maschine löschen", [](HWND box) { press(box, IDNO); });
        EXPECT_FALSE(dialogs.askYesNo("Maschine löschen", "Wirklich löschen?"));
    }
}

TEST_F(WindowTest, TheInputDialogStartsWithTheGivenTextAndReturnsTheTypedOne) {
    Win32Dialogs dialogs(window->handle());
    std::wstring shownFirst;
    std::optional<std::string> answer;
    {
        const Answerer user(L"Neue Maschine", [&](HWND dialog) {
            wchar_t text[64] = {};
            HWND field = FindWindowExW(dialog, nullptr, L"Edit", nullptr);
            GetWindowTextW(field, text, 64);
            shownFirst = text;
            SetWindowTextW(field, L"Fräse 2");
            press(dialog, IDOK);
        });
        answer = dialogs.askText("Neue Maschine", "Name der Maschine:", "COM1");
    }
    EXPECT_EQ(shownFirst, L"COM1");
    EXPECT_EQ(answer, std::optional<std::string>("Fräse 2"));
    {
        const Answerer user(L"Neue Maschine", [](HWND dialog) { press(dialog, IDCANCEL); });
        EXPECT_EQ(dialogs.askText("Neue Maschine", "Name der Maschine:", "COM1"), std::nullopt);
    }
}

// The help file through the system's viewer: its window appears with the
// title the help project gives it, and is gone when the viewer is let go.
TEST_F(WindowTest, HelpOpensTheCompiledHelpInTheSystemsViewer) {
    std::wstring folder(MAX_PATH, L'\0');
    folder.resize(GetModuleFileNameW(nullptr, folder.data(), MAX_PATH));
    folder.resize(folder.rfind(L'\\'));
    ASSERT_TRUE(SetCurrentDirectoryW(folder.c_str()));
    const auto helpWindow = [] {
        return FindWindowW(nullptr, L"Drovane - Hilfe");
    };
    {
        Win32Dialogs dialogs(window->handle());
        dialogs.showHelp();
        EXPECT_TRUE(pumpUntil([&] { return helpWindow() != nullptr; }));
    }
    EXPECT_TRUE(pumpUntil([&] { return helpWindow() == nullptr; }));
}
