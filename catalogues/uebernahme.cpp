#include "catalogues/uebernahme.h"

#include "catalogues/abtastung.h"

#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "addressbook/fenster.h"
#include "addressbook/sitzung.h"
#include "common/dateien.h"
#include "common/ini.h"
#include "common/meldungen.h"
#include "common/texte.h"
#include "platform/plattform.h"

#include <QHash>

#include <utility>
#include <vector>

namespace zkataloge {

namespace {

using namespace zadressbuch;

struct Texte
{
    const char* frage;
    const char* frageTitel;
    const char* status;
    const char* zwischen;
    const char* titel;
};

Texte texte(Katalogart art)
{
    switch (art) {
    case Katalogart::Bank:
        return {"Sollen jetzt neue Kreditinstitute in den Katalog übernommen werden.~~Der zur Zeit gewählte "
                "Standard-Katalog ist »",
                "Kreditinstitute übernehmen", "BLZ-Kreditinstitut-Übernahme...", " BLZ-Kreditinstitute übernommen...",
                "BLZ-Kreditinstitut Übernahme"};
    case Katalogart::Ort:
        return {"Sollen jetzt neue Ortsnamen in den Katalog übernommen werden.~~Der zur Zeit gewählte "
                "Standard-Katalog ist »",
                "Ortsnamen übernehmen", "PLZ-Ortsnamen-Übernahme...", " PLZ-Ortsnamen übernommen...",
                "PLZ-Ortsnamen Übernahme"};
    case Katalogart::Vorwahl:
        break;
    }
    return {"Sollen jetzt neue Vorwahlen in den Katalog übernommen werden.~~Der zur Zeit gewählte "
            "Standard-Katalog ist »",
            "Vorwahlen übernehmen", "PLZ-Vorwahlen-Übernahme...", " PLZ-Vorwahlen übernommen...",
            "PLZ-Vorwahlen-Übernahme"};
}

// The values learned in a run, held until the end and then written with one
// write per catalogue file.
class Lernpuffer
{
public:
    // The value a key holds now: learned in this run, else stored.
    std::optional<QString> gelernt(const KatalogZiel& z) const
    {
        auto it = m_wert.constFind(kennung(z));
        if (it == m_wert.constEnd())
            return std::nullopt;
        return it.value();
    }

    void merken(const KatalogZiel& z, const QString& wert)
    {
        const QString gespeichert = zcommon::Trim(wert);
        m_wert.insert(kennung(z), gespeichert);
        auto it = m_proDatei.find(z.datei);
        if (it == m_proDatei.end()) {
            m_dateien << z.datei;
            it = m_proDatei.insert(z.datei, Datei{z.sektion, {}});
        }
        it.value().werte.emplace_back(z.schluessel, gespeichert);
    }

    // Writes every file; returns the paths that could not be written.
    QStringList schreiben() const
    {
        QStringList fehler;
        if (!m_dateien.isEmpty())
            zcommon::Verzeichnis_Anlegen(Katalog_Ordner());
        for (const QString& datei : m_dateien) {
            const Datei& d = m_proDatei[datei];
            if (!zcommon::Ini_SchreibenAlle(datei, d.sektion, d.werte))
                fehler << datei;
        }
        return fehler;
    }

private:
    struct Datei
    {
        QString sektion;
        std::vector<std::pair<QString, QString>> werte;
    };

    static QString kennung(const KatalogZiel& z)
    {
        return z.datei + QLatin1Char('\n') + zcommon::UCase(zcommon::Trim(z.schluessel));
    }

