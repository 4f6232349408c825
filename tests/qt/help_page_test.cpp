#include "qt/embedded_resources.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace drovane {
namespace {

QString helpPage() {
    registerEmbeddedResources();
    QFile file(QStringLiteral(":/help/drovane.html"));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

TEST(HelpPageTest, IsAStandAloneGermanPage) {
    const QString page = helpPage();
    ASSERT_GT(page.size(), 8000) << "missing or only a stub";
    EXPECT_TRUE(page.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    EXPECT_TRUE(page.contains(QStringLiteral("<title>Drovane - Hilfe</title>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<html lang=\"de\">")));
    EXPECT_TRUE(page.contains(QStringLiteral("0.817")));
    // shown offline by the program itself: nothing to run, nothing to fetch
    for (const char* banned : {"<script", "<img", "<link", "<iframe", "@import", "url(",
                               "http:", "https:", "file:", "javascript:"}) {
        EXPECT_FALSE(page.contains(QString::fromLatin1(banned), Qt::CaseInsensitive)) << banned;
    }
}

TEST(HelpPageTest, EveryInPageLinkHasATarget) {
    const QString page = helpPage();
    QSet<QString> targets;
    const QRegularExpression anchor(QStringLiteral(R"re((?:id|name)="([^"]+)")re"));
    for (const auto& match : anchor.globalMatch(page)) {
        targets.insert(match.captured(1));
    }
    const QRegularExpression link(QStringLiteral(R"re(href="#([^"]*)")re"));
    int links = 0;
    for (const auto& match : link.globalMatch(page)) {
        ++links;
        EXPECT_TRUE(targets.contains(match.captured(1))) << match.captured(1).toStdString();
    }
    EXPECT_GE(links, 8) << "the contents list links to every section";
}

TEST(HelpPageTest, ExplainsEverySettingsKeyAndButton) {
    const QString page = helpPage();
    const QStringList names{
        // settings keys, written exactly as they stand in drovane.ini
        QStringLiteral("Maschine"), QStringLiteral("Path"), QStringLiteral("Pattern"),
        QStringLiteral("BoldFont"), QStringLiteral("Baudrate"), QStringLiteral("COM-Nummer"),
        QStringLiteral("Datenbits"), QStringLiteral("Parität"), QStringLiteral("Stopbits"),
        QStringLiteral("Protokoll"), QStringLiteral("TimeOut_Empfangen"),
        QStringLiteral("Puffergrösse_Empfangen"), QStringLiteral("Steuerzeichen_Empfangen"),
        QStringLiteral("EinlesenBeenden_Empfangen"), QStringLiteral("TimeOut_Senden"),
        QStringLiteral("Zeilenumbruch_Senden"), QStringLiteral("Puffergrösse_Senden"),
        QStringLiteral("Steuerzeichen_Senden"), QStringLiteral("Prozent_Filtern_Senden"),
        QStringLiteral("Anzahl_Hexzeichen_Vorlauf"), QStringLiteral("Anzahl_Hexzeichen_Nachlauf"),
        QStringLiteral("Stringausgabe_Beginn"), QStringLiteral("Stringausgabe_Ende"),
        QStringLiteral("Stringausgabe_(M02/M30)"), QStringLiteral("Stringausgabe_nach_Zeilenende"),
        QStringLiteral("XON"), QStringLiteral("XOFF"), QStringLiteral("XON_Senden"),
        QStringLiteral("XON_Warten"), QStringLiteral("DTR/DSR"),
        // value words an operator types into the file
        QStringLiteral("NOPARITY"), QStringLiteral("EVENPARITY"), QStringLiteral("ODDPARITY"),
        QStringLiteral("MARKPARITY"), QStringLiteral("SPACEPARITY"), QStringLiteral("NOHANDSHAKE"),
        QStringLiteral("RTSHANDSHAKE"), QStringLiteral("RTS/CTS"), QStringLiteral("XON/XOFF"),
        // captions of the buttons and tabs
        QStringLiteral("Übertragung starten"), QStringLiteral("Abbrechen"),
        QStringLiteral("Programm laden"), QStringLiteral("Programm speichern"),
        QStringLiteral("Einstellungen speichern"), QStringLiteral("Senden/Empfangen"),
        QStringLiteral("CNC-Programm"), QStringLiteral("Hilfe")};
    for (const QString& name : names) {
        EXPECT_TRUE(page.contains(name)) << name.toStdString();
    }
}

TEST(HelpPageTest, QuotesTheStatusLinesAnOperatorMeets) {
    const QString page = helpPage();
    const QStringList lines{
        QStringLiteral("Fehler! serielle Schnittstelle konnte nicht geöffnet werden."),
        QStringLiteral("Übertragung wird unterbrochen...(XOFF erhalten)"),
        QStringLiteral("Übertragung wird fortgesetzt...(XON erhalten)"),
        QStringLiteral("Zeichen wird in 1 Sekunde erneut gesendet..."),
        QStringLiteral("Übertragung vorzeitig abgebrochen."),
        QStringLiteral("Übertragung erfolgreich abgeschlossen."),
        QStringLiteral("Warte auf DTR-Signal (ON)."),
        QStringLiteral("Warte auf RTS-Signal von Maschine..."),
        QStringLiteral("DTR-Signal (ON) gesendet. Warte auf Antwort..."),
        QStringLiteral("RTS an Maschine gesendet, warte auf Antwort..."),
        QStringLiteral("HEX(00) Vorlauf / Nachlauf"),
        QStringLiteral("CNC-Programm geladen."),
        QStringLiteral("Der Dateiname enthält ungültige Zeichen !")};
    for (const QString& line : lines) {
        EXPECT_TRUE(page.contains(line.toHtmlEscaped())) << line.toStdString();
    }
}

} // namespace
} // namespace drovane
