#pragma once
// The font dialog for fonts that are printed. It lists the system's fonts;
// a Windows font the system lacks ("Arial", "Courier New", "Times New Roman")
// is shown as the Liberation font that prints in its place, and that font
// comes back under the Windows name, so settings and masks keep the names
// the print routines and other installations know.

#include <QFont>
#include <QString>

class QWidget;

namespace zplatform {

// Shows the dialog with schrift preselected; on OK schrift holds the choice
// and true comes back, after a cancel schrift stays as it was.
bool druckSchriftWaehlen(QWidget* eltern, QFont& schrift, const QString& titel);

} // namespace zplatform
