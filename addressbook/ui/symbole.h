#pragma once
// The pictures of the symbol bar. Each button names its picture by a
// freedesktop icon name where the desktop's icon theme has a fitting one
// ("document-open"), otherwise by a name of the program's own ("umschlag").
// The program carries a drawing for every name in its resources
// (":/symbole/<name>.svg"), so a desktop without an icon theme, or a theme
// without that icon, still shows a picture and never a caption.
//
// The drawing "zettlora" is the program's icon: every window shows it, as the
// application's icon, set once when the application object is created.

#include <QIcon>

namespace zadressbuch {

// The theme's icon of that name, else the program's own drawing (an empty
// icon only for a name the program has no drawing for).
QIcon Symbol_Laden(const char* bild);

// The program's own drawing of that name (empty when there is none).
QIcon Symbol_Eigenes(const char* bild);

} // namespace zadressbuch
