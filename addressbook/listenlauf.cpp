#include "addressbook/listenlauf.h"

#include "platform/plattform.h"

#include <QCoreApplication>
#include <QTimer>

namespace zadressbuch {

namespace {
int laufende = 0;
int veraenderungen = 0;
std::vector<std::function<void()>>& aufgeschoben()
{
    static std::vector<std::function<void()>> schritte;
    return schritte;
}
constexpr qint64 FortschrittAbstandMs = 250;
} // namespace

ListeWirdVeraendert::ListeWirdVeraendert()
{
    ++veraenderungen;
}

ListeWirdVeraendert::~ListeWirdVeraendert()
{
    --veraenderungen;
}

bool ListeWirdVeraendert::aktiv()
{
    return veraenderungen > 0;
}

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
    if (--laufende == 0 && !aufgeschoben().empty()) {
        // After the walk's caller has returned to the event loop.
        QTimer::singleShot(0, QCoreApplication::instance(), [] {
            if (laufende > 0)
                return; // a new walk began meanwhile: its end runs them
            std::vector<std::function<void()>> schritte;
            schritte.swap(aufgeschoben());
            for (const auto& s : schritte)
                s();
        });
    }
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

bool ListenLauf::nachLaufAufschieben(std::function<void()> schritt)
{
    if (laufende == 0 || !schritt)
        return false;
    aufgeschoben().push_back(std::move(schritt));
    return true;
}

} // namespace zadressbuch
