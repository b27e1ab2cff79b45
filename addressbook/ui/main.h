#pragma once
// The main window: the address card (24 fields with their captions, in
// frames), the search box, the address list, the status bar with its keyed
// panels, the progress bar, the symbol bar, the menus and the card's popup
// menu. It owns the road of one edit: the list shows the selected address on
// the card (Liste_Click -> Adresse_Anzeigen), every key release in a card
// field stores the card back into the list (Feld_KeyUp -> Adresse_Uebernehmen),
// and loading, saving and closing the address file run through Daten_Laden,
// Daten_Speichern and Daten_Schliessen. The rules themselves live in the
// logic library (karte.h, adressdatei.h, indexnummern.h, dateiini.h); the
// window applies their results to its controls.
//
// The window's own behaviour lives here and in main_*.cpp: start-up in its
// fixed order (main_start.cpp), the text search (main_suche.cpp), the clock
// and the idle exit (main_uhr.cpp), the resize rules and the close request
// (main_layout.cpp), the window settings (main_einstellungen.cpp), the e-mail
// proposals and the fields' pick lists (main_auswahl.cpp).
//
// Handlers whose work belongs to other parts of the program (file chooser,
// sorting, new/duplicate/delete/undo, dialogs) are slots named after the
// handler (PulSichern_Click, mnuSort_Click ...). Each looks up a handler
// registered under its name with Main::handlerSetzen (from a library that
// builds on this one) and runs it; without one it does its own small part, or
// nothing. The exit command "pulEnde_Click" is run with index 1 by the idle
// exit: nobody is there to answer, so a failed save must keep the program
// running without a question.

#include "addressbook/ui/listenansicht.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QSet>
#include <QStringList>

#include <functional>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QTimer;
class QToolButton;

namespace zadressbuch {

class KartenText;
class KartenZeile;
class SuchVerzoegerung;

class Main : public QMainWindow
{
    Q_OBJECT
public:
    // A handler put in place of a seam; index is the menu array's or the
    // field's number (0 where the handler has none).
    using Handler = std::function<void(Main&, int index)>;

    // argumente: the command line without the program name ("Datei=...",
    // "Suche=...", "readonly"). The constructor builds the controls only;
    // Form_Load brings the window to a loaded address file.
    explicit Main(QStringList argumente = QStringList(), QWidget* parent = nullptr);
    ~Main() override;

    // The application's one main window (nullptr while there is none).
    static Main* instanz();

    // Registers (or, with an empty function, removes) the handler of a seam.
    // Registrations hold for the whole run and for every main window.
    static void handlerSetzen(const QString& name, Handler handler);
    static bool hatHandler(const QString& name);

    // The one pick list (the form Auswahl of the commands library, which puts
    // it in place at start): fills its list with the entries (shown sorted),
    // sets single (einzeln) or multiple choice, shows it modally and returns
    // the chosen entries in the list's order, none after a cancel. The card's
    // pick lists (e-mail proposals, the fields' choice lists) offer nothing
    // while none is set.
    using AuswahlZeigen = std::function<QStringList(const QStringList& eintraege, bool einzeln)>;
    static void auswahlSetzen(AuswahlZeigen zeigen);

    // ---- controls --------------------------------------------------------
    QWidget* Feld(int i) const;
    QString FeldText(int i) const;
    // Sets a field's text (only when it differs: the cursor stays).
    void setFeldText(int i, const QString& text);
    int FeldEingabegrenze(int i) const;
    QString FeldSelText(int i) const;
    QLabel* Bezeichnung1(int i) const;
    // Frames 0 to 6 (there is no frame 5).
    QGroupBox* Rahmen(int n) const;
    QToolButton* befSymbol(int index) const;
    // A menu entry or submenu by its name (PulSichern, mnuSort_16, mnuChk ...).
    QAction* aktion(const QString& name) const;
    QMenu* menue(const QString& name) const;
    QMenu* mnuPopUp() const { return m_popup; }

    AdressListenAnsicht* Liste = nullptr;
    QLineEdit* TxtSuche = nullptr;
    QCheckBox* checkSuche = nullptr;
    QLabel* bezInfo2 = nullptr; // bezInfo2(20): the age beside field 20
    QLabel* bezZeit1 = nullptr;
    QLabel* bezZeit2 = nullptr;
    QPushButton* befZoom = nullptr;
    // Lies over the right half of the status bar while long work runs.
    QProgressBar* ProgressBar = nullptr;
    QTimer* ZeitTimeOut = nullptr;
    // Two invisible labels that only carry the fonts "SchriftStd" and "SchriftKom".
    QLabel* BezListeStd = nullptr;
    QLabel* BezListeKom = nullptr;
    // The picture Logo.Bmp of the program folder (hidden without one).
    QLabel* ImgLogo = nullptr;

    // Status-bar panels "Status", "Position", "Unsaved", "Index", "Datum",
    // "Zeit"; a panel's text is shown at once.
    void panel(const QString& schluessel, const QString& text);
    QString panelText(const QString& schluessel) const;
    QLabel* panelLabel(const QString& schluessel) const;

