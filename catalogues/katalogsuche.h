#pragma once
// Searching the bank catalogue or the place catalogue as plain text over the
// files of every country: "&Suchen" > "BLZ oder &Bank..." and "PLZ oder &Ort...".

#include "catalogues/katalog.h"

#include <QString>

namespace zadressbuch {
class Fenster;
}

namespace zkataloge {

struct SuchErgebnis
{
    qint64 treffer = 0;
    QString liste; // the listed hits, each "<prefix><line as read>~"
};

// One scan: every line of every file of the catalogue folder whose name
// matches the kind's mask ("*-Blz_?.txt" or "*-Plz_Ort_?.txt", case ignored),
// lower-cased, against "*" + the text trimmed and lower-cased + "*" (wildcards
// "*", "?", "#", "[...]"; a malformed pattern matches nothing). Hits are
// listed while their count stays below the kind's limit (20 banks, 25 places).
// A file that cannot be read is skipped. zwischenstand (may be empty) gets
// the hit count after every hit.
SuchErgebnis Katalog_Durchsuchen(Katalogart art, const QString& suchtext,
                                 const std::function<void(qint64)>& zwischenstand = {});

// The result message of a pass (with "~" for line breaks).
QString Suche_Meldung(Katalogart art, const SuchErgebnis& e, const QString& suchtext);

// The menu command: input, scan, result box, again until No or an empty input.
void Katalog_Suchen(Katalogart art, zadressbuch::Fenster& fenster);

} // namespace zkataloge
