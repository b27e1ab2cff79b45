// The expression evaluator on a mixed set of formulas, and the mask expansion
// over 32000 generated addresses (prepared mask, and the literal
// step-by-step replacement for comparison).
#include "masks/masken.h"
#include "addressbook/datensatz.h"
#include "addressbook/sitzung.h"
#include "adressgenerator.h"
#include "common/ini.h"
#include "masks/evaluate.h"
#include "masks/vario.h"
#include "platform/codec.h"
#include "platform/ordner.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace zadressbuch;

namespace {

const char* const Anschrift = "{Anrede}\r\n{~Zusatz}{Vorname} {Nachname}\r\n{Straße}\r\n\r\n{PLZ} {Ort}\r\n"
                              "Tel. {Telefon}^tFax {Telefax}\r\n~\r\n{@Datum}";

struct Umgebung
{
    QTemporaryDir dir;
    QStringList adressen;

    Umgebung()
    {
        qputenv("ZETTLORA_ROOT", dir.path().toLocal8Bit());
        zplatform::ordnerZuruecksetzen();
        zcommon::Ini_CacheLeeren();
        const QString daten = dir.path() + QStringLiteral("/daten");
        QDir().mkpath(daten);
        sitzung().DatenOrdner = daten;
        sitzung().MaskenOrdner = daten;
        QFile maske(daten + QStringLiteral("/Anschrift.msk"));
        maske.open(QIODevice::WriteOnly);
        maske.write(zplatform::nachWindows1252(QString::fromUtf8(Anschrift)));
        maske.close();

        adressen = zbench::Adressen();
    }
};

Umgebung& umgebung()
{
    static Umgebung u;
    return u;
}

void BM_Evaluate(benchmark::State& state)
{
    const QStringList formeln = {
        QStringLiteral("12,50"),
        QStringLiteral("12,50*3"),
        QStringLiteral("100-19,5%"),
        QStringLiteral("(1+2)*(3+4)/7"),
        QStringLiteral("2^10-24"),
        QStringLiteral("SQR(16)+ABS(-2,5)"),
        QStringLiteral("ARCCOS(0,5)*180/PI"),
        QStringLiteral("170!/169!"),
        QStringLiteral("(1=1)AND(2<3)OR 4"),
        QStringLiteral("19,99*3+4,95-10%"),
        QStringLiteral("((((2+3)*4-5)/6)^2)\\3 MOD 7"),
        QStringLiteral("1E3+2,5E-2*4"),
    };
    double summe = 0;
    for (auto _ : state) {
        for (const QString& f : formeln) {
            QString text = f;
            summe += zmasken::Evaluate(text);
        }
    }
    benchmark::DoNotOptimize(summe);
    state.SetItemsProcessed(state.iterations() * formeln.size());
}
BENCHMARK(BM_Evaluate);

// One iteration: the mask "Anschrift" for all 32000 addresses, by name, as a
// list print runs it: within one run, so the file is looked up and checked
// once and the clock read once.
void BM_MaskeAusfuellen32000(benchmark::State& state)
{
    Umgebung& u = umgebung();
    qsizetype laenge = 0;
    for (auto _ : state) {
        zmasken::Masken_Durchgang durchgang;
        for (const QString& a : u.adressen)
            laenge += zmasken::Maske_Ausfuellen(QStringLiteral("Anschrift"), a).size();
    }
    benchmark::DoNotOptimize(laenge);
    state.SetItemsProcessed(state.iterations() * u.adressen.size());
}
BENCHMARK(BM_MaskeAusfuellen32000)->Unit(benchmark::kMillisecond);

// The same, each call on its own (file check and clock read every time).
void BM_MaskeAusfuellen32000Einzeln(benchmark::State& state)
{
    Umgebung& u = umgebung();
    qsizetype laenge = 0;
    for (auto _ : state) {
        for (const QString& a : u.adressen)
            laenge += zmasken::Maske_Ausfuellen(QStringLiteral("Anschrift"), a).size();
    }
    benchmark::DoNotOptimize(laenge);
    state.SetItemsProcessed(state.iterations() * u.adressen.size());
}
BENCHMARK(BM_MaskeAusfuellen32000Einzeln)->Unit(benchmark::kMillisecond);

void BM_MaskeSchrittweise32000(benchmark::State& state)
{
    Umgebung& u = umgebung();
    const QString maske = QString::fromUtf8(Anschrift);
    qsizetype laenge = 0;
    for (auto _ : state) {
        for (const QString& a : u.adressen)
            laenge += zmasken::Maske_TextAusfuellenSchrittweise(maske, a, sitzung().Bezeichnungen).size();
    }
    benchmark::DoNotOptimize(laenge);
    state.SetItemsProcessed(state.iterations() * u.adressen.size());
}
BENCHMARK(BM_MaskeSchrittweise32000)->Unit(benchmark::kMillisecond);

void BM_VarioErsetzen(benchmark::State& state)
{
    const QString text = QStringLiteral("Rechnung {jjqr}/{jjjjmmtt} vom {datum0}, KW {kw}, {wochentag} {uhrzeit0}");
    qsizetype laenge = 0;
    for (auto _ : state)
        laenge += zmasken::Vario_Ersetzen(text).size();
    benchmark::DoNotOptimize(laenge);
}
BENCHMARK(BM_VarioErsetzen);

} // namespace

BENCHMARK_MAIN();
