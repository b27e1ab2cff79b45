// The program's one font: menus, dialogs, message boxes and forms all get the
// font the forms are laid out for, not the desktop's fonts for each kind.
#include "app/zusammenbau.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <gtest/gtest.h>

TEST(Schrift, EineSchriftFuerMenuesDialogeMeldungenUndFormulare)
{
    const QFont vorher = QApplication::font();
    // As a desktop theme does: its own font for menus and message boxes.
    QFont fremd(QStringLiteral("Liberation Serif"));
    fremd.setPointSizeF(13);
    QApplication::setFont(fremd, "QMenu");
    QApplication::setFont(fremd, "QMessageBox");

    zapp::Schrift_Einrichten();
    QMenu menue;
    QMenuBar leiste;
    QMessageBox meldung;
    QDialog dialog;
    auto* feld = new QLineEdit(&dialog);
    for (const QWidget* w : {static_cast<const QWidget*>(&menue), static_cast<const QWidget*>(&leiste),
                             static_cast<const QWidget*>(&meldung), static_cast<const QWidget*>(feld)}) {
        EXPECT_EQ(w->font().family(), QStringLiteral("Arial")) << w->metaObject()->className();
        EXPECT_EQ(w->font().pointSizeF(), 8.0) << w->metaObject()->className();
    }
    QApplication::setFont(vorher);
}
