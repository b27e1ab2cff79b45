#include "common/ini.h"
#include "common/texte.h"
#include "support/testplattform.h"

#include <gtest/gtest.h>

// Readable QStrings in failure messages.
static void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

using namespace zcommon;

namespace {
QString Q(const char* s)
{
    return QString::fromUtf8(s);
}
} // namespace

TEST(Texte, ErsetzenOhneRueckfallUndOhneGrenze)
{
    EXPECT_EQ(Ersetzen(Q("Hallo~Welt~"), Q("~"), Q("\r\n")), Q("Hallo\r\nWelt\r\n"));
    EXPECT_EQ(Ersetzen(Q("aXbxc"), Q("x"), Q("-")), Q("a-b-c")); // case ignored
    // A replacement containing the find text is not replaced again.
    EXPECT_EQ(Ersetzen(Q("aa"), Q("a"), Q("aa")), Q("aaaa"));
    EXPECT_EQ(Ersetzen(Q("ÄBCä"), Q("ä"), Q("ae")), Q("aeBCae"));
    EXPECT_EQ(Ersetzen(Q("text"), QString(), Q("x")), Q("text"));
    EXPECT_EQ(Ersetzen(QString(), Q("a"), Q("b")), QString());
    EXPECT_EQ(Ersetzen(Q("a.b.c"), Q("."), QString()), Q("abc"));
    // No cap on the number of replacements.
    EXPECT_EQ(Ersetzen(QString(500, u'x'), Q("x"), Q("y")), QString(500, u'y'));
    // start: the text before it stays as it is (1-based; 0 means the whole text).
    EXPECT_EQ(Ersetzen(Q("x-x-x"), Q("x"), Q("y"), 0), Q("y-y-y"));
    EXPECT_EQ(Ersetzen(Q("x-x-x"), Q("x"), Q("y"), 2), Q("x-y-y"));
    EXPECT_EQ(Zeilenumbrueche(Q("a~b")), Q("a\r\nb"));
}

TEST(Texte, ValLiestDieZahlAmAnfang)
{
    EXPECT_DOUBLE_EQ(Val(Q("  12 34 abc")), 1234);
    EXPECT_DOUBLE_EQ(Val(Q("1.5")), 1.5);
    EXPECT_DOUBLE_EQ(Val(Q("1,5")), 1);
    EXPECT_DOUBLE_EQ(Val(Q("-3.25x")), -3.25);
    EXPECT_DOUBLE_EQ(Val(Q(".5")), 0.5);
    EXPECT_DOUBLE_EQ(Val(Q("1.2.3")), 1.2);
    EXPECT_DOUBLE_EQ(Val(Q("1E3")), 1000);
    EXPECT_DOUBLE_EQ(Val(Q("2d-1")), 0.2);
    EXPECT_DOUBLE_EQ(Val(Q("1E")), 1);
    EXPECT_DOUBLE_EQ(Val(Q("&H1F")), 31);
    EXPECT_DOUBLE_EQ(Val(Q("&HFFFF")), -1);
    EXPECT_DOUBLE_EQ(Val(Q("&O17")), 15);
    EXPECT_DOUBLE_EQ(Val(Q("abc")), 0);
    EXPECT_DOUBLE_EQ(Val(QString()), 0);
    EXPECT_DOUBLE_EQ(Val(Q("-")), 0);
    EXPECT_DOUBLE_EQ(Val(Q("007")), 7);
    EXPECT_DOUBLE_EQ(Val(Q("12345678901234567890")), 12345678901234567890.0);
    EXPECT_DOUBLE_EQ(Val(Q("1E999")), 0); // overflow gives nothing
}

