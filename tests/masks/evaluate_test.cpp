// The expression evaluator: the worked examples, its failure exit and the
// rules of its operands. Results are compared as the 15-digit texts the
// evaluator itself writes.

#include "masks/evaluate.h"

#include "testhilfe.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <clocale>

using zmasken::Evaluate;
using zmasken::ZahlText15;

namespace {

// The value as text, and whether the text passed in came back unchanged.
struct Auswertung
{
    QString wert;
    QString text;
};

Auswertung auswerten(const QString& ausdruck)
{
    QString text = ausdruck;
    const double wert = Evaluate(text);
    return {ZahlText15(wert), text};
}

void erwarteWert(const char* ausdruck, const char* wert)
{
    const QString a = QString::fromUtf8(ausdruck);
    const Auswertung e = auswerten(a);
    EXPECT_EQ(e.wert, QString::fromLatin1(wert)) << ausdruck;
    EXPECT_EQ(e.text, a) << ausdruck << ": the text must stay as it was";
}

void erwarteFehler(const QString& ausdruck)
{
    const Auswertung e = auswerten(ausdruck);
    EXPECT_EQ(e.wert, QStringLiteral("0")) << ausdruck.left(60).toStdString();
    EXPECT_EQ(e.text, ausdruck + u'%') << ausdruck.left(60).toStdString();
}

void erwarteFehler(const char* ausdruck)
{
    erwarteFehler(QString::fromUtf8(ausdruck));
}

} // namespace

TEST(ZahlText15, SchreibtFuenfzehnStellenWieDerEvaluator)
{
    EXPECT_EQ(ZahlText15(0.0), "0");
    EXPECT_EQ(ZahlText15(-0.0), "0");
    EXPECT_EQ(ZahlText15(2.5), "2.5");
    EXPECT_EQ(ZahlText15(-2.5), "-2.5");
    EXPECT_EQ(ZahlText15(0.1 + 0.2), "0.3");
    EXPECT_EQ(ZahlText15(1.0471975511965976), "1.0471975511966");
    EXPECT_EQ(ZahlText15(123456789012345.0), "123456789012345");
    EXPECT_EQ(ZahlText15(1e15), "1E+15");
    EXPECT_EQ(ZahlText15(0.0001), "0.0001");
    EXPECT_EQ(ZahlText15(0.00001), "1E-05");
    EXPECT_EQ(ZahlText15(-1.5e-300), "-1.5E-300");
}

TEST(Evaluate, GrundrechenartenUndDezimalkomma)
{
    erwarteWert("1,5+1", "2.5");
    erwarteWert("2 * 3", "6");
    erwarteWert("5-7*2", "-9");
    erwarteWert("1-2*-3", "7");
    erwarteWert("1-2+3", "2");
    erwarteWert("10/4", "2.5");
    erwarteWert("12,50*3", "37.5");
    erwarteWert("-5", "-5");
    erwarteWert("+5", "5");
    // Partial results carry 15 significant digits.
    erwarteWert("1/3*3", "0.999999999999999");
}

TEST(Evaluate, KonstantenNurWieGeschrieben)
{
    erwarteWert("2*PI", "6.28318530717959");
    erwarteWert("2*pi", "0");
    QString e = QStringLiteral("e");
    EXPECT_EQ(Evaluate(e), 2.718281828459045);
    // A lower-case "e" is the constant anywhere: exp(1) reads as 2.718...xp(1).
    QString exp = QStringLiteral("exp(1)");
    EXPECT_EQ(Evaluate(exp), 2.718281828459045);
    EXPECT_EQ(exp, "exp(1)");
    erwarteWert("EXP(1)", "2.71828182845905");
    // "@TODAY": the day number of the program's clock (day 1 is 31.12.1899).
    TestPlattform p;
    p.uhr = QDateTime(QDate(2000, 7, 2), QTime(10, 30));
    erwarteWert("@TODAY", "36709");
    p.uhr = QDateTime(QDate(2000, 7, 3), QTime(0, 0));
    erwarteWert("@TODAY+1", "36711");
}

