#include "catalogues/emaildomains.h"

#include "catalogues/abtastung.h"

#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "addressbook/fenster.h"
#include "common/dateien.h"
#include "common/meldungen.h"
#include "common/texte.h"
#include "platform/ordner.h"
#include "platform/plattform.h"
#include "platform/textdatei.h"

#include <QHash>

#include <algorithm>

namespace zkataloge {

QString Domain_Datei()
{
    return zplatform::pfadAufloesen(zcommon::Programm_Ordner() + QStringLiteral("/Liste14.txt"));
}

DomainErgebnis Domains_Zaehlen(zadressbuch::Fenster& fenster, const zadressbuch::AdressListe& liste)
{
    DomainErgebnis e;
    QHash<QString, size_t> platz;
    Abtastung lauf(fenster, liste, QStringLiteral("eMail-Domain-Übernahme..."));
    for (int i = 0; i < lauf.anzahl(); ++i) {
        if (!lauf.weiter(i))
            break;
        const QString a = zcommon::Trim(zcommon::LCase(zadressbuch::FeldAus(liste.List(i), zadressbuch::EMail)));
        if (a.isEmpty() || !zcommon::EMail_Pruefen(a))
            continue;
        const QString d = a.mid(a.indexOf(QLatin1Char('@')));
        auto it = platz.constFind(d);
        if (it != platz.constEnd()) {
            ++e.domains[it.value()].second;
            continue;
        }
        platz.insert(d, e.domains.size());
        e.domains.emplace_back(d, 1);
        lauf.zwischenstand(QStringLiteral("eMail-Domain-Übernahme...") + QString::number(e.domains.size()) +
                           QStringLiteral(" Domains gefunden..."));
    }
    lauf.ende();
    e.abgebrochen = lauf.abgebrochen();
    std::stable_sort(e.domains.begin(), e.domains.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    return e;
}

std::vector<std::pair<QString, qint64>> Domains_Vorschlaege(const DomainErgebnis& e)
{
    std::vector<std::pair<QString, qint64>> v;
    for (size_t i = 0; i < e.domains.size() && i < 9; ++i)
        if (e.domains[i].second > 1)
            v.push_back(e.domains[i]);
    return v;
}

QString Domains_Meldung(const DomainErgebnis& e)
{
    const auto vorschlaege = Domains_Vorschlaege(e);
    QString bericht;
    for (const auto& [domain, anzahl] : vorschlaege)
        bericht += QStringLiteral("\r\n") + zcommon::Gross_Klein(domain.mid(1)) + QStringLiteral(" (") +
                   QString::number(anzahl) + QStringLiteral("x)");
    return QStringLiteral("Es wurden ") + QString::number(qint64(e.domains.size())) +
           QStringLiteral(" eMail-Domains gefunden.~~Die ") + QString::number(qint64(vorschlaege.size())) +
           QStringLiteral(" häufigsten wurden als Vorschläge übernommen.~~Das sind:~") + bericht;
}

void Domains_Uebernehmen(zadressbuch::Fenster& fenster, const zadressbuch::AdressListe& liste)
{
    const DomainErgebnis e = Domains_Zaehlen(fenster, liste);
    if (!e.abgebrochen) {
        QStringList zeilen;
        for (const auto& [domain, anzahl] : Domains_Vorschlaege(e))
            zeilen << QLatin1Char(' ') + domain;
        const zplatform::Ergebnis geschrieben = zplatform::zeilenSchreiben(Domain_Datei(), zeilen);
        if (geschrieben)
            zcommon::MsgBox(Domains_Meldung(e), zplatform::vbOKOnly | zplatform::vbInformation,
                            QStringLiteral("eMail-Domain Übernahme"));
        else
            zcommon::Meldung(QStringLiteral("#SystemHand"),
                             QStringLiteral("Die Vorschlagsliste »%1« konnte nicht gespeichert werden.~%2")
                                 .arg(Domain_Datei(), geschrieben.fehler),
                             zplatform::vbOKOnly | zplatform::vbCritical, QStringLiteral("eMail-Domain Übernahme"));
    }
    fenster.Status(QStringLiteral("Bereit"));
}

} // namespace zkataloge
