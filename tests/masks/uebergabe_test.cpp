// The document hand-over files, byte for byte in Windows-1252.

#include "masks/uebergabe.h"

#include "addressbook/datensatz.h"
#include "common/ini.h"
#include "platform/codec.h"
#include "testhilfe.h"

#include <QFileInfo>

using zmasken::Adresse_Uebergeben;

namespace {

QByteArray w1252(const QString& text)
{
    return zplatform::nachWindows1252(text);
}

QString einstellung(const char* schluessel)
{
    return zcommon::Ini_Lesen(QString(), QString(), QString::fromLatin1(schluessel), QStringLiteral("<fehlt>"));
}

} // namespace

class UebergabeTest : public MaskenUmgebung
{
protected:
    void SetUp() override
    {
        MaskenUmgebung::SetUp();
        textDatei = w.wurzel() + QStringLiteral("/uebergabe.txt");
        iniDatei = w.wurzel() + QStringLiteral("/uebergabe.ini");
        bytesSchreiben(daten() + QStringLiteral("/Anschrift.msk"),
                       w1252(QStringLiteral("{Anrede}\r\n{Vorname} {Nachname}\r\n{Straße}\r\n\r\n{PLZ} {Ort}")));
        karte[0] = QStringLiteral(" Kunden ");
        karte[1] = QStringLiteral("Müller");
        karte[2] = QStringLiteral("Jürgen");
        karte[3] = QStringLiteral("Hauptstraße 5");
        karte[4] = QStringLiteral("12345");
        karte[5] = QStringLiteral("Köln");
        karte[7] = QStringLiteral("0221-123456");
        karte[11] = QStringLiteral("erste Zeile\r\nzweite Zeile");
        karte[12] = QStringLiteral("0171/9876543");
        karte[21] = QStringLiteral(" Frau ");
        karte[23] = QStringLiteral("17");
        satz = zadressbuch::Verbinden(karte);
    }

    void pfadeSetzen()
    {
        zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("Adr_Speichern_In"), textDatei);
        zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("Adr_IniSpeichern_In"), iniDatei);
    }

    QString textDatei;
    QString iniDatei;
    zadressbuch::Felder karte;
    QString satz;
};

TEST_F(UebergabeTest, TextdateiByteFuerByte)
{
    pfadeSetzen();
    Adresse_Uebergeben(karte, satz);
    EXPECT_EQ(bytesLesen(textDatei),
              QByteArray("Kunden\r\nM\xfcller\r\nJ\xfcrgen\r\nHauptstra\xdf"
                         "e 5\r\n12345\r\nK\xf6ln\r\n"
                         "\r\n0221 / 123456\r\n\r\n\r\n\r\nerste Zeile~zweite Zeile\r\n"
                         "0171 / 9876543\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nFrau\r\n\r\n17\r\n"));
}

