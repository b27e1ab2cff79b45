// The clock timer ZeitTimeOut: date and time in the status bar, the idle
// warning and the idle exit, which closes what was left open first.
#include "addressbook/leerlauf.h"
#include "addressbook/sitzung.h"
#include "addressbook/ui/main.h"
#include "platform/plattform.h"

#include <QApplication>
#include <QPointer>
#include <QThread>

namespace zadressbuch {

void Main::ZeitTimeOut_Timer()
{
    const UhrAnzeige a = ZeitTimeOut_Tick();
    panel(QStringLiteral("Datum"), a.datum);
    panel(QStringLiteral("Zeit"), a.zeit);
    if (!a.warnung.isEmpty())
        panel(QStringLiteral("Status"), a.warnung);
    leerlaufAusstieg(a.ende);
}

void Main::Programmende_Von_Aussen()
{
    leerlaufAusstieg(sitzung().NurLesen ? UhrAnzeige::OhneSichernBeenden : UhrAnzeige::SpeichernUndBeenden);
}

void Main::leerlaufAusstieg(UhrAnzeige::Ende ende)
{
    if (ende == UhrAnzeige::Weiter)
        return;
    UhrAnzeige a;
    a.ende = ende;
    const QPointer<Main> fenster(this);
    Leerlauf_Beenden(a, {[fenster] { return fenster && fenster->leerlaufFensterSchliessen(); },
                         [fenster] { return fenster && fenster->leerlaufFensterOffen(); },
                         [fenster] { return fenster && fenster->leerlaufSpeichernUndBeenden(); },
                         [fenster] { return fenster && fenster->leerlaufOhneSichernBeenden(); }});
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
bool Main::leerlaufFensterOffen() const
{
    return QApplication::activePopupWidget() || QApplication::activeModalWidget() ||
           QThread::currentThread()->loopLevel() > m_schleifenEbene;
}

// Save and exit with nobody there to answer: the exit command runs with index
// 1, so a failed save keeps the program running without a question.
bool Main::leerlaufSpeichernUndBeenden()
{
    befehlAusfuehren(Befehl::PulEnde, 1);
    return m_beendet;
}

bool Main::leerlaufOhneSichernBeenden()
{
    befehlAusfuehren(Befehl::PulAbbruch);
    return m_beendet;
}

} // namespace zadressbuch
