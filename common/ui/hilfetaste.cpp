#include "common/ui/hilfetaste.h"

#include "common/programme.h"

#include <QShortcut>
#include <QWidget>

namespace zcommon {

namespace {

// The section a window's F1 opens, kept on the window.
const char* const AbschnittEigenschaft = "zettloraHilfeAbschnitt";

} // namespace

void HilfeTaste_Anmelden(QWidget* form, const QString& abschnitt)
{
    form->setProperty(AbschnittEigenschaft, abschnitt);
    auto* taste = new QShortcut(QKeySequence(Qt::Key_F1), form);
    taste->setObjectName(QStringLiteral("HilfeTaste"));
    taste->setContext(Qt::WindowShortcut);
    QObject::connect(taste, &QShortcut::activated, form, [abschnitt] { Hilfe_AbschnittZeigen(abschnitt); });
}

void HilfeTaste_Anmelden(QWidget* form, int thema)
{
    HilfeTaste_Anmelden(form, Hilfe_Abschnitt(thema));
}

void HilfeTaste_Uebernehmen(QWidget* fenster, const QWidget* form)
{
    for (const QWidget* w = form ? form->window() : nullptr; w;
         w = w->parentWidget() ? w->parentWidget()->window() : nullptr) {
        const QVariant abschnitt = w->property(AbschnittEigenschaft);
        if (abschnitt.isValid()) {
            HilfeTaste_Anmelden(fenster, abschnitt.toString());
            return;
        }
    }
}

} // namespace zcommon
