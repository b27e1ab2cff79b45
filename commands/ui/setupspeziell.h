#pragma once
// SetupSpeziell ("Setup spezial"): reads or writes one key of one settings
// file. The file comes from a fixed list, section and key from lists read out
// of the file's text (commands/setupspeziell.h); the value box shows what was
// read and writes its text back. Everything written goes straight into the
// file; the form returns nothing to its caller.

#include <QDialog>

class QComboBox;
class QPushButton;

namespace zbefehle {

class SetupSpeziell : public QDialog
{
    Q_OBJECT
public:
    // Form_Load: the files Zizorud.ini and KontPrn.ini, the first selected.
    explicit SetupSpeziell(QWidget* parent = nullptr);

    // Adds an entry to a sorted list box at its sorted place (case-insensitive).
    static void sortiertEinfuegen(QComboBox* kombi, const QString& text);

    QComboBox* txtDatei = nullptr;
    QComboBox* txtAbschnitt = nullptr;
    QComboBox* txtSchluessel = nullptr;
    QComboBox* txtEintrag = nullptr;
    QPushButton* befLesen[2] = {};
    QPushButton* befAbbrechen = nullptr;

public Q_SLOTS:
    void txtDatei_Click();
    void txtAbschnitt_Click();
    void befLesen_Click(int index);
    void befAbbrechen_Click();

protected:
    void closeEvent(QCloseEvent* e) override;
};

} // namespace zbefehle
