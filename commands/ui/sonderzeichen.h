#pragma once
// Sonderzeichen: puts together a short text of characters that are hard to
// type, picked from character sets, for the card. The drop-down ComboSatz
// chooses the set, the list shows its characters (8 columns), "&Kopieren",
// a double-click, Space or Enter in the list append the selected character
// to Text, "&Einfügen" hands Text over; "&Abbrechen", Esc and the close box
// empty it. Each use is a fresh dialog (set "Alle", its first character
// selected, Text empty).

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace zadressbuch {
class Fenster;
}

namespace zbefehle {

class Sonderzeichen : public QDialog
{
    Q_OBJECT
public:
    explicit Sonderzeichen(QWidget* hauptfenster = nullptr);

    QComboBox* ComboSatz = nullptr;
    QListWidget* Liste = nullptr;
    QPushButton* befKopieren = nullptr;
    QPushButton* BefLoeschen = nullptr;
    QLineEdit* Text = nullptr;
    QPushButton* BefOk = nullptr;
    QPushButton* BefAbbruch = nullptr;

    void ComboSatz_Click();
    void befKopieren_Click();
    void befLoeschen_Click();
    void BefOk_Click();
    void befAbbruch_Click();
    void Form_Resize();
    // The cells of the list's eight columns for its current size.
    void Raster_Setzen();

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
};

// mnuSonderzeichenEinfg: shows the picker and puts its text in place of the
// selection of the focused card field (at the cursor when nothing is
// selected), then stores the card. Without a focused field it says so.
// True when text was inserted.
bool Sonderzeichen_Einfuegen(zadressbuch::Fenster& fenster);

} // namespace zbefehle
