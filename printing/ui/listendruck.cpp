#include "printing/ui/listendruck.h"

#include "addressbook/adressliste.h"
#include "addressbook/sitzung.h"
#include "addressbook/ui/listenansicht.h"
#include "commands/ui/file.h"
#include "common/dateien.h"
#include "common/ini.h"
#include "common/meldungen.h"
#include "common/ui/hilfetaste.h"
#include "common/ui/listen.h"
#include "masks/masken.h"
#include "platform/plattform.h"
#include "printing/druckvorgabe.h"
#include "printing/ersetzung.h"
#include "printing/listendruck.h"
#include "printing/ui/druckauftrag.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include <algorithm>

namespace zdruck {

namespace {

const QString Titel = QStringLiteral("Adressen drucken");

QString lesen(const char* schluessel, const QString& vorgabe = QString())
{
    return zcommon::Ini_Lesen(QString(), QString(), QString::fromUtf8(schluessel), vorgabe);
}

zplatform::DruckSchrift druckSchrift(const QWidget* w)
{
    zplatform::DruckSchrift s;
    const QFont f = w->font();
    s.name = f.family();
    s.groesse = f.pointSizeF() > 0 ? f.pointSizeF() : 10.0;
    s.fett = f.bold();
    s.kursiv = f.italic();
    s.unterstrichen = f.underline();
    s.durchgestrichen = f.strikeOut();
    const QColor c = w->palette().color(QPalette::Text);
    s.farbe = unsigned(c.red()) | (unsigned(c.green()) << 8) | (unsigned(c.blue()) << 16);
    return s;
}

// Paints an entry as selected exactly when it is marked in the list.
class MarkierDelegate : public zadressbuch::ListenDelegate
{
public:
    using zadressbuch::ListenDelegate::ListenDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt = option;
        if (index.data(Qt::UserRole).toBool())
            opt.state |= QStyle::State_Selected;
        else
            opt.state &= ~QStyle::State_Selected;
        zadressbuch::ListenDelegate::paint(painter, opt, index);
    }
};

// A filter box that tells a pick from its drop-down list apart from the end
// of typing: the box reports Enter, or leaving it, on a typed text that
// equals an entry of its list as a pick too.
class FilterKombi : public QComboBox
{
public:
    using QComboBox::QComboBox;
    // True while Enter or the loss of the focus is handled: a pick reported
    // now is only the typed text.
    bool tippenEndet() const { return m_tippenEndet; }

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        const QScopedValueRollback merken(m_tippenEndet, e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter);
        QComboBox::keyPressEvent(e);
    }
    void focusOutEvent(QFocusEvent* e) override
    {
        const QScopedValueRollback merken(m_tippenEndet, true);
        QComboBox::focusOutEvent(e);
    }

private:
    bool m_tippenEndet = false;
};

} // namespace

// The dialog's list: the records and which of them are marked. Marks are kept
// here, not in the view's selection, so marking thousands of scattered
// entries at once costs one pass.
class Markierliste : public QAbstractListModel
{
public:
    explicit Markierliste(QObject* eltern) : QAbstractListModel(eltern) {}

    void setEintraege(const QStringList* eintraege)
    {
        beginResetModel();
        m_eintraege = eintraege;
        m_markiert.assign(size_t(eintraege->size()), 0);
        m_anzahl = 0;
        endResetModel();
    }
    int rowCount(const QModelIndex& eltern = QModelIndex()) const override
    {
        return eltern.isValid() || !m_eintraege ? 0 : int(m_eintraege->size());
    }
    QVariant data(const QModelIndex& index, int rolle) const override
    {
        if (!index.isValid() || !m_eintraege || index.row() >= m_eintraege->size())
            return QVariant();
        if (rolle == Qt::DisplayRole)
            return m_eintraege->at(index.row());
        if (rolle == Qt::UserRole)
            return bool(m_markiert[size_t(index.row())]);
        return QVariant();
    }
    bool markiert(int i) const { return i >= 0 && size_t(i) < m_markiert.size() && m_markiert[size_t(i)]; }
    void setMarkiert(int i, bool an)
    {
        if (i < 0 || size_t(i) >= m_markiert.size() || bool(m_markiert[size_t(i)]) == an)
            return;
        m_markiert[size_t(i)] = an;
        m_anzahl += an ? 1 : -1;
        Q_EMIT dataChanged(index(i), index(i), {Qt::UserRole});
    }
    void alleSetzen(std::vector<char> markiert)
    {
        m_markiert = std::move(markiert);
        m_anzahl = int(std::count(m_markiert.begin(), m_markiert.end(), char(1)));
        if (!m_markiert.empty())
            Q_EMIT dataChanged(index(0), index(int(m_markiert.size()) - 1), {Qt::UserRole});
    }
    const std::vector<char>& markierungen() const { return m_markiert; }
    int anzahl() const { return m_anzahl; }

private:
    const QStringList* m_eintraege = nullptr;
    std::vector<char> m_markiert;
    int m_anzahl = 0;
};

