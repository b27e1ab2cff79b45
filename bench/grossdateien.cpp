// Huge files: settings files of 1, 10 and 50 MB (10000 print presets per MB),
// place catalogues of the same sizes and mask files too long for the mask
// editor. Measured where the user waits: the first read of a settings file
// (as the print-options dialog loads its preset), one write, a preset load
// and save, the first catalogue look-up on leaving the postcode field, what a
// take-over writes into a catalogue, the catalogue search, and loading a mask
// in the editor. Each case also runs once in a fresh process
// of its own, whose peak memory (VmHWM) is reported as SpitzeMB beside the
// limit GrenzeMB = 4 × file size + 30 MB.
//
// Run: bench_grossdateien (the program starts itself with "--einzeln <case>
// <MB> <root>" as the measured process).
#include "addressbook/sitzung.h"
#include "catalogues/katalog.h"
#include "catalogues/katalogsuche.h"
#include "common/dateien.h"
#include "common/ini.h"
#include "masks/maskeneditor.h"
#include "masks/ui/maskenedit.h"
#include "platform/ordner.h"
#include "printing/druckvorgabe.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr qint64 MB = 1024 * 1024;

// The program's folders under a root; the settings layer's cache emptied.
void wurzelSetzen(const QString& wurzel)
{
    qputenv("ZETTLORA_ROOT", QFile::encodeName(wurzel));
    zplatform::ordnerZuruecksetzen();
    zcommon::Ini_CacheLeeren();
    zadressbuch::sitzung().KatalogStdLand = QStringLiteral("D-");
    zadressbuch::sitzung().MaskenOrdner = wurzel + QStringLiteral("/daten");
}

// The job of preset number i.
QString job(int i)
{
    return QStringLiteral("Zettlora_Maske%1").arg(i, 6, 10, QLatin1Char('0'));
}

void dateiSchreiben(const QString& pfad, const QByteArray& bytes)
{
    QFile f(pfad);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "%s nicht geschrieben\n", qPrintable(pfad));
        std::exit(1);
    }
}

// The files of one size, made once per root.
struct Dateien
{
    QTemporaryDir dir;
    QString wurzel() const { return dir.path(); }

    QString anlegen(int mb)
    {
        const QString w = dir.path() + QStringLiteral("/%1").arg(mb);
        if (QFileInfo::exists(w))
            return w;
        for (const char* o : {"windows/system", "programm/Kataloge", "temp", "daten"})
            QDir(w).mkpath(QString::fromLatin1(o));

        // KontPrn.ini: 10000 presets per MB, about 105 bytes each.
        QByteArray ini = "[Allgemein]\r\nDruckerauswahl=0\r\n\r\n";
        ini.reserve(mb * MB + MB);
        for (int i = 0; i < 10000 * mb; ++i)
            ini += '[' + job(i).toLatin1() + "]\r\nAusrichtung=0\r\nRandX=" + QByteArray::number(i % 51) +
                   "\r\nRandY=" + QByteArray::number(i % 37) +
                   "\r\nAnzahl=0\r\nAutomatisch=0\r\nLastSave=01.02.2024\r\n\r\n";
        dateiSchreiben(w + QStringLiteral("/windows/KontPrn.ini"), ini);

        // A place catalogue of the same size: one section of postcodes.
        QByteArray katalog = "[PLZ]\r\n";
        katalog.reserve(mb * MB + MB);
        for (int i = 0; katalog.size() < mb * MB; ++i)
            katalog += QByteArray::number(10000000 + i) + "=Ort " + QByteArray::number(i) + ", Nebenort\r\n";
        dateiSchreiben(w + QStringLiteral("/programm/Kataloge/D-PLZ_Ort_1.txt"), katalog);

        // A mask file of that size.
        QByteArray maske;
        maske.reserve(mb * MB + 64);
        while (maske.size() < mb * MB)
            maske += "{Anrede} {Vorname} {Nachname}, {Stra\xdf"
                     "e}, {PLZ} {Ort}\r\n";
        dateiSchreiben(w + QStringLiteral("/daten/Riesig.msk"), maske);
        // The longest mask the editor takes.
        maske.truncate(zmasken::MaskenEditFassung - 2);
        dateiSchreiben(w + QStringLiteral("/daten/Grenze.msk"), maske);
        return w;
    }
};

Dateien& dateien()
{
    static Dateien d;
    return d;
}

QString g_programm;

// ---- the measured steps -----------------------------------------------------------

QString kontPrn()
{
    return zcommon::Windows_Ordner() + QStringLiteral("/KontPrn.ini");
}

