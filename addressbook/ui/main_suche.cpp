// The text search of the main window: the search box TxtSuche, the check box
// checkSuche for the reduced comparison and the delay timer zeitSuche.
#include "addressbook/adressliste.h"
#include "addressbook/listenlauf.h"
#include "addressbook/sitzung.h"
#include "addressbook/suche.h"
#include "addressbook/ui/main.h"
#include "common/qpro.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStatusBar>

#include <utility>

namespace zadressbuch {

namespace {

void textfarbe(QLineEdit* box, const QColor& farbe)
{
    QPalette p = box->palette();
    p.setColor(QPalette::Text, farbe);
    box->setPalette(p);
}

} // namespace

void Main::TxtSuche_Change()
{
    m_zeitSuche->aendern();
}

void Main::checkSuche_Click()
{
    Rahmen(0)->setTitle(SuchRahmenTitel(checkSuche->isChecked()));
    m_zeitSuche->aendern(); // the search runs again in the new mode
    TxtSuche->setFocus(Qt::OtherFocusReason);
}

// Keys and the double-click of the search box; true swallows the event.
bool Main::suchTastenFilter(QEvent* ereignis)
{
    switch (ereignis->type()) {
    case QEvent::KeyPress: {
        const auto* k = static_cast<QKeyEvent*>(ereignis);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            // At once, also with an empty text; Shift held for this key counts
            // even when it is let go before the key is handled. A search
            // still pending from the typing would look for the same text
            // again and step past the match just found: it is dropped.
            m_zeitSuche->timer().stop();
            textSuche(k->modifiers().testFlag(Qt::ShiftModifier));
            return true;
        }
        if (k->key() == Qt::Key_Escape) {
            TxtSuche->setSelection(0, int(TxtSuche->text().size()));
            return true;
        }
        return false;
    }
    case QEvent::MouseButtonDblClick:
        TxtSuche->clear(); // the delay then only stops itself
        return true;
    default:
        return false;
    }
}

void Main::TextSuche_Starten()
{
    textSuche(false);
}

void Main::textSuche(bool shiftMitTaste)
{
    // A hit shows another address: what the card holds goes into its own first.
    Abweichende_Karte_Uebernehmen();
    // The first search of the run after a "Suche=" on the command line
    // begins with the first address.
    const bool vomAnfang = std::exchange(m_startSuche, false);
    if ((shiftMitTaste || zcommon::ShiftKey()) && !checkSuche->isChecked()) {
        // Shift ticks the box; its caption follows, but no second search is
        // started through the delay (it would skip a match).
        const QSignalBlocker sperre(checkSuche);
        checkSuche->setChecked(true);
        Rahmen(0)->setTitle(SuchRahmenTitel(true));
    }
    const bool reduziert = checkSuche->isChecked();
    textfarbe(TxtSuche, QColor::fromRgb(SuchFarbe_Rgb(SuchFarbe::Violett)));
    if (TxtSuche->isVisible())
        TxtSuche->repaint();

    const auto status = [this](const QString& text) {
        panel(QStringLiteral("Status"), text);
        if (statusBar()->isVisible())
            statusBar()->repaint();
    };

    SuchErgebnis e;
    AdressListe& liste = adressliste();
    if (vomAnfang) {
        // The same walk over a copy with nothing selected, so it begins with
        // the first address; the real list is watched for changes meanwhile.
        AdressListe kopie;
        kopie.setEintraege(liste.eintraege());
        const ListenLauf wache(liste);
        e = TextSuche(kopie, TxtSuche->text(), reduziert, status);
        if (e.ausgang == SuchErgebnis::Gefunden && wache.listeGeaendert()) {
            e.ausgang = SuchErgebnis::ListeGeaendert;
            e.index = -1;
            e.status = QStringLiteral("Bereit");
            e.farbe = SuchFarbe::Normal;
        }
    } else {
        e = TextSuche(liste, TxtSuche->text(), reduziert, status);
    }
    if (e.ausgang == SuchErgebnis::Abgeloest)
        return; // a newer search took over and shows its own result

    if (e.ausgang == SuchErgebnis::Gefunden && e.index >= 0) {
        liste.setListIndex(e.index); // undo copy and card, as a click does
        TxtSuche->setCursorPosition(int(TxtSuche->text().size()));
        TxtSuche->setFocus(Qt::OtherFocusReason);
    }
    const QString hinweis = std::exchange(m_suchHinweis, QString());
    panel(QStringLiteral("Status"), e.ausgang == SuchErgebnis::Gefunden && !hinweis.isEmpty() ? hinweis : e.status);
    if (e.farbe == SuchFarbe::Rot)
        textfarbe(TxtSuche, QColor::fromRgb(SuchFarbe_Rgb(SuchFarbe::Rot)));
    else
        textfarbe(TxtSuche, Feld(Nachname)->palette().color(QPalette::Text));
}

} // namespace zadressbuch
