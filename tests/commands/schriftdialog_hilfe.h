#pragma once
// Picks a colour in the program's font dialog as a user does: the colour
// button opens the colour dialog, whose OK button takes the colour.

#include "commands/modal_hilfe.h"
#include "commands/ui/schriftdialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QPushButton>

// True when the colour dialog came up.
inline bool farbeImDialogWaehlen(zbefehle::SchriftDialog& d, const QColor& farbe)
{
    return mitModalDialog<QColorDialog>([&] { d.befFarbe->click(); },
                                        [&](QColorDialog& c) {
                                            c.setCurrentColor(farbe);
                                            c.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
                                        });
}
