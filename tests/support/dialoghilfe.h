#pragma once
// Runs test steps on a modal dialog once it is shown (the dialog's own event
// loop runs them).

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

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
                schritte(*d);
                return;
            }
    });
    versuch->start();
}
