// The file menu: merge, create, open, describe, save and the two exits.
#include "befehle_hilfe.h"

#include "addressbook/adressdatei.h"
#include "addressbook/dateiini.h"
#include "commands/dateibefehle.h"
#include "common/ini.h"
#include "platform/ordner.h"

#include <QFile>

using namespace zbefehle;
using zadressbuch::sitzung;

namespace {

const QString Tabs23 = QString(23, QLatin1Char('\t'));

} // namespace

class DateibefehleTest : public BefehleTest
{
protected:
    void SetUp() override
    {
        BefehleTest::SetUp();
        anbindung().Datei_Waehlen = [this](const DateiWahl& w) {
            wahlen.push_back(w);
            return antworten.isEmpty() ? QString() : antworten.takeFirst();
        };
    }

    // Writes an address file into the data folder and loads it.
    void oeffnen(const QString& name, const QString& inhalt)
    {
        schreiben(QStringLiteral("daten/") + name, inhalt);
        sitzung().AdressDateiName = daten(name);
        ASSERT_TRUE(zadressbuch::Daten_Laden(*liste));
        liste->setListIndex(liste->ListCount() > 0 ? 0 : -1);
    }

    std::vector<DateiWahl> wahlen;
    QStringList antworten; // what the chooser returns, in order ("" = cancel)
};

TEST_F(DateibefehleTest, HinzufuegenSemikolonDateiAusDemProgrammordner)
{
    liste->AddItem(satzMit({{1, QStringLiteral("Alt")}}));
    sitzung().Geaendert = 0;
    schreiben(QStringLiteral("programm/Import.Dat"),
              QStringLiteral("Kopf;wird;verworfen\r\nMeier;Hans;Weg 1\r\n\r\n;Wort\r\n;;;\r\n"));
    antworten << wurzel->programm() + QStringLiteral("/Import.Dat");

    const ZusammenfuehrErgebnis e = Datei_Hinzufuegen(*liste);
    ASSERT_EQ(wahlen.size(), 1u);
    EXPECT_TRUE(wahlen[0].laden);
    EXPECT_EQ(wahlen[0].kuerzel, QStringLiteral("Dat"));
    EXPECT_EQ(wahlen[0].ordner, zplatform::programmOrdner());
    EXPECT_EQ(wahlen[0].vorschlag, sitzung().AdressDateiName);

    EXPECT_TRUE(e.gelesen);
    EXPECT_EQ(e.hinzugefuegt, 2);
    ASSERT_EQ(liste->ListCount(), 3);
    EXPECT_EQ(liste->List(1), QStringLiteral("Meier\tHans\tWeg 1"));
    EXPECT_EQ(liste->List(2), QStringLiteral(" \tWort"));
    EXPECT_EQ(liste->ListIndex(), 1); // the first added address is shown
    EXPECT_EQ(sitzung().Geaendert, 1);
}

TEST_F(DateibefehleTest, HinzufuegenEinerAdressdateiVerschiebtKeineFelder)
{
    const QString mitSemikolon = satzMit({{0, QStringLiteral("Firma")},
                                          {1, QStringLiteral("Müller; Söhne")},
                                          {2, QStringLiteral("Eva")},
                                          {11, QStringLiteral("a;b°°c")}});
    schreiben(QStringLiteral("programm/Kunden.Dat"),
              QStringLiteral("..Kundenliste\r\n") + mitSemikolon + QStringLiteral("\r\n") + Tabs23 +
                  QStringLiteral("\r\n") + satzMit({{1, QStringLiteral("Zweiter")}}) + QStringLiteral("\r\n"));
    const ZusammenfuehrErgebnis e = Datei_Zusammenfuehren(*liste, wurzel->programm() + QStringLiteral("/Kunden.Dat"));
    EXPECT_EQ(e.hinzugefuegt, 2); // the line of TABs only is no address
    ASSERT_EQ(liste->ListCount(), 2);
    EXPECT_EQ(liste->List(0), mitSemikolon);
    EXPECT_EQ(zadressbuch::FeldAus(liste->List(0), 2), QStringLiteral("Eva"));
    EXPECT_EQ(liste->ListIndex(), 0);
}

