// The phonetic key, the duplicate and similar-address search, the e-mail
// check and the duplicate-name check, against a fake window whose card
// follows the list's selection.
#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "addressbook/listenlauf.h"
#include "addressbook/sitzung.h"
#include "bench/adressgenerator.h"
#include "commands/phonetik.h"
#include "commands/pruefen.h"
#include "common/ini.h"
#include "common/muster.h"
#include "support/fensterattrappe.h"
#include "support/testplattform.h"

#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace zbefehle;
using zadressbuch::AdressListe;
using zadressbuch::Felder;

namespace {

QString satz(std::initializer_list<std::pair<int, QString>> werte)
{
    Felder f;
    for (const auto& [nr, text] : werte)
        f[size_t(nr)] = text;
    QString s;
    for (const QString& t : f)
        s += t + QLatin1Char('\t');
    return s;
}

// A platform whose event processing runs a hook (the user acting meanwhile).
class LaufPlattform : public TestPlattform
{
public:
    std::function<void()> ereignisse;
    int ereignisRunden = 0;
    void ereignisseVerarbeiten() override
    {
        ++ereignisRunden;
        if (ereignisse)
            ereignisse();
    }
};

// The window stand-in with a card that shows the selected entry and stores
// back into it, as the main window's list click and Adresse_Uebernehmen do.
class KartenAttrappe : public FensterAttrappe
{
public:
    explicit KartenAttrappe(AdressListe& l) : liste(l)
    {
        QObject::connect(&liste, &AdressListe::auswahlGeaendert, [this](int i) {
            felder = i >= 0 && i < liste.ListCount() ? zadressbuch::Zerlegen(liste.List(i)) : Felder{};
            ++gezeigt;
        });
    }
    void Adresse_Uebernehmen(int DatumBehalten) override
    {
        FensterAttrappe::Adresse_Uebernehmen(DatumBehalten);
        const int i = liste.ListIndex();
        if (i >= 0)
            liste.setList(i, zadressbuch::Verbinden(felder));
        zadressbuch::sitzung().Geaendert = 1;
    }
    AdressListe& liste;
    int gezeigt = 0;
};

class PruefenTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        wurzel = std::make_unique<TempWurzel>();
        plattform = std::make_unique<LaufPlattform>();
        zadressbuch::sitzungZuruecksetzen();
        liste = std::make_unique<AdressListe>();
        fenster = std::make_unique<KartenAttrappe>(*liste);
    }
    void TearDown() override
    {
        fenster.reset();
        liste.reset();
        plattform.reset();
        wurzel.reset();
        zadressbuch::sitzungZuruecksetzen();
        zcommon::Ini_CacheLeeren();
    }
    void namen(const QStringList& n)
    {
        for (const QString& s : n)
            liste->AddItem(satz({{1, s}, {23, QString::number(liste->ListCount() + 1)}}));
    }

    std::unique_ptr<TempWurzel> wurzel;
    std::unique_ptr<LaufPlattform> plattform;
    std::unique_ptr<AdressListe> liste;
    std::unique_ptr<KartenAttrappe> fenster;
};

} // namespace

// ---- phonetic key ----------------------------------------------------------------------

