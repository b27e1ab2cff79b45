#include "commands/ui/info.h"

#include "common/meldungen.h"
#include "common/start.h"
#include "common/ui/hilfetaste.h"
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
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>

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

    auto* frame1 = new QGroupBox(this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    frame1->setGeometry(twipsZuPixel(120), twipsZuPixel(1080), twipsZuPixel(5655), twipsZuPixel(2175));
    Emblem = new QLabel(frame1);
    Emblem->setObjectName(QStringLiteral("Emblem"));
    Emblem->setGeometry(twipsZuPixel(120), twipsZuPixel(240), twipsZuPixel(495), twipsZuPixel(495));
    // The program's icon, which the main window shows too.
    Emblem->setPixmap(windowIcon().pixmap(Emblem->size()));
    CopyrightHinweis = new QLabel(
        QStringLiteral("Zettlora – Adressverwaltung. Doppelklick hier zeigt die Anwender-Statistik."), frame1);
    CopyrightHinweis->setObjectName(QStringLiteral("CopyrightHinweis"));
    CopyrightHinweis->setWordWrap(true);
    CopyrightHinweis->setGeometry(twipsZuPixel(240), twipsZuPixel(1440), twipsZuPixel(5175), twipsZuPixel(615));
    CopyrightHinweis->installEventFilter(this);

    SysInfo = new QPlainTextEdit(this);
    SysInfo->setObjectName(QStringLiteral("SysInfo"));
    SysInfo->setReadOnly(true);
    SysInfo->setPlainText(Info_Systemtext(Info_Angaben()));
    SysInfo->installEventFilter(this);
    // The text field shows each line whole on one line: it grows to the
    // right, and the box with it, up to twice its design width; only a line
    // longer than that (a long folder) wraps, as the field wraps it. The box
    // grows below the field when its lines need more room than the design
    // gives.
    const int rand = 2 * SysInfo->frameWidth();
    const qreal innen = SysInfo->document()->documentMargin();
    qreal laengste = 0;
    for (QTextBlock b = SysInfo->document()->begin(); b.isValid(); b = b.next())
        laengste = qMax(laengste, QFontMetricsF(SysInfo->font()).horizontalAdvance(b.text()));
    // A little room for the cursor's place at the end of the line.
    const int noetig = rand + int(std::ceil(2 * innen + laengste)) + 8;
    const int breite = qBound(twipsZuPixel(3735), noetig, 2 * twipsZuPixel(3735));
    if (breite > twipsZuPixel(3735)) {
        setFixedSize(twipsZuPixel(2040) + breite + twipsZuPixel(150), height());
        frame1->resize(width() - 2 * twipsZuPixel(120), frame1->height());
    }
    qreal textHoehe = 2 * innen;
    for (QTextBlock b = SysInfo->document()->begin(); b.isValid(); b = b.next()) {
        QTextLayout satz(b.text(), SysInfo->font());
        QTextOption umbruch;
        umbruch.setWrapMode(SysInfo->wordWrapMode());
        satz.setTextOption(umbruch);
        satz.beginLayout();
        for (QTextLine z = satz.createLine(); z.isValid(); z = satz.createLine()) {
            z.setLeadingIncluded(true);
            // As narrow as with a scroll bar: the field never needs one then.
            z.setLineWidth(breite - rand - 2 * innen - SysInfo->verticalScrollBar()->sizeHint().width());
            textHoehe += z.height();
        }
        satz.endLayout();
    }
    SysInfo->setGeometry(twipsZuPixel(2040), twipsZuPixel(3480), breite,
                         qMax(twipsZuPixel(810), rand + int(std::ceil(textHoehe)) + 2));
    setFixedSize(width(), qMax(height(), SysInfo->geometry().bottom() + 1 + twipsZuPixel(120)));

    befAbbrechen = new QPushButton(QStringLiteral("Ok"), this);
    befAbbrechen->setObjectName(QStringLiteral("befAbbrechen"));
    befAbbrechen->setGeometry(twipsZuPixel(120), twipsZuPixel(3960), twipsZuPixel(1695), twipsZuPixel(375));
    befAbbrechen->setDefault(true);
    befAbbrechen->installEventFilter(this);
    connect(befAbbrechen, &QPushButton::clicked, this, &Info::befAbbrechen_Click);
    zcommon::HilfeTaste_Anmelden(this, QStringLiteral("info"));

    // The product name fills the width less 900 twips, at most 36 points. Only
    // the name is printed in it: the controls keep the program's font.
    m_namensSchrift = QFont(QStringLiteral("Arial"), 30, QFont::Bold);
    const double breiteTwips = zplatform::pixelZuTwips(width());
    const double textTwips =
        zplatform::pixelZuTwips(int(QFontMetricsF(m_namensSchrift).horizontalAdvance(Info_Produktname())));
    m_groesse = Info_Schriftgroesse(breiteTwips, textTwips, 30);
    if (m_groesse > 0)
        m_namensSchrift.setPointSizeF(m_groesse);
}

void Info::paintEvent(QPaintEvent* e)
{
    QDialog::paintEvent(e);
    QPainter p(this);
    p.setFont(m_namensSchrift);
    const QString name = Info_Produktname();
    const QFontMetricsF fm(m_namensSchrift);
    const double x = (width() - fm.horizontalAdvance(name)) / 2;
    const double y = (zplatform::twipsZuPixel(1200) - fm.height()) / 2 + fm.ascent();
    const double farben = zcommon::Farbanzahl();
    p.setPen(farbe(Info_Schattenfarbe(farben)));
    p.drawText(QPointF(x, y), name);
    p.setPen(farbe(Info_Namenfarbe(farben)));
    p.drawText(QPointF(x - 2, y - 2), name);
}

// The frame, the notice in it and the text field reach the right edge: a box
// widened for its title has no empty strip.
void Info::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    if (!CopyrightHinweis || !SysInfo)
        return;
    QWidget* rahmen = CopyrightHinweis->parentWidget();
    const int rechts = width() - zplatform::twipsZuPixel(150);
    rahmen->resize(rechts - rahmen->x(), rahmen->height());
    CopyrightHinweis->resize(rahmen->width() - 2 * CopyrightHinweis->x(), CopyrightHinweis->height());
    SysInfo->resize(qMax(SysInfo->width(), rechts - SysInfo->x()), SysInfo->height());
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
