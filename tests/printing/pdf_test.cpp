// One PDF per layout: the envelope, the window-envelope sheet and the list go
// through the real printer back-end into PDF files, whose words and positions
// pdftotext reports. The PDF printer leaves the edge of an office laser
// printer unprinted, so the layouts' positions count from the corner of the
// printable area, pdfRand in from the sheet's corner.

#include "addressbook/befehle.h"
#include "platform/ui/qtdrucker.h"
#include "printing/ui/befehle.h"
#include "printing/ui/listendruck.h"
#include "printing/ui/umschlag.h"
#include "printing/umschlag.h"
#include "support/fensterattrappe.h"

#include "pdfhilfe.h"
#include "testhilfe.h"

using namespace zdruck;

namespace {

// The printable area's corner on the PDF's sheet, in cm.
constexpr double Rand = zplatform::pdfRand;
// What every word keeps from the sheet's edges, in cm.
constexpr double Mindestabstand = 0.3;

class PdfAusgabe : public DruckUmgebung
{
protected:
    void SetUp() override
    {
        DruckUmgebung::SetUp();
        pdfDruckerNach(w.temp());
        maske(QStringLiteral("Umschlag"),
              {QStringLiteral("{Vorname} {Nachname}"), QStringLiteral("{Straße}"), QStringLiteral("{PLZ} {Ort}")});
        adresse({{1, QStringLiteral("Muster")},
                 {2, QStringLiteral("Erika")},
                 {3, QStringLiteral("Lindenweg 1")},
                 {4, QStringLiteral("12345")},
                 {5, QStringLiteral("Köln")}});
    }

    // A fresh PDF printer as the current printer, writing into ordner.
    void pdfDruckerNach(const QString& ordner)
    {
        zplatform::druckerSetzen(nullptr);
        auto pdf = std::make_unique<zplatform::QtDrucker>(zplatform::pdfDruckerName);
        pdf->setPdfOrdner(ordner);
        pdfDrucker = pdf.get();
        zplatform::druckerSetzen(std::move(pdf));
    }

    // Eighty addresses of the file "Kunden", printed one line each.
    void achtzigAdressen()
    {
        maske(QStringLiteral("Liste_Standard"), {QStringLiteral("{Nachname}, {Vorname}, {Ort}")});
        for (int i = 0; i < 80; ++i)
            adresse(
                {{1, QStringLiteral("Name%1").arg(i)}, {2, QStringLiteral("Vorname")}, {5, QStringLiteral("Köln")}});
        zadressbuch::sitzung().Beschreibung = QStringLiteral("Kunden");
    }

    zplatform::QtDrucker* pdfDrucker = nullptr;
};

} // namespace

TEST_F(PdfAusgabe, UmschlagDL)
{
    Umschlag u;
    u.KombiFormat->setCurrentIndex(0); // DL 22.0 x 11.0
    u.TxtAbsender->setPlainText(QStringLiteral("Anna Absender\nHauptstr. 5"));
    imDialog([](PrinterSet& d) {
        d.ComboRandX->setCurrentIndex(5);
        d.BefOk->click();
    });
    u.PulDrucken_Click();
    ASSERT_FALSE(pdfDrucker->letztePdfDatei().isEmpty()) << pdfDrucker->letzterFehler().toStdString();
    const PdfInhalt pdf = pdfLesen(pdfDrucker->letztePdfDatei());
    ASSERT_TRUE(pdf.gelesen);
    ASSERT_EQ(pdf.seiten.size(), 1u);
    EXPECT_NEAR(pdf.seiten[0].first, 22.0, 0.05) << "the sheet is the envelope";
    EXPECT_NEAR(pdf.seiten[0].second, 11.0, 0.05);

    const PdfWort* abs = pdf.wort(QStringLiteral("Anna"));
    ASSERT_TRUE(abs) << pdf.alles().toStdString();
    EXPECT_NEAR(abs->x, Rand + 0.5, 0.1);
    EXPECT_NEAR(abs->y, Rand + 0.1, 0.2);
    const PdfWort* an = pdf.wort(QStringLiteral("Erika"));
    ASSERT_TRUE(an) << pdf.alles().toStdString();
    EXPECT_NEAR(an->x, Rand + 8.8 + 0.5, 0.1);
    EXPECT_NEAR(an->y, Rand + 4.4, 0.25);
    const PdfWort* ort = pdf.wort(QStringLiteral("Köln"));
    ASSERT_TRUE(ort);
    EXPECT_GT(ort->y, an->y + 1.0) << "the third line of the block";
    // The paper of the PDF printer is A4 again for the next job.
    EXPECT_NEAR(pdfDrucker->seitenBreite(), 21.0, 0.01);
}

