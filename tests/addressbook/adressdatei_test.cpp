#include "adresstest.h"

#include "addressbook/adressdatei.h"
#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "common/ini.h"
#include "common/texte.h"

using namespace zadressbuch;

namespace {

// A record line of the file: the given fields at their numbers, the rest empty.
QByteArray Zeile(std::initializer_list<std::pair<int, QByteArray>> felder)
{
    QList<QByteArray> f(FeldAnzahl);
    for (const auto& [nr, text] : felder)
        f[nr] = text;
    QByteArray z;
    for (const QByteArray& t : f)
        z += t + '\t';
    return z;
}

} // namespace

TEST_F(AdressTest, LadenCrLfUmlauteEuroUndUeberspringen)
{
    QByteArray inhalt = "..Meine Kunden\r\n";
    inhalt += Zeile({{0, "Privat"},
                     {1, "M\xfcller"},
                     {2, "J\xf6rg"},
                     {3, "Stra\xdf"
                         "e 1"},
                     {11, "Preis 5 \x80"}}) +
              "\r\n";
    inhalt += "\r\n";                                                              // empty line: skipped
    inhalt += Zeile({{15, "01.01.1999"}, {16, "02.02.1999"}, {23, "7"}}) + "\r\n"; // dates and index only: skipped
    inhalt += Zeile({{0, " "}, {5, "  "}}) + "\r\n";                               // blanks only: skipped
    inhalt += Zeile({{17, "1234567"}, {18, "10020030"}}) + "\n";                   // bank data only: kept (LF alone)
    inhalt += Zeile({{1, "Zeilen"}, {11, "eins\xb0\xb0zwei"}}) + "\r\n";
    inhalt += "\tnur Name\tohne Rest"; // empty field 0, no line end
    ablegen(datei(), inhalt);

    AdressListe liste;
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_EQ(sitzung().Beschreibung, QStringLiteral("Meine Kunden"));
    EXPECT_EQ(sitzung().Geaendert, 0);
    EXPECT_FALSE(sitzung().NurLesen);
    EXPECT_TRUE(plattform.meldungen.empty());
    ASSERT_EQ(liste.ListCount(), 4);
    EXPECT_EQ(liste.ListIndex(), -1);

    const Felder a = Zerlegen(liste.List(0));
    EXPECT_EQ(a[1], QStringLiteral("Müller"));
    EXPECT_EQ(a[2], QStringLiteral("Jörg"));
    EXPECT_EQ(a[3], QStringLiteral("Straße 1"));
    EXPECT_EQ(a[11], QStringLiteral("Preis 5 €"));
    EXPECT_EQ(FeldAus(liste.List(1), 17), QStringLiteral("1234567"));
    EXPECT_EQ(FeldAus(liste.List(2), 11), QStringLiteral("eins\r\nzwei"));
    EXPECT_EQ(liste.List(3), QStringLiteral(" \tnur Name\tohne Rest"));

    // The file was reserved for this run.
    EXPECT_EQ(sitzung().ReservierteDatei, datei());
    EXPECT_TRUE(Reservierung_Lesen(datei()).eigene);
}

TEST_F(AdressTest, DateiendeZeichenAmSchlussIstKeineAdresse)
{
    ablegen(datei(), "..Alt\r\n" + Zeile({{1, "Erster"}}) + "\r\n\x1a");
    AdressListe liste;
    ASSERT_TRUE(Daten_Laden(liste));
    ASSERT_EQ(liste.ListCount(), 1);
    EXPECT_EQ(FeldAus(liste.List(0), 1), QStringLiteral("Erster"));
    ablegen(datei(), "..Alt\r\n" + Zeile({{1, "Erster"}}) + "\x1a");
    ASSERT_TRUE(Daten_Laden(liste));
    ASSERT_EQ(liste.ListCount(), 1);
    EXPECT_EQ(liste.List(0), Satz({{1, QStringLiteral("Erster")}}));
}

TEST_F(AdressTest, OhneBeschreibungszeileIstDieErsteZeileEineAdresse)
{
    ablegen(datei(), Zeile({{1, "Erster"}}) + "\r\n" + Zeile({{1, "Zweiter"}}) + "\r\n");
    AdressListe liste;
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_EQ(liste.ListCount(), 2);
    EXPECT_EQ(sitzung().Beschreibung, zcommon::Gross_Klein(QStringLiteral("zettlora.dat")));
    EXPECT_TRUE(sitzung().Beschreibung.startsWith(QLatin1Char('Z')));
}

TEST_F(AdressTest, FehlendeDateiWirdNurOhneNamensvetterAngelegt)
{
    AdressListe liste;
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_EQ(bytes(datei()), QByteArray(23, '\t') + "\r\n");
    EXPECT_EQ(liste.ListCount(), 0);

    // A file of the same name in another case is loaded, never replaced.
    QFile::remove(datei());
    const QString anders = daten + QStringLiteral("/Zettlora.DAT");
    ablegen(anders, "..Gross\r\n" + Zeile({{1, "Da"}}) + "\r\n");
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_EQ(liste.ListCount(), 1);
    EXPECT_EQ(sitzung().Beschreibung, QStringLiteral("Gross"));
    EXPECT_FALSE(QFileInfo::exists(datei()));
}

