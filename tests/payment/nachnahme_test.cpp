// Cash on delivery: the price box's evaluation and every position of the
// page on the recording printer, plus the page as PDF.

#include "payment/nachnahme.h"

#include "zahlungstest.h"

#include "support/pdfschriften.h"

#include <QRegularExpression>

using namespace zzahlung;
using zplatform::DruckOperation;

namespace {

Nachnahme beispiel()
{
    Nachnahme n;
    n.name = QStringLiteral("Anna Berg~c/o Meier");
    n.strasse = QStringLiteral("Hauptstr. 1");
    n.ort = QStringLiteral("12345 Berlin");
    n.preis = QStringLiteral("12.5");
    n.waehrung = QStringLiteral("EUR");
    n.gebuehr = QStringLiteral("3");
    n.auftragsnummer = QStringLiteral("A-17");
    n.artikel1 = QStringLiteral("Bestellung");
    n.artikel2 = QStringLiteral("#123");
    n.absName = QStringLiteral("Versand GmbH");
    n.absStrasse = QStringLiteral("Lagerweg 2");
    n.absOrt = QStringLiteral("50667 Köln");
    n.absBLZ = QStringLiteral("37050198");
    n.absBank = QStringLiteral("Sparkasse");
    n.absKontoNr = QStringLiteral("1234567");
    return n;
}

// Installs a recording printer as the current printer for one test.
class NachnahmeDruckTest : public ZahlungTest
{
protected:
    zplatform::AufzeichnungsDrucker* d;
    NachnahmeDruckTest()
    {
        auto p = std::make_unique<zplatform::AufzeichnungsDrucker>();
        d = p.get();
        zplatform::druckerSetzen(std::move(p));
    }
    ~NachnahmeDruckTest() override { zplatform::druckerSetzen(nullptr); }
};

} // namespace

TEST(Nachnahme, PreisfeldInPunktschreibweise)
{
    // clang-format off
    const struct { const char* getippt; const char* danach; } faelle[] = {
        {"12,50", "12.5"}, {"0,5", ".5"}, {"10+2,5", "12.5"}, {"7", "7"}, {"", "0"}, {"abc", "0"}, {"-3", "-3"},
        {"-0,25", "-.25"}, {" 3 ", "3"}, {"1/3", ".3333333"}, {"2/3", ".6666666"}, {"99999*9999", "99999*9999"},
        {"1.234,5", "1.234,5"},
    };
    // clang-format on
    for (const auto& f : faelle)
        EXPECT_EQ(Preis_Auswerten(QString::fromUtf8(f.getippt)), QString::fromUtf8(f.danach)) << f.getippt;
    EXPECT_FLOAT_EQ(ZustellGebuehrStandard, 2.933745f);
    // The price counts only as a plain number.
    EXPECT_DOUBLE_EQ(Nachnahme_Wert("2,93"), 2.93);
    EXPECT_DOUBLE_EQ(Nachnahme_Wert("3.5"), 3.5);
    EXPECT_DOUBLE_EQ(Nachnahme_Wert(""), 0);
    EXPECT_DOUBLE_EQ(Nachnahme_Wert("2+1"), 0);
    // The fee as far as it forms a number from its start.
    EXPECT_DOUBLE_EQ(Zustellgebuehr_Wert("2,93"), 2.93);
    EXPECT_DOUBLE_EQ(Zustellgebuehr_Wert("3.5"), 3.5);
    EXPECT_DOUBLE_EQ(Zustellgebuehr_Wert("3 DM"), 3);
    EXPECT_DOUBLE_EQ(Zustellgebuehr_Wert("2,50 "), 2.5);
    EXPECT_DOUBLE_EQ(Zustellgebuehr_Wert("2+1"), 2);
    EXPECT_DOUBLE_EQ(Zustellgebuehr_Wert("DM 3"), 0);
    EXPECT_DOUBLE_EQ(Zustellgebuehr_Wert(""), 0);
}

