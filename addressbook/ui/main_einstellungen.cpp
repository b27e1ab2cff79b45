// The main window's settings: place and size, input options, the card's
// fonts and background colour, the remembered list position.
#include "addressbook/adressliste.h"
#include "addressbook/fenstereinstellungen.h"
#include "addressbook/sitzung.h"
#include "addressbook/ui/kartenfeld.h"
#include "addressbook/ui/main.h"
#include "addressbook/ui/main_intern.h"
#include "common/ui/listen.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace zadressbuch {

namespace {

using intern::ausFarbNummer;
using intern::farbNummer;
using intern::twips;

// A stored colour number as a colour; the system colours of older settings
// (window background 5, window text 8) as this system's.
QColor farbe(qint64 nummer)
{
    int index = -1;
    if (Systemfarbe(nummer, &index)) {
        const QPalette p = QApplication::palette();
        return index == 8 ? p.color(QPalette::Text) : p.color(QPalette::Base);
    }
    return ausFarbNummer(nummer);
}

} // namespace

bool Main::feldGesperrt(int i) const
{
    if (const auto* z = qobject_cast<const QLineEdit*>(Feld(i)))
        return z->isReadOnly();
    if (const auto* t = qobject_cast<const QPlainTextEdit*>(Feld(i)))
        return t->isReadOnly();
    return true;
}

qint64 Main::feldHintergrund(int i) const
{
    return farbNummer(Feld(i)->palette().color(QPalette::Base));
}

qint64 Main::feldTextfarbe(int i) const
{
    return farbNummer(Feld(i)->palette().color(QPalette::Text));
}

void Main::setFeldHintergrund(int i, qint64 nummer)
{
    QWidget* f = Feld(i);
    QPalette p = f->palette();
    p.setColor(QPalette::Base, farbe(nummer));
    f->setPalette(p);
}

void Main::Einstellungen_Anwenden()
{
    zcommon::Form_Position_Laden_Main(this);
    Form_Resize();
    EingabeOptionen_Laden();

    KartenSchriften aktuell;
    aktuell.ein = zcommon::Schrift_AlsText(Feld(0));
    aktuell.bem = zcommon::Schrift_AlsText(Feld(Bemerkung));
    aktuell.std = zcommon::Schrift_AlsText(BezListeStd);
    aktuell.kom = zcommon::Schrift_AlsText(BezListeKom);
    aktuell.hintergrund = feldHintergrund(0);
    const KartenSchriften s = KartenSchriften_Laden(aktuell);
    zcommon::Schrift_Setzen(Feld(0), s.ein, QStringLiteral("Alles"));
    zcommon::Schrift_Setzen(Feld(Bemerkung), s.bem, QStringLiteral("Alles"));
    zcommon::Schrift_Setzen(BezListeStd, s.std, QStringLiteral("Schrift"));
    zcommon::Schrift_Setzen(BezListeKom, s.kom, QStringLiteral("Schrift"));

    // Locked fields (read-only mode locks all) keep their own background.
    if (!feldGesperrt(0))
        setFeldHintergrund(0, farbNummer(farbe(s.hintergrund)));
    // Never the text's own colour: white, or black for white text.
    setFeldHintergrund(0, Hintergrund_Pruefen(feldHintergrund(0), feldTextfarbe(0)));

    const QString schrift0 = zcommon::Schrift_AlsText(Feld(0));
    const qint64 hintergrund0 = feldHintergrund(0);
    for (int i = 1; i < FeldAnzahl; ++i) {
        if (!feldGesperrt(i))
            setFeldHintergrund(i, hintergrund0);
        if (FeldBekommtSchrift(i))
            zcommon::Schrift_Setzen(Feld(i), schrift0, QStringLiteral("Alles"));
    }
}

void Main::Einstellungen_Sichern()
{
    FensterWerte w;
    w.schriften.ein = zcommon::Schrift_AlsText(Feld(0));
    w.schriften.bem = zcommon::Schrift_AlsText(Feld(Bemerkung));
    w.schriften.std = zcommon::Schrift_AlsText(BezListeStd);
    w.schriften.kom = zcommon::Schrift_AlsText(BezListeKom);
    w.schriften.hintergrund = feldHintergrund(0);
    w.minimiert = isMinimized();
    // As the start restores them: the window's size and its place on the screen.
    w.hoehe = twips(height());
    w.weite = twips(width());
    w.links = twips(x());
    w.oben = twips(y());
    zadressbuch::Einstellungen_Sichern(w);
}

void Main::ListenPos_Laden()
{
    adressliste().setListIndex(zadressbuch::ListenPos_Laden(adressliste().ListCount()));
}

void Main::ListenPos_Sichern()
{
    zadressbuch::ListenPos_Sichern(adressliste().ListIndex());
}

} // namespace zadressbuch
