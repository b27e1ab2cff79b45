// Appending, replacing and reading files the way several processes and a
// desktop editor meet them: a last line without its end, a file saved as
// UTF-8 or UTF-16 with a byte-order mark, a full disk, copies a killed writer
// left behind, names that are no readable file, two processes at once.
#include "platform/dateisystem.h"
#include "platform/textdatei.h"
#include "support/testplattform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zplatform;
using namespace Qt::StringLiterals;

namespace {

QByteArray roh(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<fehlt>");
}

void ablegen(const QString& pfad, const QByteArray& inhalt)
{
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(inhalt);
}

QByteArray utf16le(const QString& text)
{
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

class Anhaengen : public ::testing::Test
{
protected:
    TempWurzel w;
    QString datei(const char* name = "Vornamen.txt") const { return w.temp() + u'/' + QLatin1String(name); }
};

} // namespace

// A file cut by a crash or edited by hand ends without CR LF: the new line
// starts a line of its own, in every encoding the file may have.
TEST_F(Anhaengen, LetzteZeileOhneEndeWirdZuerstBeendet)
{
    struct Fall
    {
        const char* name;
        QByteArray vorher;
        QByteArray nachher;
    };
    const QByteArray bom = "\xEF\xBB\xBF";
    const Fall faelle[] = {
        {"ohne Ende", "1 Peter\r\n1 Kla", "1 Peter\r\n1 Kla\r\n1 Neuname0\r\n2 J\xFCrgen\r\n"},
        {"CR LF", "1 Kla\r\n", "1 Kla\r\n1 Neuname0\r\n2 J\xFCrgen\r\n"},
        {"LF", "1 Kla\n", "1 Kla\n1 Neuname0\r\n2 J\xFCrgen\r\n"},
        {"einzelnes CR", "1 Kla\r", "1 Kla\r\n1 Neuname0\r\n2 J\xFCrgen\r\n"},
        {"leer", "", "1 Neuname0\r\n2 J\xFCrgen\r\n"},
        {"UTF-8 ohne Ende", bom + "1 M\xC3\xBCller", bom + "1 M\xC3\xBCller\r\n1 Neuname0\r\n2 J\xC3\xBCrgen\r\n"},
        {"nur die Marke", bom, bom + "1 Neuname0\r\n2 J\xC3\xBCrgen\r\n"},
        {"UTF-16", "\xFF\xFE" + utf16le(u"1 Kla"_s),
         "\xFF\xFE" + utf16le(u"1 Kla\r\n1 Neuname0\r\n2 Jürgen\r\n"_s)},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        ablegen(datei(), f.vorher);
        ASSERT_TRUE(zeilenAnhaengen(datei(), {u"1 Neuname0"_s, u"2 Jürgen"_s}).ok);
        EXPECT_EQ(roh(datei()), f.nachher);
        EXPECT_EQ(zeilenLesen(datei()).mid(zeilenLesen(datei()).size() - 2),
                  (QStringList{u"1 Neuname0"_s, u"2 Jürgen"_s}));
    }
}

// A failing append says why and leaves the file exactly as it was, also for
// the administrator.
TEST_F(Anhaengen, FehlschlagSagtWarumUndLaesstDieDateiStehen)
{
    const QByteArray alt = "1 Peter\r\n1 Kla";
    ablegen(datei(), alt);

    // The disk fills up halfway through: no half line stays.
    testPlatzGrenze(5);
    Ergebnis e = zeilenAnhaengen(datei(), {u"1 Neuname0"_s, u"2 Anna"_s});
    testPlatzGrenze(-1);
    EXPECT_FALSE(e.ok);
    EXPECT_TRUE(e.fehler.contains(u"Datenträger ist voll"_s)) << e.fehler.toStdString();
    EXPECT_EQ(roh(datei()), alt);

    // Made read-only: refused, root too.
    QFile::setPermissions(datei(), QFile::ReadOwner | QFile::ReadGroup);
    e = zeilenAnhaengen(datei(), {u"1 Neuname0"_s});
    EXPECT_FALSE(e.ok);
    EXPECT_TRUE(e.fehler.contains(u"schreibgeschützt"_s)) << e.fehler.toStdString();
    EXPECT_TRUE(e.fehler.contains(datei())) << e.fehler.toStdString();
    EXPECT_EQ(roh(datei()), alt);

    // A folder under the name.
    QDir().mkpath(datei("Ordner.txt"));
    e = zeilenAnhaengen(datei("Ordner.txt"), {u"x"_s});
    EXPECT_FALSE(e.ok);
    EXPECT_TRUE(e.fehler.contains(u"Ordner"_s)) << e.fehler.toStdString();

    // A link that leads round in a circle: said as such, nothing created.
    QFile::link(datei("Kreis.txt"), datei("Kreis.txt"));
    e = zeilenAnhaengen(datei("Kreis.txt"), {u"x"_s});
    EXPECT_FALSE(e.ok);
    EXPECT_TRUE(e.fehler.contains(u"im Kreis"_s)) << e.fehler.toStdString();
}

// Whatever stands under a name that is no readable file is named for what it
// is; only a missing file is "not found".
TEST_F(Anhaengen, LesenSagtWasStattDerDateiDaSteht)
{
    struct Fall
    {
        const char* name;
        std::function<void(const QString&)> anlegen;
        const char* text;
        bool fehlt;
    };
    const Fall faelle[] = {
        {"fehlt", [](const QString&) {}, "wurde nicht gefunden", true},
        {"Ordner", [](const QString& p) { QDir().mkpath(p); }, "Ordner", false},
        {"Kreis", [](const QString& p) { QFile::link(p, p); }, "im Kreis", false},
        {"Verweis ins Leere", [this](const QString& p) { QFile::link(datei("nirgends"), p); }, "die es nicht gibt",
         false},
        {"Rohr", [](const QString& p) { ::mkfifo(QFile::encodeName(p).constData(), 0666); }, "keine gewöhnliche Datei",
         false},
        // No read permission bit: unreadable for the administrator too.
        {"gesperrt",
         [](const QString& p) {
             QFile f(p);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write("1 Kla\r\n");
             f.close();
             QFile::setPermissions(p, QFile::WriteOwner);
         },
         "darf nicht gelesen werden", false},
    };
    int nr = 0;
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        const QString p = w.temp() + QStringLiteral("/fall%1.txt").arg(++nr);
        f.anlegen(p);
        Ergebnis e;
        EXPECT_TRUE(zeilenLesen(p, &e).isEmpty());
        EXPECT_FALSE(e.ok);
        EXPECT_EQ(e.fehlt, f.fehlt);
        EXPECT_TRUE(e.fehler.contains(QString::fromUtf8(f.text))) << e.fehler.toStdString();
        e = zeilenweiseLesen(p, [](const char*, qsizetype) { return true; });
        EXPECT_FALSE(e.ok);
        EXPECT_TRUE(e.fehler.contains(QString::fromUtf8(f.text))) << e.fehler.toStdString();
    }
}