TEST(Evaluate, PotenzenVonLinksMitVorzeichenAmGrundwert)
{
    erwarteWert("-2^2", "4");
    erwarteWert("10-2^2", "6");
    erwarteWert("2^3^2", "64");
    erwarteWert("2^-1", "0.5");
    erwarteWert("2*-3^2", "18");
}

TEST(Evaluate, GanzzahlDivisionUndRest)
{
    erwarteWert("7\\2", "3");
    erwarteWert("7.5\\2", "4");
    erwarteWert("-7\\2", "-3");
    erwarteWert("-7 MOD 3", "-1");
    erwarteWert("7MOD3", "1");
    erwarteFehler("7/0");
    erwarteFehler("7\\0");
    erwarteFehler("7 MOD 0");
    // A right operand that rounds to 0 divides by 0 too.
    erwarteFehler("5\\0.4");
    erwarteFehler("5MOD0.2");
    // Too large for a 32-bit whole number.
    erwarteFehler("3000000000\\2");
    erwarteFehler("-2147483648\\-1");
}

TEST(Evaluate, Fakultaet)
{
    erwarteWert("3!", "6");
    erwarteWert("0!", "1");
    erwarteWert("!", "1");
    erwarteWert("170!", "7.25741561530799E+306");
    erwarteWert("0170!", "7.25741561530799E+306");
    erwarteFehler("171!");
    erwarteFehler("12345!");
    erwarteWert("3!!", "720");
    erwarteWert("2--3", "5");
}

TEST(Evaluate, Klammern)
{
    erwarteWert("(1+2)*(3+4)", "21");
    erwarteWert("((2))", "2");
    erwarteWert("(+5)", "5");
    erwarteWert("2*(3+(4-1)*2)", "18");
    // A group that is just a number stays as written, "+" included; any other
    // group becomes the text of its value.
    erwarteWert("2(+5)", "7");
    erwarteWert("2(1+4)", "25");
    erwarteWert("3-(+5)", "-2");
    erwarteFehler("(1+2");
    erwarteFehler("1+2)");
    erwarteFehler(")1+2(");
    erwarteFehler("(1))+((2");
    // A failing group fails the whole expression, marked once.
    QString text = QStringLiteral("2*(1/0)");
    EXPECT_EQ(Evaluate(text), 0.0);
    EXPECT_EQ(text, "2*(1/0)%");
}

TEST(Evaluate, Funktionen)
{
    erwarteWert("ARCCOS(0.5)", "1.0471975511966");
    erwarteWert("ARCCOS(0.5)", "1.0471975511966");
    erwarteWert("ARCSEC(2)", "0.857071947850131");
    erwarteWert("ARCSEC(-2)", "-2.42786827464503");
    erwarteWert("SIN(0)", "0");
    erwarteWert("sin0.5", "0.479425538604203");
    erwarteWert("SQR(16)", "4");
    erwarteWert("SQR16+1", "5");
    erwarteWert("NOT 0", "-1");
    erwarteWert("NOT(1=1)", "0");
    erwarteWert("NOT1=1", "0");
    erwarteWert("ABS(-3)", "3");
    erwarteWert("CLG(1000)", "3");
    erwarteWert("LOG(1)", "0");
    erwarteWert("ATN(1)*4", "3.14159265358979");
    erwarteWert("ARCSINH(0.5)", "0.481211825059603");
    erwarteWert("COTH(1)", "1.31303528549933");
    erwarteFehler("COT(0)");
    erwarteFehler("SQR(-1)");
    erwarteFehler("LOG(0)");
    erwarteFehler("CLG(-1)");
    erwarteFehler("COTH(0)");
    erwarteFehler("CSC(0)");
    erwarteFehler("ARCCOS(2)");
    erwarteFehler("ARCSEC(1)");
    // No finite value although the table's tests pass.
    erwarteFehler("ARCCOSH(-2)");
    erwarteFehler("ARCTANH(2)");
    erwarteFehler("ARCSIN(1)");
    erwarteFehler("ARCSECH(0)");
    erwarteFehler("CSCH(0)");
    erwarteFehler("EXP(1000)");
    erwarteFehler("SINH(1000)");
    erwarteFehler("NOT 3000000000");
}

