// The settings layer against real files in a temporary root.
#include "common/ini.h"
#include "testhilfe.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>


using namespace zcommon;

namespace {

class Ini : public ::testing::Test
{
protected:
    TempWurzel w;
    // The default settings file, Zizorud.ini.
    static QString lies(const QString& sektion, const QString& schluessel, const QString& vorgabe = QString())
    {
        return Ini_Lesen(QString(), sektion, schluessel, vorgabe);
    }
};
using IniStapel = Ini;

// A run of changes of every kind, each through the public functions.
void allerleiAendern(const QString& datei)
{
    Ini_Schreiben(datei, "eins", "a", "neu");
    Ini_Schreiben(datei, "Eins", "D", " 4 ");
    Ini_Schreiben(datei, "Zwei", "E", "zwei\r\nZeilen");
    Ini_Schreiben(datei, "Drei", "Ort", "Köln");
    Ini_Schreiben(datei, "Zwei", "C", "3"); // unchanged
    Ini_Loeschen(datei, "Eins", "B");
    Ini_Zaehler_Erhoehen(datei, "Drei", "Zahl");
    Ini_Zaehler_Erhoehen(datei, "Drei", "Zahl");
    Ini_Schreiben(datei, "Eins", "D", "5");
}

// LF line ends, a comment, odd spacing, a blank line, a duplicate key and no final line end.
const QByteArray Ungerade = "; Kommentar\n[Eins]\n   A   =  1   \nB=2\nA=doppelt\n\n[Zwei]\nC = 3";

} // namespace

TEST_F(Ini, NamenOhneGrossKleinLeereUndFehlendeWerte)
{
    w.schreiben("windows/Zizorud.ini", "[ Allgemein ]\r\n  LänderHinweis  =  0  \r\nSTRASSE=Weg\r\n"
                                       "[Zettlora]\r\nLeer=\r\nBlank=   \r\n");
    EXPECT_EQ(lies("allgemein", "LÄNDERHINWEIS", "1"), "0");
    EXPECT_EQ(lies("  ALLGEMEIN ", " länderhinweis"), "0");
    EXPECT_EQ(lies("Allgemein", "Straße", "-"), "-"); // "ß" is its own letter, not "SS"
    EXPECT_EQ(lies(QString(), "Leer", "vorgabe"), "");
    EXPECT_EQ(lies(QString(), "Blank", "vorgabe"), "");
    EXPECT_EQ(lies(QString(), "Fehlt", "vorgabe"), "vorgabe");
    EXPECT_EQ(lies("Andere", "Leer", "v"), "v");
    EXPECT_EQ(Ini_Lesen("GibtEsNicht", QString(), "Leer", "v"), "v");
    // A line break in the default comes back as CR LF, as a stored one would.
    EXPECT_EQ(lies(QString(), "Fehlt", "a\nb"), "a\r\nb");

    // A write to the same key in another spelling changes that line, keeping its name.
    Ini_Schreiben(QString(), "ALLGEMEIN", "länderhinweis", "1");
    EXPECT_EQ(w.lesen("windows/Zizorud.ini"),
              "[ Allgemein ]\r\nLänderHinweis=1\r\nSTRASSE=Weg\r\n[Zettlora]\r\nLeer=\r\nBlank=   \r\n");

    // Writing into a missing folder changes nothing.
    const QString pfad = w.wurzel() + "/fehlt/Einstellungen.ini";
    EXPECT_EQ(Ini_Schreiben(pfad, "S", "K", " wert "), "wert");
    EXPECT_FALSE(QFileInfo::exists(w.wurzel() + "/fehlt"));
    EXPECT_EQ(Ini_Lesen(pfad, "S", "K", "v"), "v");
}

