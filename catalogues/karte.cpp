#include "catalogues/karte.h"

#include "catalogues/katalog.h"
#include "catalogues/vornamen.h"

#include "addressbook/datensatz.h"
#include "addressbook/fenster.h"
#include "addressbook/sitzung.h"
#include "common/texte.h"

namespace zkataloge {

namespace {

using namespace zadressbuch;

bool leer(const QString& text)
{
    return zcommon::Trim(text).isEmpty();
}

// The window's pick list, remembering whether it was shown.
Waehler merkenderWaehler(Fenster& fenster, bool* gezeigt)
{
    return [&fenster, gezeigt](const QStringList& eintraege) {
        *gezeigt = true;
        return Fenster_Waehler(fenster)(eintraege);
    };
}

// Puts a text into a field and stores the card when it changes anything.
void setzenUndSpeichern(Fenster& fenster, int feld, const QString& text)
{
    if (text == fenster.FeldText(feld))
        return;
    fenster.setFeldText(feld, text);
    fenster.Adresse_Uebernehmen(0);
}

} // namespace

bool Karte_FeldVerlassen(Fenster& fenster, int feld)
{
    if (sitzung().NurLesen)
        return false;
    if (feld == Plz) {
        if (!sitzung().OrtAusPlz || leer(fenster.FeldText(Plz)) || !leer(fenster.FeldText(Ort)))
            return false;
        int modus = 1;
        const QString ort = fenster.FeldText(Ort);
        const QString neu = KatalogOrt_Suchen(fenster.FeldText(Plz), modus, Fenster_Waehler(fenster), ort);
        if (neu == ort)
            return false;
        fenster.setFeldText(Ort, neu);
        return true;
    }
    if (feld == Bankleitzahl) {
        if (leer(fenster.FeldText(Bankleitzahl)) || !leer(fenster.FeldText(Kreditinstitut)))
            return false;
        int modus = 1;
        const QString bank = KatalogBank_Suchen(fenster.FeldText(Bankleitzahl), modus, Fenster_Waehler(fenster));
        if (bank.isEmpty())
            return false;
        fenster.setFeldText(Kreditinstitut, bank);
        return true;
    }
    return false;
}

bool Karte_FeldBetreten(Fenster& fenster, int feld)
{
    if (feld != Anrede || sitzung().NurLesen || !leer(fenster.FeldText(Anrede)))
        return false;
    const QString vorname = zcommon::Trim(fenster.FeldText(Vorname));
    if (vorname.isEmpty())
        return false;
    QString anrede = Anrede_Vorschlag(vorname);
    if (anrede.isEmpty()) {
        const QString erstes = vorname.section(QLatin1Char(' '), 0, 0);
        if (erstes != vorname)
            anrede = Anrede_Vorschlag(erstes);
    }
    if (anrede.isEmpty())
        return false;
    fenster.setFeldText(Anrede, anrede);
    return true;
}

QString Vorwahl_Einsetzen(const QString& telefon, const QString& vorwahl)
{
    const QString t = zcommon::Trim(telefon);
    if (t.isEmpty())
        return vorwahl + QStringLiteral(" / ");
    const QChar erstes = t.at(0);
    if (erstes >= QLatin1Char('1') && erstes <= QLatin1Char('9'))
        return vorwahl + QStringLiteral(" / ") + t;
    if (erstes == QLatin1Char('0') && !zcommon::Vorwahl_Ermitteln(t).isEmpty()) {
        static const QString trenner = QStringLiteral("/-+._([");
        qsizetype pos = 0;
        while (pos < t.size() && !trenner.contains(t.at(pos)))
            ++pos;
        if (pos < t.size())
            return vorwahl + QLatin1Char(' ') + t.mid(pos);
    }
    return telefon;
}

bool Karte_Doppelklick(Fenster& fenster, int feld)
{
    if (sitzung().NurLesen)
        return false;
    bool gezeigt = false;
    if (feld == Ort) {
        if (leer(fenster.FeldText(Plz)) || !sitzung().OrtAusPlz)
            return false;
        int modus = 1;
        const QString ort =
            KatalogOrt_Suchen(fenster.FeldText(Plz), modus, merkenderWaehler(fenster, &gezeigt), fenster.FeldText(Ort));
        if (!ort.isEmpty())
            setzenUndSpeichern(fenster, Ort, ort);
        return gezeigt || !ort.isEmpty();
    }
    if (feld == Kreditinstitut) {
        if (leer(fenster.FeldText(Bankleitzahl)))
            return false;
        int modus = 1;
        const QString bank =
            KatalogBank_Suchen(fenster.FeldText(Bankleitzahl), modus, merkenderWaehler(fenster, &gezeigt));
        if (!bank.isEmpty())
            setzenUndSpeichern(fenster, Kreditinstitut, bank);
        return gezeigt || !bank.isEmpty();
    }
    if (feld == Telefon || feld == Telefax || feld == Mobiltelefon || feld == Datentelefon) {
        int modus = 2;
        const QStringList vorwahlen = Katalog_Eintraege(KatalogVorwahl_Suchen(fenster.FeldText(Plz), modus));
        if (vorwahlen.isEmpty())
            return false;
        const QStringList wahl = fenster.Auswahl_Zeigen(vorwahlen, true);
        if (!wahl.isEmpty())
            setzenUndSpeichern(fenster, feld, Vorwahl_Einsetzen(fenster.FeldText(feld), wahl.first()));
        return true;
    }
    return false;
}

} // namespace zkataloge
