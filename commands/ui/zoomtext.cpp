#include "commands/ui/zoomtext.h"

#include "addressbook/datensatz.h"
#include "addressbook/fenster.h"
#include "addressbook/sitzung.h"
#include "commands/ui/eingabestelle.h"
#include "commands/zeichenhilfen.h"
#include "common/meldungen.h"
#include "common/texte.h"
#include "common/ui/hilfetaste.h"
#include "platform/ui/twips.h"

#include <QCloseEvent>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QTextBlock>

namespace zbefehle {

namespace {

int px(double twips)
{
    return zplatform::twipsZuPixel(twips);
}

// Fields whose texts read best in a fixed-width font: the numbers.
bool nummernfeld(int feld)
{
    return feld == 7 || feld == 8 || feld == 12 || feld == 13 || feld == 17 || feld == 18;
}

} // namespace

ZoomText::ZoomText(QWidget* hauptfenster, int feld) : QDialog(hauptfenster)
{
    setObjectName(QStringLiteral("ZoomText"));
    setWindowTitle(QStringLiteral("Zoom"));
    zcommon::HilfeTaste_Anmelden(this, QStringLiteral("zoom"));
    setModal(true);
    setSizeGripEnabled(true);

    Text = new zadressbuch::KartenText(feld, this);
    Text->setObjectName(QStringLiteral("Text"));
    Text->setTabChangesFocus(true);
    Text->setEingabegrenze(-1);
    Text->rueckrufe.kontextmenue = [this](const QPoint& global) {
        QMenu* menue = Text->createStandardContextMenu();
        menue->exec(global);
        delete menue;
    };
    Text->installEventFilter(this);
    // What came in changed to fit stays said until the text changes again.
    Text->rueckrufe.angepasst = [this, feld](const zadressbuch::Einpassung& e) {
        m_hinweis = zadressbuch::Karteneingabe_Hinweis(e, zadressbuch::sitzung().Bezeichnungen[size_t(feld)]);
        panelStatus->setText(m_hinweis);
        panelStatus->setToolTip(m_hinweis);
    };
    connect(Text, &QPlainTextEdit::textChanged, this, [this] { m_hinweis.clear(); });
    BefOk = new QPushButton(QStringLiteral("&Ok"), this);
    BefOk->setObjectName(QStringLiteral("BefOk"));
    BefOk->setAutoDefault(false);
    befAbbrechen = new QPushButton(QStringLiteral("&Abbrechen"), this);
    befAbbrechen->setObjectName(QStringLiteral("befAbbrechen"));
    befAbbrechen->setAutoDefault(false);
    const char* texte[3] = {"A-", "A+", "12"};
    const char* tipps[3] = {"Schrift kleiner", "Schrift größer", "Schriftgröße auf 12"};
    for (int i = 0; i < 3; ++i) {
        befFontSize[size_t(i)] = new QPushButton(QString::fromUtf8(texte[i]), this);
        befFontSize[size_t(i)]->setObjectName(QStringLiteral("befFontSize_%1").arg(i));
        befFontSize[size_t(i)]->setToolTip(QString::fromUtf8(tipps[i]));
        befFontSize[size_t(i)]->setAutoDefault(false);
        connect(befFontSize[size_t(i)], &QPushButton::clicked, this, [this, i] { befFontSize_Click(i); });
    }
    Abbruch = new QCheckBox(QStringLiteral("Abbruch"), this);
    Abbruch->setObjectName(QStringLiteral("Abbruch"));
    Abbruch->setVisible(false);
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    panelStatus = new QLabel(this);
    panelStatus->setObjectName(QStringLiteral("Status"));
    panelStatus->setToolTip(QStringLiteral("Allgemeiner Hinweis"));
    panelPosition = new QLabel(this);
    panelPosition->setObjectName(QStringLiteral("Position"));
    panelPosition->setToolTip(QStringLiteral("Aktuelle Position"));
    panelProzent = new QLabel(this);
    panelProzent->setObjectName(QStringLiteral("Prozent"));
    panelProzent->setToolTip(QStringLiteral("Auslastung der Eingabe"));
    StatusBar->addWidget(panelStatus, 1);
    StatusBar->addWidget(panelPosition, 2);
    StatusBar->addWidget(panelProzent, 0);
    ZeitInfo = new QTimer(this);
    ZeitInfo->setInterval(750);
    connect(ZeitInfo, &QTimer::timeout, this, &ZoomText::ZeitInfo_Timer);
    connect(BefOk, &QPushButton::clicked, this, &ZoomText::BefOk_Click);
    connect(befAbbrechen, &QPushButton::clicked, this, &ZoomText::befAbbrechen_Click);

    Text->move(px(120), px(120));
    for (QPushButton* b : {BefOk, befAbbrechen})
        b->resize(px(1215), px(375));
    resize(px(7000), px(5000));
    Form_Load(hauptfenster);
    ZeitInfo->start();
}

void ZoomText::Form_Load(QWidget* hauptfenster)
{
    QFont f = Text->font();
    f.setPointSizeF(Zoom_Schriftgroesse());
    Text->setFont(f);
    if (hauptfenster) {
        resize(int(hauptfenster->width() * 0.9), int(hauptfenster->height() * 0.9));
        const QRect m = hauptfenster->geometry();
        int links = m.left() + (m.width() - width()) / 2;
        int oben = m.top() + (m.height() - height()) / 2;
        if (const QScreen* s = hauptfenster->screen()) {
            const QRect b = s->availableGeometry();
            if (links + width() > b.right())
                links = b.right() - width();
            if (oben + height() > b.bottom())
                oben = b.bottom() - height();
        }
        move(qMax(0, links), qMax(0, oben));
    }
    ZeitInfo_Timer();
}

void ZoomText::setMaxLength(int grenze)
{
    m_maxLength = qMax(0, grenze);
    Text->setEingabegrenze(m_maxLength > 0 ? m_maxLength : -1);
}

void ZoomText::setAuswahl(int selStart, int selLength)
{
    const QString t = Text->toPlainText();
    QTextCursor c = Text->textCursor();
    const int anfang = Position_FeldNachQt(t, selStart);
    c.setPosition(anfang);
    c.setPosition(Position_FeldNachQt(t, selStart + qMax(0, selLength)), QTextCursor::KeepAnchor);
    Text->setTextCursor(c);
}

int ZoomText::selStart() const
{
    return Position_QtNachFeld(Text->toPlainText(), Text->textCursor().selectionStart());
}

double ZoomText::schriftgroesse() const
{
    return Text->font().pointSizeF();
}

void ZoomText::ZeitInfo_Timer()
{
    const ZoomAnzeige a = Zoom_Anzeige(Text->text(), selStart(), m_maxLength);
    if (panelPosition->text() != a.position) {
        panelPosition->setText(a.position);
        panelPosition->setToolTip(a.tipp);
    }
    if (!a.prozent.isEmpty())
        panelProzent->setText(a.prozent);
    if (m_hinweis.isEmpty() && panelStatus->text() != QStringLiteral("Bereit")) {
        panelStatus->setText(QStringLiteral("Bereit"));
        panelStatus->setToolTip(QStringLiteral("Allgemeiner Hinweis"));
    }
}

void ZoomText::einfuegen(const QString& text)
{
    // As a whole: refused when it would pass the field's limit.
    Text->einsetzen(text);
}

bool ZoomText::eventFilter(QObject* o, QEvent* e)
{
    if (o == Text && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->modifiers() & Qt::ControlModifier) {
            if (k->key() == Qt::Key_D) {
                einfuegen(zcommon::DatumText(zcommon::Heute()) + QLatin1Char(' '));
                return true;
            }
            if (k->key() == Qt::Key_U) {
                einfuegen(zcommon::ZeitText(zcommon::Jetzt().time()) + QLatin1Char(' '));
                return true;
            }
        }
        // A one-line field takes no line break.
        if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && Text->feld() != zadressbuch::Bemerkung)
            return true;
    }
    return QDialog::eventFilter(o, e);
}

