#include "common/kollation.h"

#include <QChar>
#include <QString>

#include <algorithm>
#include <array>

namespace zcommon {

namespace {

constexpr char16_t buchstabe(char c)
{
    return char16_t(0x2000 + (c - 'a'));
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

} // namespace

void Kollationspuffer::zeichen(QChar q)
{
    const char16_t c = q.unicode();
    const Gewicht g = c < 256 ? latin1()[c] : gewichtWeiter(c);
    anhaengen(g.p1, g.s);
    if (g.p2)
        anhaengen(g.p2, g.s);
}

std::u16string Vergleichsschluessel(QStringView text)
{
    Kollationspuffer b;
    b.text(text);
    std::u16string k = b.p;
    k.push_back(FeldEnde);
    for (uint8_t a : b.s)
        k.push_back(char16_t(a));
    return k;
}

} // namespace zcommon
