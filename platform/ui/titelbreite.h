#pragma once
// A window as wide as its title: the window manager cuts a title that does
// not fit the window's width ("Absenderze... hlagsfenster"). Every window of
// the program takes at least the width its title needs when it is shown and
// when its title changes (a watcher over the whole application, set up by
// every start); message and input boxes, which fix their own size while they
// are shown, get that width into their layout.

#include <QString>

class QDialog;
class QWidget;

namespace zplatform {

// The width in pixels a window needs for its title to show whole in the title
// bar: the title in the bold title-bar font, and room for the window's icon and
// the window manager's buttons. At most the width of the window's screen.
int titelBreite(const QWidget& fenster, const QString& titel);

// Gives the dialog's layout at least the width its title needs. The dialog's
// own size calculation (a message box fixes its size when it is shown) starts
// from its layout, so the width holds there too. Call it once the dialog's
// layout is complete.
void titelRaumGeben(QDialog& dialog);

// A window with a title bar of its own that the user works in: not a menu,
// a tool tip, a splash screen or a frameless window.
bool hatTitelleiste(const QWidget& fenster);

// Sets the watcher up for every window of the application, the program's own
// and Qt's. Called once the application object exists, before the first
// window opens: by the program's start and by each test program's.
void titelWaechterEinrichten();

// Widens a shown window with a frame to the width its title needs (a window
// of fixed width gets that width fixed). Maximised and full-screen windows,
// popups, tool tips and windows without a frame stay as they are, and so does
// a window while it shows a title set by titelVoruebergehendZeigen.
void titelPlatzMachen(QWidget& fenster);

// Shows titel in the window's title bar for a while (a warning), leaving the
// window's size and place as they are: the window manager may cut that title.
// The window's own title, set again with setWindowTitle, counts as before.
void titelVoruebergehendZeigen(QWidget& fenster, const QString& titel);

} // namespace zplatform
