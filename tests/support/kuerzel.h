#pragma once
// The Alt-key mnemonics of a window ("&Datei" gives Alt+D): of its menu bar's
// menus and of its visible controls (buttons, labels with a buddy, group
// boxes). A menu's mnemonic works only while no control of the window claims
// the same letter (Qt then reports the key as ambiguous and opens nothing).

#include <QAbstractButton>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QStringList>
#include <QWidget>

namespace kuerzel {

inline QString taste(const QString& text)
{
    return QKeySequence::mnemonic(text).toString();
}

// "Alt+D: mnuDatei / BezBezeichnung" for every menu whose mnemonic a visible
// control of the window claims too (empty when every menu's mnemonic works).
inline QStringList menueKonflikte(QWidget* fenster)
{
    QList<QPair<QString, QString>> menues; // key, name
    QList<QPair<QString, QString>> andere;
    for (QWidget* w : fenster->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(fenster))
            continue;
        if (auto* leiste = qobject_cast<QMenuBar*>(w)) {
            for (QAction* a : leiste->actions())
                if (a->isVisible() && !taste(a->text()).isEmpty())
                    menues << qMakePair(taste(a->text()), a->menu() ? a->menu()->objectName() : a->text());
        } else if (auto* knopf = qobject_cast<QAbstractButton*>(w)) {
            andere << qMakePair(taste(knopf->text()), knopf->objectName());
        } else if (auto* bez = qobject_cast<QLabel*>(w); bez && bez->buddy()) {
            andere << qMakePair(taste(bez->text()), bez->objectName());
        } else if (auto* rahmen = qobject_cast<QGroupBox*>(w)) {
            andere << qMakePair(taste(rahmen->title()), rahmen->objectName());
        }
    }
    QStringList konflikte;
    for (const auto& [t, menue] : menues) {
        QStringList mit;
        for (const auto& [t2, name] : menues)
            if (t2 == t && name != menue)
                mit << name;
        for (const auto& [t2, name] : andere)
            if (t2 == t)
                mit << name;
        if (!mit.isEmpty())
            konflikte << t + QStringLiteral(": ") + menue + QStringLiteral(" / ") + mit.join(QStringLiteral(" / "));
    }
    return konflikte;
}

} // namespace kuerzel
