// The exits from outside against the whole program: a user typing in a form
// is not idle and sees the coming end where he types (the title of the form); a termination signal
// (the program's own handler, raised for real) ends the program even with
// hand-over files that cannot be written; an exit from outside whose save
// fails leaves that in view; the exit never runs again from inside itself;
// and keys or signals that come while the exit closes a form do no harm.
#include "addressbook/leerlauf.h"
#include "addressbook/main_hilfen.h"
#include "addressbook/start.h"
#include "app/zusammenbau.h"
#include "common/start.h"
#include "payment/ui/formprnueberweisung.h"
#include "platform/ui/desktopplattform.h"
#include "support/dialoghilfe.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <string_view>

using namespace main_test;
using zadressbuch::Main;
using zadressbuch::sitzung;

namespace {

class Ende : public MainFensterTest
{
protected:
    void SetUp() override
    {
        MainFensterTest::SetUp();
        // The program's own signal handler, once for the test program.
        static const bool eingerichtet = zapp::Beendensignale_Einrichten();
        ASSERT_TRUE(eingerichtet);
        zcommon::Benutzer_Zuruecksetzen(); // "Tester", from the scripted login
        adressdatei({u"..Ende"_s, zeile({{1, u"Berg"_s}}), zeile({{1, u"Adler"_s}})});
        plattform.offenHoechstensMs = 4000;
    }

    void grenze(const QString& sekunden)
    {
        einstellung(u"TimeOut_Tester"_s, sekunden, wurzel.programm() + u"/Zettlora.Ini"_s, u"zettlora.dat"_s);
    }

    Main& startenOhneUhr()
    {
        Main& m = starten();
        m.ZeitTimeOut->stop(); // the test ticks the clock itself
        sitzung().LeerlaufZaehler = 0;
        return m;
    }

    // An unsaved change made before the user went away (stored, and shown
    // on the card as a store leaves it).
    void aenderung()
    {
        zadressbuch::adressliste().setList(0, zeile({{1, u"Geändert"_s}}));
        if (Main* m = Main::instanz())
            m->Adresse_Anzeigen();
        sitzung().Geaendert = 1;
    }

    // The address file in a data folder of its own, which saveFehlschlagen()
    // turns into a file: no save can write there, not even as root.
    QString datenOrdner() const { return wurzel.wurzel() + u"/daten"_s; }
    void datenOrdnerEinrichten()
    {
        QDir().mkpath(datenOrdner());
        einstellung(u"DirData"_s, datenOrdner(), wurzel.programm() + u"/DurIdovi.ini"_s, u"Ordner"_s);
        wurzel.schreiben(u"daten/zettlora.dat"_s,
                         u"..Daten\r\n"_s + zeile({{1, u"Alt"_s}}) + u"\r\n"_s + zeile({{1, u"Zweite"_s}}) + u"\r\n"_s);
    }
    void speichernFehlschlagen()
    {
        ASSERT_TRUE(QDir().rename(datenOrdner(), datenOrdner() + u"_weg"_s));
        QFile stellvertreter(datenOrdner());
        ASSERT_TRUE(stellvertreter.open(QIODevice::WriteOnly));
    }
    void speichernWiederMoeglich()
    {
        ASSERT_TRUE(QFile::remove(datenOrdner()));
        ASSERT_TRUE(QDir().rename(datenOrdner() + u"_weg"_s, datenOrdner()));
    }

    // Runs schritte once a modal form other than the main window is shown,
    // with the form's first box that takes typing (a line or a text box).
    void amFormular(std::function<void(QWidget& form, QWidget& feld)> schritte)
    {
        auto* versuch = new QTimer(fenster.get());
        versuch->setInterval(10);
        QObject::connect(versuch, &QTimer::timeout, [this, versuch, schritte] {
            QWidget* form = QApplication::activeModalWidget();
            if (!form || form == fenster.get() || !form->isVisible())
                return;
            versuch->stop();
            versuch->deleteLater();
            QWidget* feld = nullptr;
            for (QWidget* w : form->findChildren<QWidget*>()) {
                auto* zeile = qobject_cast<QLineEdit*>(w);
                auto* text = qobject_cast<QPlainTextEdit*>(w);
                const bool eingabe = (zeile && !zeile->isReadOnly() && !qobject_cast<QComboBox*>(w->parentWidget()) &&
                                      !qobject_cast<QAbstractSpinBox*>(w->parentWidget())) ||
                                     (text && !text->isReadOnly());
                if (eingabe && w->isVisible() && w->isEnabled() && w->width() > 40) {
                    feld = w;
                    break;
                }
            }
            const QPointer<QWidget> offen = form;
            if (feld)
                schritte(*form, *feld);
            else
                ADD_FAILURE() << "no text box in " << form->objectName().toStdString();
            nachAbbruchSchliessen(offen);
        });
        versuch->start();
    }
    static QString text(const QWidget& feld)
    {
        if (auto* zeile = qobject_cast<const QLineEdit*>(&feld))
            return zeile->text();
        return static_cast<const QPlainTextEdit&>(feld).toPlainText();
    }
    static int laenge(const QWidget& feld)
    {
        auto* zeile = qobject_cast<const QLineEdit*>(&feld);
        return zeile ? zeile->maxLength() : 32767;
    }

