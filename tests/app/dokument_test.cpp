// "&Dokument erstellen...": from the menu, the card's popup menu and symbol
// button 46 the two hand-over files are written for the card shown, and the
// status bar names them.
#include "addressbook/main_hilfen.h"
#include "common/start.h"

#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>

using namespace main_test;
using zadressbuch::Bemerkung;
using zadressbuch::Main;

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace {

class Dokument : public MainFensterTest
{
protected:
    // Vorlagen.ini in the program folder, the document link and a text file set up.
    void einrichten()
    {
        wurzel.schreiben(u"programm/Vorlagen.ini"_s, u"[Vorlagen]\r\n"_s);
        einstellung(u"Doc"_s, u"Brief.doc"_s, {}, u"Verknüpfung"_s);
        einstellung(u"Adr_Speichern_In"_s, textDatei());
        adressdatei({zeile({{1, u"Berg"_s}, {5, u"Bonn"_s}, {21, u"Herr"_s}}),
                     zeile({{1, u"Kaiser"_s}, {2, u"Käthe"_s}, {5, u"Köln"_s}, {21, u"Frau"_s}})});
    }
    QString textDatei() const { return wurzel.temp() + u"/Adresse.txt"_s; }
    QString iniDatei() const { return wurzel.windows() + u"/TmpAdrDoc.Tmp"_s; }
    // The lines of the text file.
    QStringList textZeilen() const
    {
        QString t = wurzel.lesen(u"temp/Adresse.txt"_s);
        if (t.endsWith(u"\r\n"_s))
            t.chop(2);
        return t.split(u"\r\n"_s);
    }
    QString iniWert(const QString& sektion, const QString& schluessel) const
    {
        zcommon::Ini_CacheLeeren();
        return ini(schluessel, sektion, iniDatei());
    }
    // Opens the card's popup menu with the right mouse button on feld and
    // chooses "Dokument erstellen..." there; gives the entries it offered.
    // The menu runs modally: a failed check must not leave it open.
    static QStringList ausDemPopup(Main& m, QWidget* feld)
    {
        QStringList angeboten;
        QTimer::singleShot(0, [&] {
            QMenu* popup = m.mnuPopUp();
            if (!QTest::qWaitFor([&] { return popup->isVisible(); })) {
                ADD_FAILURE() << "the popup menu did not come up";
                popup->close();
                return;
            }
            for (QAction* a : popup->actions())
                if (a->isVisible() && !a->isSeparator())
                    angeboten << a->text();
            for (QAction* a : popup->actions())
                if (a->text() == u"Dokument erstellen..."_s) {
                    popup->setActiveAction(a);
                    QTest::keyClick(popup, Qt::Key_Return);
                    return;
                }
            popup->close();
        });
        QContextMenuEvent rechts(QContextMenuEvent::Mouse, QPoint(4, 4), feld->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(feld, &rechts);
        return angeboten;
    }
    // Both files gone, so each command shows it writes them itself.
    void dateienLoeschen() const
    {
        QFile::remove(textDatei());
        QFile::remove(iniDatei());
        zcommon::Ini_CacheLeeren();
    }
    void pruefen(const QString& nachname, const QString& ort, const QString& anrede2) const
    {
        const QStringList z = textZeilen();
        ASSERT_EQ(z.size(), 24) << z.join(u" | "_s).toStdString();
        EXPECT_EQ(z[1], nachname);
        EXPECT_EQ(z[5], ort);
        EXPECT_EQ(iniWert(u"ZuletztNr"_s, u"01"_s), nachname);
        EXPECT_EQ(iniWert(u"ZuletztBez"_s, u"Ort"_s), ort);
        EXPECT_EQ(iniWert(u"ZuletztBez"_s, u"Anrede2"_s), anrede2);
        EXPECT_EQ(panel("Status"), u"Geschrieben: Adresse.txt, TmpAdrDoc.Tmp"_s);
        EXPECT_EQ(panelTipp("Status"), u"Übergabedatei geschrieben: "_s + QDir::toNativeSeparators(textDatei()) +
                                           u"\nÜbergabedatei geschrieben: "_s + QDir::toNativeSeparators(iniDatei()));
    }
    // The hand-over INI file cannot be written: a folder stands in its place.
    void iniDateiVersperren() const
    {
        dateienLoeschen();
        ASSERT_TRUE(QDir().mkpath(iniDatei()));
    }
};

TEST_F(Dokument, MenuePopupUndSymbolSchreibenDieUebergabe)
{
    einrichten();
    Main& m = starten();
    QAction* menue = m.aktion(u"mnuDocErstellen"_s);
    ASSERT_TRUE(menue->isVisible());
    ASSERT_FALSE(m.befSymbol(46)->isHidden());
    ASSERT_EQ(textfeld(1)->text(), u"Berg"_s);

    // The menu entry: the shown address, edited on the card, before any exit.
    dateienLoeschen();
    textfeld(5)->setFocus();
    textfeld(5)->selectAll();
    tippen(textfeld(5), u"Bad Godesberg"_s);
    m.menue(u"mnuWeiterleitung"_s)->popup(QPoint(0, 0));
    ASSERT_TRUE(menue->isEnabled());
    menue->trigger();
    m.menue(u"mnuWeiterleitung"_s)->close();
    pruefen(u"Berg"_s, u"Bad Godesberg"_s, u"Sehr geehrter Herr"_s);
    // The window at its default width shows both names whole.
    EXPECT_TRUE(statusZeigtBis(u"Adresse.txt, TmpAdrDoc.Tmp"_s));

    // The card's popup menu, opened with the right mouse button on a field.
    QTest::keyClick(m.Liste, Qt::Key_Down);
    ASSERT_EQ(textfeld(1)->text(), u"Kaiser"_s);
    dateienLoeschen();
    const QStringList angeboten = ausDemPopup(m, textfeld(1));
    EXPECT_TRUE(angeboten.contains(u"Dokument erstellen..."_s)) << angeboten.join(u" | "_s).toStdString();
    pruefen(u"Kaiser"_s, u"Köln"_s, u"Sehr geehrte Frau"_s);

    // The symbol button.
    QTest::keyClick(m.Liste, Qt::Key_Up);
    ASSERT_EQ(textfeld(1)->text(), u"Berg"_s);
    dateienLoeschen();
    QTest::mouseClick(m.befSymbol(46), Qt::LeftButton);
    pruefen(u"Berg"_s, u"Bad Godesberg"_s, u"Sehr geehrter Herr"_s);
}

// More than ten characters selected in the remarks: the settings file takes
// the selection alone for field 11, the text file the whole remark; so from
// the menu with the mouse, from the card's popup menu and from the keyboard
// (Alt+L and the entry's letter). Ten characters or fewer: the whole remark.
TEST_F(Dokument, AuswahlInDenBemerkungen)
{
    einrichten();
    adressdatei({zeile({{1, u"Berg"_s}, {11, u"Rechnung 4711°°vom 3. Mai°°bezahlt"_s}})});
    Main& m = starten();
    m.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
    auto* bemerkung = static_cast<QPlainTextEdit*>(m.Feld(Bemerkung));
    QTest::mouseClick(bemerkung->viewport(), Qt::LeftButton, {}, QPoint(4, 4));
    ASSERT_TRUE(bemerkung->hasFocus());
    auto waehlen = [&](int laenge) {
        QTextCursor c(bemerkung->document());
        c.setPosition(0);
        c.setPosition(laenge, QTextCursor::KeepAnchor);
        bemerkung->setTextCursor(c);
    };
    QMenu* weiterleitung = m.menue(u"mnuWeiterleitung"_s);
    QAction* eintrag = m.aktion(u"mnuDocErstellen"_s);
    QMenuBar* leiste = m.menuBar();

    const QString ganz = u"Rechnung 4711~vom 3. Mai~bezahlt"_s;
    const struct
    {
        const char* weg;
        int laenge; // characters selected from the start of the remark
        QString erwartet;
    } faelle[] = {{"Maus", 24, u"Rechnung 4711~vom 3. Mai"_s},
                  {"Kontextmenü", 24, u"Rechnung 4711~vom 3. Mai"_s},
                  {"Alt+L, D", 24, u"Rechnung 4711~vom 3. Mai"_s},
                  {"Alt, L, D", 11, u"Rechnung 47"_s},
                  {"Alt+L, D", 10, ganz}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::string(f.weg) + " " + std::to_string(f.laenge));
        dateienLoeschen();
        waehlen(f.laenge);
        const QString weg = QString::fromUtf8(f.weg);
        if (weg == u"Maus"_s) {
            QTest::mouseClick(leiste, Qt::LeftButton, {}, leiste->actionGeometry(weiterleitung->menuAction()).center());
            ASSERT_TRUE(QTest::qWaitFor([&] { return weiterleitung->isVisible(); }));
            QTest::mouseClick(weiterleitung, Qt::LeftButton, {}, weiterleitung->actionGeometry(eintrag).center());
        } else if (weg == u"Kontextmenü"_s) {
            ausDemPopup(m, bemerkung->viewport());
        } else {
            if (weg == u"Alt+L, D"_s) {
                QTest::keyClick(bemerkung, Qt::Key_L, Qt::AltModifier);
            } else {
                QTest::keyPress(bemerkung, Qt::Key_Alt);
                QTest::keyRelease(bemerkung, Qt::Key_Alt, Qt::AltModifier);
                ASSERT_TRUE(leiste->hasFocus());
                QTest::keyClick(leiste, Qt::Key_L);
            }
            ASSERT_TRUE(QTest::qWaitFor([&] { return weiterleitung->isVisible(); }));
            QTest::keyClick(weiterleitung, Qt::Key_D);
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(iniDatei()); }));
        EXPECT_EQ(iniWert(u"ZuletztNr"_s, u"11"_s), f.erwartet);
        EXPECT_EQ(iniWert(u"ZuletztBez"_s, u"Zusatzbemerkung"_s), f.erwartet);
        EXPECT_EQ(textZeilen().value(11), ganz) << "the text file always gets the whole remark";
        // The window system gives the main window back the activation a
        // popup menu took (the offscreen platform does not).
        m.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
        EXPECT_TRUE(QTest::qWaitFor([&] { return bemerkung->hasFocus(); }));
        EXPECT_EQ(bemerkung->textCursor().selectedText().size(), f.laenge) << "the selection stays";
    }
}

