#include "platform/ui/qtdrucker.h"

#include "platform/ordner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>

#include <algorithm>

namespace zplatform {

namespace {
QString& pdfOrdnerEinstellung()
{
    static QString ordner;
    return ordner;
}

// The printable area of the PDF printer: the sheet less its unprinted edge.
void pdfRandSetzen(QPrinter& p)
{
    const double mm = pdfRand * 10.0;
    p.setPageMargins(QMarginsF(mm, mm, mm, mm), QPageLayout::Millimeter);
}
} // namespace

void pdfStandardOrdnerSetzen(const QString& ordner)
{
    pdfOrdnerEinstellung() = ordner.trimmed();
}

QString pdfStandardOrdner()
{
    const QString& ordner = pdfOrdnerEinstellung();
    return ordner.isEmpty() ? dokumenteOrdner() : normalPfad(ordner);
}

namespace {

// The Windows fonts the print routines name, and the metric-compatible fonts
// that set-up installs in their place.
struct Ersatzschrift
{
    QLatin1String windows;
    QLatin1String ersatz;
};
constexpr Ersatzschrift Ersatzschriften[] = {
    {QLatin1String("Arial"), QLatin1String("Liberation Sans")},
    {QLatin1String("Courier New"), QLatin1String("Liberation Mono")},
    {QLatin1String("Times New Roman"), QLatin1String("Liberation Serif")},
};

// Whether the Liberation font stands in for the Windows name (looked up once).
bool vertreten(const Ersatzschrift& e)
{
    static QHash<QString, bool> bekannt;
    const auto it = bekannt.constFind(e.windows);
    if (it != bekannt.constEnd())
        return *it;
    const bool ja = !QFontDatabase::hasFamily(e.windows) && QFontDatabase::hasFamily(e.ersatz);
    bekannt.insert(e.windows, ja);
    return ja;
}

} // namespace

QString druckFamilie(const QString& name)
{
    if (name.isEmpty())
        return druckFamilie(QStringLiteral("Arial"));
    for (const Ersatzschrift& e : Ersatzschriften) {
        if (name.compare(e.windows, Qt::CaseInsensitive) == 0)
            return vertreten(e) ? QString(e.ersatz) : QString(e.windows);
    }
    return name;
}

QString schriftAnzeigename(const QString& familie)
{
    for (const Ersatzschrift& e : Ersatzschriften) {
        if (familie.compare(e.ersatz, Qt::CaseInsensitive) == 0 && vertreten(e))
            return e.windows;
    }
    return familie;
}

QStringList druckSchriften()
{
    QStringList namen = QFontDatabase::families();
    for (const Ersatzschrift& e : Ersatzschriften) {
        if (vertreten(e) && !namen.contains(e.windows, Qt::CaseInsensitive))
            namen << e.windows;
    }
    namen.sort(Qt::CaseInsensitive);
    return namen;
}

QFont alsQFont(const DruckSchrift& s)
{
    QFont f(druckFamilie(s.name));
    f.setPointSizeF(s.groesse > 0 ? s.groesse : 10.0);
    f.setBold(s.fett);
    f.setItalic(s.kursiv);
    f.setUnderline(s.unterstrichen);
    f.setStrikeOut(s.durchgestrichen);
    f.setHintingPreference(QFont::PreferNoHinting);
    // The characters as given, each with its own width: no shaping (which
    // joins "fl" or "ff" and may replace whole sequences) and no kerning.
    f.setStyleStrategy(QFont::PreferNoShaping);
    f.setKerning(false);
    return f;
}

QColor alsQColor(unsigned farbe)
{
    return QColor(int(farbe & 0xFF), int((farbe >> 8) & 0xFF), int((farbe >> 16) & 0xFF));
}

QtDrucker::QtDrucker(const QString& name) : m_name(name)
{
    m_pdf = name.compare(pdfDruckerName, Qt::CaseInsensitive) == 0;
    if (m_pdf) {
        m_name = pdfDruckerName;
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setPageSize(QPageSize(QPageSize::A4));
        m_printer->setFullPage(false);
        pdfRandSetzen(*m_printer);
        m_printer->setCreator(QStringLiteral("Zettlora"));
    } else {
        m_printer = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(name), QPrinter::HighResolution);
        m_printer->setFullPage(false);
    }
    m_printer->setPageOrientation(QPageLayout::Portrait);
    m_printer->setDocName(QStringLiteral("Zettlora"));
}

