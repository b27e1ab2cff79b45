#include "platform/ui/eingaberegel.h"

#include "platform/plattform.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTimer>

#include <utility>

namespace zplatform {

namespace {

// The property of a widget whose boxes keep their letters.
constexpr const char* eigeneZeichen = "zplatform_eigeneZeichen";
constexpr char16_t grossesEszett = 0x1E9E;

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

// A label's text without its access key's "&".
QString ohneKuerzel(const QString& text)
{
    QString t;
    for (qsizetype k = 0; k < text.size(); ++k) {
        if (text.at(k) == u'&' && k + 1 < text.size())
            ++k;
        t += text.at(k);
    }
    t = t.trimmed();
    while (t.endsWith(u'.') || t.endsWith(u':'))
        t.chop(1);
    return t.trimmed();
}

// The box whose rule an event for the widget w concerns: a line edit (not
// the one of a spin box), a text box, an editable combo box's line edit, a
// text box's viewport (the mouse and drops arrive there).
QWidget* kastenFuer(QWidget* w)
{
    if (auto* zeile = qobject_cast<QLineEdit*>(w))
        return qobject_cast<QAbstractSpinBox*>(zeile->parentWidget()) ? nullptr : zeile;
    if (qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w))
        return w;
    if (auto* kombi = qobject_cast<QComboBox*>(w))
        return kombi->lineEdit();
    if (auto* flaeche = qobject_cast<QAbstractScrollArea*>(w->parentWidget());
        flaeche && flaeche->viewport() == w &&
        (qobject_cast<QPlainTextEdit*>(flaeche) || qobject_cast<QTextEdit*>(flaeche)))
        return flaeche;
    return nullptr;
}

// The hint under a box: one per window, in the colours of a tool tip, over
// the window's other controls and letting the mouse through to them.
class Eingabehinweis : public QLabel
{
    Q_OBJECT
public:
    explicit Eingabehinweis(QWidget* fenster) : QLabel(fenster)
    {
        setObjectName(QStringLiteral("Eingabehinweis"));
        setTextFormat(Qt::PlainText);
        setWordWrap(true);
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setMargin(3);
        setAutoFillBackground(true);
        setBackgroundRole(QPalette::ToolTipBase);
        setForegroundRole(QPalette::ToolTipText);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        m_zeit.setSingleShot(true);
        m_zeit.setInterval(12000);
        connect(&m_zeit, &QTimer::timeout, this, &QWidget::hide);
        fenster->installEventFilter(this);
        hide();
    }

    void zeigen(QWidget* anker, const QString& text)
    {
        QWidget* fenster = parentWidget();
        constexpr int rand = 4;
        setText(text);
        const int platz = qMax(80, fenster->width() - 2 * rand);
        const int breite = qMin(platz, fontMetrics().horizontalAdvance(text) + 2 * (margin() + frameWidth()) + 2);
        resize(breite, heightForWidth(breite));
        const QPoint unten = anker->mapTo(fenster, QPoint(0, anker->height() + 1));
        int y = unten.y();
        if (y + height() > fenster->height())
            y = qMax(0, anker->mapTo(fenster, QPoint(0, 0)).y() - height() - 1);
        move(qBound(rand, unten.x(), qMax(rand, fenster->width() - breite - rand)), y);
        raise();
        show();
        m_zeit.start();
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o == parent() && e->type() == QEvent::Hide)
            hide();
        return false;
    }

private:
    QTimer m_zeit;
};

QPointer<Eingabehinweis> g_hinweis; // the one shown last

// A key that only holds a modifier types nothing and leaves the hint.
bool nurUmschalter(const QKeyEvent* e)
{
    const int k = e->key();
    return (k >= Qt::Key_Shift && k <= Qt::Key_ScrollLock) || k == Qt::Key_AltGr;
}

// An event made by the rule in place of one that came, on its way to the box:
// the rule lets it through.
const QEvent* g_durchlassen = nullptr;

void durchlassen(QObject* ziel, QEvent* e)
{
    const QEvent* vorher = std::exchange(g_durchlassen, e);
    QCoreApplication::sendEvent(ziel, e);
    g_durchlassen = vorher;
}

