#include "addressbook/ui/kartenfeld.h"

#include "addressbook/datensatz.h"
#include "common/meldungen.h"
#include "platform/codec.h"

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
#include <limits>
#include <utility>

namespace zadressbuch {

namespace {

int fremdeZeichen(const QString& text)
{
    int n = 0;
    for (QChar c : text)
        if (!zplatform::istWindows1252(c))
            ++n;
    return n;
}

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

// Characters a key press types (empty for keys that only move, delete or
// command something).
QString getippterText(const QKeyEvent* e, bool mehrzeilig)
{
    if (mehrzeilig && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter))
        return QStringLiteral("\n");
    const QString t = e->text();
    if (t.isEmpty() || (e->modifiers() & Qt::ControlModifier))
        return QString();
    for (QChar c : t)
        if (!c.isPrint() && !c.isSurrogate())
            return QString();
    return t;
}

bool istZeilenende(QChar c)
{
    return c == u'\r' || c == u'\n' || c == QChar(QChar::LineSeparator) || c == QChar(QChar::ParagraphSeparator);
}

} // namespace

QString Zeilenumbrueche_Als_Leerzeichen(QStringView text)
{
    QString t;
    t.reserve(text.size());
    for (qsizetype k = 0; k < text.size(); ++k) {
        const QChar c = text.at(k);
        if (!istZeilenende(c)) {
            t += c;
            continue;
        }
        if (c == u'\r' && k + 1 < text.size() && text.at(k + 1) == u'\n')
            ++k;
        t += u' ';
    }
    return t;
}

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
}

bool EingabeErlaubt(const QString& vorher, const QString& nachher, int grenze, bool umbruchZaehltZwei)
{
    if (fremdeZeichen(nachher) > fremdeZeichen(vorher))
        return false;
    if (grenze >= 0) {
        const int n = umbruchZaehltZwei ? LaengeImDatensatz(nachher) : int(nachher.size());
        const int v = umbruchZaehltZwei ? LaengeImDatensatz(vorher) : int(vorher.size());
        if (n > grenze && n > v)
            return false;
    }
    return true;
}

QString Eingabe_Einpassen(const QString& vorher, int anfang, int laenge, const QString& einfuegen, int grenze,
                          bool umbruchZaehltZwei)
{
    anfang = qBound(0, anfang, int(vorher.size()));
    laenge = qBound(0, laenge, int(vorher.size()) - anfang);
    const QStringView vorn = QStringView(vorher).left(anfang);
    const QStringView hinten = QStringView(vorher).mid(anfang + laenge);
    QString nachher = vorn.toString();
    nachher += einfuegen;
    nachher += hinten;
    if (EingabeErlaubt(vorher, nachher, grenze, umbruchZaehltZwei))
        return einfuegen;
    auto laengeVon = [umbruchZaehltZwei](QStringView t) {
        return umbruchZaehltZwei ? LaengeImDatensatz(t) : int(t.size());
    };
    const int erlaubt = grenze < 0 ? std::numeric_limits<int>::max() : qMax(grenze, laengeVon(vorher));
    int rest = erlaubt - laengeVon(vorn) - laengeVon(hinten);
    QString passt;
    for (qsizetype k = 0; k < einfuegen.size() && rest > 0; ++k) {
        const QChar c = einfuegen.at(k);
        if (!zplatform::istWindows1252(c))
            continue;
        const bool crlf = c == u'\r' && k + 1 < einfuegen.size() && einfuegen.at(k + 1) == u'\n';
        const QStringView zeichen = QStringView(einfuegen).mid(k, crlf ? 2 : 1);
        const int schritt = laengeVon(zeichen);
        if (schritt > rest)
            break;
        passt += zeichen;
        rest -= schritt;
        k += zeichen.size() - 1;
    }
    return passt;
}

// ---------------------------------------------------------------------------

KartenZeile::KartenZeile(int feld, QWidget* parent) : QLineEdit(parent), m_feld(feld), m_grenze(Eingabegrenze(feld))
{
    setObjectName(QStringLiteral("Feld_%1").arg(feld));
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
    if (EingabeErlaubt(vorher, nachher, m_grenze)) {
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
    if (std::none_of(neu.begin(), neu.end(), istZeilenende))
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
    geprueft([&] { QLineEdit::keyPressEvent(e); });
}

void KartenZeile::inputMethodEvent(QInputMethodEvent* e)
{
    geprueft([&] { QLineEdit::inputMethodEvent(e); });
}

void KartenZeile::dropEvent(QDropEvent* e)
{
    geprueft([&] { QLineEdit::dropEvent(e); });
}

void KartenZeile::mouseReleaseEvent(QMouseEvent* e)
{
    // The middle button pastes the selection clipboard.
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

KartenText::KartenText(int feld, QWidget* parent) : QPlainTextEdit(parent), m_feld(feld), m_grenze(Eingabegrenze(feld))
{
    setObjectName(QStringLiteral("Feld_%1").arg(feld));
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

bool KartenText::einfuegenErlaubt(const QString& einfuegen) const
{
    QString neu = einfuegen;
    neu.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    neu.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QString vorher = toPlainText();
    const QTextCursor c = textCursor();
    const QString nachher = vorher.left(c.selectionStart()) + neu + vorher.mid(c.selectionEnd());
    return EingabeErlaubt(vorher, nachher, m_grenze, true);
}

bool KartenText::einsetzen(const QString& text)
{
    if (isReadOnly())
        return false;
    if (!einfuegenErlaubt(text)) {
        ablehnen(rueckrufe);
        return false;
    }
    QString neu = text;
    neu.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    textCursor().insertText(neu);
    return true;
}

void KartenText::keyPressEvent(QKeyEvent* e)
{
    const QScopedValueRollback taste(m_ohneTaste.taste, m_ohneTaste.taste + 1);
    if (!isReadOnly()) {
        const QString t = getippterText(e, true);
        if (!t.isEmpty() && !einfuegenErlaubt(t)) {
            e->accept();
            ablehnen(rueckrufe);
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(e);
}

void KartenText::inputMethodEvent(QInputMethodEvent* e)
{
    if (!isReadOnly() && !e->commitString().isEmpty() && !einfuegenErlaubt(e->commitString())) {
        e->accept();
        ablehnen(rueckrufe);
        return;
    }
    QPlainTextEdit::inputMethodEvent(e);
}

void KartenText::insertFromMimeData(const QMimeData* quelle)
{
    if (quelle && quelle->hasText() && !einfuegenErlaubt(quelle->text())) {
        ablehnen(rueckrufe);
        return;
    }
    QPlainTextEdit::insertFromMimeData(quelle);
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
