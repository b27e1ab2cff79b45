#pragma once
// The menu commands of a window win over the keys its text boxes keep for
// themselves: a key that is the shortcut of one of the window's enabled menu
// items (Ctrl+V, say) runs that item from every control of the window and
// never reaches the box, which therefore pastes, copies or undoes nothing.

class QWidget;

namespace zcommon {

// For the window and every control it holds now.
void MenueKuerzel_Vorrang(QWidget* fenster);

} // namespace zcommon
