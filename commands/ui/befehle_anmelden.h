#pragma once
// Puts the file and address commands into the main window: registers them as
// the handlers of Main's menu seams (PulAnlegen_Click, PulOeffnen_Click,
// mnuDateiHinzufuegen_Click, PulSichern_Click, mnuDateiBeschreiben_Click,
// mnuSort_Click, PulAbbruch_Click, pulEnde_Click, mnuUndo_Click,
// mnuAdrAnlegen_Click, mnuAdrDuplizieren_Click, mnuAdrLoeschen_Click) and
// installs the hooks of anbindung() that reach Main::instanz() (file chooser,
// progress bar, card, focus, load, caption, the question after a failed save,
// the hand-over files). Call once at start, before the main window's
// Form_Load. anbindung().Einstellungen_Sichern is left to the caller.

namespace zbefehle {

void Befehle_Anmelden();
// Removes the handlers and hooks again (tests).
void Befehle_Abmelden();

} // namespace zbefehle