TEST(Phonetik, BeispieleDerSchreibweisen)
{
    struct Fall
    {
        const char* a;
        const char* b;
        bool gleich;
    };
    const Fall faelle[] = {
        {"Meyer", "Maier", true},          {"Mayer", "Meier", true},    {"Schmidt", "Schmitt", true},
        {"Philipp", "Filip", true},        {"Thomas", "Tomas", true},   {"Müller", "Mueller", false},
        {"Max-Müller", "maxmüller", true}, {"Christa", "Krista", true}, {"Meier", "Meiner", false},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(Phonetik_Schluessel(QString::fromUtf8(f.a)) == Phonetik_Schluessel(QString::fromUtf8(f.b)), f.gleich)
            << f.a << " / " << f.b;
    EXPECT_EQ(Phonetik_Schluessel(QStringLiteral("Meyer")), QStringLiteral("meir"));
    EXPECT_EQ(Phonetik_Schluessel(QStringLiteral("Schule")), QStringLiteral("skule"));
    EXPECT_EQ(Phonetik_Schluessel(QStringLiteral("Thomas")), QStringLiteral("domas"));
}

TEST(Phonetik, ZiffernTabsSternUndLeereTexte)
{
    EXPECT_EQ(Phonetik_Schluessel(QStringLiteral("112")), QStringLiteral("112"));
    EXPECT_EQ(Phonetik_Schluessel(QStringLiteral("a\t\tb\t")), QStringLiteral("a\t\tb\t"));
    EXPECT_EQ(Phonetik_Schluessel(QStringLiteral("M**er"), QStringLiteral("*")), QStringLiteral("m*er"));
    EXPECT_EQ(Phonetik_Schluessel(QStringLiteral("M**er")), QStringLiteral("mer"));
    EXPECT_EQ(Phonetik_Schluessel(QStringLiteral("Mann")), QStringLiteral("mam"));

    QString blanks = QStringLiteral("   ");
    EXPECT_EQ(Phonetik_Code(blanks), QString());
    EXPECT_EQ(blanks, QStringLiteral("   ")); // left as it was
    // Afterwards the variable holds the substituted text, not the key.
    QString text = QStringLiteral(" Schmitt ");
    EXPECT_EQ(Phonetik_Code(text), QStringLiteral("skmid"));
    EXPECT_EQ(text, QStringLiteral("skmidd"));
}

TEST(Phonetik, ErsetzenKaskadiert)
{
    QString t = QStringLiteral("ahh");
    EXPECT_EQ(Phonetik_Ersetze(t, QStringLiteral("ah"), QStringLiteral("a")), QStringLiteral("a"));
    EXPECT_EQ(t, QStringLiteral("a"));
    t = QStringLiteral("xahhyahh");
    Phonetik_Ersetze(t, QStringLiteral("ah"), QStringLiteral("a"));
    EXPECT_EQ(t, QStringLiteral("xaya"));
    t = QStringLiteral("tat");
    Phonetik_Ersetze(t, QStringLiteral("t"), QStringLiteral("d"));
    EXPECT_EQ(t, QStringLiteral("dad"));
}

// The key of a record equals the keys of its fields, each followed by TAB.
TEST(Phonetik, SatzschluesselAusFeldschluesseln)
{
    zbench::Adressvorgaben v;
    v.anzahl = 300;
    v.zufaellig = true;
    v.alleFelder = true;
    for (const QString& e : zbench::Adressen(v)) {
        QString feldweise;
        for (int i = 0; i < zadressbuch::FeldAnzahl; ++i) {
            Phonetik_FeldAnhaengen(zadressbuch::FeldRoh(e, i), feldweise);
            feldweise += QLatin1Char('\t');
        }
        ASSERT_EQ(Phonetik_Schluessel(e), feldweise) << e.toStdString();
    }
}

// ---- duplicate and similar search ------------------------------------------------------

TEST_F(PruefenTest, LauterEinzelneAdressenZeigenJedeUndEndenOhneFund)
{
    namen({"Alpha", "Beta", "Gamma"});
    liste->setListIndex(1);
    const PruefErgebnis e = Doppelte_Suchen(*fenster, *liste, false);
    EXPECT_EQ(e.schritte, 4);
    EXPECT_EQ(e.letzteAnzahl, 1);
    EXPECT_EQ(e.position, 1); // the starting entry, examined again at the end
    EXPECT_TRUE(plattform->meldungen.empty());
    EXPECT_EQ(fenster->statusTexte.takeLast(), QStringLiteral("Keine doppelten Adressen gefunden"));
    EXPECT_EQ(fenster->statusTexte.takeLast(), QStringLiteral("Bereit"));
    EXPECT_EQ(fenster->statusTexte.first(), QStringLiteral("Suche doppelte Adressen"));
    EXPECT_EQ(fenster->fortschritte.last(), -1);
    EXPECT_EQ(plattform->toene.last(), QStringLiteral("#SystemExclamation"));
}

TEST_F(PruefenTest, WasAlsDoppeltUndAlsAehnlichGilt)
{
    struct Fall
    {
        QString a, b;
        bool doppelt, aehnlich;
    };
    const Fall faelle[] = {
        {satz({{1, "Meier"}, {5, "Köln"}}), satz({{1, "MEIER"}, {5, "köln"}}), true, true},
        {satz({{1, "Meier"}, {11, "eins"}, {15, "01.01.2000"}, {16, "02.01.2000"}, {23, "1"}}),
         satz({{1, "Meier"}, {11, "zwei"}, {15, "03.01.2000"}, {16, "04.01.2000"}, {23, "2"}}), true, true},
        {satz({{1, "Meier-Lutz"}}), satz({{1, "Meier Lutz"}}), false, true},
        {satz({{1, "Meyer"}, {2, "Philipp"}}), satz({{1, "Maier"}, {2, "Filip"}}), false, true},
        {satz({{1, "Meier"}, {3, "Weg 1"}}), satz({{1, "Meier"}, {3, "Weg 2"}}), false, false},
        // Card texts count literally: a "*", "?", "#" or "[" is no wildcard.
        {satz({{1, "M*"}}), satz({{1, "Meier"}}), false, false},
        {satz({{1, "M?ier"}}), satz({{1, "Meier"}}), false, false},
        {satz({{4, "5#"}}), satz({{4, "57"}}), false, false},
        {satz({{1, "[ab]"}}), satz({{1, "a"}}), false, false},
        {satz({{1, "[ab"}}), satz({{1, "[AB"}}), true, true},
    };
    for (bool aehnlich : {false, true}) {
        for (const Fall& f : faelle) {
            liste->Clear();
            liste->AddItem(f.a);
            liste->AddItem(f.b);
            liste->AddItem(satz({{1, "Dritter"}}));
            liste->setListIndex(0);
            plattform->meldungen.clear();
            const PruefErgebnis e = Doppelte_Suchen(*fenster, *liste, aehnlich);
            const bool erwartet = aehnlich ? f.aehnlich : f.doppelt;
            EXPECT_EQ(!plattform->meldungen.empty(), erwartet) << f.a.toStdString() << (aehnlich ? " ähnlich" : "");
            if (erwartet) {
                // The default answer is No: the walk ends at the entry found.
                EXPECT_EQ(e.position, 0);
                EXPECT_EQ(e.letzteAnzahl, 2);
                const GezeigteMeldung& m = plattform->meldungen.front();
                EXPECT_EQ(m.titel, aehnlich ? QStringLiteral("Ähnliche Adresse gefunden")
                                            : QStringLiteral("Doppelte Adresse gefunden"));
                EXPECT_EQ(m.text, QStringLiteral("Die aktuell gewählte Adresse ist 2x eingegeben.\r\n\r\n"
                                                 " Möchten Sie weiter suchen?"));
                EXPECT_EQ(m.stil, zplatform::vbYesNo | zplatform::vbQuestion | zplatform::vbDefaultButton2);
                EXPECT_EQ(fenster->statusTexte.last(), aehnlich ? QStringLiteral("Adresse ist ähnlich vorhanden")
                                                                : QStringLiteral("Adresse ist doppelt vorhanden"));
            }
        }
    }
}

TEST_F(PruefenTest, JaBeiJederFrageEndetMitDemStarteintrag)
{
    namen({"Einzeln", "Meier", "Meier", "Schulz"});
    liste->setListIndex(0);
    plattform->antworten << zplatform::vbYes << zplatform::vbYes;
    const PruefErgebnis e = Doppelte_Suchen(*fenster, *liste, false);
    EXPECT_EQ(plattform->meldungen.size(), 2u);
    EXPECT_EQ(e.schritte, 5);
    EXPECT_EQ(e.position, 0);
    EXPECT_EQ(fenster->statusTexte.last(), QStringLiteral("Keine doppelten Adressen gefunden"));
}

TEST_F(PruefenTest, LeereListeUndKeineAuswahl)
{
    PruefErgebnis e = Doppelte_Suchen(*fenster, *liste, true);
    EXPECT_EQ(e.schritte, 1);
    EXPECT_EQ(e.letzteAnzahl, 0);
    EXPECT_EQ(fenster->statusTexte.last(), QStringLiteral("Keine ähnlichen Adressen gefunden"));

    namen({"A", "B", "C"});
    ASSERT_EQ(liste->ListIndex(), -1);
    e = Doppelte_Suchen(*fenster, *liste, false);
    EXPECT_EQ(e.schritte, 4); // one step before the first entry, then each once
    EXPECT_EQ(e.position, 2);
}

TEST_F(PruefenTest, EscEndetNachDemAktuellenEintrag)
{
    namen({"A", "B", "C", "D"});
    liste->setListIndex(0);
    plattform->ereignisse = [] { zadressbuch::sitzung().LetzteTaste = 27; };
    const PruefErgebnis e = Doppelte_Suchen(*fenster, *liste, false);
    EXPECT_TRUE(e.esc);
    EXPECT_EQ(e.schritte, 1);
    EXPECT_EQ(e.position, 0);
    EXPECT_EQ(fenster->statusTexte.last(), QStringLiteral("Keine doppelten Adressen gefunden"));
}

TEST_F(PruefenTest, GeaenderteListeBeendetDenLaufOhneSchaden)
{
    namen({"A", "B", "C", "D"});
    liste->setListIndex(0);
    plattform->ereignisse = [this] {
        if (liste->ListCount() == 4)
            liste->RemoveItem(3);
    };
    const PruefErgebnis e = Doppelte_Suchen(*fenster, *liste, false);
    EXPECT_TRUE(e.listeGeaendert);
    EXPECT_EQ(liste->ListCount(), 3);
    EXPECT_EQ(fenster->statusTexte.last(), QStringLiteral("Bereit"));
    EXPECT_EQ(fenster->fortschritte.last(), -1);

    fenster->statusTexte.clear();
    plattform->ereignisse = {};
    const PruefErgebnis m = EMails_Pruefen(*fenster, *liste);
    EXPECT_FALSE(m.listeGeaendert);
}

// A text changed while events run (the card stored) is seen by later counts.
TEST_F(PruefenTest, GeaenderterEintragZaehltNeu)
{
    namen({"A", "B", "C"});
    liste->setListIndex(0);
    bool einmal = false;
    plattform->ereignisse = [&] {
        if (!einmal) {
            einmal = true;
            liste->setList(2, satz({{1, "b"}, {23, "9"}}));
        }
    };
    const PruefErgebnis e = Doppelte_Suchen(*fenster, *liste, false);
    ASSERT_EQ(plattform->meldungen.size(), 1u);
    EXPECT_EQ(e.position, 1);
}

// The index agrees with the plain pattern match over every entry, for
// regular records and for lines of a foreign file with missing or extra fields.
TEST_F(PruefenTest, ZaehlungStimmtMitMustervergleichUeberein)
{
    zbench::Adressvorgaben v;
    v.anzahl = 60;
    v.zufaellig = true;
    v.nummerImNamen = false;
    for (const QString& e : zbench::Adressen(v))
        liste->AddItem(e);
    liste->AddItem(QStringLiteral("Kunde\tMeier\tAnna\t"));
    liste->AddItem(satz({{1, "Meier"}, {2, "Anna"}}) + QStringLiteral("zuviel\t"));
    liste->AddItem(satz({{1, "Meier"}, {2, "Anna"}}) + QStringLiteral("rest"));
    liste->AddItem(QString());
    for (bool aehnlich : {false, true}) {
        const Vergleichsindex index(*liste, aehnlich);
        for (int i = 0; i < liste->ListCount(); ++i) {
            Felder karte;
            for (int f = 0; f < zadressbuch::FeldAnzahl; ++f)
                karte[size_t(f)] = zadressbuch::FeldRoh(liste->List(i), f).toString();
            const zcommon::Muster m(index.muster(karte));
            int erwartet = 0;
            for (int j = 0; j < liste->ListCount(); ++j)
                erwartet += m.passt(index.vergleichstext(liste->List(j))) ? 1 : 0;
            EXPECT_EQ(index.anzahlFuerEintrag(i), erwartet) << i << (aehnlich ? " ähnlich" : "");
        }
    }
}

// A "#" on the card is a "#", not any digit, also where the comparison goes
// by the pattern rule: against an irregular entry (25 fields), and for a card
// with a TAB typed into a field.
TEST_F(PruefenTest, RauteGegenZifferBeiUnregelmaessigenEintraegen)
{
    const QString karte = satz({{1, "Meier"}, {4, "5#"}});
    const QString mitZiffer = satz({{1, "Meier"}, {4, "57"}}) + QStringLiteral("zuviel\t");
    const QString mitRaute = satz({{1, "Meier"}, {4, "5#"}}) + QStringLiteral("zuviel\t");
    for (bool aehnlich : {false, true}) {
        SCOPED_TRACE(aehnlich ? "ähnlich" : "doppelt");
        liste->Clear();
        liste->AddItem(karte);
        liste->AddItem(mitZiffer);
        {
            const Vergleichsindex index(*liste, aehnlich);
            EXPECT_EQ(index.anzahlFuerEintrag(0), 1);
            EXPECT_EQ(index.anzahl(zadressbuch::Zerlegen(karte)), 1);
        }
        liste->AddItem(mitRaute);
        {
            const Vergleichsindex index(*liste, aehnlich);
            EXPECT_EQ(index.anzahlFuerEintrag(0), 2) << "the same text counts";
        }

        // A TAB typed into a card field: the card is compared by the pattern.
        liste->Clear();
        liste->AddItem(satz({{1, "Meier\tX"}, {4, "57"}}));
        liste->AddItem(satz({{1, "Meier\tX"}, {4, "5#"}}));
        const Vergleichsindex index(*liste, aehnlich);
        Felder mitTab;
        mitTab[1] = QStringLiteral("Meier\tX");
        mitTab[4] = QStringLiteral("5#");
        EXPECT_EQ(index.anzahl(mitTab), 1);
        if (!aehnlich) {
            mitTab[4] = QStringLiteral("5?");
            EXPECT_EQ(index.anzahl(mitTab), 0);
        }
    }

    // Through the search itself: the irregular entry with a digit is no duplicate.
    liste->Clear();
    liste->AddItem(karte);
    liste->AddItem(mitZiffer);
    liste->setListIndex(0);
    plattform->meldungen.clear();
    Doppelte_Suchen(*fenster, *liste, false);
    EXPECT_TRUE(plattform->meldungen.empty());
}

// ---- e-mail check ----------------------------------------------------------------------

TEST_F(PruefenTest, EMailPruefungRaeumtAufUndHaeltBeimFehler)
{
    liste->AddItem(satz({{1, "A"}, {14, "  anna@example.de  "}, {16, "01.01.1999"}}));
    liste->AddItem(satz({{1, "B"}, {14, "-"}, {16, "01.01.1999"}}));
    liste->AddItem(satz({{1, "C"}, {14, "   "}, {16, "01.01.1999"}}));
    liste->AddItem(satz({{1, "D"}, {16, "01.01.1999"}}));
    liste->AddItem(satz({{1, "E"}, {14, " kein@punkt "}, {16, "01.01.1999"}}));
    liste->setListIndex(0);
    const PruefErgebnis e = EMails_Pruefen(*fenster, *liste);
    EXPECT_TRUE(e.ungueltig);
    EXPECT_EQ(e.position, 4);
    EXPECT_EQ(zadressbuch::FeldAus(liste->List(0), 14), QStringLiteral("anna@example.de"));
    EXPECT_EQ(zadressbuch::FeldAus(liste->List(1), 14), QString());
    EXPECT_EQ(zadressbuch::FeldAus(liste->List(2), 14), QString());
    // The invalid address: trimmed on the card, not stored.
    EXPECT_EQ(fenster->felder[14], QStringLiteral("kein@punkt"));
    EXPECT_EQ(zadressbuch::FeldAus(liste->List(4), 14), QStringLiteral(" kein@punkt "));
    EXPECT_EQ(fenster->uebernahmen, QList<int>({1, 1, 1, 1}));
    ASSERT_EQ(plattform->meldungen.size(), 1u);
    EXPECT_EQ(plattform->meldungen[0].text, QStringLiteral("eMail »kein@punkt« ist ungültig"));
    EXPECT_EQ(plattform->meldungen[0].stil, zplatform::vbOKOnly);
    EXPECT_TRUE(fenster->statusTexte.contains(QStringLiteral("eMail »kein@punkt« ist ungültig")));
    EXPECT_EQ(fenster->statusTexte.last(), QStringLiteral("Bereit"));
    EXPECT_EQ(plattform->toene.last(), QStringLiteral("#SystemExclamation"));

    // Again: it starts at that entry and stops there at once.
    fenster->uebernahmen.clear();
    const PruefErgebnis noch = EMails_Pruefen(*fenster, *liste);
    EXPECT_EQ(noch.schritte, 1);
    EXPECT_TRUE(fenster->uebernahmen.isEmpty());
}

TEST_F(PruefenTest, EMailPruefungOhneAuswahlSpeichertNichtsDazu)
{
    EMails_Pruefen(*fenster, *liste);
    EXPECT_EQ(liste->ListCount(), 0);
    EXPECT_TRUE(fenster->uebernahmen.isEmpty());
    EXPECT_EQ(fenster->statusTexte.last(), QStringLiteral("Bereit"));

    liste->AddItem(satz({{1, "A"}, {14, "a@b.de"}}));
    liste->AddItem(satz({{1, "B"}}));
    const PruefErgebnis e = EMails_Pruefen(*fenster, *liste);
    EXPECT_EQ(liste->ListCount(), 2);
    EXPECT_EQ(e.schritte, 3);
    EXPECT_EQ(fenster->uebernahmen.size(), 2);
}

TEST_F(PruefenTest, EMailPruefungEsc)
{
    for (int i = 0; i < 5; ++i)
        liste->AddItem(satz({{1, QString::number(i)}, {14, "a@b.de"}}));
    liste->setListIndex(2);
    plattform->ereignisse = [] { zadressbuch::sitzung().LetzteTaste = 27; };
    const PruefErgebnis e = EMails_Pruefen(*fenster, *liste);
    EXPECT_TRUE(e.esc);
    EXPECT_EQ(e.schritte, 1);
    EXPECT_EQ(fenster->uebernahmen.size(), 1);
}

// ---- a name typed twice ------------------------------------------------------------------

TEST_F(PruefenTest, DoppelterNameUndWechsel)
{
    liste->AddItem(satz({{1, "Meier"}, {2, "Anna"}, {3, "Weg 1"}}));
    liste->AddItem(satz({{1, "Schulz"}}));
    liste->AddItem(satz({{1, " meier "}, {2, "ANNA"}}));
    EXPECT_EQ(Doppelten_Namen_Finden(*liste, 2, QStringLiteral("Meier"), QStringLiteral("Anna")), 0);
    EXPECT_EQ(Doppelten_Namen_Finden(*liste, 0, QStringLiteral("Meier"), QStringLiteral("anna")), 2);
    EXPECT_EQ(Doppelten_Namen_Finden(*liste, 0, QStringLiteral("Meier"), QStringLiteral("Berta")), -1);
    EXPECT_EQ(Doppelten_Namen_Finden(*liste, -1, QStringLiteral(" "), QString()), -1);

    EXPECT_EQ(Doppelt_Anzeigetext(liste->List(0)), QStringLiteral("Nachname: Meier\r\nVorname: Anna\r\nStraße: Weg 1"));

    liste->setListIndex(2);
    ASSERT_TRUE(Zu_Doppelter_Adresse_Wechseln(*liste, 2, 0));
    EXPECT_EQ(liste->ListCount(), 2);
    EXPECT_EQ(liste->ListIndex(), 0);
    EXPECT_EQ(zadressbuch::sitzung().Geaendert, 1);
    liste->setListIndex(0);
    ASSERT_TRUE(Zu_Doppelter_Adresse_Wechseln(*liste, 0, 1));
    EXPECT_EQ(zadressbuch::FeldAus(liste->List(liste->ListIndex()), 1), QStringLiteral("Schulz"));
    EXPECT_FALSE(Zu_Doppelter_Adresse_Wechseln(*liste, 0, 0));
}

// An exit asked for while the walk lets events run waits until it returned.
TEST_F(PruefenTest, EndeWartetBisDerLaufZurueckIst)
{
    for (int i = 0; i < 3; ++i)
        liste->AddItem(satz({{1, QString::number(i)}, {14, QStringLiteral(" a@b.de")}}));
    liste->setListIndex(0);
    QStringList ablauf;
    plattform->ereignisse = [&] {
        if (ablauf.isEmpty()) {
            ablauf << QStringLiteral("Ende verlangt");
            EXPECT_TRUE(zadressbuch::ListenLauf::nachLaufAufschieben([&] { ablauf << QStringLiteral("Ende"); }));
        }
    };
    EMails_Pruefen(*fenster, *liste);
    ablauf << QStringLiteral("Lauf zurück");
    EXPECT_EQ(zadressbuch::FeldAus(liste->List(2), 14), QStringLiteral("a@b.de"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ablauf.size() == 3; })) << ablauf.join(u", ").toStdString();
    EXPECT_EQ(ablauf, QStringList({"Ende verlangt", "Lauf zurück", "Ende"}));
    EXPECT_FALSE(zadressbuch::ListenLauf::nachLaufAufschieben([] {}));
}

