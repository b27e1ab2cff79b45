#pragma once
// Setup ("Einstellungen"): the settings dialog. Four tabs: general options
// (written when the dialog closes, by "&Ok", the close box or Esc alike: it
// has no cancel), the card's fonts and background colour, the CD-ROM
// directory programs with the move of the data folder, and the field
// defaults of the open address file. The buttons of the last three tabs act
// at once.
//
// The caller hands in what the dialog needs of the card (SetupKarte) and reads
// the fonts and the colour back afterwards; the command "&Einstellungen..."
// then stores and applies the window's settings.

#include "commands/einstellungen.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace zbefehle {

struct SetupKarte
{
    QString titel;                 // the main window's title
    QString schriftEin;            // font text of the input fields (card field 0)
    QString schriftBem;            // font text of the comment field (card field 11)
    qint64 hintergrund = 0xFFFFFF; // background of card field 0 (0xBBGGRR)
    KartenFelder felder;           // texts, captions, locked, visible
};

class Setup : public QDialog
{
    Q_OBJECT
public:
    // Form_Load: fills the boxes and reads every option again.
    explicit Setup(const SetupKarte& karte, QWidget* parent = nullptr);

    // The card's fonts and colour as the dialog leaves them.
    const SetupKarte& karte() const { return m_karte; }
    bool schriftenGeaendert() const { return m_schriftenGeaendert; }

    // The file dialog of the directory programs: the chosen path, "" after a
    // cancel (replaceable for tests).
    std::function<QString(const CdRomProgramm&)> dateiWaehlen;
    // The colour dialog: the chosen colour, the start value after a cancel.
    std::function<qint64(qint64)> farbeWaehlen;

    QTabWidget* SSTab = nullptr;
    QPushButton* BefOk = nullptr;
    QPushButton* befSetupSpeziell = nullptr;
    // Allgemeines
    QCheckBox* StrgAuswahl = nullptr;
    QComboBox* kombiSortAtEnd = nullptr;
    QCheckBox* StrgOrtPlz = nullptr;
    QComboBox* comboKatalogStdLand = nullptr;
    QComboBox* comboAutoFormatCase = nullptr;
    QCheckBox* strgAutoFormatTrim = nullptr;
    QCheckBox* StrgAutoNameDoppelt = nullptr;
    QCheckBox* strgCallByCall = nullptr;
    // Schriften
    QPushButton* BefSetFont[2] = {};
    QPushButton* BefSetBackCol = nullptr;
    // Externes
    QPushButton* befExtern[5] = {}; // index 1 stays empty
    QPushButton* befDatenOrdnerFestlegen = nullptr;
    // Aktuelle Adressen-Datei
    QLabel* Label8 = nullptr;
    QGroupBox* FrameAkt = nullptr;
    QPushButton* befVorgabenSave = nullptr;

public Q_SLOTS:
    void BefOk_Click();
    void befExtern_Click(int index);
    void BefSetFont_Click(int index);
    void BefSetBackCol_Click();
    void befDatenOrdnerFestlegen_Click();
    void befVorgabenSave_Click();
    void befSetupSpeziell_Click();

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    void optionenAnzeigen();
    SetupKarte m_karte;
    bool m_schriftenGeaendert = false;
    bool m_callByCallSichtbar = false;
};

} // namespace zbefehle
