#include "platform/drucker.h"
#include "platform/ordner.h"
#include "platform/ui/aufzeichnungsdrucker.h"
#include "platform/ui/qtdrucker.h"
#include "support/testplattform.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace zplatform;

TEST(Drucker, ZeilenUndUrsprung)
{
    AufzeichnungsDrucker d;
    d.scaleLeft = -1.5;
    d.scaleTop = -2.0;
    d.currentX = 3.0;
    d.currentY = 1.0;
    const double h = d.textHoehe();
    d.drucken(QStringLiteral("Erste"));
    EXPECT_DOUBLE_EQ(d.currentX, 0.0);
    EXPECT_DOUBLE_EQ(d.currentY, 1.0 + h);
    d.drucken(QStringLiteral("Zweite"), false);
    EXPECT_NEAR(d.currentX, d.textBreite(QStringLiteral("Zweite")), 1e-9);
    d.drucken(QStringLiteral("+"));
    d.drucken(QStringLiteral("a\r\nb"));
    d.drucken(QString());
    EXPECT_NEAR(d.currentY, 1.0 + 5 * h, 1e-9);

    ASSERT_EQ(d.seiten().size(), 1u);
    const auto& ops = d.seiten()[0].operationen;
    ASSERT_EQ(ops.size(), 5u);
    EXPECT_EQ(d.seiten()[0].texte(), (QStringList{"Erste", "Zweite", "+", "a", "b"}));
    EXPECT_NEAR(ops[0].x, 4.5, 1e-9); // 3 cm + 1.5 cm origin
    EXPECT_NEAR(ops[0].y, 3.0, 1e-9);
    EXPECT_NEAR(ops[1].x, 1.5, 1e-9); // next line starts at x 0 of the moved origin
    EXPECT_NEAR(ops[2].x, 1.5 + d.textBreite(QStringLiteral("Zweite")), 1e-9);
    EXPECT_NEAR(ops[4].y, ops[3].y + h, 1e-9);
    EXPECT_NEAR(ops[4].x, 1.5, 1e-9);

    d.linie(0, 0, 2, 3);
    EXPECT_DOUBLE_EQ(d.currentX, 2.0);
    EXPECT_DOUBLE_EQ(d.currentY, 3.0);
    EXPECT_NEAR(d.seiten()[0].operationen.back().x2, 3.5, 1e-9);
}

TEST(Drucker, TextmassMitEchterSchrift)
{
    AufzeichnungsDrucker d;
    d.schrift.name = QStringLiteral("Arial");
    d.schrift.groesse = 10;
    const double m = d.textBreite(QStringLiteral("M"));
    const double i = d.textBreite(QStringLiteral("i"));
    EXPECT_GT(m, 2 * i);
    // Arial 10: "M" is 0.833 em = 8.33 pt = 0.29 cm.
    EXPECT_NEAR(m, 0.294, 0.03);
    const double h = d.textHoehe();
    EXPECT_GT(h, 0.35);
    EXPECT_LT(h, 0.45);
    EXPECT_NEAR(d.textHoehe(QStringLiteral("a\nb")), 2 * h, 1e-9);
    EXPECT_NEAR(d.textBreite(QStringLiteral("MM\ni")), 2 * m, 1e-6);

    d.schrift.groesse = 20;
    EXPECT_NEAR(d.textBreite(QStringLiteral("M")), 2 * m, 0.01);
    d.schrift.name = QStringLiteral("Courier New");
    d.schrift.groesse = 10;
    EXPECT_NEAR(d.textBreite(QStringLiteral("i")), d.textBreite(QStringLiteral("M")), 1e-6);
}