TEST_F(DateibefehleTest, HinzufuegenHaeltDieGrenzeVon32000)
{
    QStringList voll;
    for (int i = 0; i < zadressbuch::MaxAdressen - 1; ++i)
        voll << satzMit({{1, QString::number(i)}});
    liste->setEintraege(voll);
    schreiben(QStringLiteral("programm/drei.dat"), QStringLiteral("Kopf\r\na;1\r\nb;2\r\nc;3\r\n"));
    const ZusammenfuehrErgebnis e = Datei_Zusammenfuehren(*liste, wurzel->programm() + QStringLiteral("/drei.dat"));
    EXPECT_EQ(e.hinzugefuegt, 1);
    EXPECT_TRUE(e.abgeschnitten);
    EXPECT_EQ(liste->ListCount(), zadressbuch::MaxAdressen);
    ASSERT_EQ(plattform->meldungen.size(), 1u);
    EXPECT_EQ(plattform->meldungen[0].titel, QStringLiteral("Zettlora meldet Speicherproblem"));
    EXPECT_TRUE(
        plattform->meldungen[0].text.startsWith(QStringLiteral("Kein Platz mehr in der aktuellen Adressenliste.")));
    EXPECT_TRUE(
        plattform->meldungen[0].text.endsWith(QStringLiteral("Die letzten Adressen sind nicht hinzugefügt worden!")));

    // Exactly one line into one free place: no message.
    liste->setEintraege(voll);
    plattform->meldungen.clear();
    schreiben(QStringLiteral("programm/eins.dat"), QStringLiteral("Kopf\r\na;1\r\n"));
    const ZusammenfuehrErgebnis e2 = Datei_Zusammenfuehren(*liste, wurzel->programm() + QStringLiteral("/eins.dat"));
    EXPECT_EQ(e2.hinzugefuegt, 1);
    EXPECT_FALSE(e2.abgeschnitten);
    EXPECT_TRUE(plattform->meldungen.empty());
}

TEST_F(DateibefehleTest, HinzufuegenEinerFehlendenDateiSetztNurDasFlag)
{
    liste->AddItem(satzMit({{1, QStringLiteral("Alt")}}));
    liste->setListIndex(0);
    sitzung().Geaendert = 0;
    const ZusammenfuehrErgebnis e = Datei_Zusammenfuehren(*liste, wurzel->programm() + QStringLiteral("/fehlt.dat"));
    EXPECT_FALSE(e.gelesen);
    EXPECT_EQ(liste->ListCount(), 1);
    EXPECT_EQ(liste->ListIndex(), 0);
    EXPECT_EQ(sitzung().Geaendert, 1);
}

TEST_F(DateibefehleTest, AnlegenAufDateiOhneLetztenZeilenumbruch)
{
    oeffnen(QStringLiteral("zettlora.dat"),
            QStringLiteral("..Start\r\n") + satzMit({{1, QStringLiteral("Alt")}}) + QStringLiteral("\r\n"));
    const QString alt = sitzung().AdressDateiName;
    ASSERT_TRUE(zadressbuch::Reservierung_Lesen(alt).vorhanden);

    const QString a = satzMit({{0, QStringLiteral(" ")}, {1, QStringLiteral("Kunde")}});
    schreiben(QStringLiteral("daten/kunden.dat"), QStringLiteral("..Kunden\r\n") + a); // no line break at the end
    antworten << daten(QStringLiteral("kunden.dat"));
    ASSERT_TRUE(Datei_Anlegen(*liste));
    ASSERT_EQ(wahlen.size(), 1u);
    EXPECT_FALSE(wahlen[0].laden);
    EXPECT_TRUE(wahlen[0].vorschlag.isEmpty());
    EXPECT_EQ(wahlen[0].ordner, sitzung().DatenOrdner);

    EXPECT_EQ(lesen(QStringLiteral("daten/kunden.dat")),
              QStringLiteral("..Kunden\r\n") + a + QStringLiteral("\r\n") + Tabs23 + QStringLiteral("\r\n"));
    EXPECT_EQ(sitzung().AdressDateiName, daten(QStringLiteral("kunden.dat")));
    ASSERT_EQ(liste->ListCount(), 1);
    EXPECT_EQ(liste->List(0), a);
    EXPECT_EQ(sitzung().Beschreibung, QStringLiteral("Kunden"));
    // The old file's reservation is released as opening another file does.
    EXPECT_FALSE(zadressbuch::Reservierung_Lesen(alt).vorhanden);
}

