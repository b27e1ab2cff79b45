// The about box and the tips.
#include "befehle_hilfe.h"
#include "modal_hilfe.h"

#include "addressbook/befehle.h"
#include "commands/ui/einstellbefehle.h"
#include "support/fensterattrappe.h"
#include "support/textpruefung.h"

#include "addressbook/sitzung.h"

#include "commands/info.h"
#include "commands/tipps.h"
#include "commands/ui/info.h"
#include "commands/ui/tips.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

using namespace zbefehle;
using namespace Qt::StringLiterals;

TEST(Info, TitelUndSystemtext)
{
    EXPECT_EQ(Info_Titel({3, 7, 12}), u"Infos über Zettlora · Version 3.07.0012"_s);
    InfoAngaben a;
    a.benutzer = u"Anna"_s;
    a.datenOrdner = u"/home/anna/Daten"_s;
    a.programmOrdner = u"/opt/z"_s;
    a.modulPaket = u"?"_s;
    a.version = {1, 2, 3};
    a.freigabe = QDateTime(QDate(2024, 5, 6), QTime(7, 8));
    EXPECT_EQ(Info_Systemtext(a), u"Benutzername / Rechnerstation: Anna\r\nDaten-Ordner: /home/anna/Daten\r\n"
                                  u"Modul-Paket: Installiert ist ? und benötigt wird e\r\nVersion 1.02.0003\r\n"
                                  u"Freigabe am 06.05.2024 um 07:08"_s);
    a.benutzer.clear();
    a.datenOrdner.clear();
    a.freigabe = QDateTime();
    EXPECT_EQ(Info_Systemtext(a), u"Ordner: /opt/z\r\nModul-Paket: Installiert ist ? und benötigt wird e\r\n"
                                  u"Version 1.02.0003\r\nFreigabe Unbekannt"_s);
    // The printed name fills the width less 900 twips, at most 36 points.
    EXPECT_DOUBLE_EQ(Info_Schriftgroesse(5000, 8200, 30), 15);
    EXPECT_DOUBLE_EQ(Info_Schriftgroesse(9000, 1000, 30), 36);
    EXPECT_EQ(Info_Namenfarbe(65536), 0x3088FC);
    EXPECT_EQ(Info_Namenfarbe(256), 0xFF);
    EXPECT_EQ(Info_Schattenfarbe(256), 0x808080);
}

TEST_F(BefehleTest, InfoSchliesstMitLeertasteEnterEsc)
{
    for (Qt::Key taste : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape}) {
        Info info;
        EXPECT_TRUE(info.windowTitle().startsWith(u"Infos über Zettlora · Version "_s));
        EXPECT_TRUE(info.SysInfo->toPlainText().contains(u"Modul-Paket: Installiert ist ?"_s));
        info.show();
        QTest::keyClick(info.SysInfo, taste);
        EXPECT_FALSE(info.isVisible());
        EXPECT_EQ(info.result(), QDialog::Accepted);
    }
    Info info;
    info.CopyrightHinweis_DblClick();
    EXPECT_EQ(plattform->meldungen.back().titel, u"Zettlora, Anwender-Statistik"_s);
}

// Only the product name is large: the notice, the system text and "Ok" keep
// the program's font, and the system text shows all its lines, even with a
// long data folder.
TEST_F(BefehleTest, InfoLesbar)
{
    const QFont programm = QApplication::font();
    QApplication::setFont(QFont(u"Arial"_s, 8));
    zadressbuch::sitzung().DatenOrdner = u"/home/benutzer/Dokumente/Adressen/Zettlora-Daten/Kunden/2026"_s;
    Info info;
    info.show();
    QApplication::processEvents();
    EXPECT_GT(info.namensSchrift().pointSizeF(), 20);
    for (QWidget* w : {static_cast<QWidget*>(info.CopyrightHinweis), static_cast<QWidget*>(info.SysInfo),
                       static_cast<QWidget*>(info.befAbbrechen)})
        EXPECT_EQ(w->font(), QApplication::font()) << w->objectName().toStdString();
    EXPECT_EQ(info.SysInfo->verticalScrollBar()->maximum(), 0);
    const QStringList befunde = textpruefung::abgeschnitteneTexte(&info);
    EXPECT_TRUE(befunde.isEmpty()) << befunde.join(u'\n').toStdString();
    QApplication::setFont(programm);
}

