// The placeholder expander at a fixed moment, its counters and variables in
// Zizorud.ini, the calendar week and the random parts.

#include "masks/vario.h"

#include "common/dateien.h"
#include "common/ini.h"
#include "testhilfe.h"

#include <QFileInfo>

using zmasken::KW_Berechnen;
using zmasken::Vario_Ersetzen;

namespace {

QString variablen(const QString& schluessel)
{
    return zcommon::Ini_Lesen(QString(), "Variablen", schluessel, "<fehlt>");
}

} // namespace

using VarioTest = MaskenUmgebung;

TEST_F(VarioTest, DatumUndZeitAmFestenZeitpunkt)
{
    // Saturday, 5 December 2026, 09:05:07.
    // clang-format off
    const std::pair<const char*, const char*> faelle[] = {
        {"{datum}", "5.12.2026"}, {"{datum0}", "05.12.2026"}, {"{kw}", "49"}, {"{kwj}", "49"}, {"{kwj2}", "50"},
        {"{kwj3}", "48"}, {"{kw2}", "25"}, {"{kw3}", "16"}, {"{q}", "4"}, {"{qr}", "IV"}, {"{jjqr}", "26-IV"},
        {"{uhrzeit}", "9:5"}, {"{uhrzeit0}", "09:05"}, {"{hh:mm:ss}", "09:05:07"}, {"{hh-mm-ss}", "09-05-07"},
        {"{jahrzent}", "2"}, {"{jahrzent0}", "20"}, {"{jahrhundert}", "20"}, {"{jahrhundert+1}", "21"},
        {"{jahrtausend}", "2"}, {"{jahrtausend+1}", "3"}, {"{jahr1}", "6"}, {"{j}", "6"}, {"{jj}", "26"},
        {"{jjjj}", "2026"}, {"{K07}", "48"}, {"{K10}", "34"}, {"{jj-mm-tt}", "26-12-05"}, {"{jjjjmmtt}", "20261205"},
        {"{tt.mm.jj}", "05.12.26"}, {"{tt-mm-jjjj}", "05-12-2026"}, {"{tag}", "5"}, {"{tt}", "05"}, {"{m}", "12"},
        {"{mm}", "12"}, {"{monat}", "Dezember"}, {"{mmm}", "Dez"}, {"{wochentag}", "Samstag"}, {"{ww}", "Sa"},
        {"{stunde}", "9"}, {"{hh}", "09"}, {"{minute}", "5"}, {"{minute0}", "05"}, {"{s}", "7"}, {"{sekunde0}", "07"},
        {"{versionakt0}", "12.2026"}, {"{jetzt}", "Samstag, 5. Dezember 2026 um 09:05 Uhr"},
        {"{DATUM} {Datum}", "5.12.2026 5.12.2026"},
        {"Brief vom {DATUM0}, KW {{kw}}, {{{q}}}. Quartal", "Brief vom 05.12.2026, KW 49, 4. Quartal"},
        {"{monatsname3} im März", "Dez im März"}, {"{unbekannt} {datum", "{unbekannt} {datum"}};
    // clang-format on
    for (const auto& [text, wert] : faelle)
        EXPECT_EQ(Vario_Ersetzen(text), wert) << text;
    EXPECT_EQ(Vario_Ersetzen("{ordner_win}"), zcommon::Windows_Ordner());
    EXPECT_EQ(Vario_Ersetzen("{ordner_app}"), zcommon::Programm_Ordner());

    p.uhr = QDateTime(QDate(2000, 7, 2), QTime(23, 59, 0));
    EXPECT_EQ(Vario_Ersetzen("{jjqr} {mmm}/{mmmm}"), "00-III Jul/Juli");
    p.uhr = QDateTime(QDate(2021, 3, 1), QTime(0, 0, 0));
    EXPECT_EQ(Vario_Ersetzen("{mmm} {mmmm} {K07}"), "Mrz März 08");
}

TEST_F(VarioTest, KalenderwocheNachDerRegelDesProgramms)
{
    // 1 January 2021 is a Friday; around 2004/2005 the rule and ISO 8601 part.
    const std::pair<QDate, int> faelle[] = {{QDate(2026, 12, 5), 49},
                                            {QDate(2021, 1, 1), 53},
                                            {QDate(2024, 12, 31), 1},
                                            {QDate(2004, 12, 27), 1},
                                            {QDate(2005, 1, 2), 52}};
    for (const auto& [datum, kw] : faelle)
        EXPECT_EQ(KW_Berechnen(datum), kw) << datum.toString(Qt::ISODate).toStdString();

    p.uhr = QDateTime(QDate(2021, 1, 1), QTime(8, 0));
    EXPECT_EQ(Vario_Ersetzen("{kw}"), "53");
    p.uhr = QDateTime(QDate(2024, 12, 31), QTime(8, 0));
    EXPECT_EQ(Vario_Ersetzen("{kw}/{kwj}/{kwj5}"), "01/52/50");

    // Everywhere else it is the ISO week.
    for (QDate d(1990, 1, 1); d < QDate(2060, 1, 1); d = d.addDays(1)) {
        const QDate j1(d.month() == 12 ? d.year() : d.year() - 1, 1, 1);
        const bool abweichung = QDate::isLeapYear(j1.year()) && j1.dayOfWeek() == 4 && d >= QDate(j1.year(), 12, 27) &&
                                d <= QDate(j1.year() + 1, 1, 2);
        if (!abweichung) {
            ASSERT_EQ(KW_Berechnen(d), d.weekNumber()) << d.toString(Qt::ISODate).toStdString();
        }
    }

    EXPECT_EQ(KW_Berechnen(QStringLiteral("31.12.2024")), 1);
    EXPECT_TRUE(p.meldungen.empty());
    EXPECT_EQ(KW_Berechnen(QStringLiteral("31.02.2020")), 0);
    ASSERT_EQ(p.meldungen.size(), 1u);
    EXPECT_EQ(p.meldungen[0].text, "31.02.2020 ist kein gültiges Datum.");
    EXPECT_EQ(p.meldungen[0].titel, "Ungültiges Datum");
    EXPECT_EQ(p.meldungen[0].stil & 0x70, int(zplatform::vbExclamation));
}

