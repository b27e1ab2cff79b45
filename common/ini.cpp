// Settings files: our own reader and writer with the rules of Windows'
// private profiles (see ini.h).
//
// A file is kept as its bytes with the places of its sections and keys
// (ini_inhalt.h), so a write changes only the one line it concerns and
// leaves every other byte as it was, and a file costs about its own size in
// memory. The parsed form is cached per file and checked against the file's
// time stamp, size and inode on each access, so reading many keys of one file
// costs one stat per call. While a batch (Ini_Stapel) runs for a file, its
// changed content is held here instead of being written, and reads are
// served from it.

#include "common/ini.h"

#include "common/ini_inhalt.h"
#include "common/texte.h"

#include "platform/codec.h"
#include "platform/dateisystem.h"
#include "platform/ordner.h"
#include "platform/textdatei.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <cerrno>
#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace zcommon {

namespace {

using ini_intern::beschneiden;
using ini_intern::Inhalt;
using ini_intern::normName;
using ini_intern::teilDekodieren;
using ini_intern::teilKodieren;
using ini_intern::Zeile;
using Ersetzung = ini_intern::Inhalt::Ersetzung;

const QString KeinSchluessel = QStringLiteral("NoKey");

// A section or key name as the caller passes it: line breaks become blanks,
// surrounding blanks go.
QString nameBereinigen(const QString& name, const QString& vorgabe)
{
    if (!name.contains(QLatin1Char('\r')) && !name.contains(QLatin1Char('\n'))) {
        QString n = beschneiden(name);
        return n.isEmpty() ? vorgabe : n;
    }
    QString n = name;
    n.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    n.replace(QLatin1Char('\r'), QLatin1Char(' '));
    n.replace(QLatin1Char('\n'), QLatin1Char(' '));
    n = beschneiden(n);
    return n.isEmpty() ? vorgabe : n;
}

// A value as it is stored: trimmed of blanks (not tabs), each line break (CR
// LF, lone CR, lone LF) as "**".
QString wertKodieren(const QString& wert)
{
    QString w = Trim(wert);
    if (!w.contains(QLatin1Char('\r')) && !w.contains(QLatin1Char('\n')))
        return w;
    w.replace(QStringLiteral("\r\n"), QStringLiteral("**"));
    w.replace(QLatin1Char('\r'), QStringLiteral("**"));
    w.replace(QLatin1Char('\n'), QStringLiteral("**"));
    return w;
}

QString sterneDekodieren(const QString& gespeichert)
{
    if (!gespeichert.contains(QStringLiteral("**")))
        return gespeichert;
    QString w = gespeichert;
    w.replace(QStringLiteral("**"), QStringLiteral("\r\n"));
    return w;
}

// A value wholly enclosed in matching double or single quotes is read without them.
QString ohneAnfuehrung(const QString& w)
{
    if (w.size() >= 2 && (w.front() == QLatin1Char('"') || w.front() == QLatin1Char('\'')) && w.back() == w.front())
        return w.mid(1, w.size() - 2);
    return w;
}

// The value of a line as stored (trimmed) to the text a read gives.
QString wertDekodieren(const QString& gespeichert)
{
    return sterneDekodieren(ohneAnfuehrung(teilDekodieren(gespeichert)));
}

// What tells whether a file changed behind our back.
struct Stempel
{
    bool vorhanden = false;
    qint64 groesse = -1;
    qint64 geaendertNs = 0;
    quint64 inode = 0;
    bool operator==(const Stempel&) const = default;
};

Stempel stempel(const QString& pfad)
{
    Stempel st;
    const zplatform::Dateistand d = zplatform::dateistand(pfad);
    if (!d.datei)
        return st;
    st.vorhanden = true;
    st.groesse = d.groesse;
    st.geaendertNs = d.geaendertNs;
    st.inode = d.inode;
    return st;
}

struct IniDatei
{
    Stempel stand;
    bool vorhanden = false;
    Inhalt inhalt;
};

// A file an editor saved with a byte-order mark (UTF-8, or UTF-16 as Windows
// itself reads it) in the form the layer keeps: Windows-1252, and a section
// name, key or value Windows-1252 cannot hold in its UTF-8 form behind the
// mark, as a write stores it. The next write stores the file in that form.
// Lines before the first section hold no key: what they cannot hold becomes
// "?", as in a comment, and the file never begins with a mark of its own.
QByteArray zeileOhneMarke(const QString& zeile, bool& inSektion)
{
    const auto istLeer = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    // Windows-1252 reads the UTF-8 byte-order mark as these three characters.
    static const QString Utf8Marke = QStringLiteral("\u00EF\u00BB\u00BF");
    qsizetype a = 0;
    while (a < zeile.size() && istLeer(zeile[a]))
        ++a;
    const qsizetype zu = zeile.lastIndexOf(QLatin1Char(']'));
    const bool kopf = a < zeile.size() && zeile[a] == QLatin1Char('[') && zu > a;
    inSektion = inSektion || kopf;
    if (!inSektion || (!zeile.contains(Utf8Marke) && zplatform::istWindows1252(zeile)))
        return zplatform::nachWindows1252(zeile);
    if (kopf)
        return '[' + teilKodieren(beschneiden(QStringView(zeile).mid(a + 1, zu - a - 1))) + ']';
    const qsizetype gleich = zeile.indexOf(QLatin1Char('='), a);
    if (a < zeile.size() && zeile[a] != QLatin1Char(';') && gleich > a)
        return teilKodieren(beschneiden(QStringView(zeile).mid(a, gleich - a))) + '=' +
               teilKodieren(beschneiden(QStringView(zeile).mid(gleich + 1)));
    return zplatform::nachWindows1252(zeile); // a comment or stray text: what cannot be held becomes "?"
}

QByteArray ausMarkierterDatei(const QByteArray& bytes)
{
    const QString text = zplatform::ausDateiBytes(bytes);
    QByteArray aus;
    aus.reserve(bytes.size());
    bool inSektion = false;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype e = start;
        while (e < n && text[e] != QLatin1Char('\n') && text[e] != QLatin1Char('\r'))
            ++e;
        aus += zeileOhneMarke(text.mid(start, e - start), inSektion);
        if (e >= n)
            break;
        const bool crlf = text[e] == QLatin1Char('\r') && e + 1 < n && text[e + 1] == QLatin1Char('\n');
        aus += crlf ? QByteArrayLiteral("\r\n") : QByteArray(1, char(text[e].unicode()));
        start = e + (crlf ? 2 : 1);
    }
    // Text that itself begins like a mark (before any section, so it holds
    // no key) must not make the stored file read as another encoding.
    if (zplatform::markenLaenge(aus.constData(), aus.size()) > 0)
        aus.prepend(' ');
    return aus;
}

