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
// Every job starts alike: when a job ends (sent or dropped) the font goes
// back to Arial 10, regular, black, and the job name back to "Zettlora", so
// nothing of one print routine's font carries into the next. Text is printed
// as the characters given: no ligatures or other substitutions of the font,
// no kerning (as the fonts' widths say, so lines break where they broke on
// Windows).
//
// A print run (druckLaufBeginnen) joins the documents of one run into one
// job: while a run is open, EndDoc only closes the page and the next output
// starts a new page of the same job.
//
// Back-ends: the real one (a QPrinter: every printer the system knows, plus
// the virtual printer "PDF") lives in the form library; the recording one
// (tests) keeps every page's operations in centimetres.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <span>
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

// The job name when no print routine names one.
inline const QString StandardAuftragsname = QStringLiteral("Zettlora");

class Drucker
{
public:
    virtual ~Drucker() = default;

    virtual QString geraetename() const = 0;

    // The name the print queue shows for the job; taken when the job opens.
    void setAuftragsname(const QString& name) { m_auftragsname = name.isEmpty() ? StandardAuftragsname : name; }
    const QString& auftragsname() const { return m_auftragsname; }

    // Orientation: 1 portrait, 2 landscape (set before the first output of a job).
    virtual int ausrichtung() const { return m_ausrichtung; }
    virtual void setAusrichtung(int a) { m_ausrichtung = a; }

    // Page size in cm (portrait/landscape applied) and the printable area.
    virtual double seitenBreite() const = 0;
    virtual double seitenHoehe() const = 0;

    // The sheet in cm as it lies in portrait: breite across, hoehe down
    // (landscape turns it). Set it before the first output of a job; a
    // back-end that cannot take the size keeps its paper and returns false.
    virtual bool setPapierformat(double breite, double hoehe);
    virtual double papierBreite() const;
    virtual double papierHoehe() const;
    // Full-page mode: the printable area is the whole sheet (positions from
    // the sheet's corner) instead of what the printer can reach.
    virtual void setGanzeSeite(bool an) { m_ganzeSeite = an; }
    bool ganzeSeite() const { return m_ganzeSeite; }

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
    // Lines and boxes are given in program coordinates (origin applied) and
    // leave the current position at their end point (x2, y2); a picture
    // leaves it where it was.
    virtual void linie(double x1, double y1, double x2, double y2);
    virtual void rechteck(double x1, double y1, double x2, double y2, bool gefuellt = false);
    virtual void bild(const QString& datei, double x, double y, double breite, double hoehe);

    // Ends the page (an empty one too) and starts the next; the position goes
    // to (0, 0) of the origin.
    void neueSeite();
    // Sends the job (nothing when nothing was printed); false when the
    // printer failed. Inside a print run it only closes the page. The
    // position goes to (0, 0); the origin stays; font and job name start
    // afresh.
    bool dokumentEnde();
    // Drops the job without sending anything (inside a run too).
    void abbrechen();
    // True from the first output of a job until it is sent or dropped.
    bool auftragOffen() const { return m_offen; }
    // Why the last job failed, in words for the user ("" when it went out or
    // the back-end cannot tell).
    virtual QString letzterFehler() const { return QString(); }

    // Fonts the printer offers, in the printer's order.
    virtual QStringList schriften() const = 0;

    // Number of copies of the job.
    int kopien = 1;

    // Number of the page being printed (1 before the first output of a job).
    virtual int seitenNummer() const { return 1; }

protected:
    // Called before every output, also before an empty line: the back-end
    // opens the job and its first page here when none is open yet.
    virtual void ausgabeBeginnen() {}
    // The back-end closes the page and starts the next one of the open job.
    virtual void seiteWechseln() = 0;
    // The back-end sends the open job (true when none is open).
    virtual bool auftragSenden() = 0;
    // The back-end drops the open job.
    virtual void auftragVerwerfen() = 0;
    // Back-ends draw here; coordinates are page centimetres with the origin applied.
    virtual void textZeichnen(double x, double y, const QString& text) = 0;
    virtual void linieZeichnen(double x1, double y1, double x2, double y2) = 0;
    virtual void rechteckZeichnen(double x1, double y1, double x2, double y2, bool gefuellt) = 0;
    virtual void bildZeichnen(const QString& datei, double x, double y, double breite, double hoehe) = 0;

    int m_ausrichtung = 1;
    bool m_ganzeSeite = false;

private:
    // Before every output: a page closed by EndDoc inside a run is followed
    // by a new one, then the back-end opens the job.
    void ausgabe();
    void auftragZuEnde();

    QString m_auftragsname = StandardAuftragsname;
    bool m_offen = false;
    bool m_seitenwechsel = false; // EndDoc inside a run: the next output starts a page
};

// Print runs (see the header comment). Runs nest; after the outermost one
// has ended, the next EndDoc sends the job.
void druckLaufBeginnen();
void druckLaufBeenden();
bool druckLaufOffen();

// A job that went out as a file (the virtual printer "PDF" writes one file a
// job) is told here with the file's path, so the program can name it to the
// user; where the program sets nothing, nobody hears of it.
void ausgabeDateiMeldungSetzen(std::function<void(const QString& datei)> meldung);
void ausgabeDateiMelden(const QString& datei);

// Paper sizes the print routines name: the sheet in cm as it lies in portrait.
struct Papierformat
{
    const char* name;
    double breite;
    double hoehe;
};
// A4, A5, Letter and the envelopes DL, C4, C5, C6, C65, B4, B5, B6.
std::span<const Papierformat> papierformate();
// The format of that name (without regard to case); nullptr when unknown.
const Papierformat* papierformat(const QString& name);

