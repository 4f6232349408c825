#include "atomic_file_fixture.h"
#include "core/new_file.h"

namespace drovane::testing {
namespace {

class NewFile : public AtomicFile {};

TEST_F(NewFile, IsWrittenOnlyWhereNothingStood) {
    EXPECT_EQ(writeNewFile(folder / "new.nc", "N1\r\n\xFF"), NewFileResult::Written);
    EXPECT_EQ(contentOf(folder / "new.nc"), "N1\r\n\xFF");
    EXPECT_EQ(writeNewFile(folder / "new.nc", "other"), NewFileResult::NameTaken);
    EXPECT_EQ(contentOf(folder / "new.nc"), "N1\r\n\xFF");
}

TEST_F(NewFile, AWriteThatFailsHalfwayLeavesNoFile) {
    EXPECT_EQ(writeNewFile(folder / "torn.nc", "0123456789", halfThenDiskFull),
              NewFileResult::Failed);
    EXPECT_EQ(entriesInFolder(), 0U);
    EXPECT_EQ(writeNewFile(folder / "missing" / "x.nc", "text"), NewFileResult::Failed);
}

} // namespace
} // namespace drovane::testing
