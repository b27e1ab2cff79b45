#pragma once
// F1 in a window opens the program's help at that window's section, in front
// of the window and usable while it is modal.

#include <QString>

class QWidget;

namespace zcommon {

// F1 opens the help section named by its anchor (see Zettlora.html).
void HilfeTaste_Anmelden(QWidget* form, const QString& abschnitt);
// F1 opens the help at a topic number (Hilfethema).
void HilfeTaste_Anmelden(QWidget* form, int thema);

// F1 in a window that a form opens for a step of its own (the colour dialog)
// opens the help at that form's section: the section of the nearest window,
// from the form outwards, that has one.
void HilfeTaste_Uebernehmen(QWidget* fenster, const QWidget* form);

} // namespace zcommon
