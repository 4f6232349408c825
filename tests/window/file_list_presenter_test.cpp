#include "window/file_list_presenter.h"

#include "browser_folder.h"

#include <gtest/gtest.h>

#include <vector>

using drovane::FileBrowser;
using drovane::FileListPresenter;
using drovane::FileRowText;
using drovane::Trigger;

namespace {

// A front end that only has a file list: it keeps what it was told to show.
class RowsView : public drovane::WindowView {
public:
    std::vector<std::string> shownNames() const {
        std::vector<std::string> names;
        for (const FileRowText& row : rows) {
            names.push_back(row.name);
        }
        return names;
    }

    void showFileRows(std::span<const FileRowText> shown) override {
        rows.assign(shown.begin(), shown.end());
        selected = -1;
        ++listings;
    }
    int selectedFileRow() const override { return selected; }
    void selectFileRow(int row) override { selected = row; }

    std::string text(std::string_view /*control*/) const override { return {}; }
    void setText(std::string_view /*control*/, std::string_view /*text*/) override {}
    bool checked(std::string_view /*control*/) const override { return false; }
    void setChecked(std::string_view /*control*/, bool /*on*/) override {}
    void setEnabled(std::string_view /*control*/, bool /*enabled*/) override {}
    void setFocus(std::string_view /*control*/) override {}
    std::vector<std::string> items(std::string_view /*control*/) const override { return {}; }
    void setItems(std::string_view /*control*/, std::span<const std::string> /*items*/) override {}
    int selectedItem(std::string_view /*control*/) const override { return -1; }
    void selectItem(std::string_view /*control*/, int /*index*/) override {}
    std::string tabTitle(int /*tab*/) const override { return {}; }
    void setTabTitle(int /*tab*/, std::string_view /*title*/) override {}
    void showMode(drovane::Mode /*mode*/) override {}
    void clearEditor() override {}
    void appendEditor(std::string_view /*bytes*/) override {}
    void editorCaretToStart() override {}
    void clearEditorSelection() override {}
    void followEditorLine(std::optional<std::size_t> /*line*/) override {}
    void appendStatus(std::string_view /*line*/) override {}
    void replaceLastStatus(std::string_view /*line*/) override {}
    void clearStatus() override {}
    void clearStatusSelection() override {}
    void setProgressMaximum(int /*maximum*/) override {}
    void setProgressValue(int /*value*/) override {}
    void setStatusField(int /*field*/, std::string_view /*text*/) override {}

    std::vector<FileRowText> rows;
    int selected = -1;
    int listings = 0;
};

class FileListPresenterTest : public drovane::fixtures::BrowserFolder {
protected:
    void SetUp() override {
        BrowserFolder::SetUp();
        folder("sub");
        file("sub/inner.nc", 1);
        file("P1.nc", 1);
        file("P2.nc", 1);
        browser.pointAt(path() + "*.nc");
    }

    FileBrowser browser;
    RowsView view;
};

TEST_F(FileListPresenterTest, ViewFollowsEveryListingAndProgramSelection) {
    const FileListPresenter presenter(browser, view);
    EXPECT_EQ(view.shownNames(), (std::vector<std::string>{"..", "sub", "P1.nc", "P2.nc"}));
    EXPECT_EQ(view.rows[2].size, "1 KB");

    browser.selectEntry(3);
    EXPECT_EQ(view.selected, 3);
    browser.pointAt("P1*");
    EXPECT_EQ(view.shownNames(), (std::vector<std::string>{"..", "sub", "P1.nc"}));
    EXPECT_EQ(view.selected, -1);
    EXPECT_EQ(view.listings, 2);
}

TEST_F(FileListPresenterTest, OperatorSelectionIsReportedOnceAndOutsideRowsAreUndone) {
    FileListPresenter presenter(browser, view);
    EXPECT_EQ(presenter.rowSelected(2), Trigger::ListChanged);
    EXPECT_EQ(browser.selectedIndex(), 2);
    EXPECT_EQ(presenter.rowSelected(2), std::nullopt);
    view.selected = 9; // a row the browser does not have
    EXPECT_EQ(presenter.rowSelected(9), Trigger::ListChanged);
    EXPECT_EQ(browser.selectedIndex(), -1);
    EXPECT_EQ(view.selected, -1);
    EXPECT_EQ(presenter.rowSelected(-1), std::nullopt);
}

TEST_F(FileListPresenterTest, OpeningTellsFilesFromFolders) {
    FileListPresenter presenter(browser, view);
    EXPECT_EQ(presenter.rowOpened(2), Trigger::ListOpened);
    EXPECT_EQ(browser.selectedIndex(), 2) << "what is opened is what is selected";
    EXPECT_EQ(presenter.rowOpened(1), Trigger::ListChanged);
    EXPECT_EQ(browser.currentDirectory(), path() + "sub" + separator);
    EXPECT_EQ(view.shownNames(), (std::vector<std::string>{"..", "inner.nc"}));
    EXPECT_EQ(view.selected, -1);
    EXPECT_EQ(presenter.rowOpened(7), std::nullopt);
}

TEST_F(FileListPresenterTest, DiskChangesReportOnlyALostSelection) {
    FileListPresenter presenter(browser, view);
    presenter.rowSelected(3);
    file("P0.nc", 1);
    EXPECT_EQ(presenter.directoryChangedOnDisk(), std::nullopt);
    EXPECT_EQ(view.shownNames(),
              (std::vector<std::string>{"..", "sub", "P0.nc", "P1.nc", "P2.nc"}));
    EXPECT_EQ(view.selected, 4) << "P2.nc moved down a row and stays selected";
    std::filesystem::remove(at("P2.nc"));
    EXPECT_EQ(presenter.directoryChangedOnDisk(), Trigger::ListChanged);
    EXPECT_EQ(view.selected, -1);
}

TEST_F(FileListPresenterTest, GoingAwayLeavesTheBrowserAlone) {
    { const FileListPresenter presenter(browser, view); }
    browser.pointAt("P2*");
    EXPECT_EQ(view.listings, 1);
}

} // namespace
