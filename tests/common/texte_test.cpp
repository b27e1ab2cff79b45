// Text, number and date helpers; splitting a text into the numbered words.
#include "common/ini.h"
#include "common/texte.h"
#include "common/woerter.h"
#include "testhilfe.h"

using namespace zcommon;

TEST(Texte, ErsetzenOhneRueckfallUndOhneGrenze)
{
    // clang-format off
    const struct { QString text, suche, ersatz; int start; QString ergebnis; } faelle[] = {
        {"Hallo~Welt~", "~", "\r\n", 0, "Hallo\r\nWelt\r\n"},
        {"aXbxc", "x", "-", 0, "a-b-c"},                 // case ignored
        {"aa", "a", "aa", 0, "aaaa"},                    // the replacement is not replaced again
        {"ÄBCä", "ä", "ae", 0, "aeBCae"}, {"text", "", "x", 0, "text"}, {"", "a", "b", 0, ""},
        {"a.b.c", ".", "", 0, "abc"},
        {QString(500, u'x'), "x", "y", 0, QString(500, u'y')}, // no cap on the number of replacements
        // start: the text before it stays as it is (1-based; 0 means the whole text).
        {"x-x-x", "x", "y", 0, "y-y-y"}, {"x-x-x", "x", "y", 2, "x-y-y"}};
    // clang-format on
    for (const auto& f : faelle)
        EXPECT_EQ(Ersetzen(f.text, f.suche, f.ersatz, f.start), f.ergebnis) << f.text.toStdString();
}

TEST(Texte, ValUndRundungen)
{
    // clang-format off
    const std::pair<const char*, double> faelle[] = {
        {"  12 34 abc", 1234}, {"1.5", 1.5}, {"1,5", 1}, {"-3.25x", -3.25}, {".5", 0.5}, {"1.2.3", 1.2},
        {"1E3", 1000}, {"2d-1", 0.2}, {"1E", 1}, {"&H1F", 31}, {"&HFFFF", -1}, {"&O17", 15}, {"abc", 0}, {"", 0},
        {"-", 0}, {"007", 7}, {"12345678901234567890", 12345678901234567890.0},
        {"1E999", 0}}; // overflow gives nothing
    // clang-format on
    for (const auto& [text, wert] : faelle)
        EXPECT_DOUBLE_EQ(Val(text), wert) << text;

    // {value, places, to the even neighbour, away from zero}; halves are decimal, not the binary value.
    // clang-format off
    const struct { double wert; int stellen; double gerade, kaufmaennisch; } rundungen[] = {
        {2.5, 0, 2, 3}, {3.5, 0, 4, 4}, {-2.5, 0, -2, -3}, {0.125, 2, 0.12, 0.13}, {0.135, 2, 0.14, 0.14},
        {2.675, 2, 2.68, 2.68}, {1234.5678, 2, 1234.57, 1234.57}, {0.0049, 2, 0, 0}};
    // clang-format on
    for (const auto& r : rundungen) {
        EXPECT_EQ(RundenGerade(r.wert, r.stellen), r.gerade) << r.wert;
        EXPECT_EQ(RundenKaufmaennisch(r.wert, r.stellen), r.kaufmaennisch) << r.wert;
    }
}

TEST(Texte, FormatMitDeutschenBildern)
{
    // clang-format off
    const struct { double wert; const char* bild; const char* text; } faelle[] = {
        {5, "0", "5"}, {2.5, "0", "3"}, {-2.5, "0", "-3"}, {5, "00", "05"}, {123, "00", "123"},
        {2.675, "0.00", "2,68"}, {0.5, "#.0", ",5"}, {61.0 / 60, "#.0", "1,0"}, {0, "#,###", ""},
        {1234567, "#,###", "1.234.567"}, {999, "#,###", "999"}, {1234.5, "#,##0.00", "1.234,50"},
        {-1234.5, "#,##0.00", "-1.234,50"}, {0.004, "#,##0.00", "0,00"},
        {-0.004, "0.00", "0,00"},                        // no minus for a zero
        {1234, "###0", "1234"}, {7, "###0 ", "7 "}, {5, " \\## ", " #5 "}, {1234567, "000-0000", "123-4567"},
        {1.5, "0.0#", "1,5"}, {0.25, "0%", "25%"}, {-3, "0;(0)", "(3)"}, {1.5, "", "1,5"}, {0.1 + 0.2, "", "0,3"},
        {1e20, "0", "100000000000000000000"}};
    // clang-format on
    for (const auto& f : faelle)
        EXPECT_EQ(Format(f.wert, f.bild), f.text) << f.wert << " / " << f.bild;
}

