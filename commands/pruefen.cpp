#include "commands/pruefen.h"

#include "addressbook/fenster.h"
#include "addressbook/listenlauf.h"
#include "addressbook/sitzung.h"
#include "commands/phonetik.h"
#include "common/ini.h"
#include "common/meldungen.h"
#include "common/muster.h"
#include "common/texte.h"
#include "platform/plattform.h"

#include <QElapsedTimer>
#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <thread>

namespace zbefehle {

using zadressbuch::AdressListe;
using zadressbuch::FeldAnzahl;
using zadressbuch::Felder;
using zadressbuch::Fenster;
using zadressbuch::ListenLauf;

namespace {

// Pending events run at least this often while a walk runs, so an Esc is
// seen within a tenth of a second.
constexpr qint64 EreignisAbstandMs = 40;
constexpr char16_t Tab = u'\t';

// Lower case as the program's LCase gives it, a table for the characters below
// 0x180 (every letter of Windows-1252), appended without a string per field.
struct KleinTabelle
{
    std::array<char16_t, 0x180> klein{};
    KleinTabelle()
    {
        for (char16_t c = 0; c < 0x180; ++c)
            klein[c] = zcommon::LCase(QString(QChar(c))).at(0).unicode();
    }
};

void kleinAnhaengen(QStringView text, QString& ziel)
{
    static const KleinTabelle t;
    const qsizetype alt = ziel.size();
    ziel.resize(alt + text.size());
    char16_t* z = reinterpret_cast<char16_t*>(ziel.data()) + alt;
    const char16_t* q = reinterpret_cast<const char16_t*>(text.data());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = q[i];
        // LCase maps one character to one character.
        z[i] = c < 0x180 ? t.klein[c] : zcommon::LCase(QString(QChar(c))).at(0).unicode();
    }
}

bool regelmaessig(QStringView eintrag)
{
    return eintrag.count(QChar(Tab)) == FeldAnzahl && eintrag.endsWith(QChar(Tab));
}

// A text as the pattern rule reads it literally: "[", "*", "?" and "#" each
// in a list of its own.
QString maskiert(const QString& text)
{
    QString r;
    r.reserve(text.size());
    for (QChar c : text) {
        if (c == u'[' || c == u'*' || c == u'?' || c == u'#') {
            r += QLatin1Char('[');
            r += c;
            r += QLatin1Char(']');
        } else {
            r += c;
        }
    }
    return r;
}

// A card text as it is stored: line breaks as "°°".
QString gespeichert(const QString& text)
{
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("°°"));
    t.replace(QLatin1Char('\r'), QStringLiteral("°°"));
    t.replace(QLatin1Char('\n'), QStringLiteral("°°"));
    return t;
}

Felder rohFelder(QStringView eintrag)
{
    Felder f;
    for (int i = 0; i < FeldAnzahl; ++i)
        f[size_t(i)] = zadressbuch::FeldRoh(eintrag, i).toString();
    return f;
}

// The end steps every walk shares.
void laufBeenden(Fenster& fenster)
{
    zplatform::plattform().sanduhr(false);
    fenster.Fortschritt(-1);
}

// Paces the walks: true when it is time to show progress and let events run.
class Takt
{
public:
    Takt() { m_uhr.start(); }
    bool faellig()
    {
        const qint64 jetzt = m_uhr.elapsed();
        if (!m_erstes && jetzt < m_naechste)
            return false;
        m_erstes = false;
        m_naechste = jetzt + EreignisAbstandMs;
        return true;
    }

private:
    QElapsedTimer m_uhr;
    qint64 m_naechste = 0;
    bool m_erstes = true;
};

} // namespace

bool Feld_Ohne_Vergleich(int feld)
{
    return feld == 11 || feld == 15 || feld == 16 || feld == 23;
}

// ---- Vergleichsindex ---------------------------------------------------------------------

