#include "payment/ueberweisung.h"

#include "common/dateien.h"
#include "common/texte.h"
#include "payment/betrag.h"

#include <QLocale>

namespace zzahlung {

namespace {

// Positions are handed to the printer in single precision, as the forms were measured.
double cm(double wert)
{
    return double(float(wert));
}

void setzen(zplatform::Drucker& d, double x, double y)
{
    d.currentY = cm(y);
    d.currentX = cm(x);
}

void zeile(zplatform::Drucker& d, double x, double y, const QString& text)
{
    setzen(d, x, y);
    d.drucken(text);
}

constexpr unsigned Schwarz = 0x000000;
constexpr unsigned Blau = 0xFF0000; // 0x00BBGGRR

} // namespace

QString Empfaenger_Name(const QString& vorname, const QString& nachname, const QString& plz, const QString& ort,
                        int maxLaenge)
{
    QString name = zcommon::Trim(vorname + u' ' + nachname);
    // The line grows part by part also where a part was refused: a place
    // never stands after a name whose postcode did not fit.
    QString kandidat = name;
    for (const QString* teil : {&plz, &ort}) {
        kandidat = zcommon::Trim(kandidat + u' ' + *teil);
        if (kandidat.size() <= maxLaenge)
            name = kandidat;
    }
    return name;
}

QString Verwendung_AusAuswahl(const QString& auswahl)
{
    return zcommon::Ersetzen(zcommon::Trim(auswahl), QStringLiteral("\r\n"), QStringLiteral(" "));
}

QString KontenLog_Pfad(const QString& datenOrdner, const QString& kontoNr)
{
    QString name = zcommon::Dateiname_Bereinigen(kontoNr);
    name.replace(u'/', u'_');
    name.replace(QChar(0), u'_');
    return datenOrdner + QStringLiteral("/Konto_") + name + QStringLiteral(".Log");
}

QStringList KontenLog_Eintrag(const Ueberweisung& u, const QDateTime& wann)
{
    static const QLocale deutsch(QLocale::German, QLocale::Germany);
    QString waehrung = u.waehrung + u':';
    waehrung = waehrung.leftJustified(6, u' ', true);
    const QString betrag = Betrag_Wert(u.betrag) > 0.0 ? u.betrag : QString();
    return {
        QString(),
        QString(79, u'-'),
        QString(),
        QStringLiteral("Wann: ") + wann.toString(QStringLiteral("dd.MM.yyyy hh:mm")) + QStringLiteral(", ") +
            deutsch.dayName(wann.date().dayOfWeek(), QLocale::LongFormat),
        QStringLiteral("Von:  ") + u.auftraggeberName + QStringLiteral(", Konto: ") + u.auftraggeberKontoNr +
            QStringLiteral(", BLZ: ") + u.auftraggeberBLZ,
        waehrung + betrag,
        QStringLiteral("An:   ") + u.empfaengerName + QStringLiteral(", Konto: ") + u.empfaengerKontoNr +
            QStringLiteral(", BLZ: ") + u.empfaengerBLZ,
        QStringLiteral("Bem:  ") + u.verwendung1,
        QStringLiteral("      ") + u.verwendung2,
    };
}

zplatform::Ergebnis KontenLog_Schreiben(const QString& pfad, const Ueberweisung& u, const QDateTime& wann)
{
    return zplatform::zeilenAnhaengen(zcommon::Pfad(pfad), KontenLog_Eintrag(u, wann));
}

void Schrift_Vorbereiten(zplatform::Drucker& d, const QString& schrift)
{
    d.schrift.groesse = 1;
    d.drucken(QStringLiteral(" "));
    d.schrift.name = QStringLiteral("Courier New");
    if (!schrift.isEmpty())
        d.schrift.name = schrift;
}

void Ueberweisung_Klassisch(zplatform::Drucker& d, const Ueberweisung& u, const QString& schrift, double randX,
                            double randY, const QDate& datum)
{
    d.scaleTop = -cm(randY);
    d.scaleLeft = -cm(randX);
    d.currentX = 0;
    d.currentY = 0;
    Schrift_Vorbereiten(d, schrift);
    d.schrift.groesse = 13;
    d.schrift.fett = true;
    d.schrift.kursiv = false;

    zeile(d, 0.1, 0.8, u.empfaengerName);
    zeile(d, 0.1, 1.6, u.empfaengerKontoNr);
    zeile(d, 9.7, 1.6, u.empfaengerBLZ);
    zeile(d, 0.1, 2.4, u.empfaengerBank);
    if (!u.waehrung.isEmpty())
        zeile(d, 5.7, 3.3, u.waehrung);
    setzen(d, 7.7, 3.3);
    if (Betrag_Wert(u.betrag) > 0.0)
        d.drucken(u.betrag);
    zeile(d, 0.1, 4.1, u.verwendung1);
    zeile(d, 0.1, 5.0, u.verwendung2);
    zeile(d, 0.1, 5.8, u.auftraggeberName);
    zeile(d, 0.1, 6.6, u.auftraggeberKontoNr);
    if (u.datumDrucken)
        zeile(d, 3.7, 8.0, datum.toString(QStringLiteral("d.M.yyyy")));
}

void Ueberweisung_Formular(zplatform::Drucker& d, const Ueberweisung& u, const QString& schrift, double randX,
                           double randY, const QDate& datum, const QString& bild, const QString& unterschrift,
                           const QString& kunde)
{
    const double mX = randX;
    const double mY = randY;
    d.scaleTop = 0;
    d.scaleLeft = 0;
    d.currentX = 0;
    d.currentY = 0;
    Schrift_Vorbereiten(d, schrift);

    if (!bild.isEmpty())
        d.bild(bild, cm(mX - 0.6), cm(mY + 6.7), 15, 20);

    const QString betrag = Betrag_Wert(u.betrag) > 0.0 ? u.betrag : QString();
    const QString heute = datum.toString(QStringLiteral("dd.MM.yyyy"));
    for (int kopie = 2; kopie <= 3; ++kopie) {
        const bool oben = kopie == 2;
        d.schrift.groesse = 13;
        d.schrift.fett = false;
        d.schrift.kursiv = false;
        const double x0 = mX - 0.9;
        const double y0 = (oben ? 8.5 : 19.1) + mY - 1.9;

        if (bild.isEmpty()) {
            d.schrift.farbe = Schwarz;
            d.linie(cm(x0 + 14.8), cm(y0), cm(x0 + 15.2), cm(y0));
            d.linie(cm(x0 + 15), cm(y0 - 0.2), cm(x0 + 15), cm(y0 + 0.2));
        }
        if (oben && !unterschrift.isEmpty() && zcommon::Datei_Existiert(unterschrift))
            d.bild(zcommon::Pfad(unterschrift), cm(x0 + 6.8), cm(y0 + 9), 5.5, 1);
        if (u.datumDrucken)
            zeile(d, oben ? x0 + 4.3 : x0 + 6.1, oben ? y0 + 9.7 : y0 + 8.1, heute);

        zeile(d, x0 + 0.7, y0 + 0.9, u.auftraggeberBank);
        zeile(d, x0 + 8.5, y0 + 0.9, u.auftraggeberBLZ);
        zeile(d, x0 + 0.9, y0 + 2.2, u.empfaengerName);
        zeile(d, x0 + 1.0, y0 + 3.1, u.empfaengerKontoNr);
        zeile(d, x0 + 10.5, y0 + 3.1, u.empfaengerBLZ);
        zeile(d, x0 + 0.9, y0 + 3.9, u.empfaengerBank);
        if (!u.waehrung.isEmpty())
            zeile(d, x0 + 6.5, y0 + 4.75, u.waehrung);
        if (!betrag.isEmpty())
            zeile(d, x0 + 8.5, y0 + 4.75, betrag);
        zeile(d, x0 + 0.9, y0 + 5.6, u.verwendung1);
        zeile(d, x0 + 0.9, y0 + 6.45, u.verwendung2);
        zeile(d, x0 + 0.9, y0 + 7.3, u.auftraggeberName);
        zeile(d, x0 + 0.9, y0 + 8.15, u.auftraggeberKontoNr);

        if (!oben)
            continue;
        // The record stub beside the upper order.
        d.schrift.groesse = 9;
        d.schrift.fett = false;
        const double xs = x0 + 15.5;
        d.currentY = cm(y0 + 0.9);
        const QStringList stub = {
            QStringLiteral("Überweisungsauftrag"),
            QString(),
            QString(),
            heute,
            (Betrag_IstZahl(u.betrag) ? u.betrag : QString()) + u' ' + u.waehrung,
            QString(),
            QStringLiteral("*** Empfänger"),
            QString(),
            u.empfaengerName,
            QStringLiteral("KontoNr: ") + u.empfaengerKontoNr,
            QStringLiteral("BLZ    : ") + u.empfaengerBLZ,
            QString(),
            QStringLiteral("Kunde #") + kunde,
            QString(),
            u.verwendung1,
            u.verwendung2,
            QString(),
            QStringLiteral("*** Auftraggeber"),
            QString(),
            u.auftraggeberName,
            QStringLiteral("KontoNr: ") + u.auftraggeberKontoNr,
            QStringLiteral("BLZ    : ") + u.auftraggeberBLZ,
        };
        for (qsizetype i = 0; i < stub.size(); ++i) {
            d.currentX = cm(xs);
            if (i == 0)
                d.schrift.farbe = Blau;
            d.drucken(stub.at(i));
            if (i == 0)
                d.schrift.farbe = Schwarz;
        }
    }
}

} // namespace zzahlung
