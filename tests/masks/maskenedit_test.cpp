// The mask editor, the clipboard copy and the caption rename, run as forms
// (offscreen) on a temporary mask folder.
#include "addressbook/adressliste.h"
#include "addressbook/befehle.h"
#include "commands/modal_hilfe.h"
#include "commands/schriftdialog_hilfe.h"
#include "commands/ui/file.h"
#include "commands/ui/schriftdialog.h"
#include "masks/maskeneditor.h"
#include "masks/ui/befehle.h"
#include "masks/ui/maskenedit.h"
#include "masks/ui/zaexport.h"
#include "support/einfuegewege.h"
#include "support/fensterattrappe.h"
#include "support/textpruefung.h"
#include "testhilfe.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QSpinBox>
#include <QTest>

using namespace zmasken;

namespace {

class MaskenEditTest : public MaskenUmgebung
{
protected:
    void SetUp() override
    {
        MaskenUmgebung::SetUp();
        MaskenEdit::letzteMaske().clear();
        alteWahl = MaskenEdit::dateiwahl();
        MaskenEdit::dateiwahl() = [this](const QString& vorschlag, bool laden) {
            vorschlaege << vorschlag;
            modi << laden;
            return antworten.isEmpty() ? QString() : antworten.takeFirst();
        };
        zadressbuch::adressliste().Clear();
    }
    void TearDown() override
    {
        MaskenEdit::dateiwahl() = alteWahl;
        zadressbuch::adressliste().Clear();
        MaskenUmgebung::TearDown();
    }
    QString maske(const QString& name) const { return daten() + QLatin1Char('/') + name; }
    QString fontEintrag(const QString& schluessel)
    {
        zcommon::Ini_CacheLeeren();
        return zcommon::Ini_Lesen(MaskenIniDatei(), QStringLiteral("MaskenFonts"), schluessel,
                                  QStringLiteral("<fehlt>"));
    }

    std::function<QString(const QString&, bool)> alteWahl;
    QStringList antworten; // paths the file chooser returns in turn ("" = cancel)
    QStringList vorschlaege;
    QList<bool> modi;
};

QString satz(std::initializer_list<std::pair<int, QString>> werte)
{
    zadressbuch::Felder f;
    for (const auto& [nr, text] : werte)
        f[size_t(nr)] = text;
    return zadressbuch::Verbinden(f);
}

} // namespace

