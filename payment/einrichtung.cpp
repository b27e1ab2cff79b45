#include "payment/einrichtung.h"

#include "common/dateien.h"
#include "common/ini.h"
#include "common/start.h"
#include "common/texte.h"
#include "platform/ordner.h"

namespace zzahlung {

QString Einstellung_Lesen(const QString& schluessel, const QString& vorgabe)
{
    return zcommon::Ini_Lesen(QString(), QString(), schluessel, vorgabe);
}

void Einstellung_Schreiben(const QString& schluessel, const QString& wert)
{
    zcommon::Ini_Schreiben(QString(), QString(), schluessel, wert);
}

QStringList Waehrungen_Laden()
{
    const QString schluessel = QStringLiteral("Währungskürzel");
    const QString wert = Einstellung_Lesen(schluessel, WaehrungsVorgabe);
    Einstellung_Schreiben(schluessel, wert);
    return wert.split(u';', Qt::SkipEmptyParts);
}

int Schrift_Waehlen(const QStringList& schriften, const QString& gespeichert)
{
    if (schriften.isEmpty())
        return -1;
    for (const QString& kandidat : {gespeichert, QStringLiteral("Courier NEW"), QStringLiteral("ARIAL")}) {
        for (qsizetype i = 0; i < schriften.size(); ++i) {
            if (schriften.at(i).contains(kandidat, Qt::CaseInsensitive))
                return int(i);
        }
    }
    return 0;
}

QString Formularbild_Suchen(const QString& typwort)
{
    QString pfad;
    for (const char* endung : {".jpg", ".gif", ".bmp"}) {
        const QString name = zcommon::Programm_Ordner() + QStringLiteral("/FormPrn_") + typwort + QLatin1String(endung);
        if (zcommon::Datei_Existiert(name))
            pfad = zcommon::Pfad(name);
    }
    return pfad;
}

int Formulartyp_Ueberweisung(const QString& wert, bool bildDa)
{
    const double zahl = zcommon::RundenGerade(zcommon::Val(wert));
    if (zahl == 2.0 || (zahl == 1.0 && bildDa))
        return int(zahl);
    return 0;
}

int Formulartyp_Zwei(const QString& wert, bool bildDa)
{
    return zcommon::Val(wert) != 0.0 && bildDa ? 1 : 0;
}

QStringList Unterschriften_Listen(const QString& benutzer, int* eigener)
{
    if (eigener)
        *eigener = -1;
    QStringList liste;
    const QString eigenerName = (QStringLiteral("Unterschrift_") + benutzer + QStringLiteral(".bmp")).toLower();
    for (const QString& datei :
         zplatform::dateienListen(zcommon::Programm_Ordner(), QStringLiteral("Unterschrift_*.bmp"))) {
        liste << zcommon::Gross_Klein(datei);
        if (eigener && datei.toLower() == eigenerName)
            *eigener = int(liste.size() - 1);
    }
    return liste;
}

QString Unterschrift_Pfad(const QString& eintrag)
{
    return zcommon::Pfad(zcommon::Programm_Ordner() + u'/' + eintrag);
}

QString Benutzerschluessel(const QString& suffix)
{
    return QStringLiteral("User_") + zcommon::Benutzer_Ermitteln() + suffix;
}

} // namespace zzahlung
