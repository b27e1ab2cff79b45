#include "platform/ui/titelbreite.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QSpacerItem>
#include <QWidget>

#include <algorithm>

namespace zplatform {

namespace {

// Window managers draw titles bold, in a font of their own that the program
// cannot ask for. The widest of the fonts that stand in for it: the window's
// own, the desktop's (the program sets a smaller one for its windows) and
// the title fonts Qt knows.
QList<QFont> titelSchriften(const QWidget& fenster)
{
    QList<QFont> schriften{fenster.font(), QFontDatabase::systemFont(QFontDatabase::GeneralFont),
                           QFontDatabase::systemFont(QFontDatabase::TitleFont),
                           QApplication::font("QMdiSubWindowTitleBar")};
    for (QFont& s : schriften)
        s.setBold(true);
    return schriften;
}

int textBreite(const QWidget& fenster, const QString& titel)
{
    int breite = 0;
    for (const QFont& schrift : titelSchriften(fenster))
        breite = std::max(breite, QFontMetrics(schrift).horizontalAdvance(titel));
    return breite;
}

// Icon, minimise, maximise and close buttons, each about as wide as the title
// bar is high, the gaps between them and the frame.
int knopfRaum(const QWidget& fenster)
{
    int hoehe = 0;
    for (const QFont& schrift : titelSchriften(fenster))
        hoehe = std::max(hoehe, QFontMetrics(schrift).height());
    return 5 * hoehe;
}

int schirmBreite(const QWidget& fenster)
{
    const QWidget* bezug = fenster.parentWidget() ? fenster.parentWidget()->window() : &fenster;
    const QScreen* schirm = bezug->screen() ? bezug->screen() : QGuiApplication::primaryScreen();
    return schirm ? schirm->availableGeometry().width() : 0;
}

// The title as the window manager shows it: "[*]" stands for the mark of a
// modified window.
QString gezeigterTitel(const QWidget& fenster)
{
    QString titel = fenster.windowTitle();
    return titel.replace(QLatin1String("[*]"), fenster.isWindowModified() ? QStringLiteral("*") : QString());
}

// The window's property that holds a title shown only for a while.
constexpr const char* voruebergehendEigenschaft = "zplatform_voruebergehenderTitel";

} // namespace

bool hatTitelleiste(const QWidget& fenster)
{
    if (!fenster.isWindow() || fenster.windowFlags().testFlag(Qt::FramelessWindowHint))
        return false;
    switch (fenster.windowType()) {
    case Qt::Popup:
    case Qt::ToolTip:
    case Qt::SplashScreen:
    case Qt::Desktop:
    case Qt::SubWindow:
        return false;
    default:
        return true;
    }
}

namespace {

// Watches every window of the application: each one shown, and each shown one
// whose title changes, is made as wide as its title needs.
class TitelWaechter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        const QEvent::Type art = e->type();
        if ((art == QEvent::Show || art == QEvent::WindowTitleChange) && o->isWidgetType()) {
            auto* fenster = static_cast<QWidget*>(o);
            if (fenster->isWindow() && (art == QEvent::Show || fenster->isVisible()))
                titelPlatzMachen(*fenster);
        }
        return false;
    }
};

} // namespace

int titelBreite(const QWidget& fenster, const QString& titel)
{
    const int breite = textBreite(fenster, titel) + knopfRaum(fenster);
    const int grenze = schirmBreite(fenster);
    return grenze > 0 ? std::min(breite, grenze) : breite;
}

void titelRaumGeben(QDialog& dialog)
{
    QLayout* layout = dialog.layout();
    if (!layout)
        return;
    const QMargins raender = layout->contentsMargins();
    const int breite = titelBreite(dialog, dialog.windowTitle()) - raender.left() - raender.right();
    if (breite <= 0)
        return;
    // A strut without height: it widens the layout and adds no space between its rows.
    auto* strebe = new QSpacerItem(breite, 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
    if (auto* gitter = qobject_cast<QGridLayout*>(layout))
        gitter->addItem(strebe, gitter->rowCount(), 0, 1, std::max(1, gitter->columnCount()));
    else
        layout->addItem(strebe);
}

void titelWaechterEinrichten()
{
    static bool eingerichtet = false;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || eingerichtet)
        return;
    app->installEventFilter(new TitelWaechter(app));
    eingerichtet = true;
}

void titelPlatzMachen(QWidget& fenster)
{
    if (!hatTitelleiste(fenster) || fenster.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    const QString titel = gezeigterTitel(fenster);
    if (titel.isEmpty() || titel == fenster.property(voruebergehendEigenschaft).toString())
        return;
    const int bedarf = titelBreite(fenster, titel);
    if (fenster.width() >= bedarf)
        return;
    if (fenster.maximumWidth() < bedarf) {
        if (fenster.minimumWidth() == fenster.maximumWidth())
            fenster.setFixedWidth(bedarf);
        else
            fenster.setMaximumWidth(bedarf);
    }
    fenster.resize(bedarf, fenster.height());
}

void titelVoruebergehendZeigen(QWidget& fenster, const QString& titel)
{
    fenster.setProperty(voruebergehendEigenschaft, titel);
    fenster.setWindowTitle(titel);
}

} // namespace zplatform
