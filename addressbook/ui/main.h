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
// Every command of the menus, the popup menu, the symbol bar and the hot
// keys is a row of the command table (addressbook/befehle.h); the window
// builds its entries from the table (main_menues.cpp) and runs what other
// parts of the program registered for them in the Befehlsregister it is
// given. A command nobody registered stays greyed. The card's field events
// run the registered event handlers after the window's own part. Towards
// the commands the window is the interface Fenster (addressbook/fenster.h).

#include "addressbook/befehle.h"
#include "addressbook/datensatz.h"
#include "addressbook/fenster.h"
#include "addressbook/leerlauf.h"
#include "addressbook/ui/listenansicht.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

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

namespace zplatform {
class FensterRueckgabe;
} // namespace zplatform

namespace zadressbuch {

class Karte;
class SuchVerzoegerung;

class Main : public QMainWindow, public Fenster
{
    Q_OBJECT
public:
    // befehle: the registered commands (they must outlive the window).
    // argumente: the command line without the program name ("Datei=...",
    // "Suche=...", "readonly"). The constructor builds the controls only;
    // Form_Load brings the window to a loaded address file.
    explicit Main(Befehlsregister& befehle, QStringList argumente = QStringList(), QWidget* parent = nullptr);
    ~Main() override;

    // The application's one main window (nullptr while there is none).
    static Main* instanz();

    // Runs a command of the table as its menu entry would (nothing when it
    // is greyed: not registered, or locked in read-only mode). True when it ran.
    bool befehlAusfuehren(Befehl befehl, int index = 0);
    const Befehlsregister& befehle() const { return m_befehle; }

    // ---- controls --------------------------------------------------------
    // The card with its fields (addressbook/ui/kartenform.h).
    Karte* karte() const { return m_karte; }
    QWidget* Feld(int i) const;
    QString FeldText(int i) const override;
    // Sets a field's text as an input of the user (only when it differs: the
    // cursor stays): what passes the field's limit or is no Windows-1252
    // character is left out, with the sound of a refused key. Showing an
    // address never goes through here.
    void setFeldText(int i, const QString& text) override;
    void FeldEinsetzen(int i, int anfang, int laenge, const QString& text) override;
    int FeldEingabegrenze(int i) const;
    QString FeldSelText(int i) const override;
    QLabel* Bezeichnung1(int i) const;
    // Frames 0 to 6 (there is no frame 5).
    QGroupBox* Rahmen(int n) const;
    QToolButton* befSymbol(int index) const;
    // A menu entry or submenu by its name (PulSichern, mnuSort_16, mnuChk ...).
    QAction* aktion(const QString& name) const;
    // The menu-bar entry of a command (its first row).
    QAction* aktion(Befehl befehl) const;
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
    // "Zeit"; a panel's text and tooltip are painted with the window's next
    // paint (Status() paints the "Status" panel at once, for long work).
    void panel(const QString& schluessel, const QString& text, const QString& tipp = QString());
    QString panelText(const QString& schluessel) const;
    QLabel* panelLabel(const QString& schluessel) const;

    // ---- state of the window ----------------------------------------------
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
    bool Daten_Laden() override;
    void Daten_Schliessen() override;
    // Decides read-only mode again and applies it to card, menus and caption.
    void ReadOnlySet() override;
    void Adresse_Anzeigen() override;
    void Adresse_Uebernehmen(int DatumBehalten) override;
    void Feld_Fokus(int feld) override;
    void Bezeichnungen_Anwenden() override;
    void Status(const QString& text, const QString& tipp = QString()) override;
    void Fortschritt(int wert) override;
    QStringList Auswahl_Zeigen(const QStringList& eintraege, bool einzeln) override;
    void Liste_TabStopsSetzen();
    // Selects the remembered entry of the user and file after a load. With
    // nothing selected the card is emptied and the undo copy cleared.
    void ListenPos_Laden();
    void ListenPos_Sichern();
    // Window place and size, resize rules, input options, fonts and the
    // background colour of the card from the settings.
    void Einstellungen_Anwenden() override;
    // Writes them back (nothing in read-only mode); the exit command calls it.
    void Einstellungen_Sichern() override;
    // Proposals for an e-mail field in the pick list; the pick is appended.
    void Auswahl_eMail(int feld) override;
    // The field's pick list (its list file and the values of the field in all
    // addresses, multiple choice); the picks replace the field's text. False
    // when the field offers none.
    bool Feld_Auswahlliste(int feld);
    // The text search: the next address after the selected one holding every
    // word of the search box. Shift held down as it starts (the delay's tick,
    // Enter, the menu, the command line's search) ticks the reduced comparison.
    void TextSuche_Starten();
    // The window caption: the description, " - nur Leserechte" when read-only.
    void Titel_Setzen() override;
    // After a failed save: asks whether to end anyway (true = end).
    bool Beenden_Trotz_Fehler() override;
    // Ends the program (the quit command's last step).
    void Programm_Beenden() override;

public Q_SLOTS:
    // list
    void Liste_Click();
    void Liste_DblClick();

