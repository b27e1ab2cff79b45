#pragma once
// The main window's start-up: the command line, the paths and names of the
// run, the settings the load handler reads, and the fixed order of Form_Load.
//
// How the main window wires it (Form_Load):
//
//   StartAblauf a = StartAblauf_Standard(QCoreApplication::arguments().mid(1));
//   // the steps that touch the window (each may also call the logic below):
//   a.setzen(StartSchritt::Uhr,            [this] { ZeitTimeOut_Timer(); });
//   a.setzen(StartSchritt::MenuePopUp,     [this] { mnuPopUp hidden in the menu bar; });
//   a.setzen(StartSchritt::TkAnlage,       [this] { QString n = TkAnlage_Name();
//                                                   n.isEmpty() ? hide mnuExportTKAnlage
//                                                               : replace "*" in its caption by n; });
//   a.setzen(StartSchritt::DokumentSymbol, [this] { befSymbol(46) visible := DokumentSymbol_Zeigen(); });
//   a.setzen(StartSchritt::Bezeichnungen,  [this] { for i: Bezeichnung1(i) := Bezeichnung_Lesen(i, its caption); });
//   a.setzen(StartSchritt::Rahmen,         [this] { for n in 0,1,2,3,4,6: Rahmen<n> := Rahmen_Lesen(n, its title); });
//   a.setzen(StartSchritt::Vorlagen,       [this] { if (Vorlagen_Pruefen().isEmpty()) hide mnuDocErstellen; });
//   a.setzen(StartSchritt::KarteLeeren,    [this] { Feld(0..23) and TxtSuche := ""; });
//   a.setzen(StartSchritt::Status,         [this] { panel "Status" := "Bereit"; repaint; });
//   a.setzen(StartSchritt::Logo,           [this] { QString l = Logo_Datei(); show ImgLogo with l, or hide it; });
//   a.setzen(StartSchritt::TabStops,       [this] { Liste_TabStopsSetzen(); });
//   a.setzen(StartSchritt::DatenLaden,     [this] { Daten_Laden and the rest of the load road (adressdatei.h),
//                                                   sitzung().LeerlaufGrenze = LeerlaufGrenze_Lesen(); });
//   a.setzen(StartSchritt::Einstellungen,  [this] { Einstellungen_Anwenden(); });
//   a.setzen(StartSchritt::Suche,          [this] { if (!kommandozeile().suche.isEmpty()) {
//                                                   TxtSuche->setText(kommandozeile().suche);
//                                                   tick checkSuche as a click does (caption, delay timer); } });
//   if (!a.ausfuehren()) { the program ends (configuration job or second instance) }
//
// The steps Laendereinstellung, Konfiguration, Instanz and Statistik run the
// common start-up checks and are preset when the common services offer them;
// Pfade, Uebergabe, Feldtrenner and Kommandozeile are preset with the logic
// below. Main may replace any preset step with setzen().
//
// First paint (paintEvent / showEvent, once per run, flag set before anything runs):
//   ErsterAnstrich e = ErsterAnstrich_Aktionen();
//   if (e.dateiAuswahl) PulOeffnen_Click();
//   if (e.tipp) mnuTips_Click();

#include <QString>
#include <QStringList>
#include <array>
#include <functional>

