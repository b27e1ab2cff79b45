// 10000 reads of keys from one settings file, as a scan over the address
// list reads a key per address; one locked counter step, and the lock alone.
#include "common/ini.h"
#include "platform/ordner.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct Umgebung
{
    QTemporaryDir wurzel;
    QString datei;

    Umgebung()
    {
        QDir(wurzel.path()).mkpath(QStringLiteral("windows/system"));
        QDir(wurzel.path()).mkpath(QStringLiteral("programm"));
        QDir(wurzel.path()).mkpath(QStringLiteral("temp"));
        qputenv("ZETTLORA_ROOT", wurzel.path().toLocal8Bit());
        zplatform::ordnerZuruecksetzen();
        zcommon::Ini_CacheLeeren();

        // 100 sections of 100 keys, like a well-used program settings file.
        QByteArray text;
        for (int s = 0; s < 100; ++s) {
            text += "[Sektion" + QByteArray::number(s) + "]\r\n";
            for (int k = 0; k < 100; ++k)
                text += "Schl\xfc"
                        "ssel" +
                        QByteArray::number(k) + " = Wert " + QByteArray::number(s * 100 + k) + "**zweite Zeile\r\n";
            text += "\r\n";
        }
        datei = zplatform::programmOrdner() + QStringLiteral("/Zettlora.Ini");
        QFile f(datei);
        if (f.open(QIODevice::WriteOnly))
            f.write(text);
    }
};

void BM_IniLesen10000(benchmark::State& state)
{
    static Umgebung u;
    QStringList sektionen, schluessel;
    for (int i = 0; i < 100; ++i) {
        sektionen << QStringLiteral("SEKTION%1").arg(i);
        schluessel << QStringLiteral("schlüssel%1").arg(i);
    }
    for (auto _ : state) {
        qsizetype laenge = 0;
        for (int i = 0; i < 10000; ++i)
            laenge += zcommon::Ini_Lesen(u.datei, sektionen[i % 100], schluessel[(i * 7) % 100], QString()).size();
        benchmark::DoNotOptimize(laenge);
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_IniLesen10000)->Unit(benchmark::kMillisecond);

// The same against the default file name (resolved on every call).
void BM_IniLesenStandard10000(benchmark::State& state)
{
    static Umgebung u;
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("AdressIndex"), QStringLiteral("4711"));
    for (auto _ : state) {
        qsizetype laenge = 0;
        for (int i = 0; i < 10000; ++i)
            laenge += zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("AdressIndex"), QString()).size();
        benchmark::DoNotOptimize(laenge);
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_IniLesenStandard10000)->Unit(benchmark::kMillisecond);

// One counter step in the 10000-key file, as a new address takes its index
// number: the lock between processes, the read-change-write and the atomic
// write to the disk.
void BM_IniZaehlerSchritt(benchmark::State& state)
{
    static Umgebung u;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            zcommon::Ini_Zaehler_Erhoehen(u.datei, QStringLiteral("Allgemein"), QStringLiteral("AdressIndex")));
}
BENCHMARK(BM_IniZaehlerSchritt)->Unit(benchmark::kMillisecond);

// Taking and giving back the lock alone: what it adds to every write.
void BM_IniSperreAllein(benchmark::State& state)
{
    static Umgebung u;
    for (auto _ : state) {
        zcommon::Ini_Sperre sperre(u.datei);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_IniSperreAllein)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
