#pragma once
// The address card: 24 input fields with their captions, in the frames
// "Anschrift", "Rufnummern", "Bemerkungen", "Sonstiges" and "Bankverbindung",
// the age beside the birthday, the zoom button and the two dates below the
// card with their day counters. It lies over the main window's client area
// (the places are the design's, in twips of that area) below the window's
// other controls; the window reads and sets the fields through it and hears
// the fields' events from its signals.

#include <QPoint>
#include <QString>
#include <QWidget>

class QGroupBox;
class QLabel;
class QPushButton;

namespace zadressbuch {

class KartenText;
class KartenZeile;

class Karte : public QWidget
{
    Q_OBJECT
public:
    explicit Karte(QWidget* parent);

    // Field i (0..23): a line, or the remark box for field 11.
    QWidget* Feld(int i) const;
    // The one-line field i (nullptr for the remark field and outside 0..23).
    KartenZeile* Zeile(int i) const;
    KartenText* Bemerkungsfeld() const { return m_bemerkung; }
    QString FeldText(int i) const;
    // Sets a field's text (only when it differs: the cursor stays).
    void setFeldText(int i, const QString& text);
    QString FeldSelText(int i) const;
    int FeldEingabegrenze(int i) const;
    void setBemerkungsgrenze(int grenze);
    // Locks a field against typing (read-only mode, the locked fields).
    void setFeldGesperrt(int i, bool gesperrt);
    QLabel* Bezeichnung1(int i) const;
    // Frames 1, 2, 3, 4 and 6 (the others are the window's).
    QGroupBox* Rahmen(int n) const;
    // The number of the field that is this object, -1 when none.
    int feldNummer(const QObject* objekt) const;

    QLabel* bezInfo2 = nullptr; // the age beside field 20
    QLabel* bezZeit1 = nullptr;
    QLabel* bezZeit2 = nullptr;
    QPushButton* befZoom = nullptr;

    // Fields that are locked at design and take no tab stop (15, 16 and 23).
    static bool istGesperrtesFeld(int i);

Q_SIGNALS:
    void feldGeaendert(int feld);
    // The user changed the field's text without a key (middle button, drop,
    // input method), once the event that changed it is handled.
    void feldOhneTaste(int feld);
    // A text that came into the field was changed to fit (characters
    // replaced or left out, cut at the limit): the line that says so, once
    // the event that brought it is handled.
    void feldAngepasst(int feld, const QString& hinweis);
    void feldDoppelklick(int feld);
    void feldKontextmenue(int feld, const QPoint& global);
    void zoomGeklickt();

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void feldAnlegen(int i, QWidget* rahmen, int links, int oben, int breite, int hoehe, int bezLinks, int bezOben,
                     int bezBreite);
    QGroupBox* rahmenAnlegen(int n, const QString& titel, int links, int oben, int breite, int hoehe);

    KartenZeile* m_zeilen[24] = {};
    KartenText* m_bemerkung = nullptr;
    QLabel* m_bezeichnungen[24] = {};
    QGroupBox* m_rahmen[7] = {};
};

} // namespace zadressbuch
