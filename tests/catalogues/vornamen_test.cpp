// First-name catalogue, salutation learning, vehicle country code, call-by-call.
#include "katalogtest.h"

#include "catalogues/land.h"
#include "catalogues/vornamen.h"
#include "common/ini.h"

using namespace zkataloge;
using namespace zadressbuch;

namespace {

QString vornamenText(const TempWurzel& w)
{
    return w.lesen(QStringLiteral("programm/Kataloge/Vornamen.txt"));
}

} // namespace

TEST_F(KatalogTest, VornameFehlendeDateiWirdMitBeispielAngelegt)
{
    QDir(wurzel.programm() + QStringLiteral("/Kataloge")).removeRecursively();
    EXPECT_EQ(Vorname_Anrede(QStringLiteral("Al"), 0), -1); // two letters: not looked up
    EXPECT_EQ(vornamenText(wurzel), QStringLiteral("1 Peter\r\n"));
    EXPECT_EQ(Vorname_Anrede(QStringLiteral("A. Karl"), 1), -1);
    EXPECT_EQ(Vorname_Anrede(QStringLiteral("Anna\r\nMaria"), 2), -1); // would break the file into two lines
    EXPECT_EQ(Vorname_Anrede(QStringLiteral("PETER"), 0), 1); // case ignored
    EXPECT_EQ(Vorname_Anrede(QStringLiteral("Unbekannt"), 0), 0);
    EXPECT_EQ(vornamenText(wurzel), QStringLiteral("1 Peter\r\n"));
}

TEST_F(KatalogTest, VornameLernenHaengtAnUndLetzteZeileGilt)
{
    wurzel.schreiben(QStringLiteral("programm/Kataloge/Vornamen.txt"),
                     crlf({QStringLiteral("1 Kim"), QStringLiteral("2 Eva")}));
    EXPECT_EQ(Vorname_Anrede(QStringLiteral("kim"), 2), 2);
    EXPECT_EQ(Vorname_Anrede(QStringLiteral("KIM"), 0), 2);
    EXPECT_EQ(Vorname_Anrede(QStringLiteral("Eva"), 2), 2); // known already: nothing appended
    EXPECT_EQ(Vorname_Anrede(QStringLiteral("hans-peter"), 1), 1);
    EXPECT_EQ(vornamenText(wurzel), crlf({QStringLiteral("1 Kim"), QStringLiteral("2 Eva"), QStringLiteral("2 Kim"),
                                          QStringLiteral("1 Hans-Peter")}));
    // a change behind the program's back is seen
    wurzel.schreiben(QStringLiteral("programm/Kataloge/Vornamen.txt"), crlf({QStringLiteral("7 Kim")}));
    EXPECT_EQ(Vorname_Anrede(QStringLiteral("Kim"), 0), 7);
    EXPECT_EQ(Anrede_Vorschlag(QStringLiteral("Kim")), QString());
    EXPECT_EQ(Anrede_Vorschlag(QStringLiteral("Peter")), QString());
}

TEST(AnredeGeschlecht, Tabelle)
{
    const std::pair<const char*, int> faelle[] = {
        {"Herr", 1},
        {"Sehr geehrter HERR", 1},
        {"Herrn Dr.", 1},
        {"Frau", 2},
        {"Herr und Frau", 2},
        {"FRÄULEIN", 2},
        {"Familie", 0},
        {"Firma", 0},
        {"", 0},
    };
    for (const auto& [anrede, g] : faelle)
        EXPECT_EQ(Anrede_Geschlecht(QString::fromUtf8(anrede)), g) << anrede;
}

