// A second process for the tests of what happens between processes. Started
// by the tests with one of these argument lists (the root is ZETTLORA_ROOT):
//   ini <settings file> <prefix> <count> <start file>
//       waits for the start file, then writes <count> keys "<prefix><n>" into
//       section "S" and raises the counter "Zaehler" of section "S" as often.
//   anhaengen <file> <prefix> <count> <start file>
//       waits for the start file, then appends <count> lines "1 <prefix><n>",
//       one at a time.
//   orte <prefix> <count> <start file>
//       waits for the start file, then takes over the places of <count>
//       addresses (postcodes 10000 + n, places "<prefix>ort<n>") into the
//       catalogue; prints the count written and the number of failed files.
//   vornamen <prefix> <count> <start file>
//       the same for first names: "<prefix>name<n>" as men, and for every
//       fourth n also "gemeinsam<n>" as a woman (the same in every process).
//   vorname <first name> <salutation>
//       at once, takes over the first name of one address with that
//       salutation; prints the count learned and whether a write failed.
//   ablegen <data folder> <payer>
//       files a direct debit for <payer> into the collection file.
//   sammellauf <data folder>
//       runs the collection print (every print dialog answered with a
//       recording printer, the deletion question with No); prints the number
//       of debits printed, then the texts of the boxes shown, one a line.
//   oeffnen <address file> <start file> <end file> [<user>]
//       waits for the start file, decides read-only mode with the
//       reservation (answering the question with Yes: read-only) as the user
//       (default "tester"), prints "rw" or "ro", then stays until the end
//       file exists.
//   laden <address file> <start file> <end file> <user> <ja|nein> [<surname>]
//       waits for the start file, loads the address file as a start does, as
//       the user (program folder: the root's), answering the reservation
//       question as given; prints "rw" or "ro", then a line of the titles of
//       the boxes shown, joined by "|". With a surname (and "rw") it gives the
//       first address that surname, saves and prints "gespeichert" or why
//       not. Stays until the end file exists, then closes the file.
//   zwischendatei <temporary file> <end file>
//       writes half a save into the temporary file held locked as the address
//       file's save does, prints "offen", stays until the end file exists.
//   programm <way> <window> <step>...
//       runs the whole program (root: ZETTLORA_ROOT), types "Vor dem Ende
//       geaendert" into the remark, then the steps (feld:<n> text:<n>:<text>
//       verlassen:<n> aktion:<name> doppelklick:<n> kontext:<n> knopf:<name>
//       eingabe:<text>), each once the last one's window is up. With <window>
//       (object or class name; "-": none, the main window alone) in front it
//       prints "offen <object> <class>"; way
//       "signal" waits for the test's signal, "halten" holds a drag in the
//       window (see ziehenHalten), "leerlauf" lets the idle limit pass,
//       "frueh:<point>" raises a signal at a point of the start (anwendung:
//       before the application is made, vorher, titel, schleife, hauptfenster;
//       prints "fenster" once a main window stands).
//       <window> "Main" (or "-") is the main window itself, with nothing in front, once
//       the steps are done. The "offen" line (but that of "halten") ends with
//       "Ebene <n>", the event loop level the main window was made at (0:
//       before the main loop ran).
//       With HELFER_TITEL_STOCKT_MS in the environment the display stalls for
//       that long as the splash shows itself (the splash's timer then fires in
//       the turn of events of its showing, before the main loop runs).
//       As the program's main, the termination signals are caught before the
//       application is made.
#include "addressbook/adressdatei.h"
#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "addressbook/reservierung.h"
#include "addressbook/sitzung.h"
#include "addressbook/ui/main.h"
#include "app/zusammenbau.h"
#include "catalogues/uebernahme.h"
#include "catalogues/vornamen.h"
#include "common/ini.h"
#include "payment/lastschrift.h"
#include "payment/ui/formprnlastschrift.h"
#include "platform/dateisystem.h"
#include "platform/ordner.h"
#include "platform/signale.h"
#include "platform/textdatei.h"
#include "platform/ui/aufzeichnungsdrucker.h"
#include "support/fensterattrappe.h"
#include "support/testplattform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QInputDialog>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

