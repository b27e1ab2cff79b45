#pragma once
// Tips: the tip of the day. Opens with a tip drawn from Tips.Bot; "&Nächster
// Tipp" draws another; the check box switches the tip at start-up on and off
// at once ("AutoTip").

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace zbefehle {

class Tips : public QDialog
{
    Q_OBJECT
public:
    explicit Tips(QWidget* parent = nullptr);

    QLabel* bezTip0 = nullptr;
    QLabel* bezTip = nullptr;
    QPushButton* befNext = nullptr;
    QPushButton* befAbbrechen = nullptr;
    QCheckBox* strgAutoTip = nullptr;
    QString TipsDatei;

public Q_SLOTS:
    void befNext_Click();
    void befAbbrechen_Click();
    void KeineTipps_Anzeigen();

protected:
    void closeEvent(QCloseEvent* e) override;
};

} // namespace zbefehle