zbefehle::DateiWaehler& Listendruck::dateiWaehler()
{
    static zbefehle::DateiWaehler w = [](const zbefehle::DateiWahl& wahl) { return zbefehle::File::waehlen(wahl); };
    return w;
}

Listendruck::Listendruck(QWidget* eltern) : QDialog(eltern)
{
    setObjectName(QStringLiteral("Listendruck"));
    setWindowTitle(QStringLiteral("Adressenliste drucken"));
    zcommon::HilfeTaste_Anmelden(this, QStringLiteral("adressenliste"));
    resize(760, 520);

    auto* haupt = new QVBoxLayout(this);
    auto* leiste = new QMenuBar(this);
    haupt->setMenuBar(leiste);
    QMenu* mnuSetup = leiste->addMenu(QStringLiteral("&Einstellungen"));
    mnuSetup->setObjectName(QStringLiteral("mnuSetup"));
    mnuSetupSave = mnuSetup->addAction(QStringLiteral("Jetzt &sichern"));
    mnuSetupSave->setObjectName(QStringLiteral("mnuSetupSave"));

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    haupt->addWidget(SSTab1, 1);

    // Tab 1: the selection.
    auto* tab1 = new QWidget;
    auto* l1 = new QVBoxLayout(tab1);
    Rahmen1 = new QGroupBox(QStringLiteral("Auswahl-Optionen"), tab1);
    Rahmen1->setObjectName(QStringLiteral("Rahmen1"));
    auto* g = new QGridLayout(Rahmen1);
    auto* bez2 = new QLabel(QStringLiteral("Liste für User..."), Rahmen1);
    bez2->setObjectName(QStringLiteral("Bezeichnung2"));
    KombiName = new FilterKombi(Rahmen1);
    KombiName->setObjectName(QStringLiteral("KombiName"));
    KombiName->setEditable(true);
    KombiName->setInsertPolicy(QComboBox::NoInsert);
    BefLoescheNamen = new QPushButton(QStringLiteral("cls"), Rahmen1);
    BefLoescheNamen->setObjectName(QStringLiteral("BefLoescheNamen"));
    BefLoescheNamen->setToolTip(QStringLiteral("Löscht die Vorgabenliste"));
    auto* bez1 = new QLabel(QStringLiteral("Textfilter..."), Rahmen1);
    bez1->setObjectName(QStringLiteral("Bezeichnung1"));
    KombiFilter = new FilterKombi(Rahmen1);
    KombiFilter->setObjectName(QStringLiteral("KombiFilter"));
    KombiFilter->setEditable(true);
    KombiFilter->setInsertPolicy(QComboBox::NoInsert);
    BefLoescheFilter = new QPushButton(QStringLiteral("cls"), Rahmen1);
    BefLoescheFilter->setObjectName(QStringLiteral("BefLoescheFilter"));
    BefLoescheFilter->setToolTip(QStringLiteral("Löscht die Vorgabenliste"));
    bez2->setBuddy(KombiName);
    bez1->setBuddy(KombiFilter);
    g->addWidget(bez2, 0, 0);
    g->addWidget(KombiName, 0, 1);
    g->addWidget(BefLoescheNamen, 0, 2);
    g->addWidget(bez1, 1, 0);
    g->addWidget(KombiFilter, 1, 1);
    g->addWidget(BefLoescheFilter, 1, 2);
    auto* knoepfe = new QHBoxLayout;
    const char* auswahlTexte[3] = {"Ke&ine wählen", "A&lle wählen", "&Neuwahl"};
    for (int i = 0; i < 3; ++i) {
        BefAuswahl[i] = new QPushButton(QString::fromUtf8(auswahlTexte[i]), Rahmen1);
        BefAuswahl[i]->setObjectName(QStringLiteral("BefAuswahl_%1").arg(i));
        knoepfe->addWidget(BefAuswahl[i]);
        connect(BefAuswahl[i], &QPushButton::clicked, this, [this, i] { BefAuswahl_Click(i); });
    }
    g->addLayout(knoepfe, 2, 0, 1, 3);
    g->setColumnStretch(1, 1);
    l1->addWidget(Rahmen1);

    RahmenListe = new QGroupBox(tab1);
    RahmenListe->setObjectName(QStringLiteral("RahmenListe"));
    auto* lr = new QVBoxLayout(RahmenListe);
    Liste = new QListView(RahmenListe);
    Liste->setObjectName(QStringLiteral("Liste"));
    m_modell = new Markierliste(this);
    Liste->setModel(m_modell);
    Liste->setSelectionMode(QAbstractItemView::NoSelection);
    Liste->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Liste->setUniformItemSizes(true);
    Liste->installEventFilter(this);
    auto* delegat = new MarkierDelegate(Liste);
    delegat->setTabStops({83, 233, 363, 523, 558, 658, 758, 858, 958, 1058});
    Liste->setItemDelegate(delegat);
    lr->addWidget(Liste);
    l1->addWidget(RahmenListe, 1);
    SSTab1->addTab(tab1, QStringLiteral("Auswahl der Adressen"));
    // Enter in the dialog is "&Neuwahl" (the button becomes the dialog's
    // default only once its page belongs to the dialog); a button that has
    // the focus takes Enter itself.
    BefAuswahl[2]->setDefault(true);

    // Tab 2: the print options.
    auto* tab2 = new QWidget;
    auto* l2 = new QVBoxLayout(tab2);
    auto* rahmen2 = new QGroupBox(QStringLiteral("Listen-Typ (Maske)"), tab2);
    rahmen2->setObjectName(QStringLiteral("Rahmen2"));
    ComboMasken = new QComboBox(rahmen2);
    ComboMasken->setObjectName(QStringLiteral("ComboMasken"));
    (new QVBoxLayout(rahmen2))->addWidget(ComboMasken);
    auto* rahmen3 = new QGroupBox(QStringLiteral("Überschrift der Liste"), tab2);
    rahmen3->setObjectName(QStringLiteral("Rahmen3"));
    TxtUeberschrift = new QLineEdit(rahmen3);
    TxtUeberschrift->setObjectName(QStringLiteral("TxtUeberschrift"));
    TxtUeberschrift->setMaxLength(100);
    TxtUeberschrift->setAccessibleName(rahmen3->title());
    (new QVBoxLayout(rahmen3))->addWidget(TxtUeberschrift);
    auto* rahmen4 = new QGroupBox(QStringLiteral("Druckoptionen"), tab2);
    rahmen4->setObjectName(QStringLiteral("Rahmen4"));
    auto* l4 = new QVBoxLayout(rahmen4);
    ODruckenWaitForPage = new QCheckBox(QStringLiteral("Bestätigung der Seiten&wechsel"), rahmen4);
    ODruckenWaitForPage->setObjectName(QStringLiteral("ODruckenWaitForPage"));
    ODruckenSeiteProAdr = new QCheckBox(QStringLiteral("jede Adresse auf eine e&xtra Seite"), rahmen4);
    ODruckenSeiteProAdr->setObjectName(QStringLiteral("ODruckenSeiteProAdr"));
    l4->addWidget(ODruckenWaitForPage);
    l4->addWidget(ODruckenSeiteProAdr);
    l2->addWidget(rahmen2);
    l2->addWidget(rahmen3);
    l2->addWidget(rahmen4);
    l2->addStretch();
    SSTab1->addTab(tab2, QStringLiteral("Druck-Optionen"));

    TextPrnFont = new QLineEdit(this);
    TextPrnFont->setObjectName(QStringLiteral("TextPrnFont"));
    TextPrnFont->setFont(QFont(QStringLiteral("Arial"), 10));
    TextPrnFont->hide();

    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 100);
    ProgressBar->hide();
    haupt->addWidget(ProgressBar);

    auto* unten = new QHBoxLayout;
    Bef2Datei = new QPushButton(QStringLiteral("In Da&tei..."), this);
    Bef2Datei->setObjectName(QStringLiteral("Bef2Datei"));
    BefOk = new QPushButton(QStringLiteral("&Drucken..."), this);
    BefOk->setObjectName(QStringLiteral("BefOk"));
    BefAbbruch = new QPushButton(QStringLiteral("&Abbrechen"), this);
    BefAbbruch->setObjectName(QStringLiteral("BefAbbruch"));
    for (QPushButton* b : findChildren<QPushButton*>())
        b->setAutoDefault(true);
    unten->addWidget(Bef2Datei);
    unten->addStretch();
    unten->addWidget(BefOk);
    unten->addWidget(BefAbbruch);
    haupt->addLayout(unten);

    ZeitAutoPersBogen = new QTimer(this);
    ZeitAutoPersBogen->setObjectName(QStringLiteral("ZeitAutoPersBogen"));
    ZeitAutoPersBogen->setInterval(33);
    ZeitAutoPersBogen->setSingleShot(true);
    ZeitNeuauswahl = new QTimer(this);
    ZeitNeuauswahl->setObjectName(QStringLiteral("ZeitNeuauswahl"));
    ZeitNeuauswahl->setInterval(333);
    ZeitNeuauswahl->setSingleShot(true);

    connect(BefLoescheNamen, &QPushButton::clicked, this, [this] { KombiName->clear(); });
    connect(BefLoescheFilter, &QPushButton::clicked, this, [this] { KombiFilter->clear(); });
    // Only a pick from a box's list (by mouse or arrow keys) re-selects by
    // itself; Enter on a typed text is the default button's alone.
    for (QComboBox* k : {KombiName, KombiFilter}) {
        connect(k, &QComboBox::activated, this, [this, k] {
            if (!static_cast<FilterKombi*>(k)->tippenEndet())
                ZeitNeuauswahl->start();
        });
    }
    connect(ZeitNeuauswahl, &QTimer::timeout, this, [this] { BefAuswahl_Click(2); });
    connect(ZeitAutoPersBogen, &QTimer::timeout, this, &Listendruck::ZeitAutoPersBogen_Timer);
    connect(Liste, &QListView::clicked, this, [this](const QModelIndex& i) { Liste_Click(i.row()); });
    connect(Liste, &QListView::doubleClicked, this, [this](const QModelIndex& i) { Liste_DblClick(i.row()); });
    connect(mnuSetupSave, &QAction::triggered, this, &Listendruck::mnuSetupSave_Click);
    connect(ODruckenSeiteProAdr, &QCheckBox::toggled, this, [this](bool an) { TxtUeberschrift->setEnabled(!an); });
    connect(BefOk, &QPushButton::clicked, this, &Listendruck::BefOk_Click);
    connect(Bef2Datei, &QPushButton::clicked, this, &Listendruck::Bef2Datei_Click);
    connect(BefAbbruch, &QPushButton::clicked, this, &Listendruck::befAbbruch_Click);
    // The filter boxes take the text as typed: no completion from their
    // history. Enter in them goes on to the dialog's default button.
    for (QComboBox* k : {KombiName, KombiFilter})
        k->setCompleter(nullptr);

    Form_Load();
}

