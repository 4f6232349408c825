#include "service/reception_store.h"
#include "service_folder.h"

#include <gtest/gtest.h>

namespace drovane {
namespace {

class ReceptionStorePosix : public testing::ServiceFolder {};

TEST_F(ReceptionStorePosix, NeverWritesThroughALinkOutOfTheFolder) {
    const auto receiveFolder = folder / "ein";
    put(folder / "approved.nc", "approved");
    put(receiveFolder / "O2.nc", "inside");
    std::filesystem::create_symlink(folder / "approved.nc", receiveFolder / "O1.nc");
    std::filesystem::create_symlink("O2.nc", receiveFolder / "O3.nc");
    const auto out = storeReception(receiveFolder, {"O1\nG0\n", "F", "nc", testing::sampleTime()});
    EXPECT_EQ(out.result, "Fehler");
    EXPECT_EQ(contentOf(folder / "approved.nc"), "approved");
    EXPECT_EQ(contentOf(out.file), "O1\nG0\n");
    const auto in = storeReception(receiveFolder, {"O3\nG0\n", "F", "nc", testing::sampleTime()});
    EXPECT_EQ(in.result, "gespeichert");
    EXPECT_EQ(contentOf(receiveFolder / "O2.nc"), "O3\nG0\n");
}

} // namespace
} // namespace drovane
