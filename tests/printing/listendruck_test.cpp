// Address lists: the selection rules, the print run on a recording printer
// that keeps every page sent, the list-print dialog with its print run,
// personal sheet and export.

#include "addressbook/befehle.h"
#include "printing/druckvorgabe.h"
#include "printing/listendruck.h"
#include "printing/ui/befehle.h"
#include "printing/ui/listendruck.h"
#include "printing/ui/umschlag.h"
#include "support/fensterattrappe.h"

#include "testhilfe.h"

#include <QFile>
#include <QTest>

using namespace zdruck;

namespace {

QByteArray bytes(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<fehlt>");
}

QString datensatz(const QString& name, const QString& ort, const QString& benutzer = QString())
{
    QStringList f(24);
    f[0] = QStringLiteral(" ");
    f[1] = name;
    f[5] = ort;
    f[9] = benutzer;
    return f.join(u'\t') + u'\t';
}

class Listen : public DruckUmgebung
{
protected:
    void SetUp() override
    {
        DruckUmgebung::SetUp();
        auto d = std::make_unique<SammelDrucker>();
        sammler = d.get();
        zplatform::druckerSetzen(std::move(d));
        maske(QStringLiteral("Liste_Standard"), {QStringLiteral("{Nachname}, {Vorname}, {Ort}")});
        zadressbuch::sitzung().Beschreibung = QStringLiteral("Kunden");
    }
    // n addresses "Name1".."Name<n>" in "Ort<i>", the first selected.
    void adressen(int n)
    {
        for (int i = 1; i <= n; ++i)
            zadressbuch::adressliste().AddItem(
                datensatz(QStringLiteral("Name%1").arg(i), QStringLiteral("Ort%1").arg(i)));
        zadressbuch::adressliste().setListIndex(0);
    }
    // A run over every entry through the mask, under the heading.
    static Listenlauf lauf(const QStringList& eintraege, const QString& maske, const QString& ueberschrift)
    {
        Listenlauf l;
        l.eintraege = &eintraege;
        l.ausgewaehlt = [](int) { return true; };
        l.maske = maske;
        l.ueberschrift = ueberschrift;
        return l;
    }
    SammelDrucker* sammler = nullptr;
};

} // namespace

TEST(Listenauswahl, BenutzerUndTextfilter)
{
    struct Fall
    {
        const char* feld9;
        const char* benutzer;
        const char* text;
        bool passt;
    };
    const Fall faelle[] = {
        {"Meier", "Meier", "", true},
        {"Meier, Schulz", " Meier ", "", true},
        {"meier", "Meier", "", false},
        {"", "Meier", "", false},
        {"", "", "", true},
        {"Schulz", "", "", true},
        {"", "", " BERLIN ", true},
        {"", "", "berlin*", false},
        {"Meier", "Meier", "hamburg", false},
        {"", "", "Name1\t", true},
    };
    for (const Fall& f : faelle) {
        const QString zeile = datensatz(QStringLiteral("Name1"), QStringLiteral("Berlin"), QString::fromUtf8(f.feld9));
        EXPECT_EQ(Auswahl_Passt(zeile, QString::fromUtf8(f.benutzer), QString::fromUtf8(f.text)), f.passt)
            << f.feld9 << "|" << f.benutzer << "|" << f.text;
    }
    EXPECT_EQ(Anzahl_Text(3, 120), "3 von 120 Adressen sind zum Drucken ausgewählt");
    EXPECT_EQ(Kommas_Bereinigen(QStringLiteral("Muster, , , , Köln")), "Muster, Köln");
    EXPECT_EQ(Kommas_Bereinigen(QStringLiteral("Muster,   Köln, ")), "Muster, Köln, ");
}

TEST_F(Listen, SeitenMitUeberschriftSeitenzahlFusszeileUndRaendern)
{
    adressen(60);
    zcommon::Ini_Schreiben(QString(), QStringLiteral("Drucker"), QStringLiteral("RandOben"), QStringLiteral("5"));
    const QStringList eintraege = zadressbuch::adressliste().eintraege();
    Listenlauf lauf;
    lauf.eintraege = &eintraege;
    lauf.ausgewaehlt = [](int i) { return i % 2 == 0; }; // 30 addresses
    lauf.maske = QStringLiteral("Liste_Standard");
    lauf.ueberschrift = QStringLiteral("Kunden");
    lauf.schrift.groesse = 14;
    lauf.randX = 1.5;
    lauf.randY = 1.0;
    QList<int> fortschritt;
    lauf.fortschritt = [&](int w) { fortschritt << w; };
    ASSERT_TRUE(lauf.kopieDrucken());
    ASSERT_GE(sammler->jobs.size(), 2u) << "a page is a job of its own";
    EXPECT_EQ(fortschritt.first(), 0);
    EXPECT_EQ(fortschritt.last(), 100);

    QStringList gedruckt;
    for (size_t j = 0; j < sammler->jobs.size(); ++j) {
        ASSERT_EQ(sammler->jobs[j].size(), 1u);
        const auto& ops = sammler->jobs[j][0].operationen;
        // The page start: a blank, then the heading at the top offset 0.5 cm.
        EXPECT_EQ(ops.at(0).text, " ");
        EXPECT_EQ(ops.at(1).text, QStringLiteral("Kunden, Seite %1").arg(j + 1));
        EXPECT_NEAR(ops.at(1).x, 1.5, 1e-9);
        EXPECT_NEAR(ops.at(1).y, 0.5 + 1.0, 1e-9);
        EXPECT_EQ(ops.at(1).schrift.groesse, 16);
        EXPECT_TRUE(ops.back().text.contains(QLatin1String("Ausdruck vom 02.07.2000"))) << "footer";
        for (size_t k = 2; k + 1 < ops.size(); ++k) {
            gedruckt << ops[k].text;
            EXPECT_EQ(ops[k].schrift.groesse, 14);
            EXPECT_LT(ops[k].y2, 29.7 - 1.5) << "blocks stay clear of the page's lower edge";
        }
    }
    QStringList erwartet;
    for (int i = 1; i <= 60; i += 2)
        erwartet << QStringLiteral("Name%1, Ort%1").arg(i);
    EXPECT_EQ(gedruckt, erwartet);
}