TEST(Drucker, SeitenUndAuftraege)
{
    AufzeichnungsDrucker d;
    EXPECT_DOUBLE_EQ(d.seitenBreite(), 21.0);
    EXPECT_DOUBLE_EQ(d.seitenHoehe(), 29.7);
    d.setAusrichtung(2);
    EXPECT_DOUBLE_EQ(d.seitenBreite(), 29.7);
    d.setAusrichtung(1);
    d.setPapier(22.9, 11.4);
    EXPECT_DOUBLE_EQ(d.seitenBreite(), 11.4);

    d.drucken(QStringLiteral("Seite 1"));
    EXPECT_EQ(d.seitenNummer(), 1);
    d.neueSeite();
    EXPECT_EQ(d.seitenNummer(), 2);
    EXPECT_DOUBLE_EQ(d.currentY, 0.0);
    d.drucken(QStringLiteral("Seite 2"));
    EXPECT_TRUE(d.dokumentEnde());
    EXPECT_EQ(d.auftraege(), 1);
    ASSERT_EQ(d.seiten().size(), 2u);
    EXPECT_EQ(d.seiten()[1].texte(), QStringList{QStringLiteral("Seite 2")});

    // An EndDoc without output sends nothing; an abort drops the job.
    EXPECT_TRUE(d.dokumentEnde());
    EXPECT_EQ(d.auftraege(), 1);
    d.drucken(QStringLiteral("weg"));
    d.abbrechen();
    EXPECT_EQ(d.abbrueche(), 1);
    EXPECT_TRUE(d.seiten().empty());
    EXPECT_EQ(d.auftraege(), 1);
}

TEST(Drucker, StandardDruckerOhneSchriften)
{
    druckerSetzen(nullptr);
    Drucker& d = drucker();
    EXPECT_FALSE(d.geraetename().isEmpty());
    EXPECT_GT(d.textBreite(QStringLiteral("Hallo")), 0.0);
    auto eigener = std::make_unique<AufzeichnungsDrucker>(QStringLiteral("Test"));
    druckerSetzen(std::move(eigener));
    EXPECT_EQ(drucker().geraetename(), QStringLiteral("Test"));
    druckerSetzen(nullptr);
}

TEST(Drucker, PdfDrucker)
{
    TempWurzel w;
    EXPECT_TRUE(druckerNamen().contains(QStringLiteral("PDF")));
    EXPECT_EQ(druckerErzeugen(QStringLiteral("Gibt es nicht")), nullptr);
    auto basis = druckerErzeugen(QStringLiteral("pdf"));
    ASSERT_NE(basis, nullptr);
    auto* d = dynamic_cast<QtDrucker*>(basis.get());
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->pdfOrdner(), w.dokumente()) << "without a folder of its own: the documents folder";
    pdfStandardOrdnerSetzen(w.temp() + QStringLiteral("/eingestellt"));
    EXPECT_EQ(d->pdfOrdner(), w.temp() + QStringLiteral("/eingestellt"));
    pdfStandardOrdnerSetzen(QString());
    const QString ordner = w.temp() + QStringLiteral("/pdf");
    d->setPdfOrdner(ordner);
    EXPECT_NEAR(d->seitenBreite(), 21.0, 0.01);
    EXPECT_NEAR(d->seitenHoehe(), 29.7, 0.01);
    // The printable area of an office laser printer: the edge stays unprinted.
    EXPECT_NEAR(d->scaleWidth(), 21.0 - 2 * pdfRand, 0.01);
    EXPECT_NEAR(d->scaleHeight(), 29.7 - 2 * pdfRand, 0.01);
    QStringList gemeldet;
    ausgabeDateiMeldungSetzen([&gemeldet](const QString& datei) { gemeldet << datei; });

    AufzeichnungsDrucker vergleich;
    EXPECT_NEAR(d->textBreite(QStringLiteral("Zettlora Adressen")),
                vergleich.textBreite(QStringLiteral("Zettlora Adressen")), 0.02);

    d->scaleLeft = -2;
    d->drucken(QStringLiteral("Grüße aus Köln"));
    d->linie(0, 1, 10, 1);
    d->neueSeite();
    d->drucken(QStringLiteral("Zweite Seite"));
    EXPECT_EQ(d->seitenNummer(), 2);
    ASSERT_TRUE(d->dokumentEnde());
    EXPECT_EQ(d->letztePdfDatei(), ordner + QStringLiteral("/Zettlora_1.pdf"));

    d->drucken(QStringLiteral("Nächster Auftrag"));
    ASSERT_TRUE(d->dokumentEnde());
    EXPECT_EQ(d->letztePdfDatei(), ordner + QStringLiteral("/Zettlora_2.pdf"));
    EXPECT_EQ(gemeldet,
              (QStringList{ordner + QStringLiteral("/Zettlora_1.pdf"), ordner + QStringLiteral("/Zettlora_2.pdf")}))
        << "every file is told once it is written";

    // A run is one file; the queue (and the file) gets the job's name.
    druckLaufBeginnen();
    d->setAuftragsname(QStringLiteral("Drucken - Zettlora Liste"));
    const QStringList schriften = druckSchriften();
    const QString probe = QStringLiteral("Nr. Pflaum Hoffmann offiziell");
    for (const QString& familie : schriften) {
        d->schrift.name = familie;
        d->drucken(probe);
        d->dokumentEnde();
    }
    druckLaufBeenden();
    ASSERT_TRUE(d->dokumentEnde());
    const QString lauf = d->letztePdfDatei();
    EXPECT_EQ(lauf, ordner + QStringLiteral("/Zettlora_3.pdf"));

    d->drucken(QStringLiteral("abgebrochen"));
    d->abbrechen();
    EXPECT_EQ(gemeldet.size(), 3) << "a dropped job writes and tells nothing";
    ausgabeDateiMeldungSetzen(nullptr);
    EXPECT_EQ(dateienListen(ordner, QStringLiteral("*.pdf")),
              (QStringList{QStringLiteral("Zettlora_1.pdf"), QStringLiteral("Zettlora_2.pdf"),
                           QStringLiteral("Zettlora_3.pdf")}));

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext fehlt";
    QProcess p;
    p.start(pdftotext, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), ordner + QStringLiteral("/Zettlora_1.pdf"),
                        QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("Grüße aus Köln"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Zweite Seite"))) << text.toStdString();
    EXPECT_EQ(text.count(QChar(0x0C)), 2) << "zwei Seiten";

    // The run: a page per font, each line the characters given (no "fl"
    // or "ff" joined, no "Nr." turned into one sign), under the job's name.
    QProcess q;
    q.start(pdftotext, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), lauf, QStringLiteral("-")});
    ASSERT_TRUE(q.waitForFinished(30000));
    const QString laufText = QString::fromUtf8(q.readAllStandardOutput());
    EXPECT_EQ(laufText.count(QChar(0x0C)), schriften.size());
    EXPECT_EQ(laufText.count(probe), schriften.size()) << laufText.toStdString();
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {lauf});
    ASSERT_TRUE(info.waitForFinished(30000));
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QLatin1String("Drucken - Zettlora Liste")));
}