TEST_F(PdfAusgabe, Umschlagsfenster)
{
    FensterAttrappe f;
    zadressbuch::Befehlsregister r;
    Befehle_Anmelden(r);
    p.eingaben.enqueue(QStringLiteral("Anna Absender, Hauptstr. 5, 50667 Köln"));
    ASSERT_TRUE(r.ausfuehren(zadressbuch::Befehl::mnuPrnUmschlagsfenster, f));
    EXPECT_EQ(p.eingabePrompts.last(), "Bitte legen Sie noch die Absenderzeile fest.");
    EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("AbsenderZeile_Kunden")),
              "Anna Absender, Hauptstr. 5, 50667 Köln");

    ASSERT_FALSE(pdfDrucker->letztePdfDatei().isEmpty()) << pdfDrucker->letzterFehler().toStdString();
    const PdfInhalt pdf = pdfLesen(pdfDrucker->letztePdfDatei());
    ASSERT_TRUE(pdf.gelesen);
    ASSERT_EQ(pdf.seiten.size(), 1u);
    EXPECT_NEAR(pdf.seiten[0].first, 21.0, 0.05);
    const PdfWort* abs = pdf.wort(QStringLiteral("Anna"));
    ASSERT_TRUE(abs) << pdf.alles().toStdString();
    EXPECT_NEAR(abs->x, Rand + 2.0, 0.1);
    EXPECT_NEAR(abs->y, Rand + 4.9, 0.2);
    const PdfWort* an = pdf.wort(QStringLiteral("Erika"));
    ASSERT_TRUE(an) << pdf.alles().toStdString();
    EXPECT_NEAR(an->x, Rand + 2.0, 0.1);
    EXPECT_NEAR(an->y, Rand + 5.5, 0.25);
    const PdfWort* ort = pdf.wort(QStringLiteral("Köln"), int(an - pdf.woerter.data()));
    ASSERT_TRUE(ort);
    EXPECT_LT(ort->x2, Rand + 8.5);
}

TEST_F(PdfAusgabe, Liste)
{
    // Two pages of a list with margins: heading, blocks and footer where the run put them.
    pdfDruckerNach(w.temp() + QStringLiteral("/liste"));
    achtzigAdressen();
    Listendruck l;
    l.BefAuswahl_Click(1);
    imDialog([](PrinterSet& d) {
        d.ComboRandX->setCurrentIndex(20);
        d.ComboRandY->setCurrentIndex(10);
        d.BefOk->click();
    });
    l.BefOk_Click();
    const QStringList dateien =
        QDir(w.temp() + QStringLiteral("/liste")).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
    ASSERT_EQ(dateien.size(), 1) << "one file for the run";
    const PdfInhalt pdf = pdfLesen(w.temp() + QStringLiteral("/liste/") + dateien.at(0));
    ASSERT_TRUE(pdf.gelesen);
    ASSERT_GE(pdf.seiten.size(), 2u);
    const PdfWort* kopf = pdf.wort(QStringLiteral("Kunden,"));
    ASSERT_TRUE(kopf) << pdf.alles().toStdString();
    EXPECT_EQ(kopf->seite, 1);
    EXPECT_NEAR(kopf->x, Rand + 2.0, 0.1);
    EXPECT_NEAR(kopf->y, Rand + 1.0, 0.2);
    EXPECT_TRUE(pdf.wort(QStringLiteral("Seite")));
    const PdfWort* name = pdf.wort(QStringLiteral("Name0,"));
    ASSERT_TRUE(name) << pdf.alles().toStdString();
    EXPECT_NEAR(name->x, Rand + 2.0, 0.1);
    EXPECT_GT(name->y, kopf->y);
    const PdfWort* fuss = pdf.wort(QStringLiteral("Ausdruck"));
    ASSERT_TRUE(fuss);
    EXPECT_EQ(fuss->seite, 1);
    EXPECT_GT(fuss->y, 26.0);
    for (const PdfWort& w : pdf.woerter)
        EXPECT_LT(w.y2, 29.7) << w.text.toStdString();
    const PdfWort* kopf2 = pdf.wort(QStringLiteral("Kunden,"), int(kopf - pdf.woerter.data()) + 1);
    ASSERT_TRUE(kopf2);
    EXPECT_EQ(kopf2->seite, 2);
    EXPECT_NEAR(kopf2->y, kopf->y, 0.01);
}

