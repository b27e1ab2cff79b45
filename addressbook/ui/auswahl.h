#pragma once
// Auswahl: the one modal pick list. The caller fills its list, shows it and
// reads back what is selected; the form only hides itself and keeps its list
// and size for the next use.
//
// Calling protocol:
//   zadressbuch::Auswahl& a = zadressbuch::Auswahl::instanz();
//   a.setCheckSingle(0);             // optional: 0 multiple choice, 1 single choice
//                                    // (OK and cancel set it back to 1)
//   a.Liste->Clear();
//   a.Liste->AddItem(text) ...       // shown sorted: case-insensitive German collation
//   a.zeigen();                      // modal; returns when the form has hidden itself
//   single choice:   a.Liste->ListIndex() (-1 = cancelled / nothing), a.Liste->List(i)
//   multiple choice: a.Liste->Selected(i) for i < ListCount(), or a.ausgewaehlt()
//   a.Liste->Clear();                // optional
//
// Indexes refer to the sorted order, not to the order of AddItem.

#include <QCheckBox>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QString>
#include <QStringList>

namespace zadressbuch {

// The list box of the pick list: sorted like the system's sorted list box
// (case-insensitive, umlauts beside their base letters; equal texts keep the
// order they were added in); a click toggles an entry (simple multiple
// selection: dragging with the button held toggles nothing more); every change
// of the selection or of the current entry by the user (a click, Space,
// select-all, the arrow keys) reports klick, so single choice keeps the current
// entry as its one entry; the right mouse button selects nothing and reports
// rechtsKlick; other buttons do nothing.
class AuswahlListe : public QListWidget
{
    Q_OBJECT
public:
    explicit AuswahlListe(QWidget* parent = nullptr);

    // Adds at the sorted place.
    void AddItem(const QString& text);
    using QListWidget::addItem;
    void addItem(const QString& text) { AddItem(text); }
    void addItems(const QStringList& texte);
    void Clear();

    int ListCount() const { return count(); }
    QString List(int i) const;
    // The current entry (the one clicked last), -1 for none.
    int ListIndex() const;
    // Moves the current entry; -1 leaves none. Does not change the selection.
    void setListIndex(int i);
    bool Selected(int i) const;
    void setSelected(int i, bool an);

Q_SIGNALS:
    // The user changed the list's selection or current entry (a click on an
    // entry, Space, select-all, a move by key): Liste_Click.
    void klick();
    // The right mouse button went down in the list: Liste_MouseDown with button 2.
    void rechtsKlick();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

class Auswahl : public QDialog
{
    Q_OBJECT
public:
    // The pick list of the run: created on first use, hidden between uses.
    static Auswahl& instanz();

    explicit Auswahl(QWidget* parent = nullptr);

    AuswahlListe* Liste = nullptr;
    QPushButton* BefOk = nullptr;
    QPushButton* BefAbbruch = nullptr;
    QCheckBox* CheckSingle = nullptr; // hidden; checked = single choice

    int checkSingle() const { return CheckSingle->isChecked() ? 1 : 0; }
    // Any value other than 0 means single choice.
    void setCheckSingle(int wert) { CheckSingle->setChecked(wert != 0); }

    // Shows the form modally (placing it on the main window at its first
    // use) and returns Liste->ListIndex() when it has hidden itself.
    int zeigen();
    // The selected entries in list order.
    QStringList ausgewaehlt() const;

    // The handlers (public for callers that act as the user would).
    void Form_Load();
    void Liste_Click();
    void Liste_DblClick();
    void Liste_RechtsKlick();
    void BefOk_Click();
    void befAbbruch_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void anordnen();
    bool m_geladen = false;
};

} // namespace zadressbuch
