// The reservation of the address file for one run, and the reasons for
// read-only mode; two users, each with a program folder of their own, on one
// data folder.
#include "adresstest.h"
#include "instanz.h"
#include "main_hilfen.h"

#include "addressbook/adressdatei.h"
#include "addressbook/adressliste.h"
#include "addressbook/dateiini.h"
#include "common/ini.h"
#include "common/start.h"
#include "platform/dateisystem.h"

#include <algorithm>
#include <sys/wait.h>
#include <unistd.h>

using namespace zadressbuch;

namespace {

class ReservierungTest : public AdressTest
{
protected:
    AdressListe liste;
    void SetUp() override
    {
        AdressTest::SetUp();
        ablegen(datei(), "..Test\r\n \tMeier\t\r\n");
    }
    static QString eintrag(const QString& pfad)
    {
        return zcommon::Ini_Lesen(Reservierungsdatei(pfad), u"Reservierung"_s, Reservierungsschluessel(pfad));
    }
    void fremd(const QString& wert)
    {
        zcommon::Ini_Schreiben(Reservierungsdatei(datei()), u"Reservierung"_s, Reservierungsschluessel(datei()), wert);
    }
};

} // namespace

TEST_F(ReservierungTest, FremdeReservierungFragt_JaHeisstNurLesen_NeinUebernimmt)
{
    const QString anna = u"Anna|buero-pc|4711|01.07.2000 08:15"_s;
    fremd(anna);
    plattform.antworten.enqueue(zplatform::vbYes);
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_EQ(liste.ListCount(), 1);
    EXPECT_TRUE(sitzung().NurLesen);
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_EQ(plattform.toene.value(0), u"#SystemQuestion"_s);
    const GezeigteMeldung& m = plattform.meldungen[0];
    for (const QString& teil : {u"Anna"_s, u"buero-pc"_s, u"01.07.2000 08:15"_s})
        EXPECT_TRUE(m.text.contains(teil)) << teil.toStdString();
    EXPECT_EQ(m.stil & 0x0F, int(zplatform::vbYesNo));
    // Read-only writes nothing: the other user's entry stays, also after closing.
    Daten_Schliessen();
    EXPECT_EQ(eintrag(datei()), anna);
    // A later read-only decision keeps it and asks no more.
    EXPECT_TRUE(NurLesen_Entscheiden());
    EXPECT_EQ(plattform.meldungen.size(), 1u);

    // No: opened for writing, this run a holder beside Anna until it closes the file.
    plattform.antworten.enqueue(zplatform::vbNo);
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_FALSE(sitzung().NurLesen);
    EXPECT_TRUE(eintrag(datei()).startsWith(u"tester|testrechner|%1|02.07.2000 10:30"_s.arg(::getpid())));
    EXPECT_TRUE(eintrag(datei()).endsWith(u"|"_s + anna)) << eintrag(datei()).toStdString();
    Daten_Schliessen();
    EXPECT_EQ(eintrag(datei()), anna) << "Anna still holds it";
}

TEST_F(ReservierungTest, EigeneVerwaisteReservierungStillUebernommen)
{
    fremd(u"tester|testrechner|%1|30.06.2000 17:00"_s.arg(freiePid()));
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_FALSE(sitzung().NurLesen);
    EXPECT_TRUE(plattform.meldungen.empty());
    EXPECT_TRUE(Reservierung_Lesen(datei()).eigene);

    // The same user on another computer is someone else.
    Daten_Schliessen();
    fremd(u"tester|laptop|%1|30.06.2000 17:00"_s.arg(freiePid()));
    plattform.antworten.enqueue(zplatform::vbYes);
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_TRUE(sitzung().NurLesen);
    EXPECT_EQ(plattform.meldungen.size(), 1u);
}