// How a sheet goes to the printer: a sheet of a standard size (either way
// round, within a millimetre) goes out as that named size, upright, turned
// to landscape where the sheet lies broad side first, so that a printer can
// take it from its tray for that size; the orientation turns it once more.
// Any other sheet is a size of its own, turned by the orientation alone.
struct Blattlage
{
    const Papierformat* format = nullptr; // nullptr: a size of its own
    bool quer = false;                    // fed turned (landscape)
};
// breite, hoehe: the sheet as it lies in portrait (cm); ausrichtung 1 or 2.
Blattlage blattlage(double breite, double hoehe, int ausrichtung);
// The name the print service knows the sheet by: the named size, else
// "Custom.<w>x<h>mm".
QString blattName(double breite, double hoehe);

// The lines of a text to print: split at CR LF, LF and CR.
QStringList druckZeilen(const QString& text);

// A recording printer that needs no fonts: text is measured with fixed
// average character widths. It keeps the pages of the current job (or, after
// EndDoc, of the job just sent) with every drawing operation in page
// centimetres. The form library derives the test printer from it, which
// measures with the real fonts.
class AufzeichnungsDruckerBasis : public Drucker
{
public:
    explicit AufzeichnungsDruckerBasis(const QString& name = QStringLiteral("Aufzeichnung"));

    QString geraetename() const override { return m_name; }
    double seitenBreite() const override;
    double seitenHoehe() const override;
    // Paper size in cm, given upright (A4 21 x 29.7 by default).
    void setPapier(double breite, double hoehe);
    // The sheet as it lies in portrait, not turned upright (an envelope fed
    // broad side first).
    bool setPapierformat(double breite, double hoehe) override;
    double papierBreite() const override { return m_papierBreite; }
    double papierHoehe() const override { return m_papierHoehe; }
    // The margin the printer cannot reach, on every side (0 by default); the
    // printable area (scale width and height) is the sheet less it, unless
    // full-page mode is on. Positions count from the printable area's corner.
    void setUnbedruckbarerRand(double cm) { m_rand = cm > 0 ? cm : 0.0; }
    double unbedruckbarerRand() const { return ganzeSeite() ? 0.0 : m_rand; }
    double scaleWidth() const override { return seitenBreite() - 2 * unbedruckbarerRand(); }
    double scaleHeight() const override { return seitenHoehe() - 2 * unbedruckbarerRand(); }

    double textBreite(const QString& text) const override;
    double textHoehe(const QString& text = QStringLiteral("Ay")) const override;

    QStringList schriften() const override;
    int seitenNummer() const override;

    const std::vector<DruckSeite>& seiten() const { return m_seiten; }
    // What the print queue would get for the current (or last sent) job:
    // its name, the sheet's name and whether it is fed turned.
    const QString& auftragsTitel() const { return m_titel; }
    const QString& auftragsBlatt() const { return m_blatt; }
    bool auftragQuer() const { return m_quer; }
    // Jobs sent with EndDoc and jobs aborted so far.
    int auftraege() const { return m_auftraege; }
    int abbrueche() const { return m_abbrueche; }
    // True while a job is open (output since the last EndDoc/abort).
    bool imAuftrag() const { return m_imAuftrag; }

protected:
    // One line of text with the current font, in cm.
    virtual double zeilenBreite(const QString& zeile) const;
    virtual double zeilenHoehe() const;

    void ausgabeBeginnen() override;
    void seiteWechseln() override;
    bool auftragSenden() override;
    void auftragVerwerfen() override;
    void textZeichnen(double x, double y, const QString& text) override;
    void linieZeichnen(double x1, double y1, double x2, double y2) override;
    void rechteckZeichnen(double x1, double y1, double x2, double y2, bool gefuellt) override;
    void bildZeichnen(const QString& datei, double x, double y, double breite, double hoehe) override;

private:
    void hinzufuegen(DruckOperation op);

    QString m_name;
    QString m_titel;
    QString m_blatt;
    bool m_quer = false;
    double m_papierBreite = 21.0;
    double m_papierHoehe = 29.7;
    double m_rand = 0.0;
    std::vector<DruckSeite> m_seiten;
    bool m_imAuftrag = false;
    int m_auftraege = 0;
    int m_abbrueche = 0;
};

// The printers the program may choose among. The form library installs the
// system's list (every printer the print service knows, plus "PDF"); tests
// install their own. The default offers one recording printer.
struct DruckerInfo
{
    QString name; // device name
    QString ort;  // where it is: location, connection or folder ("" unknown)
};
class DruckerVerzeichnis
{
public:
    virtual ~DruckerVerzeichnis() = default;
    // In the order the system lists them.
    virtual std::vector<DruckerInfo> drucker() const = 0;
    // A printer of that name (exact name from the list); nullptr when there is none.
    virtual std::unique_ptr<Drucker> erzeugen(const QString& name) const = 0;
};
DruckerVerzeichnis& druckerVerzeichnis();
// Installs v (not owned); nullptr puts the default back.
void druckerVerzeichnisSetzen(DruckerVerzeichnis* v);

// The program's current printer (a recording printer until the form library
// installs the system's default printer). Never null.
Drucker& drucker();
// Replaces the current printer for the rest of the run (takes ownership).
void druckerSetzen(std::unique_ptr<Drucker> d);

} // namespace zplatform
