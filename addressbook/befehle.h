#pragma once
// The main window's commands in one table. Every command is a typed
// identifier (Befehl, named after the control of its menu entry); its rows
// say where it stands (menu, popup menu, symbol bar), its caption, its hot
// key, whether read-only mode locks it and when it is enabled. The window
// builds its menus, popup menu, symbol bar and hot keys from these rows only.
//
// Each part of the program registers the handlers of its commands by
// identifier in a Befehlsregister (app/ assembles it: one registration
// function per folder). A command nobody registered stays greyed; a command
// registered twice is a programming error (std::logic_error).
//
// The card's field events (entering, leaving, double-click) take handlers of
// several parts: they run in the order of registration.

#include <QString>

#include <functional>
#include <span>
#include <vector>

namespace zadressbuch {

class Fenster;

enum class Befehl {
    // menu "&Datei"
    PulAnlegen,
    PulOeffnen,
    mnuDateiHinzufuegen,
    PulSichern,
    mnuDateiBeschreiben,
    mnuSort, // index: the field to sort by
    PulAbbruch,
    PulEnde, // index 1: the idle exit (asks nothing after a failed save)
    // menu "&Adresse"
    mnuUndo,
    mnuAdrAnlegen,
    mnuAdrDuplizieren,
    mnuAdrLoeschen,
    mnuAdrAusschneiden,
    mnuAdrEinfuegen,
    mnuSonderzeichenEinfg,
    mnuIndexSetNew,
    mnuAdrImpDINFO99,
    mnuAdrImpDINFO2000,
    mnuAdrImpKlickTel98,
    mnuAdrImpKlickTel1999,
    // menu "&Suchen"
    mnuSuchenText,
    mnuSucheBlzBank,
    mnuSuchePlzOrt,
    // menu "&Prüfen"
    mnuChkDoppeltes,
    mnuChkAehnliches,
    mnuChkEmails,
    // menu "D&rucken"
    PulBriefumschlag,
    mnuPrnUmschlagsfenster,
    PulListe,
    mnuPrnPersBogen,
    mnuPrnUeberweisung,
    mnuPrnLastschrift,
    mnuPrnNachnahme,
    PulDruckEinrichten,
    // menus "&Importieren", "&Exportieren", "&Weiterleitung"
    mnuAdrImpListe,
    mnuImpZA,
    PulZAdresse,
    PulZFax,
    mnuExportTKAnlage,
    PulTeleWaehlen,
    mnuWebStart,
    mnuDocErstellen,
    // menu "&Vertrieb"
    mnuVertriebExpZA,
    mnuVertriebExpFonName,
    mnuVertriebDel,
    mnuVJob,
    // menu "&Weiteres"
    mnuSetup,
    mnuUebernahmeBlzBank,
    mnuUebernahmePlzOrt,
    mnuUebernahmePlzVorwahl,
    mnuUebernahmeVornAnrede,
    mnuUebernahmeEmail,
    mnuStatistikFeldSuche,
    mnuStatistikPLZ,
    mnuMaskenEdit,
    mnuPrg, // index: the companion program 0..3
    // menu "&Hilfe"
    PulAnleitung,
    mnuTips,
    mnuURLUpdate,
    PulWerbung,
    PulInfo,
    // only in the card's popup menu and on the card
    mnuPopFeldBeschriftungAendern,
    befZoom,
};
inline constexpr int BefehlAnzahl = int(Befehl::befZoom) + 1;

// When an enabled command's entry may be used besides "registered" and the
// read-only lock; the window decides each rule from the card's state when the
// menu opens, and again when the entry's hot key is pressed: a key acts only
// where the opened menu would show its entry enabled.
enum class Freigabe {
    Immer,
    UndoMoeglich,          // the selected entry differs from its undo copy
    TextInZwischenablage,  // the clipboard holds text
    AdresseAusgeschnitten, // the window's address clipboard holds an address
    AdresseGewaehlt,       // an address is selected in the list
};

// One menu or submenu: its control name, caption and the menu it stands in
// ("" for the menu bar).
struct MenueZeile
{
    const char* name;
    const char* text;
    const char* oben;
};

// One entry of a menu (or the popup menu "mnuPopUp") that runs a command.
struct BefehlZeile
{
    Befehl befehl;
    int index;             // passed to the handler (field of mnuSort, number of mnuPrg), else 0
    const char* name;      // control name of the entry ("mnuAdrLoeschen", "mnuSort_16")
    const char* menue;     // control name of the menu it stands in
    const char* text;      // caption with "&" (UTF-8)
    const char* kurz;      // hot key as QKeySequence text ("Ctrl+Y"), "" none
    bool nurLesenGesperrt; // greyed in read-only mode
    Freigabe freigabe;
    bool trennerDavor; // a separator line before the entry
};

// One button of the symbol bar, left to right.
struct SymbolZeile
{
    int index; // befSymbol(index)
    Befehl befehl;
    int befehlIndex;  // passed to the handler
    const char* tipp; // tool tip (UTF-8)
    const char* bild; // icon: the freedesktop name, else ":/symbole/<bild>.svg" of the program's resources
    int luecke;       // twips of space before the button
};

std::span<const MenueZeile> menuetabelle();
std::span<const BefehlZeile> befehlstabelle();
std::span<const SymbolZeile> symboltabelle();
// The rows of one command (several for mnuSort and mnuPrg, at least one each).
std::vector<const BefehlZeile*> befehlZeilen(Befehl befehl);
// The identifier's name as in the enum ("mnuAdrLoeschen"), for messages.
QString Befehl_Name(Befehl befehl);
// Whether the window stores a card that differs from its entry before it
// runs the command: every command but the undo, which brings back the entry
// as it was when it was selected and would otherwise undo nothing.
bool KarteVorherUebernehmen(Befehl befehl);

// The card's field events that other parts of the program handle.
enum class Kartenereignis {
    Feld_GotFocus,  // after the window's own part
    Feld_LostFocus, // after the input options, before the card is stored
    Feld_DblClick,  // before the field's own pick list: a handler that acted returns true, and the rest are skipped
};

// Steps of the window's start-up and of the exit that a higher part of the
// program adds (app/ registers them).
enum class Ablaufschritt {
    Start_Uebergabe, // start-up: reset the document hand-over files
    Ende_Uebergabe,  // exit: write the document hand-over files for the shown address
};

class Befehlsregister
{
public:
    using Handler = std::function<void(Fenster&, int index)>;
    // true when it acted (a double-click handler that acted ends the event)
    using Ereignishandler = std::function<bool(Fenster&, int feld)>;
    // index: what the command that runs the step was given (the exit: 1 for
    // the idle exit, with nobody there to answer a message).
    using Schritt = std::function<void(Fenster&, int index)>;

    // Throws std::logic_error when the command already has a handler or h is empty.
    void anmelden(Befehl befehl, Handler h);
    void anmelden(Kartenereignis ereignis, Ereignishandler h);
    void anmelden(Ablaufschritt schritt, Schritt s);

    bool angemeldet(Befehl befehl) const;
    bool angemeldet(Ablaufschritt schritt) const;
    // Runs the command's handler; false when none is registered.
    bool ausfuehren(Befehl befehl, Fenster& fenster, int index = 0) const;
    // Runs the event's handlers in order; true when one acted (double-click:
    // stops at the first that acted).
    bool melden(Kartenereignis ereignis, Fenster& fenster, int feld) const;
    bool ausfuehren(Ablaufschritt schritt, Fenster& fenster, int index = 0) const;

private:
    std::vector<Handler> m_befehle = std::vector<Handler>(BefehlAnzahl);
    std::vector<std::vector<Ereignishandler>> m_ereignisse = std::vector<std::vector<Ereignishandler>>(3);
    std::vector<Schritt> m_schritte = std::vector<Schritt>(2);
};

} // namespace zadressbuch
