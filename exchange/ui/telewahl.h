#pragma once
// Telewahl: the dialing dialog. Shows the dial text in txtNummer; "&Wählen"
// hands the number as a "tel:" address to the desktop's telephone program
// (there is no modem on this system) and, when none takes it, offers to copy
// the number; "&Kopieren" puts it on the clipboard.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zaustausch {

class Telewahl : public QDialog
{
    Q_OBJECT
public:
    explicit Telewahl(QWidget* parent = nullptr);

    QLineEdit* txtNummer = nullptr;
    QLabel* bezStatus = nullptr;
    QPushButton* befWaehlen = nullptr;
    QPushButton* befKopieren = nullptr;
    QPushButton* befAbbrechen = nullptr;

public Q_SLOTS:
    void befWaehlen_Click();
    void befKopieren_Click();
};

} // namespace zaustausch
