#pragma once
// The font dialog of the settings dialog: font (Latin fonts only), size in a
// limited range, bold, italic, underline, strikethrough and the text colour,
// with a preview. It works on font texts as Schrift_AlsText writes them
// ("name;size;bold;italic;underline;colour").

#include <QDialog>

#include <optional>

class QCheckBox;
class QFontComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace zbefehle {

class SchriftDialog : public QDialog
{
    Q_OBJECT
public:
    SchriftDialog(const QString& schrift, int kleinste, int groesste, QWidget* parent = nullptr);

    // Shows the dialog modally: the chosen font text, nothing after a cancel.
    static std::optional<QString> waehlen(QWidget* parent, const QString& schrift, int kleinste = 4, int groesste = 16);

    // The font text of the current choice.
    QString schrift() const;
    void setFarbe(const QColor& farbe);

    QFontComboBox* kombiSchrift = nullptr;
    QSpinBox* txtGroesse = nullptr;
    QCheckBox* strgFett = nullptr;
    QCheckBox* strgKursiv = nullptr;
    QCheckBox* strgUnterstrichen = nullptr;
    QCheckBox* strgDurchgestrichen = nullptr;
    QPushButton* befFarbe = nullptr;
    QPushButton* befOk = nullptr;
    QPushButton* befAbbrechen = nullptr;
    QLabel* bezVorschau = nullptr;

private:
    void vorschauAktualisieren();
};

} // namespace zbefehle