// How many blocks a page takes: after each block the page ends when the
// printable height (less the top margin) is no more than the position reached
// plus two lines and 1.5 cm, all in single precision; equality ends the page.
// Worked out from the printer's own line heights for several fonts and
// margins, one margin chosen so that the fourth block meets the edge exactly;
// every page but the last holds exactly that many blocks.
TEST_F(Listen, BloeckeJeSeiteBisZumUnterenRand)
{
    zplatform::Drucker& d = zplatform::drucker();
    struct Fall
    {
        int groesse;
        double randY; // < 0: chosen so that block 4 ends exactly at the edge
    };
    const Fall faelle[] = {{8, 0.0}, {10, 1.0}, {12, 2.3}, {14, 0.0}, {17, 1.0}, {22, 0.5}, {14, -1}, {9, -1}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(QStringLiteral("%1 pt, Rand %2 cm").arg(f.groesse).arg(f.randY).toStdString());
        d.schrift = zplatform::DruckSchrift();
        d.schrift.groesse = f.groesse;
        const double zeile = d.textHoehe(QStringLiteral("Ay"));
        d.schrift.groesse = f.groesse + 2;
        const double kopf = d.textHoehe(QStringLiteral("Ay"));
        // The position after n blocks, added up as the printer does it.
        const auto nachBlock = [&](int n) {
            double y = 0;
            y += kopf;  // the heading
            y += zeile; // the empty line after it
            for (int i = 0; i < n; ++i) {
                y += zeile; // the block's line
                y += zeile; // the empty line ending it
            }
            return y;
        };
        const auto grenze = [&](int n) { return float(nachBlock(n)) + float(2) * float(zeile) + 1.5f; };
        double randY = f.randY;
        if (randY < 0) {
            randY = d.scaleHeight() - double(grenze(4));
            ASSERT_EQ(float(d.scaleHeight() - randY), grenze(4));
        }
        int proSeite = 1;
        while (float(d.scaleHeight() - randY) > grenze(proSeite))
            ++proSeite;
        if (f.randY < 0) {
            EXPECT_EQ(proSeite, 4);
        }

        zadressbuch::adressliste().Clear();
        adressen(120);
        const QStringList eintraege = zadressbuch::adressliste().eintraege();
        Listenlauf lauf = Listen::lauf(eintraege, QStringLiteral("Liste_Standard"), QStringLiteral("Kunden"));
        lauf.schrift.groesse = f.groesse;
        lauf.randY = randY;
        sammler->jobs.clear();
        ASSERT_TRUE(lauf.kopieDrucken());
        ASSERT_GE(sammler->jobs.size(), 2u);
        int gedruckt = 0;
        for (size_t j = 0; j < sammler->jobs.size(); ++j) {
            int bloecke = 0;
            for (const QString& t : sammler->texte(j))
                bloecke += t.startsWith(QLatin1String("Name"));
            gedruckt += bloecke;
            if (j + 1 < sammler->jobs.size()) {
                EXPECT_EQ(bloecke, proSeite) << "page " << j + 1;
            } else {
                EXPECT_LE(bloecke, proSeite) << "last page";
            }
        }
        EXPECT_EQ(gedruckt, 120);
    }
}

TEST_F(Listen, ZuLangerBlockGehtWeiterUndRiesigerEndet)
{
    QStringList zeilen;
    for (int i = 1; i <= 80; ++i)
        zeilen << QStringLiteral("Zeile %1 {Nachname}").arg(i);
    maske(QStringLiteral("Lang"), zeilen);
    adressen(2);
    const QStringList eintraege = zadressbuch::adressliste().eintraege();
    Listenlauf lauf = Listen::lauf(eintraege, QStringLiteral("Lang"), QStringLiteral("Lang"));
    ASSERT_TRUE(lauf.kopieDrucken());
    QStringList alle;
    for (size_t j = 0; j < sammler->jobs.size(); ++j)
        alle << sammler->texte(j);
    for (int i = 1; i <= 80; ++i) {
        EXPECT_TRUE(alle.contains(QStringLiteral("Zeile %1 Name1").arg(i))) << i;
        EXPECT_TRUE(alle.contains(QStringLiteral("Zeile %1 Name2").arg(i))) << i;
    }
    EXPECT_GE(sammler->jobs.size(), 3u);
    EXPECT_TRUE(sammler->texte(1).contains(QStringLiteral("Lang, Seite 2")));

    // A font larger than the page: each block as far as it fits, and the run ends.
    sammler->jobs.clear();
    lauf.maske = QStringLiteral("Liste_Standard");
    lauf.schrift.groesse = 900;
    lauf.ueberschrift.clear();
    ASSERT_TRUE(lauf.kopieDrucken());
    EXPECT_LE(sammler->jobs.size(), 6u);
}