TEST_F(MaskenEditTest, SchreibenSpeichernWiederLaden)
{
    {
        MaskenEdit m;
        EXPECT_EQ(m.panelStatus->text(), QStringLiteral("Bereit"));
        EXPECT_EQ(m.panelPosition->text(), QStringLiteral("keine Eingaben"));
        // The list offers the captions in braces, sorted without regard to case.
        const QList<QListWidgetItem*> n = m.ListeFelder->findItems(QStringLiteral("{Nachname}"), Qt::MatchExactly);
        ASSERT_EQ(n.size(), 1);
        EXPECT_EQ(m.ListeFelder->item(0)->text(), QStringLiteral("{@Datum}"));
        EXPECT_EQ(m.ListeFelder->count(), 29);

        QTest::keyClicks(m.Text1, QStringLiteral("Herrn"));
        QTest::keyClick(m.Text1, Qt::Key_Return);
        m.ListeFelder->setCurrentItem(n.first());
        n.first()->setSelected(true);
        m.befFeldEinfg_Click();
        EXPECT_EQ(m.Text1->text(), QStringLiteral("Herrn\r\n{Nachname} "));
        EXPECT_FALSE(n.first()->isSelected());
        m.TimerHinweise_Timer();
        EXPECT_EQ(m.panelPosition->text(), QStringLiteral(" 2 Zeile  19 / 18 Zeichen "));
        EXPECT_EQ(m.panelPosition->toolTip(), QStringLiteral("2. Absatz   19 / 18 Zeichen"));

        // A cancelled save writes nothing.
        antworten << QString();
        m.mnuSpeichern_Click();
        EXPECT_EQ(m.panelStatus->text(), QStringLiteral("Maske speichern..."));
        EXPECT_EQ(fontEintrag(QStringLiteral("BRIEF")), QStringLiteral("<fehlt>"));

        antworten << maske(QStringLiteral("brief.msk"));
        m.mnuSpeichern_Click();
        EXPECT_EQ(modi, QList<bool>({false, false}));
        EXPECT_EQ(m.panelStatus->text(), QStringLiteral("Maske BRIEF gespeichert."));
        EXPECT_EQ(bytesLesen(maske(QStringLiteral("brief.msk"))), QByteArray("Herrn\r\n{Nachname} "));
        EXPECT_TRUE(fontEintrag(QStringLiteral("BRIEF")).startsWith(QStringLiteral("Arial;8.25;")));
    }
    // A second opening starts empty and proposes the mask used last.
    MaskenEdit m;
    EXPECT_EQ(m.Text1->text(), QString());
    antworten << maske(QStringLiteral("brief.msk"));
    m.mnuLaden_Click();
    EXPECT_EQ(vorschlaege.last(), QStringLiteral("brief"));
    EXPECT_TRUE(modi.last());
    // A loaded mask always ends with a line end.
    EXPECT_EQ(m.Text1->text(), QStringLiteral("Herrn\r\n{Nachname} \r\n"));
    EXPECT_EQ(m.panelStatus->text(), QStringLiteral("Maske BRIEF geladen."));
    m.Text1->moveCursor(QTextCursor::End);
    m.TimerHinweise_Timer();
    EXPECT_TRUE(m.panelPosition->text().startsWith(QStringLiteral(" 3 Zeile  21 / 20")));

    // Clearing keeps the remembered name.
    m.mnuLoeschen_Click();
    EXPECT_EQ(m.Text1->text(), QString());
    EXPECT_EQ(MaskenEdit::letzteMaske(), QStringLiteral("brief"));
}

// The save chooser says where the mask goes and that it gets ".Msk".
TEST_F(MaskenEditTest, SpeichernZeigtOrdnerUndEndung)
{
    MaskenEdit::dateiwahl() = alteWahl;
    MaskenEdit m;
    QTest::keyClicks(m.Text1, QStringLiteral("{Nachname}"));
    ASSERT_TRUE(mitModalDialog<zbefehle::File>(
        [&] { m.mnuSpeichern_Click(); },
        [&](zbefehle::File& f) {
            EXPECT_EQ(f.windowTitle(), QStringLiteral("Datei speichern unter"));
            EXPECT_EQ(f.BezHinweise->text(),
                      QStringLiteral("Speichern im Ordner:\n") + daten() + QStringLiteral("\nals: ….Msk"));
            EXPECT_TRUE(f.BezInfo->text().contains(QStringLiteral("».Msk«"))) << f.BezInfo->text().toStdString();
            QTest::keyClicks(f.Bezeichnung, QStringLiteral("Brief"));
            EXPECT_TRUE(f.BezHinweise->text().endsWith(QStringLiteral("\nals: Brief.Msk")));
            const QStringList befunde = textpruefung::abgeschnitteneTexte(&f);
            EXPECT_TRUE(befunde.isEmpty()) << befunde.join(QLatin1Char('\n')).toStdString();
            f.BefOk->click();
        }));
    EXPECT_EQ(bytesLesen(maske(QStringLiteral("Brief.Msk"))), QByteArray("{Nachname}"));
}

