#pragma once
// What the file and address commands ask of the main window and of the file
// chooser. The commands are plain functions on the address list; the main
// window installs these hooks once when it is built (File::anbinden() installs
// Datei_Waehlen). A hook that is not set is skipped, so tests set only what
// they watch.

#include <QString>
#include <functional>

namespace zbefehle {

// What a command hands the file chooser: the proposed name (may carry a folder
// and an extension; only its base name is shown), the extension ("Dat", with
// or without "."), load or save mode and the folder.
struct DateiWahl
{
    QString vorschlag;
    QString kuerzel;
    bool laden = true;
    QString ordner;
};

struct Anbindung
{
    // The file chooser: the full path of the chosen file, "" after a cancel.
    std::function<QString(const DateiWahl&)> Datei_Waehlen;

    // Progress bar: 0..100 shows it at that value, -1 hides it.
    std::function<void(int)> Fortschritt;
    // Adresse_Anzeigen: shows the selected entry of the list on the card with
    // its panels (after a command changed the entry in place).
    std::function<void()> Adresse_Anzeigen;
    // The input focus goes to a card field.
    std::function<void(int)> Feld_Fokus;
    // Loading the file named by sitzung().AdressDateiName with the main
    // window's part (Main::Daten_Laden: Daten_Laden, the remembered list
    // position, tab stops, read-only mode, idle limit, caption, "Bereit").
    // Without it: zadressbuch::Daten_Laden and the remembered position.
    std::function<bool()> Daten_Laden;
    // The window caption from sitzung().Beschreibung (+ " - nur Leserechte").
    std::function<void()> Titel_Setzen;
    // Einstellungen_Sichern: stores the window and card settings (exit).
    std::function<void()> Einstellungen_Sichern;
    // Adresse_Uebergeben: writes the document hand-over files for the shown
    // address (exit). Without it zmasken::Adresse_Uebergeben gets the selected
    // entry; the main window passes its card and the remark selection.
    std::function<void()> Adresse_Uebergeben;
    // The question after a failed save at the exit (Main::Beenden_Trotz_Fehler):
    // true = end anyway. Without it the commands ask their own question.
    std::function<bool()> Beenden_Trotz_Fehler;
};

Anbindung& anbindung();

} // namespace zbefehle
