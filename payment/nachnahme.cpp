#include "payment/nachnahme.h"

#include "catalogues/land.h"
#include "common/drucktext.h"
#include "common/texte.h"
#include "masks/evaluate.h"
#include "masks/vario.h"
#include "payment/betrag.h"
#include "platform/drucker.h"

#include <cmath>

namespace zzahlung {

namespace {

double cm(double wert)
{
    return double(float(wert));
}

void setzen(zplatform::Drucker& d, double x, double y)
{
    d.currentY = cm(y);
    d.currentX = cm(x);
}

QString zeilenumbrueche(const QString& text)
{
    return zcommon::Ersetzen(text, QStringLiteral("~"), QStringLiteral("\r\n"));
}

} // namespace

QString Land_Warnung(const QString& plz, const QString& land, const QString& stdLand)
{
    const QString code = zkataloge::Land_Ermitteln(plz, land, stdLand);
    if (QString(code + u'-').compare(stdLand, Qt::CaseInsensitive) == 0)
        return QString();
    return QStringLiteral("Die Anschrift gehört zu einem anderen Land (Länderkennzeichen „%1“).").arg(code);
}

QString Preis_Auswerten(const QString& text, int maxLaenge)
{
    const QString t = zcommon::Trim(text);
    if (Betrag_MehrereTrenner(t))
        return text;
    QString kopie = t;
    QString ergebnis = zmasken::ZahlText15(zmasken::Evaluate(kopie));
    if (ergebnis.startsWith(QLatin1String("0.")))
        ergebnis.remove(0, 1);
    else if (ergebnis.startsWith(QLatin1String("-0.")))
        ergebnis.remove(1, 1);
    if (maxLaenge <= 0 || ergebnis.size() <= maxLaenge)
        return ergebnis;
    const qsizetype punkt = ergebnis.indexOf(u'.');
    if (punkt < 0 || punkt > maxLaenge || ergebnis.contains(u'E'))
        return text;
    ergebnis.truncate(maxLaenge);
    if (ergebnis.endsWith(u'.'))
        ergebnis.chop(1);
    return ergebnis;
}

double Nachnahme_Wert(const QString& text)
{
    return Betrag_Wert(text);
}

double Zustellgebuehr_Wert(const QString& text)
{
    QString t = text;
    t.replace(u',', u'.');
    const double wert = zcommon::Val(t);
    return std::isfinite(wert) ? wert : 0.0;
}

void Nachnahme_Layout(const Nachnahme& n, const QString& schrift, double randX, double randY, const QDate& heute,
                      const QString& bild, const QString& kunde, bool emblem)
{
    zplatform::Drucker& d = zplatform::drucker();
    const double mX = randX;
    const double mY = randY;
    const double x0 = mX - 0.9;
    const double yA = mY + 7.7;
    d.scaleLeft = 0;
    d.scaleTop = 0;
    d.currentX = 0;
    d.currentY = 0;
    d.schrift.name = QStringLiteral("Arial");
    d.schrift.groesse = 15;
    d.schrift.fett = true;
    d.schrift.kursiv = false;
    d.schrift.farbe = 0;

    if (!bild.isEmpty())
        d.bild(bild, cm(mX - 0.7), cm(mY + 7.2), 15, 20);

    // The recipient, at the largest size from 16 down to 12 points that fits 6.8 cm.
    d.schrift.groesse = 16;
    QString anschrift = zeilenumbrueche(n.name + u'~' + n.strasse + QStringLiteral("~~") + n.ort);
    while (d.textBreite(anschrift) > 6.8 && d.schrift.groesse > 12)
        d.schrift.groesse -= 1;
    zcommon::Text_ImRechteckDrucken(anschrift, cm(x0 + 7.95), cm(yA + 5.7), cm(x0 + 14.75), -1);

    // The sender.
    d.schrift.groesse = 13;
    QString absender = n.absName + QStringLiteral("\r\n") + n.absStrasse + QStringLiteral("\r\n") + n.absOrt;
    zcommon::Text_ImRechteckDrucken(absender, cm(x0 + 0.9), cm(yA + 0.3), -1, -1);

    // The amount: price and fee in whole units and cents.
    const double preis = Nachnahme_Wert(n.preis);
    const float summe = float(preis + Zustellgebuehr_Wert(n.gebuehr));
    const BetragTeile teile = Betrag_Zerlegen(double(summe));
    d.schrift.groesse = 16;
    d.schrift.fett = true;
    setzen(d, x0 + 5.2, yA + 3.9);
    d.drucken(teile.einheiten);
    setzen(d, x0 + 8.6, yA + 3.9);
    d.drucken(teile.cent);
    setzen(d, x0 + 12.9, yA + 3.9);
    d.drucken(n.waehrung);

    // The account rows, then one empty line.
    d.schrift.groesse = 10;
    d.schrift.fett = false;
    d.currentY = cm(yA + 5.5);
    const std::pair<QString, QString> konten[] = {
        {QStringLiteral("Knt.-Nr."), n.absKontoNr},
        {QStringLiteral("BLZ"), n.absBLZ},
        {QStringLiteral("Bank"), n.absBank},
        {QStringLiteral("Nr."),
         n.auftragsnummer + QStringLiteral(" (") + zmasken::Vario_Ersetzen(QStringLiteral("{jjqr}")) + u')'},
    };
    for (const auto& [bezeichnung, wert] : konten) {
        d.currentX = cm(x0 + 0.9);
        d.drucken(bezeichnung, false);
        d.currentX = cm(x0 + 2.3);
        d.drucken(wert);
    }
    d.drucken(QString());
    if (emblem) {
        d.currentX = cm(x0 + 0.9);
        zcommon::Emblem_Drucken(1.1);
    }

    // The payment card in the user's printer font.
    const double yB = mY + 17.73;
    d.schrift.name = QStringLiteral("Courier New");
    if (!schrift.isEmpty())
        d.schrift.name = schrift;
    d.schrift.groesse = 12;
    d.schrift.fett = false;
    d.schrift.kursiv = false;
    d.schrift.farbe = 0;
    d.drucken(QStringLiteral(" "));
    const QString preisText = Betrag_Text(preis);
    setzen(d, x0 + 0.9, yB + 2.2);
    d.drucken(n.absName + u' ' + n.absOrt);
    setzen(d, x0 + 0.9, yB + 3.1);
    d.drucken(n.absKontoNr, false);
    d.currentX = cm(x0 + 10.5);
    d.drucken(n.absBLZ);
    setzen(d, x0 + 0.9, yB + 3.9);
    d.drucken(n.absBank);
    setzen(d, x0 + 6.5, yB + 4.75);
    d.drucken(n.waehrung, false);
    setzen(d, x0 + 8.5, yB + 4.75);
    d.drucken(preisText);
    setzen(d, x0 + 0.9, yB + 5.6);
    d.drucken(n.artikel1);
    setzen(d, x0 + 0.9, yB + 6.45);
    d.drucken(n.artikel2);
    setzen(d, x0 + 0.9, yB + 7.3);
    d.drucken((n.name + u' ' + n.ort).left(54));

    // The stub.
    d.schrift.groesse = 9;
    d.schrift.fett = false;
    d.currentY = cm(mY + 8.2);
    d.schrift.farbe = 0x0000FF;
    d.currentX = cm(x0 + 15.3);
    d.drucken(QStringLiteral("Nachnahme Nr. ") + n.auftragsnummer);
    d.schrift.farbe = 0;
    const QStringList stub = {
        QString(),
        heute.toString(QStringLiteral("dd.MM.yyyy")),
        QString(),
        preisText + u' ' + n.waehrung,
        QString(),
        QStringLiteral("Knt.Nr. ") + n.absKontoNr,
        QStringLiteral("BLZ     ") + n.absBLZ,
        n.absBank,
        QString(),
        QString(),
        n.artikel1,
        n.artikel2,
        QString(),
        QString(),
        n.name,
        n.strasse,
        n.ort,
        QString(),
        QStringLiteral("Kunde #") + kunde,
    };
    QString stubText = zeilenumbrueche(stub.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    zcommon::Text_ImRechteckDrucken(stubText, cm(x0 + 15.3), -1, -1, -1);
}

} // namespace zzahlung