TEST(Drucker, PapierformatGanzeSeiteUndVerzeichnis)
{
    AufzeichnungsDrucker d;
    d.setUnbedruckbarerRand(0.5);
    EXPECT_DOUBLE_EQ(d.scaleWidth(), 20.0);
    d.setGanzeSeite(true);
    EXPECT_DOUBLE_EQ(d.scaleWidth(), 21.0);
    d.setGanzeSeite(false);
    // The sheet as it lies: an envelope fed broad side first stays broad.
    ASSERT_TRUE(d.setPapierformat(22.0, 11.0));
    EXPECT_DOUBLE_EQ(d.seitenBreite(), 22.0);
    EXPECT_DOUBLE_EQ(d.scaleHeight(), 10.0);
    d.setAusrichtung(2);
    EXPECT_DOUBLE_EQ(d.seitenBreite(), 11.0);
    EXPECT_DOUBLE_EQ(d.papierBreite(), 22.0);
    EXPECT_FALSE(d.setPapierformat(0, 5));

    const Papierformat* dl = papierformat(QStringLiteral("dl"));
    ASSERT_NE(dl, nullptr);
    EXPECT_DOUBLE_EQ(dl->breite, 11.0);
    EXPECT_DOUBLE_EQ(dl->hoehe, 22.0);
    EXPECT_EQ(papierformate().size(), 11u);

    TempWurzel w;
    QtDrucker pdf(pdfDruckerName);
    ASSERT_TRUE(pdf.setPapierformat(dl->breite, dl->hoehe));
    EXPECT_NEAR(pdf.seitenBreite(), 11.0, 0.01);
    EXPECT_NEAR(pdf.scaleHeight(), 22.0 - 2 * pdfRand, 0.01) << "the PDF printer leaves its edge unprinted";
    pdf.setGanzeSeite(true);
    EXPECT_NEAR(pdf.scaleHeight(), 22.0, 0.01) << "full-page mode prints on the whole sheet";
    pdf.setGanzeSeite(false);
    // A standard sheet lying broad side first goes out as its named size, turned.
    ASSERT_TRUE(pdf.setPapierformat(22.9, 16.2));
    EXPECT_NEAR(pdf.papierBreite(), 22.9, 0.01);
    EXPECT_NEAR(pdf.papierHoehe(), 16.2, 0.01);
    EXPECT_NEAR(pdf.seitenBreite(), 22.9, 0.01);
    EXPECT_EQ(pdf.qprinter().pageLayout().pageSize().key(), "EnvC5");
    EXPECT_EQ(pdf.qprinter().pageLayout().orientation(), QPageLayout::Landscape);
    pdf.setAusrichtung(2);
    EXPECT_NEAR(pdf.seitenBreite(), 16.2, 0.01) << "landscape turns the sheet once more";
    EXPECT_EQ(pdf.qprinter().pageLayout().orientation(), QPageLayout::Portrait);
    pdf.setAusrichtung(1);
    ASSERT_TRUE(pdf.setPapierformat(23.0, 15.0)); // a size of no standard: custom, as it lies
    EXPECT_EQ(pdf.qprinter().pageLayout().pageSize().key(), "Custom.230x150mm");
    EXPECT_NEAR(pdf.seitenBreite(), 23.0, 0.01);

    // The system's printer list ends with the PDF printer.
    QtDruckerVerzeichnis system;
    const std::vector<DruckerInfo> liste = system.drucker();
    ASSERT_FALSE(liste.empty());
    EXPECT_EQ(liste.back().name, pdfDruckerName);
    EXPECT_EQ(liste.back().ort, QDir::toNativeSeparators(w.dokumente()));
    EXPECT_NE(system.erzeugen(pdfDruckerName), nullptr);
    // Until the form library installs it, the program offers one recording printer.
    EXPECT_EQ(druckerVerzeichnis().drucker().size(), 1u);
}

