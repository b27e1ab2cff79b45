// Data safety of the address file: line ends of other programs, a file made
// read-only during the session, a backup copy that fails half way, the
// reservation of a path outside Windows-1252, and two instances opening one
// file at the same moment.
#include "adresstest.h"

#include "addressbook/adressdatei.h"
#include "addressbook/adressliste.h"
#include "common/ini.h"
#include "platform/dateisystem.h"

#include <QProcess>

using namespace zadressbuch;

namespace {

class Datensicherheit : public AdressTest
{
protected:
    AdressListe liste;
    void TearDown() override
    {
        zplatform::testOhneHardlinks(false);
        zplatform::testPlatzGrenze(-1);
        zplatform::testZwischendateiWarten(-1);
        AdressTest::TearDown();
    }
};

const QByteArray A = "Rubrik\tMeier\tAnna\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t";
const QByteArray B = " \tSchulz\tBernd\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t";

} // namespace

TEST_F(Datensicherheit, JedesZeilenendeTrenntAdressen)
{
    struct Fall
    {
        const char* name;
        QByteArray bytes;
        int anzahl;
    };
    const Fall faelle[] = {
        {"CR LF", "..Liste\r\n" + A + "\r\n" + B + "\r\n", 2},
        {"LF", "..Liste\n" + A + "\n" + B + "\n", 2},
        {"CR", "..Liste\r" + A + "\r" + B + "\r", 2},
        {"CR CR LF", "..Liste\r\r\n" + A + "\r\r\n" + B + "\r\r\n", 2},
        {"Strg+Z am Ende", "..Liste\r" + A + "\r" + B + "\x1a\x1a\r\n\x1a", 2},
        {"Strg+Z mitten", "..Liste\r" + A + "\x1a\r" + B, 2},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        ablegen(datei(), f.bytes);
        ASSERT_TRUE(Daten_Laden(liste));
        EXPECT_EQ(sitzung().Beschreibung, u"Liste"_s);
        ASSERT_EQ(liste.ListCount(), f.anzahl);
        EXPECT_FALSE(liste.List(1).contains(u'\r'));
        EXPECT_EQ(liste.List(1), QString::fromLatin1(B));
        Daten_Schliessen();
    }
    // A mark inside the file stays part of its line.
    ablegen(datei(), "..Liste\r" + A + "\x1a\r" + B);
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_EQ(liste.List(0), QString::fromLatin1(A + "\x1a"));
}

TEST_F(Datensicherheit, GrenzeVon32000LiestDenRestNicht)
{
    QByteArray inhalt = "..Viele\r\n";
    for (int i = 0; i < MaxAdressen + 500; ++i)
        inhalt += " \tName" + QByteArray::number(i) + "\t\r\n";
    ablegen(datei(), inhalt);
    plattform.antworten.enqueue(zplatform::vbOK);
    const LadeErgebnis e = Adressdatei_Lesen(datei());
    EXPECT_TRUE(e.ok);
    EXPECT_TRUE(e.zuViele);
    ASSERT_EQ(e.eintraege.size(), MaxAdressen);
    EXPECT_EQ(e.eintraege.last(), u" \tName%1\t"_s.arg(MaxAdressen - 1));
}

