#pragma once
// Scripting a modal dialog from a test: the steps run on the first modal
// dialog of type T that shows up while `ausloesen` runs. A dialog the steps
// leave open is closed after five seconds rather than hang the test.

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

#include <functional>

template <class T> bool mitModalDialog(const std::function<void()>& ausloesen, const std::function<void(T&)>& schritte)
{
    bool gezeigt = false;
    QTimer wache;
    wache.setInterval(5);
    QElapsedTimer uhr;
    uhr.start();
    QObject::connect(&wache, &QTimer::timeout, [&] {
        T* d = qobject_cast<T*>(QApplication::activeModalWidget());
        if (d && !gezeigt) {
            gezeigt = true;
            schritte(*d);
            return;
        }
        if (uhr.elapsed() > 5000) {
            if (auto* offen = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                offen->done(QDialog::Rejected);
        }
    });
    wache.start();
    ausloesen();
    wache.stop();
    return gezeigt;
}