TEST(Texte, Rundungen)
{
    EXPECT_EQ(RundenGerade(2.5), 2);
    EXPECT_EQ(RundenGerade(3.5), 4);
    EXPECT_EQ(RundenGerade(-2.5), -2);
    EXPECT_EQ(RundenGerade(0.125, 2), 0.12);
    EXPECT_EQ(RundenGerade(0.135, 2), 0.14);
    EXPECT_EQ(RundenKaufmaennisch(2.5), 3);
    EXPECT_EQ(RundenKaufmaennisch(-2.5), -3);
    EXPECT_EQ(RundenKaufmaennisch(2.675, 2), 2.68); // decimal, not the binary value below
    EXPECT_EQ(RundenKaufmaennisch(1234.5678, 2), 1234.57);
    EXPECT_EQ(RundenKaufmaennisch(0.0049, 2), 0);
}

TEST(Texte, FormatMitDeutschenBildern)
{
    EXPECT_EQ(Format(5, Q("0")), Q("5"));
    EXPECT_EQ(Format(2.5, Q("0")), Q("3"));
    EXPECT_EQ(Format(-2.5, Q("0")), Q("-3"));
    EXPECT_EQ(Format(5, Q("00")), Q("05"));
    EXPECT_EQ(Format(123, Q("00")), Q("123"));
    EXPECT_EQ(Format(2.675, Q("0.00")), Q("2,68"));
    EXPECT_EQ(Format(0.5, Q("#.0")), Q(",5"));
    EXPECT_EQ(Format(61.0 / 60, Q("#.0")), Q("1,0"));
    EXPECT_EQ(Format(0, Q("#,###")), QString());
    EXPECT_EQ(Format(1234567, Q("#,###")), Q("1.234.567"));
    EXPECT_EQ(Format(999, Q("#,###")), Q("999"));
    EXPECT_EQ(Format(1234.5, Q("#,##0.00")), Q("1.234,50"));
    EXPECT_EQ(Format(-1234.5, Q("#,##0.00")), Q("-1.234,50"));
    EXPECT_EQ(Format(0.004, Q("#,##0.00")), Q("0,00"));
    EXPECT_EQ(Format(-0.004, Q("0.00")), Q("0,00")); // no minus for a zero
    EXPECT_EQ(Format(1234, Q("###0")), Q("1234"));
    EXPECT_EQ(Format(7, Q("###0 ")), Q("7 "));
    EXPECT_EQ(Format(5, Q(" \\## ")), Q(" #5 "));
    EXPECT_EQ(Format(1234567, Q("000-0000")), Q("123-4567"));
    EXPECT_EQ(Format(1.5, Q("0.0#")), Q("1,5"));
    EXPECT_EQ(Format(0.25, Q("0%")), Q("25%"));
    EXPECT_EQ(Format(-3, Q("0;(0)")), Q("(3)"));
    EXPECT_EQ(Format(1.5, QString()), Q("1,5"));
    EXPECT_EQ(Format(0.1 + 0.2, QString()), Q("0,3"));
    EXPECT_EQ(Format(1e20, Q("0")), Q("100000000000000000000"));
}

TEST(Texte, ZahlenUndDatenAusDeutschemText)
{
    bool ok = false;
    EXPECT_DOUBLE_EQ(ZahlAusText(Q("1.234,56"), &ok), 1234.56);
    EXPECT_TRUE(ok);
    EXPECT_DOUBLE_EQ(ZahlAusText(Q(" -0,5 "), &ok), -0.5);
    EXPECT_TRUE(ok);
    EXPECT_DOUBLE_EQ(ZahlAusText(Q("12,50 EUR"), &ok), 12.5);
    EXPECT_FALSE(ok);
    EXPECT_DOUBLE_EQ(ZahlAusText(Q("abc"), &ok), 0);
    EXPECT_FALSE(ok);

    EXPECT_EQ(DatumAusText(Q("02.07.2000")), QDate(2000, 7, 2));
    EXPECT_EQ(DatumAusText(Q("2.7.00")), QDate(2000, 7, 2));
    EXPECT_EQ(DatumAusText(Q("1.1.99")), QDate(1999, 1, 1));
    EXPECT_EQ(DatumAusText(Q(" 29.02.2004 ")), QDate(2004, 2, 29));
    EXPECT_EQ(DatumAusText(Q("02.07.2000 10:30")), QDate(2000, 7, 2));
    EXPECT_FALSE(DatumAusText(Q("29.02.2003")).isValid());
    EXPECT_FALSE(DatumAusText(Q("32.01.2000")).isValid());
    EXPECT_FALSE(DatumAusText(Q("1.1.200")).isValid());
    EXPECT_FALSE(DatumAusText(Q("01.01.2000x")).isValid());
    EXPECT_FALSE(DatumAusText(Q("")).isValid());
    EXPECT_TRUE(IstDatum(Q("31.12.1999")));
    EXPECT_EQ(DatumText(QDate(2000, 7, 2)), Q("02.07.2000"));
    EXPECT_EQ(DatumText(QDate()), QString());
    EXPECT_EQ(ZeitText(QTime(9, 5)), Q("09:05"));
}

