#include "platform/codec.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace zplatform {

namespace {

// 0x80..0x9F; the five bytes without a character keep their own code point.
constexpr char16_t k_8x9x[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

struct Tabellen
{
    std::array<char16_t, 256> aus{};
    // Code points up to U+2122 (the highest one used); 0 = not encodable
    // (U+0000 itself is handled before the lookup).
    static constexpr unsigned k_grenze = 0x2123;
    std::array<std::uint8_t, k_grenze> nach{};

    Tabellen()
    {
        for (unsigned b = 0; b < 256; ++b)
            aus[b] = (b >= 0x80 && b < 0xA0) ? k_8x9x[b - 0x80] : char16_t(b);
        for (unsigned b = 1; b < 256; ++b)
            nach[aus[b]] = std::uint8_t(b);
    }
};

const Tabellen& tabellen()
{
    static const Tabellen t;
    return t;
}

inline int kodieren(const Tabellen& t, char16_t c)
{
    if (c == 0)
        return 0;
    if (c < Tabellen::k_grenze && t.nach[c] != 0)
        return t.nach[c];
    return -1;
}

} // namespace

qsizetype markenLaenge(const char* bytes, qsizetype laenge)
{
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    if (laenge >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF)
        return 3;
    if (laenge >= 2 && ((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF)))
        return 2;
    return 0;
}

QString ausUtf8(const char* bytes, qsizetype laenge)
{
    // QString::fromUtf8 would drop a mark at the start.
    QString vorne;
    while (laenge >= 3 && std::memcmp(bytes, "\xEF\xBB\xBF", 3) == 0) {
        vorne += QChar(0xFEFF);
        bytes += 3;
        laenge -= 3;
    }
    return vorne.isEmpty() ? QString::fromUtf8(bytes, laenge) : vorne + QString::fromUtf8(bytes, laenge);
}

const char* kodierungVon(const char* bytes, qsizetype laenge)
{
    switch (markenLaenge(bytes, laenge)) {
    case 3:
        return "UTF-8";
    case 2:
        return static_cast<unsigned char>(bytes[0]) == 0xFF ? "UTF-16LE" : "UTF-16BE";
    default:
        return "Windows-1252";
    }
}

QByteArray nachKodierung(const QString& text, const char* kodierung, qsizetype* ersterFehler)
{
    const QByteArrayView k(kodierung);
    if (k == "UTF-8" || k == "UTF-16LE" || k == "UTF-16BE") {
        if (ersterFehler)
            *ersterFehler = -1;
        if (k == "UTF-8")
            return text.toUtf8();
        const bool le = k == "UTF-16LE";
        QByteArray bytes(text.size() * 2, Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t c = text.at(i).unicode();
            bytes[2 * i + (le ? 0 : 1)] = char(c & 0xFF);
            bytes[2 * i + (le ? 1 : 0)] = char(c >> 8);
        }
        return bytes;
    }
    return nachWindows1252(text, ersterFehler);
}

QString ausDateiBytes(const QByteArray& bytes, const char** kodierung)
{
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    const qsizetype marke = markenLaenge(bytes.constData(), n);
    if (kodierung)
        *kodierung = kodierungVon(bytes.constData(), n);
    if (marke == 3)
        return ausUtf8(bytes.constData() + 3, n - 3);
    if (marke == 0)
        return ausWindows1252(bytes);
    // UTF-16; an odd last byte cannot form a character: it is left out.
    const bool le = b[0] == 0xFF;
    QString text((n - 2) / 2, Qt::Uninitialized);
    QChar* ziel = text.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const unsigned char erstes = b[2 + 2 * i], zweites = b[3 + 2 * i];
        ziel[i] = QChar(char16_t(le ? (zweites << 8 | erstes) : (erstes << 8 | zweites)));
    }
    return text;
}

QString ausWindows1252(const QByteArray& bytes)
{
    return ausWindows1252(bytes.constData(), bytes.size());
}