TEST_F(MaskenEditTest, SchriftJeMaskeUndLangeMasken)
{
    bytesSchreiben(maske(QStringLiteral("Lang.msk")), QByteArray(1500, 'x'));
    zcommon::Ini_Schreiben(MaskenIniDatei(), QStringLiteral("MaskenFonts"), QStringLiteral("LANG"),
                           QStringLiteral("Courier New;12;-1;0;0;255"));
    MaskenEdit m;
    antworten << maske(QStringLiteral("Lang.msk"));
    m.mnuLaden_Click();
    EXPECT_EQ(m.Text1->font().family(), QStringLiteral("Courier New"));
    EXPECT_TRUE(m.Text1->font().bold());
    // Longer than the typing limit: loaded and saved whole, typing adds nothing.
    EXPECT_EQ(m.Text1->text().size(), 1502);
    m.Text1->moveCursor(QTextCursor::End);
    QTest::keyClicks(m.Text1, QStringLiteral("y"));
    EXPECT_EQ(m.Text1->text().size(), 1502);
    antworten << maske(QStringLiteral("a.b.msk"));
    m.mnuSpeichern_Click();
    EXPECT_EQ(bytesLesen(maske(QStringLiteral("a.b.msk"))).size(), 1502);
    EXPECT_TRUE(fontEintrag(QStringLiteral("A")).startsWith(QStringLiteral("Courier New;12;-1;0;0;")));

    // Font and colour from the dialog.
    ASSERT_TRUE(mitModalDialog<zbefehle::SchriftDialog>([&] { m.mnuSchriftFarbe->trigger(); },
                                                        [](zbefehle::SchriftDialog& d) {
                                                            d.txtGroesse->setValue(20);
                                                            d.strgKursiv->setChecked(true);
                                                            d.befOk->click();
                                                        }));
    EXPECT_TRUE(m.Text1->font().italic());
    EXPECT_DOUBLE_EQ(m.Text1->font().pointSizeF(), 20.0);
    ASSERT_TRUE(mitModalDialog<zbefehle::SchriftDialog>([&] { m.mnuSchriftFarbe->trigger(); },
                                                        [](zbefehle::SchriftDialog& d) {
                                                            d.strgKursiv->setChecked(false);
                                                            d.befAbbrechen->click();
                                                        }));
    EXPECT_TRUE(m.Text1->font().italic());

    // Esc ends the editor.
    m.show();
    QTest::keyClick(&m, Qt::Key_Escape);
    EXPECT_FALSE(m.isVisible());
}

// "&Schrift und Farbe...": the user's choice in the font dialog, the colour
// picked through its colour button included, reaches the text box and, on
// saving, Masken.Ini; sizes stay within 4 to 25 points; strikethrough shows
// but is not stored.
TEST_F(MaskenEditTest, SchriftUndFarbeAusDemDialog)
{
    MaskenEdit m;
    m.show();
    QTest::keyClicks(m.Text1, QStringLiteral("{Nachname}"));
    int kleinste = 0, groesste = 0, nach30 = 0;
    ASSERT_TRUE(mitModalDialog<zbefehle::SchriftDialog>(
        [&] { m.mnuSchriftFarbe->trigger(); },
        [&](zbefehle::SchriftDialog& d) {
            kleinste = d.txtGroesse->minimum();
            groesste = d.txtGroesse->maximum();
            // Every control the keyboard reaches by Alt and a letter has a letter of its own.
            QStringList tasten;
            for (QAbstractButton* b : d.findChildren<QAbstractButton*>())
                tasten << QKeySequence::mnemonic(b->text()).toString();
            for (QLabel* l : d.findChildren<QLabel*>())
                if (l->buddy())
                    tasten << QKeySequence::mnemonic(l->text()).toString();
            tasten.removeAll(QString());
            EXPECT_EQ(QSet<QString>(tasten.begin(), tasten.end()).size(), tasten.size())
                << tasten.join(u' ').toStdString();
            // 30 points cannot be typed.
            d.txtGroesse->setFocus();
            d.txtGroesse->selectAll();
            QTest::keyClicks(d.txtGroesse, QStringLiteral("30"));
            QTest::keyClick(d.txtGroesse, Qt::Key_Tab);
            nach30 = d.txtGroesse->value();
            d.txtGroesse->selectAll();
            QTest::keyClicks(d.txtGroesse, QStringLiteral("14"));
            d.strgFett->click();
            d.strgDurchgestrichen->click();
            EXPECT_TRUE(farbeImDialogWaehlen(d, QColor(0, 0, 255)));
            d.befOk->click();
        }));
    EXPECT_EQ(kleinste, 4);
    EXPECT_EQ(groesste, 25);
    EXPECT_LE(nach30, 25);
    EXPECT_EQ(m.Text1->font().family(), QStringLiteral("Arial")) << "the Windows name, not its stand-in";
    EXPECT_DOUBLE_EQ(m.Text1->font().pointSizeF(), 14.0);
    EXPECT_TRUE(m.Text1->font().bold());
    EXPECT_TRUE(m.Text1->font().strikeOut());
    EXPECT_EQ(m.Text1->palette().color(QPalette::Text), QColor(0, 0, 255));

    antworten << maske(QStringLiteral("Blau.msk"));
    m.mnuSpeichern->trigger();
    EXPECT_EQ(fontEintrag(QStringLiteral("BLAU")), QStringLiteral("Arial;14;-1;0;0;16711680"));

    // Loading the mask again brings font and colour back, strikethrough not.
    MaskenEdit zweiter;
    antworten << maske(QStringLiteral("Blau.msk"));
    zweiter.mnuLaden->trigger();
    EXPECT_DOUBLE_EQ(zweiter.Text1->font().pointSizeF(), 14.0);
    EXPECT_TRUE(zweiter.Text1->font().bold());
    EXPECT_FALSE(zweiter.Text1->font().strikeOut());
    EXPECT_EQ(zweiter.Text1->palette().color(QPalette::Text), QColor(0, 0, 255));
}