TEST_F(Listen, SeiteJeAdresseUndBestaetigungAbbrechen)
{
    adressen(5);
    const QStringList eintraege = zadressbuch::adressliste().eintraege();
    Listenlauf lauf = Listen::lauf(eintraege, QStringLiteral("Liste_Standard"), QStringLiteral("Kunden"));
    lauf.seiteProAdresse = true;
    QList<int> gefragt;
    lauf.seiteBestaetigen = [&](int seite) {
        gefragt << seite;
        return true;
    };
    ASSERT_TRUE(lauf.kopieDrucken());
    ASSERT_EQ(sammler->jobs.size(), 5u);
    EXPECT_EQ(gefragt, (QList<int>{1, 2, 3, 4, 5}));
    for (size_t j = 0; j < 5; ++j) {
        const QStringList t = sammler->texte(j);
        ASSERT_EQ(t.size(), 3) << t.join('|').toStdString(); // blank, address, footer
        EXPECT_EQ(t.at(1), QStringLiteral("Name%1, Ort%1").arg(j + 1)) << "no heading";
    }

    // Cancel at page 1: that page is still printed with its address, then the run stops.
    sammler->jobs.clear();
    lauf.seiteBestaetigen = [](int) { return false; };
    EXPECT_FALSE(lauf.kopieDrucken());
    EXPECT_TRUE(lauf.druckStopp);
    ASSERT_EQ(sammler->jobs.size(), 1u);
    EXPECT_EQ(sammler->texte(0).at(1), "Name1, Ort1");
}

TEST_F(Listen, DialogLadenAuswaehlenUndZaehlen)
{
    maske(QStringLiteral("Andere"), {QStringLiteral("{Ort}")});
    zadressbuch::adressliste().AddItem(
        datensatz(QStringLiteral("Meier"), QStringLiteral("Berlin"), QStringLiteral("Meier")));
    zadressbuch::adressliste().AddItem(
        datensatz(QStringLiteral("Kurz"), QStringLiteral("Bonn"), QStringLiteral("meier")));
    zadressbuch::adressliste().AddItem(
        datensatz(QStringLiteral("Lang"), QStringLiteral("berlin"), QStringLiteral("Meier, Schulz")));
    zadressbuch::adressliste().setListIndex(1);
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("PrnFürWen"), QStringLiteral("Meier;;Schulz"));

    Listendruck l;
    EXPECT_EQ(l.ListCount(), 3);
    EXPECT_TRUE(l.Selected(1));
    EXPECT_FALSE(l.Selected(0));
    EXPECT_EQ(l.RahmenListe->title(), "1 von 3 Adressen sind zum Drucken ausgewählt");
    EXPECT_EQ(l.ComboMasken->currentText(), "Liste_Standard");
    EXPECT_EQ(l.TxtUeberschrift->text(), "Kunden");
    EXPECT_EQ(l.KombiName->count(), 2);
    EXPECT_TRUE(l.BefOk->isEnabled());

    l.BefAuswahl_Click(1);
    EXPECT_EQ(l.ausgewaehlteAnzahl(), 3);
    l.BefAuswahl_Click(0);
    EXPECT_EQ(l.ausgewaehlteAnzahl(), 0);
    EXPECT_FALSE(l.BefOk->isEnabled());
    EXPECT_FALSE(l.Bef2Datei->isEnabled());

    l.KombiName->setEditText(QStringLiteral("Meier"));
    l.KombiFilter->setEditText(QStringLiteral(" BERLIN "));
    l.BefAuswahl_Click(2);
    EXPECT_TRUE(l.Selected(0));
    EXPECT_FALSE(l.Selected(1)) << "the preselected entry no longer matches";
    EXPECT_TRUE(l.Selected(2));
    EXPECT_EQ(l.RahmenListe->title(), "2 von 3 Adressen sind zum Drucken ausgewählt");
    EXPECT_EQ(l.KombiFilter->itemText(0), " BERLIN ");

    l.ComboMasken->setCurrentIndex(0);
    l.mnuSetupSave_Click();
    EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("DruckMaske")), "Andere");
    EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("PrnFürWen")), "Meier;Schulz;");
    EXPECT_EQ(p.toene.last(), "#SystemExclamation");

    l.Liste_DblClick(2);
    EXPECT_EQ(p.meldungen.back().titel, "Adressen-Vorschau");
    EXPECT_EQ(p.meldungen.back().text, "berlin");

    l.ODruckenSeiteProAdr->setChecked(true);
    EXPECT_FALSE(l.TxtUeberschrift->isEnabled());

    // A click marks or unmarks one entry, and so does Space on the current one.
    l.show();
    const QRect zeile1 = l.Liste->visualRect(l.Liste->model()->index(1, 0));
    QTest::mouseClick(l.Liste->viewport(), Qt::LeftButton, {}, zeile1.center());
    EXPECT_TRUE(l.Selected(1));
    EXPECT_EQ(l.RahmenListe->title(), "3 von 3 Adressen sind zum Drucken ausgewählt");
    QTest::mouseClick(l.Liste->viewport(), Qt::LeftButton, {}, zeile1.center());
    EXPECT_FALSE(l.Selected(1));
    l.Liste->setCurrentIndex(l.Liste->model()->index(0, 0));
    QTest::keyClick(l.Liste, Qt::Key_Space);
    EXPECT_FALSE(l.Selected(0));
    EXPECT_EQ(l.RahmenListe->title(), "1 von 3 Adressen sind zum Drucken ausgewählt");
}

