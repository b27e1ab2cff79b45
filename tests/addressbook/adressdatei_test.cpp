// Loading and saving the address file on real files: Windows-1252, CR LF,
// "°°", the skip rule, the end-of-file mark, the 32000 limit, the backup rule
// and failures that keep the old file and the changed flag.
#include "adresstest.h"

#include "addressbook/adressdatei.h"
#include "addressbook/adressliste.h"
#include "common/texte.h"
#include "platform/dateisystem.h"
#include "platform/ordner.h"

#include <cerrno>

using namespace zadressbuch;

namespace {

// A record line of the file: the given fields at their numbers, the rest empty.
QByteArray Zeile(std::initializer_list<std::pair<int, QByteArray>> felder)
{
    QList<QByteArray> f(FeldAnzahl);
    for (const auto& [nr, text] : felder)
        f[nr] = text;
    return f.join('\t') + '\t';
}

class AdressDateiTest : public AdressTest
{
protected:
    AdressListe liste;
    // Writes the file, loads it into the list and returns the bytes written.
    QByteArray laden(const QByteArray& inhalt)
    {
        ablegen(datei(), inhalt);
        EXPECT_TRUE(Daten_Laden(liste));
        return inhalt;
    }
    bool speichern(AdressListe& l)
    {
        sitzung().Geaendert = 1;
        return Daten_Speichern(l);
    }
};

} // namespace

TEST_F(AdressDateiTest, LadenCrLfUmlauteEuroUndUeberspringen)
{
    laden("..Meine Kunden\r\n" + Zeile({{0, "Privat"}, {1, "M\xfcller"}, {3, "Fu\xdf"}, {11, "Preis 5 \x80"}}) +
          "\r\n"
          "\r\n" + // empty line: skipped
          Zeile({{15, "01.01.1999"}, {16, "02.02.1999"}, {23, "7"}}) +
          "\r\n" +                                            // dates and index only: skipped
          Zeile({{0, " "}, {5, "  "}}) + "\r\n" +             // blanks only: skipped
          Zeile({{17, "1234567"}, {18, "10020030"}}) + "\n" + // bank data only: kept (LF alone)
          Zeile({{1, "Zeilen"}, {11, "eins\xb0\xb0zwei"}}) + "\r\n" +
          "\tnur Name\tohne Rest"); // empty field 0, no line end
    EXPECT_EQ(sitzung().Beschreibung, u"Meine Kunden"_s);
    EXPECT_EQ(sitzung().Geaendert, 0);
    EXPECT_FALSE(sitzung().NurLesen);
    EXPECT_TRUE(plattform.meldungen.empty());
    ASSERT_EQ(liste.ListCount(), 4);
    EXPECT_EQ(liste.ListIndex(), -1);
    const Felder a = Zerlegen(liste.List(0));
    EXPECT_EQ(a[Nachname], u"Müller"_s);
    EXPECT_EQ(a[Strasse], u"Fuß"_s);
    EXPECT_EQ(a[Bemerkung], u"Preis 5 €"_s);
    EXPECT_EQ(FeldAus(liste.List(1), Kontonummer), u"1234567"_s);
    EXPECT_EQ(FeldAus(liste.List(2), Bemerkung), u"eins\r\nzwei"_s);
    EXPECT_EQ(liste.List(3), u" \tnur Name\tohne Rest"_s);
    // The file was reserved for this run.
    EXPECT_EQ(sitzung().ReservierteDatei, datei());
    EXPECT_TRUE(Reservierung_Lesen(datei()).eigene);
}

