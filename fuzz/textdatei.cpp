// Text files: the whole text reads as the byte-order mark says (none:
// Windows-1252); the lines of any file, written back (CR LF after each), read
// back as the same lines and the same bytes again, unless a character cannot
// be written (only text read behind a mark), which writes nothing; no line
// holds a line feed.
#include "fuzzhilfe.h"

#include "platform/textdatei.h"

#include <QFile>

namespace {

QByteArray lesen(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, size_t groesse)
{
    using zfuzz::pruefen;
    const QString quelle = zfuzz::wurzel() + QStringLiteral("/temp/quelle.txt");
    const QString ziel = zfuzz::wurzel() + QStringLiteral("/temp/ziel.txt");
    const QByteArray bytes(reinterpret_cast<const char*>(daten), qsizetype(groesse));
    pruefen(bool(zplatform::bytesSchreiben(quelle, bytes)) && lesen(quelle) == bytes, "Bytes geschrieben");

    zplatform::Ergebnis e;
    pruefen(zplatform::textLesen(quelle, &e) == zplatform::ausDateiBytes(bytes) && e.ok, "Text wie die Bytes");
    const bool markiert = zplatform::markenLaenge(bytes.constData(), bytes.size()) > 0;
    if (!markiert)
        pruefen(zplatform::ausDateiBytes(bytes) == zfuzz::text1252(daten, groesse), "ohne Marke Windows-1252");
    const QStringList zeilen = zplatform::zeilenLesen(quelle, &e);
    pruefen(e.ok, "Zeilen gelesen", e.fehler);
    for (const QString& z : zeilen)
        pruefen(!z.contains(u'\n'), "kein Zeilenvorschub in einer Zeile", z);
    const QString text = zplatform::ausDateiBytes(bytes);
    if (!text.isEmpty() && !text.endsWith(u'\n'))
        pruefen(!zeilen.isEmpty(), "letzte Zeile ohne Zeilenende zählt");

    QFile::remove(ziel);
    const zplatform::Ergebnis s = zplatform::zeilenSchreiben(ziel, zeilen);
    if (markiert && !zplatform::istWindows1252(zeilen.join(QString()))) {
        pruefen(!s.ok && !QFile::exists(ziel), "nicht Darstellbares schreibt nichts", s.fehler);
        return 0;
    }
    pruefen(s.ok, "Zeilen geschrieben", s.fehler);
    const QByteArray geschrieben = lesen(ziel);
    // Text read behind a mark may begin with what reads as a mark in Windows-1252.
    if (markiert && zplatform::markenLaenge(geschrieben.constData(), geschrieben.size()) > 0)
        return 0;
    const QStringList wieder = zplatform::zeilenLesen(ziel, &e);
    pruefen(e.ok && wieder == zeilen, "Zeilen zurück", zeilen.join(u'|'), wieder.join(u'|'));
    pruefen(bool(zplatform::zeilenSchreiben(ziel, wieder)) && lesen(ziel) == geschrieben, "gleiche Bytes");
    return 0;
}
