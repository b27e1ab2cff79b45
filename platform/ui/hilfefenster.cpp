#include "platform/ui/hilfefenster.h"

#include "platform/fensterplatz.h"
#include "platform/plattform.h"
#include "platform/ui/fenstervorn.h"
#include "platform/ui/titelbreite.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLayout>
#include <QMainWindow>
#include <QMoveEvent>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

namespace zplatform {

namespace {

QPointer<HilfeFenster> g_fenster;

void fensterLoeschen()
{
    delete g_fenster.data();
}

// The modal window on top, else the active window, else the program's main
// window, when it is shown and is neither the help nor ausser.
QWidget* fragend(const QWidget* ausser)
{
    const auto passt = [ausser](const QWidget* w) {
        return w && w != ausser && w != g_fenster.data() && w->isVisible();
    };
    for (QWidget* w : {QApplication::activeModalWidget(), QApplication::activeWindow()}) {
        if (passt(w))
            return w;
    }
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow*>(w) && passt(w))
            return w;
    }
    return nullptr;
}

// The widths of a window's frame, as the window system reports them (none
// before it has framed the window).
QMargins rahmenVon(const QWidget& w)
{
    const QWindow* fenster = w.windowHandle();
    const QRect aussen = fenster ? fenster->frameGeometry() : w.frameGeometry();
    const QRect innen = fenster ? fenster->geometry() : w.geometry();
    return QMargins(innen.left() - aussen.left(), innen.top() - aussen.top(), aussen.right() - innen.right(),
                    aussen.bottom() - innen.bottom());
}

} // namespace

bool istHtmlDatei(const QString& pfad)
{
    const QString endung = QFileInfo(pfad).suffix();
    return endung.compare(QLatin1String("html"), Qt::CaseInsensitive) == 0 ||
           endung.compare(QLatin1String("htm"), Qt::CaseInsensitive) == 0;
}

HilfeFenster::HilfeFenster(QWidget* eltern) : QDialog(eltern)
{
    setObjectName(QStringLiteral("HilfeFenster"));
    setWindowTitle(QStringLiteral("Zettlora – Hilfe"));
    setModal(false);
    setSizeGripEnabled(true);

    Anzeige = new QTextBrowser(this);
    Anzeige->setObjectName(QStringLiteral("Anzeige"));
    // Links are followed here: local ones in the window, others by the desktop.
    Anzeige->setOpenLinks(false);
    connect(Anzeige, &QTextBrowser::anchorClicked, this, &HilfeFenster::verweisFolgen);
    connect(Anzeige, &QTextBrowser::sourceChanged, this, [this] {
        const QString titel = Anzeige->documentTitle();
        setWindowTitle(titel.isEmpty() ? QStringLiteral("Zettlora – Hilfe") : titel);
    });

    befSchliessen = new QPushButton(QStringLiteral("&Schließen"), this);
    befSchliessen->setObjectName(QStringLiteral("befSchliessen"));
    befSchliessen->setAutoDefault(false);
    connect(befSchliessen, &QPushButton::clicked, this, &QDialog::close);

    auto* unten = new QHBoxLayout;
    unten->addStretch();
    unten->addWidget(befSchliessen);
    auto* haupt = new QVBoxLayout(this);
    haupt->addWidget(Anzeige, 1);
    haupt->addLayout(unten);

    // Wide enough for the document's lines, high enough to read a good part of it.
    QSize groesse(Anzeige->fontMetrics().averageCharWidth() * 90, Anzeige->fontMetrics().lineSpacing() * 40);
    if (const QScreen* s = QApplication::primaryScreen())
        groesse = groesse.boundedTo(s->availableGeometry().size() * 0.9);
    resize(groesse);

    // Sees the windows of the program open, close and come to the front.
    qApp->installEventFilter(this);
    // ... and how the window manager stacks them.
    stapelBeobachten(*this, [this] { stapelGeaendert(); });
}

HilfeFenster& HilfeFenster::zeigen(const QString& datei, const QString& anker, QWidget* besitzer)
{
    if (!g_fenster) {
        g_fenster = new HilfeFenster;
        qAddPostRoutine(fensterLoeschen);
    }
    HilfeFenster& f = *g_fenster;
    QUrl ziel = QUrl::fromLocalFile(QFileInfo(datei).absoluteFilePath());
    if (!anker.isEmpty())
        ziel.setFragment(anker);
    f.anhaengen(besitzer);
    // Beside the window that asks, unless the user has put it somewhere. (Placed
    // first: a shown window goes to the section at once, in the width it has then.)
    if (!f.m_vomNutzer)
        f.platzieren(f.m_besitzer.data());
    f.oeffnen(ziel);
    if (f.isMinimized())
        f.showNormal();
    f.show();
    f.raise();
    f.activateWindow();
    // The keys scroll the text at once.
    f.Anzeige->setFocus(Qt::OtherFocusReason);
    return f;
}

HilfeFenster* HilfeFenster::offen()
{
    return g_fenster.data();
}