// Without Vorlagen.ini and the document link, menu entry and button are not shown.
TEST_F(Dokument, OhneVorlagenKeinEintrag)
{
    adressdatei({zeile({{1, u"Berg"_s}})});
    Main& m = starten();
    EXPECT_FALSE(m.aktion(u"mnuDocErstellen"_s)->isVisible());
    EXPECT_TRUE(m.befSymbol(46)->isHidden());
}

// A text file that cannot be written is not named as written.
TEST_F(Dokument, NichtGeschriebenHeisstNichtGeschrieben)
{
    einrichten();
    Main& m = starten();
    dateienLoeschen();
    QDir().mkpath(textDatei()); // a folder in the text file's place
    m.aktion(u"mnuDocErstellen"_s)->trigger();
    EXPECT_EQ(panel("Status"), u"Nicht geschrieben: Adresse.txt; geschrieben: TmpAdrDoc.Tmp"_s);
    EXPECT_TRUE(statusZeigtBis(u"Nicht geschrieben: Adresse.txt"_s));
    EXPECT_EQ(iniWert(u"ZuletztNr"_s, u"01"_s), u"Berg"_s);
}

// A hand-over INI file that cannot be written is named as not written, the
// text file as written.
TEST_F(Dokument, NichtGeschriebeneIniDateiHeisstNichtGeschrieben)
{
    einrichten();
    Main& m = starten();
    iniDateiVersperren();
    m.aktion(u"mnuDocErstellen"_s)->trigger();
    EXPECT_EQ(panel("Status"), u"Nicht geschrieben: TmpAdrDoc.Tmp; geschrieben: Adresse.txt"_s);
    EXPECT_EQ(panelTipp("Status"), u"Übergabedatei nicht geschrieben: "_s + QDir::toNativeSeparators(iniDatei()) +
                                       u"\nÜbergabedatei geschrieben: "_s + QDir::toNativeSeparators(textDatei()));
    EXPECT_TRUE(statusZeigtBis(u"Nicht geschrieben: TmpAdrDoc.Tmp"_s));
    EXPECT_EQ(textZeilen().value(1), u"Berg"_s);
    EXPECT_TRUE(plattform.meldungen.empty()) << "the menu entry tells it in the status bar";
}

