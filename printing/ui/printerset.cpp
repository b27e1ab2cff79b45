#include "printing/ui/printerset.h"

#include "addressbook/sitzung.h"
#include "common/meldungen.h"
#include "common/programme.h"
#include "common/texte.h"
#include "common/ui/hilfetaste.h"
#include "platform/drucker.h"
#include "platform/plattform.h"
#include "printing/druckvorgabe.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPointer>
#include <QVBoxLayout>

namespace zdruck {

namespace {

QPointer<PrinterSet>& geladen()
{
    static QPointer<PrinterSet> d;
    return d;
}

const QString& druckerName()
{
    static QString n;
    n = zplatform::drucker().geraetename();
    return n;
}

} // namespace

PrinterSet* PrinterSet::instanz()
{
    return geladen().data();
}

PrinterSet& PrinterSet::laden(QWidget* eltern)
{
    entladen();
    auto* d = new PrinterSet(eltern);
    geladen() = d;
    d->Form_Load();
    return *d;
}

void PrinterSet::entladen()
{
    if (PrinterSet* d = geladen().data()) {
        geladen() = nullptr;
        d->hide();
        delete d;
    }
}

PrinterSet::PrinterSet(QWidget* eltern) : QDialog(eltern)
{
    setObjectName(QStringLiteral("PrinterSet"));
    setWindowTitle(QStringLiteral("Drucken"));
    setModal(true);
    zcommon::HilfeTaste_Anmelden(this, zcommon::Hilfethema::Druckoptionen);

    auto* haupt = new QVBoxLayout(this);

    auto* rahmenDrucker = new QGroupBox(QStringLiteral("Drucker-Auswahl"), this);
    auto* ld = new QVBoxLayout(rahmenDrucker);
    ComboDrucker = new QComboBox(rahmenDrucker);
    ComboDrucker->setObjectName(QStringLiteral("ComboDrucker"));
    bezDrucker = new QLabel(rahmenDrucker);
    bezDrucker->setObjectName(QStringLiteral("bezDrucker"));
    bezDrucker->setMinimumHeight(bezDrucker->fontMetrics().height() * 3);
    bezDrucker->setToolTip(QStringLiteral("Doppelklick schaltet die Drucker-Auswahl ein oder aus"));
    bezDrucker->installEventFilter(this);
    ld->addWidget(ComboDrucker);
    ld->addWidget(bezDrucker);
    haupt->addWidget(rahmenDrucker);

    auto* mitte = new QHBoxLayout;
    auto* rahmenAusr = new QGroupBox(QStringLiteral("Ausrichtung"), this);
    auto* la = new QGridLayout(rahmenAusr);
    const char* ausrTexte[2] = {"&Hochformat", "&Querformat"};
    const char* ausrBilder[2] = {"\u25AF", "\u25AD"};
    for (int i = 0; i < 2; ++i) {
        optAusrichtung[i] = new QRadioButton(QString::fromUtf8(ausrTexte[i]), rahmenAusr);
        optAusrichtung[i]->setObjectName(QStringLiteral("optAusrichtung_%1").arg(i));
        imgAusrichtung[i] = new QLabel(QString::fromUtf8(ausrBilder[i]), rahmenAusr);
        imgAusrichtung[i]->setObjectName(QStringLiteral("imgAusrichtung_%1").arg(i));
        QFont f = imgAusrichtung[i]->font();
        f.setPointSize(f.pointSize() * 3);
        imgAusrichtung[i]->setFont(f);
        la->addWidget(optAusrichtung[i], i, 0);
        connect(optAusrichtung[i], &QRadioButton::toggled, this, [this, i](bool an) {
            if (an)
                optAusrichtung_Click(i);
        });
    }
    la->addWidget(imgAusrichtung[0], 0, 1, 2, 1);
    la->addWidget(imgAusrichtung[1], 0, 1, 2, 1);
    optAusrichtung[0]->setChecked(true);
    imgAusrichtung[1]->hide();
    mitte->addWidget(rahmenAusr);

    auto* rahmenRand = new QGroupBox(QStringLiteral("Ränder"), this);
    auto* lr = new QGridLayout(rahmenRand);
    ComboRandX = new QComboBox(rahmenRand);
    ComboRandX->setObjectName(QStringLiteral("ComboRandX"));
    ComboRandY = new QComboBox(rahmenRand);
    ComboRandY->setObjectName(QStringLiteral("ComboRandY"));
    auto* label1 = new QLabel(QStringLiteral("&Links"), rahmenRand);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setBuddy(ComboRandX);
    auto* label2 = new QLabel(QStringLiteral("&Oben"), rahmenRand);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setBuddy(ComboRandY);
    lr->addWidget(label1, 0, 0);
    lr->addWidget(ComboRandX, 0, 1);
    lr->addWidget(label2, 1, 0);
    lr->addWidget(ComboRandY, 1, 1);
    mitte->addWidget(rahmenRand);

    auto* rahmenAnzahl = new QGroupBox(QStringLiteral("Exemplare"), this);
    auto* lz = new QGridLayout(rahmenAnzahl);
    ComboAnzahl = new QComboBox(rahmenAnzahl);
    ComboAnzahl->setObjectName(QStringLiteral("ComboAnzahl"));
    bezAnzahl = new QLabel(QStringLiteral("An&zahl"), rahmenAnzahl);
    bezAnzahl->setObjectName(QStringLiteral("bezAnzahl"));
    bezAnzahl->setBuddy(ComboAnzahl);
    ImageAnzahl = new QLabel(QStringLiteral("\u2750"), rahmenAnzahl);
    ImageAnzahl->setObjectName(QStringLiteral("ImageAnzahl"));
    lz->addWidget(bezAnzahl, 0, 0);
    lz->addWidget(ComboAnzahl, 0, 1);
    lz->addWidget(ImageAnzahl, 1, 0, 1, 2);
    mitte->addWidget(rahmenAnzahl);
    haupt->addLayout(mitte);

    auto* rahmenBereich = new QGroupBox(QStringLiteral("Bereich"), this);
    auto* lb = new QHBoxLayout(rahmenBereich);
    optBereich[0] = new QRadioButton(QStringLiteral("&Alles"), rahmenBereich);
    optBereich[1] = new QRadioButton(QStringLiteral("&Markierung"), rahmenBereich);
    for (int i = 0; i < 2; ++i) {
        optBereich[i]->setObjectName(QStringLiteral("optBereich_%1").arg(i));
        lb->addWidget(optBereich[i]);
    }
    optBereich[0]->setChecked(true);
    optBereich[1]->setEnabled(false);
    haupt->addWidget(rahmenBereich);

    CheckSichern = new QCheckBox(QStringLiteral("Einstellungen sichern"), this);
    CheckSichern->setObjectName(QStringLiteral("CheckSichern"));
    CheckAutomatisch = new QCheckBox(QStringLiteral("Diesen Dialog künftig übergehen"), this);
    CheckAutomatisch->setObjectName(QStringLiteral("CheckAutomatisch"));
    Abbruch = new QCheckBox(QStringLiteral("Esc"), this);
    Abbruch->setObjectName(QStringLiteral("Abbruch"));
    Abbruch->hide();
    haupt->addWidget(CheckSichern);
    haupt->addWidget(CheckAutomatisch);

    auto* knoepfe = new QHBoxLayout;
    BefOk = new QPushButton(QStringLiteral("&Drucken"), this);
    BefOk->setObjectName(QStringLiteral("BefOk"));
    BefOk->setDefault(true);
    befAbbrechen = new QPushButton(QStringLiteral("Abbr&echen"), this);
    befAbbrechen->setObjectName(QStringLiteral("befAbbrechen"));
    knoepfe->addStretch();
    knoepfe->addWidget(BefOk);
    knoepfe->addWidget(befAbbrechen);
    haupt->addLayout(knoepfe);

    TimerAutoJob = new QTimer(this);
    TimerAutoJob->setObjectName(QStringLiteral("TimerAutoJob"));
    TimerAutoJob->setInterval(750);
    TimerAutoJob->setSingleShot(true);

    connect(BefOk, &QPushButton::clicked, this, &PrinterSet::BefOk_Click);
    connect(befAbbrechen, &QPushButton::clicked, this, &PrinterSet::befAbbrechen_Click);
    connect(TimerAutoJob, &QTimer::timeout, this, &PrinterSet::TimerAutoJob_Timer);
    connect(CheckAutomatisch, &QCheckBox::toggled, this, &PrinterSet::CheckAutomatisch_Click);
    connect(CheckSichern, &QCheckBox::toggled, this, &PrinterSet::CheckSichern_Click);
    connect(ComboDrucker, &QComboBox::currentIndexChanged, this, [this] { ComboDrucker_Click(); });
}

void PrinterSet::Form_Load()
{
    setWindowTitle(QStringLiteral("Drucken - Zettlora"));

    for (int i = 0; i < RandEintraege; ++i) {
        ComboRandX->addItem(Rand_Text(i));
        ComboRandY->addItem(Rand_Text(i));
    }
    ComboRandX->setCurrentIndex(0);
    ComboRandY->setCurrentIndex(0);
    for (int i = 1; i <= AnzahlEintraege; ++i)
        ComboAnzahl->addItem(QString::number(i));
    ComboAnzahl->setCurrentIndex(-1);

    if (Druckerauswahl_An()) {
        ComboDrucker->setEnabled(true);
        const QString aktuell = druckerName();
        const QSignalBlocker sperre(ComboDrucker);
        for (const zplatform::DruckerInfo& info : zplatform::druckerVerzeichnis().drucker()) {
            ComboDrucker->addItem(info.name);
            if (info.name == aktuell)
                ComboDrucker->setCurrentIndex(ComboDrucker->count() - 1);
        }
        if (ComboDrucker->currentIndex() < 0 && ComboDrucker->count() > 0)
            ComboDrucker->setCurrentIndex(0);
    } else {
        ComboDrucker->setEnabled(false);
        bezDrucker->setText(QStringLiteral("Drucker-Auswahl deaktiviert."));
    }

    if (zadressbuch::sitzung().NurLesen)
        CheckSichern->setEnabled(false);

    PresetLoad();
}

void PrinterSet::PresetLoad()
{
    const QString job = DruckJobName().trimmed();
    if (job.isEmpty())
        return;
    const bool mitDrucker = ComboDrucker->isEnabled();
    const Druckvorgabe v = Vorgabe_Laden(job, mitDrucker, druckerName());
    optBereich[v.bereich == 0 ? 0 : 1]->setChecked(true);
    optAusrichtung[v.ausrichtung == 0 ? 0 : 1]->setChecked(true);
    ComboRandX->setCurrentIndex(v.randX);
    ComboRandY->setCurrentIndex(v.randY);
    ComboAnzahl->setCurrentIndex(v.anzahl);
    if (mitDrucker) {
        const QSignalBlocker sperre(ComboDrucker);
        int gefunden = -1;
        for (int i = 0; i < ComboDrucker->count(); ++i) {
            if (ComboDrucker->itemText(i) == v.drucker)
                gefunden = i;
        }
        if (gefunden >= 0)
            ComboDrucker->setCurrentIndex(gefunden);
        else if (ComboDrucker->currentIndex() < 0 && ComboDrucker->count() > 0)
            ComboDrucker->setCurrentIndex(0);
    }
    ComboDrucker_Click();
    m_autoJob = v.automatisch;
}

void PrinterSet::PresetSave()
{
    Druckvorgabe v;
    const bool mitDrucker = ComboDrucker->isEnabled();
    if (mitDrucker)
        v.drucker = ComboDrucker->currentText();
    v.ausrichtung = optAusrichtung[0]->isChecked() ? 0 : 1;
    v.randX = std::max(0, ComboRandX->currentIndex());
    v.randY = std::max(0, ComboRandY->currentIndex());
    v.anzahl = std::max(0, ComboAnzahl->currentIndex());
    v.automatisch = CheckAutomatisch->isChecked();
    const QString fehler = Vorgabe_Sichern(DruckJobName(), v, mitDrucker);
    if (!fehler.isEmpty())
        zcommon::Meldung(QStringLiteral("#SystemHand"),
                         QStringLiteral("Die Druckeinstellungen für »%1« konnten nicht gespeichert werden:~%2")
                             .arg(zcommon::Woertlich(DruckJobName().trimmed()), zcommon::Woertlich(fehler)),
                         zplatform::vbOKOnly | zplatform::vbExclamation, QStringLiteral("Druckeinstellungen"));
}

void PrinterSet::BefOk_Click()
{
    TimerAutoJob->stop();
    m_autoJob = false;
    if (CheckSichern->checkState() != Qt::Unchecked)
        PresetSave();
    const QString wahl = ComboDrucker->currentText();
    if (ComboDrucker->isEnabled() && !wahl.isEmpty() && wahl != druckerName()) {
        for (const zplatform::DruckerInfo& info : zplatform::druckerVerzeichnis().drucker()) {
            if (info.name != wahl)
                continue;
            if (std::unique_ptr<zplatform::Drucker> d = zplatform::druckerVerzeichnis().erzeugen(info.name))
                zplatform::druckerSetzen(std::move(d));
        }
    }
    zplatform::plattform().ereignisseVerarbeiten();
    zplatform::drucker().setAusrichtung(optAusrichtung[0]->isChecked() ? 1 : 2);
    Abbruch->setChecked(false);
    hide();
}

void PrinterSet::befAbbrechen_Click()
{
    TimerAutoJob->stop();
    m_autoJob = false;
    Abbruch->setChecked(true);
    hide();
}

void PrinterSet::TimerAutoJob_Timer()
{
    TimerAutoJob->stop();
    if (!isVisible())
        return;
    if (zplatform::plattform().shiftGedrueckt()) {
        zcommon::Ton_Ausgeben(QStringLiteral("#SystemExclamation"));
        CheckSichern->setChecked(true);
        return;
    }
    BefOk_Click();
}

void PrinterSet::CheckAutomatisch_Click(bool an)
{
    if (!an)
        return;
    CheckSichern->setChecked(true);
    zcommon::MsgBox(QStringLiteral("Dieser Dialog wird zukünftig nicht mehr angezeigt.\n\n"
                                   "Wollen Sie dennoch einmal Änderungen vornehmen,\n"
                                   "so halten Sie beim Aufrufen der Druck-Funktion die Shift-Taste gedrückt."),
                    zplatform::vbInformation | zplatform::vbOKOnly, QStringLiteral("Druck-Optionen übergehen"));
}

void PrinterSet::CheckSichern_Click(bool an)
{
    if (!an && CheckAutomatisch->isChecked())
        CheckAutomatisch->setChecked(false);
    BefOk->setFocus();
}

void PrinterSet::ComboDrucker_Click()
{
    if (!ComboDrucker->isEnabled())
        return;
    const QString name = ComboDrucker->currentText();
    for (const zplatform::DruckerInfo& info : zplatform::druckerVerzeichnis().drucker()) {
        if (info.name == name) {
            bezDrucker->setText(QStringLiteral("Typ: ") + info.name + QStringLiteral("\n\nOrt: ") + info.ort);
            return;
        }
    }
    bezDrucker->clear();
}

void PrinterSet::bezDrucker_DblClick()
{
    const bool an = !Druckerauswahl_An();
    const QString fehler = Druckerauswahl_Setzen(an);
    if (!fehler.isEmpty()) {
        zcommon::Meldung(
            QStringLiteral("#SystemHand"),
            QStringLiteral("Die Druckerauswahl konnte nicht %1 werden:~%2")
                .arg(an ? QStringLiteral("aktiviert") : QStringLiteral("deaktiviert"), zcommon::Woertlich(fehler)),
            zplatform::vbOKOnly | zplatform::vbExclamation, QStringLiteral("Drucker-Auswahl"));
        return;
    }
    if (!an)
        zcommon::MsgBox(QStringLiteral("Die Druckerauswahl beim nächsten Aufruf deaktiviert."),
                        zplatform::vbInformation, QStringLiteral("Drucker-Auswahl deaktiviert"),
                        zcommon::Hilfethema::Druckoptionen);
    else
        zcommon::MsgBox(QStringLiteral("Die Druckerauswahl beim nächsten Aufruf aktiviert."), zplatform::vbInformation,
                        QStringLiteral("Drucker-Auswahl aktiviert"), zcommon::Hilfethema::Druckoptionen);
}

void PrinterSet::optAusrichtung_Click(int index)
{
    imgAusrichtung[index]->setVisible(true);
    imgAusrichtung[index == 0 ? 1 : 0]->setVisible(false);
}

void PrinterSet::Form_Paint()
{
    if (!ComboAnzahl->isEnabled()) {
        bezAnzahl->setEnabled(false);
        ImageAnzahl->setEnabled(false);
        ComboAnzahl->setCurrentIndex(0);
    }
    if (!optAusrichtung[0]->isEnabled())
        optAusrichtung[1]->setEnabled(false);
}

void PrinterSet::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Form_Paint();
    if (m_autoJob && !TimerAutoJob->isActive())
        TimerAutoJob->start();
}

void PrinterSet::closeEvent(QCloseEvent* e)
{
    // The close box cancels the job; the dialog stays loaded.
    e->ignore();
    befAbbrechen_Click();
}

void PrinterSet::reject()
{
    befAbbrechen_Click();
}

bool PrinterSet::eventFilter(QObject* o, QEvent* e)
{
    if (o == bezDrucker && e->type() == QEvent::MouseButtonDblClick) {
        bezDrucker_DblClick();
        return true;
    }
    return QDialog::eventFilter(o, e);
}

} // namespace zdruck
