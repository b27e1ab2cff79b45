#pragma once
// A window of the program that shows a local HTML document (the help, the
// product information) when no web browser can show it. Links inside the
// document and to other local documents stay in the window; web and mail
// addresses go to the desktop. One window serves every document; Esc and
// "Schließen" close it.
//
// The window belongs to the window that asked for it: it stands in front of
// that window (as its transient window) and stays usable while that window is
// modal. A modal window that opens while the help is shown takes the help
// over (else it would block the help); when that window goes, the window it
// belonged to takes the help back. Whenever the window it belongs to comes to
// the front, the help is raised over it again. Closing the help returns to the
// window it belongs to. It opens beside each window that asks for it, where it
// does not cover the question it explains, until the user moves it: from then
// on it keeps the place the user gave it. The window manager's own moves (where
// it puts a window that is shown, or pushes one back onto the screen) and the
// program's placing are no moves of the user. A window that opens while the
// help is shown is never covered by it: where the help stands on it, the help
// goes beside it (as when that window asks for help) and stays in front.

#include <QDialog>
#include <QPointer>
#include <QString>

class QPushButton;
class QTextBrowser;

namespace zplatform {

class HilfeFenster : public QDialog
{
    Q_OBJECT
public:
    // Shows the document at the anchor ("" its start) in the one window
    // (created at the first use), in front of besitzer (nullptr: of no window).
    static HilfeFenster& zeigen(const QString& datei, const QString& anker = QString(), QWidget* besitzer = nullptr);
    // The window when it exists (nullptr otherwise).
    static HilfeFenster* offen();
    // The window that asks for help now: the modal window on top, else the
    // active window; never the help itself (nullptr when there is none).
    static QWidget* fragendesFenster();

    // The window the help stands in front of (nullptr when none).
    QWidget* besitzer() const { return m_besitzer.data(); }

    QTextBrowser* Anzeige = nullptr;
    QPushButton* befSchliessen = nullptr;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void moveEvent(QMoveEvent* e) override;

private:
    explicit HilfeFenster(QWidget* eltern = nullptr);
    void verweisFolgen(const QUrl& ziel);
    void anhaengen(QWidget* besitzer, bool ohneAktivieren = false);
    void platzieren(const QWidget* frager, bool neu = false);
    void modalGeoeffnet(QWidget* fenster);
    void fensterGeoeffnet(QWidget* fenster);
    void nichtVerdecken(QWidget* fenster);
    void oeffnen(const QUrl& ziel);
    // The frame of a window as the window system reports it, or the help's
    // own while that window is not framed yet.
    QMargins rahmenOderEigener(const QWidget& fenster) const;
    void platzErwarten();
    void platzAngekommen();
    void stapelGeaendert();

    QPointer<QWidget> m_besitzer;
    bool m_umhaengen = false; // hidden only to stand in front of another window
    // Where the program put it, and where the window system put it in answer.
    QPoint m_gewuenschterPlatz;
    QPoint m_eigenerPlatz;
    bool m_platzOffen = false; // the window system's answer to a placing may still come
    bool m_vomNutzer = false;  // the user has moved it
    // A window opened while the help is shown, until it has come to the front
    // (the window manager may put it elsewhere than the program asked).
    QPointer<QWidget> m_neuesFenster;
};

// True for a file the window can show (".html", ".htm", any case).
bool istHtmlDatei(const QString& pfad);

} // namespace zplatform
