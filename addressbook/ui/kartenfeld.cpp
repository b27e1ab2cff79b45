#include "addressbook/ui/kartenfeld.h"

#include "addressbook/datensatz.h"
#include "common/meldungen.h"
#include "platform/codec.h"

#include <QClipboard>
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

// A text that came in was changed to fit: the sound of a refused key, and the report.
void angepasstMelden(OhneTaste& o, const Einpassung& e)
{
    zcommon::Ton_Ausgeben(QStringLiteral("#SystemHand"));
    o.angepasst(e);
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

// The characters of a text one by one (a pair of surrogates is one).
QStringList einzelneZeichen(const QString& text)
{
    QStringList z;
    for (qsizetype k = 0; k < text.size(); ++k) {
        const bool paar = text.at(k).isHighSurrogate() && k + 1 < text.size() && text.at(k + 1).isLowSurrogate();
        z << text.mid(k, paar ? 2 : 1);
        k += paar ? 1 : 0;
    }
    return z;
}

// A character as the status bar names it: itself, or its code when it
// shows nothing by itself (a space, an accent alone, a format character).
QString zeichenName(const QString& zeichen)
{
    const char32_t c =
        zeichen.size() == 2 ? QChar::surrogateToUcs4(zeichen.at(0), zeichen.at(1)) : zeichen.at(0).unicode();
    switch (QChar::category(c)) {
    case QChar::Separator_Space:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Other_Format:
    case QChar::Other_Control:
    case QChar::Other_NotAssigned:
    case QChar::Other_PrivateUse:
    case QChar::Other_Surrogate:
        return QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
    default:
        return zeichen;
    }
}

// A list of names, the first few of them.
QString aufzaehlen(const QStringList& namen)
{
    constexpr int hoechstens = 6;
    if (namen.size() <= hoechstens)
        return namen.join(QStringLiteral(", "));
    return namen.mid(0, hoechstens).join(QStringLiteral(", ")) + QStringLiteral(", …");
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

Einpassung Eingabe_Anpassen(const QString& vorher, int anfang, int laenge, const QString& einfuegen, int grenze,
                            bool umbruchZaehltZwei)
{
    anfang = qBound(0, anfang, int(vorher.size()));
    laenge = qBound(0, laenge, int(vorher.size()) - anfang);
    auto laengeVon = [umbruchZaehltZwei](QStringView t) {
        return umbruchZaehltZwei ? LaengeImDatensatz(t) : int(t.size());
    };
    Einpassung e;
    e.grenze = grenze;
    const int erlaubt = grenze < 0 ? std::numeric_limits<int>::max() : qMax(grenze, laengeVon(vorher));
    int rest =
        erlaubt - laengeVon(QStringView(vorher).left(anfang)) - laengeVon(QStringView(vorher).mid(anfang + laenge));
    const bool haltbar = zplatform::istWindows1252(einfuegen);
    if (haltbar && laengeVon(einfuegen) <= rest) {
        e.text = einfuegen;
        return e;
    }
    // An accent given apart from its letter joins it before the letters are looked at.
    const QString quelle = haltbar ? einfuegen : einfuegen.normalized(QString::NormalizationForm_C);
    for (qsizetype k = 0, n = quelle.size(); k < n;) {
        const QChar c = quelle.at(k);
        qsizetype breite = 1;
        if ((c == u'\r' && k + 1 < n && quelle.at(k + 1) == u'\n') ||
            (c.isHighSurrogate() && k + 1 < n && quelle.at(k + 1).isLowSurrogate()))
            breite = 2;
        const QString zeichen = quelle.mid(k, breite);
        k += breite;
        QString ersetzt, weggelassen;
        const QString stueck = zplatform::windows1252Angenaehert(zeichen, &ersetzt, &weggelassen);
        const int schritt = laengeVon(stueck);
        if (schritt > rest) {
            e.gekuerzt = true;
            break;
        }
        if (!ersetzt.isEmpty() && !e.ersetzt.contains(ersetzt))
            e.ersetzt += ersetzt;
        if (!weggelassen.isEmpty() && !e.weggelassen.contains(weggelassen))
            e.weggelassen += weggelassen;
        e.text += stueck;
        rest -= schritt;
    }
    return e;
}

QString Eingabe_Hinweis(const Einpassung& e, const QString& feldname)
{
    QStringList saetze;
    QStringList ersetzt;
    for (const QString& z : einzelneZeichen(e.ersetzt)) {
        const QString ersatz = zplatform::windows1252Angenaehert(z);
        ersetzt << zeichenName(z) + QStringLiteral(" → ") +
                       (ersatz == QStringLiteral(" ") ? QStringLiteral("Leerzeichen") : ersatz);
    }
    QStringList weggelassen;
    for (const QString& z : einzelneZeichen(e.weggelassen))
        weggelassen << zeichenName(z);
    QStringList was;
    if (!ersetzt.isEmpty())
        was << aufzaehlen(ersetzt) + QStringLiteral(" ersetzt");
    if (!weggelassen.isEmpty())
        was << aufzaehlen(weggelassen) + QStringLiteral(" weggelassen");
    if (!was.isEmpty())
        saetze << QStringLiteral("In der Adressdatei nicht speicherbar: ") +
                      was.join(QStringLiteral(", ")) + QLatin1Char('.');
    if (e.gekuerzt)
        saetze << QStringLiteral("Das Feld »%1« nimmt nur %2 Zeichen auf; %3")
                      .arg(feldname, QString::number(e.grenze),
                           e.text.isEmpty() ? QStringLiteral("die Eingabe wurde weggelassen.")
                                            : QStringLiteral("der Rest der Einfügung wurde weggelassen."));
    return saetze.join(QLatin1Char(' '));
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

Einpassung KartenZeile::einpassen(const QString& text, int anfang, int laenge) const
{
    return Eingabe_Anpassen(this->text(), anfang, laenge, Zeilenumbrueche_Als_Leerzeichen(text), m_grenze);
}

bool KartenZeile::angepasstEinsetzen(const QString& text)
{
    const bool auswahl = hasSelectedText();
    const Einpassung e =
        einpassen(text, auswahl ? selectionStart() : cursorPosition(), auswahl ? int(selectedText().size()) : 0);
    if (!e.geaendert())
        return false;
    if (!e.text.isEmpty() || auswahl)
        insert(e.text);
    angepasstMelden(m_ohneTaste, e);
    return true;
}

void KartenZeile::keyPressEvent(QKeyEvent* e)
{
    const QScopedValueRollback taste(m_ohneTaste.taste, m_ohneTaste.taste + 1);
    if (!isReadOnly()) {
        const bool einfuegen = e->matches(QKeySequence::Paste);
        const QString neu = einfuegen ? QGuiApplication::clipboard()->text() : getippterText(e, false);
        if ((einfuegen || !neu.isEmpty()) && angepasstEinsetzen(neu)) {
            e->accept();
            return;
        }
    }
    geprueft([&] { QLineEdit::keyPressEvent(e); });
}

void KartenZeile::inputMethodEvent(QInputMethodEvent* e)
{
    if (!isReadOnly() && !e->commitString().isEmpty()) {
        const bool auswahl = hasSelectedText();
        const Einpassung passt =
            einpassen(e->commitString(), (auswahl ? selectionStart() : cursorPosition()) + e->replacementStart(),
                      (auswahl ? int(selectedText().size()) : 0) + e->replacementLength());
        if (passt.geaendert()) {
            QInputMethodEvent neu(e->preeditString(), e->attributes());
            neu.setCommitString(passt.text, e->replacementStart(), e->replacementLength());
            geprueft([&] { QLineEdit::inputMethodEvent(&neu); });
            e->accept();
            angepasstMelden(m_ohneTaste, passt);
            return;
        }
    }
    geprueft([&] { QLineEdit::inputMethodEvent(e); });
}

void KartenZeile::dropEvent(QDropEvent* e)
{
    const QMimeData* daten = e->mimeData();
    // A text moved inside the field keeps the field's length.
    if (!isReadOnly() && daten && daten->hasText() && !(e->source() == this && e->dropAction() == Qt::MoveAction)) {
        const Einpassung passt = einpassen(daten->text(), cursorPositionAt(e->position().toPoint()), 0);
        if (passt.geaendert()) {
            if (passt.text.isEmpty()) {
                e->ignore();
            } else {
                // Copied, never moved: what was left out stays where it came from.
                QMimeData passend;
                passend.setText(passt.text);
                const Qt::DropActions arten =
                    e->possibleActions() & Qt::CopyAction ? Qt::DropActions(Qt::CopyAction) : e->possibleActions();
                QDropEvent neu(e->position(), arten, &passend, e->buttons(), e->modifiers());
                geprueft([&] { QLineEdit::dropEvent(&neu); });
                e->setDropAction(neu.dropAction());
                e->setAccepted(neu.isAccepted());
            }
            angepasstMelden(m_ohneTaste, passt);
            return;
        }
    }
    geprueft([&] { QLineEdit::dropEvent(e); });
}

void KartenZeile::mouseReleaseEvent(QMouseEvent* e)
{
    // The middle button pastes the selection clipboard.
    const QClipboard* ablage = QGuiApplication::clipboard();
    if (e->button() == Qt::MiddleButton && !isReadOnly() && ablage->supportsSelection()) {
        const QString text = ablage->text(QClipboard::Selection);
        deselect();
        if (angepasstEinsetzen(text)) {
            e->accept();
            return;
        }
    }
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

Einpassung KartenText::einpassen(const QString& einfuegen) const
{
    QString neu = einfuegen;
    neu.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (QChar umbruch : {QChar(u'\r'), QChar(QChar::LineSeparator), QChar(QChar::ParagraphSeparator)})
        neu.replace(umbruch, QLatin1Char('\n'));
    const QTextCursor c = textCursor();
    return Eingabe_Anpassen(toPlainText(), c.selectionStart(), c.selectionEnd() - c.selectionStart(), neu, m_grenze,
                            true);
}

bool KartenText::angepasstEinsetzen(const QString& text)
{
    const Einpassung e = einpassen(text);
    if (!e.geaendert())
        return false;
    QTextCursor c = textCursor();
    if (!e.text.isEmpty() || c.hasSelection()) {
        c.insertText(e.text);
        setTextCursor(c);
        ensureCursorVisible();
    }
    angepasstMelden(m_ohneTaste, e);
    return true;
}

bool KartenText::einsetzen(const QString& text)
{
    if (isReadOnly())
        return false;
    Einpassung e = einpassen(text);
    if (e.gekuerzt) {
        // A date or a time cut short would be none: it stays out whole.
        e.text.clear();
        angepasstMelden(m_ohneTaste, e);
        return false;
    }
    QTextCursor c = textCursor();
    c.insertText(e.text);
    setTextCursor(c);
    if (e.geaendert())
        angepasstMelden(m_ohneTaste, e);
    return true;
}

void KartenText::keyPressEvent(QKeyEvent* e)
{
    const QScopedValueRollback taste(m_ohneTaste.taste, m_ohneTaste.taste + 1);
    if (!isReadOnly()) {
        const QString t = getippterText(e, true);
        if (!t.isEmpty() && angepasstEinsetzen(t)) {
            e->accept();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(e);
}

void KartenText::inputMethodEvent(QInputMethodEvent* e)
{
    if (!isReadOnly() && !e->commitString().isEmpty()) {
        const Einpassung passt = einpassen(e->commitString());
        if (passt.geaendert()) {
            QInputMethodEvent neu(e->preeditString(), e->attributes());
            neu.setCommitString(passt.text, e->replacementStart(), e->replacementLength());
            QPlainTextEdit::inputMethodEvent(&neu);
            e->accept();
            angepasstMelden(m_ohneTaste, passt);
            return;
        }
    }
    QPlainTextEdit::inputMethodEvent(e);
}

void KartenText::insertFromMimeData(const QMimeData* quelle)
{
    // Pasted by a key, the middle button or a menu, or dropped.
    if (quelle && quelle->hasText() && !isReadOnly() && angepasstEinsetzen(quelle->text()))
        return;
    QPlainTextEdit::insertFromMimeData(quelle);
}

void KartenText::dropEvent(QDropEvent* e)
{
    // Copied, never moved, when not all of it goes in: what was left out
    // stays where it came from (the text itself is fitted as it is inserted).
    const QMimeData* daten = e->mimeData();
    if (!isReadOnly() && daten && daten->hasText() && e->source() != this && (e->possibleActions() & Qt::CopyAction)) {
        QString neu = daten->text();
        neu.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        const int stelle = cursorForPosition(e->position().toPoint()).position();
        if (Eingabe_Anpassen(toPlainText(), stelle, 0, neu, m_grenze, true).geaendert()) {
            QDropEvent nurKopie(e->position(), Qt::CopyAction, daten, e->buttons(), e->modifiers());
            QPlainTextEdit::dropEvent(&nurKopie);
            e->setDropAction(nurKopie.dropAction());
            e->setAccepted(nurKopie.isAccepted());
            return;
        }
    }
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
