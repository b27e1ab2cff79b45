#include "support/nutzereingabe.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <utility>

namespace nutzer {

namespace {

// The search path at the start: a test may empty PATH (no desktop opener).
const QStringList g_suchpfad = QString::fromLocal8Bit(qgetenv("PATH")).split(QLatin1Char(':'), Qt::SkipEmptyParts);

// The output of an X11 tool; "" (and a failed test) when it is missing or fails.
QString werkzeug(const char* name, const QStringList& argumente)
{
    const QString programm = QStandardPaths::findExecutable(QString::fromLatin1(name), g_suchpfad);
    if (programm.isEmpty()) {
        ADD_FAILURE() << name << " is needed for the window tests under X11";
        return QString();
    }
    QProcess lauf;
    lauf.start(programm, argumente);
    if (!lauf.waitForFinished(10000) || lauf.exitStatus() != QProcess::NormalExit || lauf.exitCode() != 0) {
        ADD_FAILURE() << name << " " << argumente.join(QLatin1Char(' ')).toStdString() << " failed";
        return QString();
    }
    return QString::fromLocal8Bit(lauf.readAllStandardOutput());
}

// The window numbers in a property of the root window, in its order.
QList<WId> fensterDerWurzel(const char* eigenschaft)
{
    static const QRegularExpression zahl(QStringLiteral("0x[0-9a-fA-F]+"));
    QList<WId> fenster;
    const QString text = werkzeug("xprop", {QStringLiteral("-root"), QStringLiteral("-notype"), QLatin1String(eigenschaft)});
    for (auto treffer = zahl.globalMatch(text); treffer.hasNext();)
        fenster << WId(treffer.next().captured().toULongLong(nullptr, 16));
    return fenster;
}

// The name of the key for xdotool.
QString tastenName(Qt::Key taste)
{
    switch (taste) {
    case Qt::Key_F1:
        return QStringLiteral("F1");
    case Qt::Key_F4:
        return QStringLiteral("F4");
    case Qt::Key_Escape:
        return QStringLiteral("Escape");
    case Qt::Key_PageDown:
        return QStringLiteral("Page_Down");
    case Qt::Key_PageUp:
        return QStringLiteral("Page_Up");
    case Qt::Key_Return:
        return QStringLiteral("Return");
    case Qt::Key_Tab:
        return QStringLiteral("Tab");
    default:
        if (taste >= Qt::Key_A && taste <= Qt::Key_Z)
            return QString(QChar(u'a' + (taste - Qt::Key_A)));
        ADD_FAILURE() << "no X11 name for the key " << taste;
        return QString();
    }
}

// Counts the mouse button releases that reach a window.
class Loslassen : public QObject
{
public:
    explicit Loslassen(const QWidget& fenster) : m_fenster(fenster) { qApp->installEventFilter(this); }
    ~Loslassen() override { qApp->removeEventFilter(this); }
    int mal = 0;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::MouseButtonRelease && o->isWidgetType() &&
            static_cast<QWidget*>(o)->window() == &m_fenster)
            ++mal;
        return false;
    }

private:
    const QWidget& m_fenster;
};

} // namespace

bool unterX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

QList<WId> stapelX11()
{
    return fensterDerWurzel("_NET_CLIENT_LIST_STACKING");
}

WId aktivX11()
{
    const QList<WId> aktiv = fensterDerWurzel("_NET_ACTIVE_WINDOW");
    return aktiv.isEmpty() ? 0 : aktiv.first();
}

bool ueberX11(const QWidget& oben, const QWidget& unten)
{
    const QList<WId> stapel = stapelX11();
    const qsizetype o = stapel.indexOf(oben.window()->winId());
    const qsizetype u = stapel.indexOf(unten.window()->winId());
    return o >= 0 && u >= 0 && o > u;
}

void klicken(QWidget& fenster, QPoint punkt)
{
    QWidget& w = *fenster.window();
    if (!unterX11()) {
        QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, punkt);
        return;
    }
    // The user clicks into a window once it shows on the screen: a window
    // shown again is mapped by the window manager a moment later.
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&w)) << "not on the screen: " << w.objectName().toStdString();
    Loslassen losgelassen(w);
    werkzeug("xdotool", {QStringLiteral("mousemove"), QStringLiteral("--window"),
                         QString::number(w.winId()), QString::number(punkt.x()), QString::number(punkt.y()),
                         QStringLiteral("click"), QStringLiteral("1")});
    // The window manager passes a click on to the window after it has
    // focused and stacked it: once the window has the click, the stacking
    // shows what the user sees.
    EXPECT_TRUE(QTest::qWaitFor([&] { return losgelassen.mal > 0; }, 5000))
        << "the click did not reach the window: " << w.objectName().toStdString();
    // The program has seen the focus when it names that window active. (A
    // click that closes the window leaves nothing to focus.)
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return !w.isVisible() || (aktivX11() == w.winId() && QApplication::activeWindow() == &w); }, 5000))
        << "the window manager gave the window clicked into no focus: " << w.objectName().toStdString();
}

void nachVorneHolen(QWidget& fenster)
{
    QWidget& w = *fenster.window();
    if (!unterX11()) {
        w.activateWindow();
        return;
    }
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&w)) << "not on the screen: " << w.objectName().toStdString();
    werkzeug("xdotool", {QStringLiteral("windowactivate"), QString::number(w.winId())});
}