TEST_F(Ini, NeueDateiMitCrLfWindows1252UndSternen)
{
    Ini_Schreiben(QString(), "Allgemein", "Ort", "Köln");
    Ini_Schreiben(QString(), "Allgemein", "Straße", "Weg");
    Ini_Schreiben(QString(), QString(), QString(), "ohne Namen");
    // Line breaks in a value are stored as "**"; in a name they become blanks and cannot split the file.
    EXPECT_EQ(Ini_Schreiben(QString(), QString(), "Text", "  a\r\nb\nc\rd  "), "a**b**c**d");
    Ini_Schreiben(QString(), "Neu\r\nSektion", "Sch\nlüssel", "x");
    EXPECT_EQ(roh(w.windows() + "/Zizorud.ini"),
              QByteArray("[Allgemein]\r\nOrt=K\xf6ln\r\nStra\xdf"
                         "e=Weg\r\n\r\n[Zettlora]\r\nNoKey=ohne Namen\r\nText=a**b**c**d\r\n\r\n"
                         "[Neu Sektion]\r\nSch l\xfc"
                         "ssel=x\r\n"));
    EXPECT_EQ(lies(QString(), QString()), "ohne Namen");
    EXPECT_EQ(lies(QString(), "Text"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(lies("Neu Sektion", "Sch lüssel"), "x");
    EXPECT_EQ(Ini_Sektionen(QString()), QStringList({"Allgemein", "Zettlora", "Neu Sektion"}));

    const QString lang = QString(600, u'x') + ";Ende"; // long values stay whole
    Ini_Schreiben(QString(), "Zahler", "Liste", lang);
    EXPECT_EQ(lies("Zahler", "Liste"), lang);
}

TEST_F(Ini, AndereZeilenBleibenByteFuerByte)
{
    const QString datei = w.windows() + "/Test.ini";
    // LF line ends, comments, odd spacing, blank lines, a duplicate key, a line without "=", no final line end.
    const QByteArray vorher = "; Kommentar ganz oben\n\n[Eins]\n   A   =  1   \n; zu A\nB=2\nA=doppelt\n\n\n"
                              "[Zwei]\nohne Gleichheitszeichen\nC = 3";
    ablegen(datei, vorher);
    Ini_Schreiben("Test", "eins", "a", "neu");
    QByteArray erwartet = vorher;
    erwartet.replace("   A   =  1   \n", "A=neu\n"); // a changed line keeps its line end
    EXPECT_EQ(roh(datei).toStdString(), erwartet.toStdString());

    // A new key goes behind the section's last line that is not blank; the
    // last line gets a line end before anything follows it.
    Ini_Schreiben("Test", "Eins", "D", "4");
    Ini_Schreiben("Test", "Zwei", "E", "5");
    erwartet.replace("A=doppelt\n", "A=doppelt\nD=4\r\n");
    erwartet.replace("C = 3", "C = 3\r\nE=5\r\n");
    EXPECT_EQ(roh(datei).toStdString(), erwartet.toStdString());

    EXPECT_EQ(Ini_Schluessel("Test", "EINS"), QStringList({"A", "B", "D"}));

    // A key whose name holds a form feed keeps it when its value changes
    // (only blanks and tabs around a name are not part of it).
    ablegen(w.windows() + "/Steuer.ini", "[S]\r\n\fK\f = alt\r\n");
    Ini_Schreiben("Steuer", "S", "\fK\f", "neu");
    EXPECT_EQ(roh(w.windows() + "/Steuer.ini").toStdString(), std::string("[S]\r\n\fK\f=neu\r\n"));
    EXPECT_EQ(Ini_Lesen("Steuer", "S", "\fK\f"), QStringLiteral("neu"));
    // Writing the value a key already has leaves the file alone.
    const QDateTime zeit = QFileInfo(datei).lastModified();
    Ini_Schreiben("Test", "Zwei", "C", "3");
    EXPECT_EQ(roh(datei).toStdString(), erwartet.toStdString());
    EXPECT_EQ(QFileInfo(datei).lastModified(), zeit);
}

TEST_F(Ini, VieleSektionenLangeZeilenUndVerschobeneStellen)
{
    // 20000 sections, a line of 1 MB (LF) in the middle, names with umlauts.
    const QString datei = w.windows() + "/Gross.ini";
    QByteArray text;
    for (int i = 0; i < 20000; ++i) {
        text += "[S" + QByteArray::number(i) + "]\r\nA=" + QByteArray::number(i) + "\r\nB=b\r\n";
        if (i == 10000)
            text += "Lang = " + QByteArray(1 << 20, 'x') + "\n";
    }
    text += "[\xc4rger]\r\n\xe4pfel=1";
    ablegen(datei, text);
    EXPECT_EQ(Ini_Lesen(datei, "s19999", "a"), "19999");
    EXPECT_EQ(Ini_Lesen(datei, "S10000", "LANG").size(), 1 << 20);
    EXPECT_EQ(Ini_Lesen(datei, "ÄRGER", "Äpfel"), "1");
    EXPECT_EQ(Ini_Sektionen(datei).size(), 20001);

    // Values of another length, a new key and a removed one move what follows:
    // the places the layer keeps follow them.
    QByteArray erwartet = text;
    for (int i : {5, 10000, 19999}) {
        const QByteArray n = QByteArray::number(i);
        Ini_Schreiben(datei, "S" + QString::number(i), "a", "länger " + QString::number(i));
        erwartet.replace("[S" + n + "]\r\nA=" + n + "\r\n", "[S" + n + "]\r\nA=l\xe4nger " + n + "\r\n");
    }
    Ini_Schreiben(datei, "S3", "Neu", "n");
    erwartet.replace("[S3]\r\nA=3\r\nB=b\r\n", "[S3]\r\nA=3\r\nB=b\r\nNeu=n\r\n");
    Ini_Loeschen(datei, "S4", "A");
    erwartet.replace("[S4]\r\nA=4\r\n", "[S4]\r\n");
    Ini_Schreiben(datei, "Ärger", "äpfel", "2");
    erwartet.replace("\xe4pfel=1", "\xe4pfel=2");
    EXPECT_EQ(roh(datei), erwartet);

    const auto alles = [&] {
        QStringList werte;
        for (int i : {3, 4, 5, 6, 9999, 10000, 10001, 19998, 19999})
            for (const char* k : {"A", "B", "Neu", "Lang"})
                werte << Ini_Lesen(datei, "S" + QString::number(i), k, "-").left(20);
        return werte << Ini_Lesen(datei, "ärger", "ÄPFEL") << Ini_Schluessel(datei, "S3");
    };
    const QStringList zwischengespeichert = alles();
    EXPECT_EQ(zwischengespeichert.mid(0, 4), QStringList({"3", "b", "n", "-"}));
    EXPECT_EQ(zwischengespeichert.mid(4, 4), QStringList({"-", "b", "-", "-"}));
    EXPECT_EQ(zwischengespeichert.mid(20, 4), QStringList({"länger 10000", "b", "-", "xxxxxxxxxxxxxxxxxxxx"}));
    Ini_CacheLeeren();
    EXPECT_EQ(alles(), zwischengespeichert);
}

TEST_F(Ini, DateinamenRegeln)
{
    const QString zizorud = w.windows() + "/Zizorud.ini";
    // clang-format off
    const std::pair<QString, QString> faelle[] = {
        {"", zizorud}, {"ZIZORUD.INI", zizorud}, {"zizorud", zizorud}, {"win.ini", w.windows() + "/win.ini"},
        {"KontPrn", w.windows() + "/KontPrn.ini"},
        // The fourth-last character decides whether ".ini" is added.
        {"Adapter.Cfg", w.windows() + "/Adapter.Cfg"}, {"Liste.txt1", w.windows() + "/Liste.txt1.ini"},
        {w.programm() + "/DurIdovi", w.programm() + "/DurIdovi.ini"},
        {w.programm() + "\\Masken.Ini", w.programm() + "/Masken.Ini"}}; // "\" separates folders as well
    // clang-format on
    for (const auto& [name, pfad] : faelle)
        EXPECT_EQ(Ini_Pfad(name), pfad) << name.toStdString();

    // An existing file is found whatever the case of the name asked for, and written there.
    w.schreiben("programm/duridovi.INI", "[Allgemein]\r\nNoInstanceWatch=1\r\n");
    const QString gefragt = w.programm() + "/DurIdovi.ini";
    EXPECT_EQ(Ini_Lesen(gefragt, "Allgemein", "NoInstanceWatch"), "1");
    Ini_Schreiben(gefragt, "Allgemein", "Datenordner", "/daten");
    EXPECT_EQ(QDir(w.programm()).entryList(QDir::Files), QStringList{"duridovi.INI"});
    EXPECT_TRUE(w.lesen("programm/duridovi.INI").contains("Datenordner=/daten"));
}

TEST_F(Ini, ZwischenspeicherMerktAenderungenVonAussen)
{
    Ini_Schreiben("Extern", "S", "K", "alt");
    EXPECT_EQ(Ini_Lesen("Extern", "S", "K"), "alt");

    // Same size, different content: the time stamp tells.
    const QString pfad = w.windows() + "/Extern.ini";
    ablegen(pfad, "[S]\r\nK=neu\r\n");
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
    EXPECT_EQ(Ini_Lesen("Extern", "S", "K"), "neu");

    // A deleted file gives the default again; a recreated one is read.
    QFile::remove(pfad);
    EXPECT_EQ(Ini_Lesen("Extern", "S", "K", "d"), "d");
    w.schreiben("windows/EXTERN.INI", "[s]\nk=wieder da");
    EXPECT_EQ(Ini_Lesen("Extern", "S", "K"), "wieder da");
}

TEST_F(Ini, ZaehlerLoeschenUndAuslesen)
{
    EXPECT_EQ(Ini_Zaehler_Erhoehen(QString(), "Z", "N", 1), 1);
    EXPECT_EQ(Ini_Zaehler_Erhoehen(QString(), "Z", "N", 41), 42);
    Ini_Schreiben(QString(), "Z", "M", "7 Stück");
    EXPECT_EQ(Ini_Zaehler_Erhoehen(QString(), "Z", "M", 0.5), 8);
    EXPECT_EQ(lies("Z", "M"), "8");
    Ini_Schreiben(QString(), "Z", "X", "unsinn");
    EXPECT_EQ(Ini_Zaehler_Erhoehen(QString(), "Z", "X", -3), -3);

    w.schreiben("windows/L.ini", "[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nz=3\r\n\r\n[C]\r\nw=4\r\n");
    Ini_Loeschen("L", "a", "X");
    Ini_Loeschen("L", "b");
    Ini_Loeschen("L", "fehlt", "x");
    EXPECT_EQ(w.lesen("windows/L.ini"), "[A]\r\ny=2\r\n\r\n[C]\r\nw=4\r\n");
    EXPECT_EQ(Ini_Sektionen("L"), QStringList({"A", "C"}));
    EXPECT_TRUE(Ini_Sektionen("GibtEsNicht").isEmpty());

    // Any file by its path, without the naming rules; a repeated section is skipped.
    w.schreiben("programm/Job.Cfg.erledigt", "[Eins]\r\na=1**2\r\n[zwei]\r\nb=\r\n[EINS]\r\nc=3\r\n");
    auto s = Ini_Auslesen(w.programm() + "/Job.Cfg.erledigt");
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].name, "Eins");
    ASSERT_EQ(s[0].eintraege.size(), 1u);
    EXPECT_EQ(s[0].eintraege[0].second, "1\r\n2");
    EXPECT_EQ(s[1].eintraege[0].first, "b");
}

