// Questions of the real main window closed by the program itself, with nobody
// there to answer them: by a termination signal (as the program catches it)
// or by the idle exit. Each gets the answer that changes nothing: the other
// instance's reservation of the address file stays, and a hint the user did
// not switch off stays switched on. An end that comes while the start or a
// load lets events run waits until they have returned.
#include "main_hilfen.h"

#include "addressbook/leerlauf.h"
#include "addressbook/reservierung.h"
#include "app/zusammenbau.h"
#include "commands/ui/file.h"
#include "common/start.h"
#include "support/dialoghilfe.h"

#include <QElapsedTimer>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <csignal>
#include <functional>

using namespace zadressbuch;
using main_test::zeile;

namespace {

// The termination signals, caught once for the whole test program as the
// program catches them: the running main window ends as from outside.
bool signaleAbgefangen()
{
    static const bool abgefangen = zapp::Beendensignale_Einrichten();
    return abgefangen;
}

// The other instance, on another computer, that holds the file.
const QString Anna = u"Anna|buero-pc|4711|01.07.2000 08:15"_s;

class BoxVonAussen : public main_test::MainFensterTest
{
protected:
    void SetUp() override
    {
        MainFensterTest::SetUp();
        ASSERT_TRUE(signaleAbgefangen());
        zcommon::Benutzer_Zuruecksetzen(); // "Tester", from the scripted login
        zcommon::Instanz_Freigeben();
        adressdatei({u"..Geteilt"_s, zeile({{1, u"Erste"_s}})});
        adressdatei({u"..Eigene"_s, zeile({{1, u"Eigene"_s}})}, u"erste.Dat"_s);
        plattform.offenHoechstensMs = 3000;
    }

    // The path the program reserves zettlora.dat under (a start of its own finds it).
    QString geteilteDatei()
    {
        starten();
        const QString pfad = sitzung().AdressDateiName;
        neuerLauf();
        zcommon::Instanz_Freigeben();
        return pfad;
    }
    static QString reservierung(const QString& pfad)
    {
        return zcommon::Ini_Lesen(Reservierungsdatei(pfad), u"Reservierung"_s, Reservierungsschluessel(pfad));
    }

    // Runs schritt once a box of the platform has been left open.
    void sobaldOffen(std::function<void()> schritt)
    {
        auto* versuch = new QTimer(qApp);
        versuch->setInterval(5);
        QObject::connect(versuch, &QTimer::timeout, [this, versuch, schritt] {
            if (plattform.offeneBoxen() != 1)
                return;
            versuch->stop();
            versuch->deleteLater();
            schritt();
        });
        versuch->start();
    }
    void beendensignalSobaldOffen()
    {
        sobaldOffen([] { std::raise(SIGTERM); });
    }
    // The tick that reaches the idle limit, in the event loop of the open box.
    void leerlaufSobaldOffen()
    {
        sobaldOffen([this] {
            sitzung().LeerlaufZaehler = sitzung().LeerlaufGrenze - 2;
            fenster->ZeitTimeOut_Timer();
        });
    }

    // Opens zettlora.dat through "Öffnen" and the file chooser, as the user does.
    void geteilteDateiOeffnen()
    {
        amDialog<zbefehle::File>([](zbefehle::File& f) {
            const auto treffer = f.Datei1->findItems(u"zettlora.dat"_s, Qt::MatchFixedString);
            ASSERT_EQ(treffer.size(), 1);
            f.Datei1->setCurrentItem(treffer.first());
            f.BefOk->click();
        });
        fenster->aktion(u"PulOeffnen"_s)->trigger();
    }

    const GezeigteMeldung* box(const QString& titel) const
    {
        for (const GezeigteMeldung& m : plattform.meldungen)
            if (m.titel == titel)
                return &m;
        return nullptr;
    }

