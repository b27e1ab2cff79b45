#include "commands/ui/info.h"

#include "commands/ui/hilfetaste.h"
#include "common/meldungen.h"
#include "common/start.h"
#include "platform/plattform.h"
#include "platform/ui/twips.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

namespace zbefehle {

namespace {

QColor farbe(long nummer)
{
    return QColor(int(nummer & 0xFF), int((nummer >> 8) & 0xFF), int((nummer >> 16) & 0xFF));
}

} // namespace

Info::Info(QWidget* parent) : QDialog(parent)
{
    using zplatform::twipsZuPixel;
    setObjectName(QStringLiteral("Info"));
    setModal(true);
    setWindowTitle(Info_Titel(Programm_Version()));
    setFixedSize(twipsZuPixel(5925), twipsZuPixel(4470));
    if (parent)
        setWindowIcon(parent->windowIcon());

    auto* frame1 = new QGroupBox(this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    frame1->setGeometry(twipsZuPixel(120), twipsZuPixel(1080), twipsZuPixel(5655), twipsZuPixel(2175));
    Emblem = new QLabel(frame1);
    Emblem->setObjectName(QStringLiteral("Emblem"));
    Emblem->setGeometry(twipsZuPixel(120), twipsZuPixel(240), twipsZuPixel(495), twipsZuPixel(495));
    const QIcon symbol = parent ? parent->windowIcon() : windowIcon();
    Emblem->setPixmap(symbol.pixmap(Emblem->size()));
    CopyrightHinweis = new QLabel(
        QStringLiteral("Zettlora – Adressverwaltung. Doppelklick hier zeigt die Anwender-Statistik."), frame1);
    CopyrightHinweis->setObjectName(QStringLiteral("CopyrightHinweis"));
    CopyrightHinweis->setWordWrap(true);
    CopyrightHinweis->setGeometry(twipsZuPixel(240), twipsZuPixel(1440), twipsZuPixel(5175), twipsZuPixel(615));
    CopyrightHinweis->installEventFilter(this);

    SysInfo = new QPlainTextEdit(this);
    SysInfo->setObjectName(QStringLiteral("SysInfo"));
    SysInfo->setReadOnly(true);
    SysInfo->setGeometry(twipsZuPixel(2040), twipsZuPixel(3480), twipsZuPixel(3735), twipsZuPixel(810));
    SysInfo->setPlainText(Info_Systemtext(Info_Angaben()));
    SysInfo->installEventFilter(this);

    befAbbrechen = new QPushButton(QStringLiteral("Ok"), this);
    befAbbrechen->setObjectName(QStringLiteral("befAbbrechen"));
    befAbbrechen->setGeometry(twipsZuPixel(120), twipsZuPixel(3960), twipsZuPixel(1695), twipsZuPixel(375));
    befAbbrechen->setDefault(true);
    befAbbrechen->installEventFilter(this);
    connect(befAbbrechen, &QPushButton::clicked, this, &Info::befAbbrechen_Click);
    HilfeTaste_Anmelden(this);

    // The product name fills the width less 900 twips, at most 36 points.
    QFont f(QStringLiteral("Arial"), 30, QFont::Bold);
    const double breiteTwips = zplatform::pixelZuTwips(width());
    const double textTwips = zplatform::pixelZuTwips(int(QFontMetricsF(f).horizontalAdvance(Info_Produktname())));
    m_groesse = Info_Schriftgroesse(breiteTwips, textTwips, 30);
    if (m_groesse > 0)
        f.setPointSizeF(m_groesse);
    setFont(f);
    for (QWidget* w :
         {static_cast<QWidget*>(frame1), static_cast<QWidget*>(SysInfo), static_cast<QWidget*>(befAbbrechen)})
        w->setFont(QFont());
}

void Info::paintEvent(QPaintEvent* e)
{
    QDialog::paintEvent(e);
    QPainter p(this);
    p.setFont(font());
    const QString name = Info_Produktname();
    const QFontMetricsF fm(font());
    const double x = (width() - fm.horizontalAdvance(name)) / 2;
    const double y = (zplatform::twipsZuPixel(1200) - fm.height()) / 2 + fm.ascent();
    const double farben = zcommon::Farbanzahl();
    p.setPen(farbe(Info_Schattenfarbe(farben)));
    p.drawText(QPointF(x, y), name);
    p.setPen(farbe(Info_Namenfarbe(farben)));
    p.drawText(QPointF(x - 2, y - 2), name);
}

void Info::befAbbrechen_Click()
{
    done(QDialog::Accepted);
}

void Info::CopyrightHinweis_DblClick()
{
    zcommon::MsgBox(zcommon::Nutzungsstatistik_Text(0), zplatform::vbInformation,
                    QStringLiteral("Zettlora, Anwender-Statistik"));
}

bool Info::eventFilter(QObject* objekt, QEvent* e)
{
    if (objekt == CopyrightHinweis && e->type() == QEvent::MouseButtonDblClick) {
        CopyrightHinweis_DblClick();
        return true;
    }
    if (e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k == Qt::Key_Space || k == Qt::Key_Escape || k == Qt::Key_Return || k == Qt::Key_Enter) {
            befAbbrechen_Click();
            return true;
        }
    }
    return QDialog::eventFilter(objekt, e);
}

void Info::keyPressEvent(QKeyEvent* e)
{
    const int k = e->key();
    if (k == Qt::Key_Space || k == Qt::Key_Escape || k == Qt::Key_Return || k == Qt::Key_Enter) {
        befAbbrechen_Click();
        return;
    }
    QDialog::keyPressEvent(e);
}

void Info::closeEvent(QCloseEvent* e)
{
    e->ignore();
    befAbbrechen_Click();
}

} // namespace zbefehle
