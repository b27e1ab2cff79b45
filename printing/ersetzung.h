#pragma once
// Logs and exports are written in Windows-1252; a character it cannot hold
// is written as "?" (zplatform::nurWindows1252), the print or export is made,
// and the user is told once which characters were replaced.

#include <QString>

namespace zdruck {

// The notice for one file; nothing when ersetzt is empty.
void Ersetzte_Zeichen_Melden(const QString& datei, const QString& ersetzt, const QString& titel);

} // namespace zdruck