    main_test::Notbremse notbremse{3000};
};

// The reservation question "Nein" means "edit anyway" and takes the
// reservation over. Closed from outside, at start-up or when another file is
// opened, by a termination signal or by the idle exit, it answers "Ja": the
// file opens read-only, the program ends without saving, the other
// instance's entry stays as it was, and the next start is asked again.
TEST_F(BoxVonAussen, ReservierungsfrageVonAussenGeschlossenUebernimmtNichts)
{
    struct Fall
    {
        const char* weg;
        bool beimStart; // the question of the start-up, else of "Öffnen"
        bool signal;    // a termination signal, else the idle exit
    };
    const Fall faelle[] = {
        {"start-up, termination signal", true, true},
        {"open, termination signal", false, true},
        {"open, idle exit", false, false},
    };
    const QString pfad = geteilteDatei();
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.weg);
        plattform.meldungen.clear();
        main_test::einstellung(u"TimeOut_Tester"_s, u"600"_s, wurzel.programm() + u"/Zettlora.Ini"_s, u"erste.Dat"_s);
        zcommon::Ini_Schreiben(Reservierungsdatei(pfad), u"Reservierung"_s, Reservierungsschluessel(pfad), Anna);
        const QByteArray vorher = dateiBytes();

        plattform.antworten << TestPlattform::OffenLassen;
        if (f.signal)
            beendensignalSobaldOffen();
        else
            leerlaufSobaldOffen();
        if (f.beimStart) {
            starten();
        } else {
            starten({u"Datei=erste"_s});
            ASSERT_FALSE(fenster->beendet());
            geteilteDateiOeffnen();
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return fenster->beendet(); }));
        EXPECT_EQ(notbremse.geschlossen(), 0) << "a window stayed open";
        const GezeigteMeldung* frage = box(u"Adressdatei reserviert"_s);
        ASSERT_NE(frage, nullptr);
        EXPECT_TRUE(frage->vomProgrammGeschlossen);
        EXPECT_EQ(frage->antwort, zplatform::vbYes) << "read-only";
        EXPECT_EQ(reservierung(pfad), Anna) << "the other instance keeps the file";
        EXPECT_EQ(dateiBytes(), vorher) << "nothing saved into the other's file";

        // The next instance is asked as well, and opens read-only at "Ja".
        neuerLauf();
        zcommon::Instanz_Freigeben();
        plattform.meldungen.clear();
        plattform.antworten << zplatform::vbYes;
        starten();
        EXPECT_NE(box(u"Adressdatei reserviert"_s), nullptr);
        EXPECT_TRUE(sitzung().NurLesen);
        EXPECT_EQ(reservierung(pfad), Anna);
        neuerLauf();
        zcommon::Instanz_Freigeben();
    }
}

// The hint on unsuitable regional settings: "Nein" switches it off for good
// ("LänderHinweis=0"). Closed by a termination signal it answers "Ja": the
// program ends, and the next start shows the hint again.
TEST_F(BoxVonAussen, LaenderhinweisVonAussenGeschlossenBleibtAn)
{
    plattform.uhr = QDateTime(QDate(1998, 12, 31), QTime(12, 0)); // a system date before 1999
    plattform.antworten << TestPlattform::OffenLassen;
    beendensignalSobaldOffen();
    starten();
    ASSERT_TRUE(QTest::qWaitFor([&] { return fenster->beendet(); }));
    EXPECT_EQ(notbremse.geschlossen(), 0) << "a window stayed open";
    const GezeigteMeldung* hinweis = box(u"Ländereinstellung"_s);
    ASSERT_NE(hinweis, nullptr);
    EXPECT_TRUE(hinweis->vomProgrammGeschlossen);
    EXPECT_EQ(hinweis->antwort, zplatform::vbYes);
    EXPECT_NE(ini(u"LänderHinweis"_s, u"Allgemein"_s), u"0"_s);

    neuerLauf();
    zcommon::Instanz_Freigeben();
    plattform.meldungen.clear();
    starten();
    EXPECT_NE(box(u"Ländereinstellung"_s), nullptr) << "shown again at the next start";
}

