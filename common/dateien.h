#pragma once
// Folders, paths, files and programs. Paths use "/" inside the program;
// "\" in a path read from a setting is accepted everywhere.

#include <QString>
#include <QStringList>

namespace zcommon {

QString Programm_Ordner();
QString Windows_Ordner();
QString System_Ordner();
QString Temp_Ordner();

// True when the name is a regular file that can be opened for reading
// (case of the name ignored); false for "", for names holding "*" or "?".
bool Datei_Existiert(const QString& name);
// Part of a trimmed path: -2 drive (or "//server"), -1 folder without trailing
// separator, 0 folder with it, 1 base name (up to the first "."), 2 extension,
// 3 file name; other parts give "". "\" and "/" both separate folders.
QString Datei_Teil(const QString& pfad, int teil);
// The file searched along the current, program, Windows and System folders; "" when not found.
QString Datei_Suchen(const QString& name);
// Creates every missing level of the folder; true when it exists afterwards.
bool Verzeichnis_Anlegen(const QString& pfad);
// Copies a file into the temp folder under its own name (replacing an older
// copy there); false when it could not be copied or lies there already.
bool Datei_Sichern(const QString& pfad);
// Moves files to the trash; with sicherung each is first copied into the temp
// folder. A file the trash cannot take is deleted for good only when its copy
// in the temp folder succeeded; otherwise it is kept and a message says so.
void Datei_Loeschen(const QStringList& dateien, bool sicherung);
// Opens the file in the configured text editor ("PrgTxtEdit", section
// "Allgemein"; "NotePad" means the desktop's editor); waits when warten.
bool Text_Bearbeiten(const QString& datei, bool warten = false);
// The path with the case it has on disk (see zplatform::pfadAufloesen).
QString Pfad(const QString& pfad);

} // namespace zcommon
