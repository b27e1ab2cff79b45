// The check commands, the zoom editor and the special-character picker run
// through the real main window: its menu entries, its card and its list.
#include "addressbook/main_hilfen.h"
#include "addressbook/ui/auswahl.h"
#include "commands/ui/msgdoppelt.h"
#include "commands/ui/sonderzeichen.h"
#include "commands/ui/zoomtext.h"
#include "support/dialoghilfe.h"
#include "support/nutzereingabe.h"

#include <QAction>
#include <QTimer>

#include <tuple>

using namespace main_test;

namespace {

class PruefFensterTest : public MainFensterTest
{
protected:
    // The window started on the address of the row, in front.
    zadressbuch::Main& aktivStarten(int zeile)
    {
        zadressbuch::Main& m = starten();
        zadressbuch::adressliste().setListIndex(zeile);
        nutzer::nachVorneHolen(m);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m));
        return m;
    }
    // A click into the card field, its text replaced by the lower-case letters typed (kept when none), and Tab: true
    // once the window is in front again with the focus in another card field (offscreen no window manager gives the
    // focus back after a question: the user clicks the window).
    bool eingeben(int feld, const char* text)
    {
        QWidget* f = fenster->Feld(feld);
        nutzer::klicken(*fenster, f->mapTo(fenster.get(), f->rect().center()));
        if (*text)
            textfeld(feld)->selectAll();
        for (const char* c = text; *c; ++c)
            nutzer::taste(*fenster, Qt::Key(Qt::Key_A + (*c - 'a')));
        nutzer::taste(*fenster, Qt::Key_Tab);
        if (!nutzer::unterX11() && !QApplication::activeWindow())
            fenster->activateWindow();
        return QTest::qWaitFor([&] {
            QWidget* w = QApplication::focusWidget();
            return QApplication::activeWindow() == fenster.get() && w && w != f && fenster->isAncestorOf(w);
        });
    }
    // The middle of a row of the list, in the window's coordinates.
    QPoint zeilenPunkt(int zeile) const
    {
        const QRect r = fenster->Liste->visualRect(zadressbuch::adressliste().index(zeile));
        return fenster->Liste->viewport()->mapTo(fenster.get(), QPoint(40, r.center().y()));
    }
};

// Answers every showing of a modal window of type T with the key (Alt: a button's letter) once it has the focus, and
// keeps what each showing said.
template <typename T> struct Antworten : QObject
{
    static QString inhalt(zbefehle::MsgDoppelt& d) { return d.Text->toPlainText(); }
    static QString inhalt(zadressbuch::Auswahl& a) { return a.Liste->List(0); }
    explicit Antworten(QKeyCombination taste)
    {
        qApp->installEventFilter(this);
        QObject::connect(&takt, &QTimer::timeout, this, [this, taste] {
            auto* d = qobject_cast<T*>(QApplication::activeWindow());
            if (!d || !d->isVisible() || beantwortet >= fragen.size())
                return;
            ++beantwortet;
            taste.keyboardModifiers() ? nutzer::mitAlt(*d, taste.key()) : nutzer::taste(*d, taste.key());
        });
        takt.start(20);
    }
    ~Antworten() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (auto* d = qobject_cast<T*>(o); d && e->type() == QEvent::Show)
            fragen << inhalt(*d);
        return false;
    }
    QStringList fragen;
    int beantwortet = 0;
    QTimer takt;
};

TEST_F(PruefFensterTest, DoppelteAdresseUeberDasMenue)
{
    adressdatei({u"..Test"_s, zeile({{1, u"Alpha"_s}, {23, u"1"_s}}), zeile({{1, u"Meier"_s}, {23, u"2"_s}}),
                 zeile({{1, u"MEIER"_s}, {11, u"anders"_s}, {23, u"3"_s}}), zeile({{1, u"Beta"_s}, {23, u"4"_s}})});
    zadressbuch::Main& m = starten();
    zadressbuch::adressliste().setListIndex(0);
    m.aktion(zadressbuch::Befehl::mnuChkDoppeltes)->trigger();
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_EQ(plattform.meldungen[0].titel, u"Doppelte Adresse gefunden"_s);
    EXPECT_EQ(zadressbuch::adressliste().ListIndex(), 1);
    EXPECT_EQ(textfeld(1)->text(), u"Meier"_s);
    EXPECT_EQ(panel("Status"), u"Adresse ist doppelt vorhanden"_s);

    // The similar search from there: Yes twice, and No when the starting
    // entry comes round again at the end.
    plattform.antworten << zplatform::vbYes << zplatform::vbYes;
    m.aktion(zadressbuch::Befehl::mnuChkAehnliches)->trigger();
    EXPECT_EQ(plattform.meldungen.size(), 4u);
    EXPECT_EQ(zadressbuch::adressliste().ListIndex(), 1);
    EXPECT_EQ(panel("Status"), u"Adresse ist ähnlich vorhanden"_s);
}

