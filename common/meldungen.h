#pragma once
// Messages, sounds and the central error report.

#include "platform/plattform.h"

#include <QString>

namespace zcommon {

// Plays a named sound: "#SystemHand", "#SystemQuestion", "#SystemExclamation",
// "#SystemAsterisk", or a wave file (played when it exists, skipped silently).
void Ton_Ausgeben(const QString& name);
// A message box: "~" becomes a line break; returns the platform's result
// (vbOK 1 ... vbNo 7). Plays no sound: callers call Ton_Ausgeben first.
// With a help topic (Hilfethema, programme.h) the box has a Help button that
// opens the help at that topic and leaves the box open. schliessen names the
// answer that changes nothing when the program closes the box (a termination
// signal, the idle exit), where it is not the box's sichereAntwort.
int MsgBox(const QString& text, int stil = 0, const QString& titel = QStringLiteral("Zettlora"), int hilfeThema = 0,
           zplatform::Schliessantwort schliessen = {});
// Sound, then message box.
int Meldung(const QString& ton, const QString& text, int stil, const QString& titel = QStringLiteral("Zettlora"),
            int hilfeThema = 0, zplatform::Schliessantwort schliessen = {});
// Input box; "~" becomes a line break; cancel gives "". A help topic as with MsgBox.
QString InputBox(const QString& prompt, const QString& titel = QStringLiteral("Zettlora"),
                 const QString& vorgabe = QString(), int hilfeThema = 0);
// The same for a path or a file name, whose letters stay as typed.
QString PfadInputBox(const QString& prompt, const QString& titel, const QString& vorgabe);

// A value inserted into a message text (a file name, a path, a typed text):
// its "~" stays a "~" in the box instead of becoming a line break.
QString Woertlich(const QString& wert);

// The central error report: 0 at once for number 0; otherwise records the
// error in section "Fehler" of Zizorud.ini, plays "#SystemHand", shows it
// with a hint and the question "Möchten Sie die Meldung ausdrucken?" (Yes, No,
// Cancel; No preselected), prints the protocol after Yes; returns 2 after
// Cancel and 5 otherwise. A report while one is shown returns 5 at once.
int Fehler_Melden(int nummer, const QString& text, const QString& position = QString());

} // namespace zcommon
