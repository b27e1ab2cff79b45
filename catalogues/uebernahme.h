#pragma once
// Learning catalogue entries from every address of the open file: bank code
// to bank name (fields 18 and 19), postcode to place (fields 4 and 5),
// postcode to area code (field 4 and the area codes of fields 7, 8 and 13).
//
// A key's stored value is read whole (no pick list) and every stored entry is
// kept: a name that does not occur in it yet (case ignored, as part of a
// longer entry too) is appended with ", ". Only a bank value longer than 201
// characters is replaced by the new name alone, so a value stays readable.
// The new entries are collected and written once per catalogue file at the
// end (also after Esc): what was learned until then stays. Each file is read,
// merged and written in one step under the lock between processes, so two
// instances learning at once both keep their entries; the count says how many
// entries were written (an entry another instance stored meanwhile is not
// counted again). The folder "Kataloge" is created when missing; a catalogue
// that cannot be written is reported with the reason and not counted.

#include "catalogues/katalog.h"

#include <QString>
#include <QStringList>

namespace zadressbuch {
class AdressListe;
class Fenster;
} // namespace zadressbuch

namespace zkataloge {

struct UebernahmeErgebnis
{
    qint64 anzahl = 0;        // entries written (an area-code address may count up to three)
    bool abgebrochen = false; // stopped with Esc
    QStringList fehler;       // why catalogue files could not be written (one text each)
};

// The run without question and final message (status and progress shown).
UebernahmeErgebnis Katalog_Lernen(Katalogart art, zadressbuch::Fenster& fenster, const zadressbuch::AdressListe& liste);

// The final message's text for a count ("Keine" for 0).
QString Uebernahme_Text(Katalogart art, qint64 anzahl);

// The menu commands "BLZ - &Kreditinstitut", "PLZ - &Ortsname", "PLZ - &Vorwahl":
// the question, the run, the final message, "Bereit".
void Katalog_Uebernehmen(Katalogart art, zadressbuch::Fenster& fenster, const zadressbuch::AdressListe& liste);

} // namespace zkataloge