TEST_F(IniStapel, SchreibtEinmalDieselbenBytesWieEinzelneSchreibvorgaenge)
{
    const QString einzeln = w.windows() + "/Einzeln.ini";
    const QString gestapelt = w.windows() + "/Gestapelt.ini";
    ablegen(einzeln, Ungerade);
    ablegen(gestapelt, Ungerade);

    allerleiAendern("Einzeln");
    {
        Ini_Stapel stapel("GESTAPELT.INI"); // any name that stands for the file
        allerleiAendern("Gestapelt");
        // Nothing on disk yet; every read sees the pending values.
        EXPECT_EQ(roh(gestapelt), Ungerade);
        EXPECT_EQ(QStringList({Ini_Lesen("Gestapelt", "Eins", "A"), Ini_Lesen("Gestapelt", "Zwei", "E"),
                               Ini_Lesen("Gestapelt", "Eins", "B", "weg"), Ini_Lesen("Gestapelt", "Drei", "Zahl")}),
                  QStringList({"neu", "zwei\r\nZeilen", "weg", "2"}));
        EXPECT_EQ(Ini_Sektionen("Gestapelt"), QStringList({"Eins", "Zwei", "Drei"}));
        EXPECT_EQ(Ini_Schluessel("Gestapelt", "Eins"), QStringList({"A", "D"}));
        const auto sektionen = Ini_Auslesen(gestapelt);
        ASSERT_EQ(sektionen.size(), 3u);
        EXPECT_EQ(sektionen[2].eintraege.front().second, "Köln");
    }
    EXPECT_EQ(roh(gestapelt).toStdString(), roh(einzeln).toStdString());
    EXPECT_NE(roh(gestapelt), Ungerade);

    // A new file is made the same way too.
    Ini_Schreiben("NeuEinzeln", "S", "K", "1");
    Ini_Schreiben("NeuEinzeln", QString(), "K", "2");
    {
        Ini_Stapel stapel("NeuGestapelt");
        Ini_Schreiben("NeuGestapelt", "S", "K", "1");
        Ini_Schreiben("NeuGestapelt", QString(), "K", "2");
        EXPECT_FALSE(QFileInfo::exists(w.windows() + "/NeuGestapelt.ini"));
        EXPECT_EQ(Ini_Lesen("NeuGestapelt", "S", "K"), "1");
    }
    EXPECT_EQ(roh(w.windows() + "/NeuGestapelt.ini"), roh(w.windows() + "/NeuEinzeln.ini"));
}

