#include "commands/ui/befehle.h"

#include "addressbook/adressliste.h"
#include "addressbook/befehle.h"
#include "addressbook/fenster.h"
#include "commands/adressbefehle.h"
#include "commands/dateibefehle.h"
#include "commands/sortieren.h"
#include "commands/ui/file.h"
#include "common/programme.h"

namespace zbefehle {

using zadressbuch::adressliste;
using zadressbuch::Befehl;
using zadressbuch::Fenster;

namespace {

QString dateiWaehlen(const DateiWahl& w)
{
    return File::waehlen(w);
}

} // namespace

void Befehle_Anmelden(zadressbuch::Befehlsregister& r)
{
    // menu "&Datei"
    r.anmelden(Befehl::PulAnlegen, [](Fenster& f, int) { Datei_Anlegen(adressliste(), f, dateiWaehlen); });
    r.anmelden(Befehl::PulOeffnen, [](Fenster& f, int) { Datei_Oeffnen(adressliste(), f, dateiWaehlen); });
    r.anmelden(Befehl::mnuDateiHinzufuegen, [](Fenster&, int) { Datei_Hinzufuegen(adressliste(), dateiWaehlen); });
    r.anmelden(Befehl::PulSichern, [](Fenster& f, int) { Datei_Speichern(adressliste(), f); });
    r.anmelden(Befehl::mnuDateiBeschreiben, [](Fenster& f, int) { Datei_Beschreiben(f); });
    r.anmelden(Befehl::mnuSort, [](Fenster& f, int feld) { Sortieren(adressliste(), feld, f); });
    r.anmelden(Befehl::PulAbbruch, [](Fenster& f, int) {
        if (Programm_Beenden(adressliste(), f, false))
            f.Programm_Beenden();
    });
    // Index 1: the idle exit, which asks nothing after a failed save and keeps
    // the program running. The hand-over files are written by whatever the
    // program registered for that step, which is told the index too.
    r.anmelden(Befehl::PulEnde, [&r](Fenster& f, int index) {
        if (Programm_Beenden(adressliste(), f, true, index != 1,
                             [&r, &f, index] { r.ausfuehren(zadressbuch::Ablaufschritt::Ende_Uebergabe, f, index); }))
            f.Programm_Beenden();
    });

    // menu "&Adresse"
    r.anmelden(Befehl::mnuUndo, [](Fenster& f, int) { Aenderungen_Rueckgaengig(adressliste(), f); });
    r.anmelden(Befehl::mnuAdrAnlegen, [](Fenster& f, int) { Adresse_Neu(adressliste(), f); });
    r.anmelden(Befehl::mnuAdrDuplizieren, [](Fenster& f, int) { Adresse_Duplizieren(adressliste(), f); });
    r.anmelden(Befehl::mnuAdrLoeschen, [](Fenster&, int) { Adresse_Loeschen(adressliste()); });
    r.anmelden(Befehl::mnuAdrAusschneiden, [](Fenster&, int) { Adresse_Ausschneiden(adressliste()); });
    r.anmelden(Befehl::mnuAdrEinfuegen, [](Fenster&, int) { Adresse_Einfuegen(adressliste()); });
    r.anmelden(Befehl::mnuIndexSetNew, [](Fenster& f, int) { Indexnummern_NeuVergeben(adressliste(), f); });

    // menu "&Weiteres": the companion programs
    r.anmelden(Befehl::mnuPrg, [](Fenster&, int index) { zcommon::Begleitprogramm_Starten(index); });
}

} // namespace zbefehle
