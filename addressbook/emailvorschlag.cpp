#include "addressbook/emailvorschlag.h"

#include "addressbook/karte.h"
#include "common/texte.h"

#include <QSet>

namespace zadressbuch {

QStringList EMail_KartenVorschlaege(const Felder& karte)
{
    using zcommon::Trim;
    const QString n = zcommon::Text_NachAscii(karte[Nachname]);
    const QString v = zcommon::Text_NachAscii(karte[Vorname]);
    const QString v1 = v.left(1);
    const QString punkt = QStringLiteral(".");
    const QString strich = QStringLiteral("_");

    QStringList liste;
    for (const QString& s : {n, n + v, n + strich + v, n + punkt + v, n + v1, v, v + n, v + punkt + n,
                             v + strich + n, v1 + n, v1 + punkt + n})
        liste << Trim(s);

    const QString telefon = karte[Telefon];
    if (!telefon.isEmpty()) {
        const QString ziffern = zcommon::Nur_Zeichen(telefon, QStringLiteral("0123456789"));
        liste << Trim(ziffern) << Trim(ziffern + QStringLiteral("001"));
    }

    const QString www = karte[Www];
    const QString klein = zcommon::LCase(www);
    if (klein.startsWith(QLatin1String("www.")))
        liste << QStringLiteral(" @") + www.mid(4, 99);
    if (klein.startsWith(QLatin1String("http://www.")))
        liste << QStringLiteral(" @") + www.mid(11, 99);
    return liste;
}

QStringList EMail_Vorschlaege(const QStringList& dateiZeilen, const Felder& karte)
{
    QStringList alle;
    QSet<QString> gesehen;
    const QStringList karten = EMail_KartenVorschlaege(karte);
    for (const QStringList* quelle : {&dateiZeilen, &karten})
        for (const QString& s : *quelle)
            if (!gesehen.contains(s)) {
                gesehen.insert(s);
                alle << s;
            }
    return alle;
}

QStringList EMail_Vorschlaege(int feld, const Felder& karte)
{
    return EMail_Vorschlaege(AuswahlListe_Laden(feld), karte);
}

QString EMail_Anhaengen(const QString& feldText, const QStringList& ausgewaehlt)
{
    QString gewaehlt;
    for (qsizetype i = ausgewaehlt.size() - 1; i >= 0; --i)
        gewaehlt += zcommon::Trim(ausgewaehlt.at(i));
    if (gewaehlt.isEmpty())
        return feldText;
    return feldText + gewaehlt;
}

} // namespace zadressbuch
