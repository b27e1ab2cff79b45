#pragma once
// Termination signals (logout, shutdown, kill) turned into an ordinary event:
// the handler only writes a byte, and the given step runs from the event loop.

#include <QObject>

#include <functional>

namespace zplatform {

// Catches SIGTERM, SIGHUP and SIGINT for the whole run; beimSignal runs in the
// event loop of the thread of `besitzer` (which owns what is set up here),
// once for the signals that came since it last ran. The handler never
// blocks, however many signals come while the event loop is busy.
// False when the signals could not be caught.
bool Beendensignale_Abfangen(QObject* besitzer, std::function<void()> beimSignal);

} // namespace zplatform
