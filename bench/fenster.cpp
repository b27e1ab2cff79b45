// What the user waits for in the main window (offscreen): showing an address
// on the card when the list's selection moves, storing the card after a key
// went up in a field, and a text search started with Enter, at 1000 and at
// 32000 addresses. Each runs through
// the real window, its list view and status bar. The "...MitZeichnen" runs
// also let the event loop do the painting the step asked for, as it follows
// at once on screen.
#include "addressbook/adressliste.h"
#include "addressbook/befehle.h"
#include "addressbook/datensatz.h"
#include "addressbook/sitzung.h"
#include "addressbook/suche.h"
#include "addressbook/ui/main.h"
#include "adressgenerator.h"
#include "common/ini.h"
#include "platform/codec.h"
#include "platform/ordner.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

using namespace zadressbuch;

namespace {

// A root with an address file of n generated addresses and a started window
// showing the middle one. One window at a time: a new size closes the old one.
struct Fenster
{
    QTemporaryDir dir;
    Befehlsregister befehle;
    std::unique_ptr<Main> main;
    int anzahl = 0;

    explicit Fenster(int n) : anzahl(n)
    {
        qputenv("ZETTLORA_ROOT", dir.path().toLocal8Bit());
        zplatform::ordnerZuruecksetzen();
        zcommon::Ini_CacheLeeren();
        for (const char* ordner : {"windows/system", "programm", "temp"})
            QDir().mkpath(dir.path() + QLatin1Char('/') + QLatin1String(ordner));
        zbench::Adressvorgaben v;
        v.anzahl = n;
        v.alleFelder = true;
        QString text = QStringLiteral("..Erzeugte Adressen\r\n");
        for (const QString& adresse : zbench::Adressen(v))
            text += adresse + QStringLiteral("\r\n");
        QFile out(dir.path() + QStringLiteral("/programm/zettlora.dat"));
        if (out.open(QIODevice::WriteOnly))
            out.write(zplatform::nachWindows1252(text));
        out.close();

        main = std::make_unique<Main>(befehle);
        main->Form_Load();
        main->show();
        adressliste().setListIndex(n / 2);
        QCoreApplication::processEvents();
    }
    ~Fenster()
    {
        main.reset();
        sitzungZuruecksetzen();
        adressliste().Clear();
    }
};

std::unique_ptr<Fenster>& offenesFenster()
{
    static std::unique_ptr<Fenster> f;
    return f;
}

Fenster& fenster(int n)
{
    std::unique_ptr<Fenster>& f = offenesFenster();
    if (!f || f->anzahl != n) {
        f.reset();
        f = std::make_unique<Fenster>(n);
    }
    return *f;
}

// A click in the list: the selection moves between two neighbours, the card
// shows the address (undo copy, fields, status panels).
void zeigen(benchmark::State& state, bool zeichnen)
{
    Fenster& f = fenster(int(state.range(0)));
    const int mitte = f.anzahl / 2;
    int i = 0;
    for (auto _ : state) {
        adressliste().setListIndex(mitte + (++i & 1));
        if (zeichnen)
            QCoreApplication::processEvents();
    }
    if (adressliste().ListCount() != f.anzahl)
        state.SkipWithError("falsche Anzahl");
}

// A key went up in the first name: the card is stored back into the list
// (the changed record, the change date, the "Unsaved" panel).
void speichern(benchmark::State& state, bool zeichnen)
{
    Fenster& f = fenster(int(state.range(0)));
    adressliste().setListIndex(f.anzahl / 2);
    auto* feld = qobject_cast<QLineEdit*>(f.main->Feld(Vorname));
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // As typing does: the field holds the new text before the key goes up.
        feld->setText((++i & 1) ? QStringLiteral("Jörg") : QStringLiteral("Jörn"));
        state.ResumeTiming();
        f.main->Feld_KeyUp(Vorname);
        if (zeichnen)
            QCoreApplication::processEvents();
    }
    if (Zerlegen(adressliste().List(f.anzahl / 2))[Vorname].left(3) != QStringLiteral("Jör"))
        state.SkipWithError("nicht gespeichert");
}

// Enter in the search box with a word no address holds: the whole walk over
// the list as the window runs it (colours, status percentages with their
// painting, the events let through meanwhile), then the window idle again.
void BM_Fenster_Suche(benchmark::State& state)
{
    Fenster& f = fenster(int(state.range(0)));
    adressliste().setListIndex(0);
    f.main->TxtSuche->setText(QStringLiteral("Zwetschge"));
    f.main->zeitSuche()->timer().stop();
    for (auto _ : state) {
        f.main->TextSuche_Starten(false);
        QCoreApplication::processEvents();
    }
    if (adressliste().ListIndex() != 0)
        state.SkipWithError("unerwarteter Treffer");
    f.main->TxtSuche->clear();
    f.main->zeitSuche()->timer().stop();
}

void BM_Fenster_Zeigen(benchmark::State& state)
{
    zeigen(state, false);
}
void BM_Fenster_ZeigenMitZeichnen(benchmark::State& state)
{
    zeigen(state, true);
}
void BM_Fenster_Speichern(benchmark::State& state)
{
    speichern(state, false);
}
void BM_Fenster_SpeichernMitZeichnen(benchmark::State& state)
{
    speichern(state, true);
}

BENCHMARK(BM_Fenster_Zeigen)->Arg(1000)->Arg(MaxAdressen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Fenster_Speichern)->Arg(1000)->Arg(MaxAdressen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Fenster_Suche)->Arg(1000)->Arg(MaxAdressen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fenster_ZeigenMitZeichnen)->Arg(1000)->Arg(MaxAdressen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Fenster_SpeichernMitZeichnen)->Arg(1000)->Arg(MaxAdressen)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    offenesFenster().reset(); // before the application goes
    benchmark::Shutdown();
    return 0;
}
