#pragma once
// The document hand-over files: the address shown on the card, written for
// word processors and letter templates outside the program.
//
// - The text file named by the setting "Adr_Speichern_In" (Zizorud.ini, the
//   program's own section): exactly 24 lines, the field values 0 to 23, each
//   followed by CR LF, Windows-1252.
// - The INI file named by "Adr_IniSpeichern_In": section "ZuletztNr" with the
//   keys "00" to "23", section "ZuletztBez" with the card's captions as keys,
//   then "Anschrift" (the mask "Anschrift" with "^a" between its lines),
//   "Anrede2", "Datum", "Uhrzeit", "Wochentag", "User", "ZettloraVersion" and
//   "ZettloraReversion".
//
// A field value is the card's text without blanks at both ends, line breaks
// shown as "~"; with "Adr_TeleFormat3&2" on (default "1") the four phone fields
// are normalised to area code " / " number.
//
// Called by "&Dokument erstellen..." before the document dialog, and by the
// save-and-exit command after the address file and the settings are saved.

#include "addressbook/datensatz.h"

#include <QString>
#include <QStringList>

namespace zmasken {

// The files a run of Adresse_Uebergeben wrote, and those it could not write
// (full paths as the settings name them; a file whose setting is empty is in
// neither list).
struct Uebergabedateien
{
    QStringList geschrieben;
    QStringList fehlgeschlagen;
};

// Writes both files (each only when its setting names one; nothing is
// reported when a file cannot be written).
//   karte:            the texts of the card's 24 fields
//   datensatz:        the selected entry of the address list ("" when none is
//                     selected: "Anschrift" is then empty)
//   bemerkungAuswahl: the text selected in field 11; more than 10 characters
//                     of it replace the whole field in the INI file
Uebergabedateien Adresse_Uebergeben(const zadressbuch::Felder& karte, const QString& datensatz,
                                    const QString& bemerkungAuswahl = QString());
// The same with the card showing the record itself ("" when no address is
// selected: empty fields and an empty "Anschrift").
Uebergabedateien Adresse_Uebergeben(const QString& datensatz, const QString& bemerkungAuswahl = QString());

// Start-up of the main window: when "Adr_IniSpeichern_In" is empty it is set
// to "TmpAdrDoc.Tmp" in the Windows folder; that file is deleted and started
// afresh with "99"="ja" in section "ZuletztNr". Returns its path (the
// hand-over INI file of this run).
QString Uebergabe_Zuruecksetzen();

} // namespace zmasken