TEST_F(Listen, DruckenMitKopienUndAbbruch)
{
    adressen(70);
    Listendruck l;
    l.show();
    l.BefAuswahl_Click(1);

    imDialog([](PrinterSet& d) { d.befAbbrechen->click(); });
    l.BefOk_Click();
    EXPECT_TRUE(l.isVisible()) << "a cancel leaves the dialog open";
    EXPECT_EQ(DruckJobName(), "Zettlora_Liste_Standard");
    EXPECT_TRUE(sammler->jobs.empty());
    EXPECT_TRUE(l.BefOk->isEnabled());

    imDialog([](PrinterSet& d) {
        EXPECT_EQ(d.windowTitle(), "Drucken - Zettlora Liste_Standard");
        d.ComboAnzahl->setCurrentIndex(2);
        d.BefOk->click();
    });
    l.BefOk_Click();
    EXPECT_FALSE(l.isVisible());
    // The run is one job: every page of the three copies, under the dialog's caption.
    ASSERT_EQ(sammler->jobs.size(), 1u);
    EXPECT_EQ(sammler->auftragsTitel(), "Drucken - Zettlora Liste_Standard");
    const std::vector<zplatform::DruckSeite>& seiten = sammler->jobs[0];
    ASSERT_EQ(seiten.size() % 3, 0u);
    const size_t jeKopie = seiten.size() / 3;
    ASSERT_GE(jeKopie, 2u);
    for (size_t k = 0; k < 3; ++k) {
        for (size_t s = 0; s < jeKopie; ++s)
            EXPECT_EQ(seiten[k * jeKopie + s].texte().at(1), QStringLiteral("Kunden, Seite %1").arg(s + 1));
    }
    // The next job carries its own name again.
    EXPECT_EQ(zplatform::drucker().auftragsname(), zplatform::StandardAuftragsname);
}

TEST_F(Listen, PruefungenVorDemDruck)
{
    Listendruck ohne;
    ohne.BefOk_Click();
    EXPECT_EQ(p.letzteMeldung(), "Es sind keine Adressen zum Drucken ausgewählt!");
    adressen(1);
    QFile::remove(daten() + QStringLiteral("/Liste_Standard.msk"));
    Listendruck l;
    EXPECT_EQ(l.ComboMasken->count(), 0);
    l.BefOk_Click();
    EXPECT_EQ(p.letzteMeldung(), "Bitte zuerst eine Maske auswählen.");
    EXPECT_EQ(p.meldungen.back().titel, "Adressen drucken");
    EXPECT_EQ(PrinterSet::instanz(), nullptr);
}

TEST_F(Listen, Personenbogen)
{
    maske(QStringLiteral("Personenbogen"), {QStringLiteral("Bogen {Nachname}")});
    adressen(3);
    zadressbuch::adressliste().setListIndex(1);
    FensterAttrappe f;
    zadressbuch::Befehlsregister r;
    Befehle_Anmelden(r);
    imDialog([](PrinterSet& d) {
        EXPECT_EQ(d.windowTitle(), "Drucken - Zettlora Personenbogen");
        d.BefOk->click();
    });
    ASSERT_TRUE(r.ausfuehren(zadressbuch::Befehl::mnuPrnPersBogen, f));
    EXPECT_EQ(DruckJobName(), "Zettlora_Personenbogen");
    ASSERT_EQ(sammler->jobs.size(), 1u);
    const QStringList t = sammler->texte(0);
    ASSERT_GE(t.size(), 2);
    EXPECT_EQ(t.at(1), "Bogen Name2") << "the current address, no heading";
}

TEST_F(Listen, ExportNeuVorhandenUndGesperrt)
{
    zadressbuch::adressliste().AddItem(datensatz(QStringLiteral("Eins"), QStringLiteral("A°°B")));
    zadressbuch::adressliste().AddItem(datensatz(QStringLiteral("Zwei"), QStringLiteral("C")));
    zadressbuch::adressliste().AddItem(datensatz(QStringLiteral("Drei"), QStringLiteral("D")));
    const QString ziel = w.programm() + QStringLiteral("/Auszug.Dat");
    QString angeboten;
    Listendruck::dateiWaehler() = [&](const zbefehle::DateiWahl& wahl) {
        angeboten = wahl.vorschlag + u'|' + wahl.kuerzel + u'|' + wahl.ordner + (wahl.laden ? "|laden" : "|sichern");
        return ziel;
    };
    const QByteArray z1 = datensatz(QStringLiteral("Eins"), QStringLiteral("A°°B")).toLatin1();
    const QByteArray z3 = datensatz(QStringLiteral("Drei"), QStringLiteral("D")).toLatin1();

    {
        Listendruck l;
        l.setSelected(0, true);
        l.setSelected(2, true);
        l.show();
        p.eingaben.enqueue(QStringLiteral("Meine Auswahl"));
        l.Bef2Datei_Click();
        EXPECT_FALSE(l.isVisible());
        EXPECT_EQ(angeboten, "Auszug.Dat|Dat|" + w.programm() + "|sichern");
        EXPECT_EQ(p.meldungen.size(), 0u);
        EXPECT_EQ(bytes(ziel), "..Meine Auswahl\r\n" + z1 + "\r\n" + z3 + "\r\n");
    }
    angeboten.clear();
    // An existing file without a final line break: a line break first, no question.
    zplatform::bytesSchreiben(ziel, QByteArray("..Alt\r\nletzte"));
    {
        Listendruck l;
        l.setSelected(2, true);
        const int fragen = p.eingabePrompts.size();
        l.Bef2Datei_Click();
        EXPECT_EQ(p.eingabePrompts.size(), fragen);
        EXPECT_EQ(bytes(ziel), "..Alt\r\nletzte\r\n" + z3 + "\r\n");
    }
    // The open address file is never the target; the dialog stays open.
    zadressbuch::sitzung().AdressDateiName = ziel;
    {
        Listendruck l;
        l.setSelected(0, true);
        l.show();
        const QByteArray vorher = bytes(ziel);
        l.Bef2Datei_Click();
        EXPECT_TRUE(l.isVisible());
        EXPECT_EQ(bytes(ziel), vorher);
        EXPECT_TRUE(p.letzteMeldung().contains(QLatin1String("Es ist ein Fehler beim Speichern der Adressliste")));
    }
    Listendruck::dateiWaehler() = nullptr;
}

