#include "platform/textdatei.h"

#include "platform/codec.h"
#include "platform/dateisystem.h"
#include "platform/ordner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <cerrno>
#include <cstring>

namespace zplatform {

namespace {

Ergebnis fehler(const QString& text)
{
    Ergebnis e;
    e.ok = false;
    e.fehler = text;
    return e;
}

QString anzeigePfad(const QString& pfad)
{
    return QDir::toNativeSeparators(pfad);
}

// Why a file could not be opened or written, in words the user understands.
QString grund(const QFileDevice& datei, const QString& pfad, bool schreiben)
{
    const QFileInfo fi(pfad);
    switch (datei.error()) {
    case QFileDevice::ResourceError:
        return QStringLiteral("Auf dem Datenträger ist nicht genug Platz.");
    case QFileDevice::WriteError:
        return QStringLiteral("Beim Schreiben ist ein Fehler aufgetreten (ist der Datenträger voll?).");
    case QFileDevice::ReadError:
        return QStringLiteral("Beim Lesen ist ein Fehler aufgetreten.");
    case QFileDevice::RenameError:
        return QStringLiteral("Die bisherige Datei lässt sich nicht ersetzen.");
    default:
        break;
    }
    if (fi.isDir())
        return QStringLiteral("Unter diesem Namen gibt es einen Ordner.");
    if (schreiben) {
        const QFileInfo ordner(fi.absolutePath());
        if (!ordner.isDir())
            return QStringLiteral("Der Ordner %1 existiert nicht.").arg(anzeigePfad(fi.absolutePath()));
        if (fi.exists() && !fi.isWritable())
            return QStringLiteral("Die Datei ist schreibgeschützt.");
        if (!ordner.isWritable())
            return QStringLiteral("Im Ordner %1 darf nicht geschrieben werden.").arg(anzeigePfad(fi.absolutePath()));
        return QStringLiteral("Die Datei lässt sich nicht zum Schreiben öffnen.");
    }
    if (!fi.isReadable())
        return QStringLiteral("Die Datei darf nicht gelesen werden.");
    return QStringLiteral("Die Datei lässt sich nicht öffnen.");
}

Ergebnis schreibFehler(const QString& pfad, const QString& warum)
{
    return fehler(QStringLiteral("Die Datei %1 kann nicht geschrieben werden: %2").arg(anzeigePfad(pfad), warum));
}

QString zeichenText(const QString& text, qsizetype i)
{
    uint code = text.at(i).unicode();
    QString zeichen = text.mid(i, 1);
    if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
        zeichen = text.mid(i, 2);
        code = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
    }
    return QStringLiteral("„%1“ (U+%2)")
        .arg(zeichen, QString::number(code, 16).toUpper().rightJustified(4, QLatin1Char('0')));
}

QString nichtDarstellbar(const QString& wo, const QString& text, qsizetype i)
{
    return QStringLiteral("%1 enthält das Zeichen %2, das der Zeichensatz Windows-1252 nicht darstellen kann.")
        .arg(wo, zeichenText(text, i));
}

// Why a file cannot be read, with the reason lesePruefung found.
Ergebnis leseFehler(const QString& pfad, int warum)
{
    if (warum == ENOENT || warum == ENOTDIR) {
        Ergebnis e = fehler(QStringLiteral("Die Datei %1 wurde nicht gefunden.").arg(anzeigePfad(pfad)));
        e.fehlt = true;
        return e;
    }
    QString grundText;
    switch (warum) {
    case EISDIR:
        grundText = QStringLiteral("Unter diesem Namen gibt es einen Ordner.");
        break;
    case EACCES:
        grundText = QStringLiteral("Die Datei darf nicht gelesen werden.");
        break;
    default:
        grundText = fehlerGrund(warum);
        break;
    }
    return fehler(QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2").arg(anzeigePfad(pfad), grundText));
}

// Opens a file for reading, or says why it cannot be read.
Ergebnis zumLesenOeffnen(const QString& pfad, const QString& ziel, QFile& datei)
{
    if (pfad.isEmpty())
        return leseFehler(pfad, ENOENT);
    if (const int warum = lesePruefung(ziel))
        return leseFehler(ziel, warum);
    datei.setFileName(ziel);
    if (!datei.open(QIODevice::ReadOnly))
        return fehler(QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2")
                          .arg(anzeigePfad(ziel), grund(datei, ziel, false)));
    return Ergebnis();
}

QByteArray dateiLesen(const QString& pfad, Ergebnis* ergebnis, bool* gelesen)
{
    *gelesen = false;
    const QString ziel = pfadAufloesen(pfad);
    QFile datei;
    Ergebnis e = zumLesenOeffnen(pfad, ziel, datei);
    QByteArray inhalt;
    if (e) {
        inhalt = datei.readAll();
        if (datei.error() != QFileDevice::NoError) {
            e = fehler(QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2")
                           .arg(anzeigePfad(ziel), grund(datei, ziel, false)));
            inhalt.clear();
        }
    }
    *gelesen = e.ok;
    if (ergebnis)
        *ergebnis = e;
    return inhalt;
}

// The lines of a text, without their line ends.
QStringList textZeilen(const QString& text)
{
    QStringList zeilen;
    zeilen.reserve(text.size() / 40 + 1);
    qsizetype anfang = 0;
    const qsizetype n = text.size();
    while (anfang < n) {
        qsizetype ende = text.indexOf(QLatin1Char('\n'), anfang);
        if (ende < 0) {
            zeilen << text.mid(anfang);
            break;
        }
        qsizetype laenge = ende - anfang;
        if (laenge > 0 && text.at(ende - 1) == QLatin1Char('\r'))
            --laenge;
        zeilen << text.mid(anfang, laenge);
        anfang = ende + 1;
    }
    return zeilen;
}

} // namespace

QStringList zeilenLesen(const QString& pfad, Ergebnis* ergebnis)
{
    bool gelesen = false;
    const QString text = ausDateiBytes(dateiLesen(pfad, ergebnis, &gelesen));
    return gelesen ? textZeilen(text) : QStringList();
}

QString textLesen(const QString& pfad, Ergebnis* ergebnis)
{
    bool gelesen = false;
    return ausDateiBytes(dateiLesen(pfad, ergebnis, &gelesen));
}

Ergebnis zeilenweiseLesen(const QString& pfad, const std::function<bool(const char*, qsizetype)>& zeile, bool* utf8)
{
    const QString ziel = pfadAufloesen(pfad);
    QFile datei;
    if (Ergebnis e = zumLesenOeffnen(pfad, ziel, datei); !e)
        return e;
    const auto lesefehler = [&] {
        return fehler(QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2")
                          .arg(anzeigePfad(ziel), grund(datei, ziel, false)));
    };
    // The byte-order mark: UTF-8 lines are handed on as they stand, a UTF-16
    // file is turned into UTF-8 first (such files come from spreadsheets and
    // are small); without a mark the bytes are Windows-1252.
    char kopf[3];
    const qint64 kopfLaenge = datei.peek(kopf, 3);
    const qsizetype marke = markenLaenge(kopf, qsizetype(qMax<qint64>(kopfLaenge, 0)));
    if (utf8)
        *utf8 = marke > 0;
    QByteArray umgewandelt;
    qsizetype umgewandeltGelesen = 0;
    if (marke == 3) {
        datei.skip(3);
    } else if (marke == 2) {
        const QByteArray alles = datei.readAll();
        if (datei.error() != QFileDevice::NoError)
            return lesefehler();
        umgewandelt = ausDateiBytes(alles).toUtf8();
    }
    const auto lesen = [&](char* ziel, qsizetype max) -> qint64 {
        if (marke != 2)
            return datei.read(ziel, max);
        const qsizetype n = qMin(max, umgewandelt.size() - umgewandeltGelesen);
        std::memcpy(ziel, umgewandelt.constData() + umgewandeltGelesen, size_t(n));
        umgewandeltGelesen += n;
        return n;
    };

    constexpr qsizetype Block = 1 << 18;
    QByteArray puffer;
    qsizetype anfang = 0; // start of the line not yet handed on
    bool ende = false;
    while (!ende) {
        // What is left of the last block moves to the front, the next block follows.
        puffer.remove(0, anfang);
        anfang = 0;
        const qsizetype alt = puffer.size();
        puffer.resize(alt + Block);
        const qint64 n = lesen(puffer.data() + alt, Block);
        if (n < 0)
            return lesefehler();
        puffer.resize(alt + qsizetype(n));
        ende = n == 0;
        const char* d = puffer.constData();
        const qsizetype groesse = puffer.size();
        // The rest of the last block holds no line end, but for a CR at its
        // very end (held back to see whether an LF follows).
        qsizetype i = qMax<qsizetype>(alt - 1, 0);
        // The next CR and the next LF, each found with one fast search and
        // searched again only once passed.
        qsizetype cr = -1, lf = -1;
        const auto naechstes = [&](char c, qsizetype ab) {
            const void* p = std::memchr(d + ab, c, size_t(groesse - ab));
            return p ? qsizetype(static_cast<const char*>(p) - d) : groesse;
        };
        for (;;) {
            if (cr < i)
                cr = naechstes('\r', i);
            if (lf < i)
                lf = naechstes('\n', i);
            i = qMin(cr, lf);
            if (i >= groesse)
                break;
            // A CR at the block's end may be the first half of a CR LF.
            if (d[i] == '\r' && i + 1 >= groesse && !ende)
                break;
            if (!zeile(d + anfang, i - anfang))
                return Ergebnis();
            i += (d[i] == '\r' && i + 1 < groesse && d[i + 1] == '\n') ? 2 : 1;
            anfang = i;
        }
        if (ende && anfang < groesse) {
            if (!zeile(d + anfang, groesse - anfang))
                return Ergebnis();
            anfang = groesse;
        }
    }
    return Ergebnis();
}

Ergebnis zeilenSchreiben(const QString& pfad, const QStringList& zeilen)
{
    qsizetype gesamt = 0;
    for (const QString& z : zeilen)
        gesamt += z.size() + 2;
    QString text;
    text.reserve(gesamt);
    for (const QString& z : zeilen) {
        text += z;
        text += QLatin1String("\r\n");
    }
    qsizetype fehlerStelle = -1;
    const QByteArray bytes = nachWindows1252(text, &fehlerStelle);
    if (fehlerStelle >= 0) {
        qsizetype anfang = 0;
        for (qsizetype nr = 0; nr < zeilen.size(); ++nr) {
            const qsizetype laenge = zeilen.at(nr).size() + 2;
            if (fehlerStelle < anfang + laenge)
                return schreibFehler(pfadAufloesen(pfad),
                                     nichtDarstellbar(QStringLiteral("Zeile %1").arg(nr + 1), text, fehlerStelle));
            anfang += laenge;
        }
    }
    return bytesSchreiben(pfad, bytes);
}

Ergebnis textSchreiben(const QString& pfad, const QString& text)
{
    qsizetype fehlerStelle = -1;
    const QByteArray bytes = nachWindows1252(text, &fehlerStelle);
    if (fehlerStelle >= 0) {
        const qsizetype zeile = text.left(fehlerStelle).count(QLatin1Char('\n')) + 1;
        return schreibFehler(pfadAufloesen(pfad),
                             nichtDarstellbar(QStringLiteral("Zeile %1 (Zeichen %2)").arg(zeile).arg(fehlerStelle + 1),
                                              text, fehlerStelle));
    }
    return bytesSchreiben(pfad, bytes);
}

Ergebnis bytesSchreiben(const QString& pfad, const QByteArray& inhalt, bool gemeinsam)
{
    if (pfad.isEmpty())
        return fehler(QStringLiteral("Es wurde kein Dateiname angegeben."));
    const QString ziel = pfadAufloesen(pfad);
    if (QFileInfo(ziel).isDir())
        return schreibFehler(ziel, QStringLiteral("Unter diesem Namen gibt es einen Ordner."));
    const QString ordner = QFileInfo(ziel).absolutePath();
    if (!QFileInfo(ordner).isDir())
        return schreibFehler(ziel, QStringLiteral("Der Ordner %1 existiert nicht.").arg(anzeigePfad(ordner)));

    // A file or folder without write permission is left alone also by the
    // administrator, who could write it anyway.
    if (!gemeinsam && QFileInfo::exists(ziel) && !beschreibbar(ziel))
        return schreibFehler(ziel, QStringLiteral("Die Datei ist schreibgeschützt."));
    if (!beschreibbar(ordner))
        return schreibFehler(ziel,
                             QStringLiteral("Im Ordner %1 darf nicht geschrieben werden.").arg(anzeigePfad(ordner)));

    if (const int f = gemeinsam ? gemeinsamErsetzen(ziel, inhalt) : atomarErsetzen(ziel, inhalt))
        return schreibFehler(ziel, f == EISDIR ? QStringLiteral("Unter diesem Namen gibt es einen Ordner.")
                                               : fehlerGrund(f));
    return Ergebnis();
}

namespace {

// The bytes that end a line in an encoding.
QByteArray zeilenende(const char* kodierung)
{
    return nachKodierung(QStringLiteral("\r\n"), kodierung);
}

QByteArray markeVon(const char* kodierung)
{
    const QByteArrayView k(kodierung);
    if (k == "UTF-8")
        return QByteArrayLiteral("\xEF\xBB\xBF");
    if (k == "UTF-16LE")
        return QByteArrayLiteral("\xFF\xFE");
    if (k == "UTF-16BE")
        return QByteArrayLiteral("\xFE\xFF");
    return QByteArray();
}

// What must come before new lines so that they start a line of their own:
// nothing after a line end (or in an empty file), the LF after a lone CR,
// else a whole CR LF.
QByteArray endeSichern(const QByteArray& anfang, const QByteArray& ende, qint64 groesse, const char* kodierung)
{
    const qsizetype marke = markenLaenge(anfang.constData(), anfang.size());
    if (groesse <= marke)
        return QByteArray();
    const QByteArray crlf = zeilenende(kodierung);
    const qsizetype breite = crlf.size() / 2; // bytes per character
    if (ende.size() < breite)
        return crlf;
    const QByteArray letztes = ende.right(breite);
    if (letztes == crlf.right(breite))
        return QByteArray();
    if (letztes == crlf.left(breite))
        return crlf.right(breite);
    return crlf;
}

} // namespace

Ergebnis zeilenAnhaengen(const QString& pfad, const QStringList& zeilen)
{
    if (pfad.isEmpty())
        return fehler(QStringLiteral("Es wurde kein Dateiname angegeben."));
    const QString ziel = pfadAufloesen(pfad);
    Ergebnis e;
    const int f = bytesAnhaengen(
        ziel, [&](const QByteArray& anfang, const QByteArray& ende, qint64 groesse, QByteArray& neu) {
            const char* kodierung = kodierungVon(anfang.constData(), anfang.size());
            neu = endeSichern(anfang, ende, groesse, kodierung);
            const QByteArray crlf = zeilenende(kodierung);
            for (qsizetype nr = 0; nr < zeilen.size(); ++nr) {
                qsizetype fehlerStelle = -1;
                neu += nachKodierung(zeilen.at(nr), kodierung, &fehlerStelle);
                if (fehlerStelle >= 0) {
                    e = schreibFehler(ziel, nichtDarstellbar(QStringLiteral("Zeile %1").arg(nr + 1), zeilen.at(nr),
                                                             fehlerStelle));
                    return false;
                }
                neu += crlf;
            }
            return true;
        });
    if (f == 0 || !e)
        return e;
    if (f == ENOENT)
        return schreibFehler(ziel, QStringLiteral("Der Ordner %1 existiert nicht.")
                                       .arg(anzeigePfad(QFileInfo(ziel).absolutePath())));
    if (f == EACCES && QFileInfo::exists(ziel))
        return schreibFehler(ziel, QStringLiteral("Die Datei ist schreibgeschützt."));
    if (f == EACCES)
        return schreibFehler(ziel, QStringLiteral("Im Ordner %1 darf nicht geschrieben werden.")
                                       .arg(anzeigePfad(QFileInfo(ziel).absolutePath())));
    if (f == EISDIR)
        return schreibFehler(ziel, QStringLiteral("Unter diesem Namen gibt es einen Ordner."));
    return schreibFehler(ziel, fehlerGrund(f));
}

Ergebnis zeilenHerausnehmen(const QString& pfad, const QStringList& zeilen,
                            const std::function<void(const QString&)>& sichern,
                            const std::function<bool(const QString&)>& entfernen)
{
    const QString ziel = pfadAufloesen(pfad);
    Anhangsperre sperre(ziel);
    if (!sperre.gehalten() && sperre.fehler() == ENOENT)
        return Ergebnis();
    bool gelesen = false;
    Ergebnis e;
    const QByteArray bytes = dateiLesen(ziel, &e, &gelesen);
    if (!gelesen)
        return e.fehlt ? Ergebnis() : e;
    const char* kodierung = "Windows-1252";
    const QString text = ausDateiBytes(bytes, &kodierung);

    QHash<QString, int> heraus;
    for (const QString& z : zeilen)
        ++heraus[z];
    // Split as zeilenLesen splits, so the lines a reader got are found again.
    QString rest;
    for (const QString& zeile : textZeilen(text)) {
        auto it = heraus.find(zeile);
        if (it != heraus.end() && it.value() > 0)
            --it.value();
        else
            rest += zeile + QStringLiteral("\r\n");
    }
    if (rest.isEmpty()) {
        if (entfernen && !entfernen(ziel))
            return fehler(QStringLiteral("Die Datei %1 konnte nicht gelöscht werden.").arg(anzeigePfad(ziel)));
        return Ergebnis();
    }
    if (sichern)
        sichern(ziel);
    qsizetype fehlerStelle = -1;
    const QByteArray neu = markeVon(kodierung) + nachKodierung(rest, kodierung, &fehlerStelle);
    // Read as Windows-1252, every character goes back as it came.
    Q_ASSERT(fehlerStelle < 0);
    return bytesSchreiben(ziel, neu);
}

} // namespace zplatform