Vergleichsindex::Vergleichsindex(const AdressListe& liste, bool aehnlich, const std::function<bool()>& zwischendurch)
    : m_liste(liste), m_aehnlich(aehnlich)
{
    const int n = liste.ListCount();
    m_schluessel.resize(size_t(n));
    m_anzahl.reserve(n);
    // Entries not yet in the index are taken in by the build itself.
    m_verbindung = QObject::connect(&liste, &QAbstractItemModel::dataChanged,
                                    [this](const QModelIndex& oben, const QModelIndex& unten) {
                                        const int bis = std::min(unten.row(), m_gebaut - 1);
                                        for (int r = std::max(0, oben.row()); r <= bis; ++r) {
                                            eintragEntfernen(r);
                                            eintragAufnehmen(r);
                                        }
                                    });

    // A long list: the keys are worked out on a few threads from a copy of
    // the entries (shared, so it stays as it is when the list changes), while
    // this thread keeps the window alive. Entries changed meanwhile are keyed
    // again below.
    std::vector<QString> vorab;
    QStringList kopie;
    const unsigned faeden = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
    if (n >= 4000 && faeden > 1) {
        kopie = liste.eintraege();
        vorab.resize(size_t(n));
        std::atomic<unsigned> fertig{0};
        std::atomic<bool> halt{false};
        std::vector<std::thread> arbeiter;
        for (unsigned t = 0; t < faeden; ++t) {
            arbeiter.emplace_back([&, t] {
                const int von = int(qint64(n) * t / faeden);
                const int bis = int(qint64(n) * (t + 1) / faeden);
                for (int i = von; i < bis && !halt.load(std::memory_order_relaxed); ++i)
                    vorab[size_t(i)] = regelSchluessel(kopie.at(i), aehnlich);
                fertig.fetch_add(1);
            });
        }
        while (fertig.load() < faeden) {
            if (zwischendurch && !halt.load() && !zwischendurch())
                halt.store(true);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        for (std::thread& a : arbeiter)
            a.join();
        if (halt.load())
            return;
    }

    for (int i = 0; i < n; ++i) {
        if (zwischendurch && i % 256 == 0 && !zwischendurch())
            return;
        if (i >= liste.ListCount())
            return;
        if (!vorab.empty() && liste.List(i).isSharedWith(kopie.at(i)))
            aufnehmen(i, std::move(vorab[size_t(i)]));
        else
            eintragAufnehmen(i);
        m_gebaut = i + 1;
    }
}

Vergleichsindex::~Vergleichsindex()
{
    QObject::disconnect(m_verbindung);
}

QString Vergleichsindex::schluessel(const Felder& karte) const
{
    QString k;
    k.reserve(256);
    for (int i = 0; i < FeldAnzahl; ++i) {
        if (Feld_Ohne_Vergleich(i))
            continue;
        const QString& text = karte[size_t(i)];
        if (text.contains(QChar(Tab)))
            return QString();
        if (m_aehnlich)
            Phonetik_FeldAnhaengen(text, k);
        else
            k += zcommon::LCase(text);
        k += QChar(Tab);
    }
    return k;
}

QString Vergleichsindex::muster(const Felder& karte) const
{
    QString m;
    for (int i = 0; i < FeldAnzahl; ++i) {
        if (Feld_Ohne_Vergleich(i)) {
            m += QLatin1Char('*');
        } else {
            const QString& text = karte[size_t(i)];
            QString form;
            if (m_aehnlich)
                Phonetik_FeldAnhaengen(text, form);
            else
                form = zcommon::LCase(text);
            m += maskiert(form);
        }
        m += QChar(Tab);
    }
    return m;
}

QString Vergleichsindex::vergleichstext(const QString& eintrag) const
{
    return m_aehnlich ? Phonetik_Schluessel(eintrag) : zcommon::LCase(eintrag);
}

QString Vergleichsindex::regelSchluessel(QStringView eintrag, bool aehnlich)
{
    if (!regelmaessig(eintrag))
        return QString();
    QString k;
    k.reserve(eintrag.size());
    qsizetype anfang = 0;
    for (int feld = 0; feld < FeldAnzahl; ++feld) {
        const qsizetype ende = eintrag.indexOf(QChar(Tab), anfang);
        if (!Feld_Ohne_Vergleich(feld)) {
            const QStringView text = eintrag.mid(anfang, ende - anfang);
            if (aehnlich)
                Phonetik_FeldAnhaengen(text, k);
            else
                kleinAnhaengen(text, k);
            k += QChar(Tab);
        }
        anfang = ende + 1;
    }
    return k;
}

void Vergleichsindex::eintragAufnehmen(int i)
{
    aufnehmen(i, regelSchluessel(m_liste.List(i), m_aehnlich));
}

void Vergleichsindex::aufnehmen(int i, QString schluessel)
{
    if (!schluessel.isEmpty()) {
        ++m_anzahl[schluessel];
        m_schluessel[size_t(i)] = std::move(schluessel);
    } else {
        m_schluessel[size_t(i)].clear();
        // Every pattern holds 24 separators that an entry must match one by
        // one: a line with fewer fields never matches and is left out (a file
        // of short lines would otherwise be compared entry by entry).
        const QString& eintrag = m_liste.List(i);
        if (eintrag.count(QChar(Tab)) >= FeldAnzahl) {
            m_unregelmaessig.push_back(i);
            m_unregelmaessigText.push_back(vergleichstext(eintrag));
        }
    }
}

void Vergleichsindex::eintragEntfernen(int i)
{
    QString& k = m_schluessel[size_t(i)];
    if (!k.isEmpty()) {
        auto it = m_anzahl.find(k);
        if (it != m_anzahl.end() && --it.value() <= 0)
            m_anzahl.erase(it);
        k.clear();
        return;
    }
    const auto it = std::find(m_unregelmaessig.begin(), m_unregelmaessig.end(), i);
    if (it != m_unregelmaessig.end()) {
        const auto stelle = it - m_unregelmaessig.begin();
        m_unregelmaessig.erase(it);
        m_unregelmaessigText.erase(m_unregelmaessigText.begin() + stelle);
    }
}

int Vergleichsindex::unregelmaessigeTreffer(const QString& musterText) const
{
    if (m_unregelmaessig.empty())
        return 0;
    const zcommon::Muster m(musterText);
    int n = 0;
    for (const QString& t : m_unregelmaessigText)
        if (m.passt(t))
            ++n;
    return n;
}

int Vergleichsindex::anzahl(const Felder& karte) const
{
    Felder gespeichertForm;
    for (int i = 0; i < FeldAnzahl; ++i)
        gespeichertForm[size_t(i)] = gespeichert(karte[size_t(i)]);
    return anzahlRoh(gespeichertForm);
}

int Vergleichsindex::anzahlRoh(const Felder& karte) const
{
    const QString k = schluessel(karte);
    if (!k.isEmpty())
        return m_anzahl.value(k) + unregelmaessigeTreffer(muster(karte));
    // A TAB typed into the card: compare every entry by the pattern rule.
    const zcommon::Muster m(muster(karte));
    int n = 0;
    for (int i = 0; i < m_liste.ListCount(); ++i)
        if (m.passt(vergleichstext(m_liste.List(i))))
            ++n;
    return n;
}

int Vergleichsindex::anzahlFuerEintrag(int i) const
{
    if (i < 0 || i >= int(m_schluessel.size()))
        return 0;
    const QString& k = m_schluessel[size_t(i)];
    if (k.isEmpty())
        return anzahlRoh(rohFelder(m_liste.List(i)));
    int n = m_anzahl.value(k);
    if (!m_unregelmaessig.empty())
        n += unregelmaessigeTreffer(muster(rohFelder(m_liste.List(i))));
    return n;
}

// ---- the duplicate and similar search --------------------------------------------------------

QString Doppelt_LaufText(bool aehnlich)
{
    return aehnlich ? QStringLiteral("Suche ähnliche Adressen") : QStringLiteral("Suche doppelte Adressen");
}

QString Doppelt_Titel(bool aehnlich)
{
    return aehnlich ? QStringLiteral("Ähnliche Adresse gefunden") : QStringLiteral("Doppelte Adresse gefunden");
}

QString Doppelt_EndText(bool aehnlich, int letzteAnzahl)
{
    if (letzteAnzahl <= 1)
        return aehnlich ? QStringLiteral("Keine ähnlichen Adressen gefunden")
                        : QStringLiteral("Keine doppelten Adressen gefunden");
    return aehnlich ? QStringLiteral("Adresse ist ähnlich vorhanden") : QStringLiteral("Adresse ist doppelt vorhanden");
}

QString Doppelt_Frage(int anzahl)
{
    return QStringLiteral("Die aktuell gewählte Adresse ist %1x eingegeben.\r\n\r\n Möchten Sie weiter suchen?")
        .arg(anzahl);
}

PruefErgebnis Doppelte_Suchen(Fenster& fenster, AdressListe& liste, bool aehnlich)
{
    using namespace zplatform;
    PruefErgebnis e;
    auto& s = zadressbuch::sitzung();
    plattform().sanduhr(true);
    fenster.Fortschritt(0);
    s.LetzteTaste = 0;
    const QString laufText = Doppelt_LaufText(aehnlich);
    fenster.Status(laufText);

    const int anzahlEintraege = liste.ListCount();
    int position = liste.ListIndex();
    ListenLauf lauf(liste);
    Takt takt;
    // The window stays alive while the index is built as well.
    const Vergleichsindex index(liste, aehnlich, [&] {
        if (takt.faellig()) {
            fenster.Status(laufText);
            ListenLauf::ereignisseVerarbeiten();
        }
        return !lauf.listeGeaendert();
    });
    int zuletzt = -1;

    for (int schritte = 0; schritte <= anzahlEintraege;) {
        if (takt.faellig()) {
            if (anzahlEintraege > 0)
                fenster.Fortschritt(100 * schritte / anzahlEintraege);
            // The card follows the walk while the window is repainted.
            if (lauf.gueltig(position) && liste.ListIndex() != position)
                liste.setListIndex(position);
            fenster.Status(laufText);
            ListenLauf::ereignisseVerarbeiten();
        }
        if (lauf.listeGeaendert() || !index.vollstaendig()) {
            e.listeGeaendert = true;
            break;
        }

        int anzahl = 0;
        if (lauf.gueltig(position)) {
            anzahl = index.anzahlFuerEintrag(position);
            zuletzt = position;
        }
        e.letzteAnzahl = anzahl;
        ++e.schritte;

        bool weiter = true;
        if (anzahl > 1) {
            if (liste.ListIndex() != position)
                liste.setListIndex(position);
            // The normal pointer while the question waits for the user.
            plattform().sanduhr(false);
            weiter = plattform().meldung(Doppelt_Frage(anzahl), vbYesNo | vbQuestion | vbDefaultButton2,
                                         Doppelt_Titel(aehnlich)) == vbYes;
            plattform().sanduhr(true);
        }
        if (!weiter)
            break;
        if (++position >= anzahlEintraege)
            position = 0;
        ++schritte;
        if (s.LetzteTaste == 27) {
            e.esc = true;
            break;
        }
    }

    if (!e.listeGeaendert && !lauf.listeGeaendert()) {
        if (zuletzt >= 0 && zuletzt < liste.ListCount() && liste.ListIndex() != zuletzt)
            liste.setListIndex(zuletzt);
        e.position = liste.ListIndex();
        fenster.Status(QStringLiteral("Bereit"));
        e.status = Doppelt_EndText(aehnlich, e.letzteAnzahl);
    } else {
        e.listeGeaendert = true;
        e.position = liste.ListIndex();
        e.status = QStringLiteral("Bereit");
    }
    fenster.Status(e.status);
    laufBeenden(fenster);
    zcommon::Ton_Ausgeben(QStringLiteral("#SystemExclamation"));
    return e;
}

// ---- e-mail check -----------------------------------------------------------------------------

QString EMail_UngueltigText(const QString& adresse)
{
    return QStringLiteral("eMail »") + adresse + QStringLiteral("« ist ungültig");
}

PruefErgebnis EMails_Pruefen(Fenster& fenster, AdressListe& liste)
{
    using namespace zplatform;
    PruefErgebnis e;
    auto& s = zadressbuch::sitzung();
    const QString laufText = QStringLiteral("Prüfe eMail-Adressen");
    plattform().sanduhr(true);
    fenster.Status(laufText);
    fenster.Fortschritt(0);
    s.LetzteTaste = 0;

    const int anzahlEintraege = liste.ListCount();
    int position = liste.ListIndex();
    ListenLauf lauf(liste);
    Takt takt;

    for (int schritte = 0; schritte <= anzahlEintraege;) {
        if (takt.faellig()) {
            if (anzahlEintraege > 0)
                fenster.Fortschritt(100 * schritte / anzahlEintraege);
            ListenLauf::ereignisseVerarbeiten();
            fenster.Status(laufText);
        }
        if (lauf.listeGeaendert()) {
            e.listeGeaendert = true;
            break;
        }
        ++e.schritte;
        // The card must show the entry it is stored into: select it at every
        // step (also when the user picked another one meanwhile).
        if (lauf.gueltig(position)) {
            liste.setListIndex(position);
            if (lauf.listeGeaendert()) {
                e.listeGeaendert = true;
                break;
            }
            const QString feld = fenster.FeldText(zadressbuch::EMail);
            if (!feld.isEmpty()) {
                QString text = zcommon::Trim(feld);
                if (text == QLatin1String("-"))
                    text.clear();
                fenster.setFeldText(zadressbuch::EMail, text);
                if (!text.isEmpty() && !zcommon::EMail_Pruefen(text)) {
                    e.ungueltig = true;
                    e.status = EMail_UngueltigText(text);
                    fenster.Status(e.status);
                    plattform().sanduhr(false);
                    plattform().meldung(e.status, vbOKOnly, QStringLiteral("Zettlora"));
                    break;
                }
            }
            fenster.Adresse_Uebernehmen(1);
        }
        if (++position >= anzahlEintraege)
            position = 0;
        ++schritte;
        if (s.LetzteTaste == 27) {
            e.esc = true;
            break;
        }
    }

    e.position = liste.ListIndex();
    laufBeenden(fenster);
    fenster.Status(QStringLiteral("Bereit"));
    if (!e.ungueltig)
        e.status = QStringLiteral("Bereit");
    zcommon::Ton_Ausgeben(QStringLiteral("#SystemExclamation"));
    return e;
}

// ---- a name typed twice ------------------------------------------------------------------------

bool AutoSucheDoppeltenNamen()
{
    return zcommon::Trim(zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("AutoSucheDoppeltenNamen"),
                                            QStringLiteral("0"))) == QLatin1String("1");
}

