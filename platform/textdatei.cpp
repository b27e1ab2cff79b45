#include "platform/textdatei.h"

#include "platform/codec.h"
#include "platform/dateisystem.h"
#include "platform/ordner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

QByteArray dateiLesen(const QString& pfad, Ergebnis* ergebnis, bool* gelesen)
{
    *gelesen = false;
    const QString ziel = pfadAufloesen(pfad);
    QFile datei(ziel);
    if (pfad.isEmpty() || !QFileInfo(ziel).isFile()) {
        if (ergebnis)
            *ergebnis = fehler(QStringLiteral("Die Datei %1 wurde nicht gefunden.").arg(anzeigePfad(pfad)));
        return QByteArray();
    }
    if (!datei.open(QIODevice::ReadOnly)) {
        if (ergebnis)
            *ergebnis = fehler(QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2")
                                   .arg(anzeigePfad(ziel), grund(datei, ziel, false)));
        return QByteArray();
    }
    QByteArray inhalt = datei.readAll();
    if (datei.error() != QFileDevice::NoError) {
        if (ergebnis)
            *ergebnis = fehler(QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2")
                                   .arg(anzeigePfad(ziel), grund(datei, ziel, false)));
        return QByteArray();
    }
    if (ergebnis)
        *ergebnis = Ergebnis();
    *gelesen = true;
    return inhalt;
}

} // namespace

QStringList zeilenLesen(const QString& pfad, Ergebnis* ergebnis)
{
    bool gelesen = false;
    const QString text = ausDateiBytes(dateiLesen(pfad, ergebnis, &gelesen));
    QStringList zeilen;
    if (!gelesen || text.isEmpty())
        return zeilen;
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

QString textLesen(const QString& pfad, Ergebnis* ergebnis)
{
    bool gelesen = false;
    return ausDateiBytes(dateiLesen(pfad, ergebnis, &gelesen));
}

Ergebnis zeilenweiseLesen(const QString& pfad, const std::function<bool(const char*, qsizetype)>& zeile)
{
    const QString ziel = pfadAufloesen(pfad);
    QFile datei(ziel);
    if (pfad.isEmpty() || !QFileInfo(ziel).isFile())
        return fehler(QStringLiteral("Die Datei %1 wurde nicht gefunden.").arg(anzeigePfad(pfad)));
    if (!datei.open(QIODevice::ReadOnly))
        return fehler(QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2")
                          .arg(anzeigePfad(ziel), grund(datei, ziel, false)));
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
        const qint64 n = datei.read(puffer.data() + alt, Block);
        if (n < 0)
            return fehler(QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2")
                              .arg(anzeigePfad(ziel), grund(datei, ziel, false)));
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

Ergebnis bytesSchreiben(const QString& pfad, const QByteArray& inhalt)
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
    if (QFileInfo::exists(ziel) && !beschreibbar(ziel))
        return schreibFehler(ziel, QStringLiteral("Die Datei ist schreibgeschützt."));
    if (!beschreibbar(ordner))
        return schreibFehler(ziel,
                             QStringLiteral("Im Ordner %1 darf nicht geschrieben werden.").arg(anzeigePfad(ordner)));

    QSaveFile datei(ziel);
    if (!datei.open(QIODevice::WriteOnly))
        return schreibFehler(ziel, grund(datei, ziel, true));
    if (datei.write(inhalt) != inhalt.size()) {
        const QString warum = grund(datei, ziel, true);
        datei.cancelWriting();
        return schreibFehler(ziel, warum);
    }
    if (!datei.commit())
        return schreibFehler(ziel, grund(datei, ziel, true));
    return Ergebnis();
}

Ergebnis zeilenAnhaengen(const QString& pfad, const QStringList& zeilen)
{
    if (pfad.isEmpty())
        return fehler(QStringLiteral("Es wurde kein Dateiname angegeben."));
    const QString ziel = pfadAufloesen(pfad);
    QByteArray bytes;
    for (qsizetype nr = 0; nr < zeilen.size(); ++nr) {
        qsizetype fehlerStelle = -1;
        bytes += nachWindows1252(zeilen.at(nr), &fehlerStelle);
        if (fehlerStelle >= 0)
            return schreibFehler(ziel,
                                 nichtDarstellbar(QStringLiteral("Zeile %1").arg(nr + 1), zeilen.at(nr), fehlerStelle));
        bytes += "\r\n";
    }
    const QString ordner = QFileInfo(ziel).absolutePath();
    if (!QFileInfo(ordner).isDir())
        return schreibFehler(ziel, QStringLiteral("Der Ordner %1 existiert nicht.").arg(anzeigePfad(ordner)));
    QFile datei(ziel);
    if (!datei.open(QIODevice::WriteOnly | QIODevice::Append))
        return schreibFehler(ziel, grund(datei, ziel, true));
    if (datei.write(bytes) != bytes.size() || !datei.flush())
        return schreibFehler(ziel, grund(datei, ziel, true));
    return Ergebnis();
}

} // namespace zplatform
