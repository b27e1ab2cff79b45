// The main window's start-up: Form_Load in its fixed order, the list's tab
// stops and the actions of the first paint.
#include "addressbook/sitzung.h"
#include "addressbook/start.h"
#include "addressbook/ui/listenansicht.h"
#include "addressbook/ui/main.h"
#include "common/start.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QTimer>
#include <QToolButton>

namespace zadressbuch {

namespace {

// Column stops of the address list in dialog units: Rubrik, Nachname,
// Vorname, Straße, PLZ, Ort, then four columns of 100.
const QVector<int> StandardTabStops = {83, 233, 363, 523, 558, 658, 758, 858, 958, 1058};

// The frames that carry a caption setting ("Rahmen_05" does not exist).
constexpr int RahmenMitBeschriftung[] = {0, 1, 2, 3, 4, 6};

} // namespace

void Main::Form_Load()
{
    StartAblauf a = StartAblauf_Standard(m_argumente);

    // The single-instance guard: a second start asks this window to come to
    // the front; this window releases the guard when the program ends.
    a.setzen(StartSchritt::Instanz, std::function<bool()>([this] {
                 if (zcommon::Instanz_Pruefen())
                     return false;
                 m_haeltInstanz = true;
                 zcommon::Instanz_Aktivierung([this] {
                     if (isMinimized())
                         showNormal();
                     show();
                     raise();
                     activateWindow();
                 });
                 return true;
             }));
    a.setzen(StartSchritt::Uhr, std::function<void()>([this] {
                 ZeitTimeOut_Timer();
                 ZeitTimeOut->start();
             }));
    a.setzen(StartSchritt::MenuePopUp, std::function<void()>([this] { mnuPopUp()->menuAction()->setVisible(false); }));
    a.setzen(StartSchritt::TkAnlage, std::function<void()>([this] {
                 QAction* eintrag = aktion(QStringLiteral("mnuExportTKAnlage"));
                 const QString anlage = TkAnlage_Name();
                 if (anlage.isEmpty())
                     eintrag->setVisible(false);
                 else
                     eintrag->setText(QString(eintrag->text()).replace(QLatin1Char('*'), anlage));
             }));
    a.setzen(StartSchritt::DokumentSymbol,
             std::function<void()>([this] { befSymbol(46)->setVisible(DokumentSymbol_Zeigen()); }));
    a.setzen(StartSchritt::Bezeichnungen, std::function<void()>([this] { Bezeichnungen_Anwenden(); }));
    a.setzen(StartSchritt::Rahmen, std::function<void()>([this] {
                 for (int n : RahmenMitBeschriftung)
                     Rahmen(n)->setTitle(Rahmen_Lesen(n, Rahmen(n)->title()));
             }));
    // The hand-over file of this run starts afresh.
    a.setzen(StartSchritt::Uebergabe,
             std::function<void()>([this] { m_befehle.ausfuehren(Ablaufschritt::Start_Uebergabe, *this); }));
    a.setzen(StartSchritt::Vorlagen, std::function<void()>([this] {
                 if (Vorlagen_Pruefen().isEmpty())
                     aktion(QStringLiteral("mnuDocErstellen"))->setVisible(false);
             }));
    a.setzen(StartSchritt::KarteLeeren, std::function<void()>([this] { Karte_Leeren(); }));
    a.setzen(StartSchritt::Status,
             std::function<void()>([this] { panel(QStringLiteral("Status"), QStringLiteral("Bereit")); }));
    a.setzen(StartSchritt::Logo, std::function<void()>([this] { Logo_Laden(); }));
    a.setzen(StartSchritt::TabStops, std::function<void()>([this] { Liste_TabStopsSetzen(); }));
    a.setzen(StartSchritt::DatenLaden, std::function<void()>([this] { Daten_Laden(); }));
    a.setzen(StartSchritt::Einstellungen, std::function<void()>([this] { Einstellungen_Anwenden(); }));
    a.setzen(StartSchritt::Suche, std::function<void()>([this] { Suche_Aus_Befehlszeile(); }));

    // A step that lets events run (a box, a configuration job waited for)
    // may bring an exit from outside: it waits until the start has returned,
    // so it never ends a window half started (nor saves before the load).
    m_startLaeuft = true;
    const bool weiter = a.ausfuehren();
    m_startLaeuft = false;
    m_startProtokoll = a.protokoll();
    if (!weiter) {
        // A configuration job asked to end, or another instance runs (it has
        // been asked to come to the front).
        Programm_Beenden();
    }
}

void Main::Karte_Leeren()
{
    for (int i = 0; i < FeldAnzahl; ++i)
        setFeldText(i, QString());
    TxtSuche->clear();
}

void Main::Logo_Laden()
{
    const QString datei = Logo_Datei();
    QPixmap bild;
    if (datei.isEmpty() || !bild.load(datei)) {
        ImgLogo->clear();
        ImgLogo->hide();
        return;
    }
    if (bild.height() > ImgLogo->height() || bild.width() > ImgLogo->width())
        bild = bild.scaled(ImgLogo->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    ImgLogo->setPixmap(bild);
    ImgLogo->show();
}

void Main::Suche_Aus_Befehlszeile()
{
    const QString text = kommandozeile().suche;
    if (text.isEmpty())
        return;
    // The search after the start looks from the first address on, not from
    // the remembered one, so it finds the first address holding the text.
    m_startSuche = true;
    TxtSuche->setText(text);
    // Ticked as a click does it: caption and search delay.
    checkSuche->setChecked(true);
    checkSuche_Click();
}

void Main::Liste_TabStopsSetzen()
{
    Liste->delegate()->setTabStops(StandardTabStops);
    Liste->doItemsLayout();
    Liste->viewport()->update();
}

void Main::Form_Paint()
{
    const ErsterAnstrich e = ErsterAnstrich_Aktionen();
    if (e.dateiAuswahl)
        befehlAusfuehren(Befehl::PulOeffnen);
    if (e.tipp && !m_beendet)
        befehlAusfuehren(Befehl::mnuTips);
}

void Main::paintEvent(QPaintEvent* e)
{
    QMainWindow::paintEvent(e);
    if (m_ersterPaint) {
        m_ersterPaint = false;
        // Dialogs of the first paint open after the paint has finished.
        QTimer::singleShot(0, this, &Main::Form_Paint);
    }
}

} // namespace zadressbuch
