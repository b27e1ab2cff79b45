// Several keys written at once leave exactly the bytes of the single writes.
#include "katalogtest.h"

#include "common/ini.h"

#include <QFile>
#include <random>

namespace {

QByteArray bytes(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<fehlt>");
}

} // namespace

TEST_F(KatalogTest, AlleAufEinmalWieEinzeln)
{
    const QString a = wurzel.temp() + QStringLiteral("/a.ini");
    const QString b = wurzel.temp() + QStringLiteral("/b.ini");
    const char* anfaenge[] = {
        "",
        "[PLZ]\r\n10115=Berlin\r\n",
        "; Kopf\r\n[Andere]\r\nx=1\r\n\r\n[plz]\r\n  10115 = Berlin  \r\n;Notiz\r\n\r\n\r\n[Dritte]\r\ny=2",
        "[PLZ]\n10115=Berlin\n[PLZ]\n20000=Zweite",
        "[PLZ]\r\n10115=Berlin",
    };
    std::mt19937 zufall(7);
    const QStringList schluessel = {QStringLiteral("10115"), QStringLiteral("20000"), QStringLiteral(" 30000 "),
                                    QStringLiteral("Ä1"),    QStringLiteral("ä1"),    QStringLiteral("40000"),
                                    QStringLiteral("[X] y"), QStringLiteral("a=b"),   QStringLiteral(";c")};
    const QStringList werte = {QStringLiteral("Berlin"),         QStringLiteral(" Köln "),
                               QStringLiteral("A, B"),           QString(),
                               QStringLiteral("zwei\r\nZeilen"), QStringLiteral("Berlin-Mitte")};
    for (const char* anfang : anfaenge) {
        for (int runde = 0; runde < 8; ++runde) {
            std::vector<std::pair<QString, QString>> liste;
            const int n = 1 + int(zufall() % 8);
            for (int i = 0; i < n; ++i)
                liste.emplace_back(schluessel[int(zufall() % schluessel.size())], werte[int(zufall() % werte.size())]);
            for (const QString& p : {a, b}) {
                QFile::remove(p);
                if (*anfang) {
                    QFile f(p);
                    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
                    f.write(anfang);
                }
            }
            zcommon::Ini_CacheLeeren();
            for (const auto& [k, w] : liste)
                zcommon::Ini_Schreiben(a, QStringLiteral("PLZ"), k, w);
            EXPECT_TRUE(zcommon::Ini_SchreibenAlle(b, QStringLiteral("PLZ"), liste));
            ASSERT_EQ(bytes(a), bytes(b)) << anfang << " round " << runde;
        }
    }
}

TEST_F(KatalogTest, AlleAufEinmalWieEinzelnBeiTabulatorenUmDenWert)
{
    // A value with surrounding tabs reads without them: the next write of the
    // value without them changes nothing, in the file and in the batch.
    const QString a = wurzel.temp() + QStringLiteral("/a.ini");
    const QString b = wurzel.temp() + QStringLiteral("/b.ini");
    const std::vector<std::pair<QString, QString>> liste = {{QStringLiteral("10115"), QStringLiteral("\tBerlin\t")},
                                                            {QStringLiteral("10115"), QStringLiteral("Berlin")},
                                                            {QStringLiteral("20000"), QStringLiteral("\t")},
                                                            {QStringLiteral("20000"), QString()}};
    for (const QByteArray& anfang : {QByteArray(), QByteArray("[PLZ]\r\n10115=Alt\r\n20000=x\r\n")}) {
        for (const QString& p : {a, b}) {
            QFile::remove(p);
            QFile f(p);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(anfang);
        }
        zcommon::Ini_CacheLeeren();
        for (const auto& [k, w] : liste)
            zcommon::Ini_Schreiben(a, QStringLiteral("PLZ"), k, w);
        EXPECT_TRUE(zcommon::Ini_SchreibenAlle(b, QStringLiteral("PLZ"), liste));
        EXPECT_EQ(bytes(a), bytes(b)) << anfang.constData();
        EXPECT_EQ(zcommon::Ini_Lesen(b, QStringLiteral("PLZ"), QStringLiteral("10115")), QStringLiteral("Berlin"));
    }
}

TEST_F(KatalogTest, AlleAufEinmalMeldetFehlschlag)
{
    const QString p = wurzel.temp() + QStringLiteral("/fehlt/x.ini");
    EXPECT_FALSE(zcommon::Ini_SchreibenAlle(p, QStringLiteral("PLZ"), {{QStringLiteral("1"), QStringLiteral("a")}}));
    EXPECT_TRUE(zcommon::Ini_SchreibenAlle(p, QStringLiteral("PLZ"), {}));
    EXPECT_FALSE(QFileInfo::exists(p));
}
