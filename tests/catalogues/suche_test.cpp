// Catalogue search, statistics and e-mail domain proposals.
#include "katalogtest.h"

#include "catalogues/emaildomains.h"
#include "catalogues/katalogsuche.h"
#include "catalogues/statistik.h"
#include "common/ini.h"
#include "platform/textdatei.h"

#include <QFile>

using namespace zkataloge;
using namespace zadressbuch;

namespace {

QStringList banken(int n)
{
    QStringList z{QStringLiteral("[BLZ]")};
    for (int i = 0; i < n; ++i)
        z << QStringLiteral("%1=Testbank %2").arg(10000000 + i).arg(i);
    return z;
}

} // namespace

TEST_F(KatalogTest, SucheListetBisZurGrenze)
{
    katalog(QStringLiteral("D-BLZ_1.Txt"), banken(19));
    SuchErgebnis e = Katalog_Durchsuchen(Katalogart::Bank, QStringLiteral("  TESTBANK "));
    EXPECT_EQ(e.treffer, 19);
    EXPECT_EQ(e.liste.count(QLatin1Char('~')), 19);
    EXPECT_TRUE(e.liste.startsWith(QStringLiteral("D-10000000=Testbank 0~")));
    EXPECT_FALSE(Suche_Meldung(Katalogart::Bank, e, QStringLiteral("testbank")).contains(QStringLiteral("usw.")));

    katalog(QStringLiteral("D-BLZ_1.Txt"), banken(20));
    e = Katalog_Durchsuchen(Katalogart::Bank, QStringLiteral("testbank"));
    EXPECT_EQ(e.treffer, 20);
    EXPECT_EQ(e.liste.count(QLatin1Char('~')), 19);
    const QString m = Suche_Meldung(Katalogart::Bank, e, QStringLiteral("testbank"));
    EXPECT_TRUE(m.startsWith(QStringLiteral("Es wurden 20 BLZ bzw. Banken mit »testbank« gefunden:~~D-10000000=")));
    EXPECT_TRUE(m.endsWith(QStringLiteral("~... usw.~~Möchten Sie weiter suchen?")));

    // Every line counts for "*", section and empty lines too; files of every country.
    katalog(QStringLiteral("A-Blz_2.txt"), {QStringLiteral("[BLZ]"), QString(), QStringLiteral("20000=Wiener Bank")});
    katalog(QStringLiteral("D-PLZ_Ort_1.txt"), {QStringLiteral("[PLZ]"), QStringLiteral("10115=Testbank-Ort")});
    EXPECT_EQ(Katalog_Durchsuchen(Katalogart::Bank, QStringLiteral("*")).treffer, 21 + 3);
    e = Katalog_Durchsuchen(Katalogart::Bank, QStringLiteral("wiener"));
    EXPECT_EQ(e.liste, QStringLiteral("A-20000=Wiener Bank~"));
}

TEST_F(KatalogTest, SucheMusterUndFehler)
{
    katalog(QStringLiteral("D-PLZ_Ort_1.txt"), {QStringLiteral("[PLZ]"), QStringLiteral("10115=Berlin"),
                                                QStringLiteral("1234=Kurz"), QStringLiteral("12345=Welle~Tal")});
    EXPECT_EQ(Katalog_Durchsuchen(Katalogart::Ort, QStringLiteral("1####")).treffer, 2);
    EXPECT_EQ(Katalog_Durchsuchen(Katalogart::Ort, QStringLiteral("BERLIN")).treffer, 1);
    EXPECT_EQ(Katalog_Durchsuchen(Katalogart::Ort, QStringLiteral("[b-c]erlin")).treffer, 1);
    EXPECT_EQ(Katalog_Durchsuchen(Katalogart::Ort, QStringLiteral("[berlin")).treffer, 0); // malformed: nothing
    // A file of the mask that cannot be read is skipped.
    QDir(wurzel.programm()).mkpath(QStringLiteral("Kataloge/D-PLZ_Ort_2.txt"));
    EXPECT_EQ(Katalog_Durchsuchen(Katalogart::Ort, QStringLiteral("berlin")).treffer, 1);
    QDir(wurzel.programm() + QStringLiteral("/Kataloge")).removeRecursively();
    EXPECT_EQ(Katalog_Durchsuchen(Katalogart::Ort, QStringLiteral("berlin")).treffer, 0);
}