TEST_F(KatalogTest, VornamenUebernahmeZaehltGeschriebene)
{
    adressen({satzMit({{Vorname, QStringLiteral("Anna")}, {Anrede, QStringLiteral("Frau")}}),
              satzMit({{Vorname, QStringLiteral(" Anna ")}, {Anrede, QStringLiteral("frau")}}), // known now
              satzMit({{Vorname, QStringLiteral("Kim")}, {Anrede, QStringLiteral("Herr")}}),
              satzMit({{Vorname, QStringLiteral("Kim")}, {Anrede, QStringLiteral("Frau")}}), // change of mind
              satzMit({{Vorname, QStringLiteral("Jo")}, {Anrede, QStringLiteral("Herr")}}),  // too short
              satzMit({{Vorname, QStringLiteral("Max")}, {Anrede, QStringLiteral("Familie")}}),
              satzMit({{Vorname, QString()}, {Anrede, QStringLiteral("Herr")}})});
    Vornamen_Uebernehmen(fenster, adressliste());
    EXPECT_EQ(plattform.letzteMeldung(), QStringLiteral("3 Vornamen wurden übernommen."));
    EXPECT_EQ(plattform.meldungen.back().titel, QStringLiteral("Vornamen-Übernahme"));
    EXPECT_EQ(vornamenText(wurzel), crlf({QStringLiteral("1 Peter"), QStringLiteral("2 Anna"), QStringLiteral("1 Kim"),
                                          QStringLiteral("2 Kim")}));
    EXPECT_EQ(fenster.statusTexte.last(), QStringLiteral("Bereit"));
    Vornamen_Uebernehmen(fenster, adressliste());
    EXPECT_EQ(plattform.letzteMeldung(), QStringLiteral("2 Vornamen wurden übernommen.")); // Kim changes twice again
    adressen({});
    Vornamen_Uebernehmen(fenster, adressliste());
    EXPECT_EQ(plattform.letzteMeldung(), QStringLiteral("Keine Vornamen wurden übernommen."));
}

TEST(LandErmitteln, Tabelle)
{
    struct Fall
    {
        const char* plz;
        const char* land;
        const char* std;
        const char* code;
    } faelle[] = {
        {"12345", "", "D-", "D"},
        {"A-1010", "", "D-", "A"},
        {"DK3000", "", "D-", "DK"},
        {"DK-3000", "", "D-", "DK"},
        {"d-12345", "", "D-", "D"},
        {"", "", "D-", "?"},
        {"12345", "Frankreich", "D-", "?"},
        {"A-1010", "Deutschland", "D-", "D"},
        {"8000", "Schweiz", "D-", "CH"},
        {"12345", " ÖSTERREICH ", "D-", "A"},
        {"12345", "", "", "?"},
        {"CH-8000", "", "A-", "CH"},
        {"12345", "", "a-", "A"},
        {"1", "Dänemark und Germany", "D-", "DK"},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(Land_Ermitteln(QString::fromUtf8(f.plz), QString::fromUtf8(f.land), QString::fromUtf8(f.std)),
                  QString::fromUtf8(f.code))
            << f.plz << " / " << f.land;
}

TEST_F(KatalogTest, CallByCallLaengsterPraefix)
{
    wurzel.schreiben(
        QStringLiteral("programm/CallByCall.ini"),
        crlf({QStringLiteral("[TeleNr]"), QStringLiteral("0=Inland"), QStringLiteral("0049=Ausland"),
              QStringLiteral("[CallByCall]"), QStringLiteral("Inland=01013"), QStringLiteral("Ausland=01070")}));
    struct Fall
    {
        const char* nummer;
        int modus;
        const char* ergebnis;
    } faelle[] = {
        {"+49 221 123", 0, ""},         {"0049 221 123", 0, "01070"}, {"0221 / 123", 0, "01013"},
        {"0221 / 123", 2, " [Inland]"}, {"0221 / 123", 1, "Inland"},  {"keine Ziffern", 0, ""},
        {"(0049) 30-1", 1, "Ausland"},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(CallByCall_Ermitteln(QString::fromUtf8(f.nummer), f.modus), QString::fromUtf8(f.ergebnis))
            << f.nummer << " " << f.modus;
    zcommon::Ini_Schreiben(CallByCall_Datei(), QStringLiteral("Allgemein"), QStringLiteral("aktiviert"),
                           QStringLiteral("0"));
    for (int modus : {0, 1, 2})
        EXPECT_EQ(CallByCall_Ermitteln(QStringLiteral("0221 / 123"), modus), QString());
    QFile::remove(CallByCall_Datei());
    EXPECT_EQ(CallByCall_Ermitteln(QStringLiteral("0221 / 123"), 0), QString());
}
