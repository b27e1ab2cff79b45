#include "commands/ui/einstellbefehle.h"

#include "addressbook/adressliste.h"
#include "addressbook/befehle.h"
#include "addressbook/fenster.h"
#include "addressbook/fenstereinstellungen.h"
#include "addressbook/sitzung.h"
#include "addressbook/suche.h"
#include "addressbook/ui/main.h"
#include "commands/massenwerkzeuge.h"
#include "commands/menuebefehle.h"
#include "commands/ui/info.h"
#include "commands/ui/setup.h"
#include "commands/ui/tips.h"
#include "common/ini.h"
#include "common/programme.h"
#include "common/ui/listen.h"
#include "platform/plattform.h"

#include <QLineEdit>
#include <QPlainTextEdit>

namespace zbefehle {

namespace {

using zadressbuch::Befehl;
using zadressbuch::Fenster;

QWidget* elternFenster(Fenster& f)
{
    return dynamic_cast<QWidget*>(&f);
}

zadressbuch::Main* hauptfenster(Fenster& f)
{
    return qobject_cast<zadressbuch::Main*>(elternFenster(f));
}

bool gesperrt(const QWidget* w)
{
    if (const auto* z = qobject_cast<const QLineEdit*>(w))
        return z->isReadOnly();
    if (const auto* t = qobject_cast<const QPlainTextEdit*>(w))
        return t->isReadOnly();
    return true;
}

qint64 farbNummer(const QColor& c)
{
    return qint64(c.red()) + 256 * qint64(c.green()) + 65536 * qint64(c.blue());
}

// What the settings dialog needs of the card: from the real window's fields,
// else the card's texts with the stored fonts and the fields locked at design.
SetupKarte karteLesen(Fenster& fenster)
{
    SetupKarte k;
    const auto& s = zadressbuch::sitzung();
    zadressbuch::Main* m = hauptfenster(fenster);
    if (m) {
        k.titel = m->windowTitle();
        k.schriftEin = zcommon::Schrift_AlsText(m->Feld(0));
        k.schriftBem = zcommon::Schrift_AlsText(m->Feld(zadressbuch::Bemerkung));
        if (QWidget* f0 = m->Feld(0))
            k.hintergrund = farbNummer(f0->palette().color(f0->backgroundRole()));
    } else {
        const zadressbuch::KartenSchriften gespeichert = zadressbuch::KartenSchriften_Laden({});
        k.titel = s.Beschreibung;
        k.schriftEin = gespeichert.ein;
        k.schriftBem = gespeichert.bem;
        k.hintergrund = gespeichert.hintergrund;
    }
    for (int i = 0; i < zadressbuch::FeldAnzahl; ++i) {
        KartenFeld& f = k.felder[size_t(i)];
        f.text = fenster.FeldText(i);
        f.bezeichnung = s.Bezeichnungen[size_t(i)];
        if (m && m->Feld(i)) {
            f.gesperrt = gesperrt(m->Feld(i));
            f.sichtbar = !m->Feld(i)->isHidden();
        } else {
            f.gesperrt =
                s.NurLesen || i == zadressbuch::ErstelltAm || i == zadressbuch::GeaendertAm || i == zadressbuch::Index;
        }
    }
    return k;
}

void einstellungen(Fenster& fenster)
{
    const SetupKarte vorher = karteLesen(fenster);
    SetupKarte nachher;
    bool geaendert = false;
    {
        Setup setup(vorher, elternFenster(fenster));
        setup.exec();
        nachher = setup.karte();
        geaendert = setup.schriftenGeaendert();
    }
    auto& p = zplatform::plattform();
    p.ereignisseVerarbeiten();
    fenster.Einstellungen_Sichern();
    // The window stored the fonts its card shows; the dialog's choice goes over them.
    if (geaendert && !zadressbuch::sitzung().NurLesen) {
        const QString leer;
        zcommon::Ini_Stapel stapel(leer);
        if (nachher.schriftEin != vorher.schriftEin)
            zcommon::Ini_Schreiben(leer, leer, QStringLiteral("SchriftEin"), nachher.schriftEin);
        if (nachher.schriftBem != vorher.schriftBem)
            zcommon::Ini_Schreiben(leer, leer, QStringLiteral("SchriftBem"), nachher.schriftBem);
        if (nachher.hintergrund != vorher.hintergrund)
            zcommon::Ini_Schreiben(leer, leer, QStringLiteral("SchriftBackCol"), QString::number(nachher.hintergrund));
    }
    p.ereignisseVerarbeiten();
    fenster.Einstellungen_Anwenden();
}

void suchen(Fenster& fenster)
{
    const QString text = Suchtext_Ermitteln(fenster);
    zadressbuch::Main* m = hauptfenster(fenster);
    if (!m || !m->TxtSuche)
        return;
    if (!text.isNull())
        m->TxtSuche->setText(text);
    // The command searches once, now. The delay that setting the text (or the
    // typing before) started would search again, step past this match and
    // drop the selection below.
    m->zeitSuche()->timer().stop();
    m->TxtSuche->setFocus(Qt::ShortcutFocusReason);
    m->TextSuche_Starten();
    m->TxtSuche->selectAll();
}

} // namespace

void Einstellbefehle_Anmelden(zadressbuch::Befehlsregister& r)
{
    using zadressbuch::adressliste;
    r.anmelden(Befehl::mnuSetup, [](Fenster& f, int) { einstellungen(f); });
    // From the menu and at start-up alike; without tips the dialog opens in
    // its no-tips state, which switches the tip at start-up off.
    r.anmelden(Befehl::mnuTips, [](Fenster& f, int) {
        Tips t(elternFenster(f));
        t.exec();
    });
    r.anmelden(Befehl::PulInfo, [](Fenster& f, int) {
        Info i(elternFenster(f));
        i.exec();
    });
    r.anmelden(Befehl::PulAnleitung, [](Fenster&, int) { zcommon::Hilfe_Zeigen(); });
    r.anmelden(Befehl::PulWerbung, [](Fenster&, int) { zcommon::Werbung_Zeigen(); });
    r.anmelden(Befehl::mnuURLUpdate,
               [](Fenster&, int) { zcommon::Internetseite_Aufrufen(QStringLiteral("Ze32UpInfo")); });

    r.anmelden(Befehl::mnuVertriebDel, [](Fenster& f, int) { Adressen_Loeschen_Mit(adressliste(), f); });
    r.anmelden(Befehl::mnuVertriebExpFonName, [](Fenster& f, int) { Rufnummern_Exportieren(adressliste(), f); });
    r.anmelden(Befehl::mnuVertriebExpZA, [](Fenster& f, int) { AdressTabelle_InZwischenablage(adressliste(), f); });
    r.anmelden(Befehl::mnuVJob, [](Fenster& f, int) { Spezialjob(adressliste(), f); });

    r.anmelden(Befehl::mnuWebStart, [](Fenster& f, int) { WebSeite_Aufrufen(f); });
    r.anmelden(Befehl::PulZFax, [](Fenster& f, int) { FaxNr_InZwischenablage(f); });
    r.anmelden(Befehl::mnuSuchenText, [](Fenster& f, int) { suchen(f); });
}

} // namespace zbefehle
