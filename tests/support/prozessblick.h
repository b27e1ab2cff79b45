#pragma once
// A look into another process of the tests: which files it holds open, so a
// test knows for certain that the process stands waiting at a lock.

#include <QString>

// Whether the process holds the file standing under the name open for
// appending (waiting for its append lock, or writing to it).
bool haeltZumAnhaengen(qint64 pid, const QString& datei);

// How the process takes the signal now, as the system lists it: its default
// action, ignored (SIG_IGN) or caught by a handler of its own.
enum class Signalart { Standard, Ignoriert, Abgefangen };
Signalart signalArt(qint64 pid, int signal);
