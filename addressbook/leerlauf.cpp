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

namespace zadressbuch {

namespace {

// The idle exit under way: its rounds, what they have done so far and the
// window's part.
struct Ausstieg
{
    bool laeuft = false;
    bool imBefehl = false; // the exit command runs (its boxes are closed, nothing more)
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

void anhalten()
{
    Ausstieg& a = ausstieg();
    a.laeuft = false;
    a.imBefehl = false;
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

void runde()
{
    Ausstieg& a = ausstieg();
    if (!a.laeuft)
        return;
    if (++a.runden > LeerlaufHoechstensRunden) {
        // Something will not close or not return: give up.
        if (a.imBefehl) {
            if (a.takt)
                a.takt->stop();
        } else {
            fertig(false);
        }
        return;
    }
    // Keep the rounds going while a closing below waits in an event loop.
    naechsteRunde(LeerlaufWarteMs);

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
        // Wait for the walk or the event loops, unless the closings are used
        // up: a window that keeps coming back is given up on.
        if (a.geschlossen >= LeerlaufHoechstensSchliessen)
            fertig(false);
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

void Leerlauf_Beenden(const UhrAnzeige& anzeige, LeerlaufAusgang ausgang)
{
    Ausstieg& a = ausstieg();
    if (anzeige.ende == UhrAnzeige::Weiter || a.laeuft)
        return;
    a.laeuft = true;
    a.imBefehl = false;
    a.geschlossen = 0;
    a.runden = 0;
    a.ausgang = std::move(ausgang);
    runde();
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

} // namespace zadressbuch