    // Key preview: the character code of every key typed while the main
    // window is active (27 for Esc) goes to sitzung().LetzteTaste.
    void Form_KeyPress(int KeyAscii);

    // card fields
    // Also for text that came into a field without a key (pasted with the
    // middle button, dropped, committed by an input method).
    void Feld_KeyUp(int index);
    // Stores the card when it differs from its entry (nothing in read-only
    // mode): every key release, and before whatever saves, ends, shows
    // another address or makes a new one, so that a key still held down
    // when that comes is not lost.
    void Abweichende_Karte_Uebernehmen();
    void Feld_Change(int index);
    void Feld_GotFocus(int index);
    // True when the leave showed another address (the duplicate-name
    // question answered "&Ja").
    bool Feld_LostFocus(int index);
    void Feld_DblClick(int index);
    void Feld_MouseDown(int index, const QPoint& global);

    // The menus "&Adresse" and "&Weiteres" opening: their entries follow the
    // card's state; the running companion program's entry is hidden.
    void PulBearbeiten_Click();
    void mnuWeiteres_Click();

    // symbol bar, search, clock, window
    void befSymbol_Click(int index);
    void checkSuche_Click();
    void TxtSuche_Change();
    void ZeitTimeOut_Timer();
    void Form_Resize();
    void Form_Paint();
    // The close request: read-only -> PulAbbruch_Click, else pulEnde_Click.
    void Form_QueryUnload();
    // The end asked for from outside (logout, shutdown, a termination signal),
    // with nobody there to answer: as the idle exit, what is open is closed
    // with the answer that changes nothing, then the file is saved and the program ends
    // (read-only: it ends without saving).
    void Programmende_Von_Aussen();

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    // Enables the menu entries, popup entries and buttons whose command is
    // registered and that read-only mode leaves on; greys the others, and a
    // (sub)menu without one enabled entry. Runs at construction and in
    // ReadOnlySet; with the card's rules (Freigabe) when a menu opens and
    // when an entry's hot key fires.
    void eintraegeFreigeben(bool mitKartenRegeln = false);
    bool freigegeben(const BefehlZeile& zeile, bool mitKartenRegeln) const;
    // The texts of the 24 card fields as they stand.
    Felder kartenFelder() const;
    // True when storing the card would change the list (Karte_Weicht_Ab).
    // Every key in the list and every command asks it: while the fields read
    // as they did at the last answer (or at the last show) and the entry is
    // the same, that answer holds without a split and join of the entry.
    bool karteWeichtAb();

    // construction
    void karteAufbauen(QWidget* mitte);
    void menuesAufbauen();
    void symbolleisteAufbauen(QWidget* mitte);
    void statusleisteAufbauen();
    void popupAufbauen();
    QMenu* menueAnlegen(QMenu* oben, const QString& name, const QString& text);
    int feldNummer(QObject* objekt) const;
    bool istMenueKuerzel(const QKeyEvent* e) const;

    // Form_Load's steps of the window
    void Karte_Leeren();
    void Logo_Laden();
    void Suche_Aus_Befehlszeile();
    void Feld_TabStopsAnwenden();

    // search
    // shiftMitTaste: Shift was held with the key that started it (Enter).
    void textSuche(bool shiftMitTaste);
    bool suchTastenFilter(QEvent* ereignis);
    // clock: what the window does for the idle exit (addressbook/leerlauf.h)
    void leerlaufAusstieg(UhrAnzeige::Ende ende, bool vonAussen = false);
    bool leerlaufFensterSchliessen();
    bool leerlaufFensterOffen() const;
    // The level of the event loop that runs the window: the main loop's once
    // it runs, whenever the window was made; else the level it was made at.
    int schleifenEbene() const;
    // the idle exit's commands; true when the program ends
    bool leerlaufSpeichernUndBeenden();
    bool leerlaufOhneSichernBeenden();
    // An exit from outside held up past its limit: the card stored and the
    // file saved at once, said on standard error, also beneath a command
    // that shows a window; false while a change of the list is half done
    // (ListeWirdVeraendert: it is tried again later).
    bool leerlaufSofortSpeichern();

