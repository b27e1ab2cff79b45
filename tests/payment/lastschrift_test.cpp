// The direct debit: record bytes written and read, the collection file round
// trip, the debit log's name, and every position of the layout.

#include "payment/lastschrift.h"

#include "zahlungstest.h"

using namespace zzahlung;
using zplatform::DruckOperation;

namespace {

Lastschrift beispiel()
{
    return {"Kunde A",  "987", "200", "Musterbank", "DM", "12,50", "Rechnung 17", "Lastschrift Kunde 42",
            "Verein B", "654"};
}

} // namespace

TEST_F(ZahlungTest, LastschriftSatzBytesGeschriebenUndGelesen)
{
    const QString pfad = Sammeldatei_Pfad(daten());
    EXPECT_TRUE(pfad.endsWith("/daten/LastschriftSammlung.txt"));
    ASSERT_TRUE(Lastschrift_Anhaengen(pfad, beispiel()));
    Lastschrift zwei = beispiel();
    zwei.verwendung2.clear();
    zwei.absName = QStringLiteral(" Jörg ");
    zwei.absBank = QStringLiteral("Tab\there\r\nund Zeile");
    ASSERT_TRUE(Lastschrift_Anhaengen(pfad, zwei));
    EXPECT_EQ(roh(pfad), QByteArray("Zettlora Lastschrift\t-Kunde A\t-987\t-200\t-Musterbank\t-DM\t-12,50\t"
                                    "-Rechnung 17\t-Lastschrift Kunde 42\t-Verein B\t-654\t\r\n"
                                    "Zettlora Lastschrift\t- J\xf6rg \t-987\t-200\t-Tab here  und Zeile\t-DM\t-12,50\t"
                                    "-Rechnung 17\t-\t-Verein B\t-654\t\r\n"));

    const QStringList zeilen = zplatform::zeilenLesen(pfad);
    ASSERT_EQ(zeilen.size(), 2);
    EXPECT_EQ(Lastschrift_Lesen(zeilen[0]), beispiel());
    const auto gelesen = Lastschrift_Lesen(zeilen[1]);
    ASSERT_TRUE(gelesen);
    EXPECT_EQ(gelesen->absName, QStringLiteral("Jörg")); // blanks at the ends are not kept
    EXPECT_EQ(gelesen->absBank, QStringLiteral("Tab here  und Zeile"));
    EXPECT_EQ(gelesen->verwendung2, QString());
    EXPECT_EQ(gelesen->empKontoNr, QStringLiteral("654"));
}

TEST(Lastschrift, NurSaetzeMitMarkeUndElfFeldern)
{
    const QString gut = Lastschrift_Satz(beispiel());
    EXPECT_TRUE(Lastschrift_Lesen(gut));
    QString anders = gut;
    anders.replace("Zettlora Lastschrift", "zettlora lastschrift");
    EXPECT_FALSE(Lastschrift_Lesen(anders));
    EXPECT_FALSE(Lastschrift_Lesen("Andere Zeile\t-a\t-b\t-c\t-d\t-e\t-f\t-g\t-h\t-i\t-j\t"));
    EXPECT_FALSE(Lastschrift_Lesen("Zettlora Lastschrift\t-a\t-b\t-c\t-d\t-e\t-f\t-g\t-h\t-i\t"));
    EXPECT_FALSE(Lastschrift_Lesen(QString()));
    // A hand-written field without its "-" loses its first character; extra fields are ignored.
    const auto l = Lastschrift_Lesen("Zettlora Lastschrift\tXName\t-b\t-c\t-d\t-e\t-f\t-g\t-h\t-i\t-j\t-k\t-l\t");
    ASSERT_TRUE(l);
    EXPECT_EQ(l->absName, QStringLiteral("Name"));
    EXPECT_EQ(l->empKontoNr, QStringLiteral("j"));
}