TEST_F(UebergabeTest, IniDateiByteFuerByte)
{
    pfadeSetzen();
    EXPECT_EQ(zmasken::Uebergabe_Zuruecksetzen(), iniDatei);
    Adresse_Uebergeben(karte, satz);
    const QByteArray erwartet =
        "[ZuletztNr]\r\n99=ja\r\n00=Kunden\r\n01=M\xfcller\r\n02=J\xfcrgen\r\n03=Hauptstra\xdf"
        "e 5\r\n04=12345\r\n"
        "05=K\xf6ln\r\n06=\r\n07=0221 / 123456\r\n08=\r\n09=\r\n10=\r\n11=erste Zeile~zweite Zeile\r\n"
        "12=0171 / 9876543\r\n13=\r\n14=\r\n15=\r\n16=\r\n17=\r\n18=\r\n19=\r\n20=\r\n21=Frau\r\n22=\r\n23=17\r\n"
        "\r\n[ZuletztBez]\r\nRubrik zum Einsortieren=Kunden\r\nNachname=M\xfcller\r\nVorname=J\xfcrgen\r\n"
        "Stra\xdf"
        "e=Hauptstra\xdf"
        "e 5\r\nPLZ=12345\r\nOrt=K\xf6ln\r\nLand=\r\nTelefon=0221 / 123456\r\nTelefax=\r\n"
        "Adresse f\xfcr welchen User=\r\nZusatz=\r\nZusatzbemerkung=erste Zeile~zweite Zeile\r\n"
        "Mobiltelefon=0171 / 9876543\r\nDatentelefon=\r\neMail=\r\nerstellt am=\r\nge\xe4ndert am=\r\n"
        "Kontonummer=\r\nBankleitzahl=\r\nKreditinstitut=\r\nGeburtstag=\r\nAnrede=Frau\r\nWWW=\r\nIndex=17\r\n"
        "Anschrift=Frau ^aJ\xfcrgen M\xfcller^aHauptstra\xdf"
        "e 5^a^a12345 K\xf6ln\r\n"
        "Anrede2=Sehr geehrte Frau\r\nDatum=05.12.2026\r\nUhrzeit=09:05\r\nWochentag=Samstag\r\nUser=Tester\r\n"
        "ZettloraVersion=1.00\r\nZettloraReversion=0\r\n";
    EXPECT_EQ(bytesLesen(iniDatei), erwartet);
    EXPECT_EQ(einstellung("Adr_TeleFormat3&2"), "1");

    // A second run overwrites the keys; keys of a caption renamed since stay.
    zadressbuch::sitzung().Bezeichnungen[1] = QStringLiteral("Name");
    karte[1] = QStringLiteral("Meier");
    Adresse_Uebergeben(karte, zadressbuch::Verbinden(karte));
    EXPECT_EQ(zcommon::Ini_Lesen(iniDatei, QStringLiteral("ZuletztBez"), QStringLiteral("Name")), "Meier");
    EXPECT_EQ(zcommon::Ini_Lesen(iniDatei, QStringLiteral("ZuletztBez"), QStringLiteral("Nachname")), "Müller");
    EXPECT_EQ(zcommon::Ini_Lesen(iniDatei, QStringLiteral("ZuletztNr"), QStringLiteral("01")), "Meier");
    // The next start-up begins the file afresh.
    zmasken::Uebergabe_Zuruecksetzen();
    EXPECT_EQ(bytesLesen(iniDatei), "[ZuletztNr]\r\n99=ja\r\n");
}

TEST_F(UebergabeTest, ZuruecksetzenOhneEinstellung)
{
    const QString tmp = w.windows() + QStringLiteral("/TmpAdrDoc.Tmp");
    bytesSchreiben(tmp, "[Alt]\r\nx=1\r\n");
    EXPECT_EQ(zmasken::Uebergabe_Zuruecksetzen(), tmp);
    EXPECT_EQ(einstellung("Adr_IniSpeichern_In"), tmp);
    EXPECT_EQ(bytesLesen(tmp), "[ZuletztNr]\r\n99=ja\r\n");
}

TEST_F(UebergabeTest, OhneAusgewaehlteAdresse)
{
    pfadeSetzen();
    Adresse_Uebergeben(QString());
    QByteArray leer;
    for (int i = 0; i < 24; ++i)
        leer += "\r\n";
    EXPECT_EQ(bytesLesen(textDatei), leer);
    EXPECT_EQ(
        zcommon::Ini_Lesen(iniDatei, QStringLiteral("ZuletztBez"), QStringLiteral("Anschrift"), QStringLiteral("?")),
        "");
    EXPECT_EQ(
        zcommon::Ini_Lesen(iniDatei, QStringLiteral("ZuletztBez"), QStringLiteral("Anrede2"), QStringLiteral("?")), "");
    // The card shows an address but no list entry is selected.
    Adresse_Uebergeben(karte, QString());
    EXPECT_EQ(
        zcommon::Ini_Lesen(iniDatei, QStringLiteral("ZuletztBez"), QStringLiteral("Anschrift"), QStringLiteral("?")),
        "");
    EXPECT_EQ(zcommon::Ini_Lesen(iniDatei, QStringLiteral("ZuletztBez"), QStringLiteral("Nachname")), "Müller");
}

TEST_F(UebergabeTest, OhnePfadeWirdNurDasTelefonformatGeschrieben)
{
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("Adr_TeleFormat3&2"), QStringLiteral("2"));
    Adresse_Uebergeben(karte, satz);
    EXPECT_EQ(einstellung("Adr_TeleFormat3&2"), "1");
    EXPECT_EQ(QDir(w.wurzel()).entryList(QDir::Files), QStringList());
    EXPECT_FALSE(QFileInfo::exists(daten() + QStringLiteral("/Masken.Ini")));

    // Phone fields as typed when the setting holds no number.
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("Adr_TeleFormat3&2"), QStringLiteral("aus"));
    pfadeSetzen();
    Adresse_Uebergeben(karte, satz);
    EXPECT_EQ(einstellung("Adr_TeleFormat3&2"), "0");
    EXPECT_EQ(zcommon::Ini_Lesen(iniDatei, QStringLiteral("ZuletztNr"), QStringLiteral("07")), "0221-123456");
    EXPECT_EQ(zcommon::Ini_Lesen(iniDatei, QStringLiteral("ZuletztNr"), QStringLiteral("12")), "0171/9876543");
}

