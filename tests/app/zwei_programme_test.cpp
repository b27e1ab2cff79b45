// Two programs on one address file: the first holds it, the second is asked,
// answers "Nein" (edits all the same) and saves. The first holder's save is
// then asked before it replaces that (or, ended by a signal, keeps its
// version beside the file and says so), and as long as either holds the
// file, a third start is asked.
#include "addressbook/instanz.h"
#include "addressbook/main_hilfen.h"

#include "addressbook/reservierung.h"
#include "common/start.h"

#include <QDirIterator>

#include <csignal>

using namespace main_test;
using zadressbuch::Main;
using zadressbuch::sitzung;

namespace {

class ZweiProgramme : public MainFensterTest
{
protected:
    void SetUp() override
    {
        MainFensterTest::SetUp();
        zcommon::Benutzer_Zuruecksetzen(); // "Tester", from the scripted login
        zcommon::Instanz_Freigeben();
        adressdatei({u"..Geteilt"_s, zeile({{1, u"Alt"_s}})});
    }
    QString datei() const { return wurzel.programm() + u"/zettlora.dat"_s; }
    // The second program: takes the file over and saves "VonBernd" into it.
    static InstanzArt bernd()
    {
        InstanzArt art;
        art.benutzer = u"bernd"_s;
        art.nein = true;
        art.nachname = u"VonBernd"_s;
        return art;
    }
    static void ubernimmtUndSpeichert(const Instanz& b)
    {
        EXPECT_EQ(b.zugriff, u"rw"_s);
        EXPECT_EQ(b.boxen, QStringList{u"Adressdatei reserviert"_s}) << "the first holder was not seen";
        EXPECT_EQ(b.gespeichert, u"gespeichert"_s);
    }
    // A third start, which answers the reservation question with "Ja".
    void dritterWirdGefragt()
    {
        InstanzArt art;
        art.benutzer = u"carl"_s;
        Instanz carl(datei(), art);
        EXPECT_EQ(carl.zugriff, u"ro"_s);
        EXPECT_EQ(carl.boxen, QStringList{u"Adressdatei reserviert"_s});
    }
    // The versions kept beside the address file.
    QStringList daneben() const
    {
        QStringList namen;
        for (QDirIterator it(wurzel.programm(), {u"zettlora_*.Dat"_s}, QDir::Files); it.hasNext();)
            namen << it.next();
        return namen;
    }
};

} // namespace

TEST_F(ZweiProgramme, NachDerUebernahmeFragtDasSpeichernDesErstenHalters)
{
    Main& m = starten();
    {
        Instanz b(datei(), bernd());
        ubernimmtUndSpeichert(b);
        tippen(m.Feld(zadressbuch::Vorname), u"VonAnna"_s);
        plattform.antworten.enqueue(zplatform::vbNo);
        m.aktion(u"PulSichern"_s)->trigger(); // Strg+S
        const GezeigteMeldung* frage = plattform.meldungMitTitel(u"Adressdatei inzwischen gespeichert"_s);
        ASSERT_NE(frage, nullptr) << "replaced unasked";
        EXPECT_TRUE(frage->text.contains(u"bernd"_s)) << frage->text.toStdString();
        EXPECT_EQ(sitzung().Geaendert, 0);
        EXPECT_TRUE(wurzel.lesen(u"programm/zettlora.dat"_s).contains(u"\tVonBernd\t"_s));
        ASSERT_EQ(daneben().size(), 1);
        EXPECT_TRUE(wurzel.lesen(u"programm/"_s + QFileInfo(daneben().front()).fileName()).contains(u"\tVonAnna\t"_s));
        ASSERT_NE(plattform.meldungMitTitel(u"Fassung daneben gespeichert"_s), nullptr);
        EXPECT_TRUE(plattform.meldungMitTitel(u"Fassung daneben gespeichert"_s)->text.contains(daneben().front()));
        dritterWirdGefragt();
    }
    // Bernd has ended: his release leaves this run's reservation.
    dritterWirdGefragt();
    m.befehlAusfuehren(zadressbuch::Befehl::PulAbbruch);
    EXPECT_FALSE(zadressbuch::Reservierung_Lesen(datei()).vorhanden);
}

// The first holder a whole program of its own, ended by a termination signal
// after Bernd saved: nobody to answer, so it keeps its version beside the
// file and says so on standard error, and the next start names it.
TEST_F(ZweiProgramme, BeendensignalLegtDieFassungDaneben)
{
    einstellung(u"TitelAus"_s, u"1"_s);
    einstellung(u"AutoTip"_s, u"0"_s);
    QProcess a;
    a.start(QStringLiteral(ZETTLORA_PROZESSHELFER), {u"programm"_s, u"signal"_s, u"-"_s});
    ASSERT_TRUE(a.waitForStarted());
    QElapsedTimer uhr;
    uhr.start();
    while (!a.canReadLine() && a.state() == QProcess::Running && uhr.elapsed() < 20000)
        a.waitForReadyRead(100);
    ASSERT_TRUE(a.readLine().startsWith("offen")) << a.readAllStandardError().toStdString();
    {
        Instanz b(datei(), bernd());
        ubernimmtUndSpeichert(b);
    }
    dritterWirdGefragt();
    ::kill(pid_t(a.processId()), SIGTERM);
    ASSERT_TRUE(a.waitForFinished(30000));
    const QString fehler = QString::fromLocal8Bit(a.readAllStandardError());
    EXPECT_EQ(a.exitCode(), 0) << fehler.toStdString();
    EXPECT_TRUE(wurzel.lesen(u"programm/zettlora.dat"_s).contains(u"\tVonBernd\t"_s)) << "replaced unasked";
    ASSERT_EQ(daneben().size(), 1) << fehler.toStdString();
    const QString kopie = daneben().front();
    EXPECT_TRUE(wurzel.lesen(u"programm/"_s + QFileInfo(kopie).fileName()).contains(u"\tVor dem Ende geaendert\t"_s));
    EXPECT_TRUE(fehler.contains(u"daneben gespeichert"_s) && fehler.contains(kopie)) << fehler.toStdString();

    starten();
    const GezeigteMeldung* hinweis = plattform.meldungMitTitel(u"Fassung daneben gespeichert"_s);
    ASSERT_NE(hinweis, nullptr);
    EXPECT_TRUE(hinweis->text.contains(kopie)) << hinweis->text.toStdString();
}