TEST(Drucker, BlattlageNachBenanntenGroessen)
{
    struct Fall
    {
        double breite, hoehe;
        int ausrichtung;
        const char* name;
        bool quer;
    };
    const Fall faelle[] = {
        {22.0, 11.0, 1, "DL", true},   {11.0, 22.0, 2, "DL", true},   {11.0, 22.0, 1, "DL", false},
        {16.2, 22.9, 1, "C5", false},  {22.9, 16.2, 2, "C5", false},  {16.23, 11.45, 1, "C6", true},
        {21.0, 29.7, 1, "A4", false},  {35.3, 25.0, 1, "B4", true},   {23.0, 15.0, 1, "Custom.230x150mm", false},
        {23.0, 15.0, 2, "Custom.230x150mm", true},
    };
    for (const Fall& f : faelle) {
        const Blattlage lage = blattlage(f.breite, f.hoehe, f.ausrichtung);
        EXPECT_EQ(blattName(f.breite, f.hoehe), QString::fromLatin1(f.name)) << f.breite << "x" << f.hoehe;
        EXPECT_EQ(lage.quer, f.quer) << f.breite << "x" << f.hoehe << " " << f.ausrichtung;
        EXPECT_EQ(lage.format == nullptr, QByteArray(f.name).startsWith("Custom"));
    }
}