    Notbremse notbremse{5000};
};

// Keys typed into an open form over a time longer than the limit: the user
// is at work, the program stays, the form keeps what was typed; the warning
// of a pause is the form's title, which comes back with the next key.
TEST_F(Ende, TippenInEinemFormularIstArbeit)
{
    const struct
    {
        const char* eintrag;
    } faelle[] = {{"mnuPrnUeberweisung"}, {"mnuMaskenEdit"}};
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.eintrag);
        grenze(u"10"_s);
        Main& m = startenOhneUhr();
        QString getippt, gelesen, titelVorher, titelMitWarnung, titelNachTaste;
        int hoechstens = 0;
        bool offenNachDerZeit = false;
        amFormular([&](QWidget& form, QWidget& feld) {
            feld.setFocus();
            QTest::keyClick(&feld, Qt::Key_A, Qt::ControlModifier); // what was there goes with the first key
            hoechstens = laenge(feld);
            ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
            titelVorher = form.windowTitle();
            // 30 seconds of typing, a key a second, the clock ticking every two.
            for (int sekunde = 0; sekunde < 30; ++sekunde) {
                const QString taste = QString(QChar(u'a' + sekunde % 26));
                QTest::keyClick(&feld, taste.at(0).toLatin1());
                getippt += taste;
                if (sekunde % 2 == 1)
                    m.ZeitTimeOut_Timer();
                ASSERT_FALSE(m.beendet());
            }
            offenNachDerZeit = form.isVisible();
            gelesen = text(feld);
            m.ZeitTimeOut_Timer(); // a pause: the warning comes where the user is
            titelMitWarnung = form.windowTitle();
            QTest::keyClick(&feld, Qt::Key_End);
            titelNachTaste = form.windowTitle();
            qobject_cast<QDialog*>(&form)->reject();
        });
        m.aktion(QString::fromLatin1(fall.eintrag))->trigger();
        EXPECT_TRUE(offenNachDerZeit);
        EXPECT_EQ(gelesen.toLower(), getippt.left(hoechstens)) << "the form keeps what was typed";
        EXPECT_EQ(titelMitWarnung, u"Automatisches Programmende in 6 Sekunden..."_s);
        EXPECT_EQ(titelNachTaste, titelVorher);
        EXPECT_FALSE(m.beendet());
        EXPECT_EQ(notbremse.geschlossen(), 0);
        neuerLauf();
    }
}

// A mouse click alone in an open form is work too: the idle counter starts again, the limit passes.
TEST_F(Ende, EinKlickInEinemFormularIstArbeit)
{
    for (const char* eintrag : {"mnuPrnUeberweisung", "mnuMaskenEdit", "mnuPrnLastschrift"}) {
        SCOPED_TRACE(eintrag);
        grenze(u"10"_s);
        Main& m = startenOhneUhr();
        int nachDemKlick = -1;
        bool offenNachDerGrenze = false;
        amFormular([&](QWidget& form, QWidget& feld) {
            sitzung().LeerlaufZaehler = sitzung().LeerlaufGrenze - 4;
            m.ZeitTimeOut_Timer(); // the warning: two seconds left
            QTest::mouseClick(&feld, Qt::LeftButton, {}, QPoint(5, 5));
            nachDemKlick = sitzung().LeerlaufZaehler;
            m.ZeitTimeOut_Timer(); // where the limit would have been reached
            offenNachDerGrenze = form.isVisible() && !m.beendet();
            qobject_cast<QDialog*>(&form)->reject();
        });
        m.aktion(QString::fromLatin1(eintrag))->trigger();
        EXPECT_EQ(nachDemKlick, 0) << "the click did not count";
        EXPECT_TRUE(offenNachDerGrenze);
        EXPECT_EQ(notbremse.geschlossen(), 0);
        neuerLauf();
    }
}