// A box of the start that lets pending events run as it comes, before its own
// event loop (the hint on regional settings here), and a termination signal
// just then: the exit waits until the start has returned. It never ends a
// window half started, which would load and reserve the file after its end:
// the end comes after the load and releases the file.
TEST_F(BoxVonAussen, EndeVonAussenWartetAufDenStart)
{
    const QString pfad = geteilteDatei();
    plattform.uhr = QDateTime(QDate(1998, 12, 31), QTime(12, 0)); // a system date before 1999: the hint comes
    const QByteArray vorher = dateiBytes();
    bool imStartBeendet = true;
    plattform.beiMeldung = [&](const GezeigteMeldung& m) {
        if (m.titel != u"Ländereinstellung"_s)
            return;
        std::raise(SIGTERM);
        QCoreApplication::processEvents(); // the signal's step comes in here, inside the start
        imStartBeendet = Main::instanz() && Main::instanz()->beendet();
    };
    starten();
    plattform.beiMeldung = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return fenster->beendet(); }));
    EXPECT_FALSE(imStartBeendet) << "ended while the start ran";
    EXPECT_TRUE(reservierung(pfad).isEmpty())
        << "the file stays reserved after the end: " << reservierung(pfad).toStdString();
    EXPECT_EQ(dateiBytes(), vorher);
    EXPECT_EQ(notbremse.geschlossen(), 0);
}

// Opening the file another instance holds: its question is held in an event
// loop of its own past the exit's rounds (a drag on the box) when a
// termination signal comes. The held-up save waits until the load has
// returned (the list is the new file's, the card and the reservation not yet)
// and says nothing meanwhile; then the exit closes the question, which keeps
// the file read-only, and the program ends without writing the other's file.
TEST_F(BoxVonAussen, AufgehaltenesSpeichernWartetAufDasLaden)
{
    const QString pfad = geteilteDatei();
    zcommon::Ini_Schreiben(Reservierungsdatei(pfad), u"Reservierung"_s, Reservierungsschluessel(pfad), Anna);
    const QByteArray vorher = dateiBytes();
    starten({u"Datei=erste"_s});
    ASSERT_FALSE(fenster->beendet());
    zadressbuch::Leerlauf_WartezeitSetzen(0);
    bool gehalten = false, imHaltenGeschrieben = true;
    plattform.beiMeldung = [&](const GezeigteMeldung& m) {
        if (m.titel != u"Adressdatei reserviert"_s || std::exchange(gehalten, true))
            return;
        std::raise(SIGTERM);
        // Held: the rounds run without their pause, far past their limit.
        main_test::schleifeHalten([&] { return dateiBytes() != vorher; });
        imHaltenGeschrieben = dateiBytes() != vorher;
    };
    plattform.antworten << TestPlattform::OffenLassen;
    ::testing::internal::CaptureStderr();
    geteilteDateiOeffnen();
    const bool beendet = QTest::qWaitFor([&] { return fenster->beendet(); });
    const std::string fehler = ::testing::internal::GetCapturedStderr();
    zadressbuch::Leerlauf_WartezeitSetzen(-1);
    plattform.beiMeldung = nullptr;
    ASSERT_TRUE(gehalten);
    EXPECT_FALSE(imHaltenGeschrieben) << "saved while the load was half done";
    EXPECT_EQ(fehler.find("Programmende aufgehalten"), std::string::npos) << fehler;
    EXPECT_TRUE(beendet);
    const GezeigteMeldung* frage = box(u"Adressdatei reserviert"_s);
    ASSERT_NE(frage, nullptr);
    EXPECT_TRUE(frage->vomProgrammGeschlossen);
    EXPECT_EQ(dateiBytes().toStdString(), vorher.toStdString()) << "the other's file was written";
    EXPECT_EQ(reservierung(pfad), Anna);
    EXPECT_EQ(notbremse.geschlossen(), 0);
}

} // namespace
