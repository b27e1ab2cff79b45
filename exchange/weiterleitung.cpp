#include "exchange/weiterleitung.h"

#include "addressbook/dateiini.h"
#include "addressbook/datensatz.h"
#include "common/ini.h"
#include "common/meldungen.h"
#include "common/texte.h"
#include "platform/ordner.h"
#include "platform/plattform.h"

#include <QFileInfo>

namespace zaustausch {

QString Telefon_Adresse(const QString& waehltext)
{
    const QString t = waehltext.trimmed();
    QString nummer;
    for (QChar c : t) {
        if (c.isDigit() && c.unicode() < 128)
            nummer += c;
        else if (c == QLatin1Char('+') && nummer.isEmpty())
            nummer += c;
    }
    if (nummer.isEmpty() || nummer == QLatin1String("+"))
        return QString();
    return QStringLiteral("tel:") + nummer;
}

QString CdRom_Suchziffern(const zadressbuch::Fenster& fenster)
{
    QString z = zadressbuch::Ziffern_Filtern(fenster.FeldText(zadressbuch::Telefon));
    if (z.isEmpty())
        z = zadressbuch::Ziffern_Filtern(fenster.FeldText(zadressbuch::Mobiltelefon));
    return z;
}

bool CdRom_Suchen(zadressbuch::Fenster& fenster)
{
    const QString titel = QStringLiteral("Suche im Telefonverzeichnis");
    const QString programm = zplatform::pfadAufloesen(
        zplatform::normalPfad(zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("DInfoPrg"), QString())));
    if (programm.isEmpty() || !QFileInfo(programm).isFile()) {
        zcommon::Meldung(QStringLiteral("#SystemExclamation"),
                         QStringLiteral("Das Telefonverzeichnis-Programm »") + programm +
                             QStringLiteral("« wurde nicht gefunden.~~Melden Sie es unter Weiteres - Einstellungen - "
                                            "Externes an."),
                         zplatform::vbExclamation, titel);
        return false;
    }
    const QString ziffern = CdRom_Suchziffern(fenster);
    if (!zplatform::plattform().programmStarten(programm, {}, QFileInfo(programm).absolutePath())) {
        zcommon::Meldung(QStringLiteral("#SystemHand"),
                         QStringLiteral("Das Programm »") + programm +
                             QStringLiteral("« konnte nicht gestartet werden."),
                         zplatform::vbExclamation, titel);
        return false;
    }
    if (ziffern.isEmpty()) {
        fenster.Status(QStringLiteral("Telefonverzeichnis gestartet: die Adresse hat keine Telefonnummer."));
    } else {
        zplatform::plattform().zwischenablageSetzen(ziffern);
        fenster.Status(QStringLiteral("Telefonverzeichnis gestartet: die Nummer ") + ziffern +
                       QStringLiteral(" liegt in der Zwischenablage (mit Strg+V in das Suchfeld einfügen)."));
    }
    return true;
}

} // namespace zaustausch
