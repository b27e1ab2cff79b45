#pragma once
// The printer, with the model the program's print routines were written for:
// positions and sizes in centimetres, an origin that can be moved (scale left
// and top), a current position (CurrentX/CurrentY), a current font, text
// measured on the printer, and pages that go out together as one job at
// EndDoc.
//
// Printing a line of text draws it at the current position (top of the text)
// and moves the position to the start of the next line: x = 0 of the moved
// origin, y + text height. Printing with zeilenEnde = false leaves the position
// behind the text on the same line.
//
// Back-ends: the real one (a QPrinter: every printer the system knows, plus
// the virtual printer "PDF") lives in the form library; the recording one
// (tests) keeps every page's operations in centimetres.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace zplatform {

struct DruckSchrift
{
    QString name = QStringLiteral("Arial");
    double groesse = 10.0; // points
    bool fett = false;
    bool kursiv = false;
    bool unterstrichen = false;
    bool durchgestrichen = false;
    unsigned farbe = 0; // 0x00BBGGRR as the settings store colours
};

// One recorded drawing operation, in centimetres of the page (origin applied).
struct DruckOperation
{
    enum Art { Text, Linie, Rechteck, Bild } art = Text;
    double x = 0, y = 0, x2 = 0, y2 = 0; // text: top left; line: from/to; box: corners
    QString text;                        // text, or the picture's file
    DruckSchrift schrift;
    bool gefuellt = false;
    unsigned farbe = 0;
};

struct DruckSeite
{
    std::vector<DruckOperation> operationen;
    // All texts of the page in drawing order, for tests.
    QStringList texte() const;
};

class Drucker
{
public:
    virtual ~Drucker() = default;

    virtual QString geraetename() const = 0;

    // Orientation: 1 portrait, 2 landscape (set before the first output of a job).
    virtual int ausrichtung() const { return m_ausrichtung; }
    virtual void setAusrichtung(int a) { m_ausrichtung = a; }

    // Page size in cm (portrait/landscape applied) and the printable area.
    virtual double seitenBreite() const = 0;
    virtual double seitenHoehe() const = 0;

    // Scale: the origin in cm (ScaleLeft/ScaleTop). A scale left of -1.5 moves
    // x = 0 of the program 1.5 cm to the right on paper.
    double scaleLeft = 0.0;
    double scaleTop = 0.0;
    // ScaleWidth / ScaleHeight: the usable page size in cm.
    virtual double scaleWidth() const { return seitenBreite(); }
    virtual double scaleHeight() const { return seitenHoehe(); }

    double currentX = 0.0;
    double currentY = 0.0;

    DruckSchrift schrift;

    // Measured with the current font, in cm. A text with line breaks is as
    // high as its lines together and as wide as its widest line.
    virtual double textBreite(const QString& text) const = 0;
    virtual double textHoehe(const QString& text = QStringLiteral("Ay")) const = 0;

    // Prints at the current position; see the header comment for how the
    // position moves.
    virtual void drucken(const QString& text, bool zeilenEnde = true);
    virtual void linie(double x1, double y1, double x2, double y2);
    virtual void rechteck(double x1, double y1, double x2, double y2, bool gefuellt = false);
    virtual void bild(const QString& datei, double x, double y, double breite, double hoehe);

    virtual void neueSeite() = 0;
    // Sends the job; false when the printer failed.
    virtual bool dokumentEnde() = 0;
    virtual void abbrechen() = 0;

    // Fonts the printer offers, in the printer's order.
    virtual QStringList schriften() const = 0;

    // Number of copies of the job.
    int kopien = 1;

protected:
    // Back-ends draw here; coordinates are page centimetres with the origin applied.
    virtual void textZeichnen(double x, double y, const QString& text) = 0;
    virtual void linieZeichnen(double x1, double y1, double x2, double y2) = 0;
    virtual void rechteckZeichnen(double x1, double y1, double x2, double y2, bool gefuellt) = 0;
    virtual void bildZeichnen(const QString& datei, double x, double y, double breite, double hoehe) = 0;

    int m_ausrichtung = 1;
};

// The program's current printer (a recording printer until the form library
// installs the system's default printer). Never null.
Drucker& drucker();
// Replaces the current printer for the rest of the run (takes ownership).
void druckerSetzen(std::unique_ptr<Drucker> d);

} // namespace zplatform
