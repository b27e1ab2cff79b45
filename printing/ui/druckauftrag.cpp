#include "printing/ui/druckauftrag.h"

#include "common/meldungen.h"
#include "platform/plattform.h"
#include "printing/druckvorgabe.h"
#include "printing/ui/printerset.h"

namespace zdruck {

Druckauftrag::Druckauftrag(const QString& jobName, const QString& titel, const QString& fehlerText)
    : m_jobName(jobName), m_titel(titel), m_fehlerText(fehlerText)
{
    if (m_fehlerText.isEmpty())
        m_fehlerText = QStringLiteral("Es ist ein Fehler beim Drucken aufgetreten.");
}

Druckauftrag::~Druckauftrag()
{
    if (m_begonnen)
        abbrechen();
}

PrinterSet* Druckauftrag::dialog() const
{
    return PrinterSet::instanz();
}

bool Druckauftrag::abfragen(QWidget* eltern)
{
    PrinterSet::entladen();
    DruckJobName() = m_jobName;
    // Loading reads the preset of the job just named.
    PrinterSet& d = PrinterSet::laden(eltern);
    d.setWindowTitle(m_titel);
    if (m_anzahlSperren)
        d.ComboAnzahl->setEnabled(false);
    if (m_ausrichtungSperren)
        d.optAusrichtung[0]->setEnabled(false);
    d.exec();
    zplatform::plattform().ereignisseVerarbeiten();
    PrinterSet* nachher = PrinterSet::instanz();
    if (!nachher || nachher->Abbruch->isChecked()) {
        PrinterSet::entladen();
        return false;
    }
    m_randX = std::max(0, nachher->ComboRandX->currentIndex()) / 10.0;
    m_randY = std::max(0, nachher->ComboRandY->currentIndex()) / 10.0;
    m_kopien = m_anzahlSperren ? 1 : std::max(0, nachher->ComboAnzahl->currentIndex()) + 1;
    m_hochformat = nachher->optAusrichtung[0]->isChecked();
    return true;
}

zplatform::Drucker& Druckauftrag::beginnen(bool ursprungVerschieben)
{
    zplatform::Drucker& d = zplatform::drucker();
    if (!m_sanduhr) {
        zplatform::plattform().sanduhr(true);
        m_sanduhr = true;
    }
    m_begonnen = true;
    if (!m_lauf) {
        zplatform::druckLaufBeginnen();
        m_lauf = true;
    }
    if (!d.auftragOffen())
        d.setAuftragsname(m_titel);
    if (ursprungVerschieben) {
        d.scaleLeft = -m_randX;
        d.scaleTop = -m_randY;
    }
    return d;
}

void Druckauftrag::laufBeenden()
{
    if (m_lauf) {
        zplatform::druckLaufBeenden();
        m_lauf = false;
    }
}

void Druckauftrag::aufraeumen()
{
    m_begonnen = false;
    PrinterSet::entladen();
    if (m_sanduhr) {
        zplatform::plattform().sanduhr(false);
        m_sanduhr = false;
    }
}

bool Druckauftrag::beenden()
{
    laufBeenden();
    zplatform::Drucker& d = zplatform::drucker();
    const bool ok = d.dokumentEnde();
    aufraeumen();
    if (!ok) {
        QString text = m_fehlerText;
        if (!d.letzterFehler().isEmpty())
            text += QStringLiteral("~~") + d.letzterFehler();
        zcommon::Fehler_Melden(482, text, m_jobName);
    }
    return ok;
}

void Druckauftrag::abbrechen()
{
    laufBeenden();
    zplatform::drucker().abbrechen();
    aufraeumen();
}

} // namespace zdruck
