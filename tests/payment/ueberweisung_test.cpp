// The transfer order: recipient from the card, the account log's name and
// bytes, and every position of the classic and the two-copy layout on the
// recording printer, plus one PDF per layout.

#include "payment/ueberweisung.h"

#include "printing/pdfhilfe.h"
#include "zahlungstest.h"

using namespace zzahlung;
using zplatform::DruckOperation;

namespace {

Ueberweisung beispiel()
{
    Ueberweisung u;
    u.empfaengerName = QStringLiteral("Anna Muster 12345 Berlin");
    u.empfaengerKontoNr = QStringLiteral("1234567890");
    u.empfaengerBLZ = QStringLiteral("10020030");
    u.empfaengerBank = QStringLiteral("Musterbank Berlin");
    u.waehrung = QStringLiteral("EUR");
    u.betrag = QStringLiteral("12,50");
    u.verwendung1 = QStringLiteral("Rechnung 17");
    u.verwendung2 = QStringLiteral("Kunde 42");
    u.auftraggeberName = QStringLiteral("Otto Zahler");
    u.auftraggeberKontoNr = QStringLiteral("9876543");
    u.auftraggeberBLZ = QStringLiteral("50010060");
    u.auftraggeberBank = QStringLiteral("Sparkasse Köln");
    return u;
}

const QDate Tag(2001, 3, 5);

} // namespace

TEST(Ueberweisung, EmpfaengerAusDerKarte)
{
    EXPECT_EQ(Empfaenger_Name("Anna", "Muster", "12345", "Berlin"), QStringLiteral("Anna Muster 12345 Berlin"));
    // 20 characters: the postcode fits (26), the place would not.
    EXPECT_EQ(Empfaenger_Name("Annabella", "Mustermann", "12345", "Berlin"),
              QStringLiteral("Annabella Mustermann 12345"));
    // A refused postcode keeps the place out, however short it is.
    EXPECT_EQ(Empfaenger_Name("Annabella", "Mustermann-Ost", "12345", "X"), QStringLiteral("Annabella Mustermann-Ost"));
    EXPECT_EQ(Empfaenger_Name("Annabella", "Mustermann-Ost", "12345", "Jena"),
              QStringLiteral("Annabella Mustermann-Ost"));
    // No postcode: the place follows the name.
    EXPECT_EQ(Empfaenger_Name("Annabella", "Mustermann-Ost", "", "X"), QStringLiteral("Annabella Mustermann-Ost X"));
    EXPECT_EQ(Empfaenger_Name("", "Muster", "", "Ort"), QStringLiteral("Muster Ort"));
    EXPECT_EQ(Verwendung_AusAuswahl("  Rechnung\r\n4711 "), QStringLiteral("Rechnung 4711"));
}

TEST(Kontenlog, DateinameAusDerKontonummer)
{
    const struct
    {
        const char* konto;
        const char* datei;
    } faelle[] = {{"", "Konto_.Log"},
                  {"12.345 67", "Konto_12_345_67.Log"},
                  {"1/2", "Konto_1_2.Log"},
                  {"../../etc", "Konto_______etc.Log"},
                  {"a\\b:c", "Konto_a_b_c.Log"}};
    for (const auto& f : faelle) {
        const QString pfad = KontenLog_Pfad(QStringLiteral("/daten"), QString::fromUtf8(f.konto));
        EXPECT_EQ(pfad, QStringLiteral("/daten/") + QString::fromUtf8(f.datei)) << f.konto;
        EXPECT_FALSE(pfad.mid(7).contains(u'/')) << f.konto;
    }
}