// The first read of a key of the file in this process.
void ersterLesezugriff(int mb)
{
    zcommon::Ini_CacheLeeren();
    const QString wert = zcommon::Ini_Lesen(kontPrn(), job(10000 * mb - 1), QStringLiteral("RandX"));
    if (wert.isEmpty())
        std::abort();
}

// One write of a key that changes (the file read already).
void einSchreibzugriff(int mb, int runde)
{
    zcommon::Ini_Schreiben(kontPrn(), job(5000 * mb), QStringLiteral("RandX"), QString::number(runde % 2 + 1));
}

// The print-options dialog: the preset loaded on opening (first read in the
// process) and saved on OK.
void vorgabeLadenSichern(int mb, int runde)
{
    zcommon::Ini_CacheLeeren();
    zdruck::Druckvorgabe v = zdruck::Vorgabe_Laden(job(7000 * mb), false);
    v.randX = runde % 2 + 1;
    zdruck::Vorgabe_Sichern(job(7000 * mb), v, false);
}

// Leaving the postcode field with a place catalogue not read yet.
void ersteKatalogsuche(int mb)
{
    zcommon::Ini_CacheLeeren();
    int modus = 2;
    const QString ort = zkataloge::KatalogOrt_Suchen(QStringLiteral("D-%1").arg(10000000 + 1000 * mb), modus,
                                                     zkataloge::Waehler(), QString());
    if (ort.isEmpty())
        std::abort();
}

// What a take-over writes into the place catalogue: 2000 keys, each looked
// up first, half of them new, in one write (later rounds write the same).
void katalogLernen(int mb)
{
    zcommon::Ini_CacheLeeren();
    const QString datei = zkataloge::Katalog_Ordner() + QStringLiteral("/D-PLZ_Ort_1.txt");
    std::vector<std::pair<QString, QString>> werte;
    for (int i = 0; i < 2000; ++i) {
        const QString plz = QString::number(i % 2 ? 19000000 + i : 10000000 + i * 97 * mb);
        const QString alt = zcommon::Ini_Lesen(datei, QStringLiteral("PLZ"), plz);
        const QString neu = QStringLiteral("Neuort");
        werte.emplace_back(plz, alt.isEmpty() ? neu : alt.contains(neu) ? alt : alt + QStringLiteral(", ") + neu);
    }
    if (!zcommon::Ini_SchreibenAlle(datei, QStringLiteral("PLZ"), werte))
        std::abort();
}

// The catalogue search of the main window's menu, over the place catalogue.
void katalogDurchsuchen()
{
    if (zkataloge::Katalog_Durchsuchen(zkataloge::Katalogart::Ort, QStringLiteral("Ort 4711,")).treffer != 1)
        std::abort();
}

// "&Laden" of the mask editor with the huge mask chosen (or the longest one
// it takes).
void maskeLaden(const QString& name = QStringLiteral("Riesig.msk"))
{
    zmasken::MaskenEdit m;
    zmasken::MaskenEdit::dateiwahl() = [name](const QString&, bool) {
        return zadressbuch::sitzung().MaskenOrdner + QLatin1Char('/') + name;
    };
    m.mnuLaden_Click();
    if (!m.Text1->text().isEmpty() != (name != QStringLiteral("Riesig.msk")))
        std::abort();
}

// ---- benchmarks in this process ------------------------------------------------------

template <class Schritt>
void messen(benchmark::State& state, Schritt schritt, bool dateiGelesen = false)
{
    const int mb = int(state.range(0));
    wurzelSetzen(dateien().anlegen(mb));
    if (dateiGelesen)
        ersterLesezugriff(mb);
    int runde = 0;
    for (auto _ : state) {
        QElapsedTimer uhr;
        uhr.start();
        schritt(mb, runde++);
        state.SetIterationTime(double(uhr.nsecsElapsed()) / 1e9);
    }
    state.counters["DateiMB"] = double(QFileInfo(kontPrn()).size()) / double(MB);
}

