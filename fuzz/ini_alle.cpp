// Several keys of a section written at once, and the same single writes in a
// batch (Ini_Stapel), leave exactly the bytes that the single writes in order
// leave, on any file text and any keys and values; the single writes leave
// the bytes a plain line-by-line write leaves. Half of the cases read the
// file first, so the layer changes what it holds of it in place. The
// input's last byte may ask for the file text repeated up to 32 KB. A file
// with a byte-order mark is read as its text and stored anew, the same way by
// every kind of write.
#include "ini_referenz.h"

#include "common/ini.h"
#include "platform/codec.h"
#include "platform/ordner.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

QString ordner()
{
    static QString pfad;
    if (pfad.isEmpty()) {
        static int argc = 1;
        static char name[] = "fuzz-ini-alle";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
        // On /dev/shm when there: every case writes two files.
        const QString basis =
            QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        static QTemporaryDir dir(basis + QStringLiteral("/zettlora-ini-alle-XXXXXX"));
        QDir(dir.path()).mkpath(QStringLiteral("windows/system"));
        QDir(dir.path()).mkpath(QStringLiteral("programm"));
        QDir(dir.path()).mkpath(QStringLiteral("temp"));
        qputenv("ZETTLORA_ROOT", QFile::encodeName(dir.path()));
        zplatform::ordnerZuruecksetzen();
        pfad = dir.path();
    }
    return pfad;
}

QByteArray lesen(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<fehlt>");
}

void schreiben(const QString& pfad, const std::string& inhalt, bool vorhanden)
{
    QFile::remove(pfad);
    if (!vorhanden)
        return;
    QFile f(pfad);
    if (f.open(QIODevice::WriteOnly))
        f.write(inhalt.data(), qsizetype(inhalt.size()));
}

QString text(FuzzedDataProvider& d, size_t laenge)
{
    const std::string s = d.ConsumeRandomLengthString(laenge);
    return zplatform::ausWindows1252(QByteArray(s.data(), qsizetype(s.size())));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, size_t groesse)
{
    const QString wurzel = ordner();
    FuzzedDataProvider d(daten, groesse);
    const bool vorhanden = d.ConsumeBool();
    const QString sektion = text(d, 8);
    std::vector<std::pair<QString, QString>> werte;
    const int n = d.ConsumeIntegralInRange(0, 12);
    for (int i = 0; i < n; ++i) {
        QString k = text(d, 8);
        werte.emplace_back(k, text(d, 16));
    }
    const bool vorherGelesen = d.ConsumeBool();
    const std::uint8_t art = d.ConsumeIntegral<std::uint8_t>();
    std::string inhalt = d.ConsumeRemainingBytesAsString();
    if (art % 16 == 15 && !inhalt.empty()) {
        // Many sections: the text again and again.
        std::string oft;
        for (size_t mal = 2 + art * 8; mal > 0 && oft.size() < 32000; --mal)
            oft += inhalt;
        inhalt = oft;
    }

    const QString a = wurzel + QStringLiteral("/a.ini");
    const QString b = wurzel + QStringLiteral("/b.ini");
    const QString c = wurzel + QStringLiteral("/c.ini");
    schreiben(a, inhalt, vorhanden);
    schreiben(b, inhalt, vorhanden);
    schreiben(c, inhalt, vorhanden);
    zcommon::Ini_CacheLeeren();
    if (vorherGelesen) {
        for (const QString& datei : {a, b, c})
            for (const auto& [k, w] : werte)
                zcommon::Ini_Lesen(datei, sektion, k);
    }
    QByteArray erwartet = vorhanden ? QByteArray::fromStdString(inhalt) : QByteArray();
    for (const auto& [k, w] : werte) {
        zcommon::Ini_Schreiben(a, sektion, k, w);
        erwartet = zfuzz::referenz::schreiben(erwartet, sektion, k, w);
    }
    // A file with a byte-order mark is stored anew in Windows-1252 on its
    // first write: the plain line-by-line write does not model that, the
    // comparison of single, joined and batched writes below still holds.
    const bool markiert = vorhanden && zplatform::markenLaenge(inhalt.data(), qsizetype(inhalt.size())) > 0;
    if (!werte.empty() && !markiert && lesen(a) != erwartet) {
        std::fprintf(stderr, "Eigenschaft verletzt: einzeln\n%s\neinfach\n%s\n", lesen(a).toHex().constData(),
                     erwartet.toHex().constData());
        std::abort();
    }
    if (!zcommon::Ini_SchreibenAlle(b, sektion, werte)) {
        std::fprintf(stderr, "Schreiben fehlgeschlagen\n");
        std::abort();
    }
    {
        zcommon::Ini_Stapel stapel(c);
        for (const auto& [k, w] : werte)
            zcommon::Ini_Schreiben(c, sektion, k, w);
    }
    for (const QString& datei : {b, c}) {
        if (lesen(a) != lesen(datei)) {
            std::fprintf(stderr, "Eigenschaft verletzt: einzeln\n%s\nzusammen (%s)\n%s\n", lesen(a).toHex().constData(),
                         qPrintable(datei), lesen(datei).toHex().constData());
            std::abort();
        }
    }
    return 0;
}
