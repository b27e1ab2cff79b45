#pragma once
// The program's folders and file lookups without regard to case.
//
// With ZETTLORA_ROOT=<dir>: Windows folder <dir>/windows, System folder
// <dir>/windows/system, program folder <dir>/programm, temp folder <dir>/temp.
// Without it: Windows folder ~/.config/zettlora, System folder
// ~/.config/zettlora/system, program folder ~/.local/share/zettlora, temp
// folder the system's temporary folder. Paths keep their case and carry no
// trailing separator. The folders are created when first asked for.
//
// The user's documents folder (where the program puts what it writes for the
// user, such as PDF files): <dir>/dokumente with ZETTLORA_ROOT (created when
// first asked for); without it the desktop's documents folder when it exists,
// else the home folder (neither is ever created).

#include <QString>
#include <QStringList>

namespace zplatform {

QString windowsOrdner();
QString systemOrdner();
QString programmOrdner();
QString tempOrdner();
QString dokumenteOrdner();

// Copies the installed default files into the program folder; files that are
// there already are never overwritten, except help documents an earlier
// version installed and nobody changed since (platform/hilfedokumente.h).
void programmOrdnerBefuellen();
// The same from a given folder (recursively); false when something could not
// be copied or a help document that was due could not be replaced.
bool programmOrdnerBefuellen(const QString& quelle);
// Folder of the installed default files ("" when none is found).
QString vorgabenOrdner();

// Forget the folders worked out so far (tests change ZETTLORA_ROOT).
void ordnerZuruecksetzen();

// Turns "\" into "/" (paths in settings may be written either way).
QString normalPfad(const QString& pfad);

// The path as it exists on disk, each component matched without regard to
// case; components that do not exist keep the spelling asked for. So an
// existing "Duridovi.ini" is found for "DurIdovi.ini", and a new file is
// created with the spelling given.
QString pfadAufloesen(const QString& pfad);

// Names (not paths) of the files in a folder whose names match the pattern
// ("*", "?") without regard to case, sorted case-insensitively.
QStringList dateienListen(const QString& ordner, const QString& muster = QStringLiteral("*"));

} // namespace zplatform
