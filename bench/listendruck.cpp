// Laying out a list of 32000 addresses on the recording printer (real font
// metrics): the list print run with a one-line and a three-line mask, every
// address selected, heading and footer on every page. Every page is a job of
// its own; the recording printer keeps only the job at hand, so memory must
// not grow with the pages sent (counter "rss_zuwachs_mb" over the run).
// Then the same list as the dialog prints it, as one run to the PDF printer:
// one file with every page (counters "dateien" and "seiten").
#include "printing/listendruck.h"
#include "addressbook/sitzung.h"
#include "adressgenerator.h"
#include "common/ini.h"
#include "platform/codec.h"
#include "platform/drucker.h"
#include "platform/ordner.h"
#include "platform/ui/aufzeichnungsdrucker.h"
#include "platform/ui/qtdrucker.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <fstream>
#include <unistd.h>

namespace {

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
        zadressbuch::sitzung().MaskenOrdner = daten;
        auto maske = [&](const char* name, const char* text) {
            QFile f(daten + u'/' + QLatin1String(name) + QStringLiteral(".msk"));
            f.open(QIODevice::WriteOnly);
            f.write(zplatform::nachWindows1252(QString::fromUtf8(text)));
        };
        maske("Liste_Standard", "{Nachname}, {Vorname}, {Straße}, {PLZ} {Ort}, Tel. {Telefon}\r\n");
        maske("Anschrift", "{Vorname} {Nachname}\r\n{Straße}\r\n{PLZ} {Ort}\r\n");
        adressen = zbench::Adressen();
        zplatform::druckerSetzen(std::make_unique<zplatform::AufzeichnungsDrucker>());
    }
};

Umgebung& umgebung()
{
    static Umgebung u;
    return u;
}

double rssMb()
{
    std::ifstream statm("/proc/self/statm");
    long seiten = 0, resident = 0;
    statm >> seiten >> resident;
    return double(resident) * double(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void laufen(benchmark::State& state, const char* maske)
{
    Umgebung& u = umgebung();
    zdruck::Listenlauf lauf;
    lauf.eintraege = &u.adressen;
    lauf.ausgewaehlt = [](int) { return true; };
    lauf.maske = QString::fromLatin1(maske);
    lauf.ueberschrift = QStringLiteral("Alle Adressen");
    lauf.schrift.groesse = 10;
    lauf.randX = 1.0;
    lauf.randY = 1.0;
    lauf.kopieDrucken(); // warm-up: fonts, mask
    const double vorher = rssMb();
    int seiten = 0;
    for (auto _ : state) {
        lauf.seitenGesendet = 0;
        lauf.kopieDrucken();
        seiten = lauf.seitenGesendet;
    }
    state.counters["seiten"] = seiten;
    state.counters["rss_zuwachs_mb"] = rssMb() - vorher;
    state.SetItemsProcessed(state.iterations() * u.adressen.size());
}

void BM_Listendruck32000_Einzeilig(benchmark::State& state)
{
    laufen(state, "Liste_Standard");
}
BENCHMARK(BM_Listendruck32000_Einzeilig)->Unit(benchmark::kMillisecond);

void BM_Listendruck32000_Anschrift(benchmark::State& state)
{
    laufen(state, "Anschrift");
}
BENCHMARK(BM_Listendruck32000_Anschrift)->Unit(benchmark::kMillisecond);

void BM_Listendruck32000_PdfEinLauf(benchmark::State& state)
{
    Umgebung& u = umgebung();
    int seiten = 0;
    qsizetype dateien = 0;
    for (auto _ : state) {
        QTemporaryDir ordner;
        auto pdf = std::make_unique<zplatform::QtDrucker>(zplatform::pdfDruckerName);
        pdf->setPdfOrdner(ordner.path());
        zplatform::druckerSetzen(std::move(pdf));
        zdruck::Listenlauf lauf;
        lauf.eintraege = &u.adressen;
        lauf.ausgewaehlt = [](int) { return true; };
        lauf.maske = QStringLiteral("Liste_Standard");
        lauf.ueberschrift = QStringLiteral("Alle Adressen");
        lauf.schrift.groesse = 10;
        zplatform::druckLaufBeginnen();
        lauf.kopieDrucken();
        zplatform::druckLaufBeenden();
        zplatform::drucker().dokumentEnde();
        seiten = lauf.seitenGesendet;
        dateien = QDir(ordner.path()).entryList({QStringLiteral("*.pdf")}, QDir::Files).size();
        zplatform::druckerSetzen(std::make_unique<zplatform::AufzeichnungsDrucker>());
    }
    state.counters["seiten"] = seiten;
    state.counters["dateien"] = double(dateien);
}
BENCHMARK(BM_Listendruck32000_PdfEinLauf)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
