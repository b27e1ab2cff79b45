#pragma once
// The window a user works in, given back once the windows that a piece of
// work showed meanwhile (its dialogs, message and input boxes) have closed.
//
// When a window closes, the window manager gives the focus to some other
// window, mostly the one the closed window stood in front of. That is not
// always the window the user works in: a box that a dialog shows just before
// the dialog closes itself (the result of an import, an export) hands the
// focus to the dialog, which is gone a moment later, and the window manager
// may then leave the focus with the closed dialog or give it to no window at
// all. So the window is made active again by the program itself, with the
// focus on the control that had it.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace zplatform {

class FensterRueckgabe : public QObject
{
public:
    // Notes the focused control of fenster and, from now on, the windows
    // that are shown (dialogs and boxes; no menus, pop-ups or tooltips).
    explicit FensterRueckgabe(QWidget& fenster);
    ~FensterRueckgabe() override;
    FensterRueckgabe(const FensterRueckgabe&) = delete;
    FensterRueckgabe& operator=(const FensterRueckgabe&) = delete;

    // When a window shown since has closed and no modal window is open now,
    // while fenster is shown: fenster becomes the active window again, with
    // the focus on the control that had it last (the one noted at the start
    // when that one can no longer take it). True when it asked for that.
    bool zurueckgeben();

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    QPointer<QWidget> m_fenster;
    QPointer<QWidget> m_fokus;
    QList<QPointer<QWidget>> m_gezeigt;
};

} // namespace zplatform
