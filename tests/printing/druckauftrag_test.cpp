// The print presets in KontPrn.ini and the print-job protocol through the
// real print-options dialog.

#include "addressbook/befehle.h"
#include "printing/druckvorgabe.h"
#include "printing/ui/befehle.h"
#include "printing/ui/druckauftrag.h"
#include "printing/ui/druckereinrichtung.h"
#include "support/dialoghilfe.h"
#include "support/fensterattrappe.h"

#include "testhilfe.h"

#include <QTest>

using namespace zdruck;

using Druckvorgaben = DruckUmgebung;

TEST_F(Druckvorgaben, GeschriebenUndWiederGelesen)
{
    Druckvorgabe v;
    v.ausrichtung = 1;
    v.randX = 15;
    v.randY = 50;
    v.anzahl = 8;
    v.automatisch = true;
    v.drucker = QStringLiteral("Zweiter");
    Vorgabe_Sichern(QStringLiteral("  Zettlora_Test "), v, true);
    Vorgabe_Sichern(QStringLiteral("Zettlora_Ohne"), v, false);

    const QStringList zeilen = zplatform::zeilenLesen(kontPrn());
    EXPECT_EQ(zeilen, (QStringList{"[Zettlora_Test]", "Drucker=Zweiter", "Ausrichtung=1", "RandX=15", "RandY=50",
                                   "Anzahl=8", "Automatisch=1", "LastSave=02.07.2000", "LastUser=Tester", "",
                                   "[Zettlora_Ohne]", "Ausrichtung=1", "RandX=15", "RandY=50", "Anzahl=8",
                                   "Automatisch=1", "LastSave=02.07.2000", "LastUser=Tester"}));
    EXPECT_EQ(Vorgabe_Laden(QStringLiteral("Zettlora_Test"), true, QStringLiteral("X")), v);
    Druckvorgabe ohne = v;
    ohne.drucker.clear();
    EXPECT_EQ(Vorgabe_Laden(QStringLiteral("Zettlora_Test"), false), ohne);
    // A job without a stored printer proposes the current one.
    EXPECT_EQ(Vorgabe_Laden(QStringLiteral("Zettlora_Ohne"), true, QStringLiteral("Aufzeichnung")).drucker,
              "Aufzeichnung");
}

TEST_F(Druckvorgaben, HandEditierteWerte)
{
    struct Fall
    {
        const char* wert;
        int index;
    };
    // Past the last entry, negative, no number: the first entry; a leading number counts.
    const Fall faelle[] = {{"60", 0}, {"50", 50}, {"-3", 0}, {"abc", 0}, {"12 mm", 12}, {"7.9", 7}, {"", 0}};
    for (const Fall& f : faelle) {
        w.schreiben(QStringLiteral("windows/KontPrn.ini"),
                    QStringLiteral("[J]\r\nRandX=%1\r\nRandY=%1\r\nAnzahl=%1\r\nAutomatisch=-1\r\nAusrichtung=x\r\n"
                                   "Bereich=2\r\n")
                        .arg(QString::fromLatin1(f.wert)));
        zcommon::Ini_CacheLeeren();
        const Druckvorgabe v = Vorgabe_Laden(QStringLiteral("J"), false);
        EXPECT_EQ(v.randX, f.index) << f.wert;
        EXPECT_EQ(v.randY, f.index) << f.wert;
        EXPECT_EQ(v.anzahl, f.index > 8 ? 0 : f.index) << f.wert;
        EXPECT_TRUE(v.automatisch) << "the absolute value 1 switches automatic mode on";
        EXPECT_EQ(v.ausrichtung, 0);
        EXPECT_EQ(v.bereich, 1);
    }
}

