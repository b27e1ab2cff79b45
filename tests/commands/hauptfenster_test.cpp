// The commands on the real main window (offscreen): new address, typing,
// sorting, delete and undo, save and exit, a second run with the same data,
// merging, and an exit whose save fails.
#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "addressbook/sitzung.h"
#include "addressbook/ui/main.h"
#include "commands/anbindung.h"
#include "commands/ui/befehle_anmelden.h"
#include "support/testplattform.h"

#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using namespace zadressbuch;

namespace {

QString zeile(std::initializer_list<std::pair<int, QString>> felder)
{
    QStringList f(FeldAnzahl);
    for (const auto& [nr, text] : felder)
        f[nr] = text;
    if (f[0].isEmpty())
        f[0] = QStringLiteral(" ");
    QString z;
    for (const QString& t : f)
        z += t + QLatin1Char('\t');
    return z;
}

class Hauptfenster : public ::testing::Test
{
protected:
    TempWurzel wurzel;
    TestPlattform plattform;
    std::unique_ptr<Main> fenster;

    void SetUp() override
    {
        sitzungZuruecksetzen();
        adressliste().Clear();
        zbefehle::Befehle_Anmelden();
    }
    void TearDown() override
    {
        fenster.reset();
        zbefehle::Befehle_Abmelden();
        sitzungZuruecksetzen();
        adressliste().Clear();
    }

    Main& starten()
    {
        fenster.reset();
        sitzungZuruecksetzen();
        adressliste().Clear();
        fenster = std::make_unique<Main>();
        fenster->Form_Load();
        fenster->show();
        return *fenster;
    }
    QByteArray datei() const
    {
        QFile f(wurzel.programm() + QStringLiteral("/zettlora.dat"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList nachnamen() const
    {
        QStringList r;
        for (int i = 0; i < adressliste().ListCount(); ++i)
            r << FeldAus(adressliste().List(i), Nachname);
        return r;
    }
    void tippen(int feld, const QString& text)
    {
        fenster->Feld(feld)->setFocus();
        QTest::keyClicks(fenster->Feld(feld), text);
    }
};

TEST_F(Hauptfenster, DerHauptwegVonNeuBisZumNaechstenStart)
{
    wurzel.schreiben(QStringLiteral("programm/zettlora.dat"),
                     QStringLiteral("..Test\r\n") + zeile({{1, QStringLiteral("Zander")}}) + QStringLiteral("\r\n") +
                         zeile({{1, QStringLiteral("Adam")}}) + QStringLiteral("\r\n"));
    Main& m = starten();
    ASSERT_EQ(adressliste().ListCount(), 2);

    // New address, typed into the card.
    m.mnuAdrAnlegen_Click();
    ASSERT_EQ(adressliste().ListCount(), 3);
    EXPECT_EQ(adressliste().ListIndex(), 2);
    tippen(Nachname, QStringLiteral("Berta"));
    EXPECT_EQ(FeldAus(adressliste().List(2), Nachname), QStringLiteral("Berta"));
    EXPECT_EQ(FeldAus(adressliste().List(2), ErstelltAm), QStringLiteral("02.07.2000"));

    // Sorted by surname; the new address stays on the card.
    m.mnuSort_Click(Nachname);
    EXPECT_EQ(nachnamen(), (QStringList{QStringLiteral("Adam"), QStringLiteral("Berta"), QStringLiteral("Zander")}));
    EXPECT_EQ(adressliste().ListIndex(), 1);
    EXPECT_EQ(m.FeldText(Nachname), QStringLiteral("Berta"));

    // Delete (the question answered Yes) and undo.
    adressliste().setListIndex(2);
    m.mnuAdrLoeschen_Click();
    EXPECT_EQ(nachnamen(), (QStringList{QStringLiteral("Adam"), QStringLiteral("Berta")}));
    EXPECT_EQ(adressliste().ListIndex(), 1);
    tippen(Vorname, QStringLiteral("Xaver"));
    EXPECT_EQ(FeldAus(adressliste().List(1), Vorname), QStringLiteral("Xaver"));
    m.mnuUndo_Click();
    EXPECT_EQ(FeldAus(adressliste().List(1), Vorname), QString());
    EXPECT_EQ(m.FeldText(Vorname), QString());

    // Save and exit, then a second run finds the same data.
    const QStringList vorher = adressliste().eintraege();
    m.pulEnde_Click();
    EXPECT_TRUE(m.beendet());
    Main& m2 = starten();
    EXPECT_EQ(adressliste().eintraege(), vorher);
    EXPECT_EQ(sitzung().Beschreibung, QStringLiteral("Test"));

    // Merge a ";"-separated file.
    wurzel.schreiben(QStringLiteral("programm/import.dat"), QStringLiteral("Kopf\r\nMeier;Eva\r\n"));
    zbefehle::anbindung().Datei_Waehlen = [this](const zbefehle::DateiWahl&) {
        return wurzel.programm() + QStringLiteral("/import.dat");
    };
    m2.mnuDateiHinzufuegen_Click();
    ASSERT_EQ(adressliste().ListCount(), 3);
    EXPECT_EQ(adressliste().List(2), QStringLiteral("Meier\tEva"));
    EXPECT_EQ(m2.FeldText(1), QStringLiteral("Eva"));
    EXPECT_EQ(sitzung().Geaendert, 1);
}

TEST_F(Hauptfenster, MisslungenesSpeichernBehaeltDieDateiUndBeendetNicht)
{
    wurzel.schreiben(QStringLiteral("programm/zettlora.dat"),
                     zeile({{1, QStringLiteral("Alt")}}) + QStringLiteral("\r\n"));
    Main& m = starten();
    const QByteArray vorher = datei();
    // A name Windows-1252 cannot hold: the save fails.
    adressliste().setList(0, zeile({{1, QStringLiteral("Zhōu")}}));
    sitzung().Geaendert = 1;
    plattform.antworten << zplatform::vbOK << zplatform::vbNo;
    m.pulEnde_Click();
    EXPECT_FALSE(m.beendet());
    EXPECT_EQ(datei(), vorher);
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_EQ(plattform.meldungen.back().titel, QStringLiteral("Programm beenden"));

    // Quitting without saving ends and writes nothing.
    m.PulAbbruch_Click();
    EXPECT_TRUE(m.beendet());
    EXPECT_EQ(datei(), vorher);
}

} // namespace
