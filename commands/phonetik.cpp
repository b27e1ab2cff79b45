#include "commands/phonetik.h"

#include "common/texte.h"

#include <array>
#include <string>

namespace zbefehle {

namespace {

constexpr PhonetikRegel regeln[PhonetikRegelAnzahl] = {
    {u"ce", u"ze"}, {u"ci", u"zi"}, {u"cy", u"zy"}, {u"cä", u"zä"}, {u"cö", u"zö"}, {u"ay", u"ei"}, {u"ey", u"ei"},
    {u"ae", u"ei"}, {u"ai", u"ei"}, {u"ou", u"au"}, {u"ch", u"k"},  {u"c", u"k"},   {u"ieh", u"i"}, {u"ie", u"i"},
    {u"ah", u"a"},  {u"eh", u"e"},  {u"ih", u"i"},  {u"oh", u"o"},  {u"uh", u"u"},  {u"rh", u"r"},  {u"ph", u"f"},
    {u"th", u"t"},  {u"ß", u"ss"},  {u"t", u"d"},   {u"n", u"m"},   {u"v", u"f"},   {u"w", u"f"},   {u"y", u"i"},
    {u"ä", u"a"},   {u"ö", u"o"},   {u"ü", u"u"},
};

const QString Grundzeichen = QStringLiteral("0123456789abcdefghijklmnopqrstuvwxyzäöüß;,\t\n\r");

// Lower case as the program's LCase gives it, as a table for the characters
// below 0x180 (every letter of Windows-1252); the allowed set as flags.
struct Tabellen
{
    std::array<char16_t, 0x180> klein{};
    std::array<bool, 0x100> erlaubt{};
    // Per rule the characters of its find text, as a set of 256 bits.
    std::array<std::array<quint64, 4>, PhonetikRegelAnzahl> regelZeichen{};
    Tabellen()
    {
        for (int r = 0; r < PhonetikRegelAnzahl; ++r)
            for (const char16_t* z = regeln[r].suche; *z; ++z)
                regelZeichen[size_t(r)][(*z >> 6) & 3] |= quint64(1) << (*z & 63);
        for (char16_t c = 0; c < 0x180; ++c) {
            const QString k = zcommon::LCase(QString(QChar(c)));
            klein[c] = k.size() == 1 ? k.at(0).unicode() : c;
        }
        for (QChar c : Grundzeichen)
            erlaubt[c.unicode()] = true;
    }
};

const Tabellen& tabellen()
{
    static const Tabellen t;
    return t;
}

inline bool digitOderTab(char16_t c)
{
    return (c >= u'0' && c <= u'9') || c == u'\t';
}

// One substitution on the buffer, with the cascade of Phonetik_Ersetze: after
// a replacement at p, a new occurrence can only start from p - len + 1 on,
// since nothing before p matched.
void ersetzen(std::u16string& text, std::u16string_view suche, std::u16string_view ersatz)
{
    if (suche.empty())
        return;
    if (suche.size() == 1 && ersatz.size() == 1) {
        for (char16_t& c : text)
            if (c == suche[0])
                c = ersatz[0];
        return;
    }
    std::size_t ab = 0;
    for (;;) {
        // The next occurrence from ab on (a plain loop: the texts are short).
        const std::size_t n = text.size();
        const std::size_t m = suche.size();
        std::size_t p = std::u16string::npos;
        for (std::size_t i = ab; i + m <= n; ++i) {
            if (text[i] != suche[0])
                continue;
            std::size_t k = 1;
            while (k < m && text[i + k] == suche[k])
                ++k;
            if (k == m) {
                p = i;
                break;
            }
        }
        if (p == std::u16string::npos)
            return;
        text.replace(p, m, ersatz);
        ab = p + 1 >= m ? p + 1 - m : 0;
    }
}

void zusammenziehen(const std::u16string& text, QString& ziel)
{
    char16_t letztes = ziel.isEmpty() ? char16_t(0) : ziel.back().unicode();
    bool erstes = ziel.isEmpty();
    const qsizetype alt = ziel.size();
    ziel.resize(alt + qsizetype(text.size()));
    char16_t* z = reinterpret_cast<char16_t*>(ziel.data()) + alt;
    qsizetype k = 0;
    for (char16_t c : text) {
        if (erstes || digitOderTab(c) || c != letztes) {
            z[k++] = c;
            letztes = c;
            erstes = false;
        }
    }
    ziel.resize(alt + k);
}

} // namespace

const PhonetikRegel* Phonetik_Regeln()
{
    return regeln;
}

QString Phonetik_Ersetze(QString& text, const QString& suche, const QString& ersatz)
{
    if (suche.isEmpty())
        return text;
    if (suche.size() == 1 && ersatz.size() == 1) {
        text.replace(suche.at(0), ersatz.at(0));
        return text;
    }
    qsizetype ab = 0;
    for (;;) {
        const qsizetype p = text.indexOf(suche, ab, Qt::CaseSensitive);
        if (p < 0)
            return text;
        text.replace(p, suche.size(), ersatz);
        ab = qMax<qsizetype>(0, p - suche.size() + 1);
    }
}

QString Phonetik_Code(QString& text, const QString& extra)
{
    const QString klein = zcommon::Trim(zcommon::LCase(text));
    if (klein.isEmpty())
        return QString();
    const QString erlaubt = extra.isEmpty() ? Grundzeichen : Grundzeichen + extra;
    text = klein;

    QString gefiltert;
    gefiltert.reserve(klein.size());
    for (QChar c : klein)
        if (erlaubt.contains(c))
            gefiltert.append(c);

    for (const PhonetikRegel& r : regeln)
        Phonetik_Ersetze(gefiltert, QString::fromUtf16(r.suche), QString::fromUtf16(r.ersatz));
    text = gefiltert;

    QString schluessel;
    for (QChar c : gefiltert) {
        const char16_t u = c.unicode();
        if (schluessel.isEmpty() || digitOderTab(u) || c != schluessel.back())
            schluessel.append(c);
    }
    return schluessel;
}

QString Phonetik_Schluessel(const QString& text, const QString& extra)
{
    QString kopie = text;
    return Phonetik_Code(kopie, extra);
}

void Phonetik_FeldAnhaengen(QStringView feld, QString& ziel)
{
    const Tabellen& t = tabellen();
    // One buffer for all calls: the walks call this for every field of the list.
    static thread_local std::u16string puffer;
    puffer.clear();
    // Which characters occur (every kept character lies below 0x100): a rule
    // lacking one of its characters is skipped. A replacement only adds
    // characters to the set, so it never misses one.
    std::array<quint64, 4> vorhanden{};
    auto merken = [&](char16_t c) { vorhanden[(c >> 6) & 3] |= quint64(1) << (c & 63); };
    auto nehmen = [&](char16_t c) {
        if (c < 0x100 && t.erlaubt[c]) {
            puffer.push_back(c);
            merken(c);
        }
    };
    for (QChar q : feld) {
        const char16_t c = q.unicode();
        if (c < 0x180) {
            nehmen(t.klein[c]);
        } else {
            // Outside Windows-1252's letters: whatever the case rule makes of it.
            for (QChar k : zcommon::LCase(QString(q)))
                nehmen(k.unicode());
        }
    }
    if (puffer.empty())
        return;
    for (int i = 0; i < PhonetikRegelAnzahl; ++i) {
        const PhonetikRegel& r = regeln[i];
        const auto& noetig = t.regelZeichen[size_t(i)];
        if ((vorhanden[0] & noetig[0]) != noetig[0] || (vorhanden[1] & noetig[1]) != noetig[1] ||
            (vorhanden[2] & noetig[2]) != noetig[2] || (vorhanden[3] & noetig[3]) != noetig[3])
            continue;
        const std::u16string_view ersatz(r.ersatz);
        ersetzen(puffer, r.suche, ersatz);
        for (char16_t c : ersatz)
            merken(c);
    }
    zusammenziehen(puffer, ziel);
}

} // namespace zbefehle
