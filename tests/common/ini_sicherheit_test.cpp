// The settings layer between processes and with files other programs wrote:
// line ends, quoted values, text outside Windows-1252, two writers at once.
#include "common/ini.h"
#include "common/meldungen.h"
#include "testhilfe.h"

#include <QProcess>
#include <QTemporaryDir>

using namespace zcommon;

namespace {

class IniSicherheit : public ::testing::Test
{
protected:
    TempWurzel w;
    QString datei() const { return w.wurzel() + QStringLiteral("/test.ini"); }
};

} // namespace

TEST_F(IniSicherheit, JedesZeilenendeTrenntUndKeinCrGehoertZumWert)
{
    struct Fall
    {
        const char* name;
        QByteArray bytes;
    };
    const Fall faelle[] = {
        {"CR LF", "[S]\r\nA=1\r\nB=zwei\r\n"}, {"LF", "[S]\nA=1\nB=zwei\n"},
        {"CR", "[S]\rA=1\rB=zwei\r"},          {"CR CR LF", "[S]\r\r\nA=1\r\r\nB=zwei\r\r\n"},
        {"gemischt", "[S]\rA=1\r\nB=zwei"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        ablegen(datei(), f.bytes);
        Ini_CacheLeeren();
        EXPECT_EQ(Ini_Lesen(datei(), "S", "A"), "1");
        EXPECT_EQ(Ini_Lesen(datei(), "S", "B"), "zwei");
        // A write changes the one key and adds no second section.
        Ini_Schreiben(datei(), "S", "A", "3");
        EXPECT_EQ(Ini_Sektionen(datei()), QStringList{"S"});
        EXPECT_EQ(Ini_Lesen(datei(), "S", "A"), "3");
        EXPECT_EQ(Ini_Lesen(datei(), "S", "B"), "zwei");
        EXPECT_EQ(roh(datei()).count("[S]"), 1);
    }
    // Every untouched line keeps its own line end.
    ablegen(datei(), "[S]\rA=1\nB=2\r\n");
    Ini_CacheLeeren();
    Ini_Schreiben(datei(), "S", "B", "9");
    EXPECT_EQ(roh(datei()), QByteArray("[S]\rA=1\nB=9\r\n"));
}

TEST_F(IniSicherheit, AnfuehrungszeichenFallenBeimLesenWeg)
{
    ablegen(datei(), "[S]\r\n"
                     "DirData=\"/srv/daten\"\r\n"
                     "Einfach='x y'\r\n"
                     "Gemischt=\"abc'\r\n"
                     "Innen=a\"b\"c\r\n"
                     "Leer=\"\"\r\n"
                     "Eins=\"\r\n");
    Ini_CacheLeeren();
    EXPECT_EQ(Ini_Lesen(datei(), "S", "DirData"), "/srv/daten");
    EXPECT_EQ(Ini_Lesen(datei(), "S", "Einfach"), "x y");
    EXPECT_EQ(Ini_Lesen(datei(), "S", "Gemischt"), "\"abc'");
    EXPECT_EQ(Ini_Lesen(datei(), "S", "Innen"), "a\"b\"c");
    EXPECT_EQ(Ini_Lesen(datei(), "S", "Leer", "vorgabe"), "");
    EXPECT_EQ(Ini_Lesen(datei(), "S", "Eins"), "\"");
    // Writing stays as it was: the quotes are stored.
    Ini_Schreiben(datei(), "S", "Neu", "\"q\"");
    EXPECT_TRUE(roh(datei()).contains("Neu=\"q\"\r\n"));
}

TEST_F(IniSicherheit, TextAusserhalbVonWindows1252KommtUnveraendertZurueck)
{
    const QString pfad = QStringLiteral("/home/łukasz/Adressen ✓/kunden.dat");
    const QString texte[] = {pfad, QStringLiteral("Ωmega"), QStringLiteral("😀 und ä"),
                             QStringLiteral("\u00EF\u00BB\u00BFsieht aus wie die Marke")};
    for (const QString& t : texte) {
        SCOPED_TRACE(t.toStdString());
        EXPECT_EQ(Ini_Schreiben(datei(), "Reservierung", t, t), t);
        EXPECT_EQ(Ini_Lesen(datei(), "Reservierung", t), t);
        Ini_CacheLeeren();
        EXPECT_EQ(Ini_Lesen(datei(), "Reservierung", t), t);
    }
    // Written again: no new line for the same key.
    const int zeilen = roh(datei()).count('\n');
    Ini_Schreiben(datei(), "Reservierung", pfad, "neu");
    EXPECT_EQ(roh(datei()).count('\n'), zeilen);
    EXPECT_EQ(Ini_Lesen(datei(), "Reservierung", pfad), "neu");
    Ini_Loeschen(datei(), "Reservierung", pfad);
    EXPECT_EQ(Ini_Lesen(datei(), "Reservierung", pfad, "weg"), "weg");
    // Text Windows-1252 holds is stored byte for byte as before.
    Ini_Schreiben(datei(), "Sektion", "Ort", "Köln €");
    EXPECT_TRUE(roh(datei()).contains("Ort=K\xF6ln \x80\r\n"));
}

TEST_F(IniSicherheit, StapelBehaeltWasEinAndererInzwischenSchrieb)
{
    Ini_Schreiben(datei(), "S", "A", "1");
    {
        Ini_Stapel stapel(datei());
        Ini_Schreiben(datei(), "S", "B", "2");
        Ini_Zaehler_Erhoehen(datei(), "S", "Z");
        // Another program writes the file meanwhile.
        ablegen(datei(), "[S]\r\nA=1\r\nZ=10\r\nFremd=da\r\n");
    }
    EXPECT_EQ(Ini_Lesen(datei(), "S", "Fremd"), "da");
    EXPECT_EQ(Ini_Lesen(datei(), "S", "B"), "2");
    EXPECT_EQ(Ini_Lesen(datei(), "S", "Z"), "11");
}

TEST_F(IniSicherheit, ZweiProzesseVerlierenKeinenSchluessel)
{
    const QString start = w.wurzel() + QStringLiteral("/los");
    const int anzahl = 150;
    QProcess a, b;
    for (QProcess* p : {&a, &b}) {
        QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
        umgebung.insert(QStringLiteral("ZETTLORA_ROOT"), w.wurzel());
        p->setProcessEnvironment(umgebung);
    }
    a.start(QStringLiteral(ZETTLORA_PROZESSHELFER), {"ini", datei(), "a", QString::number(anzahl), start});
    b.start(QStringLiteral(ZETTLORA_PROZESSHELFER), {"ini", datei(), "b", QString::number(anzahl), start});
    ASSERT_TRUE(a.waitForStarted());
    ASSERT_TRUE(b.waitForStarted());
    ablegen(start, "");
    ASSERT_TRUE(a.waitForFinished(120000));
    ASSERT_TRUE(b.waitForFinished(120000));
    EXPECT_EQ(a.exitCode(), 0);
    EXPECT_EQ(b.exitCode(), 0);
    Ini_CacheLeeren();
    const QStringList schluessel = Ini_Schluessel(datei(), "S");
    EXPECT_EQ(schluessel.size(), 2 * anzahl + 1);
    for (int i = 0; i < anzahl; ++i) {
        EXPECT_EQ(Ini_Lesen(datei(), "S", QStringLiteral("a%1").arg(i)), QString::number(i));
        EXPECT_EQ(Ini_Lesen(datei(), "S", QStringLiteral("b%1").arg(i)), QString::number(i));
    }
    EXPECT_EQ(Ini_Lesen(datei(), "S", "Zaehler"), QString::number(2 * anzahl));
    EXPECT_FALSE(QFileInfo::exists(datei() + QStringLiteral(".lck")));
}

TEST(Meldungen, EingesetzteWerteBehaltenIhreTilde)
{
    TestPlattform plattform;
    const QString pfad = QStringLiteral("/tmp/kunden.dat.neu~");
    MsgBox(QStringLiteral("Die Datei »%1« fehlt.~Bitte prüfen.").arg(Woertlich(pfad)));
    EXPECT_EQ(plattform.letzteMeldung(), QStringLiteral("Die Datei »/tmp/kunden.dat.neu~« fehlt.\r\nBitte prüfen."));
}
