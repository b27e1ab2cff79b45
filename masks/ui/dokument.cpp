#include "masks/ui/dokument.h"

#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "addressbook/fenster.h"
#include "common/meldungen.h"
#include "platform/ordner.h"
#include "platform/plattform.h"

#include <QDir>
#include <QFileInfo>

namespace zmasken {

namespace {

// The files by name: the status panel is narrow; the folders are in its tooltip.
QString namen(const QStringList& pfade)
{
    QStringList n;
    for (const QString& p : pfade)
        n << QFileInfo(zplatform::normalPfad(p)).fileName();
    return n.join(QStringLiteral(", "));
}

QString ganz(const QString& pfad)
{
    return QDir::toNativeSeparators(zplatform::normalPfad(pfad));
}

// The tooltip of the status text: every file it names with its whole path, in its order.
QString pfade(const Uebergabedateien& dateien)
{
    QStringList zeilen;
    for (const QString& d : dateien.fehlgeschlagen)
        zeilen << QStringLiteral("Übergabedatei nicht geschrieben: ") + ganz(d);
    for (const QString& d : dateien.geschrieben)
        zeilen << QStringLiteral("Übergabedatei geschrieben: ") + ganz(d);
    return zeilen.join(u'\n');
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
    // Short, and what failed first: the panel shows little more than fifty characters.
    QStringList teile;
    if (!dateien.fehlgeschlagen.isEmpty())
        teile << QStringLiteral("Nicht geschrieben: ") + namen(dateien.fehlgeschlagen);
    if (!dateien.geschrieben.isEmpty())
        teile << (teile.isEmpty() ? QStringLiteral("Geschrieben: ") : QStringLiteral("geschrieben: ")) +
                     namen(dateien.geschrieben);
    if (teile.isEmpty())
        return QStringLiteral("Keine Übergabedatei eingerichtet (Adr_Speichern_In, Adr_IniSpeichern_In).");
    return teile.join(QStringLiteral("; "));
}

void mnuDocErstellen_Click(zadressbuch::Fenster& fenster)
{
    const Uebergabedateien dateien = Karte_Uebergeben(fenster);
    fenster.Status(Uebergabe_Meldung(dateien), pfade(dateien));
}

void Ende_Uebergeben(zadressbuch::Fenster& fenster, int index)
{
    const Uebergabedateien dateien = Karte_Uebergeben(fenster);
    // The idle exit goes on without a box that nobody would close.
    if (dateien.fehlgeschlagen.isEmpty() || index == 1)
        return;
    QStringList fehlt;
    for (const QString& p : dateien.fehlgeschlagen)
        fehlt << zcommon::Woertlich(ganz(p));
    const QString text = fehlt.size() == 1
                             ? QStringLiteral("Die Übergabedatei »%1« konnte nicht geschrieben werden.").arg(fehlt[0])
                             : QStringLiteral("Die Übergabedateien »%1« konnten nicht geschrieben werden.")
                                   .arg(fehlt.join(QStringLiteral("« und »")));
    zcommon::Meldung(QStringLiteral("#SystemExclamation"), text, zplatform::vbOKOnly | zplatform::vbExclamation,
                     QStringLiteral("Programm beenden"));
}

} // namespace zmasken