TEST(Texte, ZahlenUndDatenAusDeutschemText)
{
    // clang-format off
    const struct { const char* text; double zahl; bool ok; } zahlen[] = {
        {"1.234,56", 1234.56, true}, {" -0,5 ", -0.5, true}, {"12,50 EUR", 12.5, false}, {"abc", 0, false}};
    // clang-format on
    for (const auto& z : zahlen) {
        bool ok = !z.ok;
        EXPECT_DOUBLE_EQ(ZahlAusText(z.text, &ok), z.zahl) << z.text;
        EXPECT_EQ(ok, z.ok) << z.text;
    }

    // clang-format off
    const std::pair<const char*, QDate> daten[] = {
        {"02.07.2000", QDate(2000, 7, 2)}, {"2.7.00", QDate(2000, 7, 2)}, {"1.1.99", QDate(1999, 1, 1)},
        {" 29.02.2004 ", QDate(2004, 2, 29)}, {"02.07.2000 10:30", QDate(2000, 7, 2)}, {"29.02.2003", QDate()},
        {"32.01.2000", QDate()}, {"1.1.200", QDate()}, {"01.01.2000x", QDate()}, {"", QDate()}};
    // clang-format on
    for (const auto& [text, datum] : daten)
        EXPECT_EQ(DatumAusText(text), datum) << text;
    EXPECT_TRUE(IstDatum("31.12.1999"));
    EXPECT_EQ(DatumText(QDate(2000, 7, 2)), "02.07.2000");
    EXPECT_EQ(DatumText(QDate()), QString());
    EXPECT_EQ(ZeitText(QTime(9, 5)), "09:05");
}

TEST(Texte, UmformungenVonTexten)
{
    TempWurzel wurzel; // Gross_Klein reads the setting "ImmerKlein"
    // clang-format off
    const struct { QString (*f)(const QString&); const char* ein; const char* aus; } faelle[] = {
        // Only blanks are trimmed; case changes as Windows does it.
        {Trim, "  a b \t ", "a b \t"}, {Trim, "\ta ", "\ta"}, {LTrim, "  a ", "a "}, {RTrim, "  a ", "  a"},
        {Trim, "   ", ""}, {UCase, "äöüß ÿšœž abc µ", "ÄÖÜß ŸŠŒŽ ABC µ"}, {LCase, "ÄÖÜ ŸŠŒŽ ABC", "äöü ÿšœž abc"},
        {Zeilenumbrueche, "a~b", "a\r\nb"},
        {Gross_Klein, "HANS VON DER MÜHLE", "Hans von der Mühle"},
        {Gross_Klein, "frankfurt a.m. und bad homburg v.d.h.", "Frankfurt a.M. und Bad Homburg V.d.H."},
        {Gross_Klein, "müller-lüdenscheidt/ost=west_süd\\x", "Müller-Lüdenscheidt/Ost=West_Süd\\X"},
        {Gross_Klein, "max mustermann gmbh & co. kg", "Max Mustermann Gmbh & Co. Kg"},
        {Dateiname_Bereinigen, "12 34.5?*,;:\\<a>/b\tc", "12_34_5______-a-_b_c"},
        {Text_NachAscii, "Ärger über Straße, Café €", "Aerger ueber Strasse, Cafe EUR"},
        {Text_NachAscii, "ÀÉÎÕÛ çñ Œuvre", "AEIOU cn OEuvre"},
        {Vorwahl_Ermitteln, "030/1234567", "030"}, {Vorwahl_Ermitteln, "0 30-12345", "030"},
        {Vorwahl_Ermitteln, "089 (12345)", "089"},
        {Vorwahl_Ermitteln, "0171/1234567", ""},        // begins with 01
        {Vorwahl_Ermitteln, "+49 30 123", ""},
        {Vorwahl_Ermitteln, "030 1234567", ""},         // no separator: too many digits
        {Vorwahl_Ermitteln, "123/456", ""}, {Vorwahl_Ermitteln, "07/123", ""}, // no "0"; too short
        {Vorwahl_Ermitteln, "033201/123", ""},          // six digits
        {Telefon_Zerlegen, "030-123 45 67", "030 / 123 45 67"}, {Telefon_Zerlegen, " 030/ 12-34 ", "030 / 1234"},
        {Telefon_Zerlegen, "0171/1234567", "0171 / 1234567"}, {Telefon_Zerlegen, " +49 30 1234 ", "+49 30 1234"},
        {Telefon_Zerlegen, "1234", "1234"}};
    const std::pair<const char*, bool> emails[] = {
        {"a@b.de", true}, {"hans.meier@beispiel.example", true}, {"a@", false}, {"ab.de", false},
        {"a.b@de", false}, {"a@b@c.de", false}, {"a@b.de.", false}, {"http://a@b.de", false},
        {"FTP://a@b.de", false}, {"a b@c.de", false}, {"müller@c.de", false}, {"a;b@c.de", false}};
    // clang-format on
    for (const auto& f : faelle)
        EXPECT_EQ(f.f(f.ein), f.aus) << f.ein;
    for (const auto& [adresse, gueltig] : emails)
        EXPECT_EQ(EMail_Pruefen(adresse), gueltig) << adresse;
    EXPECT_EQ(Nur_Zeichen("0 30-12a", "0123456789"), "03012");
    Ini_Schreiben(QString(), QString(), "ImmerKlein", "gmbh;kg, co");
    EXPECT_EQ(Gross_Klein("max mustermann gmbh & co. kg"), "Max Mustermann gmbh & co. kg");
}