TEST_F(Listen, ExportMitFremdenZeichenGelingtMitFragezeichen)
{
    // Characters Windows-1252 cannot hold, in the description and in an
    // address: the export is written with "?" in their place and the user is
    // told once which characters they were.
    zadressbuch::adressliste().AddItem(datensatz(QStringLiteral("Łukasz"), QStringLiteral("Łódź")));
    zadressbuch::adressliste().AddItem(datensatz(QStringLiteral("Müller"), QStringLiteral("Köln")));
    const QString ziel = w.programm() + QStringLiteral("/Auszug.Dat");
    Listendruck::dateiWaehler() = [&](const zbefehle::DateiWahl&) { return ziel; };
    Listendruck l;
    l.BefAuswahl_Click(1);
    l.show();
    p.eingaben.enqueue(QStringLiteral("Auszug für Paweł \u4E2D"));
    l.Bef2Datei_Click();
    EXPECT_FALSE(l.isVisible()) << "the export is made";
    const QByteArray z1 = datensatz(QStringLiteral("?ukasz"), QStringLiteral("?\u00F3d?")).toLatin1();
    const QByteArray z2 = datensatz(QStringLiteral("Müller"), QStringLiteral("Köln")).toLatin1();
    EXPECT_EQ(bytes(ziel), "..Auszug f\xFCr Pawe? ?\r\n" + z1 + "\r\n" + z2 + "\r\n");
    ASSERT_EQ(p.meldungen.size(), 1u);
    EXPECT_EQ(p.meldungen[0].titel, "Adressen in Datei schreiben");
    EXPECT_TRUE(p.meldungen[0].text.contains(QStringLiteral("»Auszug.Dat«"))) << p.meldungen[0].text.toStdString();
    EXPECT_TRUE(p.meldungen[0].text.endsWith(QStringLiteral("ł \u4E2D Ł ź"))) << p.meldungen[0].text.toStdString();
    Listendruck::dateiWaehler() = nullptr;
}

TEST_F(Listen, NurLesenSperrtExport)
{
    adressen(2);
    zadressbuch::sitzung().NurLesen = true;
    Listendruck l;
    EXPECT_FALSE(l.Bef2Datei->isEnabled());
    EXPECT_FALSE(l.BefLoescheNamen->isEnabled());
    l.BefAuswahl_Click(0);
    EXPECT_TRUE(l.BefOk->isEnabled()) << "read-only keeps the print button's state";
}

namespace {
// A printer whose jobs all fail when they are sent.
class KaputterDrucker : public zplatform::AufzeichnungsDrucker
{
public:
    int versuche = 0;
    bool auftragSenden() override
    {
        if (!imAuftrag())
            return true;
        ++versuche;
        auftragVerwerfen();
        return false;
    }
    QString letzterFehler() const override { return QStringLiteral("Papierstau"); }
};
} // namespace

TEST_F(Listen, AbbruchDerBestaetigungBeendetAlleKopien)
{
    adressen(3);
    Listendruck l;
    l.BefAuswahl_Click(1);
    l.ODruckenWaitForPage->setChecked(true);
    p.antworten.enqueue(zplatform::vbCancel);
    imDialog([](PrinterSet& d) {
        d.ComboAnzahl->setCurrentIndex(2);
        d.BefOk->click();
    });
    l.BefOk_Click();
    EXPECT_EQ(p.meldungen.at(0).text, "Drucke jetzt Seite 1 von »Kunden«.");
    EXPECT_EQ(p.meldungen.at(0).titel, "Adressen-Ausdruck");
    ASSERT_EQ(sammler->jobs.size(), 1u) << "the first page with its first address, then nothing more";
    EXPECT_EQ(sammler->texte(0).at(2), "Name1, Ort1");

    // The next run starts afresh.
    sammler->jobs.clear();
    l.ODruckenWaitForPage->setChecked(false);
    imDialog([](PrinterSet& d) { d.BefOk->click(); });
    l.BefOk_Click();
    EXPECT_EQ(sammler->jobs.size(), 1u);
    EXPECT_EQ(sammler->texte(0).size(), 6); // blank, heading, 3 addresses, footer
}

