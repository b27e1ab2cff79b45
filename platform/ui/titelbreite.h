#pragma once
// A box as wide as its title: the window manager cuts a title that does not
// fit the window's width ("Absenderze... hlagsfenster"), so the program's
// message and input boxes take at least the width their title needs.

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

} // namespace zplatform
