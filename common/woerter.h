#pragma once
// Word splitting into the shared word list. No routine of the common services
// calls Woerter_Zerlegen itself, so the list survives between a caller's calls.

#include <QString>
#include <array>

namespace zcommon {

// Wort[1..99]; Wort[0] unused.
extern std::array<QString, 100> Wort;
extern int WortAnzahl;

// Empty separators: CR, LF, TAB, blank, "/", ",", ";", "|". Empty words are
// skipped; from the 100th word on each further word replaces word 99.
void Woerter_Zerlegen(const QString& text, const QString& trenner = QString());
// The rest of the first word that begins with the prefix (ignoring case), or "".
QString Wort_Parameter(const QString& praefix);

} // namespace zcommon