TEST_F(Listen, DruckerfehlerWirdGemeldet)
{
    adressen(2);
    auto kaputt = std::make_unique<KaputterDrucker>();
    KaputterDrucker* k = kaputt.get();
    zplatform::druckerSetzen(std::move(kaputt));
    Listendruck l;
    l.show();
    l.BefAuswahl_Click(1);
    l.ODruckenSeiteProAdr->setChecked(true);
    p.antworten.enqueue(zplatform::vbCancel);
    imDialog([](PrinterSet& d) { d.BefOk->click(); });
    l.BefOk_Click();
    EXPECT_EQ(k->versuche, 1) << "Cancel in the error report ends the run";
    EXPECT_TRUE(p.letzteMeldung().contains(QLatin1String("Papierstau")));
    EXPECT_TRUE(l.isVisible());
    EXPECT_TRUE(l.BefOk->isEnabled()) << "the controls are enabled again";

    // The window-envelope sheet reports a failed job too.
    FensterAttrappe f;
    p.eingaben.enqueue(QStringLiteral("Absender"));
    mnuPrnUmschlagsfenster_Click(f);
    EXPECT_EQ(k->versuche, 2);
    EXPECT_TRUE(p.letzteMeldung().contains(QLatin1String("Papierstau")));
}

TEST_F(Listen, ExportInEinenOrdnerMeldetEinmal)
{
    adressen(3);
    const QString ordner = w.programm() + QStringLiteral("/Auszug.Dat");
    QDir().mkpath(ordner);
    Listendruck::dateiWaehler() = [&](const zbefehle::DateiWahl&) { return ordner; };
    Listendruck l;
    l.BefAuswahl_Click(1);
    l.show();
    const size_t vorher = p.meldungen.size();
    l.Bef2Datei_Click();
    EXPECT_EQ(p.meldungen.size(), vorher + 1) << "one message";
    EXPECT_TRUE(l.isVisible());
    Listendruck::dateiWaehler() = nullptr;
}

TEST_F(Listen, SchriftDerListeReichtInKeinenSpaeterenAuftrag)
{
    adressen(3);
    maske(QStringLiteral("Umschlag"), {QStringLiteral("{Nachname}")});
    zmasken::Maske_SchriftSchreiben(QStringLiteral("Liste_Standard"), QStringLiteral("Times New Roman;16;1;1;1;255"));
    auto listeDrucken = [&] {
        Listendruck l;
        l.BefAuswahl_Click(1);
        imDialog([](PrinterSet& d) { d.BefOk->click(); });
        l.BefOk_Click();
        const zplatform::DruckOperation& block = sammler->jobs.back()[0].operationen.at(2);
        EXPECT_EQ(block.schrift.name, "Times New Roman");
        EXPECT_TRUE(block.schrift.fett && block.schrift.kursiv && block.schrift.unterstrichen);
        EXPECT_EQ(block.farbe, 255u);
    };
    // Each job starts from its own fonts: name, size, bold, italic,
    // underline, strike-out and colour.
    auto schlicht = [](const zplatform::DruckOperation& op, const char* name, double groesse) {
        EXPECT_EQ(op.schrift.name, QString::fromLatin1(name)) << op.text.toStdString();
        EXPECT_EQ(op.schrift.groesse, groesse) << op.text.toStdString();
        EXPECT_FALSE(op.schrift.fett || op.schrift.kursiv || op.schrift.durchgestrichen) << op.text.toStdString();
        EXPECT_EQ(op.farbe, 0u) << op.text.toStdString();
    };

    listeDrucken();
    FensterAttrappe f;
    p.eingaben.enqueue(QStringLiteral("Absender"));
    mnuPrnUmschlagsfenster_Click(f);
    const std::vector<zplatform::DruckOperation>& blatt = sammler->jobs.back()[0].operationen;
    ASSERT_EQ(blatt.size(), 3u);
    schlicht(blatt[0], "Arial", 8);
    EXPECT_TRUE(blatt[0].schrift.unterstrichen);
    schlicht(blatt[1], "Arial", 14);
    EXPECT_FALSE(blatt[1].schrift.unterstrichen);
    EXPECT_EQ(sammler->auftragsTitel(), "Zettlora Umschlagsfenster");

    listeDrucken();
    Umschlag u;
    imDialog([](PrinterSet& d) { d.BefOk->click(); });
    u.PulDrucken_Click();
    const zplatform::DruckOperation& an = sammler->jobs.back()[0].operationen.back();
    EXPECT_EQ(an.text, "Name1");
    schlicht(an, "Arial", 15.75);
    EXPECT_FALSE(an.schrift.unterstrichen);
}