TEST_F(AdressDateiTest, DateiendeZeichenUndFehlendeBeschreibung)
{
    for (const QByteArray ende : {"\r\n\x1a", "\x1a"}) {
        laden("..Alt\r\n" + Zeile({{1, "Erster"}}) + ende);
        ASSERT_EQ(liste.ListCount(), 1);
        EXPECT_EQ(liste.List(0), Satz({{1, u"Erster"_s}}));
    }
    // A line of nothing but end-of-file marks (and separators) is no address:
    // saved as the last line it would vanish on the next load.
    laden("..Alt\r\n" + Zeile({{1, "Erster"}}) + "\r\n\x1a\r\n\t\x1a\x1a\t\r\n" + Zeile({{1, "Zweiter"}}) + "\r\n");
    ASSERT_EQ(liste.ListCount(), 2);
    EXPECT_EQ(liste.List(1), Satz({{1, u"Zweiter"_s}}));
    // Without a description line the first line is an address.
    laden(Zeile({{1, "Erster"}}) + "\r\n" + Zeile({{1, "Zweiter"}}) + "\r\n");
    EXPECT_EQ(liste.ListCount(), 2);
    EXPECT_EQ(sitzung().Beschreibung, zcommon::Gross_Klein(u"zettlora.dat"_s));
    EXPECT_TRUE(sitzung().Beschreibung.startsWith(u'Z'));
}

TEST_F(AdressDateiTest, FehlendeDateiWirdNurOhneNamensvetterAngelegt)
{
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_EQ(bytes(datei()), QByteArray(23, '\t') + "\r\n");
    EXPECT_EQ(liste.ListCount(), 0);

    // A file of the same name in another case is loaded, never replaced.
    QFile::remove(datei());
    ablegen(daten + u"/Zettlora.DAT"_s, "..Gross\r\n" + Zeile({{1, "Da"}}) + "\r\n");
    ASSERT_TRUE(Daten_Laden(liste));
    EXPECT_EQ(liste.ListCount(), 1);
    EXPECT_EQ(sitzung().Beschreibung, u"Gross"_s);
    EXPECT_FALSE(QFileInfo::exists(datei()));
}

TEST_F(AdressDateiTest, FehlenderOrdnerUndUnlesbareDatei)
{
    liste.setEintraege({u"alt"_s});
    const QString ordner = wurzel.wurzel() + u"/gibtsnicht"_s;
    sitzung().AdressDateiName = ordner + u"/kunden.dat"_s;
    EXPECT_FALSE(Daten_Laden(liste));
    EXPECT_EQ(liste.ListCount(), 0);
    EXPECT_TRUE(sitzung().NurLesen);
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_TRUE(plattform.letzteMeldung().contains(ordner));
    EXPECT_FALSE(QFileInfo::exists(ordner));

    // A folder where the file should be: cannot be read, read-only.
    plattform.meldungen.clear();
    SetUp();
    QDir().mkpath(datei());
    EXPECT_FALSE(Daten_Laden(liste));
    EXPECT_TRUE(sitzung().NurLesen);
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_TRUE(plattform.letzteMeldung().contains(u"zettlora.dat"_s));
    EXPECT_TRUE(plattform.toene.contains(u"#SystemHand"_s));
    EXPECT_TRUE(Reservierung_Lesen(datei()).benutzer.isEmpty()); // read-only writes no reservation
}

TEST_F(AdressDateiTest, MehrAls32000AdressenOeffnetNurZumLesen)
{
    QByteArray inhalt = "..Gross\r\n";
    for (int i = 0; i <= MaxAdressen; ++i)
        inhalt += " \tName " + QByteArray::number(i) + QByteArray(22, '\t') + "\r\n";
    laden(inhalt);
    EXPECT_EQ(liste.ListCount(), MaxAdressen);
    EXPECT_TRUE(sitzung().NurLesen);
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_TRUE(plattform.letzteMeldung().startsWith(u"Kein Platz mehr in der aktuellen Adressenliste."_s));
    EXPECT_EQ(plattform.meldungen[0].titel, u"Zettlora meldet Speicherproblem"_s);
    EXPECT_EQ(plattform.meldungen[0].stil & 0x70, int(zplatform::vbExclamation));
    EXPECT_EQ(plattform.toene.value(0), u"#SystemHand"_s);
    // A save can never write the file back cut.
    EXPECT_TRUE(speichern(liste));
    EXPECT_EQ(bytes(datei()), inhalt);

    // Exactly 32000 fit.
    inhalt.truncate(inhalt.lastIndexOf("\r\n", inhalt.size() - 3) + 2);
    plattform.meldungen.clear();
    sitzung().NurLesen = false;
    laden(inhalt);
    EXPECT_EQ(liste.ListCount(), MaxAdressen);
    EXPECT_FALSE(sitzung().NurLesen);
    EXPECT_TRUE(plattform.meldungen.empty());
}

