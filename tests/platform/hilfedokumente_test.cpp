// The installed help documents on an update: an unchanged one of an earlier
// version is replaced by the shipped one, the user's own stays byte for byte,
// the current one is not written at all, and a failed write leaves the old
// document and reports the failure.
#include "platform/dateisystem.h"
#include "platform/hilfedokumente.h"
#include "platform/ordner.h"
#include "support/testplattform.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <set>
#include <utility>

using namespace zplatform;
using namespace Qt::StringLiterals;

namespace {

QByteArray roh(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void rohSchreiben(const QString& pfad, const QByteArray& inhalt)
{
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(inhalt);
}

QByteArray dokument(int stand, const QByteArray& text)
{
    QByteArray kopf = "<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\">\n";
    if (stand > 0)
        kopf += "<meta name=\"generator\" content=\"Zettlora-Hilfe " + QByteArray::number(stand) + "\">\n";
    return kopf + "</head>\n<body>\n" + text + "\n</body>\n</html>\n";
}

HilfeStand stand(const QString& datei, int nummer, const QByteArray& inhalt)
{
    return {datei, nummer, QCryptographicHash::hash(inhalt, QCryptographicHash::Sha256).toHex()};
}

// The product information as the first version shipped it.
const QByteArray g_ersteWerbung =
    "<!DOCTYPE html>\n<html lang=\"de\">\n<head><meta charset=\"utf-8\"><title>Zettlora \xE2\x80\x93 "
    "Produktinformation</title>\n<style>body { font-family: sans-serif; max-width: 40em; margin: 1em auto; "
    "padding: 0 1em; line-height: 1.45; } h1 { color: #f08830; }</style>\n</head>\n<body>\n"
    "<h1>Trevix-Zettlora</h1>\n<p>Die Adressverwaltung f\xC3\xBCr B\xC3\xBCro, Verein und Zuhause: Adressen auf "
    "einer \xC3\xBC"
    "bersichtlichen Karte, schnelle Suche, Kataloge f\xC3\xBCr Postleitzahlen, Vorwahlen und Banken, "
    "Umschl\xC3\xA4ge, Listen und Zahlungsvordrucke.</p>\n<h2>Begleitprogramme</h2>\n<ul>\n"
    "<li><b>Quirlan</b> \xE2\x80\x93 Termine und Aufgaben, mit den Adressen von Zettlora.</li>\n"
    "<li><b>Vesmor</b> \xE2\x80\x93 Serienbriefe und Etiketten.</li>\n"
    "<li><b>Lindoras</b> \xE2\x80\x93 Anrufer-Anzeige f\xC3\xBCr die Telefonanlage.</li>\n</ul>\n"
    "<p>Neuigkeiten und Updates finden Sie unter <a href=\"https://www.zettlora.de\">www.zettlora.de</a>.</p>\n"
    "</body>\n</html>\n";

// A shipped folder with help version 3 and product information version 2,
// and the versions shipped before them (1 and 2 of the help, 1 of the product
// information; the first ones without a mark).
class Hilfedokumente : public ::testing::Test
{
protected:
    TempWurzel wurzel;
    QTemporaryDir quelle;
    const QByteArray hilfe1 = dokument(0, "<h1>Anleitung</h1>");
    const QByteArray hilfe2 = dokument(2, "<h1>Anleitung</h1>\n<h2 id=\"thema3005\">Suche</h2>");
    const QByteArray hilfe3 = dokument(3, "<h1>Anleitung</h1>\n<h2 id=\"thema3005\">Suchen</h2>");
    const QByteArray werbung1 = dokument(0, "<h1>Zettlora</h1>");
    const QByteArray werbung2 = dokument(2, "<h1>Trevix-Zettlora</h1>");
    QList<HilfeStand> bekannt = {stand(u"Zettlora.html"_s, 1, hilfe1), stand(u"Zettlora.html"_s, 2, hilfe2),
                                 stand(u"Zettlora.html"_s, 3, hilfe3), stand(u"werbung.html"_s, 1, werbung1),
                                 stand(u"werbung.html"_s, 2, werbung2)};

    void SetUp() override
    {
        rohSchreiben(quelle.path() + u"/Zettlora.html"_s, hilfe3);
        rohSchreiben(quelle.path() + u"/werbung.html"_s, werbung2);
    }
    QString installiert(const QString& name) const { return wurzel.programm() + u'/' + name; }
    bool auffrischen() const { return hilfeDokumenteAuffrischen(quelle.path(), wurzel.programm(), bekannt); }
    QStringList programmOrdner() const
    {
        return QDir(wurzel.programm()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
};

} // namespace

TEST_F(Hilfedokumente, EinFruehererStandWirdErsetzt)
{
    rohSchreiben(installiert(u"Zettlora.html"_s), hilfe1);
    rohSchreiben(installiert(u"werbung.html"_s), werbung1);
    ASSERT_EQ(rechteSetzen(installiert(u"Zettlora.html"_s), 0640), 0);

    EXPECT_TRUE(auffrischen());
    EXPECT_EQ(roh(installiert(u"Zettlora.html"_s)), hilfe3);
    EXPECT_EQ(roh(installiert(u"werbung.html"_s)), werbung2);
    EXPECT_EQ(dateistand(installiert(u"Zettlora.html"_s)).modus & 0777, 0640u);
    EXPECT_EQ(programmOrdner(), (QStringList{u"Zettlora.html"_s, u"werbung.html"_s})); // no copy left behind

    // A marked earlier version, installed under another case, is replaced where it stands.
    QFile::remove(installiert(u"Zettlora.html"_s));
    rohSchreiben(installiert(u"zettlora.html"_s), hilfe2);
    EXPECT_TRUE(auffrischen());
    EXPECT_EQ(roh(installiert(u"zettlora.html"_s)), hilfe3);
    EXPECT_EQ(programmOrdner(), (QStringList{u"werbung.html"_s, u"zettlora.html"_s}));
}

TEST_F(Hilfedokumente, EinEigenesDokumentBleibt)
{
    // Written by the user: no mark, bytes the program never shipped.
    const QByteArray eigene = "<html><body>Meine eigene Hilfe</body></html>\r\n";
    rohSchreiben(installiert(u"Zettlora.html"_s), eigene);
    // An earlier version the user changed: its mark is still there.
    QByteArray geaendert = werbung1;
    geaendert.replace("Zettlora</h1>", "Zettlora</h1>\n<p>Lizenz: Verein Musterstadt</p>");
    rohSchreiben(installiert(u"werbung.html"_s), geaendert);

    EXPECT_TRUE(auffrischen());
    EXPECT_EQ(roh(installiert(u"Zettlora.html"_s)), eigene);
    EXPECT_EQ(roh(installiert(u"werbung.html"_s)), geaendert);

    // An earlier version the user made read-only stays too.
    rohSchreiben(installiert(u"Zettlora.html"_s), hilfe1);
    ASSERT_EQ(rechteSetzen(installiert(u"Zettlora.html"_s), 0444), 0);
    EXPECT_TRUE(auffrischen());
    EXPECT_EQ(roh(installiert(u"Zettlora.html"_s)), hilfe1);
}

TEST_F(Hilfedokumente, EinNeuererStandBleibt)
{
    // Installed by a later version, then this one started again.
    const QByteArray hilfe4 = dokument(4, "<h1>Anleitung</h1>\n<h2 id=\"thema3006\">Mehr</h2>");
    bekannt << stand(u"Zettlora.html"_s, 4, hilfe4);
    rohSchreiben(installiert(u"Zettlora.html"_s), hilfe4);

    EXPECT_TRUE(auffrischen());
    EXPECT_EQ(roh(installiert(u"Zettlora.html"_s)), hilfe4);
}

TEST_F(Hilfedokumente, DerAktuelleStandWirdNichtGeschrieben)
{
    rohSchreiben(installiert(u"Zettlora.html"_s), hilfe3);
    rohSchreiben(installiert(u"werbung.html"_s), werbung2);
    QFile f(installiert(u"Zettlora.html"_s));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)), QFileDevice::FileModificationTime));
    f.close();
    const Dateistand vorher = dateistand(installiert(u"Zettlora.html"_s));
    const Dateistand werbungVorher = dateistand(installiert(u"werbung.html"_s));

    EXPECT_TRUE(auffrischen());
    EXPECT_EQ(dateistand(installiert(u"Zettlora.html"_s)), vorher); // same file, same times
    EXPECT_EQ(dateistand(installiert(u"werbung.html"_s)), werbungVorher);
}