// Watches the events of every text box of the application, ahead of the
// box and of every filter of its window.
class Regelwaechter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        const QEvent::Type art = e->type();
        switch (art) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
            hinweisVerbergen(o, e);
            if (art == QEvent::MouseButtonPress)
                return false;
            break;
        case QEvent::InputMethod:
        case QEvent::Drop:
        case QEvent::MouseButtonRelease:
            break;
        case QEvent::Show:
            if (auto* menue = qobject_cast<QMenu*>(o))
                menueGezeigt(menue);
            return false;
        default:
            return false;
        }
        if (e == g_durchlassen || !o->isWidgetType())
            return false;
        Eingaberegel* regel = Eingaberegel::von(kastenFuer(static_cast<QWidget*>(o)));
        if (!regel || regel->selbst || regel->aus())
            return false;
        const auto weiter = [o](QEvent* neu) { durchlassen(o, neu); };
        switch (art) {
        case QEvent::KeyPress:
            return regel->taste(static_cast<QKeyEvent*>(e), weiter);
        case QEvent::InputMethod:
            return regel->eingabemethode(static_cast<QInputMethodEvent*>(e), weiter);
        case QEvent::Drop:
            return regel->ablegen(static_cast<QDropEvent*>(e), weiter);
        default:
            return regel->mittelklick(static_cast<QMouseEvent*>(e));
        }
    }

private:
    static void hinweisVerbergen(QObject* o, QEvent* e)
    {
        if (!g_hinweis || !g_hinweis->isVisible() || !o->isWidgetType() ||
            static_cast<QWidget*>(o)->window() != g_hinweis->window())
            return;
        if (e->type() == QEvent::KeyPress && nurUmschalter(static_cast<QKeyEvent*>(e)))
            return;
        g_hinweis->hide();
    }

    static void menueGezeigt(QMenu* menue)
    {
        if (!menue->parentWidget())
            return;
        Eingaberegel* regel = Eingaberegel::von(kastenFuer(menue->parentWidget()));
        if (regel && !regel->selbst && !regel->aus())
            regel->menueEinrichten(menue);
    }
};

} // namespace

Eingaberegel::Eingaberegel(QWidget* box)
    : QObject(box), m_box(box), m_zeile(qobject_cast<QLineEdit*>(box)), m_platt(qobject_cast<QPlainTextEdit*>(box)),
      m_reich(qobject_cast<QTextEdit*>(box))
{
    setObjectName(QStringLiteral("Eingaberegel"));
    // Within the box's own window: a box that a dialog of paths opens is a window of its own.
    for (QWidget* w = box; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        if (w->property(eigeneZeichen).toBool() || qobject_cast<QFileDialog*>(w)) {
            m_aus = true;
            break;
        }
    }
}

Eingaberegel* Eingaberegel::von(QWidget* box)
{
    if (!box)
        return nullptr;
    for (QObject* kind : box->children())
        if (auto* regel = qobject_cast<Eingaberegel*>(kind))
            return regel;
    if (!qobject_cast<QLineEdit*>(box) && !qobject_cast<QPlainTextEdit*>(box) && !qobject_cast<QTextEdit*>(box))
        return nullptr;
    return new Eingaberegel(box);
}

void Eingaberegel::setGrenze(int grenze, bool umbruchZaehltZwei)
{
    m_grenze = grenze;
    m_umbruchZaehltZwei = umbruchZaehltZwei;
}

int Eingaberegel::grenze() const
{
    if (m_grenze >= 0)
        return m_grenze;
    // 32767 is a line edit's own "no limit".
    if (m_zeile && m_zeile->maxLength() < 32767)
        return m_zeile->maxLength();
    return -1;
}

QString Eingaberegel::name() const
{
    if (!m_name.isEmpty())
        return m_name;
    auto* kombi = qobject_cast<QComboBox*>(m_box->parentWidget());
    QWidget* steuerelement = kombi ? static_cast<QWidget*>(kombi) : m_box;
    if (!steuerelement->accessibleName().isEmpty())
        return steuerelement->accessibleName();
    const QList<QLabel*> bezeichnungen = m_box->window()->findChildren<QLabel*>();
    for (const QLabel* l : bezeichnungen)
        if (l->buddy() == steuerelement)
            return ohneKuerzel(l->text());
    return QString();
}

bool Eingaberegel::nurLesen() const
{
    if (!m_box->isEnabled())
        return true;
    if (m_zeile)
        return m_zeile->isReadOnly();
    return m_platt ? m_platt->isReadOnly() : m_reich->isReadOnly();
}

QString Eingaberegel::text() const
{
    if (m_zeile)
        return m_zeile->text();
    return m_platt ? m_platt->toPlainText() : m_reich->toPlainText();
}

