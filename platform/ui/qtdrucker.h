#pragma once
// The real printer: any printer the system knows, plus the virtual printer
// "PDF" that writes every job as a numbered file "Zettlora_<n>.pdf" into its
// folder and tells the file (ausgabeDateiMelden). Positions are centimetres
// from the top-left corner of the printable area; "PDF" leaves the edge of an
// office laser printer unprinted (pdfRand), so a PDF shows a job as paper
// does. A job reaches the print service under the printer's job name, on a
// sheet of a named size where it has one (see blattlage()).

#include "platform/drucker.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QStringList>
#include <memory>

class QPainter;
class QPrinter;

namespace zplatform {

// Name of the virtual PDF printer.
inline const QString pdfDruckerName = QStringLiteral("PDF");
// The edge the virtual PDF printer leaves unprinted on every side, in cm: what
// a common office laser printer cannot reach.
inline constexpr double pdfRand = 0.5;

// The printer's font as a Qt font (size in points): the family that prints
// the name (druckFamilie), shaped by nothing but the font's character map
// (no ligatures or substitutions, no kerning). A stored colour (0x00BBGGRR).
QFont alsQFont(const DruckSchrift& s);
QColor alsQColor(unsigned farbe);

// The family that prints a font name: the name itself when the system has
// that font, else for "Arial", "Courier New" and "Times New Roman" (any case)
// the metric-compatible Liberation Sans, Liberation Mono and Liberation Serif.
QString druckFamilie(const QString& name);
// The name a font list shows for a family: "Arial", "Courier New" or "Times
// New Roman" for the Liberation font that stands in for it, else the family.
QString schriftAnzeigename(const QString& familie);
// The fonts to print with: the system's families and the Windows names that
// the Liberation fonts stand in for, in alphabetical order.
QStringList druckSchriften();

class QtDrucker : public Drucker
{
public:
    // name: a printer the system knows, or "PDF".
    explicit QtDrucker(const QString& name);
    ~QtDrucker() override;

    QString geraetename() const override { return m_name; }
    bool istPdf() const { return m_pdf; }

    void setAusrichtung(int a) override;
    // A standard size within a millimetre keeps its name (the print service
    // then feeds the right media); any other size goes out as a custom size.
    bool setPapierformat(double breite, double hoehe) override;
    double papierBreite() const override;
    double papierHoehe() const override;
    void setGanzeSeite(bool an) override;
    double seitenBreite() const override;
    double seitenHoehe() const override;
    double scaleWidth() const override;
    double scaleHeight() const override;

    double textBreite(const QString& text) const override;
    double textHoehe(const QString& text = QStringLiteral("Ay")) const override;

    QStringList schriften() const override;
    int seitenNummer() const override { return m_seite; }

    // Folder of the PDF files ("" = the default, see pdfStandardOrdnerSetzen).
    void setPdfOrdner(const QString& ordner) { m_pdfOrdner = ordner; }
    QString pdfOrdner() const;
    // The file the last PDF job wrote ("" before the first one).
    QString letztePdfDatei() const { return m_letztePdf; }
    // Why the last job failed ("" when it went out).
    QString letzterFehler() const override { return m_fehlerText; }

    // The Qt printer, for the print dialogs (do not use while a job is open).
    QPrinter& qprinter() { return *m_printer; }

protected:
    void ausgabeBeginnen() override;
    void seiteWechseln() override;
    bool auftragSenden() override;
    void auftragVerwerfen() override;
    void textZeichnen(double x, double y, const QString& text) override;
    void linieZeichnen(double x1, double y1, double x2, double y2) override;
    void rechteckZeichnen(double x1, double y1, double x2, double y2, bool gefuellt) override;
    void bildZeichnen(const QString& datei, double x, double y, double breite, double hoehe) override;

private:
    double px(double cm) const;
    QFont geraeteSchrift() const;
    const QFontMetricsF& metrik() const;
    QString naechstePdfDatei() const;
    void auftragZuruecksetzen();
    // Puts the sheet and the orientation on the Qt printer (outside a job).
    void blattAnwenden();

    QString m_name;
    bool m_pdf = false;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
    bool m_imAuftrag = false;
    bool m_fehler = false;
    // The sheet as it lies in portrait (cm), when set by setPapierformat.
    double m_blattBreite = 0;
    double m_blattHoehe = 0;
    int m_seite = 1;
    QString m_pdfOrdner;
    QString m_aktuellePdf;
    QString m_letztePdf;
    QString m_fehlerText;
    mutable DruckSchrift m_gemessen;
    mutable std::unique_ptr<QFontMetricsF> m_metrik;
};

// The folder every "PDF" printer writes into unless it was given its own;
// the program sets it from its settings at start. "" = the user's documents
// folder (dokumenteOrdner()).
void pdfStandardOrdnerSetzen(const QString& ordner);
QString pdfStandardOrdner();

// Printers the system knows, then "PDF".
QStringList druckerNamen();
// Where a printer is: its location, else its make and model, else its
// description as the print service tells them; for "PDF" the folder of its files.
QString druckerOrt(const QString& name);

// The system's printers for the print dialogs (installed by desktopEinrichten).
class QtDruckerVerzeichnis : public DruckerVerzeichnis
{
public:
    std::vector<DruckerInfo> drucker() const override;
    std::unique_ptr<Drucker> erzeugen(const QString& name) const override;
};
// A printer by name (without regard to case); nullptr when there is none of that name.
std::unique_ptr<Drucker> druckerErzeugen(const QString& name);

} // namespace zplatform
