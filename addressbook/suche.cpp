#include "addressbook/suche.h"

#include "addressbook/listenlauf.h"
#include "common/dateien.h"
#include "common/meldungen.h"
#include "common/muster.h"
#include "common/texte.h"

#include <array>
#include <cmath>
#include <vector>

namespace zadressbuch {

namespace {

constexpr char16_t Tab = u'\t';

// Lower case of the characters below 0x180 (all of Windows-1252's letters),
// worked out once from the common case rule; the search maps every character
// of 32000 entries, so it must not build a string per entry.
struct Tabellen
{
    std::array<char16_t, 0x180> klein{};
    std::array<bool, 0x100> behalten{}; // kept by the reduced comparison (after lower-casing)

    Tabellen()
    {
        for (char16_t c = 0; c < 0x180; ++c) {
            const QString k = zcommon::LCase(QString(QChar(c)));
            klein[c] = k.size() == 1 ? k.at(0).unicode() : c;
        }
        for (QChar c : QStringLiteral("0123456789abcdefghijklmnopqrstuvwxyzäöüß"))
            behalten[c.unicode()] = true;
    }
};

const Tabellen& tabellen()
{
    static const Tabellen t;
    return t;
}

inline char16_t klein(const Tabellen& t, char16_t c)
{
    if (c < 0x180)
        return t.klein[c];
    return zcommon::LCase(QString(QChar(c))).at(0).unicode();
}

// Writes the compare form of the entry into puffer (resized as needed) and
// returns its length.
qsizetype vergleichstext(QStringView eintrag, bool reduziert, QString& puffer)
{
    const Tabellen& t = tabellen();
    const qsizetype n = eintrag.size();
    if (puffer.size() < n)
        puffer.resize(n);
    const char16_t* q = reinterpret_cast<const char16_t*>(eintrag.data());
    char16_t* z = reinterpret_cast<char16_t*>(puffer.data());
    qsizetype k = 0;
    if (reduziert) {
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t c = klein(t, q[i]);
            if (c < 0x100 && t.behalten[c])
                z[k++] = c;
        }
    } else {
        for (qsizetype i = 0; i < n; ++i)
            z[k++] = klein(t, q[i]);
    }
    return k;
}

// Each search counts up; a search that finds a newer number after letting
// events run has been replaced by that newer one.
int suchNummer = 0;

} // namespace

unsigned SuchFarbe_Rgb(SuchFarbe farbe)
{
    switch (farbe) {
    case SuchFarbe::Violett:
        return 0x8000FF;
    case SuchFarbe::Rot:
        return 0xFF0000;
    case SuchFarbe::Normal:
        break;
    }
    return 0;
}

QStringList SuchMuster(const QString& suchText)
{
    QString text = zcommon::Trim(suchText);
    text.replace(u'"', QChar(Tab));
    text.replace(QStringLiteral("+"), QStringLiteral("[\t+]"));
    QStringList muster;
    int anzahl = 0;
    for (const QString& wort : text.split(u' ', Qt::SkipEmptyParts)) {
        const QString m = QStringLiteral("*") + zcommon::LCase(wort) + QStringLiteral("*");
        // At most 99 words; each further word takes the place of the 99th.
        if (anzahl < 99) {
            muster << m;
            ++anzahl;
        } else {
            muster.back() = m;
        }
    }
    return muster;
}

QString SuchStatusText(bool reduziert)
{
    return reduziert ? QStringLiteral("Text-Suche Adresse...") : QStringLiteral("Suche Adresse...");
}

QString NichtGefundenText(const QString& suchText)
{
    return QStringLiteral("Gesuchten Text »") + zcommon::Trim(suchText) + QStringLiteral("« nicht gefunden.");
}

QString SuchRahmenTitel(bool reduziert)
{
    return reduziert ? QStringLiteral("Suche ohne Sonderz.") : QStringLiteral("Suche");
}

QString SuchVergleichstext(QStringView eintrag, bool reduziert)
{
    QString puffer;
    const qsizetype n = vergleichstext(eintrag, reduziert, puffer);
    puffer.truncate(n);
    return puffer;
}