std::shared_ptr<IniDatei> einlesen(const QString& pfad)
{
    auto d = std::make_shared<IniDatei>();
    d->stand = stempel(pfad);
    if (!d->stand.vorhanden)
        return d;
    // A file without read permission counts as unreadable for root too (see
    // zplatform::lesePruefung); it is never written either.
    QFile f(pfad);
    if (zplatform::lesePruefung(pfad) != 0 || !f.open(QIODevice::ReadOnly)) {
        d->stand = Stempel();
        return d;
    }
    QByteArray bytes = f.readAll();
    if (zplatform::markenLaenge(bytes.constData(), bytes.size()) > 0)
        bytes = ausMarkierterDatei(bytes);
    d->vorhanden = true;
    d->inhalt = Inhalt(std::move(bytes));
    return d;
}

// One change of a file. A batch keeps its changes and makes them again on the
// file as it stands when the batch writes, so what another process wrote in
// the meantime stays.
struct Aenderung
{
    enum class Art { Schreiben, Loeschen, Zaehlen };
    Art art = Art::Schreiben;
    QString sektion, schluessel; // cleaned names
    QString wert;                // Schreiben: the value as stored
    bool ganzeSektion = false;   // Loeschen without a key
    double betrag = 0;           // Zaehlen
};

// The writes into one file held back by its batches.
struct Stapel
{
    int tiefe = 0;                      // batches of the file that exist now
    std::shared_ptr<IniDatei> offen;    // the content not yet written (none: nothing pending)
    Stempel basis;                      // the state of the file offen was made from
    std::vector<Aenderung> aenderungen; // what was changed since the last write
};