void Eingaberegel::auswahl(int& anfang, int& laenge) const
{
    if (m_zeile) {
        const bool markiert = m_zeile->hasSelectedText();
        anfang = markiert ? m_zeile->selectionStart() : m_zeile->cursorPosition();
        laenge = markiert ? int(m_zeile->selectedText().size()) : 0;
        return;
    }
    const QTextCursor c = m_platt ? m_platt->textCursor() : m_reich->textCursor();
    anfang = c.selectionStart();
    laenge = c.selectionEnd() - c.selectionStart();
}

QString Eingaberegel::vorbereitet(const QString& text) const
{
    return m_zeile ? Zeilenumbrueche_Als_Leerzeichen(text) : Zeilenumbrueche_Als_LF(text);
}

Einpassung Eingaberegel::einpassen(const QString& text) const
{
    int anfang = 0;
    int laenge = 0;
    auswahl(anfang, laenge);
    return Eingabe_Anpassen(this->text(), anfang, laenge, vorbereitet(text), grenze(), m_umbruchZaehltZwei);
}

void Eingaberegel::hineinsetzen(const QString& text)
{
    if (m_zeile) {
        // Nothing that fits over a selection still takes the selection's place.
        if (!text.isEmpty() || m_zeile->hasSelectedText())
            m_zeile->insert(text);
        return;
    }
    QTextCursor c = m_platt ? m_platt->textCursor() : m_reich->textCursor();
    if (text.isEmpty() && !c.hasSelection())
        return;
    c.insertText(text);
    if (m_platt) {
        m_platt->setTextCursor(c);
        m_platt->ensureCursorVisible();
    } else {
        m_reich->setTextCursor(c);
        m_reich->ensureCursorVisible();
    }
}

bool Eingaberegel::anders(const Einpassung& e, const QString& roh)
{
    return e.geaendert() || e.text != roh;
}

bool Eingaberegel::einsetzen(const QString& text)
{
    const Einpassung e = einpassen(text);
    if (!anders(e, text))
        return false;
    hineinsetzen(e.text);
    if (e.geaendert())
        angepasst(e);
    return true;
}

void Eingaberegel::angepasst(const Einpassung& e)
{
    plattform().ton(QStringLiteral("#SystemHand"));
    if (melden)
        melden(e);
    else
        eingabehinweisZeigen(m_box, Eingabe_Hinweis(e, name()));
}

bool Eingaberegel::taste(QKeyEvent* e, const std::function<void(QKeyEvent*)>& basis)
{
    if (nurLesen())
        return false;
    const bool einfuegen = e->matches(QKeySequence::Paste);
    const QString neu = einfuegen ? QGuiApplication::clipboard()->text() : getippterText(e, !m_zeile);
    if (!einfuegen && neu.isEmpty())
        return false;
    const Einpassung passt = einpassen(neu);
    if (!anders(passt, neu))
        return false;
    e->accept();
    if (einfuegen || passt.text.isEmpty()) {
        hineinsetzen(passt.text);
    } else {
        // The key types what fits, for the box and every filter of its window.
        QKeyEvent passend(e->type(), e->key(), e->modifiers(), e->nativeScanCode(), e->nativeVirtualKey(),
                          e->nativeModifiers(), passt.text, e->isAutoRepeat(), e->count());
        basis(&passend);
    }
    // Caps Lock with the key ß gives the capital ẞ here; Windows gives ß
    // for that key, and so does this program, without a word.
    const bool eszett =
        !einfuegen && passt.ersetzt == QString(QChar(grossesEszett)) && passt.weggelassen.isEmpty() && !passt.gekuerzt;
    if (passt.geaendert() && !eszett)
        angepasst(passt);
    return true;
}

bool Eingaberegel::eingabemethode(QInputMethodEvent* e, const std::function<void(QInputMethodEvent*)>& basis)
{
    if (nurLesen() || e->commitString().isEmpty())
        return false;
    int anfang = 0;
    int laenge = 0;
    auswahl(anfang, laenge);
    const Einpassung passt = Eingabe_Anpassen(text(), anfang + e->replacementStart(), laenge + e->replacementLength(),
                                              vorbereitet(e->commitString()), grenze(), m_umbruchZaehltZwei);
    if (!anders(passt, e->commitString()))
        return false;
    QInputMethodEvent passend(e->preeditString(), e->attributes());
    passend.setCommitString(passt.text, e->replacementStart(), e->replacementLength());
    basis(&passend);
    e->accept();
    if (passt.geaendert())
        angepasst(passt);
    return true;
}

