#include "common/ui/farbwahl.h"

#include "common/ui/hilfetaste.h"

#include <QColorDialog>

namespace zcommon {

QColor Farbe_Waehlen(const QColor& start, QWidget* form, const QString& titel)
{
    QColorDialog dialog(start, form);
    dialog.setWindowTitle(titel);
    // The desktop's own colour dialog would not pass F1 on.
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    HilfeTaste_Uebernehmen(&dialog, form);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedColor() : QColor();
}

} // namespace zcommon