TEST_F(AdressDateiTest, SpeichernUndWiederLadenGibtDieselbenSaetze)
{
    const QByteArray inhalt =
        laden("..Rundreise \x80\r\n" + Zeile({{0, " "}, {1, "\xc4rger"}, {11, "a\xb0\xb0\xb0x"}, {16, "01.02.2000"}}) +
              "\r\n" + Zeile({{0, "A"}, {20, "29.02.1996"}}) + "\r\n");
    const QStringList vorher = liste.eintraege();

    // Entries changed behind the card: a line break and a leading separator.
    liste.AddItem(u"\tNeu\tmit\r\nUmbruch\tund\nLF"_s);
    ASSERT_TRUE(speichern(liste));
    EXPECT_EQ(sitzung().Geaendert, 0);
    EXPECT_FALSE(QFileInfo::exists(Sicherungsdatei(datei())));
    EXPECT_FALSE(QFileInfo::exists(Zwischendatei(datei())));
    const QByteArray geschrieben = bytes(datei());
    EXPECT_TRUE(geschrieben.startsWith(inhalt)); // the old lines byte for byte
    EXPECT_TRUE(geschrieben.endsWith(" \tNeu\tmit\xb0\xb0Umbruch\tund\xb0\xb0LF\r\n"));

    AdressListe wieder;
    ASSERT_TRUE(Daten_Laden(wieder));
    EXPECT_EQ(sitzung().Beschreibung, u"Rundreise €"_s);
    ASSERT_EQ(wieder.ListCount(), 3);
    EXPECT_EQ(wieder.eintraege().mid(0, 2), vorher);
    // Saving what was loaded writes the same bytes again.
    ASSERT_TRUE(speichern(wieder));
    EXPECT_EQ(bytes(datei()), geschrieben);
    // Nothing changed: nothing written.
    ablegen(datei(), "anders");
    EXPECT_TRUE(Daten_Speichern(wieder));
    EXPECT_EQ(bytes(datei()), QByteArray("anders"));
}

TEST_F(AdressDateiTest, EineBakDateiIstNichtIhreEigeneSicherung)
{
    sitzung().AdressDateiName = daten + u"/alt.bak"_s;
    EXPECT_EQ(Sicherungsdatei(datei()), daten + u"/alt.bak.BAK"_s);
    EXPECT_EQ(Sicherungsdatei(daten + u"/kunden.dat"_s), daten + u"/kunden.BAK"_s);
    laden("..Alt\r\n" + Zeile({{1, "Erster"}}) + "\r\n");
    liste.AddItem(Satz({{1, u"Zweiter"_s}}));
    ASSERT_TRUE(speichern(liste));
    AdressListe wieder;
    ASSERT_TRUE(Daten_Laden(wieder));
    EXPECT_EQ(wieder.ListCount(), 2);
}

TEST_F(AdressDateiTest, ZeichenAusserhalbWindows1252LassenDasSpeichernScheitern)
{
    const QByteArray alt = laden("..X\r\n" + Zeile({{1, "Alt"}}) + "\r\n");
    liste.AddItem(u" \tOmega Ω\t"_s);
    EXPECT_FALSE(speichern(liste));
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_EQ(bytes(datei()), alt);
    for (const QString& teil : {u"Ω"_s, u"2. Adresse"_s, u"zettlora.dat"_s})
        EXPECT_TRUE(plattform.letzteMeldung().contains(teil)) << teil.toStdString();
}