TEST_F(IniStapel, VerschachteltZwischendurchUndAndereDateien)
{
    const QString pfad = w.windows() + "/S.ini";
    ablegen(pfad, "[A]\r\nx=1\r\n");
    {
        Ini_Stapel aussen("S");
        {
            Ini_Stapel innen("S");
            Ini_Schreiben("S", "A", "x", "2");
            // Another file is written at once.
            Ini_Schreiben("Andere", "A", "y", "3");
            EXPECT_EQ(roh(w.windows() + "/Andere.ini"), "[A]\r\ny=3\r\n");
        }
        EXPECT_EQ(roh(pfad), "[A]\r\nx=1\r\n"); // the inner batch does not write
        EXPECT_TRUE(aussen.schreiben());
        EXPECT_EQ(roh(pfad), "[A]\r\nx=2\r\n");
        EXPECT_TRUE(aussen.schreiben()); // nothing pending
        Ini_Schreiben("S", "A", "z", "4");
        EXPECT_EQ(roh(pfad), "[A]\r\nx=2\r\n");
    }
    EXPECT_EQ(roh(pfad), "[A]\r\nx=2\r\nz=4\r\n");
    // After the batch every write goes to disk again.
    Ini_Schreiben("S", "A", "z", "5");
    EXPECT_EQ(roh(pfad), "[A]\r\nx=2\r\nz=5\r\n");

    // A batch without changes leaves the file alone.
    const QDateTime zeit = QFileInfo(pfad).lastModified();
    {
        Ini_Stapel stapel("S");
        Ini_Schreiben("S", "A", "x", "2");
    }
    EXPECT_EQ(QFileInfo(pfad).lastModified(), zeit);
}