TEST_F(Druckvorgaben, LeererJobnameLiestUndSchreibtNichts)
{
    Druckvorgabe v;
    v.randX = 9;
    Vorgabe_Sichern(QStringLiteral("   "), v, true);
    EXPECT_FALSE(QFile::exists(kontPrn()));
    EXPECT_EQ(Vorgabe_Laden(QString(), true, QStringLiteral("X")), Druckvorgabe());
    EXPECT_EQ(Rand_Text(0), "0,0 cm");
    EXPECT_EQ(Rand_Text(50), "5,0 cm");
}

using Druckprotokoll = DruckUmgebung;

TEST_F(Druckprotokoll, DialogStandUndEinstellungenSichern)
{
    Druckauftrag a(QStringLiteral("Zettlora_Liste_Standard"), QStringLiteral("Drucken - Zettlora Liste_Standard"));
    imDialog([](PrinterSet& d) {
        EXPECT_EQ(d.windowTitle(), "Drucken - Zettlora Liste_Standard");
        EXPECT_EQ(d.ComboRandX->count(), 51);
        EXPECT_EQ(d.ComboRandY->itemText(13), "1,3 cm");
        EXPECT_EQ(d.ComboAnzahl->count(), 9);
        EXPECT_TRUE(d.optAusrichtung[0]->isChecked());
        EXPECT_FALSE(d.optBereich[1]->isEnabled());
        EXPECT_FALSE(d.ComboDrucker->isEnabled());
        EXPECT_EQ(d.bezDrucker->text(), "Drucker-Auswahl deaktiviert.");
        EXPECT_FALSE(d.CheckSichern->isChecked());
        d.ComboRandX->setCurrentIndex(12);
        d.ComboRandY->setCurrentIndex(5);
        d.ComboAnzahl->setCurrentIndex(2);
        d.optAusrichtung[1]->setChecked(true);
        EXPECT_TRUE(d.imgAusrichtung[0]->isHidden());
        d.CheckSichern->setChecked(true);
        d.BefOk->click();
    });
    ASSERT_TRUE(a.abfragen());
    EXPECT_EQ(DruckJobName(), "Zettlora_Liste_Standard");
    EXPECT_DOUBLE_EQ(a.randX(), 1.2);
    EXPECT_DOUBLE_EQ(a.randY(), 0.5);
    EXPECT_EQ(a.kopien(), 3);
    EXPECT_FALSE(a.hochformat());
    EXPECT_EQ(zplatform::drucker().ausrichtung(), 2);

    zplatform::Drucker& d = a.beginnen();
    EXPECT_DOUBLE_EQ(d.scaleLeft, -1.2);
    EXPECT_DOUBLE_EQ(d.scaleTop, -0.5);
    d.drucken(QStringLiteral("Zeile"));
    EXPECT_TRUE(a.beenden());
    EXPECT_EQ(aufzeichnung()->auftraege(), 1);
    EXPECT_EQ(PrinterSet::instanz(), nullptr);

    const Druckvorgabe v = Vorgabe_Laden(QStringLiteral("Zettlora_Liste_Standard"), false);
    EXPECT_EQ(v.randX, 12);
    EXPECT_EQ(v.randY, 5);
    EXPECT_EQ(v.anzahl, 2);
    EXPECT_EQ(v.ausrichtung, 1);
    EXPECT_FALSE(v.automatisch);

    // The next opening shows the preset; without "Einstellungen sichern" nothing is written.
    Druckauftrag b(QStringLiteral("Zettlora_Liste_Standard"), QStringLiteral("x"));
    imDialog([](PrinterSet& d) {
        EXPECT_EQ(d.ComboRandX->currentIndex(), 12);
        EXPECT_TRUE(d.optAusrichtung[1]->isChecked());
        d.ComboRandX->setCurrentIndex(0);
        d.BefOk->click();
    });
    ASSERT_TRUE(b.abfragen());
    EXPECT_EQ(Vorgabe_Laden(QStringLiteral("Zettlora_Liste_Standard"), false).randX, 12);
}

