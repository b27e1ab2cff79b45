#include "common/ui/menuefokus.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace zcommon {

namespace {

// A control waiting for the menu bar (or whatever took the focus with the
// menu bar's reason) to hand the focus on. It lives as a child of the
// control and ends with the first decision.
class MenueWarten : public QObject
{
    Q_OBJECT
public:
    MenueWarten(QWidget* steuerelement, QWidget* leiste, std::function<void()> verlassen)
        : QObject(steuerelement), m_steuerelement(steuerelement), m_leiste(leiste), m_verlassen(std::move(verlassen))
    {
        leiste->installEventFilter(this);
        steuerelement->installEventFilter(this);
    }
    ~MenueWarten() override { filterLoesen(); }

    // Ends an earlier wait of the same control (it cannot be waiting twice).
    static void abloesen(QWidget* steuerelement)
    {
        for (MenueWarten* alt : steuerelement->findChildren<MenueWarten*>(Qt::FindDirectChildrenOnly))
            alt->beenden();
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (!m_aktiv)
            return false;
        if (o == m_leiste && e->type() == QEvent::KeyPress) {
            // Tab on the menu bar moves on from the control as Tab in the
            // control itself does: the control gets the focus back (not
            // left), then the key, which leaves it the ordinary way.
            const auto* k = static_cast<QKeyEvent*>(e);
            if (m_steuerelement && (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) &&
                !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
                const QPointer<QWidget> steuerelement = m_steuerelement;
                steuerelement->setFocus(Qt::MenuBarFocusReason);
                if (steuerelement && steuerelement->hasFocus()) {
                    QKeyEvent taste(QEvent::KeyPress, k->key(), k->modifiers(), k->text());
                    QCoreApplication::sendEvent(steuerelement, &taste);
                }
                return true;
            }
        } else if (o == m_steuerelement && e->type() == QEvent::FocusIn) {
            // The control has the focus again, by whatever way: not left.
            beenden();
        } else if (o == m_leiste && e->type() == QEvent::FocusOut) {
            const Qt::FocusReason r = static_cast<QFocusEvent*>(e)->reason();
            if (r == Qt::PopupFocusReason || r == Qt::ActiveWindowFocusReason)
                return false; // a menu dropped down, or the window in the background: still waiting
            // The new focus widget is set before the old one hears of it.
            const bool zurueck = QApplication::focusWidget() == m_steuerelement;
            const std::function<void()> verlassen = std::move(m_verlassen);
            beenden();
            if (!zurueck && verlassen)
                verlassen();
        }
        return false;
    }

private:
    void filterLoesen()
    {
        if (m_leiste)
            m_leiste->removeEventFilter(this);
        if (m_steuerelement)
            m_steuerelement->removeEventFilter(this);
    }
    void beenden()
    {
        if (!m_aktiv)
            return;
        m_aktiv = false;
        filterLoesen();
        deleteLater();
    }

    QPointer<QWidget> m_steuerelement;
    QPointer<QWidget> m_leiste;
    std::function<void()> m_verlassen;
    bool m_aktiv = true;
};

} // namespace

bool MenueFokus(Qt::FocusReason grund)
{
    return grund == Qt::PopupFocusReason || grund == Qt::MenuBarFocusReason;
}

void Beim_Verlassen(QWidget* steuerelement, const QFocusEvent* e, std::function<void()> verlassen)
{
    if (!steuerelement || !e)
        return;
    switch (e->reason()) {
    case Qt::PopupFocusReason:
        return;
    case Qt::MenuBarFocusReason: {
        MenueWarten::abloesen(steuerelement);
        QWidget* leiste = QApplication::focusWidget();
        if (leiste && leiste != steuerelement)
            new MenueWarten(steuerelement, leiste, std::move(verlassen));
        return;
    }
    default:
        MenueWarten::abloesen(steuerelement);
        if (verlassen)
            verlassen();
        return;
    }
}

} // namespace zcommon

#include "menuefokus.moc"
