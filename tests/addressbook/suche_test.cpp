// The text search: patterns, reduced comparison, wrap-around, results,
// sounds, and a list that changes while the search lets events run.
#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "addressbook/sitzung.h"
#include "addressbook/suche.h"
#include "common/ini.h"
#include "support/testplattform.h"

#include <gtest/gtest.h>
#include <functional>

using namespace zadressbuch;

namespace {

QString adresse(const QString& rubrik, const QString& name, const QString& vorname, const QString& telefon = {},
                const QString& ort = {})
{
    Felder f;
    f[Rubrik] = rubrik;
    f[Nachname] = name;
    f[Vorname] = vorname;
    f[Telefon] = telefon;
    f[Ort] = ort;
    return Verbinden(f);
}

// A platform whose event processing runs a scripted action once.
class EreignisPlattform : public TestPlattform
{
public:
    std::function<void()> beiEreignissen;
    int aufrufe = 0;
    void ereignisseVerarbeiten() override
    {
        ++aufrufe;
        if (beiEreignissen) {
            auto a = std::move(beiEreignissen);
            beiEreignissen = nullptr;
            a();
        }
    }
};

class TextSucheTest : public ::testing::Test
{
protected:
    TempWurzel wurzel;
    EreignisPlattform plattform;
    AdressListe liste;

    void SetUp() override
    {
        sitzungZuruecksetzen();
        wurzel.schreiben(QStringLiteral("programm/Sgn_Jo.Wav"), QStringLiteral("RIFF"));
        wurzel.schreiben(QStringLiteral("programm/Sgn_No.Wav"), QStringLiteral("RIFF"));
        liste.setEintraege({
            adresse(QStringLiteral("Kunde"), QStringLiteral("Müller"), QStringLiteral("Hans"),
                    QStringLiteral("030/123 45-67"), QStringLiteral("Berlin")),       // 0
            adresse(QStringLiteral("Meier"), QStringLiteral("Schmidt"), QStringLiteral("Eva")),         // 1
            adresse(QStringLiteral("Lieferant"), QStringLiteral("Meier"), QStringLiteral("Karl"),
                    QStringLiteral("+49 (89) 55 66")),                                                // 2
            adresse(QStringLiteral("Privat"), QStringLiteral("Hans"), QStringLiteral("Müller")),        // 3
            adresse(QStringLiteral("Privat"), QStringLiteral("Meierhof"), QStringLiteral("Anna")),      // 4
        });
    }
};

} // namespace

TEST(SuchMusterTest, WoerterAnfuehrungszeichenUndPlus)
{
    EXPECT_EQ(SuchMuster(QStringLiteral("  Müller   HANS ")),
              (QStringList{QStringLiteral("*müller*"), QStringLiteral("*hans*")}));
    EXPECT_EQ(SuchMuster(QStringLiteral("\"Meier\"")), QStringList{QStringLiteral("*\tmeier\t*")});
    EXPECT_EQ(SuchMuster(QStringLiteral("Müller+Hans")), QStringList{QStringLiteral("*müller[\t+]hans*")});
    EXPECT_TRUE(SuchMuster(QStringLiteral("   ")).isEmpty());
    EXPECT_EQ(NichtGefundenText(QStringLiteral("  xy z ")), QStringLiteral("Gesuchten Text »xy z« nicht gefunden."));
    EXPECT_EQ(SuchVergleichstext(QStringLiteral("Ärger-Straße 5\tÉcole"), true), QStringLiteral("ärgerstraße5cole"));
    EXPECT_EQ(SuchVergleichstext(QStringLiteral("ÄÖÜ ŠŒŽŸ"), false), QStringLiteral("äöü šœžÿ"));
}

TEST_F(TextSucheTest, AlleWoerterInBeliebigerReihenfolgeUndGrossschreibung)
{
    liste.setListIndex(1);
    SuchErgebnis e = TextSuche(liste, QStringLiteral("HANS müller"), false);
    EXPECT_EQ(e.ausgang, SuchErgebnis::Gefunden);
    EXPECT_EQ(e.index, 3); // after the selected entry first
    EXPECT_EQ(e.status, QStringLiteral("Bereit"));
    EXPECT_EQ(e.farbe, SuchFarbe::Normal);
    ASSERT_FALSE(plattform.toene.isEmpty());
    EXPECT_TRUE(plattform.toene.last().endsWith(QStringLiteral("/Sgn_Jo.Wav")));

    // Repeating from the hit steps on and wraps round to the top.
    liste.setListIndex(3);
    EXPECT_EQ(TextSuche(liste, QStringLiteral("HANS müller"), false).index, 0);
}

