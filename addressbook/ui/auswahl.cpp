#include "addressbook/ui/auswahl.h"

#include "common/kollation.h"
#include "common/ui/hilfetaste.h"
#include "platform/ui/twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <algorithm>
#include <string_view>

namespace zadressbuch {

namespace {

constexpr int SchluesselRolle = Qt::UserRole + 1;

QString schluessel(const QString& text)
{
    const std::u16string k = zcommon::Vergleichsschluessel(text);
    return QString(reinterpret_cast<const QChar*>(k.data()), qsizetype(k.size()));
}

std::u16string_view ansicht(const QString& s)
{
    return std::u16string_view(reinterpret_cast<const char16_t*>(s.constData()), size_t(s.size()));
}

QListWidgetItem* eintrag(const QString& text, const QString& k)
{
    auto* item = new QListWidgetItem(text);
    item->setData(SchluesselRolle, k);
    return item;
}

// Design layout of the form, in twips.
constexpr int DesignBreite = 3285;
constexpr int DesignHoehe = 5070;

int px(double twips)
{
    return zplatform::twipsZuPixel(twips);
}

double tw(int pixel)
{
    return zplatform::pixelZuTwips(pixel);
}

// The main window of the program (objectName "Main"), if one exists.
QWidget* hauptfenster()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("Main") && !w->isHidden())
            return w;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("Main"))
            return w;
    return nullptr;
}

} // namespace

// --- AuswahlListe ------------------------------------------------------------------

AuswahlListe::AuswahlListe(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::MultiSelection);
    setSortingEnabled(false); // sorted by AddItem, with the German collation
}

void AuswahlListe::AddItem(const QString& text)
{
    const QString k = schluessel(text);
    const std::u16string_view kv = ansicht(k);
    // Behind every entry that sorts equal, so equal texts keep their order.
    int lo = 0, hi = count();
    while (lo < hi) {
        const int mitte = (lo + hi) / 2;
        const QString km = item(mitte)->data(SchluesselRolle).toString();
        if (ansicht(km) <= kv)
            lo = mitte + 1;
        else
            hi = mitte;
    }
    insertItem(lo, eintrag(text, k));
}

void AuswahlListe::addItems(const QStringList& texte)
{
    if (count() != 0) {
        for (const QString& t : texte)
            AddItem(t);
        return;
    }
    struct Paar
    {
        QString text, k;
    };
    std::vector<Paar> paare;
    paare.reserve(size_t(texte.size()));
    for (const QString& t : texte)
        paare.push_back({t, schluessel(t)});
    std::stable_sort(paare.begin(), paare.end(),
                     [](const Paar& a, const Paar& b) { return ansicht(a.k) < ansicht(b.k); });
    setUpdatesEnabled(false);
    for (const Paar& p : paare)
        QListWidget::addItem(eintrag(p.text, p.k));
    setUpdatesEnabled(true);
}

void AuswahlListe::Clear()
{
    clear();
    setListIndex(-1);
}

QString AuswahlListe::List(int i) const
{
    const QListWidgetItem* it = item(i);
    return it ? it->text() : QString();
}

int AuswahlListe::ListIndex() const
{
    return currentRow();
}

void AuswahlListe::setListIndex(int i)
{
    const QModelIndex index = (i >= 0 && i < count()) ? model()->index(i, 0) : QModelIndex();
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
}

bool AuswahlListe::Selected(int i) const
{
    const QListWidgetItem* it = item(i);
    return it && it->isSelected();
}

void AuswahlListe::setSelected(int i, bool an)
{
    if (QListWidgetItem* it = item(i))
        it->setSelected(an);
}

void AuswahlListe::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        event->accept();
        Q_EMIT rechtsKlick();
        return;
    }
    if (event->button() != Qt::LeftButton) {
        event->accept(); // other buttons neither select nor move the current entry
        return;
    }
    // The press on an entry toggles it (as the list box's click does); the
    // click handler then sees the new selection at once.
    const bool aufEintrag = itemAt(event->position().toPoint()) != nullptr;
    QListWidget::mousePressEvent(event);
    if (aufEintrag)
        Q_EMIT klick();
}

void AuswahlListe::mouseMoveEvent(QMouseEvent* event)
{
    // No selection by dragging: a click toggles one entry, nothing more.
    if (event->buttons() != Qt::NoButton) {
        event->accept();
        return;
    }
    QListWidget::mouseMoveEvent(event);
}

void AuswahlListe::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QListWidget::mouseReleaseEvent(event);
}

void AuswahlListe::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QListWidget::mouseDoubleClickEvent(event);
}

void AuswahlListe::keyPressEvent(QKeyEvent* event)
{
    const int zeileVorher = currentRow();
    const QModelIndexList vorher = selectionModel()->selectedIndexes();
    QListWidget::keyPressEvent(event);
    // A move of the current entry (arrow keys, Home, End ...), Space and
    // select-all count as the list's click: in single choice the current
    // entry becomes the one selected entry, as the list box did.
    const QModelIndexList nachher = selectionModel()->selectedIndexes();
    const bool auswahlGeaendert =
        nachher.size() != vorher.size() ||
        !std::all_of(nachher.cbegin(), nachher.cend(), [&vorher](const QModelIndex& i) { return vorher.contains(i); });
    if (auswahlGeaendert || (currentRow() != zeileVorher && currentRow() >= 0))
        Q_EMIT klick();
}

// --- Auswahl ------------------------------------------------------------------------