    // ---- state of the window ----------------------------------------------
    // The no-question flag of the delete command: the cut command sets it
    // just before it runs the delete command, which clears it.
    bool KeineFrage = false;
    // The internal address clipboard of the cut command (one record).
    QString AdressZwischenablage;
    // True once the program has been ended (quit command).
    bool beendet() const { return m_beendet; }
    const QStringList& argumente() const { return m_argumente; }
    // The steps of the last Form_Load in the order they ran.
    const QStringList& startProtokoll() const { return m_startProtokoll; }
    // The search-delay timer zeitSuche (333 ms after the last change).
    SuchVerzoegerung* zeitSuche() const { return m_zeitSuche; }

    // ---- operations -------------------------------------------------------
    // Start-up in its fixed order: the common start-up checks, paths and data
    // folder, captions, hand-over file, card, command line, load, window
    // settings, the command line's search. A configuration job or a second
    // instance ends the program here (beendet() is then true).
    void Form_Load();
    // Loads sitzung().AdressDateiName and does the window's part (selection,
    // tab stops, read-only mode, idle limit, caption, "Bereit").
    bool Daten_Laden();
    // Saves when changed (never in read-only mode); false when the save
    // failed (the message was shown and the changed flag stays 1).
    bool Daten_Speichern();
    void Daten_Schliessen();
    // Decides read-only mode again and applies it to card, menus and caption.
    void ReadOnlySet();
    void Adresse_Anzeigen();
    void Adresse_Uebernehmen(int DatumBehalten);
    void Liste_TabStopsSetzen();
    // Selects the remembered entry of the user and file after a load. With
    // nothing selected the card is emptied and the undo copy cleared.
    void ListenPos_Laden();
    void ListenPos_Sichern();
    // Window place and size, resize rules, input options, fonts and the
    // background colour of the card from the settings.
    void Einstellungen_Anwenden();
    // Writes them back (nothing in read-only mode); the exit command calls it.
    void Einstellungen_Sichern();
    // Proposals for an e-mail field in the pick list; the pick is appended.
    void Auswahl_eMail(int feld);
    // The field's pick list (its list file and the values of the field in all
    // addresses, multiple choice); the picks replace the field's text. False
    // when the field offers none.
    bool Feld_Auswahlliste(int feld);
    // The text search: the next address after the selected one holding every
    // word of the search box. shift: the Shift key was down when it was started
    // (ticks the reduced comparison).
    void TextSuche_Starten(bool shift);
    // The window caption: the description, " - nur Leserechte" when read-only.
    void Titel_Setzen();
    // After a failed save: asks whether to end anyway (true = end).
    bool Beenden_Trotz_Fehler();
    // Ends the program (the quit command's last step).
    void Programm_Beenden();

public Q_SLOTS:
    // list
    void Liste_Click();
    void Liste_DblClick();

    // Key preview: the character code of every key typed while the main
    // window is active (27 for Esc) goes to sitzung().LetzteTaste.
    void Form_KeyPress(int KeyAscii);

    // card fields
    void Feld_KeyUp(int index);
    void Feld_Change(int index);
    void Feld_GotFocus(int index);
    void Feld_LostFocus(int index);
    void Feld_DblClick(int index);
    void Feld_MouseDown(int index, const QPoint& global);

    // menu "&Datei"
    void PulAnlegen_Click();
    void PulOeffnen_Click();
    void mnuDateiHinzufuegen_Click();
    void PulSichern_Click();
    void mnuDateiBeschreiben_Click();
    void mnuSort_Click(int index);
    void PulAbbruch_Click();
    void pulEnde_Click();

    // menu "&Adresse"
    void PulBearbeiten_Click();
    void mnuUndo_Click();
    void mnuAdrAnlegen_Click();
    void mnuAdrDuplizieren_Click();
    void mnuAdrLoeschen_Click();
    void mnuAdrAusschneiden_Click();
    void mnuAdrEinfuegen_Click();
    void mnuSonderzeichenEinfg_Click();
    void mnuIndexSetNew_Click();
    void befZoom_Click();
    void mnuAdrImpDINFO99_Click();
    void mnuAdrImpDINFO2000_Click();
    void mnuAdrImpKlickTel98_Click();
    void mnuAdrImpKlickTel1999_Click();

    // menu "&Suchen"
    void mnuSuchenText_Click();
    void mnuSucheBlzBank_Click();
    void mnuSuchePlzOrt_Click();

    // menu "&Prüfen"
    void mnuChkDoppeltes_Click();
    void mnuChkAehnliches_Click();
    void mnuChkEmails_Click();

    // menu "D&rucken"
    void PulBriefumschlag_Click();
    void mnuPrnUmschlagsfenster_Click();
    void PulListe_Click();
    void mnuPrnPersBogen_Click();
    void mnuPrnUeberweisung_Click();
    void mnuPrnLastschrift_Click();
    void mnuPrnNachnahme_Click();
    void PulDruckEinrichten_Click();

    // menus "&Importieren", "&Exportieren", "&Weiterleitung"
    void mnuAdrImpListe_Click();
    void mnuImpZA_Click();
    void PulZAdresse_Click();
    void PulZFax_Click();
    void mnuExportTKAnlage_Click();
    void PulTeleWaehlen_Click();
    void mnuWebStart_Click();
    void mnuDocErstellen_Click();