// A termination signal ends the program with the address file saved, even
// when neither hand-over file can be written: nobody is asked.
TEST_F(Ende, SignalEndetAuchWennDieUebergabeNichtGeschriebenWird)
{
    const QString textDatei = wurzel.temp() + u"/Adresse.txt"_s;
    einstellung(u"Adr_Speichern_In"_s, textDatei);
    Main& m = startenOhneUhr();
    aenderung();
    const QString iniDatei = zadressbuch::startDateien().UebergabeIniDatei;
    ASSERT_FALSE(iniDatei.isEmpty());
    QFile::remove(iniDatei);
    ASSERT_TRUE(QDir().mkpath(textDatei)); // folders in the files' places
    ASSERT_TRUE(QDir().mkpath(iniDatei));

    std::raise(SIGTERM);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m.beendet(); }));
    EXPECT_TRUE(wurzel.lesen(u"programm/zettlora.dat"_s).contains(u"\tGeändert\t"_s));
    EXPECT_TRUE(plattform.meldungen.empty());
    EXPECT_TRUE(QFileInfo(textDatei).isDir()) << "nothing was put in the folder's place";
}

// An exit from outside (a signal, the idle limit) whose save fails: the
// program runs on, the status panel says so until a save succeeds, the
// save's message comes again and is left open for the user, and a line goes
// to standard error.
TEST_F(Ende, MisslungenesSpeichernBleibtSichtbar)
{
    const struct
    {
        const char* weg;
    } faelle[] = {{"Signal"}, {"Leerlauf"}};
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.weg);
        const bool signal = QByteArray(fall.weg) == "Signal";
        datenOrdnerEinrichten();
        grenze(signal ? u"0"_s : u"10"_s);
        Main& m = startenOhneUhr();
        aenderung();
        speichernFehlschlagen();
        plattform.meldungen.clear();
        plattform.antworten << TestPlattform::OffenLassen << TestPlattform::OffenLassen;
        QStringList gezeigt;
        plattform.beiMeldung = [&gezeigt](const GezeigteMeldung& g) { gezeigt << g.text; };

        // While the box shown again is open (in its own event loop): what the
        // user sees; then the user closes it.
        bool offenGesehen = false;
        bool ausstiegLaeuft = true;
        bool beendet = true;
        QString statusBeiOffenerBox;
        bool statusGanz = false;
        auto* blick = new QTimer(&m);
        blick->setInterval(5);
        QObject::connect(blick, &QTimer::timeout, [&, blick] {
            if (gezeigt.size() != 2 || plattform.offeneBoxen() != 1)
                return;
            blick->stop();
            offenGesehen = true;
            ausstiegLaeuft = zadressbuch::Leerlauf_AusstiegLaeuft();
            beendet = m.beendet();
            statusBeiOffenerBox = panel("Status");
            statusGanz = statusZeigtBis(u"nicht gespeichert."_s);
            plattform.offeneBoxenSchliessen();
        });
        blick->start();

        ::testing::internal::CaptureStderr();
        if (signal)
            std::raise(SIGTERM);
        else
            for (int tick = 0; tick < 5; ++tick)
                m.ZeitTimeOut_Timer();
        const bool zu = QTest::qWaitFor([&] { return offenGesehen && plattform.offeneBoxen() == 0; });
        const std::string fehlerausgabe = ::testing::internal::GetCapturedStderr();
        ASSERT_TRUE(zu);
        EXPECT_FALSE(ausstiegLaeuft) << "the exit has given up, the box stays open";
        EXPECT_FALSE(beendet);
        ASSERT_EQ(plattform.meldungen.size(), 2u);
        EXPECT_TRUE(plattform.meldungen[0].vomProgrammGeschlossen) << "the exit closed it";
        EXPECT_TRUE(gezeigt[0].contains(u"konnte nicht gespeichert werden"_s));
        EXPECT_EQ(gezeigt[1], gezeigt[0]) << "shown again";
        const QString status = u"Programmende: Adressdatei nicht gespeichert. "_s + sitzung().SpeicherFehler;
        EXPECT_FALSE(sitzung().SpeicherFehler.isEmpty());
        EXPECT_EQ(statusBeiOffenerBox, status);
        EXPECT_TRUE(statusGanz);
        EXPECT_NE(fehlerausgabe.find("nicht gespeichert"), std::string::npos) << fehlerausgabe;
        EXPECT_NE(fehlerausgabe.find(QDir::toNativeSeparators(datenOrdner()).toStdString()), std::string::npos);
        EXPECT_EQ(QString::fromStdString(fehlerausgabe).count(u"Zettlora: Programmende abgebrochen"_s), 1)
            << "one line";

        // Showing another address keeps the status.
        zadressbuch::adressliste().setListIndex(1);
        EXPECT_EQ(panel("Status"), status);
        // A save that works ends it.
        speichernWiederMoeglich();
        m.aktion(u"PulSichern"_s)->trigger();
        EXPECT_EQ(sitzung().Geaendert, 0);
        EXPECT_EQ(panel("Status"), u"Bereit"_s);
        EXPECT_EQ(gezeigt.size(), 2);
        EXPECT_EQ(notbremse.geschlossen(), 0);
        plattform.beiMeldung = nullptr;
        neuerLauf();
        QDir(datenOrdner()).removeRecursively();
    }
}

