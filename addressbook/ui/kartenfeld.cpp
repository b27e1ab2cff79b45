#include "addressbook/ui/kartenfeld.h"

#include "addressbook/datensatz.h"
#include "common/meldungen.h"
#include "platform/ui/eingaberegel.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>

#include <algorithm>
#include <utility>

namespace zadressbuch {

namespace {

// A locked field (read-only) is drawn on the window's background, as
// read-only input fields are; unlocked it gets its own background back.
void sperreZeigen(QWidget* feld, bool gesperrt, QColor& eigenerHintergrund)
{
    QPalette p = feld->palette();
    if (gesperrt) {
        eigenerHintergrund = p.color(QPalette::Base);
        p.setColor(QPalette::Base, p.color(QPalette::Window));
    } else if (eigenerHintergrund.isValid()) {
        p.setColor(QPalette::Base, eigenerHintergrund);
        eigenerHintergrund = QColor();
    }
    feld->setPalette(p);
}

void ablehnen(const KartenFeldRueckrufe& r)
{
    zcommon::Ton_Ausgeben(QStringLiteral("#SystemHand"));
    if (r.abgelehnt)
        r.abgelehnt();
}

} // namespace

void OhneTaste::geaendert()
{
    if (taste > 0 || programm > 0)
        return;
    if (m_tiefe > 0) {
        m_offen = true;
        return;
    }
    if (m_rueckrufe.ohneTaste)
        m_rueckrufe.ohneTaste();
}

void OhneTaste::ereignisEndet()
{
    --m_tiefe;
    if (std::exchange(m_offen, false) && m_rueckrufe.ohneTaste)
        m_rueckrufe.ohneTaste();
    if (m_tiefe == 0 && m_angepasst) {
        const Einpassung e = *std::exchange(m_angepasst, std::nullopt);
        if (m_rueckrufe.angepasst)
            m_rueckrufe.angepasst(e);
    }
}

void OhneTaste::angepasst(const Einpassung& e)
{
    if (m_tiefe > 0)
        m_angepasst = e;
    else if (m_rueckrufe.angepasst)
        m_rueckrufe.angepasst(e);
}

QString Karteneingabe_Hinweis(const Einpassung& e, const QString& feldname)
{
    return zplatform::Eingabe_Hinweis(e, feldname, QStringLiteral("In der Adressdatei nicht speicherbar"));
}

// ---------------------------------------------------------------------------

KartenZeile::KartenZeile(int feld, QWidget* parent) : QLineEdit(parent), m_feld(feld)
{
    setObjectName(QStringLiteral("Feld_%1").arg(feld));
    // Made once the field's members are there: the new child is an event of the field.
    m_regel = zplatform::Eingaberegel::von(this);
    m_regel->selbst = true;
    m_regel->setGrenze(Eingabegrenze(feld));
    m_regel->melden = [this](const Einpassung& e) { m_ohneTaste.angepasst(e); };
    connect(this, &QLineEdit::textEdited, this, [this] { m_ohneTaste.geaendert(); });
}

void KartenZeile::textSetzen(const QString& text)
{
    if (QLineEdit::text() != text) {
        const QScopedValueRollback programm(m_ohneTaste.programm, m_ohneTaste.programm + 1);
        setText(text);
        anfangZeigen();
    }
}

bool KartenZeile::event(QEvent* e)
{
    m_ohneTaste.ereignisBeginnt();
    const bool ergebnis = QLineEdit::event(e);
    m_ohneTaste.ereignisEndet();
    return ergebnis;
}

void KartenZeile::anfangZeigen()
{
    if (!hasFocus() && cursorPosition() != 0)
        setCursorPosition(0);
}

void KartenZeile::changeEvent(QEvent* e)
{
    QLineEdit::changeEvent(e);
    if (e->type() == QEvent::ReadOnlyChange && isReadOnly() != m_hintergrund.isValid())
        sperreZeigen(this, isReadOnly(), m_hintergrund);
}

void KartenZeile::geprueft(const std::function<void()>& basis)
{
    const QString vorher = text();
    const int cursor = cursorPosition();
    const int selStart = selectionStart();
    const int selLaenge = selectedText().size();
    {
        // The widget's own handling runs silently; its change is announced
        // only when it stands.
        const QSignalBlocker stumm(this);
        basis();
    }
    QString nachher = text();
    if (nachher == vorher)
        return;
    zeilenumbruecheErsetzen(vorher, nachher);
    if (EingabeErlaubt(vorher, nachher, eingabegrenze())) {
        Q_EMIT textEdited(nachher);
        Q_EMIT textChanged(nachher);
        return;
    }
    {
        const QSignalBlocker stumm(this);
        setText(vorher);
        if (selStart >= 0 && selLaenge > 0)
            setSelection(cursor == selStart ? selStart + selLaenge : selStart,
                         cursor == selStart ? -selLaenge : selLaenge);
        else
            setCursorPosition(cursor);
    }
    ablehnen(rueckrufe);
}

void KartenZeile::zeilenumbruecheErsetzen(const QString& vorher, QString& nachher)
{
    // Only the part that came in: what stood there before stays as it was.
    qsizetype vorn = 0;
    const qsizetype kuerzer = qMin(vorher.size(), nachher.size());
    while (vorn < kuerzer && vorher.at(vorn) == nachher.at(vorn))
        ++vorn;
    qsizetype hinten = 0;
    while (hinten < kuerzer - vorn && vorher.at(vorher.size() - 1 - hinten) == nachher.at(nachher.size() - 1 - hinten))
        ++hinten;
    const QStringView neu = QStringView(nachher).mid(vorn, nachher.size() - vorn - hinten);
    if (std::none_of(neu.begin(), neu.end(), zplatform::istZeilenende))
        return;
    const QString einzeilig = Zeilenumbrueche_Als_Leerzeichen(neu);
    const qsizetype weniger = neu.size() - einzeilig.size();
    int cursor = cursorPosition();
    if (cursor >= nachher.size() - hinten)
        cursor -= int(weniger);
    else if (cursor > vorn + einzeilig.size())
        cursor = int(vorn + einzeilig.size());
    nachher = nachher.left(vorn) + einzeilig + nachher.right(hinten);
    const QSignalBlocker stumm(this);
    setText(nachher);
    setCursorPosition(cursor);
}

void KartenZeile::keyPressEvent(QKeyEvent* e)
{
    const QScopedValueRollback taste(m_ohneTaste.taste, m_ohneTaste.taste + 1);
    if (!m_regel->taste(e, [this](QKeyEvent* passend) { geprueft([&] { QLineEdit::keyPressEvent(passend); }); }))
        geprueft([&] { QLineEdit::keyPressEvent(e); });
}

void KartenZeile::inputMethodEvent(QInputMethodEvent* e)
{
    if (!m_regel->eingabemethode(
            e, [this](QInputMethodEvent* passend) { geprueft([&] { QLineEdit::inputMethodEvent(passend); }); }))
        geprueft([&] { QLineEdit::inputMethodEvent(e); });
}

void KartenZeile::dropEvent(QDropEvent* e)
{
    if (!m_regel->ablegen(e, [this](QDropEvent* passend) { geprueft([&] { QLineEdit::dropEvent(passend); }); }))
        geprueft([&] { QLineEdit::dropEvent(e); });
}

void KartenZeile::mouseReleaseEvent(QMouseEvent* e)
{
    // The middle button pastes the selection clipboard.
    if (!m_regel->mittelklick(e))
        geprueft([&] { QLineEdit::mouseReleaseEvent(e); });
}

void KartenZeile::mouseDoubleClickEvent(QMouseEvent* e)
{
    QLineEdit::mouseDoubleClickEvent(e);
    if (rueckrufe.doppelklick)
        rueckrufe.doppelklick();
}

void KartenZeile::contextMenuEvent(QContextMenuEvent* e)
{
    if (rueckrufe.kontextmenue)
        rueckrufe.kontextmenue(e->globalPos());
    e->accept();
}

void KartenZeile::focusOutEvent(QFocusEvent* e)
{
    // The menu bar taking the keyboard focus (Alt, or Alt with a menu's
    // letter) is a menu opened as one dropped down with the mouse: the line
    // keeps its selection for the command chosen there (the purpose line of
    // a payment form, the search text), and shows it when the focus comes back.
    if (e->reason() == Qt::MenuBarFocusReason) {
        QFocusEvent wieMenue(QEvent::FocusOut, Qt::PopupFocusReason);
        QLineEdit::focusOutEvent(&wieMenue);
        return;
    }
    QLineEdit::focusOutEvent(e);
}

// ---------------------------------------------------------------------------

KartenText::KartenText(int feld, QWidget* parent) : QPlainTextEdit(parent), m_feld(feld)
{
    setObjectName(QStringLiteral("Feld_%1").arg(feld));
    // Made once the field's members are there: the new child is an event of the field.
    m_regel = zplatform::Eingaberegel::von(this);
    m_regel->selbst = true;
    m_regel->setGrenze(Eingabegrenze(feld), true);
    // Where nobody hears the field (a mask editor's text), the hint under it says it.
    m_regel->melden = [this](const Einpassung& e) {
        if (rueckrufe.angepasst)
            m_ohneTaste.angepasst(e);
        else
            zplatform::eingabehinweisZeigen(this, zplatform::Eingabe_Hinweis(e, m_regel->name()));
    };
    // A TAB never belongs into a record: the key moves on to the next field.
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, [this] { m_ohneTaste.geaendert(); });
}