TEST(Lastschrift, ProtokollnameMitJahr)
{
    const QDate tag(2026, 5, 1);
    EXPECT_EQ(Lastschriftlog_Pfad(QString(), tag), QString());
    EXPECT_EQ(Lastschriftlog_Pfad("  ", tag), QString());
    EXPECT_EQ(Lastschriftlog_Pfad("/tmp/LS_{JJJJ}.txt", tag), QStringLiteral("/tmp/LS_2026.txt"));
    EXPECT_EQ(Lastschriftlog_Pfad("/tmp/LS_{jjjj}.txt", tag), QStringLiteral("/tmp/LS_2026.txt"));
}

TEST(LastschriftDruck, ZweiFormulareKreuzUndStub)
{
    zplatform::AufzeichnungsDrucker d;
    const Lastschrift l = beispiel();
    const Kartenanschrift karte{"Hauptstr. 1", "12345", "Berlin", "4711"};
    Lastschrift_Layout(d, l, QStringLiteral("Courier New"), 0.5, 1.2, QDate(2026, 12, 5), QString(), 1, &karte);
    ASSERT_TRUE(d.dokumentEnde());
    const auto& s = d.seiten().front();
    const double mx = 0.5, my = 1.2, x0 = mx - 1.1;
    for (int form = 0; form < 2; ++form) {
        const double y0 = my + (form == 0 ? 6.6 : 17.2);
        auto bei = [&](const QString& t, double dx, double dy) {
            std::vector<const DruckOperation*> treffer;
            for (const auto* op : texteMit(s, t)) {
                if (op->schrift.groesse == 13)
                    treffer.push_back(op);
            }
            ASSERT_EQ(treffer.size(), 2u) << t.toStdString();
            const auto* op = treffer[size_t(form)];
            EXPECT_NEAR(op->x, x0 + dx, 1e-4) << t.toStdString();
            EXPECT_NEAR(op->y, y0 + dy, 1e-4) << t.toStdString();
            EXPECT_EQ(op->schrift.groesse, 13);
        };
        bei(l.absName, 1.1, 2.3);
        bei(l.absKontoNr, 1.3, 3.1);
        bei(l.absBLZ, 10.7, 3.1);
        bei(l.absBank, 1.1, 3.9);
        bei(l.waehrung, 6.7, 4.8);
        bei(l.betrag, 8.7, 4.8);
        bei(l.verwendung1, 1.1, 5.6);
        bei(l.verwendung2, 1.1, 6.45);
        bei(l.empName, 1.1, 7.4);
        bei(l.empKontoNr, 1.1, 8.2);
    }
    // Row 1 of the first form at (0.5, 10.1); the cross only on the second form, centred at (mx+13.9, my+17.3).
    EXPECT_NEAR(texteMit(s, "Kunde A").front()->x, 0.5, 1e-4);
    EXPECT_NEAR(texteMit(s, "Kunde A").front()->y, 10.1, 1e-4);
    std::vector<const DruckOperation*> linien;
    for (const auto& op : s.operationen) {
        if (op.art == DruckOperation::Linie)
            linien.push_back(&op);
    }
    ASSERT_EQ(linien.size(), 2u);
    EXPECT_NEAR((linien[0]->x + linien[0]->x2) / 2, mx + 13.9, 1e-4);
    EXPECT_NEAR(linien[0]->y, my + 17.3, 1e-4);
    EXPECT_NEAR(linien[1]->y, my + 17.1, 1e-4);
    EXPECT_NEAR(linien[1]->y2, my + 17.5, 1e-4);

    // The stub: heading in magenta at (14.9, 8.8), then one line each.
    const auto kopf = texteMit(s, "Lastschrift");
    ASSERT_EQ(kopf.size(), 1u);
    EXPECT_NEAR(kopf[0]->x, 14.9, 1e-4);
    EXPECT_NEAR(kopf[0]->y, 8.8, 1e-4);
    EXPECT_EQ(kopf[0]->farbe, 0xFF00FFu);
    const double h = kopf[0]->y2 - kopf[0]->y;
    const std::pair<QString, int> zeilen[] = {{"05.12.2026", 3},  {"12,50 DM", 5},     {"Knt.Nr. 987", 7},
                                              {"BLZ     200", 8}, {"Hauptstr. 1", 17}, {"12345 Berlin", 18},
                                              {"Kunde #4711", 20}};
    for (const auto& [t, nr] : zeilen) {
        const auto treffer = texteMit(s, t);
        ASSERT_EQ(treffer.size(), 1u) << t.toStdString();
        EXPECT_NEAR(treffer[0]->x, 14.9, 1e-4) << t.toStdString();
        EXPECT_NEAR(treffer[0]->y, 8.8 + nr * h, 1e-3) << t.toStdString();
        EXPECT_EQ(treffer[0]->schrift.groesse, 9);
        EXPECT_EQ(treffer[0]->farbe, 0u);
    }
}