TEST_F(AdressTest, FehlenderOrdnerUndUnlesbareDatei)
{
    AdressListe liste;
    liste.setEintraege({QStringLiteral("alt")});
    sitzung().AdressDateiName = wurzel.wurzel() + QStringLiteral("/gibtsnicht/kunden.dat");
    EXPECT_FALSE(Daten_Laden(liste));
    EXPECT_EQ(liste.ListCount(), 0);
    EXPECT_TRUE(sitzung().NurLesen);
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_TRUE(plattform.letzteMeldung().contains(wurzel.wurzel() + QStringLiteral("/gibtsnicht")));
    EXPECT_FALSE(QFileInfo::exists(wurzel.wurzel() + QStringLiteral("/gibtsnicht")));

    // A folder where the file should be: cannot be read, read-only.
    plattform.meldungen.clear();
    sitzungZuruecksetzen();
    SetUp();
    QDir().mkpath(datei());
    EXPECT_FALSE(Daten_Laden(liste));
    EXPECT_TRUE(sitzung().NurLesen);
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_TRUE(plattform.letzteMeldung().contains(QStringLiteral("zettlora.dat")));
    EXPECT_TRUE(plattform.toene.contains(QStringLiteral("#SystemHand")));
    EXPECT_TRUE(Reservierung_Lesen(datei()).benutzer.isEmpty()); // read-only writes no reservation
}

TEST_F(AdressTest, MehrAls32000AdressenOeffnetNurZumLesen)
{
    QByteArray inhalt = "..Gross\r\n";
    inhalt.reserve(32001 * 40);
    for (int i = 0; i <= MaxAdressen; ++i)
        inhalt += " \tName " + QByteArray::number(i) + QByteArray(22, '\t') + "\r\n";
    ablegen(datei(), inhalt);

    AdressListe liste;
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_EQ(liste.ListCount(), MaxAdressen);
    EXPECT_TRUE(sitzung().NurLesen);
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_TRUE(
        plattform.letzteMeldung().startsWith(QStringLiteral("Kein Platz mehr in der aktuellen Adressenliste.")));
    EXPECT_EQ(plattform.meldungen[0].titel, QStringLiteral("Zettlora meldet Speicherproblem"));
    EXPECT_EQ(plattform.meldungen[0].stil & 0x70, int(zplatform::vbExclamation));
    EXPECT_EQ(plattform.toene.value(0), QStringLiteral("#SystemHand"));

    // A save can never write the file back cut.
    sitzung().Geaendert = 1;
    EXPECT_TRUE(Daten_Speichern(liste));
    EXPECT_EQ(bytes(datei()), inhalt);

    // Exactly 32000 fit.
    inhalt.truncate(inhalt.lastIndexOf("\r\n", inhalt.size() - 3) + 2);
    ablegen(datei(), inhalt);
    plattform.meldungen.clear();
    sitzung().NurLesen = false;
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_EQ(liste.ListCount(), MaxAdressen);
    EXPECT_FALSE(sitzung().NurLesen);
    EXPECT_TRUE(plattform.meldungen.empty());
}

TEST_F(AdressTest, SpeichernUndWiederLadenGibtDieselbenSaetze)
{
    QByteArray inhalt = "..Rundreise \x80\r\n";
    inhalt += Zeile({{0, " "},
                     {1, "\xc4rger"},
                     {11, "a\xb0\xb0\xb0"
                          "b"},
                     {16, "01.02.2000"}}) +
              "\r\n";
    inhalt += Zeile({{0, "A"}, {20, "29.02.1996"}}) + "\r\n";
    ablegen(datei(), inhalt);

    AdressListe liste;
    ASSERT_TRUE(Daten_Laden(liste));
    const QStringList vorher = liste.eintraege();

    // Entries changed behind the card: a line break and a leading separator.
    liste.AddItem(QStringLiteral("\tNeu\tmit\r\nUmbruch\tund\nLF"));
    sitzung().Geaendert = 1;
    ASSERT_TRUE(Daten_Speichern(liste));
    EXPECT_EQ(sitzung().Geaendert, 0);
    EXPECT_FALSE(QFileInfo::exists(Sicherungsdatei(datei())));
    EXPECT_FALSE(QFileInfo::exists(Zwischendatei(datei())));

    const QByteArray geschrieben = bytes(datei());
    EXPECT_TRUE(geschrieben.startsWith(inhalt)); // the old lines byte for byte
    EXPECT_TRUE(geschrieben.endsWith(" \tNeu\tmit\xb0\xb0Umbruch\tund\xb0\xb0LF\r\n"));

    AdressListe wieder;
    ASSERT_TRUE(Daten_Laden(wieder));
    EXPECT_EQ(sitzung().Beschreibung, QStringLiteral("Rundreise €"));
    ASSERT_EQ(wieder.ListCount(), 3);
    EXPECT_EQ(wieder.eintraege().mid(0, 2), vorher);

    // Saving what was loaded writes the same bytes again.
    sitzung().Geaendert = 1;
    ASSERT_TRUE(Daten_Speichern(wieder));
    EXPECT_EQ(bytes(datei()), geschrieben);

    // Nothing changed: nothing written.
    ablegen(datei(), "anders");
    EXPECT_TRUE(Daten_Speichern(wieder));
    EXPECT_EQ(bytes(datei()), QByteArray("anders"));
}

