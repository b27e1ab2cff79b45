#pragma once
// The text search of the main window: the search box TxtSuche, the check box
// checkSuche ("Suche ohne Sonderzeichen") and the delay timer zeitSuche.
//
// A search looks for the next address, after the selected one and wrapping
// round to the top (the selected address last), that holds every word of the
// search text, both sides compared in lower case:
//   - words are separated by blanks; each word w matches anywhere ("*w*") by
//     the common pattern rule (zcommon::Muster: "*", "?", "#", "[a-z]", "[!..]");
//   - a double quote stands for the field separator, so "Meier" matches only
//     a whole field (never field 0, which has no separator before it);
//   - "+" matches the separator or a plus sign: Müller+Hans finds a field
//     ending in Müller followed by a field beginning with Hans;
//   - reduced mode (checkSuche ticked): the address keeps only the characters
//     "0123456789abcdefghijklmnopqrstuvwxyzäöüß" (after lower-casing), so a
//     phone number typed as digits finds its written form; the words are not
//     reduced;
//   - a search text that is no valid pattern (an "[" without "]") finds nothing.
//
// How the main window wires it:
//
//   SuchVerzoegerung m_suchVerzoegerung{[this] { return TxtSuche->text(); },
//                                       [this] { TextSuche_Starten(); }, this};
//   TxtSuche textChanged        -> m_suchVerzoegerung.aendern();           (TxtSuche_Change)
//   checkSuche clicked by user  -> Rahmen0 title "Suche ohne Sonderz."/"Suche",
//                                  m_suchVerzoegerung.aendern(), focus TxtSuche
//   TxtSuche Enter              -> TextSuche_Starten(), Shift also as held for this key
//                                  (key swallowed; also with an empty text)
//   TxtSuche Esc                -> selectAll() (key swallowed)
//   TxtSuche double-click       -> clear()
//   TxtSuche focus in           -> sitzung().FeldHatteFokus = 0
//   TxtSuche focus out          -> the pending search is dropped (timer stopped),
//                                  unless only the window went to the background
//   search menu command         -> stops the timer (its own text starts no search), then
//                                  TextSuche_Starten()
//   "Suche=" on the command line-> TxtSuche->setText(text); tick checkSuche as the user would
//                                  (its handler starts the delay, so the search runs 333 ms later)
//
//   void Main::TextSuche_Starten()
//   {
//       if (zcommon::ShiftKey() && !checkSuche->isChecked()) {   // whoever started it
//           // Shift ticks the box; the caption follows, but the delay timer is
//           // NOT started (the search runs right now, a second one would skip a match).
//           QSignalBlocker b(checkSuche); checkSuche->setChecked(true);
//           Rahmen0->setTitle(SuchRahmenTitel(true));
//       }
//       const bool reduziert = checkSuche->isChecked();
//       TxtSuche text colour := SuchFarbe_Rgb(SuchFarbe::Violett); TxtSuche->repaint();
//       SuchErgebnis e = TextSuche(adressliste(), TxtSuche->text(), reduziert,
//                                  [&](const QString& s) { panel "Status" := s; statusBar->repaint(); });
//       if (e.ausgang == SuchErgebnis::Abgeloest) return;   // a newer search took over
//       if (e.index >= 0) {
//           adressliste().setListIndex(e.index);            // Liste_Click: undo copy + Adresse_Anzeigen
//           TxtSuche->setCursorPosition(TxtSuche->text().size()); TxtSuche->setFocus();
//       }
//       panel "Status" := e.status;
//       TxtSuche text colour := e.farbe == SuchFarbe::Rot ? red : the text colour of Feld(1);
//   }
//
// The sound ("Sgn_Jo.Wav" found, "Sgn_No.Wav" not found, program folder) is
// played by TextSuche itself through zcommon::Ton_Ausgeben.

#include "addressbook/adressliste.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

namespace zadressbuch {

enum class SuchFarbe {
    Normal,  // the text colour of the card field 1 ("Nachname")
    Violett, // RGB(128, 0, 255) while the search runs
    Rot      // RGB(255, 0, 0) after "not found"
};

// 0xRRGGBB of Violett and Rot (for QColor::fromRgb); 0 for Normal.
unsigned SuchFarbe_Rgb(SuchFarbe farbe);

struct SuchErgebnis
{
    enum Ausgang {
        Gefunden,       // index: the entry to select (-1 only for an empty list and no words)
        NichtGefunden,  // the selection and the card stay as they are
        ListeGeaendert, // the list changed while events ran: the search stopped, nothing selected
        Abgeloest       // a newer search started while events ran: apply nothing at all
    };
    Ausgang ausgang = NichtGefunden;
    int index = -1;
    QString status;                 // panel "Status": "Bereit" or the not-found text
    SuchFarbe farbe = SuchFarbe::Normal;
    QString ton;                    // the sound played ("" when none)
    bool reduziert = false;         // the comparison used
};

// Searches the list from the entry after the selected one (the first when
// none or the last is selected), wrapping round; the selected entry is
// examined last. statusAnzeige (may be empty) receives "Suche Adresse..." or
// "Text-Suche Adresse..." at once and then, at most every quarter second,
// that text with the progress ("...37%"); after each progress text the
// pending events run. Plays the found or not-found sound. Selects nothing
// itself: the caller selects ergebnis.index.
SuchErgebnis TextSuche(const AdressListe& liste, const QString& suchText, bool reduziert,
                       const std::function<void(const QString&)>& statusAnzeige = {});

// The pieces, for the window and for tests.
// The word patterns of a search text: trimmed, '"' -> TAB, "+" -> "[" TAB "+]",
// split at blanks (empty words skipped, at most 99), each "*" + lower case + "*".
QStringList SuchMuster(const QString& suchText);
// "Suche Adresse..." or "Text-Suche Adresse...".
QString SuchStatusText(bool reduziert);
// "Gesuchten Text »<text trimmed>« nicht gefunden."
QString NichtGefundenText(const QString& suchText);
// Caption of the frame Rahmen0: "Suche ohne Sonderz." when reduced, else "Suche".
QString SuchRahmenTitel(bool reduziert);
// An entry as the search compares it: lower case, and in reduced mode only
// the characters "0123456789abcdefghijklmnopqrstuvwxyzäöüß".
QString SuchVergleichstext(QStringView eintrag, bool reduziert);

// The delay timer zeitSuche (333 ms) with the busy flag of its handler.
// aendern() (TxtSuche_Change, checkSuche click) starts it; a running interval
// starts again. At each tick: when a search started by the timer still runs,
// nothing happens and the timer ticks again; otherwise the timer stops, and
// when the search text is not empty the search runs (busy meanwhile).
class SuchVerzoegerung : public QObject
{
    Q_OBJECT
public:
    static constexpr int IntervallMs = 333;

    SuchVerzoegerung(std::function<QString()> suchText, std::function<void()> suchen, QObject* parent = nullptr);

    void aendern();
    bool aktiv() const { return m_timer.isActive(); }
    bool beschaeftigt() const { return m_beschaeftigt; }
    QTimer& timer() { return m_timer; }
    // The handler of a tick (zeitSuche_Timer); public for tests.
    void tick();

private:
    std::function<QString()> m_suchText;
    std::function<void()> m_suchen;
    QTimer m_timer;
    bool m_beschaeftigt = false;
};

} // namespace zadressbuch
