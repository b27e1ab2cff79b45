#include "common/qpro.h"
#include "support/testplattform.h"

#include <QFile>
#include <gtest/gtest.h>

// Readable QStrings in failure messages.
static void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

#include <cmath>

using namespace zcommon;

TEST(QPro, ZaehlenErsetzenVerdichten)
{
    EXPECT_EQ(InCount(QStringLiteral("aaaa"), QStringLiteral("aa")), 2); // without overlap
    EXPECT_EQ(InCount(QStringLiteral("a\r\nb\r\nc"), QStringLiteral("\r\n")), 2);
    EXPECT_EQ(InCount(QStringLiteral("(1+(2))"), QStringLiteral("(")), 2);
    EXPECT_EQ(InCount(QStringLiteral("abc"), QString()), 0);
    EXPECT_EQ(InCount(QStringLiteral("a\"b\""), QChar(u'"')), 2);

    QString t = QStringLiteral("MEIER");
    ReplaceChar(t, u'E', u'A');
    EXPECT_EQ(t, QStringLiteral("MAIAR"));
    EXPECT_EQ(Compact(QStringLiteral(" 1 + 2 * 3 ")), QStringLiteral("1+2*3"));
}

TEST(QPro, ZeichencodeKlammernUndRueckwaertssuche)
{
    EXPECT_EQ(ASCII(QStringLiteral("12%")), 37);
    EXPECT_EQ(ASCII(QStringLiteral("%1")), 49);
    EXPECT_EQ(ASCII(QString()), 0);
    EXPECT_EQ(ASCII(QStringLiteral("x€")), 128);

    EXPECT_EQ(PMatch(QStringLiteral("(1+2)*3")), 5);
    EXPECT_EQ(PMatch(QStringLiteral("((1)+(2))+(3)")), 9);
    EXPECT_EQ(PMatch(QStringLiteral("((1)")), 0);
    EXPECT_EQ(PMatch(QStringLiteral("1+(2)")), 0);

    const QString s = QStringLiteral("\"AB\"=\"CD\"");
    EXPECT_EQ(QInstrB(3, s, u'"'), 1);
    EXPECT_EQ(QInstrB(4, s, u'"'), 4);
    EXPECT_EQ(QInstrB(100, s, u'"'), 9);
    EXPECT_EQ(QInstrB(0, s, u'"'), 0);
    EXPECT_EQ(QInstrB(9, s, u'x'), 0);
}

TEST(QPro, FakultaetUndGanzzahlen)
{
    EXPECT_EQ(Factorial(0), 1.0);
    EXPECT_EQ(Factorial(1), 1.0);
    EXPECT_EQ(Factorial(5), 120.0);
    EXPECT_EQ(Factorial(20), 2432902008176640000.0);
    EXPECT_TRUE(std::isfinite(Factorial(170)));
    EXPECT_NEAR(Factorial(170) / 7.257415615307994e306, 1.0, 1e-15);
    EXPECT_EQ(Factorial(171), 0.0);
    EXPECT_EQ(MaxInt(-5, 3), 3);
    EXPECT_EQ(MinInt(-5, 3), -5);
    EXPECT_EQ(MaxInt(32767, -32768), 32767);
}

TEST(QPro, TagesnummerDateigroesseTasten)
{
    TestPlattform p;
    TempWurzel w;
    EXPECT_EQ(Date2Num(QStringLiteral("01.01.1900")), 2);
    EXPECT_EQ(Date2Num(QStringLiteral("02.07.2000")), 36709);
    EXPECT_EQ(Date2Num(QStringLiteral("kein Datum"), QDate(2000, 7, 3)), 36710);
    EXPECT_EQ(Date2Num(QStringLiteral("")), 36709); // today of the test clock
    EXPECT_EQ(Date2Num(QDate(2000, 7, 2)), 36709);

    w.schreiben(QStringLiteral("programm/Groesse.TXT"), QStringLiteral("12345"));
    EXPECT_EQ(FileSize(w.programm() + QStringLiteral("/groesse.txt")), 5);
    EXPECT_EQ(FileSize(w.programm() + QStringLiteral("/fehlt.txt")), 0);

    EXPECT_FALSE(ShiftKey());
    p.shift = true;
    p.ctrl = true;
    EXPECT_TRUE(ShiftKey());
    EXPECT_TRUE(CtrlKey());
    EXPECT_EQ(GetVol(QStringLiteral("C:")), QString());
}
