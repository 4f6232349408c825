#include "profiles/machine_profile.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

using namespace drovane;

namespace {

class MachineProfileTest : public fixtures::TempFolder {
protected:
    SettingsFile settings;
};

// The group a new machine gets, byte for byte as the program has always
// written it: Windows-1252 umlauts, CR LF, a blank after every "=".
constexpr std::string_view NewFanuc10t = "[Fanuc10t]\r\n"
                                         "; ----------------------------------------------\r\n"
                                         "Baudrate = 4800\r\n"
                                         "COM-Nummer = COM1\r\n"
                                         "Datenbits = 8\r\n"
                                         "Parit\xE4t = NOPARITY\r\n"
                                         "Stopbits = 1\r\n"
                                         "Protokoll = NOHANDSHAKE\r\n"
                                         "TimeOut_Empfangen = 300\r\n"
                                         "Puffergr\xF6sse_Empfangen = 4096\r\n"
                                         "Steuerzeichen_Empfangen = Nein\r\n"
                                         "EinlesenBeenden_Empfangen = 04\r\n"
                                         "TimeOut_Senden = 300\r\n"
                                         "Zeilenumbruch_Senden = LF\r\n"
                                         "Puffergr\xF6sse_Senden = 4096\r\n"
                                         "Steuerzeichen_Senden = Nein\r\n"
                                         "Prozent_Filtern_Senden = Nein\r\n"
                                         "Anzahl_Hexzeichen_Vorlauf = 0\r\n"
                                         "Anzahl_Hexzeichen_Nachlauf = 0\r\n"
                                         "Stringausgabe_Beginn = \r\n"
                                         "Stringausgabe_Ende = \r\n"
                                         "Stringausgabe_(M02/M30) = \r\n"
                                         "Stringausgabe_nach_Zeilenende = \r\n"
                                         "XON = 17\r\n"
                                         "XOFF = 19\r\n"
                                         "XON_Senden = Ja\r\n"
                                         "XON_Warten = Ja\r\n"
                                         "DTR/DSR = Nein\r\n"
                                         "; ----------------------------------------------\r\n";

} // namespace

TEST_F(MachineProfileTest, ANewMachineWithDefaultsIsWrittenExactlyAsBefore) {
    settings.open(ini);
    writeProfile(settings, defaultProfile("Fanuc10t"), true);
    ASSERT_TRUE(settings.close());
    EXPECT_EQ(get(ini), NewFanuc10t);
}

TEST_F(MachineProfileTest, AProfileReadsBackAsWrittenAndMissingKeysGiveDefaults) {
    MachineProfile written = defaultProfile("M\xFC"
                                            "hle 2");
    written.values[PortField] = "/dev/ttyUSB0";
    written.values[StopBitsField] = "1.5";
    written.values[PercentFilterField] = "Ja";
    written.values[BeforeProgramField] = "%\xE4=;[x]";
    put(ini, "Maschine = M\xFC"
             "hle 2\r\n[Other]\r\nBaudrate = 50\r\n");
    settings.open(ini);
    writeProfile(settings, written, false);
    ASSERT_TRUE(settings.close());

    settings.open(ini);
    EXPECT_EQ(readProfile(settings, "m\xFC"
                                    "HLE 2"),
              (MachineProfile{"m\xFC"
                              "HLE 2",
                              written.values}));
    MachineProfile other = defaultProfile("Other");
    other.values[BaudRateField] = "50";
    EXPECT_EQ(readProfile(settings, "Other"), other);
    EXPECT_EQ(readProfile(settings, "Missing"), defaultProfile("Missing"));
}

TEST_F(MachineProfileTest, SavingAnExistingGroupKeepsItsLinesAndAppendsMissingKeys) {
    put(ini, "[M1]\r\n; mine\r\nDTR/DSR = Ja\r\nBaudrate = 300\r\n[M2]\r\n");
    settings.open(ini);
    MachineProfile profile = readProfile(settings, "M1");
    EXPECT_EQ(profile.values[DtrDsrField], "Ja");
    EXPECT_EQ(profile.values[BaudRateField], "300");
    profile.values[BaudRateField] = "9600";
    writeProfile(settings, profile, false);
    ASSERT_TRUE(settings.close());

    const std::string text = get(ini);
    EXPECT_TRUE(text.starts_with("[M1]\r\n; mine\r\nDTR/DSR = Ja\r\nBaudrate = 9600\r\n"
                                 "COM-Nummer = COM1\r\n"));
    EXPECT_TRUE(text.ends_with("XON_Warten = Ja\r\n[M2]\r\n"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + 26 + 1);
}

TEST(ProfileKeys, ListsAndDefaultsHoldTogether) {
    std::set<std::string_view> keys;
    for (const ProfileKey& key : ProfileKeys) {
        keys.insert(key.key);
        if (!key.values.empty()) {
            EXPECT_NE(std::ranges::find(key.values, key.defaultValue), key.values.end()) << key.key;
        }
    }
    EXPECT_EQ(keys.size(), ProfileKeyCount);
    EXPECT_EQ(ProfileKeys[PercentFilterField].key, "Steuerzeichen_Senden");
    EXPECT_EQ(ProfileKeys[PercentFilterField].control, "PercentFilterCombo");
    EXPECT_EQ(ProfileKeys[SendControlFilterField].key, "Prozent_Filtern_Senden");
    EXPECT_EQ(ProfileKeys[SendControlFilterField].control, "SendControlFilterCombo");
    const std::vector<std::string_view> stopBits(ProfileKeys[StopBitsField].values.begin(),
                                                 ProfileKeys[StopBitsField].values.end());
    EXPECT_EQ(stopBits, (std::vector<std::string_view>{"1", "2", "1.5"}));
    EXPECT_EQ(ProfileSeparator, std::string(46, '-'));
}
