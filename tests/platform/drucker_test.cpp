#include "platform/drucker.h"
#include "platform/ordner.h"
#include "platform/ui/aufzeichnungsdrucker.h"
#include "platform/ui/qtdrucker.h"
#include "support/testplattform.h"

#include <QDir>
#include <QFileInfo>
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
    EXPECT_EQ(d->pdfOrdner(), w.temp());
    const QString ordner = w.temp() + QStringLiteral("/pdf");
    d->setPdfOrdner(ordner);
    EXPECT_NEAR(d->seitenBreite(), 21.0, 0.01);
    EXPECT_NEAR(d->seitenHoehe(), 29.7, 0.01);

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

    d->drucken(QStringLiteral("abgebrochen"));
    d->abbrechen();
    EXPECT_EQ(dateienListen(ordner, QStringLiteral("*.pdf")),
              (QStringList{QStringLiteral("Zettlora_1.pdf"), QStringLiteral("Zettlora_2.pdf")}));

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
    EXPECT_NEAR(pdf.scaleHeight(), 22.0, 0.01) << "the PDF printer prints on the whole sheet";
    ASSERT_TRUE(pdf.setPapierformat(22.9, 16.2)); // a size of no standard: custom
    EXPECT_NEAR(pdf.papierBreite(), 22.9, 0.01);
    EXPECT_NEAR(pdf.papierHoehe(), 16.2, 0.01);

    // The system's printer list ends with the PDF printer.
    QtDruckerVerzeichnis system;
    const std::vector<DruckerInfo> liste = system.drucker();
    ASSERT_FALSE(liste.empty());
    EXPECT_EQ(liste.back().name, pdfDruckerName);
    EXPECT_EQ(liste.back().ort, QDir::toNativeSeparators(w.temp()));
    EXPECT_NE(system.erzeugen(pdfDruckerName), nullptr);
    // Until the form library installs it, the program offers one recording printer.
    EXPECT_EQ(druckerVerzeichnis().drucker().size(), 1u);
}
