// The text search: patterns, reduced comparison, wrap-around, results,
// sounds, a list that changes while the search lets events run, and the delay.
#include "adresstest.h"

#include "addressbook/adressliste.h"
#include "addressbook/suche.h"

#include <functional>

using namespace zadressbuch;

namespace {

QString adresse(const QString& rubrik, const QString& name, const QString& vorname, const QString& telefon = {},
                const QString& ort = {})
{
    return Satz({{Rubrik, rubrik}, {Nachname, name}, {Vorname, vorname}, {Telefon, telefon}, {Ort, ort}});
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
        if (auto a = std::exchange(beiEreignissen, nullptr))
            a();
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
        wurzel.schreiben(u"programm/Sgn_Jo.Wav"_s, u"RIFF"_s);
        wurzel.schreiben(u"programm/Sgn_No.Wav"_s, u"RIFF"_s);
        liste.setEintraege({adresse(u"Kunde"_s, u"Müller"_s, u"Hans"_s, u"030/123 45-67"_s, u"Berlin"_s), // 0
                            adresse(u"Meier"_s, u"Schmidt"_s, u"Eva"_s),                                  // 1
                            adresse(u"Lieferant"_s, u"Meier"_s, u"Karl"_s, u"+49 (89) 55 66"_s),          // 2
                            adresse(u"Privat"_s, u"Hans"_s, u"Müller"_s),                                 // 3
                            adresse(u"Privat"_s, u"Meierhof"_s, u"Anna"_s)});                             // 4
    }
    bool letzterTon(const QString& name) const
    {
        return plattform.toene.value(plattform.toene.size() - 1).endsWith(name);
    }
};

} // namespace

TEST(SuchMusterTest, TexteUndVergleichstext)
{
    EXPECT_EQ(NichtGefundenText(u"  xy z "_s), u"Gesuchten Text »xy z« nicht gefunden."_s);
    EXPECT_EQ(SuchVergleichstext(u"Ärger-Straße 5\tÉcole"_s, true), u"ärgerstraße5cole"_s);
    EXPECT_EQ(SuchVergleichstext(u"ÄÖÜ ŠŒŽŸ"_s, false), u"äöü šœžÿ"_s);
}

TEST_F(TextSucheTest, WoerterAnfuehrungszeichenPlusReduziertUndRundum)
{
    const struct
    {
        int ab; // the selected entry the search starts behind
        const char16_t* text;
        bool reduziert;
        int treffer; // -1: not found
    } faelle[] = {
        {1, u"HANS müller", false, 3},  // all words, any order and case
        {3, u"HANS müller", false, 0},  // from the hit on, round to the top
        {-1, u"\"meier\"", false, 2},   // a whole field, never field 0 (no separator before it)
        {2, u"\"meier\"", false, 2},    // the only one: found again
        {-1, u"Müller+Hans", false, 0}, // "+" joins neighbouring fields
        {-1, u"Hans+Müller", false, 3}, // ... in their order
        {-1, u"[mk]eier", false, 1},    // a valid list
        {-1, u"0301234567", false, -1}, // the phone number as written
        {-1, u"0301234567", true, 0},   // reduced: signs and blanks left out
        {-1, u"49895566", true, 2},     // ... "+" and brackets too
        {-1, u"030/123", true, -1},     // signs outside the kept set never match reduced
        {-1, u"\"Meier\"", true, -1},   // ... nor quotes
        {4, u"", false, 0},             // no text: the next entry
        {1, u"   ", false, 2},          // blanks only: the same
    };
    for (const auto& f : faelle) {
        liste.setListIndex(f.ab);
        const SuchErgebnis e = TextSuche(liste, QString::fromUtf16(f.text), f.reduziert);
        EXPECT_EQ(e.ausgang, f.treffer < 0 ? SuchErgebnis::NichtGefunden : SuchErgebnis::Gefunden)
            << QString::fromUtf16(f.text).toStdString();
        EXPECT_EQ(e.index, f.treffer) << QString::fromUtf16(f.text).toStdString();
        EXPECT_EQ(e.reduziert, f.reduziert);
    }
    // A "+" that stands in the text itself.
    liste.setEintraege({adresse(u"x"_s, u"Müller+Hans GmbH"_s, QString())});
    EXPECT_EQ(TextSuche(liste, u"müller+hans"_s, false).index, 0);
}