// This process's locks between processes, one per file; nested takers of
// the same file share it.
struct Sperre
{
    int tiefe = 0;
    std::shared_ptr<zplatform::Dateisperre> sperre;
};

struct Zwischenspeicher
{
    QHash<QString, std::shared_ptr<IniDatei>> dateien; // full path -> parsed file
    QHash<QString, QString> pfadVon;                   // name as asked -> resolved path
    QHash<QString, Stapel> stapel;                     // full path -> its batch, while one exists
    QHash<QString, Sperre> sperren;                    // full path -> the lock this process holds
    QSet<QString> gemeinsam;                           // full paths of the files every user shares
    QString letzterFehler;                             // why the last write failed ("" none)
};

Zwischenspeicher& speicher()
{
    static Zwischenspeicher s;
    return s;
}

// The content a batch holds back for the file, or null.
std::shared_ptr<IniDatei> offenerStand(const QString& pfad)
{
    const Zwischenspeicher& s = speicher();
    if (s.stapel.isEmpty())
        return nullptr;
    auto b = s.stapel.constFind(pfad);
    return b == s.stapel.constEnd() ? nullptr : b.value().offen;
}

// The parsed file (with what a batch holds back for it), read again when its
// time stamp, size or inode changed.
std::shared_ptr<IniDatei> datei_(const QString& pfad, const Stempel& st)
{
    if (auto offen = offenerStand(pfad))
        return offen;
    Zwischenspeicher& s = speicher();
    auto it = s.dateien.find(pfad);
    if (it != s.dateien.end()) {
        if (it.value()->stand == st)
            return it.value();
        // Gone before the new content is read: a huge file is held once.
        s.dateien.erase(it);
    }
    auto d = einlesen(pfad);
    s.dateien.insert(pfad, d);
    return d;
}

const QByteArray CrLf = QByteArrayLiteral("\r\n");

// Writes the content atomically and puts it into the cache. A file whose
// folder is missing is not written.
bool zurueckschreiben(const QString& pfad, Inhalt inhalt)
{
    QString& letzterFehler = speicher().letzterFehler;
    QFileInfo fi(pfad);
    if (!QFileInfo(fi.absolutePath()).isDir()) {
        letzterFehler = QStringLiteral("Die Datei %1 kann nicht geschrieben werden: Der Ordner %2 existiert nicht.")
                            .arg(QDir::toNativeSeparators(pfad), QDir::toNativeSeparators(fi.absolutePath()));
        return false;
    }
    // A file that could not be read is never replaced by what was read of it.
    const int lesbar = zplatform::lesePruefung(pfad);
    if (lesbar != 0 && lesbar != ENOENT && lesbar != EISDIR) {
        zplatform::Ergebnis gelesen;
        zplatform::textLesen(pfad, &gelesen);
        letzterFehler = gelesen.fehler + QStringLiteral(" Sie wird deshalb nicht überschrieben.");
        return false;
    }
    if (const zplatform::Ergebnis e =
            zplatform::bytesSchreiben(pfad, inhalt.bytes(), speicher().gemeinsam.contains(pfad));
        !e) {
        letzterFehler = e.fehler;
        return false;
    }
    auto d = std::make_shared<IniDatei>();
    d->stand = stempel(pfad);
    d->vorhanden = d->stand.vorhanden;
    d->inhalt = std::move(inhalt);
    speicher().dateien.insert(pfad, d);
    return true;
}

QByteArray kopfZeile(const QString& sektion)
{
    return '[' + teilKodieren(sektion) + ']';
}

QByteArray schluesselZeile(const QString& schluessel, const QString& wert)
{
    return teilKodieren(schluessel) + '=' + teilKodieren(wert);
}

bool istZizorud(const QString& name)
{
    return name.compare(QStringLiteral("ZIZORUD.INI"), Qt::CaseInsensitive) == 0;
}