// A struck-through font opens the dialog with "Durchgestrichen" ticked, so
// OK keeps it; the largest size, 25 points, leaves the dialog as large as it was.
TEST_F(MaskenEditTest, DurchgestrichenBleibtUndDieGroessteSchriftLaesstDenDialogSoGross)
{
    MaskenEdit m;
    m.show();
    ASSERT_TRUE(mitModalDialog<zbefehle::SchriftDialog>([&] { m.mnuSchriftFarbe->trigger(); },
                                                        [](zbefehle::SchriftDialog& d) {
                                                            d.strgDurchgestrichen->click();
                                                            d.befOk->click();
                                                        }));
    ASSERT_TRUE(m.Text1->font().strikeOut());

    const GroessteSchrift g = groessteSchriftWaehlen([&] { m.mnuSchriftFarbe->trigger(); });
    ASSERT_TRUE(g.gezeigt);
    EXPECT_TRUE(g.durchgestrichen);
    EXPECT_EQ(g.probe, 25);
    EXPECT_EQ(g.nachher, g.vorher) << "the dialog grew from " << g.vorher.width() << "x" << g.vorher.height() << " to "
                                   << g.nachher.width() << "x" << g.nachher.height();
    EXPECT_TRUE(m.Text1->font().strikeOut());
    EXPECT_DOUBLE_EQ(m.Text1->font().pointSizeF(), 25.0);
}

TEST_F(MaskenEditTest, SpeicherfehlerWirdGemeldet)
{
    QDir().mkpath(maske(QStringLiteral("ordner.msk")));
    MaskenEdit m;
    QTest::keyClicks(m.Text1, QStringLiteral("x"));
    antworten << maske(QStringLiteral("ordner.msk"));
    m.mnuSpeichern_Click();
    EXPECT_EQ(m.panelStatus->text(), QStringLiteral("Die Maske ORDNER konnte nicht gespeichert werden."));
    EXPECT_EQ(p.meldungen.size(), 1u);
    EXPECT_EQ(fontEintrag(QStringLiteral("ORDNER")), QStringLiteral("<fehlt>"));
}