namespace zadressbuch {

// The words of the command line that start-up reads.
struct Kommandozeile
{
    QString text;          // the whole line (arguments joined by blanks)
    QString datei;         // value of the first word "Datei=..." ("" none)
    QString suche;         // value of the first word "Suche=..." ("" none)
    bool readonly = false; // "readonly" anywhere in the line, any case
};

// Splits at blank, "/", ",", ";", "|", TAB, LF and CR (through the common word
// list, which afterwards holds the command line's words); prefixes ignore case.
Kommandozeile Kommandozeile_Lesen(const QString& befehlszeile);
Kommandozeile Kommandozeile_Lesen(const QStringList& argumente);

// The command line of this run (set by the Kommandozeile step).
Kommandozeile& kommandozeile();

// Files the start-up names (paths with "/", no trailing separator).
struct StartDateien
{
    QString HilfeDatei;        // program folder + "/Zettlora.hlp"
    QString TkAnlageIniDatei;  // program folder + "/Export_Tk-Anlage.ini"
    QString UebergabeIniDatei; // the setting "Adr_IniSpeichern_In"
    QString VorlagenIniDatei;  // program folder + "/Vorlagen.ini", "" when missing
};
StartDateien& startDateien();

// The data folder: "DirData" of section "Ordner" in DurIdovi.ini in the
// program folder, else "DirData" of Zizorud.ini (default: the program
// folder); every "{appdir}" (any case) replaced by the program folder, "\" as
// "/", a relative folder (or an empty one) taken inside the program folder,
// one trailing separator removed.
QString DatenOrdner_Ermitteln();

// Steps 7 to 9 of the load: ProgrammIniDatei, the help file, DatenOrdner and
// MaskenOrdner (equal to DatenOrdner).
void Startpfade_Setzen();

// The name of the telephone system ("Tk-Anlage" of section "Allgemein" in
// Export_Tk-Anlage.ini); "" hides the speed-dial export entry. Sets
// startDateien().TkAnlageIniDatei.
QString TkAnlage_Name();
// False when "Doc" of section "Verknüpfung" in Zizorud.ini is empty.
bool DokumentSymbol_Zeigen();
// Caption of card field i: "Bez_" + two digits in section "Beschriftung" of
// Zettlora.Ini, default the current caption; kept in sitzung().Bezeichnungen.
QString Bezeichnung_Lesen(int feld, const QString& aktuell);
// Caption of frame Rahmen<n> (n = 0, 1, 2, 3, 4, 6): "Rahmen_0n".
QString Rahmen_Lesen(int rahmen, const QString& aktuell);
// The hand-over file: when "Adr_IniSpeichern_In" is empty it is set to the
// Windows folder + "/TmpAdrDoc.Tmp"; a file of that name is deleted and a
// fresh one holds only [ZuletztNr] 99=ja. Returns the path (also in startDateien()).
QString Uebergabedatei_Vorbereiten();
// Vorlagen.ini in the program folder, or "" when it is missing (the document
// command is then hidden). Sets startDateien().VorlagenIniDatei.
QString Vorlagen_Pruefen();
// Logo.Bmp in the program folder (the path on disk), "" when missing.
QString Logo_Datei();

// Steps 22 to 25: the address file of the run. A "Datei=" value names the
// base name (drive, folder and everything from the first "." dropped) +
// ".Dat" in the data folder; when no such file exists (any case): the sound
// "#SystemExclamation", the message "Angegebene Datei <NAME> nicht gefunden."
// + line break + "Benutze Standarddatei." titled "Datei öffnen", and the
// default "zettlora.dat". Sets and returns sitzung().AdressDateiName (the
// spelling on disk when the file exists in another case).
QString AdressDatei_Ermitteln(const Kommandozeile& k);

// What the first paint does.
struct ErsterAnstrich
{
    bool dateiAuswahl = false; // no "Datei=" word and "AuswahlÖffnen" (default "0") not 0: the open command
    bool tipp = false;         // "AutoTip" (default "1") not 0: the tips command
};
ErsterAnstrich ErsterAnstrich_Aktionen(const Kommandozeile& k);
ErsterAnstrich ErsterAnstrich_Aktionen();

// The steps of Form_Load, in their fixed order.
enum class StartSchritt {
    Laendereinstellung, // regional-settings check (warns)
    Konfiguration,      // pending configuration job (may end the program)
    Instanz,            // single-instance guard (a second start ends)
    Statistik,          // counts the start
    Uhr,                // the clock tick once: date and time in the status bar
    Pfade,              // ProgrammIniDatei, help file, DatenOrdner, MaskenOrdner
    MenuePopUp,         // the context menus' parent hidden in the menu bar
    TkAnlage,           // caption or hiding of the speed-dial export entry
    DokumentSymbol,     // the document symbol button
    Bezeichnungen,      // the 24 field captions
    Rahmen,             // the six frame captions
    Uebergabe,          // the hand-over file reset
    Vorlagen,           // the template settings file / document command
    KarteLeeren,        // card fields and search box emptied
    Feldtrenner,        // the field separator and PopupFeldIndex = -1
    Status,             // "Bereit"
    Logo,               // the logo picture
    TabStops,           // the list's tab stops
    Kommandozeile,      // the command line and the address file of the run
    DatenLaden,         // loading the address file
    Einstellungen,      // the window settings
    Suche               // the command line's search text
};
inline constexpr int StartSchrittAnzahl = int(StartSchritt::Suche) + 1;

// The step's name (as in the enum), for protocols and tests.
QString StartSchritt_Name(StartSchritt schritt);

class StartAblauf
{
public:
    // A step returning false ends the start-up (the program ends).
    void setzen(StartSchritt schritt, std::function<bool()> aktion);
    void setzen(StartSchritt schritt, std::function<void()> aktion);
    bool gesetzt(StartSchritt schritt) const;

    // Runs the set steps in the fixed order; a step not set is skipped, a
    // step that throws is skipped and the next one runs. False when a step
    // ended the start-up.
    bool ausfuehren();
    // Names of the steps run, in order.
    const QStringList& protokoll() const { return m_protokoll; }

private:
    std::array<std::function<bool()>, StartSchrittAnzahl> m_schritte;
    QStringList m_protokoll;
};

// A start-up with the logic steps preset: Pfade (Startpfade_Setzen),
// Uebergabe, Feldtrenner, Kommandozeile (kommandozeile() := the arguments
// read, sitzung().KommandozeileReadonly, AdressDatei_Ermitteln), and the
// common start-up checks.
StartAblauf StartAblauf_Standard(const QStringList& argumente);

} // namespace zadressbuch
