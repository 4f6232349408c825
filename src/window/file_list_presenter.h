#pragma once

// Keeps a front end's file list showing a FileBrowser, and turns what the
// operator does in that list into the triggers the commands hear. For a
// front end that draws the list through WindowView (the Windows window).

#include "window/file_browser.h"
#include "window/window_view.h"

#include <functional>
#include <optional>
#include <utility>

namespace drovane {

class FileListPresenter final : private FileBrowserObserver {
public:
    // Shows the browser's rows at once; both must outlive the presenter.
    FileListPresenter(FileBrowser& browser, WindowView& view);
    ~FileListPresenter() override;
    FileListPresenter(const FileListPresenter&) = delete;
    FileListPresenter& operator=(const FileListPresenter&) = delete;
    FileListPresenter(FileListPresenter&&) = delete;
    FileListPresenter& operator=(FileListPresenter&&) = delete;

    // The operator selected a row (-1 for none): ListChanged when that moved
    // the selection.
    std::optional<Trigger> rowSelected(int row);
    // The operator double-clicked a row or pressed Enter on it: ListOpened
    // for a file, ListChanged when a folder, drive or ".." was entered. The
    // row is selected first without a trigger of its own: the click before
    // the double-click reported that.
    std::optional<Trigger> rowOpened(int row);
    // The directory changed on disk: ListChanged when the directory or the
    // selected entry is gone.
    std::optional<Trigger> directoryChangedOnDisk();
    // Told whenever the list shows a new listing, so that the front end can
    // watch the directory it is of.
    void setListingShown(std::function<void()> shown) { m_listingShown = std::move(shown); }

private:
    void listingAboutToChange() override {}
    void listingChanged() override;
    void selectedEntryChanged() override;

    FileBrowser& m_browser;
    WindowView& m_view;
    std::function<void()> m_listingShown;
    bool m_fromView = false;
};

} // namespace drovane