TEST_F(ZahlungTest, KontenlogBytesEinesEintrags)
{
    Ueberweisung u = beispiel();
    u.empfaengerName = QStringLiteral(" Jörg ");
    const QString pfad = KontenLog_Pfad(daten(), u.auftraggeberKontoNr);
    ASSERT_TRUE(KontenLog_Schreiben(pfad, u, QDateTime(QDate(2026, 12, 5), QTime(9, 5))));
    u.waehrung = QStringLiteral("EURO12");
    u.betrag = QStringLiteral("3*4");
    ASSERT_TRUE(KontenLog_Schreiben(pfad, u, QDateTime(QDate(2026, 12, 7), QTime(23, 59))));

    const QByteArray strich(79, '-');
    const QByteArray erwartet = "\r\n" + strich +
                                "\r\n\r\n"
                                "Wann: 05.12.2026 09:05, Samstag\r\n"
                                "Von:  Otto Zahler, Konto: 9876543, BLZ: 50010060\r\n"
                                "EUR:  12,50\r\n"
                                "An:    J\xf6rg , Konto: 1234567890, BLZ: 10020030\r\n"
                                "Bem:  Rechnung 17\r\n"
                                "      Kunde 42\r\n"
                                "\r\n" +
                                strich +
                                "\r\n\r\n"
                                "Wann: 07.12.2026 23:59, Montag\r\n"
                                "Von:  Otto Zahler, Konto: 9876543, BLZ: 50010060\r\n"
                                "EURO12\r\n"
                                "An:    J\xf6rg , Konto: 1234567890, BLZ: 10020030\r\n"
                                "Bem:  Rechnung 17\r\n"
                                "      Kunde 42\r\n";
    EXPECT_EQ(roh(daten() + "/Konto_9876543.Log"), erwartet);
}

TEST(Kontenlog, WaehrungsspalteUndBetrag)
{
    const struct
    {
        const char* waehrung;
        const char* betrag;
        const char* zeile;
    } faelle[] = {{"EUR", "12,50", "EUR:  12,50"}, {"", "0,50", ":     0,50"}, {"DM", "0,00", "DM:   "},
                  {"CHF", "-5", "CHF:  "},         {"EUROPA", "7", "EUROPA7"}, {"EUR", "(2+3)", "EUR:  "},
                  {"EUR", "1.234,50", "EUR:  "},   {"ABCDE", "1", "ABCDE:1"}};
    for (const auto& f : faelle) {
        Ueberweisung u;
        u.waehrung = QString::fromUtf8(f.waehrung);
        u.betrag = QString::fromUtf8(f.betrag);
        EXPECT_EQ(KontenLog_Eintrag(u, QDateTime(QDate(2026, 1, 1), QTime(0, 0))).at(5), QString::fromUtf8(f.zeile))
            << f.waehrung << " " << f.betrag;
    }
}

TEST(UeberweisungDruck, KlassischJedesFeldAnSeinerStelle)
{
    zplatform::AufzeichnungsDrucker d;
    Ueberweisung u = beispiel();
    // Margins 0.5 cm (X) and 1.2 cm (Y) move everything right and down.
    Ueberweisung_Klassisch(d, u, QStringLiteral("Times New Roman"), 0.5, 1.2, Tag);
    ASSERT_TRUE(d.dokumentEnde());
    ASSERT_EQ(d.seiten().size(), 1u);
    const auto& s = d.seiten().front();
    const double mx = 0.5, my = 1.2;
    ERWARTE_TEXT_BEI(s, u.empfaengerName, mx + 0.1, my + 0.8);
    ERWARTE_TEXT_BEI(s, u.empfaengerKontoNr, mx + 0.1, my + 1.6);
    ERWARTE_TEXT_BEI(s, u.empfaengerBLZ, mx + 9.7, my + 1.6);
    ERWARTE_TEXT_BEI(s, u.empfaengerBank, mx + 0.1, my + 2.4);
    ERWARTE_TEXT_BEI(s, "EUR", mx + 5.7, my + 3.3);
    ERWARTE_TEXT_BEI(s, "12,50", mx + 7.7, my + 3.3);
    ERWARTE_TEXT_BEI(s, u.verwendung1, mx + 0.1, my + 4.1);
    ERWARTE_TEXT_BEI(s, u.verwendung2, mx + 0.1, my + 5.0);
    ERWARTE_TEXT_BEI(s, u.auftraggeberName, mx + 0.1, my + 5.8);
    ERWARTE_TEXT_BEI(s, u.auftraggeberKontoNr, mx + 0.1, my + 6.6);
    ERWARTE_TEXT_BEI(s, "5.3.2001", mx + 3.7, my + 8.0);
    // Payer's bank code and bank are not on this form; every field is 13 pt bold in the chosen font.
    EXPECT_TRUE(texteMit(s, u.auftraggeberBLZ).empty());
    EXPECT_TRUE(texteMit(s, u.auftraggeberBank).empty());
    for (const auto* op : texteMit(s, u.empfaengerName)) {
        EXPECT_EQ(op->schrift.name, QStringLiteral("Times New Roman"));
        EXPECT_EQ(op->schrift.groesse, 13);
        EXPECT_TRUE(op->schrift.fett);
    }
    // The first font step prints one blank at the origin: nothing else is on the page.
    EXPECT_EQ(s.texte().size(), 12);
    EXPECT_EQ(s.texte().front(), QStringLiteral(" "));
}