void BM_IniErsterLesezugriff(benchmark::State& state)
{
    messen(state, [](int mb, int) { ersterLesezugriff(mb); });
}
BENCHMARK(BM_IniErsterLesezugriff)->Arg(1)->Arg(10)->Arg(50)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_IniSchreibzugriff(benchmark::State& state)
{
    messen(state, [](int mb, int runde) { einSchreibzugriff(mb, runde); }, true);
}
BENCHMARK(BM_IniSchreibzugriff)->Arg(1)->Arg(10)->Arg(50)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_DruckvorgabeLadenSichern(benchmark::State& state)
{
    messen(state, [](int mb, int runde) { vorgabeLadenSichern(mb, runde); });
}
BENCHMARK(BM_DruckvorgabeLadenSichern)->Arg(1)->Arg(10)->Arg(50)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_KatalogErsteSuche(benchmark::State& state)
{
    messen(state, [](int mb, int) { ersteKatalogsuche(mb); });
}
BENCHMARK(BM_KatalogErsteSuche)->Arg(1)->Arg(10)->Arg(50)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_KatalogLernen(benchmark::State& state)
{
    messen(state, [](int mb, int) { katalogLernen(mb); });
}
BENCHMARK(BM_KatalogLernen)->Arg(1)->Arg(10)->Arg(50)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_KatalogDurchsuchen(benchmark::State& state)
{
    messen(state, [](int, int) { katalogDurchsuchen(); });
}
BENCHMARK(BM_KatalogDurchsuchen)->Arg(1)->Arg(10)->Arg(50)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_MaskenEditorLaden(benchmark::State& state)
{
    messen(state, [](int, int) { maskeLaden(); });
}
BENCHMARK(BM_MaskenEditorLaden)->Arg(1)->Arg(10)->Arg(50)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_MaskenEditorLadenGrenze(benchmark::State& state)
{
    messen(state, [](int, int) { maskeLaden(QStringLiteral("Grenze.msk")); });
}
BENCHMARK(BM_MaskenEditorLadenGrenze)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// ---- one case in a fresh process: time and peak memory ------------------------------------

// Leer and Fenster are the bases: a process that reads nothing, and one that
// shows the mask editor without loading a mask.
enum Fall { Leer, Lesen, Schreiben, Vorgabe, Katalog, Fenster, Maske, Suche, Lernen };
const char* const Fallname[] = {"leer",    "lesen", "schreiben", "vorgabe", "katalog",
                                "fenster", "maske", "suche",     "lernen"};

void BM_NeuerProzess(benchmark::State& state)
{
    const int fall = int(state.range(0));
    const int mb = int(state.range(1));
    const QString wurzel = dateien().anlegen(mb);
    double spitzeKb = 0, ms = 0;
    for (auto _ : state) {
        QProcess p;
        p.start(g_programm, {QStringLiteral("--einzeln"), QString::fromLatin1(Fallname[fall]),
                             QString::number(mb), wurzel});
        p.waitForFinished(-1);
        const QList<QByteArray> teile = p.readAllStandardOutput().trimmed().split(' ');
        if (p.exitCode() != 0 || teile.size() != 2) {
            state.SkipWithError("Der gemessene Prozess ist gescheitert");
            return;
        }
        ms = teile[0].toDouble();
        spitzeKb = teile[1].toDouble();
        state.SetIterationTime(ms / 1000.0);
    }
    state.SetLabel(Fallname[fall]);
    state.counters["SpitzeMB"] = spitzeKb / 1024.0;
    state.counters["GrenzeMB"] = 4.0 * mb + 30.0;
}
BENCHMARK(BM_NeuerProzess)
    ->ArgsProduct({{Leer, Fenster}, {1}})
    ->ArgsProduct({{Lesen, Schreiben, Vorgabe, Katalog, Lernen, Suche, Maske}, {1, 10, 50}})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

long spitzeKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& zeile : status.readAll().split('\n'))
        if (zeile.startsWith("VmHWM:"))
            return zeile.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

int einzeln(const QByteArray& fall, int mb, const QString& wurzel)
{
    wurzelSetzen(wurzel);
    QElapsedTimer uhr;
    uhr.start();
    if (fall == "fenster")
        zmasken::MaskenEdit().show();
    else if (fall == "lesen")
        ersterLesezugriff(mb);
    else if (fall == "schreiben")
        einSchreibzugriff(mb, int(QDateTime::currentMSecsSinceEpoch() % 2));
    else if (fall == "vorgabe")
        vorgabeLadenSichern(mb, int(QDateTime::currentMSecsSinceEpoch() % 2));
    else if (fall == "katalog")
        ersteKatalogsuche(mb);
    else if (fall == "maske")
        maskeLaden();
    else if (fall == "suche")
        katalogDurchsuchen();
    else if (fall == "lernen")
        katalogLernen(mb);
    else if (fall != "leer")
        return 2;
    std::printf("%.3f %ld\n", double(uhr.nsecsElapsed()) / 1e6, spitzeKb());
    std::fflush(stdout);
    std::_Exit(0);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 5 && QByteArray(argv[1]) == "--einzeln") {
        // Only the mask editor needs the widgets.
        const QByteArray fall = argv[2];
        std::unique_ptr<QCoreApplication> app;
        if (fall == "maske" || fall == "fenster")
            app = std::make_unique<QApplication>(argc, argv);
        else
            app = std::make_unique<QCoreApplication>(argc, argv);
        return einzeln(fall, QByteArray(argv[3]).toInt(), QFile::decodeName(argv[4]));
    }
    QApplication app(argc, argv);
    g_programm = QCoreApplication::applicationFilePath();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
