#include "programs/program_file.h"
#include "temp_folder.h"

#include <cerrno>
#include <sys/stat.h>
#include <thread>

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

ssize_t diskFullAfterSomeBytes(int fd, const void* data, std::size_t size) {
    if (size > 3) {
        return ::write(fd, data, 3);
    }
    errno = ENOSPC;
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
    put(folder / "nul.nc", onDisk);
    EXPECT_EQ(readProgramFile(folder / "nul.nc"), "G1 X1\r\n");
    EXPECT_EQ(contentOf(folder / "nul.nc"), onDisk);

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

TEST_F(ProgramFile, ReadsWhatAPipeDelivers) {
    // A fifo reports size 0, so the reader must not trust the size it saw.
    const auto fifo = folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string bytes(10000, 'G');
    std::thread writer([&] { put(fifo, bytes); });
    const auto loaded = readProgramFile(fifo);
    writer.join();
    EXPECT_EQ(loaded, bytes);
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