TEST(UeberweisungDruck, KlassischOhneBetragWaehrungUndDatum)
{
    zplatform::AufzeichnungsDrucker d;
    Ueberweisung u = beispiel();
    u.waehrung.clear();
    u.datumDrucken = false;
    for (const char* betrag : {"0,00", "", "3*4", "-5"}) {
        u.betrag = QString::fromUtf8(betrag);
        Ueberweisung_Klassisch(d, u, QString(), 0, 0, Tag);
        d.dokumentEnde();
        const QStringList texte = d.seiten().front().texte();
        EXPECT_EQ(texte.size(), 9) << betrag;
        if (!u.betrag.isEmpty()) {
            EXPECT_FALSE(texte.contains(u.betrag)) << betrag;
        }
        EXPECT_FALSE(texte.contains("5.3.2001"));
        ERWARTE_TEXT_BEI(d.seiten().front(), u.empfaengerName, 0.1, 0.8);
    }
    u.betrag = QStringLiteral("0,50");
    Ueberweisung_Klassisch(d, u, QString(), 0, 0, Tag);
    d.dokumentEnde();
    ERWARTE_TEXT_BEI(d.seiten().front(), "0,50", 7.7, 3.3);
}

TEST_F(ZahlungTest, FormularLaserZweiAbschnitteMitStub)
{
    zplatform::AufzeichnungsDrucker d;
    const Ueberweisung u = beispiel();
    wurzel.schreiben("programm/Unterschrift_Tester.bmp", "BM");
    const QString unterschrift = wurzel.programm() + "/Unterschrift_Tester.bmp";
    Ueberweisung_Formular(d, u, QStringLiteral("Courier New"), 0.5, 1.2, Tag, QString(), unterschrift,
                          QStringLiteral("4711"));
    ASSERT_TRUE(d.dokumentEnde());
    const auto& s = d.seiten().front();
    const double mX = 0.5, mY = 1.2;
    const double x0 = mX - 0.9;
    for (const double y0 : {mY + 6.6, mY + 17.2}) {
        const bool oben = y0 < 10;
        auto bei = [&](const QString& t, double dx, double dy) {
            const auto treffer = texteMit(s, t);
            ASSERT_GE(treffer.size(), 2u) << t.toStdString();
            const size_t index = oben ? 0 : treffer.size() - 1;
            EXPECT_NEAR(treffer[index]->x, x0 + dx, 1e-4) << t.toStdString();
            EXPECT_NEAR(treffer[index]->y, y0 + dy, 1e-4) << t.toStdString();
            EXPECT_EQ(treffer[index]->schrift.groesse, 13);
            EXPECT_FALSE(treffer[index]->schrift.fett);
        };
        bei(u.auftraggeberBank, 0.7, 0.9);
        bei(u.auftraggeberBLZ, 8.5, 0.9);
        bei(u.empfaengerName, 0.9, 2.2);
        bei(u.empfaengerKontoNr, 1.0, 3.1);
        bei(u.empfaengerBLZ, 10.5, 3.1);
        bei(u.empfaengerBank, 0.9, 3.9);
        bei("EUR", 6.5, 4.75);
        bei("12,50", 8.5, 4.75);
        bei(u.verwendung1, 0.9, 5.6);
        bei(u.verwendung2, 0.9, 6.45);
        bei(u.auftraggeberName, 0.9, 7.3);
        bei(u.auftraggeberKontoNr, 0.9, 8.15);
        bei("05.03.2001", oben ? 4.3 : 6.1, oben ? 9.7 : 8.1);
    }
    // Cross marks on both copies, signature on the upper one only.
    std::vector<const DruckOperation*> linien, bilder;
    for (const auto& op : s.operationen) {
        if (op.art == DruckOperation::Linie)
            linien.push_back(&op);
        if (op.art == DruckOperation::Bild)
            bilder.push_back(&op);
    }
    ASSERT_EQ(linien.size(), 4u);
    EXPECT_NEAR(linien[0]->x, x0 + 14.8, 1e-4);
    EXPECT_NEAR(linien[0]->x2, x0 + 15.2, 1e-4);
    EXPECT_NEAR(linien[0]->y, mY + 6.6, 1e-4);
    EXPECT_NEAR(linien[1]->x, x0 + 15, 1e-4);
    EXPECT_NEAR(linien[1]->y, mY + 6.6 - 0.2, 1e-4);
    EXPECT_NEAR(linien[1]->y2, mY + 6.6 + 0.2, 1e-4);
    EXPECT_NEAR(linien[3]->y2, mY + 17.2 + 0.2, 1e-4);
    ASSERT_EQ(bilder.size(), 1u);
    EXPECT_NEAR(bilder[0]->x, x0 + 6.8, 1e-4);
    EXPECT_NEAR(bilder[0]->y, mY + 6.6 + 9, 1e-4);
    EXPECT_NEAR(bilder[0]->x2 - bilder[0]->x, 5.5, 1e-4);
    EXPECT_NEAR(bilder[0]->y2 - bilder[0]->y, 1, 1e-4);

    // The record stub: 22 lines from the payer's bank line down, the heading in blue.
    const QStringList stub = {"Überweisungsauftrag", "05.03.2001",          "12,50 EUR",         "*** Empfänger",
                              u.empfaengerName,      "KontoNr: 1234567890", "BLZ    : 10020030", "Kunde #4711",
                              "*** Auftraggeber",    "KontoNr: 9876543",    "BLZ    : 50010060"};
    const int zeilenNr[] = {0, 3, 4, 6, 8, 9, 10, 12, 17, 20, 21};
    const auto kopf = texteMit(s, "Überweisungsauftrag");
    ASSERT_EQ(kopf.size(), 1u);
    EXPECT_EQ(kopf[0]->farbe, 0xFF0000u);
    const double zeilenhoehe = kopf[0]->y2 - kopf[0]->y;
    for (int i = 0; i < stub.size(); ++i) {
        const auto treffer = texteMit(s, stub.at(i));
        ASSERT_FALSE(treffer.empty()) << stub.at(i).toStdString();
        const DruckOperation* op = nullptr;
        for (const auto* t : treffer) {
            if (t->schrift.groesse == 9)
                op = t;
        }
        ASSERT_TRUE(op) << stub.at(i).toStdString();
        EXPECT_NEAR(op->x, x0 + 15.5, 1e-4) << stub.at(i).toStdString();
        EXPECT_NEAR(op->y, mY + 7.5 + zeilenNr[i] * zeilenhoehe, 1e-3) << stub.at(i).toStdString();
        if (i > 0) {
            EXPECT_EQ(op->farbe, 0u) << stub.at(i).toStdString();
        }
    }
}