namespace {

void warten(const QString& datei)
{
    while (!QFileInfo::exists(datei))
        QThread::usleep(200);
}

// The window in front of the main window: a popup menu, else the topmost modal window.
QWidget* vorne()
{
    QWidget* w =
        QApplication::activePopupWidget() ? QApplication::activePopupWidget() : QApplication::activeModalWidget();
    return w && w != zadressbuch::Main::instanz() && w->isVisible() ? w : nullptr;
}

// One step of the user; true when it opens a window (the next step waits for it).
bool schritt(zadressbuch::Main& m, const QString& s)
{
    const QString art = s.section(u':', 0, 0), wert = s.section(u':', 1, 1);
    QWidget* feld = m.Feld(wert.toInt());
    if (art == u"feld" || art == u"text") {
        feld->setFocus(Qt::TabFocusReason);
        for (const QChar c : s.section(u':', 2))
            QTest::keyClick(feld, c.toLatin1());
        return false;
    }
    // What opens a window runs in an event of its own: it returns when the window has closed.
    QTimer::singleShot(0, &m, [&m, art, wert, feld] {
        QWidget* w = vorne();
        auto* k = (art == u"knopf" && w ? w : &m)->findChild<QAbstractButton*>(wert);
        if (art == u"aktion" && m.aktion(wert))
            m.aktion(wert)->trigger();
        else if ((art == u"aktion" || art == u"knopf") && k)
            k->click();
        else if (art == u"verlassen") {
            feld->setFocus(Qt::TabFocusReason);
            m.Feld(wert.toInt() + 1)->setFocus(Qt::TabFocusReason);
        } else if (art == u"doppelklick")
            QTest::mouseDClick(feld, Qt::LeftButton);
        else if (art == u"kontext") {
            QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(5, 5), feld->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(feld, &e);
        } else if (auto* d = qobject_cast<QInputDialog*>(w); d && art == u"eingabe") {
            d->setTextValue(wert);
            d->accept();
        }
    });
    return true;
}

// A termination signal raised once at a point of the start: "titel" as the
// splash shows, "hauptfenster" at the first event of the main window under
// construction (before its start-up and its show).
struct SignalAmStart : QObject
{
    QString punkt;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if ((punkt == u"titel" && e->type() == QEvent::Show && o->objectName() == u"Titel") ||
            (punkt == u"hauptfenster" && o->objectName() == u"Main")) {
            punkt.clear();
            std::raise(SIGTERM);
        }
        return false;
    }
};

// What the start looks like from outside: a display that stalls as the
// splash shows itself, and the loop level the main window is made at.
struct StartBeobachter : QObject
{
    int stocktMs = qEnvironmentVariableIntValue("HELFER_TITEL_STOCKT_MS");
    int hauptfensterEbene = -1;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (stocktMs > 0 && e->type() == QEvent::Show && o->objectName() == u"Titel")
            QThread::msleep(unsigned(std::exchange(stocktMs, 0)));
        if (hauptfensterEbene < 0 && o->objectName() == u"Main")
            hauptfensterEbene = QThread::currentThread()->loopLevel();
        return false;
    }
};

// The button pressed on the window's text box and held in the event loop of a
// drag (offscreen a drag returns at once: its loop stands in here) until the
// file "loslassen" appears in the root; "offen" is printed once it holds.
void ziehenHalten(QWidget& fenster)
{
    auto* text = fenster.findChild<QPlainTextEdit*>();
    const QPointer<QWidget> flaeche = text ? text->viewport() : &fenster;
    QTest::mousePress(flaeche, Qt::LeftButton, {}, QPoint(5, 5));
    std::printf("offen %s %s\n", qPrintable(fenster.objectName()), fenster.metaObject()->className());
    std::fflush(stdout);
    const QString los = qEnvironmentVariable("ZETTLORA_ROOT") + QStringLiteral("/loslassen");
    QEventLoop zug;
    QTimer blick;
    QObject::connect(&blick, &QTimer::timeout, &zug, [&] {
        if (QFileInfo::exists(los))
            zug.quit();
    });
    blick.start(10);
    zug.exec();
    if (flaeche)
        QTest::mouseRelease(flaeche, Qt::LeftButton, {}, QPoint(5, 5));
}

