#pragma once
// The companion-program entries of the main window's menu.

#include <QString>
#include <functional>

class QObject;

namespace zcommon {

// Shows the hourglass and the status "Suche Programme...", hides the entry of
// the companion-program menu whose program is the running one and shows the
// others, then shows "Bereit". The entries are the actions below fenster
// named praefix + index (0 to 3: "mnuPrg_0" ...); status puts a text into the
// status panel (nothing is shown without it).
void Begleitprogramme_Menue(const QObject* fenster, const std::function<void(const QString&)>& status = {},
                            const QString& praefix = QStringLiteral("mnuPrg_"));

} // namespace zcommon