TEST_F(ZahlungTest, FormularBildOhneKreuzUndOhneDatum)
{
    zplatform::AufzeichnungsDrucker d;
    Ueberweisung u = beispiel();
    u.datumDrucken = false;
    u.waehrung.clear();
    u.betrag = QStringLiteral("0,00");
    const QString bild = wurzel.programm() + "/FormPrn_Ueberweisung.jpg";
    Ueberweisung_Formular(d, u, QString(), 0, 0, Tag, bild, wurzel.programm() + "/fehlt.bmp", QString());
    ASSERT_TRUE(d.dokumentEnde());
    const auto& s = d.seiten().front();
    int linien = 0;
    std::vector<const DruckOperation*> bilder;
    for (const auto& op : s.operationen) {
        linien += op.art == DruckOperation::Linie;
        if (op.art == DruckOperation::Bild)
            bilder.push_back(&op);
    }
    EXPECT_EQ(linien, 0);
    ASSERT_EQ(bilder.size(), 1u); // the missing signature is skipped
    EXPECT_EQ(bilder[0]->text, bild);
    EXPECT_NEAR(bilder[0]->x, -0.6, 1e-4);
    EXPECT_NEAR(bilder[0]->y, 6.7, 1e-4);
    EXPECT_NEAR(bilder[0]->x2, 14.4, 1e-4);
    EXPECT_NEAR(bilder[0]->y2, 26.7, 1e-4);
    // The picture lies under everything else.
    EXPECT_EQ(s.operationen.front().art, DruckOperation::Text); // the one blank of the font steps
    EXPECT_EQ(s.operationen.at(1).art, DruckOperation::Bild);
    const QStringList texte = s.texte();
    EXPECT_FALSE(texte.contains("0,00 EUR"));
    EXPECT_EQ(texte.count("0,00"), 0) << "no amount on the copies";
    EXPECT_TRUE(texte.contains("0,00 ")) << "the stub keeps the amount and one blank";
    EXPECT_TRUE(texte.contains("05.03.2001")) << "the stub shows the date anyway";
    EXPECT_EQ(texte.count("05.03.2001"), 1);
    EXPECT_TRUE(texte.contains("Kunde #"));
    // With margins 0: recipient at (0, 8.8) and (0, 19.4), payer's bank at (-0.2, 7.5).
    const auto name = texteMit(s, u.empfaengerName);
    ASSERT_EQ(name.size(), 3u);
    EXPECT_NEAR(name[0]->x, 0.0, 1e-4);
    EXPECT_NEAR(name[0]->y, 8.8, 1e-4);
    EXPECT_NEAR(name[2]->y, 19.4, 1e-4);
}