QString ausWindows1252(const char* bytes, qsizetype laenge)
{
    // Windows-1252 is Latin-1 but for 0x80..0x9F: the fast Latin-1 decoding
    // first, then those few bytes from the table.
    QString text = QString::fromLatin1(bytes, laenge);
    const Tabellen& t = tabellen();
    const auto* quelle = reinterpret_cast<const unsigned char*>(bytes);
    QChar* ziel = nullptr;
    qsizetype i = 0;
    // Eight bytes at a time: a byte 100xxxxx has bit 7 set and bits 6 and 5
    // clear; shifting by one and two brings bits 6 and 5 of each byte to its bit 7.
    constexpr quint64 Hoch = 0x8080808080808080ULL;
    for (; i + 8 <= laenge; i += 8) {
        quint64 w;
        std::memcpy(&w, quelle + i, 8);
        if ((w & ~(w << 1) & ~(w << 2) & Hoch) == 0)
            continue;
        for (qsizetype k = i; k < i + 8; ++k) {
            if ((quelle[k] & 0xE0) == 0x80) {
                if (!ziel)
                    ziel = text.data();
                ziel[k] = QChar(t.aus[quelle[k]]);
            }
        }
    }
    for (; i < laenge; ++i) {
        if ((quelle[i] & 0xE0) == 0x80) {
            if (!ziel)
                ziel = text.data();
            ziel[i] = QChar(t.aus[quelle[i]]);
        }
    }
    return text;
}

int windows1252Byte(QChar c)
{
    return kodieren(tabellen(), c.unicode());
}

QByteArray nachWindows1252(const QString& text, qsizetype* ersterFehler)
{
    const Tabellen& t = tabellen();
    if (ersterFehler)
        *ersterFehler = -1;
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* ziel = bytes.data();
    qsizetype laenge = 0;
    const QChar* quelle = text.constData();
    for (qsizetype i = 0, n = text.size(); i < n; ++i) {
        const char16_t c = quelle[i].unicode();
        int b = kodieren(t, c);
        if (b < 0) {
            if (ersterFehler && *ersterFehler < 0)
                *ersterFehler = i;
            b = '?';
            // A character outside the basic plane is one character, not two.
            if (QChar::isHighSurrogate(c) && i + 1 < n && quelle[i + 1].isLowSurrogate())
                ++i;
        }
        ziel[laenge++] = char(b);
    }
    bytes.truncate(laenge);
    return bytes;
}

bool istWindows1252(QChar c)
{
    return kodieren(tabellen(), c.unicode()) >= 0;
}

bool istWindows1252(const QString& text)
{
    const Tabellen& t = tabellen();
    for (QChar c : text) {
        if (kodieren(t, c.unicode()) < 0)
            return false;
    }
    return true;
}

namespace {

// The text with each character the code page does not hold (a pair of
// surrogates is one) given to fuer, which says what stands in its place.
template <typename Fuer> QString fremdeErsetzen(const QString& text, Fuer fuer)
{
    const Tabellen& t = tabellen();
    QString aus;
    aus.reserve(text.size());
    for (qsizetype i = 0, n = text.size(); i < n; ++i) {
        const QChar c = text.at(i);
        if (kodieren(t, c.unicode()) >= 0) {
            aus += c;
            continue;
        }
        QString zeichen(c);
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate())
            zeichen += text.at(++i);
        aus += fuer(t, zeichen);
    }
    return aus;
}

void notieren(QString* liste, const QString& zeichen)
{
    if (liste && !liste->contains(zeichen))
        *liste += zeichen;
}

} // namespace

QString nurWindows1252(const QString& text, QString* ersetzt)
{
    if (istWindows1252(text))
        return text;
    return fremdeErsetzen(text, [ersetzt](const Tabellen&, const QString& zeichen) {
        notieren(ersetzt, zeichen);
        return QStringLiteral("?");
    });
}

