#include "service/request_answer.h"
#include "service_folder.h"

#include <gtest/gtest.h>

namespace drovane {
namespace {

class RequestAnswerTest : public testing::ServiceFolder {
protected:
    void SetUp() override {
        ServiceFolder::SetUp();
        machine.name = "Fanuc";
        machine.sendFolder = folder / "senden";
        put(machine.sendFolder / "O1234.nc", "%\nO1234\nM30\n%\n");
        put(machine.sendFolder / "WELLE", "%\nWELLE\n%\n");
        put(machine.sendFolder / "notes.txt", "not a program");
        put(folder / "secret.nc", "outside");
    }
    RequestAnswer answer(std::string_view name) const {
        return answerRequest(name, machine, "*.nc");
    }

    ServedMachine machine;
};

TEST_F(RequestAnswerTest, FindsTheNameTheNameWithExtensionOrTheNumber) {
    for (const auto& [name, file] :
         {std::pair{"O1234.nc", "O1234.nc"}, std::pair{"O1234", "O1234.nc"},
          std::pair{"1234", "O1234.nc"}, std::pair{"WELLE", "WELLE"}}) {
        const auto found = answer(name);
        EXPECT_EQ(found.outcome, RequestOutcome::SendFile) << name;
        EXPECT_EQ(found.file, machine.sendFolder / file) << name;
        EXPECT_TRUE(found.result.empty());
    }
}

TEST_F(RequestAnswerTest, RefusesNamesThatCouldLeaveTheFolder) {
    const std::string tooLong(LongestRequestedName + 1, 'A');
    for (const std::string name :
         {"../secret.nc", "..", "a/b", "a\\b", "C:secret", "O12\x01", tooLong.c_str(), ""}) {
        const auto refused = answer(name);
        EXPECT_EQ(refused.outcome, RequestOutcome::Refused) << name;
        EXPECT_EQ(refused.result, "abgelehnt");
        EXPECT_TRUE(refused.file.empty());
    }
}

TEST_F(RequestAnswerTest, AnswersWhatFailedAsAProgramWhenTheMachineWantsIt) {
    EXPECT_EQ(answer("4711").text, "%\nO9999\n(NICHT GEFUNDEN 4711)\nM30\n%\n");
    EXPECT_EQ(answer("4711").result, "nicht gefunden");
    EXPECT_EQ(answer("A..(B").text, "%\nO9999\n(ABGELEHNT A..?B)\nM30\n%\n");
    machine.answerOnError = false;
    EXPECT_EQ(answer("4711").outcome, RequestOutcome::NotFound);
    EXPECT_TRUE(answer("4711").text.empty());
}

TEST_F(RequestAnswerTest, ListsTheFolderByThePattern) {
    const auto list = answer("DIRLIST");
    ASSERT_EQ(list.outcome, RequestOutcome::SendText);
    EXPECT_TRUE(list.text.starts_with("%\nO9999\n(NAME  BYTES  DATE)\n(O1234.nc  14  "))
        << list.text;
    EXPECT_TRUE(list.text.ends_with(")\nM30\n%\n"));
    EXPECT_EQ(list.text.find("notes.txt"), std::string::npos);
    EXPECT_EQ(list.text.find("WELLE"), std::string::npos);
}

} // namespace
} // namespace drovane
