#pragma once
// Another instance of the program in a process of its own (the helper's mode
// "laden"): a program folder of its own, the address file loaded as a start
// loads it and held until the instance ends; as a real user of its own (a
// user id, umask 022, through setpriv) where one is given.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

struct InstanzArt
{
    QString benutzer = u"anna"_s;
    bool nein = false; // answers the reservation question with "Nein" (edits all the same)
    QString nachname;  // gives the first address this surname and saves
    int uid = -1;      // a real user of its own (needs root)
    int gid = -1;
};

class Instanz
{
public:
    QString zugriff;     // "rw" or "ro"
    QStringList boxen;   // the titles of the boxes its load showed
    QString gespeichert; // "gespeichert", or why not

    // Whether real users of their own can be made here (root and setpriv).
    static bool echteBenutzer() { return ::getuid() == 0 && !QStandardPaths::findExecutable(u"setpriv"_s).isEmpty(); }

    Instanz(const QString& datei, const InstanzArt& art = {})
    {
        const QString programm = m_wurzel.path() + u"/programm"_s;
        QDir().mkpath(programm);
        if (art.uid >= 0) {
            for (const QString& ordner : {m_wurzel.path(), programm})
                EXPECT_EQ(::chown(QFile::encodeName(ordner).constData(), uid_t(art.uid), gid_t(art.gid)), 0);
        }
        QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
        umgebung.insert(u"ZETTLORA_ROOT"_s, m_wurzel.path());
        umgebung.insert(u"HOME"_s, m_wurzel.path());
        m_prozess.setProcessEnvironment(umgebung);
        QStringList argumente{u"laden"_s, datei, los(), ende(), art.benutzer, art.nein ? u"nein"_s : u"ja"_s};
        if (!art.nachname.isEmpty())
            argumente << art.nachname;
        if (art.uid >= 0) {
            argumente.prepend(helferFuerAlle());
            argumente =
                QStringList{u"-c"_s,
                            u"umask 022 && exec setpriv --reuid=%1 --regid=%2 --clear-groups \"$@\""_s.arg(art.uid).arg(
                                art.gid),
                            u"sh"_s} +
                argumente;
            m_prozess.start(u"/bin/sh"_s, argumente);
        } else {
            m_prozess.start(QStringLiteral(ZETTLORA_PROZESSHELFER), argumente);
        }
        QFile(los()).open(QIODevice::WriteOnly);
        zugriff = zeile();
        boxen = zeile().split(u'|', Qt::SkipEmptyParts);
        if (!art.nachname.isEmpty() && zugriff == u"rw"_s)
            gespeichert = zeile();
        EXPECT_FALSE(zugriff.isEmpty()) << "no answer: " << m_prozess.readAllStandardError().toStdString();
    }
    ~Instanz() { beenden(); }
    Instanz(const Instanz&) = delete;
    Instanz& operator=(const Instanz&) = delete;

    // Ends as a user ends the program: the file is closed, its reservation given up.
    void beenden()
    {
        if (m_prozess.state() == QProcess::NotRunning)
            return;
        QFile(ende()).open(QIODevice::WriteOnly);
        m_prozess.waitForFinished(30000);
    }
    // Ends as a crash would: its reservation stays behind.
    void toeten()
    {
        m_prozess.kill();
        m_prozess.waitForFinished();
    }

private:
    // The helper where every user may run it: the build folder may lie where
    // only root may look (a copy, made once a test run).
    static QString helferFuerAlle()
    {
        static QTemporaryDir ordner(QDir::tempPath() + u"/zettlora-helfer-XXXXXX"_s);
        static const QString pfad = [] {
            const QString ziel = ordner.path() + u"/zprozesshelfer"_s;
            EXPECT_TRUE(QFile::copy(QStringLiteral(ZETTLORA_PROZESSHELFER), ziel));
            for (const QString& p : {ordner.path(), ziel})
                EXPECT_EQ(::chmod(QFile::encodeName(p).constData(), 0755), 0);
            return ziel;
        }();
        return pfad;
    }
    QString los() const { return m_wurzel.path() + u"/los"_s; }
    QString ende() const { return m_wurzel.path() + u"/ende"_s; }
    QString zeile()
    {
        QElapsedTimer uhr;
        uhr.start();
        while (!m_prozess.canReadLine() && m_prozess.state() != QProcess::NotRunning && uhr.elapsed() < 30000)
            m_prozess.waitForReadyRead(100);
        return QString::fromUtf8(m_prozess.readLine()).trimmed();
    }
    QTemporaryDir m_wurzel;
    QProcess m_prozess;
};