TEST(LastschriftDruck, EinFormularBildSammellaufUndOhneBetrag)
{
    zplatform::AufzeichnungsDrucker d;
    Lastschrift l = beispiel();
    l.waehrung.clear();
    l.betrag = QStringLiteral("0,00");
    Lastschrift_Layout(d, l, QString(), 0, 0, QDate(2026, 12, 5), "/bild.jpg", 0, nullptr);
    d.dokumentEnde();
    const auto& s = d.seiten().front();
    int bilder = 0, linien = 0;
    for (const auto& op : s.operationen) {
        bilder += op.art == DruckOperation::Bild;
        linien += op.art == DruckOperation::Linie;
        if (op.art == DruckOperation::Bild) {
            EXPECT_NEAR(op.x, -0.7, 1e-4);
            EXPECT_NEAR(op.y, 6.8, 1e-4);
            EXPECT_NEAR(op.x2 - op.x, 15, 1e-4);
            EXPECT_NEAR(op.y2 - op.y, 20, 1e-4);
        }
    }
    EXPECT_EQ(bilder, 1);
    EXPECT_EQ(linien, 0);
    EXPECT_EQ(texteMit(s, "Kunde A").size(), 1u);
    ERWARTE_TEXT_BEI(s, "Kunde A", 0.0, 8.9);
    EXPECT_FALSE(s.texte().contains("0,00"));
    EXPECT_FALSE(s.texte().contains("Lastschrift"));

    // A collection run: the stub names no street, place or customer of the card.
    zplatform::AufzeichnungsDrucker e;
    Lastschrift_Layout(e, l, QString(), 0, 0, QDate(2026, 12, 5), QString(), 1, nullptr);
    e.dokumentEnde();
    const QStringList texte = e.seiten().front().texte();
    EXPECT_TRUE(texte.contains("0,00 ")) << "the stub shows 0,00 and the empty currency";
    for (const QString& t : texte)
        EXPECT_FALSE(t.startsWith("Kunde #")) << t.toStdString();
}

TEST_F(ZahlungTest, LastschriftAlsPdf)
{
    zplatform::QtDrucker d(zplatform::pdfDruckerName);
    d.setPdfOrdner(wurzel.temp());
    const Kartenanschrift karte{"Hauptstr. 1", "12345", "Berlin", "4711"};
    Lastschrift_Layout(d, beispiel(), QStringLiteral("Courier New"), 0, 0, QDate(2026, 12, 5), QString(), 1, &karte);
    ASSERT_TRUE(d.dokumentEnde());
    const QString text = pdfText(d.letztePdfDatei());
    if (text.isEmpty())
        GTEST_SKIP() << "pdftotext fehlt";
    EXPECT_EQ(text.count("Verein B"), 2);
    EXPECT_EQ(text.count("Kunde A"), 3);
    for (const char* t : {"12,50", "Lastschrift", "Knt.Nr. 987", "Kunde #4711", "12345 Berlin"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(t))) << t << "\n" << text.toStdString();
}
