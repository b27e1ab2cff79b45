// The content of a settings file: its bytes and the places of its sections
// and keys (see ini_inhalt.h).

#include "common/ini_inhalt.h"

#include "platform/codec.h"

#include <QHashFunctions>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>

namespace zcommon::ini_intern {

// ---- names and values ----------------------------------------------------------------

namespace {

bool istLeer(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool istLeer(char c)
{
    return c == ' ' || c == '\t';
}

// Windows-1252 reads the UTF-8 byte-order mark as these three characters.
const QString Utf8Marke = QStringLiteral("\u00EF\u00BB\u00BF");

} // namespace

QString beschneiden(QStringView s)
{
    qsizetype a = 0, e = s.size();
    while (a < e && istLeer(s[a]))
        ++a;
    while (e > a && istLeer(s[e - 1]))
        --e;
    return s.mid(a, e - a).toString();
}

QString normName(const QString& name)
{
    QString n = beschneiden(name);
    QChar* p = n.data();
    for (qsizetype i = 0, len = n.size(); i < len; ++i) {
        const char16_t u = p[i].unicode();
        if (u < 0x80) {
            if (u >= 'a' && u <= 'z')
                p[i] = QChar(char16_t(u - 32));
        } else {
            p[i] = p[i].toUpper();
        }
    }
    return n;
}

// A text that itself begins with the mark's three characters takes the UTF-8
// form too, so every text reads back as it was written.
QByteArray teilKodieren(const QString& text)
{
    if (!text.startsWith(Utf8Marke) && zplatform::istWindows1252(text))
        return zplatform::nachWindows1252(text);
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

QString teilDekodieren(const QString& gelesen)
{
    if (!gelesen.startsWith(Utf8Marke))
        return gelesen;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(zplatform::nachWindows1252(gelesen.mid(Utf8Marke.size())));
    return utf8.hasError() ? gelesen : text;
}

// ---- lines and names in the bytes ------------------------------------------------------

namespace {

// The lines of the bytes [ab, bis), bis being a line start or the end of the
// bytes. The next CR and LF are searched with memchr and remembered, so one
// pass costs one scan of the bytes whatever their line ends are.
class Zeilenleser
{
public:
    Zeilenleser(const QByteArray& bytes, qsizetype ab, qsizetype bis) : m_d(bytes.constData()), m_bis(bis), m_pos(ab) {}

    bool naechste(Zeile& z)
    {
        if (m_pos >= m_bis)
            return false;
        if (m_cr < m_pos)
            m_cr = finden('\r');
        if (m_lf < m_pos)
            m_lf = finden('\n');
        const qsizetype e = std::min(m_cr, m_lf);
        z.anfang = m_pos;
        z.inhaltEnde = e;
        if (e >= m_bis)
            z.ende = m_bis;
        else if (m_d[e] == '\r' && e + 1 < m_bis && m_d[e + 1] == '\n')
            z.ende = e + 2;
        else
            z.ende = e + 1;
        m_pos = z.ende;
        return true;
    }

private:
    qsizetype finden(char c) const
    {
        const void* f = std::memchr(m_d + m_pos, c, size_t(m_bis - m_pos));
        return f ? static_cast<const char*>(f) - m_d : m_bis;
    }

    const char* m_d;
    qsizetype m_bis;
    qsizetype m_pos;
    qsizetype m_cr = -1;
    qsizetype m_lf = -1;
};

// A name in the bytes, without blanks and tabs around it.
struct Bereich
{
    qsizetype von = 0;
    qsizetype bis = 0;
};

qsizetype ersteBelegte(const char* d, qsizetype von, qsizetype bis)
{
    while (von < bis && istLeer(d[von]))
        ++von;
    return von;
}

Bereich beschnitten(const char* d, qsizetype von, qsizetype bis)
{
    von = ersteBelegte(d, von, bis);
    while (bis > von && istLeer(d[bis - 1]))
        --bis;
    return {von, bis};
}

// The name of a header line, or none when the line is no header.
std::optional<Bereich> kopfName(const char* d, const Zeile& z)
{
    const qsizetype a = ersteBelegte(d, z.anfang, z.inhaltEnde);
    if (a >= z.inhaltEnde || d[a] != '[')
        return std::nullopt;
    qsizetype zu = z.inhaltEnde - 1;
    while (zu > a && d[zu] != ']')
        --zu;
    if (zu <= a)
        return std::nullopt;
    return beschnitten(d, a + 1, zu);
}

// The name of a key line, or none when the line holds no key (blank, a
// comment, no "=", nothing before it).
std::optional<Bereich> schluesselBereich(const char* d, const Zeile& z)
{
    const qsizetype a = ersteBelegte(d, z.anfang, z.inhaltEnde);
    if (a >= z.inhaltEnde || d[a] == ';')
        return std::nullopt;
    const void* zeichen = std::memchr(d + a, '=', size_t(z.inhaltEnde - a));
    if (!zeichen)
        return std::nullopt;
    const Bereich b = beschnitten(d, a, static_cast<const char*>(zeichen) - d);
    if (b.von >= b.bis)
        return std::nullopt;
    return b;
}

bool istAscii(const char* p, qsizetype n)
{
    for (qsizetype i = 0; i < n; ++i)
        if (static_cast<unsigned char>(p[i]) >= 0x80)
            return false;
    return true;
}

char gross(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 32) : c;
}

// FNV-1a over the UTF-16 units of a compared name, begun with the process's
// random hash seed and mixed at the end, so that no file can be made whose
// names all meet in the tables.
quint32 hashAnfang()
{
    static const quint32 anfang = 2166136261u ^ quint32(QHashSeed::globalSeed());
    return anfang;
}

quint32 hashSchritt(quint32 h, char16_t c)
{
    return (h ^ c) * 16777619u;
}

quint32 hashEnde(quint32 h)
{
    h ^= h >> 16;
    h *= 0x85ebca6bu;
    h ^= h >> 13;
    h *= 0xc2b2ae35u;
    return h ^ (h >> 16);
}

quint32 textHash(QStringView s)
{
    quint32 h = hashAnfang();
    for (QChar c : s)
        h = hashSchritt(h, c.unicode());
    return hashEnde(h);
}

// The compared form of a name in the bytes. A name of plain ASCII is its
// bytes in upper case; any other takes the whole way of the decoded name.
QString normVon(const char* d, Bereich b)
{
    return normName(teilDekodieren(zplatform::ausWindows1252(d + b.von, b.bis - b.von)));
}

// The hash of a name's compared form; false when that form is empty (a
// lone byte-order mark, which names no key).
bool namensHash(const char* d, Bereich b, quint32& hash)
{
    const qsizetype n = b.bis - b.von;
    if (istAscii(d + b.von, n)) {
        quint32 h = hashAnfang();
        for (qsizetype i = b.von; i < b.bis; ++i)
            h = hashSchritt(h, char16_t(gross(d[i])));
        hash = hashEnde(h);
        return n > 0;
    }
    const QString norm = normVon(d, b);
    hash = textHash(norm);
    return !norm.isEmpty();
}

bool gleich(const char* d, Bereich b, const QString& norm)
{
    const qsizetype n = b.bis - b.von;
    if (!istAscii(d + b.von, n))
        return normVon(d, b) == norm;
    if (n != norm.size())
        return false;
    for (qsizetype i = 0; i < n; ++i)
        if (char16_t(gross(d[b.von + i])) != norm[i].unicode())
            return false;
    return true;
}

bool gleich(const char* d, Bereich x, Bereich y)
{
    const qsizetype n = x.bis - x.von;
    if (istAscii(d + x.von, n) && istAscii(d + y.von, y.bis - y.von)) {
        if (n != y.bis - y.von)
            return false;
        for (qsizetype i = 0; i < n; ++i)
            if (gross(d[x.von + i]) != gross(d[y.von + i]))
                return false;
        return true;
    }
    return normVon(d, x) == normVon(d, y);
}

// A table for open addressing: a power of two, at least twice the entries.
std::vector<int> leereTabelle(size_t eintraege)
{
    size_t groesse = 8;
    while (groesse < 2 * eintraege)
        groesse *= 2;
    return std::vector<int>(groesse, -1);
}

bool enthaeltKopf(const QByteArray& bytes)
{
    Zeilenleser leser(bytes, 0, bytes.size());
    Zeile z;
    while (leser.naechste(z))
        if (kopfName(bytes.constData(), z))
            return true;
    return false;
}

} // namespace

// ---- the content -----------------------------------------------------------------------

// The keys of one section: the first line of every compared name, in file
// order, each as its start counted from the section's header (so a change
// elsewhere in the file leaves the index as it is).
struct Inhalt::Schluesselindex
{
    std::vector<qsizetype> zeilen;
    std::vector<quint32> hashes;
    std::vector<int> tabelle;
};

Inhalt::Inhalt(QByteArray bytes) : m_bytes(std::move(bytes))
{
    gliedern();
}

void Inhalt::gliedern()
{
    const char* d = m_bytes.constData();
    const qsizetype n = m_bytes.size();
    m_sektionen.clear();
    Zeilenleser leser(m_bytes, 0, n);
    Zeile z;
    while (leser.naechste(z)) {
        const std::optional<Bereich> name = kopfName(d, z);
        if (!name)
            continue;
        Sektion s;
        s.kopf = z.anfang;
        namensHash(d, *name, s.hash);
        m_sektionen.push_back(std::move(s));
    }

    auto tabelle = std::make_shared<std::vector<int>>(leereTabelle(m_sektionen.size()));
    const size_t maske = tabelle->size() - 1;
    for (size_t i = 0; i < m_sektionen.size(); ++i) {
        Sektion& s = m_sektionen[i];
        size_t platz = s.hash & maske;
        bool doppelt = false;
        for (int j; (j = (*tabelle)[platz]) >= 0; platz = (platz + 1) & maske) {
            const Sektion& t = m_sektionen[size_t(j)];
            if (t.hash == s.hash &&
                gleich(d, *kopfName(d, zeileAb(t.kopf)), *kopfName(d, zeileAb(s.kopf)))) {
                doppelt = true;
                break;
            }
        }
        if (!doppelt) {
            (*tabelle)[platz] = int(i);
            s.erste = true;
        }
    }
    m_tabelle = std::move(tabelle);
}

Zeile Inhalt::zeileAb(qsizetype anfang) const
{
    const char* d = m_bytes.constData();
    const qsizetype n = m_bytes.size();
    qsizetype e = anfang;
    while (e < n && d[e] != '\r' && d[e] != '\n')
        ++e;
    Zeile z{anfang, e, e};
    if (e < n)
        z.ende = (d[e] == '\r' && e + 1 < n && d[e + 1] == '\n') ? e + 2 : e + 1;
    return z;
}

std::optional<Zeile> Inhalt::letzteZeile() const
{
    const char* d = m_bytes.constData();
    const qsizetype n = m_bytes.size();
    if (n == 0)
        return std::nullopt;
    qsizetype e = n;
    if (n >= 2 && d[n - 2] == '\r' && d[n - 1] == '\n')
        e = n - 2;
    else if (d[n - 1] == '\r' || d[n - 1] == '\n')
        e = n - 1;
    qsizetype a = e;
    while (a > 0 && d[a - 1] != '\r' && d[a - 1] != '\n')
        --a;
    return Zeile{a, e, n};
}

bool Inhalt::leer(const Zeile& z) const
{
    return ersteBelegte(m_bytes.constData(), z.anfang, z.inhaltEnde) >= z.inhaltEnde;
}

int Inhalt::sektionFinden(const QString& norm) const
{
    if (!m_tabelle)
        return -1;
    const char* d = m_bytes.constData();
    const quint32 h = textHash(norm);
    const std::vector<int>& t = *m_tabelle;
    const size_t maske = t.size() - 1;
    for (size_t platz = h & maske; t[platz] >= 0; platz = (platz + 1) & maske) {
        const Sektion& s = m_sektionen[size_t(t[platz])];
        if (s.hash == h && gleich(d, *kopfName(d, zeileAb(s.kopf)), norm))
            return t[platz];
    }
    return -1;
}

QString Inhalt::sektionsName(int s) const
{
    const char* d = m_bytes.constData();
    const Bereich b = *kopfName(d, zeileAb(m_sektionen[size_t(s)].kopf));
    return teilDekodieren(zplatform::ausWindows1252(d + b.von, b.bis - b.von));
}

Zeile Inhalt::letzteBelegte(int s) const
{
    Zeile letzte = zeileAb(m_sektionen[size_t(s)].kopf);
    Zeilenleser leser(m_bytes, letzte.ende, sektionsEnde(s));
    Zeile z;
    while (leser.naechste(z))
        if (!leer(z))
            letzte = z;
    return letzte;
}

std::shared_ptr<const Inhalt::Schluesselindex> Inhalt::indexAufbauen(int s) const
{
    const Sektion& sek = m_sektionen[size_t(s)];
    const char* d = m_bytes.constData();
    auto index = std::make_shared<Schluesselindex>();
    Zeilenleser leser(m_bytes, zeileAb(sek.kopf).ende, sektionsEnde(s));
    Zeile z;
    while (leser.naechste(z)) {
        const std::optional<Bereich> name = schluesselBereich(d, z);
        quint32 h = 0;
        if (!name || !namensHash(d, *name, h))
            continue;
        index->zeilen.push_back(z.anfang - sek.kopf);
        index->hashes.push_back(h);
    }

    // Into the table; a later line of a name already there drops out.
    const size_t kandidaten = index->zeilen.size();
    index->tabelle = leereTabelle(kandidaten);
    const size_t maske = index->tabelle.size() - 1;
    size_t behalten = 0;
    for (size_t i = 0; i < kandidaten; ++i) {
        const quint32 h = index->hashes[i];
        size_t platz = h & maske;
        bool doppelt = false;
        for (int j; (j = index->tabelle[platz]) >= 0; platz = (platz + 1) & maske) {
            if (index->hashes[size_t(j)] == h &&
                gleich(d, *schluesselBereich(d, zeileAb(sek.kopf + index->zeilen[size_t(j)])),
                       *schluesselBereich(d, zeileAb(sek.kopf + index->zeilen[i])))) {
                doppelt = true;
                break;
            }
        }
        if (doppelt)
            continue;
        index->zeilen[behalten] = index->zeilen[i];
        index->hashes[behalten] = h;
        index->tabelle[platz] = int(behalten);
        ++behalten;
    }
    index->zeilen.resize(behalten);
    index->hashes.resize(behalten);
    return index;
}

const Inhalt::Schluesselindex& Inhalt::index(int s) const
{
    const Sektion& sek = m_sektionen[size_t(s)];
    if (!sek.index)
        sek.index = indexAufbauen(s);
    return *sek.index;
}

std::optional<Zeile> Inhalt::schluesselFinden(int s, const QString& norm) const
{
    const char* d = m_bytes.constData();
    const qsizetype kopf = m_sektionen[size_t(s)].kopf;
    const Schluesselindex& index = this->index(s);
    const quint32 h = textHash(norm);
    const size_t maske = index.tabelle.size() - 1;
    for (size_t platz = h & maske; index.tabelle[platz] >= 0; platz = (platz + 1) & maske) {
        const size_t j = size_t(index.tabelle[platz]);
        if (index.hashes[j] != h)
            continue;
        const Zeile z = zeileAb(kopf + index.zeilen[j]);
        if (gleich(d, *schluesselBereich(d, z), norm))
            return z;
    }
    return std::nullopt;
}

std::vector<Zeile> Inhalt::schluessel(int s) const
{
    const qsizetype kopf = m_sektionen[size_t(s)].kopf;
    std::vector<Zeile> zeilen;
    for (qsizetype z : index(s).zeilen)
        zeilen.push_back(zeileAb(kopf + z));
    return zeilen;
}

QString Inhalt::schluesselName(const Zeile& z) const
{
    const char* d = m_bytes.constData();
    const Bereich b = *ini_intern::schluesselBereich(d, z);
    return teilDekodieren(zplatform::ausWindows1252(d + b.von, b.bis - b.von));
}

QByteArray Inhalt::namensBytes(const Zeile& z) const
{
    const char* d = m_bytes.constData();
    const void* zeichen = std::memchr(d + z.anfang, '=', size_t(z.inhaltEnde - z.anfang));
    const Bereich b = beschnitten(d, z.anfang, zeichen ? static_cast<const char*>(zeichen) - d : z.inhaltEnde);
    return m_bytes.mid(b.von, b.bis - b.von);
}

QByteArray Inhalt::wertBytes(const Zeile& z) const
{
    const char* d = m_bytes.constData();
    const void* zeichen = std::memchr(d + z.anfang, '=', size_t(z.inhaltEnde - z.anfang));
    if (!zeichen)
        return QByteArray();
    const Bereich b = beschnitten(d, static_cast<const char*>(zeichen) - d + 1, z.inhaltEnde);
    return m_bytes.mid(b.von, b.bis - b.von);
}

Inhalt Inhalt::ersetzt(const Ersetzung& e) const
{
    Inhalt r;
    r.m_bytes.reserve(m_bytes.size() - (e.bis - e.von) + e.neu.size());
    r.m_bytes.append(m_bytes.constData(), e.von);
    r.m_bytes.append(e.neu);
    r.m_bytes.append(m_bytes.constData() + e.bis, m_bytes.size() - e.bis);
    r.m_sektionen = m_sektionen;
    r.m_tabelle = m_tabelle;
    if (!r.nachziehen(e))
        r.gliedern();
    return r;
}

void Inhalt::ersetzen(const Ersetzung& e)
{
    m_bytes.replace(e.von, e.bis - e.von, e.neu);
    if (!nachziehen(e))
        gliedern();
}

// The bytes are changed already, the places still those before the change.
bool Inhalt::nachziehen(const Ersetzung& e)
{
    // The sections from the first whose header is not before the change.
    const auto ab = std::partition_point(m_sektionen.begin(), m_sektionen.end(),
                                         [&e](const Sektion& s) { return s.kopf < e.von; });
    const bool kopfWeg = ab != m_sektionen.end() && ab->kopf < e.bis;
    if (kopfWeg || enthaeltKopf(e.neu))
        return false;

    const qsizetype delta = e.neu.size() - (e.bis - e.von);
    const size_t erste = size_t(ab - m_sektionen.begin());
    for (size_t i = erste; i < m_sektionen.size(); ++i) {
        m_sektionen[i].kopf += delta;
    }
    if (erste > 0) {
        // The section the change lies in.
        Sektion& s = m_sektionen[erste - 1];
        if (!e.gleicheSchluessel || !s.index) {
            s.index.reset();
        } else if (delta != 0) {
            auto index = std::make_shared<Schluesselindex>(*s.index);
            const qsizetype danach = e.bis - s.kopf;
            for (qsizetype& z : index->zeilen)
                if (z >= danach)
                    z += delta;
            s.index = std::move(index);
        }
    }
    return true;
}

} // namespace zcommon::ini_intern
