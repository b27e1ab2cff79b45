#pragma once
// Helpers shared by the text rules (common/texte_*.cpp); not for other folders.

#include <QString>

namespace zcommon::intern {

constexpr char16_t Blank = u' ';

inline bool istZiffer(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// --- Windows-1252 case mapping ---------------------------------------------

inline char16_t gross(char16_t c)
{
    if (c < 0x80) {
        return (c >= u'a' && c <= u'z') ? char16_t(c - 0x20) : c;
    }
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return char16_t(c - 0x20);
    switch (c) {
    case 0xFF:
        return 0x178; // ÿ -> Ÿ
    case 0x161:
        return 0x160; // š -> Š
    case 0x153:
        return 0x152; // œ -> Œ
    case 0x17E:
        return 0x17D; // ž -> Ž
    case 0xDF:        // ß has no capital in Windows-1252
    case 0xB5:        // µ stays
    case 0x192:       // ƒ stays
        return c;
    default:
        break;
    }
    if (c < 0x100)
        return c;
    // Outside Windows-1252: the general Unicode rule.
    return QChar(c).toUpper().unicode();
}

inline char16_t klein(char16_t c)
{
    if (c < 0x80) {
        return (c >= u'A' && c <= u'Z') ? char16_t(c + 0x20) : c;
    }
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return char16_t(c + 0x20);
    switch (c) {
    case 0x178:
        return 0xFF;
    case 0x160:
        return 0x161;
    case 0x152:
        return 0x153;
    case 0x17D:
        return 0x17E;
    default:
        break;
    }
    if (c < 0x100)
        return c;
    return QChar(c).toLower().unicode();
}

template <char16_t (*Abbildung)(char16_t)> inline QString abbilden(const QString& text)
{
    const char16_t* p = reinterpret_cast<const char16_t*>(text.constData());
    const qsizetype n = text.size();
    qsizetype i = 0;
    // Most texts are already in the wanted case: hand them back shared.
    while (i < n && Abbildung(p[i]) == p[i])
        ++i;
    if (i == n)
        return text;
    QString ergebnis = text;
    char16_t* q = reinterpret_cast<char16_t*>(ergebnis.data());
    for (; i < n; ++i)
        q[i] = Abbildung(q[i]);
    return ergebnis;
}

inline bool istBlankOderUmbruch(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

} // namespace zcommon::intern
