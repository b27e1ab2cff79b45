#include "addressbook/reservierung.h"

#include "addressbook/dateiini.h"
#include "addressbook/sitzung.h"
#include "common/dateien.h"
#include "common/ini.h"
#include "common/meldungen.h"
#include "common/texte.h"
#include "platform/dateisystem.h"
#include "platform/ordner.h"
#include "platform/plattform.h"

#include <QFileInfo>
#include <QStringList>

namespace zadressbuch {

namespace {

const QString ReservierungSektion = QStringLiteral("Reservierung");

// The own identity in a reservation.
QString EigenerBenutzer()
{
    const QString login = zplatform::plattform().loginName();
    return login.isEmpty() ? QStringLiteral("unbekannt") : login;
}

QString EigenerRechner()
{
    const QString rechner = zplatform::plattform().rechnerName();
    return rechner.isEmpty() ? QStringLiteral("unbekannt") : rechner;
}

} // namespace

QString Reservierungsdatei()
{
    return zplatform::pfadAufloesen(zcommon::Programm_Ordner() + QStringLiteral("/DurIdovi.ini"));
}

Reservierung Reservierung_Lesen(const QString& pfad)
{
    Reservierung r;
    const QString wert = zcommon::Ini_Lesen(Reservierungsdatei(), ReservierungSektion, pfad);
    if (zcommon::Trim(wert).isEmpty())
        return r;
    const QStringList teile = wert.split(QLatin1Char('|'));
    r.vorhanden = true;
    r.benutzer = teile.value(0).trimmed();
    r.rechner = teile.value(1).trimmed();
    r.pid = teile.value(2).trimmed().toLongLong();
    r.zeit = teile.value(3).trimmed();
    r.start = teile.value(4).trimmed().toULongLong();
    const bool ich = r.benutzer.compare(EigenerBenutzer(), Qt::CaseInsensitive) == 0 &&
                     r.rechner.compare(EigenerRechner(), Qt::CaseInsensitive) == 0;
    const qint64 meine = zplatform::eigenePid();
    r.eigene = ich && r.pid == meine && (r.start == 0 || r.start == zplatform::prozessStart(meine));
    r.verwaist = ich && !r.eigene && !zplatform::prozessLebt(r.pid, r.start);
    return r;
}

void Reservierung_Schreiben(const QString& pfad)
{
    const QString zeit = zcommon::Jetzt().toString(QStringLiteral("dd.MM.yyyy hh:mm"));
    const qint64 pid = zplatform::eigenePid();
    const QString wert = QStringList{EigenerBenutzer(), EigenerRechner(), QString::number(pid), zeit,
                                     QString::number(zplatform::prozessStart(pid))}
                             .join(QLatin1Char('|'));
    zcommon::Ini_Schreiben(Reservierungsdatei(), ReservierungSektion, pfad, wert);
}

void Reservierung_Freigeben(const QString& pfad)
{
    if (pfad.isEmpty())
        return;
    zcommon::Ini_Sperre sperre(Reservierungsdatei());
    if (Reservierung_Lesen(pfad).eigene)
        zcommon::Ini_Loeschen(Reservierungsdatei(), ReservierungSektion, pfad);
}

bool Reservierung_Pruefen(const QString& pfad)
{
    Reservierung r;
    {
        // Check and write as one step: a second instance waits here and then
        // finds this one's entry.
        zcommon::Ini_Sperre sperre(Reservierungsdatei());
        r = Reservierung_Lesen(pfad);
        if (!r.vorhanden || r.eigene || r.verwaist) {
            Reservierung_Schreiben(pfad);
            return true;
        }
    }
    const QString wer = r.benutzer.isEmpty() ? QStringLiteral("einem anderen Benutzer") : r.benutzer;
    const QString wo = r.rechner.isEmpty() ? QString() : QStringLiteral(" am Computer »%1«").arg(r.rechner);
    const QString seit = r.zeit.isEmpty() ? QString() : QStringLiteral(" seit %1").arg(r.zeit);
    const int antwort = zcommon::Meldung(
        QStringLiteral("#SystemQuestion"),
        QStringLiteral("Die Adressdatei »%1« wird%2 von %3%4 bearbeitet.~~Möchten Sie die Datei nur zum Lesen "
                       "öffnen?~~Ja: nur lesen; Sie können nichts ändern.~Nein: trotzdem bearbeiten; die "
                       "Reservierung geht auf Sie über, und was der andere Benutzer speichert, kann "
                       "verloren gehen.")
            .arg(zcommon::Woertlich(pfad), seit, zcommon::Woertlich(wer), zcommon::Woertlich(wo)),
        zplatform::vbYesNo | zplatform::vbQuestion, QStringLiteral("Adressdatei reserviert"), 0,
        // Closed by the program (a termination signal, the idle exit): read-only,
        // the other instance keeps its reservation.
        zplatform::vbYes);
    if (antwort != zplatform::vbNo)
        return false;
    zcommon::Ini_Sperre sperre(Reservierungsdatei());
    Reservierung_Schreiben(pfad);
    return true;
}

// ---------------------------------------------------------------------------

bool NurLesen_Entscheiden(bool reservieren)
{
    Sitzung& s = sitzung();
    const QString pfad = s.AdressDateiName;
    const QString datei = zplatform::pfadAufloesen(pfad);
    const QString ordner = QFileInfo(datei).absolutePath();

    bool nurLesen = s.KommandozeileReadonly || s.LadeNurLesen || pfad.isEmpty();
    if (!nurLesen && zcommon::Val(DateiIni_Lesen(QStringLiteral("ReadOnly"))) != 0)
        nurLesen = true;
    if (!nurLesen) {
        for (const QString& o : {s.DatenOrdner, ordner}) {
            if (!o.isEmpty() && zcommon::Datei_Existiert(o + QStringLiteral("/READONLY.TXT"))) {
                nurLesen = true;
                break;
            }
        }
    }
    if (!nurLesen) {
        if (zplatform::dateistand(datei).vorhanden && !zplatform::beschreibbar(datei))
            nurLesen = true;
        else if (!zplatform::beschreibbar(ordner))
            nurLesen = true;
    }
    if (!nurLesen && reservieren) {
        if (Reservierung_Pruefen(pfad)) {
            s.ReservierteDatei = pfad;
        } else {
            nurLesen = true;
            s.LadeNurLesen = true;
        }
    }
    if (nurLesen && !s.ReservierteDatei.isEmpty() && s.ReservierteDatei == pfad) {
        // Read-only mode holds no reservation.
        Reservierung_Freigeben(pfad);
        s.ReservierteDatei.clear();
    }
    s.NurLesen = nurLesen;
    return nurLesen;
}

} // namespace zadressbuch
