#pragma once
// The walk of the catalogue and statistics commands over the whole address
// list: hourglass, a start text in the status panel, the progress bar, and
// Esc (the main window stores every key in sitzung().LetzteTaste) to stop.
// Pending events run a few times a second, not per address, so a walk over
// 32000 addresses stays fast while the window stays alive. A change of the
// list's rows during the walk (another file loaded meanwhile) stops it too.
//
//   Abtastung lauf(fenster, liste, QStringLiteral("PLZ-Ortsnamen-Übernahme..."));
//   for (int i = 0; i < lauf.anzahl(); ++i) {
//       if (!lauf.weiter(i)) break;
//       ... liste.List(i) ...
//   }
//   lauf.ende();  // pointer back, progress bar hidden
//   if (!lauf.abgebrochen()) ... message ...

#include "addressbook/adressliste.h"
#include "addressbook/listenlauf.h"

#include <QElapsedTimer>
#include <QString>

namespace zadressbuch {
class Fenster;
}

namespace zkataloge {

class Abtastung
{
public:
    Abtastung(zadressbuch::Fenster& fenster, const zadressbuch::AdressListe& liste, const QString& starttext);
    ~Abtastung();
    Abtastung(const Abtastung&) = delete;
    Abtastung& operator=(const Abtastung&) = delete;

    // The entry count at the start.
    int anzahl() const { return m_anzahl; }
    // Before entry i: progress and pending events when due, then the Esc
    // test. False: stop here (Esc pressed or the list changed).
    bool weiter(int i);
    // A status text shown during the walk; repainted at most ten times a
    // second (the last one is shown by ende()).
    void zwischenstand(const QString& text);
    // Normal pointer, progress bar hidden, the last status text shown.
    void ende();
    bool abgebrochen() const { return m_abgebrochen; }

private:
    zadressbuch::Fenster& m_fenster;
    zadressbuch::ListenLauf m_lauf;
    int m_anzahl = 0;
    bool m_abgebrochen = false;
    bool m_beendet = false;
    QString m_offenerText;
    QElapsedTimer m_statusUhr;
};

} // namespace zkataloge