TEST_F(TextSucheTest, AnfuehrungszeichenNurGanzesFeldNieFeld0)
{
    liste.setListIndex(-1);
    // "Meier" stands alone in field 0 of entry 1 (no separator before it) and
    // in field 1 of entry 2; "Meierhof" is no whole-field match.
    SuchErgebnis e = TextSuche(liste, QStringLiteral("\"meier\""), false);
    EXPECT_EQ(e.index, 2);
    liste.setListIndex(2);
    EXPECT_EQ(TextSuche(liste, QStringLiteral("\"meier\""), false).index, 2); // the only one: found again
}

TEST_F(TextSucheTest, PlusVerbindetNachbarfelder)
{
    liste.setListIndex(-1);
    EXPECT_EQ(TextSuche(liste, QStringLiteral("Müller+Hans"), false).index, 0);
    EXPECT_EQ(TextSuche(liste, QStringLiteral("Hans+Müller"), false).index, 3);
    liste.setEintraege({adresse(QStringLiteral("x"), QStringLiteral("Müller+Hans GmbH"), QString())});
    EXPECT_EQ(TextSuche(liste, QStringLiteral("müller+hans"), false).index, 0);
}

TEST_F(TextSucheTest, ReduzierterVergleichFindetTelefonnummern)
{
    liste.setListIndex(-1);
    EXPECT_EQ(TextSuche(liste, QStringLiteral("0301234567"), false).ausgang, SuchErgebnis::NichtGefunden);
    SuchErgebnis e = TextSuche(liste, QStringLiteral("0301234567"), true);
    EXPECT_EQ(e.index, 0);
    EXPECT_TRUE(e.reduziert);
    EXPECT_EQ(TextSuche(liste, QStringLiteral("49895566"), true).index, 2);
    // Characters outside the kept set can never match in reduced mode.
    EXPECT_EQ(TextSuche(liste, QStringLiteral("030/123"), true).ausgang, SuchErgebnis::NichtGefunden);
    EXPECT_EQ(TextSuche(liste, QStringLiteral("\"Meier\""), true).ausgang, SuchErgebnis::NichtGefunden);
}

TEST_F(TextSucheTest, LeererTextWaehltDenNaechsten)
{
    liste.setListIndex(4);
    EXPECT_EQ(TextSuche(liste, QString(), false).index, 0); // after the last: the first
    liste.setListIndex(1);
    EXPECT_EQ(TextSuche(liste, QStringLiteral("   "), false).index, 2);
}

TEST_F(TextSucheTest, NichtGefundenMitStatusFarbeUndTon)
{
    liste.setListIndex(2);
    SuchErgebnis e = TextSuche(liste, QStringLiteral("  Zebra "), false);
    EXPECT_EQ(e.ausgang, SuchErgebnis::NichtGefunden);
    EXPECT_EQ(e.index, -1);
    EXPECT_EQ(e.status, QStringLiteral("Gesuchten Text »Zebra« nicht gefunden."));
    EXPECT_EQ(e.farbe, SuchFarbe::Rot);
    EXPECT_EQ(SuchFarbe_Rgb(e.farbe), 0xFF0000u);
    ASSERT_FALSE(plattform.toene.isEmpty());
    EXPECT_TRUE(plattform.toene.last().endsWith(QStringLiteral("/Sgn_No.Wav")));
    EXPECT_EQ(liste.ListIndex(), 2);
}

TEST_F(TextSucheTest, UngueltigesMusterIstNichtGefunden)
{
    SuchErgebnis e = TextSuche(liste, QStringLiteral("[mü"), false);
    EXPECT_EQ(e.ausgang, SuchErgebnis::NichtGefunden);
    EXPECT_EQ(e.status, QStringLiteral("Gesuchten Text »[mü« nicht gefunden."));
    EXPECT_EQ(e.farbe, SuchFarbe::Rot);
    EXPECT_TRUE(plattform.toene.last().endsWith(QStringLiteral("/Sgn_No.Wav")));
    // A valid list still works: "[mk]eier" finds Meier.
    EXPECT_EQ(TextSuche(liste, QStringLiteral("[mk]eier"), false).ausgang, SuchErgebnis::Gefunden);
}

