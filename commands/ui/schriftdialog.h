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
    // Shows the dialog modally, preset from a control: font, size, effects
    // and text colour; a Windows font the system lacks shows as the font
    // printed in its place. On OK the control takes the choice, its font
    // under the Windows name, and true comes back; after a cancel the control
    // stays as it was.
    static bool fuerSteuerelement(QWidget* steuerelement, int kleinste, int groesste, QWidget* parent);

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

    // The preset size, kept with its fraction (15.75) while the user leaves
    // the size as shown.
    double m_vorgabeGroesse = 0;
};

} // namespace zbefehle