namespace {

// Latin letters without a canonical decomposition, and signs that stand
// for one of the code page (the capital ẞ, which Windows types as ß).
QString ohneZerlegung(char32_t c)
{
    struct Paar
    {
        char32_t zeichen;
        char16_t ersatz;
    };
    static constexpr Paar paare[] = {
        {0x0110, 'D'}, {0x0111, 'd'}, {0x0126, 'H'}, {0x0127, 'h'}, {0x0131, 'i'},  {0x0141, 'L'}, {0x0142, 'l'},
        {0x0166, 'T'}, {0x0167, 't'}, {0x0180, 'b'}, {0x0197, 'I'}, {0x01B5, 'Z'},  {0x01B6, 'z'}, {0x01E4, 'G'},
        {0x01E5, 'g'}, {0x0243, 'B'}, {0x0246, 'E'}, {0x0247, 'e'}, {0x0248, 'J'},  {0x0249, 'j'}, {0x024C, 'R'},
        {0x024D, 'r'}, {0x024E, 'Y'}, {0x024F, 'y'}, {0x0268, 'i'}, {0x1E9E, u'ß'}, {0x2212, '-'},
    };
    for (const Paar& p : paare)
        if (p.zeichen == c)
            return QString(QChar(p.ersatz));
    return QString();
}

// What stands for one character the code page does not hold (empty: nothing).
QString ersatzFuer(const Tabellen& t, const QString& zeichen)
{
    const char32_t c =
        zeichen.size() == 2 ? QChar::surrogateToUcs4(zeichen.at(0), zeichen.at(1)) : zeichen.at(0).unicode();
    const QString fest = ohneZerlegung(c);
    if (!fest.isEmpty())
        return fest;
    switch (QChar::category(c)) {
    case QChar::Separator_Space:
        return QStringLiteral(" ");
    case QChar::Punctuation_Dash:
        return QStringLiteral("-");
    case QChar::Letter_Uppercase:
    case QChar::Letter_Lowercase:
    case QChar::Letter_Titlecase:
    case QChar::Number_DecimalDigit:
        break;
    default:
        return QString();
    }
    // The base letters (or digits) of the compatibility form, without their accents.
    QString basis;
    for (QChar z : zeichen.normalized(QString::NormalizationForm_KD)) {
        if (z.category() == QChar::Mark_NonSpacing || z.category() == QChar::Mark_SpacingCombining ||
            z.category() == QChar::Mark_Enclosing)
            continue;
        if (kodieren(t, z.unicode()) < 0 || !z.isLetterOrNumber())
            return QString();
        basis += z;
    }
    return basis;
}

} // namespace

QString windows1252Angenaehert(const QString& text, QString* ersetzt, QString* weggelassen)
{
    if (istWindows1252(text))
        return text;
    // An accent given apart from its letter joins it first.
    return fremdeErsetzen(text.normalized(QString::NormalizationForm_C),
                          [ersetzt, weggelassen](const Tabellen& t, const QString& zeichen) {
                              const QString ersatz = ersatzFuer(t, zeichen);
                              notieren(ersatz.isEmpty() ? weggelassen : ersetzt, zeichen);
                              return ersatz;
                          });
}

QString windows1252AngenaehertMitPlatzhalter(const QString& text, QChar platzhalter, qsizetype* geaendert)
{
    if (geaendert)
        *geaendert = 0;
    if (istWindows1252(text))
        return text;
    return fremdeErsetzen(text.normalized(QString::NormalizationForm_C),
                          [platzhalter, geaendert](const Tabellen& t, const QString& zeichen) {
                              if (geaendert)
                                  ++*geaendert;
                              const QString ersatz = ersatzFuer(t, zeichen);
                              return ersatz.isEmpty() ? QString(platzhalter) : ersatz;
                          });
}

} // namespace zplatform
