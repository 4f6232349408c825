#include "service/reception_store.h"
#include "service/time_stamp.h"
#include "service_folder.h"

#include <gtest/gtest.h>

namespace drovane {
namespace {

class ReceptionStore : public testing::ServiceFolder {
protected:
    StoredReception store(std::string_view text, bool complete = true,
                          WriteCall writeCall = nullptr) const {
        const Reception reception{text, "Fanuc", "nc", testing::sampleTime(), complete};
        return storeReception(folder, reception, writeCall);
    }
    std::filesystem::path target() const { return folder / "O1234.nc"; }
};

constexpr std::string_view kProgram = "%\nO1234\nG0 X1\nM30\n%\n";
constexpr std::string_view kEdited = "%\nO1234\nG0 X2\nM30\n%\n";

std::ptrdiff_t failingWrite(OpenFile& /*file*/, std::string_view /*bytes*/) {
    return -1;
}

TEST_F(ReceptionStore, SavesUnderTheProgramNumber) {
    const auto stored = store(kProgram);
    EXPECT_EQ(stored.result, "gespeichert");
    EXPECT_EQ(stored.file, target());
    EXPECT_EQ(contentOf(target()), kProgram);
}

TEST_F(ReceptionStore, EqualContentWritesNothing) {
    put(target(), std::string(kProgram));
    const auto before = std::filesystem::last_write_time(target());
    const auto stored = store(kProgram);
    EXPECT_EQ(stored.result, "unverändert");
    EXPECT_EQ(std::filesystem::last_write_time(target()), before);
    EXPECT_FALSE(std::filesystem::exists(folder / "Versionen"));
}

TEST_F(ReceptionStore, OtherContentMovesTheOldOneToVersions) {
    put(target(), std::string(kProgram));
    put(folder / "Versionen" / "O1234.20261209-140322.nc", "older");
    EXPECT_EQ(store(kEdited).result, "gespeichert");
    EXPECT_EQ(contentOf(target()), kEdited);
    EXPECT_EQ(contentOf(folder / "Versionen" / "O1234.20261209-140322.nc"), "older");
    EXPECT_EQ(contentOf(folder / "Versionen" / "O1234.20261209-140322-2.nc"), kProgram);
}

TEST_F(ReceptionStore, CutShortGoesToIncompleteNeverUnderItsName) {
    const auto stored = store("%\nO1234\nG0", false);
    EXPECT_EQ(stored.result, "gespeichert");
    EXPECT_EQ(stored.file, folder / "Unvollstaendig" / "Fanuc-20261209-140322.nc");
    EXPECT_EQ(contentOf(stored.file), "%\nO1234\nG0");
    EXPECT_FALSE(std::filesystem::exists(target()));
}

TEST_F(ReceptionStore, AFolderAtTheNameKeepsTheProgramUnderMachineAndTime) {
    std::filesystem::create_directory(target());
    const auto stored = store(kProgram);
    EXPECT_EQ(stored.result, "Fehler");
    EXPECT_EQ(stored.file, folder / "Fanuc-20261209-140322.nc");
    EXPECT_EQ(contentOf(stored.file), kProgram);
    EXPECT_NE(stored.detail.find("O1234.nc"), std::string::npos) << stored.detail;
}

TEST_F(ReceptionStore, AFailedWriteLeavesTheOldFileWhole) {
    put(target(), std::string(kProgram));
    const auto stored = store(kEdited, true, failingWrite);
    EXPECT_EQ(stored.result, "Fehler");
    EXPECT_FALSE(stored.detail.empty());
    EXPECT_EQ(contentOf(target()), kProgram);
}

} // namespace
} // namespace drovane
