#include "app/zusammenbau.h"

#include "addressbook/befehle.h"
#include "addressbook/fenster.h"
#include "addressbook/start.h"
#include "addressbook/ui/main.h"
#include "addressbook/ui/titel.h"
#include "catalogues/ui/befehle.h"
#include "commands/ui/befehle.h"
#include "commands/ui/einstellbefehle.h"
#include "commands/ui/pruefbefehle.h"
#include "common/ini.h"
#include "exchange/ui/befehle.h"
#include "masks/uebergabe.h"
#include "masks/ui/befehle.h"
#include "masks/ui/dokument.h"
#include "payment/ui/befehle.h"
#include "platform/drucker.h"
#include "platform/hauptschleife.h"
#include "platform/ordner.h"
#include "platform/signale.h"
#include "platform/ui/desktopplattform.h"
#include "platform/ui/eingaberegel.h"
#include "platform/ui/qtdrucker.h"
#include "platform/ui/titelbreite.h"
#include "printing/ui/befehle.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QSessionManager>
#include <QTimer>
#include <QTranslator>

namespace zapp {

using zadressbuch::Ablaufschritt;
using zadressbuch::Fenster;

void Programm_Zusammenbauen(zadressbuch::Befehlsregister& r)
{
    zbefehle::Befehle_Anmelden(r);
    zkataloge::Befehle_Anmelden(r);
    zdruck::Befehle_Anmelden(r);
    zbefehle::Pruefbefehle_Anmelden(r);
    zmasken::Befehle_Anmelden(r);
    zzahlung::Befehle_Anmelden(r);
    zbefehle::Einstellbefehle_Anmelden(r);
    zaustausch::Befehle_Anmelden(r);

    // Every file the PDF printer writes is named in the main window's status
    // bar: its name first, where the panel shows it at any width, then its
    // folder; the whole path in the panel's tooltip.
    zplatform::ausgabeDateiMeldungSetzen([](const QString& datei) {
        if (zadressbuch::Main* m = zadressbuch::Main::instanz()) {
            const QFileInfo pdf(datei);
            m->Status(QStringLiteral("PDF gespeichert: %1 (in %2)")
                          .arg(pdf.fileName(), QDir::toNativeSeparators(pdf.absolutePath())),
                      QDir::toNativeSeparators(pdf.absoluteFilePath()));
        }
    });

    // The document hand-over files: a fresh one at every start, and the shown
    // address (the card's texts, the selection in the remark field) at the
    // exit, which tells a file it could not write.
    r.anmelden(Ablaufschritt::Start_Uebergabe, [](Fenster&, int) {
        zadressbuch::startDateien().UebergabeIniDatei = zmasken::Uebergabe_Zuruecksetzen();
    });
    r.anmelden(Ablaufschritt::Ende_Uebergabe, [](Fenster& f, int index) { zmasken::Ende_Uebergeben(f, index); });
}

namespace {

// The splash while it stands, and an end asked for before the main window
// existed: the splash shows itself with a turn of pending events, before the
// event loop runs, and a quit there would be lost.
QPointer<zadressbuch::Titel> g_titel;
bool g_endeVorDemHauptfenster = false;

} // namespace

void Programmende_Von_Aussen()
{
    if (zadressbuch::Main* m = zadressbuch::Main::instanz()) {
        m->Programmende_Von_Aussen();
        return;
    }
    // Nothing loaded, nothing reserved yet: the splash goes without making
    // the main window, and the program quits (at once when its loop runs,
    // else as the loop would start).
    g_endeVorDemHauptfenster = true;
    if (g_titel) {
        g_titel->Zeit->stop();
        g_titel->close();
    }
    QCoreApplication::quit();
}

bool Beendensignale_Einrichten()
{
    return zplatform::Beendensignale_Verbinden(QCoreApplication::instance(), &Programmende_Von_Aussen);
}

void Schrift_Einrichten()
{
    QFont schrift(QStringLiteral("Arial"));
    schrift.setPointSizeF(8);
    // Without a class name this also drops the desktop's fonts for menus and boxes.
    QApplication::setFont(schrift);
}

int Programm_Ausfuehren(const QStringList& argumente)
{
    // A termination signal (logout, shutdown, kill) ends the program as the
    // idle exit does: caught since main began (else from here), and one that
    // came before is acted on as soon as events run.
    Beendensignale_Einrichten();
    QApplication::setApplicationName(QStringLiteral("Zettlora"));
    Schrift_Einrichten();
    // Every window, however it is opened, shows its whole title.
    zplatform::titelWaechterEinrichten();
    // Every text box keeps what fits of what comes in.
    zplatform::eingaberegelEinrichten();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    QTranslator qtDeutsch;
    if (qtDeutsch.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtDeutsch);

    zplatform::programmOrdnerBefuellen();
    // The virtual printer "PDF" writes its jobs into the folder of this setting (default: the documents folder).
    zplatform::pdfStandardOrdnerSetzen(
        zcommon::Ini_Lesen(QString(), QStringLiteral("Drucker"), QStringLiteral("PdfOrdner"), QString()));
    zplatform::desktopEinrichten();

    // The commands of the main window, from every part of the program.
    zadressbuch::Befehlsregister befehle;
    Programm_Zusammenbauen(befehle);

    // The desktop's session manager asks before logging out: keep the data safe.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, qApp, [](QSessionManager&) {
        if (zadressbuch::Main* m = zadressbuch::Main::instanz())
            m->befehlAusfuehren(zadressbuch::Befehl::PulSichern);
    });

    zadressbuch::Titel titel(befehle, argumente);
    g_titel = &titel;
    titel.show();
    if (g_endeVorDemHauptfenster)
        return 0;
    return zplatform::Hauptschleife_Ausfuehren(&QApplication::exec);
}

} // namespace zapp
