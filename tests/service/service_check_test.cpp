#include "service/service_check.h"
#include "service_folder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace drovane {
namespace {

class ServiceCheck : public testing::ServiceFolder {
protected:
    void SetUp() override {
        ServiceFolder::SetUp();
        std::filesystem::create_directories(folder / "ein");
        std::filesystem::create_directories(folder / "aus");
        put(settingsFile(), "Pattern = *.nc\n[Fanuc]\nCOM-Nummer = COM1\n"
                            "[Haas]\nCOM-Nummer = COM2\n[Mazak]\nCOM-Nummer = COM1\n");
    }
    std::filesystem::path settingsFile() const { return folder / "drovane.ini"; }
    std::filesystem::path serviceFile() const { return folder / "drovane-dnc.ini"; }
    ServicePlan plan(const std::string& service) const {
        put(serviceFile(), service);
        return planService(settingsFile(), serviceFile());
    }
    static std::vector<std::string> servedNames(const ServicePlan& plan) {
        std::vector<std::string> names;
        for (const auto& planned : plan.served) {
            names.push_back(planned.machine.name);
        }
        return names;
    }
};

TEST_F(ServiceCheck, ReadsTheKeysRelativeToTheFileAndTheirDefaults) {
    const auto read = plan("[Fanuc]\nEmpfangsordner = ein\nSendeordner = aus\nRuhezeit = 0\n"
                           "Antwort_bei_Fehler = ja\n[Haas]\n");
    ASSERT_TRUE(read.faults.empty()) << read.faults.front().text;
    ASSERT_EQ(servedNames(read), (std::vector<std::string>{"Fanuc", "Haas"}));
    const ServedMachine& fanuc = read.served[0].machine;
    EXPECT_EQ(fanuc.receiveFolder, folder / "ein");
    EXPECT_EQ(fanuc.sendFolder, folder / "aus");
    EXPECT_EQ(fanuc.quietTime, std::chrono::seconds(0));
    EXPECT_EQ(fanuc.requestDelay, std::chrono::seconds(3));
    EXPECT_FALSE(fanuc.answerOnError);
    EXPECT_TRUE(read.served[1].machine.answerOnError);
    EXPECT_EQ(read.served[0].profile.values[PortField], "COM1");
    EXPECT_EQ(read.journal, folder / "drovane-journal.jsonl");
    EXPECT_EQ(read.pattern, "*.nc");
}

TEST_F(ServiceCheck, ABadNumberLeavesOnlyItsMachineOut) {
    for (const char* bad : {"abc", "-1", "3s", "", "3601", "99999"}) {
        const auto read =
            plan(std::string("[Fanuc]\nAnfrage_Verzoegerung = ") + bad + "\n[Haas]\n");
        ASSERT_EQ(read.faults.size(), 1U) << bad;
        EXPECT_EQ(read.faults[0].machine, "Fanuc");
        EXPECT_NE(read.faults[0].text.find("Anfrage_Verzoegerung"), std::string::npos);
        EXPECT_EQ(servedNames(read), std::vector<std::string>{"Haas"}) << bad;
    }
}

TEST_F(ServiceCheck, FaultsOfFoldersNamesAndPortsLeaveTheirMachinesOut) {
    put(folder / "datei", "a file, no folder");
    const struct {
        std::string service;
        std::size_t faults;
    } cases[] = {
        {"[Okuma]\n[Haas]\n", 1},
        {"[Fanuc]\nEmpfangsordner = fehlt\n[Haas]\n", 1},
        {"[Fanuc]\nEmpfangsordner = datei/unten\n[Haas]\n", 1},
        {"[Fanuc]\nSendeordner = fehlt\n[Haas]\n", 1},
        {"[Fanuc]\n[Mazak]\n[Haas]\n", 2},
    };
    for (const auto& c : cases) {
        const auto read = plan(c.service);
        EXPECT_EQ(read.faults.size(), c.faults) << c.service;
        EXPECT_EQ(servedNames(read), std::vector<std::string>{"Haas"}) << c.service;
    }
}

TEST_F(ServiceCheck, AUtf8FileMeetsAn8BitSettingsFile) {
    put(settingsFile(), "[Dreh\xFC]\nCOM-Nummer = COM3\n");
    std::filesystem::create_directories(folder / std::filesystem::path(u8"einü"));
    const auto read = plan("\xEF\xBB\xBF[Dreh\xC3\xBC]\nEmpfangsordner = ein\xC3\xBC\n");
    ASSERT_TRUE(read.faults.empty()) << read.faults.front().text;
    ASSERT_EQ(servedNames(read), std::vector<std::string>{"Dreh\xFC"});
    EXPECT_EQ(read.served[0].machine.receiveFolder, folder / std::filesystem::path(u8"einü"));
}

TEST_F(ServiceCheck, PrintsWhatIsServedAndExitsOneOnAFault) {
    put(serviceFile(), "[Fanuc]\nEmpfangsordner = ein\n");
    std::ostringstream good;
    EXPECT_EQ(checkService(settingsFile(), serviceFile(), good), 0);
    EXPECT_EQ(good.str(), "Die Maschine Fanuc wird an COM1 bedient.\n"
                          "Sie speichert empfangene Programme in " +
                              (folder / "ein").string() +
                              ".\n"
                              "Sie beantwortet keine Anfragen, denn ihr fehlt ein Sendeordner.\n"
                              "Keine Fehler gefunden.\n");
    std::ostringstream bad;
    EXPECT_EQ(checkService(settingsFile(), folder / "fehlt.ini", bad), 1);
    EXPECT_NE(bad.str().find("Fehler: Die Datei"), std::string::npos) << bad.str();
}

} // namespace
} // namespace drovane
