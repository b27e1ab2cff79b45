// Two instances learning into the same catalogues at once, as real processes:
// every entry of both survives, and each reports what it wrote. Failed writes
// are said with their reason and never counted; a country prefix from the
// settings never leads out of the catalogue folder.
#include "katalogtest.h"

#include "catalogues/katalog.h"
#include "catalogues/uebernahme.h"
#include "catalogues/vornamen.h"
#include "common/ini.h"
#include "platform/dateisystem.h"
#include "platform/ordner.h"
#include "platform/textdatei.h"
#include "support/prozessblick.h"

#include <QProcess>
#include <QTest>

using namespace zkataloge;
using namespace zadressbuch;

namespace {

class ZweiInstanzen : public KatalogTest
{
protected:
    // Runs the helper twice at once with prefixes "a" and "b"; returns the
    // counts each printed.
    std::pair<qint64, qint64> zweimal(const QString& art, int anzahl)
    {
        const QString start = wurzel.temp() + QStringLiteral("/los");
        QFile::remove(start);
        QProcess a, b;
        a.start(QStringLiteral(ZETTLORA_PROZESSHELFER), {art, QStringLiteral("a"), QString::number(anzahl), start});
        b.start(QStringLiteral(ZETTLORA_PROZESSHELFER), {art, QStringLiteral("b"), QString::number(anzahl), start});
        EXPECT_TRUE(a.waitForStarted());
        EXPECT_TRUE(b.waitForStarted());
        wurzel.schreiben(QStringLiteral("temp/los"), QString());
        EXPECT_TRUE(a.waitForFinished(180000));
        EXPECT_TRUE(b.waitForFinished(180000));
        const QStringList ea = QString::fromLatin1(a.readAllStandardOutput()).split(u' ');
        const QStringList eb = QString::fromLatin1(b.readAllStandardOutput()).split(u' ');
        EXPECT_EQ(ea.value(1).trimmed(), QStringLiteral("0")) << a.readAllStandardError().toStdString();
        EXPECT_EQ(eb.value(1).trimmed(), QStringLiteral("0")) << b.readAllStandardError().toStdString();
        zcommon::Ini_CacheLeeren();
        return {ea.value(0).toLongLong(), eb.value(0).toLongLong()};
    }
};

} // namespace

TEST_F(ZweiInstanzen, OrteBeiderBleibenUndJedeZaehltIhre)
{
    const int anzahl = 1500;
    const auto [a, b] = zweimal(QStringLiteral("orte"), anzahl);
    EXPECT_EQ(a, anzahl);
    EXPECT_EQ(b, anzahl);
    int modus = 2;
    for (int i = 0; i < anzahl; ++i) {
        const QStringList orte = Katalog_Eintraege(KatalogOrt_Suchen(QString::number(10000 + i), modus));
        ASSERT_EQ(orte.size(), 2) << i;
        EXPECT_TRUE(orte.contains(QStringLiteral("aort%1").arg(i))) << orte.join(u',').toStdString();
        EXPECT_TRUE(orte.contains(QStringLiteral("bort%1").arg(i))) << orte.join(u',').toStdString();
    }
    EXPECT_FALSE(gibt(QStringLiteral("D-PLZ_Ort_1.txt.lck")));

    // The same run again learns nothing: both entries are there.
    const auto [a2, b2] = zweimal(QStringLiteral("orte"), anzahl);
    EXPECT_EQ(a2 + b2, 0);
}

TEST_F(ZweiInstanzen, VornamenBeiderBleibenUndGemeinsameEinmal)
{
    const int anzahl = 800;
    const auto [a, b] = zweimal(QStringLiteral("vornamen"), anzahl);
    const int gemeinsam = anzahl / 4;
    // Each wrote its own names; the names both know were written by one of them.
    EXPECT_EQ(a + b, 2 * anzahl + gemeinsam);
    EXPECT_GE(a, anzahl);
    EXPECT_GE(b, anzahl);
    const QStringList zeilen = zplatform::zeilenLesen(Vornamen_Datei());
    EXPECT_EQ(zeilen.size(), 1 + 2 * anzahl + gemeinsam);
    EXPECT_EQ(zeilen.first(), QStringLiteral("1 Peter"));
    for (int i = 0; i < anzahl; ++i) {
        EXPECT_EQ(zeilen.count(QStringLiteral("1 Aname%1").arg(i)), 1) << i;
        EXPECT_EQ(zeilen.count(QStringLiteral("1 Bname%1").arg(i)), 1) << i;
        if (i % 4 == 0) {
            EXPECT_EQ(zeilen.count(QStringLiteral("2 Gemeinsam%1").arg(i)), 1) << i;
        }
    }
}

// The other instance comes to the same first name while this one holds the
// catalogue and writes it: it decides only once it has the file, finds the
// name there and writes it not again.
TEST_F(ZweiInstanzen, VornameDerWaehrendDesWartensKommtWirdNichtZweimalGeschrieben)
{
    katalog(QStringLiteral("Vornamen.txt"), {QStringLiteral("1 Peter")});
    const QString datei = zplatform::pfadAufloesen(Vornamen_Datei());
    QProcess andere;
    {
        const zplatform::Anhangsperre sperre(datei);
        ASSERT_TRUE(sperre.gehalten());
        andere.start(QStringLiteral(ZETTLORA_PROZESSHELFER),
                     {QStringLiteral("vorname"), QStringLiteral("greta"), QStringLiteral("Frau")});
        ASSERT_TRUE(andere.waitForStarted());
        ASSERT_TRUE(QTest::qWaitFor([&] { return haeltZumAnhaengen(andere.processId(), datei); }, 30000))
            << "the other instance never came to the catalogue";
        EXPECT_EQ(Vorname_Anrede(QStringLiteral("Greta"), 2), 2);
    }
    ASSERT_TRUE(andere.waitForFinished(60000));
    EXPECT_EQ(andere.readAllStandardOutput().trimmed().toStdString(), "0 0")
        << andere.readAllStandardError().toStdString();
    EXPECT_EQ(zplatform::zeilenLesen(datei), (QStringList{QStringLiteral("1 Peter"), QStringLiteral("2 Greta")}));
}

