// Program files on Windows: device names are refused, and Windows-1252 path
// texts with umlauts name the files the system has.

#include "../temp_folder.h"
#include "core/path_text.h"
#include "programs/program_file.h"

namespace fs = std::filesystem;
using namespace drovane;

namespace {

class ProgramFileOnWindows : public drovane::testing::TempFolder {};

} // namespace

// NUL opened would load as an empty program, COM1 would raise its lines.
TEST_F(ProgramFileOnWindows, ADeviceNameIsNeitherLoadedNorSaved) {
    for (const auto& path : {fs::path(L"NUL"), folder / L"nul.nc", folder / L"NUL.txt",
                             fs::path(L"CON"), fs::path(L"COM1"), fs::path(L"\\\\.\\NUL")}) {
        SCOPED_TRACE(path.string());
        EXPECT_EQ(readProgramFile(path), std::nullopt);
        EXPECT_FALSE(writeProgramFileAtomically(path, "G0\r\n"));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 0);
}

TEST_F(ProgramFileOnWindows, AnUmlautFolderAndNameFindTheFileOnDisk) {
    const std::string sub = "Pr\xFC"
                            "fung";
    fs::create_directories(folder / pathFromWindows1252(sub));
    put(folder / pathFromWindows1252(sub) / pathFromWindows1252("W\xE4lze.nc"), "G0\r\n");
    const std::string directory = windows1252FromPath(folder) + "\\" + sub + "\\";

    const SaveTarget target = inspectSaveTarget(directory, "W\xE4lze", "*.nc");
    EXPECT_EQ(target.state, SaveTargetState::ExistingFile);
    EXPECT_EQ(target.path, directory + "W\xE4lze.nc");
    EXPECT_EQ(readProgramFile(pathFromText(target.path)), "G0\r\n");

    ASSERT_TRUE(writeProgramFileAtomically(pathFromText(directory + "\xD6l.nc"), "M30\r\n"));
    EXPECT_EQ(inspectSaveTarget(directory, "\xD6l", "*.nc").state, SaveTargetState::ExistingFile);
    EXPECT_EQ(contentOf(folder / pathFromWindows1252(sub) / pathFromWindows1252("\xD6l.nc")),
              "M30\r\n");
}