TEST_F(Druckprotokoll, AbbruchSchliessfeldUndEsc)
{
    const std::function<void(PrinterSet&)> wege[] = {
        [](PrinterSet& d) { d.befAbbrechen->click(); },
        [](PrinterSet& d) { d.close(); },
        [](PrinterSet& d) { QTest::keyClick(&d, Qt::Key_Escape); },
    };
    for (const auto& weg : wege) {
        Druckauftrag a(QStringLiteral("Zettlora_Umschlag"), QStringLiteral("t"));
        imDialog([&weg](PrinterSet& d) {
            d.CheckSichern->setChecked(true);
            weg(d);
        });
        EXPECT_FALSE(a.abfragen());
        EXPECT_EQ(PrinterSet::instanz(), nullptr);
    }
    EXPECT_FALSE(QFile::exists(kontPrn())) << "a cancel writes no preset";
    EXPECT_EQ(aufzeichnung()->auftraege(), 0);
}

TEST_F(Druckprotokoll, AutomatikDruecktOkSelbst)
{
    Druckvorgabe v;
    v.automatisch = true;
    v.randX = 7;
    Vorgabe_Sichern(QStringLiteral("Zettlora_Nachnahme"), v, false);

    Druckauftrag a(QStringLiteral("Zettlora_Nachnahme"), QStringLiteral("t"));
    ASSERT_TRUE(a.abfragen()) << "automatic mode presses OK by itself";
    EXPECT_DOUBLE_EQ(a.randX(), 0.7);

    // With Shift held it beeps, ticks "Einstellungen sichern" and waits.
    p.shift = true;
    Druckauftrag b(QStringLiteral("Zettlora_Nachnahme"), QStringLiteral("t"));
    bool geprueft = false;
    imDialog([&](PrinterSet& d) {
        ASSERT_TRUE(warten([&] { return d.CheckSichern->isChecked(); }));
        EXPECT_TRUE(d.isVisible());
        EXPECT_FALSE(d.CheckAutomatisch->isChecked());
        EXPECT_EQ(p.toene.last(), "#SystemExclamation");
        geprueft = true;
        d.BefOk->click();
    });
    ASSERT_TRUE(b.abfragen());
    EXPECT_TRUE(geprueft);
    EXPECT_FALSE(Vorgabe_Laden(QStringLiteral("Zettlora_Nachnahme"), false).automatisch)
        << "OK saved the preset again, without automatic mode";
}

TEST_F(Druckprotokoll, AutomatikAnkreuzenSichertAuchOhneSchreibrecht)
{
    zadressbuch::sitzung().NurLesen = true;
    Druckauftrag a(QStringLiteral("Zettlora_Lastschrift"), QStringLiteral("t"));
    a.anzahlSperren();
    a.ausrichtungSperren();
    imDialog([&](PrinterSet& d) {
        EXPECT_FALSE(d.CheckSichern->isEnabled());
        EXPECT_FALSE(d.ComboAnzahl->isEnabled());
        EXPECT_FALSE(d.bezAnzahl->isEnabled());
        EXPECT_EQ(d.ComboAnzahl->currentIndex(), 0);
        EXPECT_FALSE(d.optAusrichtung[1]->isEnabled());
        d.CheckAutomatisch->setChecked(true);
        EXPECT_TRUE(d.CheckSichern->isChecked());
        EXPECT_EQ(p.meldungen.back().titel, "Druck-Optionen übergehen");
        // Unticking "sichern" unticks automatic mode; tick both again.
        d.CheckSichern->setChecked(false);
        EXPECT_FALSE(d.CheckAutomatisch->isChecked());
        d.CheckAutomatisch->setChecked(true);
        d.BefOk->click();
    });
    w.schreiben(QStringLiteral("windows/KontPrn.ini"), QStringLiteral("[Zettlora_Lastschrift]\r\nAnzahl=5\r\n"));
    zcommon::Ini_CacheLeeren();
    ASSERT_TRUE(a.abfragen());
    EXPECT_EQ(a.kopien(), 1) << "a job without copies prints one, whatever the preset says";
    EXPECT_TRUE(Vorgabe_Laden(QStringLiteral("Zettlora_Lastschrift"), false).automatisch);
}

