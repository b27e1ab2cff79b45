#pragma once
// Opening a menu is no leaving of the control the user is in, and closing it
// no entering: the focus reasons of a menu dropped down with the mouse or as
// a context menu, and of the menu bar taking the keyboard focus (Alt alone,
// or Alt with a menu's letter) and giving it back.

#include <Qt>

namespace zcommon {

bool MenueFokus(Qt::FocusReason grund);

} // namespace zcommon
