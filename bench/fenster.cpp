// What the user waits for in the main window (offscreen): showing an address
// on the card when the list's selection moves (by the program, and by the
// arrow keys in the list, which first store a card that differs from its
// entry), storing the card after a key went up in a field, and a text search
// started with Enter, at 1000 and at 32000 addresses. Each runs through
// the real window, its list view and status bar. The "...MitZeichnen" runs
// also let the event loop do the painting the step asked for, as it follows
// at once on screen.
#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "addressbook/suche.h"
#include "adressgenerator.h"
#include "fensterbench.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

#include <map>
#include <memory>

using namespace zadressbuch;

namespace {

zbench::Adressvorgaben vorgaben(int n)
{
    zbench::Adressvorgaben v;
    v.anzahl = n;
    v.alleFelder = true;
    return v;
}

// A root with an address file of n generated addresses and a started window
// (the window's own handlers only) showing the middle one. One window at a
// time: a new size closes the old one.
struct Fenster : zbench::FensterWurzel
{
    int anzahl = 0;

    explicit Fenster(int n) : zbench::FensterWurzel(zbench::Adressen(vorgaben(n)), false), anzahl(n)
    {
        adressliste().setListIndex(n / 2);
        QCoreApplication::processEvents();
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

// Down and Up in the list by turns: each key first checks whether the card
// differs from its entry (it does not), then shows the neighbour.
void pfeiltaste(benchmark::State& state, bool zeichnen)
{
    Fenster& f = fenster(int(state.range(0)));
    const int mitte = f.anzahl / 2;
    adressliste().setListIndex(mitte);
    f.main->Liste->setFocus(Qt::OtherFocusReason);
    const QString vorher[2] = {adressliste().List(mitte), adressliste().List(mitte + 1)};
    int i = 0;
    for (auto _ : state) {
        QKeyEvent taste(QEvent::KeyPress, (++i & 1) ? Qt::Key_Down : Qt::Key_Up, Qt::NoModifier);
        QCoreApplication::sendEvent(f.main->Liste, &taste);
        if (zeichnen)
            QCoreApplication::processEvents();
    }
    if (adressliste().ListIndex() != mitte + (i & 1))
        state.SkipWithError("die Auswahl ging nicht mit");
    if (adressliste().List(mitte) != vorher[0] || adressliste().List(mitte + 1) != vorher[1])
        state.SkipWithError("unveraenderte Karte gespeichert");
}

// What every key in the list and every command does first: ask whether the
// card differs from its entry (it does not, so nothing is stored).
void BM_Fenster_KartePruefen(benchmark::State& state)
{
    Fenster& f = fenster(int(state.range(0)));
    const int mitte = f.anzahl / 2;
    adressliste().setListIndex(mitte);
    const QString vorher = adressliste().List(mitte);
    for (auto _ : state)
        f.main->Abweichende_Karte_Uebernehmen();
    if (adressliste().List(mitte) != vorher)
        state.SkipWithError("unveraenderte Karte gespeichert");
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

// A key typed into the first name as the application delivers it (through
// every filter of the program): the press puts the letter in, the release
// stores the card. The field is set back meanwhile, untimed.
void BM_Fenster_Taste(benchmark::State& state)
{
    Fenster& f = fenster(int(state.range(0)));
    adressliste().setListIndex(f.anzahl / 2);
    auto* feld = qobject_cast<QLineEdit*>(f.main->Feld(Vorname));
    feld->setFocus(Qt::OtherFocusReason);
    for (auto _ : state) {
        state.PauseTiming();
        feld->setText(QStringLiteral("Jör"));
        state.ResumeTiming();
        QKeyEvent druck(QEvent::KeyPress, Qt::Key_G, Qt::NoModifier, QStringLiteral("g"));
        QCoreApplication::sendEvent(feld, &druck);
        QKeyEvent los(QEvent::KeyRelease, Qt::Key_G, Qt::NoModifier, QStringLiteral("g"));
        QCoreApplication::sendEvent(feld, &los);
    }
    if (Zerlegen(adressliste().List(f.anzahl / 2))[Vorname] != QStringLiteral("Jörg"))
        state.SkipWithError("nicht getippt");
}

// Ctrl+V of 1000 characters over the whole remark: the fitting of the text
// (Polish letters to their base letters, an emoji left out, the cut at the
// remark's limit), the sound, the status line and the store of the card.
void BM_Fenster_Einfuegen(benchmark::State& state)
{
    Fenster& f = fenster(int(state.range(0)));
    adressliste().setListIndex(f.anzahl / 2);
    auto* feld = qobject_cast<QPlainTextEdit*>(f.main->Feld(Bemerkung));
    feld->setFocus(Qt::OtherFocusReason);
    QString text;
    while (text.size() < 1000)
        text += QStringLiteral("Łódź, ulica Długa 5 \U0001F600 Zażółć gęślą jaźń. ");
    text.truncate(1000);
    QGuiApplication::clipboard()->setText(text);
    for (auto _ : state) {
        state.PauseTiming();
        feld->selectAll();
        state.ResumeTiming();
        QKeyEvent druck(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
        QCoreApplication::sendEvent(feld, &druck);
        QKeyEvent los(QEvent::KeyRelease, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
        QCoreApplication::sendEvent(feld, &los);
    }
    if (!Zerlegen(adressliste().List(f.anzahl / 2))[Bemerkung].startsWith(
            QStringLiteral("Lódz, ulica Dluga 5  Zazólc")))
        state.SkipWithError("nicht eingefuegt");
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
        f.main->TextSuche_Starten();
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
void BM_Fenster_Pfeiltaste(benchmark::State& state)
{
    pfeiltaste(state, false);
}
void BM_Fenster_PfeiltasteMitZeichnen(benchmark::State& state)
{
    pfeiltaste(state, true);
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
BENCHMARK(BM_Fenster_KartePruefen)->Arg(1000)->Arg(MaxAdressen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Fenster_Pfeiltaste)->Arg(1000)->Arg(MaxAdressen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Fenster_Speichern)->Arg(1000)->Arg(MaxAdressen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Fenster_Taste)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Fenster_Einfuegen)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Fenster_Suche)->Arg(1000)->Arg(MaxAdressen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fenster_ZeigenMitZeichnen)->Arg(1000)->Arg(MaxAdressen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Fenster_PfeiltasteMitZeichnen)->Arg(1000)->Arg(MaxAdressen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Fenster_SpeichernMitZeichnen)->Arg(1000)->Arg(MaxAdressen)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    // The window goes before the application does.
    return zbench::FensterMain(argc, argv, [] { offenesFenster().reset(); });
}
