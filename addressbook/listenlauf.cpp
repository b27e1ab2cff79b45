#include "addressbook/listenlauf.h"

#include "platform/plattform.h"

namespace zadressbuch {

namespace {
int laufende = 0;
constexpr qint64 FortschrittAbstandMs = 250;
} // namespace

ListenLauf::ListenLauf(const AdressListe& liste) : m_liste(const_cast<AdressListe*>(&liste))
{
    ++laufende;
    auto geaendert = [this]() { m_geaendert = true; };
    AdressListe* l = m_liste.data();
    m_verbindungen.push_back(QObject::connect(l, &QAbstractItemModel::rowsInserted, geaendert));
    m_verbindungen.push_back(QObject::connect(l, &QAbstractItemModel::rowsRemoved, geaendert));
    m_verbindungen.push_back(QObject::connect(l, &QAbstractItemModel::rowsMoved, geaendert));
    m_verbindungen.push_back(QObject::connect(l, &QAbstractItemModel::modelReset, geaendert));
    m_verbindungen.push_back(QObject::connect(l, &QAbstractItemModel::layoutChanged, geaendert));
    m_uhr.start();
}

ListenLauf::~ListenLauf()
{
    for (const QMetaObject::Connection& v : m_verbindungen)
        QObject::disconnect(v);
    --laufende;
}

bool ListenLauf::gueltig(int position) const
{
    if (listeGeaendert())
        return false;
    return position >= 0 && position < m_liste->ListCount();
}

bool ListenLauf::fortschrittFaellig()
{
    const qint64 jetzt = m_uhr.elapsed();
    if (!m_erstes && jetzt < m_naechste)
        return false;
    m_erstes = false;
    m_naechste = jetzt + FortschrittAbstandMs;
    return true;
}

void ListenLauf::ereignisseVerarbeiten()
{
    zplatform::plattform().ereignisseVerarbeiten();
}

bool ListenLauf::aktiv()
{
    return laufende > 0;
}

} // namespace zadressbuch
