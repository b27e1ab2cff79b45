#include "addressbook/adressliste.h"

namespace zadressbuch {

AdressListe::AdressListe(QObject* parent) : QAbstractListModel(parent) {}

int AdressListe::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_eintraege.size());
}

QVariant AdressListe::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_eintraege.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_eintraege.at(index.row());
    return {};
}

void AdressListe::setListIndex(int i)
{
    if (i < 0 || i >= m_eintraege.size())
        i = -1;
    m_index = i;
    Q_EMIT auswahlGeaendert(m_index);
}

void AdressListe::AddItem(const QString& eintrag, int position)
{
    const int n = int(m_eintraege.size());
    if (position < 0 || position > n)
        position = n;
    beginInsertRows(QModelIndex(), position, position);
    m_eintraege.insert(position, eintrag);
    if (m_index >= 0 && position <= m_index)
        ++m_index;
    endInsertRows();
}

void AdressListe::RemoveItem(int i)
{
    if (i < 0 || i >= m_eintraege.size())
        return;
    beginRemoveRows(QModelIndex(), i, i);
    m_eintraege.removeAt(i);
    if (i == m_index)
        m_index = -1;
    else if (i < m_index)
        --m_index;
    endRemoveRows();
}

void AdressListe::setList(int i, const QString& eintrag)
{
    if (i < 0 || i >= m_eintraege.size())
        return;
    m_eintraege[i] = eintrag;
    const QModelIndex idx = index(i);
    Q_EMIT dataChanged(idx, idx, {Qt::DisplayRole});
}

void AdressListe::Clear()
{
    beginResetModel();
    m_eintraege.clear();
    m_index = -1;
    endResetModel();
}

void AdressListe::setEintraege(QStringList eintraege)
{
    beginResetModel();
    m_eintraege = std::move(eintraege);
    m_index = -1;
    endResetModel();
}

AdressListe& adressliste()
{
    // Never destroyed: views may still refer to it while the program ends.
    static AdressListe* liste = new AdressListe;
    return *liste;
}

} // namespace zadressbuch
