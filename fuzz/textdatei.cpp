// Text files: the whole text reads as the code page says; the lines of any
// file, written back (CR LF after each), read back as the same lines and the
// same bytes again; no line holds a line feed.
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
    pruefen(zplatform::textLesen(quelle, &e) == zfuzz::text1252(daten, groesse) && e.ok, "Text wie die Bytes");
    const QStringList zeilen = zplatform::zeilenLesen(quelle, &e);
    pruefen(e.ok, "Zeilen gelesen", e.fehler);
    for (const QString& z : zeilen)
        pruefen(!z.contains(u'\n'), "kein Zeilenvorschub in einer Zeile", z);
    if (!bytes.isEmpty() && !bytes.endsWith('\n'))
        pruefen(!zeilen.isEmpty(), "letzte Zeile ohne Zeilenende zählt");

    const zplatform::Ergebnis s = zplatform::zeilenSchreiben(ziel, zeilen);
    pruefen(s.ok, "Zeilen geschrieben", s.fehler);
    const QByteArray geschrieben = lesen(ziel);
    const QStringList wieder = zplatform::zeilenLesen(ziel, &e);
    pruefen(e.ok && wieder == zeilen, "Zeilen zurück", zeilen.join(u'|'), wieder.join(u'|'));
    pruefen(bool(zplatform::zeilenSchreiben(ziel, wieder)) && lesen(ziel) == geschrieben, "gleiche Bytes");
    return 0;
}
