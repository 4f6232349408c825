#include "window/file_browser.h"

#include "browser_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using drovane::FileBrowser;
using drovane::FileEntry;
using drovane::OpenOutcome;
using Names = std::vector<std::string>;

namespace {

// Counts what the browser tells its front end, and checks that the rows
// are whole whenever it says the listing changed.
class CountingObserver : public drovane::FileBrowserObserver {
public:
    explicit CountingObserver(const FileBrowser& browser) : m_browser(browser) {}

    void listingAboutToChange() override {
        EXPECT_FALSE(inReset);
        inReset = true;
    }
    void listingChanged() override {
        EXPECT_TRUE(inReset);
        inReset = false;
        EXPECT_EQ(m_browser.rows().size(), static_cast<std::size_t>(m_browser.entryCount()));
        ++listings;
    }
    void selectedEntryChanged() override {
        EXPECT_FALSE(inReset);
        selections.push_back(m_browser.selectedIndex());
    }

    bool inReset = false;
    int listings = 0;
    std::vector<int> selections;

private:
    const FileBrowser& m_browser;
};

std::vector<FileEntry> twoDrives() {
    return {{FileEntry::Kind::Drive, "/", 0, std::nullopt, "Laufwerk"},
            {FileEntry::Kind::Drive, "/media/op/STICK/", 0, std::nullopt, "Laufwerk"}};
}

class FileBrowserTest : public drovane::fixtures::BrowserFolder {
protected:
    void SetUp() override {
        BrowserFolder::SetUp();
        folder("beta");
        folder("Alpha");
        file("P1.NC", 1025);
        file("p2.nc", 0);
        file("P10.nc", 1);
        file("notes.txt", 1024);
        file("README", 3);
        file("Änderung.nc", 2);
        browser.setObserver(&observer);
    }

    Names names() const {
        Names all;
        for (int i = 0; i < browser.entryCount(); ++i) {
            all.push_back(browser.entryName(i));
        }
        return all;
    }
    int indexOf(const std::string& name) const {
        const Names all = names();
        const auto found = std::find(all.begin(), all.end(), name);
        return found == all.end() ? -1 : static_cast<int>(found - all.begin());
    }

    FileBrowser browser{&twoDrives};
    CountingObserver observer{browser};
};

TEST_F(FileBrowserTest, ParentFirstThenFoldersThenMatchingFilesByName) {
    browser.pointAt(path());
    EXPECT_EQ(browser.currentDirectory(), path());
    EXPECT_EQ(browser.pattern(), "*.*");
    EXPECT_EQ(names(), (Names{"..", "Alpha", "beta", "notes.txt", "P1.NC", "P10.nc", "p2.nc",
                              "README", "Änderung.nc"}));
    const bool fileEntries[] = {false, false, false, true, true, true, true, true, true};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(browser.isFileEntry(i), fileEntries[i]) << i;
    }
    EXPECT_FALSE(browser.isFileEntry(-1));
    EXPECT_FALSE(browser.isFileEntry(9));
    EXPECT_EQ(browser.entryName(9), "");
    EXPECT_EQ(browser.selectedIndex(), -1);
    EXPECT_EQ(observer.listings, 1);
}

TEST_F(FileBrowserTest, PatternsIgnoreLetterCaseAndNeverHideFolders) {
    browser.pointAt(path() + "*.nc");
    EXPECT_EQ(names(), (Names{"..", "Alpha", "beta", "P1.NC", "P10.nc", "p2.nc", "Änderung.nc"}));
    browser.pointAt("*.");
    EXPECT_EQ(names(), (Names{"..", "Alpha", "beta", "README"}));
    browser.pointAt("p1*");
    EXPECT_EQ(names(), (Names{"..", "Alpha", "beta", "P1.NC", "P10.nc"}));
    browser.pointAt("ä*");
    EXPECT_EQ(names(), (Names{"..", "Alpha", "beta", "Änderung.nc"}));
}

