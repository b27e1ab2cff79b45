#include "commands/sortieren.h"

#include "addressbook/datensatz.h"
#include "addressbook/sitzung.h"
#include "commands/anbindung.h"
#include "platform/plattform.h"

#include <QDate>

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace zbefehle {

namespace {

using zadressbuch::FeldAnzahl;
using zadressbuch::Feldtrenner;

// Primary weights (the order of the characters, case and accents ignored):
//   1               end of a field
//   2, 3            markers in front of a date sort field: no date / a date
//   0x0010..0x00AF  control characters
//   0x0100..0x01FF  blank, punctuation and symbols of Latin-1 (by code)
//   0x0200..0x0FFF  other punctuation and symbols (by code, 16 codes a weight)
//   0x1000..0x1009  digits
//   0x2000..0x2019  letters a..z (umlauts and accented letters share them)
//   0x4000..0x7FFF  other letters (by code, 4 codes a weight)
// Secondary weights tell apart what shares a primary weight: 0 the plain
// character, otherwise its accent (or the low bits of the code).
constexpr char16_t FeldEnde = 1;
constexpr char16_t MarkeKeinDatum = 2;
constexpr char16_t MarkeDatum = 3;

constexpr char16_t buchstabe(char c)
{
    return char16_t(0x2000 + (c - 'a'));
}
constexpr char16_t ziffer(int d)
{
    return char16_t(0x1000 + d);
}

enum Akzent : uint8_t {
    Keiner = 0,
    Gravis,
    Akut,
    Zirkumflex,
    Tilde,
    Trema,
    Ring,
    Cedille,
    Strich,
    Ligatur,
    Hochgestellt,
    Sonstiger
};

struct Gewicht
{
    char16_t p1 = 0;
    char16_t p2 = 0; // second primary weight of a letter that sorts as two ("ß" as "ss")
    uint8_t s = 0;
};

std::array<Gewicht, 256> latin1Tabelle()
{
    std::array<Gewicht, 256> t{};
    for (int c = 0; c < 256; ++c) {
        Gewicht& g = t[c];
        if (c < 0x20)
            g.p1 = char16_t(0x10 + c);
        else if (c >= 0x80 && c < 0xA0)
            g.p1 = char16_t(0x30 + (c - 0x80));
        else if (c == 0x7F)
            g.p1 = char16_t(0x50);
        else if (c >= '0' && c <= '9')
            g.p1 = ziffer(c - '0');
        else if (c >= 'a' && c <= 'z')
            g.p1 = buchstabe(char(c));
        else if (c >= 'A' && c <= 'Z')
            g.p1 = buchstabe(char(c - 'A' + 'a'));
        else
            g.p1 = char16_t(0x100 + c);
    }
    auto setze = [&](int c, char basis, uint8_t akzent, char zweiter = 0) {
        t[c].p1 = buchstabe(basis);
        t[c].p2 = zweiter ? buchstabe(zweiter) : 0;
        t[c].s = akzent;
    };
    // Upper and lower case letters of Latin-1 lie 0x20 apart.
    for (int gross : {0xC0, 0xE0}) {
        setze(gross + 0x00, 'a', Gravis);
        setze(gross + 0x01, 'a', Akut);
        setze(gross + 0x02, 'a', Zirkumflex);
        setze(gross + 0x03, 'a', Tilde);
        setze(gross + 0x04, 'a', Trema);
        setze(gross + 0x05, 'a', Ring);
        setze(gross + 0x06, 'a', Ligatur, 'e');
        setze(gross + 0x07, 'c', Cedille);
        setze(gross + 0x08, 'e', Gravis);
        setze(gross + 0x09, 'e', Akut);
        setze(gross + 0x0A, 'e', Zirkumflex);
        setze(gross + 0x0B, 'e', Trema);
        setze(gross + 0x0C, 'i', Gravis);
        setze(gross + 0x0D, 'i', Akut);
        setze(gross + 0x0E, 'i', Zirkumflex);
        setze(gross + 0x0F, 'i', Trema);
        setze(gross + 0x10, 'd', Strich);
        setze(gross + 0x11, 'n', Tilde);
        setze(gross + 0x12, 'o', Gravis);
        setze(gross + 0x13, 'o', Akut);
        setze(gross + 0x14, 'o', Zirkumflex);
        setze(gross + 0x15, 'o', Tilde);
        setze(gross + 0x16, 'o', Trema);
        // 0xD7 multiplication sign and 0xF7 division sign stay symbols
        setze(gross + 0x18, 'o', Strich);
        setze(gross + 0x19, 'u', Gravis);
        setze(gross + 0x1A, 'u', Akut);
        setze(gross + 0x1B, 'u', Zirkumflex);
        setze(gross + 0x1C, 'u', Trema);
        setze(gross + 0x1D, 'y', Akut);
        setze(gross + 0x1E, 't', Ligatur, 'h');
    }
    setze(0xDF, 's', Ligatur, 's'); // ß
    setze(0xFF, 'y', Trema);        // ÿ
    // Superscript digits beside their digits.
    t[0xB9] = {ziffer(1), 0, Hochgestellt};
    t[0xB2] = {ziffer(2), 0, Hochgestellt};
    t[0xB3] = {ziffer(3), 0, Hochgestellt};
    return t;
}

const std::array<Gewicht, 256>& latin1()
{
    static const std::array<Gewicht, 256> t = latin1Tabelle();
    return t;
}

// Characters beyond Latin-1: the letters of Windows-1252 by table, other
// letters by their decomposition into a Latin base letter where there is one.
Gewicht gewichtWeiter(char16_t c)
{
    switch (c) {
    case 0x0152:
    case 0x0153:
        return {buchstabe('o'), buchstabe('e'), Ligatur}; // Œ œ
    case 0x0160:
    case 0x0161:
        return {buchstabe('s'), 0, Sonstiger}; // Š š
    case 0x017D:
    case 0x017E:
        return {buchstabe('z'), 0, Sonstiger}; // Ž ž
    case 0x0178:
        return {buchstabe('y'), 0, Trema}; // Ÿ
    case 0x0192:
        return {buchstabe('f'), 0, Sonstiger}; // ƒ
    default:
        break;
    }
    const QChar q(c);
    if (q.isLetter()) {
        const QString zerlegt = q.decomposition();
        if (!zerlegt.isEmpty() && zerlegt.at(0).unicode() < 0x80 && zerlegt.at(0).isLetter())
            return {buchstabe(char(zerlegt.at(0).toLower().unicode())), 0, Sonstiger};
        return {char16_t(0x4000 + (c >> 2)), 0, uint8_t(Sonstiger + 1 + (c & 3))};
    }
    if (q.isDigit() && q.digitValue() >= 0)
        return {ziffer(q.digitValue()), 0, Sonstiger};
    return {char16_t(0x200 + std::min<int>(c >> 4, 0xDFF)), 0, uint8_t(Sonstiger + 1 + (c & 15))};
}

struct Puffer
{
    std::u16string p;
    std::basic_string<uint8_t> s;
    bool hatS = false;

    void anhaengen(char16_t gewicht, uint8_t akzent)
    {
        p.push_back(gewicht);
        s.push_back(akzent);
        hatS |= akzent != 0;
    }
    void zeichen(QChar q)
    {
        const char16_t c = q.unicode();
        const Gewicht g = c < 256 ? latin1()[c] : gewichtWeiter(c);
        anhaengen(g.p1, g.s);
        if (g.p2)
            anhaengen(g.p2, g.s);
    }
    void text(QStringView t)
    {
        for (QChar q : t)
            zeichen(q);
    }
    void leeren()
    {
        p.clear();
        s.clear();
        hatS = false;
    }
};

// Blanks around a field do not count; a field of blanks (the one blank of an
// empty field 0) counts as empty.
QStringView ohneRandBlanks(QStringView t)
{
    qsizetype a = 0, e = t.size();
    while (a < e && t.at(a) == QLatin1Char(' '))
        ++a;
    while (e > a && t.at(e - 1) == QLatin1Char(' '))
        --e;
    return t.mid(a, e - a);
}

bool istDatumsfeld(int feld)
{
    return feld == zadressbuch::ErstelltAm || feld == zadressbuch::GeaendertAm || feld == zadressbuch::Geburtstag;
}

// A date "d.m.yyyy" (day and month with one or two digits; a two-digit year
// counts 30..99 as 19xx and 00..29 as 20xx) as yyyymmdd; -1 for anything else.
int datumWert(QStringView t)
{
    int teile[3] = {0, 0, 0};
    int stellen[3] = {0, 0, 0};
    int k = 0;
    for (QChar q : t) {
        if (q == QLatin1Char('.')) {
            if (++k > 2)
                return -1;
        } else if (q.unicode() >= '0' && q.unicode() <= '9') {
            if (++stellen[k] > 4)
                return -1;
            teile[k] = teile[k] * 10 + (q.unicode() - '0');
        } else {
            return -1;
        }
    }
    if (k != 2 || stellen[0] < 1 || stellen[0] > 2 || stellen[1] < 1 || stellen[1] > 2)
        return -1;
    int jahr = teile[2];
    if (stellen[2] == 2)
        jahr += jahr >= 30 ? 1900 : 2000;
    else if (stellen[2] != 4)
        return -1;
    if (!QDate::isValid(jahr, teile[1], teile[0]))
        return -1;
    return jahr * 10000 + teile[1] * 100 + teile[0];
}

// The raw fields of an entry (views into it), as the sort splits it: the text
// up to each separator; missing fields empty, fields beyond the 24th dropped.
void felderRoh(QStringView eintrag, std::array<QStringView, FeldAnzahl>& felder)
{
    int k = 0;
    qsizetype start = 0;
    while (k < FeldAnzahl) {
        const qsizetype tab = eintrag.indexOf(Feldtrenner, start);
        if (tab < 0) {
            felder[k++] = eintrag.mid(start);
            break;
        }
        felder[k++] = eintrag.mid(start, tab - start);
        start = tab + 1;
    }
    for (; k < FeldAnzahl; ++k)
        felder[k] = QStringView();
}

// The key of one entry: all 24 fields from the sort field on, wrapping round,
// each ended by FeldEnde.
void schluesselBilden(QStringView eintrag, int feld, Puffer& b)
{
    std::array<QStringView, FeldAnzahl> felder;
    felderRoh(eintrag, felder);
    b.leeren();
    for (int i = 0; i < FeldAnzahl; ++i) {
        const int f = (feld + i) % FeldAnzahl;
        const QStringView wert = ohneRandBlanks(felder[f]);
        if (i == 0 && istDatumsfeld(f) && !wert.isEmpty()) {
            const int datum = datumWert(wert);
            if (datum < 0) {
                b.anhaengen(MarkeKeinDatum, 0);
                b.text(wert);
            } else {
                b.anhaengen(MarkeDatum, 0);
                for (int teiler = 10000000; teiler > 0; teiler /= 10)
                    b.anhaengen(ziffer(datum / teiler % 10), 0);
            }
        } else {
            b.text(wert);
        }
        b.anhaengen(FeldEnde, 0);
    }
}

void fortschritt(int wert)
{
    if (anbindung().Fortschritt)
        anbindung().Fortschritt(wert);
}

} // namespace

std::u16string Vergleichsschluessel(QStringView text)
{
    Puffer b;
    b.text(text);
    std::u16string k = b.p;
    k.push_back(FeldEnde);
    for (uint8_t a : b.s)
        k.push_back(char16_t(a));
    return k;
}

std::vector<int> SortierReihenfolge(const QStringList& eintraege, int feld)
{
    if (feld < 0 || feld >= FeldAnzahl)
        return {};
    const int n = int(eintraege.size());

    // Keys of all entries, built once, in two flat buffers.
    struct Schluessel
    {
        uint32_t pAnfang = 0, laenge = 0, sAnfang = 0;
        bool hatS = false;
    };
    std::vector<Schluessel> schluessel(static_cast<size_t>(n));
    std::u16string primaer;
    std::basic_string<uint8_t> sekundaer;
    primaer.reserve(size_t(n) * 64);
    Puffer b;
    for (int i = 0; i < n; ++i) {
        schluesselBilden(eintraege.at(i), feld, b);
        Schluessel& k = schluessel[size_t(i)];
        k.pAnfang = uint32_t(primaer.size());
        k.laenge = uint32_t(b.p.size());
        primaer.append(b.p);
        k.hatS = b.hatS;
        if (b.hatS) {
            k.sAnfang = uint32_t(sekundaer.size());
            sekundaer.append(b.s);
        }
        if ((i & 4095) == 4095)
            fortschritt(int(45LL * i / n));
    }

    std::vector<int> reihenfolge(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        reihenfolge[size_t(i)] = i;
    const char16_t* p = primaer.data();
    const uint8_t* s = sekundaer.data();
    std::stable_sort(reihenfolge.begin(), reihenfolge.end(), [&](int a, int c) {
        const Schluessel& ka = schluessel[size_t(a)];
        const Schluessel& kc = schluessel[size_t(c)];
        const int v =
            std::u16string_view(p + ka.pAnfang, ka.laenge).compare(std::u16string_view(p + kc.pAnfang, kc.laenge));
        if (v != 0)
            return v < 0;
        // Equal primary keys have equal lengths; accents decide, a key
        // without any coming first.
        if (!ka.hatS || !kc.hatS)
            return !ka.hatS && kc.hatS;
        return std::memcmp(s + ka.sAnfang, s + kc.sAnfang, ka.laenge) < 0;
    });
    return reihenfolge;
}

QString AufFeldanzahl(const QString& eintrag)
{
    if (eintrag.count(Feldtrenner) == FeldAnzahl && eintrag.endsWith(Feldtrenner))
        return eintrag;
    std::array<QStringView, FeldAnzahl> felder;
    felderRoh(eintrag, felder);
    QString neu;
    neu.reserve(eintrag.size() + FeldAnzahl);
    for (const QStringView& f : felder) {
        neu.append(f);
        neu.append(Feldtrenner);
    }
    return neu;
}

bool Sortieren(zadressbuch::AdressListe& liste, int feld)
{
    if (feld < 0 || feld >= FeldAnzahl)
        return false;
    zplatform::Plattform& p = zplatform::plattform();
    p.sanduhr(true);
    zadressbuch::sitzung().Geaendert = 1;
    zadressbuch::Status_Setzen(QStringLiteral("Sortiere Adressen..."));
    fortschritt(0);

    const int gewaehlt = liste.ListIndex();
    const QStringList& alt = liste.eintraege();
    const std::vector<int> reihenfolge = SortierReihenfolge(alt, feld);

    // The sorted list is complete before it replaces the old one.
    QStringList neu;
    neu.reserve(alt.size());
    int neuGewaehlt = -1;
    const int n = int(reihenfolge.size());
    for (int k = 0; k < n; ++k) {
        const int i = reihenfolge[size_t(k)];
        neu.append(AufFeldanzahl(alt.at(i)));
        if (i == gewaehlt)
            neuGewaehlt = k;
        if ((k & 4095) == 4095)
            fortschritt(50 + int(50LL * k / n));
    }
    fortschritt(100);
    liste.setEintraege(std::move(neu));
    if (neuGewaehlt >= 0)
        liste.setListIndex(neuGewaehlt);

    zadressbuch::Status_Setzen(QStringLiteral("Bereit"));
    fortschritt(-1);
    p.sanduhr(false);
    return true;
}

int SortAtClose_Feld(const QString& wert)
{
    bool ok = false;
    const int feld = wert.trimmed().toInt(&ok, 10);
    if (!ok || feld < 0 || feld >= FeldAnzahl)
        return -1;
    return feld;
}

} // namespace zbefehle
