#pragma once
// The application's main event loop, run through here so that a window knows
// the level at which it runs: a window may be made before the loop runs (a
// splash shows itself with a turn of pending events, in which its timer may
// fire on a slow display), and the loop runs it all the same.

#include <QCoreApplication>

#include <functional>

namespace zplatform {

// Runs the main loop (exec: the application's exec, QApplication::exec for
// one with windows), noting the loop level it runs at until it returns;
// returns its exit code.
int Hauptschleife_Ausfuehren(const std::function<int()>& exec = &QCoreApplication::exec);

// The event-loop level of the running main loop (QThread::loopLevel() inside
// it, not counting the loops of dialogs, menus and drags it runs); -1 while
// it does not run (before it starts, after it returned, in tests that run
// their windows without it).
int Hauptschleife_Ebene();

} // namespace zplatform