TEST_F(FileBrowserTest, RowsCarryTheColumnTexts) {
    browser.pointAt(path());
    const auto rows = browser.rows();
    ASSERT_EQ(rows.size(), 9U);
    const struct {
        const char* name;
        const char* size;
        const char* type;
    } cases[] = {
        {"..", "", ""},
        {"beta", "", "Dateiordner"},
        {"P1.NC", "2 KB", "NC-Datei"},
        {"p2.nc", "0 KB", "NC-Datei"},
        {"P10.nc", "1 KB", "NC-Datei"},
        {"notes.txt", "1 KB", "TXT-Datei"},
        {"README", "1 KB", "Datei"},
    };
    for (const auto& c : cases) {
        const auto& row = rows[static_cast<std::size_t>(indexOf(c.name))];
        EXPECT_EQ(row.name, c.name);
        EXPECT_EQ(row.size, c.size) << c.name;
        EXPECT_EQ(row.type, c.type) << c.name;
    }
    EXPECT_EQ(rows[0].modified, "");
    EXPECT_EQ(rows[static_cast<std::size_t>(indexOf("P1.NC"))].modified.size(), 16U);
}

TEST_F(FileBrowserTest, LocationRuleKeepsWhatTheTextDoesNotName) {
    browser.pointAt(path() + "*.nc");
    EXPECT_EQ(browser.currentDirectory(), path());
    EXPECT_EQ(browser.pattern(), "*.nc");
    browser.pointAt(path() + "beta" + separator);
    EXPECT_EQ(browser.currentDirectory(), path() + "beta" + separator);
    EXPECT_EQ(browser.pattern(), "*.nc");
    browser.pointAt("P1*");
    EXPECT_EQ(browser.currentDirectory(), path() + "beta" + separator);
    EXPECT_EQ(browser.pattern(), "P1*");
    // The other platform's separator is taken as well.
    std::string foreign = path() + "Alpha/";
    std::replace(foreign.begin(), foreign.end(), separator, separator == '/' ? '\\' : '/');
    browser.pointAt(foreign);
    EXPECT_EQ(browser.currentDirectory(), path() + "Alpha" + separator);
    EXPECT_EQ(browser.pattern(), "P1*");
}

TEST_F(FileBrowserTest, MissingDirectoryShowsTheDrives) {
    browser.pointAt(path() + "missing" + separator + "*.nc");
    EXPECT_EQ(browser.currentDirectory(), "");
    EXPECT_EQ(browser.pattern(), "*.nc");
    EXPECT_EQ(names(), (Names{"/", "/media/op/STICK/"}));
    EXPECT_FALSE(browser.isFileEntry(0));
    EXPECT_EQ(browser.rows()[1].type, "Laufwerk");

    browser.pointAt(""); // the drives view re-pointed at its own directory
    EXPECT_EQ(browser.pattern(), "*.nc");
    EXPECT_EQ(browser.entryCount(), 2);

    // A file is no directory either.
    browser.pointAt(path() + "README" + separator);
    EXPECT_EQ(browser.currentDirectory(), "");

    browser.setDriveSource(nullptr);
    browser.pointAt("");
    EXPECT_EQ(browser.entryCount(), 0);
}

TEST_F(FileBrowserTest, OpeningFoldersChangesTheDirectoryAndSelectsNothing) {
    file("beta/inner.nc", 10);
    browser.pointAt(path());
    const int beta = indexOf("beta");
    browser.selectEntry(beta);
    EXPECT_EQ(browser.open(browser.selectedIndex()), OpenOutcome::DirectoryChanged);
    EXPECT_EQ(browser.currentDirectory(), path() + "beta" + separator);
    EXPECT_EQ(names(), (Names{"..", "inner.nc"}));
    EXPECT_EQ(browser.selectedIndex(), -1);
    EXPECT_EQ(observer.selections, (std::vector<int>{beta, -1}));

    EXPECT_EQ(browser.open(0), OpenOutcome::DirectoryChanged); // ".."
    EXPECT_EQ(browser.currentDirectory(), path());
    EXPECT_EQ(browser.open(indexOf("P1.NC")), OpenOutcome::FileOpened);
    EXPECT_EQ(browser.currentDirectory(), path());
    EXPECT_EQ(browser.open(-1), OpenOutcome::Nothing);
    EXPECT_EQ(browser.open(browser.entryCount()), OpenOutcome::Nothing);
    EXPECT_EQ(observer.listings, 3);
}

