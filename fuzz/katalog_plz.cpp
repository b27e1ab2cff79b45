// Postcode splitting and catalogue file names: a postcode that carries a
// country prefix is exactly that prefix (letters and digits, then "-", any
// case) followed by the key; one without keeps the default prefix and stays
// whole; the shard is the key's first digit or "9"; every catalogue file a
// postcode or bank code names lies directly in the catalogue folder.
#include "catalogues/katalog.h"
#include "common/texte.h"
#include "platform/codec.h"
#include "platform/ordner.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void initialisieren()
{
    static bool fertig = false;
    if (fertig)
        return;
    fertig = true;
    static int argc = 1;
    static char name[] = "fuzz-katalog";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("programm"));
    QDir(dir.path()).mkpath(QStringLiteral("windows/system"));
    QDir(dir.path()).mkpath(QStringLiteral("temp"));
    qputenv("ZETTLORA_ROOT", QFile::encodeName(dir.path()));
    zplatform::ordnerZuruecksetzen();
}

void pruefen(bool ok, const char* was, const QString& text)
{
    if (ok)
        return;
    std::fprintf(stderr, "Eigenschaft verletzt: %s bei \"%s\"\n", was, text.toUtf8().constData());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, size_t groesse)
{
    initialisieren();
    const QString plz = zplatform::ausWindows1252(QByteArray(reinterpret_cast<const char*>(daten), qsizetype(groesse)));
    const QString std = QStringLiteral("S-");
    const zkataloge::PlzTeile t = zkataloge::Plz_Zerlegen(plz, std);
    const QString getrimmt = zcommon::Trim(plz);

    if (t.land == std && !getrimmt.startsWith(std, Qt::CaseInsensitive)) {
        pruefen(t.schluessel == getrimmt, "ohne Praefix bleibt die PLZ ganz", plz);
    } else {
        pruefen(t.land.endsWith(QLatin1Char('-')) && t.land.size() >= 2, "Praefix endet mit -", plz);
        pruefen(QString::compare(t.land + t.schluessel, getrimmt, Qt::CaseInsensitive) == 0 ||
                    (t.land == std && t.schluessel == getrimmt),
                "Praefix und Schluessel ergeben die PLZ", plz);
        for (qsizetype i = 0; i + 1 < t.land.size(); ++i)
            pruefen(t.land.at(i).isLetterOrNumber(), "Praefix aus Buchstaben und Ziffern", plz);
    }
    if (t.schluessel.isEmpty()) {
        pruefen(t.shard.isEmpty(), "leerer Schluessel ohne Shard", plz);
    } else {
        const QChar c = t.schluessel.at(0);
        const bool ziffer = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        pruefen(t.shard == (ziffer ? QString(c) : QStringLiteral("9")), "Shard", plz);
    }

    const QString ordner = zkataloge::Katalog_Ordner() + QLatin1Char('/');
    for (zkataloge::Katalogart art :
         {zkataloge::Katalogart::Bank, zkataloge::Katalogart::Ort, zkataloge::Katalogart::Vorwahl}) {
        const zkataloge::KatalogZiel z = zkataloge::Katalog_Ziel(art, plz, std);
        if (z.datei.isEmpty())
            continue;
        pruefen(z.datei.startsWith(ordner), "Datei im Katalogordner", plz);
        const QString name = z.datei.mid(ordner.size());
        pruefen(!name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')), "kein Unterordner", plz);
        pruefen(!z.schluessel.contains(QLatin1Char('=')) && !z.schluessel.contains(QLatin1Char('\n')) &&
                    !z.schluessel.contains(QLatin1Char('\r')) &&
                    !zcommon::LTrim(z.schluessel).startsWith(QLatin1Char('[')),
                "Schluessel als Schluesselzeile speicherbar", plz);
    }
    return 0;
}
