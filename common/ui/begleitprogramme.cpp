#include "common/ui/begleitprogramme.h"

#include "common/programme.h"
#include "platform/plattform.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QObject>

namespace zcommon {

void Begleitprogramme_Menue(const QObject* fenster, const std::function<void(const QString&)>& status,
                            const QString& praefix)
{
    if (!fenster)
        return;
    auto& p = zplatform::plattform();
    // The hourglass goes back to what it was (it may be on already).
    const QCursor* zeiger = QApplication::overrideCursor();
    const bool warAn = zeiger && zeiger->shape() == Qt::WaitCursor;
    if (!warAn)
        p.sanduhr(true);
    if (status)
        status(QStringLiteral("Suche Programme..."));
    const int laufend = Begleitprogramm_Laufend();
    for (int i = 0; i < BegleitprogrammAnzahl; ++i) {
        const QString name = praefix + QString::number(i);
        for (QAction* a : fenster->findChildren<QAction*>(name))
            a->setVisible(i != laufend);
    }
    if (!warAn)
        p.sanduhr(false);
    if (status)
        status(QStringLiteral("Bereit"));
}

} // namespace zcommon
