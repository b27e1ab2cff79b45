#include "common/ui/menuekuerzel.h"

#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

namespace zcommon {

namespace {

class KuerzelVorrang : public QObject
{
public:
    explicit KuerzelVorrang(QWidget* fenster) : QObject(fenster), m_fenster(fenster) {}

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::ShortcutOverride || !istMenueKuerzel(static_cast<QKeyEvent*>(e)))
            return QObject::eventFilter(o, e);
        // Left unaccepted, the key goes to the window's shortcut, not to the box.
        e->ignore();
        return true;
    }

private:
    bool istMenueKuerzel(const QKeyEvent* k) const
    {
        const QKeySequence taste(k->keyCombination());
        const QList<QAction*> aktionen = m_fenster->findChildren<QAction*>();
        for (const QAction* a : aktionen) {
            if (a->isEnabled() && !a->shortcut().isEmpty() && a->shortcut().matches(taste) == QKeySequence::ExactMatch)
                return true;
        }
        return false;
    }

    QWidget* m_fenster;
};

} // namespace

void MenueKuerzel_Vorrang(QWidget* fenster)
{
    auto* filter = new KuerzelVorrang(fenster);
    fenster->installEventFilter(filter);
    const QList<QWidget*> steuerelemente = fenster->findChildren<QWidget*>();
    for (QWidget* w : steuerelemente)
        w->installEventFilter(filter);
}

} // namespace zcommon
