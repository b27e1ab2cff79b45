#include "commands/dateiregeln.h"

#include "addressbook/sitzung.h"
#include "platform/dateisystem.h"
#include "platform/ordner.h"

#include <QFileInfo>

namespace zbefehle {

bool IstOffeneAdressdatei(const QString& pfad)
{
    const QString offen = zadressbuch::sitzung().AdressDateiName;
    if (offen.isEmpty())
        return false;
    const QFileInfo a(zplatform::pfadAufloesen(zplatform::normalPfad(offen)));
    const QFileInfo b(zplatform::pfadAufloesen(zplatform::normalPfad(pfad)));
    if (a.exists() && b.exists())
        return a.canonicalFilePath() == b.canonicalFilePath();
    return a.absoluteFilePath().compare(b.absoluteFilePath(), Qt::CaseInsensitive) == 0;
}

Umbenennung Umbenennung_Planen(const QString& ordnerMitTrenner, const QString& voll, const QString& ext,
                               const QString& eingabe)
{
    Umbenennung u;
    static const QString verboten = QStringLiteral("\\*?:, /");
    for (QChar c : eingabe) {
        if (verboten.contains(c) || c.unicode() < 0x20 || c.unicode() == 0x7F) {
            u.pruefung = Umbenennung::Pruefung::UngueltigesZeichen;
            return u;
        }
    }
    const qsizetype punkt = eingabe.indexOf(QLatin1Char('.'));
    u.neuBasis = punkt < 0 ? eingabe : eingabe.left(punkt);
    u.neu = ordnerMitTrenner + u.neuBasis + (ext.isEmpty() ? QString() : QLatin1Char('.') + ext);
    if (u.neuBasis.isEmpty() || u.neu.compare(voll, Qt::CaseInsensitive) == 0) {
        u.pruefung = Umbenennung::Pruefung::KeinNeuerName;
        return u;
    }
    // An existing file of that name (in any case) is the one replaced.
    u.ziel = zplatform::pfadAufloesen(u.neu);
    u.zielVorhanden = QFileInfo(u.ziel).isFile();
    return u;
}

Dateiaktion Umbenennen_Ausfuehren(const QString& voll, const Umbenennung& u)
{
    Dateiaktion a;
    if (const int f = zplatform::umbenennen(voll, u.ziel)) {
        a.grund = zplatform::fehlerGrund(f);
        return a;
    }
    a.ok = true;
    a.neuerName = QFileInfo(u.ziel).fileName();
    const QString gewuenscht = QFileInfo(u.neu).fileName();
    if (a.neuerName != gewuenscht) {
        const QString pfad = QFileInfo(u.ziel).absolutePath() + QLatin1Char('/') + gewuenscht;
        if (zplatform::umbenennen(u.ziel, pfad) == 0)
            a.neuerName = gewuenscht;
    }
    return a;
}

Dateiaktion Datei_Entfernen(const QString& voll)
{
    Dateiaktion a;
    if (!QFileInfo(voll).isFile()) {
        a.grund = QStringLiteral("Die Datei ist nicht vorhanden.");
        return a;
    }
    if (const int f = zplatform::entfernen(voll)) {
        a.grund = zplatform::fehlerGrund(f);
        return a;
    }
    a.ok = true;
    return a;
}

} // namespace zbefehle