TEST_F(IniStapel, FehlschlagendesZielAendertNichts)
{
    // A folder stands where the file should be.
    const QString ordner = w.windows() + "/Belegt.ini";
    ASSERT_TRUE(QDir().mkpath(ordner));
    {
        Ini_Stapel stapel("Belegt");
        EXPECT_EQ(Ini_Schreiben("Belegt", "S", "K", " v "), "v");
        EXPECT_EQ(Ini_Lesen("Belegt", "S", "K"), "v");
        EXPECT_FALSE(stapel.schreiben());
        EXPECT_TRUE(QFileInfo(ordner).isDir());
        // The pending values are gone with the failed write.
        EXPECT_EQ(Ini_Lesen("Belegt", "S", "K", "d"), "d");
    }
    EXPECT_TRUE(QFileInfo(ordner).isDir());

    // A missing folder is not made.
    const QString fehlt = w.wurzel() + "/fehlt/E.ini";
    {
        Ini_Stapel stapel(fehlt);
        Ini_Schreiben(fehlt, "S", "K", "v");
    }
    EXPECT_FALSE(QFileInfo::exists(w.wurzel() + "/fehlt"));
    EXPECT_EQ(Ini_Lesen(fehlt, "S", "K", "d"), "d");

    // An existing file in a folder that takes no new files stays byte for byte
    // (for root too).
    {
        const QString gesperrt = w.wurzel() + "/gesperrt";
        ASSERT_TRUE(QDir().mkpath(gesperrt));
        const QString pfad = gesperrt + "/G.ini";
        ablegen(pfad, Ungerade);
        QFile::setPermissions(gesperrt, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        {
            Ini_Stapel stapel(pfad);
            allerleiAendern(pfad);
        }
        QFile::setPermissions(gesperrt, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        EXPECT_EQ(roh(pfad), Ungerade);
        EXPECT_EQ(Ini_Lesen(pfad, "Eins", "A"), "1");
        EXPECT_EQ(QDir(gesperrt).entryList(QDir::Files | QDir::Hidden), QStringList{"G.ini"});
    }
}

// A settings file an editor saved as UTF-8 or UTF-16 with a byte-order mark:
// the first section counts, umlauts and other letters read as written, and
// the next write stores the file in Windows-1252 with every value kept.
TEST_F(Ini, DateiMitMarkeAusDemEditor)
{
    const QString pfad = w.windows() + "/Markiert.ini";
    const QString text = QStringLiteral("[Zettlora]\r\nOrt=Müller\r\nName = Łukasz \r\n; Kommentar ő\r\n[Zwei]\nA=ä");
    const QByteArray utf16 = QByteArray("\xFF\xFE") +
                             QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    for (const QByteArray& inhalt : {QByteArray("\xEF\xBB\xBF") + text.toUtf8(), utf16}) {
        ablegen(pfad, inhalt);
        Ini_CacheLeeren();
        EXPECT_EQ(Ini_Lesen(pfad, "Zettlora", "Ort"), "Müller");
        EXPECT_EQ(Ini_Lesen(pfad, "Zettlora", "Name"), "Łukasz");
        EXPECT_EQ(Ini_Lesen(pfad, "Zwei", "A"), "ä");
        EXPECT_EQ(Ini_Sektionen(pfad), (QStringList{"Zettlora", "Zwei"}));

        Ini_Schreiben(pfad, "Zwei", "B", "neu");
        EXPECT_TRUE(Ini_Fehler().isEmpty());
        const QByteArray bytes = roh(pfad);
        EXPECT_TRUE(bytes.startsWith("[Zettlora]\r\nOrt=M\xFCller\r\n")) << bytes.toStdString();
        EXPECT_TRUE(bytes.contains("; Kommentar ?\r\n")) << bytes.toStdString();
        Ini_CacheLeeren();
        EXPECT_EQ(Ini_Lesen(pfad, "Zettlora", "Ort"), "Müller");
        EXPECT_EQ(Ini_Lesen(pfad, "Zettlora", "Name"), "Łukasz");
        EXPECT_EQ(Ini_Lesen(pfad, "Zwei", "A"), "ä");
        EXPECT_EQ(Ini_Lesen(pfad, "Zwei", "B"), "neu");
    }

    // Before the first section nothing counts; what stands there never makes
    // the stored file read as another encoding.
    ablegen(pfad, QByteArray("\xEF\xBB\xBF") + QStringLiteral("Ω=1\r\n[S]\r\nA=ä\r\n").toUtf8());
    Ini_CacheLeeren();
    Ini_Schreiben(pfad, "S", "B", QStringLiteral("‚ü"));
    EXPECT_FALSE(roh(pfad).startsWith("\xEF\xBB\xBF")) << roh(pfad).toStdString();
    Ini_CacheLeeren();
    EXPECT_EQ(Ini_Lesen(pfad, "S", "A"), "ä");
    EXPECT_EQ(Ini_Lesen(pfad, "S", "B"), QStringLiteral("‚ü"));
}

// A write that fails says why; a file that exists but cannot be read (no read
// permission bit: for root too) is never replaced by what was read of it.
TEST_F(Ini, FehlschlagNenntDenGrundUndUnlesbaresBleibt)
{
    const QString pfad = w.windows() + "/KontPrn.ini";
    ablegen(pfad, "[Zettlora_Umschlag]\r\nRandX=5\r\n");
    QFile::setPermissions(pfad, QFileDevice::WriteOwner);
    Ini_CacheLeeren();
    EXPECT_EQ(Ini_Lesen(pfad, "Zettlora_Umschlag", "RandX", "0"), "0");
    Ini_Schreiben(pfad, "Zettlora_Umschlag", "RandY", "3");
    EXPECT_TRUE(Ini_Fehler().contains("darf nicht gelesen werden")) << Ini_Fehler().toStdString();
    EXPECT_TRUE(Ini_Fehler().contains(pfad)) << Ini_Fehler().toStdString();
    EXPECT_FALSE(Ini_SchreibenAlle(pfad, "Zettlora_Umschlag", {{"RandY", "3"}}));
    {
        Ini_Stapel stapel(pfad);
        Ini_Schreiben(pfad, "Zettlora_Umschlag", "RandY", "3");
        EXPECT_FALSE(stapel.schreiben());
        EXPECT_FALSE(Ini_Fehler().isEmpty());
    }
    QFile::setPermissions(pfad, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(roh(pfad), QByteArray("[Zettlora_Umschlag]\r\nRandX=5\r\n"));

    // A folder in place of the file.
    QFile::remove(pfad);
    QDir().mkpath(pfad);
    Ini_CacheLeeren();
    Ini_Schreiben(pfad, "Allgemein", "Druckerauswahl", "1");
    EXPECT_TRUE(Ini_Fehler().contains("Ordner")) << Ini_Fehler().toStdString();

    // Success clears it.
    QDir(pfad).removeRecursively();
    Ini_Schreiben(pfad, "Allgemein", "Druckerauswahl", "1");
    EXPECT_TRUE(Ini_Fehler().isEmpty()) << Ini_Fehler().toStdString();
    EXPECT_EQ(Ini_Lesen(pfad, "Allgemein", "Druckerauswahl"), "1");
}
