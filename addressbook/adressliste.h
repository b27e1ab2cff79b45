#pragma once
// The address list: every record of the open address file in file order, at
// most 32000, and the selected position (-1 = none). A list model, so the main
// window's list view shows it without one widget item per entry.

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
    // Selects an entry (-1 none); emits auswahlGeaendert even when unchanged,
    // as a selection by the program runs the list's click handler.
    void setListIndex(int i);

    void AddItem(const QString& eintrag, int position = -1);
    void RemoveItem(int i);
    void setList(int i, const QString& eintrag);
    void Clear();
    // Replaces every entry at once (load, sort); the selection becomes -1.
    void setEintraege(QStringList eintraege);

Q_SIGNALS:
    void auswahlGeaendert(int index);

private:
    QStringList m_eintraege;
    int m_index = -1;
};

} // namespace zadressbuch