TEST_F(KatalogTest, SucheLiestStueckweiseWieDerTextleser)
{
    // A catalogue read a block at a time finds the lines the whole text
    // holds: one across the first block's end, a UTF-8 one behind its mark,
    // LF ends, a last line without end (its CR kept), a lone CR inside a line.
    const QString ordner = wurzel.programm() + QStringLiteral("/Kataloge/");
    QByteArray gross = "[PLZ]\r\n";
    for (int i = 0; gross.size() < (1 << 18) - 10; ++i)
        gross += QByteArray::number(10000 + i % 80000) + "=Ort\r\n";
    gross += "19999=Grenzst\xe4" "dtchen\r\n20000=Ende";
    const std::pair<const char*, QByteArray> dateien[] = {
        {"D-PLZ_Ort_1.txt", gross},
        {"D-PLZ_Ort_2.txt", "\xEF\xBB\xBF[PLZ]\r\n20000=M\xC3\xBC" "nchen\r\n"},
        {"D-PLZ_Ort_3.txt", "[PLZ]\n30000=Allein\rCR\n30001=Letzte\r"},
    };
    qsizetype zeilen = 0;
    for (const auto& [name, bytes] : dateien) {
        QFile f(ordner + QString::fromLatin1(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        zeilen += zplatform::zeilenLesen(f.fileName()).size();
    }
    EXPECT_EQ(Katalog_Durchsuchen(Katalogart::Ort, QStringLiteral("*")).treffer, zeilen);
    EXPECT_EQ(Katalog_Durchsuchen(Katalogart::Ort, QStringLiteral("grenzstädtchen")).liste,
              QStringLiteral("D-19999=Grenzstädtchen~"));
    EXPECT_EQ(Katalog_Durchsuchen(Katalogart::Ort, QStringLiteral("münchen")).liste, QStringLiteral("D-20000=München~"));
    EXPECT_EQ(Katalog_Durchsuchen(Katalogart::Ort, QStringLiteral("allein?cr")).treffer, 1);
    EXPECT_EQ(Katalog_Durchsuchen(Katalogart::Ort, QStringLiteral("letzte")).liste, QStringLiteral("D-30001=Letzte\r~"));
}

TEST_F(KatalogTest, SucheBefehlMerktTextUndSuchtWeiter)
{
    katalog(QStringLiteral("D-PLZ_Ort_1.txt"), {QStringLiteral("[PLZ]"), QStringLiteral("12345=Welle~Tal")});
    plattform.eingaben << QStringLiteral("  welle ") << QStringLiteral("nirgends") << QStringLiteral("<abbruch>");
    plattform.antworten << zplatform::vbYes << zplatform::vbYes;
    Katalog_Suchen(Katalogart::Ort, fenster);
    ASSERT_EQ(plattform.meldungen.size(), 2u);
    EXPECT_EQ(plattform.meldungen[0].titel, QStringLiteral("Suche PLZ oder Ort"));
    EXPECT_EQ(
        plattform.meldungen[0].text,
        QStringLiteral("Es wurden 1 PLZ bzw. Orte mit »welle« gefunden:\r\n\r\nD-12345=Welle\r\nTal\r\n\r\nMöchten "
                       "Sie weiter suchen?"));
    EXPECT_EQ(plattform.meldungen[0].stil, zplatform::vbYesNo | zplatform::vbQuestion | zplatform::vbDefaultButton2);
    EXPECT_TRUE(plattform.meldungen[1].text.startsWith(
        QStringLiteral("Es wurden leider keine PLZ bzw. Orte mit »nirgends« gefunden.\r\n")));
    EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("SuchePlzOrtZuletzt")),
              QStringLiteral("nirgends"));
    EXPECT_EQ(fenster.statusTexte.last(), QStringLiteral("Bereit"));
    // Cancel at once: no status text.
    fenster.statusTexte.clear();
    plattform.eingaben << QStringLiteral("<abbruch>");
    Katalog_Suchen(Katalogart::Bank, fenster);
    EXPECT_TRUE(fenster.statusTexte.isEmpty());
}

