#include "commands/ui/sonderzeichen.h"

#include "addressbook/datensatz.h"
#include "addressbook/fenster.h"
#include "addressbook/sitzung.h"
#include "commands/ui/eingabestelle.h"
#include "commands/zeichenhilfen.h"
#include "common/meldungen.h"
#include "common/ui/hilfetaste.h"
#include "platform/ui/twips.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace zbefehle {

namespace {

int px(double twips)
{
    return zplatform::twipsZuPixel(twips);
}

QFont zeichenSchrift()
{
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::Monospace);
    f.setPointSizeF(14.25);
    f.setBold(true);
    return f;
}

// The character list: its viewport can leave a strip free at the bottom, so
// that only whole rows show.
class ZeichenListe : public QListWidget
{
public:
    using QListWidget::QListWidget;
    int untenFrei() const { return viewportMargins().bottom(); }
    void setUntenFrei(int pixel) { setViewportMargins(0, 0, 0, pixel); }
};

} // namespace

Sonderzeichen::Sonderzeichen(QWidget* hauptfenster) : QDialog(hauptfenster)
{
    setObjectName(QStringLiteral("Sonderzeichen"));
    setWindowTitle(QStringLiteral("Sonderzeichen einfügen"));
    zcommon::HilfeTaste_Anmelden(this, QStringLiteral("sonderzeichen"));
    setModal(true);
    setSizeGripEnabled(true);

    ComboSatz = new QComboBox(this);
    ComboSatz->setObjectName(QStringLiteral("ComboSatz"));
    Liste = new ZeichenListe(this);
    Liste->setObjectName(QStringLiteral("Liste"));
    Liste->setFont(zeichenSchrift());
    Liste->setFlow(QListView::LeftToRight);
    Liste->setWrapping(true);
    Liste->setResizeMode(QListView::Adjust);
    Liste->setUniformItemSizes(true);
    Liste->setTextElideMode(Qt::ElideNone);
    // The list scrolls row by row and always shows its scroll bar, so that
    // the rows below are seen to be there.
    Liste->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    Liste->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Liste->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Liste->installEventFilter(this);
    Liste->viewport()->installEventFilter(this);
    befKopieren = new QPushButton(QStringLiteral("&Kopieren"), this);
    befKopieren->setObjectName(QStringLiteral("befKopieren"));
    BefLoeschen = new QPushButton(QStringLiteral("&Löschen"), this);
    BefLoeschen->setObjectName(QStringLiteral("BefLoeschen"));
    Text = new QLineEdit(this);
    Text->setObjectName(QStringLiteral("Text"));
    Text->setFont(zeichenSchrift());
    BefOk = new QPushButton(QStringLiteral("&Einfügen"), this);
    BefOk->setObjectName(QStringLiteral("BefOk"));
    BefAbbruch = new QPushButton(QStringLiteral("&Abbrechen"), this);
    BefAbbruch->setObjectName(QStringLiteral("BefAbbruch"));
    for (QPushButton* b : {befKopieren, BefLoeschen, BefOk, BefAbbruch})
        b->setAutoDefault(false);

    ComboSatz->setGeometry(px(120), px(120), px(1215), px(315));
    Liste->setGeometry(px(1560), px(120), px(3975), px(2700));
    befKopieren->setGeometry(px(120), px(720), px(1215), px(375));
    BefLoeschen->setGeometry(px(120), px(1200), px(1215), px(375));
    Text->setGeometry(px(120), px(1680), px(1215), px(450));
    BefOk->setGeometry(px(120), px(2280), px(1215), px(375));
    BefAbbruch->setGeometry(px(120), px(2760), px(1215), px(375));
    setTabOrder(Liste, befKopieren);
    setTabOrder(befKopieren, BefLoeschen);
    setTabOrder(BefLoeschen, Text);
    setTabOrder(Text, BefOk);
    setTabOrder(BefOk, BefAbbruch);
    resize(px(5655), px(3285));
    if (hauptfenster) {
        const QRect m = hauptfenster->geometry();
        move(m.left() + (m.width() - width()) / 2, m.top() + (m.height() - height()) / 2);
    }

    // Form_Load
    Text->clear();
    // The drop-down shows the names; each entry carries its whole set text.
    for (const QString& satz : Sonderzeichen_Saetze())
        ComboSatz->addItem(Sonderzeichen_Name(satz), satz);
    ComboSatz->setCurrentIndex(0);
    ComboSatz_Click();

    connect(ComboSatz, &QComboBox::activated, this, [this](int) { ComboSatz_Click(); });
    connect(befKopieren, &QPushButton::clicked, this, &Sonderzeichen::befKopieren_Click);
    connect(Liste, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem*) { befKopieren_Click(); });
    connect(BefLoeschen, &QPushButton::clicked, this, &Sonderzeichen::befLoeschen_Click);
    connect(BefOk, &QPushButton::clicked, this, &Sonderzeichen::BefOk_Click);
    connect(BefAbbruch, &QPushButton::clicked, this, &Sonderzeichen::befAbbruch_Click);
}

