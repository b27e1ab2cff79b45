#include "commands/ui/msgdoppelt.h"

#include "common/ui/hilfetaste.h"
#include "platform/ui/twips.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPointer>

namespace zbefehle {

namespace {

int px(double twips)
{
    return zplatform::twipsZuPixel(twips);
}

// Sets one measure of a control unless it would become negative.
void setzen(QWidget* w, int x, int y, int b, int h)
{
    if (b < 0)
        b = w->width();
    if (h < 0)
        h = w->height();
    w->setGeometry(x, y, b, h);
}

} // namespace

MsgDoppelt& MsgDoppelt::instanz(QWidget* hauptfenster)
{
    static QPointer<MsgDoppelt> form;
    if (form.isNull())
        form = new MsgDoppelt(hauptfenster);
    else if (hauptfenster)
        form->m_haupt = hauptfenster;
    return *form;
}

MsgDoppelt::MsgDoppelt(QWidget* hauptfenster) : QDialog(nullptr), m_haupt(hauptfenster)
{
    setObjectName(QStringLiteral("MsgDoppelt"));
    setWindowTitle(QStringLiteral("Name schon vorhanden"));
    zcommon::HilfeTaste_Anmelden(this, QStringLiteral("name-vorhanden"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);
    setSizeGripEnabled(true);

    QFont fett = font();
    fett.setBold(true);
    Label1 = new QLabel(QStringLiteral("Dieser Name ist bereits in der folgenden Adresse enthalten:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    Label1->setFont(fett);
    Text = new QPlainTextEdit(this);
    Text->setObjectName(QStringLiteral("Text"));
    Text->setReadOnly(true);
    Text->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::Monospace);
    courier.setPointSizeF(9.75);
    Text->setFont(courier);
    Label2 = new QLabel(QStringLiteral("Aktuelle Adresse löschen und zu der oben angegebenen Adresse wechseln?"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setWordWrap(true);
    Label2->setFont(fett);
    BefOk = new QPushButton(QStringLiteral("&Ja"), this);
    BefOk->setObjectName(QStringLiteral("BefOk"));
    Abbruch = new QCheckBox(QStringLiteral("Abbruch"), this);
    Abbruch->setObjectName(QStringLiteral("Abbruch"));
    Abbruch->setVisible(false);
    befAbbrechen = new QPushButton(QStringLiteral("&Nein"), this);
    befAbbrechen->setObjectName(QStringLiteral("befAbbrechen"));
    // Neither button answers Enter by itself.
    for (QPushButton* b : {BefOk, befAbbrechen}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    Label1->setGeometry(px(120), px(120), px(4215), px(495));
    Text->setGeometry(px(120), px(720), px(4215), px(3735));
    Label2->setGeometry(px(240), px(4560), px(3975), px(615));
    BefOk->setGeometry(px(120), px(5280), px(1215), px(495));
    Abbruch->setGeometry(px(1680), px(5280), px(1095), px(375));
    befAbbrechen->setGeometry(px(3120), px(5280), px(1215), px(495));
    setTabOrder(Text, BefOk);
    setTabOrder(BefOk, befAbbrechen);
    resize(px(4440), px(5895));

    connect(BefOk, &QPushButton::clicked, this, &MsgDoppelt::BefOk_Click);
    connect(befAbbrechen, &QPushButton::clicked, this, &MsgDoppelt::befAbbrechen_Click);
}

void MsgDoppelt::Form_Load()
{
    m_geladen = true;
    if (!m_haupt)
        return;
    resize(int(m_haupt->width() * 0.5), int(m_haupt->height() * 0.7));
}

int MsgDoppelt::zeigen(const QString& text)
{
    if (!m_geladen)
        Form_Load();
    if (m_haupt) {
        const QRect m = m_haupt->frameGeometry();
        move(m.left() + (m.width() - width()) / 2, m.top() + (m.height() - height()) / 2);
    }
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Text->setPlainText(t);
    exec();
    return Abbruch->isChecked() ? 1 : 0;
}

void MsgDoppelt::BefOk_Click()
{
    Abbruch->setChecked(false);
    hide();
    done(QDialog::Accepted);
}

void MsgDoppelt::befAbbrechen_Click()
{
    Abbruch->setChecked(true);
    hide();
    done(QDialog::Rejected);
}

void MsgDoppelt::reject()
{
    befAbbrechen_Click();
}

void MsgDoppelt::keyPressEvent(QKeyEvent* e)
{
    // Enter (the main key and the keypad's) answers through the button that
    // has the focus, and only there: neither button is a default button.
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (enter && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        QWidget* fokus = focusWidget();
        if (fokus == BefOk || fokus == befAbbrechen)
            static_cast<QPushButton*>(fokus)->click();
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void MsgDoppelt::closeEvent(QCloseEvent* e)
{
    e->ignore();
    befAbbrechen_Click();
}

void MsgDoppelt::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    Form_Resize();
}

void MsgDoppelt::Form_Resize()
{
    const int iw = width();
    const int ih = height();
    const int m = BefOk->x();
    setzen(Label1, Label1->x(), Label1->y(), iw - 2 * Label1->x(), -1);
    setzen(Label2, Label2->x(), Label2->y(), iw - 2 * Label2->x(), -1);
    setzen(Text, Text->x(), Text->y(), iw - 2 * Text->x(), -1);
    BefOk->move(BefOk->x(), ih - m - BefOk->height());
    befAbbrechen->move(iw - m - befAbbrechen->width(), ih - m - befAbbrechen->height());
    Label2->move(Label2->x(), befAbbrechen->y() - Label2->height());
    setzen(Text, Text->x(), Text->y(), -1, Label2->y() - Text->y() - Text->x());
}

} // namespace zbefehle
