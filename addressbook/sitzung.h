#pragma once
// The state of the running program that every subsystem reads: the open
// address file, its folders, the card's captions and the flags of the main
// window. One object for the whole run (tests reset it).

#include "addressbook/datensatz.h"
#include "platform/dateisystem.h"

#include <QString>
#include <array>

namespace zadressbuch {

struct Sitzung
{
    QString ProgrammIniDatei;  // full path of Zettlora.Ini in the program folder
    QString DatenOrdner;       // without trailing separator
    QString MaskenOrdner;      // without trailing separator
    QString AdressDateiName;   // full path of the open address file
    QString Beschreibung;      // the description of the open address file
    int Geaendert = 0;         // the changed flag: 1 = unsaved changes
    QString SpeicherFehler;    // why the last save failed; "" after a save or load that succeeded
    bool NurLesen = false;     // the read-only flag
    bool KommandozeileReadonly = false; // "readonly" on the command line

    std::array<QString, FeldAnzahl> Bezeichnungen = StandardBezeichnungen(); // card captions

    int AktivesFeld = 0;       // the card field that last had the focus
    int FeldHatteFokus = 0;    // 1 card field, 0 search box
    int LetzteTaste = 0;       // last key code pressed in the main window (27 = Esc)
    int LeerlaufZaehler = 0;   // idle seconds
    int LeerlaufGrenze = 0;    // idle limit in seconds, 0 = none
    int PopupFeldIndex = -1;

    QString KatalogStdLand = QStringLiteral("D-");
    bool OrtAusPlz = true;

    // The undo copy: the selected list entry as it was when it was selected.
    // The list's click handler sets it (the text of the selected entry, "" when
    // none); storing the card never changes it; the undo command swaps it back.
    QString UndoKopie;

    // Set by Daten_Laden: the load itself demands read-only mode (more than
    // 32000 addresses, file unreadable or not creatable, data folder missing,
    // or the user answered the reservation question with Yes). Read by
    // NurLesen_Entscheiden, so a later ReadOnlySet keeps it.
    bool LadeNurLesen = false;
    // Full path of the address file whose reservation this run holds ("" none).
    QString ReservierteDatei;
    // The open address file as this run read it or last wrote it (identity,
    // time and size; vorhanden false: no version known). A save that finds
    // another version there asks before replacing it (Daten_Speichern).
    zplatform::Dateistand DateiStand;
    // The folder this run has said it may not write in (once a run).
    QString OhneSchreibrechtGemeldet;
    // The user has been told that the index counter could not be written.
    bool IndexFehlerGemeldet = false;

    // The duplicate-name question answered "Nein": the address it was asked
    // for (its undo copy) and the name kept there. Leaving a name field asks
    // no more about that name in that address until the name changes.
    struct NameBehalten
    {
        bool gilt = false;
        QString adresse;
        QString nachname;
        QString vorname;
    };
    NameBehalten DoppeltVerneint;

    // The main window's address clipboard of the cut and paste commands (one record).
    QString AdressZwischenablage;

    // File name (with extension) of the open address file: its section in Zettlora.Ini.
    QString DateiSektion() const;
    // ProgrammIniDatei, or Zettlora.Ini in the program folder while it is not set yet.
    QString ProgrammIni() const;
};

Sitzung& sitzung();
// Back to a fresh state (tests).
void sitzungZuruecksetzen();

} // namespace zadressbuch