QWidget* HilfeFenster::fragendesFenster()
{
    return fragend(nullptr);
}

void HilfeFenster::oeffnen(const QUrl& ziel)
{
    // The same document again: setSource moves to the section (or to the
    // start) without loading it anew.
    Anzeige->setSource(ziel);
}

void HilfeFenster::anhaengen(QWidget* besitzer, bool ohneAktivieren)
{
    QWidget* neu = besitzer ? besitzer->window() : nullptr;
    if (neu == this || (neu && !neu->isVisible()))
        neu = nullptr;
    m_besitzer = neu;
    // A window that stands in front of another (its transient window) is
    // kept there by the window manager and is not blocked while the other is modal.
    (void)winId();
    QWindow* eigenes = windowHandle();
    QWindow* vorn = neu ? neu->windowHandle() : nullptr;
    if (!eigenes || eigenes->transientParent() == vorn)
        return;
    if (!isVisible()) {
        // The window manager reads the relation when the window is shown.
        eigenes->setTransientParent(vorn);
        return;
    }
    if (vorFensterUmstellen(*eigenes, vorn))
        return;
    // Where the window manager takes the relation only from a window being
    // shown: hidden and shown again where it stood, without taking the focus
    // from the window that has just opened.
    m_umhaengen = true;
    hide();
    eigenes->setTransientParent(vorn);
    const bool still = testAttribute(Qt::WA_ShowWithoutActivating);
    if (ohneAktivieren)
        setAttribute(Qt::WA_ShowWithoutActivating);
    show();
    setAttribute(Qt::WA_ShowWithoutActivating, still);
    m_umhaengen = false;
}

void HilfeFenster::platzieren(const QWidget* frager, bool neu)
{
    // Without a window to stand beside it opens in the middle of the screen.
    const QScreen* schirm = frager ? frager->screen() : nullptr;
    if (!schirm)
        return;
    // Where the window system has put the asking window; a window that has
    // just opened stands where the program put it (the window system may
    // not have heard of that yet).
    const QWindow* fenster = frager->windowHandle();
    const QRect innen = fenster && !neu ? fenster->geometry() : frager->geometry();
    // Its frame (not known before it is first shown) will be as wide as the
    // asking window's, as the window system reports that. A window that has
    // just opened is not framed yet: its frame will be as wide as the help's.
    const QMargins rahmen = rahmenOderEigener(*frager);
    const QRect aussen = innen.marginsAdded(rahmen);
    // Of use as long as the text shows some fifty characters of a line and
    // fifteen lines (the window around it: its button and margins besides).
    layout()->activate();
    const QSize text(Anzeige->fontMetrics().averageCharWidth() * 50, Anzeige->fontMetrics().lineSpacing() * 15);
    const QSize kleinste = text + (size() - Anzeige->size());
    const QRect platz =
        platzDaneben(aussen, size().grownBy(rahmen), kleinste.grownBy(rahmen), schirm->availableGeometry());
    setGeometry(platz.marginsRemoved(rahmen));
    platzErwarten();
}

QMargins HilfeFenster::rahmenOderEigener(const QWidget& fenster) const
{
    // A window not framed yet will get a frame as wide as the shown help's.
    const QMargins rahmen = rahmenVon(fenster);
    return rahmen.isNull() && isVisible() ? rahmenVon(*this) : rahmen;
}

void HilfeFenster::platzErwarten()
{
    // The window system answers with the place it gave the window: the one
    // asked for, or another where the window manager put it (on the way
    // there, while it frames the window, it may report other places).
    m_gewuenschterPlatz = geometry().topLeft();
    m_eigenerPlatz = m_gewuenschterPlatz;
    m_platzOffen = true;
}

void HilfeFenster::platzAngekommen()
{
    // The window system has answered once the window stands where it was
    // put: what it reports from then on are moves by the user.
    if (m_platzOffen && geometry().topLeft() == m_gewuenschterPlatz)
        m_platzOffen = false;
}

void HilfeFenster::moveEvent(QMoveEvent* e)
{
    QDialog::moveEvent(e);
    // The window system's reports of a shown window; the program's own moves
    // are reported as well (not spontaneous).
    if (!e->spontaneous() || !isVisible())
        return;
    if (m_platzOffen) {
        m_eigenerPlatz = e->pos(); // the window manager's answer
        platzAngekommen();
    } else if (e->pos() != m_eigenerPlatz) {
        m_vomNutzer = true;
    }
}

void HilfeFenster::stapelGeaendert()
{
    // The window manager has stacked the window the help belongs to over it
    // (as it may when it raises a modal window): the help goes on top again.
    const QWidget* vorn = m_besitzer.data();
    if (!isVisible() || !vorn || !vorn->isVisible() || !windowHandle() || !vorn->windowHandle())
        return;
    if (!stehtUeber(*windowHandle(), *vorn->windowHandle()))
        raise();
}

