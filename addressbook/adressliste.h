#pragma once
// The address list: every record of the open address file in file order, at
// most 32000, and the selected position (-1 = none). A list model, so the main
// window's list view shows it without one widget item per entry: data() gives
// the record itself for Qt::DisplayRole (the view's delegate paints its
// fields at the tab stops); there are no other roles.
//
// The program has one list for the whole run, adressliste(): the main window
// shows it and every subsystem reads and changes the addresses through it.

#include "addressbook/datensatz.h"

#include <QAbstractListModel>
#include <QStringList>

namespace zadressbuch {

class AdressListe : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit AdressListe(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    int ListCount() const { return int(m_eintraege.size()); }
    const QString& List(int i) const { return m_eintraege.at(i); }
    const QStringList& eintraege() const { return m_eintraege; }

    int ListIndex() const { return m_index; }
    // Selects an entry (-1 none; a number outside the list counts as -1);
    // emits auswahlGeaendert even when unchanged, as a selection by the
    // program runs the list's click handler.
    void setListIndex(int i);

    // Inserts at the position (-1 or beyond the end: appends). An entry
    // inserted before or at the selected one moves the selection along with
    // that entry. No signal besides the model's own.
    void AddItem(const QString& eintrag, int position = -1);
    // Removes entry i; removing the selected entry leaves nothing selected
    // (-1), removing one before it moves the selection up. Emits no
    // auswahlGeaendert (callers select what they want shown).
    void RemoveItem(int i);
    // Appends the entries in one step (one model insertion, so the view lays
    // its rows out once), as many as the 32000 limit leaves room for; returns
    // how many were appended. The selection stays on its entry.
    int AddItems(const QStringList& eintraege);
    // Removes the entries of the given rows (any order; rows outside the list
    // and repeated rows count once) in one step, with the selection rule of
    // RemoveItem. Returns how many were removed.
    int RemoveItems(QList<int> zeilen);
    // Replaces the text of entry i (selection unchanged); emits dataChanged.
    void setList(int i, const QString& eintrag);
    // Empties the list; the selection becomes -1 (no auswahlGeaendert).
    void Clear();
    // Replaces every entry at once (load, sort) with one model reset; the
    // selection becomes -1 (no auswahlGeaendert: callers select afterwards).
    void setEintraege(QStringList eintraege);

Q_SIGNALS:
    void auswahlGeaendert(int index);

private:
    QStringList m_eintraege;
    int m_index = -1;
};

// The program's address list (created on first use, lives for the run).
AdressListe& adressliste();

} // namespace zadressbuch