void Listendruck::Form_Load()
{
    zplatform::plattform().sanduhr(true);
    SSTab1->setCurrentIndex(0);
    const bool nurLesen = zadressbuch::sitzung().NurLesen;
    if (nurLesen) {
        Bef2Datei->setEnabled(false);
        BefLoescheNamen->setEnabled(false);
        BefLoescheFilter->setEnabled(false);
    }
    const zadressbuch::AdressListe& haupt = zadressbuch::adressliste();
    m_eintraege = haupt.eintraege();
    m_modell->setEintraege(&m_eintraege);
    const int aktuell = haupt.ListIndex();
    if (aktuell >= 0 && aktuell < m_eintraege.size()) {
        if (aktuell + 1 < m_eintraege.size())
            Liste->scrollTo(m_modell->index(aktuell + 1));
        Liste->setCurrentIndex(m_modell->index(aktuell));
        setSelected(aktuell, true);
        Liste->scrollTo(m_modell->index(aktuell));
    }

    ComboMasken->addItems(zmasken::Masken_Liste());
    const QString gemerkt = lesen("DruckMaske", QStringLiteral("Liste_Standard"));
    int wahl = -1;
    for (int i = 0; i < ComboMasken->count(); ++i) {
        if (ComboMasken->itemText(i).compare(gemerkt, Qt::CaseInsensitive) == 0)
            wahl = i;
    }
    if (wahl < 0 && ComboMasken->count() > 0)
        wahl = 0;
    ComboMasken->setCurrentIndex(wahl);

    TxtUeberschrift->setText(zadressbuch::sitzung().Beschreibung);
    zcommon::Liste_AusText(KombiName, lesen("PrnFürWen"), QStringLiteral(";"));
    zcommon::Liste_AusText(KombiFilter, lesen("PrnFilter"), QStringLiteral(";"));
    KombiName->setCurrentIndex(-1);
    KombiFilter->setCurrentIndex(-1);
    Anzahl_Anzeigen();
    zplatform::plattform().sanduhr(false);
}