TEST_F(ZahlungTest, JedesLayoutAlsPdf)
{
    const QString ordner = wurzel.temp();
    for (int layout = 0; layout < 2; ++layout) {
        zplatform::QtDrucker d(zplatform::pdfDruckerName);
        d.setPdfOrdner(ordner);
        Ueberweisung u = beispiel();
        if (layout == 0) {
            Ueberweisung_Klassisch(d, u, QStringLiteral("Courier New"), 0, 0, Tag);
        } else {
            Ueberweisung_Formular(d, u, QStringLiteral("Courier New"), 0, 0, Tag, QString(), QString(), "42");
        }
        ASSERT_TRUE(d.dokumentEnde()) << d.letzterFehler().toStdString();
        const QString text = pdfText(d.letztePdfDatei());
        if (text.isEmpty())
            GTEST_SKIP() << "pdftotext fehlt";
        for (const QString& t :
             {u.empfaengerName, u.empfaengerKontoNr, QStringLiteral("12,50"), u.verwendung1, u.auftraggeberName})
            EXPECT_TRUE(text.contains(t)) << layout << ": " << t.toStdString() << "\n" << text.toStdString();
        if (layout == 1) {
            EXPECT_TRUE(text.contains(QStringLiteral("Überweisungsauftrag")));
            EXPECT_TRUE(text.contains(QStringLiteral("Kunde #42")));
            EXPECT_EQ(text.count(u.empfaengerKontoNr), 3) << "two copies and the stub";
        }
    }
}

TEST_F(ZahlungTest, LaserformularAlsPdfGanzAufDemBlatt)
{
    // The PDF printer leaves an office laser printer's edge unprinted: the
    // payer's bank, 0.2 cm left of the printable area with margins 0, stands
    // on the sheet, and no word comes nearer than 3 mm to an edge.
    zplatform::QtDrucker d(zplatform::pdfDruckerName);
    d.setPdfOrdner(wurzel.temp());
    Ueberweisung_Formular(d, beispiel(), QStringLiteral("Courier New"), 0, 0, Tag, QString(), QString(), "42");
    ASSERT_TRUE(d.dokumentEnde()) << d.letzterFehler().toStdString();
    const PdfInhalt pdf = pdfLesen(d.letztePdfDatei());
    ASSERT_TRUE(pdf.gelesen) << "pdftotext (poppler-utils)";
    ASSERT_EQ(pdf.seiten.size(), 1u);
    const double r = zplatform::pdfRand;
    const PdfWort* bank = pdf.wort(QStringLiteral("Sparkasse"));
    ASSERT_TRUE(bank) << pdf.alles().toStdString();
    EXPECT_NEAR(bank->x, r - 0.2, 0.05);
    EXPECT_NEAR(bank->y, r + 7.5, 0.3);
    const PdfWort* name = pdf.wort(QStringLiteral("Anna"));
    ASSERT_TRUE(name);
    EXPECT_NEAR(name->x, r, 0.05);
    EXPECT_NEAR(name->y, r + 8.8, 0.3);
    EXPECT_EQ(pdf.amRand(0.3), QString());
}
