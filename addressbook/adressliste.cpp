#include "addressbook/adressliste.h"

#include <algorithm>

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

int AdressListe::AddItems(const QStringList& eintraege)
{
    const int n = int(m_eintraege.size());
    const int anzahl = int(qMin<qsizetype>(eintraege.size(), qMax(0, MaxAdressen - n)));
    if (anzahl <= 0)
        return 0;
    beginInsertRows(QModelIndex(), n, n + anzahl - 1);
    m_eintraege.append(eintraege.mid(0, anzahl));
    endInsertRows();
    return anzahl;
}

int AdressListe::RemoveItems(QList<int> zeilen)
{
    const int n = int(m_eintraege.size());
    std::sort(zeilen.begin(), zeilen.end());
    zeilen.erase(std::unique(zeilen.begin(), zeilen.end()), zeilen.end());
    zeilen.removeIf([n](int z) { return z < 0 || z >= n; });
    if (zeilen.isEmpty())
        return 0;
    const int anzahl = int(zeilen.size());
    int index = m_index;
    if (m_index >= 0) {
        const auto bis = std::lower_bound(zeilen.cbegin(), zeilen.cend(), m_index);
        index = bis != zeilen.cend() && *bis == m_index ? -1 : m_index - int(bis - zeilen.cbegin());
    }
    if (zeilen.constLast() - zeilen.constFirst() + 1 == anzahl) {
        // One block: the view moves the rows behind it.
        beginRemoveRows(QModelIndex(), zeilen.constFirst(), zeilen.constLast());
        m_eintraege.remove(zeilen.constFirst(), anzahl);
        m_index = index;
        endRemoveRows();
        return anzahl;
    }
    // Scattered rows: the kept entries in one pass and one reset, rather than
    // a shift of the list and an update of the view per removed row.
    QStringList behalten;
    behalten.reserve(n - anzahl);
    auto weg = zeilen.cbegin();
    for (int i = 0; i < n; ++i) {
        if (weg != zeilen.cend() && *weg == i)
            ++weg;
        else
            behalten.append(m_eintraege.at(i));
    }
    beginResetModel();
    m_eintraege = std::move(behalten);
    m_index = index;
    endResetModel();
    return anzahl;
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