TEST(Texte, TrimNurBlanksUndWindowsGrossKlein)
{
    EXPECT_EQ(Trim(Q("  a b \t ")), Q("a b \t"));
    EXPECT_EQ(Trim(Q("\ta ")), Q("\ta"));
    EXPECT_EQ(LTrim(Q("  a ")), Q("a "));
    EXPECT_EQ(RTrim(Q("  a ")), Q("  a"));
    EXPECT_EQ(Trim(Q("   ")), QString());
    EXPECT_EQ(UCase(Q("äöüß ÿšœž abc")), Q("ÄÖÜß ŸŠŒŽ ABC"));
    EXPECT_EQ(LCase(Q("ÄÖÜ ŸŠŒŽ ABC")), Q("äöü ÿšœž abc"));
    EXPECT_EQ(UCase(Q("µ")), Q("µ"));
}

TEST(Texte, GrossKleinMitKurzwoertern)
{
    TempWurzel wurzel;
    EXPECT_EQ(Gross_Klein(Q("HANS VON DER MÜHLE")), Q("Hans von der Mühle"));
    EXPECT_EQ(Gross_Klein(Q("frankfurt a.m. und bad homburg v.d.h.")), Q("Frankfurt a.M. und Bad Homburg V.d.H."));
    EXPECT_EQ(Gross_Klein(Q("müller-lüdenscheidt/ost=west_süd\\x")), Q("Müller-Lüdenscheidt/Ost=West_Süd\\X"));
    EXPECT_EQ(Gross_Klein(Q("max mustermann gmbh & co. kg")), Q("Max Mustermann Gmbh & Co. Kg"));
    Ini_Schreiben(QString(), QString(), Q("ImmerKlein"), Q("gmbh;kg, co"));
    EXPECT_EQ(Gross_Klein(Q("max mustermann gmbh & co. kg")), Q("Max Mustermann gmbh & co. kg"));
}

TEST(Texte, DauerText)
{
    EXPECT_EQ(Dauer_Text(0), Q("0 Sekunden"));
    EXPECT_EQ(Dauer_Text(1), Q("1 Sekunde"));
    EXPECT_EQ(Dauer_Text(-1), Q("1 Sekunde"));
    EXPECT_EQ(Dauer_Text(60), Q("60 Sekunden"));
    EXPECT_EQ(Dauer_Text(61), Q("1,0 Minuten"));
    EXPECT_EQ(Dauer_Text(90), Q("1,5 Minuten"));
    EXPECT_EQ(Dauer_Text(3599), Q("60,0 Minuten"));
    EXPECT_EQ(Dauer_Text(3600), Q("1,0 Stunden"));
    EXPECT_EQ(Dauer_Text(129599), Q("36,0 Stunden"));
    EXPECT_EQ(Dauer_Text(129600), Q("1,5 Tage"));
    EXPECT_EQ(Dauer_Text(31557599), Q("365,2 Tage"));
    EXPECT_EQ(Dauer_Text(31557600), Q("1,0 Jahre"));
}