void Sonderzeichen::ComboSatz_Click()
{
    const QString zeichen = Sonderzeichen_Zeichen(ComboSatz->currentData().toString());
    Liste->clear();
    for (QChar c : zeichen)
        Liste->addItem(QStringLiteral(" ") + c);
    if (Liste->count() > 0)
        Liste->setCurrentRow(0);
    Liste->setFocus();
    Form_Resize();
}

void Sonderzeichen::befKopieren_Click()
{
    const QListWidgetItem* eintrag = Liste->currentItem();
    if (!eintrag || eintrag->text().size() < 2)
        return;
    Text->setText(Text->text() + eintrag->text().at(1));
    Text->setCursorPosition(int(Text->text().size()));
}

void Sonderzeichen::befLoeschen_Click()
{
    Text->clear();
}

void Sonderzeichen::BefOk_Click()
{
    done(QDialog::Accepted);
}

void Sonderzeichen::befAbbruch_Click()
{
    Text->clear();
    done(QDialog::Rejected);
}

void Sonderzeichen::reject()
{
    befAbbruch_Click();
}

void Sonderzeichen::closeEvent(QCloseEvent* e)
{
    e->ignore();
    befAbbruch_Click();
}

bool Sonderzeichen::eventFilter(QObject* o, QEvent* e)
{
    if (o == Liste->viewport() && e->type() == QEvent::Resize)
        Raster_Setzen();
    if (o == Liste && e->type() == QEvent::KeyPress) {
        const int taste = static_cast<QKeyEvent*>(e)->key();
        if (taste == Qt::Key_Space || taste == Qt::Key_Return || taste == Qt::Key_Enter) {
            befKopieren_Click();
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

void Sonderzeichen::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    Form_Resize();
}

void Sonderzeichen::Form_Resize()
{
    const int iw = width();
    const int ih = height();
    const int h1 = BefAbbruch->y() + BefAbbruch->height();
    int hoehe = h1 >= 0 ? h1 : Liste->height();
    if (ih - 2 * Liste->y() >= 0)
        hoehe = ih - 2 * Liste->y();
    const int breite = iw - Liste->x() - px(120);
    Liste->resize(breite >= 0 ? breite : Liste->width(), hoehe);
    Raster_Setzen();
}

void Sonderzeichen::Raster_Setzen()
{
    // Eight columns share the list's width and the rows its height; what is
    // left over below the last whole row stays free, so no cell is cut at the
    // right or the bottom edge. A cell is never smaller than its character.
    auto* liste = static_cast<ZeichenListe*>(Liste);
    const int breite = Liste->viewport()->width();
    const int hoehe = Liste->viewport()->height() + liste->untenFrei();
    const QFontMetrics fm(Liste->font());
    const int zelleBreite = fm.horizontalAdvance(QStringLiteral(" W")) + 4;
    const int zelleHoehe = fm.height() + 6;
    const int zeilen = qMax(1, hoehe / zelleHoehe);
    const QSize raster(qMax(zelleBreite, breite / 8), qMax(zelleHoehe, hoehe / zeilen));
    if (Liste->gridSize() != raster)
        Liste->setGridSize(raster);
    const int frei = qMax(0, hoehe - zeilen * raster.height());
    if (liste->untenFrei() != frei)
        liste->setUntenFrei(frei);
}

bool Sonderzeichen_Einfuegen(zadressbuch::Fenster& fenster)
{
    using namespace zadressbuch;
    // Where the user was, read before the picker takes the focus.
    const Eingabestelle stelle = Eingabestelle_Ermitteln(fenster, false);
    if (stelle.suchfeld() && !stelle.steuerelement) {
        zcommon::Meldung(QStringLiteral("#SystemExclamation"),
                         QStringLiteral("Bitte setzen Sie zuerst den Cursor in ein Eingabefeld."), 48);
        return false;
    }
    if (stelle.gesperrt) {
        zcommon::Ton_Ausgeben(QStringLiteral("#SystemHand"));
        return false;
    }

    QString einfuegen;
    {
        Sonderzeichen s(dynamic_cast<QWidget*>(&fenster));
        s.exec();
        einfuegen = s.Text->text();
    }
    if (einfuegen.isEmpty())
        return false;

    if (stelle.suchfeld()) {
        // The search box had the focus last: the characters go there (its
        // own limit cuts them), the card stays as it is.
        auto* suche = static_cast<QLineEdit*>(stelle.steuerelement);
        suche->setFocus(Qt::OtherFocusReason);
        suche->setSelection(stelle.anfang, stelle.laenge);
        suche->insert(einfuegen);
        return true;
    }

    const int feld = stelle.feld;
    const QString alt = fenster.FeldText(feld);
    const int anfang = stelle.anfang < 0 ? int(alt.size()) : qMin(stelle.anfang, int(alt.size()));
    fenster.FeldEinsetzen(feld, anfang, stelle.laenge, einfuegen);
    const QString neu = fenster.FeldText(feld);
    if (neu == alt)
        return false; // nothing fitted into the field
    fenster.Adresse_Uebernehmen(0);
    fenster.Feld_Fokus(feld);
    // The cursor behind what went in.
    Eingabestelle_CursorSetzen(stelle, anfang + int(neu.size() - alt.size()) + stelle.laenge);
    return true;
}

} // namespace zbefehle
