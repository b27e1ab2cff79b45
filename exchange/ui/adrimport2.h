#pragma once
// AdrImport2 ("Import einer Adressliste"): a delimited text file into the
// address list. The user picks the file and the separator, says whether the
// first line holds column names, assigns each column to one of the 24 fields
// (proposed from the column names), sees a preview and imports. Enter in the
// file box or leaving it loads the preview; only "Importieren" imports. The caller
// shows the selected address again afterwards.

#include <QDialog>
#include <QList>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace zaustausch {

class AdrImport2 : public QDialog
{
    Q_OBJECT
public:
    explicit AdrImport2(QWidget* parent = nullptr);

    // Reads the file named in txtDatei with the chosen separator and fills
    // the assignment and the preview. False when it cannot be read or is no
    // text file: melden says so in a message, else only below the preview.
    bool datei_Laden(bool melden = true);
    // The field of every column (-1: not imported).
    QList<int> zuordnung() const;
    // The number of addresses the last import added.
    int importiert() const { return m_importiert; }

    QLineEdit* txtDatei = nullptr;
    QPushButton* befDatei = nullptr;
    QComboBox* kombiTrenner = nullptr; // TAB, ";", ","
    QCheckBox* strgKopfzeile = nullptr;
    QTableWidget* lstZuordnung = nullptr; // one row per column: name, example, target field
    QTableWidget* lstVorschau = nullptr;
    QLabel* bezInfo = nullptr;
    QPushButton* befImport = nullptr;
    QPushButton* befAbbrechen = nullptr;

protected:
    // Enter in "Datei" loads the preview (and imports nothing).
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

public Q_SLOTS:
    void befDatei_Click();
    void befImport_Click();
    void vorschau_Aktualisieren();

private:
    QChar trenner() const;
    void zuordnungAufbauen();
    void zerlegen();
    QString m_text;
    QString m_geladen; // the path of the last load (also a failed one)
    QList<QStringList> m_zeilen;
    bool m_gekuerzt = false; // rows had more than MaxSpalten columns
    int m_importiert = 0;
    bool m_trennerAutomatisch = true;
};

} // namespace zaustausch
