#include "exchange/ui/telewahl.h"
#include "common/ui/hilfetaste.h"

#include "common/meldungen.h"
#include "exchange/weiterleitung.h"
#include "platform/plattform.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zaustausch {

Telewahl::Telewahl(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Telewahl"));
    setWindowTitle(QStringLiteral("Telefonnummer wählen"));
    setModal(true);
    txtNummer = new QLineEdit(this);
    txtNummer->setObjectName(QStringLiteral("txtNummer"));
    txtNummer->setMinimumWidth(280);
    QFont gross = txtNummer->font();
    gross.setPointSizeF(gross.pointSizeF() * 1.5);
    txtNummer->setFont(gross);
    bezStatus = new QLabel(this);
    bezStatus->setObjectName(QStringLiteral("bezStatus"));
    bezStatus->setWordWrap(true);
    befWaehlen = new QPushButton(QStringLiteral("&Wählen"), this);
    befWaehlen->setObjectName(QStringLiteral("befWaehlen"));
    befWaehlen->setDefault(true);
    befKopieren = new QPushButton(QStringLiteral("&Kopieren"), this);
    befKopieren->setObjectName(QStringLiteral("befKopieren"));
    befKopieren->setAutoDefault(false);
    befAbbrechen = new QPushButton(QStringLiteral("&Schließen"), this);
    befAbbrechen->setObjectName(QStringLiteral("befAbbrechen"));
    befAbbrechen->setAutoDefault(false);
    connect(befWaehlen, &QPushButton::clicked, this, &Telewahl::befWaehlen_Click);
    connect(befKopieren, &QPushButton::clicked, this, &Telewahl::befKopieren_Click);
    connect(befAbbrechen, &QPushButton::clicked, this, &QDialog::reject);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(befWaehlen);
    knoepfe->addWidget(befKopieren);
    knoepfe->addStretch();
    knoepfe->addWidget(befAbbrechen);
    auto* haupt = new QVBoxLayout(this);
    haupt->addWidget(new QLabel(QStringLiteral("Zu wählende Nummer:"), this));
    haupt->addWidget(txtNummer);
    haupt->addWidget(bezStatus);
    haupt->addLayout(knoepfe);
    zcommon::HilfeTaste_Anmelden(this, QStringLiteral("waehlen"));
}

void Telewahl::befWaehlen_Click()
{
    const QString adresse = Telefon_Adresse(txtNummer->text());
    if (adresse.isEmpty()) {
        zcommon::Meldung(QStringLiteral("#SystemExclamation"), QStringLiteral("Keine Telefonnummer zum Wählen."),
                         zplatform::vbExclamation, windowTitle());
        return;
    }
    if (zplatform::plattform().adresseOeffnen(adresse)) {
        bezStatus->setText(QStringLiteral("Die Nummer wurde an das Telefonprogramm übergeben."));
        return;
    }
    if (zcommon::Meldung(QStringLiteral("#SystemQuestion"),
                         QStringLiteral("Kein Telefonprogramm hat die Nummer übernommen.~~Soll die Nummer in die "
                                        "Zwischenablage kopiert werden?"),
                         zplatform::vbYesNo + zplatform::vbQuestion, windowTitle()) == zplatform::vbYes)
        befKopieren_Click();
}

void Telewahl::befKopieren_Click()
{
    zplatform::plattform().zwischenablageSetzen(txtNummer->text().trimmed());
    bezStatus->setText(QStringLiteral("Die Nummer liegt in der Zwischenablage."));
}

} // namespace zaustausch