// The idle warning in the title of the window the user is in, and its own title back with
// the next key, leave the window's size and place alone (forms, a real box of a failed save).
TEST_F(Ende, WarnungImTitelAendertKeinFenster)
{
    for (const char* befehl : {"mnuSonderzeichenEinfg", "PulZAdresse", "mnuTips", "PulInfo", "PulSichern"}) {
        SCOPED_TRACE(befehl);
        const bool speicherfehler = std::string_view(befehl) == "PulSichern"; // Ctrl+S fails
        if (speicherfehler)
            datenOrdnerEinrichten();
        grenze(u"10"_s);
        Main& m = startenOhneUhr();
        zplatform::DesktopPlattform desktop;
        if (speicherfehler) {
            aenderung();
            speichernFehlschlagen();
            zplatform::plattformSetzen(&desktop);
        }
        std::vector<std::string> titel, lage; // before, with the warning, after a key
        wennOffen([&](QWidget* w) {
            ASSERT_TRUE(QTest::qWaitForWindowActive(w));
            for (int schritt = 0; schritt < 3; ++schritt) {
                if (schritt == 1)
                    m.ZeitTimeOut_Timer(); // a pause: the warning comes where the user is
                if (schritt == 2)
                    QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, Qt::Key_Shift); // back at work
                QCoreApplication::processEvents();
                const QRect r = w->geometry();
                titel.push_back(w->windowTitle().toStdString());
                lage.push_back(
                    QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toStdString());
            }
            qobject_cast<QDialog*>(w)->done(QDialog::Rejected);
        });
        m.aktion(QString::fromLatin1(befehl))->trigger();
        zplatform::plattformSetzen(&plattform);
        ASSERT_EQ(titel.size(), 3u);
        EXPECT_EQ(titel, (std::vector<std::string>{titel[0], "Automatisches Programmende in 8 Sekunden...", titel[0]}));
        EXPECT_EQ(lage, std::vector<std::string>(3, lage[0]));
        EXPECT_FALSE(m.beendet());
        EXPECT_EQ(notbremse.geschlossen(), 0);
        if (speicherfehler)
            speichernWiederMoeglich();
        neuerLauf();
        if (speicherfehler)
            QDir(datenOrdner()).removeRecursively();
    }
}

// The exit lets events run while it sorts ("SortAtClose"): a tick of the
// clock at the limit and a second termination signal come in there, and the
// exit does not start again from inside itself.
TEST_F(Ende, DasEndeLaeuftNurEinmal)
{
    const struct
    {
        const char* von;
        bool signal;
    } faelle[] = {{"idle exit, the clock ticks again", false}, {"a signal, then a second", true}};
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.von);
        adressdatei({u"..Ende"_s, zeile({{1, u"Berg"_s}}), zeile({{1, u"Adler"_s}})});
        einstellung(u"SortAtClose"_s, u"1"_s);
        grenze(u"10"_s);
        Main& m = startenOhneUhr();
        aenderung();
        int tiefe = 0;
        int tiefste = 0;
        int aufrufe = 0;
        plattform.beimVerarbeiten = [&] {
            ++tiefe;
            ++aufrufe;
            tiefste = std::max(tiefste, tiefe);
            if (tiefe == 1 && aufrufe == 1) {
                if (fall.signal) {
                    std::raise(SIGTERM);
                    QCoreApplication::processEvents(); // the signal's step comes in here
                } else {
                    sitzung().LeerlaufZaehler = sitzung().LeerlaufGrenze;
                    m.ZeitTimeOut_Timer();
                }
            }
            --tiefe;
        };
        if (fall.signal) {
            std::raise(SIGTERM);
        } else {
            sitzung().LeerlaufZaehler = sitzung().LeerlaufGrenze - 2;
            m.ZeitTimeOut_Timer();
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return m.beendet(); }));
        EXPECT_EQ(tiefste, 1) << "the exit ran again inside itself";
        EXPECT_GE(aufrufe, 1) << "the exit sorted";
        EXPECT_TRUE(wurzel.lesen(u"programm/zettlora.dat"_s).startsWith(u"..Ende\r\n \tAdler\t"_s))
            << "sorted and saved";
        plattform.beimVerarbeiten = nullptr;
        neuerLauf();
    }
}

