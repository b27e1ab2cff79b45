// The document hand-over files, byte for byte in Windows-1252.

#include "masks/uebergabe.h"

#include "addressbook/datensatz.h"
#include "common/ini.h"
#include "platform/codec.h"
#include "testhilfe.h"

#include <QFileInfo>

using zmasken::Adresse_Uebergeben;

class UebergabeTest : public MaskenUmgebung
{
protected:
    void SetUp() override
    {
        MaskenUmgebung::SetUp();
        bytesSchreiben(daten() + "/Anschrift.msk",
                       zplatform::nachWindows1252("{Anrede}\r\n{Vorname} {Nachname}\r\n{Straße}\r\n\r\n{PLZ} {Ort}"));
        for (const auto& [nr, text] : {std::pair<int, QString>{0, " Kunden "},
                                       {1, "Müller"},
                                       {2, "Jürgen"},
                                       {3, "Hauptstraße 5"},
                                       {4, "12345"},
                                       {5, "Köln"},
                                       {7, "0221-123456"},
                                       {11, "erste Zeile\r\nzweite Zeile"},
                                       {12, "0171/9876543"},
                                       {21, " Frau "},
                                       {23, "17"}})
            karte[nr] = text;
        satz = zadressbuch::Verbinden(karte);
    }

    void pfadeSetzen()
    {
        zcommon::Ini_Schreiben(QString(), QString(), "Adr_Speichern_In", textDatei);
        zcommon::Ini_Schreiben(QString(), QString(), "Adr_IniSpeichern_In", iniDatei);
    }
    static QString einstellung(const QString& schluessel)
    {
        return zcommon::Ini_Lesen(QString(), QString(), schluessel, "<fehlt>");
    }
    QString nr(const QString& schluessel) const { return zcommon::Ini_Lesen(iniDatei, "ZuletztNr", schluessel); }
    QString bez(const QString& schluessel) const
    {
        return zcommon::Ini_Lesen(iniDatei, "ZuletztBez", schluessel, "<fehlt>");
    }

    const QString textDatei = w.wurzel() + "/uebergabe.txt";
    const QString iniDatei = w.wurzel() + "/uebergabe.ini";
    zadressbuch::Felder karte;
    QString satz;
};

TEST_F(UebergabeTest, TextUndIniDateiByteFuerByte)
{
    pfadeSetzen();
    EXPECT_EQ(zmasken::Uebergabe_Zuruecksetzen(), iniDatei);
    Adresse_Uebergeben(karte, satz);
    EXPECT_EQ(bytesLesen(textDatei),
              QByteArray("Kunden\r\nM\xfcller\r\nJ\xfcrgen\r\nHauptstra\xdf"
                         "e 5\r\n12345\r\nK\xf6ln\r\n"
                         "\r\n0221 / 123456\r\n\r\n\r\n\r\nerste Zeile~zweite Zeile\r\n"
                         "0171 / 9876543\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nFrau\r\n\r\n17\r\n"));
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
    zadressbuch::sitzung().Bezeichnungen[1] = "Name";
    karte[1] = "Meier";
    Adresse_Uebergeben(karte, zadressbuch::Verbinden(karte));
    EXPECT_EQ(bez("Name"), "Meier");
    EXPECT_EQ(bez("Nachname"), "Müller");
    EXPECT_EQ(nr("01"), "Meier");
    // The next start-up begins the file afresh.
    zmasken::Uebergabe_Zuruecksetzen();
    EXPECT_EQ(bytesLesen(iniDatei), "[ZuletztNr]\r\n99=ja\r\n");
}

TEST_F(UebergabeTest, ZuruecksetzenOhneEinstellung)
{
    const QString tmp = w.windows() + "/TmpAdrDoc.Tmp";
    bytesSchreiben(tmp, "[Alt]\r\nx=1\r\n");
    EXPECT_EQ(zmasken::Uebergabe_Zuruecksetzen(), tmp);
    EXPECT_EQ(einstellung("Adr_IniSpeichern_In"), tmp);
    EXPECT_EQ(bytesLesen(tmp), "[ZuletztNr]\r\n99=ja\r\n");
}

