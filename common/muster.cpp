#include "common/muster.h"

#include <bitset>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zcommon {

namespace {

// One position of a pattern that stands for exactly one character.
struct Zeichen
{
    enum Art : unsigned char { Literal, Beliebig, Ziffer, Liste } art = Literal;
    char16_t zeichen = 0; // Literal
    int liste = -1;       // Liste: index into Daten::listen
};

struct ZeichenListe
{
    std::bitset<256> klein;                                  // characters below 256
    std::vector<std::pair<char16_t, char16_t>> bereicheHoch; // ranges reaching above 255
    bool verneint = false;

    bool enthaelt(char16_t c) const
    {
        bool drin;
        if (c < 256) {
            drin = klein.test(c);
        } else {
            drin = false;
            for (const auto& [von, bis] : bereicheHoch)
                if (c >= von && c <= bis) {
                    drin = true;
                    break;
                }
        }
        return drin != verneint;
    }

    void hinzu(char16_t von, char16_t bis)
    {
        for (unsigned c = von; c <= bis && c < 256; ++c)
            klein.set(c);
        if (bis >= 256)
            bereicheHoch.emplace_back(char16_t(von < 256 ? 256 : von), bis);
    }
};

// A run of single-character positions between two stars.
struct Abschnitt
{
    std::vector<Zeichen> zeichen;
    bool nurLiteral = true;
    // The longest run of plain characters in the section (its anchor): a
    // floating section is found by searching for the anchor first.
    std::u16string anker;
    qsizetype ankerVersatz = 0;
};

#if defined(__SSE2__)
// The candidates of a comparison mask (two bits per position from i on, set
// where the needle's first and last characters agree): the leftmost one whose
// middle agrees as well, -1 when none.
inline qsizetype kandidatPruefen(unsigned maske, qsizetype i, const char16_t* t, const char16_t* nadel, qsizetype m)
{
    while (maske) {
        const int bit = __builtin_ctz(maske);
        const qsizetype j = i + bit / 2;
        if (m == 2 || std::memcmp(t + j + 1, nadel + 1, size_t(m - 2) * sizeof(char16_t)) == 0)
            return j;
        maske &= ~(3u << bit);
    }
    return -1;
}
#endif

// Leftmost position >= von of the needle in t[0..n), -1 when none. Compares the
// needle's first and last characters eight positions at a time and checks the
// rest only where both agree.
qsizetype findeText(const char16_t* t, qsizetype n, qsizetype von, const char16_t* nadel, qsizetype m)
{
    if (m == 0)
        return von <= n ? von : -1;
    qsizetype i = von;
#if defined(__SSE2__)
    if (m >= 2) {
        const __m128i erstes = _mm_set1_epi16(short(nadel[0]));
        const __m128i letztes = _mm_set1_epi16(short(nadel[m - 1]));
        // Sixteen positions per round while there is room, then eight.
        for (; i + 16 + m - 1 <= n; i += 16) {
            const __m128i a0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i));
            const __m128i b0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i + m - 1));
            const __m128i a1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i + 8));
            const __m128i b1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i + 8 + m - 1));
            const __m128i e0 = _mm_and_si128(_mm_cmpeq_epi16(a0, erstes), _mm_cmpeq_epi16(b0, letztes));
            const __m128i e1 = _mm_and_si128(_mm_cmpeq_epi16(a1, erstes), _mm_cmpeq_epi16(b1, letztes));
            const unsigned maske = unsigned(_mm_movemask_epi8(e0)) | (unsigned(_mm_movemask_epi8(e1)) << 16);
            if (maske)
                if (const qsizetype j = kandidatPruefen(maske, i, t, nadel, m); j >= 0)
                    return j;
        }
        for (; i + 8 + m - 1 <= n; i += 8) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i + m - 1));
            const unsigned maske =
                unsigned(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi16(a, erstes), _mm_cmpeq_epi16(b, letztes))));
            if (maske)
                if (const qsizetype j = kandidatPruefen(maske, i, t, nadel, m); j >= 0)
                    return j;
        }
    } else {
        const __m128i erstes = _mm_set1_epi16(short(nadel[0]));
        for (; i + 8 <= n; i += 8) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i));
            const unsigned maske = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi16(a, erstes)));
            if (maske)
                return i + __builtin_ctz(maske) / 2;
        }
    }