TEST_F(KatalogTest, UnschreibbareKatalogeWerdenGemeldetUndNichtGezaehlt)
{
    // A folder in place of one catalogue file: the other file is written and
    // counted, this one is reported with its reason and not counted.
    QDir(wurzel.programm()).mkpath(QStringLiteral("Kataloge/D-PLZ_Ort_2.txt"));
    adressen({satzMit({{Plz, QStringLiteral("10115")}, {Ort, QStringLiteral("Berlin")}}),
              satzMit({{Plz, QStringLiteral("20095")}, {Ort, QStringLiteral("Hamburg")}}),
              satzMit({{Plz, QStringLiteral("20097")}, {Ort, QStringLiteral("Hamburg")}})});
    plattform.antworten.enqueue(zplatform::vbOK);
    Katalog_Uebernehmen(Katalogart::Ort, fenster, adressliste());
    ASSERT_EQ(plattform.meldungen.size(), 3u);
    EXPECT_EQ(plattform.meldungen[1].text, QStringLiteral("1 PLZ-Ortsnamen wurde übernommen."));
    EXPECT_TRUE(plattform.meldungen[2].text.contains(QStringLiteral("D-PLZ_Ort_2.txt")));
    EXPECT_TRUE(plattform.meldungen[2].text.contains(QStringLiteral("Ordner"))) << plattform.meldungen[2].text.toStdString();
    EXPECT_EQ(katalogText(QStringLiteral("D-PLZ_Ort_1.txt")), QStringLiteral("[PLZ]\r\n10115=Berlin\r\n"));

    // The first-name catalogue made read-only (for root too): the reason is
    // said, nothing is counted, the run ends at the first failed line.
    wurzel.schreiben(QStringLiteral("programm/Kataloge/Vornamen.txt"), crlf({QStringLiteral("1 Peter")}));
    QFile::setPermissions(Vornamen_Datei(), QFile::ReadOwner | QFile::ReadGroup);
    adressen({satzMit({{Vorname, QStringLiteral("Anna")}, {Anrede, QStringLiteral("Frau")}}),
              satzMit({{Vorname, QStringLiteral("Karl")}, {Anrede, QStringLiteral("Herr")}})});
    plattform.meldungen.clear();
    Vornamen_Uebernehmen(fenster, adressliste());
    ASSERT_EQ(plattform.meldungen.size(), 2u);
    EXPECT_EQ(plattform.meldungen[0].text, QStringLiteral("Keine Vornamen wurden übernommen."));
    EXPECT_TRUE(plattform.meldungen[1].text.contains(QStringLiteral("schreibgeschützt")))
        << plattform.meldungen[1].text.toStdString();
    EXPECT_TRUE(plattform.meldungen[1].text.contains(QStringLiteral("Vornamen.txt")));
    EXPECT_EQ(fenster.statusTexte.last(), QStringLiteral("Bereit"));
    QFile::setPermissions(Vornamen_Datei(), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(wurzel.lesen(QStringLiteral("programm/Kataloge/Vornamen.txt")), crlf({QStringLiteral("1 Peter")}));
}

TEST_F(KatalogTest, LandAusDenEinstellungenBleibtImKatalogordner)
{
    for (const char* land : {"../", "../../x-", "a/b-", "..-", "D-/"}) {
        SCOPED_TRACE(land);
        sitzung().KatalogStdLand = QString::fromUtf8(land);
        EXPECT_EQ(Katalog_Land(sitzung().KatalogStdLand), QStringLiteral("D-"));
        EXPECT_EQ(Katalog_Ziel(Katalogart::Bank, QStringLiteral("12345678"), sitzung().KatalogStdLand).datei,
                  Katalog_Ordner() + QStringLiteral("/D-BLZ_1.Txt"));
        EXPECT_TRUE(KatalogBlz_Schreiben(QStringLiteral("12345678"), QStringLiteral("Xbank")) == QStringLiteral("Xbank"));
        int modus = 1;
        EXPECT_EQ(KatalogBank_Suchen(QStringLiteral("12345678"), modus), QStringLiteral("Xbank"));
    }
    const QStringList draussen = QDir(wurzel.programm()).entryList(QDir::Files) +
                                 QDir(wurzel.wurzel()).entryList(QDir::Files);
    EXPECT_TRUE(draussen.filter(QStringLiteral("BLZ")).isEmpty()) << draussen.join(u' ').toStdString();
    EXPECT_EQ(QDir(Katalog_Ordner()).entryList(QDir::Files), QStringList{QStringLiteral("D-BLZ_1.Txt")});

    // Letters and digits before one hyphen are a country prefix; so is none.
    for (const char* land : {"CH-", "a-", "D1-", ""})
        EXPECT_EQ(Katalog_Land(QString::fromUtf8(land)), QString::fromUtf8(land));
}
