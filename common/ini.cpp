// Settings files: our own reader and writer with the rules of Windows'
// private profiles (see ini.h).
//
// A file is kept as its raw lines (bytes plus the line end each had), so a
// write changes only the one line it concerns and leaves every other byte as
// it was. The parsed form (sections and keys, names folded to upper case) is
// cached per file and checked against the file's time stamp and size on each
// access, so reading many keys of one file costs one stat per call. While a
// batch (Ini_Stapel) runs for a file, its changed content is held here instead
// of being written, and reads are served from it.

#include "common/ini.h"

#include "common/texte.h"

#include "platform/codec.h"
#include "platform/dateisystem.h"
#include "platform/ordner.h"
#include "platform/textdatei.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>

#include <cerrno>
#include <cmath>
#include <iterator>
#include <memory>
#include <vector>

namespace zcommon {

namespace {

const QString KeinSchluessel = QStringLiteral("NoKey");

bool istLeer(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Blanks and tabs at both ends removed (names and values as read).
QString beschneiden(QStringView s)
{
    qsizetype a = 0, e = s.size();
    while (a < e && istLeer(s[a]))
        ++a;
    while (e > a && istLeer(s[e - 1]))
        --e;
    return s.mid(a, e - a).toString();
}

// The comparison form of a section or key name: each character in upper case
// on its own (so "ä" and "Ä" meet, and "ß" stays one character).
QString normName(const QString& name)
{
    QString n = beschneiden(name);
    QChar* p = n.data();
    for (qsizetype i = 0, len = n.size(); i < len; ++i) {
        ushort u = p[i].unicode();
        if (u < 0x80) {
            if (u >= 'a' && u <= 'z')
                p[i] = QChar(u - 32);
        } else {
            p[i] = p[i].toUpper();
        }
    }
    return n;
}

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

// Text that Windows-1252 cannot hold is stored as UTF-8 behind the UTF-8
// byte-order mark (which Windows-1252 reads as "ï»¿"); every other text byte for
// byte. A text that itself begins with those three characters takes the UTF-8
// form too, so every text reads back as it was written.
const QString Utf8Marke = QStringLiteral("\u00EF\u00BB\u00BF");

QByteArray teilKodieren(const QString& text)
{
    if (!text.startsWith(Utf8Marke) && zplatform::istWindows1252(text))
        return zplatform::nachWindows1252(text);
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

// A name or value as read (decoded as Windows-1252) back to the text written.
QString teilDekodieren(const QString& gelesen)
{
    if (!gelesen.startsWith(Utf8Marke))
        return gelesen;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(zplatform::nachWindows1252(gelesen.mid(Utf8Marke.size())));
    return utf8.hasError() ? gelesen : text;
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

// The key name of a stored line with the blanks and tabs around it removed,
// as the reader takes it (a form feed or other control character belongs to
// the name and must stay, or the line would lose its key).
QByteArray namensTeil(const QByteArray& zeile)
{
    qsizetype e = zeile.indexOf('=');
    if (e < 0)
        e = zeile.size();
    qsizetype a = 0;
    while (a < e && (zeile[a] == ' ' || zeile[a] == '\t'))
        ++a;
    while (e > a && (zeile[e - 1] == ' ' || zeile[e - 1] == '\t'))
        --e;
    return zeile.mid(a, e - a);
}

// The value of a line as stored (trimmed) to the text a read gives.
QString wertDekodieren(const QString& gespeichert)
{
    return sterneDekodieren(ohneAnfuehrung(teilDekodieren(gespeichert)));
}

struct Zeile
{
    QByteArray inhalt; // without line end
    QByteArray ende;   // "\r\n", "\n" or "" (last line without end)
};

struct Sektion
{
    QString name;                    // as stored, trimmed
    int kopf = -1;                   // line of the header
    int ende = -1;                   // last line that belongs to the section
    QStringList reihenfolge;         // key names as stored, in file order (first occurrences)
    QHash<QString, int> zeileVon;    // norm key -> line of its first occurrence
    QHash<QString, QString> wertVon; // norm key -> stored value (trimmed, "**" kept)
};

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
    std::vector<Zeile> zeilen;
    std::vector<Sektion> sektionen;
    QHash<QString, int> sektionVon; // norm name -> index of its first occurrence

    const Sektion* finden(const QString& norm) const
    {
        auto it = sektionVon.constFind(norm);
        return it == sektionVon.constEnd() ? nullptr : &sektionen[size_t(it.value())];
    }
};

// Splits the bytes into lines. CR LF, LF and a lone CR each end a line; the
// end belongs to the line, so a write gives every untouched line back as it was.
std::vector<Zeile> zeilenTeilen(const QByteArray& bytes)
{
    std::vector<Zeile> zeilen;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    const char* d = bytes.constData();
    while (start < n) {
        qsizetype e = start;
        while (e < n && d[e] != '\n' && d[e] != '\r')
            ++e;
        Zeile z;
        z.inhalt = bytes.mid(start, e - start);
        if (e >= n) {
            start = n;
        } else if (d[e] == '\r' && e + 1 < n && d[e + 1] == '\n') {
            z.ende = QByteArrayLiteral("\r\n");
            start = e + 2;
        } else {
            z.ende = QByteArray(1, d[e]);
            start = e + 1;
        }
        zeilen.push_back(std::move(z));
    }
    return zeilen;
}

// Finds sections and keys. Lines before the first section, comments (";"),
// blank lines and lines without "=" belong to no key.
void gliedern(IniDatei& d)
{
    d.sektionen.clear();
    d.sektionVon.clear();
    Sektion* aktuell = nullptr;
    for (int i = 0; i < int(d.zeilen.size()); ++i) {
        const QString zeile = zplatform::ausWindows1252(d.zeilen[size_t(i)].inhalt);
        qsizetype a = 0;
        while (a < zeile.size() && istLeer(zeile[a]))
            ++a;
        if (a >= zeile.size()) {
            if (aktuell)
                aktuell->ende = i;
            continue;
        }
        if (zeile[a] == QLatin1Char('[')) {
            qsizetype zu = zeile.lastIndexOf(QLatin1Char(']'));
            if (zu > a) {
                Sektion s;
                s.name = teilDekodieren(beschneiden(QStringView(zeile).mid(a + 1, zu - a - 1)));
                s.kopf = i;
                s.ende = i;
                d.sektionen.push_back(std::move(s));
                aktuell = &d.sektionen.back();
                const QString norm = normName(aktuell->name);
                if (!d.sektionVon.contains(norm))
                    d.sektionVon.insert(norm, int(d.sektionen.size()) - 1);
                continue;
            }
        }
        if (!aktuell)
            continue;
        aktuell->ende = i;
        if (zeile[a] == QLatin1Char(';'))
            continue;
        qsizetype gleich = zeile.indexOf(QLatin1Char('='), a);
        if (gleich < 0)
            continue;
        QString name = teilDekodieren(beschneiden(QStringView(zeile).mid(a, gleich - a)));
        if (name.isEmpty())
            continue;
        QString norm = normName(name);
        if (aktuell->zeileVon.contains(norm))
            continue;
        aktuell->zeileVon.insert(norm, i);
        aktuell->wertVon.insert(norm, beschneiden(QStringView(zeile).mid(gleich + 1)));
        aktuell->reihenfolge << name;
    }
}

// A file an editor saved with a byte-order mark (UTF-8, or UTF-16 as Windows
// itself reads it) in the form the layer keeps: Windows-1252, and a section
// name, key or value Windows-1252 cannot hold in its UTF-8 form behind the
// mark, as a write stores it. The next write stores the file in that form.
// Lines before the first section hold no key: what they cannot hold becomes
// "?", as in a comment, and the file never begins with a mark of its own.
QByteArray zeileOhneMarke(const QString& zeile, bool& inSektion)
{
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
    d->zeilen = zeilenTeilen(bytes);
    gliedern(*d);
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
    if (it != s.dateien.end() && it.value()->stand == st)
        return it.value();
    auto d = einlesen(pfad);
    s.dateien.insert(pfad, d);
    return d;
}

QByteArray zusammenfuegen(const std::vector<Zeile>& zeilen)
{
    qsizetype laenge = 0;
    for (const Zeile& z : zeilen)
        laenge += z.inhalt.size() + z.ende.size();
    QByteArray bytes;
    bytes.reserve(laenge);
    for (const Zeile& z : zeilen) {
        bytes += z.inhalt;
        bytes += z.ende;
    }
    return bytes;
}

const QByteArray CrLf = QByteArrayLiteral("\r\n");

// Writes the lines atomically and puts the new state into the cache. A file
// whose folder is missing is not written.
bool zurueckschreiben(const QString& pfad, std::vector<Zeile> zeilen)
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
    const QByteArray bytes = zusammenfuegen(zeilen);
    if (const zplatform::Ergebnis e = zplatform::bytesSchreiben(pfad, bytes); !e) {
        letzterFehler = e.fehler;
        return false;
    }
    auto d = std::make_shared<IniDatei>();
    d->stand = stempel(pfad);
    d->vorhanden = d->stand.vorhanden;
    d->zeilen = std::move(zeilen);
    gliedern(*d);
    speicher().dateien.insert(pfad, d);
    return true;
}

// A line that ends without a line end gets one before anything follows it.
void endeSichern(std::vector<Zeile>& zeilen, size_t index)
{
    if (index < zeilen.size() && zeilen[index].ende.isEmpty())
        zeilen[index].ende = CrLf;
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

std::shared_ptr<IniDatei> gegliedert(std::vector<Zeile> zeilen)
{
    auto d = std::make_shared<IniDatei>();
    d->vorhanden = true; // as it will be once written
    d->zeilen = std::move(zeilen);
    gliedern(*d);
    return d;
}

// The value a key has in a parsed file, as a read gives it.
QString wertIn(const IniDatei& d, const QString& sektion, const QString& schluessel, const QString& vorgabe)
{
    if (d.vorhanden) {
        if (const Sektion* sek = d.finden(normName(sektion))) {
            auto it = sek->wertVon.constFind(normName(schluessel));
            if (it != sek->wertVon.constEnd())
                return wertDekodieren(it.value());
        }
    }
    return vorgabe;
}

// Writes a value into the lines of a file; false when nothing changes.
bool schreibenIn(const IniDatei& d, std::vector<Zeile>& zeilen, const QString& sekName, const QString& schlName,
                 const QString& gespeichert)
{
    zeilen = d.zeilen;
    const Sektion* sek = d.finden(normName(sekName));
    if (!sek) {
        // A new section at the end, after a blank line when the file has text.
        if (!zeilen.empty()) {
            endeSichern(zeilen, zeilen.size() - 1);
            if (!beschneiden(zplatform::ausWindows1252(zeilen.back().inhalt)).isEmpty())
                zeilen.push_back({QByteArray(), CrLf});
        }
        zeilen.push_back({kopfZeile(sekName), CrLf});
        zeilen.push_back({schluesselZeile(schlName, gespeichert), CrLf});
        return true;
    }

    const QString schlNorm = normName(schlName);
    auto it = sek->zeileVon.constFind(schlNorm);
    if (it != sek->zeileVon.constEnd()) {
        const size_t i = size_t(it.value());
        const QByteArray neu = teilKodieren(gespeichert);
        if (zplatform::nachWindows1252(sek->wertVon.value(schlNorm)) == neu)
            return false; // nothing to change
        // The key keeps the spelling it has in the file.
        const QByteArray& zeile = zeilen[i].inhalt;
        zeilen[i].inhalt = namensTeil(zeile) + '=' + neu;
        if (zeilen[i].ende.isEmpty() && i + 1 < zeilen.size())
            zeilen[i].ende = CrLf;
        return true;
    }

    // A new key after the section's last line that is not blank.
    size_t nach = size_t(sek->kopf);
    for (int i = sek->ende; i > sek->kopf; --i) {
        if (!beschneiden(zplatform::ausWindows1252(zeilen[size_t(i)].inhalt)).isEmpty()) {
            nach = size_t(i);
            break;
        }
    }
    endeSichern(zeilen, nach);
    zeilen.insert(zeilen.begin() + qsizetype(nach) + 1, Zeile{schluesselZeile(schlName, gespeichert), CrLf});
    return true;
}

bool loeschenIn(const IniDatei& d, std::vector<Zeile>& zeilen, const Aenderung& a)
{
    if (!d.vorhanden)
        return false;
    const Sektion* sek = d.finden(normName(a.sektion));
    if (!sek)
        return false;
    zeilen = d.zeilen;
    if (a.ganzeSektion) {
        zeilen.erase(zeilen.begin() + sek->kopf, zeilen.begin() + sek->ende + 1);
        return true;
    }
    auto it = sek->zeileVon.constFind(normName(a.schluessel));
    if (it == sek->zeileVon.constEnd())
        return false;
    zeilen.erase(zeilen.begin() + it.value());
    return true;
}

// The number format of the counter: "0", halves away from zero, no "-0".
QString zaehlerText(double wert)
{
    double neu = std::round(wert);
    if (neu == 0)
        neu = 0;
    return QString::number(neu, 'f', 0);
}

// Makes one change on a parsed file: the new lines, or false when nothing
// changes. *zaehler gets the new value of a counter.
bool anwenden(const IniDatei& d, const Aenderung& a, std::vector<Zeile>& zeilen, double* zaehler = nullptr)
{
    switch (a.art) {
    case Aenderung::Art::Schreiben:
        return schreibenIn(d, zeilen, a.sektion, a.schluessel, a.wert);
    case Aenderung::Art::Loeschen:
        return loeschenIn(d, zeilen, a);
    case Aenderung::Art::Zaehlen: {
        // The leading number of the stored text; none counts as 0.
        const QString neu = zaehlerText(Val(wertIn(d, a.sektion, a.schluessel, QStringLiteral("0"))) + a.betrag);
        if (zaehler)
            *zaehler = neu.toDouble();
        return schreibenIn(d, zeilen, a.sektion, a.schluessel, neu);
    }
    }
    return false;
}

// Makes a change: inside the batch of the file while one exists (kept, to be
// made again when the batch writes), otherwise at once under the lock
// between processes, on the file as it stands now. Returns a counter's value.
double aendern(const QString& datei, const Aenderung& a)
{
    Zwischenspeicher& s = speicher();
    s.letzterFehler.clear();
    const QString p = pfad(datei);
    std::vector<Zeile> zeilen;
    double zaehler = 0;
    auto b = s.stapel.find(p);
    if (b != s.stapel.end()) {
        auto d = dateiZu(datei);
        if (anwenden(*d, a, zeilen, &zaehler))
            b.value().offen = gegliedert(std::move(zeilen));
        b.value().aenderungen.push_back(a);
        return zaehler;
    }
    Ini_Sperre sperre(p);
    QString q;
    auto d = dateiZu(datei, &q);
    if (anwenden(*d, a, zeilen, &zaehler))
        zurueckschreiben(q, std::move(zeilen));
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
        const Sektion* sek = d->finden(normName(nameBereinigen(sektion, QString::fromLatin1(ProgrammSektion))));
        if (sek) {
            auto it = sek->wertVon.constFind(normName(nameBereinigen(schluessel, KeinSchluessel)));
            if (it != sek->wertVon.constEnd())
                return wertDekodieren(it.value());
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
    std::vector<Zeile> zeilen = d->zeilen;
    const Sektion* sek = d->finden(normName(sekName));

    // Keys the section holds already are changed in place (their current
    // value tracked, as a later write of the same key sees the earlier one);
    // new keys follow one another after the section's last line that is not
    // blank, in the order of their first write, with their last value.
    QHash<size_t, QString> aktuell;                // line -> value it holds now
    std::vector<std::pair<QString, QString>> neue; // name as first written, value
    QHash<QString, size_t> neuVon;                 // norm key -> index in neue
    bool geaendert = false;
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
        if (sek) {
            if (auto it = sek->zeileVon.constFind(norm); it != sek->zeileVon.constEnd()) {
                const size_t i = size_t(it.value());
                const QByteArray neu = teilKodieren(gespeichert);
                // Compared as the single write compares: the value as read, in bytes.
                const QByteArray jetzt =
                    zplatform::nachWindows1252(aktuell.contains(i) ? aktuell.value(i) : sek->wertVon.value(norm));
                if (jetzt == neu)
                    continue;
                // The key keeps the spelling it has in the file.
                const QByteArray& zeile = zeilen[i].inhalt;
                zeilen[i].inhalt = namensTeil(zeile) + '=' + neu;
                if (zeilen[i].ende.isEmpty() && i + 1 < zeilen.size())
                    zeilen[i].ende = CrLf;
                aktuell.insert(i, gelesen(gespeichert));
                geaendert = true;
                continue;
            }
        }
        neuVon.insert(norm, neue.size());
        neue.emplace_back(schlName, gespeichert);
    }

    if (!neue.empty()) {
        std::vector<Zeile> einfuegen;
        einfuegen.reserve(neue.size() + 1);
        size_t nach = zeilen.size();
        if (!sek) {
            if (!zeilen.empty()) {
                endeSichern(zeilen, zeilen.size() - 1);
                if (!beschneiden(zplatform::ausWindows1252(zeilen.back().inhalt)).isEmpty())
                    zeilen.push_back({QByteArray(), CrLf});
            }
            einfuegen.push_back({kopfZeile(sekName), CrLf});
            nach = zeilen.size();
        } else {
            size_t letzte = size_t(sek->kopf);
            for (int i = sek->ende; i > sek->kopf; --i) {
                if (!beschneiden(zplatform::ausWindows1252(zeilen[size_t(i)].inhalt)).isEmpty()) {
                    letzte = size_t(i);
                    break;
                }
            }
            endeSichern(zeilen, letzte);
            nach = letzte + 1;
        }
        for (const auto& [name, wert] : neue)
            einfuegen.push_back({schluesselZeile(name, wert), CrLf});
        zeilen.insert(zeilen.begin() + qsizetype(nach), std::make_move_iterator(einfuegen.begin()),
                      std::make_move_iterator(einfuegen.end()));
        geaendert = true;
    }
    if (!geaendert)
        return true;
    return zurueckschreiben(p, std::move(zeilen));
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
    for (const Sektion& s : d->sektionen) {
        if (&s == d->finden(normName(s.name)))
            namen << s.name;
    }
    return namen;
}

QStringList Ini_Schluessel(const QString& datei, const QString& sektion)
{
    auto d = dateiZu(datei);
    const Sektion* sek = d->finden(normName(nameBereinigen(sektion, QString::fromLatin1(ProgrammSektion))));
    return sek ? sek->reihenfolge : QStringList();
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
    for (const Sektion& s : d->sektionen) {
        if (&s != d->finden(normName(s.name)))
            continue;
        IniSektion e;
        e.name = s.name;
        for (const QString& k : s.reihenfolge)
            e.eintraege.push_back({k, wertDekodieren(s.wertVon.value(normName(k)))});
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
    b.value().offen.reset();

    Ini_Sperre sperre(m_pfad);
    std::shared_ptr<IniDatei> stand = einlesen(m_pfad);
    bool geaendert = false;
    for (const Aenderung& a : aenderungen) {
        std::vector<Zeile> zeilen;
        if (anwenden(*stand, a, zeilen)) {
            stand = gegliedert(std::move(zeilen));
            geaendert = true;
        }
    }
    return !geaendert || zurueckschreiben(m_pfad, stand->zeilen);
}

} // namespace zcommon
