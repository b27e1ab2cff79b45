#include "addressbook/sitzung.h"

#include "common/dateien.h"

namespace zadressbuch {

namespace {
Sitzung& instanz()
{
    static Sitzung s;
    return s;
}
} // namespace

Sitzung& sitzung()
{
    return instanz();
}

void sitzungZuruecksetzen()
{
    instanz() = Sitzung();
}

QString Sitzung::DateiSektion() const
{
    return zcommon::Datei_Teil(AdressDateiName, 3);
}

QString Sitzung::ProgrammIni() const
{
    if (!ProgrammIniDatei.isEmpty())
        return ProgrammIniDatei;
    return zcommon::Programm_Ordner() + QStringLiteral("/Zettlora.Ini");
}

} // namespace zadressbuch