TEST_F(MaskenEditTest, ZuLangeMaskeWirdAbgelehnt)
{
    // As much as the editor holds (the line end added by loading counted): loaded whole.
    bytesSchreiben(maske(QStringLiteral("Grenze.msk")), QByteArray(MaskenEditFassung - 2, 'x'));
    // One line more than that in LF lines, each of which grows to CR LF.
    QByteArray knapp;
    for (int i = 0; i <= MaskenEditFassung / 4; ++i)
        knapp += "ab\n";
    bytesSchreiben(maske(QStringLiteral("Knapp.msk")), knapp);
    // Far too large: refused by its size, unread.
    {
        QFile riesig(maske(QStringLiteral("Riesig.msk")));
        ASSERT_TRUE(riesig.open(QIODevice::WriteOnly));
        ASSERT_TRUE(riesig.resize(50LL * 1024 * 1024));
    }

    MaskenEdit m;
    antworten << maske(QStringLiteral("Grenze.msk"));
    m.mnuLaden_Click();
    EXPECT_EQ(m.Text1->text().size(), MaskenEditFassung);
    EXPECT_EQ(m.panelStatus->text(), QStringLiteral("Maske GRENZE geladen."));
    EXPECT_TRUE(p.meldungen.empty());

    for (const QString& name : {QStringLiteral("Knapp"), QStringLiteral("Riesig")}) {
        antworten << maske(name + QStringLiteral(".msk"));
        m.mnuLaden_Click();
        const QString schluessel = name.toUpper();
        EXPECT_EQ(m.panelStatus->text(),
                  QStringLiteral("Maske ") + schluessel + QStringLiteral(" ist zu lang und wurde nicht geladen."));
        ASSERT_FALSE(p.meldungen.empty());
        EXPECT_TRUE(p.letzteMeldung().contains(QStringLiteral("Die Maske ") + schluessel +
                                               QStringLiteral(" ist zu lang für den Masken-Editor")));
        EXPECT_TRUE(p.letzteMeldung().contains(QStringLiteral("höchstens 65.535 Zeichen")));
        // The editor keeps what it showed, and the name of the mask it came from.
        EXPECT_EQ(m.Text1->text().size(), MaskenEditFassung);
        EXPECT_EQ(MaskenEdit::letzteMaske(), QStringLiteral("Grenze"));
    }
    EXPECT_EQ(p.meldungen.size(), 2u);
    const MaskenEditLadung riesig = MaskenEdit_Laden(maske(QStringLiteral("Riesig.msk")));
    EXPECT_TRUE(riesig.zuLang);
    EXPECT_TRUE(riesig.text.isEmpty());
}

TEST(MaskenEditPosition, Zaehlung)
{
    EXPECT_EQ(MaskenEdit_Position(QString(), 0).tipp, QStringLiteral("keine Eingaben"));
    EXPECT_EQ(MaskenEdit_Position(QStringLiteral("ab\r\ncd\r\n"), 8).text, QStringLiteral(" 3 Zeile  9 / 8 Zeichen "));
    EXPECT_EQ(MaskenEdit_Position(QStringLiteral("ab\r\ncd"), 1).text, QStringLiteral(" 1 Zeile  2 / 6 Zeichen "));
}

// ---- clipboard copy --------------------------------------------------------------------

TEST_F(MaskenEditTest, ZwischenablageUeberMaske)
{
    auto& liste = zadressbuch::adressliste();
    liste.AddItem(satz({{1, QStringLiteral("Meier")}, {2, QStringLiteral("Anna")}, {5, QStringLiteral("Köln")}}));
    liste.setListIndex(0);
    bytesSchreiben(maske(QStringLiteral("Anschrift.msk")), "{Vorname} {Nachname}\r\n{Ort}\r\n");
    bytesSchreiben(maske(QStringLiteral("Kurz.msk")), "{Nachname}");
    bytesSchreiben(maske(QStringLiteral("lang.msk")), QByteArray(300, 'z'));
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("AnschriftZaMaske"), QStringLiteral("KURZ"));
    {
        ZAexport z;
        EXPECT_EQ(z.ComboMasken->count(), 3);
        EXPECT_EQ(z.ComboMasken->currentText(), QStringLiteral("Kurz"));
        EXPECT_EQ(z.Text->text(), QStringLiteral("Meier"));
        // Edits are discarded by choosing another mask.
        QTest::keyClicks(z.Text, QStringLiteral("xyz"));
        z.ComboMasken->setCurrentIndex(0);
        EXPECT_EQ(z.Text->text(), QStringLiteral("Anna Meier\r\nKöln"));
        z.BefOk_Click();
        EXPECT_EQ(p.zwischenablage(), QStringLiteral("Anna Meier\r\nKöln"));
        EXPECT_EQ(ZAexport_LetzteMaske(), QStringLiteral("Anschrift"));
    }
    {
        ZAexport z;
        z.ComboMasken->setCurrentIndex(2);
        EXPECT_EQ(z.Text->text().size(), 255);
        z.befAbbrechen->click();
        EXPECT_EQ(p.zwischenablage(), QStringLiteral("Anna Meier\r\nKöln"));
        EXPECT_EQ(ZAexport_LetzteMaske(), QStringLiteral("Anschrift"));
    }
    // A remembered mask that is gone: the first one.
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("AnschriftZaMaske"), QStringLiteral("weg"));
    ZAexport z;
    EXPECT_EQ(z.ComboMasken->currentIndex(), 0);
}

