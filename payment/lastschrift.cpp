#include "payment/lastschrift.h"

#include "common/dateien.h"
#include "common/texte.h"
#include "payment/betrag.h"
#include "payment/ueberweisung.h"

namespace zzahlung {

namespace {

double cm(double wert)
{
    return double(float(wert));
}

void zeile(zplatform::Drucker& d, double x, double y, const QString& text)
{
    d.currentY = cm(y);
    d.currentX = cm(x);
    d.drucken(text);
}

QString einzeilig(QString wert)
{
    for (QChar& c : wert) {
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    }
    return wert;
}

} // namespace

QString Lastschrift_Satz(const Lastschrift& l)
{
    QString satz = LastschriftMarke + u'\t';
    for (const QString* wert : {&l.absName, &l.absKontoNr, &l.absBLZ, &l.absBank, &l.waehrung, &l.betrag,
                                &l.verwendung1, &l.verwendung2, &l.empName, &l.empKontoNr})
        satz += u'-' + einzeilig(*wert) + u'\t';
    return satz;
}

std::optional<Lastschrift> Lastschrift_Lesen(const QString& zeile)
{
    const QStringList woerter = zeile.split(u'\t', Qt::SkipEmptyParts);
    if (woerter.size() <= 10 || woerter.front() != LastschriftMarke)
        return std::nullopt;
    auto wert = [&](int i) { return zcommon::Trim(woerter.at(i).mid(1)); };
    Lastschrift l;
    l.absName = wert(1);
    l.absKontoNr = wert(2);
    l.absBLZ = wert(3);
    l.absBank = wert(4);
    l.waehrung = wert(5);
    l.betrag = wert(6);
    l.verwendung1 = wert(7);
    l.verwendung2 = wert(8);
    l.empName = wert(9);
    l.empKontoNr = wert(10);
    return l;
}

QString Sammeldatei_Pfad(const QString& datenOrdner)
{
    return datenOrdner + QStringLiteral("/LastschriftSammlung.txt");
}

zplatform::Ergebnis Lastschrift_Anhaengen(const QString& pfad, const Lastschrift& l)
{
    return zplatform::zeilenAnhaengen(zcommon::Pfad(pfad), {Lastschrift_Satz(l)});
}

QString Lastschriftlog_Pfad(const QString& einstellung, const QDate& heute)
{
    if (zcommon::Trim(einstellung).isEmpty())
        return QString();
    return zcommon::Pfad(zcommon::Ersetzen(einstellung, QStringLiteral("{JJJJ}"), QString::number(heute.year())));
}

void Lastschrift_Layout(zplatform::Drucker& d, const Lastschrift& l, const QString& schrift, double randX, double randY,
                        const QDate& heute, const QString& bild, int belege, const Kartenanschrift* karte)
{
    const double mx = randX;
    const double my = randY;
    d.scaleTop = 0;
    d.scaleLeft = 0;
    d.currentX = 0;
    d.currentY = 0;
    Schrift_Vorbereiten(d, schrift);
    if (!bild.isEmpty())
        d.bild(bild, cm(mx - 0.7), cm(my + 6.8), 15, 20);

    const double wert = Betrag_Wert(l.betrag);
    const double x0 = mx - 1.1;
    for (int form = 1; form <= (belege > 0 ? 2 : 1); ++form) {
        d.schrift.groesse = 13;
        d.schrift.fett = false;
        d.schrift.kursiv = false;
        const double y0 = my + (form == 1 ? 6.6 : 17.2);
        if (form == 2 && bild.isEmpty()) {
            d.schrift.farbe = 0;
            d.linie(cm(x0 + 14.8), cm(y0 + 0.1), cm(x0 + 15.2), cm(y0 + 0.1));
            d.linie(cm(x0 + 15.0), cm(y0 - 0.1), cm(x0 + 15.0), cm(y0 + 0.3));
        }
        zeile(d, x0 + 1.1, y0 + 2.3, l.absName);
        zeile(d, x0 + 1.3, y0 + 3.1, l.absKontoNr);
        zeile(d, x0 + 10.7, y0 + 3.1, l.absBLZ);
        zeile(d, x0 + 1.1, y0 + 3.9, l.absBank);
        if (!l.waehrung.isEmpty())
            zeile(d, x0 + 6.7, y0 + 4.8, l.waehrung);
        if (wert > 0.0)
            zeile(d, x0 + 8.7, y0 + 4.8, l.betrag);
        zeile(d, x0 + 1.1, y0 + 5.6, l.verwendung1);
        zeile(d, x0 + 1.1, y0 + 6.45, l.verwendung2);
        zeile(d, x0 + 1.1, y0 + 7.4, l.empName);
        zeile(d, x0 + 1.1, y0 + 8.2, l.empKontoNr);
    }
    if (belege <= 0)
        return;

    d.schrift.groesse = 9;
    d.schrift.fett = false;
    d.currentY = cm(my + 7.6);
    const QStringList stub = {
        QStringLiteral("Lastschrift"),
        QString(),
        QString(),
        heute.toString(QStringLiteral("dd.MM.yyyy")),
        QString(),
        Betrag_Text(wert) + u' ' + l.waehrung,
        QString(),
        QStringLiteral("Knt.Nr. ") + l.absKontoNr,
        QStringLiteral("BLZ     ") + l.absBLZ,
        l.absBank,
        QString(),
        QString(),
        l.verwendung1,
        l.verwendung2,
        QString(),
        QString(),
        l.absName,
        karte ? karte->strasse : QString(),
        karte ? karte->plz + u' ' + karte->ort : QString(),
        QString(),
        karte ? QStringLiteral("Kunde #") + karte->kunde : QString(),
        QString(),
    };
    for (qsizetype i = 0; i < stub.size(); ++i) {
        d.currentX = cm(x0 + 15.5);
        if (i == 0)
            d.schrift.farbe = 0xFF00FF;
        d.drucken(stub.at(i));
        if (i == 0)
            d.schrift.farbe = 0;
    }
}

} // namespace zzahlung