TEST_F(Druckprotokoll, DruckerauswahlUndWechsel)
{
    Druckerauswahl_Setzen(true);
    Vorgabe_Sichern(QStringLiteral("Zettlora_Alt"), Druckvorgabe{0, 0, 0, 0, 0, false, QStringLiteral("Verschwunden")},
                    true);
    Druckauftrag alt(QStringLiteral("Zettlora_Alt"), QStringLiteral("t"));
    imDialog([](PrinterSet& d) {
        // A stored printer that is gone leaves the current one chosen.
        EXPECT_TRUE(d.ComboDrucker->isEnabled());
        EXPECT_EQ(d.ComboDrucker->count(), 2);
        EXPECT_EQ(d.ComboDrucker->currentText(), "Aufzeichnung");
        EXPECT_EQ(d.bezDrucker->text(), "Typ: Aufzeichnung\n\nOrt: Buero");
        d.BefOk->click();
    });
    ASSERT_TRUE(alt.abfragen());
    EXPECT_EQ(zplatform::drucker().geraetename(), "Aufzeichnung");

    Druckauftrag a(QStringLiteral("Zettlora_Umschlag"), QStringLiteral("t"));
    imDialog([](PrinterSet& d) {
        d.ComboDrucker->setCurrentIndex(1);
        EXPECT_EQ(d.bezDrucker->text(), "Typ: Zweiter\n\nOrt: Keller");
        d.CheckSichern->setChecked(true);
        d.BefOk->click();
    });
    ASSERT_TRUE(a.abfragen());
    EXPECT_EQ(zplatform::drucker().geraetename(), "Zweiter") << "the choice becomes the current printer";

    // The next opening preselects it; a double-click on the label switches the choice off for next time.
    Druckauftrag b(QStringLiteral("Zettlora_Neu"), QStringLiteral("t"));
    imDialog([](PrinterSet& d) {
        EXPECT_EQ(d.ComboDrucker->currentText(), "Zweiter");
        d.bezDrucker_DblClick();
        EXPECT_TRUE(d.ComboDrucker->isEnabled()) << "the open dialog does not change";
        d.befAbbrechen->click();
    });
    EXPECT_FALSE(b.abfragen());
    EXPECT_FALSE(Druckerauswahl_An());
    EXPECT_EQ(p.meldungen.back().text, "Die Druckerauswahl beim nächsten Aufruf deaktiviert.");
    EXPECT_EQ(zcommon::Ini_Lesen(kontPrn(), QStringLiteral("Zettlora_Umschlag"), QStringLiteral("Drucker")), "Zweiter");
}