// Enter in the dialog is "&Neuwahl", once, from the filter boxes and from the
// list alike; the boxes keep the text as typed (no completion from their
// history) and their histories.
TEST_F(Listen, EnterIstNeuwahlUndDieFilterNehmenDasGetippte)
{
    for (const auto& [name, ort] : {std::pair{"Meier", "Berlin"}, std::pair{"Berger", "Bonn"},
                                    std::pair{"Schulz", "Köln"}})
        zadressbuch::adressliste().AddItem(datensatz(QString::fromUtf8(name), QString::fromUtf8(ort), "Meier"));
    zadressbuch::adressliste().setListIndex(2);
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("PrnFürWen"), QStringLiteral("Meier;Schulz"));
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("PrnFilter"), QStringLiteral("Berlin;Bonn"));

    Listendruck l;
    int laeufe = 0;
    QObject::connect(l.ProgressBar, &QProgressBar::valueChanged, [&laeufe](int wert) { laeufe += wert == 0; });
    l.show();
    l.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&l));
    EXPECT_TRUE(l.BefAuswahl[2]->isDefault());
    for (QPushButton* b : l.findChildren<QPushButton*>())
        EXPECT_TRUE(b == l.BefAuswahl[2] || !b->isDefault()) << b->objectName().toStdString();

    // "Ber" typed into the text filter stays "Ber" (not "Berlin"); Enter selects by it.
    l.KombiFilter->setFocus();
    QTest::keyClicks(l.KombiFilter, "Ber");
    EXPECT_EQ(l.KombiFilter->currentText(), "Ber");
    QTest::keyClick(l.KombiFilter, Qt::Key_Return);
    EXPECT_EQ(laeufe, 1);
    EXPECT_TRUE(l.Selected(0));
    EXPECT_TRUE(l.Selected(1));
    EXPECT_FALSE(l.Selected(2));
    EXPECT_EQ(l.KombiFilter->currentText(), "Ber");
    EXPECT_EQ(l.KombiFilter->count(), 3) << "Ber, Berlin, Bonn";
    EXPECT_EQ(l.KombiName->count(), 3) << "its empty text on top of Meier and Schulz";

    // "mei" in the user box stays "mei": the user filter is exact, so nothing passes.
    l.KombiName->setFocus();
    QTest::keyClicks(l.KombiName, "mei");
    EXPECT_EQ(l.KombiName->currentText(), "mei");
    QTest::keyClick(l.KombiName, Qt::Key_Enter);
    EXPECT_EQ(laeufe, 2);
    EXPECT_EQ(l.ausgewaehlteAnzahl(), 0);
    EXPECT_EQ(l.KombiName->currentText(), "mei");
    EXPECT_EQ(l.KombiName->count(), 4) << "mei, the empty text, Meier, Schulz";

    // A click into the list, then Enter: selected anew by the filters.
    l.KombiName->setEditText(QStringLiteral("Meier"));
    const QRect zeile3 = l.Liste->visualRect(l.Liste->model()->index(2, 0));
    QTest::mouseClick(l.Liste->viewport(), Qt::LeftButton, {}, zeile3.center());
    EXPECT_TRUE(l.Selected(2));
    QTest::keyClick(l.Liste, Qt::Key_Return);
    EXPECT_EQ(laeufe, 3);
    EXPECT_FALSE(l.Selected(2));
    EXPECT_EQ(l.ausgewaehlteAnzahl(), 2);
}

namespace {

// Meier (Berlin), Berger (Bonn) and Schulz (Köln), with "Berlin" and "Bonn"
// in the text filter's history; the dialog over them, shown and active,
// counts its selection runs.
class EnterImDialog : public Listen
{
protected:
    void SetUp() override
    {
        Listen::SetUp();
        for (const auto& [name, ort] : {std::pair{"Meier", "Berlin"}, std::pair{"Berger", "Bonn"},
                                        std::pair{"Schulz", "Köln"}})
            zadressbuch::adressliste().AddItem(datensatz(QString::fromUtf8(name), QString::fromUtf8(ort)));
        zadressbuch::adressliste().setListIndex(0);
        zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("PrnFürWen"), QStringLiteral("Meier;Schulz"));
        zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("PrnFilter"), QStringLiteral("Berlin;Bonn"));
    }
    void oeffnen()
    {
        laeufe = 0;
        l = std::make_unique<Listendruck>();
        QObject::connect(l->ProgressBar, &QProgressBar::valueChanged, [this](int wert) { laeufe += wert == 0; });
        l->show();
        l->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(l.get()));
    }
    void TearDown() override
    {
        l.reset();
        Listen::TearDown();
    }
    // Moves the focus with Tab, as a user does, until the control has it.
    bool tabBis(QWidget* ziel)
    {
        for (int i = 0; i < 40 && QApplication::focusWidget() != ziel; ++i)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : l.get(), Qt::Key_Tab);
        return QApplication::focusWidget() == ziel;
    }
    // Which entries are selected, as "x" and "-".
    QString auswahl() const
    {
        QString s;
        for (int i = 0; i < l->ListCount(); ++i)
            s += l->Selected(i) ? u'x' : u'-';
        return s;
    }
    std::unique_ptr<Listendruck> l;
    int laeufe = 0;
};

} // namespace