void HilfeFenster::modalGeoeffnet(QWidget* fenster)
{
    // Still in front of the window that the help belongs to, which the new
    // window blocks: the help goes over to the new window.
    if (!isVisible() || fenster == this || fenster == m_besitzer.data() || isAncestorOf(fenster))
        return;
    anhaengen(fenster, true);
    raise();
}

void HilfeFenster::fensterGeoeffnet(QWidget* fenster)
{
    if (!isVisible() || fenster == this || isAncestorOf(fenster) || !hatTitelleiste(*fenster))
        return;
    // Looked at once the window stands where it opens: under a window manager
    // when it comes to the front (the window manager places it, and until then
    // the window may report a place it never stands at); elsewhere once it is
    // shown where the program puts it.
    m_neuesFenster = fenster;
    if (fensterverwaltungDa())
        return;
    const QPointer<QWidget> neu = fenster;
    QTimer::singleShot(0, this, [this, neu] {
        if (neu && neu == m_neuesFenster.data()) {
            m_neuesFenster = nullptr;
            nichtVerdecken(neu.data());
        }
    });
}

void HilfeFenster::nichtVerdecken(QWidget* fenster)
{
    if (!fenster || !isVisible() || !fenster->isVisible())
        return;
    const QMargins rahmen = rahmenOderEigener(*fenster);
    // Where the program put it: the window system may not have heard of that yet.
    const QRect neu = fenster->geometry().marginsAdded(rahmen);
    const QRect hilfe = windowHandle() ? windowHandle()->frameGeometry() : frameGeometry();
    if (!hilfe.intersects(neu))
        return; // where the user put it
    // Beside the new window, as when it asks for help. (A help the user had
    // moved stays where it now stands when a window asks for it later.)
    platzieren(fenster, true);
    raise();
}

bool HilfeFenster::eventFilter(QObject* o, QEvent* e)
{
    if (!o->isWidgetType()) {
        // On the screen: the window manager has done with the placing,
        // unless the window is still on its way there.
        if (e->type() == QEvent::Expose && o == windowHandle() && windowHandle()->isExposed())
            platzAngekommen();
        return QDialog::eventFilter(o, e);
    }
    auto* w = static_cast<QWidget*>(o);
    switch (e->type()) {
    case QEvent::KeyPress:
        // The user works on: what the window system had to answer to the
        // placing has come, and the next move of the help is the user's.
        m_platzOffen = false;
        break;
    case QEvent::Show:
        if (w->isWindow() && !e->spontaneous()) {
            if (w->isModal())
                modalGeoeffnet(w);
            fensterGeoeffnet(w);
        }
        break;
    case QEvent::Hide:
        if (w == m_besitzer.data() && !e->spontaneous()) {
            // The window the help belonged to goes: the window it stood in front
            // of (or the modal window now on top) takes the help over.
            QWidget* nachfolger = w->parentWidget() ? w->parentWidget()->window() : nullptr;
            if (!nachfolger || nachfolger == this || !nachfolger->isVisible())
                nachfolger = fragend(w);
            anhaengen(nachfolger, true);
            if (isVisible())
                raise();
        }
        break;
    case QEvent::MouseButtonPress:
        m_platzOffen = false;
        [[fallthrough]];
    case QEvent::WindowActivate:
        if (w == this)
            platzAngekommen(); // given the focus: likewise
        if (e->type() == QEvent::WindowActivate && w == m_neuesFenster.data()) {
            m_neuesFenster = nullptr;
            nichtVerdecken(w);
        }
        // The window it belongs to came to the front, or was clicked into
        // while it had the focus already: a window manager may have stacked it
        // over the help. The help goes on top again and leaves the focus where
        // it is. (Each widget of a window that comes to the front hears of
        // it: the window itself stands for them all.)
        if (m_besitzer && isVisible() &&
            (e->type() == QEvent::WindowActivate ? w == m_besitzer.data() : w->window() == m_besitzer.data()))
            raise();
        break;
    default:
        break;
    }
    return QDialog::eventFilter(o, e);
}

void HilfeFenster::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    // Where the window manager puts a window it shows is no move of the user.
    platzErwarten();
    // Shown again where it stood, unless it is placed anew.
    setAttribute(Qt::WA_Moved);
}

void HilfeFenster::hideEvent(QHideEvent* e)
{
    QDialog::hideEvent(e);
    // Closed by the user: back to the window that asked for the help. A window
    // manager does that itself (the focus goes back to the window that had it
    // before); asking it as well races with it and may leave no window of the
    // program with the focus.
    if (!e->spontaneous() && !m_umhaengen && m_besitzer && m_besitzer->isVisible() && !fensterverwaltungDa())
        m_besitzer->activateWindow();
}

void HilfeFenster::verweisFolgen(const QUrl& ziel)
{
    const QUrl voll = Anzeige->source().resolved(ziel);
    if (voll.isLocalFile()) {
        // An anchor of this document, or another local document.
        if (istHtmlDatei(voll.toLocalFile()) && QFileInfo::exists(voll.toLocalFile()))
            Anzeige->setSource(voll);
        return;
    }
    plattform().adresseOeffnen(voll.toString());
}

} // namespace zplatform
