#pragma once
// The settings-file editor's lists. A settings file is read here as plain
// text, not through the settings layer, so the lists show what the file
// holds: every section header (a line whose first character is "[" and whose
// first "]" is its last character; nothing trimmed), and every line holding
// "=" below the header of the chosen section (comment lines too), listed by
// the text before its first "=". Names come back capitalised by Gross_Klein;
// names that stand twice are listed twice.

#include <QString>
#include <QStringList>

namespace zbefehle {

// The section name of a header line, or a null string when the line is none.
QString SetupSpeziell_Kopf(const QString& zeile);

QStringList SetupSpeziell_Abschnitte(const QStringList& zeilen);
// The keys of the section (compared without regard to case) in file order.
QStringList SetupSpeziell_Schluessel(const QStringList& zeilen, const QString& abschnitt);

// The same, read from the file line by line (a huge file is never held
// whole); a missing or unreadable file gives an empty list, *vorhanden says
// whether the file exists.
QStringList SetupSpeziell_Abschnitte(const QString& datei, bool* vorhanden);
QStringList SetupSpeziell_Schluessel(const QString& datei, const QString& abschnitt, bool* vorhanden);

// The names as the editor's lists show them: sorted without regard to case,
// equal names in the order they came.
QStringList SetupSpeziell_Sortiert(QStringList namen);

// The two files the editor offers by itself: Zizorud.ini and KontPrn.ini of
// the Windows folder.
QStringList SetupSpeziell_Dateien();

} // namespace zbefehle
