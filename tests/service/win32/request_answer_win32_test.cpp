#include "service/request_answer.h"
#include "service_folder.h"

#include <gtest/gtest.h>

namespace drovane {
namespace {

class RequestAnswerWin32 : public testing::ServiceFolder {};

TEST_F(RequestAnswerWin32, FindsANameWithoutRegardToCase) {
    ServedMachine machine;
    machine.sendFolder = folder / "senden";
    put(machine.sendFolder / "O1234.NC", "inside");
    const auto found = answerRequest("o1234.nc", machine, "*.nc");
    EXPECT_EQ(found.outcome, RequestOutcome::SendFile);
    EXPECT_EQ(found.file.filename(), "O1234.NC");
}

} // namespace
} // namespace drovane
