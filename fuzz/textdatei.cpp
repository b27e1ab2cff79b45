// Text files: the whole text reads as the code page (or the byte-order mark)
// says; the lines of any file, written back (CR LF after each), read back as
// the same lines and the same bytes again; no line holds a line feed. An
// append keeps every byte the file held and adds exactly its lines, whether
// the last line had its end or not, in the file's own encoding.
#include "fuzzhilfe.h"

#include "platform/codec.h"
#include "platform/textdatei.h"

#include <QFile>
#include <QFileInfo>

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

    // Lines from a marked file may hold what Windows-1252 cannot: such a
    // write is refused and writes nothing.
    const zplatform::Ergebnis s = zplatform::zeilenSchreiben(ziel, zeilen);
    if (!zplatform::istWindows1252(zeilen.join(u'\n'))) {
        pruefen(!s.ok && !QFileInfo::exists(ziel), "nicht Darstellbares verweigert");
    } else {
        pruefen(s.ok, "Zeilen geschrieben", s.fehler);
        const QByteArray geschrieben = lesen(ziel);
        // Text read behind a mark may begin with what reads as a mark in Windows-1252.
        if (!markiert || zplatform::markenLaenge(geschrieben.constData(), geschrieben.size()) == 0) {
            const QStringList wieder = zplatform::zeilenLesen(ziel, &e);
            pruefen(e.ok && wieder == zeilen, "Zeilen zurück", zeilen.join(u'|'), wieder.join(u'|'));
            pruefen(bool(zplatform::zeilenSchreiben(ziel, wieder)) && lesen(ziel) == geschrieben, "gleiche Bytes");
        }
        QFile::remove(ziel);
    }

    // Appending: the old bytes stay, and the lines (any line end counting)
    // are those before and the new ones after them. A UTF-16 file of an odd
    // length is broken already and left out.
    const char* kodierung = zplatform::kodierungVon(bytes.constData(), bytes.size());
    if (QByteArrayView(kodierung).startsWith("UTF-16") && bytes.size() % 2 != 0)
        return 0;
    const auto zeilenweise = [&] {
        QStringList z;
        bool utf8 = false;
        const zplatform::Ergebnis g = zplatform::zeilenweiseLesen(
            quelle,
            [&](const char* d, qsizetype n) {
                z << (utf8 ? zplatform::ausUtf8(d, n) : zplatform::ausWindows1252(d, n));
                return true;
            },
            &utf8);
        pruefen(g.ok, "zeilenweise gelesen", g.fehler);
        return z;
    };
    const QStringList vorher = zeilenweise();
    const QStringList neu = {QStringLiteral("1 Neuname0"), QStringLiteral("2 Jürgen \u20AC")};
    const zplatform::Ergebnis a = zplatform::zeilenAnhaengen(quelle, neu);
    pruefen(a.ok, "angehängt", a.fehler);
    pruefen(lesen(quelle).startsWith(bytes), "alte Bytes bleiben");
    const QStringList nachher = zeilenweise();
    pruefen(nachher == vorher + neu, "nichts angeklebt", (vorher + neu).join(u'|'), nachher.join(u'|'));
    return 0;
}