// Keys still queued for a form when the idle exit closes it, keys typed
// while a signal's exit closes it, and a second signal on its heels: the
// program ends once, with the file saved (a stress of the exit for the
// sanitizer build).
TEST_F(Ende, TastenUndSignaleWaehrendDasFormularSchliesst)
{
    const struct
    {
        const char* was;
        int signale; // 0: the idle exit
    } faelle[] = {{"keys queued, idle exit", 0}, {"typing, a signal", 1}, {"typing, two signals", 2}};
    for (int runde = 0; runde < 3; ++runde)
        for (const auto& fall : faelle) {
            SCOPED_TRACE(fall.was);
            grenze(u"10"_s);
            Main& m = startenOhneUhr();
            aenderung();
            bool getippt = false;
            amFormular([&](QWidget& form, QWidget& feld) {
                const QPointer<QWidget> offen = &form;
                const QPointer<QWidget> ziel = &feld;
                feld.setFocus();
                if (fall.signale == 0) {
                    for (int i = 0; i < 200; ++i) {
                        QCoreApplication::postEvent(ziel, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, {}, u"a"_s));
                        QCoreApplication::postEvent(ziel, new QKeyEvent(QEvent::KeyRelease, Qt::Key_A, {}, u"a"_s));
                    }
                    QCoreApplication::postEvent(ziel, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, {}));
                    sitzung().LeerlaufZaehler = sitzung().LeerlaufGrenze - 2;
                    m.ZeitTimeOut_Timer();
                } else {
                    for (int i = 0; i < 400 && ziel; ++i) {
                        if (i == 20 || (i == 21 && fall.signale == 2))
                            std::raise(SIGTERM);
                        if (i == 40 && fall.signale == 2)
                            std::raise(SIGTERM);
                        QTest::keyClick(ziel, Qt::Key_B);
                        QCoreApplication::processEvents();
                    }
                }
                getippt = true;
                Q_UNUSED(offen);
            });
            m.aktion(u"mnuPrnUeberweisung"_s)->trigger();
            EXPECT_TRUE(getippt);
            ASSERT_TRUE(QTest::qWaitFor([&] { return m.beendet(); }));
            EXPECT_TRUE(wurzel.lesen(u"programm/zettlora.dat"_s).contains(u"\tGeändert\t"_s));
            EXPECT_EQ(notbremse.geschlossen(), 0);
            neuerLauf();
        }
}