TEST(StatistikMuster, WoerterUndFeldgrenzen)
{
    const QString satz = satzMit({{Nachname, QStringLiteral("Müller")},
                                  {Vorname, QStringLiteral("Hans-Peter")},
                                  {Ort, QStringLiteral("Köln")},
                                  {Telefon, QStringLiteral("0221 / 12-34")}});
    struct Fall
    {
        const char* text;
        bool kompakt;
        bool passt;
    } faelle[] = {
        {"müller köln", false, true},     {"KÖLN müller", false, true}, {"müller bonn", false, false},
        {"köln köln", false, true},       {"\"köln\"", false, true},    {"\"köl\"", false, false},
        {"\"müll", false, true},          {"ller\"", false, true},      {"\"ller", false, false},
        {"022112", false, false},         {"02211234", true, true},     {"", false, true},
        {"[unvollständig", false, false}, {"h?ns-p*", false, true},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(Statistik_Passt(satz, Statistik_Muster(QString::fromUtf8(f.text)), f.kompakt), f.passt) << f.text;
}

TEST_F(KatalogTest, StatistikAnteilMeldungUndLeereListe)
{
    adressen({satzMit({{Ort, QStringLiteral("Köln")}}), satzMit({{Ort, QStringLiteral("Bonn")}}),
              satzMit({{Ort, QStringLiteral("Köln-Deutz")}})});
    plattform.eingaben << QStringLiteral(" köln ");
    plattform.antworten << zplatform::vbCancel;
    Statistik_Adressen(fenster, adressliste());
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_EQ(plattform.meldungen[0].text,
              QStringLiteral("Gesucht wurden Adressen mit folgendem Inhalt:\r\n\r\n»köln«\r\n\r\n2 / 3 Adressen "
                             "enthalten den Suchtext.\r\n\r\nDas entspricht 66,7%.\r\n"));
    EXPECT_EQ(plattform.meldungen[0].titel, QStringLiteral("Statistik, Adressen mit..."));
    EXPECT_EQ(plattform.toene.last(), QStringLiteral("#SystemExclamation"));
    EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("StatAMLast")), QStringLiteral("köln"));
    EXPECT_EQ(fenster.statusTexte.last(), QStringLiteral("Bereit"));

    AnteilErgebnis leer;
    EXPECT_FALSE(Anteil_Meldung(QStringLiteral("x"), leer).contains(QStringLiteral("Das entspricht")));
}

TEST(PlzKlasse, Tabelle)
{
    const std::pair<const char*, int> faelle[] = {
        {"12345", 1},  {"d-12345", 1}, {"D-01067", 0}, {"A-1010", 10}, {"123", 10},  {"", 10},
        {"00000", -1}, {"99999", -1},  {"1010", 1},    {"12a45", 10},  {" 5432", 5}, {"-12345", -1},
    };
    for (const auto& [plz, klasse] : faelle)
        EXPECT_EQ(Plz_Klasse(QString::fromUtf8(plz), QStringLiteral("D-")), klasse) << plz;
    EXPECT_EQ(Plz_Klasse(QStringLiteral("D-12345"), QString()), 10);
}

TEST_F(KatalogTest, PlzVerteilungMeldung)
{
    QStringList saetze;
    for (int i = 0; i < 1500; ++i)
        saetze << satzMit({{Plz, QStringLiteral("5%1").arg(1000 + i % 1000)}});
    saetze << satzMit({{Plz, QStringLiteral("01067")}}) << satzMit({{Plz, QString()}})
           << satzMit({{Plz, QStringLiteral("CH-8000")}}) << satzMit({{Plz, QStringLiteral("00000")}});
    adressen(saetze);
    sitzung().Beschreibung = QStringLiteral("Kunden");
    Statistik_Plz(fenster, adressliste());
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    const QString m = plattform.meldungen[0].text;
    EXPECT_TRUE(m.startsWith(QStringLiteral("Verteilung der Postleitzahlen innerhalb der Adressdatei »Kunden«.\r\n\r\n"
                                            "0....   00,1 %   1 x\r\n1....   00,0 %   0 x\r\n")))
        << m.toStdString();
    EXPECT_TRUE(m.contains(QStringLiteral("5....   99,9 %   1.500 x\r\n"))) << m.toStdString();
    EXPECT_TRUE(m.endsWith(QStringLiteral("\r\nErfasst sind 1.501 Adressen mit Postleitzahl.\r\n2 entsprechen nicht "
                                          "dem D-Schema.")))
        << m.toStdString();
    EXPECT_EQ(plattform.meldungen[0].titel, QStringLiteral("Statistik, Verteilung der Postleitzahlen"));

    PlzVerteilung keine;
    keine.zaehler[10] = 3;
    EXPECT_EQ(Plz_Meldung(keine, QStringLiteral("X"), QString()),
              QStringLiteral("Verteilung der Postleitzahlen innerhalb der Adressdatei »X«.~~~Erfasst sind 0 Adressen "
                             "mit Postleitzahl.~3 entsprechen nicht dem Schema."));
}

