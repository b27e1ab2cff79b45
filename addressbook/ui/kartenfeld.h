#pragma once
// The card's input fields: the one-line kind (QLineEdit) and the multi-line
// remark field (QPlainTextEdit). Both carry an input limit that binds only
// what the user types, pastes or drops; a text set by the program (a loaded
// record, an import) is never cut. What comes in (typed, pasted with a key,
// the middle button or a menu, dropped, committed by an input method) keeps
// what fits, as a text box of a Windows-1252 program takes it: letters that
// Windows-1252 cannot hold become their base letters, other such characters
// are left out, and the text is cut at the limit; a change sounds
// "#SystemHand" and is reported. A field set read-only shows so (the window's
// background instead of its own), and a field shown anew shows the beginning
// of its text unless the user is typing in it.

#include <QLineEdit>
#include <QPlainTextEdit>

#include <functional>
#include <optional>

namespace zadressbuch {

// True when an edit that turned vorher into nachher may stand: it adds no
// character outside Windows-1252, and it does not make the text longer than
// the limit (a text that was longer already may shrink or keep its length).
// With umbruchZaehltZwei a line break counts 2 characters, as its "°°" does in
// the record. A limit below 0 means no limit.
bool EingabeErlaubt(const QString& vorher, const QString& nachher, int grenze, bool umbruchZaehltZwei = false);

// What of a text put into a field goes in, and what was changed on the way.
struct Einpassung
{
    QString text;          // what goes in
    QString ersetzt;       // characters outside Windows-1252 put in as their base letters
    QString weggelassen;   // characters outside Windows-1252 left out
    bool gekuerzt = false; // cut at the limit
    int grenze = -1;       // that limit
    bool geaendert() const { return gekuerzt || !ersetzt.isEmpty() || !weggelassen.isEmpty(); }
};

// What of einfuegen may take the place of vorher's characters from anfang
// (laenge of them) under the same rules: the text is brought to
// Windows-1252 (zplatform::windows1252Angenaehert) and cut at its end until
// the whole fits the limit (or the length vorher had, when that was longer);
// never half a CR LF. The rest of vorher stays whole. Positions are clamped
// to vorher. Every way text comes into a field keeps this one rule.
Einpassung Eingabe_Anpassen(const QString& vorher, int anfang, int laenge, const QString& einfuegen, int grenze,
                            bool umbruchZaehltZwei = false);
// One line for the status bar that says what was changed, naming the field
// by its caption when the text was cut; empty when nothing was.
QString Eingabe_Hinweis(const Einpassung& e, const QString& feldname);

// A one-line field's text with every line break (CR LF, a lone CR or LF, a
// line or paragraph separator) turned into one blank.
QString Zeilenumbrueche_Als_Leerzeichen(QStringView text);

// What the main window hears from a card field besides the ordinary events.
struct KartenFeldRueckrufe
{
    std::function<void()> doppelklick;                      // after the field's own word selection
    std::function<void(const QPoint& global)> kontextmenue; // right mouse button
    std::function<void()> abgelehnt;                        // an input was refused
    // A text that came in was changed to fit (after its sound): once the
    // event that brought it is handled.
    std::function<void(const Einpassung&)> angepasst;
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
    // A text that came in was changed: reported like a change without a
    // key, after it.
    void angepasst(const Einpassung& e);

    int taste = 0;    // > 0 while a key changes the text
    int programm = 0; // > 0 while the program sets the text

private:
    const KartenFeldRueckrufe& m_rueckrufe;
    int m_tiefe = 0;
    bool m_offen = false;
    std::optional<Einpassung> m_angepasst;
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
    // What of text (line breaks as blanks) may take the place of laenge
    // characters from anfang.
    Einpassung einpassen(const QString& text, int anfang, int laenge) const;
    // Puts text in place of the selection (or at the cursor) when the rule
    // changes it, and reports; false (nothing done) when it goes in as it is.
    bool angepasstEinsetzen(const QString& text);
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
    // Puts a text in place of the selection as a whole (a date, a time):
    // refused when it would pass the limit, with the sound and the report
    // of a text left out. True when it went in.
    bool einsetzen(const QString& text);

    KartenFeldRueckrufe rueckrufe;

protected:
    bool event(QEvent* e) override;
    bool viewportEvent(QEvent* e) override;
    void changeEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void insertFromMimeData(const QMimeData* quelle) override;
    void dropEvent(QDropEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    // What of einfuegen (any line-break form) may take the place of the
    // selection; its line breaks are LF.
    Einpassung einpassen(const QString& einfuegen) const;
    // Puts text in place of the selection when the rule changes it, and
    // reports; false (nothing done) when it goes in as it is.
    bool angepasstEinsetzen(const QString& text);

    int m_feld;
    int m_grenze;
    QColor m_hintergrund; // its own background while it is locked
    OhneTaste m_ohneTaste{rueckrufe};
};

} // namespace zadressbuch