TEST_F(MaskenEditTest, ZwischenablageOhneMasken)
{
    ZAexport z;
    EXPECT_EQ(z.ComboMasken->count(), 0);
    EXPECT_EQ(z.Text->text(), QString());
    QTest::keyClicks(z.Text, QStringLiteral("frei"));
    z.BefOk->click();
    EXPECT_EQ(p.zwischenablage(), QStringLiteral("frei"));
    EXPECT_EQ(ZAexport_Auswahl({}, QStringLiteral("x")), -1);
    EXPECT_EQ(ZAexport_Text(QString(254, 'a') + QStringLiteral("\r\nb")), QString(254, 'a'));
}

// The two mask editors keep what a mask file and their limit take of a text
// that comes in, whichever way: the editor says so in its status bar, the
// clipboard copy in a hint under its text. (Emoji and Greek went without a word.)
TEST_F(MaskenEditTest, EinfuegenBehaeltWasPasst)
{
    using nutzer::Weg;
    const QString text = QStringLiteral(" Łódź α \U0001F600\r\nZeile");
    const QString zeichen =
        QStringLiteral("Nicht im Zeichensatz Windows-1252: Ł → L, ź → z ersetzt, α, \U0001F600 weggelassen.");
    const QString zuLang =
        QStringLiteral("Das Feld »%1« nimmt nur %2 Zeichen auf; der Rest der Einfügung wurde weggelassen.");
    for (Weg weg : {Weg::StrgV, Weg::ShiftEinfg, Weg::Menue, Weg::Fallenlassen, Weg::Eingabemethode}) {
        SCOPED_TRACE(nutzer::name(weg));
        MaskenEdit e;
        e.show();
        nutzer::hineinbringen(e.Text1, weg, text);
        EXPECT_EQ(e.Text1->text(), QStringLiteral(" Lódz  \r\nZeile"));
        EXPECT_EQ(e.panelStatus->text(), zeichen);
        nutzer::hineinbringen(e.Text1, weg, QString(MaskenEditGrenze, u'x'));
        EXPECT_EQ(e.Text1->text().size(), MaskenEditGrenze) << "the line break counts two, as its CR LF";
        EXPECT_EQ(e.panelStatus->text(), zuLang.arg(QStringLiteral("Masken-Text")).arg(MaskenEditGrenze));

        ZAexport z;
        z.show();
        nutzer::hineinbringen(z.Text, weg, text);
        EXPECT_EQ(z.Text->text(), QStringLiteral(" Lódz  \r\nZeile"));
        EXPECT_EQ(nutzer::hinweisAm(z.Text), zeichen);
        nutzer::hineinbringen(z.Text, weg, QString(ZAexportGrenze, u'x'));
        EXPECT_EQ(z.Text->text().size(), ZAexportGrenze);
        EXPECT_EQ(nutzer::hinweisAm(z.Text), zuLang.arg(QStringLiteral("Anschrift")).arg(ZAexportGrenze));
    }
}

// ---- caption rename ----------------------------------------------------------------------

