#include "common/ui/menuefokus.h"

namespace zcommon {

bool MenueFokus(Qt::FocusReason grund)
{
    return grund == Qt::PopupFocusReason || grund == Qt::MenuBarFocusReason;
}

} // namespace zcommon
