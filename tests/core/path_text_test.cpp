#include "core/path_text.h"

#include "atomic_file_fixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

using namespace drovane;
using drovane::testing::AtomicFile;
using drovane::testing::contentOf;

class PathText : public AtomicFile {};

// Umlauts as the settings file and the window hold them (Windows-1252) must
// name the same file on disk that the system lists back, on both systems.
TEST_F(PathText, UmlautsRoundTripThroughARealFile) {
    const std::string name = "Pr\xFC"
                             "fung_\xE4\xF6\xDF\x80.nc";
    const auto path = folder / pathFromWindows1252(name);
    std::ofstream(path, std::ios::binary) << "G0\r\n";

    std::vector<std::string> listed;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        listed.push_back(windows1252FromPath(entry.path().filename()));
    }
    EXPECT_EQ(listed, std::vector<std::string>{name});
    EXPECT_EQ(contentOf(folder / pathFromWindows1252(name)), "G0\r\n");
}
