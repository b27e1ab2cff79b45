// The small library helpers.
#include "common/qpro.h"
#include "testhilfe.h"

#include <cmath>

using namespace zcommon;

TEST(QPro, ZaehlenErsetzenKlammernSuchenFakultaet)
{
    EXPECT_EQ(InCount("aaaa", QStringLiteral("aa")), 2); // without overlap
    EXPECT_EQ(InCount("a\r\nb\r\nc", QStringLiteral("\r\n")), 2);
    EXPECT_EQ(InCount("(1+(2))", QStringLiteral("(")), 2);
    EXPECT_EQ(InCount("abc", QString()), 0);
    EXPECT_EQ(InCount("a\"b\"", QChar(u'"')), 2);
    QString t = "MEIER";
    ReplaceChar(t, u'E', u'A');
    EXPECT_EQ(t, "MAIAR");
    EXPECT_EQ(Compact(" 1 + 2 * 3 "), "1+2*3");

    EXPECT_EQ(ASCII("12%"), 37);
    EXPECT_EQ(ASCII("%1"), 49);
    EXPECT_EQ(ASCII(QString()), 0);
    EXPECT_EQ(ASCII("x€"), 128);
    for (const auto& [text, stelle] :
         {std::pair<const char*, int>{"(1+2)*3", 5}, {"((1)+(2))+(3)", 9}, {"((1)", 0}, {"1+(2)", 0}})
        EXPECT_EQ(PMatch(text), stelle) << text;
    const QString s = "\"AB\"=\"CD\"";
    for (const auto& [start, stelle] : {std::pair{3, 1}, {4, 4}, {100, 9}, {0, 0}})
        EXPECT_EQ(QInstrB(start, s, u'"'), stelle) << start;
    EXPECT_EQ(QInstrB(9, s, u'x'), 0);

    for (const auto& [n, wert] : {std::pair{0, 1.0}, {1, 1.0}, {5, 120.0}, {20, 2432902008176640000.0}, {171, 0.0}})
        EXPECT_EQ(Factorial(n), wert) << n;
    EXPECT_TRUE(std::isfinite(Factorial(170)));
    EXPECT_NEAR(Factorial(170) / 7.257415615307994e306, 1.0, 1e-15);
    EXPECT_EQ(MaxInt(-5, 3), 3);
    EXPECT_EQ(MinInt(-5, 3), -5);
    EXPECT_EQ(MaxInt(32767, -32768), 32767);
}

TEST(QPro, TagesnummerDateigroesseTasten)
{
    TestPlattform p;
    TempWurzel w;
    EXPECT_EQ(Date2Num("01.01.1900"), 2);
    EXPECT_EQ(Date2Num("02.07.2000"), 36709);
    EXPECT_EQ(Date2Num("kein Datum", QDate(2000, 7, 3)), 36710);
    EXPECT_EQ(Date2Num(""), 36709); // today of the test clock
    EXPECT_EQ(Date2Num(QDate(2000, 7, 2)), 36709);

    w.schreiben("programm/Groesse.TXT", "12345");
    EXPECT_EQ(FileSize(w.programm() + "/groesse.txt"), 5);
    EXPECT_EQ(FileSize(w.programm() + "/fehlt.txt"), 0);

    EXPECT_FALSE(ShiftKey() || CtrlKey());
    p.shift = p.ctrl = true;
    EXPECT_TRUE(ShiftKey() && CtrlKey());
    EXPECT_EQ(GetVol("C:"), QString());
}
