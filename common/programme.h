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

// Help topics that windows and boxes of the program ask for; each has a
// section of its own in the help document.
namespace Hilfethema {
inline constexpr int Inhalt = 0;                  // the start of the help
inline constexpr int Druckoptionen = 3005;        // the print options and their printer choice
inline constexpr int StatistikAdressenMit = 4002; // "Statistik, Adressen mit..."
inline constexpr int Absenderzeile = 4004;        // the sender line of the window-envelope sheet
inline constexpr int Vorgaben = 4007;             // the field defaults of the open address file
inline constexpr int KatalogUebernahme = 9911;    // the take-over of bank names, places and area codes
} // namespace Hilfethema

// The section of the help document a topic number opens: "thema" followed by
// the number; "" (the document's start) for 0 and below.
QString Hilfe_Abschnitt(int thema);

// Opens the help document "Zettlora.html" of the program folder at the
// section of the topic (in the desktop's browser, or a window of the program
// in front of the window that asked when there is none), or says "Keine
// Hilfedatei gefunden." when the document is missing.
bool Hilfe_Zeigen(int thema = Hilfethema::Inhalt);
// The same at a section named by its anchor ("" the start).
bool Hilfe_AbschnittZeigen(const QString& abschnitt);

} // namespace zcommon