TEST_F(ReservierungTest, FremderOderBeendeterProzessIstVerwaist)
{
    // Process 1 runs, but it is not this program.
    fremd(u"tester|testrechner|1|30.06.2000 17:00"_s);
    EXPECT_TRUE(Reservierung_Lesen(datei()).verwaist);

    // A run of this very program that has ended, its parent not having
    // collected it yet: /proc still lists it.
    const pid_t kind = ::fork();
    ASSERT_GE(kind, 0);
    if (kind == 0)
        ::_exit(0);
    QByteArray stat;
    for (int i = 0; i < 500 && !stat.contains(") Z"); ++i) {
        QFile f(u"/proc/%1/stat"_s.arg(kind));
        stat = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        if (!stat.contains(") Z"))
            ::usleep(2000);
    }
    fremd(u"tester|testrechner|%1|30.06.2000 17:00"_s.arg(kind));
    const bool verwaist = Reservierung_Lesen(datei()).verwaist;
    ::waitpid(kind, nullptr, 0);
    ASSERT_TRUE(stat.contains(") Z"));
    EXPECT_TRUE(verwaist);
}

TEST_F(ReservierungTest, NeueDateiGibtDieAlteReservierungFrei)
{
    ASSERT_TRUE(Daten_Laden(liste));
    const QString erste = datei();
    EXPECT_FALSE(eintrag(erste).isEmpty());
    sitzung().AdressDateiName = daten + u"/kunden.dat"_s;
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_TRUE(eintrag(erste).isEmpty());
    EXPECT_FALSE(eintrag(datei()).isEmpty());
}

TEST_F(ReservierungTest, GruendeFuerNurLesen)
{
    // Command line.
    sitzung().KommandozeileReadonly = true;
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_TRUE(sitzung().NurLesen);
    EXPECT_TRUE(eintrag(datei()).isEmpty());
    sitzung().KommandozeileReadonly = false;

    // Per-file setting.
    DateiIni_Schreiben(u"ReadOnly"_s, u"1"_s);
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_TRUE(sitzung().NurLesen);
    EXPECT_TRUE(eintrag(datei()).isEmpty());
    DateiIni_Schreiben(u"ReadOnly"_s, u"0"_s);
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_FALSE(sitzung().NurLesen);
    Daten_Schliessen();

    // READONLY.TXT in the data folder, in any case.
    ablegen(daten + u"/readonly.txt"_s, "");
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_TRUE(sitzung().NurLesen);
    EXPECT_TRUE(eintrag(datei()).isEmpty());
    QFile::remove(daten + u"/readonly.txt"_s);
    EXPECT_FALSE(NurLesen_Entscheiden());

    // A decision for read-only later on gives the reservation up.
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_FALSE(eintrag(datei()).isEmpty());
    sitzung().KommandozeileReadonly = true;
    EXPECT_TRUE(NurLesen_Entscheiden());
    EXPECT_TRUE(eintrag(datei()).isEmpty());
    EXPECT_TRUE(plattform.meldungen.empty());
}

