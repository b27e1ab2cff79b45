#pragma once
// The card's input fields: the one-line kind (QLineEdit) and the multi-line
// remark field (QPlainTextEdit). Both carry an input limit that binds only
// what the user types, pastes or drops; a text set by the program (a loaded
// record, an import) is never cut. What comes in (typed, pasted with a key,
// the middle button or a menu, dropped, committed by an input method) keeps
// what fits by the rule of every text box (zplatform::Eingaberegel), which
// the fields run from their own handlers so that they know how their text
// changed; a change sounds "#SystemHand" and is reported. A field set read-only shows so (the window's
// background instead of its own), and a field shown anew shows the beginning
// of its text unless the user is typing in it.

#include "platform/einpassung.h"
#include "platform/ui/eingaberegel.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include <functional>
#include <optional>

namespace zadressbuch {

// The rule every text box keeps (platform/einpassung.h), by the names the
// card's callers know it by.
using zplatform::Eingabe_Anpassen;
using zplatform::EingabeErlaubt;
using zplatform::Einpassung;
using zplatform::Zeilenumbrueche_Als_Leerzeichen;

// One line for the status bar that says what was changed of a text that
// came into the card, naming the field by its caption when the text was cut;
// empty when nothing was.
QString Karteneingabe_Hinweis(const Einpassung& e, const QString& feldname);

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
    int eingabegrenze() const { return m_regel->grenze(); }
    void setEingabegrenze(int grenze) { m_regel->setGrenze(grenze); }

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
    zplatform::Eingaberegel* m_regel = nullptr;
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
    int eingabegrenze() const { return m_regel->grenze(); }
    void setEingabegrenze(int grenze) { m_regel->setGrenze(grenze, true); }
    // The caption a cut paste is told by where nobody hears the field's
    // callbacks (a hint under the field then says what was changed).
    void setName(const QString& name);

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
    int m_feld;
    zplatform::Eingaberegel* m_regel = nullptr;
    QColor m_hintergrund; // its own background while it is locked
    OhneTaste m_ohneTaste{rueckrufe};
};

} // namespace zadressbuch
