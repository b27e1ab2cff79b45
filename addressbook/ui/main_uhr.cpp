// The clock timer ZeitTimeOut: date and time in the status bar, the idle
// warning and the idle exit.
#include "addressbook/layout.h"
#include "addressbook/leerlauf.h"
#include "addressbook/ui/main.h"

#include <QApplication>

namespace zadressbuch {

void Main::ZeitTimeOut_Timer()
{
    const UhrAnzeige a = ZeitTimeOut_Tick(QApplication::activeModalWidget() != nullptr);
    panel(QStringLiteral("Datum"), a.datum);
    panel(QStringLiteral("Zeit"), a.zeit);
    if (!a.warnung.isEmpty())
        panel(QStringLiteral("Status"), a.warnung);
    Leerlauf_Beenden(
        a, [this] { return leerlaufSpeichernUndBeenden(); }, [this] { return leerlaufOhneSichernBeenden(); });
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
