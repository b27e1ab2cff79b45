#include "catalogues/uebernahme.h"

#include "catalogues/abtastung.h"

#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "addressbook/fenster.h"
#include "addressbook/sitzung.h"
#include "common/dateien.h"
#include "common/ini.h"
#include "common/meldungen.h"
#include "common/programme.h"
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

bool enthalten(const QString& gespeichert, const QString& neu);

// The value of a key after one more entry, by the rules of the run: an entry
// the value holds already (case ignored, as part of a longer entry too) is not
// added, however long the value is; a new entry replaces a bank value longer
// than 201 characters alone. False when nothing changes.
bool hinzufuegen(Katalogart art, QString& wert, const QString& neu)
{
    if (enthalten(wert, neu))
        return false;
    if (art == Katalogart::Bank && wert.size() > 201)
        wert = neu;
    else
        wert = wert.isEmpty() ? neu : wert + QStringLiteral(", ") + neu;
    return true;
}

// What a run learned, held until its end: per key the new entries in the
// order they were met. At the end each catalogue file is read, merged and
// written in one step under the lock between processes: every key is read
// afresh and the run's entries are added to what it holds now, so entries
// another instance wrote meanwhile stay and are not counted again.
class Lernpuffer
{
public:
    explicit Lernpuffer(Katalogart art) : m_art(art) {}

    // The value a key holds now as far as this run knows: learned in this
    // run, else stored.
    std::optional<QString> gelernt(const KatalogZiel& z) const
    {
        auto it = m_wert.constFind(kennung(z));
        if (it == m_wert.constEnd())
            return std::nullopt;
        return it.value();
    }

    // Notes a new entry of a key whose value is then wert.
    void merken(const KatalogZiel& z, const QString& eintrag, const QString& wert)
    {
        const QString k = kennung(z);
        m_wert.insert(k, wert);
        auto it = m_proDatei.find(z.datei);
        if (it == m_proDatei.end()) {
            m_dateien << z.datei;
            it = m_proDatei.insert(z.datei, Datei{z.sektion, {}, {}});
        }
        Datei& d = it.value();
        auto s = d.schluesselVon.find(k);
        if (s == d.schluesselVon.end()) {
            s = d.schluesselVon.insert(k, d.schluessel.size());
            d.schluessel.push_back({z, {}});
        }
        d.schluessel[size_t(s.value())].eintraege << zcommon::Trim(eintrag);
    }

    // Merges and writes every file; counts the entries written and notes the
    // files that could not be written, with the reason.
    void schreiben(UebernahmeErgebnis& e) const
    {
        if (!m_dateien.isEmpty())
            zcommon::Verzeichnis_Anlegen(Katalog_Ordner());
        for (const QString& datei : m_dateien) {
            const Datei& d = m_proDatei[datei];
            zcommon::Ini_Sperre sperre(datei);
            std::vector<std::pair<QString, QString>> werte;
            qint64 neu = 0;
            for (const auto& [ziel, eintraege] : d.schluessel) {
                QString wert = Katalog_Lesen(m_art, ziel);
                bool geaendert = false;
                for (const QString& eintrag : eintraege) {
                    if (hinzufuegen(m_art, wert, eintrag)) {
                        geaendert = true;
                        ++neu;
                    }
                }
                if (geaendert)
                    werte.emplace_back(ziel.schluessel, wert);
            }
            if (zcommon::Ini_SchreibenAlle(datei, d.sektion, werte))
                e.anzahl += neu;
            else
                e.fehler << (zcommon::Ini_Fehler().isEmpty() ? datei : zcommon::Ini_Fehler());
        }
    }

private:
    struct Schluessel
    {
        KatalogZiel ziel;
        QStringList eintraege;
    };
    struct Datei
    {
        QString sektion;
        std::vector<Schluessel> schluessel;
        QHash<QString, qsizetype> schluesselVon;
    };

    static QString kennung(const KatalogZiel& z)
    {
        return z.datei + QLatin1Char('\n') + zcommon::UCase(zcommon::Trim(z.schluessel));
    }

    Katalogart m_art;
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
    Lernpuffer puffer(art);
    qint64 gezaehlt = 0; // what the status shows while the run goes on

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
    const auto lernen = [&](const KatalogZiel& z, QString wert, const QString& eintrag) {
        if (!hinzufuegen(art, wert, eintrag))
            return false;
        puffer.merken(z, eintrag, wert);
        ++gezaehlt;
        return true;
    };

    {
        Abtastung lauf(fenster, liste, QString::fromUtf8(t.status));
        for (int i = 0; i < lauf.anzahl(); ++i) {
            if (!lauf.weiter(i))
                break;
            const QString eintrag = liste.List(i);
            const qint64 vorher = gezaehlt;
            if (art == Katalogart::Bank || art == Katalogart::Ort) {
                const int codeFeld = art == Katalogart::Bank ? Bankleitzahl : Plz;
                const int namenFeld = art == Katalogart::Bank ? Kreditinstitut : Ort;
                const QString code = FeldAus(eintrag, codeFeld);
                const QString name = zcommon::Trim(FeldAus(eintrag, namenFeld));
                if (code.isEmpty() || name.size() <= 1)
                    continue;
                const KatalogZiel z = Katalog_Ziel(art, code, stdLand);
                if (!z.datei.isEmpty())
                    lernen(z, gespeichert(z), name);
            } else {
                const QString plz = FeldAus(eintrag, Plz);
                if (zcommon::Val(plz) <= 0 || zcommon::Trim(FeldAus(eintrag, Ort)).size() <= 1)
                    continue;
                const KatalogZiel z = Katalog_Ziel(art, plz, stdLand);
                if (z.datei.isEmpty())
                    continue;
                for (int feld : {Telefon, Telefax, Datentelefon}) {
                    const QString vorwahl = zcommon::Vorwahl_Ermitteln(FeldAus(eintrag, feld));
                    if (!vorwahl.isEmpty())
                        lernen(z, gespeichert(z), vorwahl);
                }
            }
            if (gezaehlt != vorher)
                lauf.zwischenstand(QString::number(gezaehlt) + zwischen);
        }
        lauf.ende();
        e.abgebrochen = lauf.abgebrochen();
    }
    puffer.schreiben(e);
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
    const QString frage = QString::fromUtf8(t.frage) + Katalog_Land(sitzung().KatalogStdLand) + QStringLiteral("«.");
    if (zcommon::Meldung(QStringLiteral("#SystemQuestion"), frage, zplatform::vbOKCancel | zplatform::vbQuestion,
                         QString::fromUtf8(t.frageTitel), zcommon::Hilfethema::KatalogUebernahme) != zplatform::vbOK)
        return;
    const UebernahmeErgebnis e = Katalog_Lernen(art, fenster, liste);
    if (!e.abgebrochen)
        zcommon::MsgBox(Uebernahme_Text(art, e.anzahl), zplatform::vbOKOnly | zplatform::vbInformation,
                        QString::fromUtf8(t.titel));
    for (const QString& grund : e.fehler)
        zcommon::Meldung(QStringLiteral("#SystemHand"),
                         QStringLiteral("Ein Katalog konnte nicht gespeichert werden:~%1~Die neuen Einträge "
                                        "dieser Datei sind nicht übernommen und nicht mitgezählt.")
                             .arg(zcommon::Woertlich(grund)),
                         zplatform::vbOKOnly | zplatform::vbCritical, QString::fromUtf8(t.titel));
    fenster.Status(QStringLiteral("Bereit"));
}

} // namespace zkataloge