TEST_F(PruefFensterTest, EMailPruefungUeberDasMenue)
{
    adressdatei({u"..Test"_s, zeile({{1, u"A"_s}, {14, u" a@b.de "_s}, {16, u"01.01.1999"_s}}),
                 zeile({{1, u"B"_s}, {14, u"falsch"_s}, {16, u"01.01.1999"_s}})});
    zadressbuch::Main& m = starten();
    zadressbuch::adressliste().setListIndex(0);
    m.aktion(zadressbuch::Befehl::mnuChkEmails)->trigger();
    EXPECT_EQ(zadressbuch::FeldAus(eintrag(0), 14), u"a@b.de"_s);
    EXPECT_EQ(zadressbuch::FeldAus(eintrag(0), 16), u"01.01.1999"_s);
    EXPECT_EQ(zadressbuch::adressliste().ListIndex(), 1);
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_EQ(plattform.meldungen[0].text, u"eMail »falsch« ist ungültig"_s);
    EXPECT_EQ(panel("Status"), u"Bereit"_s);
}

TEST_F(PruefFensterTest, SonderzeichenUndZoomImKartenfeld)
{
    adressdatei({u"..Test"_s, zeile({{1, u"Muller"_s}, {5, u"Koln"_s}})});
    zadressbuch::Main& m = starten();
    zadressbuch::adressliste().setListIndex(0);
    textfeld(1)->setFocus();
    fokus(textfeld(1), true);
    textfeld(1)->setSelection(1, 1);
    amDialog<zbefehle::Sonderzeichen>([](zbefehle::Sonderzeichen& s) {
        s.Text->setText(u"ü"_s);
        s.BefOk->click();
    });
    m.aktion(zadressbuch::Befehl::mnuSonderzeichenEinfg)->trigger();
    EXPECT_EQ(textfeld(1)->text(), u"Müller"_s);
    EXPECT_EQ(zadressbuch::FeldAus(eintrag(0), 1), u"Müller"_s);

    textfeld(5)->setFocus();
    fokus(textfeld(5), true);
    amDialog<zbefehle::ZoomText>([](zbefehle::ZoomText& z) {
        EXPECT_EQ(z.windowTitle(), u"Zoom (Ort)"_s);
        z.Text->textSetzen(u"Köln"_s);
        z.BefOk->click();
    });
    m.aktion(zadressbuch::Befehl::befZoom)->trigger();
    EXPECT_EQ(textfeld(5)->text(), u"Köln"_s);
    EXPECT_EQ(zadressbuch::FeldAus(eintrag(0), 5), u"Köln"_s);
}

// A name typed twice: leaving the field offers the address that has it;
// "&Ja" drops the new address and shows the old one.
TEST_F(PruefFensterTest, DoppelterNameBeimVerlassenDesNamensfelds)
{
    adressdatei({u"..Test"_s, zeile({{1, u"Meier"_s}, {2, u"Anna"_s}, {5, u"Köln"_s}}), zeile({{1, u"Beta"_s}})});
    einstellung(u"AutoSucheDoppeltenNamen"_s, u"1"_s);
    starten();
    zadressbuch::adressliste().setListIndex(1);
    textfeld(2)->setFocus();
    fokus(textfeld(2), true);
    tippen(textfeld(2), u"Anna"_s);
    fokus(textfeld(2), false);
    EXPECT_EQ(zadressbuch::adressliste().ListCount(), 2); // "Beta Anna" is no other address

    textfeld(1)->setFocus();
    fokus(textfeld(1), true);
    textfeld(1)->selectAll();
    tippen(textfeld(1), u"meier"_s);
    amDialog<zbefehle::MsgDoppelt>([](zbefehle::MsgDoppelt& d) {
        EXPECT_TRUE(d.Text->toPlainText().contains(u"Ort: Köln"_s));
        d.BefOk->click();
    });
    fokus(textfeld(1), false);
    EXPECT_EQ(zadressbuch::adressliste().ListCount(), 1);
    EXPECT_EQ(zadressbuch::adressliste().ListIndex(), 0);
    EXPECT_EQ(textfeld(1)->text(), u"Meier"_s);
    EXPECT_EQ(textfeld(5)->text(), u"Köln"_s);
}