TEST_F(DateibefehleTest, AnlegenEinerNeuenDateiUndAbbruch)
{
    oeffnen(QStringLiteral("zettlora.dat"), satzMit({{1, QStringLiteral("Alt")}}) + QStringLiteral("\r\n"));
    antworten << QString();
    EXPECT_FALSE(Datei_Anlegen(*liste));
    EXPECT_EQ(sitzung().AdressDateiName, daten(QStringLiteral("zettlora.dat")));
    EXPECT_EQ(liste->ListCount(), 1);

    antworten << daten(QStringLiteral("Neu.Dat"));
    ASSERT_TRUE(Datei_Anlegen(*liste));
    EXPECT_EQ(lesen(QStringLiteral("daten/Neu.Dat")), Tabs23 + QStringLiteral("\r\n"));
    EXPECT_EQ(liste->ListCount(), 0);
    EXPECT_EQ(liste->ListIndex(), -1);
}

TEST_F(DateibefehleTest, OeffnenMitNeinSchreibtDieAlteDateiNicht)
{
    const QString inhalt = satzMit({{1, QStringLiteral("Alt")}}) + QStringLiteral("\r\n");
    oeffnen(QStringLiteral("zettlora.dat"), inhalt);
    schreiben(QStringLiteral("daten/andere.dat"), satzMit({{1, QStringLiteral("Andere")}}) + QStringLiteral("\r\n"));
    liste->setList(0, satzMit({{1, QStringLiteral("Geändert")}}));
    sitzung().Geaendert = 1;

    // No, then cancel in the chooser: the changes stay in the list.
    plattform->antworten << zplatform::vbNo;
    antworten << QString();
    EXPECT_FALSE(Datei_Oeffnen(*liste));
    ASSERT_EQ(plattform->meldungen.size(), 1u);
    EXPECT_EQ(plattform->meldungen[0].text, QStringLiteral("Wollen Sie die Änderungen in »") +
                                                daten(QStringLiteral("zettlora.dat")).toLower() +
                                                QStringLiteral("« speichern?"));
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_EQ(zadressbuch::FeldAus(liste->List(0), 1), QStringLiteral("Geändert"));

    // No, then a file: the old file is not written, the other one is loaded.
    plattform->antworten << zplatform::vbNo;
    antworten << daten(QStringLiteral("andere.dat"));
    ASSERT_TRUE(Datei_Oeffnen(*liste));
    EXPECT_EQ(lesen(QStringLiteral("daten/zettlora.dat")), inhalt);
    EXPECT_EQ(sitzung().AdressDateiName, daten(QStringLiteral("andere.dat")));
    EXPECT_EQ(zadressbuch::FeldAus(liste->List(0), 1), QStringLiteral("Andere"));
    EXPECT_EQ(sitzung().Geaendert, 0);
    EXPECT_EQ(wahlen.back().vorschlag, daten(QStringLiteral("zettlora.dat")));
    EXPECT_EQ(wahlen.back().ordner, sitzung().DatenOrdner);
}

TEST_F(DateibefehleTest, OeffnenNachMisslungenemSpeichernBleibtBeiDerDatei)
{
    oeffnen(QStringLiteral("zettlora.dat"), satzMit({{1, QStringLiteral("Alt")}}) + QStringLiteral("\r\n"));
    // A character Windows-1252 cannot hold makes the save fail.
    liste->setList(0, satzMit({{1, QStringLiteral("Zhōu")}}));
    sitzung().Geaendert = 1;
    plattform->antworten << zplatform::vbYes;
    antworten << daten(QStringLiteral("andere.dat"));
    EXPECT_FALSE(Datei_Oeffnen(*liste));
    EXPECT_TRUE(wahlen.empty());
    EXPECT_EQ(sitzung().AdressDateiName, daten(QStringLiteral("zettlora.dat")));
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_EQ(zadressbuch::FeldAus(liste->List(0), 1), QStringLiteral("Zhōu"));
}

