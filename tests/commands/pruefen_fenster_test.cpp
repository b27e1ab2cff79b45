// The check commands, the zoom editor and the special-character picker run
// through the real main window: its menu entries, its card and its list.
#include "addressbook/main_hilfen.h"
#include "addressbook/ui/auswahl.h"
#include "addressbook/ui/listenansicht.h"
#include "commands/ui/msgdoppelt.h"
#include "commands/ui/sonderzeichen.h"
#include "commands/ui/zoomtext.h"
#include "support/dialoghilfe.h"
#include "support/nutzereingabe.h"

#include <QAction>
#include <QTimer>

#include <functional>
#include <utility>

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
    // A click into the middle of a card field.
    void inFeldKlicken(int feld)
    {
        QWidget* f = fenster->Feld(feld);
        nutzer::klicken(*fenster, f->mapTo(fenster.get(), f->rect().center()));
    }
    // Lower-case letters typed key by key into the focused field.
    void schreiben(const char* text)
    {
        for (const char* c = text; *c; ++c)
            nutzer::taste(*fenster, Qt::Key(Qt::Key_A + (*c - 'a')));
    }
    // The main window in front again with the focus in a card field other
    // than the one given (the keys sent so far have all arrived). Offscreen
    // no window manager gives the main window the focus back after a
    // question: the user clicks it.
    ::testing::AssertionResult weiterIn(int nichtFeld)
    {
        if (!nutzer::unterX11() && !QApplication::activeWindow())
            fenster->activateWindow();
        const bool da = QTest::qWaitFor(
            [&] {
                QWidget* f = QApplication::focusWidget();
                return QApplication::activeWindow() == fenster.get() && f && f != fenster->Feld(nichtFeld) &&
                       fenster->isAncestorOf(f);
            },
            5000);
        return da ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << "the focus stays in " << nichtFeld;
    }
};

// Answers every modal window of type T as the user does, with a key once
// the window has the focus, and keeps what each showing said (text(window)).
template <typename T> class Antworten : public QObject
{
public:
    Antworten(std::function<void(T&)> taste, std::function<QString(T&)> text)
        : m_taste(std::move(taste)), m_text(std::move(text))
    {
        qApp->installEventFilter(this);
        m_takt.setInterval(20);
        QObject::connect(&m_takt, &QTimer::timeout, this, [this] {
            auto* d = qobject_cast<T*>(QApplication::activeWindow());
            if (!d || !d->isVisible() || beantwortet >= fragen.size())
                return;
            ++beantwortet;
            m_taste(*d);
        });
        m_takt.start();
    }
    ~Antworten() override { qApp->removeEventFilter(this); }
    QStringList fragen;
    int beantwortet = 0;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show)
            if (auto* d = qobject_cast<T*>(o))
                fragen << m_text(*d);
        return false;
    }

private:
    std::function<void(T&)> m_taste;
    std::function<QString(T&)> m_text;
    QTimer m_takt;
};

