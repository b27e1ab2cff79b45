// The file system layer: reading line by line across blocks, decoding by
// words, the write check for the administrator, the lock between processes.
#include "platform/codec.h"
#include "platform/dateisystem.h"
#include "platform/textdatei.h"
#include "support/testplattform.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

#include <optional>

using namespace zplatform;
using namespace Qt::StringLiterals;

namespace {

void ablegen(const QString& pfad, const QByteArray& bytes)
{
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// The plain reference: split at CR LF, LF and lone CR.
QList<QByteArray> zeilenReferenz(const QByteArray& b)
{
    QList<QByteArray> z;
    QByteArray aktuell;
    for (qsizetype i = 0; i < b.size(); ++i) {
        if (b[i] == '\r' || b[i] == '\n') {
            z << aktuell;
            aktuell.clear();
            if (b[i] == '\r' && i + 1 < b.size() && b[i + 1] == '\n')
                ++i;
        } else {
            aktuell += b[i];
        }
    }
    if (!aktuell.isEmpty())
        z << aktuell;
    return z;
}

} // namespace

TEST(Dateisystem, ZeilenweiseLesenAuchUeberBlockgrenzen)
{
    TempWurzel w;
    const QString pfad = w.temp() + u"/zeilen.txt"_s;
    const qsizetype block = 1 << 18;
    // A CR LF, a lone CR and a lone LF right at the end of the first block.
    for (const QByteArray& ende : {QByteArray("\r\n"), QByteArray("\r"), QByteArray("\n"), QByteArray("\r\r\n")}) {
        for (qsizetype versatz : {-2, -1, 0, 1}) {
            QByteArray bytes(block + versatz - 1, 'a');
            bytes += ende + "zwei" + ende + "drei\rvier\n\nfuenf";
            ablegen(pfad, bytes);
            QList<QByteArray> gelesen;
            ASSERT_TRUE(zeilenweiseLesen(pfad, [&](const char* z, qsizetype n) {
                gelesen << QByteArray(z, n);
                return true;
            }));
            EXPECT_EQ(gelesen, zeilenReferenz(bytes)) << versatz << " " << ende.toHex().constData();
        }
    }
    // Stopping early, and a missing file.
    int zahl = 0;
    EXPECT_TRUE(zeilenweiseLesen(pfad, [&](const char*, qsizetype) { return ++zahl < 2; }));
    EXPECT_EQ(zahl, 2);
    EXPECT_FALSE(zeilenweiseLesen(pfad + u"x"_s, [](const char*, qsizetype) { return true; }));
}

TEST(Dateisystem, DekodierenInWortenGleichtDemEinzelnen)
{
    // Every byte at every position of an eight-byte word.
    QByteArray alle;
    for (int b = 0; b < 256; ++b)
        alle += char(b);
    for (int versatz = 0; versatz < 9; ++versatz) {
        const QByteArray bytes = QByteArray(versatz, 'x') + alle + alle;
        const QString text = ausWindows1252(bytes);
        ASSERT_EQ(text.size(), bytes.size());
        for (qsizetype i = 0; i < bytes.size(); ++i)
            ASSERT_EQ(text[i], ausWindows1252(bytes.mid(i, 1))[0]) << i;
        EXPECT_EQ(nachWindows1252(text), bytes);
    }
    EXPECT_EQ(ausWindows1252(QByteArray("\x80\x9f\xe4")), u"€Ÿä"_s);
}

TEST(Dateisystem, SchreibgeschuetztGiltAuchFuerRoot)
{
    TempWurzel w;
    const QString pfad = w.temp() + u"/fest.ini"_s;
    ablegen(pfad, "alt\r\n");
    EXPECT_TRUE(beschreibbar(pfad));
    QFile::setPermissions(pfad, QFile::ReadOwner | QFile::ReadGroup);
    EXPECT_FALSE(beschreibbar(pfad));
    const Ergebnis e = zeilenSchreiben(pfad, {u"neu"_s});
    EXPECT_FALSE(e.ok);
    EXPECT_TRUE(e.fehler.contains(u"schreibgeschützt"_s)) << e.fehler.toStdString();
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("alt\r\n"));
    EXPECT_FALSE(beschreibbar(w.temp() + u"/fehlt"_s));
}

TEST(Dateisystem, SperreWartetBegrenztUndGibtFrei)
{
    TempWurzel w;
    const QString datei = w.temp() + u"/a.ini"_s;
    {
        std::optional<Dateisperre> erste(std::in_place, datei);
        ASSERT_TRUE(erste->gehalten());
        EXPECT_TRUE(QFileInfo::exists(Dateisperre::sperrdatei(datei)));
        // A second holder waits its bounded time, then takes the lock over.
        QElapsedTimer uhr;
        uhr.start();
        Dateisperre zweite(datei, 150);
        EXPECT_TRUE(zweite.gehalten());
        EXPECT_GE(uhr.elapsed(), 140);
        // The hung first holder ends at last: the lock file of the second stays.
        erste.reset();
        EXPECT_TRUE(QFileInfo::exists(Dateisperre::sperrdatei(datei)));
    }
    EXPECT_FALSE(QFileInfo::exists(Dateisperre::sperrdatei(datei)));

    // A lock file left behind by an ended process is no lock.
    ablegen(Dateisperre::sperrdatei(datei), "12345\n");
    QElapsedTimer uhr;
    uhr.start();
    {
        Dateisperre sperre(datei, 5000);
        EXPECT_TRUE(sperre.gehalten());
    }
    EXPECT_LT(uhr.elapsed(), 1000);
    EXPECT_FALSE(QFileInfo::exists(Dateisperre::sperrdatei(datei)));

    // No lock file possible (no such folder): the work goes on without.
    Dateisperre ohne(w.temp() + u"/fehlt/b.ini"_s);
    EXPECT_FALSE(ohne.gehalten());
}

TEST(Dateisystem, ProzessStartzeitUnterscheidetEndeUndWiederverwendung)
{
    QProcess p;
    p.start(u"sleep"_s, {u"30"_s});
    ASSERT_TRUE(p.waitForStarted());
    const qint64 pid = p.processId();
    const quint64 start = prozessStart(pid);
    ASSERT_NE(start, 0u);
    EXPECT_TRUE(prozessLebt(pid, start));
    EXPECT_FALSE(prozessLebt(pid, start + 7));
    p.kill();
    p.waitForFinished();
    EXPECT_EQ(prozessStart(pid), 0u);
    EXPECT_FALSE(prozessLebt(pid, start));
}