// A termination signal while a nested event loop (a drag) holds the exit past its rounds (run
// without their pause), alone or on an idle exit under way, is never given up: the file is
// saved at once with the typed card, a line on standard error says so, and the program ends
// once the loop returns.
TEST_F(Ende, EinBeendensignalWirdNieVergessen)
{
    for (const bool leerlaufZuerst : {false, true}) {
        SCOPED_TRACE(leerlaufZuerst ? "an idle exit, then a signal" : "a signal");
        adressdatei({u"..Ende"_s, zeile({{1, u"Berg"_s}}), zeile({{1, u"Adler"_s}})});
        grenze(u"10"_s);
        Main& m = startenOhneUhr();
        zadressbuch::Leerlauf_WartezeitSetzen(0);
        m.setFeldText(zadressbuch::Bemerkung, u"Noch nicht gespeichert"_s); // typed, not yet stored
        const auto gesichert = [&] {
            return wurzel.lesen(u"programm/zettlora.dat"_s).contains(u"\tNoch nicht gespeichert\t"_s);
        };
        QEventLoop gehalten;
        bool gesichertImHalten = false, beendetImHalten = true;
        QTimer::singleShot(0, [&] {
            if (leerlaufZuerst) {
                sitzung().LeerlaufZaehler = sitzung().LeerlaufGrenze - 2;
                m.ZeitTimeOut_Timer();
            }
            std::raise(SIGTERM);
            gesichertImHalten = QTest::qWaitFor(gesichert, 20000);
            beendetImHalten = m.beendet();
            gehalten.quit();
        });
        ::testing::internal::CaptureStderr();
        gehalten.exec();
        const bool beendet = QTest::qWaitFor([&] { return m.beendet(); });
        const QString fehler = QString::fromStdString(::testing::internal::GetCapturedStderr());
        zadressbuch::Leerlauf_WartezeitSetzen(-1);
        EXPECT_TRUE(gesichertImHalten) << "nothing saved while the loop held the exit";
        EXPECT_FALSE(beendetImHalten) << "ended inside the loop";
        EXPECT_TRUE(beendet && gesichert()) << "the signal was forgotten";
        EXPECT_EQ(fehler.count(u"Zettlora: Programmende aufgehalten"_s), 1) << fehler.toStdString();
        EXPECT_TRUE(fehler.contains(u"ist gespeichert."_s)) << fehler.toStdString();
        EXPECT_EQ(notbremse.geschlossen(), 0);
        neuerLauf();
    }
}

// The close box or F12 (its entry) while a command lets events run (the
// settings, after their dialog): the program does not end beneath the
// command; it ends once the command has returned, with the change saved.
TEST_F(Ende, SchliessenWaehrendEinBefehlLaeuftEndetDanach)
{
    for (const bool f12 : {false, true}) {
        SCOPED_TRACE(f12 ? "F12" : "close box");
        Main& m = startenOhneUhr();
        aenderung();
        bool beendetImBefehl = true;
        plattform.beimVerarbeiten = [&, erster = true]() mutable {
            if (!std::exchange(erster, false))
                return;
            f12 ? m.aktion(u"PulEnde"_s)->trigger() : void(m.close());
            QCoreApplication::processEvents();
            beendetImBefehl = m.beendet();
        };
        wennOffen([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
        m.aktion(u"mnuSetup"_s)->trigger();
        plattform.beimVerarbeiten = nullptr;
        EXPECT_FALSE(beendetImBefehl) << "ended beneath the command";
        ASSERT_TRUE(QTest::qWaitFor([&] { return m.beendet(); })) << "not ended after the command";
        EXPECT_TRUE(wurzel.lesen(u"programm/zettlora.dat"_s).contains(u"\tGeändert\t"_s));
        EXPECT_EQ(notbremse.geschlossen(), 0);
        neuerLauf();
    }
}

// A termination signal while a walk that stores every address (the special
// job) is held in a nested event loop past the exit's rounds: the held-up
// save waits, the file never holds the half-walked list, and the program
// ends with the file saved once the walk has returned.
TEST_F(Ende, AufgehaltenesSpeichernWartetAufDieListe)
{
    Main& m = startenOhneUhr();
    aenderung();
    zadressbuch::Leerlauf_WartezeitSetzen(0);
    const auto gesichert = [&] { return wurzel.lesen(u"programm/zettlora.dat"_s).contains(u"\tGeändert\t"_s); };
    bool imLaufGesichert = true, imLaufBeendet = true;
    plattform.beimVerarbeiten = [&, erster = true]() mutable {
        if (!std::exchange(erster, false))
            return;
        std::raise(SIGTERM);
        // Held (a nested loop: the rounds run without pause, far past their limit).
        schleifeHalten(gesichert);
        imLaufGesichert = gesichert();
        imLaufBeendet = m.beendet();
    };
    ::testing::internal::CaptureStderr();
    m.aktion(u"mnuVJob"_s)->trigger();
    plattform.beimVerarbeiten = nullptr;
    const bool beendet = QTest::qWaitFor([&] { return m.beendet(); });
    const std::string fehler = ::testing::internal::GetCapturedStderr();
    zadressbuch::Leerlauf_WartezeitSetzen(-1);
    EXPECT_FALSE(imLaufGesichert) << "saved while the walk was half done";
    EXPECT_FALSE(imLaufBeendet);
    EXPECT_EQ(fehler.find("Programmende aufgehalten"), std::string::npos) << fehler;
    EXPECT_TRUE(beendet && gesichert());
    EXPECT_EQ(notbremse.geschlossen(), 0);
}

} // namespace
