#pragma once
// Druckereinrichtung: the printer set-up of the print menu. The user picks
// the printer the program prints on (every printer the print service knows,
// and the PDF printer), then the sheet and the orientation it prints on by
// default. OK makes the choice the program's current printer for the rest of
// the run; Abbrechen, Esc and the close box change nothing.

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace zdruck {

class Druckereinrichtung : public QDialog
{
    Q_OBJECT
public:
    explicit Druckereinrichtung(QWidget* eltern = nullptr);

    QComboBox* ComboDrucker;
    QLabel* bezOrt;
    QComboBox* ComboPapier; // item data: index into zplatform::papierformate(), -1 the sheet as it is
    QRadioButton* optAusrichtung[2];
    QPushButton* BefOk;
    QPushButton* BefAbbrechen;

    void BefOk_Click();

private:
    void ComboDrucker_Click();
};

} // namespace zdruck