// A command button with the focus takes Enter itself; "&Neuwahl" stays the
// default for Enter in a box, the list and the tabs. Before each Enter the
// user has picked the first and the third entry by hand and typed "Berlin"
// into the text filter, which "&Neuwahl" would reduce to the first entry.
TEST_F(EnterImDialog, EnterAufDemFokussiertenKnopfDruecktIhn)
{
    int dateiwahl = 0;
    Listendruck::dateiWaehler() = [&dateiwahl](const zbefehle::DateiWahl&) {
        ++dateiwahl;
        return QString();
    };
    const struct
    {
        const char* name;
        std::function<QWidget*(Listendruck&)> ziel;
        const char* auswahl; // after Enter
        int laeufe;          // selection runs
        bool offen;          // the dialog still shown
        int namen, filter;   // entries in the two histories
    } faelle[] = {
        {"Abbrechen", [](Listendruck& d) { return d.BefAbbruch; }, "x-x", 0, false, 2, 2},
        {"Drucken", [](Listendruck& d) { return d.BefOk; }, "x-x", 0, true, 2, 2},
        {"In Datei", [](Listendruck& d) { return d.Bef2Datei; }, "x-x", 0, true, 2, 2},
        {"Alle wählen", [](Listendruck& d) { return d.BefAuswahl[1]; }, "xxx", 1, true, 2, 2},
        {"Keine wählen", [](Listendruck& d) { return d.BefAuswahl[0]; }, "---", 1, true, 2, 2},
        {"cls der Namen", [](Listendruck& d) { return d.BefLoescheNamen; }, "x-x", 0, true, 0, 2},
        {"cls der Filter", [](Listendruck& d) { return d.BefLoescheFilter; }, "x-x", 0, true, 2, 0},
        {"Neuwahl", [](Listendruck& d) { return d.BefAuswahl[2]; }, "x--", 1, true, 3, 2},
        {"Liste", [](Listendruck& d) { return d.Liste; }, "x--", 1, true, 3, 2},
        {"Benutzerfeld", [](Listendruck& d) { return d.KombiName; }, "x--", 1, true, 3, 2},
        {"Karteireiter", [](Listendruck& d) { return d.SSTab1->tabBar(); }, "x--", 1, true, 3, 2},
        {"Überschrift",
         [](Listendruck& d) {
             d.SSTab1->setCurrentIndex(1);
             return d.TxtUeberschrift;
         },
         "x--", 1, true, 3, 2},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        oeffnen();
        bool druckdialog = false;
        if (std::string(f.name) == "Drucken")
            imDialog([&druckdialog](PrinterSet& d) {
                druckdialog = true;
                d.befAbbrechen->click();
            });
        dateiwahl = 0;
        l->KombiFilter->setEditText(QStringLiteral("Berlin"));
        const QRect zeile3 = l->Liste->visualRect(l->Liste->model()->index(2, 0));
        QTest::mouseClick(l->Liste->viewport(), Qt::LeftButton, {}, zeile3.center());
        ASSERT_EQ(auswahl(), "x-x");
        QWidget* ziel = f.ziel(*l);
        ASSERT_TRUE(tabBis(ziel)) << "reached with Tab";
        QTest::keyClick(ziel, Qt::Key_Return);
        EXPECT_EQ(auswahl(), QString::fromLatin1(f.auswahl));
        EXPECT_EQ(laeufe, f.laeufe);
        EXPECT_EQ(l->isVisible(), f.offen);
        EXPECT_EQ(l->KombiName->count(), f.namen);
        EXPECT_EQ(l->KombiFilter->count(), f.filter);
        EXPECT_EQ(druckdialog, std::string(f.name) == "Drucken") << "the print-options dialog came";
        EXPECT_EQ(dateiwahl, std::string(f.name) == "In Datei" ? 1 : 0) << "the file chooser came";
    }
}

// Only a pick from a filter box's list, by the mouse or by arrow keys,
// re-selects by itself (once, a moment later). Enter on a typed text that
// equals an entry of the list runs "&Neuwahl" once, and leaving the box
// after typing runs nothing.
TEST_F(EnterImDialog, EineNeuwahlJeEnterUndJeWahl)
{
    const struct
    {
        const char* name;
        std::function<void(QComboBox*)> tun;
        int sofort;      // selection runs at once
        bool verzoegert; // a re-selection follows
        const char* auswahl;
    } faelle[] = {
        {"Eintrag getippt, Enter",
         [](QComboBox* k) {
             QTest::keyClicks(k, "Berlin");
             QTest::keyClick(k, Qt::Key_Return);
         },
         1, false, "x--"},
        {"Eintrag getippt, Enter des Ziffernblocks",
         [](QComboBox* k) {
             QTest::keyClicks(k, "Bonn");
             QTest::keyClick(k, Qt::Key_Enter, Qt::KeypadModifier);
         },
         1, false, "-x-"},
        {"Eintrag getippt, Tab",
         [](QComboBox* k) {
             QTest::keyClicks(k, "Bonn");
             QTest::keyClick(k, Qt::Key_Tab);
         },
         0, false, "x--"},
        {"Pfeiltaste", [](QComboBox* k) { QTest::keyClick(k, Qt::Key_Down); }, 0, true, "x--"},
        {"Pfeiltasten in der Liste",
         [](QComboBox* k) {
             k->showPopup();
             QTest::keyClick(k->view(), Qt::Key_Down);
             QTest::keyClick(k->view(), Qt::Key_Return);
         },
         0, true, "-x-"},
        {"Mausklick in der Liste",
         [](QComboBox* k) {
             k->showPopup();
             const QRect bonn = k->view()->visualRect(k->model()->index(1, 0));
             // The list takes a click only a moment after it opened.
             EXPECT_TRUE(QTest::qWaitFor([&] {
                 if (k->view()->isVisible())
                     QTest::mouseClick(k->view()->viewport(), Qt::LeftButton, {}, bonn.center());
                 return !k->view()->isVisible();
             })) << "the list took no click";
         },
         0, true, "-x-"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        oeffnen();
        l->KombiFilter->setFocus();
        f.tun(l->KombiFilter);
        EXPECT_EQ(laeufe, f.sofort);
        EXPECT_EQ(l->ZeitNeuauswahl->isActive(), f.verzoegert);
        if (f.verzoegert) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return laeufe == 1; }));
        }
        EXPECT_FALSE(l->ZeitNeuauswahl->isActive());
        EXPECT_EQ(auswahl(), QString::fromLatin1(f.auswahl));
    }
}
