#include "addressbook/datensatz.h"

#include "platform/einpassung.h"

namespace zadressbuch {

Felder DatensatzFelder;

namespace {

const QChar Grad(0x00B0);

// Appends a stored field text, each "°°" (left to right) turned into CR LF.
void FeldEntschluesseln(QStringView roh, QString& ziel)
{
    const qsizetype n = roh.size();
    qsizetype p = roh.indexOf(Grad);
    if (p < 0) {
        ziel = roh.toString();
        return;
    }
    ziel.clear();
    ziel.reserve(n);
    qsizetype start = 0;
    while (p >= 0 && p + 1 < n) {
        if (roh[p + 1] == Grad) {
            ziel.append(roh.mid(start, p - start));
            ziel.append(QLatin1String("\r\n"));
            start = p + 2;
            p = roh.indexOf(Grad, start);
        } else {
            p = roh.indexOf(Grad, p + 1);
        }
    }
    ziel.append(roh.mid(start));
}

} // namespace

const std::array<QString, FeldAnzahl>& StandardBezeichnungen()
{
    static const std::array<QString, FeldAnzahl> namen = {
        QStringLiteral("Rubrik zum Einsortieren"),
        QStringLiteral("Nachname"),
        QStringLiteral("Vorname"),
        QStringLiteral("Straße"),
        QStringLiteral("PLZ"),
        QStringLiteral("Ort"),
        QStringLiteral("Land"),
        QStringLiteral("Telefon"),
        QStringLiteral("Telefax"),
        QStringLiteral("Adresse für welchen User"),
        QStringLiteral("Zusatz"),
        QStringLiteral("Zusatzbemerkung"),
        QStringLiteral("Mobiltelefon"),
        QStringLiteral("Datentelefon"),
        QStringLiteral("eMail"),
        QStringLiteral("erstellt am"),
        QStringLiteral("geändert am"),
        QStringLiteral("Kontonummer"),
        QStringLiteral("Bankleitzahl"),
        QStringLiteral("Kreditinstitut"),
        QStringLiteral("Geburtstag"),
        QStringLiteral("Anrede"),
        QStringLiteral("WWW"),
        QStringLiteral("Index"),
    };
    return namen;
}

int Eingabegrenze(int feld)
{
    static const int grenzen[FeldAnzahl] = {20, 50, 50, 50, 8,  45, 20, 40, 40, 20, 90, 1024,
                                            40, 40, 80, 20, 20, 10, 8,  27, 10, 90, 80, 9};
    if (feld < 0 || feld >= FeldAnzahl)
        return 0;
    return grenzen[feld];
}

Felder Zerlegen(QStringView datensatz)
{
    Felder felder;
    qsizetype start = 0;
    const qsizetype n = datensatz.size();
    for (int i = 0; i < FeldAnzahl && start <= n; ++i) {
        qsizetype p = datensatz.indexOf(Feldtrenner, start);
        if (p < 0)
            p = n;
        FeldEntschluesseln(datensatz.mid(start, p - start), felder[i]);
        start = p + 1;
    }
    return felder;
}

QStringView FeldRoh(QStringView datensatz, int feld)
{
    if (feld < 0 || feld >= FeldAnzahl)
        return {};
    qsizetype start = 0;
    for (int i = 0; i < feld; ++i) {
        qsizetype p = datensatz.indexOf(Feldtrenner, start);
        if (p < 0)
            return {};
        start = p + 1;
    }
    qsizetype ende = datensatz.indexOf(Feldtrenner, start);
    if (ende < 0)
        ende = datensatz.size();
    return datensatz.mid(start, ende - start);
}

QString FeldAus(QStringView datensatz, int feld)
{
    QString ergebnis;
    FeldEntschluesseln(FeldRoh(datensatz, feld), ergebnis);
    return ergebnis;
}

QString Verbinden(const Felder& felder)
{
    qsizetype laenge = FeldAnzahl + 1;
    for (const QString& f : felder)
        laenge += f.size() * 2; // a line break may grow
    QString satz;
    satz.reserve(laenge);
    for (int i = 0; i < FeldAnzahl; ++i) {
        const QString& f = felder[i];
        if (i == 0 && f.isEmpty()) {
            satz.append(QLatin1Char(' '));
        } else {
            const qsizetype n = f.size();
            const QChar* d = f.constData();
            for (qsizetype k = 0; k < n; ++k) {
                const QChar c = d[k];
                if (c == Feldtrenner) {
                    satz.append(QLatin1Char(' '));
                } else if (zplatform::istZeilenende(c)) {
                    if (c == QLatin1Char('\r') && k + 1 < n && d[k + 1] == QLatin1Char('\n'))
                        ++k;
                    satz.append(Grad);
                    satz.append(Grad);
                } else {
                    satz.append(c);
                }
            }
        }
        satz.append(Feldtrenner);
    }
    return satz;
}

void Datensatz_Zerlegen(QStringView datensatz)
{
    DatensatzFelder = Zerlegen(datensatz);
}

int LaengeImDatensatz(QStringView feldtext)
{
    return zplatform::textLaenge(feldtext, true);
}

QString LeererDatensatz()
{
    return QString(FeldAnzahl - 1, Feldtrenner);
}

} // namespace zadressbuch
