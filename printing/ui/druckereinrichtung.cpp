#include "printing/ui/druckereinrichtung.h"

#include "common/texte.h"
#include "common/ui/hilfetaste.h"
#include "platform/drucker.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace zdruck {

namespace {

QString zentimeter(double cm)
{
    return zcommon::Format(cm, QStringLiteral("0.0"));
}

// "A4 (21,0 x 29,7 cm)", "Umschlag DL (11,0 x 22,0 cm)".
QString papierText(const zplatform::Papierformat& f)
{
    const QString name = QString::fromLatin1(f.name);
    const bool umschlag = name.startsWith(u'B') || name.startsWith(u'C') || name == QLatin1String("DL");
    return (umschlag ? QStringLiteral("Umschlag ") : QString()) + name + QStringLiteral(" (") + zentimeter(f.breite) +
           QStringLiteral(" x ") + zentimeter(f.hoehe) + QStringLiteral(" cm)");
}

} // namespace

Druckereinrichtung::Druckereinrichtung(QWidget* eltern) : QDialog(eltern)
{
    setObjectName(QStringLiteral("Druckereinrichtung"));
    setWindowTitle(QStringLiteral("Druckereinrichtung"));
    zcommon::HilfeTaste_Anmelden(this, QStringLiteral("druckereinrichtung"));
    setModal(true);
    auto* haupt = new QVBoxLayout(this);

    auto* rahmenDrucker = new QGroupBox(QStringLiteral("Drucker"), this);
    auto* ld = new QFormLayout(rahmenDrucker);
    ComboDrucker = new QComboBox(rahmenDrucker);
    ComboDrucker->setObjectName(QStringLiteral("ComboDrucker"));
    bezOrt = new QLabel(rahmenDrucker);
    bezOrt->setObjectName(QStringLiteral("bezOrt"));
    ld->addRow(QStringLiteral("&Name:"), ComboDrucker);
    ld->addRow(QStringLiteral("Ort:"), bezOrt);
    haupt->addWidget(rahmenDrucker);

    auto* unten = new QHBoxLayout;
    auto* rahmenPapier = new QGroupBox(QStringLiteral("Papier"), this);
    auto* lp = new QFormLayout(rahmenPapier);
    ComboPapier = new QComboBox(rahmenPapier);
    ComboPapier->setObjectName(QStringLiteral("ComboPapier"));
    lp->addRow(QStringLiteral("&Größe:"), ComboPapier);
    unten->addWidget(rahmenPapier, 1);
    auto* rahmenAusrichtung = new QGroupBox(QStringLiteral("Ausrichtung"), this);
    auto* la = new QVBoxLayout(rahmenAusrichtung);
    optAusrichtung[0] = new QRadioButton(QStringLiteral("&Hochformat"), rahmenAusrichtung);
    optAusrichtung[1] = new QRadioButton(QStringLiteral("&Querformat"), rahmenAusrichtung);
    for (int i = 0; i < 2; ++i) {
        optAusrichtung[i]->setObjectName(QStringLiteral("optAusrichtung_%1").arg(i));
        la->addWidget(optAusrichtung[i]);
    }
    unten->addWidget(rahmenAusrichtung);
    haupt->addLayout(unten);

    auto* knoepfe = new QHBoxLayout;
    BefOk = new QPushButton(QStringLiteral("OK"), this);
    BefOk->setObjectName(QStringLiteral("BefOk"));
    BefOk->setDefault(true);
    BefAbbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
    BefAbbrechen->setObjectName(QStringLiteral("BefAbbrechen"));
    knoepfe->addStretch();
    knoepfe->addWidget(BefOk);
    knoepfe->addWidget(BefAbbrechen);
    haupt->addLayout(knoepfe);

    // The current printer with its sheet and orientation.
    const zplatform::Drucker& d = zplatform::drucker();
    for (const zplatform::DruckerInfo& info : zplatform::druckerVerzeichnis().drucker())
        ComboDrucker->addItem(info.name, info.ort);
    const int aktuell = ComboDrucker->findText(d.geraetename());
    if (aktuell >= 0) {
        ComboDrucker->setCurrentIndex(aktuell);
    } else {
        ComboDrucker->insertItem(0, d.geraetename(), QString());
        ComboDrucker->setCurrentIndex(0);
    }
    const auto formate = zplatform::papierformate();
    const zplatform::Papierformat* blatt = zplatform::blattlage(d.papierBreite(), d.papierHoehe(), 1).format;
    if (!blatt) {
        ComboPapier->addItem(QStringLiteral("Wie eingestellt (") + zentimeter(d.papierBreite()) +
                                 QStringLiteral(" x ") + zentimeter(d.papierHoehe()) + QStringLiteral(" cm)"),
                             -1);
    }
    for (size_t i = 0; i < formate.size(); ++i) {
        ComboPapier->addItem(papierText(formate[i]), int(i));
        if (&formate[i] == blatt)
            ComboPapier->setCurrentIndex(ComboPapier->count() - 1);
    }
    // A sheet lying broad side first prints as its size turned.
    const bool breit = d.papierBreite() > d.papierHoehe();
    optAusrichtung[(d.ausrichtung() == 2) != (blatt && breit) ? 1 : 0]->setChecked(true);
    ComboDrucker_Click();

    connect(ComboDrucker, &QComboBox::currentIndexChanged, this, [this] { ComboDrucker_Click(); });
    connect(BefOk, &QPushButton::clicked, this, &Druckereinrichtung::BefOk_Click);
    connect(BefAbbrechen, &QPushButton::clicked, this, &QDialog::reject);
}

void Druckereinrichtung::ComboDrucker_Click()
{
    bezOrt->setText(ComboDrucker->currentData().toString());
}

void Druckereinrichtung::BefOk_Click()
{
    const QString name = ComboDrucker->currentText();
    if (name != zplatform::drucker().geraetename()) {
        if (std::unique_ptr<zplatform::Drucker> neu = zplatform::druckerVerzeichnis().erzeugen(name))
            zplatform::druckerSetzen(std::move(neu));
    }
    zplatform::Drucker& d = zplatform::drucker();
    d.setAusrichtung(optAusrichtung[1]->isChecked() ? 2 : 1);
    const int format = ComboPapier->currentData().toInt();
    const auto formate = zplatform::papierformate();
    if (format >= 0 && size_t(format) < formate.size())
        d.setPapierformat(formate[size_t(format)].breite, formate[size_t(format)].hoehe);
    accept();
}

} // namespace zdruck
