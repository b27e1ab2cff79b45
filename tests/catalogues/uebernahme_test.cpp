// Learning catalogue entries from the address list: the three runs, their
// messages, Esc, and the write of each catalogue file.
#include "katalogtest.h"

#include "catalogues/katalog.h"
#include "catalogues/uebernahme.h"
#include "common/ini.h"

using namespace zkataloge;
using namespace zadressbuch;

namespace {

// Presses Esc when the walk reports its first progress.
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

QString bank(const char* blz, const char* name)
{
    return satzMit({{Bankleitzahl, QString::fromUtf8(blz)}, {Kreditinstitut, QString::fromUtf8(name)}});
}

} // namespace

class UebernahmeTest : public KatalogTest
{
protected:
    // Runs the command with OK to the question; returns the final message ("" none).
    QString ausfuehren(Katalogart art)
    {
        plattform.meldungen.clear();
        plattform.antworten.enqueue(zplatform::vbOK);
        Katalog_Uebernehmen(art, fenster, adressliste());
        return plattform.meldungen.size() >= 2 ? plattform.meldungen[1].text : QString();
    }
};

TEST_F(UebernahmeTest, BankEinzahlMehrzahlUndKeine)
{
    adressen({bank("12345678", "Xbank")});
    EXPECT_EQ(ausfuehren(Katalogart::Bank), QStringLiteral("1 BLZ-Kreditinstitute wurde übernommen."));
    ASSERT_FALSE(plattform.meldungen.empty());
    EXPECT_EQ(plattform.meldungen[0].titel, QStringLiteral("Kreditinstitute übernehmen"));
    EXPECT_EQ(plattform.meldungen[0].text,
              QStringLiteral("Sollen jetzt neue Kreditinstitute in den Katalog übernommen werden.\r\n\r\nDer zur Zeit "
                             "gewählte Standard-Katalog ist »D-«."));
    EXPECT_EQ(plattform.meldungen[1].titel, QStringLiteral("BLZ-Kreditinstitut Übernahme"));
    EXPECT_EQ(katalogText(QStringLiteral("D-BLZ_1.Txt")), QStringLiteral("[BLZ]\r\n12345678=Xbank\r\n"));
    EXPECT_EQ(fenster.statusTexte.last(), QStringLiteral("Bereit"));
    EXPECT_EQ(fenster.fortschritte.last(), -1);

    adressen({bank("12345678", "Abank"), bank(" 12345678 ", "Bbank")});
    katalog(QStringLiteral("D-BLZ_1.Txt"), {});
    EXPECT_EQ(ausfuehren(Katalogart::Bank), QStringLiteral("2 BLZ-Kreditinstitute wurden übernommen."));
    EXPECT_EQ(katalogText(QStringLiteral("D-BLZ_1.Txt")), QStringLiteral("[BLZ]\r\n12345678=Abank, Bbank\r\n"));
    EXPECT_EQ(ausfuehren(Katalogart::Bank), QStringLiteral("Keine BLZ-Kreditinstitute wurden übernommen."));
    // No pick list during a run, although the key holds several names now.
    EXPECT_TRUE(fenster.auswahlAngebote.isEmpty());
}

TEST_F(UebernahmeTest, BankRegelnDerNamen)
{
    const QString lang = QString(202, QLatin1Char('L'));
    katalog(QStringLiteral("D-BLZ_2.Txt"),
            {QStringLiteral("[BLZ]"), QStringLiteral("20000000=Sparkasse Mitte, Volksbank"),
             QStringLiteral("21000000=") + lang, QStringLiteral("22000000=Alt")});
    adressen({bank("20000000", "sparkasse"),  // part of a stored name: not added
              bank("21000000", "Neu"),        // stored value longer than 201: replaced
              bank("22000000", "Y"),          // one character: not taken
              bank("22000000", " Postbank "), // trimmed, appended, stored names kept
              bank("", "Ohne Code")});
    EXPECT_EQ(ausfuehren(Katalogart::Bank), QStringLiteral("2 BLZ-Kreditinstitute wurden übernommen."));
    EXPECT_EQ(katalogText(QStringLiteral("D-BLZ_2.Txt")),
              QStringLiteral("[BLZ]\r\n20000000=Sparkasse Mitte, Volksbank\r\n21000000=Neu\r\n22000000=Alt, "
                             "Postbank\r\n"));
}