QtDrucker::~QtDrucker()
{
    // Output not yet sent goes out when the program ends (or another printer
    // takes this one's place), as it always did.
    if (m_imAuftrag)
        auftragSenden();
}

void QtDrucker::setAusrichtung(int a)
{
    Drucker::setAusrichtung(a == 2 ? 2 : 1);
    blattAnwenden();
}

namespace {
// The page sizes the print service knows the standard sheets by.
QPageSize::PageSizeId seitenId(const Papierformat& f)
{
    static const struct
    {
        const char* name;
        QPageSize::PageSizeId id;
    } Ids[] = {{"A4", QPageSize::A4},
               {"A5", QPageSize::A5},
               {"Letter", QPageSize::Letter},
               {"DL", QPageSize::EnvelopeDL},
               {"C4", QPageSize::EnvelopeC4},
               {"C5", QPageSize::EnvelopeC5},
               {"C6", QPageSize::EnvelopeC6},
               {"C65", QPageSize::EnvelopeC65},
               {"B4", QPageSize::EnvelopeB4},
               {"B5", QPageSize::EnvelopeB5},
               {"B6", QPageSize::EnvelopeB6}};
    for (const auto& i : Ids) {
        if (qstrcmp(i.name, f.name) == 0)
            return i.id;
    }
    return QPageSize::Custom;
}
} // namespace

