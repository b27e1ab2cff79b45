#include "platform/ui/titelbreite.h"

#include <QApplication>
#include <QDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QSpacerItem>

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

} // namespace zplatform
