#include "masks/ui/befehle.h"

#include "addressbook/befehle.h"
#include "addressbook/datensatz.h"
#include "addressbook/fenster.h"
#include "addressbook/sitzung.h"
#include "common/ini.h"
#include "common/meldungen.h"
#include "common/texte.h"
#include "masks/masken.h"
#include "masks/maskeneditor.h"
#include "masks/ui/dokument.h"
#include "masks/ui/maskenedit.h"
#include "masks/ui/zaexport.h"
#include "platform/plattform.h"

#include <QWidget>

namespace zmasken {

using zadressbuch::Befehl;
using zadressbuch::Fenster;

bool Feldbeschriftung_Aendern(Fenster& fenster, int feld)
{
    using namespace zplatform;
    auto& s = zadressbuch::sitzung();
    if (feld < 0 || feld >= zadressbuch::FeldAnzahl)
        return false;
    const QString alt = s.Bezeichnungen[size_t(feld)];
    bool abgebrochen = false;
    const QString neu =
        plattform().eingabe(QStringLiteral("Neue Beschriftung für das Feld »") + alt + QStringLiteral("«:"),
                            QStringLiteral("Feldbeschriftung ändern"), alt, &abgebrochen);
    if (abgebrochen || zcommon::Trim(neu).isEmpty() || neu == alt)
        return false;
    s.Bezeichnungen[size_t(feld)] = neu;
    zcommon::Ini_Schreiben(s.ProgrammIni(), QStringLiteral("Beschriftung"),
                           QStringLiteral("Bez_%1").arg(feld, 2, 10, QLatin1Char('0')), neu);
    fenster.Bezeichnungen_Anwenden();

    if (Masken_Liste().isEmpty())
        return true;
    zcommon::Ton_Ausgeben(QStringLiteral("#SystemQuestion"));
    const QString frage = QStringLiteral("Soll der Platzhalter {") + alt + QStringLiteral("} in allen Masken durch {") +
                          neu + QStringLiteral("} ersetzt werden?");
    if (plattform().meldung(frage, vbYesNo | vbQuestion, QStringLiteral("Masken anpassen")) != vbYes)
        return true;
    QStringList fehler;
    const int anzahl = Masken_BezeichnungErsetzen(alt, neu, &fehler);
    if (!fehler.isEmpty()) {
        zcommon::Ton_Ausgeben(QStringLiteral("#SystemHand"));
        plattform().meldung(QStringLiteral("Diese Masken konnten nicht geändert werden:\r\n") +
                                fehler.join(QStringLiteral("\r\n")),
                            vbOKOnly | vbExclamation, QStringLiteral("Masken anpassen"));
    }
    fenster.Status(QStringLiteral("%1 Masken angepasst").arg(anzahl));
    return true;
}

void Befehle_Anmelden(zadressbuch::Befehlsregister& r)
{
    r.anmelden(Befehl::mnuMaskenEdit, [](Fenster& f, int) {
        MaskenEdit m(dynamic_cast<QWidget*>(&f));
        m.exec();
    });
    r.anmelden(Befehl::PulZAdresse, [](Fenster& f, int) {
        ZAexport z(dynamic_cast<QWidget*>(&f));
        z.exec();
    });
    r.anmelden(Befehl::mnuDocErstellen, [](Fenster& f, int) { mnuDocErstellen_Click(f); });
    r.anmelden(Befehl::mnuPopFeldBeschriftungAendern, [](Fenster& f, int) {
        const auto& s = zadressbuch::sitzung();
        Feldbeschriftung_Aendern(f, s.PopupFeldIndex >= 0 ? s.PopupFeldIndex : s.AktivesFeld);
    });
}

} // namespace zmasken
