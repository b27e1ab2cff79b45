#pragma once
// PrinterSet: the print-options dialog every print job passes through
// (printer, orientation, margins, copies, range), with the job's preset in
// KontPrn.ini and automatic mode. Print routines do not use it directly but
// through zdruck::Druckauftrag (druckauftrag.h), which follows the protocol.
//
// The dialog exists between laden() and entladen(); loading reads the preset
// of the job named by DruckJobName() at that moment. Shown modally, it hides
// itself on OK (Abbruch unticked) and on cancel, Esc or the close box
// (Abbruch ticked); its controls are then read by the caller.

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace zdruck {

class PrinterSet : public QDialog
{
    Q_OBJECT
public:
    // The loaded dialog, nullptr when none.
    static PrinterSet* instanz();
    // Loads a fresh dialog (an old one is unloaded first).
    static PrinterSet& laden(QWidget* eltern = nullptr);
    static void entladen();

    QPushButton* BefOk;
    QPushButton* befAbbrechen;
    QCheckBox* CheckSichern;
    QCheckBox* CheckAutomatisch;
    QCheckBox* Abbruch; // hidden result flag: ticked after a cancel
    QTimer* TimerAutoJob;
    QComboBox* ComboDrucker;
    QLabel* bezDrucker;
    QComboBox* ComboRandX;
    QComboBox* ComboRandY;
    QComboBox* ComboAnzahl;
    QLabel* bezAnzahl;
    QLabel* ImageAnzahl;
    QRadioButton* optAusrichtung[2];
    QLabel* imgAusrichtung[2];
    QRadioButton* optBereich[2];

    // The handlers, callable for tests as the controls call them.
    void BefOk_Click();
    void befAbbrechen_Click();
    void bezDrucker_DblClick();
    void TimerAutoJob_Timer();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void reject() override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    explicit PrinterSet(QWidget* eltern);
    void Form_Load();
    void PresetLoad();
    void PresetSave();
    void ComboDrucker_Click();
    void CheckAutomatisch_Click(bool an);
    void CheckSichern_Click(bool an);
    void optAusrichtung_Click(int index);
    void Form_Paint();

    bool m_autoJob = false; // armed by the preset, started when shown
};

} // namespace zdruck
