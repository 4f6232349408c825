#include "win32/file_list_rows.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

using namespace drovane;

namespace {

std::wstring cell(const FileListRows& rows, int item, int column, int room = 64) {
    // One more than the list offers, ended, so an untouched buffer reads back.
    std::vector<wchar_t> buffer(static_cast<std::size_t>(room) + 1, L'#');
    buffer.back() = L'\0';
    NMLVDISPINFOW request{};
    request.item.mask = LVIF_TEXT;
    request.item.iItem = item;
    request.item.iSubItem = column;
    request.item.pszText = buffer.data();
    request.item.cchTextMax = room;
    rows.fill(request);
    return buffer.data();
}

} // namespace

TEST(FileListRows, EachColumnShowsItsOwnTextConverted) {
    FileListRows rows;
    const std::array<FileRowText, 2> shown{
        FileRowText{"..", "", "", ""},
        FileRowText{"Wälzfräser.nc", "3 KB", "NC-Datei", "07.12.2026 10:15"},
    };
    rows.show(nullptr, shown);
    EXPECT_EQ(rows.count(), 2);
    EXPECT_EQ(cell(rows, 1, 0), L"W\u00E4lzfr\u00E4ser.nc");
    EXPECT_EQ(cell(rows, 1, 1), L"3 KB");
    EXPECT_EQ(cell(rows, 1, 2), L"NC-Datei");
    EXPECT_EQ(cell(rows, 1, 3), L"07.12.2026 10:15");
    EXPECT_EQ(cell(rows, 0, 0), L"..");
}

TEST(FileListRows, ALongNameIsCutToTheListsBufferAndEnded) {
    FileListRows rows;
    const std::array<FileRowText, 1> shown{FileRowText{"O1001-Programm.nc", "", "", ""}};
    rows.show(nullptr, shown);
    EXPECT_EQ(cell(rows, 0, 0, 6), L"O1001");
    EXPECT_EQ(cell(rows, 0, 0, 1), L"");
}

TEST(FileListRows, AskingOutsideTheRowsWritesNothing) {
    FileListRows rows;
    const std::array<FileRowText, 1> shown{FileRowText{"A.nc", "1 KB", "", ""}};
    rows.show(nullptr, shown);
    for (const auto& [item, column] : {std::pair{1, 0}, {-1, 0}, {0, 4}, {0, -1}}) {
        EXPECT_EQ(cell(rows, item, column, 4), L"####") << item << " " << column;
    }
    rows.show(nullptr, {}); // a new, empty listing forgets the old rows
    EXPECT_EQ(cell(rows, 0, 0, 4), L"####");
}