void QtDrucker::blattAnwenden()
{
    if (m_imAuftrag)
        return;
    const bool quer = ausrichtung() == 2;
    if (m_blattBreite > 0 && m_blattHoehe > 0) {
        const Blattlage lage = blattlage(m_blattBreite, m_blattHoehe, ausrichtung());
        const QPageSize::PageSizeId id = lage.format ? seitenId(*lage.format) : QPageSize::Custom;
        const QPageSize groesse = id != QPageSize::Custom
                                      ? QPageSize(id)
                                      : QPageSize(QSizeF(m_blattBreite * 10.0, m_blattHoehe * 10.0),
                                                  QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
        // The page as it is printed, and the size as the service defines it:
        // turned where the two lie differently.
        const double breiteGedruckt = quer ? m_blattHoehe : m_blattBreite;
        const double hoeheGedruckt = quer ? m_blattBreite : m_blattHoehe;
        const QSizeF definiert = groesse.size(QPageSize::Millimeter);
        const bool gedreht = (breiteGedruckt > hoeheGedruckt) != (definiert.width() > definiert.height());
        m_printer->setPageSize(groesse);
        m_printer->setPageOrientation(gedreht ? QPageLayout::Landscape : QPageLayout::Portrait);
    } else {
        m_printer->setPageOrientation(quer ? QPageLayout::Landscape : QPageLayout::Portrait);
    }
    if (m_pdf)
        pdfRandSetzen(*m_printer);
    m_metrik.reset();
}

bool QtDrucker::setPapierformat(double breite, double hoehe)
{
    if (!(breite > 0 && hoehe > 0) || m_imAuftrag)
        return false;
    m_blattBreite = breite;
    m_blattHoehe = hoehe;
    blattAnwenden();
    return true;
}

double QtDrucker::papierBreite() const
{
    if (m_blattBreite > 0)
        return m_blattBreite;
    return m_printer->pageLayout().pageSize().size(QPageSize::Millimeter).width() / 10.0;
}

double QtDrucker::papierHoehe() const
{
    if (m_blattHoehe > 0)
        return m_blattHoehe;
    return m_printer->pageLayout().pageSize().size(QPageSize::Millimeter).height() / 10.0;
}

void QtDrucker::setGanzeSeite(bool an)
{
    Drucker::setGanzeSeite(an);
    if (!m_imAuftrag)
        m_printer->setFullPage(an);
}

double QtDrucker::seitenBreite() const
{
    return m_printer->pageLayout().fullRect(QPageLayout::Millimeter).width() / 10.0;
}

double QtDrucker::seitenHoehe() const
{
    return m_printer->pageLayout().fullRect(QPageLayout::Millimeter).height() / 10.0;
}

double QtDrucker::scaleWidth() const
{
    return m_printer->pageLayout().paintRect(QPageLayout::Millimeter).width() / 10.0;
}

double QtDrucker::scaleHeight() const
{
    return m_printer->pageLayout().paintRect(QPageLayout::Millimeter).height() / 10.0;
}

double QtDrucker::px(double cm) const
{
    return cm / 2.54 * m_printer->resolution();
}

QFont QtDrucker::geraeteSchrift() const
{
    return QFont(alsQFont(schrift), m_printer.get());
}

const QFontMetricsF& QtDrucker::metrik() const
{
    const DruckSchrift& s = schrift;
    const DruckSchrift& g = m_gemessen;
    if (!m_metrik || s.name != g.name || s.groesse != g.groesse || s.fett != g.fett || s.kursiv != g.kursiv ||
        s.unterstrichen != g.unterstrichen || s.durchgestrichen != g.durchgestrichen) {
        m_gemessen = schrift;
        m_metrik = std::make_unique<QFontMetricsF>(geraeteSchrift(), m_printer.get());
    }
    return *m_metrik;
}

double QtDrucker::textBreite(const QString& text) const
{
    const QFontMetricsF& fm = metrik();
    double breite = 0.0;
    for (const QString& zeile : druckZeilen(text))
        breite = std::max(breite, fm.horizontalAdvance(zeile));
    return breite / m_printer->resolution() * 2.54;
}

double QtDrucker::textHoehe(const QString& text) const
{
    return double(druckZeilen(text).size()) * metrik().height() / m_printer->resolution() * 2.54;
}

QString QtDrucker::pdfOrdner() const
{
    return m_pdfOrdner.isEmpty() ? pdfStandardOrdner() : normalPfad(m_pdfOrdner);
}

QString QtDrucker::naechstePdfDatei() const
{
    const QString ordner = pfadAufloesen(pdfOrdner());
    static const QRegularExpression nummer(QStringLiteral("^Zettlora_(\\d+)\\.pdf$"),
                                           QRegularExpression::CaseInsensitiveOption);
    int hoechste = 0;
    for (const QString& name : dateienListen(ordner, QStringLiteral("Zettlora_*.pdf"))) {
        const QRegularExpressionMatch m = nummer.match(name);
        if (m.hasMatch())
            hoechste = std::max(hoechste, m.captured(1).toInt());
    }
    return ordner + QStringLiteral("/Zettlora_%1.pdf").arg(hoechste + 1);
}

void QtDrucker::ausgabeBeginnen()
{
    if (m_imAuftrag)
        return;
    m_fehler = false;
    m_metrik.reset(); // the print dialog may have changed the printer
    m_fehlerText.clear();
    m_seite = 1;
    blattAnwenden();
    m_imAuftrag = true;
    m_printer->setDocName(auftragsname());
    m_printer->setCopyCount(std::max(1, kopien));
    if (m_pdf) {
        m_aktuellePdf = naechstePdfDatei();
        QDir().mkpath(QFileInfo(m_aktuellePdf).absolutePath());
        m_printer->setOutputFileName(m_aktuellePdf);
    }
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_printer.get())) {
        m_painter.reset();
        m_fehler = true;
        m_fehlerText = m_pdf ? QStringLiteral("Die Datei %1 kann nicht angelegt werden.")
                                   .arg(QDir::toNativeSeparators(m_aktuellePdf))
                             : QStringLiteral("Der Drucker %1 ist nicht bereit.").arg(m_name);
        return;
    }
    m_painter->setRenderHint(QPainter::Antialiasing);
    m_painter->setRenderHint(QPainter::TextAntialiasing);
}

void QtDrucker::textZeichnen(double x, double y, const QString& text)
{
    if (!m_painter)
        return;
    const QFont f = geraeteSchrift();
    m_painter->setFont(f);
    m_painter->setPen(alsQColor(schrift.farbe));
    m_painter->drawText(QPointF(px(x), px(y) + metrik().ascent()), text);
}

void QtDrucker::linieZeichnen(double x1, double y1, double x2, double y2)
{
    if (!m_painter)
        return;
    QPen stift(alsQColor(schrift.farbe));
    stift.setWidthF(std::max(1.0, m_printer->resolution() / 300.0));
    m_painter->setPen(stift);
    m_painter->drawLine(QPointF(px(x1), px(y1)), QPointF(px(x2), px(y2)));
}

