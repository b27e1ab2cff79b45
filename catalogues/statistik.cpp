#include "catalogues/statistik.h"

#include "catalogues/abtastung.h"

#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "addressbook/fenster.h"
#include "addressbook/sitzung.h"
#include "common/ini.h"
#include "common/meldungen.h"
#include "common/muster.h"
#include "common/programme.h"
#include "common/texte.h"
#include "common/woerter.h"
#include "platform/plattform.h"

#include <QLocale>

#include <cmath>
#include <vector>

namespace zkataloge {

QStringList Statistik_Muster(const QString& suchtext)
{
    QString text = suchtext;
    text.replace(QLatin1Char('"'), zadressbuch::Feldtrenner);
    zcommon::Woerter_Zerlegen(text, QStringLiteral(" "));
    QStringList muster;
    for (int i = 1; i <= zcommon::WortAnzahl; ++i)
        muster << QLatin1Char('*') + zcommon::LCase(zcommon::Wort[size_t(i)]) + QLatin1Char('*');
    return muster;
}

bool Statistik_Passt(const QString& eintrag, const QStringList& muster, bool kompakt)
{
    QString text = eintrag;
    if (kompakt) {
        text.remove(QLatin1Char(' '));
        text.remove(QLatin1Char('/'));
        text.remove(QLatin1Char('-'));
    }
    const QString klein = zcommon::LCase(text);
    for (const QString& m : muster)
        if (!zcommon::Like(klein, m))
            return false;
    return true;
}

AnteilErgebnis Anteil_Zaehlen(zadressbuch::Fenster& fenster, const zadressbuch::AdressListe& liste,
                              const QString& suchtext, bool kompakt)
{
    AnteilErgebnis e;
    std::vector<zcommon::Muster> muster;
    for (const QString& m : Statistik_Muster(suchtext))
        muster.emplace_back(m);
    Abtastung lauf(fenster, liste, QStringLiteral("Statistik, Adressen mit ... ") + suchtext);
    for (int i = 0; i < lauf.anzahl(); ++i) {
        if (!lauf.weiter(i))
            break;
        ++e.geprueft;
        QString text = liste.List(i);
        if (kompakt) {
            text.remove(QLatin1Char(' '));
            text.remove(QLatin1Char('/'));
            text.remove(QLatin1Char('-'));
        }
        const QString klein = zcommon::LCase(text);
        bool passt = true;
        for (const zcommon::Muster& m : muster)
            if (!(passt = m.passt(klein)))
                break;
        if (!passt)
            continue;
        ++e.treffer;
        lauf.zwischenstand(QStringLiteral("Statistik, ") + QString::number(e.treffer) +
                           QStringLiteral(" Adressen mit ... ") + suchtext);
    }
    lauf.ende();
    e.abgebrochen = lauf.abgebrochen();
    return e;
}

QString Anteil_Meldung(const QString& suchtext, const AnteilErgebnis& e)
{
    QString text = QStringLiteral("Gesucht wurden Adressen mit folgendem Inhalt:~~»") + suchtext +
                   QStringLiteral("«~~") + QString::number(e.treffer) + QStringLiteral(" / ") +
                   QString::number(e.geprueft) + QStringLiteral(" Adressen enthalten den Suchtext.~~");
    if (e.geprueft > 0)
        text += QStringLiteral("Das entspricht ") +
                zcommon::Format(double(e.treffer) * 100.0 / double(e.geprueft), QStringLiteral("0.0")) +
                QStringLiteral("%.~");
    return text;
}

void Statistik_Adressen(zadressbuch::Fenster& fenster, const zadressbuch::AdressListe& liste)
{
    const QString titel = QStringLiteral("Statistik, Adressen mit...");
    for (;;) {
        const QString vorgabe = zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("StatAMLast"), QString());
        // Cancel gives "" as well.
        const QString antwort = zcommon::InputBox(
            QStringLiteral("Geben Sie bitte den gewünschten Suchtext ein, der in jeder Adresse enthalten sein "
                           "muss. Platzhalter sind erlaubt."),
            titel, vorgabe, zcommon::Hilfethema::StatistikAdressenMit);
        if (antwort.isEmpty())
            return;
        const QString suchtext = zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("StatAMLast"), antwort);
        const bool kompakt = zplatform::plattform().shiftGedrueckt();
        const AnteilErgebnis e = Anteil_Zaehlen(fenster, liste, suchtext, kompakt);
        if (e.abgebrochen)
            return;
        if (zcommon::Meldung(QStringLiteral("#SystemExclamation"), Anteil_Meldung(suchtext, e),
                             zplatform::vbOKCancel | zplatform::vbQuestion | zplatform::vbDefaultButton2,
                             titel) != zplatform::vbOK) {
            fenster.Status(QStringLiteral("Bereit"));
            return;
        }
    }
}