TEST_F(TextSucheTest, LeereListe)
{
    liste.Clear();
    EXPECT_EQ(TextSuche(liste, QStringLiteral("x"), false).ausgang, SuchErgebnis::NichtGefunden);
    SuchErgebnis e = TextSuche(liste, QString(), false);
    EXPECT_EQ(e.ausgang, SuchErgebnis::Gefunden);
    EXPECT_EQ(e.index, -1);
}

TEST_F(TextSucheTest, StatusTexteUndEreignisse)
{
    QStringList texte;
    TextSuche(liste, QStringLiteral("zebra"), true, [&](const QString& s) { texte << s; });
    ASSERT_GE(texte.size(), 2);
    EXPECT_EQ(texte.at(0), QStringLiteral("Text-Suche Adresse..."));
    EXPECT_TRUE(texte.at(1).startsWith(QStringLiteral("Text-Suche Adresse...")));
    EXPECT_TRUE(texte.at(1).endsWith(QLatin1Char('%')));
    EXPECT_GE(plattform.aufrufe, 1); // the first entry always lets events run
    EXPECT_EQ(SuchStatusText(false), QStringLiteral("Suche Adresse..."));
}

TEST_F(TextSucheTest, ListeAendertSichWaehrendDerSuche)
{
    // Another file is loaded while the search lets events run: the search
    // stops cleanly and selects nothing.
    plattform.beiEreignissen = [this] { liste.setEintraege({adresse(QStringLiteral("a"), QStringLiteral("b"), {})}); };
    SuchErgebnis e = TextSuche(liste, QStringLiteral("hans"), false);
    EXPECT_EQ(e.ausgang, SuchErgebnis::ListeGeaendert);
    EXPECT_EQ(e.index, -1);
    EXPECT_EQ(e.status, QStringLiteral("Bereit"));

    // An entry removed: the same.
    SetUp();
    plattform.beiEreignissen = [this] { liste.RemoveItem(4); };
    EXPECT_EQ(TextSuche(liste, QStringLiteral("zebra"), false).ausgang, SuchErgebnis::ListeGeaendert);

    // The card stored into an entry (text changed, rows the same) does not stop it.
    SetUp();
    plattform.beiEreignissen = [this] { liste.setList(3, adresse(QStringLiteral("x"), QStringLiteral("Zebra"), {})); };
    liste.setListIndex(1);
    SuchErgebnis z = TextSuche(liste, QStringLiteral("zebra"), false);
    EXPECT_EQ(z.ausgang, SuchErgebnis::Gefunden);
    EXPECT_EQ(z.index, 3);
}

TEST_F(TextSucheTest, NeuereSucheLoestAeltereAb)
{
    SuchErgebnis innen;
    plattform.beiEreignissen = [&] { innen = TextSuche(liste, QStringLiteral("meierhof"), false); };
    SuchErgebnis aussen = TextSuche(liste, QStringLiteral("hans"), false);
    EXPECT_EQ(innen.ausgang, SuchErgebnis::Gefunden);
    EXPECT_EQ(innen.index, 4);
    EXPECT_EQ(aussen.ausgang, SuchErgebnis::Abgeloest);
    EXPECT_TRUE(aussen.status.isEmpty());
}

TEST(SuchVerzoegerungTest, TickSuchtNurMitTextUndNichtDoppelt)
{
    QString text;
    int suchen = 0;
    SuchVerzoegerung *v = nullptr;
    bool warAktivWaehrendSuche = false;
    SuchVerzoegerung verzoegerung([&] { return text; },
                                  [&] {
                                      ++suchen;
                                      // A tick during the search (events run) does nothing.
                                      v->aendern();
                                      v->tick();
                                      warAktivWaehrendSuche = v->aktiv() && v->beschaeftigt();
                                  });
    v = &verzoegerung;
    EXPECT_EQ(verzoegerung.timer().interval(), 333);

    verzoegerung.aendern();
    EXPECT_TRUE(verzoegerung.aktiv());
    verzoegerung.tick(); // empty text: the timer stops, no search
    EXPECT_FALSE(verzoegerung.aktiv());
    EXPECT_EQ(suchen, 0);

    text = QStringLiteral("  ");
    verzoegerung.aendern();
    verzoegerung.tick();
    EXPECT_EQ(suchen, 1); // blanks are a text: it searches
    EXPECT_TRUE(warAktivWaehrendSuche);
    EXPECT_FALSE(verzoegerung.beschaeftigt());
    // The tick inside the search left the timer running; its next tick searches again.
    EXPECT_TRUE(verzoegerung.aktiv());
}
