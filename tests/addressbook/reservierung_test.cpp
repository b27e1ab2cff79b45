#include "adresstest.h"

#include "addressbook/adressdatei.h"
#include "addressbook/adressliste.h"
#include "addressbook/dateiini.h"
#include "common/ini.h"

#include <QFile>

#include <sys/wait.h>
#include <unistd.h>

using namespace zadressbuch;

namespace {
const QString Sektion = QStringLiteral("Reservierung");

QString Eintrag(const QString& pfad)
{
    return zcommon::Ini_Lesen(Reservierungsdatei(), Sektion, pfad);
}
} // namespace

class ReservierungTest : public AdressTest
{
protected:
    void SetUp() override
    {
        AdressTest::SetUp();
        ablegen(datei(), "..Test\r\n \tMeier\t\r\n");
    }
    void fremd(const QString& wert) { zcommon::Ini_Schreiben(Reservierungsdatei(), Sektion, datei(), wert); }
};

TEST_F(ReservierungTest, FremdeReservierungFragtJaHeisstNurLesen)
{
    fremd(QStringLiteral("Anna|buero-pc|4711|01.07.2000 08:15"));
    plattform.antworten.enqueue(zplatform::vbYes);
    AdressListe liste;
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_EQ(liste.ListCount(), 1);
    EXPECT_TRUE(sitzung().NurLesen);
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_EQ(plattform.toene.value(0), QStringLiteral("#SystemQuestion"));
    const GezeigteMeldung& m = plattform.meldungen[0];
    EXPECT_TRUE(m.text.contains(QStringLiteral("Anna")));
    EXPECT_TRUE(m.text.contains(QStringLiteral("buero-pc")));
    EXPECT_TRUE(m.text.contains(QStringLiteral("01.07.2000 08:15")));
    EXPECT_EQ(m.stil & 0x0F, int(zplatform::vbYesNo));
    // Read-only writes nothing: the other user's entry stays, also after closing.
    Daten_Schliessen();
    EXPECT_EQ(Eintrag(datei()), QStringLiteral("Anna|buero-pc|4711|01.07.2000 08:15"));
    // A later read-only decision keeps it and asks no more.
    EXPECT_TRUE(NurLesen_Entscheiden());
    EXPECT_EQ(plattform.meldungen.size(), 1u);
}

TEST_F(ReservierungTest, FremdeReservierungNeinUebernimmt)
{
    fremd(QStringLiteral("Anna|buero-pc|4711|01.07.2000 08:15"));
    plattform.antworten.enqueue(zplatform::vbNo);
    AdressListe liste;
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_FALSE(sitzung().NurLesen);
    const QString wert = Eintrag(datei());
    EXPECT_TRUE(wert.startsWith(QStringLiteral("tester|testrechner|%1|02.07.2000 10:30").arg(::getpid())));
    Daten_Schliessen();
    EXPECT_TRUE(Eintrag(datei()).isEmpty());
}

TEST_F(ReservierungTest, EigeneVerwaisteReservierungStillUebernommen)
{
    fremd(QStringLiteral("tester|testrechner|%1|30.06.2000 17:00").arg(freiePid()));
    AdressListe liste;
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_FALSE(sitzung().NurLesen);
    EXPECT_TRUE(plattform.meldungen.empty());
    EXPECT_TRUE(Reservierung_Lesen(datei()).eigene);

    // The same user on another computer is someone else.
    Daten_Schliessen();
    fremd(QStringLiteral("tester|laptop|%1|30.06.2000 17:00").arg(freiePid()));
    plattform.antworten.enqueue(zplatform::vbYes);
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_TRUE(sitzung().NurLesen);
    EXPECT_EQ(plattform.meldungen.size(), 1u);
}

TEST_F(ReservierungTest, ProzessnummerEinesAnderenProgrammsIstVerwaist)
{
    // Process 1 runs, but it is not this program.
    fremd(QStringLiteral("tester|testrechner|1|30.06.2000 17:00"));
    EXPECT_TRUE(Reservierung_Lesen(datei()).verwaist);
}

TEST_F(ReservierungTest, BeendeterAberNichtAbgeholterProzessIstVerwaist)
{
    // A run of this very program that has ended, its parent not having
    // collected it yet: /proc still lists it.
    const pid_t kind = ::fork();
    ASSERT_GE(kind, 0);
    if (kind == 0)
        ::_exit(0);
    QByteArray stat;
    for (int i = 0; i < 500 && !stat.contains(") Z"); ++i) {
        QFile f(QStringLiteral("/proc/%1/stat").arg(kind));
        stat = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        if (!stat.contains(") Z"))
            ::usleep(2000);
    }
    fremd(QStringLiteral("tester|testrechner|%1|30.06.2000 17:00").arg(kind));
    const bool verwaist = Reservierung_Lesen(datei()).verwaist;
    ::waitpid(kind, nullptr, 0);
    ASSERT_TRUE(stat.contains(") Z"));
    EXPECT_TRUE(verwaist);
}

TEST_F(ReservierungTest, NeueDateiGibtDieAlteReservierungFrei)
{
    AdressListe liste;
    ASSERT_TRUE(Daten_Laden(liste));
    const QString erste = datei();
    EXPECT_FALSE(Eintrag(erste).isEmpty());
    sitzung().AdressDateiName = daten + QStringLiteral("/kunden.dat");
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_TRUE(Eintrag(erste).isEmpty());
    EXPECT_FALSE(Eintrag(datei()).isEmpty());
}

TEST_F(ReservierungTest, GruendeFuerNurLesen)
{
    AdressListe liste;
    // Command line.
    sitzung().KommandozeileReadonly = true;
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_TRUE(sitzung().NurLesen);
    EXPECT_TRUE(Eintrag(datei()).isEmpty());
    sitzung().KommandozeileReadonly = false;

    // Per-file setting.
    DateiIni_Schreiben(QStringLiteral("ReadOnly"), QStringLiteral("1"));
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_TRUE(sitzung().NurLesen);
    EXPECT_TRUE(Eintrag(datei()).isEmpty());
    DateiIni_Schreiben(QStringLiteral("ReadOnly"), QStringLiteral("0"));
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_FALSE(sitzung().NurLesen);
    Daten_Schliessen();

    // READONLY.TXT in the data folder, in any case.
    ablegen(daten + QStringLiteral("/readonly.txt"), "");
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_TRUE(sitzung().NurLesen);
    EXPECT_TRUE(Eintrag(datei()).isEmpty());
    QFile::remove(daten + QStringLiteral("/readonly.txt"));
    EXPECT_FALSE(NurLesen_Entscheiden());

    // A decision for read-only later on gives the reservation up.
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_FALSE(Eintrag(datei()).isEmpty());
    sitzung().KommandozeileReadonly = true;
    EXPECT_TRUE(NurLesen_Entscheiden());
    EXPECT_TRUE(Eintrag(datei()).isEmpty());
    EXPECT_TRUE(plattform.meldungen.empty());
}
