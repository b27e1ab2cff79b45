#pragma once
// A walk over the address list that lets pending events run (the text search,
// and any other scan that shows progress and keeps the window alive).
//
// While pending events run, the user may load another file, delete, insert or
// sort addresses, so the list can change under the walk. ListenLauf watches
// the list: every insertion, removal, reset or reordering of its rows, and its
// destruction, marks the walk as stale. The walk asks gueltig(position) before
// each step and ends cleanly (touching nothing) as soon as it is false. A
// change of the text of one entry (the card stored at a key release) keeps the
// positions valid and does not count; the walk reads the entry anew at each step.
//
// While at least one ListenLauf exists, ListenLauf::aktiv() is true: the
// clock's idle exit waits until no walk runs (see leerlauf.h).
//
// Use:
//   ListenLauf lauf(liste);
//   for (...) {
//       if (!lauf.gueltig(pos)) return; // the list changed: stop without harm
//       if (lauf.fortschrittFaellig()) { show progress; ListenLauf::ereignisseVerarbeiten(); }
//       ... liste.List(pos) ...          // never keep a reference across the events
//   }

#include "addressbook/adressliste.h"

#include <QElapsedTimer>
#include <QMetaObject>
#include <QPointer>
#include <functional>
#include <vector>

namespace zadressbuch {

// A command that changes the address list step by step (a walk, a sort, an
// import, a merge, the bulk tools) while it may let events run: as long as
// one is half done the list is no whole state of the file, and a save from
// outside (the held-up exit of a termination signal, see leerlauf.h) waits
// until it has returned. A command that only shows a window and waits for it
// changes nothing half and does not count.
class ListeWirdVeraendert
{
public:
    ListeWirdVeraendert();
    ~ListeWirdVeraendert();
    ListeWirdVeraendert(const ListeWirdVeraendert&) = delete;
    ListeWirdVeraendert& operator=(const ListeWirdVeraendert&) = delete;

    // Such a change is half done somewhere (every walk counts as one).
    static bool aktiv();
};

class ListenLauf
{
public:
    explicit ListenLauf(const AdressListe& liste);
    ~ListenLauf();
    ListenLauf(const ListenLauf&) = delete;
    ListenLauf& operator=(const ListenLauf&) = delete;

    // The list still has the rows it had at the start of the walk, and the
    // position lies inside it.
    bool gueltig(int position) const;
    // The rows of the list changed (or the list is gone) since the walk began.
    bool listeGeaendert() const { return m_geaendert || m_liste.isNull(); }

    // True at the first call and then at most once every quarter second: time
    // to show progress and let pending events run.
    bool fortschrittFaellig();

    // Lets pending events of the window run (through the platform layer).
    static void ereignisseVerarbeiten();

    // A walk is running somewhere (nested walks count once each).
    static bool aktiv();

    // A step that must not run inside a walk (the exit: it saves the list
    // the walk is still changing). While a walk runs, the step is put off
    // until the last walk has returned and then runs from the event loop;
    // true then. Without a walk nothing is put off (false: run it now).
    static bool nachLaufAufschieben(std::function<void()> schritt);

private:
    QPointer<AdressListe> m_liste;
    std::vector<QMetaObject::Connection> m_verbindungen;
    bool m_geaendert = false;
    QElapsedTimer m_uhr;
    qint64 m_naechste = 0;
    bool m_erstes = true;
    ListeWirdVeraendert m_veraendert;
};

} // namespace zadressbuch
