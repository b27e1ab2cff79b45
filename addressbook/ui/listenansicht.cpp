#include "addressbook/ui/listenansicht.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

namespace zadressbuch {

namespace {

// Runs f while the view counts what happens as the user's doing.
template <class F> void alsNutzer(int& zaehler, F f)
{
    ++zaehler;
    f();
    --zaehler;
}

constexpr int Rand = 2; // pixels between the row's edge and its text

} // namespace

ListenDelegate::ListenDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void ListenDelegate::setTabStops(const QVector<int>& dialogEinheiten)
{
    m_stops = dialogEinheiten;
}

QVector<int> ListenDelegate::tabStopsInPixel(const QVector<int>& dialogEinheiten, int durchschnittlicheZeichenbreite)
{
    QVector<int> px;
    px.reserve(dialogEinheiten.size());
    for (int d : dialogEinheiten)
        px << (d * durchschnittlicheZeichenbreite + 2) / 4;
    return px;
}

QVector<int> ListenDelegate::spaltenAnfaenge(const QStringList& stuecke, const QVector<int>& stopsPixel,
                                             const QFontMetrics& fm)
{
    QVector<int> anfaenge;
    anfaenge.reserve(stuecke.size());
    const int schritt = stopsPixel.size() >= 2
                            ? stopsPixel.last() - stopsPixel.at(stopsPixel.size() - 2)
                            : (stopsPixel.isEmpty() ? 8 * fm.averageCharWidth() : qMax(1, stopsPixel.last()));
    int x = 0;
    for (int k = 0; k < stuecke.size(); ++k) {
        if (k > 0) {
            const int ende = x + fm.horizontalAdvance(stuecke.at(k - 1));
            int naechster = -1;
            for (int s : stopsPixel)
                if (s > ende) {
                    naechster = s;
                    break;
                }
            if (naechster < 0) {
                naechster = stopsPixel.isEmpty() ? 0 : stopsPixel.last();
                while (naechster <= ende)
                    naechster += qMax(1, schritt);
            }
            x = naechster;
        }
        anfaenge << x;
    }
    return anfaenge;
}

void ListenDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString datensatz = opt.text;
    opt.text.clear();
    const QWidget* w = opt.widget;
    QStyle* stil = w ? w->style() : QApplication::style();
    stil->drawControl(QStyle::CE_ItemViewItem, &opt, painter, w);

    const QFontMetrics fm(opt.font);
    const QVector<int> stops = tabStopsInPixel(m_stops, fm.averageCharWidth());
    const QStringList stuecke = datensatz.split(QLatin1Char('\t'));
    const QVector<int> anfaenge = spaltenAnfaenge(stuecke, stops, fm);

    painter->save();
    painter->setFont(opt.font);
    const bool gewaehlt = opt.state & QStyle::State_Selected;
    const QPalette::ColorGroup gruppe = (opt.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
    painter->setPen(opt.palette.color(gruppe, gewaehlt ? QPalette::HighlightedText : QPalette::Text));
    painter->setClipRect(opt.rect);
    const int links = opt.rect.left() + Rand;
    const int grundlinie = opt.rect.top() + (opt.rect.height() - fm.height()) / 2 + fm.ascent();
    for (int k = 0; k < stuecke.size(); ++k) {
        const int x = links + anfaenge.at(k);
        if (x > opt.rect.right())
            break;
        if (!stuecke.at(k).isEmpty())
            painter->drawText(x, grundlinie, stuecke.at(k));
    }
    painter->restore();
}

QSize ListenDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    const QFontMetrics fm(option.font);
    const QVector<int> stops = tabStopsInPixel(m_stops, fm.averageCharWidth());
    // Wide enough for the columns of the stops and one more column behind them.
    const int breite = (stops.isEmpty() ? 0 : stops.last()) + 100 * fm.averageCharWidth() / 4 + 2 * Rand;
    return QSize(breite, fm.height() + 2);
}

// ---------------------------------------------------------------------------

AdressListenAnsicht::AdressListenAnsicht(QWidget* parent) : QListView(parent), m_delegate(new ListenDelegate(this))
{
    setItemDelegate(m_delegate);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setLayoutMode(QListView::SinglePass);
    setTextElideMode(Qt::ElideNone);
}

void AdressListenAnsicht::auswahlZeigen(int zeile)
{
    if (!model())
        return;
    m_zeigen = true;
    const QModelIndex idx = zeile >= 0 ? model()->index(zeile, 0) : QModelIndex();
    if (idx.isValid()) {
        selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect);
        scrollTo(idx);
    } else {
        selectionModel()->clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    m_zeigen = false;
}

void AdressListenAnsicht::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    const int seitlich = horizontalScrollBar()->value();
    QListView::scrollTo(index, hint);
    horizontalScrollBar()->setValue(seitlich);
}

void AdressListenAnsicht::dataChanged(const QModelIndex& oben, const QModelIndex& unten, const QList<int>& rollen)
{
    if (!uniformItemSizes() || rollen.contains(Qt::SizeHintRole)) {
        QListView::dataChanged(oben, unten, rollen);
        return;
    }
    // The item view's part (editors, accessibility, the rows' repaint), without the relayout.
    QAbstractItemView::dataChanged(oben, unten, rollen);
}

void AdressListenAnsicht::laufendenKlickVerwerfen()
{
    m_klickVerwerfen = true;
    // The press reaches the view before the event loop runs again.
    QTimer::singleShot(0, this, [this] { m_klickVerwerfen = false; });
}

void AdressListenAnsicht::mousePressEvent(QMouseEvent* e)
{
    m_klickVerworfen = m_klickVerwerfen;
    m_klickVerwerfen = false;
    if (m_klickVerworfen) {
        e->accept();
        return;
    }
    alsNutzer(m_nutzer, [&] { QListView::mousePressEvent(e); });
}

void AdressListenAnsicht::mouseMoveEvent(QMouseEvent* e)
{
    if (m_klickVerworfen && e->buttons() != Qt::NoButton) {
        e->accept();
        return;
    }
    alsNutzer(m_nutzer, [&] { QListView::mouseMoveEvent(e); });
}

void AdressListenAnsicht::mouseReleaseEvent(QMouseEvent* e)
{
    if (m_klickVerworfen) {
        m_klickVerworfen = false;
        e->accept();
        return;
    }
    QListView::mouseReleaseEvent(e);
}

void AdressListenAnsicht::mouseDoubleClickEvent(QMouseEvent* e)
{
    alsNutzer(m_nutzer, [&] { QListView::mouseDoubleClickEvent(e); });
    if (indexAt(e->position().toPoint()).isValid())
        Q_EMIT doppelklick();
}

void AdressListenAnsicht::keyPressEvent(QKeyEvent* e)
{
    alsNutzer(m_nutzer, [&] { QListView::keyPressEvent(e); });
}

void AdressListenAnsicht::keyboardSearch(const QString& suche)
{
    alsNutzer(m_nutzer, [&] { QListView::keyboardSearch(suche); });
}

void AdressListenAnsicht::currentChanged(const QModelIndex& aktuell, const QModelIndex& vorher)
{
    QListView::currentChanged(aktuell, vorher);
    if (m_nutzer > 0 && !m_zeigen && aktuell.isValid())
        Q_EMIT nutzerWaehlt(aktuell.row());
}

} // namespace zadressbuch