TEST_F(TextSucheTest, GefundenUndNichtGefundenMitStatusFarbeUndTon)
{
    SuchErgebnis e = TextSuche(liste, u"schmidt"_s, false);
    EXPECT_EQ(e.status, u"Bereit"_s);
    EXPECT_EQ(e.farbe, SuchFarbe::Normal);
    EXPECT_TRUE(letzterTon(u"/Sgn_Jo.Wav"_s));

    liste.setListIndex(2);
    e = TextSuche(liste, u"  Zebra "_s, false);
    EXPECT_EQ(e.status, u"Gesuchten Text »Zebra« nicht gefunden."_s);
    EXPECT_EQ(e.farbe, SuchFarbe::Rot);
    EXPECT_EQ(SuchFarbe_Rgb(e.farbe), 0xFF0000u);
    EXPECT_TRUE(letzterTon(u"/Sgn_No.Wav"_s));
    EXPECT_EQ(liste.ListIndex(), 2);

    // A malformed pattern is "not found" the same way.
    plattform.toene.clear();
    e = TextSuche(liste, u"[mü"_s, false);
    EXPECT_EQ(e.ausgang, SuchErgebnis::NichtGefunden);
    EXPECT_EQ(e.status, u"Gesuchten Text »[mü« nicht gefunden."_s);
    EXPECT_EQ(e.farbe, SuchFarbe::Rot);
    EXPECT_TRUE(letzterTon(u"/Sgn_No.Wav"_s));

    // An empty list.
    liste.Clear();
    EXPECT_EQ(TextSuche(liste, u"x"_s, false).ausgang, SuchErgebnis::NichtGefunden);
    e = TextSuche(liste, QString(), false);
    EXPECT_EQ(e.ausgang, SuchErgebnis::Gefunden);
    EXPECT_EQ(e.index, -1);
}

TEST_F(TextSucheTest, StatusTexteUndEreignisse)
{
    QStringList texte;
    TextSuche(liste, u"zebra"_s, true, [&](const QString& s) { texte << s; });
    ASSERT_GE(texte.size(), 2);
    EXPECT_EQ(texte.at(0), u"Text-Suche Adresse..."_s);
    EXPECT_TRUE(texte.at(1).startsWith(u"Text-Suche Adresse..."_s));
    EXPECT_TRUE(texte.at(1).endsWith(u'%'));
    EXPECT_GE(plattform.aufrufe, 1); // the first entry always lets events run
    EXPECT_EQ(SuchStatusText(false), u"Suche Adresse..."_s);
}

TEST_F(TextSucheTest, ListeAendertSichWaehrendDerSuche)
{
    // Another file is loaded while the search lets events run: the search
    // stops cleanly and selects nothing.
    plattform.beiEreignissen = [this] { liste.setEintraege({adresse(u"a"_s, u"b"_s, {})}); };
    SuchErgebnis e = TextSuche(liste, u"hans"_s, false);
    EXPECT_EQ(e.ausgang, SuchErgebnis::ListeGeaendert);
    EXPECT_EQ(e.index, -1);
    EXPECT_EQ(e.status, u"Bereit"_s);

    // An entry removed: the same.
    SetUp();
    plattform.beiEreignissen = [this] { liste.RemoveItem(4); };
    EXPECT_EQ(TextSuche(liste, u"zebra"_s, false).ausgang, SuchErgebnis::ListeGeaendert);

    // The card stored into an entry (text changed, rows the same) does not stop it.
    SetUp();
    plattform.beiEreignissen = [this] { liste.setList(3, adresse(u"x"_s, u"Zebra"_s, {})); };
    liste.setListIndex(1);
    e = TextSuche(liste, u"zebra"_s, false);
    EXPECT_EQ(e.ausgang, SuchErgebnis::Gefunden);
    EXPECT_EQ(e.index, 3);
}

TEST_F(TextSucheTest, NeuereSucheLoestAeltereAb)
{
    SuchErgebnis innen;
    plattform.beiEreignissen = [&] { innen = TextSuche(liste, u"meierhof"_s, false); };
    const SuchErgebnis aussen = TextSuche(liste, u"hans"_s, false);
    EXPECT_EQ(innen.ausgang, SuchErgebnis::Gefunden);
    EXPECT_EQ(innen.index, 4);
    EXPECT_EQ(aussen.ausgang, SuchErgebnis::Abgeloest);
    EXPECT_TRUE(aussen.status.isEmpty());
}

TEST(SuchVerzoegerungTest, TickSuchtNurMitTextUndNichtDoppelt)
{
    QString text;
    int suchen = 0;
    SuchVerzoegerung* v = nullptr;
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

    text = u"  "_s;
    verzoegerung.aendern();
    verzoegerung.tick();
    EXPECT_EQ(suchen, 1); // blanks are a text: it searches
    EXPECT_TRUE(warAktivWaehrendSuche);
    EXPECT_FALSE(verzoegerung.beschaeftigt());
    // The tick inside the search left the timer running; its next tick searches again.
    EXPECT_TRUE(verzoegerung.aktiv());
}