SuchErgebnis TextSuche(const AdressListe& liste, const QString& suchText, bool reduziert,
                       const std::function<void(const QString&)>& statusAnzeige)
{
    const int meineNummer = ++suchNummer;
    SuchErgebnis ergebnis;
    ergebnis.reduziert = reduziert;

    const QString statusText = SuchStatusText(reduziert);
    if (statusAnzeige)
        statusAnzeige(statusText);

    auto nichtGefunden = [&]() {
        ergebnis.ausgang = SuchErgebnis::NichtGefunden;
        ergebnis.index = -1;
        ergebnis.status = NichtGefundenText(suchText);
        ergebnis.farbe = SuchFarbe::Rot;
        ergebnis.ton = zcommon::Programm_Ordner() + QStringLiteral("/Sgn_No.Wav");
        zcommon::Ton_Ausgeben(ergebnis.ton);
        return ergebnis;
    };
    auto gefunden = [&](int index) {
        ergebnis.ausgang = SuchErgebnis::Gefunden;
        ergebnis.index = index;
        ergebnis.status = QStringLiteral("Bereit");
        ergebnis.farbe = SuchFarbe::Normal;
        ergebnis.ton = zcommon::Programm_Ordner() + QStringLiteral("/Sgn_Jo.Wav");
        zcommon::Ton_Ausgeben(ergebnis.ton);
        return ergebnis;
    };
    auto abbrechen = [&]() {
        if (suchNummer != meineNummer) {
            ergebnis.ausgang = SuchErgebnis::Abgeloest;
            ergebnis.status.clear();
        } else {
            ergebnis.ausgang = SuchErgebnis::ListeGeaendert;
            ergebnis.status = QStringLiteral("Bereit");
        }
        ergebnis.index = -1;
        ergebnis.farbe = SuchFarbe::Normal;
        return ergebnis;
    };

    std::vector<zcommon::Muster> muster;
    for (const QString& m : SuchMuster(suchText)) {
        muster.emplace_back(m);
        if (!muster.back().gueltig())
            return nichtGefunden(); // "[" without "]": no address can match
    }

    const int anzahl = liste.ListCount();
    if (anzahl == 0)
        return muster.empty() ? gefunden(-1) : nichtGefunden();

    int position = liste.ListIndex() + 1;
    if (position < 0 || position >= anzahl)
        position = 0;

    ListenLauf lauf(liste);
    QString puffer;
    for (int zaehler = 1; zaehler <= anzahl; ++zaehler) {
        if (!lauf.gueltig(position))
            return abbrechen();
        if (lauf.fortschrittFaellig()) {
            const double prozent = std::fabs(double(zaehler) * 100.0 / anzahl - 1.0);
            if (statusAnzeige)
                statusAnzeige(statusText + zcommon::Format(prozent, QStringLiteral("0")) + QStringLiteral("%"));
            ListenLauf::ereignisseVerarbeiten();
            if (suchNummer != meineNummer || !lauf.gueltig(position))
                return abbrechen();
        }

        const qsizetype n = vergleichstext(liste.List(position), reduziert, puffer);
        const QStringView text(puffer.constData(), n);
        bool passt = true;
        for (const zcommon::Muster& m : muster)
            if (!m.passt(text)) {
                passt = false;
                break;
            }
        if (passt)
            return gefunden(position);

        if (++position >= anzahl)
            position = 0;
    }
    return nichtGefunden();
}

SuchVerzoegerung::SuchVerzoegerung(std::function<QString()> suchText, std::function<void()> suchen,
                                   QObject* parent)
    : QObject(parent), m_suchText(std::move(suchText)), m_suchen(std::move(suchen))
{
    m_timer.setInterval(IntervallMs);
    connect(&m_timer, &QTimer::timeout, this, &SuchVerzoegerung::tick);
}

void SuchVerzoegerung::aendern()
{
    m_timer.start();
}

void SuchVerzoegerung::tick()
{
    if (m_beschaeftigt)
        return; // the search of an earlier tick still runs: tick again later
    m_timer.stop();
    if (m_suchText && !m_suchText().isEmpty() && m_suchen) {
        m_beschaeftigt = true;
        m_suchen();
        m_beschaeftigt = false;
    }
}

} // namespace zadressbuch
