#include "commands/menuebefehle.h"

#include "addressbook/datensatz.h"
#include "addressbook/sitzung.h"
#include "common/ini.h"
#include "common/meldungen.h"
#include "common/texte.h"
#include "platform/plattform.h"

namespace zbefehle {

using zadressbuch::Befehl;
using zadressbuch::Fenster;

QString Waehlnummer(const Fenster& fenster)
{
    const QString telefon = fenster.FeldText(zadressbuch::Telefon);
    const QString mobil = fenster.FeldText(zadressbuch::Mobiltelefon);
    const bool mobilGewaehlt =
        zadressbuch::sitzung().AktivesFeld == zadressbuch::Mobiltelefon && !zcommon::Trim(mobil).isEmpty();
    if (mobilGewaehlt || zcommon::Trim(telefon).isEmpty())
        return mobil;
    return telefon;
}

QString Waehltext(const Fenster& fenster, const std::function<QString(const QString&)>& callByCall)
{
    const QString nummer = Waehlnummer(fenster);
    const QString praefix = callByCall ? callByCall(nummer) : QString();
    return zcommon::Trim(praefix + QLatin1Char(' ') + nummer);
}

QString Webadresse(const QString& feld)
{
    QString a = feld.trimmed();
    if (a.startsWith(QStringLiteral("www."), Qt::CaseInsensitive))
        a = QStringLiteral("http://") + a;
    if (!a.startsWith(QStringLiteral("http://"), Qt::CaseInsensitive) &&
        !a.startsWith(QStringLiteral("https://"), Qt::CaseInsensitive))
        return QString();
    return zplatform::adresseErlaubt(a) ? a : QString();
}

bool WebSeite_Aufrufen(const Fenster& fenster)
{
    const QString feld = fenster.FeldText(zadressbuch::Www);
    if (feld.isEmpty()) {
        zcommon::MsgBox(QStringLiteral("Keine Web-Seite angegeben."), zplatform::vbExclamation);
        return false;
    }
    const QString adresse = Webadresse(feld);
    if (adresse.isEmpty()) {
        zcommon::MsgBox(QStringLiteral("»") + feld.trimmed() +
                            QStringLiteral("« ist keine Web-Adresse.~~Aufgerufen werden nur Adressen, die mit "
                                           "»http://«, »https://« oder »www.« beginnen."),
                        zplatform::vbExclamation);
        return false;
    }
    // An address the desktop cannot open gives no message.
    return zplatform::plattform().adresseOeffnen(adresse);
}

void FaxNr_InZwischenablage(const Fenster& fenster)
{
    zplatform::plattform().zwischenablageSetzen(fenster.FeldText(zadressbuch::Telefax));
}

QString Suchtext_Ermitteln(const Fenster& fenster)
{
    const zadressbuch::Sitzung& s = zadressbuch::sitzung();
    if (s.FeldHatteFokus != 1)
        return QString();
    const int feld = qBound(0, s.AktivesFeld, zadressbuch::FeldAnzahl - 1);
    QString text = fenster.FeldSelText(feld);
    if (text.isEmpty())
        text = fenster.FeldText(feld);
    return text.isNull() ? QStringLiteral("") : text;
}

bool ZwischenablageImport_Uebernehmen(Fenster& fenster, const std::array<QString, 8>& zeilen,
                                      const std::array<int, 8>& ziele)
{
    bool gesetzt = false;
    for (size_t i = 0; i < 8; ++i) {
        const int feld = ziele[i] - 1;
        if (zcommon::Trim(zeilen[i]).isEmpty() || feld < 0 || feld >= zadressbuch::FeldAnzahl)
            continue;
        fenster.setFeldText(feld, zeilen[i]);
        gesetzt = true;
    }
    fenster.Adresse_Uebernehmen(0);
    return gesetzt;
}

bool CdRomEintrag_Sichtbar(Befehl befehl, const QString& dInfoVer)
{
    switch (befehl) {
    case Befehl::mnuAdrImpDINFO2000:
        return dInfoVer == QLatin1String("DI2000");
    case Befehl::mnuAdrImpKlickTel1999:
        return dInfoVer == QLatin1String("KT1999");
    case Befehl::mnuAdrImpKlickTel98:
        return dInfoVer == QLatin1String("98");
    case Befehl::mnuAdrImpDINFO99:
        return dInfoVer == QLatin1String("99");
    default:
        return true;
    }
}

bool CdRomEintrag_Sichtbar(Befehl befehl)
{
    return CdRomEintrag_Sichtbar(befehl,
                                 zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("DInfoVer"), QString()));
}

} // namespace zbefehle
