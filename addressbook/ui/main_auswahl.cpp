// The pick lists of the card: proposals for the e-mail field and the fields'
// own choice lists, both offered in the one pick list (Main::Auswahl_Zeigen).
#include "addressbook/adressliste.h"
#include "addressbook/emailvorschlag.h"
#include "addressbook/karte.h"
#include "addressbook/sitzung.h"
#include "addressbook/ui/main.h"
#include "addressbook/ui/main_intern.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSet>
#include <QTextCursor>

namespace zadressbuch {

namespace {

// Fields without a choice list: the locked ones, the remark of several lines
// and the e-mail field, which has its proposals.
bool ohneAuswahl(int feld)
{
    return feld == ErstelltAm || feld == GeaendertAm || feld == Index || feld == Bemerkung || feld == EMail;
}

} // namespace

void Main::feldNachAuswahl(int feld, const QString& text)
{
    setFeldText(feld, text);
    if (auto* z = qobject_cast<QLineEdit*>(Feld(feld)))
        z->setCursorPosition(int(z->text().size()));
    else if (auto* t = qobject_cast<QPlainTextEdit*>(Feld(feld)))
        t->moveCursor(QTextCursor::End);
    Adresse_Uebernehmen(0);
}

void Main::Auswahl_eMail(int feld)
{
    // Read-only: no proposal could be stored.
    if (sitzung().NurLesen || feld < 0 || feld >= FeldAnzahl)
        return;
    Felder karte;
    for (int i = 0; i < FeldAnzahl; ++i)
        karte[size_t(i)] = FeldText(i);
    const QStringList gewaehlt = Auswahl_Zeigen(EMail_Vorschlaege(feld, karte), true);
    const QString alt = karte[size_t(feld)];
    const QString neu = EMail_Anhaengen(alt, gewaehlt);
    if (neu != alt)
        feldNachAuswahl(feld, neu);
}

bool Main::Feld_Auswahlliste(int feld)
{
    if (sitzung().NurLesen || feld < 0 || feld >= FeldAnzahl || ohneAuswahl(feld))
        return false;
    const QStringList ausDatei = AuswahlListe_Laden(feld);
    if (ausDatei.isEmpty() && !intern::feldMitWerteliste(feld))
        return false;
    QStringList eintraege;
    QSet<QString> schon;
    for (const QStringList& quelle : {ausDatei, Daten_Suchen(adressliste(), feld)})
        for (const QString& t : quelle)
            if (!schon.contains(t)) {
                schon.insert(t);
                eintraege << t;
            }
    if (eintraege.isEmpty())
        return false; // nothing to offer

    // Multiple choice: the picks in the list's order, joined by blanks, take
    // the field's place.
    const QString gewaehlt = Auswahl_Zeigen(eintraege, false).join(QLatin1Char(' ')).trimmed();
    if (!gewaehlt.isEmpty() && gewaehlt != FeldText(feld))
        feldNachAuswahl(feld, gewaehlt);
    return true;
}

} // namespace zadressbuch