#endif
    for (; i + m <= n; ++i)
        if (t[i] == nadel[0] && std::memcmp(t + i, nadel, size_t(m) * sizeof(char16_t)) == 0)
            return i;
    return -1;
}

} // namespace

struct Muster::Daten
{
    // The pattern split at its stars: abschnitte[0] is anchored at the start,
    // the last one at the end (when the pattern has a star), the ones between
    // float. Without a star there is exactly one section, anchored at both ends.
    std::vector<Abschnitt> abschnitte;
    std::vector<ZeichenListe> listen;
    bool hatStern = false;

    bool passtAn(const Abschnitt& a, const char16_t* t) const
    {
        for (const Zeichen& z : a.zeichen) {
            const char16_t c = *t++;
            switch (z.art) {
            case Zeichen::Literal:
                if (c != z.zeichen)
                    return false;
                break;
            case Zeichen::Beliebig:
                break;
            case Zeichen::Ziffer:
                if (c < u'0' || c > u'9')
                    return false;
                break;
            case Zeichen::Liste:
                if (!listen[size_t(z.liste)].enthaelt(c))
                    return false;
                break;
            }
        }
        return true;
    }

    // Leftmost position >= von where the section matches, -1 when none ends before bis.
    qsizetype suchen(const Abschnitt& a, QStringView text, qsizetype von, qsizetype bis) const
    {
        const qsizetype laenge = qsizetype(a.zeichen.size());
        if (laenge == 0)
            return von;
        const char16_t* t = reinterpret_cast<const char16_t*>(text.data());
        const qsizetype m = qsizetype(a.anker.size());
        if (m > 0) {
            // Search the anchor; the section starts ankerVersatz before it.
            const qsizetype ankerBis = bis - (laenge - a.ankerVersatz - m);
            qsizetype ab = von + a.ankerVersatz;
            while (true) {
                const qsizetype pos = findeText(t, ankerBis, ab, a.anker.data(), m);
                if (pos < 0)
                    return -1;
                const qsizetype start = pos - a.ankerVersatz;
                if (a.nurLiteral || passtAn(a, t + start))
                    return start;
                ab = pos + 1;
            }
        }
        for (qsizetype i = von; i + laenge <= bis; ++i)
            if (passtAn(a, t + i))
                return i;
        return -1;
    }

    bool passt(QStringView text) const
    {
        const qsizetype n = text.size();
        const char16_t* t = reinterpret_cast<const char16_t*>(text.data());
        if (!hatStern) {
            const Abschnitt& a = abschnitte.front();
            return qsizetype(a.zeichen.size()) == n && passtAn(a, t);
        }
        const Abschnitt& erster = abschnitte.front();
        const Abschnitt& letzter = abschnitte.back();
        const qsizetype l1 = qsizetype(erster.zeichen.size());
        const qsizetype l2 = qsizetype(letzter.zeichen.size());
        if (l1 + l2 > n)
            return false;
        if (!passtAn(erster, t) || !passtAn(letzter, t + n - l2))
            return false;
        // The floating sections, each at its leftmost place: taking the
        // leftmost match never loses a match that a later place would give.
        qsizetype pos = l1;
        const qsizetype grenze = n - l2;
        for (size_t k = 1; k + 1 < abschnitte.size(); ++k) {
            const Abschnitt& a = abschnitte[k];
            const qsizetype gefunden = suchen(a, text, pos, grenze);
            if (gefunden < 0 || gefunden + qsizetype(a.zeichen.size()) > grenze)
                return false;
            pos = gefunden + qsizetype(a.zeichen.size());
        }
        return true;
    }
};

