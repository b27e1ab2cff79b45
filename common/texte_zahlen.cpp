// Numbers and formats: Val, rounding, Format and reading numbers from text.
#include "common/texte.h"
#include "common/texte_intern.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace zcommon {

using namespace intern;

namespace {

// --- decimal rounding ----------------------------------------------------------
// Numbers are rounded on their 15-digit decimal form (as the program has always
// printed doubles), so 2.675 formatted "0.00" gives 2,68 although the binary
// value lies a little below.

struct Dezimal
{
    bool negativ = false;
    std::string ziffern; // significant digits, no leading zeros ("" for 0)
    int ganzStellen = 0; // digits before the decimal point (may be <= 0 or > size)
};

Dezimal zerlegen(double wert)
{
    Dezimal d;
    if (wert < 0) {
        d.negativ = true;
        wert = -wert;
    }
    if (wert == 0 || !std::isfinite(wert))
        return d;
    char puffer[40];
    auto r = std::to_chars(puffer, puffer + sizeof puffer, wert, std::chars_format::scientific, 14);
    std::string s(puffer, r.ptr);
    const auto e = s.find('e');
    std::string mantisse = s.substr(0, e);
    int exponent = std::stoi(s.substr(e + 1));
    for (char c : mantisse)
        if (c != '.')
            d.ziffern.push_back(c);
    while (!d.ziffern.empty() && d.ziffern.back() == '0')
        d.ziffern.pop_back();
    d.ganzStellen = exponent + 1;
    if (d.ziffern.empty())
        d.negativ = false;
    return d;
}

// Rounds to `stellen` digits behind the decimal point.
void runden(Dezimal& d, int stellen, bool gerade)
{
    if (d.ziffern.empty())
        return;
    const int behalten = d.ganzStellen + stellen;
    const int n = int(d.ziffern.size());
    if (behalten >= n)
        return;
    if (behalten < 0) {
        d.ziffern.clear();
        d.negativ = false;
        return;
    }
    const char naechste = d.ziffern[size_t(behalten)];
    bool aufrunden;
    if (!gerade) {
        aufrunden = naechste >= '5';
    } else if (naechste != '5') {
        aufrunden = naechste > '5';
    } else {
        bool rest = false;
        for (int i = behalten + 1; i < n; ++i)
            if (d.ziffern[size_t(i)] != '0')
                rest = true;
        const int vorige = behalten > 0 ? d.ziffern[size_t(behalten - 1)] - '0' : 0;
        aufrunden = rest || (vorige % 2 == 1);
    }
    d.ziffern.resize(size_t(behalten));
    if (aufrunden) {
        int i = behalten - 1;
        while (i >= 0 && d.ziffern[size_t(i)] == '9') {
            d.ziffern[size_t(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++d.ziffern[size_t(i)];
        } else {
            d.ziffern.insert(d.ziffern.begin(), '1');
            ++d.ganzStellen;
        }
    }
    while (!d.ziffern.empty() && d.ziffern.back() == '0')
        d.ziffern.pop_back();
    if (d.ziffern.empty()) {
        d.negativ = false;
        d.ganzStellen = 0;
    }
}

double alsDouble(const Dezimal& d)
{
    if (d.ziffern.empty())
        return 0.0;
    std::string s = "0." + d.ziffern + "e" + std::to_string(d.ganzStellen);
    double wert = 0;
    std::from_chars(s.data(), s.data() + s.size(), wert);
    return d.negativ ? -wert : wert;
}

// The digit at a position counted from the first significant digit ("0" outside).
inline char zifferAn(const Dezimal& d, int position) // position 0 = first significant digit
{
    return (position >= 0 && position < int(d.ziffern.size())) ? d.ziffern[size_t(position)] : '0';
}

QString ganzerTeil(const Dezimal& d)
{
    QString s;
    for (int i = 0; i < d.ganzStellen; ++i)
        s += QLatin1Char(zifferAn(d, i));
    return s; // "" when the value is below 1
}

QString bruchTeil(const Dezimal& d, int stellen)
{
    QString s;
    for (int i = 0; i < stellen; ++i)
        s += QLatin1Char(zifferAn(d, d.ganzStellen + i));
    return s;
}

// --- number pictures ---------------------------------------------------------------

struct BildElement
{
    enum Art { Literal, Null, Raute } art;
    QString text; // literal text
};

struct Bild
{
    std::vector<BildElement> ganz;  // before the decimal point
    std::vector<BildElement> bruch; // behind it
    bool punkt = false;             // a decimal point stands in the picture
    bool gruppieren = false;        // "," between digit placeholders
    bool prozent = false;
    int platzhalter() const
    {
        int n = 0;
        for (const auto& e : ganz)
            n += e.art != BildElement::Literal;
        return n;
    }
};

Bild bildZerlegen(const QString& teil)
{
    Bild b;
    bool imBruch = false;
    bool ganzZiffernGesehen = false;
    auto literal = [&](const QString& t) {
        auto& liste = imBruch ? b.bruch : b.ganz;
        if (!liste.empty() && liste.back().art == BildElement::Literal)
            liste.back().text += t;
        else
            liste.push_back({BildElement::Literal, t});
    };
    for (qsizetype i = 0; i < teil.size(); ++i) {
        const QChar c = teil.at(i);
        if (c == u'0' || c == u'#') {
            (imBruch ? b.bruch : b.ganz).push_back({c == u'0' ? BildElement::Null : BildElement::Raute, {}});
            if (!imBruch)
                ganzZiffernGesehen = true;
        } else if (c == u'.' && !imBruch) {
            imBruch = true;
            b.punkt = true;
        } else if (c == u',') {
            if (!imBruch && ganzZiffernGesehen)
                b.gruppieren = true;
        } else if (c == u'%') {
            b.prozent = true;
            literal(QStringLiteral("%"));
        } else if (c == u'\\') {
            if (i + 1 < teil.size())
                literal(QString(teil.at(++i)));
        } else if (c == u'"') {
            const qsizetype ende = teil.indexOf(u'"', i + 1);
            const qsizetype bis = ende < 0 ? teil.size() : ende;
            literal(teil.mid(i + 1, bis - i - 1));
            i = bis;
        } else {
            literal(QString(c));
        }
    }
    return b;
}

QStringList bildAbschnitte(const QString& bild)
{
    QStringList teile;
    QString aktuell;
    bool inAnfuehrung = false;
    for (qsizetype i = 0; i < bild.size(); ++i) {
        const QChar c = bild.at(i);
        if (c == u'\\' && i + 1 < bild.size()) {
            aktuell += c;
            aktuell += bild.at(++i);
            continue;
        }
        if (c == u'"')
            inAnfuehrung = !inAnfuehrung;
        if (c == u';' && !inAnfuehrung) {
            teile << aktuell;
            aktuell.clear();
            continue;
        }
        aktuell += c;
    }
    teile << aktuell;
    return teile;
}

QString allgemeineZahl(double wert)
{
    Dezimal d = zerlegen(wert);
    if (d.ziffern.empty())
        return QStringLiteral("0");
    const int n = int(d.ziffern.size());
    QString s;
    if (d.negativ)
        s += u'-';
    if (d.ganzStellen > 15 || d.ganzStellen < -14) {
        // Scientific as the program has always shown very large or small numbers: 1,5E+20
        s += QLatin1Char(d.ziffern[0]);
        if (n > 1) {
            s += u',';
            s += QString::fromLatin1(d.ziffern.data() + 1, n - 1);
        }
        const int e = d.ganzStellen - 1;
        s += e < 0 ? QStringLiteral("E-") : QStringLiteral("E+");
        s += QString::number(std::abs(e)).rightJustified(2, u'0');
        return s;
    }
    const QString ganz = ganzerTeil(d);
    s += ganz.isEmpty() ? QStringLiteral("0") : ganz;
    const int bruchStellen = n - d.ganzStellen;
    if (bruchStellen > 0) {
        s += u',';
        s += bruchTeil(d, bruchStellen);
    }
    return s;
}

QString formatAbschnitt(double wert, const QString& teil, bool vorzeichen)
{
    Bild b = bildZerlegen(teil);
    if (b.prozent)
        wert *= 100.0;
    int bruchPlatzhalter = 0;
    for (const auto& e : b.bruch)
        bruchPlatzhalter += e.art != BildElement::Literal;

    Dezimal d = zerlegen(wert);
    runden(d, bruchPlatzhalter, false);

    QString ergebnis;
    if (vorzeichen && d.negativ)
        ergebnis += u'-';

    // Integer part: digits right-aligned into the placeholders; the first
    // placeholder takes every digit that has no place of its own.
    const QString ziffern = ganzerTeil(d);
    const int L = int(ziffern.size());
    const int P = b.platzhalter();
    std::vector<QString> ausgabe(static_cast<size_t>(P));
    for (int k = 0, pi = 0; k < int(b.ganz.size()); ++k) {
        const auto& e = b.ganz[size_t(k)];
        if (e.art == BildElement::Literal)
            continue;
        const int index = L - P + pi; // digit for this placeholder
        if (pi == 0 && L > P)
            ausgabe[size_t(pi)] = ziffern.left(L - P + 1);
        else if (index >= 0)
            ausgabe[size_t(pi)] = ziffern.at(index);
        else if (e.art == BildElement::Null)
            ausgabe[size_t(pi)] = QStringLiteral("0");
        ++pi;
    }
    int gesamt = 0;
    for (const auto& a : ausgabe)
        gesamt += int(a.size());
    int rechts = gesamt; // digits still to come
    for (int k = 0, pi = 0; k < int(b.ganz.size()); ++k) {
        const auto& e = b.ganz[size_t(k)];
        if (e.art == BildElement::Literal) {
            ergebnis += e.text;
            continue;
        }
        for (QChar z : ausgabe[size_t(pi)]) {
            ergebnis += z;
            --rechts;
            if (b.gruppieren && rechts > 0 && rechts % 3 == 0)
                ergebnis += u'.';
        }
        ++pi;
    }

    if (b.punkt) {
        // Behind the comma: "0" always shows its digit, a run of trailing "#"
        // drops trailing zeros.
        const QString bruch = bruchTeil(d, bruchPlatzhalter);
        int letzteNoetige = -1; // last placeholder index that must show
        for (int k = 0, pi = 0; k < int(b.bruch.size()); ++k) {
            const auto& e = b.bruch[size_t(k)];
            if (e.art == BildElement::Literal)
                continue;
            if (e.art == BildElement::Null || bruch.at(pi) != u'0')
                letzteNoetige = pi;
            ++pi;
        }
        ergebnis += u',';
        for (int k = 0, pi = 0; k < int(b.bruch.size()); ++k) {
            const auto& e = b.bruch[size_t(k)];
            if (e.art == BildElement::Literal) {
                ergebnis += e.text;
                continue;
            }
            if (pi <= letzteNoetige)
                ergebnis += bruch.at(pi);
            ++pi;
        }
    }
    return ergebnis;
}

} // namespace

// --- runtime rules -------------------------------------------------------------------

double Val(const QString& text)
{
    const char16_t* p = reinterpret_cast<const char16_t*>(text.constData());
    const char16_t* ende = p + text.size();
    auto ueberspringen = [&]() {
        while (p < ende && istBlankOderUmbruch(*p))
            ++p;
    };
    ueberspringen();
    if (p == ende)
        return 0.0;

    // "&H1F" hexadecimal, "&O17" octal; up to 4 digits they are 16-bit values
    // (so "&HFFFF" is -1), longer ones 32-bit.
    if (*p == u'&') {
        ++p;
        ueberspringen();
        if (p == ende)
            return 0.0;
        const char16_t art = *p | 0x20;
        int basis = art == u'h' ? 16 : art == u'o' ? 8 : 0;
        if (basis == 0)
            return 0.0;
        ++p;
        quint64 wert = 0;
        int stellen = 0;
        for (; p < ende; ++p) {
            if (istBlankOderUmbruch(*p))
                continue;
            int z;
            if (istZiffer(*p))
                z = *p - u'0';
            else if (basis == 16 && (*p | 0x20) >= u'a' && (*p | 0x20) <= u'f')
                z = (*p | 0x20) - u'a' + 10;
            else
                break;
            if (z >= basis)
                break;
            wert = wert * quint64(basis) + quint64(z);
            if (wert > 0xFFFFFFFFull)
                return 0.0; // overflow: nothing sensible to give
            ++stellen;
        }
        if (basis == 16 ? stellen <= 4 : wert <= 0xFFFF)
            return double(qint16(quint16(wert)));
        return double(qint32(quint32(wert)));
    }

    // Collect sign, digits, point and exponent into a small buffer (blanks dropped).
    char puffer[400];
    int n = 0;
    auto anhaengen = [&](char c) {
        if (n < int(sizeof puffer) - 1)
            puffer[n++] = c;
    };
    bool negativ = false;
    if (*p == u'-' || *p == u'+') {
        negativ = *p == u'-';
        ++p;
    }
    bool ziffernGesehen = false;
    bool punktGesehen = false;
    quint64 ganz = 0;
    bool nurGanz = true;
    int ganzStellen = 0;
    for (; p < ende; ++p) {
        const char16_t c = *p;
        if (istBlankOderUmbruch(c))
            continue;
        if (istZiffer(c)) {
            anhaengen(char(c));
            ziffernGesehen = true;
            if (!punktGesehen && ganzStellen < 18) {
                ganz = ganz * 10 + quint64(c - u'0');
                if (ganz != 0)
                    ++ganzStellen;
            } else {
                nurGanz = false;
            }
            continue;
        }
        if (c == u'.' && !punktGesehen) {
            punktGesehen = true;
            nurGanz = false;
            anhaengen('.');
            continue;
        }
        break;
    }
    const bool exponentFolgt = p < ende && ziffernGesehen && ((*p | 0x20) == u'e' || (*p | 0x20) == u'd');
    if (nurGanz && !exponentFolgt)
        return ganz == 0 ? 0.0 : (negativ ? -double(ganz) : double(ganz));
    // Exponent "E" or "D" with optional sign and digits.
    if (exponentFolgt) {
        const char16_t* q = p + 1;
        while (q < ende && istBlankOderUmbruch(*q))
            ++q;
        char expPuffer[16];
        int en = 0;
        if (q < ende && (*q == u'-' || *q == u'+'))
            expPuffer[en++] = char(*q++);
        int expZiffern = 0;
        for (; q < ende; ++q) {
            if (istBlankOderUmbruch(*q))
                continue;
            if (!istZiffer(*q))
                break;
            if (en < int(sizeof expPuffer) - 1)
                expPuffer[en++] = char(*q);
            ++expZiffern;
        }
        if (expZiffern > 0) {
            anhaengen('e');
            for (int i = 0; i < en; ++i)
                anhaengen(expPuffer[i]);
        }
    }
    if (!ziffernGesehen)
        return 0.0;
    double wert = 0.0;
    auto r = std::from_chars(puffer, puffer + n, wert);
    if (r.ec == std::errc::result_out_of_range) {
        // Too large: the program's Val raised an overflow that was skipped; too small is 0.
        return 0.0;
    }
    if (r.ec != std::errc() || !std::isfinite(wert))
        return 0.0;
    return negativ ? -wert : wert;
}

double RundenGerade(double wert, int stellen)
{
    if (!std::isfinite(wert))
        return wert;
    if (stellen == 0) {
        // Whole numbers: on the binary value, halves to the even neighbour.
        const double r = std::nearbyint(wert);
        return r == 0 ? 0.0 : r;
    }
    Dezimal d = zerlegen(wert);
    runden(d, stellen, true);
    return alsDouble(d);
}

double RundenKaufmaennisch(double wert, int stellen)
{
    if (!std::isfinite(wert))
        return wert;
    Dezimal d = zerlegen(wert);
    runden(d, stellen, false);
    return alsDouble(d);
}

QString Format(double wert, const QString& bild)
{
    if (!std::isfinite(wert))
        return QString();
    const QString b = bild;
    if (b.isEmpty() || b.compare(QLatin1String("General Number"), Qt::CaseInsensitive) == 0)
        return allgemeineZahl(wert);
    if (b.compare(QLatin1String("Standard"), Qt::CaseInsensitive) == 0)
        return formatAbschnitt(wert, QStringLiteral("#,##0.00"), true);
    if (b.compare(QLatin1String("Fixed"), Qt::CaseInsensitive) == 0)
        return formatAbschnitt(wert, QStringLiteral("0.00"), true);
    if (b.compare(QLatin1String("Percent"), Qt::CaseInsensitive) == 0)
        return formatAbschnitt(wert, QStringLiteral("0.00%"), true);

    const QStringList abschnitte = bildAbschnitte(b);
    if (abschnitte.size() == 1)
        return formatAbschnitt(wert, abschnitte.at(0), true);
    // "positive;negative;zero": the negative section shows the value without
    // its sign; an empty section falls back to the first.
    if (wert < 0 && !abschnitte.at(1).isEmpty())
        return formatAbschnitt(-wert, abschnitte.at(1), false);
    if (abschnitte.size() >= 3 && !abschnitte.at(2).isEmpty()) {
        Dezimal d = zerlegen(wert);
        Bild erster = bildZerlegen(abschnitte.at(0));
        int stellen = 0;
        for (const auto& e : erster.bruch)
            stellen += e.art != BildElement::Literal;
        runden(d, stellen, false);
        if (d.ziffern.empty())
            return formatAbschnitt(0.0, abschnitte.at(2), false);
    }
    return formatAbschnitt(wert, abschnitte.at(0), true);
}

double ZahlAusText(const QString& text, bool* ok)
{
    const char16_t* p = reinterpret_cast<const char16_t*>(text.constData());
    const char16_t* ende = p + text.size();
    while (p < ende && *p == Blank)
        ++p;
    char puffer[400];
    int n = 0;
    bool negativ = false;
    if (p < ende && (*p == u'-' || *p == u'+')) {
        negativ = *p == u'-';
        ++p;
        while (p < ende && *p == Blank)
            ++p;
    }
    bool ziffern = false;
    bool komma = false;
    for (; p < ende; ++p) {
        const char16_t c = *p;
        if (istZiffer(c)) {
            if (n < int(sizeof puffer) - 2)
                puffer[n++] = char(c);
            ziffern = true;
        } else if (c == u'.' && !komma) {
            continue; // grouping point
        } else if (c == u',' && !komma) {
            komma = true;
            if (n < int(sizeof puffer) - 2)
                puffer[n++] = '.';
        } else {
            break;
        }
    }
    while (p < ende && *p == Blank)
        ++p;
    if (ok)
        *ok = ziffern && p == ende;
    if (!ziffern)
        return 0.0;
    double wert = 0.0;
    auto r = std::from_chars(puffer, puffer + n, wert);
    if (r.ec != std::errc() || !std::isfinite(wert)) {
        if (ok)
            *ok = false;
        return 0.0;
    }
    return negativ ? -wert : wert;
}

} // namespace zcommon
