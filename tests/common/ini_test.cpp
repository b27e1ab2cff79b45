// The settings layer against real files in a temporary root.
#include "common/ini.h"
#include "support/testplattform.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>
#include <unistd.h>

using namespace zcommon;

namespace {

QByteArray roh(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ablegen(const QString& pfad, const QByteArray& bytes)
{
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
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
    ablegen(w.windows() + QStringLiteral("/Test.ini"), vorher);

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

namespace {

// A run of changes of every kind, each through the public functions.
void allerleiAendern(const QString& datei)
{
    Ini_Schreiben(datei, QStringLiteral("eins"), QStringLiteral("a"), QStringLiteral("neu"));
    Ini_Schreiben(datei, QStringLiteral("Eins"), QStringLiteral("D"), QStringLiteral(" 4 "));
    Ini_Schreiben(datei, QStringLiteral("Zwei"), QStringLiteral("E"), QStringLiteral("zwei\r\nZeilen"));
    Ini_Schreiben(datei, QStringLiteral("Drei"), QStringLiteral("Ort"), QStringLiteral("Köln"));
    Ini_Schreiben(datei, QStringLiteral("Zwei"), QStringLiteral("C"), QStringLiteral("3")); // unchanged
    Ini_Loeschen(datei, QStringLiteral("Eins"), QStringLiteral("B"));
    Ini_Zaehler_Erhoehen(datei, QStringLiteral("Drei"), QStringLiteral("Zahl"));
    Ini_Zaehler_Erhoehen(datei, QStringLiteral("Drei"), QStringLiteral("Zahl"));
    Ini_Schreiben(datei, QStringLiteral("Eins"), QStringLiteral("D"), QStringLiteral("5"));
}

const QByteArray Ungerade = "; Kommentar\n"
                            "[Eins]\n"
                            "   A   =  1   \n"
                            "B=2\n"
                            "A=doppelt\n"
                            "\n"
                            "[Zwei]\n"
                            "C = 3";

} // namespace

TEST(IniStapel, SchreibtEinmalDieselbenBytesWieEinzelneSchreibvorgaenge)
{
    TempWurzel w;
    const QString einzeln = w.windows() + QStringLiteral("/Einzeln.ini");
    const QString gestapelt = w.windows() + QStringLiteral("/Gestapelt.ini");
    ablegen(einzeln, Ungerade);
    ablegen(gestapelt, Ungerade);

    allerleiAendern(QStringLiteral("Einzeln"));
    {
        Ini_Stapel stapel(QStringLiteral("GESTAPELT.INI")); // any name that stands for the file
        allerleiAendern(QStringLiteral("Gestapelt"));
        // Nothing on disk yet; every read sees the pending values.
        EXPECT_EQ(roh(gestapelt), Ungerade);
        EXPECT_EQ(Ini_Lesen(QStringLiteral("Gestapelt"), QStringLiteral("Eins"), QStringLiteral("A")),
                  QStringLiteral("neu"));
        EXPECT_EQ(Ini_Lesen(QStringLiteral("Gestapelt"), QStringLiteral("Zwei"), QStringLiteral("E")),
                  QStringLiteral("zwei\r\nZeilen"));
        EXPECT_EQ(
            Ini_Lesen(QStringLiteral("Gestapelt"), QStringLiteral("Eins"), QStringLiteral("B"), QStringLiteral("weg")),
            QStringLiteral("weg"));
        EXPECT_EQ(Ini_Lesen(QStringLiteral("Gestapelt"), QStringLiteral("Drei"), QStringLiteral("Zahl")),
                  QStringLiteral("2"));
        EXPECT_EQ(Ini_Sektionen(QStringLiteral("Gestapelt")),
                  (QStringList{QStringLiteral("Eins"), QStringLiteral("Zwei"), QStringLiteral("Drei")}));
        EXPECT_EQ(Ini_Schluessel(QStringLiteral("Gestapelt"), QStringLiteral("Eins")),
                  (QStringList{QStringLiteral("A"), QStringLiteral("D")}));
        const auto sektionen = Ini_Auslesen(gestapelt);
        ASSERT_EQ(sektionen.size(), 3u);
        EXPECT_EQ(sektionen[2].eintraege.front().second, QStringLiteral("Köln"));
    }
    EXPECT_EQ(roh(gestapelt).toStdString(), roh(einzeln).toStdString());
    EXPECT_NE(roh(gestapelt), Ungerade);

    // A new file is made the same way too.
    Ini_Schreiben(QStringLiteral("NeuEinzeln"), QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("1"));
    Ini_Schreiben(QStringLiteral("NeuEinzeln"), QString(), QStringLiteral("K"), QStringLiteral("2"));
    {
        Ini_Stapel stapel(QStringLiteral("NeuGestapelt"));
        Ini_Schreiben(QStringLiteral("NeuGestapelt"), QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("1"));
        Ini_Schreiben(QStringLiteral("NeuGestapelt"), QString(), QStringLiteral("K"), QStringLiteral("2"));
        EXPECT_FALSE(QFileInfo::exists(w.windows() + QStringLiteral("/NeuGestapelt.ini")));
        EXPECT_EQ(Ini_Lesen(QStringLiteral("NeuGestapelt"), QStringLiteral("S"), QStringLiteral("K")),
                  QStringLiteral("1"));
    }
    EXPECT_EQ(roh(w.windows() + QStringLiteral("/NeuGestapelt.ini")),
              roh(w.windows() + QStringLiteral("/NeuEinzeln.ini")));
}

TEST(IniStapel, VerschachteltZwischendurchUndAndereDateien)
{
    TempWurzel w;
    const QString pfad = w.windows() + QStringLiteral("/S.ini");
    ablegen(pfad, "[A]\r\nx=1\r\n");
    {
        Ini_Stapel aussen(QStringLiteral("S"));
        {
            Ini_Stapel innen(QStringLiteral("S"));
            Ini_Schreiben(QStringLiteral("S"), QStringLiteral("A"), QStringLiteral("x"), QStringLiteral("2"));
            // Another file is written at once.
            Ini_Schreiben(QStringLiteral("Andere"), QStringLiteral("A"), QStringLiteral("y"), QStringLiteral("3"));
            EXPECT_EQ(roh(w.windows() + QStringLiteral("/Andere.ini")), "[A]\r\ny=3\r\n");
        }
        EXPECT_EQ(roh(pfad), "[A]\r\nx=1\r\n"); // the inner batch does not write
        EXPECT_TRUE(aussen.schreiben());
        EXPECT_EQ(roh(pfad), "[A]\r\nx=2\r\n");
        EXPECT_TRUE(aussen.schreiben()); // nothing pending
        Ini_Schreiben(QStringLiteral("S"), QStringLiteral("A"), QStringLiteral("z"), QStringLiteral("4"));
        EXPECT_EQ(roh(pfad), "[A]\r\nx=2\r\n");
    }
    EXPECT_EQ(roh(pfad), "[A]\r\nx=2\r\nz=4\r\n");
    // After the batch every write goes to disk again.
    Ini_Schreiben(QStringLiteral("S"), QStringLiteral("A"), QStringLiteral("z"), QStringLiteral("5"));
    EXPECT_EQ(roh(pfad), "[A]\r\nx=2\r\nz=5\r\n");

    // A batch without changes leaves the file alone.
    const QDateTime zeit = QFileInfo(pfad).lastModified();
    {
        Ini_Stapel stapel(QStringLiteral("S"));
        Ini_Schreiben(QStringLiteral("S"), QStringLiteral("A"), QStringLiteral("x"), QStringLiteral("2"));
    }
    EXPECT_EQ(QFileInfo(pfad).lastModified(), zeit);
}

TEST(IniStapel, FehlschlagendesZielAendertNichts)
{
    TempWurzel w;
    // A folder stands where the file should be.
    const QString ordner = w.windows() + QStringLiteral("/Belegt.ini");
    ASSERT_TRUE(QDir().mkpath(ordner));
    {
        Ini_Stapel stapel(QStringLiteral("Belegt"));
        EXPECT_EQ(
            Ini_Schreiben(QStringLiteral("Belegt"), QStringLiteral("S"), QStringLiteral("K"), QStringLiteral(" v ")),
            QStringLiteral("v"));
        EXPECT_EQ(Ini_Lesen(QStringLiteral("Belegt"), QStringLiteral("S"), QStringLiteral("K")), QStringLiteral("v"));
        EXPECT_FALSE(stapel.schreiben());
        EXPECT_TRUE(QFileInfo(ordner).isDir());
        // The pending values are gone with the failed write.
        EXPECT_EQ(Ini_Lesen(QStringLiteral("Belegt"), QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("d")),
                  QStringLiteral("d"));
    }
    EXPECT_TRUE(QFileInfo(ordner).isDir());

    // A missing folder is not made.
    const QString fehlt = w.wurzel() + QStringLiteral("/fehlt/E.ini");
    {
        Ini_Stapel stapel(fehlt);
        Ini_Schreiben(fehlt, QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"));
    }
    EXPECT_FALSE(QFileInfo::exists(w.wurzel() + QStringLiteral("/fehlt")));
    EXPECT_EQ(Ini_Lesen(fehlt, QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("d")), QStringLiteral("d"));

    // An existing file in a folder that takes no new files stays byte for byte.
    if (geteuid() != 0) {
        const QString gesperrt = w.wurzel() + QStringLiteral("/gesperrt");
        ASSERT_TRUE(QDir().mkpath(gesperrt));
        const QString pfad = gesperrt + QStringLiteral("/G.ini");
        ablegen(pfad, Ungerade);
        QFile::setPermissions(gesperrt, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        {
            Ini_Stapel stapel(pfad);
            allerleiAendern(pfad);
        }
        QFile::setPermissions(gesperrt, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        EXPECT_EQ(roh(pfad), Ungerade);
        EXPECT_EQ(Ini_Lesen(pfad, QStringLiteral("Eins"), QStringLiteral("A")), QStringLiteral("1"));
        EXPECT_EQ(QDir(gesperrt).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("G.ini")});
    }
}
