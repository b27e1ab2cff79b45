#include "support/einfuegewege.h"

#include "support/nutzereingabe.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace nutzer {

const char* name(Weg weg)
{
    switch (weg) {
    case Weg::StrgV:
        return "Ctrl+V";
    case Weg::ShiftEinfg:
        return "Shift+Insert";
    case Weg::Menue:
        return "popup menu";
    case Weg::Fallenlassen:
        return "dropped";
    case Weg::Eingabemethode:
        return "input method";
    case Weg::Mittelklick:
        return "middle button";
    default:
        return "typed";
    }
}

QWidget* textkasten(QWidget* w)
{
    auto* kombi = qobject_cast<QComboBox*>(w);
    return kombi && kombi->lineEdit() ? kombi->lineEdit() : w;
}

QString kastentext(QWidget* w)
{
    QWidget* k = textkasten(w);
    if (auto* zeile = qobject_cast<QLineEdit*>(k))
        return zeile->text();
    auto* text = qobject_cast<QPlainTextEdit*>(k);
    return text ? text->toPlainText() : QString();
}

void hineinbringen(QWidget* w, Weg weg, const QString& text, bool ueberAlles)
{
    QWidget* kasten = textkasten(w);
    auto* zeile = qobject_cast<QLineEdit*>(kasten);
    auto* mehrzeilig = qobject_cast<QPlainTextEdit*>(kasten);
    ASSERT_TRUE(zeile || mehrzeilig) << "no text box: " << w->objectName().toStdString();
    // The mouse and drops reach a text box's viewport; keys the control with the focus.
    QWidget* maus = mehrzeilig ? mehrzeilig->viewport() : kasten;
    w->setFocus(Qt::OtherFocusReason);
    QPoint ende(maus->width() - 4, maus->height() / 2);
    if (zeile) {
        zeile->end(false);
        if (ueberAlles)
            zeile->selectAll();
    } else {
        mehrzeilig->moveCursor(QTextCursor::End);
        ende = QPoint(maus->width() - 6, mehrzeilig->cursorRect().center().y());
        if (ueberAlles)
            mehrzeilig->selectAll();
    }
    // Keys go to the control that has the focus: an editable combo box, not its line edit.
    QWidget* tasten = w;
    QGuiApplication::clipboard()->setText(text);
    switch (weg) {
    case Weg::StrgV:
        QTest::keyClick(tasten, Qt::Key_V, Qt::ControlModifier);
        break;
    case Weg::ShiftEinfg:
        QTest::keyClick(tasten, Qt::Key_Insert, Qt::ShiftModifier);
        break;
    case Weg::Menue: {
        QTimer::singleShot(0, [] {
            auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(popup, nullptr) << "no popup menu";
            // A text box's entry has its name, a line edit's only its caption.
            const QString einfuegen = QCoreApplication::translate("QLineEdit", "&Paste");
            for (QAction* a : popup->actions())
                if (a->objectName() == QStringLiteral("edit-paste") || a->text().section(u'\t', 0, 0) == einfuegen)
                    popup->setActiveAction(a);
            QTest::keyClick(popup, Qt::Key_Return);
        });
        QContextMenuEvent rechts(QContextMenuEvent::Mouse, ende, maus->mapToGlobal(ende));
        QApplication::sendEvent(zeile && w != kasten ? w : maus, &rechts);
        EXPECT_TRUE(QTest::qWaitFor([] { return !QApplication::activePopupWidget(); }));
        break;
    }
    case Weg::Fallenlassen:
        textFallenLassen(maus, ende, text);
        break;
    case Weg::Eingabemethode:
        eingabemethodeUebergeben(tasten, text);
        break;
    case Weg::Mittelklick:
        mittelklickEinfuegen(maus, ende, text);
        break;
    case Weg::Tippen:
        for (qsizetype k = 0; k < text.size(); ++k) {
            // A pair of surrogates is one key.
            const QString zeichen = text.mid(k, text.at(k).isHighSurrogate() ? 2 : 1);
            k += zeichen.size() - 1;
            QKeyEvent druck(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, zeichen);
            QApplication::sendEvent(tasten, &druck);
            QKeyEvent los(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, zeichen);
            QApplication::sendEvent(tasten, &los);
        }
        break;
    }
}

QString hinweisAm(QWidget* w)
{
    const auto* hinweis = w->window()->findChild<QLabel*>(QStringLiteral("Eingabehinweis"));
    return hinweis && hinweis->isVisible() ? hinweis->text() : QString();
}

} // namespace nutzer
