#pragma once
// The rule of every text box of the program (platform/einpassung.h), as
// message boxes are one rule of this layer: set up once for the application
// (eingaberegelEinrichten, by the program's start and by each test
// program's), it reaches every line edit, text box and editable combo box,
// the program's own and Qt's (input boxes, the cells of a table), for every
// way text comes in: typing, Ctrl+V and Shift+Insert, the middle button, a
// drop, the popup menu's "Einfügen" and an input method. A text changed on
// the way sounds "#SystemHand" and is told in the box's window: by whoever
// the box names (a status bar), else in a hint under the box.
//
// A box that holds a path or a file name keeps its letters (eingaberegelAus),
// and so does every box of Qt's file dialog; spin boxes hold numbers only.

#include "platform/einpassung.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QDropEvent;
class QInputMethodEvent;
class QKeyEvent;
class QLineEdit;
class QMenu;
class QMouseEvent;
class QPlainTextEdit;
class QTextEdit;
class QWidget;

namespace zplatform {

class Eingaberegel : public QObject
{
    Q_OBJECT
public:
    // The rule of a QLineEdit, QPlainTextEdit or QTextEdit, made on first
    // use (it belongs to the box); nullptr for any other widget.
    static Eingaberegel* von(QWidget* box);

    // The most the user may put into the box: -1 (the default) takes a line
    // edit's maxLength, a text box has none then. With umbruchZaehltZwei a
    // line break counts two characters (as its mark in a file line does).
    void setGrenze(int grenze, bool umbruchZaehltZwei = false);
    int grenze() const;
    bool umbruchZaehltZwei() const { return m_umbruchZaehltZwei; }
    // The caption the line names the box by when a text was cut: the name
    // set here, else the box's accessible name (its combo box's), else the
    // text of the label it is the buddy of.
    void setName(const QString& name) { m_name = name; }
    QString name() const;
    // Who tells the user what was changed (after the sound); not set: the
    // hint under the box.
    std::function<void(const Einpassung&)> melden;
    // The box's own event handlers call the ways in below (the card's
    // fields, which note how their text changed): the application's rule
    // leaves its events alone.
    bool selbst = false;
    // The box keeps its letters (eingaberegelAus).
    bool aus() const { return m_aus; }

    // The ways in, for boxes that handle their events themselves. Each is
    // true when the rule took the event (what came in went in changed, and
    // was told); false leaves it to the box as it is. basis is the box's own
    // handling, given an event with what fits.
    // A typed key, or Ctrl+V, Shift+Insert.
    bool taste(QKeyEvent* e, const std::function<void(QKeyEvent*)>& basis);
    bool eingabemethode(QInputMethodEvent* e, const std::function<void(QInputMethodEvent*)>& basis);
    // Copied, never moved, when not all of it goes in: what was left out
    // stays where it came from.
    bool ablegen(QDropEvent* e, const std::function<void(QDropEvent*)>& basis);
    // The middle button's release (the X selection, where there is one).
    bool mittelklick(QMouseEvent* e);
    // The box's standard popup menu: its "Einfügen" keeps the rule.
    void menueEinrichten(QMenu* menue);

    // What of text would take the place of the selection (of the cursor).
    Einpassung einpassen(const QString& text) const;
    // Puts text in place of the selection when the rule changes it, and
    // tells so (true); false: nothing done, it goes in as it is.
    bool einsetzen(const QString& text);
    // The sound and the word for a text that came in changed.
    void angepasst(const Einpassung& e);

private:
    explicit Eingaberegel(QWidget* box);
    friend void eingaberegelAus(QWidget* w);

    bool nurLesen() const;
    QString text() const;
    // The selection (or the cursor) in text().
    void auswahl(int& anfang, int& laenge) const;
    // A text as it comes into this box: line breaks as blanks in one line,
    // as LF in several.
    QString vorbereitet(const QString& text) const;
    // True when what goes in is not what came (also when only its line
    // breaks are other ones; those go by without a word).
    static bool anders(const Einpassung& e, const QString& roh);
    // Puts a text that fits in place of the selection; nothing when it is
    // empty and nothing is selected.
    void hineinsetzen(const QString& text);

    QWidget* m_box;
    QLineEdit* m_zeile = nullptr;
    QPlainTextEdit* m_platt = nullptr;
    QTextEdit* m_reich = nullptr;
    int m_grenze = -1;
    bool m_umbruchZaehltZwei = false;
    bool m_aus = false;
    QString m_name;
};

// Sets the rule up for every text box of the application, once; called once
// the application object exists, before the first window opens.
void eingaberegelEinrichten();

// w and every box in it (now and later; not the windows it opens) keep their
// letters: paths and file names.
void eingaberegelAus(QWidget* w);

// Shows text in a hint under the box (over it when there is no room below),
// in the box's window, until a key or a button is pressed there, the window
// hides, or some seconds have passed.
void eingabehinweisZeigen(QWidget* box, const QString& text);

} // namespace zplatform
