// What Windows adds to the atomic replacement: no in-place fallback, device
// names, and files that are read-only or held open by another program.

#include "../atomic_file_fixture.h"

#include "core/unique_handle_win32.h"

namespace fs = std::filesystem;
using drovane::UniqueHandle;
using drovane::writeFileAtomically;
using drovane::testing::AtomicFile;
using drovane::testing::contentOf;
using drovane::testing::folderTakesNoFile;

TEST_F(AtomicFile, AFolderThatTakesNoTemporaryFileKeepsTheOldFileAndSaysSo) {
    const auto target = folder / "drovane.ini";
    ASSERT_TRUE(writeFileAtomically(target, "old content"));
    EXPECT_FALSE(writeFileAtomically(target, "new", nullptr, folderTakesNoFile));
    EXPECT_EQ(contentOf(target), "old content");
    EXPECT_EQ(entriesInFolder(), 1u);
}

TEST_F(AtomicFile, ADeviceNameIsNeverWrittenTo) {
    for (const char* name : {"NUL", "nul.nc", "COM1", "CON.ini", "LPT1.txt"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(writeFileAtomically(folder / name, "G0\r\n"));
        EXPECT_FALSE(writeFileAtomically(name, "G0\r\n"));
    }
    EXPECT_FALSE(writeFileAtomically(L"\\\\.\\NUL", "G0\r\n"));
    EXPECT_EQ(entriesInFolder(), 0u);
}

TEST_F(AtomicFile, AReadOnlyFileIsLeftAsItIs) {
    const auto target = folder / "P1.nc";
    ASSERT_TRUE(writeFileAtomically(target, "old"));
    ASSERT_NE(::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY), 0);
    const bool written = writeFileAtomically(target, "new");
    ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(written);
    EXPECT_EQ(contentOf(target), "old");
    EXPECT_EQ(entriesInFolder(), 1u);
}

// An editor that holds the file open without letting it be deleted.
TEST_F(AtomicFile, AFileHeldOpenByAnotherProgramIsLeftWhole) {
    const auto target = folder / "P1.nc";
    ASSERT_TRUE(writeFileAtomically(target, "old"));
    bool written = false;
    {
        const UniqueHandle editor(::CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                                nullptr));
        ASSERT_TRUE(editor.valid());
        written = writeFileAtomically(target, "new");
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(contentOf(target), "old");
    EXPECT_EQ(entriesInFolder(), 1u);
}

// A reader that shares everything does not stand in the way; the old file
// vanishes once the reader lets it go.
TEST_F(AtomicFile, AFileOpenForSharedReadingIsReplaced) {
    const auto target = folder / "P1.nc";
    ASSERT_TRUE(writeFileAtomically(target, "old"));
    bool written = false;
    {
        const UniqueHandle reader(::CreateFileW(
            target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(reader.valid());
        written = writeFileAtomically(target, "new");
    }
    EXPECT_TRUE(written);
    EXPECT_EQ(contentOf(target), "new");
    EXPECT_EQ(entriesInFolder(), 1u);
}
