#include "addressbook/leerlauf.h"

#include "addressbook/dateiini.h"
#include "addressbook/listenlauf.h"
#include "addressbook/sitzung.h"
#include "common/start.h"
#include "common/texte.h"
#include "platform/plattform.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#include <cstdio>

namespace zadressbuch {

namespace {

// The idle exit under way: its rounds, what they have done so far and the
// window's part.
struct Ausstieg
{
    bool laeuft = false;
    bool imBefehl = false;  // the exit command runs (its boxes are closed, nothing more)
    bool vonAussen = false; // a termination signal: never given up
    bool gesichert = false; // held up past the limits: the file was saved meanwhile
    bool sichert = false;   // that save is under way (its box may run rounds)
    int geschlossen = 0;
    int runden = 0;
    LeerlaufAusgang ausgang;
    QPointer<QTimer> takt;
};

Ausstieg& ausstieg()
{
    static Ausstieg a;
    return a;
}

int g_warteMs = -1;

int warteMs()
{
    return g_warteMs >= 0 ? g_warteMs : LeerlaufWarteMs;
}

void anhalten()
{
    Ausstieg& a = ausstieg();
    a.laeuft = false;
    a.imBefehl = false;
    a.vonAussen = false;
    a.gesichert = false;
    a.sichert = false;
    a.ausgang = {};
    if (a.takt)
        a.takt->stop();
}

void fertig(bool endet)
{
    anhalten();
    if (!endet)
        sitzung().LeerlaufZaehler = 0; // go on; the next try after the full idle time
}

void runde();

// The next round after ms, also inside the event loop of a box that the
// current round's closing opens.
void naechsteRunde(int ms)
{
    Ausstieg& a = ausstieg();
    if (!a.takt) {
        a.takt = new QTimer(QCoreApplication::instance());
        a.takt->setSingleShot(true);
        QObject::connect(a.takt, &QTimer::timeout, a.takt, [] { runde(); });
    }
    a.takt->start(ms);
}

bool aufrufen(const std::function<bool()>& f)
{
    const std::function<bool()> kopie = f; // a nested round may end the exit meanwhile
    return kopie && kopie();
}

// Held up past the limits: an exit from outside saves at once (once; the
// window's save says when it cannot now: a change of the list half done) and
// waits on; the idle exit gives up.
void aufgehalten()
{
    Ausstieg& a = ausstieg();
    if (!a.vonAussen) {
        fertig(false);
        return;
    }
    if (a.gesichert || a.sichert)
        return;
    a.sichert = true;
    const bool gesichert = aufrufen(a.ausgang.sofortSpeichern);
    a.sichert = false;
    if (a.laeuft)
        a.gesichert = gesichert;
}

void runde()
{
    Ausstieg& a = ausstieg();
    if (!a.laeuft)
        return;
    const bool ueberfaellig = ++a.runden > LeerlaufHoechstensRunden;
    if (ueberfaellig && a.imBefehl) {
        // The exit command runs and waits for a box of its own that will
        // not close: it goes on when that has returned.
        if (a.takt)
            a.takt->stop();
        return;
    }
    if (ueberfaellig && !a.vonAussen) {
        // Something will not close or not return: give up.
        fertig(false);
        return;
    }
    // Keep the rounds going while a closing below waits in an event loop.
    naechsteRunde(warteMs());

    if (ListenLauf::aktiv())
        sitzung().LetzteTaste = 27; // Esc: the walk stops after its current entry
    if (a.geschlossen < LeerlaufHoechstensSchliessen && aufrufen(a.ausgang.fensterSchliessen)) {
        ++a.geschlossen;
        if (a.laeuft)
            naechsteRunde(0);
        return;
    }
    if (a.imBefehl)
        return; // the exit command below goes on when its box has returned
    if (ListenLauf::aktiv() || aufrufen(a.ausgang.fensterOffen)) {
        // Wait for the walk or the event loops, unless the closings or the
        // rounds are used up: a window that keeps coming back, or a loop
        // that does not return.
        if (ueberfaellig || a.geschlossen >= LeerlaufHoechstensSchliessen)
            aufgehalten();
        return;
    }

    a.imBefehl = true;
    const bool endet = aufrufen(sitzung().NurLesen ? a.ausgang.ohneSichernBeenden : a.ausgang.speichernUndBeenden);
    fertig(endet);
}

} // namespace

QString LeerlaufWarnung(double rest)
{
    if (rest < 0)
        rest = 0;
    return QStringLiteral("Automatisches Programmende in ") + zcommon::Dauer_Text(rest) + QStringLiteral("...");
}

QString ProgrammendeNichtGespeichert(const QString& fehler)
{
    return QStringLiteral("Programmende: Adressdatei nicht gespeichert. ") + fehler;
}

UhrAnzeige ZeitTimeOut_Tick()
{
    return ZeitTimeOut_Tick(zplatform::plattform().jetzt());
}

UhrAnzeige ZeitTimeOut_Tick(const QDateTime& jetzt)
{
    Sitzung& s = sitzung();
    UhrAnzeige a;
    a.datum = QLatin1Char(' ') + jetzt.date().toString(QStringLiteral("dd.MM.yyyy")) + QLatin1Char(' ');
    a.zeit = QLatin1Char(' ') + jetzt.time().toString(QStringLiteral("HH:mm")) + QLatin1Char(' ');

    s.LeerlaufZaehler += UhrIntervallMs / 1000;

    const int grenze = s.LeerlaufGrenze;
    if (grenze <= 0)
        return a;
    const double rest = double(grenze) - double(s.LeerlaufZaehler);
    if (rest < LeerlaufWarnzeit)
        a.warnung = LeerlaufWarnung(rest);
    if (s.LeerlaufZaehler >= grenze && !ausstieg().laeuft)
        a.ende = s.NurLesen ? UhrAnzeige::OhneSichernBeenden : UhrAnzeige::SpeichernUndBeenden;
    return a;
}

void Leerlauf_Beenden(const UhrAnzeige& anzeige, LeerlaufAusgang ausgang, bool vonAussen)
{
    Ausstieg& a = ausstieg();
    if (anzeige.ende == UhrAnzeige::Weiter)
        return;
    if (a.laeuft) {
        // A signal during an idle exit: that exit is no longer given up.
        a.vonAussen = a.vonAussen || vonAussen;
        return;
    }
    a.laeuft = true;
    a.imBefehl = false;
    a.vonAussen = vonAussen;
    a.gesichert = false;
    a.sichert = false;
    a.geschlossen = 0;
    a.runden = 0;
    a.ausgang = std::move(ausgang);
    runde();
}

void Leerlauf_WartezeitSetzen(int ms)
{
    g_warteMs = ms;
}

bool Leerlauf_AusstiegLaeuft()
{
    return ausstieg().laeuft;
}

void Leerlauf_Abbrechen()
{
    anhalten();
}

int LeerlaufGrenze_Lesen(const QString& benutzer)
{
    const double wert = zcommon::Val(DateiIni_Lesen(QStringLiteral("TimeOut_") + benutzer));
    if (!(wert > 0))
        return 0;
    if (wert > 2.0e9)
        return 2000000000;
    return int(zcommon::RundenGerade(wert));
}

int LeerlaufGrenze_Lesen()
{
    return LeerlaufGrenze_Lesen(zcommon::Benutzer_Ermitteln());
}

void Fehlerzeile_Schreiben(const QString& text)
{
    const QByteArray zeile =
        (QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')) + QLatin1Char('\n')).toLocal8Bit();
    std::fwrite(zeile.constData(), 1, size_t(zeile.size()), stderr);
    std::fflush(stderr);
}

} // namespace zadressbuch
