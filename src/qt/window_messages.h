#pragma once

// Lines the window itself writes to the status log.

#include <QString>

namespace drovane {

inline const QString GermanQtTextsMissing = QStringLiteral(
    "Hinweis: Die deutschen Qt-Texte fehlen, Schaltflächen und Ordnerauswahl erscheinen "
    "englisch. Abhilfe: Paket qt6-translations-l10n installieren.");

} // namespace drovane
