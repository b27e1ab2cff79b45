#include "platform/ui/fensterrueckgabe.h"

#include <QApplication>
#include <QEvent>

#include <algorithm>

namespace zplatform {

namespace {

// A control of fenster that can take the focus now.
bool nimmtFokus(const QWidget* w, const QWidget* fenster)
{
    return w && w->window() == fenster && w->isVisible() && w->isEnabled() && w->focusPolicy() != Qt::NoFocus;
}

} // namespace

FensterRueckgabe::FensterRueckgabe(QWidget& fenster) : m_fenster(&fenster), m_fokus(fenster.focusWidget())
{
    qApp->installEventFilter(this);
}

FensterRueckgabe::~FensterRueckgabe()
{
    qApp->removeEventFilter(this);
}

bool FensterRueckgabe::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (ereignis->type() != QEvent::Show || !objekt->isWidgetType())
        return false;
    auto* w = static_cast<QWidget*>(objekt);
    const Qt::WindowType art = w->windowType();
    if (w->isWindow() && w != m_fenster && (art == Qt::Window || art == Qt::Dialog) && !m_gezeigt.contains(w))
        m_gezeigt << w;
    return false;
}

bool FensterRueckgabe::zurueckgeben()
{
    QWidget* fenster = m_fenster;
    if (!fenster || !fenster->isVisible() || fenster->isMinimized() || QApplication::activeModalWidget())
        return false;
    if (std::none_of(m_gezeigt.cbegin(), m_gezeigt.cend(),
                     [](const QPointer<QWidget>& w) { return !w || !w->isVisible(); }))
        return false;
    if (!nimmtFokus(fenster->focusWidget(), fenster) && nimmtFokus(m_fokus, fenster))
        m_fokus->setFocus(Qt::ActiveWindowFocusReason);
    fenster->activateWindow();
    return true;
}

} // namespace zplatform
