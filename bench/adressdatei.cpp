// Load and save a generated address file of 32000 addresses.
#include "addressbook/adressdatei.h"
#include "addressbook/adressliste.h"
#include "addressbook/sitzung.h"
#include "adressgenerator.h"
#include "common/ini.h"
#include "platform/codec.h"
#include "platform/ordner.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace zadressbuch;

namespace {

struct Umgebung
{
    QTemporaryDir dir;
    QString datei;

    Umgebung()
    {
        qputenv("ZETTLORA_ROOT", dir.path().toLocal8Bit());
        zplatform::ordnerZuruecksetzen();
        zcommon::Ini_CacheLeeren();
        QDir().mkpath(dir.path() + QStringLiteral("/daten"));
        datei = dir.path() + QStringLiteral("/daten/zettlora.dat");
        sitzung().AdressDateiName = datei;
        sitzung().DatenOrdner = dir.path() + QStringLiteral("/daten");

        QString text = QStringLiteral("..Erzeugte Adressen\r\n");
        for (const QString& adresse : zbench::Adressen())
            text += adresse + QStringLiteral("\r\n");
        QFile out(datei);
        out.open(QIODevice::WriteOnly);
        out.write(zplatform::nachWindows1252(text));
    }
};

Umgebung& umgebung()
{
    static Umgebung u;
    return u;
}

void BM_Laden(benchmark::State& state)
{
    Umgebung& u = umgebung();
    AdressListe liste;
    for (auto _ : state) {
        LadeErgebnis e = Adressdatei_Lesen(u.datei, false);
        liste.setEintraege(std::move(e.eintraege));
        benchmark::DoNotOptimize(liste.ListCount());
    }
    if (liste.ListCount() != MaxAdressen)
        state.SkipWithError("falsche Anzahl");
}
BENCHMARK(BM_Laden)->Unit(benchmark::kMillisecond);

void BM_DatenLaden(benchmark::State& state)
{
    umgebung();
    AdressListe liste;
    for (auto _ : state) {
        Daten_Laden(liste);
        benchmark::DoNotOptimize(liste.ListCount());
    }
    Daten_Schliessen();
}
BENCHMARK(BM_DatenLaden)->Unit(benchmark::kMillisecond);

void BM_Speichern(benchmark::State& state)
{
    Umgebung& u = umgebung();
    const LadeErgebnis e = Adressdatei_Lesen(u.datei, false);
    for (auto _ : state) {
        const SpeicherErgebnis s = Adressdatei_Schreiben(u.datei, e.beschreibung, e.eintraege);
        if (!s.ok)
            state.SkipWithError("Speichern misslungen");
    }
}
BENCHMARK(BM_Speichern)->Unit(benchmark::kMillisecond);

// Showing and storing a card are timed through the real window in
// bench/fenster.cpp: the card's logic alone is a small part of what the user waits for.

} // namespace

BENCHMARK_MAIN();
