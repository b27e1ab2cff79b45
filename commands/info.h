#pragma once
// The about box's texts: the caption with the version, and the system
// information that support asks for (user, data folder, module package,
// version, release time of the program file).

#include <QDateTime>
#include <QString>

namespace zbefehle {

struct Programmversion
{
    int major = 0, minor = 0, revision = 0;
};
// The version the program was built with (major.minor.revision).
Programmversion Programm_Version();

// "3.07.0012": minor with two, revision with four digits.
QString Version_Text(const Programmversion& v);
// "Infos über Zettlora · Version 3.07.0012".
QString Info_Titel(const Programmversion& v);

struct InfoAngaben
{
    QString benutzer;    // Benutzer_Ermitteln()
    QString datenOrdner; // sitzung().DatenOrdner
    QString programmOrdner;
    QString modulPaket; // [Allgemein] ModulPaket32 of Zizorud.ini, default "?"
    Programmversion version;
    QDateTime freigabe; // time stamp of the program file; invalid: "Unbekannt"
};
// The angaben of the running program (program file: the running executable).
InfoAngaben Info_Angaben();
// The system information, lines ended by CR LF.
QString Info_Systemtext(const InfoAngaben& a);

// The product name the box prints large, and its colours (0xBBGGRR values):
// shadow and name, by the number of display colours.
QString Info_Produktname();
long Info_Schattenfarbe(double farbanzahl);
long Info_Namenfarbe(double farbanzahl);
// The font size that makes a text of this width (at size groesse) fill the
// width less 900 twips, at most 36 points.
double Info_Schriftgroesse(double breite, double textbreite, double groesse);

} // namespace zbefehle
