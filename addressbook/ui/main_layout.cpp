// The main window's resize rules (in twips) and its close request.
#include "addressbook/layout.h"
#include "addressbook/listenlauf.h"
#include "addressbook/sitzung.h"
#include "addressbook/ui/main.h"
#include "addressbook/ui/main_intern.h"

#include <QCloseEvent>
#include <QPointer>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

namespace zadressbuch {

namespace {

// The height the status bar had in the design; the rules count the client
// area with it, so the list ends where this platform's status bar begins.
constexpr int StatusBarHoehe = 255;

} // namespace

int Main::clientOben() const
{
    return centralWidget() ? centralWidget()->y() : 0;
}

void Main::Form_Resize()
{
    using intern::lesen;
    using intern::platzieren;
    using intern::twips;

    const QWidget* mitte = centralWidget();
    const int oben = clientOben();

    MainLayout l;
    l.Liste = lesen(Liste);
    l.Rahmen0 = lesen(Rahmen(0));
    l.Rahmen1 = lesen(Rahmen(1));
    l.Rahmen4 = lesen(Rahmen(4));
    l.Feld7 = lesen(Feld(Telefon));
    l.Feld8 = lesen(Feld(Telefax));
    l.Feld14 = lesen(Feld(EMail));
    l.Feld12 = lesen(Feld(Mobiltelefon));
    l.Feld13 = lesen(Feld(Datentelefon));
    l.Feld22 = lesen(Feld(Www));
    l.Bez12 = lesen(Bezeichnung1(Mobiltelefon));
    l.Bez13 = lesen(Bezeichnung1(Datentelefon));
    l.Bez22 = lesen(Bezeichnung1(Www));
    l.Feld20 = lesen(Feld(Geburtstag));
    l.Feld11 = lesen(Feld(Bemerkung));
    l.befZoom = lesen(befZoom);
    l.befZoomSichtbar = !befZoom->isHidden();
    l.ProgressBar = lesen(ProgressBar, oben);

    const QRect aussen = frameGeometry();
    const int W = twips(aussen.width());
    const int H = twips(aussen.height());
    const int IW = twips(mitte->width());
    const int IH = twips(mitte->height()) + StatusBarHoehe;
    const MainLayout n = zadressbuch::Form_Resize(l, W, H, IW, IH);
    if (n == l)
        return;

    platzieren(Liste, n.Liste);
    platzieren(Rahmen(1), n.Rahmen1);
    platzieren(Rahmen(4), n.Rahmen4);
    platzieren(Feld(Telefon), n.Feld7);
    platzieren(Feld(Telefax), n.Feld8);
    platzieren(Feld(EMail), n.Feld14);
    platzieren(Feld(Mobiltelefon), n.Feld12);
    platzieren(Feld(Datentelefon), n.Feld13);
    platzieren(Feld(Www), n.Feld22);
    platzieren(Bezeichnung1(Mobiltelefon), n.Bez12);
    platzieren(Bezeichnung1(Datentelefon), n.Bez13);
    platzieren(Bezeichnung1(Www), n.Bez22);
    platzieren(Feld(Bemerkung), n.Feld11);
    platzieren(befZoom, n.befZoom);
    befZoom->setVisible(n.befZoomSichtbar);
    platzieren(ProgressBar, n.ProgressBar, oben);
}

void Main::resizeEvent(QResizeEvent* e)
{
    QMainWindow::resizeEvent(e);
    Form_Resize();
}

void Main::Form_QueryUnload()
{
    Befehl befehl = Befehl::PulEnde;
    switch (zadressbuch::Form_QueryUnload(sitzung().NurLesen)) {
    case SchliessAktion::OhneSichern:
        befehl = Befehl::PulAbbruch;
        break;
    case SchliessAktion::SichernUndEnde:
        break;
    case SchliessAktion::Keine:
        return;
    }
    // Without the file commands (a window built alone) there is nothing to save.
    if (!m_befehle.angemeldet(befehl)) {
        Daten_Schliessen();
        Programm_Beenden();
        return;
    }
    befehlAusfuehren(befehl);
}

void Main::closeEvent(QCloseEvent* e)
{
    // Closing never asks and is never refused by this handler: the commands
    // end the program themselves (only a failed save keeps it running).
    if (m_beendet) {
        e->accept();
        return;
    }
    if (m_schliesst) {
        e->ignore();
        return;
    }
    // A walk over the list (a check, a search) lets events run: the exit
    // waits until it has returned, so it saves what the walk stored.
    if (ListenLauf::nachLaufAufschieben([fenster = QPointer<Main>(this)] {
            if (fenster)
                fenster->close();
        })) {
        e->ignore();
        return;
    }
    m_schliesst = true;
    Form_QueryUnload();
    m_schliesst = false;
    if (m_beendet)
        e->accept();
    else
        e->ignore();
}

} // namespace zadressbuch
