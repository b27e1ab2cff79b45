#pragma once
// The card's input fields: the one-line kind (QLineEdit) and the multi-line
// remark field (QPlainTextEdit). Both carry an input limit that binds only
// what the user types, pastes or drops; a text set by the program (a loaded
// record, an import) is never cut. Both refuse characters that Windows-1252
// cannot hold. A refused input leaves the field as it was and sounds
// "#SystemHand". A field set read-only shows so (the window's background
// instead of its own), and a field shown anew shows the beginning of its
// text unless the user is typing in it.

#include <QLineEdit>
#include <QPlainTextEdit>

#include <functional>

namespace zadressbuch {

// True when an edit that turned vorher into nachher may stand: it adds no
// character outside Windows-1252, and it does not make the text longer than
// the limit (a text that was longer already may shrink or keep its length).
// With umbruchZaehltZwei a line break counts 2 characters, as its "°°" does in
// the record. A limit below 0 means no limit.
bool EingabeErlaubt(const QString& vorher, const QString& nachher, int grenze, bool umbruchZaehltZwei = false);

// What of einfuegen may take the place of vorher's characters from anfang
// (laenge of them) under the same rules: the text loses its characters
// outside Windows-1252 and is cut at its end until the whole fits the limit
// (or the length vorher had, when that was longer); never half a CR LF. The
// rest of vorher stays whole. Positions are clamped to vorher.
QString Eingabe_Einpassen(const QString& vorher, int anfang, int laenge, const QString& einfuegen, int grenze,
                          bool umbruchZaehltZwei = false);

// What the main window hears from a card field besides the ordinary events.
struct KartenFeldRueckrufe
{
    std::function<void()> doppelklick;                      // after the field's own word selection
    std::function<void(const QPoint& global)> kontextmenue; // right mouse button
    std::function<void()> abgelehnt;                        // an input was refused
};

class KartenZeile : public QLineEdit
{
    Q_OBJECT
public:
    KartenZeile(int feld, QWidget* parent = nullptr);

    int feld() const { return m_feld; }
    int eingabegrenze() const { return m_grenze; }
    void setEingabegrenze(int grenze) { m_grenze = grenze; }

    // Sets the text only when it differs, so the cursor of the field being
    // typed in stays where it is when the card is shown again; a new text
    // shows from its beginning unless the field has the focus.
    void textSetzen(const QString& text);
    // Shows the beginning of the text (not in the field that has the focus).
    void anfangZeigen();

    KartenFeldRueckrufe rueckrufe;

protected:
    void changeEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    // Runs the widget's own handling and takes its result back when it is not allowed.
    void geprueft(const std::function<void()>& basis);

    int m_feld;
    int m_grenze;
    QColor m_hintergrund; // its own background while it is locked
};

class KartenText : public QPlainTextEdit
{
    Q_OBJECT
public:
    KartenText(int feld, QWidget* parent = nullptr);

    int feld() const { return m_feld; }
    // In record characters: a line break counts 2.
    int eingabegrenze() const { return m_grenze; }
    void setEingabegrenze(int grenze) { m_grenze = grenze; }

    // The text with CR LF line breaks, as the record's field holds it.
    QString text() const;
    // Sets the text (any line-break form) only when it differs; a new text
    // shows from its beginning unless the field has the focus.
    void textSetzen(const QString& text);
    // Shows the beginning of the text (not in the field that has the focus).
    void anfangZeigen();
    // The selected text with CR LF line breaks.
    QString selectedText() const;
    // Puts a text in place of the selection as typing it would: refused (with
    // the sound) when it would pass the limit. True when it went in.
    bool einsetzen(const QString& text);

    KartenFeldRueckrufe rueckrufe;

protected:
    void changeEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void insertFromMimeData(const QMimeData* quelle) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    // True when replacing the selection by einfuegen may stand.
    bool einfuegenErlaubt(const QString& einfuegen) const;

    int m_feld;
    int m_grenze;
    QColor m_hintergrund; // its own background while it is locked
};

} // namespace zadressbuch