TEST_F(NachnahmeDruckTest, JedesFeldAnSeinerStelle)
{
    const Nachnahme n = beispiel();
    Nachnahme_Layout(n, QStringLiteral("Courier New"), 0, 0, QDate(2000, 8, 1), QString(), "123", false);
    ASSERT_TRUE(d->dokumentEnde());
    const auto& s = d->seiten().front();
    const double x0 = -0.9, yA = 7.7, yB = 17.73;
    // Amount row: 12,50 + 3 = 15 units and 50 cents, Arial 16 bold.
    ERWARTE_TEXT_BEI(s, "15", x0 + 5.2, yA + 3.9);
    ERWARTE_TEXT_BEI(s, "50", x0 + 8.6, yA + 3.9);
    const auto waehrung = texteMit(s, "EUR");
    ASSERT_EQ(waehrung.size(), 2u);
    EXPECT_NEAR(waehrung[0]->x, x0 + 12.9, 1e-4);
    EXPECT_EQ(waehrung[0]->schrift.name, QStringLiteral("Arial"));
    EXPECT_EQ(waehrung[0]->schrift.groesse, 16);
    EXPECT_TRUE(waehrung[0]->schrift.fett);
    // Sender block, 13 pt, from (x0 + 0.9, yA + 0.3).
    ERWARTE_TEXT_BEI(s, "Versand GmbH", x0 + 0.9, yA + 0.3);
    EXPECT_EQ(texteMit(s, "Lagerweg 2").front()->schrift.groesse, 13);
    // Recipient block: name, addition, street, empty line, place.
    const auto name = texteMit(s, "Anna Berg");
    ASSERT_EQ(name.size(), 2u); // recipient block and stub
    EXPECT_NEAR(name[0]->x, x0 + 7.95, 1e-4);
    EXPECT_NEAR(name[0]->y, yA + 5.7, 1e-4);
    EXPECT_EQ(name[0]->schrift.groesse, 16);
    const double zh = name[0]->y2 - name[0]->y;
    EXPECT_GT(texteMit(s, "12345 Berlin").front()->y, texteMit(s, "Hauptstr. 1").front()->y + 1.5 * zh);
    // Account rows at yA + 5.5, labels at x0 + 0.9, values at x0 + 2.3, Arial 10.
    ERWARTE_TEXT_BEI(s, "Knt.-Nr.", x0 + 0.9, yA + 5.5);
    const auto konto = texteMit(s, "1234567");
    ASSERT_EQ(konto.size(), 2u);
    EXPECT_NEAR(konto[0]->x, x0 + 2.3, 1e-4);
    EXPECT_NEAR(konto[0]->y, yA + 5.5, 1e-4);
    const auto nr = texteMit(s, "A-17 (26-IV)");
    ASSERT_EQ(nr.size(), 1u);
    EXPECT_NEAR(nr[0]->x, x0 + 2.3, 1e-4);
    EXPECT_GT(nr[0]->y, yA + 5.5);
    // Payment card: 12 pt in the chosen font; the price without the fee.
    ERWARTE_TEXT_BEI(s, "Versand GmbH 50667 Köln", x0 + 0.9, yB + 2.2);
    EXPECT_NEAR(konto[1]->x, x0 + 0.9, 1e-4);
    EXPECT_NEAR(konto[1]->y, yB + 3.1, 1e-4);
    EXPECT_EQ(konto[1]->schrift.name, QStringLiteral("Courier New"));
    EXPECT_EQ(konto[1]->schrift.groesse, 12);
    const auto blz = texteMit(s, "37050198");
    ASSERT_EQ(blz.size(), 2u);
    EXPECT_NEAR(blz[1]->x, x0 + 10.5, 1e-4);
    EXPECT_NEAR(blz[1]->y, yB + 3.1, 1e-4);
    EXPECT_NEAR(waehrung[1]->x, x0 + 6.5, 1e-4);
    EXPECT_NEAR(waehrung[1]->y, yB + 4.75, 1e-4);
    ERWARTE_TEXT_BEI(s, "12,50", x0 + 8.5, yB + 4.75);
    for (const auto& [t, dy] : {std::pair{"Bestellung", 5.6}, std::pair{"#123", 6.45}}) {
        const auto treffer = texteMit(s, t); // payment card, then stub
        ASSERT_EQ(treffer.size(), 2u) << t;
        EXPECT_NEAR(treffer[0]->x, x0 + 0.9, 1e-4) << t;
        EXPECT_NEAR(treffer[0]->y, yB + dy, 1e-4) << t;
    }
    ERWARTE_TEXT_BEI(s, "Anna Berg~c/o Meier 12345 Berlin", x0 + 0.9, yB + 7.3);
    // Stub: red heading at (14.4, 8.2), then the lines below it.
    const auto kopf = texteMit(s, "Nachnahme Nr. A-17");
    ASSERT_EQ(kopf.size(), 1u);
    EXPECT_NEAR(kopf[0]->x, 14.4, 1e-4);
    EXPECT_NEAR(kopf[0]->y, 8.2, 1e-4);
    EXPECT_EQ(kopf[0]->farbe, 0x0000FFu);
    for (const char* t :
         {"01.08.2000", "12,50 EUR", "Knt.Nr. 1234567", "BLZ     37050198", "c/o Meier", "Kunde #123"}) {
        auto treffer = texteMit(s, QString::fromUtf8(t));
        ASSERT_FALSE(treffer.empty()) << t;
        treffer.erase(treffer.begin(), treffer.end() - 1); // the stub comes last
        EXPECT_NEAR(treffer[0]->x, 14.4, 1e-4) << t;
        EXPECT_GT(treffer[0]->y, 8.2) << t;
        EXPECT_EQ(treffer[0]->schrift.groesse, 9) << t;
        EXPECT_EQ(treffer[0]->farbe, 0u) << t;
    }
    // Laser form: nothing but texts.
    for (const auto& op : s.operationen)
        EXPECT_EQ(op.art, DruckOperation::Text);
}