int Listendruck::ListCount() const
{
    return int(m_eintraege.size());
}

bool Listendruck::Selected(int i) const
{
    return m_modell->markiert(i);
}

void Listendruck::setSelected(int i, bool an)
{
    m_modell->setMarkiert(i, an);
}

int Listendruck::ausgewaehlteAnzahl() const
{
    return m_modell->anzahl();
}

void Listendruck::Liste_Click(int zeile)
{
    if (zeile < 0 || zeile >= ListCount())
        return;
    setSelected(zeile, !Selected(zeile));
    Anzahl_Anzeigen();
}

bool Listendruck::eventFilter(QObject* o, QEvent* e)
{
    // Space marks or unmarks the current entry, as a click does.
    if (o == Liste && e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Space) {
        Liste_Click(Liste->currentIndex().row());
        return true;
    }
    return QDialog::eventFilter(o, e);
}

void Listendruck::keyPressEvent(QKeyEvent* e)
{
    // Enter that no focused button took is "&Neuwahl" on the print options'
    // page too, where the button itself is hidden with its page.
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (enter && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && !BefAuswahl[2]->isVisible()) {
        if (BefAuswahl[2]->isEnabled())
            BefAuswahl[2]->click();
        return;
    }
    QDialog::keyPressEvent(e);
}

