// What the user waits for in the main window (offscreen) when many addresses
// come or go at once, at 10000 and 30000 rows: the import of a ";"-separated
// list from the menu (the import window opens, Enter in "Datei" loads the
// preview, "Importieren" adds the rows) until the list is shown again, and the
// bulk delete from the menu removing every address or every seventh one.
#include "addressbook/adressliste.h"
#include "addressbook/befehle.h"
#include "addressbook/datensatz.h"
#include "addressbook/sitzung.h"
#include "addressbook/ui/main.h"
#include "adressgenerator.h"
#include "app/zusammenbau.h"
#include "common/ini.h"
#include "exchange/import.h"
#include "exchange/ui/adrimport2.h"
#include "platform/codec.h"
#include "platform/ordner.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <memory>

using namespace zadressbuch;

namespace {

QString csvText(const QStringList& adressen)
{
    QList<QStringList> zeilen{{QStringLiteral("Nachname"), QStringLiteral("Vorname"), QStringLiteral("Straße"),
                               QStringLiteral("PLZ"), QStringLiteral("Ort"), QStringLiteral("Telefon"),
                               QStringLiteral("Zusatzbemerkung")}};
    for (const QString& a : adressen) {
        const Felder f = Zerlegen(a);
        zeilen << QStringList{f[Nachname], f[Vorname], f[Strasse], f[Plz], f[Ort], f[Telefon], f[Bemerkung]};
    }
    return zaustausch::Trenntext_Verbinden(zeilen, QLatin1Char(';'));
}

// A root with an address file of the given addresses and the whole program's
// window started on it.
struct Fenster
{
    QTemporaryDir dir;
    Befehlsregister befehle;
    std::unique_ptr<Main> main;
    QStringList start;

    explicit Fenster(QStringList adressen) : start(std::move(adressen))
    {
        qputenv("ZETTLORA_ROOT", dir.path().toLocal8Bit());
        zplatform::ordnerZuruecksetzen();
        zcommon::Ini_CacheLeeren();
        for (const char* ordner : {"windows/system", "programm", "temp"})
            QDir().mkpath(dir.path() + QLatin1Char('/') + QLatin1String(ordner));
        QString text = QStringLiteral("..Erzeugte Adressen\r\n");
        for (const QString& adresse : start)
            text += adresse + QStringLiteral("\r\n");
        schreiben(QStringLiteral("programm/zettlora.dat"), text);
        zapp::Programm_Zusammenbauen(befehle);
        main = std::make_unique<Main>(befehle);
        main->Form_Load();
        main->show();
        QCoreApplication::processEvents();
    }
    ~Fenster()
    {
        main.reset();
        sitzungZuruecksetzen();
        adressliste().Clear();
    }
    QString pfad(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }
    void schreiben(const QString& name, const QString& text) const
    {
        QFile out(pfad(name));
        if (out.open(QIODevice::WriteOnly))
            out.write(zplatform::nachWindows1252(text));
    }
    // The list as at the start, its first address shown.
    void zuruecksetzen()
    {
        adressliste().setEintraege(start);
        adressliste().setListIndex(0);
        sitzung().Geaendert = 0;
        QCoreApplication::processEvents();
    }
};

// Runs the steps on the import window once it shows (inside the menu command).
void importSkript(const QString& datei)
{
    auto* wache = new QTimer;
    wache->setInterval(0);
    QObject::connect(wache, &QTimer::timeout, [wache, datei] {
        auto* d = qobject_cast<zaustausch::AdrImport2*>(QApplication::activeModalWidget());
        if (!d)
            return;
        wache->stop();
        wache->deleteLater();
        d->txtDatei->setFocus();
        d->txtDatei->setText(datei);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(d->txtDatei, &enter);
        if (d->befImport->isEnabled())
            d->befImport->click();
        else
            d->reject();
    });
    wache->start();
}

void BM_Fenster_Import(benchmark::State& state)
{
    const int n = int(state.range(0));
    zbench::Adressvorgaben v;
    v.anzahl = 100;
    Fenster f(zbench::Adressen(v));
    v.anzahl = n;
    f.schreiben(QStringLiteral("temp/import.csv"), csvText(zbench::Adressen(v)));
    const QString datei = f.pfad(QStringLiteral("temp/import.csv"));
    QAction* menue = f.main->aktion(QStringLiteral("mnuAdrImpListe"));
    for (auto _ : state) {
        state.PauseTiming();
        f.zuruecksetzen();
        state.ResumeTiming();
        importSkript(datei);
        menue->trigger();
        QCoreApplication::processEvents(); // the list and the card painted
    }
    if (adressliste().ListCount() != f.start.size() + n)
        state.SkipWithError("nicht alle importiert");
    state.SetItemsProcessed(state.iterations() * n);
}

void loeschen(benchmark::State& state, const QString& text, int bleiben)
{
    const int n = int(state.range(0));
    zbench::Adressvorgaben v;
    v.anzahl = n;
    Fenster f(zbench::Adressen(v));
    QAction* menue = f.main->aktion(QStringLiteral("mnuVertriebDel"));
    for (auto _ : state) {
        state.PauseTiming();
        f.zuruecksetzen();
        // The input box of the headless platform answers with its proposal.
        zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("VQuickDel"), text);
        state.ResumeTiming();
        menue->trigger();
        QCoreApplication::processEvents();
    }
    if (adressliste().ListCount() != n * bleiben / 7)
        state.SkipWithError("falsche Anzahl gelöscht");
    state.SetItemsProcessed(state.iterations() * n);
}

// Every generated address has its e-mail at example.de.
void BM_Fenster_MassenLoeschenAlle(benchmark::State& state)
{
    loeschen(state, QStringLiteral("example.de"), 0);
}

// One generated address in seven lives in Köln.
void BM_Fenster_MassenLoeschenJedeSiebte(benchmark::State& state)
{
    loeschen(state, QStringLiteral("k?ln"), 6);
}

BENCHMARK(BM_Fenster_Import)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Fenster_MassenLoeschenAlle)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Fenster_MassenLoeschenJedeSiebte)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
