#pragma once
// German collation of texts as the sorts of the program compare them: case
// and accents are ignored first ("Ä" sorts with "A", "ß" as "ss") and tell
// apart only what is otherwise equal; digits before letters, punctuation and
// symbols before digits. Windows-1252 letters by table, other letters by
// their Latin base letter.

#include <QStringView>

#include <cstdint>
#include <string>

namespace zcommon {

// Primary weights (the order of the characters, case and accents ignored):
//   1               end of a field
//   0x0010..0x00AF  control characters
//   0x0100..0x01FF  blank, punctuation and symbols of Latin-1 (by code)
//   0x0200..0x0FFF  other punctuation and symbols (by code, 16 codes a weight)
//   0x1000..0x1009  digits
//   0x2000..0x2019  letters a..z (umlauts and accented letters share them)
//   0x4000..0x7FFF  other letters (by code, 4 codes a weight)
// Secondary weights tell apart what shares a primary weight: 0 the plain
// character, otherwise its accent (or the low bits of the code).
constexpr char16_t FeldEnde = 1;

constexpr char16_t ziffer(int d)
{
    return char16_t(0x1000 + d);
}

// Collects the primary weights (p) and the secondary weights (s) of texts.
struct Kollationspuffer
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
    void zeichen(QChar q);
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

// The collation key of one text: texts compare like their keys.
std::u16string Vergleichsschluessel(QStringView text);

} // namespace zcommon