TEST_F(PdfAusgabe, OhneRaenderAllesAufDemBlatt)
{
    // With margins 0 the list and the DL envelope start at the printable
    // area's corner, and no word comes nearer than 3 mm to an edge of the sheet.
    pdfDruckerNach(w.temp() + QStringLiteral("/liste"));
    achtzigAdressen();
    Listendruck l;
    l.BefAuswahl_Click(1);
    imDialog([](PrinterSet& d) { d.BefOk->click(); });
    l.BefOk_Click();
    ASSERT_FALSE(pdfDrucker->letztePdfDatei().isEmpty()) << pdfDrucker->letzterFehler().toStdString();
    const PdfInhalt liste = pdfLesen(pdfDrucker->letztePdfDatei());
    ASSERT_TRUE(liste.gelesen);
    ASSERT_GE(liste.seiten.size(), 2u);
    const PdfWort* kopf = liste.wort(QStringLiteral("Kunden,"));
    ASSERT_TRUE(kopf) << liste.alles().toStdString();
    EXPECT_NEAR(kopf->x, Rand, 0.1);
    EXPECT_NEAR(kopf->y, Rand, 0.2);
    EXPECT_TRUE(liste.wort(QStringLiteral("Ausdruck"))) << "the footer";
    EXPECT_EQ(liste.amRand(Mindestabstand), QString());

    pdfDruckerNach(w.temp() + QStringLiteral("/umschlag"));
    adresse({{1, QStringLiteral("Muster")},
             {2, QStringLiteral("Erika")},
             {3, QStringLiteral("Lindenweg 1")},
             {4, QStringLiteral("12345")},
             {5, QStringLiteral("Köln")}});
    Umschlag u;
    u.KombiFormat->setCurrentIndex(0); // DL 22.0 x 11.0
    u.TxtAbsender->setPlainText(QStringLiteral("Anna Absender\nHauptstr. 5\n50667 Köln"));
    imDialog([](PrinterSet& d) { d.BefOk->click(); });
    u.PulDrucken_Click();
    ASSERT_FALSE(pdfDrucker->letztePdfDatei().isEmpty()) << pdfDrucker->letzterFehler().toStdString();
    const PdfInhalt umschlag = pdfLesen(pdfDrucker->letztePdfDatei());
    ASSERT_TRUE(umschlag.gelesen);
    ASSERT_EQ(umschlag.seiten.size(), 1u);
    EXPECT_NEAR(umschlag.seiten[0].first, 22.0, 0.05);
    const PdfWort* abs = umschlag.wort(QStringLiteral("Anna"));
    ASSERT_TRUE(abs) << umschlag.alles().toStdString();
    EXPECT_NEAR(abs->x, Rand, 0.1) << "the sender starts at the printable area's corner";
    EXPECT_NEAR(abs->y, Rand + 0.1, 0.2);
    const PdfWort* an = umschlag.wort(QStringLiteral("Erika"));
    ASSERT_TRUE(an) << umschlag.alles().toStdString();
    EXPECT_NEAR(an->x, Rand + 8.8, 0.1);
    EXPECT_NEAR(an->y, Rand + 4.4, 0.25);
    EXPECT_EQ(umschlag.amRand(Mindestabstand), QString());
}

TEST_F(PdfAusgabe, DreiSeitenEineDateiMitLiberationSchriften)
{
    // One address a page, a confirmation before each: one file with three
    // pages, set in the Liberation fonts that stand in for the Windows
    // names, with the characters as given.
    pdfDruckerNach(w.temp() + QStringLiteral("/drei"));
    maske(QStringLiteral("Liste_Standard"), {QStringLiteral("{Nachname}, {Vorname}, Nr. {Index}")});
    zmasken::Maske_SchriftSchreiben(QStringLiteral("Liste_Standard"), QStringLiteral("Times New Roman;12;0;0;0;0"));
    zadressbuch::adressliste().Clear();
    for (const char* name : {"Pflaum", "Hoffmann", "Offizier"})
        adresse({{1, QString::fromLatin1(name)}, {2, QStringLiteral("Fiete")}, {23, QStringLiteral("7")}});
    Listendruck l;
    l.BefAuswahl_Click(1);
    l.ODruckenSeiteProAdr->setChecked(true);
    l.ODruckenWaitForPage->setChecked(true);
    imDialog([](PrinterSet& d) { d.BefOk->click(); });
    l.BefOk_Click();
    ASSERT_EQ(p.meldungen.size(), 3u) << "the confirmation before every page stays";
    EXPECT_EQ(p.meldungen[2].text, "Drucke jetzt Seite 3 von »«.");

    const QStringList dateien = QDir(w.temp() + QStringLiteral("/drei")).entryList({QStringLiteral("*.pdf")});
    ASSERT_EQ(dateien.size(), 1);
    const QString datei = w.temp() + QStringLiteral("/drei/") + dateien.at(0);
    const PdfInhalt inhalt = pdfLesen(datei);
    ASSERT_TRUE(inhalt.gelesen);
    ASSERT_EQ(inhalt.seiten.size(), 3u);
    EXPECT_EQ(inhalt.titel, "Drucken - Zettlora Liste_Standard");

    const char* erwartet[] = {"Pflaum,", "Hoffmann,", "Offizier,"};
    for (int s = 0; s < 3; ++s) {
        const PdfWort* w = inhalt.wort(QString::fromLatin1(erwartet[s]));
        ASSERT_TRUE(w) << inhalt.alles().toStdString();
        EXPECT_EQ(w->seite, s + 1);
    }
    EXPECT_EQ(inhalt.alles().count(QStringLiteral("Nr.")), 3);
    const QStringList schriften = pdfSchriften(datei);
    EXPECT_TRUE(schriften.contains(QStringLiteral("LiberationSerif"))) << schriften.join(u',').toStdString();
    EXPECT_TRUE(schriften.contains(QStringLiteral("LiberationSans"))) << "the footer's Arial";
}