    QHash<QString, QString> m_wert;
    QHash<QString, Datei> m_proDatei;
    QStringList m_dateien;
};

bool enthalten(const QString& gespeichert, const QString& neu)
{
    return zcommon::LCase(gespeichert).contains(zcommon::LCase(neu));
}

} // namespace

UebernahmeErgebnis Katalog_Lernen(Katalogart art, Fenster& fenster, const AdressListe& liste)
{
    UebernahmeErgebnis e;
    const Texte t = texte(art);
    const QString stdLand = sitzung().KatalogStdLand;
    const QString zwischen = QString::fromUtf8(t.zwischen);
    Lernpuffer puffer;

    // The stored value of a key, read whole: learned in this run, else from
    // its file (whether a file exists is asked once per run).
    QHash<QString, bool> vorhanden;
    const auto gespeichert = [&](const KatalogZiel& z) {
        if (std::optional<QString> w = puffer.gelernt(z))
            return *w;
        auto it = vorhanden.find(z.datei);
        if (it == vorhanden.end())
            it = vorhanden.insert(z.datei, zcommon::Datei_Existiert(z.datei));
        return it.value() ? Katalog_Lesen(art, z) : QString();
    };
    const auto lernen = [&](const KatalogZiel& z, const QString& wert) {
        puffer.merken(z, wert);
        ++e.anzahl;
    };

    {
        Abtastung lauf(fenster, liste, QString::fromUtf8(t.status));
        for (int i = 0; i < lauf.anzahl(); ++i) {
            if (!lauf.weiter(i))
                break;
            const QString eintrag = liste.List(i);
            const qint64 vorher = e.anzahl;
            if (art == Katalogart::Bank || art == Katalogart::Ort) {
                const int codeFeld = art == Katalogart::Bank ? Bankleitzahl : Plz;
                const int namenFeld = art == Katalogart::Bank ? Kreditinstitut : Ort;
                const QString code = FeldAus(eintrag, codeFeld);
                const QString name = zcommon::Trim(FeldAus(eintrag, namenFeld));
                if (code.isEmpty() || name.size() <= 1)
                    continue;
                const KatalogZiel z = Katalog_Ziel(art, code, stdLand);
                if (z.datei.isEmpty())
                    continue;
                QString wert = gespeichert(z);
                if (enthalten(wert, name))
                    continue;
                if (art == Katalogart::Bank && wert.size() > 201)
                    wert.clear();
                lernen(z, wert.isEmpty() ? name : wert + QStringLiteral(", ") + name);
            } else {
                const QString plz = FeldAus(eintrag, Plz);
                if (zcommon::Val(plz) <= 0 || zcommon::Trim(FeldAus(eintrag, Ort)).size() <= 1)
                    continue;
                const KatalogZiel z = Katalog_Ziel(art, plz, stdLand);
                if (z.datei.isEmpty())
                    continue;
                QString wert = gespeichert(z);
                for (int feld : {Telefon, Telefax, Datentelefon}) {
                    const QString vorwahl = zcommon::Vorwahl_Ermitteln(FeldAus(eintrag, feld));
                    if (vorwahl.isEmpty() || enthalten(wert, vorwahl))
                        continue;
                    wert = wert.isEmpty() ? vorwahl : wert + QStringLiteral(", ") + vorwahl;
                    lernen(z, wert);
                }
            }
            if (e.anzahl != vorher)
                lauf.zwischenstand(QString::number(e.anzahl) + zwischen);
        }
        lauf.ende();
        e.abgebrochen = lauf.abgebrochen();
    }
    e.fehler = puffer.schreiben();
    return e;
}

QString Uebernahme_Text(Katalogart art, qint64 anzahl)
{
    const QString zahl = anzahl == 0 ? QStringLiteral("Keine") : QString::number(anzahl);
    switch (art) {
    case Katalogart::Bank:
        return zahl + QStringLiteral(" BLZ-Kreditinstitute wurde") + (anzahl == 1 ? QString() : QStringLiteral("n")) +
               QStringLiteral(" übernommen.");
    case Katalogart::Ort:
        return zahl + QStringLiteral(" PLZ-Ortsnamen wurde") + (anzahl == 1 ? QString() : QStringLiteral("n")) +
               QStringLiteral(" übernommen.");
    case Katalogart::Vorwahl:
        break;
    }
    return zahl + QStringLiteral(" PLZ-Vorwahlen wurden übernommen.");
}

void Katalog_Uebernehmen(Katalogart art, Fenster& fenster, const AdressListe& liste)
{
    const Texte t = texte(art);
    const QString frage = QString::fromUtf8(t.frage) + sitzung().KatalogStdLand + QStringLiteral("«.");
    if (zcommon::Meldung(QStringLiteral("#SystemQuestion"), frage, zplatform::vbOKCancel | zplatform::vbQuestion,
                         QString::fromUtf8(t.frageTitel)) != zplatform::vbOK)
        return;
    const UebernahmeErgebnis e = Katalog_Lernen(art, fenster, liste);
    if (!e.abgebrochen)
        zcommon::MsgBox(Uebernahme_Text(art, e.anzahl), zplatform::vbOKOnly | zplatform::vbInformation,
                        QString::fromUtf8(t.titel));
    for (const QString& datei : e.fehler)
        zcommon::Meldung(QStringLiteral("#SystemHand"),
                         QStringLiteral("Der Katalog »%1« konnte nicht gespeichert werden.~Die neuen Einträge "
                                        "dieser Datei sind nicht übernommen.")
                             .arg(datei),
                         zplatform::vbOKOnly | zplatform::vbCritical, QString::fromUtf8(t.titel));
    fenster.Status(QStringLiteral("Bereit"));
}

} // namespace zkataloge
