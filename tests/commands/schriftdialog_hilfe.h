#pragma once
// Works the program's font dialog as a user does: a colour picked through
// the colour button and the colour dialog; the largest size typed in.

#include "commands/modal_hilfe.h"
#include "commands/ui/schriftdialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

// True when the colour dialog came up.
inline bool farbeImDialogWaehlen(zbefehle::SchriftDialog& d, const QColor& farbe)
{
    return mitModalDialog<QColorDialog>([&] { d.befFarbe->click(); },
                                        [&](QColorDialog& c) {
                                            c.setCurrentColor(farbe);
                                            c.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
                                        });
}

// What the dialog showed while its largest size was chosen.
struct GroessteSchrift
{
    bool gezeigt = false;         // the dialog came up
    bool durchgestrichen = false; // "Durchgestrichen" was ticked when it came
    QSize vorher;                 // the dialog's size before the choice
    QSize nachher;                // and after it, laid out again
    int probe = 0;                // the sample's size in points after the choice
};

// Opens the dialog, types its largest size into "Grad" and presses OK.
inline GroessteSchrift groessteSchriftWaehlen(const std::function<void()>& oeffnen)
{
    GroessteSchrift g;
    g.gezeigt = mitModalDialog<zbefehle::SchriftDialog>(oeffnen, [&](zbefehle::SchriftDialog& d) {
        g.durchgestrichen = d.strgDurchgestrichen->isChecked();
        QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        g.vorher = d.size();
        d.txtGroesse->setFocus();
        d.txtGroesse->selectAll();
        QTest::keyClicks(d.txtGroesse, QString::number(d.txtGroesse->maximum()));
        QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        g.nachher = d.size();
        g.probe = d.bezVorschau->font().pointSize();
        d.befOk->click();
    });
    return g;
}
