// The reservation file of a data folder that several users share: every user
// who may write the folder may write it, whoever made it; where an entry
// still cannot be written, the file opens read-only with a word why. Real
// users of their own (user ids with umask 022, through setpriv) where the
// tests run as root, as CI does.
#include "adresstest.h"
#include "instanz.h"

#include "addressbook/adressdatei.h"
#include "addressbook/adressliste.h"
#include "common/ini.h"
#include "platform/dateisystem.h"

#include <cerrno>
#include <sys/stat.h>

using namespace zadressbuch;

namespace {

constexpr int AnnaUid = 4201, BerndUid = 4202, GemeinsameGruppe = 4300;

class ReservierungGemeinsam : public AdressTest
{
protected:
    AdressListe liste;

    void TearDown() override
    {
        zplatform::testUmbenennenScheitert(QString(), 0);
        AdressTest::TearDown();
    }

    static unsigned modus(const QString& pfad) { return zplatform::dateistand(pfad).modus & 07777; }
    static void rechte(const QString& pfad, unsigned modus, int uid = 0, int gid = 0)
    {
        ASSERT_EQ(::chown(QFile::encodeName(pfad).constData(), uid_t(uid), gid_t(gid)), 0);
        ASSERT_EQ(::chmod(QFile::encodeName(pfad).constData(), mode_t(modus)), 0);
    }
    // A folder below the root that the users may reach, with these permissions.
    QString geteilterOrdner(const QString& name, unsigned modus, int gruppe = 0)
    {
        rechte(wurzel.wurzel(), 0755);
        const QString ordner = wurzel.wurzel() + u'/' + name;
        QDir().mkpath(ordner);
        rechte(ordner, modus, 0, gruppe);
        return ordner;
    }
    static QString eintrag(const QString& ordner, const QString& name = u"zettlora.dat"_s)
    {
        zcommon::Ini_CacheLeeren();
        return zcommon::Ini_Lesen(ordner + u"/Reservierungen.ini"_s, u"Reservierung"_s, name);
    }
    // Opened for writing without a word.
    static void stillGeoeffnet(const Instanz& i)
    {
        EXPECT_EQ(i.zugriff, u"rw"_s);
        EXPECT_TRUE(i.boxen.isEmpty()) << i.boxen.join(u' ').toStdString();
    }
    static InstanzArt benutzer(const QString& name, int uid, int gid)
    {
        InstanzArt art;
        art.benutzer = name;
        art.uid = uid;
        art.gid = gid;
        return art;
    }
};

const QByteArray AndereDatei = "[Reservierung]\r\nkunden.dat=anna|buero-pc|4711|01.07.2000 08:15\r\n";

} // namespace

// Anna starts first and makes the address file and the reservation file;
// later Bernd holds the file, and Anna is asked; Bernd's end gives it up.
TEST_F(ReservierungGemeinsam, ZweiEchteBenutzerAufEinemDatenordner)
{
    if (!Instanz::echteBenutzer())
        GTEST_SKIP() << "needs root and setpriv";
    const struct
    {
        const char* name;
        unsigned ordner;
        bool gruppe; // both users in one group that may write the folder
        unsigned datei;
    } faelle[] = {
        {"a folder every user may write", 0777, false, 0666},
        {"the same with the sticky bit", 01777, false, 0666},
        {"a folder of the users' group", 02775, true, 0664},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        const QString ordner =
            geteilterOrdner(QString::fromLatin1(f.name).replace(u' ', u'_'), f.ordner, f.gruppe ? GemeinsameGruppe : 0);
        const QString datei = ordner + u"/zettlora.dat"_s;
        const InstanzArt anna = benutzer(u"anna"_s, AnnaUid, f.gruppe ? GemeinsameGruppe : AnnaUid);
        const InstanzArt bernd = benutzer(u"bernd"_s, BerndUid, f.gruppe ? GemeinsameGruppe : BerndUid);
        {
            Instanz erster(datei, anna);
            stillGeoeffnet(erster);
        }
        EXPECT_EQ(modus(datei), f.datei);
        EXPECT_EQ(modus(ordner + u"/Reservierungen.ini"_s), f.datei);
        {
            Instanz zweiter(datei, bernd);
            stillGeoeffnet(zweiter);
            EXPECT_TRUE(eintrag(ordner).startsWith(u"bernd|"_s)) << eintrag(ordner).toStdString();
            Instanz wieder(datei, anna);
            EXPECT_EQ(wieder.zugriff, u"ro"_s) << "Bernd's reservation was not seen";
            EXPECT_EQ(wieder.boxen, QStringList{u"Adressdatei reserviert"_s});
        }
        EXPECT_EQ(eintrag(ordner), QString()) << "Bernd could not give it up";
        Instanz danach(datei, anna);
        stillGeoeffnet(danach);
    }
}

