// What the user waits for when the program starts: the first load of an
// address file in a fresh process, against "cat" of the same file, and the
// peak memory of that process for a file of 32000 and of 200000 addresses
// (the loader stops at 32000, so the larger file must cost no more memory).
//
// Run: bench_erstladen (the program starts itself with "--laden <file>" as the
// measured process).
#include "addressbook/adressdatei.h"
#include "adressgenerator.h"
#include "platform/codec.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

QString g_programm;

struct Dateien
{
    QTemporaryDir dir;
    QString datei(int anzahl)
    {
        const QString pfad = dir.path() + QStringLiteral("/adressen%1.dat").arg(anzahl);
        if (QFile::exists(pfad))
            return pfad;
        zbench::Adressvorgaben v;
        v.anzahl = anzahl;
        QByteArray bytes = "..Erzeugte Adressen\r\n";
        for (const QString& adresse : zbench::Adressen(v))
            bytes += zplatform::nachWindows1252(adresse) + "\r\n";
        QFile out(pfad);
        out.open(QIODevice::WriteOnly);
        out.write(bytes);
        return pfad;
    }
};

Dateien& dateien()
{
    static Dateien d;
    return d;
}

// Runs a process to its end; returns its output.
QByteArray laufen(const QString& programm, const QStringList& argumente, bool ausgabeVerwerfen)
{
    QProcess p;
    if (ausgabeVerwerfen)
        p.setStandardOutputFile(QProcess::nullDevice());
    p.start(programm, argumente);
    p.waitForFinished(-1);
    return ausgabeVerwerfen ? QByteArray() : p.readAllStandardOutput();
}

void BM_ErstesLadenImNeuenProzess(benchmark::State& state)
{
    const QString datei = dateien().datei(int(state.range(0)));
    double spitzeKb = 0;
    for (auto _ : state) {
        QElapsedTimer uhr;
        uhr.start();
        const QByteArray aus = laufen(g_programm, {QStringLiteral("--laden"), datei}, false);
        state.SetIterationTime(double(uhr.nsecsElapsed()) / 1e9);
        const QList<QByteArray> teile = aus.trimmed().split(' ');
        if (teile.size() != 2 || teile[0].toInt() != zadressbuch::MaxAdressen) {
            state.SkipWithError("falsche Anzahl");
            return;
        }
        spitzeKb = teile[1].toDouble();
    }
    state.counters["SpitzeMB"] = spitzeKb / 1024.0;
    state.counters["DateiMB"] = double(QFile(datei).size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_ErstesLadenImNeuenProzess)->Arg(32000)->Arg(200000)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_CatDerselbenDatei(benchmark::State& state)
{
    const QString datei = dateien().datei(int(state.range(0)));
    for (auto _ : state) {
        QElapsedTimer uhr;
        uhr.start();
        laufen(QStringLiteral("cat"), {datei}, true);
        state.SetIterationTime(double(uhr.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_CatDerselbenDatei)->Arg(32000)->Arg(200000)->UseManualTime()->Unit(benchmark::kMillisecond);

// A fresh process of this program that loads nothing: the start-up share.
void BM_NeuerProzessOhneLaden(benchmark::State& state)
{
    for (auto _ : state) {
        QElapsedTimer uhr;
        uhr.start();
        laufen(g_programm, {QStringLiteral("--nichts")}, true);
        state.SetIterationTime(double(uhr.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_NeuerProzessOhneLaden)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && QByteArray(argv[1]) == "--laden") {
        const zadressbuch::LadeErgebnis e = zadressbuch::Adressdatei_Lesen(QFile::decodeName(argv[2]), false);
        // The peak of this process image (ru_maxrss would include the
        // benchmark process this one was forked from).
        QFile status(QStringLiteral("/proc/self/status"));
        status.open(QIODevice::ReadOnly);
        long spitze = 0;
        for (const QByteArray& zeile : status.readAll().split('\n'))
            if (zeile.startsWith("VmHWM:"))
                spitze = zeile.mid(6).trimmed().split(' ').value(0).toLong();
        std::printf("%d %ld\n", int(e.eintraege.size()), spitze);
        std::fflush(stdout);
        // Ends as the program would go on: without freeing the list first.
        std::_Exit(e.ok ? 0 : 1);
    }
    if (argc == 2 && QByteArray(argv[1]) == "--nichts")
        return 0;
    QCoreApplication app(argc, argv);
    g_programm = QCoreApplication::applicationFilePath();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