// Only a bank value longer than 201 characters is replaced by the new name;
// one of exactly 201 keeps its names, and places and area codes are kept
// however long their values grow.
TEST_F(UebernahmeTest, NurEinBankwertUeber201ZeichenWirdErsetzt)
{
    const struct
    {
        Katalogart art;
        const char* datei;
        const char* schluessel;
        QString gespeichert;
        QString adresse;
        QString danach;
    } faelle[] = {
        {Katalogart::Bank, "D-BLZ_2.Txt", "20000000", QString(201, u'L'), bank("20000000", "Neu"),
         QString(201, u'L') + QStringLiteral(", Neu")},
        {Katalogart::Bank, "D-BLZ_2.Txt", "20000000", QString(202, u'L'), bank("20000000", "Neu"),
         QStringLiteral("Neu")},
        {Katalogart::Ort, "D-PLZ_Ort_5.txt", "50667", QString(202, u'O'),
         satzMit({{Plz, QStringLiteral("50667")}, {Ort, QStringLiteral("Altstadt")}}),
         QString(202, u'O') + QStringLiteral(", Altstadt")},
        {Katalogart::Ort, "D-PLZ_Ort_5.txt", "50667", QString(600, u'O'),
         satzMit({{Plz, QStringLiteral("50667")}, {Ort, QStringLiteral("Altstadt")}}),
         QString(600, u'O') + QStringLiteral(", Altstadt")},
        {Katalogart::Vorwahl, "D-PLZ_Vorwahl_5.txt", "50667", QString(202, u'9'),
         satzMit({{Plz, QStringLiteral("50667")}, {Ort, QStringLiteral("Köln")}, {Telefon, QStringLiteral("0221/1")}}),
         QString(202, u'9') + QStringLiteral(", 0221")},
        {Katalogart::Vorwahl, "D-PLZ_Vorwahl_5.txt", "50667", QString(600, u'9'),
         satzMit({{Plz, QStringLiteral("50667")}, {Ort, QStringLiteral("Köln")}, {Telefon, QStringLiteral("0221/1")}}),
         QString(600, u'9') + QStringLiteral(", 0221")},
    };
    for (const auto& fall : faelle) {
        const QString datei = QString::fromUtf8(fall.datei);
        const QString schluessel = QString::fromUtf8(fall.schluessel);
        const QString sektion = fall.art == Katalogart::Bank ? QStringLiteral("[BLZ]") : QStringLiteral("[PLZ]");
        zcommon::Ini_CacheLeeren();
        katalog(datei, {sektion, schluessel + u'=' + fall.gespeichert});
        adressen({fall.adresse});
        ausfuehren(fall.art);
        EXPECT_EQ(katalogText(datei), crlf({sektion, schluessel + u'=' + fall.danach}))
            << datei.toStdString() << ", stored value of " << fall.gespeichert.size() << " characters";
    }
}

TEST_F(UebernahmeTest, OrteJeLandUndOhneAuswahl)
{
    katalog(QStringLiteral("D-PLZ_Ort_5.txt"), {QStringLiteral("[PLZ]"), QStringLiteral("50667=Köln, Deutz")});
    adressen({satzMit({{Plz, QStringLiteral("50667")}, {Ort, QStringLiteral("Altstadt")}}),
              satzMit({{Plz, QStringLiteral("A-1010")}, {Ort, QStringLiteral("Wien")}}),
              satzMit({{Plz, QStringLiteral("a-1010")}, {Ort, QStringLiteral("wien")}}),
              satzMit({{Plz, QStringLiteral("10115")}, {Ort, QStringLiteral("B")}})});
    EXPECT_EQ(ausfuehren(Katalogart::Ort), QStringLiteral("2 PLZ-Ortsnamen wurden übernommen."));
    EXPECT_EQ(katalogText(QStringLiteral("D-PLZ_Ort_5.txt")),
              QStringLiteral("[PLZ]\r\n50667=Köln, Deutz, Altstadt\r\n"));
    EXPECT_EQ(katalogText(QStringLiteral("A-PLZ_Ort_1.txt")), QStringLiteral("[PLZ]\r\n1010=Wien\r\n"));
    EXPECT_TRUE(fenster.auswahlAngebote.isEmpty());
    EXPECT_EQ(plattform.meldungen[1].titel, QStringLiteral("PLZ-Ortsnamen Übernahme"));
}

