#pragma once
// What a file command hands the file chooser, and the chooser as the file
// commands take it: the form File in the program (commands/ui/file.h), a
// script in tests.

#include <QString>
#include <functional>

namespace zbefehle {

// The proposed name (may carry a folder and an extension; only its base name
// is shown), the extension ("Dat", with or without "."), load or save mode and
// the folder.
struct DateiWahl
{
    QString vorschlag;
    QString kuerzel;
    bool laden = true;
    QString ordner;
};

// The full path of the chosen file, "" after a cancel.
using DateiWaehler = std::function<QString(const DateiWahl&)>;

} // namespace zbefehle
