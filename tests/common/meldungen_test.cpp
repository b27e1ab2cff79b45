// Sounds, boxes and the central error report.
#include "common/ini.h"
#include "common/meldungen.h"
#include "platform/drucker.h"
#include "testhilfe.h"

using namespace zcommon;
using namespace zplatform;

TEST(Meldungen, TonBoxenMitTildeUndAbbruch)
{
    TempWurzel w;
    TestPlattform p;
    w.schreiben("programm/KLANG.WAV", "RIFF");
    for (const QString& ton : {QString("#SystemQuestion"), QString("klang.wav"), w.programm() + "/Klang.wav",
                               QString("fehlt.wav"), QString()}) // a missing one is skipped silently
        Ton_Ausgeben(ton);
    EXPECT_EQ(p.toene, QStringList({"#SystemQuestion", w.programm() + "/KLANG.WAV", w.programm() + "/KLANG.WAV"}));
    EXPECT_TRUE(p.meldungen.empty());

    p.toene.clear();
    p.antworten.enqueue(vbNo);
    EXPECT_EQ(Meldung("#SystemQuestion", "Zeile 1~Zeile 2", vbYesNo + vbQuestion), vbNo);
    ASSERT_EQ(p.meldungen.size(), 1u);
    EXPECT_EQ(p.meldungen[0].text, "Zeile 1\r\nZeile 2");
    EXPECT_EQ(p.meldungen[0].titel, "Zettlora");
    EXPECT_EQ(p.toene, QStringList{"#SystemQuestion"});

    p.eingaben.enqueue("<abbruch>");
    EXPECT_EQ(InputBox("Name?~bitte", "Titel", "Vorschlag"), QString());
    EXPECT_EQ(p.eingabePrompts, QStringList{"Name?\r\nbitte"});
    EXPECT_EQ(InputBox("Name?", "Titel", "Vorschlag"), "Vorschlag");
}

TEST(Meldungen, FehlerMeldenErgebnisseUndProtokoll)
{
    TempWurzel w;
    TestPlattform p;
    auto* drucker = new AufzeichnungsDruckerBasis;
    druckerSetzen(std::unique_ptr<Drucker>(drucker));

    EXPECT_EQ(Fehler_Melden(0, "nichts"), 0);
    EXPECT_TRUE(p.meldungen.empty());
    EXPECT_TRUE(p.toene.isEmpty());

    // No answer scripted: the preselected button is No.
    EXPECT_EQ(Fehler_Melden(53, "Es ist ein Fehler aufgetreten.", "Daten_Laden"), 5);
    ASSERT_EQ(p.meldungen.size(), 1u);
    EXPECT_EQ(p.meldungen[0].stil, vbYesNoCancel + vbCritical + vbDefaultButton2);
    EXPECT_EQ(p.meldungen[0].antwort, vbNo);
    EXPECT_TRUE(p.meldungen[0].text.contains("Es ist ein Fehler aufgetreten."));
    EXPECT_TRUE(p.meldungen[0].text.contains("53"));
    EXPECT_TRUE(p.meldungen[0].text.endsWith("Möchten Sie die Meldung ausdrucken?"));
    EXPECT_EQ(p.toene, QStringList{"#SystemHand"});
    EXPECT_EQ(drucker->auftraege(), 0);

    // The last error is on record.
    const auto fehler = [](const char* schluessel) { return Ini_Lesen(QString(), "Fehler", schluessel); };
    EXPECT_EQ(QStringList({fehler("Nummer"), fehler("Text"), fehler("Position"), fehler("Datum"), fehler("Zeit")}),
              QStringList({"53", "Es ist ein Fehler aufgetreten.", "Daten_Laden", "02.07.2000", "10:30:00"}));

    p.antworten.enqueue(vbCancel);
    EXPECT_EQ(Fehler_Melden(70, "Speichern"), 2);
    EXPECT_EQ(fehler("Nummer"), "70");
    // The hint depends on the number.
    EXPECT_NE(p.meldungen[1].text.section("\r\n\r\n", -2, -2), p.meldungen[0].text.section("\r\n\r\n", -2, -2));

    p.antworten.enqueue(vbYes);
    EXPECT_EQ(Fehler_Melden(482, "Überweisung drucken"), 5);
    EXPECT_EQ(drucker->auftraege(), 1);
    ASSERT_FALSE(drucker->seiten().empty());
    const QString gedruckt = drucker->seiten()[0].texte().join(u'\n');
    for (const char* teil : {"482", "Überweisung drucken", "02.07.2000"})
        EXPECT_TRUE(gedruckt.contains(QString::fromUtf8(teil))) << teil;
}

TEST(Meldungen, FehlerMeldenSchuetztVorWiedereintritt)
{
    TempWurzel w;
    // Reports a second error while the first report's box is open.
    struct Verschachtelt : TestPlattform
    {
        int innen = -1;
        int meldung(const QString& text, int stil, const QString& titel, Schliessantwort schliessen = {}) override
        {
            if (innen < 0)
                innen = Fehler_Melden(7, "innen");
            return TestPlattform::meldung(text, stil, titel, schliessen);
        }
    } p;
    p.antworten.enqueue(vbCancel);
    EXPECT_EQ(Fehler_Melden(5, "aussen"), 2);
    EXPECT_EQ(p.innen, 5);
    EXPECT_EQ(p.meldungen.size(), 1u);
    // After the report the guard is open again.
    EXPECT_EQ(Fehler_Melden(5, "danach"), 5);
    EXPECT_EQ(p.meldungen.size(), 2u);
}
