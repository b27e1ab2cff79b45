#include "common/woerter.h"

#include <QStringList>
#include <gtest/gtest.h>

// Readable QStrings in failure messages.
static void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

using namespace zcommon;

TEST(Woerter, LeereWoerterUndStandardTrenner)
{
    Woerter_Zerlegen(QStringLiteral(" eins//zwei,drei;vier|fuenf\tsechs\r\nsieben "));
    ASSERT_EQ(WortAnzahl, 7);
    EXPECT_EQ(Wort[1], QStringLiteral("eins"));
    EXPECT_EQ(Wort[2], QStringLiteral("zwei"));
    EXPECT_EQ(Wort[7], QStringLiteral("sieben"));
    EXPECT_TRUE(Wort[8].isEmpty());

    Woerter_Zerlegen(QStringLiteral("a;;b;"), QStringLiteral(";"));
    ASSERT_EQ(WortAnzahl, 2);
    EXPECT_EQ(Wort[2], QStringLiteral("b"));
    EXPECT_TRUE(Wort[3].isEmpty()); // the former words are cleared

    Woerter_Zerlegen(QString());
    EXPECT_EQ(WortAnzahl, 0);
    Woerter_Zerlegen(QStringLiteral("a b"), QStringLiteral(";")); // no separator in the text
    ASSERT_EQ(WortAnzahl, 1);
    EXPECT_EQ(Wort[1], QStringLiteral("a b"));
}

TEST(Woerter, AbDemHundertstenWortBleibtPlatz99)
{
    QStringList teile;
    for (int i = 1; i <= 120; ++i)
        teile << QString::number(i);
    Woerter_Zerlegen(teile.join(u' '));
    EXPECT_EQ(WortAnzahl, 99);
    EXPECT_EQ(Wort[98], QStringLiteral("98"));
    EXPECT_EQ(Wort[99], QStringLiteral("120"));
}

TEST(Woerter, WortParameter)
{
    Woerter_Zerlegen(QStringLiteral("programm Datei=adressen.dat suche=Meier readonly DATEI=zweite"),
                     QStringLiteral(" "));
    EXPECT_EQ(Wort_Parameter(QStringLiteral("datei=")), QStringLiteral("adressen.dat"));
    EXPECT_EQ(Wort_Parameter(QStringLiteral("SUCHE=")), QStringLiteral("Meier"));
    EXPECT_EQ(Wort_Parameter(QStringLiteral("readonly")), QString());
    EXPECT_EQ(Wort_Parameter(QStringLiteral("fehlt=")), QString());
}