TEST_F(MaskenEditTest, BeschriftungUmbenennenAendertMasken)
{
    bytesSchreiben(maske(QStringLiteral("Anschrift.msk")), "{Vorname} {nachname}\r\n{Ort}");
    bytesSchreiben(maske(QStringLiteral("Andere.msk")), "{Ort}\r\n");
    zadressbuch::sitzung().ProgrammIniDatei = w.programm() + QStringLiteral("/Zettlora.Ini");
    zadressbuch::sitzung().PopupFeldIndex = 1;
    FensterAttrappe f;
    zadressbuch::Befehlsregister r;
    Befehle_Anmelden(r);

    p.eingaben << QStringLiteral("Familienname");
    p.antworten << zplatform::vbYes;
    ASSERT_TRUE(r.ausfuehren(zadressbuch::Befehl::mnuPopFeldBeschriftungAendern, f));
    EXPECT_EQ(zadressbuch::sitzung().Bezeichnungen[1], QStringLiteral("Familienname"));
    EXPECT_EQ(f.bezeichnungenAngewendet, 1);
    zcommon::Ini_CacheLeeren();
    EXPECT_EQ(zcommon::Ini_Lesen(zadressbuch::sitzung().ProgrammIniDatei, QStringLiteral("Beschriftung"),
                                 QStringLiteral("Bez_01"), QString()),
              QStringLiteral("Familienname"));
    EXPECT_EQ(bytesLesen(maske(QStringLiteral("Anschrift.msk"))), QByteArray("{Vorname} {Familienname}\r\n{Ort}\r\n"));
    EXPECT_EQ(bytesLesen(maske(QStringLiteral("Andere.msk"))), QByteArray("{Ort}\r\n"));
    ASSERT_EQ(p.meldungen.size(), 1u);
    EXPECT_TRUE(p.meldungen[0].text.contains(QStringLiteral("{Nachname}")));

    // Declined: the caption changes, the masks stay.
    p.eingaben << QStringLiteral("Name");
    p.antworten << zplatform::vbNo;
    EXPECT_TRUE(Feldbeschriftung_Aendern(f, 1));
    EXPECT_EQ(bytesLesen(maske(QStringLiteral("Anschrift.msk"))), QByteArray("{Vorname} {Familienname}\r\n{Ort}\r\n"));
    // Cancelled input: nothing at all.
    p.eingaben << QStringLiteral("<abbruch>");
    EXPECT_FALSE(Feldbeschriftung_Aendern(f, 1));
    EXPECT_EQ(zadressbuch::sitzung().Bezeichnungen[1], QStringLiteral("Name"));
}

// Masken.Ini cannot take the font (a folder in its place): the mask file is
// written, but the editor does not call the mask saved; it says what failed.
TEST_F(MaskenEditTest, SchriftNichtGespeichertIstKeinErfolg)
{
    QDir().mkpath(MaskenIniDatei());
    MaskenEdit m;
    QTest::keyClicks(m.Text1, QStringLiteral("{Vorname}"));
    antworten << maske(QStringLiteral("Brief.msk"));
    m.mnuSpeichern_Click();
    EXPECT_EQ(bytesLesen(maske(QStringLiteral("Brief.msk"))), QByteArray("{Vorname}"));
    EXPECT_EQ(m.panelStatus->text(), QStringLiteral("Die Maske BRIEF wurde gespeichert, ihre Schrift aber nicht."));
    ASSERT_EQ(p.meldungen.size(), 1u);
    EXPECT_TRUE(p.meldungen[0].text.contains(QStringLiteral("Masken.Ini"))) << p.meldungen[0].text.toStdString();
    EXPECT_TRUE(p.meldungen[0].text.contains(QStringLiteral("Ordner"))) << p.meldungen[0].text.toStdString();

    // Once Masken.Ini can take it, the mask is saved with its font.
    QDir(MaskenIniDatei()).removeRecursively();
    antworten << maske(QStringLiteral("Brief.msk"));
    m.mnuSpeichern_Click();
    EXPECT_EQ(m.panelStatus->text(), QStringLiteral("Maske BRIEF gespeichert."));
    EXPECT_NE(fontEintrag(QStringLiteral("BRIEF")), QStringLiteral("<fehlt>"));
}
