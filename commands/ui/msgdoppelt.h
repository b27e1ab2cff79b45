#pragma once
// MsgDoppelt: the resizable yes/no message of the card for a name that
// already stands in another address. The caller sets Text, shows the dialog
// modally (zeigen) and reads Abbruch: 0 after "&Ja" (switch to the shown
// address), 1 after "&Nein", Esc or the close box. Enter answers only through
// the button that has the focus. The one instance is only
// hidden between uses and keeps its size and its last answer.

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

namespace zbefehle {

class MsgDoppelt : public QDialog
{
    Q_OBJECT
public:
    // Created on first use (sized relative to the main window then); centred
    // on the main window at every showing.
    static MsgDoppelt& instanz(QWidget* hauptfenster = nullptr);
    explicit MsgDoppelt(QWidget* hauptfenster = nullptr);

    // Sets Text, shows the dialog modally, returns Abbruch's value.
    int zeigen(const QString& text);

    QLabel* Label1 = nullptr;
    QPlainTextEdit* Text = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* BefOk = nullptr;
    QCheckBox* Abbruch = nullptr;
    QPushButton* befAbbrechen = nullptr;

    void BefOk_Click();
    void befAbbrechen_Click();
    // Lays the controls out for the current inner size.
    void Form_Resize();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void reject() override;

private:
    void Form_Load();
    QPointer<QWidget> m_haupt;
    bool m_geladen = false;
};

} // namespace zbefehle
