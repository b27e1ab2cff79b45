#pragma once
// Words of a PDF as pdftotext -bbox reports them, in centimetres.

#include "support/pdfschriften.h"

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <vector>

struct PdfWort
{
    QString text;
    double x = 0, y = 0, x2 = 0, y2 = 0; // cm from the page's top-left corner
    int seite = 0;                       // 1-based
};

struct PdfInhalt
{
    std::vector<PdfWort> woerter;
    std::vector<std::pair<double, double>> seiten; // width, height in cm
    QString titel;                                 // the document's title
    bool gelesen = false;

    const PdfWort* wort(const QString& text, int ab = 0) const
    {
        for (size_t i = size_t(ab); i < woerter.size(); ++i) {
            if (woerter[i].text == text)
                return &woerter[i];
        }
        return nullptr;
    }
    // The words closer than abstand cm to an edge of their page, or off it, as
    // "word (x, y)-(x2, y2) cm"; "" when every word keeps its distance. A
    // tenth of a millimetre is measuring error: pdftotext's word box begins
    // about 0.07 mm left of where the text was put.
    QString amRand(double abstand) const
    {
        abstand -= 0.01;
        QString liste;
        for (const PdfWort& w : woerter) {
            const auto& [breite, hoehe] = seiten.at(size_t(w.seite - 1));
            if (w.x < abstand || w.y < abstand || w.x2 > breite - abstand || w.y2 > hoehe - abstand)
                liste += QStringLiteral("%1 (%2, %3)-(%4, %5) cm; ")
                             .arg(w.text)
                             .arg(w.x, 0, 'f', 3)
                             .arg(w.y, 0, 'f', 3)
                             .arg(w.x2, 0, 'f', 3)
                             .arg(w.y2, 0, 'f', 3);
        }
        return liste;
    }
    QString alles() const
    {
        QString t;
        for (const PdfWort& w : woerter)
            t += w.text + u' ';
        return t;
    }
};

inline PdfInhalt pdfLesen(const QString& pfad)
{
    PdfInhalt inhalt;
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-bbox"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), pfad, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return inhalt;
    inhalt.gelesen = true;
    const QString xml = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression titel(QStringLiteral("<title>([^<]*)</title>"));
    inhalt.titel = titel.match(xml).captured(1);
    constexpr double cm = 2.54 / 72.0;
    static const QRegularExpression element(
        QStringLiteral("<page width=\"(-?[\\d.]+)\" height=\"(-?[\\d.]+)\">|<word xMin=\"(-?[\\d.]+)\" yMin=\"(-?[\\d.]+)\" "
                       "xMax=\"(-?[\\d.]+)\" yMax=\"(-?[\\d.]+)\">([^<]*)</word>"));
    for (auto it = element.globalMatch(xml); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (!m.captured(1).isEmpty()) {
            inhalt.seiten.emplace_back(m.captured(1).toDouble() * cm, m.captured(2).toDouble() * cm);
            continue;
        }
        PdfWort w;
        w.x = m.captured(3).toDouble() * cm;
        w.y = m.captured(4).toDouble() * cm;
        w.x2 = m.captured(5).toDouble() * cm;
        w.y2 = m.captured(6).toDouble() * cm;
        w.text = m.captured(7).replace(QLatin1String("&amp;"), QLatin1String("&"));
        w.seite = int(inhalt.seiten.size());
        inhalt.woerter.push_back(w);
    }
    return inhalt;
}