TEST_F(AdressDateiTest, MisslungenesSpeichernBehaeltAlteDateiUndFlag)
{
    const QByteArray alt = laden("..X\r\n" + Zeile({{1, "Alt"}}) + "\r\n");
    liste.setList(0, u" \tNeu\t"_s);

    // A folder stands where the backup copy must go (fails for root too).
    const QString bak = Sicherungsdatei(datei());
    EXPECT_EQ(bak, daten + u"/zettlora.BAK"_s);
    QDir().mkpath(bak + u"/inhalt"_s);
    EXPECT_FALSE(speichern(liste));
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_EQ(bytes(datei()), alt);
    EXPECT_TRUE(QFileInfo(bak).isDir());
    EXPECT_FALSE(QFileInfo::exists(Zwischendatei(datei())));
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_TRUE(plattform.letzteMeldung().contains(datei()));
    EXPECT_TRUE(plattform.letzteMeldung().contains(u"zettlora.BAK"_s));
    QDir(bak).removeRecursively();

    // A folder where the new version is written first.
    QDir().mkpath(Zwischendatei(datei()) + u"/x"_s);
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
    EXPECT_EQ(FeldAus(QString::fromLatin1(bytes(datei()).split('\n').value(1)), Nachname), u"Neu"_s);
}

TEST_F(AdressDateiTest, SpeichernBehaeltDieRechteDerDatei)
{
    ablegen(datei(), "..X\r\n");
    QFile::setPermissions(datei(), QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_TRUE(Daten_Laden(liste));
    liste.AddItem(u" \tA\t"_s);
    ASSERT_TRUE(speichern(liste));
    const QFile::Permissions rechte = QFile::permissions(datei());
    EXPECT_TRUE(rechte & QFile::WriteOwner);
    EXPECT_FALSE(rechte & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther));
}

// Saved by a desktop editor as UTF-8 with a byte-order mark: the umlauts read
// as written and the first line (description or first address) is whole; the
// next save writes Windows-1252 again.
TEST_F(AdressDateiTest, UtfAchtMitMarkeAusDemEditor)
{
    const QByteArray marke = "\xEF\xBB\xBF";
    laden(marke + "..Kunden K\xC3\xB6ln\r\n" + Zeile({{1, "M\xC3\xBCller"}, {5, "K\xC3\xB6ln"}}) + "\r\n");
    EXPECT_EQ(sitzung().Beschreibung, u"Kunden Köln"_s);
    ASSERT_EQ(liste.ListCount(), 1);
    EXPECT_EQ(FeldAus(liste.List(0), Nachname), u"Müller"_s);
    EXPECT_EQ(FeldAus(liste.List(0), Ort), u"Köln"_s);

    // Without a description the first address is the first line.
    laden(marke + Zeile({{1, "M\xC3\xBCller"}}) + "\r\n" + Zeile({{1, "\xC3\x84rger"}}) + "\r\n");
    ASSERT_EQ(liste.ListCount(), 2);
    EXPECT_EQ(FeldAus(liste.List(0), Nachname), u"Müller"_s);
    EXPECT_EQ(FeldAus(liste.List(1), Nachname), u"Ärger"_s);
    ASSERT_TRUE(speichern(liste));
    EXPECT_TRUE(bytes(datei()).contains("\r\n" + Zeile({{0, " "}, {1, "M\xFCller"}}) + "\r\n"));
    EXPECT_FALSE(bytes(datei()).contains(marke));
}

// The last step of a save, the rename of the new version over the file,
// fails: the save says so, the old file stays byte for byte, the new version
// does not stay behind, and the changed flag stays set.
TEST_F(AdressDateiTest, ScheiterndesUmbenennenAmEndeDesSpeicherns)
{
    const QByteArray alt = laden("..X\r\n" + Zeile({{1, "Alt"}}) + "\r\n");
    liste.setList(0, u" \tNeu\t"_s);
    zplatform::testUmbenennenScheitert(zplatform::pfadAufloesen(datei()), EIO);
    const bool gespeichert = speichern(liste);
    zplatform::testUmbenennenScheitert(QString(), 0);
    EXPECT_FALSE(gespeichert);
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_EQ(bytes(datei()), alt);
    EXPECT_FALSE(QFileInfo::exists(Zwischendatei(datei())));
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_TRUE(plattform.letzteMeldung().contains(u"an ihren Platz"_s)) << plattform.letzteMeldung().toStdString();
    EXPECT_TRUE(plattform.letzteMeldung().contains(u"Datenträger"_s)) << plattform.letzteMeldung().toStdString();
}