// The name typed into a new address stands twice (#11 and #322): the
// question offers #11, and "&Ja" shows it. The name on the card is then the
// stored one, no name the user typed: no second question, whatever field the
// user leaves, and both addresses stay.
TEST_F(PruefFensterTest, NachDemWechselFragtDerGespeicherteNameNichtNochEinmal)
{
    adressdatei({u"..Test"_s, zeile({{1, u"Schmitt"_s}, {2, u"Matthias"_s}, {5, u"Köln"_s}, {23, u"11"_s}}),
                 zeile({{1, u"Weber"_s}, {2, u"Eva"_s}, {23, u"12"_s}}),
                 zeile({{1, u"Schmitt"_s}, {2, u"Matthias"_s}, {5, u"Bonn"_s}, {23, u"322"_s}})});
    einstellung(u"AutoSucheDoppeltenNamen"_s, u"1"_s);
    zadressbuch::Main& m = starten();
    m.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
    zadressbuch::adressliste().setListIndex(1);
    // Every question is answered "&Ja", as the user did.
    QStringList fragen;
    QTimer antworten;
    antworten.setInterval(10);
    QObject::connect(&antworten, &QTimer::timeout, [&fragen] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<zbefehle::MsgDoppelt*>(w); d && d->isVisible()) {
                fragen << d->Text->toPlainText();
                d->BefOk->click();
            }
    });
    antworten.start();
    auto taste = [](Qt::Key k, Qt::KeyboardModifiers mod = {}) {
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), k, mod);
    };

    taste(Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(zadressbuch::adressliste().ListCount(), 4);
    QTest::mouseClick(textfeld(1), Qt::LeftButton);
    tippen(textfeld(1), u"Schmitt"_s);
    taste(Qt::Key_Tab);
    tippen(QApplication::focusWidget(), u"Matthias"_s);
    taste(Qt::Key_Tab);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fragen.isEmpty(); }));
    EXPECT_TRUE(fragen[0].contains(u"Ort: Köln"_s)) << fragen[0].toStdString();
    EXPECT_EQ(panel("Index"), u" #11 "_s);
    // The window back in front, and on through the card.
    m.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&m));
    EXPECT_EQ(fragen.size(), 1) << fragen.join(u" / "_s).toStdString();
    for (int i = 0; i < 3; ++i)
        taste(Qt::Key_Tab);
    QTest::mouseClick(textfeld(2), Qt::LeftButton);
    QTest::mouseClick(textfeld(1), Qt::LeftButton);
    QTest::mouseClick(textfeld(5), Qt::LeftButton);
    EXPECT_EQ(fragen.size(), 1) << fragen.join(u" / "_s).toStdString();
    EXPECT_EQ(zadressbuch::adressliste().ListCount(), 3);
    EXPECT_EQ(panel("Index"), u" #11 "_s);
    EXPECT_EQ(textfeld(5)->text(), u"Köln"_s);
    EXPECT_EQ(zadressbuch::FeldAus(eintrag(2), 5), u"Bonn"_s) << "#322 is still there";

    // The same name typed over the stored one is no change.
    QTest::mouseClick(textfeld(2), Qt::LeftButton);
    textfeld(2)->selectAll();
    tippen(textfeld(2), u"Matthias"_s);
    taste(Qt::Key_Tab);
    EXPECT_EQ(fragen.size(), 1);
    EXPECT_EQ(zadressbuch::adressliste().ListCount(), 3);
}

// "&Nein" keeps the name in that address: no question at a leave of the name fields (one Tab asks once, though the
// window manager gives the focus back after it) until the name changes and comes back; another address is asked.
TEST_F(PruefFensterTest, EinTabEineFrageUndNachNeinKeineMehr_X11)
{
    using zadressbuch::Nachname, zadressbuch::Vorname;
    adressdatei({u"..Test"_s, zeile({{1, u"Meier"_s}, {2, u"Anna"_s}, {5, u"Köln"_s}, {23, u"11"_s}}),
                 zeile({{1, u"Beta"_s}, {5, u"Bonn"_s}, {23, u"12"_s}}),
                 zeile({{1, u"Gamma"_s}, {2, u"anna"_s}, {23, u"13"_s}})});
    einstellung(u"AutoSucheDoppeltenNamen"_s, u"1"_s);
    aktivStarten(1);
    Antworten<zbefehle::MsgDoppelt> fragen(Qt::ALT | Qt::Key_N);
    // The field, the letters typed over its text (none: kept), the questions so far.
    const std::tuple<int, const char*, int> schritte[] = {
        {Nachname, "meier", 0}, // "Meier" without a first name stands nowhere
        {Vorname, "anna", 1},   // "Meier Anna" is #11
        {Vorname, "", 1},        {Nachname, "", 1},      {Vorname, "anna", 1}, // kept, typed over alike
        {Vorname, "anne", 1},    {Vorname, "anna", 2},                         // changed and back
        {Nachname, "schulz", 2}, {Nachname, "meier", 3}, {Vorname, "", 3},
    };
    for (const auto& [feld, text, anzahl] : schritte) {
        ASSERT_TRUE(eingeben(feld, text)) << feld << text;
        EXPECT_EQ(fragen.fragen.size(), anzahl) << "after " << feld << " \"" << text << '"';
    }
    ASSERT_EQ(zadressbuch::adressliste().ListCount(), 3);
    EXPECT_EQ(zadressbuch::FeldAus(eintrag(1), Nachname) + zadressbuch::FeldAus(eintrag(1), Vorname), u"meieranna"_s);

    nutzer::klicken(*fenster, zeilenPunkt(2));
    ASSERT_EQ(panel("Index"), u" #13 "_s);
    ASSERT_TRUE(eingeben(Nachname, "meier"));
    EXPECT_EQ(fragen.fragen.size(), 4);
}

