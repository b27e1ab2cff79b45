#include "addressbook/dateiini.h"

#include "addressbook/adressliste.h"
#include "addressbook/sitzung.h"
#include "common/ini.h"
#include "common/texte.h"

namespace zadressbuch {

QString DateiIni_Lesen(const QString& schluessel, const QString& vorgabe)
{
    const QString sektion = sitzung().DateiSektion();
    if (sektion.isEmpty())
        return vorgabe;
    return zcommon::Ini_Lesen(sitzung().ProgrammIni(), sektion, schluessel, vorgabe);
}

QString DateiIni_Schreiben(const QString& schluessel, const QString& wert)
{
    const QString sektion = sitzung().DateiSektion();
    if (sektion.isEmpty())
        return QString();
    return zcommon::Ini_Schreiben(sitzung().ProgrammIni(), sektion, schluessel, wert);
}

QString Anschrift_Bilden(const Felder& karte, int LeerzeileVorOrt)
{
    const QString crlf = QStringLiteral("\r\n");
    const QChar blank = QLatin1Char(' ');
    QString block;

    const QString name = zcommon::Trim(karte[Vorname] + blank + karte[Nachname]);
    if (!name.isEmpty())
        block += name + crlf;

    const QString zusatz = zcommon::Trim(karte[Zusatz]);
    if (!zusatz.isEmpty()) {
        const double z = zcommon::Val(
            zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("ZusatzZurAnschrift"), QStringLiteral("0")));
        if (z == 1)
            block += zusatz + crlf;
        else if (z == 2)
            block = zusatz + crlf + block;
    }

    const QString strasse = zcommon::Trim(karte[Strasse]);
    if (!strasse.isEmpty())
        block += strasse + crlf;

    const QString ort = zcommon::Trim(karte[Plz] + blank + karte[Ort]);
    if (!ort.isEmpty()) {
        if (LeerzeileVorOrt != 0)
            block += crlf;
        block += ort + crlf;
    }

    const QString land = zcommon::Trim(karte[Land]);
    if (!land.isEmpty())
        block += land + crlf;
    return block;
}

QString Anschrift_Bilden(int LeerzeileVorOrt)
{
    const AdressListe& liste = adressliste();
    const int i = liste.ListIndex();
    if (i < 0 || i >= liste.ListCount())
        return QString();
    return Anschrift_Bilden(Zerlegen(liste.List(i)), LeerzeileVorOrt);
}

QString Ziffern_Filtern(const QString& text)
{
    QString ziffern;
    ziffern.reserve(text.size());
    for (QChar c : text)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            ziffern.append(c);
    return ziffern;
}

} // namespace zadressbuch
