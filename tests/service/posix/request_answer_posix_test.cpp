#include "service/request_answer.h"
#include "service_folder.h"

#include <gtest/gtest.h>

namespace drovane {
namespace {

class RequestAnswerPosix : public testing::ServiceFolder {};

TEST_F(RequestAnswerPosix, NeverSendsThroughALinkOutOfTheFolderAndMindsCase) {
    ServedMachine machine;
    machine.sendFolder = folder / "senden";
    put(folder / "secret.nc", "outside");
    put(machine.sendFolder / "O1.nc", "inside");
    std::filesystem::create_symlink(folder / "secret.nc", machine.sendFolder / "O2.nc");
    std::filesystem::create_symlink("O1.nc", machine.sendFolder / "O3.nc");
    EXPECT_EQ(answerRequest("2", machine, "*.nc").outcome, RequestOutcome::NotFound);
    EXPECT_EQ(answerRequest("3", machine, "*.nc").file, machine.sendFolder / "O3.nc");
    EXPECT_EQ(answerRequest("o1.NC", machine, "*.nc").outcome, RequestOutcome::NotFound);
}

} // namespace
} // namespace drovane