bool Eingaberegel::ablegen(QDropEvent* e, const std::function<void(QDropEvent*)>& basis)
{
    const QMimeData* daten = e->mimeData();
    if (nurLesen() || !daten || !daten->hasText())
        return false;
    // Moved or copied inside the box: nothing new comes in.
    const QObject* quelle = e->source();
    if (quelle && (quelle == m_box || quelle->parent() == m_box))
        return false;
    const QPoint punkt = e->position().toPoint();
    const int stelle = m_zeile   ? m_zeile->cursorPositionAt(punkt)
                       : m_platt ? m_platt->cursorForPosition(punkt).position()
                                 : m_reich->cursorForPosition(punkt).position();
    const Einpassung passt =
        Eingabe_Anpassen(text(), stelle, 0, vorbereitet(daten->text()), grenze(), m_umbruchZaehltZwei);
    if (!anders(passt, daten->text()))
        return false;
    if (passt.text.isEmpty()) {
        e->ignore();
    } else {
        QMimeData passend;
        passend.setText(passt.text);
        const Qt::DropActions arten =
            e->possibleActions() & Qt::CopyAction ? Qt::DropActions(Qt::CopyAction) : e->possibleActions();
        QDropEvent neu(e->position(), arten, &passend, e->buttons(), e->modifiers());
        basis(&neu);
        e->setDropAction(neu.dropAction());
        e->setAccepted(neu.isAccepted());
    }
    if (passt.geaendert())
        angepasst(passt);
    return true;
}

bool Eingaberegel::mittelklick(QMouseEvent* e)
{
    const QClipboard* ablage = QGuiApplication::clipboard();
    if (e->button() != Qt::MiddleButton || nurLesen() || !ablage->supportsSelection())
        return false;
    const QString text = ablage->text(QClipboard::Selection);
    // Where the box itself puts the selection: a line edit at its cursor
    // (the press put it there), a text box where the button went up.
    if (m_zeile) {
        m_zeile->deselect();
    } else {
        const QPoint punkt = e->position().toPoint();
        if (m_platt)
            m_platt->setTextCursor(m_platt->cursorForPosition(punkt));
        else
            m_reich->setTextCursor(m_reich->cursorForPosition(punkt));
    }
    if (!einsetzen(text))
        return false;
    e->accept();
    return true;
}

void Eingaberegel::menueEinrichten(QMenu* menue)
{
    // A text box's entry is named; a line edit's goes by its caption (the
    // shortcut follows a tab).
    const QString name = QStringLiteral("edit-paste");
    const QString zeilenEintrag = QCoreApplication::translate("QLineEdit", "&Paste");
    QAction* qt = nullptr;
    for (QAction* a : menue->actions())
        if (a->objectName() == name || (m_zeile && a->text().section(u'\t', 0, 0) == zeilenEintrag))
            qt = a;
    if (!qt)
        return;
    // In its place an entry that looks the same and pastes by the rule.
    auto* einfuegen = new QAction(qt->icon(), qt->text(), menue);
    einfuegen->setEnabled(qt->isEnabled());
    qt->setObjectName(QString());
    einfuegen->setObjectName(name);
    connect(einfuegen, &QAction::triggered, this, [this] {
        if (einsetzen(QGuiApplication::clipboard()->text()))
            return;
        if (m_zeile)
            m_zeile->paste();
        else if (m_platt)
            m_platt->paste();
        else
            m_reich->paste();
    });
    menue->insertAction(qt, einfuegen);
    menue->removeAction(qt);
}

void eingaberegelEinrichten()
{
    static bool eingerichtet = false;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || eingerichtet)
        return;
    app->installEventFilter(new Regelwaechter(app));
    eingerichtet = true;
}

void eingaberegelAus(QWidget* w)
{
    if (!w)
        return;
    w->setProperty(eigeneZeichen, true);
    for (Eingaberegel* regel : w->findChildren<Eingaberegel*>())
        regel->m_aus = true;
}

void eingabehinweisZeigen(QWidget* box, const QString& text)
{
    if (!box || text.isEmpty())
        return;
    // Under a combo box, not inside it.
    QWidget* anker = qobject_cast<QComboBox*>(box->parentWidget()) ? box->parentWidget() : box;
    QWidget* fenster = anker->window();
    if (fenster == anker)
        return;
    auto* hinweis = fenster->findChild<Eingabehinweis*>(QString(), Qt::FindDirectChildrenOnly);
    if (!hinweis)
        hinweis = new Eingabehinweis(fenster);
    hinweis->zeigen(anker, text);
    g_hinweis = hinweis;
}

} // namespace zplatform

#include "eingaberegel.moc"