// A long list is keyed on several threads from a copy; an entry stored while
// that runs is keyed again from the list.
TEST_F(PruefenTest, LangeListeMitAenderungWaehrendDesAufbaus)
{
    zbench::Adressvorgaben v;
    v.anzahl = 6000;
    liste->setEintraege(zbench::Adressen(v));
    for (bool aehnlich : {false, true}) {
        liste->setList(5999, zbench::Adressen(v).at(5999));
        bool geaendert = false;
        const Vergleichsindex index(*liste, aehnlich, [&] {
            if (!geaendert) {
                geaendert = true;
                liste->setList(5999, liste->List(0));
            }
            return true;
        });
        ASSERT_TRUE(index.vollstaendig());
        EXPECT_EQ(index.anzahlFuerEintrag(0), 2);
        EXPECT_EQ(index.anzahlFuerEintrag(5999), 2);
        for (int i : {1, 17, 2500, 4711, 5998}) {
            Felder karte;
            for (int f = 0; f < zadressbuch::FeldAnzahl; ++f)
                karte[size_t(f)] = zadressbuch::FeldRoh(liste->List(i), f).toString();
            const zcommon::Muster m(index.muster(karte));
            int erwartet = 0;
            for (int j = 0; j < liste->ListCount(); ++j)
                erwartet += m.passt(index.vergleichstext(liste->List(j))) ? 1 : 0;
            EXPECT_EQ(index.anzahlFuerEintrag(i), erwartet) << i;
        }
    }
    // Stopped while it is built: the index is not complete.
    const Vergleichsindex halb(*liste, true, [] { return false; });
    EXPECT_FALSE(halb.vollstaendig());
}
