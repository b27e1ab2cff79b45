#pragma once
// MaskenEdit, the mask editor: the mask text, the card's captions as
// placeholders to insert at the caret, load and save through the file
// chooser, the font and colour per mask (Masken.Ini), and the caret's line
// and position in the status bar (a line break counts two characters).
//
// The main window shows it modally and deletes it afterwards; only the name
// of the mask loaded or saved last (letzteMaske) outlives it, as the proposal
// of the next load or save.

#include "addressbook/ui/kartenfeld.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include <functional>

namespace zmasken {

class MaskenEdit : public QDialog
{
    Q_OBJECT
public:
    explicit MaskenEdit(QWidget* hauptfenster = nullptr);

    zadressbuch::KartenText* Text1 = nullptr;
    QListWidget* ListeFelder = nullptr;
    QLabel* Bezeichnung1 = nullptr;
    QLabel* Bezeichnung2 = nullptr;
    QPushButton* befFeldEinfg = nullptr;
    QStatusBar* StatusBar = nullptr;
    QLabel* panelStatus = nullptr;
    QLabel* panelPosition = nullptr;
    QTimer* TimerHinweise = nullptr;
    QMenuBar* menueLeiste = nullptr;
    QMenu* mnuMaske = nullptr;
    QAction* mnuLoeschen = nullptr;
    QAction* mnuLaden = nullptr;
    QAction* mnuSpeichern = nullptr;
    QAction* mnuEnde = nullptr;
    QMenu* mnuEinstellungen = nullptr;
    QAction* mnuSchriftFarbe = nullptr;

    // The name of the mask loaded or saved last in this run ("" at first).
    static QString& letzteMaske();
    // The file chooser used by load and save (tests replace it): gets the
    // proposed name and load (true) or save mode, returns the chosen path
    // or "" after a cancel. By default the program's file chooser.
    static std::function<QString(const QString& vorschlag, bool laden)>& dateiwahl();
    // The sizes "&Schrift und Farbe..." offers, in points.
    static constexpr int SchriftKleinste = 4;
    static constexpr int SchriftGroesste = 25;

    void befFeldEinfg_Click();
    void mnuLaden_Click();
    void mnuSpeichern_Click();
    void mnuLoeschen_Click();
    void mnuSchriftFarbe_Click();
    void mnuEnde_Click();
    void TimerHinweise_Timer();

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;
    void resizeEvent(QResizeEvent* e) override;
};

} // namespace zmasken