QString pfadErmitteln(const QString& datei)
{
    QString name = beschneiden(datei);
    if (name.isEmpty())
        return zplatform::pfadAufloesen(zplatform::windowsOrdner() + QStringLiteral("/Zizorud.ini"));
    if (name.size() < 4 || name[name.size() - 4] != QLatin1Char('.'))
        name += QStringLiteral(".ini");
    name = zplatform::normalPfad(name);
    if (istZizorud(name))
        return zplatform::pfadAufloesen(zplatform::windowsOrdner() + QStringLiteral("/Zizorud.ini"));
    if (!name.contains(QLatin1Char('/'))) {
        // WIN.INI, SYSTEM.INI and every bare name live in the Windows folder.
        return zplatform::pfadAufloesen(zplatform::windowsOrdner() + QLatin1Char('/') + name);
    }
    return zplatform::pfadAufloesen(name);
}

// The resolved path, remembered per name; a remembered path that no longer
// exists is worked out again (the file may now exist in another case).
// *st gets the file's state.
QString pfad(const QString& datei, Stempel* st = nullptr)
{
    Zwischenspeicher& s = speicher();
    auto it = s.pfadVon.constFind(datei);
    if (it != s.pfadVon.constEnd()) {
        Stempel gemerkt = stempel(it.value());
        if (gemerkt.vorhanden) {
            if (st)
                *st = gemerkt;
            return it.value();
        }
    }
    const QString p = pfadErmitteln(datei);
    s.pfadVon.insert(datei, p);
    if (st)
        *st = stempel(p);
    return p;
}

// The parsed file a name stands for.
std::shared_ptr<IniDatei> dateiZu(const QString& name, QString* gefunden = nullptr)
{
    Stempel st;
    const QString p = pfad(name, &st);
    if (gefunden)
        *gefunden = p;
    return datei_(p, st);
}

// A cached file made the caller's own, to be changed in place: taken out of
// the cache (a write that fails then leaves nothing stale behind), and
// copied only while someone else still holds it. It counts as existing, as
// it will once written.
std::shared_ptr<IniDatei> zumAendern(const QString& pfad, std::shared_ptr<IniDatei> d)
{
    speicher().dateien.remove(pfad);
    if (d.use_count() > 1)
        d = std::make_shared<IniDatei>(*d);
    d->vorhanden = true;
    return d;
}

// The value a key has in a parsed file, as a read gives it.
QString wertIn(const IniDatei& d, const QString& sektion, const QString& schluessel, const QString& vorgabe)
{
    if (d.vorhanden) {
        const Inhalt& in = d.inhalt;
        const int s = in.sektionFinden(normName(sektion));
        if (s >= 0) {
            if (const std::optional<Zeile> z = in.schluesselFinden(s, normName(schluessel)))
                return wertDekodieren(zplatform::ausWindows1252(in.wertBytes(*z)));
        }
    }
    return vorgabe;
}

// The change that writes a value into a file's content; none when nothing changes.
std::optional<Ersetzung> schreibenIn(const IniDatei& d, const QString& sekName, const QString& schlName,
                                  const QString& gespeichert)
{
    const Inhalt& in = d.inhalt;
    const qsizetype groesse = in.bytes().size();
    const int s = in.sektionFinden(normName(sekName));
    if (s < 0) {
        // A new section at the end, after a blank line when the file has
        // text; the last line gets a line end first.
        qsizetype von = groesse;
        QByteArray neu;
        if (const std::optional<Zeile> letzte = in.letzteZeile()) {
            if (!letzte->hatEnde()) {
                von = letzte->anfang;
                neu = in.text(*letzte) + CrLf;
            }
            if (!in.leer(*letzte))
                neu += CrLf;
        }
        neu += kopfZeile(sekName) + CrLf + schluesselZeile(schlName, gespeichert) + CrLf;
        return Ersetzung{von, groesse, neu, false};
    }

    const QByteArray wert = teilKodieren(gespeichert);
    if (const std::optional<Zeile> z = in.schluesselFinden(s, normName(schlName))) {
        if (in.wertBytes(*z) == wert)
            return std::nullopt; // nothing to change
        // The key keeps the spelling it has in the file, the line its end.
        return Ersetzung{z->anfang, z->ende, in.namensBytes(*z) + '=' + wert + in.zeilenende(*z), true};
    }

    // A new key after the section's last line that is not blank.
    const Zeile nach = in.letzteBelegte(s);
    const QByteArray neu = schluesselZeile(schlName, gespeichert) + CrLf;
    if (nach.hatEnde())
        return Ersetzung{nach.ende, nach.ende, neu, false};
    return Ersetzung{nach.anfang, nach.ende, in.text(nach) + CrLf + neu, false};
}

