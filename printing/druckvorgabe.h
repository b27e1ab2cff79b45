#pragma once
// The print presets of the print-options dialog: one section per print job in
// KontPrn.ini (Windows folder), named by the job's name, with the printer,
// orientation, margins, copies and automatic mode; the switch of the printer
// choice (section "Allgemein", key "Druckerauswahl") is shared by all jobs.
//
// The name of the job being printed is DruckJobName(): every print routine
// sets it before it opens the print-options dialog (see ui/druckauftrag.h).

#include <QString>

namespace zdruck {

// The name of the current print job (the section of its preset).
QString& DruckJobName();

// Job names of the print routines.
inline constexpr const char* JobUmschlag = "Zettlora_Umschlag";
QString JobListe(const QString& maske); // "Zettlora_" + mask name

// Full path of KontPrn.ini in the Windows folder.
QString KontPrnDatei();

// Entries of the margin lists (0.0 cm to 5.0 cm in millimetre steps) and of
// the copies list (1 to 9); an index is the margin in millimetres or the
// number of copies less one.
inline constexpr int RandEintraege = 51;
inline constexpr int AnzahlEintraege = 9;
// The text of margin entry i: "0,0 cm" ... "5,0 cm" (German decimal comma).
QString Rand_Text(int index);

// A stored number: the number at the start of the text, 0 when it does not
// begin with one.
double Vorgabe_Zahl(const QString& text);
// A stored list index: the leading number; a value past the list's last
// entry, and a negative one (only by hand-editing), select the first entry.
int Vorgabe_Index(const QString& text, int eintraege);

struct Druckvorgabe
{
    int bereich = 0;     // 0 all, 1 marked
    int ausrichtung = 0; // 0 portrait, 1 landscape
    int randX = 0;       // index of the left margin (millimetres)
    int randY = 0;       // index of the top margin (millimetres)
    int anzahl = 0;      // index of the copies list (copies - 1)
    bool automatisch = false;
    QString drucker; // read only while the printer choice is on

    bool operator==(const Druckvorgabe&) const = default;
};

// Printer choice on (any numeric value other than 0) or off (also when missing).
bool Druckerauswahl_An();
// "" when written, else why not (German).
QString Druckerauswahl_Setzen(bool an);

// The preset of a job (the name is trimmed); a blank name, a missing file,
// section or key give the defaults. The printer is read only with mitDrucker,
// with aktuellerDrucker as its default.
Druckvorgabe Vorgabe_Laden(const QString& job, bool mitDrucker, const QString& aktuellerDrucker = QString());
// Writes the preset of a job (nothing for a blank name): "Drucker" only with
// mitDrucker, then "Ausrichtung", "RandX", "RandY", "Anzahl", "Automatisch",
// "LastSave" (today) and "LastUser". "Bereich" is never written. Returns ""
// when the preset was stored, else why not (German; nothing is stored then).
QString Vorgabe_Sichern(const QString& job, const Druckvorgabe& v, bool mitDrucker);

} // namespace zdruck
