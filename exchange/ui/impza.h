#pragma once
// ImpZA: the clipboard import. Shows up to eight lines of the clipboard, each
// with a box that chooses the card field it goes into (entry 0: not used, entry
// i: field i - 1). OK and cancel are reported in the hidden check box
// strgAbbruch (0 OK, 1 cancel); the caller reads the boxes after it hides.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace zaustausch {

class ImpZA : public QDialog
{
    Q_OBJECT
public:
    // Fills the lines from the clipboard.
    explicit ImpZA(QWidget* parent = nullptr);

    QLineEdit* Feld[8] = {};
    QComboBox* KombiFeldZiel[8] = {};
    QCheckBox* strgAbbruch = nullptr;
    QPushButton* befOk = nullptr;
    QPushButton* befAbbrechen = nullptr;

public Q_SLOTS:
    void befOk_Click();
    void befAbbrechen_Click();

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;
};

} // namespace zaustausch
