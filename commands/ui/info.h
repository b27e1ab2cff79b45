#pragma once
// Info: the about box. The caption carries the version, the product name is
// printed large with a shadow across the top, a text field lists what support
// needs to know, and a double-click on the notice line shows the usage
// statistics. Blank, Enter and Esc close it, as "Ok" and the close box do.

#include "commands/info.h"

#include <QDialog>
#include <QFont>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zbefehle {

class Info : public QDialog
{
    Q_OBJECT
public:
    explicit Info(QWidget* parent = nullptr);

    // The printed name's font size and position (twips), as worked out on loading.
    double namensGroesse() const { return m_groesse; }
    // The font the product name is printed in; the controls keep the program's font.
    const QFont& namensSchrift() const { return m_namensSchrift; }

    QLabel* Emblem = nullptr;
    QLabel* CopyrightHinweis = nullptr;
    QPlainTextEdit* SysInfo = nullptr;
    QPushButton* befAbbrechen = nullptr;

public Q_SLOTS:
    void befAbbrechen_Click();
    void CopyrightHinweis_DblClick();

protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* objekt, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    double m_groesse = 30;
    QFont m_namensSchrift;
};

} // namespace zbefehle