bool KartenText::event(QEvent* e)
{
    m_ohneTaste.ereignisBeginnt();
    const bool ergebnis = QPlainTextEdit::event(e);
    m_ohneTaste.ereignisEndet();
    return ergebnis;
}

bool KartenText::viewportEvent(QEvent* e)
{
    // The mouse and what is dropped arrive at the viewport.
    m_ohneTaste.ereignisBeginnt();
    const bool ergebnis = QPlainTextEdit::viewportEvent(e);
    m_ohneTaste.ereignisEndet();
    return ergebnis;
}

QString KartenText::text() const
{
    QString t = toPlainText();
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return t;
}

void KartenText::textSetzen(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (toPlainText() != t) {
        const QScopedValueRollback programm(m_ohneTaste.programm, m_ohneTaste.programm + 1);
        setPlainText(t);
        anfangZeigen();
    }
}

void KartenText::anfangZeigen()
{
    if (hasFocus())
        return;
    QTextCursor c = textCursor();
    if (c.position() != 0 || c.hasSelection()) {
        c.movePosition(QTextCursor::Start);
        setTextCursor(c);
    }
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void KartenText::changeEvent(QEvent* e)
{
    QPlainTextEdit::changeEvent(e);
    if (e->type() == QEvent::ReadOnlyChange && isReadOnly() != m_hintergrund.isValid())
        sperreZeigen(this, isReadOnly(), m_hintergrund);
}

QString KartenText::selectedText() const
{
    QString t = textCursor().selectedText();
    t.replace(QChar(QChar::ParagraphSeparator), QStringLiteral("\r\n"));
    t.replace(QChar(QChar::LineSeparator), QStringLiteral("\r\n"));
    return t;
}

void KartenText::setName(const QString& name)
{
    m_regel->setName(name);
}

bool KartenText::einsetzen(const QString& text)
{
    if (isReadOnly())
        return false;
    Einpassung e = m_regel->einpassen(text);
    if (e.gekuerzt) {
        // A date or a time cut short would be none: it stays out whole.
        e.text.clear();
        m_regel->angepasst(e);
        return false;
    }
    QTextCursor c = textCursor();
    c.insertText(e.text);
    setTextCursor(c);
    if (e.geaendert())
        m_regel->angepasst(e);
    return true;
}

void KartenText::keyPressEvent(QKeyEvent* e)
{
    const QScopedValueRollback taste(m_ohneTaste.taste, m_ohneTaste.taste + 1);
    if (!m_regel->taste(e, [this](QKeyEvent* passend) { QPlainTextEdit::keyPressEvent(passend); }))
        QPlainTextEdit::keyPressEvent(e);
}

void KartenText::inputMethodEvent(QInputMethodEvent* e)
{
    if (!m_regel->eingabemethode(e, [this](QInputMethodEvent* passend) { QPlainTextEdit::inputMethodEvent(passend); }))
        QPlainTextEdit::inputMethodEvent(e);
}

void KartenText::insertFromMimeData(const QMimeData* quelle)
{
    // Pasted by a key, the middle button or a menu, or dropped.
    if (quelle && quelle->hasText() && !isReadOnly() && m_regel->einsetzen(quelle->text()))
        return;
    QPlainTextEdit::insertFromMimeData(quelle);
}

void KartenText::dropEvent(QDropEvent* e)
{
    if (!m_regel->ablegen(e, [this](QDropEvent* passend) { QPlainTextEdit::dropEvent(passend); }))
        QPlainTextEdit::dropEvent(e);
}

void KartenText::mouseMoveEvent(QMouseEvent* e)
{
    QPlainTextEdit::mouseMoveEvent(e);
    // A drag of the selection that ended here took the button's release
    // away from the box, whose scrolling timer then goes on moving with a
    // pressed button and starts the next drag, again and again: the program
    // would take no click any more. The box gets the release it missed.
    if ((e->buttons() & Qt::LeftButton) && !(QGuiApplication::mouseButtons() & Qt::LeftButton)) {
        QMouseEvent los(QEvent::MouseButtonRelease, e->position(), e->scenePosition(), e->globalPosition(),
                        Qt::LeftButton, Qt::NoButton, e->modifiers());
        QPlainTextEdit::mouseReleaseEvent(&los);
    }
}

void KartenText::mouseDoubleClickEvent(QMouseEvent* e)
{
    QPlainTextEdit::mouseDoubleClickEvent(e);
    if (rueckrufe.doppelklick)
        rueckrufe.doppelklick();
}

void KartenText::contextMenuEvent(QContextMenuEvent* e)
{
    if (rueckrufe.kontextmenue)
        rueckrufe.kontextmenue(e->globalPos());
    e->accept();
}

} // namespace zadressbuch