TEST_F(KatalogTest, DomainsNeunHaeufigsteAbZweimal)
{
    QStringList saetze;
    const auto mail = [&](const QString& a) { saetze << satzMit({{EMail, a}}); };
    // eleven domains twice, in this order; the cut keeps those met first
    for (int d = 0; d < 11; ++d)
        for (int k = 0; k < 2; ++k)
            mail(QStringLiteral("a%1@d%2.de").arg(k).arg(d));
    mail(QStringLiteral("x@HAUFIG.de"));
    mail(QStringLiteral(" y@haufig.DE "));
    mail(QStringLiteral("z@haufig.de"));
    mail(QStringLiteral("einmal@selten.de"));
    mail(QStringLiteral("zwei@a.de, drei@b.de"));
    mail(QStringLiteral("http://www.x.de"));
    mail(QStringLiteral("ümlaut@x.de"));
    adressen(saetze);
    wurzel.schreiben(QStringLiteral("programm/Liste14.txt"), crlf({QStringLiteral(" @handeingetragen.de")}));
    Domains_Uebernehmen(fenster, adressliste());
    QStringList erwartet{QStringLiteral(" @haufig.de")};
    for (int d = 0; d < 8; ++d)
        erwartet << QStringLiteral(" @d%1.de").arg(d);
    EXPECT_EQ(wurzel.lesen(QStringLiteral("programm/Liste14.txt")), crlf(erwartet));
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_TRUE(plattform.meldungen[0].text.startsWith(
        QStringLiteral("Es wurden 13 eMail-Domains gefunden.\r\n\r\nDie 9 häufigsten wurden als Vorschläge "
                       "übernommen.\r\n\r\nDas sind:\r\n\r\nHaufig.de (3x)\r\nD0.de (2x)")))
        << plattform.meldungen[0].text.toStdString();
    EXPECT_EQ(plattform.meldungen[0].titel, QStringLiteral("eMail-Domain Übernahme"));

    adressen({satzMit({{EMail, QStringLiteral("einmal@selten.de")}})});
    Domains_Uebernehmen(fenster, adressliste());
    EXPECT_EQ(wurzel.lesen(QStringLiteral("programm/Liste14.txt")), QString());
    EXPECT_TRUE(plattform.letzteMeldung().endsWith(QStringLiteral("Das sind:\r\n")));
    EXPECT_TRUE(
        plattform.letzteMeldung().startsWith(QStringLiteral("Es wurden 1 eMail-Domains gefunden.\r\n\r\nDie 0 ")));
}

TEST_F(KatalogTest, DomainsOhneTabellengrenze)
{
    QStringList saetze;
    for (int i = 0; i < 1200; ++i)
        saetze << satzMit({{EMail, QStringLiteral("a@firma%1.de").arg(i)}})
               << satzMit({{EMail, QStringLiteral("b@firma%1.de").arg(i)}});
    adressen(saetze);
    const DomainErgebnis e = Domains_Zaehlen(fenster, adressliste());
    EXPECT_EQ(e.domains.size(), 1200u);
    EXPECT_EQ(Domains_Vorschlaege(e).size(), 9u);
}

namespace {

// Presses Esc at the walk's first progress report.
class EscFenster : public FensterAttrappe
{
public:
    void Fortschritt(int wert) override
    {
        FensterAttrappe::Fortschritt(wert);
        if (wert >= 0)
            sitzung().LetzteTaste = 27;
    }
};

} // namespace

TEST_F(KatalogTest, EscBeendetDieLaeufeOhneMeldung)
{
    EscFenster esc;
    adressen({satzMit({{Plz, QStringLiteral("10115")}, {EMail, QStringLiteral("a@x.de")}}),
              satzMit({{Plz, QStringLiteral("10117")}, {EMail, QStringLiteral("b@x.de")}})});
    wurzel.schreiben(QStringLiteral("programm/Liste14.txt"), crlf({QStringLiteral(" @alt.de")}));

    Domains_Uebernehmen(esc, adressliste());
    EXPECT_EQ(wurzel.lesen(QStringLiteral("programm/Liste14.txt")), crlf({QStringLiteral(" @alt.de")}));
    EXPECT_EQ(esc.statusTexte.last(), QStringLiteral("Bereit"));

    Statistik_Plz(esc, adressliste());
    EXPECT_EQ(esc.statusTexte.last(), QStringLiteral("Bereit"));

    plattform.eingaben << QStringLiteral("x");
    Statistik_Adressen(esc, adressliste());
    EXPECT_EQ(esc.statusTexte.last(), QStringLiteral("Statistik, Adressen mit ... x")); // keeps its last text
    EXPECT_TRUE(plattform.meldungen.empty());
    EXPECT_EQ(esc.fortschritte.last(), -1);
}
