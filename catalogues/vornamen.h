#pragma once
// The first-name catalogue "Vornamen.txt" in the folder "Kataloge": one line
// per first name, the gender code in the first character (1 male, 2 female,
// any digit is returned as it stands), a blank, the name from the third
// character. The last line of a name counts; learning appends a line.

#include "platform/textdatei.h"

#include <QString>

namespace zadressbuch {
class AdressListe;
class Fenster;
} // namespace zadressbuch

namespace zkataloge {

// Program folder + "/Kataloge/Vornamen.txt".
QString Vornamen_Datei();

// Looks the name up and, with code 1 or 2, learns it:
// -1 for a name holding "." or a line break, or of 2 characters or fewer (not
// looked up);
// the code of the name's last line (case ignored, the name not trimmed), 0 when
// it has none; with code 1 or 2 differing from that, a line "<code> <Name>"
// (each word capitalised) is appended and the code returned. A missing file is
// created first (with the folder) holding one sample line. A line that cannot
// be appended is not counted as learned: the stored code comes back, and
// *fehler (when given) says why. Learning reads, decides and appends under
// the file's lock between processes.
int Vorname_Anrede(const QString& name, int code, zplatform::Ergebnis* fehler = nullptr);

// The salutation the card proposes for a first name: "Herr" (1), "Frau" (2),
// "" when the catalogue does not know the name.
QString Anrede_Vorschlag(const QString& vorname);

// The gender a salutation names: 2 when it holds "frau" or "fräulein", else 1
// when it holds "herr", else 0 (case ignored, anywhere in the text).
int Anrede_Geschlecht(const QString& anrede);

struct VornamenErgebnis
{
    qint64 gelernt = 0;
    bool abgebrochen = false;
    QString fehler; // why a line could not be written; the run ends there
};
// The run of "Vorname - &Anrede (Geschlecht)" without its message.
VornamenErgebnis Vornamen_Lernen(zadressbuch::Fenster& fenster, const zadressbuch::AdressListe& liste);
// The command: run, message "<n> Vornamen wurden übernommen." (unless Esc),
// a failed write with its reason, "Bereit".
void Vornamen_Uebernehmen(zadressbuch::Fenster& fenster, const zadressbuch::AdressListe& liste);

} // namespace zkataloge