Muster::Muster(const QString& muster) : m_muster(muster)
{
    auto daten = std::make_shared<Daten>();
    Abschnitt aktuell;
    auto abschliessen = [&]() {
        // The anchor: the longest run of plain characters (the first of equals).
        qsizetype besterAnfang = 0, besteLaenge = 0;
        for (qsizetype k = 0; k < qsizetype(aktuell.zeichen.size());) {
            if (aktuell.zeichen[size_t(k)].art != Zeichen::Literal) {
                ++k;
                continue;
            }
            qsizetype e = k;
            while (e < qsizetype(aktuell.zeichen.size()) && aktuell.zeichen[size_t(e)].art == Zeichen::Literal)
                ++e;
            if (e - k > besteLaenge) {
                besterAnfang = k;
                besteLaenge = e - k;
            }
            k = e;
        }
        aktuell.ankerVersatz = besterAnfang;
        for (qsizetype k = besterAnfang; k < besterAnfang + besteLaenge; ++k)
            aktuell.anker.push_back(aktuell.zeichen[size_t(k)].zeichen);
        daten->abschnitte.push_back(std::move(aktuell));
        aktuell = Abschnitt();
    };
    const qsizetype n = muster.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = muster.at(i).unicode();
        switch (c) {
        case u'*':
            // Consecutive stars are one star.
            if (!daten->hatStern || !aktuell.zeichen.empty() || daten->abschnitte.empty())
                abschliessen();
            daten->hatStern = true;
            break;
        case u'?':
            aktuell.zeichen.push_back({Zeichen::Beliebig, 0, -1});
            aktuell.nurLiteral = false;
            break;
        case u'#':
            aktuell.zeichen.push_back({Zeichen::Ziffer, 0, -1});
            aktuell.nurLiteral = false;
            break;
        case u'[': {
            const qsizetype ende = muster.indexOf(u']', i + 1);
            if (ende < 0) {
                m_gueltig = false; // an unclosed list: the pattern matches nothing
                m_daten.reset();
                return;
            }
            ZeichenListe liste;
            qsizetype j = i + 1;
            if (j < ende && muster.at(j) == u'!') {
                liste.verneint = true;
                ++j;
            }
            while (j < ende) {
                const char16_t von = muster.at(j).unicode();
                if (j + 2 < ende && muster.at(j + 1) == u'-') {
                    const char16_t bis = muster.at(j + 2).unicode();
                    if (bis < von) {
                        m_gueltig = false; // "[z-a]" is malformed as well
                        m_daten.reset();
                        return;
                    }
                    liste.hinzu(von, bis);
                    j += 3;
                } else {
                    liste.hinzu(von, von); // also a "-" at the start or end of the list
                    ++j;
                }
            }
            daten->listen.push_back(std::move(liste));
            aktuell.zeichen.push_back({Zeichen::Liste, 0, int(daten->listen.size()) - 1});
            aktuell.nurLiteral = false;
            i = ende;
            break;
        }
        default:
            aktuell.zeichen.push_back({Zeichen::Literal, c, -1});
            break;
        }
    }
    abschliessen();
    if (daten->hatStern && daten->abschnitte.size() < 2)
        daten->abschnitte.emplace_back();
    m_daten = std::move(daten);
}

bool Muster::passt(QStringView text) const
{
    if (!m_gueltig || !m_daten)
        return false;
    return m_daten->passt(text);
}

bool Like(QStringView text, const QString& muster)
{
    // Callers often test many texts against the same pattern one by one: keep
    // the last compiled pattern.
    thread_local QString letztesMuster;
    thread_local Muster letztes{QString()};
    if (muster != letztesMuster || letztesMuster.isNull() != muster.isNull()) {
        letztes = Muster(muster);
        letztesMuster = muster;
    }
    return letztes.passt(text);
}

} // namespace zcommon