TEST_F(UebergabeTest, BemerkungsauswahlAnredeUndBezeichnungen)
{
    pfadeSetzen();
    // More than 10 selected characters replace field 11 in the INI file only.
    Adresse_Uebergeben(karte, satz, QStringLiteral(" zweite\r\nZeile "));
    EXPECT_EQ(zcommon::Ini_Lesen(iniDatei, QStringLiteral("ZuletztNr"), QStringLiteral("11")), "zweite~Zeile");
    EXPECT_EQ(zcommon::Ini_Lesen(iniDatei, QStringLiteral("ZuletztBez"), QStringLiteral("Zusatzbemerkung")),
              "zweite~Zeile");
    EXPECT_TRUE(bytesLesen(textDatei).contains("\r\nerste Zeile~zweite Zeile\r\n"));
    Adresse_Uebergeben(karte, satz, QStringLiteral("1234567890"));
    EXPECT_EQ(zcommon::Ini_Lesen(iniDatei, QStringLiteral("ZuletztNr"), QStringLiteral("11")),
              "erste Zeile~zweite Zeile");

    const auto anrede2 = [&](const QString& anrede) {
        karte[21] = anrede;
        Adresse_Uebergeben(karte, satz);
        return zcommon::Ini_Lesen(iniDatei, QStringLiteral("ZuletztBez"), QStringLiteral("Anrede2"));
    };
    EXPECT_EQ(anrede2(QStringLiteral("  HERR ")), "Sehr geehrter Herr");
    EXPECT_EQ(anrede2(QStringLiteral("Frau Dr.")), "frau dr.");
    EXPECT_EQ(anrede2(QString()), "");

    // Captions equal after trimming: the later field remains; an empty caption is "NoKey".
    auto& bez = zadressbuch::sitzung().Bezeichnungen;
    bez[8] = QStringLiteral(" Telefon ");
    bez[22] = QString();
    karte[8] = QStringLiteral("0221-999");
    karte[22] = QStringLiteral("www.example.de");
    Adresse_Uebergeben(karte, satz);
    EXPECT_EQ(zcommon::Ini_Lesen(iniDatei, QStringLiteral("ZuletztBez"), QStringLiteral("Telefon")), "0221 / 999");
    EXPECT_EQ(zcommon::Ini_Lesen(iniDatei, QStringLiteral("ZuletztNr"), QStringLiteral("07")), "0221 / 123456");
    EXPECT_EQ(zcommon::Ini_Lesen(iniDatei, QStringLiteral("ZuletztBez"), QStringLiteral("NoKey")), "www.example.de");
}

TEST_F(UebergabeTest, OhneMaskeAnschriftUndBesondereBezeichnungen)
{
    pfadeSetzen();
    QFile::remove(daten() + QStringLiteral("/Anschrift.msk"));
    // Captions with "=" and brackets are written as keys unchanged.
    zadressbuch::sitzung().Bezeichnungen[6] = QStringLiteral("Land=Staat [ISO]");
    karte[6] = QStringLiteral("D");
    Adresse_Uebergeben(karte, satz);
    const QByteArray ini = bytesLesen(iniDatei);
    EXPECT_TRUE(ini.contains("\r\nLand=Staat [ISO]=D\r\n")) << ini.constData();
    EXPECT_TRUE(ini.contains("\r\nAnschrift=\r\nAnrede2=Sehr geehrte Frau\r\n")) << ini.constData();
}

TEST_F(UebergabeTest, FehlenderOrdnerStopptNurDieTextdatei)
{
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("Adr_Speichern_In"),
                           w.wurzel() + QStringLiteral("/fehlt/uebergabe.txt"));
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("Adr_IniSpeichern_In"), iniDatei);
    Adresse_Uebergeben(karte, satz);
    EXPECT_FALSE(QFileInfo::exists(w.wurzel() + QStringLiteral("/fehlt")));
    EXPECT_EQ(zcommon::Ini_Lesen(iniDatei, QStringLiteral("ZuletztNr"), QStringLiteral("01")), "Müller");
}
