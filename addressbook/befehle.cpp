#include "addressbook/befehle.h"

#include <stdexcept>

namespace zadressbuch {

namespace {

using F = Freigabe;
constexpr bool gesperrt = true; // locked in read-only mode
constexpr bool offen = false;

const MenueZeile Menues[] = {
    {"PulDatei", "&Datei", ""},
    {"PulSort", "S&ortieren", "PulDatei"},
    {"PulBearbeiten", "&Adresse", ""},
    {"mnuAdrEditX", "&Bearbeiten", "PulBearbeiten"},
    {"mnuSuchen", "&Suchen", ""},
    {"mnuChk", "&Prüfen", ""},
    {"PulDrucken", "D&rucken", ""},
    {"mnuImport", "&Importieren", ""},
    {"mnuExport", "&Exportieren", ""},
    {"mnuWeiterleitung", "Weiter&leitung", ""}, // Alt+W belongs to "&Weiteres"
    {"mnuVertrieb", "&Vertrieb", ""},
    {"mnuVertriebExp", "&Export / Löschen", "mnuVertrieb"},
    {"mnuWeiteres", "&Weiteres", ""},
    {"mnuUebernahme", "Über&nahme", "mnuWeiteres"},
    {"mnuStatistik", "&Statistik", "mnuWeiteres"},
    {"mnuPrgMenue", "&Zusätzliche Programme", "mnuWeiteres"},
    {"PulHilfe", "&Hilfe", ""},
    {"mnuInternet", "Inter&net", "PulHilfe"},
};

// In the order the entries stand in their menus. The submenus of Menues
// stand before the first entry that follows them in this table.
const BefehlZeile Befehle[] = {
    // &Datei
    {Befehl::PulAnlegen, 0, "PulAnlegen", "PulDatei", "&Anlegen...", "", gesperrt, F::Immer, false},
    {Befehl::PulOeffnen, 0, "PulOeffnen", "PulDatei", "Ö&ffnen...", "Ctrl+L", offen, F::Immer, false},
    {Befehl::mnuDateiHinzufuegen, 0, "mnuDateiHinzufuegen", "PulDatei", "&Hinzufügen...", "", gesperrt, F::Immer,
     false},
    {Befehl::PulSichern, 0, "PulSichern", "PulDatei", "&Speichern", "Ctrl+S", gesperrt, F::Immer, false},
    {Befehl::mnuDateiBeschreiben, 0, "mnuDateiBeschreiben", "PulDatei", "&Beschreiben...", "", gesperrt, F::Immer,
     true},
    {Befehl::mnuSort, 0, "mnuSort_0", "PulSort", "nach &Rubrik", "Ctrl+F4", gesperrt, F::Immer, false},
    {Befehl::mnuSort, 1, "mnuSort_1", "PulSort", "nach &Nachname", "", gesperrt, F::Immer, false},
    {Befehl::mnuSort, 2, "mnuSort_2", "PulSort", "nach &Vorname", "", gesperrt, F::Immer, false},
    {Befehl::mnuSort, 4, "mnuSort_4", "PulSort", "nach &PLZ", "", gesperrt, F::Immer, false},
    {Befehl::mnuSort, 6, "mnuSort_6", "PulSort", "nach &Land", "", gesperrt, F::Immer, false},
    {Befehl::mnuSort, 7, "mnuSort_7", "PulSort", "nach &Telefon-Nr.", "", gesperrt, F::Immer, false},
    {Befehl::mnuSort, 10, "mnuSort_10", "PulSort", "nach &Zusatz", "", gesperrt, F::Immer, false},
    {Befehl::mnuSort, 15, "mnuSort_15", "PulSort", "nach &Erstellungsdatum", "", gesperrt, F::Immer, false},
    {Befehl::mnuSort, 16, "mnuSort_16", "PulSort", "nach &Änderungsdatum", "Ctrl+Shift+F4", gesperrt, F::Immer, false},
    {Befehl::mnuSort, 20, "mnuSort_20", "PulSort", "nach &Geburtstag (Alter)", "", gesperrt, F::Immer, false},
    {Befehl::mnuSort, 22, "mnuSort_22", "PulSort", "nach &WWW-Seite", "", gesperrt, F::Immer, false},
    {Befehl::mnuSort, 23, "mnuSort_23", "PulSort", "nach &Index", "", gesperrt, F::Immer, false},
    {Befehl::PulAbbruch, 0, "PulAbbruch", "PulDatei", "Bee&nden", "", offen, F::Immer, true},
    {Befehl::PulEnde, 0, "PulEnde", "PulDatei", "Speichern und Be&enden", "F12", offen, F::Immer, false},
    // &Adresse
    {Befehl::mnuUndo, 0, "mnuUndo", "PulBearbeiten", "Änderungen &rückgängig", "Ctrl+Z", gesperrt, F::UndoMoeglich,
     false},
    {Befehl::mnuAdrAnlegen, 0, "mnuAdrAnlegen", "mnuAdrEditX", "Adresse &neu anlegen", "Ctrl+N", gesperrt, F::Immer,
     false},
    {Befehl::mnuAdrDuplizieren, 0, "mnuAdrDuplizieren", "mnuAdrEditX", "Adresse &duplizieren", "", gesperrt, F::Immer,
     false},
    {Befehl::mnuAdrLoeschen, 0, "mnuAdrLoeschen", "mnuAdrEditX", "Adresse &löschen", "Ctrl+Y", gesperrt, F::Immer,
     false},
    {Befehl::mnuAdrAusschneiden, 0, "mnuAdrAusschneiden", "mnuAdrEditX", "Adresse &ausschneiden", "", gesperrt,
     F::Immer, true},
    {Befehl::mnuAdrEinfuegen, 0, "mnuAdrEinfuegen", "mnuAdrEditX", "Adresse &einfügen", "", gesperrt,
     F::AdresseAusgeschnitten, false},
    {Befehl::mnuSonderzeichenEinfg, 0, "mnuSonderzeichenEinfg", "PulBearbeiten", "&Sonderzeichen einfügen...", "",
     gesperrt, F::Immer, true},
    {Befehl::mnuIndexSetNew, 0, "mnuIndexSetNew", "PulBearbeiten", "&Indexnummern neu vergeben...", "", gesperrt,
     F::Immer, false},
    {Befehl::mnuAdrImpDINFO99, 0, "mnuAdrImpDINFO99", "PulBearbeiten", "&Suche bei D-Info 99...", "", offen, F::Immer,
     true},
    {Befehl::mnuAdrImpDINFO2000, 0, "mnuAdrImpDINFO2000", "PulBearbeiten", "&Suche bei D-Info 2000...", "Ctrl+F7",
     offen, F::Immer, false},
    {Befehl::mnuAdrImpKlickTel98, 0, "mnuAdrImpKlickTel98", "PulBearbeiten", "&Suche bei KlickTel 98...", "", offen,
     F::Immer, false},
    {Befehl::mnuAdrImpKlickTel1999, 0, "mnuAdrImpKlickTel1999", "PulBearbeiten", "&Suche bei KlickTel 99...",
     "Ctrl+Shift+F7", offen, F::Immer, false},
    // &Suchen
    {Befehl::mnuSuchenText, 0, "mnuSuchenText", "mnuSuchen", "&Adresse", "Ctrl+F", offen, F::Immer, false},
    {Befehl::mnuSucheBlzBank, 0, "mnuSucheBlzBank", "mnuSuchen", "BLZ oder &Bank...", "", offen, F::Immer, false},
    {Befehl::mnuSuchePlzOrt, 0, "mnuSuchePlzOrt", "mnuSuchen", "PLZ oder &Ort...", "", offen, F::Immer, false},
    // &Prüfen
    {Befehl::mnuChkDoppeltes, 0, "mnuChkDoppeltes", "mnuChk", "&Doppelte Adressen suchen...", "Shift+F5", gesperrt,
     F::Immer, false},
    {Befehl::mnuChkAehnliches, 0, "mnuChkAehnliches", "mnuChk", "Ä&hnliche Adressen suchen...", "Shift+F6", gesperrt,
     F::Immer, false},
    {Befehl::mnuChkEmails, 0, "mnuChkEmails", "mnuChk", "&eMail-Adressen auf Gültigkeit prüfen", "Shift+F4", gesperrt,
     F::Immer, false},
    // D&rucken
    {Befehl::PulBriefumschlag, 0, "PulBriefumschlag", "PulDrucken", "&Umschlag...", "Ctrl+T", offen, F::Immer, false},
    {Befehl::mnuPrnUmschlagsfenster, 0, "mnuPrnUmschlagsfenster", "PulDrucken", "Umschlags&fenster...", "", offen,
     F::Immer, false},
    {Befehl::PulListe, 0, "PulListe", "PulDrucken", "&Liste...", "Ctrl+P", offen, F::Immer, false},
    {Befehl::mnuPrnPersBogen, 0, "mnuPrnPersBogen", "PulDrucken", "&Personenbogen", "", offen, F::Immer, false},
    {Befehl::mnuPrnUeberweisung, 0, "mnuPrnUeberweisung", "PulDrucken", "Über&weisung...", "Ctrl+M", offen, F::Immer,
     true},
    {Befehl::mnuPrnLastschrift, 0, "mnuPrnLastschrift", "PulDrucken", "L&astschrift...", "", offen, F::Immer, false},
    {Befehl::mnuPrnNachnahme, 0, "mnuPrnNachnahme", "PulDrucken", "&Nachnahme...", "Ctrl+H", offen, F::Immer, false},
    {Befehl::PulDruckEinrichten, 0, "PulDruckEinrichten", "PulDrucken", "Druckerein&richtung...", "", offen, F::Immer,
     true},
    // &Importieren
    {Befehl::mnuAdrImpListe, 0, "mnuAdrImpListe", "mnuImport", "Import einer Adress&liste...", "Ctrl+I", gesperrt,
     F::Immer, false},
    {Befehl::mnuImpZA, 0, "mnuImpZA", "mnuImport", "Import einer Adresse aus &Zwischenablage", "Ctrl+F8", gesperrt,
     F::TextInZwischenablage, false},
    // &Exportieren
    {Befehl::PulZAdresse, 0, "PulZAdresse", "mnuExport", "&Anschrift in Zwischenablage...", "Ctrl+A", offen, F::Immer,
     false},
    {Befehl::PulZFax, 0, "PulZFax", "mnuExport", "&Fax-Nr in Zwischenablage", "", offen, F::Immer, false},
    {Befehl::mnuExportTKAnlage, 0, "mnuExportTKAnlage", "mnuExport", "Kurzwahl-Speicher für * !!! ...", "", offen,
     F::Immer, false},
    // &Weiterleitung
    {Befehl::PulTeleWaehlen, 0, "PulTeleWaehlen", "mnuWeiterleitung", "&Telefonnummer per Modem wählen...", "Ctrl+W",
     offen, F::Immer, false},
    {Befehl::mnuWebStart, 0, "mnuWebStart", "mnuWeiterleitung", "&Web-Seite aufrufen...", "", offen, F::Immer, false},
    {Befehl::mnuDocErstellen, 0, "mnuDocErstellen", "mnuWeiterleitung", "&Dokument erstellen...", "", offen, F::Immer,
     false},
    // &Vertrieb
    {Befehl::mnuVertriebExpZA, 0, "mnuVertriebExpZA", "mnuVertriebExp", "Alle Adressen ab Cursor in &ZA", "", offen,
     F::Immer, false},
    {Befehl::mnuVertriebExpFonName, 0, "mnuVertriebExpFonName", "mnuVertriebExp", "Alle Rufnummern/Namen in Ini-Datei",
     "", offen, F::Immer, false},
    {Befehl::mnuVertriebDel, 0, "mnuVertriebDel", "mnuVertriebExp", "Lösche alle Adressen mit...", "", gesperrt,
     F::Immer, true},
    {Befehl::mnuVJob, 0, "mnuVJob", "mnuVertrieb", "Spezial-Job", "Shift+F1", gesperrt, F::Immer, true},
    // &Weiteres
    {Befehl::mnuSetup, 0, "mnuSetup", "mnuWeiteres", "&Einstellungen...", "", gesperrt, F::Immer, false},
    {Befehl::mnuUebernahmeBlzBank, 0, "mnuUebernahmeBlzBank", "mnuUebernahme", "BLZ - &Kreditinstitut", "", gesperrt,
     F::Immer, false},
    {Befehl::mnuUebernahmePlzOrt, 0, "mnuUebernahmePlzOrt", "mnuUebernahme", "PLZ - &Ortsname", "", gesperrt, F::Immer,
     false},
    {Befehl::mnuUebernahmePlzVorwahl, 0, "mnuUebernahmePlzVorwahl", "mnuUebernahme", "PLZ - &Vorwahl", "", gesperrt,
     F::Immer, false},
    {Befehl::mnuUebernahmeVornAnrede, 0, "mnuUebernahmeVornAnrede", "mnuUebernahme", "Vorname - &Anrede (Geschlecht)",
     "", gesperrt, F::Immer, false},
    {Befehl::mnuUebernahmeEmail, 0, "mnuUebernahmeEmail", "mnuUebernahme", "&eMail-Domains", "", gesperrt, F::Immer,
     false},
    {Befehl::mnuStatistikFeldSuche, 0, "mnuStatistikFeldSuche", "mnuStatistik", "&Adressen mit...", "", offen, F::Immer,
     false},
    {Befehl::mnuStatistikPLZ, 0, "mnuStatistikPLZ", "mnuStatistik", "&PLZ-Verteilung...", "", offen, F::Immer, false},
    {Befehl::mnuMaskenEdit, 0, "mnuMaskenEdit", "mnuWeiteres", "&Masken-Editor", "", offen, F::Immer, false},
    {Befehl::mnuPrg, 0, "mnuPrg_0", "mnuPrgMenue", "&Zettlora...", "", offen, F::Immer, false},
    {Befehl::mnuPrg, 1, "mnuPrg_1", "mnuPrgMenue", "&Quirlan...", "", offen, F::Immer, false},
    {Befehl::mnuPrg, 2, "mnuPrg_2", "mnuPrgMenue", "&Vesmor...", "", offen, F::Immer, false},
    {Befehl::mnuPrg, 3, "mnuPrg_3", "mnuPrgMenue", "&Lindoras...", "", offen, F::Immer, false},
    // &Hilfe
    {Befehl::PulAnleitung, 0, "PulAnleitung", "PulHilfe", "&Anleitung...", "F1", offen, F::Immer, false},
    {Befehl::mnuTips, 0, "mnuTips", "PulHilfe", "&Tipps...", "", offen, F::Immer, false},
    {Befehl::mnuURLUpdate, 0, "mnuURLUpdate", "mnuInternet", "&Update (Infos und Download)", "", offen, F::Immer,
     false},
    {Befehl::PulWerbung, 0, "PulWerbung", "PulHilfe", "&Werbung...", "", offen, F::Immer, false},
    {Befehl::PulInfo, 0, "PulInfo", "PulHilfe", "&Info / AGB...", "", offen, F::Immer, true},
    // the card's popup menu
    {Befehl::mnuAdrAnlegen, 0, "mnuPopAdrNeu", "mnuPopUp", "Adresse &neu anlegen", "", gesperrt, F::Immer, false},
    {Befehl::mnuAdrDuplizieren, 0, "mnuPopAdrDuplizieren", "mnuPopUp", "Adresse &duplizieren", "", gesperrt, F::Immer,
     false},
    {Befehl::mnuAdrLoeschen, 0, "mnuPopAdrLoeschen", "mnuPopUp", "Adresse &löschen", "", gesperrt, F::Immer, false},
    {Befehl::befZoom, 0, "mnuPopZoom", "mnuPopUp", "Zoom...", "", offen, F::Immer, true},
    {Befehl::mnuWebStart, 0, "mnuPopWebSite", "mnuPopUp", "Web-Seite aufrufen...", "", offen, F::Immer, false},
    {Befehl::mnuDocErstellen, 0, "mnuPopDocErstellen", "mnuPopUp", "Dokument erstellen...", "", offen, F::Immer, false},
    {Befehl::mnuPopFeldBeschriftungAendern, 0, "mnuPopFeldBeschriftungAendern", "mnuPopUp",
     "Feld&beschriftung ändern...", "", gesperrt, F::Immer, true},
};

const SymbolZeile Symbole[] = {
    {41, Befehl::PulOeffnen, 0, "Adressdatei öffnen", "document-open", 0},
    {42, Befehl::PulSichern, 0, "Adressdatei speichern", "document-save", 0},
    {43, Befehl::mnuAdrAnlegen, 0, "Neue Adresse anlegen", "document-new", 120},
    {44, Befehl::mnuAdrDuplizieren, 0, "Adresse duplizieren", "edit-copy", 0},
    {45, Befehl::mnuAdrLoeschen, 0, "Adresse löschen", "edit-delete", 0},
    {47, Befehl::PulBriefumschlag, 0, "Umschlag drucken", "umschlag", 120},
    {48, Befehl::PulListe, 0, "Liste drucken", "liste", 0},
    {49, Befehl::mnuPrnPersBogen, 0, "Personenbogen drucken", "personenbogen", 0},
    {46, Befehl::mnuDocErstellen, 0, "Dokument erstellen", "x-office-document", 0},
    {63, Befehl::mnuSort, 0, "Nach Rubrik sortieren", "sortieren-rubrik", 120},
    {61, Befehl::mnuSort, 16, "Nach Änderungsdatum sortieren", "sortieren-datum", 0},
    {40, Befehl::PulEnde, 0, "Programm beenden", "application-exit", 120},
};

const char* const Namen[BefehlAnzahl] = {
    "PulAnlegen",
    "PulOeffnen",
    "mnuDateiHinzufuegen",
    "PulSichern",
    "mnuDateiBeschreiben",
    "mnuSort",
    "PulAbbruch",
    "PulEnde",
    "mnuUndo",
    "mnuAdrAnlegen",
    "mnuAdrDuplizieren",
    "mnuAdrLoeschen",
    "mnuAdrAusschneiden",
    "mnuAdrEinfuegen",
    "mnuSonderzeichenEinfg",
    "mnuIndexSetNew",
    "mnuAdrImpDINFO99",
    "mnuAdrImpDINFO2000",
    "mnuAdrImpKlickTel98",
    "mnuAdrImpKlickTel1999",
    "mnuSuchenText",
    "mnuSucheBlzBank",
    "mnuSuchePlzOrt",
    "mnuChkDoppeltes",
    "mnuChkAehnliches",
    "mnuChkEmails",
    "PulBriefumschlag",
    "mnuPrnUmschlagsfenster",
    "PulListe",
    "mnuPrnPersBogen",
    "mnuPrnUeberweisung",
    "mnuPrnLastschrift",
    "mnuPrnNachnahme",
    "PulDruckEinrichten",
    "mnuAdrImpListe",
    "mnuImpZA",
    "PulZAdresse",
    "PulZFax",
    "mnuExportTKAnlage",
    "PulTeleWaehlen",
    "mnuWebStart",
    "mnuDocErstellen",
    "mnuVertriebExpZA",
    "mnuVertriebExpFonName",
    "mnuVertriebDel",
    "mnuVJob",
    "mnuSetup",
    "mnuUebernahmeBlzBank",
    "mnuUebernahmePlzOrt",
    "mnuUebernahmePlzVorwahl",
    "mnuUebernahmeVornAnrede",
    "mnuUebernahmeEmail",
    "mnuStatistikFeldSuche",
    "mnuStatistikPLZ",
    "mnuMaskenEdit",
    "mnuPrg",
    "PulAnleitung",
    "mnuTips",
    "mnuURLUpdate",
    "PulWerbung",
    "PulInfo",
    "mnuPopFeldBeschriftungAendern",
    "befZoom",
};

} // namespace

std::span<const MenueZeile> menuetabelle()
{
    return Menues;
}

std::span<const BefehlZeile> befehlstabelle()
{
    return Befehle;
}

std::span<const SymbolZeile> symboltabelle()
{
    return Symbole;
}

std::vector<const BefehlZeile*> befehlZeilen(Befehl befehl)
{
    std::vector<const BefehlZeile*> zeilen;
    for (const BefehlZeile& z : Befehle)
        if (z.befehl == befehl)
            zeilen.push_back(&z);
    return zeilen;
}

QString Befehl_Name(Befehl befehl)
{
    const int i = int(befehl);
    return i >= 0 && i < BefehlAnzahl ? QString::fromLatin1(Namen[i]) : QString();
}

bool KarteVorherUebernehmen(Befehl befehl)
{
    return befehl != Befehl::mnuUndo;
}

void Befehlsregister::anmelden(Befehl befehl, Handler h)
{
    if (!h)
        throw std::logic_error("leerer Befehl: " + Befehl_Name(befehl).toStdString());
    Handler& platz = m_befehle.at(size_t(befehl));
    if (platz)
        throw std::logic_error("Befehl doppelt angemeldet: " + Befehl_Name(befehl).toStdString());
    platz = std::move(h);
}

void Befehlsregister::anmelden(Kartenereignis ereignis, Ereignishandler h)
{
    if (!h)
        throw std::logic_error("leerer Ereignishandler");
    m_ereignisse.at(size_t(ereignis)).push_back(std::move(h));
}

void Befehlsregister::anmelden(Ablaufschritt schritt, Schritt s)
{
    if (!s)
        throw std::logic_error("leerer Ablaufschritt");
    Schritt& platz = m_schritte.at(size_t(schritt));
    if (platz)
        throw std::logic_error("Ablaufschritt doppelt angemeldet");
    platz = std::move(s);
}

bool Befehlsregister::angemeldet(Befehl befehl) const
{
    return bool(m_befehle.at(size_t(befehl)));
}

bool Befehlsregister::angemeldet(Ablaufschritt schritt) const
{
    return bool(m_schritte.at(size_t(schritt)));
}

bool Befehlsregister::ausfuehren(Befehl befehl, Fenster& fenster, int index) const
{
    const Handler& h = m_befehle.at(size_t(befehl));
    if (!h)
        return false;
    h(fenster, index);
    return true;
}

bool Befehlsregister::melden(Kartenereignis ereignis, Fenster& fenster, int feld) const
{
    bool gehandelt = false;
    for (const Ereignishandler& h : m_ereignisse.at(size_t(ereignis))) {
        gehandelt = h(fenster, feld) || gehandelt;
        if (gehandelt && ereignis == Kartenereignis::Feld_DblClick)
            break;
    }
    return gehandelt;
}

bool Befehlsregister::ausfuehren(Ablaufschritt schritt, Fenster& fenster, int index) const
{
    const Schritt& s = m_schritte.at(size_t(schritt));
    if (!s)
        return false;
    s(fenster, index);
    return true;
}

} // namespace zadressbuch
