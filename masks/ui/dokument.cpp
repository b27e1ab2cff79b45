#include "masks/ui/dokument.h"

#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "addressbook/fenster.h"
#include "platform/ordner.h"

#include <QFileInfo>

namespace zmasken {

namespace {

// The files by name: the status panel is narrow, and the settings name the folders.
QString namen(const QStringList& pfade)
{
    QStringList n;
    for (const QString& p : pfade)
        n << QFileInfo(zplatform::normalPfad(p)).fileName();
    return n.join(QStringLiteral(" und "));
}

} // namespace

Uebergabedateien Karte_Uebergeben(zadressbuch::Fenster& fenster)
{
    const zadressbuch::AdressListe& liste = zadressbuch::adressliste();
    const int i = liste.ListIndex();
    const QString datensatz = i >= 0 && i < liste.ListCount() ? liste.List(i) : QString();
    zadressbuch::Felder karte;
    for (int feld = 0; feld < zadressbuch::FeldAnzahl; ++feld)
        karte[size_t(feld)] = fenster.FeldText(feld);
    return Adresse_Uebergeben(karte, datensatz, fenster.FeldSelText(zadressbuch::Bemerkung));
}

QString Uebergabe_Meldung(const Uebergabedateien& dateien)
{
    QString text;
    if (!dateien.geschrieben.isEmpty())
        text = (dateien.geschrieben.size() == 1 ? QStringLiteral("Übergabedatei geschrieben: ")
                                                : QStringLiteral("Übergabedateien geschrieben: ")) +
               namen(dateien.geschrieben);
    if (!dateien.fehlgeschlagen.isEmpty()) {
        if (!text.isEmpty())
            text += QStringLiteral(". ");
        text += (dateien.fehlgeschlagen.size() == 1 ? QStringLiteral("Nicht geschrieben werden konnte: ")
                                                    : QStringLiteral("Nicht geschrieben werden konnten: ")) +
                namen(dateien.fehlgeschlagen);
    }
    if (text.isEmpty())
        text = QStringLiteral("Keine Übergabedatei eingerichtet (Adr_Speichern_In, Adr_IniSpeichern_In).");
    return text;
}

void mnuDocErstellen_Click(zadressbuch::Fenster& fenster)
{
    fenster.Status(Uebergabe_Meldung(Karte_Uebergeben(fenster)));
}

} // namespace zmasken