TEST_F(AdressTest, EineBakDateiIstNichtIhreEigeneSicherung)
{
    sitzung().AdressDateiName = daten + QStringLiteral("/alt.bak");
    EXPECT_EQ(Sicherungsdatei(datei()), daten + QStringLiteral("/alt.bak.BAK"));
    EXPECT_EQ(Sicherungsdatei(daten + QStringLiteral("/kunden.dat")), daten + QStringLiteral("/kunden.BAK"));
    ablegen(datei(), "..Alt\r\n" + Zeile({{1, "Erster"}}) + "\r\n");
    AdressListe liste;
    ASSERT_TRUE(Daten_Laden(liste));
    liste.AddItem(Satz({{1, QStringLiteral("Zweiter")}}));
    sitzung().Geaendert = 1;
    ASSERT_TRUE(Daten_Speichern(liste));
    AdressListe wieder;
    ASSERT_TRUE(Daten_Laden(wieder));
    EXPECT_EQ(wieder.ListCount(), 2);
}

TEST_F(AdressTest, ZeichenAusserhalbWindows1252LassenDasSpeichernScheitern)
{
    ablegen(datei(), "..X\r\n" + Zeile({{1, "Alt"}}) + "\r\n");
    AdressListe liste;
    ASSERT_TRUE(Daten_Laden(liste));
    const QByteArray alt = bytes(datei());
    liste.AddItem(QStringLiteral(" \tOmega Ω\t"));
    sitzung().Geaendert = 1;
    EXPECT_FALSE(Daten_Speichern(liste));
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_EQ(bytes(datei()), alt);
    ASSERT_FALSE(plattform.meldungen.empty());
    EXPECT_TRUE(plattform.letzteMeldung().contains(QStringLiteral("Ω")));
    EXPECT_TRUE(plattform.letzteMeldung().contains(QStringLiteral("2. Adresse")));
    EXPECT_TRUE(plattform.letzteMeldung().contains(QStringLiteral("zettlora.dat")));
}

TEST_F(AdressTest, MisslungenesSpeichernBehaeltAlteDateiUndFlag)
{
    ablegen(datei(), "..X\r\n" + Zeile({{1, "Alt"}}) + "\r\n");
    AdressListe liste;
    ASSERT_TRUE(Daten_Laden(liste));
    const QByteArray alt = bytes(datei());
    liste.setList(0, QStringLiteral(" \tNeu\t"));

    // A folder stands where the backup copy must go (fails for root too).
    const QString bak = Sicherungsdatei(datei());
    EXPECT_EQ(bak, daten + QStringLiteral("/zettlora.BAK"));
    QDir().mkpath(bak + QStringLiteral("/inhalt"));
    sitzung().Geaendert = 1;
    EXPECT_FALSE(Daten_Speichern(liste));
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_EQ(bytes(datei()), alt);
    EXPECT_TRUE(QFileInfo(bak).isDir());
    EXPECT_FALSE(QFileInfo::exists(Zwischendatei(datei())));
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_TRUE(plattform.letzteMeldung().contains(datei()));
    EXPECT_TRUE(plattform.letzteMeldung().contains(QStringLiteral("zettlora.BAK")));
    QDir(bak).removeRecursively();

    // A folder where the new version is written first.
    QDir().mkpath(Zwischendatei(datei()) + QStringLiteral("/x"));
    EXPECT_FALSE(Daten_Speichern(liste));
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_EQ(bytes(datei()), alt);
    QDir(Zwischendatei(datei())).removeRecursively();

    // The address file itself replaced by a folder.
    QFile::remove(datei());
    QDir().mkpath(datei());
    EXPECT_FALSE(Daten_Speichern(liste));
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_TRUE(QFileInfo(datei()).isDir());
    QDir(datei()).removeRecursively();

    // Once the way is free the save goes through and clears the flag.
    ASSERT_TRUE(Daten_Speichern(liste));
    EXPECT_EQ(sitzung().Geaendert, 0);
    EXPECT_EQ(FeldAus(QString::fromLatin1(bytes(datei()).split('\n').value(1)), 1), QStringLiteral("Neu"));
}

TEST_F(AdressTest, SpeichernBehaeltDieRechteDerDatei)
{
    ablegen(datei(), "..X\r\n");
    QFile::setPermissions(datei(), QFile::ReadOwner | QFile::WriteOwner);
    AdressListe liste;
    ASSERT_TRUE(Daten_Laden(liste));
    liste.AddItem(QStringLiteral(" \tA\t"));
    sitzung().Geaendert = 1;
    ASSERT_TRUE(Daten_Speichern(liste));
    const QFile::Permissions rechte = QFile::permissions(datei());
    EXPECT_TRUE(rechte & QFile::WriteOwner);
    EXPECT_FALSE(rechte & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther));
}
