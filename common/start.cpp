// Start-up checks, the single-instance guard, the usage counters and the user.

#include "common/start.h"

#include "common/dateien.h"
#include "common/ini.h"
#include "common/meldungen.h"
#include "common/texte.h"
#include "platform/ordner.h"
#include "platform/plattform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLockFile>

#include <cmath>
#include <memory>

namespace zcommon {

namespace {

const QString Allgemein = QStringLiteral("Allgemein");
const QString StatistikSektion = QStringLiteral("Statistik");

QString umbrechen(const QString& text)
{
    QString t = text;
    t.replace(QLatin1Char('~'), QStringLiteral("\r\n"));
    return t;
}

} // namespace

// ---------------------------------------------------------------------------
// Regional settings

QString Laendereinstellung_Pruefen(bool zeigen)
{
    QStringList hinweise;
    // The program formats numbers and dates itself, always in German; this
    // checks that nothing of the system got in between.
    if (Format(1234.5, QStringLiteral("#,##0.00")) != QLatin1String("1.234,50"))
        hinweise << QStringLiteral("Zahlen werden nicht mit Dezimalkomma und Tausenderpunkt dargestellt.");
    if (DatumText(QDate(1999, 12, 31)) != QLatin1String("31.12.1999"))
        hinweise << QStringLiteral("Das Datum wird nicht in der Form TT.MM.JJJJ dargestellt.");
    const QDate heute = zplatform::plattform().jetzt().date();
    if (!heute.isValid() || heute.year() < 1999)
        hinweise << QStringLiteral("Das Systemdatum (%1) liegt vor 1999. Stellen Sie bitte Datum und Uhrzeit "
                                   "Ihres Computers richtig ein.")
                        .arg(heute.toString(QStringLiteral("dd.MM.yyyy")));
    if (hinweise.isEmpty())
        return QString();

    const QString warnung = hinweise.join(QLatin1Char('~'));
    if (zeigen && Trim(Ini_Lesen(QString(), Allgemein, QStringLiteral("LänderHinweis"), QStringLiteral("1"))) !=
                      QLatin1String("0")) {
        const int antwort =
            Meldung(QStringLiteral("#SystemQuestion"),
                    QStringLiteral("Bitte prüfen Sie die Einstellungen Ihres Computers:~~") + warnung +
                        QStringLiteral("~~Soll dieser Hinweis beim nächsten Programmstart wieder erscheinen?"),
                    zplatform::vbYesNo + zplatform::vbQuestion, QStringLiteral("Ländereinstellung"), 0,
                    // Closed by the program: the hint stays switched on.
                    zplatform::vbYes);
        if (antwort == zplatform::vbNo)
            Ini_Schreiben(QString(), Allgemein, QStringLiteral("LänderHinweis"), QStringLiteral("0"));
    }
    return umbrechen(warnung);
}

// ---------------------------------------------------------------------------
// Configuration job

bool Konfiguration_Anpassen()
{
    const QString auftrag = Pfad(Programm_Ordner() + QStringLiteral("/Adapter.Cfg"));
    if (!QFileInfo(auftrag).isFile())
        return false;

    // Out of the way first: a job that fails half-way must not run again at
    // the next start.
    const QString erledigt = auftrag + QStringLiteral(".erledigt");
    if (QFileInfo::exists(erledigt))
        QFile::remove(erledigt);
    if (!QFile::rename(auftrag, erledigt))
        return false;

    bool beenden = false;
    for (const IniSektion& sektion : Ini_Auslesen(erledigt)) {
        if (sektion.name.compare(QStringLiteral("Adapter"), Qt::CaseInsensitive) == 0) {
            for (const auto& [schluessel, wert] : sektion.eintraege) {
                if (schluessel.compare(QStringLiteral("Beenden"), Qt::CaseInsensitive) == 0 && Val(wert) != 0)
                    beenden = true;
            }
            continue;
        }
        QString datei = sektion.name;
        QString ziel;
        const qsizetype strich = datei.indexOf(QLatin1Char('|'));
        if (strich >= 0) {
            ziel = Trim(datei.mid(strich + 1));
            datei = Trim(datei.left(strich));
        }
        for (const auto& [schluessel, wert] : sektion.eintraege)
            Ini_Schreiben(datei, ziel, schluessel, wert);
    }
    return beenden;
}

// ---------------------------------------------------------------------------
// Single instance

namespace {

struct Instanz
{
    std::unique_ptr<QLockFile> sperre;
    std::unique_ptr<QFileSystemWatcher> wache;
    std::function<void()> aktivieren;
    QString signal; // the file a second start leaves behind
};

Instanz& instanz()
{
    static Instanz i;
    return i;
}

QString sperrDatei()
{
    return Windows_Ordner() + QStringLiteral("/Zettlora.lock");
}

QString signalDatei()
{
    return Windows_Ordner() + QStringLiteral("/Zettlora.aktivieren");
}

void signalPruefen()
{
    Instanz& i = instanz();
    if (i.signal.isEmpty() || !QFileInfo::exists(i.signal))
        return;
    QFile::remove(i.signal);
    if (i.aktivieren)
        i.aktivieren();
}

} // namespace

bool Instanz_Pruefen()
{
    if (Trim(Ini_Lesen(Programm_Ordner() + QStringLiteral("/DurIdovi.ini"), Allgemein,
                       QStringLiteral("NoInstanceWatch"), QStringLiteral("0"))) == QLatin1String("1"))
        return false;
    Instanz& i = instanz();
    if (i.sperre)
        return false; // this run holds the guard already

    auto sperre = std::make_unique<QLockFile>(sperrDatei());
    // Age alone never makes a lock stale; a lock whose process is gone is.
    sperre->setStaleLockTime(0);
    if (sperre->tryLock(0)) {
        i.sperre = std::move(sperre);
        i.signal = signalDatei();
        QFile::remove(i.signal);
        i.wache = std::make_unique<QFileSystemWatcher>(QStringList{Windows_Ordner()});
        QObject::connect(i.wache.get(), &QFileSystemWatcher::directoryChanged, i.wache.get(),
                         [](const QString&) { signalPruefen(); });
        return false;
    }
    if (sperre->error() != QLockFile::LockFailedError)
        return false; // the folder cannot take a lock: never block the start for that

    // Another instance runs: ask it to come to the front.
    QFile f(signalDatei());
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(zplatform::plattform().jetzt().toString(Qt::ISODate).toLatin1());
    return true;
}

void Instanz_Aktivierung(std::function<void()> aktivieren)
{
    instanz().aktivieren = std::move(aktivieren);
}

void Instanz_Freigeben()
{
    Instanz& i = instanz();
    i.wache.reset();
    if (i.sperre)
        i.sperre->unlock();
    i.sperre.reset();
    i.signal.clear();
}

// ---------------------------------------------------------------------------
// Usage counters

namespace {
QDateTime g_startZeit;
bool g_gestartet = false;
} // namespace

void Statistik_Start()
{
    const QDateTime jetzt = zplatform::plattform().jetzt();
    if (Trim(Ini_Lesen(QString(), StatistikSektion, QStringLiteral("ErsterStart"))).isEmpty())
        Ini_Schreiben(QString(), StatistikSektion, QStringLiteral("ErsterStart"),
                      jetzt.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")));
    Ini_Zaehler_Erhoehen(QString(), StatistikSektion, QStringLiteral("Starts"), 1);
    g_startZeit = jetzt;
    g_gestartet = true;
}

void Statistik_Ende()
{
    if (!g_gestartet)
        return;
    g_gestartet = false;
    const qint64 sekunden = g_startZeit.secsTo(zplatform::plattform().jetzt());
    if (sekunden > 0)
        Ini_Zaehler_Erhoehen(QString(), StatistikSektion, QStringLiteral("Laufzeit"), double(sekunden));
}

QString Nutzungsstatistik_Text(int modus)
{
    Q_UNUSED(modus); // one report serves every caller
    const double starts = Val(Ini_Lesen(QString(), StatistikSektion, QStringLiteral("Starts"), QStringLiteral("0")));
    const QDateTime erster =
        QDateTime::fromString(Trim(Ini_Lesen(QString(), StatistikSektion, QStringLiteral("ErsterStart"))),
                              QStringLiteral("dd.MM.yyyy hh:mm:ss"));
    if (starts < 1 || !erster.isValid())
        return QStringLiteral("Sorry, aber keine Datengrundlage vorhanden.");
    const double laufzeit =
        std::max(0.0, Val(Ini_Lesen(QString(), StatistikSektion, QStringLiteral("Laufzeit"), QStringLiteral("0"))));
    const qint64 tage = std::max<qint64>(1, erster.date().daysTo(zplatform::plattform().jetzt().date()) + 1);

    QString text = QStringLiteral("Nutzungsstatistik von Zettlora auf diesem Computer~~");
    text += QStringLiteral("Erster Programmstart: %1 um %2 Uhr~")
                .arg(erster.toString(QStringLiteral("dd.MM.yyyy")), erster.toString(QStringLiteral("hh:mm")));
    text += QStringLiteral("Anzahl der Programmstarts: %1~").arg(Format(starts, QStringLiteral("#,##0")));
    text += QStringLiteral("Gesamte Laufzeit: %1~").arg(Dauer_Text(laufzeit));
    text += QStringLiteral("Durchschnittliche Laufzeit je Start: %1~").arg(Dauer_Text(laufzeit / starts));
    text += QStringLiteral("Durchschnittliche Laufzeit je Tag: %1 (in %2 %3)")
                .arg(Dauer_Text(laufzeit / double(tage)), Format(double(tage), QStringLiteral("#,##0")),
                     tage == 1 ? QStringLiteral("Tag") : QStringLiteral("Tagen"));
    return umbrechen(text);
}

// ---------------------------------------------------------------------------
// User

namespace {
QString g_benutzer;
}

QString Benutzer_Ermitteln()
{
    if (!g_benutzer.isEmpty())
        return g_benutzer;
    auto einzeilig = [](QString s) {
        s.replace(QLatin1Char('\r'), QLatin1Char(' '));
        s.replace(QLatin1Char('\n'), QLatin1Char(' '));
        return Trim(s);
    };
    QString name = einzeilig(Ini_Lesen(QString(), QString(), QStringLiteral("Benutzer")));
    if (name.isEmpty())
        name = Gross_Klein(einzeilig(zplatform::plattform().loginName()));
    if (name.isEmpty() && zplatform::plattform().hatAnzeige()) {
        // Asked a few times; a person who keeps cancelling gets the fallback.
        for (int versuch = 0; versuch < 3 && name.isEmpty(); ++versuch)
            name = einzeilig(
                InputBox(QStringLiteral("Wählen Sie bitte einen Benutzernamen aus."), QStringLiteral("Benutzername")));
        if (!name.isEmpty()) {
            name = Gross_Klein(name).left(99);
            Ini_Schreiben(QString(), QString(), QStringLiteral("Benutzer"), name);
        }
    }
    if (name.isEmpty())
        name = QStringLiteral("Benutzer");
    g_benutzer = name.left(99);
    return g_benutzer;
}

void Benutzer_Zuruecksetzen()
{
    g_benutzer.clear();
}

double Farbanzahl()
{
    return std::pow(2.0, double(zplatform::plattform().farbtiefe()));
}

} // namespace zcommon
