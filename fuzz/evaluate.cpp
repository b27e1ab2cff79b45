// The formula evaluator never crashes and either gives a finite value with
// the text untouched or the failure value 0 with "%" appended; it is
// deterministic; a plain number, and every result written back as the
// evaluator writes numbers, evaluates to its own value.
//
// Besides, the same bytes choose an amount formula of the kind people type:
// numbers with a decimal comma (also "12," and the whole amount "12,-" or
// "12,--"), + - * /, brackets, and runs of minus signs before an operand.
// Its value is worked out in exact fractions beside it; the evaluator must
// come within the rounding its 15-digit partial results allow.
#include "fuzzhilfe.h"

#include "masks/evaluate.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace {

double auswerten(const QString& eingabe, QString* danach)
{
    QString t = eingabe;
    const double wert = zmasken::Evaluate(t);
    zfuzz::pruefen(t == eingabe || t == eingabe + u'%', "Text unverändert oder mit %", eingabe, t);
    if (t != eingabe)
        zfuzz::pruefen(wert == 0.0 && !std::signbit(wert), "Fehlschlag gibt 0", eingabe, zmasken::ZahlText15(wert));
    else
        zfuzz::pruefen(std::isfinite(wert), "Ergebnis endlich", eingabe);
    if (danach)
        *danach = t;
    return wert;
}