std::optional<Ersetzung> loeschenIn(const IniDatei& d, const Aenderung& a)
{
    if (!d.vorhanden)
        return std::nullopt;
    const Inhalt& in = d.inhalt;
    const int s = in.sektionFinden(normName(a.sektion));
    if (s < 0)
        return std::nullopt;
    if (a.ganzeSektion)
        return Ersetzung{in.sektionsAnfang(s), in.sektionsEnde(s), QByteArray(), false};
    const std::optional<Zeile> z = in.schluesselFinden(s, normName(a.schluessel));
    if (!z)
        return std::nullopt;
    return Ersetzung{z->anfang, z->ende, QByteArray(), false};
}

// The number format of the counter: "0", halves away from zero, no "-0".
QString zaehlerText(double wert)
{
    double neu = std::round(wert);
    if (neu == 0)
        neu = 0;
    return QString::number(neu, 'f', 0);
}

// The change one Aenderung makes on a parsed file, or none when nothing
// changes. *zaehler gets the new value of a counter.
std::optional<Ersetzung> anwenden(const IniDatei& d, const Aenderung& a, double* zaehler = nullptr)
{
    switch (a.art) {
    case Aenderung::Art::Schreiben:
        return schreibenIn(d, a.sektion, a.schluessel, a.wert);
    case Aenderung::Art::Loeschen:
        return loeschenIn(d, a);
    case Aenderung::Art::Zaehlen: {
        // The leading number of the stored text; none counts as 0.
        const QString neu = zaehlerText(Val(wertIn(d, a.sektion, a.schluessel, QStringLiteral("0"))) + a.betrag);
        if (zaehler)
            *zaehler = neu.toDouble();
        return schreibenIn(d, a.sektion, a.schluessel, neu);
    }
    }
    return std::nullopt;
}

// Makes a change: inside the batch of the file while one exists (kept, to be
// made again when the batch writes), otherwise at once under the lock
// between processes, on the file as it stands now. Returns a counter's value.
double aendern(const QString& datei, const Aenderung& a)
{
    Zwischenspeicher& s = speicher();
    s.letzterFehler.clear();
    const QString p = pfad(datei);
    double zaehler = 0;
    auto b = s.stapel.find(p);
    if (b != s.stapel.end()) {
        Stapel& stapel = b.value();
        auto d = dateiZu(datei);
        if (const std::optional<Ersetzung> e = anwenden(*d, a, &zaehler)) {
            // The first change takes the file as read over from the cache.
            if (!stapel.offen) {
                stapel.basis = d->stand;
                stapel.offen = zumAendern(p, std::move(d));
            }
            stapel.offen->inhalt.ersetzen(*e);
        }
        stapel.aenderungen.push_back(a);
        return zaehler;
    }
    Ini_Sperre sperre(p);
    QString q;
    auto d = dateiZu(datei, &q);
    if (const std::optional<Ersetzung> e = anwenden(*d, a, &zaehler)) {
        auto eigen = zumAendern(q, std::move(d));
        eigen->inhalt.ersetzen(*e);
        zurueckschreiben(q, std::move(eigen->inhalt));
    }
    return zaehler;
}

} // namespace

QString Ini_Pfad(const QString& datei)
{
    return pfad(datei);
}

