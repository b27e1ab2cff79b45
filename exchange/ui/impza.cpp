#include "exchange/ui/impza.h"
#include "common/ui/hilfetaste.h"

#include "addressbook/sitzung.h"
#include "exchange/import.h"
#include "platform/plattform.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zaustausch {

ImpZA::ImpZA(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ImpZA"));
    setWindowTitle(QStringLiteral("Import einer Adresse aus der Zwischenablage"));
    setModal(true);

    QStringList ziele{QStringLiteral("(nicht verwenden)")};
    for (const QString& b : zadressbuch::sitzung().Bezeichnungen)
        ziele << b;
    const QStringList zeilen = Zwischenablage_Zeilen(zplatform::plattform().zwischenablage());

    auto* raster = new QGridLayout;
    raster->addWidget(new QLabel(QStringLiteral("Zeile der Zwischenablage"), this), 0, 0);
    raster->addWidget(new QLabel(QStringLiteral("übernehmen in Feld"), this), 0, 1);
    for (int i = 0; i < 8; ++i) {
        Feld[i] = new QLineEdit(zeilen.value(i), this);
        Feld[i]->setObjectName(QStringLiteral("Feld_%1").arg(i));
        Feld[i]->setMinimumWidth(260);
        KombiFeldZiel[i] = new QComboBox(this);
        KombiFeldZiel[i]->setObjectName(QStringLiteral("KombiFeldZiel_%1").arg(i));
        KombiFeldZiel[i]->addItems(ziele);
        KombiFeldZiel[i]->setCurrentIndex(0);
        raster->addWidget(Feld[i], i + 1, 0);
        raster->addWidget(KombiFeldZiel[i], i + 1, 1);
    }
    strgAbbruch = new QCheckBox(this);
    strgAbbruch->setObjectName(QStringLiteral("strgAbbruch"));
    strgAbbruch->hide();
    strgAbbruch->setChecked(true);
    befOk = new QPushButton(QStringLiteral("&Ok"), this);
    befOk->setObjectName(QStringLiteral("befOk"));
    befOk->setDefault(true);
    befAbbrechen = new QPushButton(QStringLiteral("&Abbrechen"), this);
    befAbbrechen->setObjectName(QStringLiteral("befAbbrechen"));
    befAbbrechen->setAutoDefault(false);
    connect(befOk, &QPushButton::clicked, this, &ImpZA::befOk_Click);
    connect(befAbbrechen, &QPushButton::clicked, this, &ImpZA::befAbbrechen_Click);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(befOk);
    knoepfe->addWidget(befAbbrechen);
    auto* haupt = new QVBoxLayout(this);
    haupt->addLayout(raster);
    haupt->addLayout(knoepfe);
    zcommon::HilfeTaste_Anmelden(this, QStringLiteral("import-zwischenablage"));
}

void ImpZA::befOk_Click()
{
    strgAbbruch->setChecked(false);
    done(QDialog::Accepted);
}

void ImpZA::befAbbrechen_Click()
{
    strgAbbruch->setChecked(true);
    done(QDialog::Rejected);
}

void ImpZA::closeEvent(QCloseEvent* e)
{
    e->ignore();
    befAbbrechen_Click();
}

void ImpZA::reject()
{
    befAbbrechen_Click();
}

} // namespace zaustausch