TEST(Drucker, DruckLaufEinAuftragUndJederAuftragBeginntGleich)
{
    AufzeichnungsDrucker d;
    d.setAuftragsname(QStringLiteral("Liste"));
    d.schrift.name = QStringLiteral("Times New Roman");
    d.schrift.groesse = 16;
    d.schrift.fett = d.schrift.kursiv = d.schrift.unterstrichen = d.schrift.durchgestrichen = true;
    d.schrift.farbe = 255;
    druckLaufBeginnen();
    d.drucken(QStringLiteral("Seite 1"));
    EXPECT_TRUE(d.dokumentEnde());
    EXPECT_EQ(d.auftraege(), 0) << "inside a run EndDoc closes the page only";
    EXPECT_TRUE(d.auftragOffen());
    const DruckSchrift neu;
    EXPECT_EQ(d.schrift.name, "Arial");
    EXPECT_EQ(d.schrift.groesse, neu.groesse);
    EXPECT_FALSE(d.schrift.fett || d.schrift.kursiv || d.schrift.unterstrichen || d.schrift.durchgestrichen);
    EXPECT_EQ(d.schrift.farbe, 0u);
    d.currentY = 2.0; // placed for the next page before its first output
    d.drucken(QStringLiteral("Seite 2"));
    druckLaufBeenden();
    EXPECT_FALSE(druckLaufOffen());
    EXPECT_TRUE(d.dokumentEnde());
    EXPECT_EQ(d.auftraege(), 1);
    ASSERT_EQ(d.seiten().size(), 2u);
    EXPECT_EQ(d.seiten()[1].texte(), QStringList{QStringLiteral("Seite 2")});
    EXPECT_NEAR(d.seiten()[1].operationen[0].y, 2.0, 1e-9);
    EXPECT_EQ(d.auftragsTitel(), "Liste");
    EXPECT_EQ(d.auftragsname(), StandardAuftragsname) << "the next job is named afresh";

    // Runs nest; an EndDoc followed by NewPage gives one new page; an abort drops the whole job.
    druckLaufBeginnen();
    druckLaufBeginnen();
    d.drucken(QStringLiteral("a"));
    d.dokumentEnde();
    druckLaufBeenden();
    d.neueSeite();
    d.drucken(QStringLiteral("b"));
    d.dokumentEnde();
    EXPECT_EQ(d.auftraege(), 1);
    druckLaufBeenden();
    d.dokumentEnde();
    EXPECT_EQ(d.auftraege(), 2);
    EXPECT_EQ(d.seiten().size(), 2u);
    druckLaufBeginnen();
    d.drucken(QStringLiteral("c"));
    d.dokumentEnde();
    d.drucken(QStringLiteral("d"));
    d.abbrechen();
    druckLaufBeenden();
    EXPECT_EQ(d.abbrueche(), 1);
    EXPECT_FALSE(d.auftragOffen());
    EXPECT_TRUE(d.dokumentEnde());
    EXPECT_EQ(d.auftraege(), 2);
}

TEST(Drucker, WindowsSchriftenUndZeichenWieGegeben)
{
    // The Windows names print in the Liberation fonts unless the system has the real ones.
    const struct
    {
        const char* windows;
        const char* liberation;
    } paare[] = {{"Arial", "Liberation Sans"},
                 {"Courier NEW", "Liberation Mono"},
                 {"times new roman", "Liberation Serif"}};
    const QStringList liste = druckSchriften();
    for (const auto& p : paare) {
        const QString windows = QString::fromLatin1(p.windows);
        const QString liberation = QString::fromLatin1(p.liberation);
        ASSERT_TRUE(QFontDatabase::hasFamily(liberation)) << p.liberation << " (Paket fonts-liberation2)";
        if (QFontDatabase::hasFamily(windows))
            continue;
        EXPECT_EQ(druckFamilie(windows), liberation);
        EXPECT_EQ(schriftAnzeigename(liberation).compare(windows, Qt::CaseInsensitive), 0);
        EXPECT_TRUE(liste.contains(windows, Qt::CaseInsensitive)) << p.windows;
        EXPECT_EQ(QFontInfo(alsQFont({windows, 10})).family(), liberation);
    }
    EXPECT_EQ(druckFamilie(QStringLiteral("DejaVu Sans")), "DejaVu Sans");
    EXPECT_EQ(schriftAnzeigename(QStringLiteral("DejaVu Sans")), "DejaVu Sans");

    // Each character keeps its own width in every font: no ligature, no kerning.
    const QString probe = QStringLiteral("Nr. Pflaum Hoffmann offiziell AV To");
    AufzeichnungsDrucker d;
    for (const QString& familie : liste) {
        d.schrift.name = familie;
        double summe = 0;
        for (QChar c : probe)
            summe += d.textBreite(QString(c));
        EXPECT_NEAR(d.textBreite(probe), summe, 1e-6) << familie.toStdString();
    }
}