// The duplicate-name questions, answered with Alt and the button's letter
// (Qt::Key_J or Qt::Key_N); each keeps the address it offered.
class Namensfragen : public Antworten<zbefehle::MsgDoppelt>
{
public:
    explicit Namensfragen(Qt::Key antwort)
        : Antworten([antwort](zbefehle::MsgDoppelt& d) { nutzer::mitAlt(d, antwort); },
                    [](zbefehle::MsgDoppelt& d) { return d.Text->toPlainText(); })
    {
    }
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

// The name of another address typed and Tab pressed once: one question.
// "&Nein" keeps the address with its name, and leaving the name fields
// again asks no more. (Under a window manager the dialog closing gave the
// focus back to the main window, and that counted as a second leave of the
// first-name field: the same question at once, and one "&Ja" by mistake
// deleted the address.)
TEST_F(PruefFensterTest, EinTabEineFrageUndNachNeinKeineMehr_X11)
{
    adressdatei({u"..Test"_s, zeile({{1, u"Meier"_s}, {2, u"Anna"_s}, {5, u"Köln"_s}, {23, u"11"_s}}),
                 zeile({{1, u"Beta"_s}, {5, u"Bonn"_s}, {23, u"12"_s}})});
    einstellung(u"AutoSucheDoppeltenNamen"_s, u"1"_s);
    aktivStarten(1);
    Namensfragen fragen(Qt::Key_N);
    inFeldKlicken(zadressbuch::Nachname);
    textfeld(zadressbuch::Nachname)->selectAll();
    schreiben("meier");
    nutzer::taste(*fenster, Qt::Key_Tab);
    ASSERT_TRUE(weiterIn(zadressbuch::Nachname));
    EXPECT_TRUE(fragen.fragen.isEmpty()) << "no other address is \"Meier\" without a first name";
    schreiben("anna");
    nutzer::taste(*fenster, Qt::Key_Tab);
    ASSERT_TRUE(weiterIn(zadressbuch::Vorname));
    ASSERT_FALSE(fragen.fragen.isEmpty());
    EXPECT_TRUE(fragen.fragen[0].contains(u"Ort: Köln"_s)) << fragen.fragen[0].toStdString();
    EXPECT_EQ(fragen.fragen.size(), 1) << "one Tab, one question";

    // Back into the first name and out again, and through the surname.
    inFeldKlicken(zadressbuch::Vorname);
    nutzer::taste(*fenster, Qt::Key_Tab);
    ASSERT_TRUE(weiterIn(zadressbuch::Vorname));
    inFeldKlicken(zadressbuch::Nachname);
    nutzer::taste(*fenster, Qt::Key_Tab);
    ASSERT_TRUE(weiterIn(zadressbuch::Nachname));
    EXPECT_EQ(fragen.fragen.size(), 1) << "asked again after \"Nein\"";
    EXPECT_EQ(fragen.beantwortet, fragen.fragen.size());
    ASSERT_EQ(zadressbuch::adressliste().ListCount(), 2);
    EXPECT_EQ(zadressbuch::adressliste().ListIndex(), 1);
    EXPECT_EQ(zadressbuch::FeldAus(eintrag(1), zadressbuch::Nachname), u"meier"_s);
    EXPECT_EQ(zadressbuch::FeldAus(eintrag(1), zadressbuch::Vorname), u"anna"_s);
    EXPECT_EQ(zadressbuch::FeldAus(eintrag(1), zadressbuch::Ort), u"Bonn"_s);
}

// Every window a leave opens comes once per leave: the places of a postcode
// offered when the place is empty, the offer closed with Esc, come once for
// one Tab (the window manager giving the main window the focus back is no
// second leave), and again at the next leave.
TEST_F(PruefFensterTest, EinTabEinOrtsangebot_X11)
{
    wurzel.schreiben(u"programm/Kataloge/D-PLZ_Ort_5.txt"_s, u"[PLZ]\r\n50667=Köln, Köln-Altstadt\r\n"_s);
    adressdatei({u"..Test"_s, zeile({{1, u"Meier"_s}, {4, u"50667"_s}, {23, u"11"_s}})});
    aktivStarten(0);
    Antworten<zadressbuch::Auswahl> angebote([](zadressbuch::Auswahl& a) { nutzer::taste(a, Qt::Key_Escape); },
                                             [](zadressbuch::Auswahl& a) { return a.Liste->List(0); });
    inFeldKlicken(zadressbuch::Plz);
    nutzer::taste(*fenster, Qt::Key_Tab);
    ASSERT_TRUE(weiterIn(zadressbuch::Plz));
    ASSERT_FALSE(angebote.fragen.isEmpty());
    EXPECT_EQ(angebote.fragen[0], u"Köln"_s);
    EXPECT_EQ(angebote.fragen.size(), 1) << "one Tab, one offer";
    EXPECT_EQ(textfeld(zadressbuch::Ort)->text(), QString());

    inFeldKlicken(zadressbuch::Plz);
    nutzer::taste(*fenster, Qt::Key_Tab);
    ASSERT_TRUE(weiterIn(zadressbuch::Plz));
    EXPECT_EQ(angebote.fragen.size(), 2);
    EXPECT_EQ(angebote.beantwortet, angebote.fragen.size());
}

// After "&Nein" the name the user kept asks nothing more at any leave of the
// name fields; a name changed again asks again when it stands elsewhere, and
// so does the same name typed into another address.
TEST_F(PruefFensterTest, NachNeinFragtErstEinGeaenderterNameWieder)
{
    using zadressbuch::Nachname;
    using zadressbuch::Vorname;
    adressdatei({u"..Test"_s, zeile({{1, u"Meier"_s}, {2, u"Anna"_s}, {5, u"Köln"_s}, {23, u"11"_s}}),
                 zeile({{1, u"Beta"_s}, {23, u"12"_s}}), zeile({{1, u"Gamma"_s}, {2, u"anna"_s}, {23, u"13"_s}})});
    einstellung(u"AutoSucheDoppeltenNamen"_s, u"1"_s);
    aktivStarten(1);
    Namensfragen fragen(Qt::Key_N);
    // Into a field, its text replaced by the keys (none: left as it is), then Tab.
    auto eingeben = [this](int feld, const char* text) {
        inFeldKlicken(feld);
        if (*text) {
            textfeld(feld)->selectAll();
            schreiben(text);
        }
        nutzer::taste(*fenster, Qt::Key_Tab);
        return weiterIn(feld);
    };
    struct Schritt
    {
        int feld;
        const char* text;
        int fragenDanach;
        const char* warum;
    };
    const Schritt schritte[] = {
        {Nachname, "meier", 0, "\"Meier\" without a first name stands nowhere"},
        {Vorname, "anna", 1, "\"Meier Anna\" is #11"},
        {Vorname, "", 1, "kept after \"Nein\""},
        {Nachname, "", 1, "kept after \"Nein\", the surname's leave"},
        {Vorname, "anna", 1, "the same name typed over is no change"},
        {Vorname, "anne", 1, "\"Meier Anne\" stands nowhere"},
        {Vorname, "anna", 2, "changed back: asked again"},
        {Nachname, "schulz", 2, "\"Schulz Anna\" stands nowhere"},
        {Nachname, "meier", 3, "the surname changed back: asked again"},
        {Vorname, "", 3, "kept after the second \"Nein\""},
    };
    for (const Schritt& s : schritte) {
        ASSERT_TRUE(eingeben(s.feld, s.text)) << s.warum;
        EXPECT_EQ(fragen.fragen.size(), s.fragenDanach) << s.warum;
    }
    EXPECT_EQ(zadressbuch::adressliste().ListCount(), 3);
    EXPECT_EQ(zadressbuch::FeldAus(eintrag(1), Vorname), u"anna"_s);

    // Another address ("Gamma anna"): the name declined for #12 is asked
    // about there.
    QTest::mouseClick(fenster->Liste->viewport(), Qt::LeftButton, {},
                      fenster->Liste->visualRect(zadressbuch::adressliste().index(2)).center());
    ASSERT_EQ(panel("Index"), u" #13 "_s);
    ASSERT_TRUE(eingeben(Nachname, "meier"));
    EXPECT_EQ(fragen.fragen.size(), 4);
    EXPECT_EQ(fragen.beantwortet, fragen.fragen.size());
}

// The question raised by a click on another row of the list (the name field
// loses the focus at the press): "&Ja" shows the address the question
// offered, and the click that raised it selects nothing else; "&Nein" shows
// the clicked address, as without the question. The next click selects as
// ever.
TEST_F(PruefFensterTest, KlickInDieListeMitFrageZeigtDieGewaehlteAdresse_X11)
{
    struct Fall
    {
        Qt::Key antwort;
        QString index; // the address on the card afterwards
        int zeile;     // its row
        int anzahl;    // addresses in the list
    };
    const Fall faelle[] = {
        {Qt::Key_J, u" #4 "_s, 2, 5}, // the offered #4 (the row before it deleted)
        {Qt::Key_N, u" #5 "_s, 4, 6}, // the clicked #5
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.antwort == Qt::Key_J ? "Ja" : "Nein");
        neuerLauf();
        adressdatei({u"..Test"_s, zeile({{1, u"Alpha"_s}, {23, u"1"_s}}), zeile({{1, u"Beta"_s}, {23, u"2"_s}}),
                     zeile({{1, u"Gamma"_s}, {23, u"3"_s}}),
                     zeile({{1, u"Meier"_s}, {2, u"Anna"_s}, {5, u"Köln"_s}, {23, u"4"_s}}),
                     zeile({{1, u"Delta"_s}, {23, u"5"_s}}), zeile({{1, u"Epsilon"_s}, {23, u"6"_s}})});
        einstellung(u"AutoSucheDoppeltenNamen"_s, u"1"_s);
        zadressbuch::Main& m = aktivStarten(1);
        Namensfragen fragen(f.antwort);
        QTest::mouseClick(textfeld(zadressbuch::Nachname), Qt::LeftButton);
        textfeld(zadressbuch::Nachname)->selectAll();
        tippen(textfeld(zadressbuch::Nachname), u"Meier"_s);
        nutzer::taste(m, Qt::Key_Tab);
        ASSERT_TRUE(QTest::qWaitFor([this] { return textfeld(zadressbuch::Vorname)->hasFocus(); }));
        tippen(textfeld(zadressbuch::Vorname), u"Anna"_s);

        // The press and the release through the window, where the press
        // moves the focus first (under X11 through the X server: the
        // release comes while the question is open).
        auto zeile = [&m](int z) {
            const QRect r = m.Liste->visualRect(zadressbuch::adressliste().index(z));
            return m.Liste->viewport()->mapTo(&m, QPoint(40, r.center().y()));
        };
        const QPoint delta = zeile(4);
        if (nutzer::unterX11()) {
            nutzer::ziehenX11(m, delta, {delta});
            ASSERT_TRUE(QTest::qWaitFor(
                [&] { return fragen.beantwortet == 1 && !zbefehle::MsgDoppelt::instanz().isVisible(); }));
            ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &m; }));
        } else {
            QTest::mousePress(m.windowHandle(), Qt::LeftButton, {}, delta);
            QTest::mouseRelease(m.windowHandle(), Qt::LeftButton, {}, delta);
        }
        ASSERT_EQ(fragen.fragen.size(), 1);
        EXPECT_EQ(fragen.beantwortet, 1);
        EXPECT_EQ(zadressbuch::adressliste().ListCount(), f.anzahl);
        EXPECT_EQ(zadressbuch::adressliste().ListIndex(), f.zeile);
        EXPECT_EQ(m.Liste->currentIndex().row(), f.zeile);
        EXPECT_EQ(panel("Index"), f.index);
        EXPECT_EQ(zadressbuch::FeldAus(eintrag(f.zeile), 23), f.index.trimmed().mid(1));
        EXPECT_EQ(textfeld(zadressbuch::Nachname)->text(), zadressbuch::FeldAus(eintrag(f.zeile), 1));

        // The next click on a row selects it.
        nutzer::klicken(m, zeile(0));
        EXPECT_TRUE(QTest::qWaitFor([] { return zadressbuch::adressliste().ListIndex() == 0; }));
        EXPECT_EQ(panel("Index"), u" #1 "_s);
        EXPECT_EQ(fragen.fragen.size(), 1);
    }
}

} // namespace