void Listendruck::Anzahl_Anzeigen()
{
    const int n = ausgewaehlteAnzahl();
    const QString text = Anzahl_Text(n, ListCount());
    if (RahmenListe->title() != text)
        RahmenListe->setTitle(text);
    if (!zadressbuch::sitzung().NurLesen) {
        Bef2Datei->setEnabled(n != 0);
        BefOk->setEnabled(n != 0);
    }
}

void Listendruck::BefAuswahl_Click(int index)
{
    zplatform::plattform().sanduhr(true);
    ProgressBar->setValue(0);
    ProgressBar->show();
    const int anzahl = ListCount();
    const QString benutzer = KombiName->currentText();
    const QString filter = KombiFilter->currentText();
    std::vector<char> markiert(size_t(anzahl), 0);
    for (int i = 0; i < anzahl; ++i) {
        if (anzahl > 1 && (i % 256 == 0 || i == anzahl - 1))
            ProgressBar->setValue(i * 100 / (anzahl - 1));
        markiert[size_t(i)] = index == 1 || (index == 2 && Auswahl_Passt(m_eintraege.at(i), benutzer, filter));
    }
    m_modell->alleSetzen(std::move(markiert));
    if (index == 2) {
        zcommon::Kombi_Verlauf(KombiName, 20);
        zcommon::Kombi_Verlauf(KombiFilter, 20);
    }
    if (anzahl > 0) {
        Liste->selectionModel()->setCurrentIndex(m_modell->index(0), QItemSelectionModel::NoUpdate);
        const auto& m = m_modell->markierungen();
        const auto erste = std::find(m.begin(), m.end(), char(1));
        if (erste != m.end()) {
            const int zeile = int(erste - m.begin());
            Liste->selectionModel()->setCurrentIndex(m_modell->index(zeile), QItemSelectionModel::NoUpdate);
            Liste->scrollTo(m_modell->index(zeile));
        }
    }
    ProgressBar->hide();
    Anzahl_Anzeigen();
    zplatform::plattform().sanduhr(false);
}