// The run of the program for the exits from outside (see the top).
int programm(const QStringList& a)
{
    const QString weg = a.value(2), ziel = a.value(3);
    const QStringList schritte = a.mid(4);
    bool geaendert = false, wartet = false, offen = false;
    int naechster = 0;
    QPointer<QWidget> zuletztVorne;
    QElapsedTimer seit;
    seit.start();
    const bool frueh = weg.startsWith(u"frueh:");
    const QString punkt = weg.section(u':', 1);
    SignalAmStart amStart;
    StartBeobachter beobachter;
    qApp->installEventFilter(&beobachter);
    if (punkt == u"vorher") {
        // The handler as the program sets it up, the signal before anything else.
        zapp::Beendensignale_Einrichten();
        std::raise(SIGTERM);
    } else if (punkt == u"schleife") {
        QTimer::singleShot(0, qApp, [] { std::raise(SIGTERM); });
    } else if (frueh) {
        amStart.punkt = punkt;
        qApp->installEventFilter(&amStart);
    }
    // The window the test waits for: the one in front by that name, or the
    // main window itself once the steps are done.
    const auto zielFenster = [&](QWidget& m, QWidget* w) -> QWidget* {
        if (w)
            return w->objectName() == ziel || QLatin1String(w->metaObject()->className()) == ziel ? w : nullptr;
        return (ziel == u"Main" || ziel == u"-") && naechster == schritte.size() ? &m : nullptr;
    };
    QTimer blick; // lives while the program runs below
    QObject::connect(&blick, &QTimer::timeout, [&] {
        zadressbuch::Main* m = zadressbuch::Main::instanz();
        if (!m || m->beendet() || offen)
            return;
        QWidget* w = vorne();
        if (frueh || (seit.isValid() && seit.elapsed() > 10000)) {
            // Made all the same, or for the test's message: what stands in front instead.
            seit.invalidate();
            std::printf("fenster, vorne %s, Schritt %d\n", w ? w->metaObject()->className() : "-", naechster);
            std::fflush(stdout);
            offen = frueh;
        } else if (!geaendert) {
            // The user works in the main window.
            if (m->isVisible() && !w && !m->isActiveWindow())
                m->activateWindow();
            else if (m->isVisible() && !w) {
                geaendert = true;
                m->setFeldText(zadressbuch::Bemerkung, QStringLiteral("Vor dem Ende geaendert"));
                m->Adresse_Uebernehmen(0);
            }
        } else if (wartet && (!w || w == zuletztVorne)) {
            // the window of the last step is not up yet
        } else if (QWidget* z = zielFenster(*m, w)) {
            offen = true;
            if (weg == u"halten") {
                QTimer::singleShot(0, z, [z] { ziehenHalten(*z); });
                return;
            }
            std::printf("offen %s %s Ebene %d\n", qPrintable(z->objectName()), z->metaObject()->className(),
                        beobachter.hauptfensterEbene);
            std::fflush(stdout);
            if (weg == u"leerlauf") {
                zadressbuch::sitzung().LeerlaufGrenze = 10;
                zadressbuch::sitzung().LeerlaufZaehler = 8;
                m->ZeitTimeOut_Timer();
            }
        } else {
            wartet = false;
            if (naechster < schritte.size()) {
                zuletztVorne = w;
                wartet = schritt(*m, schritte[naechster++]);
            }
        }
    });
    blick.start(frueh ? 5 : 10);
    return zapp::Programm_Ausfuehren({});
}

} // namespace

