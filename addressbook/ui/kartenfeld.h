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

// A one-line field's text with every line break (CR LF, a lone CR or LF, a
// line or paragraph separator) turned into one blank.
QString Zeilenumbrueche_Als_Leerzeichen(QStringView text);

// What the main window hears from a card field besides the ordinary events.
struct KartenFeldRueckrufe
{
    std::function<void()> doppelklick;                      // after the field's own word selection
    std::function<void(const QPoint& global)> kontextmenue; // right mouse button
    std::function<void()> abgelehnt;                        // an input was refused
    // The user changed the text without a key (pasted with the middle
    // button, dropped, committed by an input method, dragged away): once
    // the event that changed it is handled, so nothing else comes between.
    std::function<void()> ohneTaste;
};

// Tells a field's changes without a key from typed ones and from the
// program's: the field notes the key and the program while they change the
// text, and every event it handles, and reports the other changes.
class OhneTaste
{
public:
    explicit OhneTaste(const KartenFeldRueckrufe& r) : m_rueckrufe(r) {}
    // The text changed: reported at once outside an event of the field, or
    // when the event is handled.
    void geaendert();
    // Around the field's handling of an event.
    void ereignisBeginnt() { ++m_tiefe; }
    void ereignisEndet();

    int taste = 0;    // > 0 while a key changes the text
    int programm = 0; // > 0 while the program sets the text

private:
    const KartenFeldRueckrufe& m_rueckrufe;
    int m_tiefe = 0;
    bool m_offen = false;
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
    bool event(QEvent* e) override;
    void changeEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    // Runs the widget's own handling and takes its result back when it is
    // not allowed; a line break that came in becomes a blank.
    void geprueft(const std::function<void()>& basis);
    // Puts a blank for each line break in the part of nachher that differs
    // from vorher, into nachher and into the field (silently).
    void zeilenumbruecheErsetzen(const QString& vorher, QString& nachher);

    int m_feld;
    int m_grenze;
    QColor m_hintergrund; // its own background while it is locked
    OhneTaste m_ohneTaste{rueckrufe};
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
    bool event(QEvent* e) override;
    bool viewportEvent(QEvent* e) override;
    void changeEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void insertFromMimeData(const QMimeData* quelle) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    // True when replacing the selection by einfuegen may stand.
    bool einfuegenErlaubt(const QString& einfuegen) const;

    int m_feld;
    int m_grenze;
    QColor m_hintergrund; // its own background while it is locked
    OhneTaste m_ohneTaste{rueckrufe};
};

} // namespace zadressbuch
