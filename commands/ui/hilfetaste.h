#pragma once
// F1 in a dialog opens the program's help document.

class QWidget;

namespace zbefehle {

void HilfeTaste_Anmelden(QWidget* form);

} // namespace zbefehle