// The line reader hands on UTF-8 lines without the mark; a UTF-16 file comes
// as UTF-8 too, a file without a mark as it stands.
TEST_F(Anhaengen, ZeilenweiseLesenNachDerMarke)
{
    const auto lesen = [&](const QByteArray& inhalt, bool* utf8) {
        ablegen(datei(), inhalt);
        QList<QByteArray> zeilen;
        EXPECT_TRUE(zeilenweiseLesen(
                        datei(),
                        [&](const char* z, qsizetype n) {
                            zeilen << QByteArray(z, n);
                            return true;
                        },
                        utf8)
                        .ok);
        return zeilen;
    };
    bool utf8 = true;
    EXPECT_EQ(lesen("..K\xFC\r\nM\xFCller", &utf8), (QList<QByteArray>{"..K\xFC", "M\xFCller"}));
    EXPECT_FALSE(utf8);
    EXPECT_EQ(lesen("\xEF\xBB\xBF..K\xC3\xBC\r\nM\xC3\xBCller\r\n", &utf8),
              (QList<QByteArray>{"..K\xC3\xBC", "M\xC3\xBCller"}));
    EXPECT_TRUE(utf8);
    utf8 = false;
    EXPECT_EQ(lesen("\xFF\xFE" + utf16le(u"..Kü\r\nMüller\nZ"_s), &utf8),
              (QList<QByteArray>{"..K\xC3\xBC", "M\xC3\xBCller", "Z"}));
    EXPECT_TRUE(utf8);
}