void ZoomText::befFontSize_Click(int index)
{
    QFont f = Text->font();
    if (index == 2) {
        f.setPointSizeF(12);
        Text->setFont(f);
    } else if (index == 0 || index == 1) {
        // Step by a tenth of a point until the size shown changes (fonts are
        // drawn in whole pixels); stop at 4 and 100 points.
        const int vorher = QFontInfo(f).pixelSize();
        double groesse = f.pointSizeF();
        for (;;) {
            groesse += index == 1 ? 0.1 : -0.1;
            if (groesse < 4 || groesse > 100)
                break;
            f.setPointSizeF(groesse);
            if (QFontInfo(f).pixelSize() != vorher) {
                Text->setFont(f);
                break;
            }
        }
    }
    Text->setFocus();
}

void ZoomText::BefOk_Click()
{
    Zoom_SchriftgroesseSichern(schriftgroesse());
    Abbruch->setChecked(false);
    done(QDialog::Accepted);
}

void ZoomText::befAbbrechen_Click()
{
    Abbruch->setChecked(true);
    done(QDialog::Rejected);
}

void ZoomText::reject()
{
    befAbbrechen_Click();
}

void ZoomText::closeEvent(QCloseEvent* e)
{
    // The close box counts as OK.
    e->ignore();
    BefOk_Click();
}

