#pragma once
// The settings dialog's logic: the general options it reads when it opens
// and writes when it closes, the registration of a CD-ROM telephone
// directory program, the move of the data folder and the field defaults of
// the open address file. The form (commands/ui/setup.h) shows the options
// and calls these functions; everything here works without a display.

#include "addressbook/datensatz.h"

#include <QString>
#include <QStringList>
#include <array>

namespace zbefehle {

// ---- general options --------------------------------------------------------

// The items of the sort-at-exit box: caption, 50 blanks, the two-character
// code that is stored ("-1" no sort, "00", "01", "04", "06", "07", "10",
// "15", "16").
QStringList SortAtEnd_Eintraege();
// The item that a stored "SortAtClose" selects: the value prefixed with three
// blanks and cut to its last two characters; the last item with that code
// wins; no match gives item 0 ("Keine Sortierung").
int SortAtEnd_Index(const QString& gespeichert);
// The stored code of an item (its last two characters).
QString SortAtEnd_Code(const QString& eintrag);
// What the box shows of an item: its caption, the code kept out of sight.
QString SortAtEnd_Bezeichnung(const QString& eintrag);

// "Unverändert", "Wortanfänge in Großschrift", ... (the list index is stored).
QStringList AutoFormatCase_Eintraege();
// "A-", "CH-", "D-" as the sorted box shows them.
QStringList KatalogStdLand_Eintraege();
// The item equal to the value without regard to case; none gives 0 ("A-").
int KatalogStdLand_Index(const QString& wert);

// CallByCall.ini of the program folder.
QString CallByCall_Datei();

struct AllgemeineOptionen
{
    bool auswahlOeffnen = false;     // "AuswahlÖffnen"
    int sortIndex = 0;               // item of the sort-at-exit box
    bool ortAusPlz = true;           // "OrtAusPlz"
    int katalogIndex = 2;            // item of the country box
    int autoFormatUCase = 0;         // "AutoFormatUCase": 0..4, -1 no selection
    bool autoFormatTrim = false;     // "AutoFormatTrim"
    bool autoNameDoppelt = false;    // "AutoSucheDoppeltenNamen"
    bool callByCallSichtbar = false; // CallByCall.ini [Allgemein] aktiviert has a value
    bool callByCall = true;
};

// Reads every option as the dialog shows it on opening. A case value outside
// 0..4 gives -1 (the box refuses it and has no selection).
AllgemeineOptionen Optionen_Laden();
// Writes them in the dialog's order; "aktiviert" of CallByCall.ini only when
// its box is shown.
void Optionen_Sichern(const AllgemeineOptionen& o);

// ---- CD-ROM telephone directory programs ----------------------------------------

struct CdRomProgramm
{
    int index;           // button index (0, 2, 3, 4)
    const char* knopf;   // button caption
    const char* titel;   // title of the file dialog
    const char* filter;  // "description|patterns|..." pairs
    const char* version; // value of "DInfoVer"
};
// The program of a button index; nullptr for an index without one.
const CdRomProgramm* CdRom_Programm(int index);
// Writes "DInfoPrg" = path and "DInfoVer" of the index (one registration at a time).
void CdRom_Anmelden(int index, const QString& pfad);

// ---- moving the data folder ----------------------------------------------------------

// The files a data folder holds and the move takes along (patterns, any case).
QStringList DatenOrdner_Muster();

// The whole command: the question, the input box, the copy, the messages and
// the settings. The open address file is saved first (nothing is moved while
// that fails); afterwards it, its reservation, the data folder and the mask
// folder point into the new folder. An original is deleted only after its
// copy was read back equal. True when the data now live in the new folder.
bool DatenOrdner_Verlegen();

// ---- field defaults of the open address file -----------------------------------------

// What the defaults need of one card field.
struct KartenFeld
{
    QString text;
    QString bezeichnung;
    bool gesperrt = false;
    bool sichtbar = true;
};
using KartenFelder = std::array<KartenFeld, zadressbuch::FeldAnzahl>;

// The question's list: "* caption: text~" for every visible unlocked field
// with a non-blank text (line breaks as blanks).
QString Vorgaben_Liste(const KartenFelder& karte);
// Asks ("Vorgaben setzen") and on Yes writes "Vorgabe_00".."Vorgabe_23" of
// every visible unlocked field into the open file's section of Zettlora.Ini.
// True when written.
bool Vorgaben_Setzen(const KartenFelder& karte);

// The two files and the two keys the settings dialog adds to the
// settings-file editor.
QStringList SetupSpeziell_Zusatzdateien();
QStringList SetupSpeziell_Zusatzschluessel();

} // namespace zbefehle
