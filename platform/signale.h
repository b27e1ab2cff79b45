#pragma once
// Termination signals (logout, shutdown, kill) turned into an ordinary event:
// the handler only writes a byte, and the given step runs from the event loop.

#include <QObject>

#include <functional>

namespace zplatform {

// Catches SIGTERM, SIGHUP and SIGINT for the whole run. Called first thing in
// main, before any Qt object exists: from then on no such signal ends the
// program by its default action; one that comes before a step is attached
// (Beendensignale_Verbinden) waits for it. A hang-up or an interrupt that was
// ignored when the program was started (nohup, a background job) stays
// ignored. A second call changes nothing. False when the signals could not
// be caught.
bool Beendensignale_Abfangen();

// Attaches the step: beimSignal runs in the event loop of the thread of
// `besitzer` (which owns what is set up here), once for the signals that came
// since it last ran, the first time also for those caught before this call.
// Catches the signals first where that has not been done. The handler never
// blocks, however many signals come while the event loop is busy. False when
// the signals could not be caught or a step is attached already.
bool Beendensignale_Verbinden(QObject* besitzer, std::function<void()> beimSignal);

} // namespace zplatform