QString Ini_Lesen(const QString& datei, const QString& sektion, const QString& schluessel, const QString& vorgabe)
{
    auto d = dateiZu(datei);
    if (d->vorhanden) {
        const Inhalt& in = d->inhalt;
        const int s = in.sektionFinden(normName(nameBereinigen(sektion, QString::fromLatin1(ProgrammSektion))));
        if (s >= 0) {
            if (const std::optional<Zeile> z = in.schluesselFinden(s, normName(nameBereinigen(schluessel, KeinSchluessel))))
                return wertDekodieren(zplatform::ausWindows1252(in.wertBytes(*z)));
        }
    }
    // The default takes the same way a stored value would: a line break in it
    // comes back as CR LF.
    if (vorgabe.contains(QLatin1Char('\r')) || vorgabe.contains(QLatin1Char('\n'))) {
        QString v = vorgabe;
        v.replace(QStringLiteral("\r\n"), QStringLiteral("**"));
        v.replace(QLatin1Char('\r'), QStringLiteral("**"));
        v.replace(QLatin1Char('\n'), QStringLiteral("**"));
        return sterneDekodieren(v);
    }
    return sterneDekodieren(vorgabe);
}

QString Ini_Schreiben(const QString& datei, const QString& sektion, const QString& schluessel, const QString& wert)
{
    Aenderung a;
    a.sektion = nameBereinigen(sektion, QString::fromLatin1(ProgrammSektion));
    a.schluessel = nameBereinigen(schluessel, KeinSchluessel);
    a.wert = wertKodieren(wert);
    aendern(datei, a);
    // What a read gives back before its line breaks and quotes are undone.
    return teilDekodieren(beschneiden(zplatform::ausWindows1252(teilKodieren(a.wert))));
}

namespace {

// A stored value as the file gives it back: a single write compares the next
// value with this (surrounding tabs are not part of a value when read).
QString gelesen(const QString& gespeichert)
{
    return beschneiden(zplatform::ausWindows1252(teilKodieren(gespeichert)));
}

} // namespace

