// The clock timer ZeitTimeOut: date and time in the status bar, the idle
// warning and the idle exit, which closes what was left open first.
#include "addressbook/adressdatei.h"
#include "addressbook/adressliste.h"
#include "addressbook/karte.h"
#include "addressbook/leerlauf.h"
#include "addressbook/listenlauf.h"
#include "addressbook/sitzung.h"
#include "addressbook/ui/main.h"
#include "platform/hauptschleife.h"
#include "platform/ordner.h"
#include "platform/plattform.h"
#include "platform/ui/titelbreite.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QThread>
#include <QTimer>


namespace zadressbuch {

namespace {

// The open address file as the messages name it.
QString dateiAnzeige()
{
    return QDir::toNativeSeparators(zplatform::pfadAufloesen(sitzung().AdressDateiName));
}

} // namespace

void Main::ZeitTimeOut_Timer()
{
    const UhrAnzeige a = ZeitTimeOut_Tick();
    panel(QStringLiteral("Datum"), a.datum);
    panel(QStringLiteral("Zeit"), a.zeit);
    if (!a.warnung.isEmpty())
        panel(QStringLiteral("Status"), a.warnung);
    leerlaufWarnungZeigen(a.warnung);
    leerlaufAusstieg(a.ende);
}

// Where the user is: the active window of the program (a form in front of
// the main window, a box), or the window in front when the program is in
// the background; its title is the warning until the next key, click or
// tick without one. The main window shows the warning in its status panel,
// unless that holds a failed exit's save.
void Main::leerlaufWarnungZeigen(const QString& warnung)
{
    QWidget* ziel = nullptr;
    if (!warnung.isEmpty()) {
        ziel = QApplication::activeWindow();
        if (!ziel)
            ziel = QApplication::activeModalWidget();
        if (ziel == this && !m_endeNichtGespeichert)
            ziel = nullptr;
    }
    if (m_warnFenster && m_warnFenster != ziel) {
        // A title the window changed meanwhile is its own.
        if (m_warnFenster->windowTitle() == m_warnTitel)
            m_warnFenster->setWindowTitle(m_warnTitelVorher);
        m_warnFenster = nullptr;
    }
    if (!ziel)
        return;
    if (m_warnFenster != ziel || ziel->windowTitle() != m_warnTitel) {
        m_warnFenster = ziel;
        m_warnTitelVorher = ziel->windowTitle();
    }
    // The warning alone: the window manager cuts a longer title, often in the
    // middle. The window keeps its size: the warning goes with the next key.
    m_warnTitel = warnung;
    zplatform::titelVoruebergehendZeigen(*ziel, m_warnTitel);
}

// Called for every event of the program (the window's application-wide
// filter); only input from the keyboard and the mouse counts, not the
// events the program sends itself.
void Main::leerlaufEingabe(const QEvent* ereignis)
{
    switch (ereignis->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        if (!ereignis->spontaneous())
            return;
        break;
    case QEvent::InputMethod: // text from an input method comes without a key
        break;
    default:
        return;
    }
    sitzung().LeerlaufZaehler = 0;
    if (m_warnFenster)
        leerlaufWarnungZeigen(QString());
}

void Main::Programmende_Von_Aussen()
{
    if (m_beendet)
        return;
    leerlaufAusstieg(sitzung().NurLesen ? UhrAnzeige::OhneSichernBeenden : UhrAnzeige::SpeichernUndBeenden, true);
}

void Main::leerlaufAusstieg(UhrAnzeige::Ende ende, bool vonAussen)
{
    if (ende == UhrAnzeige::Weiter)
        return;
    UhrAnzeige a;
    a.ende = ende;
    const QPointer<Main> fenster(this);
    Leerlauf_Beenden(a,
                     {[fenster] { return fenster && fenster->leerlaufFensterSchliessen(); },
                      [fenster] { return fenster && fenster->leerlaufFensterOffen(); },
                      [fenster] { return fenster && fenster->leerlaufSpeichernUndBeenden(); },
                      [fenster] { return fenster && fenster->leerlaufOhneSichernBeenden(); },
                      [fenster] { return !fenster || fenster->leerlaufSofortSpeichern(); }},
                     vonAussen);
}

// The innermost open window, as Esc or its close box would close it: the
// platform's boxes with the answer that changes nothing, a popup menu, the topmost modal
// dialog through its own close handler (the form's cancel).
bool Main::leerlaufFensterSchliessen()
{
    if (zplatform::plattform().offeneBoxenSchliessen() > 0)
        return true;
    if (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
        return true;
    }
    if (QWidget* dialog = QApplication::activeModalWidget(); dialog && dialog != this) {
        dialog->close();
        return true;
    }
    return false;
}

// A dialog closed from inside its own exec() has not returned yet while its
// event loop still runs: the exit waits until the loops are back at the
// window's own level.
// A command that let events run (after its dialog returned, in a loop) goes
// on afterwards and uses the window: the exit waits until it has returned;
// so does the start-up (Form_Load).
bool Main::leerlaufFensterOffen() const
{
    return QApplication::activePopupWidget() || QApplication::activeModalWidget() ||
           QThread::currentThread()->loopLevel() > schleifenEbene() || m_befehlTiefe > 0 || m_startLaeuft;
}

// On a slow display the splash's timer makes the window in the turn of events
// with which the splash shows itself, before the main loop runs (level 0);
// the main loop runs it one level deeper all the same.
int Main::schleifenEbene() const
{
    const int haupt = zplatform::Hauptschleife_Ebene();
    return haupt >= 0 ? haupt : m_schleifenEbene;
}

// Save and exit with nobody there to answer: the exit command runs with index
// 1, so a failed save keeps the program running without a question.
bool Main::leerlaufSpeichernUndBeenden()
{
    if (m_beendet)
        return true;
    befehlAusfuehren(Befehl::PulEnde, 1);
    if (!m_beendet && sitzung().Geaendert == 1 && !sitzung().SpeicherFehler.isEmpty())
        endeNichtGespeichert();
    return m_beendet;
}

// The exit closed the save's message at once; nobody may have seen it.
void Main::endeNichtGespeichert()
{
    const QString fehler = sitzung().SpeicherFehler;
    m_endeNichtGespeichert = true;
    panel(QStringLiteral("Status"), QString()); // the panel puts the failed save in
    Fehlerzeile_Schreiben(QStringLiteral("Zettlora: Programmende abgebrochen, die Adressdatei »%1« ist nicht gespeichert: %2")
                    .arg(dateiAnzeige(), fehler));
    // Shown again once the exit has given up, and left for the user (a
    // later exit closes it again).
    QTimer::singleShot(0, this, [this, fehler] {
        if (!m_beendet && !Leerlauf_AusstiegLaeuft() && sitzung().SpeicherFehler == fehler)
            Speicherfehler_Melden(fehler);
    });
}

bool Main::leerlaufOhneSichernBeenden()
{
    if (m_beendet)
        return true;
    befehlAusfuehren(Befehl::PulAbbruch);
    return m_beendet;
}

// The end from outside is held up (a drag, a window, a loop that does not
// return): what was typed is not left to a kill that may follow.
bool Main::leerlaufSofortSpeichern()
{
    if (m_beendet)
        return true;
    if (ListeWirdVeraendert::aktiv())
        return false; // a change of the list is half done: not now
    const QString datei = dateiAnzeige();
    QString zustand;
    if (sitzung().NurLesen) {
        zustand = QStringLiteral("Die Adressdatei »%1« ist nur zum Lesen geöffnet.").arg(datei);
    } else {
        Abweichende_Karte_Uebernehmen();
        if (sitzung().Geaendert == 1)
            befehlAusfuehren(Befehl::PulSichern);
        if (m_beendet)
            return true;
        zustand =
            sitzung().Geaendert == 1
                ? QStringLiteral("Die Adressdatei »%1« ist nicht gespeichert: %2").arg(datei, sitzung().SpeicherFehler)
                : QStringLiteral("Die Adressdatei »%1« ist gespeichert.").arg(datei);
    }
    Fehlerzeile_Schreiben(QStringLiteral("Zettlora: Programmende aufgehalten, ein offenes Fenster oder Ziehen mit der Maus hält "
                               "es auf; es folgt, sobald das vorbei ist. ") +
                zustand);
    return true;
}

} // namespace zadressbuch