int Doppelten_Namen_Finden(const AdressListe& liste, int aktuell, const QString& nachname, const QString& vorname)
{
    const QString n = zcommon::LCase(zcommon::Trim(nachname));
    if (n.isEmpty())
        return -1;
    const QString v = zcommon::LCase(zcommon::Trim(vorname));
    for (int i = 0; i < liste.ListCount(); ++i) {
        if (i == aktuell)
            continue;
        const QString& e = liste.List(i);
        if (zcommon::LCase(zcommon::Trim(zadressbuch::FeldRoh(e, zadressbuch::Nachname).toString())) == n &&
            zcommon::LCase(zcommon::Trim(zadressbuch::FeldRoh(e, zadressbuch::Vorname).toString())) == v)
            return i;
    }
    return -1;
}

QString Doppelt_Anzeigetext(const QString& eintrag)
{
    const Felder f = zadressbuch::Zerlegen(eintrag);
    const auto& bez = zadressbuch::sitzung().Bezeichnungen;
    QStringList zeilen;
    for (int i = 0; i < FeldAnzahl; ++i) {
        const QString& text = f[size_t(i)];
        if (zcommon::Trim(text).isEmpty())
            continue;
        zeilen << zcommon::Trim(bez[size_t(i)]) + QStringLiteral(": ") + text;
    }
    return zeilen.join(QStringLiteral("\r\n"));
}

bool Zu_Doppelter_Adresse_Wechseln(AdressListe& liste, int aktuell, int anderer)
{
    const int n = liste.ListCount();
    if (aktuell < 0 || aktuell >= n || anderer < 0 || anderer >= n || aktuell == anderer)
        return false;
    liste.RemoveItem(aktuell);
    zadressbuch::sitzung().Geaendert = 1;
    liste.setListIndex(anderer > aktuell ? anderer - 1 : anderer);
    return true;
}

} // namespace zbefehle
