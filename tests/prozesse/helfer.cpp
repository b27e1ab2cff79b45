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
//   oeffnen <address file> <start file> <end file>
//       waits for the start file, decides read-only mode with the
//       reservation (answering the question with Yes: read-only), prints "rw"
//       or "ro", then stays until the end file exists.
//   zwischendatei <temporary file> <end file>
//       begins a save as the address file's save writes its new version:
//       writes half of it into the temporary file and holds that locked,
//       prints "offen", then stays until the end file exists (or the test
//       kills it, as kill -9 does a save halfway).
//   programm <way> <window> <step>...
//       runs the whole program as its main() does (ZETTLORA_ROOT is the
//       root). Once the main window shows, the remark of the shown address is
//       changed as typed ("Vor dem Ende geaendert"), then the steps run, each
//       once the window the one before opened is up: feld:<n> focuses a card
//       field, text:<n>:<text> types into it, verlassen:<n> leaves it for the
//       next, aktion:<name> runs a menu entry (or clicks the main window's
//       button of that name), doppelklick:<n> and kontext:<n>
//       are the mouse on a field, knopf:<name> clicks a button of the window
//       in front, eingabe:<text> answers the input box in front with Ok.
//       When the window in front is <window> (its object or class name), it
//       prints "offen <object name> <class name>" and ends as <way> says:
//       "signal" waits for the termination signal the test sends, "leerlauf"
//       lets the idle limit pass. The exit code is the program's.
//   programm frueh
//       the same run with a termination signal raised at the first turn of
//       the event loop, before the main window is made; prints "fenster" if
//       a main window was made all the same.
#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "addressbook/leerlauf.h"
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
#include "platform/textdatei.h"
#include "platform/ui/aufzeichnungsdrucker.h"
#include "support/fensterattrappe.h"
#include "support/testplattform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

void warten(const QString& datei)
{
    while (!QFileInfo::exists(datei))
        QThread::usleep(200);
}

// The window in front of the main window: a popup menu, else the topmost modal window.
QWidget* vorne()
{
    QWidget* w = QApplication::activePopupWidget();
    if (!w)
        w = QApplication::activeModalWidget();
    if (w && (w == zadressbuch::Main::instanz() || !w->isVisible()))
        return nullptr;
    return w;
}

bool heisst(const QWidget* w, const QString& name)
{
    return w && (w->objectName() == name || QLatin1String(w->metaObject()->className()) == name);
}

// One step of the user; true when it opens a window (the next step waits for it).
bool schritt(zadressbuch::Main& m, const QString& s)
{
    const QString art = s.section(QLatin1Char(':'), 0, 0);
    const QString wert = s.section(QLatin1Char(':'), 1, 1);
    const QString rest = s.section(QLatin1Char(':'), 2);
    const int feld = wert.toInt();
    if (art == QLatin1String("feld")) {
        m.Feld(feld)->setFocus(Qt::TabFocusReason);
        return false;
    }
    if (art == QLatin1String("text")) {
        m.Feld(feld)->setFocus(Qt::TabFocusReason);
        for (const QChar c : rest)
            QTest::keyClick(m.Feld(feld), c.toLatin1());
        return false;
    }
    QPointer<zadressbuch::Main> fenster(&m);
    // What opens a window runs in an event of its own: it returns only when the window has closed.
    QTimer::singleShot(0, qApp, [fenster, art, wert, feld] {
        if (!fenster)
            return;
        if (art == QLatin1String("aktion")) {
            // A menu entry, else a button of the window (the zoom button).
            if (QAction* a = fenster->aktion(wert))
                a->trigger();
            else if (auto* k = fenster->findChild<QAbstractButton*>(wert))
                k->click();
        } else if (art == QLatin1String("verlassen")) {
            fenster->Feld(feld)->setFocus(Qt::TabFocusReason);
            fenster->Feld(feld + 1)->setFocus(Qt::TabFocusReason);
        } else if (art == QLatin1String("doppelklick")) {
            QTest::mouseDClick(fenster->Feld(feld), Qt::LeftButton);
        } else if (art == QLatin1String("kontext")) {
            QWidget* f = fenster->Feld(feld);
            QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(5, 5), f->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(f, &e);
        } else if (art == QLatin1String("knopf")) {
            if (QWidget* w = vorne())
                if (auto* k = w->findChild<QAbstractButton*>(wert))
                    k->click();
        } else if (art == QLatin1String("eingabe")) {
            if (auto* d = qobject_cast<QInputDialog*>(vorne())) {
                d->setTextValue(wert);
                d->accept();
            }
        }
    });
    return true;
}

