#pragma once
// Clicks and keys as the user gives them, and what the user then sees of the
// windows, on either platform the window tests run on:
// - offscreen (the default): input goes to the window straight away; no
//   window manager stacks or focuses windows.
// - under a window manager (QT_QPA_PLATFORM=xcb with a DISPLAY, e.g. Xvfb
//   and openbox): input goes through the X server (xdotool, XTest), so the
//   window manager sees each click and focuses and stacks windows as for a
//   user, and a key reaches the window that has the focus; the stacking
//   order and the active window are read from the root window (xprop).
//   xdotool and xprop must be installed then.

#include <QList>
#include <QPoint>
#include <QString>
#include <QWidget>

namespace nutzer {

// True when the tests run under a window manager of X11.
bool unterX11();

// A click with the left button at punkt (in fenster's coordinates). Under X11
// it waits until the window manager has given that window the focus (and
// fails the test when it does not).
void klicken(QWidget& fenster, QPoint punkt);

// The user brings the window to the front, as from the task bar (a window
// manager may keep a window that a program opens in the background).
void nachVorneHolen(QWidget& fenster);

// A key pressed and released. Offscreen it goes to fenster's window (there to
// its focused control); under X11 to whichever window has the focus.
void taste(QWidget& fenster, Qt::Key taste);
// The same with Alt held down (a menu's letter).
void mitAlt(QWidget& fenster, Qt::Key taste);
// The same with Ctrl held down (a command's shortcut).
void mitStrg(QWidget& fenster, Qt::Key taste);

// The window manager raises the window (as it does when the program asks it
// once more to activate it); under X11 it returns once that is done.
void vomFensterverwalterAngehoben(QWidget& fenster);

// Text that reaches a text control without a key, at punkt of ziel (a line
// edit, or the viewport of a text box):
// - a paste with the middle mouse button: the text is the X selection. Where
//   the platform has no selection (offscreen) the control takes the text at
//   the button's release as it takes the selection there (the line edit at
//   its cursor, the text box where the button was released);
// - a drop of a text dragged from another program;
// - an input method's commit (at the control's cursor; punkt unused).
void mittelklickEinfuegen(QWidget* ziel, QPoint punkt, const QString& text);
void textFallenLassen(QWidget* ziel, QPoint punkt, const QString& text);
void eingabemethodeUebergeben(QWidget* ziel, const QString& text);

// Under X11 only: the user presses the left button at von (in fenster's
// coordinates), moves the mouse in small steps over the points and lets go
// at the last one, through the X server (a drag that Qt runs, to its end).
void ziehenX11(QWidget& fenster, QPoint von, const QList<QPoint>& ueber);
// Under X11: a press and release of the left button where the mouse stands,
// sent without waiting (it ends a drag that runs its own event loop).
void loslassenX11();

// Under X11: the windows as the window manager stacks them, from the bottom
// to the top, and the window it has given the focus (0 when none).
QList<WId> stapelX11();
WId aktivX11();

// Under X11: true when oben stands over unten in the stacking order.
bool ueberX11(const QWidget& oben, const QWidget& unten);

} // namespace nutzer
