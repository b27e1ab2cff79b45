#pragma once
// What a user would see cut in a shown window: a label, button, check box,
// option button, frame title or tab whose text does not fit its place, a
// control that reaches out of its parent, or a text box that shows the end
// of a long text instead of its beginning. Each finding names the window,
// the control and its text.

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QWidget>

namespace textpruefung {

// The caption as shown: "&" marks the access key, "&&" stands for "&".
inline QString ohneKuerzel(const QString& text)
{
    QString t;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        t += text[i];
    }
    return t;
}

inline QString benennen(const QWidget* w, const QString& text)
{
    const QString name =
        w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
    return w->window()->objectName() + u'.' + name + QStringLiteral(" \"") + text + u'"';
}

// True when w lies in the scrolled area of a scroll area (its content may be larger).
inline bool imRollbereich(const QWidget* w, const QWidget* fenster)
{
    for (const QWidget* p = w->parentWidget(); p && p != fenster; p = p->parentWidget())
        if (qobject_cast<const QAbstractScrollArea*>(p) && !qobject_cast<const QComboBox*>(p))
            return true;
    return false;
}

// The text of a button's contents area: its caption with the access key, one line.
inline bool knopfPasst(const QAbstractButton* b, QStyle::SubElement inhalt)
{
    QStyleOptionButton o;
    o.initFrom(b);
    o.text = b->text();
    o.icon = b->icon();
    o.iconSize = b->iconSize();
    if (const auto* p = qobject_cast<const QPushButton*>(b)) {
        if (p->isDefault() || p->autoDefault())
            o.features |= QStyleOptionButton::AutoDefaultButton;
    }
    const QRect r = b->style()->subElementRect(inhalt, &o, b);
    const QFontMetrics fm = b->fontMetrics();
    int noetig = fm.horizontalAdvance(ohneKuerzel(b->text()));
    if (!b->icon().isNull() && inhalt == QStyle::SE_PushButtonContents)
        noetig += b->iconSize().width() + 4;
    return noetig <= r.width() && fm.height() <= r.height();
}

inline QStringList abgeschnitteneTexte(QWidget* fenster)
{
    QStringList befunde;
    const QList<QWidget*> kinder = fenster->findChildren<QWidget*>();
    for (QWidget* w : kinder) {
        if (w->isWindow() || !w->isVisibleTo(fenster) || imRollbereich(w, fenster))
            continue;
        if (QWidget* eltern = w->parentWidget(); eltern && !eltern->rect().contains(w->geometry()))
            befunde << benennen(w, QString()) + QStringLiteral(" ragt aus ") + eltern->objectName() +
                           QStringLiteral(" heraus");
        if (auto* l = qobject_cast<QLabel*>(w)) {
            if (l->text().isEmpty())
                continue;
            // A wrapped text fits in height, and no word of it (a long path) runs past the right edge.
            const QRect innen = l->contentsRect();
            const bool passt =
                l->wordWrap()
                    ? l->heightForWidth(innen.width()) <= innen.height() &&
                          (Qt::mightBeRichText(l->text()) ||
                           l->fontMetrics()
                                   .boundingRect(QRect(0, 0, innen.width(), 1 << 20), Qt::TextWordWrap, l->text())
                                   .width() <= innen.width())
                    : l->sizeHint().width() <= l->width() && l->sizeHint().height() <= l->height();
            if (!passt)
                befunde << benennen(w, l->text());
        } else if (auto* b = qobject_cast<QPushButton*>(w)) {
            if (!b->text().isEmpty() && !knopfPasst(b, QStyle::SE_PushButtonContents))
                befunde << benennen(w, b->text());
        } else if (auto* c = qobject_cast<QCheckBox*>(w)) {
            if (!c->text().isEmpty() && !knopfPasst(c, QStyle::SE_CheckBoxContents))
                befunde << benennen(w, c->text());
        } else if (auto* r = qobject_cast<QRadioButton*>(w)) {
            if (!r->text().isEmpty() && !knopfPasst(r, QStyle::SE_RadioButtonContents))
                befunde << benennen(w, r->text());
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            // The title stands between the frame's corners.
            const int noetig = g->fontMetrics().horizontalAdvance(ohneKuerzel(g->title())) +
                               2 * g->style()->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, g);
            if (!g->title().isEmpty() && noetig > g->width())
                befunde << benennen(w, g->title());
        } else if (auto* t = qobject_cast<QTabBar*>(w)) {
            // Scroll arrows when the tabs are wider than the bar; a tab narrower than its text elides it.
            int summe = 0;
            const int rand = t->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, t);
            for (int i = 0; i < t->count(); ++i) {
                summe += t->tabRect(i).width();
                const QString text = ohneKuerzel(t->tabText(i));
                if (t->tabRect(i).width() < t->fontMetrics().horizontalAdvance(text) + rand)
                    befunde << benennen(w, text);
            }
            if (summe > t->width())
                befunde << benennen(w, QStringLiteral("Reiter mit Rollpfeilen"));
        } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
            // A long text shows its beginning (the cursor at the start keeps it in view).
            const int platz = e->contentsRect().width() - 8;
            const QString text = e->displayText();
            if (e->fontMetrics().horizontalAdvance(text) > platz && e->cursorPosition() != 0)
                befunde << benennen(w, text) + QStringLiteral(" zeigt das Ende");
        }
    }
    return befunde;
}

} // namespace textpruefung