namespace {

class TippsTest : public BefehleTest
{
protected:
    QString datei() const { return wurzel->programm() + u"/Tips.Bot"_s; }
    void tipps(const QStringList& texte)
    {
        QString s = u"[Tips]\r\nAnzahl=%1\r\nFrage=Schon gewusst?\r\nHeader=Willkommen zu Version {Major}\r\n"_s.arg(
            texte.size());
        for (int i = 0; i < texte.size(); ++i)
            if (!texte[i].isEmpty())
                s += u"Tip%1=%2\r\n"_s.arg(i + 1, 4, 10, QLatin1Char('0')).arg(texte[i]);
        schreiben(u"programm/Tips.Bot"_s, s);
    }
    void zufall(std::initializer_list<double> werte)
    {
        plattform->zufallszahlen.clear();
        for (double w : werte)
            plattform->zufallszahlen.enqueue(w);
    }
    QList<int> ziehen(int n)
    {
        QList<int> r;
        for (int i = 0; i < n; ++i)
            r << Tipp_Naechster(datei(), 3).nummer;
        return r;
    }
};

} // namespace

TEST_F(TippsTest, TextAufbereitet)
{
    EXPECT_EQ(Tipp_Aufbereiten(u"  Erster Satz.~zweiter Satz "_s), u"Erster Satz.\r\n\r\nzweiter Satz."_s);
    EXPECT_EQ(Tipp_Aufbereiten(u"Wirklich?"_s), u"Wirklich?"_s);
    EXPECT_EQ(Tipp_Aufbereiten(u"Siehe {URL}"_s), u"Siehe https://www.zettlora.de."_s);
}

TEST_F(TippsTest, ZiehungUndVerlauf)
{
    tipps({u"eins"_s});
    zufall({0.9, 0.1, 0.7});
    EXPECT_EQ(ziehen(3), (QList<int>{1, 1, 1}));
    EXPECT_EQ(zcommon::Ini_Lesen(datei(), u"Tips"_s, u"Zuletzt"_s, u"<fehlt>"_s), QString());

    tipps({u"eins"_s, u"zwei"_s});
    zufall({0.1, 0.1, 0.9, 0.9, 0.1});
    EXPECT_EQ(ziehen(3), (QList<int>{1, 2, 1}));

    // Five tips: four are kept in the history, so five draws show each once.
    tipps({u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s});
    zcommon::Ini_Schreiben(datei(), u"Tips"_s, u"Zuletzt"_s, QString());
    plattform->zufallszahlen.clear();
    for (int i = 0; i < 200; ++i)
        plattform->zufallszahlen << (i * 0.37 - int(i * 0.37));
    QList<int> gezogen = ziehen(5);
    std::sort(gezogen.begin(), gezogen.end());
    EXPECT_EQ(gezogen, (QList<int>{1, 2, 3, 4, 5}));

    // Tip 2 missing and tip 1 in the history: after 999 tries tip 1.
    tipps({u"a"_s, QString(), u"c"_s});
    zcommon::Ini_Schreiben(datei(), u"Tips"_s, u"Zuletzt"_s, u".0001.0003"_s);
    plattform->zufallszahlen.clear();
    const Tipp t = Tipp_Naechster(datei(), 3);
    EXPECT_EQ(t.nummer, 1);
    EXPECT_EQ(t.kopf, u"Willkommen zu Version 03"_s);
    EXPECT_EQ(t.frage, u"Schon gewusst?"_s);
}

