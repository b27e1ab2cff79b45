#include "masks/vario.h"

#include "common/dateien.h"
#include "common/ini.h"
#include "common/meldungen.h"
#include "common/qpro.h"
#include "common/texte.h"
#include "platform/ordner.h"
#include "platform/plattform.h"

#include <QDateTime>
#include <QDir>

#include <array>
#include <cmath>

namespace zmasken {

namespace {

QString zweistellig(int n)
{
    return QString::number(n).rightJustified(2, u'0');
}

// Format "00": rounded to a whole number (halves away from zero), at least two digits.
QString format00(double x)
{
    const qint64 n = qint64(std::floor(std::fabs(x) + 0.5));
    const QString s = QString::number(n).rightJustified(2, u'0');
    return x < 0 && n != 0 ? QStringLiteral("-") + s : s;
}

QString jahr4(const QDate& d)
{
    return QString::number(d.year()).rightJustified(4, u'0');
}

QString jahr2(const QDate& d)
{
    return zweistellig(d.year() % 100);
}

int quartal(const QDate& d)
{
    return (d.month() - 1) / 3 + 1;
}

QString roemisch(int quartal)
{
    static const char* const zahlen[] = {"I", "II", "III", "IV"};
    return QString::fromLatin1(zahlen[qBound(1, quartal, 4) - 1]);
}

// The week number counted within the current year: a week 1 in December is 52.
int kwImJahr(const QDate& d)
{
    const int w = KW_Berechnen(d);
    return w < 10 && d.month() == 12 ? 52 : w;
}

int kwTage(const QDate& d)
{
    return int(QDate(d.year(), 1, 1).daysTo(d));
}

// A random whole number of n digits (leading zeros kept).
QString zufallsZiffern(int n)
{
    const double grenze = std::pow(10.0, n);
    double r = std::floor(zplatform::plattform().zufall() * grenze);
    if (!(r >= 0))
        r = 0;
    if (r > grenze - 1)
        r = grenze - 1;
    return QString::number(qint64(r)).rightJustified(n, u'0');
}

QString hhnn(const QTime& t)
{
    return zweistellig(t.hour()) + u':' + zweistellig(t.minute());
}

QString laufwerk()
{
    return zcommon::Datei_Teil(QDir::currentPath(), -2);
}

using Wert = QString (*)(const QDateTime&);

struct Platzhalter
{
    const char* name;
    Wert wert;
};

// The placeholders in the order they are replaced.
const Platzhalter platzhalter[] = {
    {"{K07}", [](const QDateTime& j) { return format00(kwTage(j.date()) / 7.0); }},
    {"{K10}", [](const QDateTime& j) { return format00(kwTage(j.date()) / 10.0); }},
    {"{datum}",
     [](const QDateTime& j) {
         const QDate d = j.date();
         return QString::number(d.day()) + u'.' + QString::number(d.month()) + u'.' + jahr4(d);
     }},
    {"{datum0}", [](const QDateTime& j) { return zcommon::DatumText(j.date()); }},
    {"{kw}", [](const QDateTime& j) { return format00(KW_Berechnen(j.date())); }},
    {"{versionakt0}", [](const QDateTime&) { return zcommon::Datumsstempel(0); }},
    {"{kwj}", [](const QDateTime& j) { return format00(kwImJahr(j.date())); }},
    {"{kwj2}", [](const QDateTime& j) { return format00(std::floor(kwImJahr(j.date()) / 2.0 + 0.5) * 2); }},
    {"{kwj3}", [](const QDateTime& j) { return format00(std::floor(kwImJahr(j.date()) / 3.0 + 0.5) * 3); }},
    {"{kwj4}", [](const QDateTime& j) { return format00(std::floor(kwImJahr(j.date()) / 4.0 + 0.5) * 4); }},
    {"{kwj5}", [](const QDateTime& j) { return format00(std::floor(kwImJahr(j.date()) / 5.0 + 0.5) * 5); }},
    {"{kw2}", [](const QDateTime& j) { return format00(float(KW_Berechnen(j.date())) / 2.0f); }},
    {"{kw3}", [](const QDateTime& j) { return format00(float(KW_Berechnen(j.date())) / 3.0f); }},
    {"{kw4}", [](const QDateTime& j) { return format00(float(KW_Berechnen(j.date())) / 4.0f); }},
    {"{kw5}", [](const QDateTime& j) { return format00(float(KW_Berechnen(j.date())) / 5.0f); }},
    {"{q}", [](const QDateTime& j) { return QString::number(quartal(j.date())); }},
    {"{qr}", [](const QDateTime& j) { return roemisch(quartal(j.date())); }},
    {"{jjqr}", [](const QDateTime& j) { return jahr2(j.date()) + u'-' + roemisch(quartal(j.date())); }},
    {"{hh}", [](const QDateTime& j) { return zweistellig(j.time().hour()); }},
    {"{hh-mm}",
     [](const QDateTime& j) { return zweistellig(j.time().hour()) + u'-' + zweistellig(j.time().minute()); }},
    {"{hh-mm-ss}",
     [](const QDateTime& j) {
         return zweistellig(j.time().hour()) + u'-' + zweistellig(j.time().minute()) + u'-' +
                zweistellig(j.time().second());
     }},
    {"{hh:mm}", [](const QDateTime& j) { return hhnn(j.time()); }},
    {"{hh:mm:ss}", [](const QDateTime& j) { return hhnn(j.time()) + u':' + zweistellig(j.time().second()); }},
    {"{jahr1}", [](const QDateTime& j) { return jahr4(j.date()).right(1); }},
    {"{jahr2}", [](const QDateTime& j) { return jahr2(j.date()); }},
    {"{jahr4}", [](const QDateTime& j) { return jahr4(j.date()); }},
    {"{jahrzent}", [](const QDateTime& j) { return jahr4(j.date()).mid(2, 1); }},
    {"{jahrzent0}", [](const QDateTime& j) { return jahr4(j.date()).mid(2, 1) + u'0'; }},
    {"{jahrhundert}", [](const QDateTime& j) { return jahr4(j.date()).left(2); }},
    {"{jahrhundert+1}", [](const QDateTime& j) { return QString::number(jahr4(j.date()).left(2).toInt() + 1); }},
    {"{jahrtausend}", [](const QDateTime& j) { return jahr4(j.date()).left(1); }},
    {"{jahrtausend+1}", [](const QDateTime& j) { return QString::number(jahr4(j.date()).left(1).toInt() + 1); }},
    {"{j}", [](const QDateTime& j) { return jahr4(j.date()).right(1); }},
    {"{jj}", [](const QDateTime& j) { return jahr2(j.date()); }},
    {"{jjjj}", [](const QDateTime& j) { return jahr4(j.date()); }},
    {"{jj-mm-tt}",
     [](const QDateTime& j) {
         const QDate d = j.date();
         return jahr2(d) + u'-' + zweistellig(d.month()) + u'-' + zweistellig(d.day());
     }},
    {"{jjjj-mm-tt}",
     [](const QDateTime& j) {
         const QDate d = j.date();
         return jahr4(d) + u'-' + zweistellig(d.month()) + u'-' + zweistellig(d.day());
     }},
    {"{jjmmtt}",
     [](const QDateTime& j) {
         const QDate d = j.date();
         return jahr2(d) + zweistellig(d.month()) + zweistellig(d.day());
     }},
    {"{jjjjmmtt}",
     [](const QDateTime& j) {
         const QDate d = j.date();
         return jahr4(d) + zweistellig(d.month()) + zweistellig(d.day());
     }},
    {"{jetzt}",
     [](const QDateTime& j) {
         return Datum_Lang(j.date()) + QStringLiteral(" um ") + hhnn(j.time()) + QStringLiteral(" Uhr");
     }},
    {"{laufwerk}", [](const QDateTime&) { return laufwerk(); }},
    {"{minute}", [](const QDateTime& j) { return QString::number(j.time().minute()); }},
    {"{minute0}", [](const QDateTime& j) { return zweistellig(j.time().minute()); }},
    {"{mm}", [](const QDateTime& j) { return zweistellig(j.date().month()); }},
    {"{monat}", [](const QDateTime& j) { return Monat_Name(j.date().month()); }},
    {"{m}", [](const QDateTime& j) { return QString::number(j.date().month()); }},
    {"{monat0}", [](const QDateTime& j) { return zweistellig(j.date().month()); }},
    {"{monatsname}", [](const QDateTime& j) { return Monat_Name(j.date().month()); }},
    {"{monatsname3}", [](const QDateTime& j) { return Monat_Name(j.date().month(), true); }},
    {"{mmmm}", [](const QDateTime& j) { return Monat_Name(j.date().month()); }},
    {"{mmm}", [](const QDateTime& j) { return Monat_Name(j.date().month(), true); }},
    {"{label}", [](const QDateTime&) { return zcommon::Gross_Klein(zcommon::RTrim(zcommon::GetVol(laufwerk()))); }},
    {"{pfad}", [](const QDateTime&) { return QDir::currentPath(); }},
    {"{ordner_app}", [](const QDateTime&) { return zcommon::Programm_Ordner(); }},
    {"{ordner_win}", [](const QDateTime&) { return zcommon::Windows_Ordner(); }},
    {"{ordner_sys}", [](const QDateTime&) { return zcommon::System_Ordner(); }},
    {"{ordner_cur}", [](const QDateTime&) { return QDir::currentPath(); }},
    {"{s}", [](const QDateTime& j) { return QString::number(j.time().second()); }},
    {"{ss}", [](const QDateTime& j) { return zweistellig(j.time().second()); }},
    {"{sekunde}", [](const QDateTime& j) { return QString::number(j.time().second()); }},
    {"{sekunde0}", [](const QDateTime& j) { return zweistellig(j.time().second()); }},
    {"{stunde}", [](const QDateTime& j) { return QString::number(j.time().hour()); }},
    {"{stunde0}", [](const QDateTime& j) { return zweistellig(j.time().hour()); }},
    {"{h}", [](const QDateTime& j) { return QString::number(j.time().hour()); }},
    {"{tag}", [](const QDateTime& j) { return QString::number(j.date().day()); }},
    {"{tag0}", [](const QDateTime& j) { return zweistellig(j.date().day()); }},
    {"{t}", [](const QDateTime& j) { return QString::number(j.date().day()); }},
    {"{tt}", [](const QDateTime& j) { return zweistellig(j.date().day()); }},
    {"{tt-mm-jj}",
     [](const QDateTime& j) {
         const QDate d = j.date();
         return zweistellig(d.day()) + u'-' + zweistellig(d.month()) + u'-' + jahr2(d);
     }},
    {"{tt-mm-jjjj}",
     [](const QDateTime& j) {
         const QDate d = j.date();
         return zweistellig(d.day()) + u'-' + zweistellig(d.month()) + u'-' + jahr4(d);
     }},
    {"{tt.mm.jj}",
     [](const QDateTime& j) {
         const QDate d = j.date();
         return zweistellig(d.day()) + u'.' + zweistellig(d.month()) + u'.' + jahr2(d);
     }},
    {"{tt.mm.jjjj}", [](const QDateTime& j) { return zcommon::DatumText(j.date()); }},
    {"{uhrzeit}",
     [](const QDateTime& j) { return QString::number(j.time().hour()) + u':' + QString::number(j.time().minute()); }},
    {"{uhrzeit0}", [](const QDateTime& j) { return hhnn(j.time()); }},
    {"{wochentag}", [](const QDateTime& j) { return Wochentag_Name(j.date()); }},
    {"{wochentag2}", [](const QDateTime& j) { return Wochentag_Name(j.date()).left(2); }},
    {"{wwww}", [](const QDateTime& j) { return Wochentag_Name(j.date()); }},
    {"{ww}", [](const QDateTime& j) { return Wochentag_Name(j.date()).left(2); }},
    {"{zufall1}", [](const QDateTime&) { return zufallsZiffern(1); }},
    {"{zufall2}", [](const QDateTime&) { return zufallsZiffern(2); }},
    {"{zufall3}", [](const QDateTime&) { return zufallsZiffern(3); }},
    {"{zufall4}", [](const QDateTime&) { return zufallsZiffern(4); }},
    {"{zufall5}", [](const QDateTime&) { return zufallsZiffern(5); }},
    {"{zufall6}", [](const QDateTime&) { return zufallsZiffern(6); }},
    {"{zufall7}", [](const QDateTime&) { return zufallsZiffern(7); }},
    {"{zufall8}", [](const QDateTime&) { return zufallsZiffern(8); }},
};

// Replaces every occurrence (any case) from left to right, going on behind
// each inserted value.
void ersetzen(QString& t, const QString& suche, const QString& wert)
{
    t = zcommon::Ersetzen(t, suche, wert);
}

// The first placeholder of the text that opens with the given text (any case)
// and is closed by "}": the placeholder as it stands, and what lies between
// its opening and the "}". False when there is none.
bool platzhalterSuchen(const QString& t, const QString& anfang, QString* ganz, QString* innen)
{
    const qsizetype i = t.indexOf(anfang, 0, Qt::CaseInsensitive);
    if (i < 0)
        return false;
    const qsizetype ende = t.indexOf(u'}', i + anfang.size());
    if (ende < 0)
        return false;
    *ganz = t.mid(i, ende - i + 1);
    *innen = t.mid(i + anfang.size(), ende - i - anfang.size());
    return true;
}

// "{iniread,file,section,key,default}": the first one of the text.
void iniWertEinsetzen(QString& t)
{
    QString ganz, innen;
    if (!platzhalterSuchen(t, QStringLiteral("{iniread,"), &ganz, &innen))
        return;
    QString teile[4];
    qsizetype von = 0;
    for (int k = 0; k < 4; ++k) {
        if (von > innen.size())
            break;
        const qsizetype komma = k < 3 ? innen.indexOf(u',', von) : -1;
        if (komma < 0) {
            teile[k] = innen.mid(von);
            von = innen.size() + 1;
        } else {
            teile[k] = innen.mid(von, komma - von);
            von = komma + 1;
        }
    }
    const QString wert = zcommon::Ini_Lesen(teile[0], teile[1], teile[2], teile[3]);
    ersetzen(t, ganz, wert);
}

// "{variable:name}": the first one of the text.
void variableEinsetzen(QString& t)
{
    QString ganz, name;
    if (!platzhalterSuchen(t, QStringLiteral("{variable:"), &ganz, &name))
        return;
    QString wert = zcommon::Ini_Lesen(QString(), QStringLiteral("Variablen"), name, name);
    const qsizetype semikolon = wert.indexOf(u';');
    if (semikolon >= 0)
        wert.truncate(semikolon);
    ersetzen(t, ganz, zcommon::Trim(wert));
}

// "{$pattern}": the name of one file matching the pattern, chosen at random.
void zufallsDateiEinsetzen(QString& t)
{
    QString ganz, muster;
    if (!platzhalterSuchen(t, QStringLiteral("{$"), &ganz, &muster))
        return;
    const QString pfad = zplatform::normalPfad(muster);
    const qsizetype trenner = pfad.lastIndexOf(u'/');
    const QString ordner =
        trenner < 0 ? QStringLiteral(".") : (trenner == 0 ? QStringLiteral("/") : pfad.left(trenner));
    const QString dateimuster = trenner < 0 ? pfad : pfad.mid(trenner + 1);
    QString name = QStringLiteral("KeinName.Txt");
    if (!dateimuster.isEmpty()) {
        const QStringList namen = zplatform::dateienListen(ordner, dateimuster);
        if (!namen.isEmpty()) {
            qsizetype k = qsizetype(std::floor(zplatform::plattform().zufall() * double(namen.size())));
            name = namen.at(qBound<qsizetype>(0, k, namen.size() - 1));
        }
    }
    ersetzen(t, ganz, name);
}

} // namespace

QString Wochentag_Name(const QDate& datum)
{
    static const char* const namen[] = {"Montag",  "Dienstag", "Mittwoch", "Donnerstag",
                                        "Freitag", "Samstag",  "Sonntag"};
    const int t = datum.dayOfWeek();
    return t >= 1 && t <= 7 ? QString::fromLatin1(namen[t - 1]) : QString();
}

QString Monat_Name(int monat, bool abgekuerzt)
{
    static const char* const namen[] = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                                        "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
    static const char* const kurz[] = {"Jan", "Feb", "Mrz", "Apr", "Mai", "Jun",
                                       "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
    if (monat < 1 || monat > 12)
        return QString();
    return QString::fromUtf8(abgekuerzt ? kurz[monat - 1] : namen[monat - 1]);
}

QString Datum_Lang(const QDate& datum)
{
    if (!datum.isValid())
        return QString();
    return Wochentag_Name(datum) + QStringLiteral(", ") + QString::number(datum.day()) + QStringLiteral(". ") +
           Monat_Name(datum.month()) + u' ' + jahr4(datum);
}

int KW_Berechnen(const QDate& datum)
{
    if (!datum.isValid())
        return 0;
    // Weekdays numbered Sunday = 1 to Saturday = 7.
    auto wochentag = [](const QDate& d) { return d.dayOfWeek() % 7 + 1; };
    const QDate j1(datum.year(), 1, 1);
    const QDate j2(datum.year() + 1, 1, 1);
    const int w1 = wochentag(j1);
    const int w2 = wochentag(j2);
    const int versatz = (w1 + 1) % 7;
    const qint64 tage = j1.daysTo(datum) + versatz - 3;
    const qint64 k = (tage >= 0 ? tage / 7 : -((-tage + 6) / 7)) + 1; // rounded down
    if (k == 0)
        return w1 == 6 ? 53 : 52;
    if (k == 53)
        return w2 == 6 ? 53 : 1;
    return int(k);
}

int KW_Berechnen(const QString& datum)
{
    if (!zcommon::IstDatum(datum)) {
        zcommon::MsgBox(zcommon::Woertlich(datum) + QStringLiteral(" ist kein gültiges Datum."),
                        zplatform::vbExclamation, QStringLiteral("Ungültiges Datum"));
        return 0;
    }
    return KW_Berechnen(zcommon::DatumAusText(datum));
}

QString Vario_Ersetzen(const QString& text)
{
    if (text.isEmpty() || !text.contains(u'{'))
        return text;
    QString t = text;

    // Doubled braces are no escape: every run collapses to one brace.
    while (t.contains(QLatin1String("{{")))
        t.replace(QLatin1String("{{"), QLatin1String("{"));
    while (t.contains(QLatin1String("}}")))
        t.replace(QLatin1String("}}"), QLatin1String("}"));

    // The fixed placeholders; the clock is read anew for each.
    for (const Platzhalter& p : platzhalter) {
        const QString name = QString::fromLatin1(p.name);
        if (t.contains(name, Qt::CaseInsensitive))
            ersetzen(t, name, p.wert(zcommon::Jetzt()));
    }

    // Counters advance once per call that holds them (written in lower case).
    for (int n = 0; n <= 9; ++n) {
        const QString name = QStringLiteral("{counter%1}").arg(n);
        if (!t.contains(name, Qt::CaseSensitive))
            continue;
        const double wert = zcommon::Ini_Zaehler_Erhoehen(QString(), QStringLiteral("Variablen"),
                                                          QStringLiteral("VarioCount%1").arg(n), 1);
        ersetzen(t, name, QString::number(qint64(std::llround(wert))));
    }

    iniWertEinsetzen(t);
    variableEinsetzen(t);
    zufallsDateiEinsetzen(t);
    return t;
}

} // namespace zmasken