TEST_F(DateibefehleTest, BeschreibenAendertNurMitText)
{
    int titel = 0;
    anbindung().Titel_Setzen = [&] { ++titel; };
    sitzung().Beschreibung = QStringLiteral("Alt");
    sitzung().Geaendert = 0;
    plattform->eingaben << QStringLiteral("<abbruch>");
    EXPECT_FALSE(Datei_Beschreiben());
    EXPECT_EQ(sitzung().Beschreibung, QStringLiteral("Alt"));
    EXPECT_EQ(sitzung().Geaendert, 0);

    plattform->eingaben << QStringLiteral("Kunden 2000");
    EXPECT_TRUE(Datei_Beschreiben());
    EXPECT_EQ(sitzung().Beschreibung, QStringLiteral("Kunden 2000"));
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_EQ(titel, 1);
    EXPECT_EQ(plattform->eingabePrompts.back(), QStringLiteral("Geben Sie bitte eine Beschreibung für »") +
                                                    sitzung().AdressDateiName + QStringLiteral("« ein."));
}

TEST_F(DateibefehleTest, SpeichernUndBeendenSortiertSpeichertUndGibtFrei)
{
    const QString zett = satzMit({{0, QStringLiteral(" ")}, {1, QStringLiteral("Zett")}});
    const QString adam = satzMit({{0, QStringLiteral(" ")}, {1, QStringLiteral("Adam")}});
    oeffnen(QStringLiteral("zettlora.dat"),
            QStringLiteral("..Liste\r\n") + zett + QStringLiteral("\r\n") + adam + QStringLiteral("\r\n"));
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("SortAtClose"), QStringLiteral("1"));
    QStringList schritte;
    anbindung().Einstellungen_Sichern = [&] { schritte << QStringLiteral("Einstellungen"); };
    anbindung().Adresse_Uebergeben = [&] { schritte << QStringLiteral("Uebergabe"); };
    status.clear();

    EXPECT_TRUE(Programm_Beenden(*liste, true));
    EXPECT_EQ(lesen(QStringLiteral("daten/zettlora.dat")),
              QStringLiteral("..Liste\r\n") + adam + QStringLiteral("\r\n") + zett + QStringLiteral("\r\n"));
    EXPECT_EQ(schritte, (QStringList{QStringLiteral("Einstellungen"), QStringLiteral("Uebergabe")}));
    EXPECT_TRUE(status.contains(QStringLiteral("Beende Programm...DataSave")));
    const QStringList ende = status.mid(status.indexOf(QStringLiteral("Beende Programm...DataSave")));
    EXPECT_EQ(ende, (QStringList{
                        QStringLiteral("Beende Programm...DataSave"), QStringLiteral("Beende Programm...IniSave"),
                        QStringLiteral("Beende Programm...ExternSave"), QStringLiteral("Beende Programm...Das wars")}));
    EXPECT_FALSE(zadressbuch::Reservierung_Lesen(daten(QStringLiteral("zettlora.dat"))).vorhanden);
}

TEST_F(DateibefehleTest, SortAtCloseAusserhalbUndNurProgrammweit)
{
    const QString inhalt = satzMit({{1, QStringLiteral("Zett")}}) + QStringLiteral("\r\n") +
                           satzMit({{1, QStringLiteral("Adam")}}) + QStringLiteral("\r\n");
    oeffnen(QStringLiteral("zettlora.dat"), inhalt);
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("SortAtClose"), QStringLiteral("101"));
    EXPECT_EQ(SortAtClose_Lesen(), -1);
    EXPECT_TRUE(Programm_Beenden(*liste, true));
    EXPECT_EQ(lesen(QStringLiteral("daten/zettlora.dat")), inhalt); // unchanged: not sorted, not written

    // Only the program's own section counts, not the file's section.
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("SortAtClose"), QStringLiteral("1"));
    zadressbuch::DateiIni_Schreiben(QStringLiteral("SortAtClose"), QStringLiteral("-1"));
    EXPECT_EQ(SortAtClose_Lesen(), 1);
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("SortAtClose"), QStringLiteral("23"));
    EXPECT_EQ(SortAtClose_Lesen(), 23);
}

