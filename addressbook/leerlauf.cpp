#include "addressbook/leerlauf.h"

#include "addressbook/dateiini.h"
#include "addressbook/listenlauf.h"
#include "addressbook/sitzung.h"
#include "common/start.h"
#include "common/texte.h"
#include "platform/plattform.h"

namespace zadressbuch {

namespace {
bool ausstiegLaeuft = false;
}

QString LeerlaufWarnung(double rest)
{
    if (rest < 0)
        rest = 0;
    return QStringLiteral("Automatisches Programmende in ") + zcommon::Dauer_Text(rest) + QStringLiteral("...");
}

UhrAnzeige ZeitTimeOut_Tick(bool modalerDialogOffen)
{
    return ZeitTimeOut_Tick(modalerDialogOffen, zplatform::plattform().jetzt());
}

UhrAnzeige ZeitTimeOut_Tick(bool modalerDialogOffen, const QDateTime& jetzt)
{
    Sitzung& s = sitzung();
    UhrAnzeige a;
    a.datum = QLatin1Char(' ') + jetzt.date().toString(QStringLiteral("dd.MM.yyyy")) + QLatin1Char(' ');
    a.zeit = QLatin1Char(' ') + jetzt.time().toString(QStringLiteral("HH:mm")) + QLatin1Char(' ');

    s.LeerlaufZaehler += UhrIntervallMs / 1000;

    const int grenze = s.LeerlaufGrenze;
    if (grenze <= 0)
        return a;
    const double rest = double(grenze) - double(s.LeerlaufZaehler);
    if (rest < LeerlaufWarnzeit)
        a.warnung = LeerlaufWarnung(rest);
    if (s.LeerlaufZaehler >= grenze) {
        // Never in the middle of a dialog, a long walk or an exit that runs
        // already: the counter stays past the limit, so the next free tick ends.
        if (!modalerDialogOffen && !ListenLauf::aktiv() && !ausstiegLaeuft)
            a.ende = s.NurLesen ? UhrAnzeige::OhneSichernBeenden : UhrAnzeige::SpeichernUndBeenden;
    }
    return a;
}

void Leerlauf_Beenden(const UhrAnzeige& anzeige, const std::function<bool()>& speichernUndBeenden,
                      const std::function<bool()>& ohneSichernBeenden)
{
    if (anzeige.ende == UhrAnzeige::Weiter || ausstiegLaeuft)
        return;
    ausstiegLaeuft = true;
    bool endet = false;
    if (anzeige.ende == UhrAnzeige::OhneSichernBeenden)
        endet = ohneSichernBeenden ? ohneSichernBeenden() : false;
    else
        endet = speichernUndBeenden ? speichernUndBeenden() : false;
    ausstiegLaeuft = false;
    if (!endet)
        sitzung().LeerlaufZaehler = 0; // the save failed: go on, try again after the full idle time
}

bool Leerlauf_AusstiegLaeuft()
{
    return ausstiegLaeuft;
}

int LeerlaufGrenze_Lesen(const QString& benutzer)
{
    const double wert = zcommon::Val(DateiIni_Lesen(QStringLiteral("TimeOut_") + benutzer));
    if (!(wert > 0))
        return 0;
    if (wert > 2.0e9)
        return 2000000000;
    return int(zcommon::RundenGerade(wert));
}

int LeerlaufGrenze_Lesen()
{
    return LeerlaufGrenze_Lesen(zcommon::Benutzer_Ermitteln());
}

} // namespace zadressbuch
