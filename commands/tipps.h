#pragma once
// The tip of the day: one tip drawn at random (platform random source) from
// the tips file Tips.Bot of the program folder, avoiding the tips shown most
// recently, whose history the file keeps in [Tips] Zuletzt.

#include <QString>

namespace zbefehle {

// Program folder + "/Tips.Bot".
QString Tips_Datei();

struct Tipp
{
    bool keine = false; // no tips file or "Anzahl" below 1
    int nummer = 0;
    QString frage; // "Frage" (default "???")
    QString kopf;  // "Header" with "{Major}" replaced (default "Willkommen")
    QString text;  // the tip, prepared for showing
};

// The tip text conventions: trimmed, "~" to two line breaks, "{URL}" to the
// home page, a "." appended unless it ends with ".", "!" or "?".
QString Tipp_Aufbereiten(const QString& roh);

// Draws the next tip and writes the history back. major: the program's major
// version (for "{Major}", formatted "00").
Tipp Tipp_Naechster(const QString& datei, int major);

// "AutoTip" of the program's own section: shown at start-up unless "0".
bool AutoTip_An();
void AutoTip_Setzen(bool an);

} // namespace zbefehle