void Listendruck::Liste_DblClick(int zeile)
{
    if (zeile < 0 || zeile >= ListCount() || ComboMasken->currentIndex() < 0)
        return;
    const QString text = zmasken::Maske_Ausfuellen(ComboMasken->currentText(), m_eintraege.at(zeile));
    zcommon::MsgBox(text, zplatform::vbInformation | zplatform::vbOKOnly, QStringLiteral("Adressen-Vorschau"));
}

void Listendruck::mnuSetupSave_Click()
{
    zcommon::Ini_Stapel stapel{QString()};
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("PrnFürWen"),
                           zcommon::Liste_AlsText(KombiName, QStringLiteral(";")));
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("PrnFilter"),
                           zcommon::Liste_AlsText(KombiFilter, QStringLiteral(";")));
    QString maske = ComboMasken->currentIndex() >= 0 ? ComboMasken->currentText() : QString();
    if (maske.right(4).compare(QLatin1String(".msk"), Qt::CaseInsensitive) == 0)
        maske.chop(4);
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("DruckMaske"), maske);
    zcommon::Ton_Ausgeben(QStringLiteral("#SystemExclamation"));
}

void Listendruck::ZeitAutoPersBogen_Timer()
{
    ZeitAutoPersBogen->stop();
    for (int i = 0; i < ComboMasken->count(); ++i) {
        if (ComboMasken->itemText(i).compare(QLatin1String("Personenbogen"), Qt::CaseInsensitive) == 0)
            ComboMasken->setCurrentIndex(i);
    }
    ODruckenSeiteProAdr->setChecked(true);
    BefOk_Click();
}