// The run of the program for the exits from outside (see the top).
int programm(const QStringList& a)
{
    if (a.size() == 3 && a[2] == QLatin1String("frueh")) {
        QTimer::singleShot(0, qApp, [] { std::raise(SIGTERM); });
        auto* blick = new QTimer(qApp);
        QObject::connect(blick, &QTimer::timeout, [] {
            static bool gesagt = false;
            if (zadressbuch::Main::instanz() && !gesagt) {
                gesagt = true;
                std::printf("fenster\n");
                std::fflush(stdout);
            }
        });
        blick->start(5);
        return zapp::Programm_Ausfuehren({});
    }
    if (a.size() < 4)
        return 2;
    const bool leerlauf = a[2] == QLatin1String("leerlauf");
    const QString ziel = a[3];
    const QStringList schritte = a.mid(4);
    struct Stand
    {
        bool geaendert = false;
        int naechster = 0;
        QPointer<QWidget> zuletztVorne;
        bool wartet = false; // the last step opens a window
        bool offen = false;
        QElapsedTimer seit;
    };
    Stand standHier;
    Stand* stand = &standHier; // lives while the program runs below
    stand->seit.start();
    QTimer blickHier;
    QTimer* blick = &blickHier;
    QObject::connect(blick, &QTimer::timeout, [=] {
        zadressbuch::Main* m = zadressbuch::Main::instanz();
        if (!m || m->beendet() || stand->offen)
            return;
        QWidget* w = vorne();
        if (stand->seit.isValid() && stand->seit.elapsed() > 10000) {
            // For the test's message: what stands in front instead.
            stand->seit.invalidate();
            const auto* box = qobject_cast<QMessageBox*>(w);
            std::printf("vorne %s %s, Schritt %d %s\n", w ? qPrintable(w->objectName()) : "-",
                        w ? w->metaObject()->className() : "-", stand->naechster,
                        box ? qPrintable(box->text().simplified()) : "");
            std::fflush(stdout);
        }
        if (!stand->geaendert) {
            if (!m->isVisible() || w)
                return;
            // The user works in the main window.
            if (!m->isActiveWindow()) {
                m->activateWindow();
                return;
            }
            stand->geaendert = true;
            m->setFeldText(zadressbuch::Bemerkung, QStringLiteral("Vor dem Ende geaendert"));
            m->Adresse_Uebernehmen(0);
            return;
        }
        if (stand->wartet && (!w || w == stand->zuletztVorne))
            return;
        stand->wartet = false;
        if (heisst(w, ziel)) {
            stand->offen = true;
            std::printf("offen %s %s\n", qPrintable(w->objectName()), w->metaObject()->className());
            std::fflush(stdout);
            if (leerlauf) {
                zadressbuch::sitzung().LeerlaufGrenze = 10;
                zadressbuch::sitzung().LeerlaufZaehler = 8;
                m->ZeitTimeOut_Timer();
            }
            return;
        }
        if (stand->naechster < schritte.size()) {
            stand->zuletztVorne = w;
            stand->wartet = schritt(*m, schritte[stand->naechster++]);
        }
    });
    blick->start(10);
    return zapp::Programm_Ausfuehren({});
}

} // namespace

int main(int argc, char** argv)
{
    // The collection print and the program show windows: they need the widgets.
    const bool mitFenstern =
        argc > 1 && (std::strcmp(argv[1], "sammellauf") == 0 || std::strcmp(argv[1], "programm") == 0);
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
    if (a.size() == 5 && a[1] == QLatin1String("oeffnen")) {
        TestPlattform plattform;
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
