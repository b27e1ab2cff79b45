#pragma once
// A window of the program that shows a local HTML document (the help, the
// product information) when no web browser can show it. Links inside the
// document and to other local documents stay in the window; web and mail
// addresses go to the desktop. One window serves every document; Esc and
// "Schließen" close it.

#include <QDialog>
#include <QString>

class QPushButton;
class QTextBrowser;

namespace zplatform {

class HilfeFenster : public QDialog
{
    Q_OBJECT
public:
    // Shows the document in the one window (created at the first use) and brings it to the front.
    static HilfeFenster& zeigen(const QString& datei);
    // The window when it exists (nullptr otherwise).
    static HilfeFenster* offen();

    QTextBrowser* Anzeige = nullptr;
    QPushButton* befSchliessen = nullptr;

private:
    explicit HilfeFenster(QWidget* eltern = nullptr);
    void verweisFolgen(const QUrl& ziel);
};

// True for a file the window can show (".html", ".htm", any case).
bool istHtmlDatei(const QString& pfad);

} // namespace zplatform