TEST(Texte, DauerDatumNameUndStempel)
{
    // clang-format off
    const std::pair<double, const char*> dauern[] = {
        {0, "0 Sekunden"}, {1, "1 Sekunde"}, {-1, "1 Sekunde"}, {60, "60 Sekunden"}, {61, "1,0 Minuten"},
        {90, "1,5 Minuten"}, {3599, "60,0 Minuten"}, {3600, "1,0 Stunden"}, {129599, "36,0 Stunden"},
        {129600, "1,5 Tage"}, {31557599, "365,2 Tage"}, {31557600, "1,0 Jahre"}};
    // clang-format on
    for (const auto& [sekunden, text] : dauern)
        EXPECT_EQ(Dauer_Text(sekunden), text) << sekunden;

    TestPlattform p; // clock 02.07.2000 10:30
    EXPECT_EQ(QStringList(
                  {Datum_Name(1, "wt"), Datum_Name(7, "WT"), Datum_Name(8, "WT"), Datumsstempel(0), Datumsstempel(1)}),
              QStringList({"Sonntag", "Samstag", "", "07.2000", "02.07.2000"}));
    EXPECT_EQ(Jetzt(), QDateTime(QDate(2000, 7, 2), QTime(10, 30)));
    EXPECT_EQ(Heute(), QDate(2000, 7, 2));
}

TEST(Woerter, LeereWoerterTrennerUndParameter)
{
    Woerter_Zerlegen(" eins//zwei,drei;vier|fuenf\tsechs\r\nsieben ");
    ASSERT_EQ(WortAnzahl, 7);
    EXPECT_EQ(QStringList({Wort[1], Wort[2], Wort[7], Wort[8]}), QStringList({"eins", "zwei", "sieben", ""}));

    Woerter_Zerlegen("a;;b;", ";");
    ASSERT_EQ(WortAnzahl, 2);
    EXPECT_EQ(Wort[2], "b");
    EXPECT_TRUE(Wort[3].isEmpty()); // the former words are cleared

    Woerter_Zerlegen(QString());
    EXPECT_EQ(WortAnzahl, 0);
    Woerter_Zerlegen("a b", ";"); // no separator in the text
    ASSERT_EQ(WortAnzahl, 1);
    EXPECT_EQ(Wort[1], "a b");

    Woerter_Zerlegen("programm Datei=adressen.dat suche=Meier readonly DATEI=zweite", " ");
    EXPECT_EQ(Wort_Parameter("datei="), "adressen.dat");
    EXPECT_EQ(Wort_Parameter("SUCHE="), "Meier");
    EXPECT_EQ(Wort_Parameter("readonly"), QString());
    EXPECT_EQ(Wort_Parameter("fehlt="), QString());

    // From the hundredth word on, place 99 is overwritten.
    QStringList teile;
    for (int i = 1; i <= 120; ++i)
        teile << QString::number(i);
    Woerter_Zerlegen(teile.join(u' '));
    EXPECT_EQ(WortAnzahl, 99);
    EXPECT_EQ(Wort[98], "98");
    EXPECT_EQ(Wort[99], "120");
}
