#pragma once
// Companion programs, web pages, the product information and the help.

#include <QString>

namespace zcommon {

// Number of companion program entries (0 is this program, 1 to 3 the others).
inline constexpr int BegleitprogrammAnzahl = 4;

// Starts this program (0) or the companion program 1 to 3, whose path is the
// setting "Programm1" to "Programm3" of section "Begleitprogramme" of
// Zizorud.ini (names "Name1" to "Name3", by default "Quirlan", "Vesmor",
// "Lindoras"). A missing program is reported in a
// message. True when a program was started.
bool Begleitprogramm_Starten(int index);
// The entry of the companion-program menu that stands for the running
// program and is hidden: always 0 (this program).
int Begleitprogramm_Laufend();
// The name shown for an entry.
QString Begleitprogramm_Name(int index);

// Opens the web page of a page key: setting of that key in section
// "Internet" of Zettlora.Ini in the program folder; "Ze32UpInfo" (updates)
// and "Homepage" have defaults. A message when no address is known or the
// page cannot be opened. True when it was opened.
bool Internetseite_Aufrufen(const QString& seitenSchluessel);
// The address a page key stands for ("" when none is known).
QString Internetadresse(const QString& seitenSchluessel);

// Opens the product information "werbung.html" of the program folder, or
// says "Kann leider keine Werbung finden!".
bool Werbung_Zeigen();

// Opens the help document "Zettlora.html" of the program folder (in the
// desktop's browser, or a window of the program when there is none), or says
// "Keine Hilfedatei gefunden." when the document is missing. The topic number
// is kept for the day the help document has anchors per topic; the document
// opens at its start.
bool Hilfe_Zeigen(int thema = 0);

} // namespace zcommon
