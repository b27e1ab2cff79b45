#include "payment/ui/befehle.h"

#include "addressbook/befehle.h"
#include "addressbook/fenster.h"
#include "addressbook/sitzung.h"
#include "catalogues/katalog.h"
#include "payment/ui/formprnlastschrift.h"
#include "payment/ui/formprnnachnahme.h"
#include "payment/ui/formprnueberweisung.h"

#include <QWidget>

namespace zzahlung {

namespace {

using zadressbuch::Befehl;
using zadressbuch::Fenster;

std::array<QString, 24> karte(const Fenster& f)
{
    std::array<QString, 24> felder;
    for (int i = 0; i < 24; ++i)
        felder[size_t(i)] = f.FeldText(i);
    return felder;
}

QString auswahl(const Fenster& f)
{
    return f.FeldSelText(zadressbuch::sitzung().AktivesFeld);
}

// The bank name of a bank code for the transfer form's bank fields: the
// bank-code catalogue, several names offered in the main window's pick list.
std::function<QString(const QString&)> bankSuche(Fenster& f)
{
    return [&f](const QString& blz) {
        int modus = 1;
        return zkataloge::KatalogBank_Suchen(blz, modus, zkataloge::Fenster_Waehler(f));
    };
}

void Ueberweisung_Oeffnen(Fenster& f)
{
    FormPrnUeberweisung form(dynamic_cast<QWidget*>(&f));
    form.Vorbelegen(f.FeldText(2), f.FeldText(1), f.FeldText(4), f.FeldText(5), f.FeldText(17), f.FeldText(18),
                    f.FeldText(19), auswahl(f));
    form.kundeNr = f.FeldText(23);
    form.bankSuchen = bankSuche(f);
    form.exec();
}

} // namespace

void Befehle_Anmelden(zadressbuch::Befehlsregister& r)
{
    r.anmelden(Befehl::mnuPrnUeberweisung, [](Fenster& f, int) { Ueberweisung_Oeffnen(f); });
    r.anmelden(Befehl::mnuPrnLastschrift, [](Fenster& f, int) {
        FormPrnLastschrift form(karte(f), auswahl(f), dynamic_cast<QWidget*>(&f));
        form.exec();
    });
    r.anmelden(Befehl::mnuPrnNachnahme, [](Fenster& f, int) {
        FormPrnNachnahme form(karte(f), auswahl(f), dynamic_cast<QWidget*>(&f));
        form.exec();
    });
}

} // namespace zzahlung