TEST_F(UebergabeTest, OhneAusgewaehlteAdresse)
{
    pfadeSetzen();
    Adresse_Uebergeben(QString());
    EXPECT_EQ(bytesLesen(textDatei), QByteArray("\r\n").repeated(24));
    EXPECT_EQ(bez("Anschrift"), "");
    EXPECT_EQ(bez("Anrede2"), "");
    // The card shows an address but no list entry is selected.
    Adresse_Uebergeben(karte, QString());
    EXPECT_EQ(bez("Anschrift"), "");
    EXPECT_EQ(bez("Nachname"), "Müller");
}

TEST_F(UebergabeTest, OhnePfadeWirdNurDasTelefonformatGeschrieben)
{
    zcommon::Ini_Schreiben(QString(), QString(), "Adr_TeleFormat3&2", "2");
    Adresse_Uebergeben(karte, satz);
    EXPECT_EQ(einstellung("Adr_TeleFormat3&2"), "1");
    EXPECT_EQ(QDir(w.wurzel()).entryList(QDir::Files), QStringList());
    EXPECT_FALSE(QFileInfo::exists(daten() + "/Masken.Ini"));

    // Phone fields as typed when the setting holds no number.
    zcommon::Ini_Schreiben(QString(), QString(), "Adr_TeleFormat3&2", "aus");
    pfadeSetzen();
    Adresse_Uebergeben(karte, satz);
    EXPECT_EQ(einstellung("Adr_TeleFormat3&2"), "0");
    EXPECT_EQ(nr("07"), "0221-123456");
    EXPECT_EQ(nr("12"), "0171/9876543");
}

TEST_F(UebergabeTest, BemerkungsauswahlAnredeUndBezeichnungen)
{
    pfadeSetzen();
    // More than 10 selected characters replace field 11 in the INI file only.
    Adresse_Uebergeben(karte, satz, " zweite\r\nZeile ");
    EXPECT_EQ(nr("11"), "zweite~Zeile");
    EXPECT_EQ(bez("Zusatzbemerkung"), "zweite~Zeile");
    EXPECT_TRUE(bytesLesen(textDatei).contains("\r\nerste Zeile~zweite Zeile\r\n"));
    Adresse_Uebergeben(karte, satz, "1234567890");
    EXPECT_EQ(nr("11"), "erste Zeile~zweite Zeile");

    for (const auto& [anrede, anrede2] :
         {std::pair<QString, const char*>{"  HERR ", "Sehr geehrter Herr"}, {"Frau Dr.", "frau dr."}, {"", ""}}) {
        karte[21] = anrede;
        Adresse_Uebergeben(karte, satz);
        EXPECT_EQ(bez("Anrede2"), anrede2) << anrede.toStdString();
    }

    // Captions equal after trimming: the later field remains; an empty caption is "NoKey".
    auto& bezeichnungen = zadressbuch::sitzung().Bezeichnungen;
    bezeichnungen[8] = " Telefon ";
    bezeichnungen[22] = QString();
    karte[8] = "0221-999";
    karte[22] = "www.example.de";
    Adresse_Uebergeben(karte, satz);
    EXPECT_EQ(bez("Telefon"), "0221 / 999");
    EXPECT_EQ(nr("07"), "0221 / 123456");
    EXPECT_EQ(bez("NoKey"), "www.example.de");
}

TEST_F(UebergabeTest, OhneMaskeUndBesondereBezeichnungenOderOrdner)
{
    pfadeSetzen();
    QFile::remove(daten() + "/Anschrift.msk");
    // Captions with "=" and brackets are written as keys unchanged.
    zadressbuch::sitzung().Bezeichnungen[6] = "Land=Staat [ISO]";
    karte[6] = "D";
    Adresse_Uebergeben(karte, satz);
    const QByteArray ini = bytesLesen(iniDatei);
    EXPECT_TRUE(ini.contains("\r\nLand=Staat [ISO]=D\r\n")) << ini.constData();
    EXPECT_TRUE(ini.contains("\r\nAnschrift=\r\nAnrede2=Sehr geehrte Frau\r\n")) << ini.constData();

    // A missing folder stops only the text file.
    QFile::remove(iniDatei);
    zcommon::Ini_Schreiben(QString(), QString(), "Adr_Speichern_In", w.wurzel() + "/fehlt/uebergabe.txt");
    Adresse_Uebergeben(karte, satz);
    EXPECT_FALSE(QFileInfo::exists(w.wurzel() + "/fehlt"));
    EXPECT_EQ(nr("01"), "Müller");
}
