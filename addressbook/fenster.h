#pragma once
// What the commands of every part of the program may ask of the main window.
// The main window (addressbook/ui/main.h) implements it; a command handler
// receives it with every call, and tests use the real window or a small fake.
// Nothing else reaches from a command into the window.

#include <QString>
#include <QStringList>

namespace zadressbuch {

class Fenster
{
public:
    virtual ~Fenster() = default;

    // ---- the card ----------------------------------------------------------
    // Shows the selected list entry on the card with its panels.
    virtual void Adresse_Anzeigen() = 0;
    // Stores the card into the selected list entry (0 stamps field 16 with
    // today's date, any other value leaves it).
    virtual void Adresse_Uebernehmen(int DatumBehalten) = 0;
    virtual QString FeldText(int feld) const = 0;
    // Sets a field's text on the card as the user's input (the list is not
    // touched: store the card). The field keeps its input limit: what does not
    // fit is left out.
    virtual void setFeldText(int feld, const QString& text) = 0;
    // Puts a text in place of a part of a field's text (laenge characters from
    // anfang, a line break counted as its CR LF) as the user's input: what
    // does not fit is left out of the text put in, the rest of the field stays.
    virtual void FeldEinsetzen(int feld, int anfang, int laenge, const QString& text)
    {
        const QString alt = FeldText(feld);
        setFeldText(feld, alt.left(anfang) + text + alt.mid(anfang + laenge));
    }
    // The selected part of a field's text.
    virtual QString FeldSelText(int feld) const = 0;
    // Puts the input focus into a card field.
    virtual void Feld_Fokus(int feld) = 0;
    // Reads the card captions from the settings again (after a caption changed).
    virtual void Bezeichnungen_Anwenden() = 0;

    // ---- status and progress -------------------------------------------------
    // The status-bar panel "Status", painted at once. tipp: the panel's
    // tooltip (the whole path of a file the text names by its name); a text
    // without one clears it.
    virtual void Status(const QString& text, const QString& tipp = QString()) = 0;
    // Progress bar: 0..100 shows it at that value, -1 hides it.
    virtual void Fortschritt(int wert) = 0;

    // ---- the address file -------------------------------------------------------
    // Loads sitzung().AdressDateiName with the window's part: the remembered
    // list position, tab stops, read-only mode, idle limit, caption, "Bereit".
    virtual bool Daten_Laden() = 0;
    // Releases the open address file (its reservation).
    virtual void Daten_Schliessen() = 0;
    // Decides read-only mode again and applies it to card, menus and caption.
    virtual void ReadOnlySet() = 0;
    // The window caption from the description (+ " - nur Leserechte").
    virtual void Titel_Setzen() = 0;

    // ---- settings -------------------------------------------------------------
    // Stores the window and card settings (exit).
    virtual void Einstellungen_Sichern() = 0;
    // Applies the window and card settings again (after the settings dialog).
    virtual void Einstellungen_Anwenden() = 0;

    // ---- pick list and questions --------------------------------------------------
    // The one pick list: shows the entries (sorted), single (einzeln) or
    // multiple choice, modally; returns the chosen entries, none after a cancel.
    virtual QStringList Auswahl_Zeigen(const QStringList& eintraege, bool einzeln) = 0;
    // Proposals for an e-mail or web field in the pick list; the pick is
    // appended and the card stored.
    virtual void Auswahl_eMail(int feld) = 0;

    // ---- the end ------------------------------------------------------------------
    // After a failed save at the exit: asks whether to end anyway (true = end).
    virtual bool Beenden_Trotz_Fehler() = 0;
    // Ends the program (the quit command's last step).
    virtual void Programm_Beenden() = 0;
};

} // namespace zadressbuch