int Plz_Klasse(const QString& plz, const QString& stdLand)
{
    QString p = plz;
    if (!stdLand.isEmpty() && p.startsWith(stdLand, Qt::CaseInsensitive))
        p = p.mid(stdLand.size());
    if (p.size() < 4)
        return 10;
    bool zahl = false;
    const double wert = QLocale(QLocale::German, QLocale::Germany).toDouble(p.trimmed(), &zahl);
    if (!zahl || !std::isfinite(wert))
        return 10;
    const double ganz = zcommon::RundenGerade(wert);
    if (ganz <= 0 || ganz >= 99999)
        return -1;
    const QChar erstes = p.at(0);
    if (erstes >= QLatin1Char('0') && erstes <= QLatin1Char('9'))
        return erstes.unicode() - '0';
    // A number written with a leading blank or sign: its value's first digit.
    return QString::number(qint64(ganz)).at(0).unicode() - '0';
}

PlzVerteilung Plz_Zaehlen(zadressbuch::Fenster& fenster, const zadressbuch::AdressListe& liste, const QString& stdLand)
{
    PlzVerteilung v;
    Abtastung lauf(fenster, liste, QStringLiteral("Statistik, PLZ-Verteilung..."));
    for (int i = 0; i < lauf.anzahl(); ++i) {
        if (!lauf.weiter(i))
            break;
        const int klasse = Plz_Klasse(zadressbuch::FeldAus(liste.List(i), zadressbuch::Plz), stdLand);
        if (klasse < 0)
            continue;
        ++v.zaehler[size_t(klasse)];
        if (klasse < 10) {
            ++v.gueltig;
            lauf.zwischenstand(QString::number(v.gueltig) + QStringLiteral(" PLZ statistisch ausgewertet..."));
        }
    }
    lauf.ende();
    v.abgebrochen = lauf.abgebrochen();
    return v;
}

QString Plz_Meldung(const PlzVerteilung& v, const QString& beschreibung, const QString& stdLand)
{
    QString text = QStringLiteral("Verteilung der Postleitzahlen innerhalb der Adressdatei »") + beschreibung +
                   QStringLiteral("«.~~");
    if (v.gueltig > 0) {
        for (int d = 0; d < 10; ++d) {
            const qint64 n = v.zaehler[size_t(d)];
            text += QString::number(d) + QStringLiteral("....   ") +
                    zcommon::Format(double(n) * 100.0 / double(v.gueltig), QStringLiteral("00.0")) +
                    QStringLiteral(" %   ") + zcommon::Format(double(n), QStringLiteral("#,##0")) +
                    QStringLiteral(" x~");
        }
    }
    text += QStringLiteral("~Erfasst sind ") + zcommon::Format(double(v.gueltig), QStringLiteral("#,##0")) +
            QStringLiteral(" Adressen mit Postleitzahl.~") +
            zcommon::Format(double(v.zaehler[10]), QStringLiteral("#,##0")) +
            QStringLiteral(" entsprechen nicht dem ") + stdLand + QStringLiteral("Schema.");
    return text;
}

void Statistik_Plz(zadressbuch::Fenster& fenster, const zadressbuch::AdressListe& liste)
{
    const QString stdLand =
        zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("KatalogStdLand"), QStringLiteral("D-"));
    const PlzVerteilung v = Plz_Zaehlen(fenster, liste, stdLand);
    if (!v.abgebrochen)
        zcommon::Meldung(
            QStringLiteral("#SystemExclamation"), Plz_Meldung(v, zadressbuch::sitzung().Beschreibung, stdLand),
            zplatform::vbOKOnly | zplatform::vbInformation, QStringLiteral("Statistik, Verteilung der Postleitzahlen"));
    fenster.Status(QStringLiteral("Bereit"));
}

} // namespace zkataloge