// At the exit a hand-over file that could not be written is told in a
// message, the file that was written is not named there; the program ends.
TEST_F(Dokument, BeimBeendenWirdDieNichtGeschriebeneDateiGemeldet)
{
    einrichten();
    Main& m = starten();
    iniDateiVersperren();
    m.aktion(u"PulEnde"_s)->trigger();
    EXPECT_TRUE(m.beendet());
    EXPECT_EQ(textZeilen().value(1), u"Berg"_s) << "the text file is written all the same";
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_EQ(plattform.meldungen[0].text, u"Die Übergabedatei »"_s + QDir::toNativeSeparators(iniDatei()) +
                                               u"« konnte nicht geschrieben werden."_s);
    EXPECT_EQ(plattform.meldungen[0].stil, zplatform::vbOKOnly | zplatform::vbExclamation);
    EXPECT_EQ(plattform.toene, QStringList{u"#SystemExclamation"_s});
}

// Both files, and the idle exit: nobody there, so no box waits, and the program ends.
TEST_F(Dokument, BeideNichtGeschriebenUndDerLeerlaufFragtNiemanden)
{
    einrichten();
    Main& m = starten();
    iniDateiVersperren();
    ASSERT_TRUE(QDir().mkpath(textDatei()));
    m.aktion(u"PulEnde"_s)->trigger();
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_EQ(plattform.meldungen[0].text, u"Die Übergabedateien »"_s + QDir::toNativeSeparators(textDatei()) +
                                               u"« und »"_s + QDir::toNativeSeparators(iniDatei()) +
                                               u"« konnten nicht geschrieben werden."_s);

    plattform.meldungen.clear();
    zcommon::Benutzer_Zuruecksetzen();
    einstellung(u"TimeOut_Tester"_s, u"60"_s, wurzel.programm() + u"/Zettlora.Ini"_s, u"zettlora.dat"_s);
    Main& wieder = starten();
    wieder.ZeitTimeOut->stop(); // the test ticks the clock itself
    iniDateiVersperren();
    zadressbuch::sitzung().LeerlaufZaehler = 0;
    for (int tick = 0; tick < 1000 && !wieder.beendet(); ++tick)
        wieder.ZeitTimeOut_Timer();
    EXPECT_TRUE(wieder.beendet());
    EXPECT_TRUE(plattform.meldungen.empty());
}

} // namespace