void QtDrucker::rechteckZeichnen(double x1, double y1, double x2, double y2, bool gefuellt)
{
    if (!m_painter)
        return;
    const QColor farbe = alsQColor(schrift.farbe);
    QPen stift(farbe);
    stift.setWidthF(std::max(1.0, m_printer->resolution() / 300.0));
    m_painter->setPen(stift);
    m_painter->setBrush(gefuellt ? QBrush(farbe) : QBrush(Qt::NoBrush));
    m_painter->drawRect(QRectF(QPointF(px(x1), px(y1)), QPointF(px(x2), px(y2))).normalized());
    m_painter->setBrush(Qt::NoBrush);
}

void QtDrucker::bildZeichnen(const QString& datei, double x, double y, double breite, double hoehe)
{
    if (!m_painter)
        return;
    const QImage bild(pfadAufloesen(datei));
    if (bild.isNull())
        return;
    m_painter->drawImage(QRectF(px(x), px(y), px(breite), px(hoehe)), bild);
}

void QtDrucker::seiteWechseln()
{
    if (m_painter && !m_printer->newPage())
        m_fehler = true;
    ++m_seite;
}

void QtDrucker::auftragZuruecksetzen()
{
    m_painter.reset();
    m_imAuftrag = false;
    m_seite = 1;
}

bool QtDrucker::auftragSenden()
{
    if (!m_imAuftrag)
        return true;
    bool ok = !m_fehler;
    if (m_painter)
        ok = m_painter->end() && ok;
    if (m_pdf) {
        if (ok && QFileInfo(m_aktuellePdf).size() > 0)
            m_letztePdf = m_aktuellePdf;
        else if (m_fehlerText.isEmpty())
            m_fehlerText = QStringLiteral("Die Datei %1 kann nicht geschrieben werden.")
                               .arg(QDir::toNativeSeparators(m_aktuellePdf));
        ok = ok && m_letztePdf == m_aktuellePdf;
        if (ok)
            ausgabeDateiMelden(m_letztePdf);
    } else if (!ok && m_fehlerText.isEmpty()) {
        m_fehlerText = QStringLiteral("Der Druckauftrag konnte nicht an %1 gesendet werden.").arg(m_name);
    }
    auftragZuruecksetzen();
    return ok;
}

void QtDrucker::auftragVerwerfen()
{
    if (!m_imAuftrag)
        return;
    if (m_painter) {
        m_printer->abort();
        if (m_painter->isActive())
            m_painter->end();
    }
    if (m_pdf && !m_aktuellePdf.isEmpty())
        QFile::remove(m_aktuellePdf);
    auftragZuruecksetzen();
}

QStringList QtDrucker::schriften() const
{
    return druckSchriften();
}

QStringList druckerNamen()
{
    QStringList namen = QPrinterInfo::availablePrinterNames();
    namen << pdfDruckerName;
    return namen;
}

QString druckerOrt(const QString& name)
{
    if (name.compare(pdfDruckerName, Qt::CaseInsensitive) == 0)
        return QDir::toNativeSeparators(pdfStandardOrdner());
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull())
        return QString();
    if (!info.location().isEmpty())
        return info.location();
    if (!info.makeAndModel().isEmpty())
        return info.makeAndModel();
    return info.description();
}

std::vector<DruckerInfo> QtDruckerVerzeichnis::drucker() const
{
    std::vector<DruckerInfo> liste;
    for (const QString& name : druckerNamen())
        liste.push_back({name, druckerOrt(name)});
    return liste;
}

std::unique_ptr<Drucker> QtDruckerVerzeichnis::erzeugen(const QString& name) const
{
    return druckerErzeugen(name);
}

std::unique_ptr<Drucker> druckerErzeugen(const QString& name)
{
    if (name.compare(pdfDruckerName, Qt::CaseInsensitive) == 0)
        return std::make_unique<QtDrucker>(pdfDruckerName);
    for (const QString& n : QPrinterInfo::availablePrinterNames()) {
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return std::make_unique<QtDrucker>(n);
    }
    return nullptr;
}

} // namespace zplatform