bool nurZiffern(const QString& t)
{
    if (t.isEmpty() || t.size() > 15)
        return false;
    for (QChar c : t)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

// ---- the reference ------------------------------------------------------------------------

using Ganz = __int128;

Ganz ggt(Ganz a, Ganz b)
{
    a = a < 0 ? -a : a;
    b = b < 0 ? -b : b;
    while (b != 0) {
        const Ganz r = a % b;
        a = b;
        b = r;
    }
    return a;
}

// An exact value, numerator over a positive denominator; none after an
// overflow (the formula is then not checked).
struct Bruch
{
    Ganz z = 0;
    Ganz n = 1;
};
using Wert = std::optional<Bruch>;

Wert gekuerzt(Ganz z, Ganz n)
{
    if (n < 0) {
        z = -z;
        n = -n;
    }
    const Ganz g = ggt(z, n);
    return g > 1 ? Bruch{z / g, n / g} : Bruch{z, n};
}

Wert mal(Ganz a, Ganz b, Ganz c, Ganz d) // a*b over c*d
{
    Ganz z, n;
    if (__builtin_mul_overflow(a, b, &z) || __builtin_mul_overflow(c, d, &n))
        return std::nullopt;
    return gekuerzt(z, n);
}

Wert plus(const Bruch& x, const Bruch& y, int vorzeichen)
{
    Ganz l, r, n, z;
    if (__builtin_mul_overflow(x.z, y.n, &l) || __builtin_mul_overflow(y.z, x.n, &r) ||
        __builtin_mul_overflow(x.n, y.n, &n))
        return std::nullopt;
    if (vorzeichen < 0)
        r = -r;
    if (__builtin_add_overflow(l, r, &z))
        return std::nullopt;
    return gekuerzt(z, n);
}

double alsDouble(const Bruch& b)
{
    return double(static_cast<long double>(b.z) / static_cast<long double>(b.n));
}

// A value with the bound of the error the evaluator may have made on it: it
// writes every partial result with 15 significant digits.
struct Ergebnis
{
    Wert genau;
    double fehler = 0; // absolute
    bool pruefbar = true;
};
constexpr double Rundung = 1e-14; // relative error of one step, with room to spare

// The bytes as a row of choices (0 when they run out).
class Wahl
{
public:
    Wahl(const std::uint8_t* d, size_t n) : m_d(d), m_n(n) {}
    int nimm(int bereich) { return m_i < m_n ? int(m_d[m_i++] % unsigned(bereich)) : 0; }

private:
    const std::uint8_t* m_d;
    size_t m_n;
    size_t m_i = 0;
};

struct Faktor
{
    QString text;
    Ergebnis wert;
    bool endetMitKomma = false; // "12," or the whole amount "12,-" / "12,--"
};

Ergebnis ausdruck(Wahl& w, int tiefe, QString& text);

// A number: up to four digits, optionally a comma with one or two decimals,
// or a bare comma, or the whole amount with one or two dashes.
Faktor zahl(Wahl& w)
{
    Faktor f;
    const int stellen = 1 + w.nimm(4);
    Ganz ganz = 0;
    for (int i = 0; i < stellen; ++i) {
        const int ziffer = w.nimm(10);
        ganz = ganz * 10 + ziffer;
        f.text += QChar(u'0' + ziffer);
    }
    Ganz hundertstel = 0;
    switch (w.nimm(7)) {
    case 1: { // one decimal
        const int z = w.nimm(10);
        f.text += u',' + QString(QChar(u'0' + z));
        hundertstel = z * 10;
        break;
    }
    case 2: { // two decimals, with the decimal point sometimes
        const int z1 = w.nimm(10), z2 = w.nimm(10);
        f.text += (w.nimm(2) ? u'.' : u',') + QString(QChar(u'0' + z1)) + QChar(u'0' + z2);
        hundertstel = z1 * 10 + z2;
        break;
    }
    case 3:
        f.text += u',';
        f.endetMitKomma = true;
        break;
    case 4:
        f.text += QStringLiteral(",-");
        f.endetMitKomma = true;
        break;
    case 5:
        f.text += QStringLiteral(",--");
        f.endetMitKomma = true;
        break;
    default:
        break;
    }
    f.wert.genau = gekuerzt(ganz * 100 + hundertstel, 100);
    f.wert.fehler = alsDouble(*f.wert.genau) * Rundung;
    return f;
}

// A run of minus signs (possibly none), then a number or a bracket.
Faktor faktor(Wahl& w, int tiefe, bool ohneMinus)
{
    const int minus = ohneMinus ? 0 : (w.nimm(3) == 0 ? 1 + w.nimm(5) : 0);
    Faktor f;
    if (tiefe < 3 && w.nimm(4) == 0) {
        QString innen;
        f.wert = ausdruck(w, tiefe + 1, innen);
        f.text = u'(' + innen + u')';
    } else {
        f = zahl(w);
    }
    f.text = QString(minus, u'-') + f.text;
    if (minus % 2 == 1 && f.wert.genau)
        f.wert.genau->z = -f.wert.genau->z;
    return f;
}

Ergebnis verknuepfen(const Ergebnis& a, const Ergebnis& b, QChar op)
{
    Ergebnis r;
    r.pruefbar = a.pruefbar && b.pruefbar;
    if (!a.genau || !b.genau)
        return r;
    const Bruch& x = *a.genau;
    const Bruch& y = *b.genau;
    const double vx = std::fabs(alsDouble(x)), vy = std::fabs(alsDouble(y));
    if (op == u'+' || op == u'-') {
        r.genau = plus(x, y, op == u'+' ? 1 : -1);
        r.fehler = a.fehler + b.fehler;
    } else if (op == u'*') {
        r.genau = mal(x.z, y.z, x.n, y.n);
        r.fehler = vx * b.fehler + vy * a.fehler + a.fehler * b.fehler;
    } else {
        // A divisor that may be 0 in the evaluator's rounding is not checked.
        if (y.z == 0 || vy <= 2 * b.fehler) {
            r.pruefbar = false;
            return r;
        }
        r.genau = mal(x.z, y.n, x.n, y.z);
        r.fehler = (vx * b.fehler + vy * a.fehler) / (vy * (vy - b.fehler));
    }
    if (r.genau)
        r.fehler += std::fabs(alsDouble(*r.genau)) * Rundung;
    return r;
}

// Factors joined by + - * /; * and / first, each level from the left.
Ergebnis ausdruck(Wahl& w, int tiefe, QString& text)
{
    std::vector<Faktor> faktoren{faktor(w, tiefe, false)};
    std::vector<QChar> ops;
    const int anzahl = w.nimm(tiefe == 0 ? 6 : 3);
    for (int i = 0; i < anzahl; ++i) {
        const QChar op = QStringLiteral("+-*/").at(w.nimm(4));
        // "12," or "12,-" before a minus: a run of minus signs after it would
        // read as the whole amount's dash ("12,--3" is 12 - 3).
        const bool ohneMinus = op == u'-' && faktoren.back().endetMitKomma;
        ops.push_back(op);
        faktoren.push_back(faktor(w, tiefe, ohneMinus));
    }
    text = faktoren[0].text;
    for (size_t i = 0; i < ops.size(); ++i)
        text += ops[i] + faktoren[i + 1].text;

    std::vector<Ergebnis> summanden{faktoren[0].wert};
    std::vector<QChar> strich;
    for (size_t i = 0; i < ops.size(); ++i) {
        if (ops[i] == u'*' || ops[i] == u'/') {
            summanden.back() = verknuepfen(summanden.back(), faktoren[i + 1].wert, ops[i]);
        } else {
            strich.push_back(ops[i]);
            summanden.push_back(faktoren[i + 1].wert);
        }
    }
    Ergebnis r = summanden[0];
    for (size_t i = 0; i < strich.size(); ++i)
        r = verknuepfen(r, summanden[i + 1], strich[i]);
    return r;
}

void formelPruefen(const std::uint8_t* daten, size_t groesse)
{
    Wahl w(daten, groesse);
    QString formel;
    const Ergebnis soll = ausdruck(w, 0, formel);
    if (!soll.pruefbar || !soll.genau)
        return;
    // Blanks between the parts, as people type them, change nothing.
    if (w.nimm(2))
        formel.replace(u'+', QStringLiteral(" + ")).replace(u'*', QStringLiteral(" * "));
    QString t = formel;
    const double ist = zmasken::Evaluate(t);
    zfuzz::pruefen(t == formel, "Betragsformel scheitert nicht", formel, t);
    const double genau = alsDouble(*soll.genau);
    zfuzz::pruefen(std::fabs(ist - genau) <= 2 * soll.fehler + 1e-300, "Betragsformel rechnet genau", formel,
                   zmasken::ZahlText15(ist) + QStringLiteral(" statt ") + zmasken::ZahlText15(genau));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, size_t groesse)
{
    using zfuzz::pruefen;
    const QString eingabe = zfuzz::text1252(daten, groesse);
    QString t1, t2;
    const double w1 = auswerten(eingabe, &t1);
    const double w2 = auswerten(eingabe, &t2);
    pruefen(t1 == t2 && std::memcmp(&w1, &w2, sizeof w1) == 0, "zweimal gleich", eingabe, t2);

    if (nurZiffern(eingabe))
        pruefen(w1 == std::strtod(eingabe.toLatin1().constData(), nullptr), "Zahl ist ihr Wert", eingabe);

    // The result as text reads back as that text's value.
    const QString zahl = zmasken::ZahlText15(w1);
    QString danach;
    const double w3 = auswerten(zahl, &danach);
    pruefen(danach == zahl && w3 == std::strtod(zahl.toLatin1().constData(), nullptr), "Zahltext liest sich zurück",
            eingabe, zahl);

    formelPruefen(daten, groesse);
    return 0;
}
