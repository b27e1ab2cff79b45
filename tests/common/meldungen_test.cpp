// Sounds, boxes and the central error report.
#include "common/ini.h"
#include "common/meldungen.h"
#include "platform/drucker.h"
#include "support/testplattform.h"

#include <gtest/gtest.h>

using namespace zcommon;
using namespace zplatform;

namespace {

// Installs a recording printer for the test and hands it out.
AufzeichnungsDruckerBasis* aufzeichnenderDrucker()
{
    auto d = std::make_unique<AufzeichnungsDruckerBasis>();
    AufzeichnungsDruckerBasis* roh = d.get();
    druckerSetzen(std::move(d));
    return roh;
}

} // namespace

TEST(Meldungen, TonAusgeben)
{
    TempWurzel w;
    TestPlattform p;
    w.schreiben(QStringLiteral("programm/KLANG.WAV"), QStringLiteral("RIFF"));
    Ton_Ausgeben(QStringLiteral("#SystemQuestion"));
    Ton_Ausgeben(QStringLiteral("klang.wav"));
    Ton_Ausgeben(w.programm() + QStringLiteral("/Klang.wav"));
    Ton_Ausgeben(QStringLiteral("fehlt.wav")); // skipped silently
    Ton_Ausgeben(QString());
    EXPECT_EQ(p.toene, (QStringList{QStringLiteral("#SystemQuestion"), w.programm() + QStringLiteral("/KLANG.WAV"),
                                    w.programm() + QStringLiteral("/KLANG.WAV")}));
    EXPECT_TRUE(p.meldungen.empty());
}

TEST(Meldungen, BoxenMitTildeUndAbbruch)
{
    TestPlattform p;
    p.antworten.enqueue(vbNo);
    EXPECT_EQ(Meldung(QStringLiteral("#SystemQuestion"), QStringLiteral("Zeile 1~Zeile 2"), vbYesNo + vbQuestion),
              vbNo);
    ASSERT_EQ(p.meldungen.size(), 1u);
    EXPECT_EQ(p.meldungen[0].text, QStringLiteral("Zeile 1\r\nZeile 2"));
    EXPECT_EQ(p.meldungen[0].titel, QStringLiteral("Zettlora"));
    EXPECT_EQ(p.toene, QStringList{QStringLiteral("#SystemQuestion")});

    p.eingaben.enqueue(QStringLiteral("<abbruch>"));
    EXPECT_EQ(InputBox(QStringLiteral("Name?~bitte"), QStringLiteral("Titel"), QStringLiteral("Vorschlag")), QString());
    EXPECT_EQ(p.eingabePrompts, QStringList{QStringLiteral("Name?\r\nbitte")});
    EXPECT_EQ(InputBox(QStringLiteral("Name?"), QStringLiteral("Titel"), QStringLiteral("Vorschlag")),
              QStringLiteral("Vorschlag"));
}

TEST(Meldungen, FehlerMeldenErgebnisseUndProtokoll)
{
    TempWurzel w;
    TestPlattform p;
    AufzeichnungsDruckerBasis* drucker = aufzeichnenderDrucker();

    EXPECT_EQ(Fehler_Melden(0, QStringLiteral("nichts")), 0);
    EXPECT_TRUE(p.meldungen.empty());
    EXPECT_TRUE(p.toene.isEmpty());

    // No answer scripted: the preselected button is No.
    EXPECT_EQ(Fehler_Melden(53, QStringLiteral("Es ist ein Fehler aufgetreten."), QStringLiteral("Daten_Laden")), 5);
    ASSERT_EQ(p.meldungen.size(), 1u);
    EXPECT_EQ(p.meldungen[0].stil, vbYesNoCancel + vbCritical + vbDefaultButton2);
    EXPECT_EQ(p.meldungen[0].antwort, vbNo);
    EXPECT_TRUE(p.meldungen[0].text.contains(QStringLiteral("Es ist ein Fehler aufgetreten.")));
    EXPECT_TRUE(p.meldungen[0].text.contains(QStringLiteral("53")));
    EXPECT_TRUE(p.meldungen[0].text.endsWith(QStringLiteral("Möchten Sie die Meldung ausdrucken?")));
    EXPECT_EQ(p.toene, QStringList{QStringLiteral("#SystemHand")});
    EXPECT_EQ(drucker->auftraege(), 0);

    // The last error is on record.
    EXPECT_EQ(Ini_Lesen(QString(), QStringLiteral("Fehler"), QStringLiteral("Nummer")), QStringLiteral("53"));
    EXPECT_EQ(Ini_Lesen(QString(), QStringLiteral("Fehler"), QStringLiteral("Text")),
              QStringLiteral("Es ist ein Fehler aufgetreten."));
    EXPECT_EQ(Ini_Lesen(QString(), QStringLiteral("Fehler"), QStringLiteral("Position")),
              QStringLiteral("Daten_Laden"));
    EXPECT_EQ(Ini_Lesen(QString(), QStringLiteral("Fehler"), QStringLiteral("Datum")), QStringLiteral("02.07.2000"));
    EXPECT_EQ(Ini_Lesen(QString(), QStringLiteral("Fehler"), QStringLiteral("Zeit")), QStringLiteral("10:30:00"));

    p.antworten.enqueue(vbCancel);
    EXPECT_EQ(Fehler_Melden(70, QStringLiteral("Speichern")), 2);
    EXPECT_EQ(Ini_Lesen(QString(), QStringLiteral("Fehler"), QStringLiteral("Nummer")), QStringLiteral("70"));
    // The hint depends on the number.
    EXPECT_NE(p.meldungen[1].text.section(QStringLiteral("\r\n\r\n"), -2, -2),
              p.meldungen[0].text.section(QStringLiteral("\r\n\r\n"), -2, -2));

    p.antworten.enqueue(vbYes);
    EXPECT_EQ(Fehler_Melden(482, QStringLiteral("Überweisung drucken")), 5);
    EXPECT_EQ(drucker->auftraege(), 1);
    ASSERT_FALSE(drucker->seiten().empty());
    const QString gedruckt = drucker->seiten()[0].texte().join(QLatin1Char('\n'));
    EXPECT_TRUE(gedruckt.contains(QStringLiteral("482")));
    EXPECT_TRUE(gedruckt.contains(QStringLiteral("Überweisung drucken")));
    EXPECT_TRUE(gedruckt.contains(QStringLiteral("02.07.2000")));
}

namespace {

// Reports a second error while the first report's box is open.
class Verschachtelt : public TestPlattform
{
public:
    int innen = -1;
    int meldung(const QString& text, int stil, const QString& titel) override
    {
        if (innen < 0)
            innen = Fehler_Melden(7, QStringLiteral("innen"));
        return TestPlattform::meldung(text, stil, titel);
    }
};

} // namespace

TEST(Meldungen, FehlerMeldenSchuetztVorWiedereintritt)
{
    TempWurzel w;
    Verschachtelt p;
    p.antworten.enqueue(vbCancel);
    EXPECT_EQ(Fehler_Melden(5, QStringLiteral("aussen")), 2);
    EXPECT_EQ(p.innen, 5);
    EXPECT_EQ(p.meldungen.size(), 1u);
    // After the report the guard is open again.
    EXPECT_EQ(Fehler_Melden(5, QStringLiteral("danach")), 5);
    EXPECT_EQ(p.meldungen.size(), 2u);
}
