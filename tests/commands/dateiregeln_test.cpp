// The file chooser's rename and delete rules without the form.
#include "addressbook/sitzung.h"
#include "commands/dateiregeln.h"
#include "support/testplattform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace zbefehle;
using namespace Qt::StringLiterals;

namespace {

class Dateiregeln : public ::testing::Test
{
protected:
    TempWurzel w;
    QString ordner;
    void SetUp() override
    {
        zadressbuch::sitzungZuruecksetzen();
        ordner = w.wurzel() + u"/daten/"_s;
        QDir().mkpath(ordner);
        for (const QString& n : {u"kunden.dat"_s, u"Alt.dat"_s, u"zettlora.dat"_s})
            anlegen(n, n.toUtf8());
        zadressbuch::sitzung().AdressDateiName = ordner + u"zettlora.dat"_s;
    }
    void TearDown() override { zadressbuch::sitzungZuruecksetzen(); }
    void anlegen(const QString& name, const QByteArray& inhalt)
    {
        QFile f(ordner + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(inhalt);
    }
};

} // namespace

TEST_F(Dateiregeln, NeuerNameWirdGeprueft)
{
    using P = Umbenennung::Pruefung;
    const struct
    {
        QString eingabe;
        P pruefung;
        QString neu;
        bool vorhanden;
    } faelle[] = {
        {u"Lieferanten"_s, P::Ok, u"Lieferanten.dat"_s, false},
        {u"Lieferanten.txt"_s, P::Ok, u"Lieferanten.dat"_s, false}, // the extension stays
        {u"alt"_s, P::Ok, u"alt.dat"_s, true},                      // another case of an existing file
        {u"KUNDEN"_s, P::KeinNeuerName, u"KUNDEN.dat"_s, false},
        {u".dat"_s, P::KeinNeuerName, u".dat"_s, false},
        {u"a b"_s, P::UngueltigesZeichen, QString(), false},
        {u"a,b"_s, P::UngueltigesZeichen, QString(), false},
        {u"a/b"_s, P::UngueltigesZeichen, QString(), false},
        {u"a\tb"_s, P::UngueltigesZeichen, QString(), false},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.eingabe.toStdString());
        const Umbenennung u = Umbenennung_Planen(ordner, ordner + u"kunden.dat"_s, u"dat"_s, f.eingabe);
        EXPECT_EQ(u.pruefung, f.pruefung);
        if (f.pruefung == P::UngueltigesZeichen)
            continue;
        EXPECT_EQ(u.neu, ordner + f.neu);
        EXPECT_EQ(u.zielVorhanden, f.vorhanden);
    }
}

TEST_F(Dateiregeln, UmbenennenErsetztUndNimmtDieGewuenschteSchreibweise)
{
    const Umbenennung u = Umbenennung_Planen(ordner, ordner + u"kunden.dat"_s, u"dat"_s, u"alt"_s);
    EXPECT_EQ(u.ziel, ordner + u"Alt.dat"_s);
    const Dateiaktion a = Umbenennen_Ausfuehren(ordner + u"kunden.dat"_s, u);
    ASSERT_TRUE(a.ok);
    EXPECT_EQ(a.neuerName, u"alt.dat"_s);
    EXPECT_FALSE(QFileInfo::exists(ordner + u"kunden.dat"_s));
    EXPECT_FALSE(QFileInfo::exists(ordner + u"Alt.dat"_s));
    QFile f(ordner + u"alt.dat"_s);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("kunden.dat"));

    // A vanished file is reported, in German.
    const Dateiaktion weg = Umbenennen_Ausfuehren(ordner + u"fehlt.dat"_s, u);
    EXPECT_FALSE(weg.ok);
    EXPECT_FALSE(weg.grund.isEmpty());
}

TEST_F(Dateiregeln, OffeneAdressdateiUndLoeschen)
{
    EXPECT_TRUE(IstOffeneAdressdatei(ordner + u"ZETTLORA.DAT"_s));
    EXPECT_TRUE(IstOffeneAdressdatei(ordner + u"../daten/zettlora.dat"_s));
    EXPECT_FALSE(IstOffeneAdressdatei(ordner + u"kunden.dat"_s));

    EXPECT_TRUE(Datei_Entfernen(ordner + u"kunden.dat"_s).ok);
    EXPECT_FALSE(QFileInfo::exists(ordner + u"kunden.dat"_s));
    EXPECT_FALSE(Datei_Entfernen(ordner + u"kunden.dat"_s).ok);
    // A folder in place of the file is not removed.
    QDir().mkpath(ordner + u"ordner.dat"_s);
    EXPECT_FALSE(Datei_Entfernen(ordner + u"ordner.dat"_s).ok);
    EXPECT_TRUE(QFileInfo(ordner + u"ordner.dat"_s).isDir());
}
