#pragma once
// The reservation of an address file for one run, and the read-only decision.

#include <QString>

namespace zadressbuch {

// ---------------------------------------------------------------------------
// Reservation: DurIdovi.ini in the program folder, section "Reservierung",
// key = full path of the address file, value
// "user|computer|pid|dd.mm.yyyy hh:nn|start", start being the start time of
// the process (with the pid it names one running instance, also after the
// program file was replaced; entries without it are read too).

struct Reservierung
{
    QString benutzer, rechner, zeit;
    qint64 pid = 0;
    quint64 start = 0;      // start time of the process, 0 when not recorded
    bool vorhanden = false; // an entry exists
    bool eigene = false;    // this very process holds it
    bool verwaist = false;  // same user and computer, the process is gone
};

// The path of DurIdovi.ini.
QString Reservierungsdatei();
// The entry of a file as it stands.
Reservierung Reservierung_Lesen(const QString& pfad);
// Writes this process's entry for the file.
void Reservierung_Schreiben(const QString& pfad);
// Removes the entry of the file when it is this process's.
void Reservierung_Freigeben(const QString& pfad);
// Reserves the file: free, own or own stale entry -> ours silently (true);
// the check and the write are one step under the lock of DurIdovi.ini, so of
// two instances opening the file at once only one gets it.
// Held by another user, computer or running instance: "#SystemQuestion" and
// the question naming who and since when; Yes -> false (open read-only),
// No -> the reservation is taken over (true). The question closed by the
// program (a termination signal, the idle exit) answers Yes: nothing is taken over.
bool Reservierung_Pruefen(const QString& pfad);

// ---------------------------------------------------------------------------
// Read-only decision (the logic part of ReadOnlySet).

// True (and sitzung().NurLesen = true) when any of these holds: the
// command-line word "readonly" (KommandozeileReadonly), the per-file setting
// "ReadOnly" = 1, a file "READONLY.TXT" in the data folder (or the address
// file's folder), the address file or its folder cannot be written,
// sitzung().LadeNurLesen; and, only with reservieren (Daten_Laden passes
// true), the answer Yes to the reservation question. When the decision is
// read-write and reservieren is true, the file is reserved for this run.
// Read-only mode writes no reservation. The form then locks the card and
// disables the editing menus by sitzung().NurLesen.
bool NurLesen_Entscheiden(bool reservieren = false);

} // namespace zadressbuch