TEST_F(VarioTest, ZaehlerInZizorudIni)
{
    // Without "{" nothing happens at all.
    EXPECT_EQ(Vario_Ersetzen("counter0 ohne Klammer"), "counter0 ohne Klammer");
    EXPECT_FALSE(QFileInfo::exists(w.windows() + "/Zizorud.ini"));

    EXPECT_EQ(Vario_Ersetzen("Nr. {counter3}/{counter3}"), "Nr. 1/1");
    EXPECT_EQ(variablen("VarioCount3"), "1");
    EXPECT_EQ(Vario_Ersetzen("Nr. {counter3} {COUNTER3}"), "Nr. 2 2");
    EXPECT_EQ(variablen("VarioCount3"), "2");

    // Written with a capital letter it is neither expanded nor counted ...
    EXPECT_EQ(Vario_Ersetzen("{Counter0}"), "{Counter0}");
    EXPECT_EQ(variablen("VarioCount0"), "<fehlt>");
    // ... unless the lower-case form also occurs.
    zcommon::Ini_Schreiben(QString(), "Variablen", "VarioCount0", "41");
    EXPECT_EQ(Vario_Ersetzen("{Counter0}-{counter0}"), "42-42");
    // They stand in Zizorud.ini of the Windows folder.
    EXPECT_EQ(bytesLesen(w.windows() + "/Zizorud.ini"), "[Variablen]\r\nVarioCount3=2\r\nVarioCount0=42\r\n");
}

TEST_F(VarioTest, VariablenUndEinstellungen)
{
    EXPECT_EQ(Vario_Ersetzen("Hallo {variable:Kunde}!"), "Hallo Kunde!");
    zcommon::Ini_Schreiben(QString(), "Variablen", "Kunde", "Meier; Stammkunde");
    EXPECT_EQ(Vario_Ersetzen("Hallo {VARIABLE:Kunde}, {variable:Kunde}!"), "Hallo Meier, Meier!");

    const QString ini = "{iniread,,Allgemein,User,niemand}";
    EXPECT_EQ(Vario_Ersetzen(ini), "niemand");
    zcommon::Ini_Schreiben(QString(), "Allgemein", "User", "Anna");
    EXPECT_EQ(Vario_Ersetzen(ini + u' ' + ini), "Anna Anna");
    // The default runs to the brace, commas included; missing parts are empty.
    EXPECT_EQ(Vario_Ersetzen("{iniread,,Allgemein,Fehlt,a,b}"), "a,b");
    EXPECT_EQ(Vario_Ersetzen("{iniread,,Allgemein}"), "");
    // Another settings file by its path.
    const QString andere = w.wurzel() + "/andere.ini";
    zcommon::Ini_Schreiben(andere, "S", "K", "Wert");
    EXPECT_EQ(Vario_Ersetzen("{iniread," + andere + ",S,K,}"), "Wert");

    // A value holding its own placeholder does not run on without end.
    zcommon::Ini_Schreiben(QString(), "Variablen", "Selbst", "x{variable:Selbst}y");
    EXPECT_EQ(Vario_Ersetzen("{variable:Selbst}"), "x{variable:Selbst}y");
    zcommon::Ini_Schreiben(QString(), "Allgemein", "Schleife", "{iniread,,Allgemein,Schleife,}");
    EXPECT_EQ(Vario_Ersetzen("<{iniread,,Allgemein,Schleife,}>"), "<{iniread,,Allgemein,Schleife,}>");
}

TEST_F(VarioTest, ZufallHatImmerNStellenUndWaehltDateien)
{
    // clang-format off
    const struct { double zufall; const char* text; const char* wert; } faelle[] = {
        {0.0, "{zufall3}", "000"}, {0.0, "{zufall8}", "00000000"}, {0.99999999999, "{zufall3}", "999"},
        {0.5, "{zufall1}", "5"}, {0.123456789, "{zufall5}", "12345"}, {0.99999999999, "{zufall8}", "99999999"},
        {0.25, "{zufall2}{ZUFALL2}", "2525"}}; // one value per placeholder and call
    // clang-format on
    for (const auto& f : faelle) {
        p.zufallszahlen.enqueue(f.zufall);
        EXPECT_EQ(Vario_Ersetzen(f.text), f.wert) << f.text;
    }
    EXPECT_TRUE(p.zufallszahlen.isEmpty());

    const QString ordner = w.wurzel() + "/vorlagen";
    QDir().mkpath(ordner);
    for (const char* n : {"b.txt", "a.TXT", "c.txt", "d.doc"})
        bytesSchreiben(ordner + u'/' + QLatin1String(n), "x");
    for (double z : {0.0, 0.99, 0.5})
        p.zufallszahlen.enqueue(z);
    const QString text = "{$" + ordner + "/*.txt}";
    EXPECT_EQ(Vario_Ersetzen(text), "a.TXT");
    EXPECT_EQ(Vario_Ersetzen(text + u' ' + text), "c.txt c.txt");
    EXPECT_EQ(Vario_Ersetzen(text), "b.txt");
    EXPECT_EQ(Vario_Ersetzen("{$" + ordner + "/*.xyz}"), "KeinName.Txt");
}
