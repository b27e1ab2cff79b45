#pragma once
// ZoomText: one card field enlarged in a resizable modal window. Three
// buttons make the text smaller, larger or 12 points (the size is kept in
// "ZoomFntSize" when the editor is left with OK or its close box); Ctrl+D
// puts in today's date and Ctrl+U the time; the status bar shows the line,
// the position and how much of the field's limit is used.
//
// Calling protocol: construct it with the main window, set Text (text,
// limit, selection, font) and the caption, exec(), read Abbruch (0 OK, 1
// cancel) and Text, delete it. Zoom_Zeigen does all of that for the focused
// card field.

#include "addressbook/ui/kartenfeld.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <array>

namespace zadressbuch {
class Fenster;
}

namespace zbefehle {

class ZoomText : public QDialog
{
    Q_OBJECT
public:
    explicit ZoomText(QWidget* hauptfenster = nullptr, int feld = 11);

    zadressbuch::KartenText* Text = nullptr;
    QPushButton* BefOk = nullptr;
    QPushButton* befAbbrechen = nullptr;
    std::array<QPushButton*, 3> befFontSize{};
    QCheckBox* Abbruch = nullptr;
    QTimer* ZeitInfo = nullptr;
    QStatusBar* StatusBar = nullptr;
    QLabel* panelStatus = nullptr;
    QLabel* panelPosition = nullptr;
    QLabel* panelProzent = nullptr;

    // The field's limit in record characters (a line break counts 2); 0 none.
    int maxLength() const { return m_maxLength; }
    void setMaxLength(int grenze);
    // The selection in the field's characters (a line break counts 2).
    void setAuswahl(int selStart, int selLength);
    // The cursor position in the field's characters.
    int selStart() const;
    // The font size the text box uses, in points.
    double schriftgroesse() const;

    void BefOk_Click();
    void befAbbrechen_Click();
    void befFontSize_Click(int index);
    void ZeitInfo_Timer();

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;
    void resizeEvent(QResizeEvent* e) override;
    bool event(QEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void Form_Load(QWidget* hauptfenster);
    // Places the status bar, the buttons and the text for the window's size.
    void anordnen();
    void einfuegen(const QString& text);
    int m_maxLength = 0;
    // What the status bar says about a text that came in changed to fit.
    QString m_hinweis;
};

// befZoom: opens the zoom editor for the card field the popup menu was
// opened on, else for the focused one; after OK the text goes back into the
// field, the card is stored and the field gets the focus. True after OK.
bool Zoom_Zeigen(zadressbuch::Fenster& fenster);

} // namespace zbefehle
