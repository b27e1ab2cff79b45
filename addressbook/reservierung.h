#pragma once
// The reservation of an address file for one run, and the read-only decision.

#include <QString>
#include <QStringList>

#include <vector>

namespace zadressbuch {

// ---------------------------------------------------------------------------
// Reservation: a settings file beside the address file, "Reservierungen.ini"
// in its folder (the folder every user of the file sees, also when each has
// a program folder of their own), section "Reservierung", key = the file's
// name (a link: the name of the file it leads to), value
// "user|computer|pid|dd.mm.yyyy hh:nn|start|machine", start being the start
// time of the process (with the pid it names one running instance, also after
// the program file was replaced) and machine the computer's system identity
// (/etc/machine-id; two computers of one name differ by it). Entries without
// the last fields are read too. Every instance that holds the file writable
// has its six fields there, one holder after the other in the same value,
// the newest first: an older version, which reads the first six fields only,
// sees one holder as before. A holder goes when it releases the file, or
// when its process is found ended on this computer. Every user who may write
// the folder may write the file (common/ini.h, Ini_Gemeinsam). Earlier
// versions kept the entry in DurIdovi.ini of the program folder under the
// full path: an entry there is read when the folder's file has none, never
// written, and goes when this run reserves or releases the file.

struct Reservierung
{
    QString benutzer, rechner, zeit, kennung;
    qint64 pid = 0;
    quint64 start = 0;      // start time of the process, 0 when not recorded
    bool vorhanden = false; // an entry exists
    bool eigene = false;    // this very process holds it
    bool verwaist = false;  // written on this computer by a process that has ended (any user's)
    QStringList felder;     // its fields as they stand in the entry
};

// The settings file holding the reservation of an address file, and the key.
QString Reservierungsdatei(const QString& pfad);
QString Reservierungsschluessel(const QString& pfad);
// Where earlier versions kept it: DurIdovi.ini in the program folder (key: the path).
QString AlteReservierungsdatei();
// The user this run's reservations name (the login; "unbekannt" when none).
QString Eigener_Benutzer();
// The holders an entry's value names (six fields each, the last may have
// fewer; a group of blank fields is none), and the value naming holders
// (each with six fields, the last with its fields as read).
std::vector<Reservierung> Reservierung_Deuten(const QString& wert);
QString Reservierung_Wert(const std::vector<Reservierung>& halter);
// Every holder of the file as the entry stands, the newest first (none: empty).
std::vector<Reservierung> Reservierung_Halter(const QString& pfad);
// The first of them, as an older version reads the entry (vorhanden false: none).
Reservierung Reservierung_Lesen(const QString& pfad);
// Enters this process as the newest holder of the file (the other running
// holders stay, ended ones go; one in the old place goes there); false when
// the entry could not be written (Ini_Fehler() says why).
bool Reservierung_Schreiben(const QString& pfad);
// Takes this process (and holders that have ended) out of the entry; the
// other holders stay. An entry of an ended process in the old place goes too.
void Reservierung_Freigeben(const QString& pfad);
// Before a save: this process is a holder of the file again when its line
// was taken out meanwhile (an older version took the reservation over, a
// user removed it), so that new starts are asked. Returns the other running
// holders.
std::vector<Reservierung> Reservierung_Erneuern(const QString& pfad);
// Reserves the file: no other running holder -> ours silently (true); the
// check and the write are one step under the lock of the reservation file, so
// of two instances opening the file at once, of one user or of two, only one
// gets it. Held by a running instance, or by another computer (whose
// processes cannot be looked at): "#SystemQuestion" and
// the question naming who and since when; Yes -> false (open read-only),
// No -> this process becomes a holder beside them (true). The question closed
// by the program (a termination signal, the idle exit) answers Yes: nothing is
// taken. An entry that cannot be written: "#SystemHand", a message saying why,
// false (never edit without a reservation).
bool Reservierung_Pruefen(const QString& pfad);

// ---------------------------------------------------------------------------
// Read-only decision (the logic part of ReadOnlySet).

// True (and sitzung().NurLesen = true) when any of these holds: the
// command-line word "readonly" (KommandozeileReadonly), the per-file setting
// "ReadOnly" = 1, a file "READONLY.TXT" in the data folder (or the address
// file's folder), the address file or its folder cannot be written,
// sitzung().LadeNurLesen; and, only with reservieren (Daten_Laden passes
// true), the answer Yes to the reservation question or an entry that cannot
// be written. When the decision is read-write and reservieren is true, the
// file is reserved for this run. A folder that cannot be written is said
// once a run ("#SystemExclamation", naming the folder).
// Read-only mode writes no reservation. The form then locks the card and
// disables the editing menus by sitzung().NurLesen.
bool NurLesen_Entscheiden(bool reservieren = false);

} // namespace zadressbuch