    // A command (or a card event's handlers) under way: while one runs, the
    // program is not ended beneath it; an exit asked for meanwhile runs once
    // the outermost has returned. When the windows the commands showed have
    // closed, the outermost makes the main window active again, with the
    // focus where it was.
    class BefehlLaeuft
    {
    public:
        explicit BefehlLaeuft(Main& m);
        ~BefehlLaeuft();
        BefehlLaeuft(const BefehlLaeuft&) = delete;
        BefehlLaeuft& operator=(const BefehlLaeuft&) = delete;

    private:
        Main& m_fenster;
    };
    // Puts the step off until no command runs any more; false (run it now) when none runs.
    bool nachBefehlAufschieben(std::function<void()> schritt);
    // Key and mouse input in any window of the program: the user is at work.
    void leerlaufEingabe(const QEvent* ereignis);
    // The idle warning as the title of the window the user is in, when that
    // is not the main window with its status panel free; "" takes it away.
    void leerlaufWarnungZeigen(const QString& warnung);
    // The exit from outside gave up because the save failed: the status
    // panel says so until a save succeeds, the save's message comes again
    // and a line goes to standard error.
    void endeNichtGespeichert();
    // layout: the top of the client area (below the menu bar) in pixels
    int clientOben() const;
    // settings: a field's background and text colour as colour numbers
    qint64 feldHintergrund(int i) const;
    void setFeldHintergrund(int i, qint64 farbe);
    qint64 feldTextfarbe(int i) const;
    bool feldGesperrt(int i) const;
    // stores the card after a field changed by a pick
    void feldNachAuswahl(int feld, const QString& text);

    Befehlsregister& m_befehle;
    QStringList m_argumente;
    QStringList m_startProtokoll;
    SuchVerzoegerung* m_zeitSuche = nullptr;
    bool m_startSuche = false;   // the command line's search starts at the first address
    QString m_suchHinweis;       // what the rule changed of a text that came into the search box
    bool m_haeltInstanz = false; // this window holds the single-instance guard

    Karte* m_karte = nullptr;
    QGroupBox* m_suchRahmen = nullptr; // frame 0
    QHash<int, QToolButton*> m_symbole;
    QHash<QString, QAction*> m_aktionen;
    QHash<QAction*, const BefehlZeile*> m_befehlsZeilen; // the table row behind each entry
    QHash<QString, QMenu*> m_menues;
    QHash<QString, QLabel*> m_panels;
    QList<QKeySequence> m_kuerzel;
    QMenu* m_popup = nullptr;

    // The card and its entry at the last answer of karteWeichtAb, or at the
    // last show: fields that read as the shown entry gave them differ from it
    // in nothing.
    struct KartenStand
    {
        bool bekannt = false;
        int index = -1;
        QString eintrag; // the selected entry then (empty: none selected)
        Felder felder;
        bool weichtAb = false;
    };
    KartenStand m_kartenStand;

    bool m_feldVerlassen = false; // the leave of the field last entered has run
    int m_auswahlWechsel = 0;     // counts the addresses shown by Liste_Click
    bool m_beendet = false;
    bool m_endeNichtGespeichert = false;             // the exit from outside failed to save (status panel)
    QPointer<QWidget> m_warnFenster;                 // the window whose title carries the idle warning
    QString m_warnTitelVorher;                       // its own title
    QString m_warnTitel;                             // the title with the warning, as set
    int m_schleifenEbene = 0;                        // the event-loop level the window was made in
    int m_befehlTiefe = 0;                           // commands under way, one inside another (BefehlLaeuft)
    std::vector<std::function<void()>> m_nachBefehl; // exits put off until the commands have returned
    bool m_startLaeuft = false;                      // Form_Load runs: an exit waits until it has returned
    bool m_ersterPaint = true;
    bool m_schliesst = false;

    // Gives the main window back once the windows of the outermost command have closed.
    std::unique_ptr<zplatform::FensterRueckgabe> m_rueckgabe;
};

} // namespace zadressbuch