TEST_F(TippsTest, FormUndKeineTipps)
{
    tipps({u"Erster Tipp"_s, u"Zweiter Tipp!"_s});
    zufall({0.1, 0.9});
    {
        ASSERT_EQ(zcommon::Ini_Lesen(QString(), QString(), u"AutoTip"_s, u"fehlt"_s), u"fehlt"_s);
        Tips form;
        EXPECT_EQ(form.bezTip->text(), u"Erster Tipp."_s);
        EXPECT_EQ(form.bezTip0->text(), u"Schon gewusst?"_s);
        EXPECT_TRUE(form.strgAutoTip->isChecked());
        EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), u"AutoTip"_s, u"fehlt"_s), u"1"_s)
            << "ticking the box on loading writes the setting";
        form.befNext->click();
        EXPECT_EQ(form.bezTip->text(), u"Zweiter Tipp!"_s);
        form.strgAutoTip->click();
        EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), u"AutoTip"_s), u"0"_s);
        form.strgAutoTip->click();
        EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), u"AutoTip"_s), u"1"_s);
    }
    QFile::remove(datei());
    Tips leer;
    EXPECT_EQ(leer.bezTip0->text(), u"Keine Tipps gefunden!"_s);
    EXPECT_FALSE(leer.befNext->isEnabled());
    EXPECT_FALSE(leer.strgAutoTip->isChecked());
    EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), u"AutoTip"_s), u"0"_s);
}

// The shipped tips file and help document.
TEST(Vorgabedateien, TippsUndHilfe)
{
    const QString ordner = QStringLiteral(ZETTLORA_SOURCE_DEFAULTS_DIR);
    const QString tipps = ordner + u"/Tips.Bot"_s;
    const int anzahl = zcommon::Ini_Lesen(tipps, u"Tips"_s, u"Anzahl"_s).toInt();
    EXPECT_GE(anzahl, 10);
    for (int i = 1; i <= anzahl; ++i) {
        const QString t = zcommon::Ini_Lesen(tipps, u"Tips"_s, u"Tip%1"_s.arg(i, 4, 10, QLatin1Char('0')));
        EXPECT_FALSE(t.isEmpty()) << i;
        EXPECT_LT(t.size(), 250) << i; // the read limit of settings values
    }
    QFile hilfe(ordner + u"/Zettlora.html"_s);
    ASSERT_TRUE(hilfe.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(hilfe.readAll());
    for (const char* thema : {"start", "karte", "suche", "datei", "adresse", "pruefen", "drucken", "importieren",
                              "exportieren", "vertrieb", "einstellungen", "spezial", "weiteres", "tipps", "tasten"})
        EXPECT_TRUE(html.contains(u"id=\""_s + QLatin1String(thema) + u'"')) << thema;
    EXPECT_TRUE(QFile::exists(ordner + u"/werbung.html"_s));
}

// Without a tips file the command (from the menu and at start-up alike) shows
// the dialog in its no-tips state, which switches the tip at start-up off;
// the status bar is left alone.
TEST_F(TippsTest, BefehlOhneTippsZeigtDenDialogOhneTipps)
{
    zadressbuch::Befehlsregister r;
    Einstellbefehle_Anmelden(r);
    FensterAttrappe f;
    EXPECT_TRUE(mitModalDialog<Tips>([&] { r.ausfuehren(zadressbuch::Befehl::mnuTips, f); },
                                     [](Tips& t) {
                                         EXPECT_EQ(t.bezTip0->text(), u"Keine Tipps gefunden!"_s);
                                         EXPECT_FALSE(t.befNext->isEnabled());
                                         t.befAbbrechen->click();
                                     }));
    EXPECT_TRUE(f.statusTexte.isEmpty());
    EXPECT_TRUE(plattform->meldungen.empty());
    EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), u"AutoTip"_s), u"0"_s);

    tipps({u"Erster Tipp"_s});
    EXPECT_TRUE(mitModalDialog<Tips>([&] { r.ausfuehren(zadressbuch::Befehl::mnuTips, f); },
                                     [](Tips& t) {
                                         EXPECT_EQ(t.bezTip->text(), u"Erster Tipp."_s);
                                         t.befAbbrechen->click();
                                     }));
}
