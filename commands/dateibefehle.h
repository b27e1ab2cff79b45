#pragma once
// The file menu: open, create, merge, save, describe, quit and save-and-exit.
// Each works on the address list and sitzung(); the card and the window are
// reached through the window interface, the file chooser is handed in (the
// form File in the program), questions and messages go through the platform.

#include "addressbook/adressliste.h"
#include "addressbook/fenster.h"
#include "commands/dateiwahl.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace zbefehle {

// "Ö&ffnen..." (Ctrl+L). Asks whether to save unsaved changes, stores the
// list position, lets the user choose an address file of the data folder,
// saves (unless the answer was No) and releases the old file, then loads the
// chosen one. A save that fails keeps the old file open and its changes in
// the list. True when another file was loaded.
bool Datei_Oeffnen(zadressbuch::AdressListe& liste, zadressbuch::Fenster& fenster, const DateiWaehler& waehler);

// "&Anlegen...". Lets the user name a file of the data folder, saves and
// releases the old file, adds a line of 23 TABs to the chosen file (after a
// line break when the file does not end with one; a missing file is created
// with just that line) and loads it. True when the file was loaded.
bool Datei_Anlegen(zadressbuch::AdressListe& liste, zadressbuch::Fenster& fenster, const DateiWaehler& waehler);

struct ZusammenfuehrErgebnis
{
    bool gelesen = false;       // the file could be read
    int hinzugefuegt = 0;       // entries appended
    bool abgeschnitten = false; // the 32000 limit stopped it (message shown)
};

// The lines of a merged file turned into list entries: the first line dropped;
// in a line that holds no TAB every ";" becomes a TAB; a line that then
// begins with a TAB gets one blank in front; a lone CR becomes "°°"; lines
// whose fields (but 15, 16 and 23) are all empty are skipped.
QStringList Zusammenfuehren_Zeilen(const QStringList& zeilen);

// Appends the addresses of a file (full path) to the list, as
// "&Hinzufügen..." does after the chooser: at most up to 32000 entries (then
// the limit message), the changed flag set (also when nothing was added), the
// first added entry selected.
ZusammenfuehrErgebnis Datei_Zusammenfuehren(zadressbuch::AdressListe& liste, const QString& pfad);

// "&Hinzufügen...": chooses an address file of the program folder and merges it.
ZusammenfuehrErgebnis Datei_Hinzufuegen(zadressbuch::AdressListe& liste, const DateiWaehler& waehler);

// "&Speichern" (Ctrl+S): Daten_Speichern; after success the card's panels are
// shown again and the list position stored. False when the save failed (the
// message has been shown, the changed flag stays).
bool Datei_Speichern(zadressbuch::AdressListe& liste, zadressbuch::Fenster& fenster);

// "&Beschreiben...": an input box for the description of the open file; a
// new text becomes the description, sets the changed flag and the caption.
// True when the description changed.
bool Datei_Beschreiben(zadressbuch::Fenster& fenster);

// Writes a line break at the end of a file that does not end with one, then
// the line of 23 TABs (creating the file when missing). False when it could
// not be written.
bool Leerzeile_Anhaengen(const QString& pfad);

// Leaving the program.
//   speichern = false ("Bee&nden"): releases the open file and adds the run
//     time to the usage counters; nothing is saved.
//   speichern = true ("Speichern und Be&enden", F12): sorts by the field of
//     "SortAtClose" (SortAtClose_Feld), saves the address file, the window
//     settings and the hand-over files (uebergeben), then quits as above;
//     each step shows "Beende Programm..." with its name in the status bar.
//     When the save fails the window asks whether to end anyway; No keeps
//     the program running (false). With fragen = false (the idle exit,
//     nobody there to answer) a failed save keeps the program running
//     without a question.
// True when the program may end now: the caller closes the main window and
// ends the event loop, without running any further save.
bool Programm_Beenden(zadressbuch::AdressListe& liste, zadressbuch::Fenster& fenster, bool speichern,
                      bool fragen = true, const std::function<void()>& uebergeben = {});

// The field the exit sorts by: "SortAtClose" of the program's own section of
// Zizorud.ini read by SortAtClose_Feld (0..23); -1 for no sort.
int SortAtClose_Lesen();

} // namespace zbefehle