TEST_F(DateibefehleTest, BeendenNachMisslungenemSpeichernFragt)
{
    oeffnen(QStringLiteral("zettlora.dat"), satzMit({{1, QStringLiteral("Alt")}}) + QStringLiteral("\r\n"));
    liste->setList(0, satzMit({{1, QStringLiteral("Zhōu")}}));
    sitzung().Geaendert = 1;
    int einstellungen = 0;
    anbindung().Einstellungen_Sichern = [&] { ++einstellungen; };

    // The failure message, then the question; No keeps the program running.
    plattform->antworten << zplatform::vbOK << zplatform::vbNo;
    EXPECT_FALSE(Programm_Beenden(*liste, true));
    ASSERT_EQ(plattform->meldungen.size(), 2u);
    EXPECT_EQ(plattform->meldungen[1].titel, QStringLiteral("Programm beenden"));
    EXPECT_EQ(plattform->meldungen[1].stil & 0xF, int(zplatform::vbYesNo));
    EXPECT_EQ(status.back(), QStringLiteral("Bereit"));
    EXPECT_EQ(einstellungen, 0);
    EXPECT_TRUE(zadressbuch::Reservierung_Lesen(daten(QStringLiteral("zettlora.dat"))).vorhanden);

    // Without anybody to ask (the idle exit) it does not end either.
    plattform->meldungen.clear();
    EXPECT_FALSE(Programm_Beenden(*liste, true, false));
    EXPECT_EQ(plattform->meldungen.size(), 1u); // only the failure message

    // The main window's own question when it is wired; Yes ends.
    anbindung().Beenden_Trotz_Fehler = [] { return true; };
    EXPECT_TRUE(Programm_Beenden(*liste, true));
    EXPECT_EQ(einstellungen, 1);
}

TEST_F(DateibefehleTest, BeendenOhneSpeichernSchreibtNichts)
{
    const QString inhalt = satzMit({{1, QStringLiteral("Alt")}}) + QStringLiteral("\r\n");
    oeffnen(QStringLiteral("zettlora.dat"), inhalt);
    liste->setList(0, satzMit({{1, QStringLiteral("Neu")}}));
    sitzung().Geaendert = 1;
    EXPECT_TRUE(Programm_Beenden(*liste, false));
    EXPECT_EQ(lesen(QStringLiteral("daten/zettlora.dat")), inhalt);
    EXPECT_FALSE(zadressbuch::Reservierung_Lesen(daten(QStringLiteral("zettlora.dat"))).vorhanden);
}

TEST_F(DateibefehleTest, LeerzeileAnhaengen)
{
    const QString pfad = daten(QStringLiteral("x.dat"));
    EXPECT_TRUE(Leerzeile_Anhaengen(pfad));
    EXPECT_EQ(lesen(QStringLiteral("daten/x.dat")), Tabs23 + QStringLiteral("\r\n"));
    EXPECT_TRUE(Leerzeile_Anhaengen(pfad));
    EXPECT_EQ(lesen(QStringLiteral("daten/x.dat")), Tabs23 + QStringLiteral("\r\n") + Tabs23 + QStringLiteral("\r\n"));
    schreiben(QStringLiteral("daten/lf.dat"), QStringLiteral("a\n"));
    EXPECT_TRUE(Leerzeile_Anhaengen(daten(QStringLiteral("lf.dat"))));
    EXPECT_EQ(lesen(QStringLiteral("daten/lf.dat")), QStringLiteral("a\n") + Tabs23 + QStringLiteral("\r\n"));
}
