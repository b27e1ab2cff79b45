// The reservation of the address file for one run, and the reasons for
// read-only mode.
#include "adresstest.h"

#include "addressbook/adressdatei.h"
#include "addressbook/adressliste.h"
#include "addressbook/dateiini.h"
#include "common/ini.h"

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
        return zcommon::Ini_Lesen(Reservierungsdatei(), u"Reservierung"_s, pfad);
    }
    void fremd(const QString& wert) { zcommon::Ini_Schreiben(Reservierungsdatei(), u"Reservierung"_s, datei(), wert); }
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

    // No: opened for writing, the reservation taken over and given up on closing.
    plattform.antworten.enqueue(zplatform::vbNo);
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_FALSE(sitzung().NurLesen);
    EXPECT_TRUE(eintrag(datei()).startsWith(u"tester|testrechner|%1|02.07.2000 10:30"_s.arg(::getpid())));
    Daten_Schliessen();
    EXPECT_TRUE(eintrag(datei()).isEmpty());
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