    // menu "&Vertrieb"
    void mnuVertriebExpZA_Click();
    void mnuVertriebExpFonName_Click();
    void mnuVertriebDel_Click();
    void mnuVJob_Click();

    // menu "&Weiteres"
    void mnuWeiteres_Click();
    void mnuSetup_Click();
    void mnuUebernahmeBlzBank_Click();
    void mnuUebernahmePlzOrt_Click();
    void mnuUebernahmePlzVorwahl_Click();
    void mnuUebernahmeVornAnrede_Click();
    void mnuUebernahmeEmail_Click();
    void mnuStatistikFeldSuche_Click();
    void mnuStatistikPLZ_Click();
    void mnuMaskenEdit_Click();
    void mnuPrg_Click(int index);

    // menu "&Hilfe"
    void PulAnleitung_Click();
    void mnuTips_Click();
    void mnuURLUpdate_Click();
    void PulWerbung_Click();
    void PulInfo_Click();

    // popup menu of the card
    void mnuPopAdrNeu_Click();
    void mnuPopAdrDuplizieren_Click();
    void mnuPopAdrLoeschen_Click();
    void mnuPopWebSite_Click();
    void mnuPopZoom_Click();
    void mnuPopFeldBeschriftungAendern_Click();

    // symbol bar, search, clock, window
    void befSymbol_Click(int index);
    void checkSuche_Click();
    void TxtSuche_Change();
    void ZeitTimeOut_Timer();
    void Form_Resize();
    void Form_Paint();
    // The close request: read-only -> PulAbbruch_Click, else pulEnde_Click.
    void Form_QueryUnload();

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    // Runs the handler registered under the name; false when there is none.
    bool handler(const char* name, int index = 0);
    // Enables the menu entries, popup entries and buttons whose command is
    // there (the window's own, or a registered handler) and that read-only
    // mode leaves on; greys the others, and a (sub)menu without one enabled
    // entry. Runs at construction, on every registration and in ReadOnlySet.
    void eintraegeFreigeben();

    // construction
    void karteAufbauen(QWidget* mitte);
    void feldAnlegen(int i, QWidget* rahmen, int links, int oben, int breite, int hoehe, int bezLinks, int bezOben,
                     int bezBreite);
    void menuesAufbauen();
    void symbolleisteAufbauen(QWidget* mitte);
    void statusleisteAufbauen();
    void popupAufbauen();
    QMenu* menueAnlegen(QMenu* oben, const QString& name, const QString& text);
    QAction* eintrag(QMenu* menue, const QString& name, const QString& text, const QKeySequence& kurz,
                     std::function<void()> handler);
    int feldNummer(QObject* objekt) const;
    bool istMenueKuerzel(const QKeyEvent* e) const;

    // Form_Load's steps of the window
    void Karte_Leeren();
    void Logo_Laden();
    void Suche_Aus_Befehlszeile();
    void Feld_TabStopsAnwenden();

    // search
    void textSuche(bool shift, bool vomAnfang);
    bool suchTastenFilter(QEvent* ereignis);
    // The exit without a registered command: saves (when changed) and ends;
    // after a failed save it asks (fragen) or keeps the program running.
    bool speichernUndBeenden(bool fragen);
    // clock: the idle exit's commands; true when the program ends
    bool leerlaufSpeichernUndBeenden();
    bool leerlaufOhneSichernBeenden();
    // layout: the top of the client area (below the menu bar) in pixels
    int clientOben() const;
    // settings: a field's background and text colour as colour numbers
    qint64 feldHintergrund(int i) const;
    void setFeldHintergrund(int i, qint64 farbe);
    qint64 feldTextfarbe(int i) const;
    bool feldGesperrt(int i) const;
    // pick lists: the pick list set with auswahlSetzen (nothing without one)
    static QStringList auswahlZeigen(const QStringList& eintraege, bool einzeln);
    // stores the card after a field changed by a pick
    void feldNachAuswahl(int feld, const QString& text);

    QStringList m_argumente;
    QStringList m_startProtokoll;
    SuchVerzoegerung* m_zeitSuche = nullptr;
    bool m_startSuche = false;   // the command line's search starts at the first address
    bool m_haeltInstanz = false; // this window holds the single-instance guard

    KartenZeile* m_zeilen[24] = {};
    KartenText* m_bemerkung = nullptr;
    QLabel* m_bezeichnungen[24] = {};
    QGroupBox* m_rahmen[7] = {};
    QHash<int, QToolButton*> m_symbole;
    QHash<QString, QAction*> m_aktionen;
    QHash<QString, QMenu*> m_menues;
    QHash<QString, QLabel*> m_panels;
    QList<QKeySequence> m_kuerzel;
    QMenu* m_popup = nullptr;

    QSet<int> m_gedrueckt; // keys whose press reached a card field
    bool m_beendet = false;
    bool m_ersterPaint = true;
    bool m_schliesst = false;
};

} // namespace zadressbuch