void ZoomText::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    anordnen();
}

bool ZoomText::event(QEvent* e)
{
    // The status bar asks for another height once its panels hold their texts.
    if (e->type() == QEvent::LayoutRequest)
        anordnen();
    return QDialog::event(e);
}

void ZoomText::anordnen()
{
    const int rand = Text->x();
    const int statusHoehe = StatusBar->sizeHint().height();
    const int iw = width();
    const int ih = height() - statusHoehe;
    StatusBar->setGeometry(0, height() - statusHoehe, iw, statusHoehe);
    const int bb = BefOk->width();
    const int bh = BefOk->height();
    if (iw > 3 * bb) {
        const int links = iw - rand - bb;
        BefOk->move(links, rand);
        befAbbrechen->move(links, rand + bh + rand);
        for (int i = 0; i < 3; ++i)
            befFontSize[size_t(i)]->setGeometry(links + i * (bb / 3), rand + 2 * (bh + rand), bb / 3, bh);
        Text->resize(iw - 3 * rand - bb, Text->height());
    }
    if (ih > 3 * bh)
        Text->resize(Text->width(), ih - 2 * Text->y());
}

bool Zoom_Zeigen(zadressbuch::Fenster& fenster)
{
    using namespace zadressbuch;
    const Eingabestelle stelle = Eingabestelle_Ermitteln(fenster, true);
    if (stelle.suchfeld()) {
        zcommon::Meldung(QStringLiteral("#SystemExclamation"),
                         QStringLiteral("Bitte setzen Sie zuerst den Cursor in ein Eingabefeld."), 48);
        return false;
    }
    const int feld = stelle.feld;
    const QString text = fenster.FeldText(feld);
    int grenze = Eingabegrenze(feld);
    int selStart = stelle.anfang >= 0 ? stelle.anfang : LaengeImDatensatz(text);
    QFont schrift;
    QPalette farben;
    bool mitSchrift = false;
    if (auto* z = qobject_cast<KartenZeile*>(stelle.steuerelement)) {
        grenze = z->eingabegrenze();
        schrift = z->font();
        farben = z->palette();
        mitSchrift = true;
    } else if (auto* t = qobject_cast<KartenText*>(stelle.steuerelement)) {
        grenze = t->eingabegrenze();
        schrift = t->font();
        farben = t->palette();
        mitSchrift = true;
    }

    ZoomText z(dynamic_cast<QWidget*>(&fenster), feld);
    z.setWindowTitle(QStringLiteral("Zoom (") + sitzung().Bezeichnungen[size_t(feld)] + QStringLiteral(")"));
    z.Text->textSetzen(text);
    z.setMaxLength(grenze);
    z.setAuswahl(selStart, stelle.laenge);
    QFont f = z.Text->font();
    if (mitSchrift) {
        f.setFamily(schrift.family());
        f.setBold(schrift.bold());
        f.setItalic(schrift.italic());
        QPalette p = z.Text->palette();
        p.setColor(QPalette::Base, farben.color(QPalette::Base));
        z.Text->setPalette(p);
    }
    if (nummernfeld(feld)) {
        f.setFamily(QStringLiteral("Courier New"));
        f.setBold(true);
    }
    z.Text->setFont(f);
    // Read-only mode and the locked fields: the text can be read enlarged, never changed.
    const bool gesperrt = stelle.gesperrt;
    z.Text->setReadOnly(gesperrt);
    z.ZeitInfo_Timer();
    // The text as the editor gives it back untouched.
    const QString vorher = z.Text->text();
    z.exec();
    if (z.Abbruch->isChecked() || gesperrt)
        return false;
    // A text left as it was changes nothing: the address is not stored again.
    // Compared before the line breaks of a one-line field become blanks, so a
    // break that another program wrote into such a field stays as it was.
    const QString neu = z.Text->text();
    if (neu != vorher) {
        fenster.setFeldText(
            feld, feld == Bemerkung ? neu : QString(neu).replace(QStringLiteral("\r\n"), QStringLiteral(" ")));
        fenster.Adresse_Uebernehmen(0);
    }
    fenster.Feld_Fokus(feld);
    return true;
}

} // namespace zbefehle