TEST_F(Datensicherheit, SchreibgeschuetzteDateiWirdNichtErsetzt)
{
    ablegen(datei(), "..Liste\r\n" + A + "\r\n");
    ASSERT_TRUE(Daten_Laden(liste));
    ASSERT_FALSE(sitzung().NurLesen);
    liste.AddItem(QString::fromLatin1(B));
    sitzung().Geaendert = 1;
    const QByteArray vorher = bytes(datei());

    // Made read-only by somebody else during the session (also for root).
    QFile::setPermissions(datei(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    EXPECT_FALSE(Daten_Speichern(liste));
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_EQ(bytes(datei()), vorher);
    EXPECT_TRUE(plattform.letzteMeldung().contains(u"konnte nicht gespeichert werden"_s));
    EXPECT_TRUE(plattform.letzteMeldung().contains(u"schreibgeschützt"_s));
    EXPECT_FALSE(QFileInfo::exists(Sicherungsdatei(datei())));

    // The folder made read-only: the same.
    QFile::setPermissions(datei(), QFile::ReadOwner | QFile::WriteOwner);
    QFile::setPermissions(daten, QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_FALSE(Daten_Speichern(liste));
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_EQ(bytes(datei()), vorher);
    QFile::setPermissions(daten, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    EXPECT_TRUE(Daten_Speichern(liste));
    EXPECT_EQ(sitzung().Geaendert, 0);
}

TEST_F(Datensicherheit, MisslungeneSicherungHinterlaesstKeineHalbeBak)
{
    QByteArray gross = "..Liste\r\n";
    for (int i = 0; i < 2000; ++i)
        gross += A + "\r\n";
    ablegen(datei(), gross);
    const QString bak = Sicherungsdatei(datei());
    ASSERT_TRUE(Daten_Laden(liste));
    ablegen(bak, "..alte vollstaendige Sicherung\r\n"); // (a load would remove it)
    sitzung().Geaendert = 1;

    // No hard links, and the disk fills up during the copy: the new version
    // (written first) fits, the backup does not.
    zplatform::testOhneHardlinks(true);
    zplatform::testPlatzGrenze(gross.size() + gross.size() / 2);
    EXPECT_FALSE(Daten_Speichern(liste));
    zplatform::testPlatzGrenze(-1);
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_EQ(bytes(datei()), gross);
    EXPECT_EQ(bytes(bak), QByteArray("..alte vollstaendige Sicherung\r\n"));
    const QStringList reste = QDir(daten).entryList(QDir::Files);
    EXPECT_EQ(reste, (QStringList{u"Reservierungen.ini"_s, u"zettlora.BAK"_s, u"zettlora.dat"_s}));

    // With room again the copy is made and removed after the save.
    EXPECT_TRUE(Daten_Speichern(liste));
    EXPECT_FALSE(QFileInfo::exists(bak));
}

TEST_F(Datensicherheit, ReservierungEinesPfadesAusserhalbWindows1252)
{
    const QString ordner = daten + u"/Łódź ✓"_s;
    QDir().mkpath(ordner);
    sitzung().AdressDateiName = ordner + u"/kunden.dat"_s;
    for (int runde = 0; runde < 3; ++runde) {
        ASSERT_TRUE(Daten_Laden(liste));
        EXPECT_FALSE(sitzung().NurLesen);
        EXPECT_TRUE(Reservierung_Lesen(datei()).eigene);
        Daten_Schliessen();
        EXPECT_FALSE(Reservierung_Lesen(datei()).vorhanden);
    }
    EXPECT_TRUE(zcommon::Ini_Schluessel(Reservierungsdatei(datei()), u"Reservierung"_s).isEmpty());
}

TEST_F(Datensicherheit, LaufendeInstanzNachProzessnummerUndStartzeit)
{
    const qint64 ich = zplatform::eigenePid();
    const quint64 start = zplatform::prozessStart(ich);
    ASSERT_NE(start, 0u);
    EXPECT_TRUE(zplatform::prozessLebt(ich, start));
    // Same number, other start time: the number was reused.
    EXPECT_FALSE(zplatform::prozessLebt(ich, start + 1));
    EXPECT_FALSE(zplatform::prozessLebt(freiePid(), 0));

    // An entry of this user with a reused process number is taken over silently.
    zcommon::Ini_Schreiben(Reservierungsdatei(datei()), u"Reservierung"_s, Reservierungsschluessel(datei()),
                           u"tester|testrechner|%1|01.07.2000 08:00|%2"_s.arg(ich).arg(start + 1));
    ablegen(datei(), "..Liste\r\n");
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_FALSE(sitzung().NurLesen);
    EXPECT_TRUE(plattform.meldungen.empty());
    EXPECT_EQ(zcommon::Ini_Lesen(Reservierungsdatei(datei()), u"Reservierung"_s, Reservierungsschluessel(datei()))
                  .section(u'|', 4, 4),
              QString::number(start));
}

TEST_F(Datensicherheit, ZweiGleichzeitigeOeffnerGebenGenauEinmalSchreibrecht)
{
    ablegen(datei(), "..Liste\r\n" + A + "\r\n");
    const QString los = wurzel.wurzel() + u"/los"_s;
    const QString ende = wurzel.wurzel() + u"/ende"_s;
    for (int runde = 0; runde < 3; ++runde) {
        SCOPED_TRACE(runde);
        QFile::remove(los);
        QFile::remove(ende);
        zcommon::Ini_Loeschen(Reservierungsdatei(datei()), u"Reservierung"_s, Reservierungsschluessel(datei()));
        QProcess p[3];
        for (QProcess& q : p) {
            QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
            umgebung.insert(u"ZETTLORA_ROOT"_s, wurzel.wurzel());
            q.setProcessEnvironment(umgebung);
            q.start(QStringLiteral(ZETTLORA_PROZESSHELFER), {u"oeffnen"_s, datei(), los, ende});
        }
        for (QProcess& q : p)
            ASSERT_TRUE(q.waitForStarted());
        ablegen(los, "");
        QStringList antworten;
        for (QProcess& q : p) {
            while (!q.canReadLine() && q.state() == QProcess::Running)
                q.waitForReadyRead(100);
            antworten << QString::fromLatin1(q.readLine()).trimmed();
        }
        ablegen(ende, "");
        for (QProcess& q : p)
            ASSERT_TRUE(q.waitForFinished(30000));
        EXPECT_EQ(antworten.count(u"rw"_s), 1) << antworten.join(u' ').toStdString();
        EXPECT_EQ(antworten.count(u"ro"_s), 2) << antworten.join(u' ').toStdString();
    }
}

TEST_F(Datensicherheit, PfadeInMeldungenBehaltenIhreTilde)
{
    const QString ordner = daten + u"/Kopie~"_s;
    QDir().mkpath(ordner);
    sitzung().AdressDateiName = ordner + u"/liste~.dat"_s;
    ablegen(datei(), "..Liste\r\n" + A + "\r\n");
    ASSERT_TRUE(Daten_Laden(liste));
    sitzung().Geaendert = 1;
    QFile::setPermissions(datei(), QFile::ReadOwner);
    EXPECT_FALSE(Daten_Speichern(liste));
    EXPECT_TRUE(plattform.letzteMeldung().contains(u"Kopie~/liste~.dat"_s)) << plattform.letzteMeldung().toStdString();
    // The message's own line breaks are there all the same.
    EXPECT_TRUE(plattform.letzteMeldung().contains(u"\r\n"_s));
}

TEST_F(Datensicherheit, SchreibgeschuetzteDateiOeffnetNurZumLesenAuchFuerRoot)
{
    ablegen(datei(), "..Liste\r\n" + A + "\r\n");
    QFile::setPermissions(datei(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_TRUE(sitzung().NurLesen);
    EXPECT_FALSE(Reservierung_Lesen(datei()).vorhanden); // read-only mode reserves nothing
    QFile::setPermissions(datei(), QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_FALSE(sitzung().NurLesen);
}

// A save killed halfway leaves its temporary file (no longer locked) and the
// backup's copy in the making: the next start or save removes both, never
// those of another instance's save under way.
TEST_F(Datensicherheit, ResteEinesAbgebrochenenSpeichernsGehen)
{
    const QByteArray inhalt = "..Liste\r\n" + A + "\r\n";
    const QString neu = Zwischendatei(datei()), bakNeu = Sicherungsdatei(datei()) + u".neu~"_s;
    const QString ende = wurzel.temp() + u"/ende"_s;
    for (const int fall : {0, 1, 2}) { // killed, then a start; killed, then a save; still saving, a start
        SCOPED_TRACE(fall);
        const bool getoetet = fall < 2;
        ablegen(datei(), inhalt);
        QFile::remove(ende);
        QProcess helfer;
        helfer.start(QStringLiteral(ZETTLORA_PROZESSHELFER), {u"zwischendatei"_s, neu, ende});
        ASSERT_TRUE(helfer.waitForStarted() && helfer.waitForReadyRead(20000));
        ASSERT_EQ(helfer.readLine().trimmed(), "offen") << helfer.readAllStandardError().toStdString();
        ablegen(bakNeu, "halbe Sicherung");
        if (getoetet) {
            helfer.kill(); // SIGKILL: nothing of the save runs any more
            ASSERT_TRUE(helfer.waitForFinished());
        }
        ASSERT_TRUE(Daten_Laden(liste));
        if (fall == 1) { // killed again after this load, then a save
            ablegen(neu, "..Halb geschrieben\r\n \tHalb");
            ablegen(bakNeu, "halbe Sicherung");
            liste.AddItem(QString::fromLatin1(B));
            sitzung().Geaendert = 1;
            ASSERT_TRUE(Daten_Speichern(liste));
        }
        EXPECT_EQ(bytes(datei()), fall == 1 ? inhalt + B + "\r\n" : inhalt);
        EXPECT_EQ(liste.ListCount(), fall == 1 ? 2 : 1);
        EXPECT_EQ(QFileInfo::exists(neu), !getoetet);
        EXPECT_EQ(QFileInfo::exists(bakNeu), !getoetet);
        Daten_Schliessen();
        if (!getoetet) {
            ablegen(ende, "");
            ASSERT_TRUE(helfer.waitForFinished());
            EXPECT_FALSE(QFileInfo::exists(neu)) << "its own save removes it when it fails";
        }
        QFile::remove(bakNeu);
    }
}

// A save killed after its rename leaves the ".BAK" beside the complete new
// file: the next load that reads the file whole and opens it for writing
// removes it. A missing file is made again from it.
TEST_F(Datensicherheit, SicherungEinesSpaetAbgebrochenenSpeicherns)
{
    const QByteArray neu = "..Liste\r\n" + A + "\r\n" + B + "\r\n", alt = "..Liste\r\n" + A + "\r\n";
    const QString bak = Sicherungsdatei(datei());
    enum Lage { Vollstaendig, Fehlt, Unlesbar, NurLesen };
    for (const Lage lage : {Vollstaendig, Fehlt, Unlesbar, NurLesen}) {
        SCOPED_TRACE(lage);
        plattform.meldungen.clear();
        QFile::remove(datei());
        if (lage != Fehlt)
            ablegen(datei(), neu);
        ablegen(bak, alt);
        if (lage == Unlesbar)
            QFile::setPermissions(datei(), {});
        sitzung().KommandozeileReadonly = lage == NurLesen;
        Daten_Laden(liste);
        EXPECT_EQ(QFileInfo::exists(bak), lage == Unlesbar || lage == NurLesen);
        QFile::setPermissions(datei(), QFile::ReadOwner | QFile::WriteOwner);
        EXPECT_EQ(bytes(datei()), lage == Fehlt ? alt : neu);
        EXPECT_EQ(liste.ListCount(), lage == Unlesbar ? 0 : lage == Fehlt ? 1 : 2);
        EXPECT_EQ(plattform.letzteMeldung().contains(u"aus ihrer Sicherungskopie"_s), lage == Fehlt);
        Daten_Schliessen();
    }
}

// The message of a file made again from its ".BAK" names the copy's date and
// its number of addresses.
TEST_F(Datensicherheit, WiederhergestelltAusDerSicherungMitDatumUndAnzahl)
{
    const QString bak = Sicherungsdatei(datei());
    const struct
    {
        QByteArray inhalt;
        const char* anzahl;
    } faelle[] = {{"..Liste\r\n", "keine Adressen"},
                  {"..Liste\r\n" + A + "\r\n", "eine Adresse"},
                  {"..Liste\r\n" + A + "\r\n" + B + "\r\n", "2 Adressen"}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.anzahl);
        plattform.meldungen.clear();
        QFile::remove(datei());
        ablegen(bak, f.inhalt);
        QFile kopie(bak);
        ASSERT_TRUE(kopie.open(QIODevice::ReadWrite));
        ASSERT_TRUE(kopie.setFileTime(QDateTime(QDate(2000, 6, 30), QTime(17, 45)), QFileDevice::FileModificationTime));
        kopie.close();
        ASSERT_TRUE(Daten_Laden(liste));
        ASSERT_EQ(plattform.meldungen.size(), 1u);
        const QString text = plattform.meldungen[0].text;
        for (const QString& teil : {bak, u"vom 30.06.2000, 17:45 Uhr"_s, QString::fromLatin1(f.anzahl)})
            EXPECT_TRUE(text.contains(teil)) << teil.toStdString() << "\n" << text.toStdString();
        Daten_Schliessen();
    }
}

// Another instance's save holds the temporary file: a load keeps the ".BAK"
// of that save; this save waits for it and never writes into it; when it is
// not let go in time the save fails with its message, and succeeds once it is
// free, keeping nothing of what it leaves there.
TEST_F(Datensicherheit, FremdeZwischendateiBleibtUnberuehrt)
{
    const QByteArray inhalt = "..Liste\r\n" + A + "\r\n";
    ablegen(datei(), inhalt);
    const QString neu = Zwischendatei(datei()), ende = wurzel.temp() + u"/ende"_s, bak = Sicherungsdatei(datei());
    ablegen(bak, "..Liste\r\n");
    QProcess helfer;
    helfer.start(QStringLiteral(ZETTLORA_PROZESSHELFER), {u"zwischendatei"_s, neu, ende});
    ASSERT_TRUE(helfer.waitForStarted() && helfer.waitForReadyRead(20000));
    ASSERT_EQ(helfer.readLine().trimmed(), "offen");
    const QByteArray seine = bytes(neu);
    ASSERT_EQ(seine, QByteArray("..Halb geschrieben\r\n \tHalb"));
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_TRUE(QFileInfo::exists(bak));

    liste.AddItem(QString::fromLatin1(B));
    sitzung().Geaendert = 1;
    zplatform::testZwischendateiWarten(200);
    EXPECT_FALSE(Daten_Speichern(liste));
    EXPECT_TRUE(plattform.letzteMeldung().contains(u"gerade in Benutzung"_s))
        << plattform.letzteMeldung().toStdString();
    EXPECT_EQ(bytes(neu), seine);
    EXPECT_EQ(bytes(datei()), inhalt);
    EXPECT_EQ(sitzung().Geaendert, 1);

    ablegen(ende, "");
    ASSERT_TRUE(helfer.waitForFinished());
    ablegen(neu, QByteArray(100000, 'X')); // longer than the new version
    EXPECT_TRUE(Daten_Speichern(liste));
    EXPECT_EQ(bytes(datei()), inhalt + B + "\r\n");
}
