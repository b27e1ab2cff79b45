#pragma once
// The entry field of the payment forms, the filling of their boxes with what
// the program itself puts there, and the pieces every payment print shares:
// the question when no amount was entered and the print-options step.
//
// A Zahlungsfeld is wide enough for the characters it holds, shows the
// beginning of a long text, selects its whole text when entered (the cursor
// at the start), moves on with Enter, and, by its kind, turns a typed "." into "," (amounts), keeps the payer
// list's separators out (payer fields) or inserts date, time and a running
// number (purpose lines). Opening a menu neither leaves nor enters it; after
// Alt it is left when the focus goes on from the menu bar to another control.

#include "platform/drucker.h"

#include <QLineEdit>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

class QAction;
class QComboBox;
class QMenuBar;
class QPushButton;
class QRadioButton;

class QComboBox;
class QWidget;

namespace zzahlung {

class Zahlungsfeld : public QLineEdit
{
    Q_OBJECT
public:
    enum Art : int {
        Einfach = 0,
        EnterWeiter = 1,  // Enter moves on to the next control
        Zahler = 2,       // ";" -> ",", "|" -> "-"
        Dezimalpunkt = 4, // "." -> ","
        Verwendung = 8,   // Ctrl+D date, Ctrl+U time, Ctrl+\ (Ctrl+#) running number
    };

    Zahlungsfeld(const QString& name, int art, int maxLaenge, QWidget* eltern = nullptr);

Q_SIGNALS:
    // Entered (before its text is selected) and left; a menu opened and
    // closed meanwhile is neither (zcommon::Beim_Verlassen).
    void betreten();
    void verlassen();

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    int m_art;
};

// A text the program puts into the box shows its beginning, however long it
// is (the cursor goes to its start); what the user types stays where it is.
void Anfang_Zeigen(QLineEdit* feld);

// What a payment form itself puts into its boxes (card, settings, payer
// list, stored records): each value trimmed, then cut to its box; the values
// that were still cut are named in one message per filling, titled with the
// form's caption. What the form's load cut is told once the form is first on
// the screen. What the user types is never touched.
class Kastenfuellung : public QObject
{
public:
    explicit Kastenfuellung(QWidget* form);

    // Puts the value into the box; a cut is noted under the box's caption.
    void Wert_Eintragen(QLineEdit* feld, const QString& wert, const QString& bezeichnung);
    // Tells the user once which values were cut since the last message.
    void Kuerzungen_Melden();

private:
    QWidget* m_form;
    QStringList m_gekuerzt;
};

// Runs schritt once, as soon as the form is first on the screen (after its
// show, so that a message stands over the form).
void Nach_Dem_Zeigen(QWidget* form, std::function<void()> schritt);

// Enter pressed in any of the form's controls (and in an editable combo box)
// is swallowed and moves the focus on in tab order.
void Enter_Weiter(QWidget* steuerelement);

// The controls the direct-debit and cash-on-delivery forms share: the form
// type (the laser sheet of that name, or a picture, off until one is found),
// the font choice, the print and back buttons (neither is a default button:
// Enter moves on) and the menu "&Einstellungen" with "Einstellungen jetzt
// &sichern", in a menu bar of the form's own.
struct Formularsteuerung
{
    std::array<QRadioButton*, 2> optFormular{};
    QComboBox* ComboSchrift = nullptr;
    QPushButton* befDrucken = nullptr;
    QPushButton* befAbbrechen = nullptr;
    QMenuBar* leiste = nullptr;
    QAction* mnuSetupSave = nullptr;
};
// laserware: the laser sheet's caption; druckName: the print button's objectName.
Formularsteuerung Formularsteuerung_Anlegen(QWidget* form, const QString& laserware, const QString& druckName);

// The no-amount question: the amount field gets the focus, then "Sie haben
// keinen Betrag eingegeben." (OK, Cancel preselected). True to go on.
bool OhneBetrag_Drucken(QWidget* betragsfeld);

// The print-options step of a payment print: the printer to use and the
// margins in cm, or a cancel.
struct Druckwahl
{
    bool abbruch = true;
    zplatform::Drucker* drucker = nullptr;
    double randX = 0;
    double randY = 0;
    // Ends the job and reports a printer failure; empty: the printer's own end.
    std::function<bool()> beenden;
};
using Druckdialog = std::function<Druckwahl(QWidget* eltern, const QString& job, const QString& titel)>;
// The program's print-options dialog under the job name.
Druckwahl Druckoptionen_Zeigen(QWidget* eltern, const QString& job, const QString& titel);

// Ends the print job; the user is told when the printer refused it. The
// printer's origin and text colour are put back. True when it went out.
bool Druck_Beenden(const Druckwahl& w);

} // namespace zzahlung