TEST_F(NachnahmeDruckTest, CentNieHundertUndBild)
{
    Nachnahme n = beispiel();
    n.preis = QStringLiteral("0");
    n.gebuehr = QStringLiteral("2,999");
    n.name = QStringLiteral("Ein sehr langer Empfängername GmbH & Co. KG");
    Nachnahme_Layout(n, QString(), 0.5, 1.2, QDate(2000, 8, 1), "/bild.gif", "", false);
    d->dokumentEnde();
    const auto& s = d->seiten().front();
    const double x0 = 0.5 - 0.9, yA = 1.2 + 7.7;
    ERWARTE_TEXT_BEI(s, "3", x0 + 5.2, yA + 3.9);
    ERWARTE_TEXT_BEI(s, "00", x0 + 8.6, yA + 3.9);
    EXPECT_EQ(texteMit(s, "0,00").size(), 1u);
    EXPECT_EQ(texteMit(s, "0,00 EUR").size(), 1u);
    const auto& bild = s.operationen.at(0);
    ASSERT_EQ(bild.art, DruckOperation::Bild);
    EXPECT_NEAR(bild.x, -0.2, 1e-4);
    EXPECT_NEAR(bild.y, 8.4, 1e-4);
    EXPECT_NEAR(bild.x2 - bild.x, 15, 1e-4);
    // A recipient too wide at 16 points is printed smaller, never below 12.
    const auto anfang = std::find_if(s.operationen.begin(), s.operationen.end(),
                                     [](const DruckOperation& op) { return op.text.startsWith("Ein sehr"); });
    ASSERT_NE(anfang, s.operationen.end());
    EXPECT_LT(anfang->schrift.groesse, 16);
    EXPECT_GE(anfang->schrift.groesse, 12);
    // The payment card cuts name and place to 54 characters.
    bool gekuerzt = false;
    for (const auto& op : s.operationen)
        gekuerzt |= op.text == (n.name + " " + n.ort).left(54);
    EXPECT_TRUE(gekuerzt);
}

TEST_F(ZahlungTest, NachnahmeAlsPdf)
{
    auto p = std::make_unique<zplatform::QtDrucker>(zplatform::pdfDruckerName);
    p->setPdfOrdner(wurzel.temp());
    zplatform::QtDrucker* d = p.get();
    zplatform::druckerSetzen(std::move(p));
    Nachnahme n = beispiel();
    n.name = QStringLiteral("Anna Pflaum~c/o Hoffmann");
    Nachnahme_Layout(n, QStringLiteral("Courier New"), 0, 0, QDate(2000, 8, 1), QString(), "123", true);
    const bool ok = d->dokumentEnde();
    const QString datei = d->letztePdfDatei();
    zplatform::druckerSetzen(nullptr);
    ASSERT_TRUE(ok);
    const QString text = pdfText(datei);
    ASSERT_FALSE(text.isEmpty()) << "pdftotext (poppler-utils)";
    // The characters as given: no "fl"/"ff" joined, no "Nr." as one sign.
    for (const char* t : {"Anna Pflaum", "c/o Hoffmann", "Versand GmbH", "Nachnahme Nr. A-17", "12,50 EUR",
                          "Kunde #123", "Knt.-Nr.", "Bestellung"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(t))) << t << "\n" << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("^\\s*Nr\\.\\s+A-17 \\("),
                                                 QRegularExpression::MultilineOption)))
        << text.toStdString();
    // Arial and Courier New are printed in their Liberation stand-ins.
    const QStringList schriften = pdfSchriften(datei);
    EXPECT_TRUE(schriften.contains(QStringLiteral("LiberationSans-Bold"))) << schriften.join(u',').toStdString();
    EXPECT_TRUE(schriften.contains(QStringLiteral("LiberationSans"))) << schriften.join(u',').toStdString();
    EXPECT_TRUE(schriften.contains(QStringLiteral("LiberationMono"))) << schriften.join(u',').toStdString();
}
