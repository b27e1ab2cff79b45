#include "catalogues/abtastung.h"

#include "addressbook/fenster.h"
#include "addressbook/sitzung.h"
#include "platform/plattform.h"

namespace zkataloge {

namespace {
constexpr qint64 StatusAbstandMs = 100;
} // namespace

Abtastung::Abtastung(zadressbuch::Fenster& fenster, const zadressbuch::AdressListe& liste, const QString& starttext)
    : m_fenster(fenster), m_lauf(liste), m_anzahl(liste.ListCount())
{
    zplatform::plattform().sanduhr(true);
    m_fenster.Status(starttext);
    m_fenster.Fortschritt(0);
    zadressbuch::sitzung().LetzteTaste = 0;
    m_statusUhr.start();
}

Abtastung::~Abtastung()
{
    ende();
}

bool Abtastung::weiter(int i)
{
    if (m_abgebrochen)
        return false;
    if (m_lauf.fortschrittFaellig()) {
        if (m_anzahl > 1)
            m_fenster.Fortschritt(int(qint64(i) * 100 / (m_anzahl - 1)));
        zadressbuch::ListenLauf::ereignisseVerarbeiten();
    }
    if (zadressbuch::sitzung().LetzteTaste == 27 || !m_lauf.gueltig(i)) {
        m_abgebrochen = true;
        return false;
    }
    return true;
}

void Abtastung::zwischenstand(const QString& text)
{
    if (m_statusUhr.elapsed() >= StatusAbstandMs) {
        m_fenster.Status(text);
        m_offenerText.clear();
        m_statusUhr.restart();
    } else {
        m_offenerText = text;
    }
}

void Abtastung::ende()
{
    if (m_beendet)
        return;
    m_beendet = true;
    if (!m_offenerText.isEmpty())
        m_fenster.Status(m_offenerText);
    m_offenerText.clear();
    zplatform::plattform().sanduhr(false);
    m_fenster.Fortschritt(-1);
}

} // namespace zkataloge
