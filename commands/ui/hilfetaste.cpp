#include "commands/ui/hilfetaste.h"

#include "common/programme.h"

#include <QShortcut>
#include <QWidget>

namespace zbefehle {

void HilfeTaste_Anmelden(QWidget* form)
{
    auto* taste = new QShortcut(QKeySequence(Qt::Key_F1), form);
    taste->setContext(Qt::WindowShortcut);
    QObject::connect(taste, &QShortcut::activated, form, [] { zcommon::Hilfe_Zeigen(); });
}

} // namespace zbefehle
