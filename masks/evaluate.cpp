#include "masks/evaluate.h"

#include "common/qpro.h"
#include "common/texte.h"
#include "platform/codec.h"

#include <QDate>
#include <QDateTime>

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace zmasken {

namespace {

// Leaving through the one failure exit: Evaluate catches it, appends "%" and gives 0.
struct Fehlschlag
{
};

[[noreturn]] void scheitern()
{
    throw Fehlschlag{};
}

constexpr qsizetype MaxLaenge = 32767;
// Deeper nesting of brackets than any amount field needs; it would only eat the stack.
constexpr int MaxTiefe = 1000;
constexpr double PiHalbe = 1.5707963267948966; // 2 * arctan(1)
constexpr double Ln10 = 2.302585092994046;

inline bool istZiffer(QChar c)
{
    return c >= u'0' && c <= u'9';
}

inline bool istZifferOderPunkt(QChar c)
{
    return istZiffer(c) || c == u'.';
}

inline bool istExponentBuchstabe(QChar c)
{
    return c == u'E' || c == u'D' || c == u'e' || c == u'd';
}

inline bool istVorzeichen(QChar c)
{
    return c == u'+' || c == u'-';
}

// An "E" or "D" at position i is an exponent letter only when a digit or "."
// stands directly before it; otherwise it is part of a word such as AND or MOD.
inline bool istExponentAn(const QString& t, qsizetype i)
{
    return i > 0 && (t.at(i) == u'E' || t.at(i) == u'D') && istZifferOderPunkt(t.at(i - 1));
}

// --- numbers as text ------------------------------------------------------------------------

double zahlLesen(QStringView s, bool* ueberlauf)
{
    if (ueberlauf)
        *ueberlauf = false;
    const qsizetype n = s.size();
    qsizetype i = 0;
    std::string puffer;
    puffer.reserve(32);
    if (i < n && istVorzeichen(s.at(i))) {
        if (s.at(i) == u'-')
            puffer += '-';
        ++i;
    }
    const std::size_t mantisseAnfang = puffer.size();
    bool ziffern = false;
    while (i < n && istZiffer(s.at(i))) {
        puffer += char(s.at(i).unicode());
        ziffern = true;
        ++i;
    }
    if (i < n && s.at(i) == u'.') {
        puffer += '.';
        ++i;
        while (i < n && istZiffer(s.at(i))) {
            puffer += char(s.at(i).unicode());
            ziffern = true;
            ++i;
        }
    }
    if (!ziffern)
        return 0.0;
    const std::string mantisse = puffer.substr(mantisseAnfang);

    // Exponent: "E" or "D", an optional sign and at least one digit.
    long long exponent = 0;
    if (i < n && istExponentBuchstabe(s.at(i))) {
        qsizetype j = i + 1;
        bool negativ = false;
        if (j < n && istVorzeichen(s.at(j))) {
            negativ = s.at(j) == u'-';
            ++j;
        }
        bool expZiffern = false;
        while (j < n && istZiffer(s.at(j))) {
            expZiffern = true;
            if (exponent < 100000000)
                exponent = exponent * 10 + (s.at(j).unicode() - u'0');
            ++j;
        }
        if (expZiffern && negativ)
            exponent = -exponent;
        if (!expZiffern)
            exponent = 0;
    }

    // Where the leading digit stands: the value is about 10^(groesse - 1).
    const std::size_t punkt = mantisse.find('.') == std::string::npos ? mantisse.size() : mantisse.find('.');
    const std::size_t erste = mantisse.find_first_of("123456789");
    if (erste == std::string::npos)
        return 0.0;
    long long groesse = erste < punkt ? (long long)(punkt - erste) : -(long long)(erste - punkt - 1);
    groesse += exponent;
    if (groesse > 400) {
        if (ueberlauf)
            *ueberlauf = true;
        return 0.0;
    }
    if (groesse < -400)
        return 0.0;

    if (exponent != 0) {
        puffer += 'e';
        puffer += std::to_string(exponent);
    }
    double wert = 0.0;
    const auto r = std::from_chars(puffer.data(), puffer.data() + puffer.size(), wert);
    if (r.ec == std::errc::result_out_of_range) {
        if (groesse > 0 && ueberlauf)
            *ueberlauf = true;
        return 0.0;
    }
    if (r.ec != std::errc() || !std::isfinite(wert)) {
        if (ueberlauf)
            *ueberlauf = true;
        return 0.0;
    }
    return wert == 0.0 ? 0.0 : wert;
}

// Reads a number that must fit: an overflow takes the failure exit.
double lesen(QStringView s)
{
    bool ueberlauf = false;
    const double wert = zahlLesen(s, &ueberlauf);
    if (ueberlauf)
        scheitern();
    return wert;
}

// A result that is not finite has no defined value.
QString ergebnisText(double wert)
{
    if (!std::isfinite(wert))
        scheitern();
    return ZahlText15(wert);
}

// The text is a plain number: written back it gives the text itself (or the
// text without its leading "+").
bool istZahlText(const QString& t, double* wert)
{
    if (t.isEmpty())
        return false;
    const double v = lesen(t);
    const QString geschrieben = ZahlText15(v);
    if (t == geschrieben ||
        (t.size() == geschrieben.size() + 1 && t.at(0) == u'+' && QStringView(t).mid(1) == geschrieben)) {
        *wert = v;
        return true;
    }
    return false;
}

// --- operands ------------------------------------------------------------------------------

struct Operand
{
    double wert = 0.0;
    qsizetype von = 0; // first character
    qsizetype bis = 0; // one behind the last character
};

// The number that starts at position start: an optional sign, digits, at most
// one ".", at most one exponent letter (directly after a digit or ".") which
// may be followed by a sign.
Operand rechterOperand(const QString& t, qsizetype start)
{
    const qsizetype n = t.size();
    qsizetype i = start;
    if (i < n && istVorzeichen(t.at(i)))
        ++i;
    bool punkt = false;
    bool exponent = false;
    while (i < n) {
        const QChar c = t.at(i);
        if (istZiffer(c)) {
            ++i;
        } else if (c == u'.' && !punkt && !exponent) {
            punkt = true;
            ++i;
        } else if ((c == u'E' || c == u'D') && !exponent && i > start && istZifferOderPunkt(t.at(i - 1))) {
            exponent = true;
            ++i;
            if (i < n && istVorzeichen(t.at(i)))
                ++i;
        } else {
            break;
        }
    }
    Operand o;
    o.von = start;
    o.bis = i;
    o.wert = lesen(QStringView(t).mid(start, i - start));
    return o;
}

// The number that ends just before position p, read leftwards: digits, ".",
// one exponent letter (with the sign behind it), and a sign of its own unless
// that sign is the operator before it (a sign preceded by a digit or ".").
Operand linkerOperand(const QString& t, qsizetype p)
{
    qsizetype i = p - 1;
    bool exponent = false;
    while (i >= 0) {
        const QChar c = t.at(i);
        if (istZifferOderPunkt(c)) {
            --i;
            continue;
        }
        if (c == u'E' || c == u'D') {
            if (!exponent && istExponentAn(t, i)) {
                exponent = true;
                --i;
                continue;
            }
            break;
        }
        if (istVorzeichen(c)) {
            if (i == 0) {
                --i; // the sign at the start belongs to the operand
                break;
            }
            const QChar davor = t.at(i - 1);
            if (istZifferOderPunkt(davor))
                break; // the operator before this operand
            if (!exponent && istExponentAn(t, i - 1)) {
                exponent = true;
                i -= 2; // exponent sign and letter
                continue;
            }
            --i; // the operand's own sign
            break;
        }
        break;
    }
    Operand o;
    o.von = i + 1;
    o.bis = p;
    o.wert = lesen(QStringView(t).mid(o.von, p - o.von));
    return o;
}

// Rounded to a 32-bit signed whole number, halves to the even neighbour.
qint64 ganzzahl32(double x)
{
    const double r = std::nearbyint(x);
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        scheitern();
    return qint64(r);
}

// --- functions -----------------------------------------------------------------------------

double teilen(double a, double b)
{
    if (b == 0.0)
        scheitern();
    return a / b;
}

double wurzel(double x)
{
    if (x < 0.0)
        scheitern();
    return std::sqrt(x);
}

double ln(double x)
{
    if (!(x > 0.0))
        scheitern();
    return std::log(x);
}

double hoch(double x)
{
    const double r = std::exp(x);
    if (!std::isfinite(r))
        scheitern();
    return r;
}

double sgn(double x)
{
    return x > 0 ? 1.0 : (x < 0 ? -1.0 : 0.0);
}

// Longer names stand before the shorter ones they contain.
constexpr std::array<const char16_t*, 29> Funktionen = {
    u"ARCSINH", u"ARCCOSH", u"ARCTANH", u"ARCSECH", u"ARCCSCH", u"ARCCOTH", u"ARCSIN", u"ARCCOS", u"ARCSEC", u"ARCCSC",
    u"ARCCOT",  u"SINH",    u"TANH",    u"SECH",    u"CSCH",    u"COTH",    u"SEC",    u"CSC",    u"COT",    u"SIN",
    u"COS",     u"TAN",     u"ATN",     u"LOG",     u"EXP",     u"SQR",     u"CLG",    u"ABS",    u"NOT"};

double funktion(int nr, double x)
{
    switch (nr) {
    case 0: // ARCSINH
        return ln(x + wurzel(x * x + 1));
    case 1: // ARCCOSH
        if (std::fabs(x) < 1)
            scheitern();
        return ln(x + wurzel(x * x - 1));
    case 2: // ARCTANH
        if (std::fabs(x) == 1)
            scheitern();
        return ln(teilen(1 + x, 1 - x)) / 2;
    case 3: // ARCSECH
        if (std::fabs(x) > 1)
            scheitern();
        return ln(teilen(wurzel(1 - x * x) + 1, x));
    case 4: // ARCCSCH
        if (x == 0)
            scheitern();
        return ln(teilen(sgn(x) * wurzel(x * x + 1) + 1, x));
    case 5: // ARCCOTH
        if (std::fabs(x) == 1)
            scheitern();
        return ln(teilen(x + 1, x - 1)) / 2;
    case 6: // ARCSIN
        if (std::fabs(x) > 1)
            scheitern();
        return std::atan(teilen(x, wurzel(1 - x * x)));
    case 7: // ARCCOS
        if (std::fabs(x) > 1)
            scheitern();
        return PiHalbe - std::atan(teilen(x, wurzel(1 - x * x)));
    case 8: // ARCSEC
        if (std::fabs(x) <= 1)
            scheitern();
        return std::atan(teilen(x, wurzel(x * x - 1))) + sgn(sgn(x) - 1) * PiHalbe;
    case 9: // ARCCSC
        if (std::fabs(x) <= 1)
            scheitern();
        return std::atan(teilen(x, wurzel(x * x - 1))) + (sgn(x) - 1) * PiHalbe;
    case 10: // ARCCOT
        return std::atan(x) + PiHalbe;
    case 11: // SINH
        return (hoch(x) - hoch(-x)) / 2;
    case 12: // TANH
        return teilen(hoch(x) - hoch(-x), hoch(x) + hoch(-x));
    case 13: // SECH
        return teilen(2, hoch(x) + hoch(-x));
    case 14: // CSCH
        return teilen(2, hoch(x) - hoch(-x));
    case 15: // COTH
        if (x == 0)
            scheitern();
        return teilen(hoch(x) + hoch(-x), hoch(x) - hoch(-x));
    case 16: // SEC
        if (std::fabs(x) == PiHalbe)
            scheitern();
        return teilen(1, std::cos(x));
    case 17: // CSC
        if (x == 0)
            scheitern();
        return teilen(1, std::sin(x));
    case 18: // COT
        if (std::fabs(x) == PiHalbe || x == 0)
            scheitern();
        return teilen(1, std::tan(x));
    case 19: // SIN
        return std::sin(x);
    case 20: // COS
        return std::cos(x);
    case 21: // TAN
        if (std::fabs(x) == PiHalbe)
            scheitern();
        return std::tan(x);
    case 22: // ATN
        return std::atan(x);
    case 23: // LOG
        return ln(x);
    case 24: // EXP
        return hoch(x);
    case 25: // SQR
        return wurzel(x);
    case 26: // CLG
        return ln(x) / Ln10;
    case 27: // ABS
        return std::fabs(x);
    case 28: // NOT
        return double(~qint32(ganzzahl32(x)));
    }
    return 0.0;
}

// Position of the ")" that closes the "(" at position auf; -1 when none does.
qsizetype passendeKlammer(const QString& t, qsizetype auf)
{
    int tiefe = 0;
    for (qsizetype i = auf; i < t.size(); ++i) {
        if (t.at(i) == u'(')
            ++tiefe;
        else if (t.at(i) == u')' && --tiefe == 0)
            return i;
    }
    return -1;
}

// Repeatedly the first "++" -> "+", else the first "-+" -> "-", else the first
// "--" -> "+", until none of them is left ("+-" stays: a plus and a negative
// number). The pairs never reach beyond a run of signs, and for one run the
// rewriting ends in: a leading "+" kept and the minus signs paired off ("+" or
// "+-"); a run that starts with "-" likewise, except that a single minus stays
// "-". Worked out per run in one pass.
// Where no operand stands before a rewritten run (at the start, after an
// operator, a function's name or an exponent letter) the run is a sign only:
// it becomes "-" for an odd number of minus signs, "+" otherwise. A "+-" there
// would read as a "+" without digits, 0: "---2" is -2 and "5*---2" is -10.
void vorzeichenBereinigen(QString& t)
{
    if (!t.contains(QLatin1String("++")) && !t.contains(QLatin1String("-+")) && !t.contains(QLatin1String("--")))
        return;
    QString ergebnis;
    ergebnis.reserve(t.size());
    const qsizetype n = t.size();
    qsizetype i = 0;
    while (i < n) {
        if (!istVorzeichen(t.at(i))) {
            ergebnis += t.at(i++);
            continue;
        }
        const bool nachOperand = i > 0 && istZifferOderPunkt(t.at(i - 1));
        const qsizetype anfang = i;
        const bool plusVorn = t.at(i) == u'+';
        qsizetype minus = 0;
        while (i < n && istVorzeichen(t.at(i))) {
            if (t.at(i) == u'-')
                ++minus;
            ++i;
        }
        const bool unberuehrt = i - anfang == 1 || (i - anfang == 2 && plusVorn && minus == 1); // "+", "-", "+-"
        if (!plusVorn && minus == 1)
            ergebnis += u'-';
        else if (!nachOperand && !unberuehrt)
            ergebnis += minus % 2 == 0 ? u'+' : u'-';
        else
            ergebnis += minus % 2 == 0 ? QStringLiteral("+") : QStringLiteral("+-");
    }
    t = std::move(ergebnis);
}

// The whole amount written the German way, "12,-" or "12,--" (commas already
// points): a dash right behind a decimal point that follows a digit, when an
// operator, a ")" or the end comes after it, is no minus: it goes, and
// "12,- + 3,50" is 15.5. A dash followed by an operand ("12,-3") stays the minus.
void ganzeBetraegeLesen(QString& t)
{
    if (!t.contains(QLatin1String(".-")))
        return;
    const qsizetype n = t.size();
    auto danachOperator = [&t, n](qsizetype k) { return k >= n || QStringView(u")+-*/\\^=<>").contains(t.at(k)); };
    QString ergebnis;
    ergebnis.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        ergebnis += t.at(i);
        if (t.at(i) != u'.' || i == 0 || !istZiffer(t.at(i - 1)) || i + 1 >= n || t.at(i + 1) != u'-')
            continue;
        if (i + 2 < n && t.at(i + 2) == u'-' && danachOperator(i + 3))
            i += 2;
        else if (danachOperator(i + 2))
            i += 1;
    }
    t = std::move(ergebnis);
}

// Left part, result, right part.
void einsetzen(QString& t, qsizetype von, qsizetype bis, double wert)
{
    t.replace(von, bis - von, ergebnisText(wert));
}

double auswerten(QString t, int tiefe);

// Constants, matched only as written: "PI", lower-case "e", "@TODAY". An
// occurrence inside a quoted string (odd number of quotes before it) ends the
// search for that constant. "@TODAY" is the day of this call (the clock is
// read only when it occurs), so a program left running over midnight does not
// go on with yesterday.
void konstantenErsetzen(QString& t)
{
    const bool heuteDa = t.contains(QLatin1String("@TODAY"));
    if (!heuteDa && !t.contains(QLatin1String("PI")) && !t.contains(u'e'))
        return;
    QString heute;
    if (heuteDa) {
        const QDate d = zcommon::Heute();
        heute = QString::number(zcommon::Date2Num(zcommon::DatumText(d), d));
    }
    const std::array<std::pair<QString, QString>, 3> konstanten = {{
        {QStringLiteral("PI"), QStringLiteral("3.14159265358979323846")},
        {QStringLiteral("e"), QStringLiteral("2.71828182845904523536")},
        {QStringLiteral("@TODAY"), heute},
    }};
    for (const auto& [name, ersatz] : konstanten) {
        if (ersatz.isEmpty())
            continue;
        qsizetype von = 0;
        int anfuehrungszeichen = 0;
        for (;;) {
            const qsizetype i = t.indexOf(name, von, Qt::CaseSensitive);
            if (i < 0)
                break;
            for (qsizetype k = von; k < i; ++k)
                if (t.at(k) == u'"')
                    ++anfuehrungszeichen;
            if (anfuehrungszeichen % 2 == 1)
                break;
            t.replace(i, name.size(), ersatz);
            von = i + ersatz.size(); // the replacement holds neither a name nor a quote
            if (t.size() > MaxLaenge)
                scheitern();
        }
    }
}

void klammernAuswerten(QString& t, int tiefe)
{
    qsizetype pos = 0;
    for (;;) {
        const qsizetype auf = t.indexOf(u'(', pos);
        if (auf < 0)
            break;
        const qsizetype zu = passendeKlammer(t, auf);
        if (zu < 0)
            scheitern();
        const QString innen = t.mid(auf + 1, zu - auf - 1);
        double wert = 0.0;
        // A group that holds just a number is replaced by that number as
        // written (a leading "+" included); any other by its value.
        if (istZahlText(innen, &wert))
            t.replace(auf, zu + 1 - auf, innen);
        else
            einsetzen(t, auf, zu + 1, auswerten(innen, tiefe + 1));
        pos = auf;
    }
    // A ")" before its "(" (the counts agreed) leaves a ")" behind.
    if (t.contains(u')'))
        scheitern();
}

void funktionenAuswerten(QString& t)
{
    for (int nr = 0; nr < int(Funktionen.size()); ++nr) {
        const QString name = QString::fromUtf16(Funktionen[nr]);
        for (;;) {
            const qsizetype i = t.indexOf(name);
            if (i < 0)
                break;
            const Operand x = rechterOperand(t, i + name.size());
            einsetzen(t, i, x.bis, funktion(nr, x.wert));
        }
    }
}

void fakultaetenAuswerten(QString& t)
{
    for (;;) {
        const qsizetype i = t.indexOf(u'!');
        if (i < 0)
            break;
        qsizetype j = i;
        while (j > 0 && istZiffer(t.at(j - 1)) && i - j < 5)
            --j;
        if (i - j > 4)
            scheitern();
        const int n = i == j ? 0 : t.mid(j, i - j).toInt();
        if (n > 170)
            scheitern();
        einsetzen(t, j, i + 1, zcommon::Factorial(n));
    }
    vorzeichenBereinigen(t);
}

void potenzenAuswerten(QString& t)
{
    for (;;) {
        const qsizetype i = t.indexOf(u'^');
        if (i < 0)
            break;
        if (i == 0)
            scheitern();
        const Operand a = linkerOperand(t, i);
        const Operand b = rechterOperand(t, i + 1);
        if (a.wert == 0 && b.wert < 0)
            scheitern(); // a division by 0
        einsetzen(t, a.von, b.bis, std::pow(a.wert, b.wert));
    }
}

void punktrechnungAuswerten(QString& t)
{
    static const std::array<QString, 4> operatoren = {QStringLiteral("*"), QStringLiteral("/"), QStringLiteral("\\"),
                                                      QStringLiteral("MOD")};
    for (;;) {
        qsizetype p = -1;
        int op = -1;
        for (int k = 0; k < int(operatoren.size()); ++k) {
            const qsizetype i = t.indexOf(operatoren[k]);
            if (i < 0 || i + operatoren[k].size() >= t.size())
                continue; // missing, or the last character of the text
            if (p < 0 || i < p) {
                p = i;
                op = k;
            }
        }
        if (p < 0)
            break;
        if (p == 0)
            scheitern();
        const Operand a = linkerOperand(t, p);
        const Operand b = rechterOperand(t, p + operatoren[op].size());
        double r = 0.0;
        switch (op) {
        case 0:
            r = a.wert * b.wert;
            break;
        case 1:
            r = teilen(a.wert, b.wert);
            break;
        case 2:
        case 3: {
            const qint64 x = ganzzahl32(a.wert);
            const qint64 y = ganzzahl32(b.wert);
            if (y == 0)
                scheitern();
            const qint64 q = op == 2 ? x / y : x % y;
            if (q > 2147483647)
                scheitern(); // -2147483648 \ -1
            r = double(q);
            break;
        }
        }
        einsetzen(t, a.von, b.bis, r);
    }
}

// A "+" or "-" at position i that is an operator (not a sign).
bool istStrichOperator(const QString& t, qsizetype i)
{
    if (i == 0)
        return false;
    const QChar c = t.at(i);
    if (c == u'+')
        return !istExponentAn(t, i - 1);
    if (c == u'-')
        return istZifferOderPunkt(t.at(i - 1)); // "12,-3": the decimal comma ends the number
    return false;
}

// Returns true when the whole text turned out to be one negative number (its value in *wert).
bool strichrechnungAuswerten(QString& t, double* wert)
{
    if (t.startsWith(u'-') && istZahlText(t, wert))
        return true;
    // Each operation removes one operator; the limit only guards the loop.
    const qsizetype grenze = t.size() + 1;
    qsizetype von = 1;
    for (qsizetype schritte = 0; schritte < grenze; ++schritte) {
        qsizetype p = -1;
        for (qsizetype i = von; i + 1 < t.size(); ++i) {
            if (istStrichOperator(t, i)) {
                p = i;
                break;
            }
        }
        if (p < 0)
            break;
        const Operand a = linkerOperand(t, p);
        const Operand b = rechterOperand(t, p + 1);
        einsetzen(t, a.von, b.bis, t.at(p) == u'+' ? a.wert + b.wert : a.wert - b.wert);
        // Nothing before the operand holds an operator (this one was the leftmost).
        von = qMax<qsizetype>(1, a.von);
    }
    return false;
}

void vergleicheAuswerten(QString& t)
{
    for (;;) {
        qsizetype p = -1;
        for (qsizetype i = 0; i + 1 < t.size(); ++i) {
            const QChar c = t.at(i);
            if (c == u'=' || c == u'>' || c == u'<') {
                p = i;
                break;
            }
        }
        if (p < 0)
            break;
        if (p == 0)
            scheitern();
        const QChar op = t.at(p);
        int vergleich = 0;
        qsizetype von = 0;
        qsizetype bis = 0;
        if (t.at(p - 1) == u'"') {
            // Two quoted strings, compared by their Windows-1252 character codes.
            const qsizetype links = p >= 2 ? t.lastIndexOf(u'"', p - 2) : -1;
            if (links < 0 || t.at(p + 1) != u'"')
                scheitern();
            const qsizetype rechts = t.indexOf(u'"', p + 2);
            if (rechts < 0)
                scheitern();
            const QByteArray a = zplatform::nachWindows1252(t.mid(links + 1, p - 1 - links - 1));
            const QByteArray b = zplatform::nachWindows1252(t.mid(p + 2, rechts - p - 2));
            vergleich = a < b ? -1 : (b < a ? 1 : 0);
            von = links;
            bis = rechts + 1;
        } else {
            const Operand a = linkerOperand(t, p);
            const Operand b = rechterOperand(t, p + 1);
            vergleich = a.wert < b.wert ? -1 : (a.wert > b.wert ? 1 : 0);
            von = a.von;
            bis = b.bis;
        }
        const bool wahr =
            (op == u'=' && vergleich == 0) || (op == u'>' && vergleich > 0) || (op == u'<' && vergleich < 0);
        einsetzen(t, von, bis, wahr ? -1.0 : 0.0);
    }
}

void logikAuswerten(QString& t)
{
    for (const QString& op : {QStringLiteral("AND"), QStringLiteral("OR")}) {
        for (;;) {
            const qsizetype i = t.indexOf(op);
            if (i < 0)
                break;
            const Operand a = linkerOperand(t, i);
            const Operand b = rechterOperand(t, i + op.size());
            const qint32 x = qint32(ganzzahl32(a.wert));
            const qint32 y = qint32(ganzzahl32(b.wert));
            einsetzen(t, a.von, b.bis, double(op.size() == 3 ? (x & y) : (x | y)));
        }
    }
}

double auswerten(QString t, int tiefe)
{
    if (tiefe > MaxTiefe)
        scheitern();
    // 1. Decimal comma, no blanks.
    t.replace(u',', u'.');
    t = zcommon::Compact(t);
    if (t.size() > MaxLaenge)
        scheitern();
    ganzeBetraegeLesen(t);
    // 3. Constants (before upper-casing), 4. upper case.
    konstantenErsetzen(t);
    t = zcommon::UCase(t);
    // 5. Brackets must balance in number; a text already marked has failed.
    if (zcommon::InCount(t, u'(') != zcommon::InCount(t, u')') || zcommon::ASCII(t) == 37)
        scheitern();
    // 6. Groups in brackets.
    klammernAuswerten(t, tiefe);
    // 7. A plain number is the result.
    double wert = 0.0;
    if (istZahlText(t, &wert))
        return wert;
    // 8. to 14.
    funktionenAuswerten(t);
    fakultaetenAuswerten(t);
    potenzenAuswerten(t);
    punktrechnungAuswerten(t);
    if (strichrechnungAuswerten(t, &wert))
        return wert;
    vergleicheAuswerten(t);
    logikAuswerten(t);
    // 15. The number at the start of what is left.
    return lesen(t);
}

} // namespace

double Evaluate_ZahlLesen(QStringView text, bool* ueberlauf)
{
    return zahlLesen(text, ueberlauf);
}

QString ZahlText15(double wert)
{
    if (wert == 0.0 || !std::isfinite(wert))
        return QStringLiteral("0");
    char puffer[64];
    const auto r = std::to_chars(puffer, puffer + sizeof puffer, wert, std::chars_format::general, 15);
    QString s = QString::fromLatin1(puffer, r.ptr - puffer);
    s.replace(u'e', u'E');
    return s;
}

double Evaluate(QString& ausdruck)
{
    try {
        return auswerten(ausdruck, 0);
    } catch (const Fehlschlag&) {
        ausdruck += u'%';
        return 0.0;
    }
}

} // namespace zmasken
