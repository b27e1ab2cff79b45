#include "exchange/ui/befehle.h"

#include "addressbook/befehle.h"
#include "addressbook/fenster.h"
#include "catalogues/land.h"
#include "commands/menuebefehle.h"
#include "exchange/ui/adrimport2.h"
#include "exchange/ui/impza.h"
#include "exchange/ui/telewahl.h"
#include "exchange/weiterleitung.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <array>

namespace zaustausch {

namespace {

using zadressbuch::Befehl;
using zadressbuch::Fenster;

QWidget* elternFenster(Fenster& f)
{
    return dynamic_cast<QWidget*>(&f);
}

} // namespace

std::function<QString(const QString&)>& callByCallErmitteln()
{
    static std::function<QString(const QString&)> f = [](const QString& nummer) {
        return zkataloge::CallByCall_Ermitteln(nummer, 0);
    };
    return f;
}

void Befehle_Anmelden(zadressbuch::Befehlsregister& r)
{
    r.anmelden(Befehl::mnuAdrImpListe, [](Fenster& f, int) {
        {
            AdrImport2 import(elternFenster(f));
            import.exec();
        }
        f.Adresse_Anzeigen();
    });
    r.anmelden(Befehl::mnuImpZA, [](Fenster& f, int) {
        ImpZA dialog(elternFenster(f));
        dialog.exec();
        if (dialog.strgAbbruch->isChecked())
            return;
        std::array<QString, 8> zeilen;
        std::array<int, 8> ziele{};
        for (size_t i = 0; i < 8; ++i) {
            zeilen[i] = dialog.Feld[i]->text();
            ziele[i] = dialog.KombiFeldZiel[i]->currentIndex();
        }
        zbefehle::ZwischenablageImport_Uebernehmen(f, zeilen, ziele);
    });
    r.anmelden(Befehl::PulTeleWaehlen, [](Fenster& f, int) {
        Telewahl dialog(elternFenster(f));
        dialog.txtNummer->setText(zbefehle::Waehltext(f, callByCallErmitteln()));
        dialog.exec();
    });
    for (Befehl b : {Befehl::mnuAdrImpDINFO99, Befehl::mnuAdrImpDINFO2000, Befehl::mnuAdrImpKlickTel98,
                     Befehl::mnuAdrImpKlickTel1999})
        r.anmelden(b, [](Fenster& f, int) { CdRom_Suchen(f); });
}

} // namespace zaustausch