// A data folder the user may not write (no write permission bit: for root
// too) opens read-only, and says why once a run, naming the folder.
TEST_F(ReservierungTest, OrdnerOhneSchreibrechtWirdEinmalGenannt)
{
    QFile::setPermissions(daten, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    for (int laden = 0; laden < 2; ++laden) {
        ASSERT_TRUE(Daten_Laden(liste));
        EXPECT_TRUE(sitzung().NurLesen);
        EXPECT_TRUE(NurLesen_Entscheiden()); // as the window decides again
    }
    QFile::setPermissions(daten, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    const GezeigteMeldung& m = plattform.meldungen[0];
    EXPECT_EQ(m.titel, u"Nur Leserechte"_s);
    EXPECT_EQ(plattform.toene, QStringList{u"#SystemExclamation"_s});
    for (const QString& teil : {daten, u"zettlora.dat"_s, u"nur zum Lesen"_s})
        EXPECT_TRUE(m.text.contains(teil)) << teil.toStdString() << "\n" << m.text.toStdString();
    EXPECT_TRUE(eintrag(datei()).isEmpty());
}

// The key of the entry is the file's name, whichever way leads to the file:
// the reservation file itself says so, and a start through a linked folder
// is asked about the instance that opened the file through the real one.
TEST_F(ReservierungTest, SchluesselIstDerDateinameAufJedemWeg)
{
    Instanz anna(datei());
    ASSERT_EQ(anna.zugriff, u"rw"_s);
    const QByteArray ini = bytes(daten + u"/Reservierungen.ini"_s);
    EXPECT_TRUE(ini.startsWith("[Reservierung]\r\nzettlora.dat=anna|testrechner|")) << ini.toStdString();

    const QString verknuepft = wurzel.wurzel() + u"/verknuepft"_s;
    ASSERT_TRUE(QFile::link(daten, verknuepft));
    sitzung().DatenOrdner = verknuepft;
    sitzung().AdressDateiName = verknuepft + u"/zettlora.dat"_s;
    plattform.antworten.enqueue(zplatform::vbYes);
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_TRUE(sitzung().NurLesen) << "not asked";
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_EQ(plattform.meldungen[0].titel, u"Adressdatei reserviert"_s);
}

// (Answered with Yes: see ReservierungMain below.)
TEST_F(ReservierungTest, AndererBenutzerMitEigenemProgrammordner)
{
    {
        Instanz anna(datei());
        ASSERT_EQ(anna.zugriff, u"rw"_s);
        ASSERT_TRUE(eintrag(datei()).startsWith(u"anna|testrechner|"_s)) << eintrag(datei()).toStdString();
        plattform.antworten.enqueue(zplatform::vbNo);
        ASSERT_TRUE(Daten_Laden(liste));
        EXPECT_EQ(plattform.meldungen.size(), 1u);
        EXPECT_FALSE(sitzung().NurLesen);
        EXPECT_TRUE(eintrag(datei()).startsWith(u"tester|testrechner|%1|"_s.arg(::getpid())));
        Daten_Schliessen();
        EXPECT_TRUE(eintrag(datei()).startsWith(u"anna|testrechner|"_s)) << "Anna still holds it";
        EXPECT_FALSE(eintrag(datei()).contains(u"tester|"_s)) << "not released from the shared place";
    }
    // Crashed, it holds the file no longer.
    Instanz(datei()).toeten();
    ASSERT_TRUE(eintrag(datei()).startsWith(u"anna|"_s));
    plattform.meldungen.clear();
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_FALSE(sitzung().NurLesen);
    EXPECT_TRUE(plattform.meldungen.empty());
    EXPECT_TRUE(Reservierung_Lesen(datei()).eigene);
}

// Only the processes of this computer can be looked at: an entry of another
// one (another name, or the same name and another system identity) is asked
// about, whatever its process number.
TEST_F(ReservierungTest, VerwaistNurWasAufDiesemRechnerEndete)
{
    const QString kennung = zplatform::rechnerKennung(), frei = QString::number(freiePid());
    const qint64 ich = zplatform::eigenePid();
    const struct
    {
        const char* name;
        QString wert;
        bool fragt;
    } faelle[] = {
        {"another user's ended run", u"anna|testrechner|"_s + frei + u"|30.06.2000 17:00"_s, false},
        {"the same, with this computer's identity", u"anna|testrechner|"_s + frei + u"|30.06.2000 17:00|0|"_s + kennung,
         false},
        {"another user's running run",
         u"anna|testrechner|%1|30.06.2000 17:00|%2"_s.arg(ich).arg(zplatform::prozessStart(ich)), true},
        {"another computer", u"anna|laptop|"_s + frei + u"|30.06.2000 17:00"_s, true},
        {"another computer of the same name", u"tester|testrechner|"_s + frei + u"|30.06.2000 17:00|0|fremd"_s, true},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        if (kennung.isEmpty() && f.wert.endsWith(u"|fremd"_s))
            continue; // this computer has no identity to tell it by
        plattform.meldungen.clear();
        fremd(f.wert);
        plattform.antworten.enqueue(zplatform::vbYes);
        ASSERT_TRUE(Daten_Laden(liste));
        EXPECT_EQ(plattform.meldungen.size(), f.fragt ? 1u : 0u);
        EXPECT_EQ(sitzung().NurLesen, f.fragt);
        EXPECT_EQ(eintrag(datei()) == f.wert, f.fragt);
        Daten_Schliessen();
        plattform.antworten.clear();
    }
}

// Earlier versions kept the entry in DurIdovi.ini of the program folder: it
// is read, and goes when this run reserves the file.
TEST_F(ReservierungTest, EintragAmAltenOrtZaehltUndWirdGeraeumt)
{
    const QString alt = AlteReservierungsdatei();
    const auto altEintrag = [&] { return zcommon::Ini_Lesen(alt, u"Reservierung"_s, datei()); };
    const QString anna = u"Anna|buero-pc|4711|01.07.2000 08:15"_s;
    // Its own ended run: taken over silently; Anna's: asked about, Yes, then No.
    for (const QString& wert : {u"tester|testrechner|%1|30.06.2000 17:00"_s.arg(freiePid()), anna}) {
        SCOPED_TRACE(wert.toStdString());
        zcommon::Ini_Schreiben(alt, u"Reservierung"_s, datei(), wert);
        if (wert == anna) {
            plattform.antworten << zplatform::vbYes << zplatform::vbNo;
            ASSERT_TRUE(Daten_Laden(liste));
            EXPECT_TRUE(sitzung().NurLesen);
            EXPECT_EQ(altEintrag(), anna);
        }
        ASSERT_TRUE(Daten_Laden(liste));
        EXPECT_FALSE(sitzung().NurLesen);
        EXPECT_EQ(plattform.meldungen.size(), wert == anna ? 2u : 0u);
        EXPECT_TRUE(altEintrag().isEmpty());
        EXPECT_TRUE(Reservierung_Lesen(datei()).eigene);
        Daten_Schliessen();
        // Anna, on another computer, still holds it (now in the shared place).
        EXPECT_EQ(Reservierung_Lesen(datei()).benutzer, wert == anna ? u"Anna"_s : QString());
    }
}

// The real main window of a second user: a program folder of its own, the
// data folder shared through "DirData".
using ReservierungMain = main_test::MainFensterTest;

TEST_F(ReservierungMain, ZweiterBenutzerStartetMitDerFrageUndLiestNur)
{
    zcommon::Benutzer_Zuruecksetzen();
    zcommon::Instanz_Freigeben();
    main_test::einstellung(u"DirData"_s, wurzel.wurzel() + u"/geteilt"_s, wurzel.programm() + u"/DurIdovi.ini"_s,
                           u"Ordner"_s);
    wurzel.schreiben(u"geteilt/zettlora.dat"_s, u"..Geteilt\r\n \tMeier\t\r\n"_s);
    const QString datei = wurzel.wurzel() + u"/geteilt/zettlora.dat"_s;
    Instanz anna(datei);
    ASSERT_EQ(anna.zugriff, u"rw"_s);
    plattform.antworten.enqueue(zplatform::vbYes);
    Main& m = starten();
    const auto frage = std::find_if(plattform.meldungen.begin(), plattform.meldungen.end(),
                                    [](const GezeigteMeldung& g) { return g.titel == u"Adressdatei reserviert"_s; });
    ASSERT_NE(frage, plattform.meldungen.end());
    EXPECT_TRUE(frage->text.contains(u"anna"_s));
    EXPECT_EQ(frage->stil & 0x0F, int(zplatform::vbYesNo));
    EXPECT_TRUE(sitzung().NurLesen);
    EXPECT_TRUE(m.windowTitle().endsWith(u" - nur Leserechte"_s)) << m.windowTitle().toStdString();
    EXPECT_EQ(adressliste().ListCount(), 1);
    m.befehlAusfuehren(Befehl::PulAbbruch);
    EXPECT_EQ(Reservierung_Lesen(datei).benutzer, u"anna"_s) << "the quit leaves Anna's reservation";
}