int main(int argc, char** argv)
{
    // The collection print and the program show windows: they need the widgets.
    const bool mitFenstern =
        argc > 1 && (std::strcmp(argv[1], "sammellauf") == 0 || std::strcmp(argv[1], "programm") == 0);
    // The program's run, as its main begins.
    if (argc > 1 && std::strcmp(argv[1], "programm") == 0) {
        zplatform::Beendensignale_Abfangen();
        if (argc > 2 && std::strcmp(argv[2], "frueh:anwendung") == 0)
            std::raise(SIGTERM);
    }
    std::unique_ptr<QCoreApplication> app =
        mitFenstern ? std::make_unique<QApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    const QStringList a = app->arguments();
    if (a.size() >= 2 && a[1] == QLatin1String("programm"))
        return programm(a);
    if (a.size() == 4 && a[1] == QLatin1String("ablegen")) {
        zzahlung::Lastschrift l;
        l.absName = a[3];
        l.betrag = QStringLiteral("1,00");
        const zplatform::Ergebnis e = zzahlung::Lastschrift_Anhaengen(zzahlung::Sammeldatei_Pfad(a[2]), l);
        if (!e)
            std::fprintf(stderr, "%s\n", qPrintable(e.fehler));
        return e ? 0 : 1;
    }
    if (a.size() == 3 && a[1] == QLatin1String("sammellauf")) {
        TestPlattform plattform;
        plattform.antworten.enqueue(zplatform::vbNo);
        zadressbuch::sitzung().DatenOrdner = a[2];
        zplatform::druckerSetzen(std::make_unique<zplatform::AufzeichnungsDrucker>());
        int gedruckt = 0;
        {
            zzahlung::FormPrnLastschrift form({}, QString());
            form.druckdialog = [&](QWidget*, const QString&, const QString&) {
                ++gedruckt;
                zzahlung::Druckwahl w;
                w.abbruch = false;
                w.drucker = &zplatform::drucker();
                return w;
            };
            form.mnuLastFilePrint_Click();
        }
        std::printf("%d\n", gedruckt);
        for (const GezeigteMeldung& m : plattform.meldungen)
            std::printf("%s\n", m.text.toUtf8().replace("\r\n", " ").constData());
        std::fflush(stdout);
        zplatform::druckerSetzen(nullptr);
        return 0;
    }
    if (a.size() == 6 && a[1] == QLatin1String("ini")) {
        const int anzahl = a[4].toInt();
        warten(a[5]);
        for (int i = 0; i < anzahl; ++i) {
            zcommon::Ini_Schreiben(a[2], QStringLiteral("S"), a[3] + QString::number(i), QString::number(i));
            zcommon::Ini_Zaehler_Erhoehen(a[2], QStringLiteral("S"), QStringLiteral("Zaehler"));
        }
        return 0;
    }
    if (a.size() == 6 && a[1] == QLatin1String("anhaengen")) {
        const int anzahl = a[4].toInt();
        warten(a[5]);
        for (int i = 0; i < anzahl; ++i) {
            const zplatform::Ergebnis e =
                zplatform::zeilenAnhaengen(a[2], {QStringLiteral("1 ") + a[3] + QString::number(i)});
            if (!e) {
                std::fprintf(stderr, "%s\n", qPrintable(e.fehler));
                return 1;
            }
        }
        return 0;
    }
    if (a.size() == 5 && (a[1] == QLatin1String("orte") || a[1] == QLatin1String("vornamen"))) {
        TestPlattform plattform;
        FensterAttrappe fenster;
        const int anzahl = a[3].toInt();
        QStringList saetze;
        for (int i = 0; i < anzahl; ++i) {
            zadressbuch::Felder f;
            if (a[1] == QLatin1String("orte")) {
                f[zadressbuch::Plz] = QString::number(10000 + i);
                f[zadressbuch::Ort] = a[2] + QStringLiteral("ort") + QString::number(i);
            } else {
                f[zadressbuch::Vorname] = a[2] + QStringLiteral("name") + QString::number(i);
                f[zadressbuch::Anrede] = QStringLiteral("Herr");
                saetze << zadressbuch::Verbinden(f);
                if (i % 4 != 0)
                    continue;
                f[zadressbuch::Vorname] = QStringLiteral("gemeinsam") + QString::number(i);
                f[zadressbuch::Anrede] = QStringLiteral("Frau");
            }
            saetze << zadressbuch::Verbinden(f);
        }
        zadressbuch::adressliste().setEintraege(saetze);
        warten(a[4]);
        if (a[1] == QLatin1String("orte")) {
            const zkataloge::UebernahmeErgebnis e =
                zkataloge::Katalog_Lernen(zkataloge::Katalogart::Ort, fenster, zadressbuch::adressliste());
            std::printf("%lld %lld\n", static_cast<long long>(e.anzahl), static_cast<long long>(e.fehler.size()));
        } else {
            const zkataloge::VornamenErgebnis e = zkataloge::Vornamen_Lernen(fenster, zadressbuch::adressliste());
            std::printf("%lld %d\n", static_cast<long long>(e.gelernt), e.fehler.isEmpty() ? 0 : 1);
        }
        std::fflush(stdout);
        return 0;
    }
    if (a.size() == 4 && a[1] == QLatin1String("vorname")) {
        TestPlattform plattform;
        FensterAttrappe fenster;
        zadressbuch::Felder f;
        f[zadressbuch::Vorname] = a[2];
        f[zadressbuch::Anrede] = a[3];
        zadressbuch::adressliste().setEintraege({zadressbuch::Verbinden(f)});
        const zkataloge::VornamenErgebnis e = zkataloge::Vornamen_Lernen(fenster, zadressbuch::adressliste());
        std::printf("%lld %d\n", static_cast<long long>(e.gelernt), e.fehler.isEmpty() ? 0 : 1);
        std::fflush(stdout);
        return 0;
    }
    if (a.size() == 4 && a[1] == QLatin1String("zwischendatei")) {
        zplatform::GesperrteZwischendatei neu;
        if (const int f = neu.ablegen(a[2], "..Halb geschrieben\r\n \tHalb", 0666)) {
            std::fprintf(stderr, "%s\n", qPrintable(zplatform::fehlerGrund(f)));
            return 1;
        }
        std::printf("offen\n");
        std::fflush(stdout);
        warten(a[3]);
        return 0;
    }
    if ((a.size() == 7 || a.size() == 8) && a[1] == QLatin1String("laden")) {
        TestPlattform plattform;
        plattform.login = a[5];
        plattform.antworten.enqueue(a[6] == QLatin1String("nein") ? zplatform::vbNo : zplatform::vbYes);
        auto& s = zadressbuch::sitzung();
        s.AdressDateiName = a[2];
        s.DatenOrdner = QFileInfo(a[2]).absolutePath();
        s.ProgrammIniDatei = zplatform::programmOrdner() + QStringLiteral("/Zettlora.Ini");
        warten(a[3]);
        zadressbuch::AdressListe& liste = zadressbuch::adressliste();
        zadressbuch::Daten_Laden(liste);
        QStringList titel;
        for (const GezeigteMeldung& m : plattform.meldungen)
            titel << m.titel;
        std::printf("%s\n%s\n", s.NurLesen ? "ro" : "rw", qPrintable(titel.join(QLatin1Char('|'))));
        if (a.size() == 8 && !s.NurLesen) {
            zadressbuch::Felder f;
            f[zadressbuch::Nachname] = a[7];
            if (liste.ListCount() == 0)
                liste.AddItem(zadressbuch::Verbinden(f));
            else
                liste.setList(0, zadressbuch::Verbinden(f));
            s.Geaendert = 1;
            std::printf("%s\n", zadressbuch::Daten_Speichern(liste)
                                    ? "gespeichert"
                                    : qPrintable(QStringLiteral("nicht gespeichert: ") + s.SpeicherFehler));
        }
        std::fflush(stdout);
        warten(a[4]);
        zadressbuch::Daten_Schliessen();
        return 0;
    }
    if ((a.size() == 5 || a.size() == 6) && a[1] == QLatin1String("oeffnen")) {
        TestPlattform plattform;
        if (a.size() == 6)
            plattform.login = a[5];
        plattform.antworten.enqueue(zplatform::vbYes);
        auto& s = zadressbuch::sitzung();
        s.AdressDateiName = a[2];
        s.DatenOrdner = QFileInfo(a[2]).absolutePath();
        s.ProgrammIniDatei = QStringLiteral("Zettlora.Ini");
        warten(a[3]);
        const bool nurLesen = zadressbuch::NurLesen_Entscheiden(true);
        std::printf("%s\n", nurLesen ? "ro" : "rw");
        std::fflush(stdout);
        warten(a[4]);
        return 0;
    }
    std::fprintf(stderr, "unbekannter Aufruf\n");
    return 2;
}