void Listendruck::BefOk_Click()
{
    if (ausgewaehlteAnzahl() == 0) {
        zcommon::Meldung(QStringLiteral("#SystemHand"),
                         QStringLiteral("Es sind keine Adressen zum Drucken ausgewählt!"),
                         zplatform::vbCritical | zplatform::vbOKOnly, Titel);
        return;
    }
    if (ComboMasken->currentIndex() < 0) {
        zcommon::Meldung(QStringLiteral("#SystemHand"), QStringLiteral("Bitte zuerst eine Maske auswählen."),
                         zplatform::vbCritical | zplatform::vbOKOnly, Titel);
        return;
    }
    const QString maske = ComboMasken->currentText();
    Druckauftrag auftrag(JobListe(maske), QStringLiteral("Drucken - Zettlora ") + maske);
    if (!auftrag.abfragen(this))
        return; // cancelled: nothing printed, the dialog stays open
    auftrag.beginnen(false);

    const QString schrift = zmasken::Maske_SchriftLesen(maske, zcommon::Schrift_AlsText(TextPrnFont));
    zcommon::Schrift_Setzen(TextPrnFont, schrift, QStringLiteral("Alles"));

    Listenlauf lauf;
    lauf.eintraege = &m_eintraege;
    const std::vector<char> gewaehlt = m_modell->markierungen();
    lauf.ausgewaehlt = [&gewaehlt](int i) { return gewaehlt[size_t(i)] != 0; };
    lauf.maske = maske;
    lauf.ueberschrift = TxtUeberschrift->text();
    lauf.seiteProAdresse = ODruckenSeiteProAdr->isChecked();
    lauf.schrift = druckSchrift(TextPrnFont);
    lauf.randX = auftrag.randX();
    lauf.randY = auftrag.randY();
    if (ODruckenWaitForPage->isChecked()) {
        lauf.seiteBestaetigen = [this](int seite) {
            return zcommon::MsgBox(
                       QStringLiteral("Drucke jetzt Seite %1 von »%2«.").arg(seite).arg(TxtUeberschrift->text()),
                       zplatform::vbInformation | zplatform::vbOKCancel,
                       QStringLiteral("Adressen-Ausdruck")) != zplatform::vbCancel;
        };
    }
    lauf.fortschritt = [this](int wert) { ProgressBar->setValue(wert); };
    bool fehlerAbbruch = false;
    lauf.fehler = [&fehlerAbbruch](const QString& grund) {
        QString text = QStringLiteral("Es ist ein Fehler beim Drucken aufgetreten.");
        if (!grund.isEmpty())
            text += QStringLiteral("~~") + grund;
        if (zcommon::Fehler_Melden(482, text, QStringLiteral("Listendruck")) == 5)
            return true;
        fehlerAbbruch = true;
        return false;
    };

    ProgressBar->show();
    zcommon::Steuerelemente_Sperren(this, false);
    for (int kopie = 1; kopie <= auftrag.kopien(); ++kopie) {
        if (!lauf.kopieDrucken() || lauf.druckStopp)
            break;
    }
    zcommon::Steuerelemente_Sperren(this, true);
    ProgressBar->hide();
    if (fehlerAbbruch) {
        auftrag.abbrechen();
        return; // the dialog stays open
    }
    if (!auftrag.beenden())
        return; // reported; the dialog stays open
    hide();
}

void Listendruck::Bef2Datei_Click()
{
    zbefehle::DateiWahl wahl;
    wahl.vorschlag = QStringLiteral("Auszug.Dat");
    wahl.kuerzel = QStringLiteral("Dat");
    wahl.laden = false;
    wahl.ordner = zcommon::Programm_Ordner();
    const QString pfad = dateiWaehler()(wahl);
    if (pfad.isEmpty())
        return;

    const bool neu = !zcommon::Datei_Existiert(pfad);
    QString beschreibung;
    if (neu) {
        beschreibung = zcommon::InputBox(
            QStringLiteral("Sie können noch eine Beschreibung der Datei »") + pfad +
                QStringLiteral("« festlegen. Wählen Sie Abbrechen, wenn Sie keine Beschreibung wünschen."),
            QStringLiteral("Datei-Beschreibung"), QStringLiteral("Auszug aus ") + zadressbuch::sitzung().Beschreibung);
    }
    QStringList zeilen;
    for (int i = 0; i < ListCount(); ++i) {
        if (Selected(i))
            zeilen << m_eintraege.at(i);
    }
    zplatform::plattform().sanduhr(true);
    QString ersetzt;
    const QString fehler =
        Auswahl_Exportieren(pfad, zeilen, neu, beschreibung, zadressbuch::sitzung().AdressDateiName, &ersetzt);
    zplatform::plattform().sanduhr(false);
    if (!fehler.isEmpty()) {
        zcommon::Fehler_Melden(
            75, QStringLiteral("Es ist ein Fehler beim Speichern der Adressliste aufgetreten.~~") + fehler,
            QStringLiteral("Listendruck"));
        return; // the dialog stays open
    }
    Ersetzte_Zeichen_Melden(pfad, ersetzt, QStringLiteral("Adressen in Datei schreiben"));
    hide();
}

void Listendruck::befAbbruch_Click()
{
    hide();
}

void Listendruck::closeEvent(QCloseEvent* e)
{
    e->ignore();
    befAbbruch_Click();
}

void Listendruck::reject()
{
    befAbbruch_Click();
}

} // namespace zdruck
