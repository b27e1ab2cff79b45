#include "printing/ui/befehle.h"

#include "addressbook/adressliste.h"
#include "addressbook/befehle.h"
#include "addressbook/fenster.h"
#include "addressbook/sitzung.h"
#include "common/ini.h"
#include "common/meldungen.h"
#include "common/programme.h"
#include "common/start.h"
#include "masks/masken.h"
#include "platform/plattform.h"
#include "printing/ui/druckereinrichtung.h"
#include "printing/ui/listendruck.h"
#include "printing/ui/umschlag.h"
#include "printing/umschlag.h"

#include <QWidget>

namespace zdruck {

using zadressbuch::Befehl;
using zadressbuch::Fenster;

namespace {

QWidget* eltern(Fenster& f)
{
    return dynamic_cast<QWidget*>(&f);
}

} // namespace

void mnuPrnUmschlagsfenster_Click(Fenster& fenster)
{
    (void)fenster;
    const QString schluessel = Absenderzeile_Schluessel(zadressbuch::sitzung().AdressDateiName);
    const QString gespeichert = zcommon::Ini_Lesen(QString(), QString(), schluessel, zcommon::Benutzer_Ermitteln());
    const QString antwort = zcommon::InputBox(QStringLiteral("Bitte legen Sie noch die Absenderzeile fest."),
                                              QStringLiteral("Absenderzeile für Umschlagsfenster"), gespeichert,
                                              zcommon::Hilfethema::Absenderzeile);
    if (antwort.isEmpty())
        return;
    zcommon::Ini_Schreiben(QString(), QString(), schluessel, antwort);

    zplatform::plattform().sanduhr(true);
    const zadressbuch::AdressListe& liste = zadressbuch::adressliste();
    const QString eintrag = liste.ListIndex() >= 0 ? liste.List(liste.ListIndex()) : QString();
    zplatform::Drucker& d = zplatform::drucker();
    d.setAuftragsname(QStringLiteral("Zettlora Umschlagsfenster"));
    Umschlagsfenster_Zeichnen(antwort, zmasken::Maske_Ausfuellen(QStringLiteral("Umschlag"), eintrag));
    const bool ok = d.dokumentEnde();
    zplatform::plattform().sanduhr(false);
    if (!ok) {
        QString text = QStringLiteral("Es ist ein Fehler beim Drucken aufgetreten.");
        if (!d.letzterFehler().isEmpty())
            text += QStringLiteral("~~") + d.letzterFehler();
        zcommon::Fehler_Melden(482, text, QStringLiteral("Umschlagsfenster"));
    }
}

void Befehle_Anmelden(zadressbuch::Befehlsregister& r)
{
    r.anmelden(Befehl::PulBriefumschlag, [](Fenster& f, int) {
        Umschlag umschlag(eltern(f));
        umschlag.exec();
    });
    r.anmelden(Befehl::PulListe, [](Fenster& f, int) {
        Listendruck liste(eltern(f));
        liste.exec();
    });
    r.anmelden(Befehl::mnuPrnPersBogen, [](Fenster& f, int) {
        // The personal sheet: the dialog prints the current address at once.
        zplatform::plattform().sanduhr(true);
        Listendruck liste(eltern(f));
        liste.ZeitAutoPersBogen->start();
        zplatform::plattform().sanduhr(false);
        liste.exec();
    });
    r.anmelden(Befehl::mnuPrnUmschlagsfenster, [](Fenster& f, int) { mnuPrnUmschlagsfenster_Click(f); });
    r.anmelden(Befehl::PulDruckEinrichten, [](Fenster& f, int) {
        // The printer to print on, then its sheet and orientation.
        Druckereinrichtung dialog(eltern(f));
        dialog.exec();
    });
}

} // namespace zdruck
