// The expression evaluator: the worked examples, its failure exit and the
// rules of its operands. Results are compared as the 15-digit texts the
// evaluator itself writes.

#include "masks/evaluate.h"

#include "testhilfe.h"

#include <QLocale>

#include <clocale>

using zmasken::Evaluate;
using zmasken::ZahlText15;

namespace {

// Each expression gives the value (as 15-digit text) and stays as it was.
void erwarteWerte(std::initializer_list<std::pair<QString, const char*>> faelle)
{
    for (const auto& [ausdruck, wert] : faelle) {
        QString text = ausdruck;
        EXPECT_EQ(ZahlText15(Evaluate(text)), QString::fromLatin1(wert)) << ausdruck.left(60).toStdString();
        EXPECT_EQ(text, ausdruck) << ausdruck.left(60).toStdString() << ": the text must stay as it was";
    }
}

// Each expression takes the failure exit: 0, and one "%" appended.
void erwarteFehler(std::initializer_list<QString> ausdruecke)
{
    for (const QString& ausdruck : ausdruecke) {
        QString text = ausdruck;
        EXPECT_EQ(ZahlText15(Evaluate(text)), "0") << ausdruck.left(60).toStdString();
        EXPECT_EQ(text, ausdruck + u'%') << ausdruck.left(60).toStdString();
    }
}

} // namespace

TEST(ZahlText15, SchreibtFuenfzehnStellenWieDerEvaluator)
{
    // clang-format off
    const std::pair<double, const char*> faelle[] = {
        {0.0, "0"}, {-0.0, "0"}, {2.5, "2.5"}, {-2.5, "-2.5"}, {0.1 + 0.2, "0.3"},
        {1.0471975511965976, "1.0471975511966"}, {123456789012345.0, "123456789012345"}, {1e15, "1E+15"},
        {0.0001, "0.0001"}, {0.00001, "1E-05"}, {-1.5e-300, "-1.5E-300"}};
    // clang-format on
    for (const auto& [zahl, text] : faelle)
        EXPECT_EQ(ZahlText15(zahl), text) << zahl;
}

TEST(Evaluate, RechenartenVorzeichenUndZahlen)
{
    // clang-format off
    erwarteWerte({
        {"1,5+1", "2.5"}, {"2 * 3", "6"}, {"5-7*2", "-9"}, {"1-2*-3", "7"}, {"1-2+3", "2"}, {"10/4", "2.5"},
        {"12,50*3", "37.5"}, {"-5", "-5"}, {"+5", "5"},
        {"1/3*3", "0.999999999999999"},                 // partial results carry 15 significant digits
        // Powers from the left, a sign in front of the base belongs to it.
        {"-2^2", "4"}, {"10-2^2", "6"}, {"2^3^2", "64"}, {"2^-1", "0.5"}, {"2*-3^2", "18"},
        {"7\\2", "3"}, {"7.5\\2", "4"}, {"-7\\2", "-3"}, {"-7 MOD 3", "-1"}, {"7MOD3", "1"},
        {"3!", "6"}, {"0!", "1"}, {"!", "1"}, {"170!", "7.25741561530799E+306"}, {"0170!", "7.25741561530799E+306"},
        {"3!!", "720"}, {"2--3", "5"}, {"2*--3", "6"}, {"1---1", "0"}, {"1+-+-1", "2"},
        // "E" and "D" of AND and MOD never belong to a number; after a digit they are exponents.
        {"5AND3+1", "4"}, {"5MOD2^2", "1"}, {"5AND3-1", "0"}, {"5AND-3*2", "0"},
        {"1E+5+1", "100001"}, {"1E-5-1", "-0.99999"}, {"2E3*2", "4000"}, {"2D3+1", "2001"}, {"1E15*10", "1E+16"},
        {"1E-400", "0"},
        // No failure, but no sense either.
        {"5*", "5"}, {"", "0"}, {"abc", "0"}, {"   ", "0"}, {"12abc", "12"}});
    erwarteFehler({
        "7/0", "7\\0", "7 MOD 0",
        "5\\0.4", "5MOD0.2",                            // a right operand that rounds to 0
        "3000000000\\2", "-2147483648\\-1",             // too large for a 32-bit whole number
        "171!", "12345!", "5%", "*5", "^2", "/2", "MOD2", "1E400", "1E400*0", "1E308*10", "(-8)^(1/3)", "0^-1"});
    // clang-format on
}

// Runs of minus signs where an operand is due are its sign, however long the
// run; a decimal comma ends its number also before a sign, and "12,-" is the
// whole amount written the German way.
TEST(Evaluate, MinusketteUndGanzerBetrag)
{
    // clang-format off
    erwarteWerte({
        {"---2", "-2"}, {"----2", "2"}, {"5*---2", "-10"}, {"5*--2", "10"}, {"3/---2", "-1.5"},
        {"--(-813)", "-813"}, {"-----(7)", "-7"}, {"+---2", "-2"}, {"1E---2", "0.01"}, {"2---(1-4)", "5"},
        // After an operand the first sign stays the operator.
        {"5---2", "3"}, {"5+---2", "3"}, {"5-+2", "3"}, {"-2*---3", "6"},
        {"12,-3", "9"}, {"12,- + 3,50", "15.5"}, {"12,- - 3,50", "8.5"}, {"12,-- + 3,50", "15.5"},
        {"12,-", "12"}, {"12,--", "12"}, {"(12,-)*2", "24"}, {"12,-*2", "24"}, {"12,-(2)", "10"},
        {"12,+3", "15"}, {"12,+-3", "9"}, {"1.-1", "0"}});
    // clang-format on
    // What stays as the rules have it: a lone "+-" where an operand is due
    // reads as a "+" without digits; division by zero fails.
    erwarteWerte({{"+-2", "0"}});
    erwarteFehler({"3/--0", "3/---0"});
}