Auswahl& Auswahl::instanz()
{
    // Never unloaded during the run; a parentless form outlives every window.
    static QPointer<Auswahl> form;
    if (form.isNull())
        form = new Auswahl();
    return *form;
}

Auswahl::Auswahl(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Auswahl"));
    setWindowTitle(QStringLiteral("Auswahl"));
    zcommon::HilfeTaste_Anmelden(this, QStringLiteral("auswahl"));
    setModal(true);
    setSizeGripEnabled(true);

    Liste = new AuswahlListe(this);
    Liste->setObjectName(QStringLiteral("Liste"));
    BefOk = new QPushButton(QStringLiteral("Über&nehmen"), this);
    BefOk->setObjectName(QStringLiteral("BefOk"));
    BefOk->setDefault(true);
    BefOk->setAutoDefault(true);
    BefOk->setEnabled(false);
    BefAbbruch = new QPushButton(QStringLiteral("&Abbruch"), this);
    BefAbbruch->setObjectName(QStringLiteral("BefAbbruch"));
    BefAbbruch->setAutoDefault(false);
    CheckSingle = new QCheckBox(QStringLiteral("SingleSelect"), this);
    CheckSingle->setObjectName(QStringLiteral("CheckSingle"));
    CheckSingle->setChecked(true);
    CheckSingle->setVisible(false);

    Liste->setGeometry(px(120), px(120), px(3015), px(4560 - 120 - 120));
    BefOk->setGeometry(px(120), px(4560), px(1215), px(375));
    BefAbbruch->setGeometry(px(1920), px(4560), px(1215), px(375));
    setTabOrder(Liste, BefOk);
    setTabOrder(BefOk, BefAbbruch);

    setMinimumSize(px(1200), px(900));
    resize(px(DesignBreite), px(DesignHoehe));

    connect(Liste, &AuswahlListe::klick, this, &Auswahl::Liste_Click);
    connect(Liste, &AuswahlListe::rechtsKlick, this, &Auswahl::Liste_RechtsKlick);
    connect(Liste, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem*) { Liste_DblClick(); });
    connect(BefOk, &QPushButton::clicked, this, &Auswahl::BefOk_Click);
    connect(BefAbbruch, &QPushButton::clicked, this, &Auswahl::befAbbruch_Click);
}

int Auswahl::zeigen()
{
    if (!m_geladen)
        Form_Load();
    exec();
    return Liste->ListIndex();
}

QStringList Auswahl::ausgewaehlt() const
{
    QStringList texte;
    for (int i = 0; i < Liste->ListCount(); ++i)
        if (Liste->Selected(i))
            texte << Liste->List(i);
    return texte;
}

void Auswahl::Form_Load()
{
    m_geladen = true;
    QWidget* main = hauptfenster();
    if (!main)
        return;
    const QRect m = main->frameGeometry();
    // The frame 90 % of the main window's height, centred on it; the width stays.
    const int rahmen = frameGeometry().height() - height();
    const int hoehe = std::max(minimumHeight(), int(m.height() * 0.9) - std::max(0, rahmen));
    resize(width(), hoehe);
    const int aussenBreite = width() + (frameGeometry().width() - geometry().width());
    const int aussenHoehe = hoehe + std::max(0, rahmen);
    move(m.left() + (m.width() - aussenBreite) / 2, m.top() + (m.height() - aussenHoehe) / 2);
}

void Auswahl::Liste_Click()
{
    if (CheckSingle->isChecked()) {
        const int i0 = Liste->ListIndex();
        for (int i = 0; i < Liste->ListCount(); ++i)
            Liste->setSelected(i, i == i0);
    }
    BefOk->setEnabled(true);
}

void Auswahl::Liste_DblClick()
{
    BefOk_Click();
}

void Auswahl::Liste_RechtsKlick()
{
    Liste->setListIndex(-1);
    Liste->clearSelection();
}

void Auswahl::BefOk_Click()
{
    CheckSingle->setChecked(true);
    BefOk->setEnabled(false);
    done(QDialog::Accepted);
}

void Auswahl::befAbbruch_Click()
{
    Liste->setListIndex(-1);
    Liste->clearSelection();
    BefOk_Click();
}

void Auswahl::closeEvent(QCloseEvent* event)
{
    // The title bar's close button (or any other close): the form stays
    // loaded and acts as cancel.
    event->ignore();
    if (isVisible())
        befAbbruch_Click();
}

void Auswahl::reject()
{
    // Esc
    befAbbruch_Click();
}

void Auswahl::showEvent(QShowEvent* event)
{
    if (!m_geladen)
        Form_Load();
    QDialog::showEvent(event);
}

void Auswahl::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    anordnen();
}

void Auswahl::anordnen()
{
    if (!Liste || !BefOk || !BefAbbruch)
        return;
    const double W = tw(width());
    const double H = tw(height());
    const double m = tw(BefOk->x());
    if (W > 2800) {
        const double breite = W - 2 * tw(Liste->x());
        if (breite >= 0)
            Liste->resize(px(breite), Liste->height());
        BefAbbruch->move(px(W - tw(BefAbbruch->width()) - m), BefAbbruch->y());
    }
    if (H > 1800) {
        const double oben = H - tw(BefOk->height()) - m;
        BefOk->move(BefOk->x(), px(oben));
        BefAbbruch->move(BefAbbruch->x(), BefOk->y());
        const double hoehe = oben - m - tw(Liste->y());
        if (hoehe >= 0)
            Liste->resize(Liste->width(), px(hoehe));
    }
}

} // namespace zadressbuch
