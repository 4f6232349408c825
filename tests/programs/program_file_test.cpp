#include "programs/program_file.h"
#include "temp_folder.h"

#include <optional>

namespace fs = std::filesystem;
using drovane::readProgramFile;
using drovane::writeProgramFileAtomically;

namespace {

class ProgramFile : public drovane::testing::TempFolder {};

std::string allBytesExceptNul() {
    std::string bytes;
    for (int value = 1; value < 256; ++value) {
        bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}

std::ptrdiff_t diskFullAfterSomeBytes(drovane::OpenFile& file, std::string_view bytes) {
    if (bytes.size() > 3) {
        return drovane::writeToFile(file, bytes.substr(0, 3));
    }
    return -1;
}

} // namespace

TEST_F(ProgramFile, LineEndsAndHighBytesSurviveALoadAndASave) {
    const std::string crlf = "%\r\nO0001\r\nG0 X10 \xE4\xF6\xFC\xDF\r\nM30\r\n%\r\n";
    const std::string lf = "%\nO0002\nM30\n";
    const std::string mixed = "A\rB\n\rC\r\n" + allBytesExceptNul();
    for (const auto& bytes : {crlf, lf, mixed}) {
        put(folder / "in.nc", bytes);
        const auto loaded = readProgramFile(folder / "in.nc");
        ASSERT_TRUE(loaded.has_value());
        EXPECT_EQ(*loaded, bytes);
        ASSERT_TRUE(writeProgramFileAtomically(folder / "out.nc", *loaded));
        EXPECT_EQ(contentOf(folder / "out.nc"), bytes);
    }
}

TEST_F(ProgramFile, TheTextEndsAtTheFirstNulAndTheFileStaysAsItWas) {
    const std::string onDisk("G1 X1\r\n\0G1 X2\r\n\0", 16);
    put(folder / "with_nul.nc", onDisk);
    EXPECT_EQ(readProgramFile(folder / "with_nul.nc"), "G1 X1\r\n");
    EXPECT_EQ(contentOf(folder / "with_nul.nc"), onDisk);

    put(folder / "leading.nc", std::string("\0abc", 4));
    EXPECT_EQ(readProgramFile(folder / "leading.nc"), "");
}

TEST_F(ProgramFile, AnEmptyFileIsAnEmptyProgram) {
    put(folder / "empty.nc", "");
    const auto loaded = readProgramFile(folder / "empty.nc");
    ASSERT_TRUE(loaded.has_value());
    EXPECT_TRUE(loaded->empty());
}

TEST_F(ProgramFile, WhatCannotBeReadGivesNothing) {
    EXPECT_EQ(readProgramFile(folder / "missing.nc"), std::nullopt);
    fs::create_directories(folder / "P1.nc");
    EXPECT_EQ(readProgramFile(folder / "P1.nc"), std::nullopt);
    put(folder / "file", "x");
    EXPECT_EQ(readProgramFile(folder / "file" / "below.nc"), std::nullopt);
}

TEST_F(ProgramFile, ReadsFilesLargerThanOneBufferWholly) {
    std::string bytes;
    for (int line = 0; bytes.size() < 300000; ++line) {
        bytes += "N" + std::to_string(line) + " G1 X" + std::to_string(line % 977) + "\r\n";
    }
    put(folder / "big.nc", bytes);
    EXPECT_EQ(readProgramFile(folder / "big.nc"), bytes);
}

TEST_F(ProgramFile, AShorterSaveReplacesTheOldFileCompletely) {
    const auto target = folder / "P1.nc";
    put(target, std::string(5000, 'o') + "\r\nM30\r\n");
    ASSERT_TRUE(writeProgramFileAtomically(target, "G0\r\n"));
    EXPECT_EQ(contentOf(target), "G0\r\n");
}

TEST_F(ProgramFile, AFailedSaveLeavesTheOldFileWholeAndSaysSo) {
    const auto target = folder / "P1.nc";
    put(target, "old program\r\n");
    EXPECT_FALSE(
        writeProgramFileAtomically(target, "new and longer program\r\n", diskFullAfterSomeBytes));
    EXPECT_EQ(contentOf(target), "old program\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST_F(ProgramFile, AFolderOfTheTargetsNameIsNotOverwritten) {
    fs::create_directories(folder / "P1.nc" / "inner");
    EXPECT_FALSE(writeProgramFileAtomically(folder / "P1.nc", "G0\r\n"));
    EXPECT_TRUE(fs::is_directory(folder / "P1.nc" / "inner"));
}
