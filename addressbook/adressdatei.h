#pragma once
// Loading and saving the open address file, its reservation for one user and
// the read-only decision.
//
// An address file: Windows-1252, lines ended by CR LF (LF alone is read too);
// a first line beginning with ".." holds the description, every further line
// one record (addressbook/datensatz.h).
//
// The main window's road:
//   load:  sitzung().AdressDateiName = path; Daten_Laden(adressliste());
//          then ListenPos_Laden (select the remembered entry, or
//          setListIndex(-1) so the card is emptied and the undo copy
//          cleared), the tab stops, ReadOnlySet's form part (lock fields,
//          disable menus by sitzung().NurLesen), LeerlaufGrenze, caption
//          (Beschreibung + " - nur Leserechte" when read-only), "Bereit".
//   save:  if (Daten_Speichern(adressliste())) { Adresse_Anzeigen; ListenPos_Sichern; }
//          false: the message was shown, the changed flag stays 1; an exit
//          must then ask before it ends.
//   close: Daten_Schliessen() before another file is opened and when quitting.

#include "addressbook/adressliste.h"
#include "addressbook/reservierung.h"
#include "platform/dateisystem.h"

#include <QString>
#include <QStringList>

namespace zadressbuch {

// ---------------------------------------------------------------------------
// Pure file work (no messages, no session state).

struct LadeErgebnis
{
    bool ok = false;              // the file could be read (or was created)
    bool ordnerFehlt = false;     // the folder of the file does not exist
    bool angelegt = false;        // the file was missing and has been created
    bool zuViele = false;         // more than 32000 addresses: only the first 32000 are in eintraege
    QString fehler;               // German reason when !ok
    bool hatBeschreibung = false; // the first line began with ".."
    QString beschreibung;         // text of the ".." line without the two points, else the
                                  // file name with capital initials
    QStringList eintraege;        // the records, in file order
};

// Reads an address file line by line, decoding one record at a time. CR LF,
// LF and a lone CR each end a line. Skips a line only when every field except
// 15, 16 and 23 is empty or blank (empty lines too; a Ctrl+Z counts as
// blank); puts one blank in front
// of a line that begins with the separator; end-of-file marks (Ctrl+Z) at the
// end of the file are no address. Stops after 32000 records (zuViele when more
// would follow) without reading or decoding the rest. With
// anlegen, a file that exists under no case of its name is created with one
// line of 23 TABs (never overwriting anything), with the write permissions of
// its folder (zplatform::bytesNeuAnlegen), so every user who may write a
// shared data folder may write the file.
LadeErgebnis Adressdatei_Lesen(const QString& pfad, bool anlegen = true);

struct SpeicherErgebnis
{
    bool ok = false;
    QString fehler; // German reason when !ok
    // Another version stood there than the one expected: nothing was written.
    bool fremdeFassung = false;
    zplatform::Dateistand vorgefunden; // that version
    zplatform::Dateistand stand;       // the file written, after success
};

// Writes ".." + description and every record, each followed by CR LF, in
// Windows-1252 (built and encoded in one pass): first into a temporary file in
// the same folder, then the old file is kept as ".BAK" (same folder and base
// name, extension "BAK"; a backup is never left half written), the new file is
// renamed into place and the ".BAK" removed. A file or folder that may no
// longer be written (made read-only meanwhile) is not replaced. A line break in a
// record or in the description is written as "°°" (a blank in the
// description), so each record stays one line. A character Windows-1252
// cannot hold makes the save fail (the reason names the address). On any
// failure the old file is unchanged (and a ".BAK" made by this save stays).
// With erwartet, a file standing there as another version than that one
// (zplatform::selbeFassung) is not replaced: fremdeFassung, vorgefunden. The
// check is made while this save holds its temporary file, so a save of
// another instance cannot come between it and the rename.
SpeicherErgebnis Adressdatei_Schreiben(const QString& pfad, const QString& beschreibung, const QStringList& eintraege,
                                       const zplatform::Dateistand* erwartet = nullptr);

// This program's version kept as a file of its own beside the address file,
// when another program has saved the file meanwhile: "<name>_<user>.Dat"
// in its folder (the name without its extension; the user as
// Eigener_Benutzer, signs a file name cannot hold as "_"), with "_2", "_3"
// ... where such a file stands already: nothing is overwritten. The new
// file gets the folder's write permissions. Returns its path; "" and
// *fehler when it could not be written.
QString Fassung_Beiseite_Speichern(const QString& pfad, const QString& beschreibung, const QStringList& eintraege,
                                   QString* fehler);
// The name the first such file would get.
QString Beiseite_Name(const QString& pfad, int nummer = 1);

// The ".BAK" path and the temporary path Adressdatei_Schreiben uses for a file.
QString Sicherungsdatei(const QString& pfad);
QString Zwischendatei(const QString& pfad);
// The file a save of the path replaces: the resolved path, or where a link leads.
QString ZuErsetzendeDatei(const QString& pfad);
// Removes what a save of the file killed halfway left beside it (its
// temporary file, the backup's copy in the making), never what a save of
// another instance under way holds. True when something was removed.
// Daten_Laden runs it; a save takes a leftover over by itself.
bool Speicherreste_Entfernen(const QString& pfad);

// ---------------------------------------------------------------------------
// The operations of the main window, with their messages.

// Loads sitzung().AdressDateiName into the list (entries replaced, nothing
// selected). Sets Geaendert = 0 first and Beschreibung; shows a message for a
// missing data folder (naming it), an unreadable file (naming it) and more
// than 32000 addresses ("Kein Platz mehr in der aktuellen Adressenliste.",
// "#SystemHand", titled "Zettlora meldet Speicherproblem"); each of these sets
// sitzung().LadeNurLesen. Releases any reservation held for another file,
// then NurLesen_Entscheiden(true): reserves the file or asks the reservation
// question. Sets sitzung().NurLesen. A missing file whose ".BAK" is there is
// made again from it (with a message) instead of being created empty; a
// ".BAK" a save left goes once the file has been read whole and opened for
// writing, while no other save of it is under way. Notes the version read
// (sitzung().DateiStand). Versions an earlier run kept beside their files at
// an exit with nobody to answer are named once (Beiseite_Hinweis_Zeigen).
// Does not select, show or touch any widget. Returns false when the file
// could not be read (the list is empty then).
bool Daten_Laden(AdressListe& liste);

// Saves the list into sitzung().AdressDateiName. Read-only mode: does nothing
// and returns true. Geaendert == 0: nothing to write, returns true. Otherwise
// this run's reservation is made sure of (Reservierung_Erneuern), and the file
// written (Adressdatei_Schreiben) unless another program has saved it since
// this run read or last wrote it (sitzung().DateiStand): then
// "#SystemQuestion" and the question "Adressdatei inzwischen gespeichert"
// (No preselected, and the answer when the program closes it): Yes replaces
// the file, No keeps this version beside it (Fassung_Beiseite_Speichern) and
// says where. With nobody to answer (an exit from outside under way, no
// display) nothing is asked: the version is kept beside the file, a line
// on standard error says where, and the next start shows it. Geaendert = 0
// only after success (a version kept beside counts as saved; the file's
// version stays the other program's, so the next save asks again).
// On failure: "#SystemHand" and a message naming the file and the reason
// (Speicherfehler_Melden); Geaendert stays 1, sitzung().SpeicherFehler holds
// the reason (cleared when a save or a load succeeds); returns false.
bool Daten_Speichern(AdressListe& liste);

// Shows the versions that exits with nobody to answer kept beside their
// address files (Zizorud.ini, section "Beiseite"), in one message, and
// forgets them.
void Beiseite_Hinweis_Zeigen();

// The message of a failed save of the open address file, for the reason given.
void Speicherfehler_Melden(const QString& fehler);

// Releases this run's reservation of the open address file (and of any file
// it still holds one for). Writes nothing in read-only mode or when the entry
// is not ours.
void Daten_Schliessen();

// The limit message of the 32000 addresses ("#SystemHand", exclamation icon,
// title "Zettlora meldet Speicherproblem"); zusatz follows the first sentence
// after an empty line (may be empty).
void Speicherproblem_Melden(const QString& zusatz = QString());

} // namespace zadressbuch