TEST(Evaluate, KlammernFunktionenUndVergleiche)
{
    // clang-format off
    erwarteWerte({
        {"(1+2)*(3+4)", "21"}, {"((2))", "2"}, {"(+5)", "5"}, {"2*(3+(4-1)*2)", "18"},
        // A group that is just a number stays as written, "+" included; any
        // other group becomes the text of its value.
        {"2(+5)", "7"}, {"2(1+4)", "25"}, {"3-(+5)", "-2"},
        {"ARCCOS(0.5)", "1.0471975511966"}, {"ARCCOS(0.5)", "1.0471975511966"}, {"ARCSEC(2)", "0.857071947850131"},
        {"ARCSEC(-2)", "-2.42786827464503"}, {"SIN(0)", "0"}, {"sin0.5", "0.479425538604203"}, {"SQR(16)", "4"},
        {"SQR16+1", "5"}, {"NOT 0", "-1"}, {"NOT(1=1)", "0"}, {"NOT1=1", "0"}, {"ABS(-3)", "3"}, {"CLG(1000)", "3"},
        {"LOG(1)", "0"}, {"ATN(1)*4", "3.14159265358979"}, {"ARCSINH(0.5)", "0.481211825059603"},
        {"COTH(1)", "1.31303528549933"},
        {"1<2", "-1"}, {"2>3", "0"}, {"2=2", "-1"}, {"\"abc\"=\"ABC\"", "-1"}, {"\"abc\"<\"abd\"", "-1"},
        {"\"Äb\"=\"äB\"", "-1"}, {"1<=2", "0"}, {"(1=1)AND(2=2)", "-1"}, {"1OR2", "3"}, {"6AND3", "2"},
        {"1=1 OR 1=2", "-1"}});
    erwarteFehler({
        "(1+2", "1+2)", ")1+2(", "(1))+((2",
        "2*(1/0)",                                      // a failing group fails the whole, marked once
        "COT(0)", "SQR(-1)", "LOG(0)", "CLG(-1)", "COTH(0)", "CSC(0)", "ARCCOS(2)", "ARCSEC(1)",
        // No finite value although the function table's tests pass.
        "ARCCOSH(-2)", "ARCTANH(2)", "ARCSIN(1)", "ARCSECH(0)", "CSCH(0)", "EXP(1000)", "SINH(1000)",
        "NOT 3000000000", "=1", "\"a\"=1", "\"a\"=\"b", "3000000000 AND 1"});
    // clang-format on
}

TEST(Evaluate, KonstantenNurWieGeschrieben)
{
    erwarteWerte({{"2*PI", "6.28318530717959"}, {"2*pi", "0"}, {"EXP(1)", "2.71828182845905"}});
    QString e = "e";
    EXPECT_EQ(Evaluate(e), 2.718281828459045);
    // A lower-case "e" is the constant anywhere: exp(1) reads as 2.718...xp(1).
    QString exp = "exp(1)";
    EXPECT_EQ(Evaluate(exp), 2.718281828459045);
    EXPECT_EQ(exp, "exp(1)");
    // "@TODAY": the day number of the program's clock (day 1 is 31.12.1899).
    TestPlattform p;
    p.uhr = QDateTime(QDate(2000, 7, 2), QTime(10, 30));
    erwarteWerte({{"@TODAY", "36709"}});
    p.uhr = QDateTime(QDate(2000, 7, 3), QTime(0, 0));
    erwarteWerte({{"@TODAY+1", "36711"}});
}

TEST(Evaluate, LangeUndTiefVerschachtelteAusdrueckeOhneAbsturz)
{
    erwarteWerte({{QStringLiteral("1+").repeated(16000) + u'1', "16001"},
                  {QString(32000, u'-') + u'7', "7"},
                  {QString(500, u'(') + u'1' + QString(500, u')'), "1"}});
    erwarteFehler({QString(32768, u'1'), QString(5000, u'(') + u'1' + QString(5000, u')')});
}

TEST(Evaluate, UnabhaengigVomGebietsschema)
{
    const QLocale alt;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const char* c = std::setlocale(LC_NUMERIC, nullptr);
    const std::string vorher = c ? c : "C";
    // The German locale is made by scripts/setup.sh; without it the test proves nothing.
    ASSERT_NE(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"), nullptr) << "de_DE.UTF-8 fehlt: scripts/setup.sh ausführen";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    erwarteWerte({{"1,5+1", "2.5"}, {"1.5*2", "3"}, {"ARCCOS(0,5)", "1.0471975511966"}});
    std::setlocale(LC_NUMERIC, vorher.c_str());
    QLocale::setDefault(alt);
}