TEST(Evaluate, VergleicheUndLogik)
{
    erwarteWert("1<2", "-1");
    erwarteWert("2>3", "0");
    erwarteWert("2=2", "-1");
    erwarteWert("\"abc\"=\"ABC\"", "-1");
    erwarteWert("\"abc\"<\"abd\"", "-1");
    erwarteWert("\"Äb\"=\"äB\"", "-1");
    erwarteWert("1<=2", "0");
    erwarteWert("(1=1)AND(2=2)", "-1");
    erwarteWert("1OR2", "3");
    erwarteWert("6AND3", "2");
    erwarteWert("1=1 OR 1=2", "-1");
    erwarteFehler("=1");
    erwarteFehler("\"a\"=1");
    erwarteFehler("\"a\"=\"b");
    erwarteFehler("3000000000 AND 1");
}

TEST(Evaluate, ExponentBuchstabeNurDirektHinterZiffer)
{
    // "E" and "D" of AND, MOD and friends never belong to a number.
    erwarteWert("5AND3+1", "4");
    erwarteWert("5MOD2^2", "1");
    erwarteWert("5AND3-1", "0");
    erwarteWert("5AND-3*2", "0");
    // Numbers with exponents.
    erwarteWert("1E+5+1", "100001");
    erwarteWert("1E-5-1", "-0.99999");
    erwarteWert("2E3*2", "4000");
    erwarteWert("2D3+1", "2001");
    erwarteWert("1E15*10", "1E+16");
}

TEST(Evaluate, OhneFehlerAberOhneSinn)
{
    erwarteWert("5*", "5");
    erwarteWert("", "0");
    erwarteWert("abc", "0");
    erwarteWert("   ", "0");
    erwarteWert("12abc", "12");
}

TEST(Evaluate, Fehlerausgang)
{
    erwarteFehler("5%");
    erwarteFehler("*5");
    erwarteFehler("^2");
    erwarteFehler("/2");
    erwarteFehler("MOD2");
    erwarteFehler("1E400");
    erwarteFehler("1E400*0");
    erwarteFehler("1E308*10");
    erwarteFehler("(-8)^(1/3)");
    erwarteFehler("0^-1");
    erwarteFehler(QString(32768, u'1'));
    erwarteWert("1E-400", "0");
}

TEST(Evaluate, VorzeichenfolgenUndLangeAusdruecke)
{
    erwarteWert("2*--3", "6");
    erwarteWert("1---1", "0");
    erwarteWert("1+-+-1", "2");
    QString summe;
    for (int i = 0; i < 16000; ++i)
        summe += QStringLiteral("1+");
    erwarteWert(qPrintable(summe + u'1'), "16001");
    erwarteWert(qPrintable(QString(32000, u'-') + u'7'), "7");
}

TEST(Evaluate, TiefeVerschachtelungOhneAbsturz)
{
    const int tiefe = 500;
    erwarteWert(qPrintable(QString(tiefe, u'(') + u'1' + QString(tiefe, u')')), "1");
    erwarteFehler(QString(5000, u'(') + u'1' + QString(5000, u')'));
}

TEST(Evaluate, UnabhaengigVomGebietsschema)
{
    const QLocale alt;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const char* c = std::setlocale(LC_NUMERIC, nullptr);
    const std::string vorher = c ? c : "C";
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    erwarteWert("1,5+1", "2.5");
    erwarteWert("1.5*2", "3");
    erwarteWert("ARCCOS(0,5)", "1.0471975511966");
    std::setlocale(LC_NUMERIC, vorher.c_str());
    QLocale::setDefault(alt);
}
