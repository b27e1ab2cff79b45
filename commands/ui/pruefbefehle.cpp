#include "commands/ui/pruefbefehle.h"

#include "addressbook/adressliste.h"
#include "addressbook/befehle.h"
#include "addressbook/fenster.h"
#include "addressbook/sitzung.h"
#include "commands/pruefen.h"
#include "commands/ui/msgdoppelt.h"
#include "commands/ui/sonderzeichen.h"
#include "commands/ui/zoomtext.h"

#include <QWidget>

namespace zbefehle {

using zadressbuch::Befehl;
using zadressbuch::Fenster;
using zadressbuch::Kartenereignis;

bool Doppelten_Namen_Pruefen(Fenster& fenster, int feld)
{
    using namespace zadressbuch;
    if (feld != Nachname && feld != Vorname)
        return false;
    if (sitzung().NurLesen || !AutoSucheDoppeltenNamen())
        return false;
    // One question at a time: a leave while it is open asks nothing.
    static bool offen = false;
    if (offen)
        return false;
    const QString gezeigt = sitzung().UndoKopie;
    const QString nachname = fenster.FeldText(Nachname);
    const QString vorname = fenster.FeldText(Vorname);
    // "&Nein" holds for the name kept in that address; a name changed since
    // asks again when it stands elsewhere.
    Sitzung::NameBehalten& behalten = sitzung().DoppeltVerneint;
    if (behalten.gilt) {
        if (behalten.adresse == gezeigt && behalten.nachname == nachname && behalten.vorname == vorname)
            return false;
        behalten = {};
    }
    // Only a name the user changed since the address was shown: the address
    // switched to, or any stored one, is not asked about again.
    if (nachname == FeldAus(gezeigt, Nachname) && vorname == FeldAus(gezeigt, Vorname))
        return false;
    AdressListe& liste = adressliste();
    const int aktuell = liste.ListIndex();
    const int anderer = Doppelten_Namen_Finden(liste, aktuell, nachname, vorname);
    if (anderer < 0)
        return false;
    MsgDoppelt& m = MsgDoppelt::instanz(dynamic_cast<QWidget*>(&fenster));
    const QString text = Doppelt_Anzeigetext(liste.List(anderer));
    offen = true;
    const int antwort = m.zeigen(text);
    offen = false;
    if (antwort != 0) {
        behalten = {true, gezeigt, nachname, vorname};
        return false;
    }
    // The list may have changed while the message was open.
    if (liste.ListIndex() != aktuell || anderer >= liste.ListCount())
        return false;
    return Zu_Doppelter_Adresse_Wechseln(liste, aktuell, anderer);
}

void Pruefbefehle_Anmelden(zadressbuch::Befehlsregister& r)
{
    r.anmelden(Befehl::mnuChkDoppeltes, [](Fenster& f, int) { Doppelte_Suchen(f, zadressbuch::adressliste(), false); });
    r.anmelden(Befehl::mnuChkAehnliches, [](Fenster& f, int) { Doppelte_Suchen(f, zadressbuch::adressliste(), true); });
    r.anmelden(Befehl::mnuChkEmails, [](Fenster& f, int) { EMails_Pruefen(f, zadressbuch::adressliste()); });
    r.anmelden(Befehl::befZoom, [](Fenster& f, int) { Zoom_Zeigen(f); });
    r.anmelden(Befehl::mnuSonderzeichenEinfg, [](Fenster& f, int) { Sonderzeichen_Einfuegen(f); });
    r.anmelden(Kartenereignis::Feld_LostFocus, [](Fenster& f, int feld) { return Doppelten_Namen_Pruefen(f, feld); });
}

} // namespace zbefehle
