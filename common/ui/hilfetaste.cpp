#include "common/ui/hilfetaste.h"

#include "common/programme.h"

#include <QShortcut>
#include <QWidget>

namespace zcommon {

void HilfeTaste_Anmelden(QWidget* form, const QString& abschnitt)
{
    auto* taste = new QShortcut(QKeySequence(Qt::Key_F1), form);
    taste->setObjectName(QStringLiteral("HilfeTaste"));
    taste->setContext(Qt::WindowShortcut);
    QObject::connect(taste, &QShortcut::activated, form, [abschnitt] { Hilfe_AbschnittZeigen(abschnitt); });
}

void HilfeTaste_Anmelden(QWidget* form, int thema)
{
    HilfeTaste_Anmelden(form, Hilfe_Abschnitt(thema));
}

} // namespace zcommon
