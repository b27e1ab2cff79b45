#include "commands/ui/befehle_anmelden.h"

#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "addressbook/ui/main.h"
#include "commands/adressbefehle.h"
#include "commands/anbindung.h"
#include "commands/dateibefehle.h"
#include "commands/sortieren.h"
#include "commands/ui/auswahl.h"
#include "commands/ui/file.h"
#include "common/programme.h"
#include "common/ui/begleitprogramme.h"
#include "masks/uebergabe.h"

#include <QProgressBar>
#include <QWidget>

namespace zbefehle {

namespace {

using zadressbuch::adressliste;
using zadressbuch::Main;

const char* const Handlernamen[] = {"PulAnlegen_Click",
                                    "PulOeffnen_Click",
                                    "mnuDateiHinzufuegen_Click",
                                    "PulSichern_Click",
                                    "mnuDateiBeschreiben_Click",
                                    "mnuSort_Click",
                                    "PulAbbruch_Click",
                                    "pulEnde_Click",
                                    "mnuUndo_Click",
                                    "mnuAdrAnlegen_Click",
                                    "mnuAdrDuplizieren_Click",
                                    "mnuAdrLoeschen_Click",
                                    "mnuPrg_Click",
                                    "mnuWeiteres_Click"};

void mitFenster(const std::function<void(Main&)>& f)
{
    if (Main* m = Main::instanz())
        f(*m);
}

} // namespace

void Befehle_Anmelden()
{
    File::anbinden();
    Anbindung& a = anbindung();
    a.Fortschritt = [](int wert) {
        mitFenster([wert](Main& m) {
            if (!m.ProgressBar)
                return;
            if (wert < 0) {
                m.ProgressBar->hide();
                return;
            }
            m.ProgressBar->setRange(0, 100);
            m.ProgressBar->setValue(wert);
            m.ProgressBar->show();
        });
    };
    a.Adresse_Anzeigen = [] { mitFenster([](Main& m) { m.Adresse_Anzeigen(); }); };
    a.Feld_Fokus = [](int feld) {
        mitFenster([feld](Main& m) {
            if (QWidget* w = m.Feld(feld))
                w->setFocus(Qt::OtherFocusReason);
        });
    };
    a.Daten_Laden = [] {
        bool ok = false;
        mitFenster([&ok](Main& m) { ok = m.Daten_Laden(); });
        return ok;
    };
    a.Titel_Setzen = [] { mitFenster([](Main& m) { m.Titel_Setzen(); }); };
    a.Einstellungen_Sichern = [] { mitFenster([](Main& m) { m.Einstellungen_Sichern(); }); };
    a.Beenden_Trotz_Fehler = [] {
        bool beenden = true;
        mitFenster([&beenden](Main& m) { beenden = m.Beenden_Trotz_Fehler(); });
        return beenden;
    };
    // The hand-over files take the card's texts and the selection in the
    // remark field.
    a.Adresse_Uebergeben = [] {
        const zadressbuch::AdressListe& liste = adressliste();
        const int i = liste.ListIndex();
        const QString datensatz = i >= 0 && i < liste.ListCount() ? liste.List(i) : QString();
        Main* m = Main::instanz();
        if (!m) {
            zmasken::Adresse_Uebergeben(datensatz);
            return;
        }
        zadressbuch::Felder karte;
        for (int f = 0; f < zadressbuch::FeldAnzahl; ++f)
            karte[size_t(f)] = m->FeldText(f);
        zmasken::Adresse_Uebergeben(karte, datensatz, m->FeldSelText(zadressbuch::Bemerkung));
    };

    // The card's pick lists (e-mail proposals, field values) use the one pick list.
    Main::auswahlSetzen([](const QStringList& eintraege, bool einzeln) {
        Auswahl& auswahl = Auswahl::instanz();
        auswahl.Liste->Clear();
        auswahl.setCheckSingle(einzeln ? 1 : 0);
        auswahl.Liste->addItems(eintraege);
        auswahl.zeigen();
        const QStringList gewaehlt = auswahl.ausgewaehlt();
        auswahl.Liste->Clear();
        return gewaehlt;
    });

    Main::handlerSetzen(QStringLiteral("PulAnlegen_Click"), [](Main&, int) { Datei_Anlegen(adressliste()); });
    Main::handlerSetzen(QStringLiteral("PulOeffnen_Click"), [](Main&, int) { Datei_Oeffnen(adressliste()); });
    Main::handlerSetzen(QStringLiteral("mnuDateiHinzufuegen_Click"),
                        [](Main&, int) { Datei_Hinzufuegen(adressliste()); });
    Main::handlerSetzen(QStringLiteral("PulSichern_Click"), [](Main&, int) { Datei_Speichern(adressliste()); });
    Main::handlerSetzen(QStringLiteral("mnuDateiBeschreiben_Click"), [](Main&, int) { Datei_Beschreiben(); });
    Main::handlerSetzen(QStringLiteral("mnuSort_Click"), [](Main&, int feld) { Sortieren(adressliste(), feld); });
    Main::handlerSetzen(QStringLiteral("PulAbbruch_Click"), [](Main& m, int) {
        if (Programm_Beenden(adressliste(), false))
            m.Programm_Beenden();
    });
    // Index 1: the idle exit, which asks nothing after a failed save and keeps the program running.
    Main::handlerSetzen(QStringLiteral("pulEnde_Click"), [](Main& m, int index) {
        if (Programm_Beenden(adressliste(), true, index != 1))
            m.Programm_Beenden();
    });
    Main::handlerSetzen(QStringLiteral("mnuUndo_Click"), [](Main&, int) { Aenderungen_Rueckgaengig(adressliste()); });
    Main::handlerSetzen(QStringLiteral("mnuAdrAnlegen_Click"), [](Main&, int) { Adresse_Neu(adressliste()); });
    Main::handlerSetzen(QStringLiteral("mnuAdrDuplizieren_Click"),
                        [](Main&, int) { Adresse_Duplizieren(adressliste()); });
    // The companion programs of the menu "&Weiteres": the running one's entry is hidden when the menu opens.
    Main::handlerSetzen(QStringLiteral("mnuPrg_Click"), [](Main&, int index) { zcommon::Begleitprogramm_Starten(index); });
    Main::handlerSetzen(QStringLiteral("mnuWeiteres_Click"), [](Main& m, int) {
        zcommon::Begleitprogramme_Menue(&m, [&m](const QString& text) { m.panel(QStringLiteral("Status"), text); });
    });
    Main::handlerSetzen(QStringLiteral("mnuAdrLoeschen_Click"), [](Main& m, int) {
        const bool ohneFrage = m.KeineFrage;
        m.KeineFrage = false;
        Adresse_Loeschen(adressliste(), ohneFrage);
    });
}

void Befehle_Abmelden()
{
    for (const char* name : Handlernamen)
        Main::handlerSetzen(QString::fromLatin1(name), {});
    Main::auswahlSetzen({});
    anbindung() = Anbindung{};
}

} // namespace zbefehle
