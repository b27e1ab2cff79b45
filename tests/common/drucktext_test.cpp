// Text in a rectangle, footer and emblem on the recording printer.
#include "common/drucktext.h"
#include "common/ini.h"
#include "platform/ui/aufzeichnungsdrucker.h"
#include "testhilfe.h"

using namespace zcommon;
using zplatform::AufzeichnungsDrucker;
using zplatform::DruckOperation;

namespace {

struct DruckText : ::testing::Test
{
    AufzeichnungsDrucker* drucker = new AufzeichnungsDrucker;
    void SetUp() override
    {
        zplatform::druckerSetzen(std::unique_ptr<AufzeichnungsDrucker>(drucker));
        drucker->schrift.name = "Arial";
        drucker->schrift.groesse = 10;
    }
    std::vector<DruckOperation> texte() const
    {
        std::vector<DruckOperation> ops;
        for (const auto& seite : drucker->seiten())
            for (const auto& op : seite.operationen)
                if (op.art == DruckOperation::Text)
                    ops.push_back(op);
        return ops;
    }
    QStringList zeilen() const
    {
        QStringList z;
        for (const auto& op : texte())
            z << op.text;
        return z;
    }
};

} // namespace

TEST_F(DruckText, UmbruchAnBlanksInnerhalbDerGrenzenUndRest)
{
    const QString ganz = "Sehr geehrte Damen und Herren, hiermit bestätigen wir Ihren Auftrag "
                         "vom 02.07.2000 und bedanken uns herzlich für Ihr Vertrauen.";
    QString text = ganz;
    EXPECT_EQ(Text_ImRechteckDrucken(text, 2.0, 3.0, 8.0, 20.0), QString());
    EXPECT_EQ(text, QString());
    const auto ops = texte();
    ASSERT_GT(ops.size(), 2u);
    double y = 0;
    for (const auto& op : ops) {
        EXPECT_DOUBLE_EQ(op.x, 2.0);
        EXPECT_GT(op.y, y - 1e-9);
        y = op.y;
        drucker->schrift = op.schrift;
        EXPECT_LE(2.0 + drucker->textBreite(op.text), 8.0 + 1e-9) << op.text.toStdString();
        EXPECT_FALSE(op.text.endsWith(u' '));
    }
    EXPECT_DOUBLE_EQ(ops.front().y, 3.0);
    // Nothing lost: the lines joined by blanks are the text.
    EXPECT_EQ(zeilen().join(u' '), ganz);

    // Where the room runs out the rest is given back.
    drucker->abbrechen();
    const double h = drucker->textHoehe("ABCxyz");
    text = "eins zwei drei vier fünf sechs sieben acht neun zehn";
    // Room for two lines of two words each.
    const double unten = 1.0 + 2 * h + h / 2;
    const QString rest = Text_ImRechteckDrucken(text, 1.0, 1.0, 1.0 + drucker->textBreite("eins zwei"), unten);
    EXPECT_EQ(zeilen(), QStringList({"eins zwei", "drei vier"}));
    EXPECT_EQ(rest, "fünf sechs sieben acht neun zehn");
    EXPECT_EQ(text, rest);
    for (const auto& op : texte())
        EXPECT_LE(op.y + h, unten + 1e-9);
}

TEST_F(DruckText, LangesWortWirdZeichenweiseGebrochen)
{
    QString text = "Donaudampfschifffahrtsgesellschaftskapitän ist lang";
    const double rechts = 1.0 + drucker->textBreite("Donaudampf");
    Text_ImRechteckDrucken(text, 1.0, 1.0, rechts, 25.0);
    const QStringList z = zeilen();
    ASSERT_GE(z.size(), 4);
    for (const QString& zeile : z) {
        EXPECT_LE(1.0 + drucker->textBreite(zeile), rechts + 1e-9) << zeile.toStdString();
        EXPECT_FALSE(zeile.isEmpty());
    }
    EXPECT_EQ(z.join(QString()).remove(u' '), "Donaudampfschifffahrtsgesellschaftskapitänistlang");

    // Too narrow for a single character: nothing is printed, all is left.
    drucker->abbrechen();
    text = "W";
    EXPECT_EQ(Text_ImRechteckDrucken(text, 1.0, 1.0, 1.01, 10.0), "W");
    EXPECT_TRUE(texte().empty());
}

TEST_F(DruckText, ZeilenumbruecheBindestricheUndVorgaben)
{
    QString text = "Zeile eins\r\n\r\nZeile drei\nMüller-Lüdenscheidt\r\n";
    EXPECT_EQ(Text_ImRechteckDrucken(text, 1.0, 1.0, 1.0 + drucker->textBreite("Lüdenscheidtxx"), -1), QString());
    // The empty line is printed as a gap (no text operation).
    EXPECT_EQ(zeilen(), QStringList({"Zeile eins", "Zeile drei", "Müller-", "Lüdenscheidt"}));
    const auto ops = texte();
    const double h = drucker->textHoehe("ABCxyz");
    EXPECT_NEAR(ops[1].y - ops[0].y, 2 * h, 1e-9);

    // Without bounds: the page less 1 cm on the right, the page less two lines at the bottom.
    drucker->dokumentEnde();
    QString lang;
    for (int i = 0; i < 3000; ++i)
        lang += QStringLiteral("Wort%1 ").arg(i);
    const QString rest = Text_ImRechteckDrucken(lang, 0, 0);
    EXPECT_TRUE(rest.startsWith("Wort"));
    for (const auto& op : texte()) {
        EXPECT_LE(drucker->textBreite(op.text), drucker->scaleWidth() - 1 + 1e-9);
        EXPECT_LE(op.y + h, drucker->scaleHeight() - 2 * drucker->textHoehe("Ay") + 1e-9);
    }
}

TEST_F(DruckText, FusszeileUndEmblem)
{
    TestPlattform p;
    TempWurzel w;
    drucker->schrift.name = "Times New Roman";
    Fusszeile_Drucken(2.0);
    auto ops = texte();
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].text, "Zettlora " ZETTLORA_VERSION " \u00b7 Ausdruck vom 02.07.2000");
    EXPECT_EQ(ops[0].schrift.name, "Arial");
    EXPECT_DOUBLE_EQ(ops[0].x, 2.0);
    EXPECT_GT(ops[0].y, drucker->scaleHeight() - 3.0);
    EXPECT_LT(ops[0].y, drucker->scaleHeight());
    EXPECT_EQ(drucker->schrift.name, "Times New Roman"); // the caller's font is kept

    Ini_Schreiben(QString(), QString(), "Fusszeile", "0");
    Fusszeile_Drucken(2.0);
    EXPECT_EQ(texte().size(), 1u);

    drucker->currentX = 3.0;
    drucker->currentY = 4.0;
    Emblem_Drucken(2.0);
    ops = texte();
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[1].text, "Zettlora");
    EXPECT_DOUBLE_EQ(ops[1].schrift.groesse, 28.0);
    EXPECT_TRUE(ops[1].schrift.fett);
    EXPECT_DOUBLE_EQ(ops[1].x, 3.0);
    EXPECT_DOUBLE_EQ(drucker->currentX, 3.0);
    EXPECT_GT(drucker->currentY, 4.0);
}
