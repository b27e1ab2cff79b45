#include "commands/ui/tips.h"
#include "common/ui/hilfetaste.h"

#include "commands/info.h"
#include "commands/tipps.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zbefehle {

Tips::Tips(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Tips"));
    setWindowTitle(QStringLiteral("Willkommen"));
    setModal(true);
    TipsDatei = Tips_Datei();

    bezTip0 = new QLabel(QStringLiteral("Wussten Sie schon..."), this);
    bezTip0->setObjectName(QStringLiteral("bezTip0"));
    QFont fett = bezTip0->font();
    fett.setBold(true);
    fett.setPointSizeF(fett.pointSizeF() * 1.3);
    bezTip0->setFont(fett);
    bezTip = new QLabel(QStringLiteral("Tipp"), this);
    bezTip->setObjectName(QStringLiteral("bezTip"));
    bezTip->setWordWrap(true);
    bezTip->setMinimumSize(360, 120);
    bezTip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    bezTip->setTextInteractionFlags(Qt::TextSelectableByMouse);
    befNext = new QPushButton(QStringLiteral("&Nächster Tipp"), this);
    befNext->setObjectName(QStringLiteral("befNext"));
    befAbbrechen = new QPushButton(QStringLiteral("&Schließen"), this);
    befAbbrechen->setObjectName(QStringLiteral("befAbbrechen"));
    befAbbrechen->setDefault(true);
    strgAutoTip = new QCheckBox(QStringLiteral("&Tipps bei jedem Programm-Start anzeigen"), this);
    strgAutoTip->setObjectName(QStringLiteral("strgAutoTip"));

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(strgAutoTip);
    knoepfe->addStretch();
    knoepfe->addWidget(befNext);
    knoepfe->addWidget(befAbbrechen);
    auto* haupt = new QVBoxLayout(this);
    haupt->addWidget(bezTip0);
    haupt->addWidget(bezTip, 1);
    haupt->addLayout(knoepfe);

    // Every change of the box is written at once, also one made by the form:
    // ticking it for the stored setting writes "1" here already.
    connect(strgAutoTip, &QCheckBox::toggled, this, [](bool an) { AutoTip_Setzen(an); });
    strgAutoTip->setChecked(AutoTip_An());
    connect(befNext, &QPushButton::clicked, this, &Tips::befNext_Click);
    connect(befAbbrechen, &QPushButton::clicked, this, &Tips::befAbbrechen_Click);
    zcommon::HilfeTaste_Anmelden(this, QStringLiteral("tipps"));
    befNext_Click();
}

void Tips::befNext_Click()
{
    const Tipp t = Tipp_Naechster(TipsDatei, Programm_Version().major);
    if (t.keine) {
        KeineTipps_Anzeigen();
        return;
    }
    bezTip0->setText(t.frage);
    setWindowTitle(t.kopf);
    bezTip->setText(t.text);
}

void Tips::KeineTipps_Anzeigen()
{
    bezTip0->setText(QStringLiteral("Keine Tipps gefunden!"));
    bezTip->setText(QString());
    befNext->setEnabled(false);
    if (strgAutoTip->isChecked())
        strgAutoTip->setChecked(false);
    else
        AutoTip_Setzen(false);
}

void Tips::befAbbrechen_Click()
{
    done(QDialog::Rejected);
}

void Tips::closeEvent(QCloseEvent* e)
{
    e->ignore();
    befAbbrechen_Click();
}

} // namespace zbefehle
