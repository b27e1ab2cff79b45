// The program itself, its own main, in a process of its own, as the system
// signals it: a termination signal that comes while the program is still
// making its application ends it through its own exit (exit code 0, nothing
// left reserved), not by the default action; a hang-up or an interrupt that
// was ignored when it was started (nohup, a job a shell runs in the
// background) stays ignored, and SIGTERM still ends it.
#include "addressbook/main_hilfen.h"
#include "addressbook/reservierung.h"
#include "support/prozessblick.h"

#include <QProcess>
#include <QThread>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace main_test;

// For the messages of a failed comparison.
static void PrintTo(Signalart art, std::ostream* os)
{
    *os << (art == Signalart::Ignoriert ? "ignored" : art == Signalart::Abgefangen ? "caught" : "default action");
}

namespace {

class ProgrammSignale : public ::testing::Test
{
protected:
    void SetUp() override
    {
        wurzel.schreiben(u"programm/zettlora.dat"_s, u"..Signale\r\n"_s + zeile({{1, u"Berg"_s}}) + u"\r\n"_s);
        einstellung(u"AutoTip"_s, u"0"_s);
        einstellung(u"TitelAus"_s, u"1"_s);
    }

    // The program in the root; ignoriert: a signal that whoever starts it ignores.
    void starten(const QProcessEnvironment& umgebung, int ignoriert = 0)
    {
        p = std::make_unique<QProcess>();
        p->setProcessEnvironment(umgebung);
        if (ignoriert)
            p->setChildProcessModifier([ignoriert] { ::signal(ignoriert, SIG_IGN); });
        p->start(QStringLiteral(ZETTLORA_PROGRAMM), {});
        ASSERT_TRUE(p->waitForStarted());
    }
    pid_t pid() const { return pid_t(p->processId()); }
    // Sends the signal to the program while it runs (never to a process group: pid 0).
    void senden(int signal) const
    {
        if (pid() > 0)
            ::kill(pid(), signal);
    }

    // The program's entry for the address file: it stands while the file is open.
    QString reservierung() const
    {
        const QString pfad = wurzel.programm() + u"/zettlora.dat"_s;
        return zcommon::Ini_Lesen(zadressbuch::Reservierungsdatei(pfad), u"Reservierung"_s,
                                  zadressbuch::Reservierungsschluessel(pfad));
    }

    // The end is the program's own: exit code 0, not a signal, and the file released.
    void endetSelbst()
    {
        const bool beendet = p->state() == QProcess::NotRunning || p->waitForFinished(30000);
        if (!beendet) {
            p->kill();
            p->waitForFinished();
        }
        const QByteArray fehler = p->readAllStandardError();
        EXPECT_TRUE(beendet) << "the program runs on";
        EXPECT_EQ(p->exitStatus(), QProcess::NormalExit) << "ended by signal " << p->exitCode();
        EXPECT_EQ(p->exitCode(), 0) << fehler.toStdString();
        EXPECT_FALSE(fehler.contains("Sanitizer") || fehler.contains("runtime error")) << fehler.toStdString();
        EXPECT_EQ(reservierung(), QString()) << "the file stays reserved";
    }

    TestPlattform plattform;
    TempWurzel wurzel;
    std::unique_ptr<QProcess> p;
};

// SIGTERM while the program makes its application: here that reads Qt's
// logging rules from a pipe the test holds, so the signal comes for certain
// before the application exists (as on a slow display or a loaded machine).
TEST_F(ProgrammSignale, BeendensignalWaehrendDieAnwendungEntstehtEndetSelbst)
{
    const QString rohr = wurzel.temp() + u"/Logregeln"_s;
    ASSERT_EQ(::mkfifo(QFile::encodeName(rohr).constData(), 0600), 0);
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert(u"QT_LOGGING_CONF"_s, rohr);
    starten(umgebung);
    // The pipe opens for writing once the program has opened it for reading.
    int fd = -1;
    QElapsedTimer uhr;
    uhr.start();
    while (fd < 0 && p->state() == QProcess::Running && uhr.elapsed() < 20000) {
        fd = ::open(QFile::encodeName(rohr).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            QThread::usleep(500);
    }
    ASSERT_GE(fd, 0) << "the program did not read the logging rules";
    senden(SIGTERM);
    ::close(fd); // no rules: the application is made
    endetSelbst();
}

// A signal ignored at the start stays ignored while the program runs with its
// file open; SIGTERM ends it all the same. Not ignored, a hang-up ends it.
TEST_F(ProgrammSignale, BeimStartIgnoriertesBleibtIgnoriert)
{
    const struct
    {
        const char* wie;
        int ignoriert; // by whoever starts the program
        int signal;
    } faelle[] = {
        {"nohup: the hang-up", SIGHUP, SIGHUP},
        {"a job in the background: the interrupt", SIGINT, SIGINT},
        {"nothing ignored: a hang-up ends it", 0, SIGHUP},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.wie);
        starten(QProcessEnvironment::systemEnvironment(), f.ignoriert);
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return !reservierung().isEmpty() || p->state() != QProcess::Running; }, 20000));
        ASSERT_EQ(p->state(), QProcess::Running) << p->readAllStandardError().toStdString();
        EXPECT_EQ(signalArt(pid(), SIGTERM), Signalart::Abgefangen);
        EXPECT_EQ(signalArt(pid(), f.signal), f.ignoriert ? Signalart::Ignoriert : Signalart::Abgefangen);
        senden(f.signal);
        if (f.ignoriert) {
            EXPECT_FALSE(p->waitForFinished(1000)) << "ended by a signal it was started to ignore";
            senden(SIGTERM);
        }
        endetSelbst();
    }
}

} // namespace
