#include "commands/ui/eingabestelle.h"

#include "addressbook/datensatz.h"
#include "addressbook/fenster.h"
#include "addressbook/sitzung.h"
#include "addressbook/ui/kartenfeld.h"

#include <QLineEdit>
#include <QTextCursor>

namespace zbefehle {

int Position_QtNachFeld(const QString& qtText, int position)
{
    position = qBound(0, position, int(qtText.size()));
    return position + int(QStringView(qtText).left(position).count(QLatin1Char('\n')));
}

int Position_FeldNachQt(const QString& qtText, int position)
{
    int feldPos = 0;
    for (int i = 0; i < qtText.size(); ++i) {
        const int schritt = qtText.at(i) == QLatin1Char('\n') ? 2 : 1;
        if (feldPos + schritt > position)
            return i;
        feldPos += schritt;
    }
    return int(qtText.size());
}

Eingabestelle Eingabestelle_Ermitteln(zadressbuch::Fenster& fenster, bool mitPopup)
{
    using namespace zadressbuch;
    const Sitzung& s = sitzung();
    QWidget* haupt = dynamic_cast<QWidget*>(&fenster);
    Eingabestelle stelle;
    if (mitPopup && s.PopupFeldIndex >= 0 && s.PopupFeldIndex < FeldAnzahl)
        stelle.feld = s.PopupFeldIndex;
    else if (s.FeldHatteFokus == 1 && s.AktivesFeld >= 0 && s.AktivesFeld < FeldAnzahl)
        stelle.feld = s.AktivesFeld;

    if (stelle.suchfeld()) {
        auto* suche = haupt ? haupt->findChild<QLineEdit*>(QStringLiteral("TxtSuche")) : nullptr;
        if (suche) {
            stelle.steuerelement = suche;
            stelle.anfang = suche->hasSelectedText() ? suche->selectionStart() : suche->cursorPosition();
            stelle.laenge = int(suche->selectedText().size());
            stelle.gesperrt = suche->isReadOnly();
        }
        return stelle;
    }
    QWidget* w = haupt ? haupt->findChild<QWidget*>(QStringLiteral("Feld_%1").arg(stelle.feld)) : nullptr;
    if (auto* z = qobject_cast<KartenZeile*>(w)) {
        stelle.steuerelement = z;
        stelle.anfang = z->hasSelectedText() ? z->selectionStart() : z->cursorPosition();
        stelle.laenge = int(z->selectedText().size());
        stelle.gesperrt = z->isReadOnly();
    } else if (auto* t = qobject_cast<KartenText*>(w)) {
        stelle.steuerelement = t;
        const QString plain = t->toPlainText();
        stelle.anfang = Position_QtNachFeld(plain, t->textCursor().selectionStart());
        stelle.laenge = Position_QtNachFeld(plain, t->textCursor().selectionEnd()) - stelle.anfang;
        stelle.gesperrt = t->isReadOnly();
    }
    if (s.NurLesen)
        stelle.gesperrt = true;
    return stelle;
}

void Eingabestelle_CursorSetzen(const Eingabestelle& stelle, int position)
{
    if (auto* z = qobject_cast<QLineEdit*>(stelle.steuerelement)) {
        z->setCursorPosition(qBound(0, position, int(z->text().size())));
    } else if (auto* t = qobject_cast<zadressbuch::KartenText*>(stelle.steuerelement)) {
        QTextCursor c = t->textCursor();
        c.setPosition(Position_FeldNachQt(t->toPlainText(), position));
        t->setTextCursor(c);
    }
}

} // namespace zbefehle
