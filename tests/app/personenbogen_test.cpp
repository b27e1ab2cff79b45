// The personal sheet after a first start: the installed mask "Personenbogen"
// lays the shown address out field by field, one per line, on a page of its
// own; a mask of the user's own under that name is kept.
#include "addressbook/main_hilfen.h"
#include "platform/ordner.h"
#include "printing/testhilfe.h"
#include "printing/ui/printerset.h"
#include "support/dialoghilfe.h"

#include <QPushButton>

using namespace main_test;

namespace {

class Personenbogen : public MainFensterTest
{
protected:
    void SetUp() override
    {
        MainFensterTest::SetUp();
        zplatform::druckerVerzeichnisSetzen(&verzeichnis);
        auto d = std::make_unique<SammelDrucker>();
        sammler = d.get();
        zplatform::druckerSetzen(std::move(d));
    }
    void TearDown() override
    {
        zdruck::PrinterSet::entladen();
        MainFensterTest::TearDown();
        zplatform::druckerSetzen(nullptr);
        zplatform::druckerVerzeichnisSetzen(nullptr);
    }
    // "D&rucken" > "&Personenbogen", the print options answered with OK.
    void personenbogenDrucken()
    {
        amDialog<zdruck::PrinterSet>([](zdruck::PrinterSet& d) { d.BefOk->click(); });
        fenster->aktion(u"mnuPrnPersBogen"_s)->trigger();
    }
    // The texts of the page, each with the line it stands on.
    static std::vector<std::pair<double, QString>> zeilen(const zplatform::DruckSeite& seite)
    {
        std::vector<std::pair<double, QString>> z;
        for (const zplatform::DruckOperation& o : seite.operationen)
            if (o.art == zplatform::DruckOperation::Text && !o.text.trimmed().isEmpty())
                z.emplace_back(o.y, o.text);
        return z;
    }

    TestDruckerVerzeichnis verzeichnis;
    SammelDrucker* sammler = nullptr;
};

TEST_F(Personenbogen, ErsterStartLegtIhnAn_JedesFeldAufEinerZeile)
{
    erstausstattung();
    adressdatei({zeile({{1, u"Berg"_s}, {5, u"Bonn"_s}}), zeile({{1, u"Kaiser"_s},
                                                                 {2, u"Käthe"_s},
                                                                 {3, u"Hauptstraße 1"_s},
                                                                 {4, u"12345"_s},
                                                                 {5, u"Frankfurt am Main"_s},
                                                                 {7, u"069 / 1234"_s},
                                                                 {14, u"kaiser@example.org"_s},
                                                                 {21, u"Frau"_s}})});
    starten();
    EXPECT_TRUE(zmasken::Masken_Liste().contains(u"Personenbogen"_s));
    QTest::keyClick(fenster->Liste, Qt::Key_Down);
    ASSERT_EQ(textfeld(1)->text(), u"Kaiser"_s);

    personenbogenDrucken();
    ASSERT_EQ(sammler->jobs.size(), 1u);
    ASSERT_EQ(sammler->jobs[0].size(), 1u) << "one page for the one address";
    const auto z = zeilen(sammler->jobs[0][0]);
    QStringList texte;
    for (const auto& [y, text] : z)
        texte << text;
    // Every field with its caption, in the card's order, each on a line below the one before.
    const QStringList erwartet = {
        u"Nachname: Kaiser"_s,       u"Vorname: Käthe"_s,      u"Straße: Hauptstraße 1"_s,     u"PLZ: 12345"_s,
        u"Ort: Frankfurt am Main"_s, u"Telefon: 069 / 1234"_s, u"eMail: kaiser@example.org"_s, u"Anrede: Frau"_s};
    qsizetype vorher = -1;
    for (const QString& e : erwartet) {
        const qsizetype i = texte.indexOf(e);
        EXPECT_GT(i, vorher) << e.toStdString() << " in " << texte.join(u" | "_s).toStdString();
        if (i > vorher && vorher >= 0) {
            EXPECT_GT(z[size_t(i)].first, z[size_t(vorher)].first) << e.toStdString();
        }
        vorher = std::max(vorher, i);
    }
    for (const char* beschriftung : {"Telefax:", "Kontonummer:", "Geburtstag:", "Index:"})
        EXPECT_TRUE(texte.contains(QString::fromUtf8(beschriftung))) << beschriftung << " (an empty field too)";
    EXPECT_FALSE(texte.join(u' ').contains(u"Berg"_s)) << "only the shown address";
}

// A personal sheet of the user's own (in any case of its name) is not replaced.
TEST_F(Personenbogen, EigenerBleibt)
{
    wurzel.schreiben(u"programm/PERSONENBOGEN.msk"_s, u"Bogen für {Nachname}"_s);
    erstausstattung();
    adressdatei({zeile({{1, u"Kaiser"_s}, {2, u"Käthe"_s}})});
    starten();
    EXPECT_EQ(wurzel.lesen(u"programm/PERSONENBOGEN.msk"_s), u"Bogen für {Nachname}"_s);
    personenbogenDrucken();
    ASSERT_EQ(sammler->jobs.size(), 1u);
    QStringList texte;
    for (const auto& [y, text] : zeilen(sammler->jobs[0][0]))
        texte << text;
    EXPECT_TRUE(texte.contains(u"Bogen für Kaiser"_s)) << texte.join(u" | "_s).toStdString();
    EXPECT_FALSE(texte.contains(u"Vorname: Käthe"_s));
}

} // namespace
