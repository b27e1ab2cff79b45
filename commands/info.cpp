#include "commands/info.h"

#include "addressbook/sitzung.h"
#include "common/dateien.h"
#include "common/ini.h"
#include "common/start.h"
#include "common/texte.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace zbefehle {

Programmversion Programm_Version()
{
    const QStringList teile = QStringLiteral(ZETTLORA_VERSION).split(QLatin1Char('.'));
    Programmversion v;
    v.major = teile.value(0).toInt();
    v.minor = teile.value(1).toInt();
    v.revision = teile.value(2).toInt();
    return v;
}

QString Version_Text(const Programmversion& v)
{
    return QStringLiteral("%1.%2.%3")
        .arg(v.major)
        .arg(v.minor, 2, 10, QLatin1Char('0'))
        .arg(v.revision, 4, 10, QLatin1Char('0'));
}

QString Info_Titel(const Programmversion& v)
{
    return QStringLiteral("Infos über Zettlora · Version ") + Version_Text(v);
}

InfoAngaben Info_Angaben()
{
    InfoAngaben a;
    a.benutzer = zcommon::Benutzer_Ermitteln();
    a.datenOrdner = zadressbuch::sitzung().DatenOrdner;
    a.programmOrdner = zcommon::Programm_Ordner();
    a.modulPaket =
        zcommon::Ini_Lesen(QString(), QStringLiteral("Allgemein"), QStringLiteral("ModulPaket32"), QStringLiteral("?"));
    a.version = Programm_Version();
    const QString programm = QCoreApplication::applicationFilePath();
    if (!programm.isEmpty() && QFileInfo(programm).isFile())
        a.freigabe = QFileInfo(programm).lastModified();
    return a;
}

QString Info_Systemtext(const InfoAngaben& a)
{
    QString s;
    if (!a.benutzer.isEmpty())
        s += QStringLiteral("Benutzername / Rechnerstation: ") + a.benutzer + QLatin1Char('~');
    const QString zeile = a.datenOrdner.isEmpty() ? QStringLiteral("Ordner: ") + a.programmOrdner
                                                  : QStringLiteral("Daten-Ordner: ") + a.datenOrdner;
    // Folder names keep their spelling: on this system they depend on case.
    s += zeile + QLatin1Char('~');
    s += QStringLiteral("Modul-Paket: Installiert ist ") + a.modulPaket + QStringLiteral(" und benötigt wird e~");
    s += QStringLiteral("Version ") + Version_Text(a.version) + QLatin1Char('~');
    s += QStringLiteral("Freigabe ") +
         (a.freigabe.isValid() ? QStringLiteral("am ") + a.freigabe.toString(QStringLiteral("dd.MM.yyyy")) +
                                     QStringLiteral(" um ") + a.freigabe.toString(QStringLiteral("hh:mm"))
                               : QStringLiteral("Unbekannt"));
    return zcommon::Zeilenumbrueche(s);
}

QString Info_Produktname()
{
    return QStringLiteral("Trevix-Zettlora");
}

long Info_Schattenfarbe(double farbanzahl)
{
    return farbanzahl > 256 ? 0x505050 : 0x808080;
}

long Info_Namenfarbe(double farbanzahl)
{
    return farbanzahl > 256 ? 0x3088FC : 0x0000FF;
}

double Info_Schriftgroesse(double breite, double textbreite, double groesse)
{
    if (textbreite <= 0)
        return groesse;
    const double neu = (breite - 900) * groesse / textbreite;
    return neu > 36 ? 36 : neu;
}

} // namespace zbefehle
