#pragma once
// ZAexport: copies the selected address, laid out through a mask of the
// user's choice, to the clipboard as plain text. The user picks the mask,
// sees (and may edit) the text, and copies it with "&Ok"; the mask is
// remembered ("AnschriftZaMaske"). The main window shows it modally and
// deletes it afterwards.

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace zadressbuch {
class KartenText;
}

namespace zmasken {

class ZAexport : public QDialog
{
    Q_OBJECT
public:
    explicit ZAexport(QWidget* hauptfenster = nullptr);

    QLabel* Label1 = nullptr;
    QComboBox* ComboMasken = nullptr;
    zadressbuch::KartenText* Text = nullptr;
    QPushButton* BefOk = nullptr;
    QPushButton* befAbbrechen = nullptr;

    void ComboMasken_Click();
    void BefOk_Click();
    void befAbbrechen_Click();

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void anordnen();
};

} // namespace zmasken