bool Ini_SchreibenAlle(const QString& datei, const QString& sektion,
                       const std::vector<std::pair<QString, QString>>& werte)
{
    Zwischenspeicher& s = speicher();
    s.letzterFehler.clear();
    if (werte.empty())
        return true;
    const QString sekName = nameBereinigen(sektion, QString::fromLatin1(ProgrammSektion));

    // A key that reads back as something else (a section line, a comment, a
    // shorter key) changes what the next write finds: such batches take the
    // single writes, held back and written once. So does a batch of the file
    // that is open already (it keeps its changes to make them again).
    if (s.stapel.contains(pfad(datei))) {
        for (const auto& [schluessel, wert] : werte)
            Ini_Schreiben(datei, sektion, schluessel, wert);
        return true;
    }
    for (const auto& eintrag : werte) {
        const QString name = nameBereinigen(eintrag.first, KeinSchluessel);
        if (name.startsWith(QLatin1Char('[')) || name.startsWith(QLatin1Char(';')) || name.contains(QLatin1Char('='))) {
            Ini_Stapel stapel(datei);
            for (const auto& [schluessel, wert] : werte)
                Ini_Schreiben(datei, sektion, schluessel, wert);
            return stapel.schreiben();
        }
    }

    // Read, changed and written under the lock between processes.
    Ini_Sperre sperre(datei);
    QString p;
    auto d = dateiZu(datei, &p);
    const Inhalt& in = d->inhalt;
    const int sek = in.sektionFinden(normName(sekName));

    // Keys the section holds already are changed in place (their current
    // value tracked, as a later write of the same key sees the earlier one);
    // new keys follow one another after the section's last line that is not
    // blank, in the order of their first write, with their last value.
    std::map<qsizetype, std::pair<Zeile, QByteArray>> ersetzt; // line start -> line, its new text
    QHash<qsizetype, QString> aktuell;                          // line start -> value it holds now
    std::vector<std::pair<QString, QString>> neue;               // name as first written, value
    QHash<QString, size_t> neuVon;                               // norm key -> index in neue
    for (const auto& [schluessel, wert] : werte) {
        const QString gespeichert = wertKodieren(wert);
        const QString schlName = nameBereinigen(schluessel, KeinSchluessel);
        const QString norm = normName(schlName);
        if (auto n = neuVon.constFind(norm); n != neuVon.constEnd()) {
            // As a single write: a value that reads as the pending one changes nothing.
            if (zplatform::nachWindows1252(gelesen(neue[n.value()].second)) != teilKodieren(gespeichert))
                neue[n.value()].second = gespeichert;
            continue;
        }
        if (sek >= 0) {
            if (const std::optional<Zeile> z = in.schluesselFinden(sek, norm)) {
                const QByteArray neu = teilKodieren(gespeichert);
                // Compared as the single write compares: the value as read, in bytes.
                const QByteArray jetzt = aktuell.contains(z->anfang)
                                             ? zplatform::nachWindows1252(aktuell.value(z->anfang))
                                             : in.wertBytes(*z);
                if (jetzt == neu)
                    continue;
                // The key keeps the spelling it has in the file.
                ersetzt[z->anfang] = {*z, in.namensBytes(*z) + '=' + neu};
                aktuell.insert(z->anfang, gelesen(gespeichert));
                continue;
            }
        }
        neuVon.insert(norm, neue.size());
        neue.emplace_back(schlName, gespeichert);
    }
    if (ersetzt.empty() && neue.empty())
        return true;

    // The new keys go after the anchor line (a new section after the file's
    // last line, with a blank line between when that one has text).
    std::optional<Zeile> anker;
    QByteArray block;
    if (!neue.empty()) {
        if (sek < 0) {
            anker = in.letzteZeile();
            if (anker && !in.leer(*anker))
                block += CrLf;
            block += kopfZeile(sekName) + CrLf;
        } else {
            anker = in.letzteBelegte(sek);
        }
        for (const auto& [name, wert] : neue)
            block += schluesselZeile(name, wert) + CrLf;
    }

    // Every changed line lies before the anchor's end.
    const QByteArray& alt = in.bytes();
    QByteArray bytes;
    bytes.reserve(alt.size() + block.size() + 2 + qsizetype(ersetzt.size()) * 16);
    qsizetype pos = 0;
    const auto kopieren = [&](qsizetype bis) {
        bytes.append(alt.constData() + pos, bis - pos);
        pos = bis;
    };
    for (const auto& [anfang, ersatz] : ersetzt) {
        kopieren(anfang);
        bytes += ersatz.second;
        pos = ersatz.first.inhaltEnde;
    }
    if (!block.isEmpty()) {
        kopieren(anker ? anker->ende : 0);
        if (anker && !anker->hatEnde())
            bytes += CrLf;
        bytes += block;
    }
    kopieren(alt.size());
    // The old content goes before the new one is parsed and written.
    speicher().dateien.remove(p);
    d.reset();
    return zurueckschreiben(p, Inhalt(std::move(bytes)));
}

double Ini_Zaehler_Erhoehen(const QString& datei, const QString& sektion, const QString& schluessel, double betrag)
{
    Aenderung a;
    a.art = Aenderung::Art::Zaehlen;
    a.sektion = nameBereinigen(sektion, QString::fromLatin1(ProgrammSektion));
    a.schluessel = nameBereinigen(schluessel, KeinSchluessel);
    a.betrag = betrag;
    return aendern(datei, a);
}

void Ini_Loeschen(const QString& datei, const QString& sektion, const QString& schluessel)
{
    Aenderung a;
    a.art = Aenderung::Art::Loeschen;
    a.sektion = nameBereinigen(sektion, QString::fromLatin1(ProgrammSektion));
    a.ganzeSektion = beschneiden(schluessel).isEmpty();
    a.schluessel = nameBereinigen(schluessel, KeinSchluessel);
    aendern(datei, a);
}

QStringList Ini_Sektionen(const QString& datei)
{
    auto d = dateiZu(datei);
    QStringList namen;
    for (int s = 0; s < d->inhalt.sektionen(); ++s) {
        if (d->inhalt.istErste(s))
            namen << d->inhalt.sektionsName(s);
    }
    return namen;
}

QStringList Ini_Schluessel(const QString& datei, const QString& sektion)
{
    auto d = dateiZu(datei);
    const Inhalt& in = d->inhalt;
    const int s = in.sektionFinden(normName(nameBereinigen(sektion, QString::fromLatin1(ProgrammSektion))));
    QStringList namen;
    if (s >= 0) {
        for (const Zeile& z : in.schluessel(s))
            namen << in.schluesselName(z);
    }
    return namen;
}