// A reservation file another user's earlier version left read-only for
// everyone else (0644): replaced where the folder allows it, its other
// entries kept; in a folder with the sticky bit it cannot be, and the file
// opens read-only with a word why.
TEST_F(ReservierungGemeinsam, NurLesbareReservierungsdateiEinesAnderen)
{
    if (!Instanz::echteBenutzer())
        GTEST_SKIP() << "needs root and setpriv";
    const struct
    {
        const char* name;
        unsigned ordner;
        bool reserviert;
    } faelle[] = {{"a folder every user may write", 0777, true}, {"the same with the sticky bit", 01777, false}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        const QString ordner = geteilterOrdner(QString::fromLatin1(f.name).replace(u' ', u'_'), f.ordner);
        const QString datei = ordner + u"/zettlora.dat"_s, reservierungen = ordner + u"/Reservierungen.ini"_s;
        ablegen(datei, "..Geteilt\r\n");
        rechte(datei, 0666);
        ablegen(reservierungen, AndereDatei);
        rechte(reservierungen, 0644, AnnaUid, AnnaUid);

        Instanz bernd(datei, benutzer(u"bernd"_s, BerndUid, BerndUid));
        EXPECT_EQ(bernd.zugriff, f.reserviert ? u"rw"_s : u"ro"_s);
        EXPECT_EQ(bernd.boxen, f.reserviert ? QStringList() : QStringList{u"Adressdatei nicht reserviert"_s});
        EXPECT_EQ(eintrag(ordner).startsWith(u"bernd|"_s), f.reserviert) << eintrag(ordner).toStdString();
        EXPECT_EQ(eintrag(ordner, u"kunden.dat"_s), u"anna|buero-pc|4711|01.07.2000 08:15"_s);
        if (f.reserviert) {
            EXPECT_EQ(modus(reservierungen), 0666u);
        }
    }
}

// A reservation file without write permission (for root too) is replaced as
// well, its other entries kept; one whose replacement the folder refuses is
// written where it stands; one that cannot be written at all leaves the file
// read-only, with a word why.
TEST_F(ReservierungGemeinsam, EintragTrotzSchreibschutzOderNurLesen)
{
    const QString reservierungen = daten + u"/Reservierungen.ini"_s;
    const struct
    {
        const char* name;
        int fehler; // of the rename over the file
        bool reserviert;
        bool ersetzt; // a file of its own in place of the old one
    } faelle[] = {
        {"read-only", 0, true, true},
        {"the rename refused (a folder with the sticky bit)", EPERM, true, false},
        {"no write at all", EIO, false, false},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        ablegen(reservierungen, AndereDatei);
        QFile::setPermissions(reservierungen, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        const quint64 vorher = zplatform::dateistand(reservierungen).inode;
        zplatform::testUmbenennenScheitert(reservierungen, f.fehler);
        plattform.meldungen.clear();
        ASSERT_TRUE(Daten_Laden(liste));
        zplatform::testUmbenennenScheitert(QString(), 0);
        EXPECT_EQ(sitzung().NurLesen, !f.reserviert);
        EXPECT_EQ(eintrag(daten).startsWith(u"tester|testrechner|"_s), f.reserviert) << eintrag(daten).toStdString();
        EXPECT_EQ(eintrag(daten, u"kunden.dat"_s), u"anna|buero-pc|4711|01.07.2000 08:15"_s);
        EXPECT_EQ(zplatform::dateistand(reservierungen).inode != vorher, f.ersetzt);
        if (f.reserviert) {
            EXPECT_TRUE(plattform.meldungen.empty());
        } else {
            ASSERT_EQ(plattform.meldungen.size(), 1u);
            EXPECT_EQ(plattform.meldungen[0].titel, u"Adressdatei nicht reserviert"_s);
            EXPECT_EQ(plattform.toene.value(0), u"#SystemHand"_s);
            for (const QString& teil : {datei(), daten, zplatform::fehlerGrund(EIO)})
                EXPECT_TRUE(plattform.meldungen[0].text.contains(teil)) << teil.toStdString();
        }
        Daten_Schliessen();
        plattform.toene.clear();
        QFile::setPermissions(reservierungen, QFile::ReadOwner | QFile::WriteOwner);
    }
}