// The places of a postcode offered at the leave (the place empty), closed with Esc: once for one Tab (the focus given
// back after the offer is no second leave), and again at the next leave.
TEST_F(PruefFensterTest, EinTabEinOrtsangebot_X11)
{
    wurzel.schreiben(u"programm/Kataloge/D-PLZ_Ort_5.txt"_s, u"[PLZ]\r\n50667=Köln, Köln-Altstadt\r\n"_s);
    adressdatei({u"..Test"_s, zeile({{1, u"Meier"_s}, {4, u"50667"_s}, {23, u"11"_s}})});
    aktivStarten(0);
    Antworten<zadressbuch::Auswahl> angebote(Qt::Key_Escape);
    for (int mal : {1, 2}) {
        ASSERT_TRUE(eingeben(zadressbuch::Plz, ""));
        EXPECT_EQ(angebote.fragen, QStringList(mal, u"Köln"_s)) << angebote.fragen.join(u", "_s).toStdString();
    }
}

// A click on another row raising the question (the name field loses the focus at the press): "&Ja" shows the offered
// address and the click selects nothing else; "&Nein" shows the clicked one. The next click selects as ever.
TEST_F(PruefFensterTest, KlickInDieListeMitFrageZeigtDieGewaehlteAdresse_X11)
{
    // The answer, the row shown afterwards, the addresses in the list, the address shown.
    const std::tuple<QKeyCombination, int, int, QString> faelle[] = {
        {Qt::ALT | Qt::Key_J, 1, 4, u" #3 "_s}, // offered (the row before it deleted)
        {Qt::ALT | Qt::Key_N, 3, 5, u" #4 "_s}, // clicked
    };
    for (const auto& [antwort, reihe, anzahl, index] : faelle) {
        SCOPED_TRACE(index.toStdString());
        neuerLauf();
        adressdatei({u"..Test"_s, zeile({{1, u"Alpha"_s}, {23, u"1"_s}}), zeile({{1, u"Beta"_s}, {23, u"2"_s}}),
                     zeile({{1, u"Meier"_s}, {2, u"Anna"_s}, {5, u"Köln"_s}, {23, u"3"_s}}),
                     zeile({{1, u"Delta"_s}, {23, u"4"_s}}), zeile({{1, u"Epsilon"_s}, {23, u"5"_s}})});
        einstellung(u"AutoSucheDoppeltenNamen"_s, u"1"_s);
        zadressbuch::Main& m = aktivStarten(1);
        Antworten<zbefehle::MsgDoppelt> fragen(antwort);
        ASSERT_TRUE(eingeben(zadressbuch::Nachname, "meier"));
        tippen(textfeld(zadressbuch::Vorname), u"anna"_s);
        // Under X11 through the X server: the release comes while the question is open.
        if (nutzer::unterX11()) {
            nutzer::ziehenX11(m, zeilenPunkt(3), {zeilenPunkt(3)});
            ASSERT_TRUE(QTest::qWaitFor([&] { return fragen.beantwortet == 1 && QApplication::activeWindow() == &m; }));
        } else {
            nutzer::klicken(m, zeilenPunkt(3));
        }
        ASSERT_EQ(fragen.fragen.size(), 1);
        EXPECT_EQ(zadressbuch::adressliste().ListCount(), anzahl);
        EXPECT_EQ(zadressbuch::adressliste().ListIndex(), reihe);
        EXPECT_EQ(panel("Index"), index);

        nutzer::klicken(m, zeilenPunkt(0));
        EXPECT_TRUE(QTest::qWaitFor([] { return zadressbuch::adressliste().ListIndex() == 0; }));
        EXPECT_EQ(fragen.fragen.size(), 1);
    }
}

} // namespace