std::vector<IniSektion> Ini_Auslesen(const QString& pfad)
{
    std::vector<IniSektion> ergebnis;
    std::shared_ptr<IniDatei> d;
    {
        Zwischenspeicher& s = speicher();
        if (!s.stapel.isEmpty())
            d = offenerStand(zplatform::pfadAufloesen(pfad));
    }
    if (!d)
        d = einlesen(pfad);
    const Inhalt& in = d->inhalt;
    for (int s = 0; s < in.sektionen(); ++s) {
        if (!in.istErste(s))
            continue;
        IniSektion e;
        e.name = in.sektionsName(s);
        for (const Zeile& z : in.schluessel(s))
            e.eintraege.push_back({in.schluesselName(z), wertDekodieren(zplatform::ausWindows1252(in.wertBytes(z)))});
        ergebnis.push_back(std::move(e));
    }
    return ergebnis;
}

QString Ini_Fehler()
{
    return speicher().letzterFehler;
}

void Ini_CacheLeeren()
{
    Zwischenspeicher& s = speicher();
    s.dateien.clear();
    s.pfadVon.clear();
}

void Ini_Gemeinsam(const QString& datei)
{
    speicher().gemeinsam.insert(pfad(datei));
}

Ini_Sperre::Ini_Sperre(const QString& datei)
{
    m_pfad = pfad(datei);
    Sperre& s = speicher().sperren[m_pfad];
    if (s.tiefe++ == 0)
        s.sperre = std::make_shared<zplatform::Dateisperre>(m_pfad);
}

Ini_Sperre::~Ini_Sperre()
{
    Zwischenspeicher& z = speicher();
    auto it = z.sperren.find(m_pfad);
    if (it != z.sperren.end() && --it.value().tiefe <= 0)
        z.sperren.erase(it);
}

Ini_Stapel::Ini_Stapel(const QString& datei)
{
    Zwischenspeicher& s = speicher();
    m_pfad = pfad(datei);
    ++s.stapel[m_pfad].tiefe;
}

Ini_Stapel::~Ini_Stapel()
{
    Zwischenspeicher& s = speicher();
    auto b = s.stapel.find(m_pfad);
    if (b == s.stapel.end() || --b.value().tiefe > 0)
        return;
    schreiben();
    s.stapel.remove(m_pfad);
}

bool Ini_Stapel::schreiben()
{
    Zwischenspeicher& s = speicher();
    s.letzterFehler.clear();
    auto b = s.stapel.find(m_pfad);
    if (b == s.stapel.end() || b.value().aenderungen.empty())
        return true;
    // Taken out first: whether the write succeeds or fails, reads go to the
    // file (and the cache it fills) from now on.
    const std::vector<Aenderung> aenderungen = std::move(b.value().aenderungen);
    b.value().aenderungen.clear();
    std::shared_ptr<IniDatei> offen = std::move(b.value().offen);
    b.value().offen.reset();
    const Stempel basis = b.value().basis;

    Ini_Sperre sperre(m_pfad);
    const Stempel jetzt = stempel(m_pfad);
    // Nobody changed the file meanwhile: what the batch holds is the result.
    if (offen && jetzt == basis)
        return zurueckschreiben(m_pfad, std::move(offen->inhalt));

    // Otherwise the changes are made again on the file as it stands now.
    offen.reset();
    std::shared_ptr<IniDatei> stand = datei_(m_pfad, jetzt);
    bool geaendert = false; // stand is then this batch's own
    for (const Aenderung& a : aenderungen) {
        if (const std::optional<Ersetzung> e = anwenden(*stand, a)) {
            if (!geaendert)
                stand = zumAendern(m_pfad, std::move(stand));
            stand->inhalt.ersetzen(*e);
            geaendert = true;
        }
    }
    return !geaendert || zurueckschreiben(m_pfad, std::move(stand->inhalt));
}

} // namespace zcommon