TEST_F(UebernahmeTest, VorwahlenDreiFelderJeAdresse)
{
    adressen(
        {satzMit({{Plz, QStringLiteral("50667")},
                  {Ort, QStringLiteral("Köln")},
                  {Telefon, QStringLiteral("0221 / 123456")},
                  {Telefax, QStringLiteral("0221-99")},
                  {Datentelefon, QStringLiteral("02203/5")}}),
         satzMit({{Plz, QStringLiteral("D-50667")}, // prefixed postcodes are skipped
                  {Ort, QStringLiteral("Köln")},
                  {Telefon, QStringLiteral("0228/1")}}),
         satzMit({{Plz, QStringLiteral("50667")}, {Ort, QStringLiteral("K")}, {Telefon, QStringLiteral("0229/1")}}),
         satzMit({{Plz, QStringLiteral("50667")},
                  {Ort, QStringLiteral("Köln")},
                  {Telefon, QStringLiteral("0171/1234567")}})}); // mobile: no area code
    EXPECT_EQ(ausfuehren(Katalogart::Vorwahl), QStringLiteral("2 PLZ-Vorwahlen wurden übernommen."));
    EXPECT_EQ(katalogText(QStringLiteral("D-PLZ_Vorwahl_5.txt")), QStringLiteral("[PLZ]\r\n50667=0221, 02203\r\n"));
    EXPECT_EQ(plattform.meldungen[1].titel, QStringLiteral("PLZ-Vorwahlen-Übernahme"));
    adressen({});
    EXPECT_EQ(ausfuehren(Katalogart::Vorwahl), QStringLiteral("Keine PLZ-Vorwahlen wurden übernommen."));
}

TEST_F(UebernahmeTest, AbbruchDerFrageAendertNichts)
{
    adressen({bank("12345678", "X")});
    plattform.antworten.enqueue(zplatform::vbCancel);
    Katalog_Uebernehmen(Katalogart::Bank, fenster, adressliste());
    EXPECT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_FALSE(gibt(QStringLiteral("D-BLZ_1.Txt")));
    EXPECT_TRUE(fenster.statusTexte.isEmpty());
}

TEST_F(UebernahmeTest, EscOhneMeldungBehaeltBisherGelerntes)
{
    EscFenster esc;
    adressen({bank("12345678", "Xbank"), bank("22345678", "Ybank")});
    plattform.antworten.enqueue(zplatform::vbOK);
    Katalog_Uebernehmen(Katalogart::Bank, esc, adressliste());
    EXPECT_EQ(plattform.meldungen.size(), 1u); // the question only
    EXPECT_EQ(esc.statusTexte.last(), QStringLiteral("Bereit"));
    EXPECT_EQ(esc.fortschritte.last(), -1);
    EXPECT_FALSE(gibt(QStringLiteral("D-BLZ_1.Txt")));
}

TEST_F(UebernahmeTest, FehlenderOrdnerWirdAngelegtUnschreibbarerGemeldet)
{
    QDir(wurzel.programm() + QStringLiteral("/Kataloge")).removeRecursively();
    adressen({satzMit({{Plz, QStringLiteral("10115")}, {Ort, QStringLiteral("Berlin")}})});
    EXPECT_EQ(ausfuehren(Katalogart::Ort), QStringLiteral("1 PLZ-Ortsnamen wurde übernommen."));
    EXPECT_EQ(katalogText(QStringLiteral("D-PLZ_Ort_1.txt")), QStringLiteral("[PLZ]\r\n10115=Berlin\r\n"));

    // A folder in place of the catalogue file: the failure is said, not hidden.
    QFile::remove(wurzel.programm() + QStringLiteral("/Kataloge/D-PLZ_Ort_1.txt"));
    QDir(wurzel.programm()).mkpath(QStringLiteral("Kataloge/D-PLZ_Ort_1.txt"));
    zcommon::Ini_CacheLeeren();
    ausfuehren(Katalogart::Ort);
    ASSERT_EQ(plattform.meldungen.size(), 3u);
    EXPECT_TRUE(plattform.meldungen[2].text.contains(QStringLiteral("konnte nicht gespeichert werden")));
    EXPECT_TRUE(plattform.meldungen[2].text.contains(QStringLiteral("D-PLZ_Ort_1.txt")));
}

TEST_F(UebernahmeTest, ZaehlerUeber32767)
{
    // Three new area codes per address: 36000 writes, counted truly.
    QStringList saetze;
    for (int i = 0; i < 12000; ++i) {
        const QString plz = QString::number(10000 + i);
        saetze << satzMit({{Plz, plz},
                           {Ort, QStringLiteral("Ort")},
                           {Telefon, QStringLiteral("05%1/1").arg(100 + i % 900)},
                           {Telefax, QStringLiteral("06%1/2").arg(10 + i % 90)},
                           {Datentelefon, QStringLiteral("07%1/3").arg(i % 10)}});
    }
    adressen(saetze);
    EXPECT_EQ(ausfuehren(Katalogart::Vorwahl), QStringLiteral("36000 PLZ-Vorwahlen wurden übernommen."));
    int modus = 2;
    EXPECT_EQ(KatalogVorwahl_Suchen(QStringLiteral("10001"), modus), QStringLiteral("05101, 0611, 071"));
    EXPECT_EQ(KatalogVorwahl_Suchen(QStringLiteral("21999"), modus), QStringLiteral("05399, 0639, 079"));
}