// Two double-clicks on the printer's details, as the user gives them: the
// first switches printer choice on, the second off again; each tells so in a
// box with a Help button at the print options' topic, and the open dialog
// stays as it is.
TEST_F(Druckprotokoll, DoppelklickAufDenDruckerSchaltetMitHilfeKnopf)
{
    w.schreiben(QStringLiteral("programm/Zettlora.html"), QStringLiteral("<html><body></body></html>"));
    p.antworten << TestPlattform::HilfeKnopf << zplatform::vbOK << TestPlattform::HilfeKnopf << zplatform::vbOK;
    QStringList schalter;
    bool unveraendert = true;
    Druckauftrag a(QStringLiteral("Zettlora_X"), QStringLiteral("t"));
    imDialog([&](PrinterSet& d) {
        for (int mal = 0; mal < 2; ++mal) {
            QTest::mouseDClick(d.bezDrucker, Qt::LeftButton);
            schalter << zcommon::Ini_Lesen(kontPrn(), QStringLiteral("Allgemein"), QStringLiteral("Druckerauswahl"));
            unveraendert = unveraendert && !d.ComboDrucker->isEnabled() &&
                           d.bezDrucker->text() == QLatin1String("Drucker-Auswahl deaktiviert.");
        }
        d.befAbbrechen->click();
    });
    EXPECT_FALSE(a.abfragen());
    EXPECT_EQ(schalter, (QStringList{"1", "0"}));
    EXPECT_TRUE(unveraendert) << "the switch takes effect at the next opening";
    ASSERT_EQ(p.meldungen.size(), 2u);
    const QString thema = QStringLiteral("Zettlora.html#thema3005");
    const struct
    {
        const char* titel;
        const char* text;
    } erwartet[] = {{"Drucker-Auswahl aktiviert", "Die Druckerauswahl beim nächsten Aufruf aktiviert."},
                    {"Drucker-Auswahl deaktiviert", "Die Druckerauswahl beim nächsten Aufruf deaktiviert."}};
    for (size_t i = 0; i < 2; ++i) {
        const GezeigteMeldung& m = p.meldungen[i];
        SCOPED_TRACE(erwartet[i].titel);
        EXPECT_EQ(m.titel, QString::fromUtf8(erwartet[i].titel));
        EXPECT_EQ(m.text, QString::fromUtf8(erwartet[i].text));
        EXPECT_EQ(m.stil, zplatform::vbInformation | zplatform::vbOKOnly);
        EXPECT_TRUE(m.mitHilfe) << "the box has its Help button";
        ASSERT_EQ(m.hilfeGeoeffnet.size(), 1);
        EXPECT_TRUE(m.hilfeGeoeffnet[0].endsWith(thema)) << m.hilfeGeoeffnet[0].toStdString();
    }
}

TEST_F(Druckprotokoll, AbbrechenSendetNichts)
{
    {
        Druckauftrag a(QStringLiteral("Zettlora_X"), QStringLiteral("t"));
        imDialog([](PrinterSet& d) { d.BefOk->click(); });
        ASSERT_TRUE(a.abfragen());
        a.beginnen().drucken(QStringLiteral("halb"));
        // Leaving without beenden() drops the document.
    }
    EXPECT_EQ(aufzeichnung()->auftraege(), 0);
    EXPECT_EQ(aufzeichnung()->abbrueche(), 1);
}