TEST_F(Hilfedokumente, EinMisslungenesSchreibenLaesstDasAlte)
{
    TestPlattform plattform;
    rohSchreiben(installiert(u"Zettlora.html"_s), hilfe1);
    rohSchreiben(installiert(u"werbung.html"_s), werbung1);
    testUmbenennenScheitert(pfadAufloesen(installiert(u"Zettlora.html"_s)), EIO);

    EXPECT_FALSE(auffrischen());
    testUmbenennenScheitert(QString(), 0);
    EXPECT_EQ(roh(installiert(u"Zettlora.html"_s)), hilfe1);
    EXPECT_EQ(roh(installiert(u"werbung.html"_s)), werbung2); // the other one is done all the same
    EXPECT_EQ(programmOrdner(), (QStringList{u"Zettlora.html"_s, u"werbung.html"_s}));
    EXPECT_TRUE(plattform.meldungen.empty());

    // The next start does it.
    EXPECT_TRUE(auffrischen());
    EXPECT_EQ(roh(installiert(u"Zettlora.html"_s)), hilfe3);
}

TEST(Hilfedokument, MarkeLesen)
{
    EXPECT_EQ(hilfeStandLesen(dokument(3, "x")), 3);
    EXPECT_EQ(hilfeStandLesen(dokument(12, "x")), 12);
    EXPECT_EQ(hilfeStandLesen(dokument(0, "x")), 0);
    EXPECT_EQ(hilfeStandLesen("<meta name=\"generator\" content=\"Zettlora-Hilfe \">"), 0);
    EXPECT_EQ(hilfeStandLesen("<meta name=\"generator\" content=\"Zettlora-Hilfe 3a\">"), 0);
    EXPECT_EQ(hilfeStandLesen("<meta name=\"generator\" content=\"Zettlora-Hilfe 3"), 0);
    EXPECT_EQ(hilfeStandLesen("<meta name=\"generator\" content=\"Zettlora-Hilfe 99999999999\">"), 0);
}