TEST(Texte, DatumNameUndStempel)
{
    TestPlattform p; // clock 02.07.2000 10:30
    EXPECT_EQ(Datum_Name(1, Q("wt")), Q("Sonntag"));
    EXPECT_EQ(Datum_Name(7, Q("WT")), Q("Samstag"));
    EXPECT_EQ(Datum_Name(8, Q("WT")), QString());
    EXPECT_EQ(Datumsstempel(0), Q("07.2000"));
    EXPECT_EQ(Datumsstempel(1), Q("02.07.2000"));
    EXPECT_EQ(Heute(), QDate(2000, 7, 2));
    EXPECT_EQ(Jetzt().time(), QTime(10, 30));
}

TEST(Texte, VorwahlUndTelefon)
{
    EXPECT_EQ(Vorwahl_Ermitteln(Q("030/1234567")), Q("030"));
    EXPECT_EQ(Vorwahl_Ermitteln(Q("0 30-12345")), Q("030"));
    EXPECT_EQ(Vorwahl_Ermitteln(Q("089 (12345)")), Q("089"));
    EXPECT_EQ(Vorwahl_Ermitteln(Q("0171/1234567")), QString()); // begins with 01
    EXPECT_EQ(Vorwahl_Ermitteln(Q("+49 30 123")), QString());
    EXPECT_EQ(Vorwahl_Ermitteln(Q("030 1234567")), QString()); // no separator: too many digits
    EXPECT_EQ(Vorwahl_Ermitteln(Q("123/456")), QString());     // no "0"
    EXPECT_EQ(Vorwahl_Ermitteln(Q("07/123")), QString());      // too short
    EXPECT_EQ(Vorwahl_Ermitteln(Q("033201/123")), Q(""));      // six digits

    EXPECT_EQ(Telefon_Zerlegen(Q("030-123 45 67")), Q("030 / 123 45 67"));
    EXPECT_EQ(Telefon_Zerlegen(Q(" 030/ 12-34 ")), Q("030 / 1234"));
    EXPECT_EQ(Telefon_Zerlegen(Q("0171/1234567")), Q("0171 / 1234567"));
    EXPECT_EQ(Telefon_Zerlegen(Q(" +49 30 1234 ")), Q("+49 30 1234"));
    EXPECT_EQ(Telefon_Zerlegen(Q("1234")), Q("1234"));
}

TEST(Texte, EMailPruefen)
{
    EXPECT_TRUE(EMail_Pruefen(Q("a@b.de")));
    EXPECT_TRUE(EMail_Pruefen(Q("hans.meier@beispiel.example")));
    EXPECT_FALSE(EMail_Pruefen(Q("a@")));
    EXPECT_FALSE(EMail_Pruefen(Q("ab.de")));
    EXPECT_FALSE(EMail_Pruefen(Q("a.b@de")));
    EXPECT_FALSE(EMail_Pruefen(Q("a@b@c.de")));
    EXPECT_FALSE(EMail_Pruefen(Q("a@b.de.")));
    EXPECT_FALSE(EMail_Pruefen(Q("http://a@b.de")));
    EXPECT_FALSE(EMail_Pruefen(Q("FTP://a@b.de")));
    EXPECT_FALSE(EMail_Pruefen(Q("a b@c.de")));
    EXPECT_FALSE(EMail_Pruefen(Q("müller@c.de")));
    EXPECT_FALSE(EMail_Pruefen(Q("a;b@c.de")));
}

TEST(Texte, DateinameBereinigenUndHilfen)
{
    EXPECT_EQ(Dateiname_Bereinigen(Q("12 34.5?*,;:\\<a>/b\tc")), Q("12_34_5______-a-_b_c"));
    EXPECT_EQ(Nur_Zeichen(Q("0 30-12a"), Q("0123456789")), Q("03012"));
    EXPECT_EQ(Text_NachAscii(Q("Ärger über Straße, Café €")), Q("Aerger ueber Strasse, Cafe EUR"));
    EXPECT_EQ(Text_NachAscii(Q("ÀÉÎÕÛ çñ Œuvre")), Q("AEIOU cn OEuvre"));
}
