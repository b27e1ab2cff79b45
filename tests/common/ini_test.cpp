// The settings layer against real files in a temporary root.
#include "common/ini.h"
#include "support/testplattform.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace zcommon;

namespace {

QByteArray roh(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(Ini, NamenOhneGrossKleinUndUmgebendeBlanks)
{
    TempWurzel w;
    w.schreiben(QStringLiteral("windows/Zizorud.ini"),
                QStringLiteral("[ Allgemein ]\r\n  LänderHinweis  =  0  \r\nSTRASSE=Weg\r\n"));
    EXPECT_EQ(Ini_Lesen(QString(), QStringLiteral("allgemein"), QStringLiteral("LÄNDERHINWEIS"), QStringLiteral("1")),
              QStringLiteral("0"));
    EXPECT_EQ(Ini_Lesen(QString(), QStringLiteral("  ALLGEMEIN "), QStringLiteral(" länderhinweis"), QString()),
              QStringLiteral("0"));
    // "ß" is its own letter, not "SS".
    EXPECT_EQ(Ini_Lesen(QString(), QStringLiteral("Allgemein"), QStringLiteral("Straße"), QStringLiteral("-")),
              QStringLiteral("-"));

    // A write to the same key in another spelling changes that line, keeping its name.
    Ini_Schreiben(QString(), QStringLiteral("ALLGEMEIN"), QStringLiteral("länderhinweis"), QStringLiteral("1"));
    EXPECT_EQ(w.lesen(QStringLiteral("windows/Zizorud.ini")),
              QStringLiteral("[ Allgemein ]\r\nLänderHinweis=1\r\nSTRASSE=Weg\r\n"));
}

TEST(Ini, LeererWertUndFehlendesUnterscheiden)
{
    TempWurzel w;
    w.schreiben(QStringLiteral("windows/Zizorud.ini"), QStringLiteral("[Zettlora]\r\nLeer=\r\nBlank=   \r\n"));
    EXPECT_EQ(Ini_Lesen(QString(), QString(), QStringLiteral("Leer"), QStringLiteral("vorgabe")), QString(""));
    EXPECT_EQ(Ini_Lesen(QString(), QString(), QStringLiteral("Blank"), QStringLiteral("vorgabe")), QString(""));
    EXPECT_EQ(Ini_Lesen(QString(), QString(), QStringLiteral("Fehlt"), QStringLiteral("vorgabe")),
              QStringLiteral("vorgabe"));
    EXPECT_EQ(Ini_Lesen(QString(), QStringLiteral("Andere"), QStringLiteral("Leer"), QStringLiteral("v")),
              QStringLiteral("v"));
    EXPECT_EQ(Ini_Lesen(QStringLiteral("GibtEsNicht"), QString(), QStringLiteral("Leer"), QStringLiteral("v")),
              QStringLiteral("v"));
    // A line break in the default comes back as CR LF, as a stored one would.
    EXPECT_EQ(Ini_Lesen(QString(), QString(), QStringLiteral("Fehlt"), QStringLiteral("a\nb")),
              QStringLiteral("a\r\nb"));
}

TEST(Ini, ZeilenumbruchAlsSterne)
{
    TempWurzel w;
    EXPECT_EQ(Ini_Schreiben(QString(), QString(), QStringLiteral("Text"), QStringLiteral("  a\r\nb\nc\rd  ")),
              QStringLiteral("a**b**c**d"));
    EXPECT_TRUE(w.lesen(QStringLiteral("windows/Zizorud.ini")).contains(QStringLiteral("\r\nText=a**b**c**d\r\n")));
    EXPECT_EQ(Ini_Lesen(QString(), QString(), QStringLiteral("Text")), QStringLiteral("a\r\nb\r\nc\r\nd"));

    // A line break in a name becomes a blank and cannot split the file.
    Ini_Schreiben(QString(), QStringLiteral("Neu\r\nSektion"), QStringLiteral("Sch\nlüssel"), QStringLiteral("x"));
    EXPECT_EQ(Ini_Lesen(QString(), QStringLiteral("Neu Sektion"), QStringLiteral("Sch lüssel")), QStringLiteral("x"));
    EXPECT_EQ(Ini_Sektionen(QString()), (QStringList{QStringLiteral("Zettlora"), QStringLiteral("Neu Sektion")}));
}

TEST(Ini, NeueDateiMitCrLfUndWindows1252)
{
    TempWurzel w;
    Ini_Schreiben(QString(), QStringLiteral("Allgemein"), QStringLiteral("Ort"), QStringLiteral("Köln"));
    Ini_Schreiben(QString(), QStringLiteral("Allgemein"), QStringLiteral("Straße"), QStringLiteral("Weg"));
    Ini_Schreiben(QString(), QString(), QString(), QStringLiteral("ohne Namen"));
    EXPECT_EQ(roh(w.windows() + QStringLiteral("/Zizorud.ini")),
              QByteArray("[Allgemein]\r\nOrt=K\xf6ln\r\nStra\xdf"
                         "e=Weg\r\n\r\n[Zettlora]\r\nNoKey=ohne Namen\r\n"));
    EXPECT_EQ(Ini_Lesen(QString(), QString(), QString()), QStringLiteral("ohne Namen"));
}

TEST(Ini, AndereZeilenBleibenByteFuerByte)
{
    TempWurzel w;
    // LF line ends, comments, odd spacing, blank lines, a duplicate key and no final line end.
    const QByteArray vorher = "; Kommentar ganz oben\n"
                              "\n"
                              "[Eins]\n"
                              "   A   =  1   \n"
                              "; zu A\n"
                              "B=2\n"
                              "A=doppelt\n"
                              "\n"
                              "\n"
                              "[Zwei]\n"
                              "ohne Gleichheitszeichen\n"
                              "C = 3";
    QFile f(w.windows() + QStringLiteral("/Test.ini"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(vorher);
    f.close();

    EXPECT_EQ(Ini_Lesen(QStringLiteral("Test"), QStringLiteral("Eins"), QStringLiteral("A")), QStringLiteral("1"));
    Ini_Schreiben(QStringLiteral("Test"), QStringLiteral("eins"), QStringLiteral("a"), QStringLiteral("neu"));
    QByteArray erwartet = vorher;
    erwartet.replace("   A   =  1   \n", "A=neu\n"); // a changed line keeps its line end
    EXPECT_EQ(roh(w.windows() + QStringLiteral("/Test.ini")).toStdString(), erwartet.toStdString());

    // A new key goes behind the section's last line that is not blank; the
    // last line gets a line end before anything follows it.
    Ini_Schreiben(QStringLiteral("Test"), QStringLiteral("Eins"), QStringLiteral("D"), QStringLiteral("4"));
    Ini_Schreiben(QStringLiteral("Test"), QStringLiteral("Zwei"), QStringLiteral("E"), QStringLiteral("5"));
    erwartet.replace("A=doppelt\n", "A=doppelt\nD=4\r\n");
    erwartet.replace("C = 3", "C = 3\r\nE=5\r\n");
    EXPECT_EQ(roh(w.windows() + QStringLiteral("/Test.ini")).toStdString(), erwartet.toStdString());

    EXPECT_EQ(Ini_Schluessel(QStringLiteral("Test"), QStringLiteral("EINS")),
              (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("D")}));
    // Writing the value a key already has leaves the file alone.
    const QDateTime zeit = QFileInfo(w.windows() + QStringLiteral("/Test.ini")).lastModified();
    Ini_Schreiben(QStringLiteral("Test"), QStringLiteral("Zwei"), QStringLiteral("C"), QStringLiteral("3"));
    EXPECT_EQ(roh(w.windows() + QStringLiteral("/Test.ini")).toStdString(), erwartet.toStdString());
    EXPECT_EQ(QFileInfo(w.windows() + QStringLiteral("/Test.ini")).lastModified(), zeit);
}

TEST(Ini, SchreibenInFehlendenOrdnerAendertNichts)
{
    TempWurzel w;
    const QString pfad = w.wurzel() + QStringLiteral("/fehlt/Einstellungen.ini");
    EXPECT_EQ(Ini_Schreiben(pfad, QStringLiteral("S"), QStringLiteral("K"), QStringLiteral(" wert ")),
              QStringLiteral("wert"));
    EXPECT_FALSE(QFileInfo::exists(w.wurzel() + QStringLiteral("/fehlt")));
    EXPECT_EQ(Ini_Lesen(pfad, QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v")), QStringLiteral("v"));
}

TEST(Ini, DateinamenRegeln)
{
    TempWurzel w;
    const QString zizorud = w.windows() + QStringLiteral("/Zizorud.ini");
    EXPECT_EQ(Ini_Pfad(QString()), zizorud);
    EXPECT_EQ(Ini_Pfad(QStringLiteral("ZIZORUD.INI")), zizorud);
    EXPECT_EQ(Ini_Pfad(QStringLiteral("zizorud")), zizorud);
    EXPECT_EQ(Ini_Pfad(QStringLiteral("win.ini")), w.windows() + QStringLiteral("/win.ini"));
    EXPECT_EQ(Ini_Pfad(QStringLiteral("KontPrn")), w.windows() + QStringLiteral("/KontPrn.ini"));
    // The fourth-last character decides whether ".ini" is added.
    EXPECT_EQ(Ini_Pfad(QStringLiteral("Adapter.Cfg")), w.windows() + QStringLiteral("/Adapter.Cfg"));
    EXPECT_EQ(Ini_Pfad(QStringLiteral("Liste.txt1")), w.windows() + QStringLiteral("/Liste.txt1.ini"));
    EXPECT_EQ(Ini_Pfad(w.programm() + QStringLiteral("/DurIdovi")), w.programm() + QStringLiteral("/DurIdovi.ini"));
    // "\" separates folders as well.
    EXPECT_EQ(Ini_Pfad(w.programm() + QStringLiteral("\\Masken.Ini")), w.programm() + QStringLiteral("/Masken.Ini"));

    // An existing file is found whatever the case of the name asked for, and written there.
    w.schreiben(QStringLiteral("programm/duridovi.INI"), QStringLiteral("[Allgemein]\r\nNoInstanceWatch=1\r\n"));
    const QString gefragt = w.programm() + QStringLiteral("/DurIdovi.ini");
    EXPECT_EQ(Ini_Lesen(gefragt, QStringLiteral("Allgemein"), QStringLiteral("NoInstanceWatch")), QStringLiteral("1"));
    Ini_Schreiben(gefragt, QStringLiteral("Allgemein"), QStringLiteral("Datenordner"), QStringLiteral("/daten"));
    EXPECT_EQ(QDir(w.programm()).entryList(QDir::Files), QStringList{QStringLiteral("duridovi.INI")});
    EXPECT_TRUE(w.lesen(QStringLiteral("programm/duridovi.INI")).contains(QStringLiteral("Datenordner=/daten")));
}

TEST(Ini, ZwischenspeicherMerktAenderungenVonAussen)
{
    TempWurzel w;
    Ini_Schreiben(QStringLiteral("Extern"), QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("alt"));
    EXPECT_EQ(Ini_Lesen(QStringLiteral("Extern"), QStringLiteral("S"), QStringLiteral("K")), QStringLiteral("alt"));

    // Same size, different content: the time stamp tells.
    const QString pfad = w.windows() + QStringLiteral("/Extern.ini");
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("[S]\r\nK=neu\r\n");
    f.flush();
    f.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
    f.close();
    EXPECT_EQ(Ini_Lesen(QStringLiteral("Extern"), QStringLiteral("S"), QStringLiteral("K")), QStringLiteral("neu"));

    // A deleted file gives the default again; a recreated one is read.
    QFile::remove(pfad);
    EXPECT_EQ(Ini_Lesen(QStringLiteral("Extern"), QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("d")),
              QStringLiteral("d"));
    w.schreiben(QStringLiteral("windows/EXTERN.INI"), QStringLiteral("[s]\nk=wieder da"));
    EXPECT_EQ(Ini_Lesen(QStringLiteral("Extern"), QStringLiteral("S"), QStringLiteral("K")),
              QStringLiteral("wieder da"));
}

TEST(Ini, LangeWerteGanz)
{
    TempWurzel w;
    const QString lang = QString(600, QLatin1Char('x')) + QStringLiteral(";Ende");
    Ini_Schreiben(QString(), QStringLiteral("Zahler"), QStringLiteral("Liste"), lang);
    EXPECT_EQ(Ini_Lesen(QString(), QStringLiteral("Zahler"), QStringLiteral("Liste")), lang);
}

TEST(Ini, ZaehlerErhoehen)
{
    TempWurzel w;
    EXPECT_EQ(Ini_Zaehler_Erhoehen(QString(), QStringLiteral("Z"), QStringLiteral("N"), 1), 1);
    EXPECT_EQ(Ini_Zaehler_Erhoehen(QString(), QStringLiteral("Z"), QStringLiteral("N"), 41), 42);
    Ini_Schreiben(QString(), QStringLiteral("Z"), QStringLiteral("M"), QStringLiteral("7 Stück"));
    EXPECT_EQ(Ini_Zaehler_Erhoehen(QString(), QStringLiteral("Z"), QStringLiteral("M"), 0.5), 8);
    EXPECT_EQ(Ini_Lesen(QString(), QStringLiteral("Z"), QStringLiteral("M")), QStringLiteral("8"));
    Ini_Schreiben(QString(), QStringLiteral("Z"), QStringLiteral("X"), QStringLiteral("unsinn"));
    EXPECT_EQ(Ini_Zaehler_Erhoehen(QString(), QStringLiteral("Z"), QStringLiteral("X"), -3), -3);
}

TEST(Ini, LoeschenUndAuflisten)
{
    TempWurzel w;
    w.schreiben(QStringLiteral("windows/L.ini"),
                QStringLiteral("[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nz=3\r\n\r\n[C]\r\nw=4\r\n"));
    Ini_Loeschen(QStringLiteral("L"), QStringLiteral("a"), QStringLiteral("X"));
    Ini_Loeschen(QStringLiteral("L"), QStringLiteral("b"));
    Ini_Loeschen(QStringLiteral("L"), QStringLiteral("fehlt"), QStringLiteral("x"));
    EXPECT_EQ(w.lesen(QStringLiteral("windows/L.ini")), QStringLiteral("[A]\r\ny=2\r\n\r\n[C]\r\nw=4\r\n"));
    EXPECT_EQ(Ini_Sektionen(QStringLiteral("L")), (QStringList{QStringLiteral("A"), QStringLiteral("C")}));
    EXPECT_TRUE(Ini_Sektionen(QStringLiteral("GibtEsNicht")).isEmpty());
}

TEST(Ini, AuslesenEinerDateiOhneNamensregeln)
{
    TempWurzel w;
    w.schreiben(QStringLiteral("programm/Job.Cfg.erledigt"),
                QStringLiteral("[Eins]\r\na=1**2\r\n[zwei]\r\nb=\r\n[EINS]\r\nc=3\r\n"));
    auto s = Ini_Auslesen(w.programm() + QStringLiteral("/Job.Cfg.erledigt"));
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].name, QStringLiteral("Eins"));
    ASSERT_EQ(s[0].eintraege.size(), 1u);
    EXPECT_EQ(s[0].eintraege[0].second, QStringLiteral("1\r\n2"));
    EXPECT_EQ(s[1].eintraege[0].first, QStringLiteral("b"));
}