// The documents this build ships: each carries its mark and stands in the
// list of shipped versions under that number, above every earlier version.
TEST(Hilfedokument, AusgelieferteStehenInDerListe)
{
    std::set<std::pair<QString, int>> gesehen;
    for (const HilfeStand& s : ausgelieferteHilfeStaende()) {
        EXPECT_TRUE(gesehen.insert({s.datei, s.stand}).second) << s.datei.toStdString() << " " << s.stand;
        EXPECT_EQ(s.sha256.size(), 64);
    }
    for (const QString& name : {u"Zettlora.html"_s, u"werbung.html"_s}) {
        const QByteArray inhalt = roh(vorgabenOrdner() + u'/' + name);
        ASSERT_FALSE(inhalt.isEmpty()) << name.toStdString();
        const int nummer = hilfeStandLesen(inhalt);
        EXPECT_GT(nummer, 0) << name.toStdString();
        const QByteArray summe = QCryptographicHash::hash(inhalt, QCryptographicHash::Sha256).toHex();
        bool gefunden = false;
        for (const HilfeStand& s : ausgelieferteHilfeStaende()) {
            if (s.datei != name)
                continue;
            if (s.sha256 == summe) {
                gefunden = true;
                EXPECT_EQ(s.stand, nummer) << name.toStdString();
            } else {
                EXPECT_LT(s.stand, nummer) << name.toStdString();
            }
        }
        EXPECT_TRUE(gefunden) << name.toStdString() << " fehlt in der Liste der ausgelieferten Stände";
    }
}

// A program folder from the first version: the start brings the product
// information up to date and copies nothing over the user's help.
TEST(Hilfedokument, DerStartFrischtDieErsteProduktinformationAuf)
{
    TempWurzel wurzel;
    const QString werbung = wurzel.programm() + u"/werbung.html"_s;
    const QString hilfe = wurzel.programm() + u"/Zettlora.html"_s;
    rohSchreiben(werbung, g_ersteWerbung);
    rohSchreiben(hilfe, "<html>Notizen</html>");

    EXPECT_TRUE(programmOrdnerBefuellen(vorgabenOrdner()));
    EXPECT_EQ(roh(werbung), roh(vorgabenOrdner() + u"/werbung.html"_s));
    EXPECT_EQ(roh(hilfe), QByteArray("<html>Notizen</html>"));

    rohSchreiben(werbung, g_ersteWerbung);
    testUmbenennenScheitert(pfadAufloesen(werbung), EIO);
    EXPECT_FALSE(programmOrdnerBefuellen(vorgabenOrdner()));
    testUmbenennenScheitert(QString(), 0);
    EXPECT_EQ(roh(werbung), g_ersteWerbung);
}
