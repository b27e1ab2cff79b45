#pragma once
// Opening a menu is no leaving of the control the user is in, and closing it
// no entering: the focus reasons of a menu dropped down with the mouse or as
// a context menu, and of the menu bar taking the keyboard focus (Alt alone,
// or Alt with a menu's letter) and giving it back.
//
// The leaving rule of every control that acts on being left: a control that
// gave the keyboard focus to the menu bar waits. When the focus goes on from
// the menu bar to another control (a click), the control was left then; when
// the menu bar gives the focus back to it, it was not. Tab on the menu bar
// moves on from the control as Tab in the control does. A menu dropped down
// from the bar and the window going to the background keep it waiting.

#include <Qt>

#include <functional>

class QFocusEvent;
class QWidget;

namespace zcommon {

bool MenueFokus(Qt::FocusReason grund);

// Called with the control's focus-out: runs verlassen now when the focus went
// to another control, never for a menu dropped down, and for the menu bar
// taking the focus only once the focus goes on from it to another control.
void Beim_Verlassen(QWidget* steuerelement, const QFocusEvent* e, std::function<void()> verlassen);

} // namespace zcommon
