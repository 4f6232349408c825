#include "profiles/profile_keys.h"

namespace drovane {
namespace {

using List = std::string_view;

constexpr std::array<List, 15> BaudRates = {"50",   "75",    "110",   "150",   "300",
                                            "600",  "1200",  "1800",  "2400",  "4800",
                                            "9600", "19200", "38400", "57600", "115200"};
constexpr std::array<List, 3> Ports = {"COM1", "COM2", "COM3"};
constexpr std::array<List, 2> DataBits = {"7", "8"};
constexpr std::array<List, 5> Parities = {"NOPARITY", "EVENPARITY", "MARKPARITY", "ODDPARITY",
                                          "SPACEPARITY"};
// "1.5" after "2", as existing installations know the list.
constexpr std::array<List, 3> StopBits = {"1", "2", "1.5"};
constexpr std::array<List, 4> Handshakes = {"NOHANDSHAKE", "RTSHANDSHAKE", "RTS/CTS", "XON/XOFF"};
constexpr std::array<List, 1> BufferSizes = {"4096"};
constexpr std::array<List, 2> YesNo = {"Ja", "Nein"};
constexpr std::array<List, 2> LineEnds = {"LF", "CR/LF"};
constexpr std::span<const List> Field;

} // namespace

// "Steuerzeichen_Senden" holds the percent filter and "Prozent_Filtern_Senden"
// the control-character filter: crossed, and existing files depend on it.
const std::array<ProfileKey, ProfileKeyCount> ProfileKeys = {{
    {"Baudrate", "BaudCombo", "4800", BaudRates},
    {"COM-Nummer", "PortCombo", "COM1", Ports, true},
    {"Datenbits", "DataBitsCombo", "8", DataBits},
    {"Parit\xE4t", "ParityCombo", "NOPARITY", Parities},
    {"Stopbits", "StopBitsCombo", "1", StopBits},
    {"Protokoll", "HandshakeCombo", "NOHANDSHAKE", Handshakes},
    {"TimeOut_Empfangen", "ReceiveTimeoutField", "300", Field},
    {"Puffergr\xF6sse_Empfangen", "ReceiveBufferCombo", "4096", BufferSizes, true},
    {"Steuerzeichen_Empfangen", "ReceiveControlFilterCombo", "Nein", YesNo},
    {"EinlesenBeenden_Empfangen", "EndCharField", "04", Field},
    {"TimeOut_Senden", "SendTimeoutField", "300", Field},
    {"Zeilenumbruch_Senden", "LineEndCombo", "LF", LineEnds},
    {"Puffergr\xF6sse_Senden", "SendBufferCombo", "4096", BufferSizes, true},
    {"Steuerzeichen_Senden", "PercentFilterCombo", "Nein", YesNo},
    {"Prozent_Filtern_Senden", "SendControlFilterCombo", "Nein", YesNo},
    {"Anzahl_Hexzeichen_Vorlauf", "LeaderCountField", "0", Field},
    {"Anzahl_Hexzeichen_Nachlauf", "TrailerCountField", "0", Field},
    {"Stringausgabe_Beginn", "BeforeProgramField", "", Field},
    {"Stringausgabe_Ende", "AfterProgramField", "", Field},
    {"Stringausgabe_(M02/M30)", "AfterEndCodeField", "", Field},
    {"Stringausgabe_nach_Zeilenende", "AfterLineField", "", Field},
    {"XON", "XonCharField", "17", Field},
    {"XOFF", "XoffCharField", "19", Field},
    {"XON_Senden", "XonSendCombo", "Ja", YesNo},
    {"XON_Warten", "XonWaitCombo", "Ja", YesNo},
    {"DTR/DSR", "DtrDsrCheck", "Nein", Field},
}};

} // namespace drovane
