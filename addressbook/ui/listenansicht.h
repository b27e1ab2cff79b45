#pragma once
// The view of the address list: one row per record, the record's
// TAB-separated fields painted at column tab stops as the list box of old
// did. Rows have one height, so 32000 entries scroll smoothly.
//
// The view reports only what the user does (click, arrow keys, typing a
// letter) through nutzerWaehlt; selections made by the program go through
// the list model (AdressListe::setListIndex) and are mirrored with
// auswahlZeigen without raising nutzerWaehlt again.

#include <QListView>
#include <QStyledItemDelegate>
#include <QVector>

namespace zadressbuch {

// Paints a record at tab stops given in dialog units (a quarter of the
// font's average character width): the text after the k-th TAB starts at the
// first stop beyond the end of the text before it; past the last stop the
// stops go on at the distance of the last two.
class ListenDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit ListenDelegate(QObject* parent = nullptr);

    void setTabStops(const QVector<int>& dialogEinheiten);
    const QVector<int>& tabStops() const { return m_stops; }

    // Pixel positions of the stops for a font's average character width.
    static QVector<int> tabStopsInPixel(const QVector<int>& dialogEinheiten, int durchschnittlicheZeichenbreite);
    // Left edges (pixels from the row's text start) of the pieces of a record.
    static QVector<int> spaltenAnfaenge(const QStringList& stuecke, const QVector<int>& stopsPixel,
                                        const QFontMetrics& fm);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QVector<int> m_stops;
};

class AdressListenAnsicht : public QListView
{
    Q_OBJECT
public:
    explicit AdressListenAnsicht(QWidget* parent = nullptr);

    ListenDelegate* delegate() const { return m_delegate; }
    // Shows the row as the selected one (-1: none) without raising nutzerWaehlt.
    void auswahlZeigen(int zeile);
    // The mouse press being delivered now selects nothing, nor do its moves
    // and its release: the focus move it caused has already shown another
    // address, and the rows have moved under the pointer. Holds for that
    // press only.
    void laufendenKlickVerwerfen();
    // Brings the row into view without scrolling sideways.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

Q_SIGNALS:
    // The user made the row the selected one.
    void nutzerWaehlt(int zeile);
    void doppelklick();

protected:
    // A changed entry repaints its row only: rows have one height and one
    // width whatever their text, so nothing needs laying out again (the list
    // view's own handling lays out every row, 32000 at most, at the next paint).
    void dataChanged(const QModelIndex& oben, const QModelIndex& unten, const QList<int>& rollen) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyboardSearch(const QString& suche) override;
    void currentChanged(const QModelIndex& aktuell, const QModelIndex& vorher) override;

private:
    ListenDelegate* m_delegate;
    int m_nutzer = 0;              // > 0 while a user action is being handled
    bool m_zeigen = false;         // while the program mirrors its selection
    bool m_klickVerwerfen = false; // for the press being delivered
    bool m_klickVerworfen = false; // a press was dropped: its moves and release too
};

} // namespace zadressbuch