// KontPrn.ini that cannot take the preset (a folder in its place, or a file
// without read permission, for root too): the user is told what and why,
// nothing is reported as stored, and the printer-choice switch says
// "aktiviert" only once it was written.
TEST_F(Druckprotokoll, NichtGespeicherteVorgabeWirdGemeldet)
{
    const auto drucken = [&](const QString& job) {
        Druckauftrag a(job, QStringLiteral("t"));
        imDialog([](PrinterSet& d) {
            d.CheckSichern->setChecked(true);
            d.BefOk->click();
        });
        return a.abfragen();
    };
    for (int fall = 0; fall < 2; ++fall) {
        SCOPED_TRACE(fall);
        QDir(kontPrn()).removeRecursively();
        QFile::remove(kontPrn());
        if (fall == 0) {
            QDir().mkpath(kontPrn());
        } else {
            w.schreiben(QStringLiteral("windows/KontPrn.ini"), QStringLiteral("[Zettlora_X]\r\nRandX=7\r\n"));
            QFile::setPermissions(kontPrn(), QFile::WriteOwner);
        }
        zcommon::Ini_CacheLeeren();
        p.meldungen.clear();
        EXPECT_TRUE(drucken(QStringLiteral("Zettlora_X"))) << "the print goes on";
        ASSERT_EQ(p.meldungen.size(), 1u);
        EXPECT_EQ(p.meldungen[0].titel, QStringLiteral("Druckeinstellungen"));
        EXPECT_TRUE(p.meldungen[0].text.contains(QStringLiteral("»Zettlora_X« konnten nicht gespeichert")))
            << p.meldungen[0].text.toStdString();
        EXPECT_TRUE(p.meldungen[0].text.contains(fall == 0 ? QStringLiteral("Ordner")
                                                           : QStringLiteral("darf nicht gelesen werden")))
            << p.meldungen[0].text.toStdString();

        // The printer-choice switch: not written, so not "aktiviert".
        p.meldungen.clear();
        Druckauftrag b(QStringLiteral("Zettlora_X"), QStringLiteral("t"));
        imDialog([](PrinterSet& d) {
            d.bezDrucker_DblClick();
            d.befAbbrechen->click();
        });
        EXPECT_FALSE(b.abfragen());
        ASSERT_EQ(p.meldungen.size(), 1u);
        EXPECT_TRUE(p.meldungen[0].text.startsWith(QStringLiteral("Die Druckerauswahl konnte nicht aktiviert werden")))
            << p.meldungen[0].text.toStdString();
        EXPECT_FALSE(Druckerauswahl_An());
    }
    QFile::setPermissions(kontPrn(), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(w.lesen(QStringLiteral("windows/KontPrn.ini")), QStringLiteral("[Zettlora_X]\r\nRandX=7\r\n"));
}

TEST_F(Druckprotokoll, DruckereinrichtungWaehltDruckerPapierUndAusrichtung)
{
    // The main window's command: printers of the print service to choose
    // from, then sheet and orientation; the choice holds for later jobs.
    FensterAttrappe f;
    zadressbuch::Befehlsregister r;
    Befehle_Anmelden(r);
    bool gezeigt = false;
    amDialog<Druckereinrichtung>([&](Druckereinrichtung& d) {
        gezeigt = true;
        EXPECT_EQ(d.windowTitle(), "Druckereinrichtung");
        EXPECT_EQ(d.ComboDrucker->count(), 2);
        EXPECT_EQ(d.ComboDrucker->currentText(), "Aufzeichnung");
        EXPECT_EQ(d.bezOrt->text(), "Buero");
        EXPECT_EQ(d.ComboPapier->currentText(), "A4 (21,0 x 29,7 cm)");
        EXPECT_TRUE(d.optAusrichtung[0]->isChecked());
        d.ComboDrucker->setCurrentIndex(1);
        EXPECT_EQ(d.bezOrt->text(), "Keller");
        d.ComboPapier->setCurrentIndex(d.ComboPapier->findText(QStringLiteral("A5 (14,8 x 21,0 cm)")));
        d.optAusrichtung[1]->setChecked(true);
        d.BefOk->click();
    });
    ASSERT_TRUE(r.ausfuehren(zadressbuch::Befehl::PulDruckEinrichten, f));
    ASSERT_TRUE(gezeigt);
    auto* d = aufzeichnung();
    ASSERT_TRUE(d);
    EXPECT_EQ(d->geraetename(), "Zweiter");
    EXPECT_EQ(d->ausrichtung(), 2);
    EXPECT_DOUBLE_EQ(d->seitenBreite(), 21.0);
    EXPECT_DOUBLE_EQ(d->seitenHoehe(), 14.8);

    // Cancel changes nothing; an envelope sheet shows as its size, turned.
    d->setAusrichtung(1);
    d->setPapierformat(22.0, 11.0);
    Druckereinrichtung wieder;
    EXPECT_EQ(wieder.ComboDrucker->currentText(), "Zweiter");
    EXPECT_EQ(wieder.ComboPapier->currentText(), "Umschlag DL (11,0 x 22,0 cm)");
    EXPECT_TRUE(wieder.optAusrichtung[1]->isChecked());
    wieder.ComboDrucker->setCurrentIndex(0);
    wieder.reject();
    EXPECT_EQ(zplatform::drucker().geraetename(), "Zweiter");
    EXPECT_DOUBLE_EQ(zplatform::drucker().seitenBreite(), 22.0);
}
