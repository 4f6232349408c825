#include "window/file_list_presenter.h"

namespace drovane {

FileListPresenter::FileListPresenter(FileBrowser& browser, WindowView& view)
    : m_browser(browser), m_view(view) {
    m_browser.setObserver(this);
    listingChanged();
    selectedEntryChanged();
}

FileListPresenter::~FileListPresenter() {
    m_browser.setObserver(nullptr);
}

std::optional<Trigger> FileListPresenter::rowSelected(int row) {
    const int before = m_browser.selectedIndex();
    m_fromView = true;
    m_browser.selectEntry(row);
    m_fromView = false;
    if (m_browser.selectedIndex() != row) {
        // A row the browser does not have: the view must not keep it.
        m_view.selectFileRow(m_browser.selectedIndex());
    }
    return m_browser.selectedIndex() != before ? std::optional(Trigger::ListChanged) : std::nullopt;
}

std::optional<Trigger> FileListPresenter::rowOpened(int row) {
    rowSelected(row);
    switch (m_browser.open(row)) {
    case OpenOutcome::FileOpened:
        return Trigger::ListOpened;
    case OpenOutcome::DirectoryChanged:
        return Trigger::ListChanged;
    case OpenOutcome::Nothing:
        break;
    }
    return std::nullopt;
}

std::optional<Trigger> FileListPresenter::directoryChangedOnDisk() {
    return m_browser.reread() ? std::optional(Trigger::ListChanged) : std::nullopt;
}

void FileListPresenter::listingChanged() {
    m_view.showFileRows(m_browser.rows());
    if (m_listingShown) {
        m_listingShown();
    }
}

void FileListPresenter::selectedEntryChanged() {
    if (!m_fromView) {
        m_view.selectFileRow(m_browser.selectedIndex());
    }
}

} // namespace drovane
