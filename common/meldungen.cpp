// Messages, sounds and the central error report.

#include "common/meldungen.h"

#include "common/dateien.h"
#include "common/ini.h"
#include "common/programme.h"
#include "platform/drucker.h"
#include "platform/ordner.h"
#include "platform/plattform.h"

#include <QDateTime>
#include <QFileInfo>

namespace zcommon {

namespace {

// The stand-in of a "~" inside an inserted value (a character of the private
// use area, which no file or setting holds).
constexpr char16_t Tilde = 0xE07E;

// "~" stands for a line break in message texts; a "~" of an inserted value
// (Woertlich) stays a "~".
QString umbrechen(const QString& text)
{
    QString t = text;
    t.replace(QLatin1Char('~'), QStringLiteral("\r\n"));
    t.replace(QChar(Tilde), QLatin1Char('~'));
    return t;
}

// The run-time's own description of an error number.
QString fehlerBeschreibung(int nummer)
{
    switch (nummer) {
    case 3:
        return QStringLiteral("Return ohne GoSub");
    case 5:
        return QStringLiteral("Unzulässiger Prozeduraufruf oder ungültiges Argument");
    case 6:
        return QStringLiteral("Überlauf");
    case 7:
        return QStringLiteral("Nicht genügend Speicher");
    case 9:
        return QStringLiteral("Index außerhalb des gültigen Bereichs");
    case 11:
        return QStringLiteral("Division durch Null");
    case 13:
        return QStringLiteral("Typen unverträglich");
    case 28:
        return QStringLiteral("Nicht genügend Stapelspeicher");
    case 52:
        return QStringLiteral("Dateiname oder -nummer falsch");
    case 53:
        return QStringLiteral("Datei nicht gefunden");
    case 54:
        return QStringLiteral("Dateimodus falsch");
    case 55:
        return QStringLiteral("Datei bereits geöffnet");
    case 57:
        return QStringLiteral("Fehler beim Lesen/Schreiben des Geräts");
    case 58:
        return QStringLiteral("Datei existiert bereits");
    case 61:
        return QStringLiteral("Datenträger voll");
    case 62:
        return QStringLiteral("Einlesen hinter Dateiende");
    case 67:
        return QStringLiteral("Zu viele Dateien");
    case 68:
        return QStringLiteral("Gerät nicht verfügbar");
    case 70:
        return QStringLiteral("Zugriff verweigert");
    case 71:
        return QStringLiteral("Datenträger nicht bereit");
    case 75:
        return QStringLiteral("Fehler beim Zugriff auf Pfad/Datei");
    case 76:
        return QStringLiteral("Pfad nicht gefunden");
    case 91:
        return QStringLiteral("Objektvariable nicht festgelegt");
    case 380:
        return QStringLiteral("Unzulässiger Eigenschaftswert");
    case 482:
        return QStringLiteral("Druckerfehler");
    default:
        return QStringLiteral("Anwendungs- oder objektdefinierter Fehler");
    }
}

// What the user can do about it.
QString fehlerHinweis(int nummer)
{
    switch (nummer) {
    case 7:
    case 28:
        return QStringLiteral("Schließen Sie bitte andere Programme und versuchen Sie es erneut.");
    case 52:
    case 53:
    case 76:
        return QStringLiteral("Eine benötigte Datei oder ein Ordner wurde nicht gefunden. Prüfen Sie bitte den "
                              "Dateinamen und ob der Ordner (auch im Netzwerk) erreichbar ist.");
    case 55:
    case 70:
    case 75:
        return QStringLiteral("Auf die Datei kann nicht zugegriffen werden. Sie ist schreibgeschützt, wird von "
                              "einem anderen Programm benutzt oder Ihnen fehlen die Zugriffsrechte.");
    case 57:
    case 68:
    case 71:
        return QStringLiteral("Das Laufwerk oder Gerät ist nicht bereit. Prüfen Sie bitte Datenträger und "
                              "Verbindung.");
    case 61:
        return QStringLiteral("Der Datenträger ist voll. Schaffen Sie bitte Platz und versuchen Sie es erneut.");
    case 482:
        return QStringLiteral("Prüfen Sie bitte, ob der Drucker eingeschaltet, bereit und richtig eingerichtet ist.");
    default:
        return QStringLiteral("Sollte der Fehler wiederholt auftreten, notieren Sie bitte die Fehlernummer und "
                              "den Text oder drucken Sie die Meldung aus.");
    }
}

void protokollDrucken(int nummer, const QString& beschreibung, const QString& text, const QString& position,
                      const QDateTime& zeitpunkt)
{
    zplatform::Drucker& d = zplatform::drucker();
    // The caller may be in the middle of its own print-out: its settings come back afterwards.
    const zplatform::DruckSchrift alteSchrift = d.schrift;
    const double altLinks = d.scaleLeft, altOben = d.scaleTop, altX = d.currentX, altY = d.currentY;
    d.schrift = zplatform::DruckSchrift();
    if (!d.auftragOffen())
        d.setAuftragsname(QStringLiteral("Zettlora Fehlerprotokoll"));
    d.scaleLeft = -2.0;
    d.scaleTop = -2.0;
    d.currentX = 0;
    d.currentY = 0;
    d.schrift.name = QStringLiteral("Arial");
    d.schrift.groesse = 14;
    d.schrift.fett = true;
    d.drucken(QStringLiteral("Fehlerprotokoll Zettlora"));
    d.schrift.groesse = 10;
    d.schrift.fett = false;
    d.drucken(QString());
    d.drucken(QStringLiteral("Datum: ") + zeitpunkt.toString(QStringLiteral("dd.MM.yyyy")) +
              QStringLiteral("   Zeit: ") + zeitpunkt.toString(QStringLiteral("hh:mm:ss")));
    d.drucken(QStringLiteral("Fehlernummer: ") + QString::number(nummer));
    d.drucken(QStringLiteral("Beschreibung: ") + beschreibung);
    for (const QString& zeile : umbrechen(text).split(QStringLiteral("\r\n")))
        d.drucken(QStringLiteral("Text: ") + zeile);
    if (!position.isEmpty())
        d.drucken(QStringLiteral("Position: ") + position);
    d.dokumentEnde();
    d.schrift = alteSchrift;
    d.scaleLeft = altLinks;
    d.scaleTop = altOben;
    d.currentX = altX;
    d.currentY = altY;
}

bool g_fehlerWirdGemeldet = false;

} // namespace

QString Woertlich(const QString& wert)
{
    QString w = wert;
    w.replace(QLatin1Char('~'), QChar(Tilde));
    return w;
}

void Ton_Ausgeben(const QString& name)
{
    if (name.isEmpty())
        return;
    if (name.startsWith(QLatin1Char('#'))) {
        zplatform::plattform().ton(name);
        return;
    }
    // A wave file: a bare name is looked for along the usual folders.
    QString pfad = Datei_Suchen(name);
    if (pfad.isEmpty() && Datei_Existiert(name))
        pfad = Pfad(name);
    if (!pfad.isEmpty())
        zplatform::plattform().ton(pfad);
}

namespace {

// The Help button of a box with a topic ("" function: no button).
zplatform::HilfeAufruf hilfeKnopf(int thema)
{
    if (thema <= 0)
        return {};
    return [thema] { Hilfe_Zeigen(thema); };
}

} // namespace

int MsgBox(const QString& text, int stil, const QString& titel, int hilfeThema, zplatform::Schliessantwort schliessen)
{
    if (hilfeThema > 0)
        return zplatform::plattform().meldungMitHilfe(umbrechen(text), stil, titel, hilfeKnopf(hilfeThema), schliessen);
    return zplatform::plattform().meldung(umbrechen(text), stil, titel, schliessen);
}

int Meldung(const QString& ton, const QString& text, int stil, const QString& titel, int hilfeThema,
            zplatform::Schliessantwort schliessen)
{
    Ton_Ausgeben(ton);
    return MsgBox(text, stil, titel, hilfeThema, schliessen);
}

QString InputBox(const QString& prompt, const QString& titel, const QString& vorgabe, int hilfeThema)
{
    bool abgebrochen = false;
    auto& p = zplatform::plattform();
    const QString antwort =
        hilfeThema > 0 ? p.eingabeMitHilfe(umbrechen(prompt), titel, vorgabe, hilfeKnopf(hilfeThema), &abgebrochen)
                       : p.eingabe(umbrechen(prompt), titel, vorgabe, &abgebrochen);
    return abgebrochen ? QString() : antwort;
}

QString PfadInputBox(const QString& prompt, const QString& titel, const QString& vorgabe)
{
    bool abgebrochen = false;
    const QString antwort = zplatform::plattform().pfadEingabe(umbrechen(prompt), titel, vorgabe, &abgebrochen);
    return abgebrochen ? QString() : antwort;
}

int Fehler_Melden(int nummer, const QString& text, const QString& position)
{
    if (nummer == 0)
        return 0;
    // A failure inside the report (printing, say) must not report itself again.
    if (g_fehlerWirdGemeldet)
        return 5;
    g_fehlerWirdGemeldet = true;

    const QDateTime zeitpunkt = zplatform::plattform().jetzt();
    const QString beschreibung = fehlerBeschreibung(nummer);
    {
        // The last error, written to the settings file in one go.
        Ini_Stapel stapel{QString()};
        const QString abschnitt = QStringLiteral("Fehler");
        Ini_Schreiben(QString(), abschnitt, QStringLiteral("Nummer"), QString::number(nummer));
        Ini_Schreiben(QString(), abschnitt, QStringLiteral("Beschreibung"), beschreibung);
        Ini_Schreiben(QString(), abschnitt, QStringLiteral("Text"), text);
        Ini_Schreiben(QString(), abschnitt, QStringLiteral("Position"), position);
        Ini_Schreiben(QString(), abschnitt, QStringLiteral("Datum"), zeitpunkt.toString(QStringLiteral("dd.MM.yyyy")));
        Ini_Schreiben(QString(), abschnitt, QStringLiteral("Zeit"), zeitpunkt.toString(QStringLiteral("hh:mm:ss")));
    }

    QString meldung = QStringLiteral("Im Programm ist ein Fehler aufgetreten.~~");
    if (!text.isEmpty())
        meldung += text + QStringLiteral("~~");
    meldung += QStringLiteral("Fehler %1: %2").arg(nummer).arg(beschreibung);
    if (!position.isEmpty())
        meldung += QStringLiteral("~Position: ") + position;
    meldung += QStringLiteral("~~") + fehlerHinweis(nummer) + QStringLiteral("~~Möchten Sie die Meldung ausdrucken?");

    Ton_Ausgeben(QStringLiteral("#SystemHand"));
    const int antwort = MsgBox(meldung, zplatform::vbYesNoCancel + zplatform::vbCritical + zplatform::vbDefaultButton2,
                               QStringLiteral("Zettlora - Fehler"));
    if (antwort == zplatform::vbYes)
        protokollDrucken(nummer, beschreibung, text, position, zeitpunkt);

    g_fehlerWirdGemeldet = false;
    return antwort == zplatform::vbCancel ? 2 : 5;
}

} // namespace zcommon
