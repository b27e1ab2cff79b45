#include "catalogues/ui/befehle.h"

#include "catalogues/emaildomains.h"
#include "catalogues/karte.h"
#include "catalogues/katalogsuche.h"
#include "catalogues/statistik.h"
#include "catalogues/uebernahme.h"
#include "catalogues/vornamen.h"

#include "addressbook/adressliste.h"
#include "addressbook/befehle.h"
#include "addressbook/fenster.h"
#include "addressbook/sitzung.h"

namespace zkataloge {

void Befehle_Anmelden(zadressbuch::Befehlsregister& r)
{
    using zadressbuch::adressliste;
    using zadressbuch::Befehl;
    using zadressbuch::Fenster;
    using zadressbuch::Kartenereignis;

    r.anmelden(Befehl::mnuSucheBlzBank, [](Fenster& f, int) { Katalog_Suchen(Katalogart::Bank, f); });
    r.anmelden(Befehl::mnuSuchePlzOrt, [](Fenster& f, int) { Katalog_Suchen(Katalogart::Ort, f); });

    // The take-over commands learn from the addresses; the menu locks them in
    // read-only mode, and so do they.
    const auto lernen = [](auto lauf) {
        return [lauf](Fenster& f, int) {
            if (!zadressbuch::sitzung().NurLesen)
                lauf(f);
        };
    };
    r.anmelden(Befehl::mnuUebernahmeBlzBank,
               lernen([](Fenster& f) { Katalog_Uebernehmen(Katalogart::Bank, f, adressliste()); }));
    r.anmelden(Befehl::mnuUebernahmePlzOrt,
               lernen([](Fenster& f) { Katalog_Uebernehmen(Katalogart::Ort, f, adressliste()); }));
    r.anmelden(Befehl::mnuUebernahmePlzVorwahl,
               lernen([](Fenster& f) { Katalog_Uebernehmen(Katalogart::Vorwahl, f, adressliste()); }));
    r.anmelden(Befehl::mnuUebernahmeVornAnrede, lernen([](Fenster& f) { Vornamen_Uebernehmen(f, adressliste()); }));
    r.anmelden(Befehl::mnuUebernahmeEmail, lernen([](Fenster& f) { Domains_Uebernehmen(f, adressliste()); }));

    r.anmelden(Befehl::mnuStatistikFeldSuche, [](Fenster& f, int) { Statistik_Adressen(f, adressliste()); });
    r.anmelden(Befehl::mnuStatistikPLZ, [](Fenster& f, int) { Statistik_Plz(f, adressliste()); });

    r.anmelden(Kartenereignis::Feld_LostFocus, Karte_FeldVerlassen);
    r.anmelden(Kartenereignis::Feld_GotFocus, Karte_FeldBetreten);
    r.anmelden(Kartenereignis::Feld_DblClick, Karte_Doppelklick);
}

} // namespace zkataloge
