#include "platform/codec.h"
#include "platform/ordner.h"
#include "platform/textdatei.h"
#include "support/testplattform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zplatform;

namespace {

QByteArray roh(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void rohSchreiben(const QString& pfad, const QByteArray& inhalt)
{
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(inhalt);
}

} // namespace

TEST(Textdatei, LiestCrLfUndLf)
{
    TempWurzel w;
    const QString p = w.temp() + QStringLiteral("/a.txt");
    rohSchreiben(p, "eins\r\nzwei\nDr\xE4i\r\n\r\nletzte");
    Ergebnis e;
    EXPECT_EQ(zeilenLesen(p, &e), (QStringList{"eins", "zwei", "Dräi", "", "letzte"}));
    EXPECT_TRUE(e.ok);

    rohSchreiben(p, "a\r\nb\r\n");
    EXPECT_EQ(zeilenLesen(p), (QStringList{"a", "b"}));
    rohSchreiben(p, "");
    EXPECT_TRUE(zeilenLesen(p, &e).isEmpty());
    EXPECT_TRUE(e.ok);

    zeilenLesen(w.temp() + QStringLiteral("/fehlt.txt"), &e);
    EXPECT_FALSE(e.ok);
    EXPECT_TRUE(e.fehler.contains(QStringLiteral("nicht gefunden"))) << e.fehler.toStdString();
}

// Saved by a desktop editor as UTF-8 with a byte-order mark: the first line
// holds no trace of the mark and the umlauts read as written; writing the
// lines back gives Windows-1252 again.
TEST(Textdatei, UtfAchtMitMarkeAusDemEditor)
{
    TempWurzel w;
    const QString p = w.temp() + QStringLiteral("/LastschriftSammlung.txt");
    rohSchreiben(p, QByteArray("\xEF\xBB\xBF") + QStringLiteral("Müller\tJörg\r\nÄrger\n").toUtf8());
    const QStringList zeilen = zeilenLesen(p);
    EXPECT_EQ(zeilen, (QStringList{QStringLiteral("Müller\tJörg"), QStringLiteral("Ärger")}));
    EXPECT_EQ(textLesen(p), QStringLiteral("Müller\tJörg\r\nÄrger\n"));
    ASSERT_TRUE(zeilenSchreiben(p, zeilen).ok);
    EXPECT_EQ(roh(p), QByteArray("M\xFCller\tJ\xF6rg\r\n\xC4rger\r\n"));
}

TEST(Textdatei, SchreibtCrLfInWindows1252)
{
    TempWurzel w;
    const QString p = w.temp() + QStringLiteral("/b.txt");
    ASSERT_TRUE(zeilenSchreiben(p, {QStringLiteral("Müller"), QStringLiteral("5 €")}).ok);
    EXPECT_EQ(roh(p), QByteArray("M\xFCller\r\n5 \x80\r\n"));
    ASSERT_TRUE(zeilenAnhaengen(p, {QStringLiteral("dazu")}).ok);
    EXPECT_EQ(roh(p), QByteArray("M\xFCller\r\n5 \x80\r\ndazu\r\n"));
    ASSERT_TRUE(textSchreiben(p, QStringLiteral("roh")).ok);
    EXPECT_EQ(roh(p), QByteArray("roh"));
    EXPECT_EQ(textLesen(p), QStringLiteral("roh"));
}

TEST(Textdatei, NichtDarstellbaresZeichenWirdVerweigert)
{
    TempWurzel w;
    const QString p = w.temp() + QStringLiteral("/c.txt");
    rohSchreiben(p, "alt\r\n");

    Ergebnis e = zeilenSchreiben(p, {QStringLiteral("gut"), QStringLiteral("Łódź")});
    EXPECT_FALSE(e.ok);
    EXPECT_TRUE(e.fehler.contains(QStringLiteral("Zeile 2"))) << e.fehler.toStdString();
    EXPECT_TRUE(e.fehler.contains(QStringLiteral("Ł"))) << e.fehler.toStdString();
    EXPECT_EQ(roh(p), QByteArray("alt\r\n"));

    e = textSchreiben(p, QStringLiteral("a\r\nb ą"));
    EXPECT_FALSE(e.ok);
    EXPECT_TRUE(e.fehler.contains(QStringLiteral("Zeile 2"))) << e.fehler.toStdString();
    EXPECT_EQ(roh(p), QByteArray("alt\r\n"));

    e = zeilenAnhaengen(p, {QStringLiteral("ok"), QStringLiteral("ą")});
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(roh(p), QByteArray("alt\r\n"));
}

TEST(Textdatei, FehlschlagLaesstAlteDateiStehen)
{
    TempWurzel w;
    // A folder that is a file: nothing can be written below it, whoever we are.
    rohSchreiben(w.temp() + QStringLiteral("/datei"), "x");
    Ergebnis e = zeilenSchreiben(w.temp() + QStringLiteral("/datei/neu.txt"), {QStringLiteral("a")});
    EXPECT_FALSE(e.ok);
    EXPECT_TRUE(e.fehler.startsWith(QStringLiteral("Die Datei"))) << e.fehler.toStdString();
    EXPECT_TRUE(e.fehler.contains(QStringLiteral("kann nicht geschrieben werden"))) << e.fehler.toStdString();

    // A read-only folder keeps the old file (for root too).
    const QString ordner = w.temp() + QStringLiteral("/fest");
    const QString p = ordner + QStringLiteral("/alt.txt");
    rohSchreiben(p, "alt\r\n");
    QFile::setPermissions(ordner, QFile::ReadOwner | QFile::ExeOwner);
    e = zeilenSchreiben(p, {QStringLiteral("neu")});
    QFile::setPermissions(ordner, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(roh(p), QByteArray("alt\r\n"));
    EXPECT_EQ(QDir(ordner).entryList(QDir::Files), QStringList{QStringLiteral("alt.txt")});
}

TEST(Ordner, GrossKleinschreibungZaehltNicht)
{
    TempWurzel w;
    rohSchreiben(w.programm() + QStringLiteral("/Duridovi.ini"), "[a]\r\n");
    QDir().mkpath(w.programm() + QStringLiteral("/Kataloge"));
    rohSchreiben(w.programm() + QStringLiteral("/Kataloge/PLZ.txt"), "1");

    EXPECT_EQ(pfadAufloesen(w.programm() + QStringLiteral("/DurIdovi.ini")),
              w.programm() + QStringLiteral("/Duridovi.ini"));
    EXPECT_EQ(pfadAufloesen(normalPfad(w.programm() + QStringLiteral("\\KATALOGE\\plz.TXT"))),
              w.programm() + QStringLiteral("/Kataloge/PLZ.txt"));
    // Parts that do not exist keep the spelling asked for.
    EXPECT_EQ(pfadAufloesen(w.programm() + QStringLiteral("/kataloge/Neu.txt")),
              w.programm() + QStringLiteral("/Kataloge/Neu.txt"));
    EXPECT_EQ(normalPfad(QStringLiteral("a\\b/c")), QStringLiteral("a/b/c"));

    // Reading and writing go to the file that exists in another case.
    EXPECT_EQ(zeilenLesen(w.programm() + QStringLiteral("/DURIDOVI.INI")), QStringList{QStringLiteral("[a]")});
    ASSERT_TRUE(zeilenSchreiben(w.programm() + QStringLiteral("/DurIdovi.ini"), {QStringLiteral("[b]")}).ok);
    EXPECT_EQ(QDir(w.programm()).entryList(QDir::Files), QStringList{QStringLiteral("Duridovi.ini")});
    EXPECT_EQ(roh(w.programm() + QStringLiteral("/Duridovi.ini")), QByteArray("[b]\r\n"));
}

TEST(Ordner, ListeMitMuster)
{
    TempWurzel w;
    for (const char* n : {"b.dat", "A.DAT", "c.Dat", "d.dat.bak", "Konto_1.Log", "konto_2.log", "x.txt"})
        rohSchreiben(w.temp() + QLatin1Char('/') + QLatin1String(n), "");
    QDir().mkpath(w.temp() + QStringLiteral("/ordner.dat"));
    EXPECT_EQ(dateienListen(w.temp(), QStringLiteral("*.Dat")), (QStringList{"A.DAT", "b.dat", "c.Dat"}));
    EXPECT_EQ(dateienListen(w.temp(), QStringLiteral("KONTO_*.log")), (QStringList{"Konto_1.Log", "konto_2.log"}));
    EXPECT_EQ(dateienListen(w.temp(), QStringLiteral("?.txt")), QStringList{"x.txt"});
    EXPECT_EQ(dateienListen(w.temp(), QStringLiteral("*.*")).size(), 7);
    EXPECT_EQ(dateienListen(w.temp() + QStringLiteral("/fehlt")), QStringList());
}

TEST(Ordner, WurzelUndStandardordner)
{
    {
        TempWurzel w;
        EXPECT_EQ(windowsOrdner(), w.windows());
        EXPECT_EQ(systemOrdner(), w.system());
        EXPECT_EQ(programmOrdner(), w.programm());
        EXPECT_EQ(tempOrdner(), w.temp());
    }
    QTemporaryDir heim;
    const QByteArray altHeim = qgetenv("HOME");
    const QByteArray altWurzel = qgetenv("ZETTLORA_ROOT");
    qunsetenv("ZETTLORA_ROOT");
    qputenv("HOME", heim.path().toLocal8Bit());
    ordnerZuruecksetzen();
    EXPECT_EQ(windowsOrdner(), heim.path() + QStringLiteral("/.config/zettlora"));
    EXPECT_EQ(systemOrdner(), heim.path() + QStringLiteral("/.config/zettlora/system"));
    EXPECT_EQ(programmOrdner(), heim.path() + QStringLiteral("/.local/share/zettlora"));
    EXPECT_TRUE(QFileInfo(systemOrdner()).isDir());
    EXPECT_TRUE(QFileInfo(programmOrdner()).isDir());
    qputenv("HOME", altHeim);
    if (!altWurzel.isNull())
        qputenv("ZETTLORA_ROOT", altWurzel);
    ordnerZuruecksetzen();
}

TEST(Ordner, DokumenteOrdner)
{
    {
        TempWurzel w;
        EXPECT_EQ(dokumenteOrdner(), w.dokumente());
        EXPECT_TRUE(QFileInfo(w.dokumente()).isDir());
    }
    // Without a root: the desktop's documents folder where it exists, else
    // the home folder; neither is created.
    QTemporaryDir heim;
    const QByteArray altHeim = qgetenv("HOME");
    const QByteArray altWurzel = qgetenv("ZETTLORA_ROOT");
    const QByteArray altConfig = qgetenv("XDG_CONFIG_HOME");
    qunsetenv("ZETTLORA_ROOT");
    qunsetenv("XDG_CONFIG_HOME");
    qputenv("HOME", heim.path().toLocal8Bit());
    ordnerZuruecksetzen();
    EXPECT_EQ(dokumenteOrdner(), heim.path());
    EXPECT_FALSE(QFileInfo::exists(heim.path() + QStringLiteral("/Documents")));

    rohSchreiben(heim.path() + QStringLiteral("/.config/user-dirs.dirs"), "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    ordnerZuruecksetzen();
    EXPECT_EQ(dokumenteOrdner(), heim.path()) << "named, but not there";
    QDir().mkpath(heim.path() + QStringLiteral("/Dokumente"));
    ordnerZuruecksetzen();
    EXPECT_EQ(dokumenteOrdner(), heim.path() + QStringLiteral("/Dokumente"));

    qputenv("HOME", altHeim);
    if (!altWurzel.isNull())
        qputenv("ZETTLORA_ROOT", altWurzel);
    if (!altConfig.isNull())
        qputenv("XDG_CONFIG_HOME", altConfig);
    ordnerZuruecksetzen();
}

TEST(Ordner, BefuellenUeberschreibtNie)
{
    TempWurzel w;
    QTemporaryDir quelle;
    rohSchreiben(quelle.path() + QStringLiteral("/Zettlora.Ini"), "vorgabe");
    rohSchreiben(quelle.path() + QStringLiteral("/Neu.txt"), "neu");
    rohSchreiben(quelle.path() + QStringLiteral("/Kataloge/Orte.txt"), "orte");
    rohSchreiben(w.programm() + QStringLiteral("/zettlora.ini"), "eigene");

    EXPECT_TRUE(programmOrdnerBefuellen(quelle.path()));
    EXPECT_EQ(roh(w.programm() + QStringLiteral("/zettlora.ini")), QByteArray("eigene"));
    EXPECT_FALSE(QFileInfo::exists(w.programm() + QStringLiteral("/Zettlora.Ini")));
    EXPECT_EQ(roh(w.programm() + QStringLiteral("/Neu.txt")), QByteArray("neu"));
    EXPECT_EQ(roh(w.programm() + QStringLiteral("/Kataloge/Orte.txt")), QByteArray("orte"));

    rohSchreiben(w.programm() + QStringLiteral("/Neu.txt"), "geändert");
    EXPECT_TRUE(programmOrdnerBefuellen(quelle.path()));
    EXPECT_EQ(roh(w.programm() + QStringLiteral("/Neu.txt")), QByteArray("geändert"));
    EXPECT_FALSE(vorgabenOrdner().isEmpty()); // the build tree's defaults
}
