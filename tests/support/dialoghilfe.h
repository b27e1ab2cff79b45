#pragma once
// Runs test steps on a modal dialog once it is shown (the dialog's own event
// loop runs them).

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>

// To be called when steps on a modal dialog or menu have returned: a failed
// ASSERT among them returns before they answer it, and the test program would
// wait in its event loop until the time-out. The dialog (or menu) is closed
// instead, so the test fails at once.
inline void nachAbbruchSchliessen(QWidget* w)
{
    if (!w || !w->isVisible() || !::testing::Test::HasFatalFailure())
        return;
    // A message box without a Cancel button ignores a close: done() ends it all the same.
    if (auto* d = qobject_cast<QDialog*>(w))
        d->done(QDialog::Rejected);
    else
        w->close();
}

// Runs schritte on the modal dialog of type T once it is shown.
template <typename T> void amDialog(const std::function<void(T&)>& schritte)
{
    auto* versuch = new QTimer;
    versuch->setInterval(10);
    QObject::connect(versuch, &QTimer::timeout, [versuch, schritte] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<T*>(w); d && d->isVisible()) {
                versuch->stop();
                versuch->deleteLater();
                QPointer<QWidget> offen = d;
                schritte(*d);
                nachAbbruchSchliessen(offen);
                return;
            }
    });
    versuch->start();
}

// Runs aktion on the modal window once one is shown (a message or input box
// of the desktop platform, a dialog). A failed ASSERT in it closes the window.
inline void wennOffen(const std::function<void(QWidget*)>& aktion)
{
    QTimer::singleShot(0, [aktion] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) {
            wennOffen(aktion);
            return;
        }
        const QPointer<QWidget> offen = w;
        aktion(w);
        nachAbbruchSchliessen(offen);
    });
}

// The button of the box with this caption ("&" of access keys left out), or null.
inline QAbstractButton* knopfMitText(QMessageBox& box, const QString& text)
{
    for (QAbstractButton* b : box.buttons())
        if (b->text().remove(u'&') == text)
            return b;
    return nullptr;
}