// A write killed halfway may leave its temporary copy beside the file; the
// next write of that file removes it. Copies a writer still holds, and files
// of the user that only look alike, stay.
TEST_F(Anhaengen, ResteEinesAbgebrochenenSchreibensVerschwinden)
{
    const QString maske = datei("Brief.msk");
    ablegen(maske, "alt\r\n");
    const QStringList reste = {u"Brief.msk.sLunam"_s, u"Brief.msk.RyvQxA"_s};
    const QStringList bleiben = {u"Brief.msk.Backup"_s, u"Brief.msk.KOPIEN"_s, u"Brief.msk.kopien"_s,
                                 u"Brief.msk.Kopie1"_s, u"Anderes.msk.AbCdEf"_s};
    for (const QString& n : reste + bleiben)
        ablegen(w.temp() + u'/' + n, "halb");
    // A writer at work holds its copy locked.
    const QString gehalten = w.temp() + u"/Brief.msk.GhQwEr"_s;
    ablegen(gehalten, "in Arbeit");
    const int fd = ::open(QFile::encodeName(gehalten).constData(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);

    ASSERT_TRUE(textSchreiben(maske, u"neu\r\n"_s).ok);
    EXPECT_EQ(roh(maske), QByteArray("neu\r\n"));
    for (const QString& n : reste)
        EXPECT_FALSE(QFileInfo::exists(w.temp() + u'/' + n)) << n.toStdString();
    for (const QString& n : bleiben)
        EXPECT_TRUE(QFileInfo::exists(w.temp() + u'/' + n)) << n.toStdString();
    EXPECT_TRUE(QFileInfo::exists(gehalten));
    ::close(fd);

    // Once its writer is gone, the next write takes it away too.
    ASSERT_TRUE(textSchreiben(maske, u"neuer\r\n"_s).ok);
    EXPECT_FALSE(QFileInfo::exists(gehalten));
    EXPECT_TRUE(istZwischenkopie(u"Brief.msk"_s, u"Brief.msk.sLunam"_s));
    EXPECT_FALSE(istZwischenkopie(u"Brief.msk"_s, u"Brief.msk.Backup"_s));
}

// A replacement that cannot be renamed into place keeps the old file and
// leaves no copy behind; the permission bits of the old file stay.
TEST_F(Anhaengen, ErsetzenDasScheitertLaesstNichtsZurueck)
{
    const QString p = datei("KontPrn.ini");
    ablegen(p, "[Alt]\r\n");
    QFile::setPermissions(p, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    testUmbenennenScheitert(p, EIO);
    const Ergebnis e = bytesSchreiben(p, "[Neu]\r\n");
    testUmbenennenScheitert(QString(), 0);
    EXPECT_FALSE(e.ok);
    EXPECT_TRUE(e.fehler.contains(u"Datenträger"_s)) << e.fehler.toStdString();
    EXPECT_EQ(roh(p), QByteArray("[Alt]\r\n"));
    EXPECT_EQ(QDir(w.temp()).entryList(QDir::Files), QStringList{u"KontPrn.ini"_s});

    ASSERT_TRUE(bytesSchreiben(p, "[Neu]\r\n").ok);
    EXPECT_EQ(roh(p), QByteArray("[Neu]\r\n"));
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(p).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

// Two processes append to one file at once, which ends without a line end:
// every line arrives whole, none glued to another, no empty line between.
TEST_F(Anhaengen, ZweiProzesseHaengenGleichzeitigAn)
{
    ablegen(datei(), "1 Kla");
    const QString start = w.temp() + QStringLiteral("/los");
    const int anzahl = 300;
    QProcess a, b;
    a.start(QStringLiteral(ZETTLORA_PROZESSHELFER), {u"anhaengen"_s, datei(), u"a"_s, QString::number(anzahl), start});
    b.start(QStringLiteral(ZETTLORA_PROZESSHELFER), {u"anhaengen"_s, datei(), u"b"_s, QString::number(anzahl), start});
    ASSERT_TRUE(a.waitForStarted());
    ASSERT_TRUE(b.waitForStarted());
    ablegen(start, "");
    ASSERT_TRUE(a.waitForFinished(120000));
    ASSERT_TRUE(b.waitForFinished(120000));
    EXPECT_EQ(a.exitCode(), 0) << a.readAllStandardError().toStdString();
    EXPECT_EQ(b.exitCode(), 0) << b.readAllStandardError().toStdString();

    const QByteArray inhalt = roh(datei());
    EXPECT_TRUE(inhalt.endsWith("\r\n"));
    const QStringList zeilen = zeilenLesen(datei());
    ASSERT_EQ(zeilen.size(), 2 * anzahl + 1);
    EXPECT_EQ(zeilen.first(), u"1 Kla"_s);
    QStringList erwartet;
    for (int i = 0; i < anzahl; ++i)
        erwartet << QStringLiteral("1 a%1").arg(i) << QStringLiteral("1 b%1").arg(i);
    QStringList gelesen = zeilen.mid(1);
    gelesen.sort();
    erwartet.sort();
    EXPECT_EQ(gelesen, erwartet);
}

// The run lock: a second taker learns that the work runs elsewhere, also in
// another process, and the lock is free again once its holder ends.
TEST_F(Anhaengen, LaufsperreWirdNurVersucht)
{
    const QString sammlung = datei("LastschriftSammlung.txt");
    {
        const Laufsperre erste(sammlung);
        EXPECT_EQ(erste.stand(), Laufsperre::Stand::Gehalten);
        EXPECT_EQ(Laufsperre(sammlung).stand(), Laufsperre::Stand::Besetzt);
        EXPECT_TRUE(QFileInfo::exists(Laufsperre::sperrdatei(sammlung)));
    }
    EXPECT_FALSE(QFileInfo::exists(Laufsperre::sperrdatei(sammlung)));
    EXPECT_EQ(Laufsperre(sammlung).stand(), Laufsperre::Stand::Gehalten);

    // Below a file no lock file can be made: the work goes on without.
    EXPECT_EQ(Laufsperre(sammlung + u"/x.txt"_s).stand(), Laufsperre::Stand::Ohne);
}