void ziehenX11(QWidget& fenster, QPoint von, const QList<QPoint>& ueber)
{
    QWidget& w = *fenster.window();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&w)) << "not on the screen: " << w.objectName().toStdString();
    const QString programm = QStandardPaths::findExecutable(QStringLiteral("xdotool"), g_suchpfad);
    ASSERT_FALSE(programm.isEmpty()) << "xdotool is needed for the window tests under X11";
    // One run of xdotool for the whole gesture: the program runs the drag in
    // an event loop of its own meanwhile, and sees each step as it comes.
    const QString fensterNr = QString::number(w.winId());
    auto nach = [&](QPoint p) {
        return QStringList{QStringLiteral("mousemove"), QStringLiteral("--window"), fensterNr, QString::number(p.x()),
                           QString::number(p.y()), QStringLiteral("sleep"), QStringLiteral("0.1")};
    };
    QStringList argumente = nach(von);
    argumente << QStringLiteral("mousedown") << QStringLiteral("1") << QStringLiteral("sleep") << QStringLiteral("0.1");
    for (const QPoint& p : ueber)
        argumente << nach(p);
    argumente << QStringLiteral("mouseup") << QStringLiteral("1");
    QProcess lauf;
    lauf.start(programm, argumente);
    EXPECT_TRUE(QTest::qWaitFor([&] { return lauf.state() == QProcess::NotRunning; }, 10000)) << "xdotool hangs";
    EXPECT_EQ(lauf.exitCode(), 0) << "xdotool failed";
}

void loslassenX11()
{
    const QString programm = QStandardPaths::findExecutable(QStringLiteral("xdotool"), g_suchpfad);
    EXPECT_FALSE(programm.isEmpty()) << "xdotool is needed for the window tests under X11";
    QProcess::startDetached(programm, {QStringLiteral("click"), QStringLiteral("1")});
}

void taste(QWidget& fenster, Qt::Key taste)
{
    if (!unterX11()) {
        // Through the window system, where a window that a modal one blocks gets none.
        QTest::keyClick(fenster.window()->windowHandle(), taste);
        return;
    }
    werkzeug("xdotool", {QStringLiteral("key"), tastenName(taste)});
}

namespace {

// Takes a text at the release of the middle button once, as a control does
// with the X selection.
class SelektionAttrappe : public QObject
{
public:
    SelektionAttrappe(QWidget* ziel, QString text) : m_text(std::move(text)) { ziel->installEventFilter(this); }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::MouseButtonRelease || static_cast<QMouseEvent*>(e)->button() != Qt::MiddleButton)
            return false;
        o->removeEventFilter(this);
        deleteLater();
        auto* w = static_cast<QWidget*>(o);
        if (auto* zeile = qobject_cast<QLineEdit*>(w)) {
            if (!zeile->isReadOnly()) {
                zeile->deselect();
                zeile->insert(m_text);
            }
        } else if (auto* box = qobject_cast<QPlainTextEdit*>(w->parentWidget()); box && !box->isReadOnly()) {
            box->setTextCursor(box->cursorForPosition(static_cast<QMouseEvent*>(e)->position().toPoint()));
            box->insertPlainText(m_text);
        }
        return false;
    }

private:
    QString m_text;
};

} // namespace

void mittelklickEinfuegen(QWidget* ziel, QPoint punkt, const QString& text)
{
    QClipboard* ablage = QGuiApplication::clipboard();
    if (ablage->supportsSelection())
        ablage->setText(text, QClipboard::Selection);
    else
        new SelektionAttrappe(ziel, text);
    QTest::mouseClick(ziel, Qt::MiddleButton, {}, punkt);
}

void textFallenLassen(QWidget* ziel, QPoint punkt, const QString& text)
{
    QMimeData daten;
    daten.setText(text);
    QDragEnterEvent hinein(punkt, Qt::CopyAction | Qt::MoveAction, &daten, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ziel, &hinein);
    QDragMoveEvent ueber(punkt, Qt::CopyAction | Qt::MoveAction, &daten, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ziel, &ueber);
    QDropEvent fallen(QPointF(punkt), Qt::CopyAction | Qt::MoveAction, &daten, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ziel, &fallen);
}

void eingabemethodeUebergeben(QWidget* ziel, const QString& text)
{
    QInputMethodEvent vorschau(text, {});
    QApplication::sendEvent(ziel, &vorschau);
    QInputMethodEvent uebergabe;
    uebergabe.setCommitString(text);
    QApplication::sendEvent(ziel, &uebergabe);
}

void vomFensterverwalterAngehoben(QWidget& fenster)
{
    QWidget& w = *fenster.window();
    if (!unterX11()) {
        w.raise();
        return;
    }
    // The window manager handles the requests in turn: once it has moved the
    // window (and back), it has raised it.
    const QString id = QString::number(w.winId());
    const QPoint p = w.windowHandle()->geometry().topLeft();
    werkzeug("xdotool", {QStringLiteral("windowraise"), id, QStringLiteral("windowmove"), QStringLiteral("--sync"), id,
                         QString::number(p.x() + 1), QString::number(p.y()), QStringLiteral("windowmove"),
                         QStringLiteral("--sync"), id, QString::number(p.x()), QString::number(p.y())});
}

void mitAlt(QWidget& fenster, Qt::Key taste)
{
    if (!unterX11()) {
        QTest::keyClick(fenster.window()->windowHandle(), taste, Qt::AltModifier);
        return;
    }
    werkzeug("xdotool", {QStringLiteral("keydown"), QStringLiteral("Alt_L"), QStringLiteral("key"), tastenName(taste),
                         QStringLiteral("keyup"), QStringLiteral("Alt_L")});
}

void mitStrg(QWidget& fenster, Qt::Key taste)
{
    if (!unterX11()) {
        QTest::keyClick(fenster.window()->windowHandle(), taste, Qt::ControlModifier);
        return;
    }
    werkzeug("xdotool", {QStringLiteral("keydown"), QStringLiteral("Control_L"), QStringLiteral("key"),
                         tastenName(taste), QStringLiteral("keyup"), QStringLiteral("Control_L")});
}

} // namespace nutzer