TEST_F(FileBrowserTest, ParentOfTheRootLeadsToTheDrivesAndBack) {
    const FileBrowser fresh(&twoDrives);
    EXPECT_EQ(fresh.currentDirectory(), "");
    EXPECT_EQ(fresh.entryName(0), "/");

    const std::string root = drovane::utf8FromPath(drovane::pathFromUtf8(path()).root_path());
    browser.pointAt(root);
    ASSERT_EQ(browser.entryName(0), "..");
    EXPECT_EQ(browser.open(0), OpenOutcome::DirectoryChanged);
    EXPECT_EQ(browser.currentDirectory(), "");
    EXPECT_EQ(browser.entryName(0), "/");

    browser.setDriveSource([&] {
        return std::vector<FileEntry>{{FileEntry::Kind::Drive, root, 0, std::nullopt, "Laufwerk"}};
    });
    browser.pointAt("");
    EXPECT_EQ(browser.open(0), OpenOutcome::DirectoryChanged);
    EXPECT_EQ(browser.currentDirectory(), root);
    EXPECT_EQ(browser.entryName(0), "..");
}

TEST_F(FileBrowserTest, SelectionIsReportedOnlyWhenItChanges) {
    browser.pointAt(path());
    browser.selectEntry(3);
    browser.selectEntry(3);
    browser.selectEntry(99); // outside: clears
    browser.selectEntry(-1);
    browser.selectEntry(4);
    EXPECT_EQ(observer.selections, (std::vector<int>{3, -1, 4}));
    browser.pointAt("*.nc"); // a new listing selects nothing
    EXPECT_EQ(browser.selectedIndex(), -1);
    EXPECT_EQ(observer.selections, (std::vector<int>{3, -1, 4, -1}));
}

TEST_F(FileBrowserTest, RereadKeepsTheSelectionByNameAndReportsItsLoss) {
    browser.pointAt(path() + "*.nc");
    browser.selectEntry(indexOf("P10.nc"));

    file("P0.nc", 5);
    file("ignored.txt", 5);
    EXPECT_FALSE(browser.reread());
    EXPECT_GE(indexOf("P0.nc"), 0);
    EXPECT_EQ(indexOf("ignored.txt"), -1);
    EXPECT_EQ(browser.entryName(browser.selectedIndex()), "P10.nc");

    std::filesystem::remove(at("P10.nc"));
    EXPECT_TRUE(browser.reread());
    EXPECT_EQ(browser.selectedIndex(), -1);
    EXPECT_FALSE(browser.reread()) << "nothing selected, nothing lost";

    browser.pointAt(path() + "beta" + separator);
    std::filesystem::remove_all(at("beta"));
    EXPECT_TRUE(browser.reread());
    EXPECT_EQ(browser.currentDirectory(), "");
    EXPECT_EQ(browser.entryName(0), "/");
}

TEST_F(FileBrowserTest, FindEntryMatchesColumnPrefixesWithLetterCase) {
    browser.pointAt(path() + "*.nc");
    const struct {
        const char* text;
        int column;
        int from;
        int found;
    } cases[] = {
        {"P1", 0, 0, indexOf("P1.NC")},
        {"P1", 0, indexOf("P1.NC") + 1, indexOf("P10.nc")},
        {"P10", 0, -5, indexOf("P10.nc")},
        {"p1", 0, 0, -1},
        {"P1.NC.bak", 0, 0, -1},
        {"bet", 0, 0, indexOf("beta")},
        {"NC-", 2, 0, indexOf("P1.NC")},
        {"2 KB", 1, 0, indexOf("P1.NC")},
        {"", 0, 2, 2},
        {"P1", 0, 99, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(browser.findEntry(c.text, c.column, c.from), c.found) << c.text;
    }
}

} // namespace
