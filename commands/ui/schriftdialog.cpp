#include "commands/ui/schriftdialog.h"

#include "common/ui/farbwahl.h"
#include "common/ui/hilfetaste.h"
#include "common/ui/listen.h"
#include "platform/ui/qtdrucker.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace zbefehle {

SchriftDialog::SchriftDialog(const QString& schrift, int kleinste, int groesste, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("StdDialog"));
    setWindowTitle(QStringLiteral("Schriftart"));
    zcommon::HilfeTaste_Anmelden(this, QStringLiteral("schriftart"));
    setModal(true);

    bezVorschau = new QLabel(QStringLiteral("AaBbYyZz ÄÖÜ äöüß 0123"), this);
    bezVorschau->setObjectName(QStringLiteral("bezVorschau"));
    // A sample box of its own size, as large fonts show clipped: the dialog
    // keeps its width and height at every size.
    bezVorschau->setFixedHeight(72);
    bezVorschau->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    bezVorschau->setAlignment(Qt::AlignCenter);
    bezVorschau->setFrameShape(QFrame::StyledPanel);
    zcommon::Schrift_Setzen(bezVorschau, schrift, QStringLiteral("Alles"));
    const QFont f = bezVorschau->font();

    kombiSchrift = new QFontComboBox(this);
    kombiSchrift->setObjectName(QStringLiteral("kombiSchrift"));
    kombiSchrift->setWritingSystem(QFontDatabase::Latin);
    kombiSchrift->setCurrentFont(f);
    txtGroesse = new QSpinBox(this);
    txtGroesse->setObjectName(QStringLiteral("txtGroesse"));
    txtGroesse->setRange(kleinste, groesste);
    txtGroesse->setValue(qBound(kleinste, int(f.pointSizeF() + 0.5), groesste));
    if (f.pointSizeF() >= kleinste && f.pointSizeF() <= groesste)
        m_vorgabeGroesse = f.pointSizeF();
    auto box = [this](const char* name, const QString& text, bool an) {
        auto* b = new QCheckBox(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setChecked(an);
        connect(b, &QCheckBox::toggled, this, &SchriftDialog::vorschauAktualisieren);
        return b;
    };
    strgFett = box("strgFett", QStringLiteral("&Fett"), f.bold());
    strgKursiv = box("strgKursiv", QStringLiteral("&Kursiv"), f.italic());
    strgUnterstrichen = box("strgUnterstrichen", QStringLiteral("&Unterstrichen"), f.underline());
    strgDurchgestrichen = box("strgDurchgestrichen", QStringLiteral("&Durchgestrichen"), f.strikeOut());
    befFarbe = new QPushButton(QStringLiteral("Fa&rbe..."), this);
    befFarbe->setObjectName(QStringLiteral("befFarbe"));
    connect(befFarbe, &QPushButton::clicked, this, [this] {
        const QColor alt = bezVorschau->palette().color(QPalette::WindowText);
        const QColor neu = zcommon::Farbe_Waehlen(alt, this, QStringLiteral("Schriftfarbe"));
        if (neu.isValid())
            setFarbe(neu);
    });
    connect(kombiSchrift, &QFontComboBox::currentFontChanged, this, &SchriftDialog::vorschauAktualisieren);
    connect(txtGroesse, &QSpinBox::valueChanged, this, &SchriftDialog::vorschauAktualisieren);

    befOk = new QPushButton(QStringLiteral("&Ok"), this);
    befOk->setObjectName(QStringLiteral("befOk"));
    befOk->setDefault(true);
    befAbbrechen = new QPushButton(QStringLiteral("&Abbrechen"), this);
    befAbbrechen->setObjectName(QStringLiteral("befAbbrechen"));
    connect(befOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(befAbbrechen, &QPushButton::clicked, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Schriftart:"), kombiSchrift);
    form->addRow(QStringLiteral("&Grad:"), txtGroesse);
    auto* effekte = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(strgFett), static_cast<QWidget*>(strgKursiv),
                       static_cast<QWidget*>(strgUnterstrichen), static_cast<QWidget*>(strgDurchgestrichen)})
        effekte->addWidget(w);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(befFarbe);
    knoepfe->addStretch();
    knoepfe->addWidget(befOk);
    knoepfe->addWidget(befAbbrechen);
    auto* haupt = new QVBoxLayout(this);
    haupt->addLayout(form);
    haupt->addLayout(effekte);
    haupt->addWidget(bezVorschau);
    haupt->addLayout(knoepfe);
    vorschauAktualisieren();
}

void SchriftDialog::setFarbe(const QColor& farbe)
{
    QPalette p = bezVorschau->palette();
    p.setColor(QPalette::WindowText, farbe);
    p.setColor(bezVorschau->foregroundRole(), farbe);
    bezVorschau->setPalette(p);
}

void SchriftDialog::vorschauAktualisieren()
{
    QFont f = kombiSchrift->currentFont();
    if (m_vorgabeGroesse > 0 && txtGroesse->value() == int(m_vorgabeGroesse + 0.5))
        f.setPointSizeF(m_vorgabeGroesse);
    else
        f.setPointSize(txtGroesse->value());
    f.setBold(strgFett->isChecked());
    f.setItalic(strgKursiv->isChecked());
    f.setUnderline(strgUnterstrichen->isChecked());
    f.setStrikeOut(strgDurchgestrichen->isChecked());
    bezVorschau->setFont(f);
}

QString SchriftDialog::schrift() const
{
    return zcommon::Schrift_AlsText(bezVorschau);
}

std::optional<QString> SchriftDialog::waehlen(QWidget* parent, const QString& schrift, int kleinste, int groesste)
{
    SchriftDialog d(schrift, kleinste, groesste, parent);
    if (d.exec() != QDialog::Accepted)
        return std::nullopt;
    return d.schrift();
}

bool SchriftDialog::fuerSteuerelement(QWidget* steuerelement, int kleinste, int groesste, QWidget* parent)
{
    QStringList vorgabe = zcommon::Schrift_AlsText(steuerelement).split(u';');
    vorgabe[0] = zplatform::druckFamilie(vorgabe[0]);
    SchriftDialog d(vorgabe.join(u';'), kleinste, groesste, parent);
    d.strgDurchgestrichen->setChecked(steuerelement->font().strikeOut());
    if (d.exec() != QDialog::Accepted)
        return false;
    // A stand-in font keeps the Windows name it stands for: settings, masks
    // and the print routines know that one.
    QStringList schrift = d.schrift().split(u';');
    schrift[0] = zplatform::schriftAnzeigename(schrift[0]);
    zcommon::Schrift_Setzen(steuerelement, schrift.join(u';'), QStringLiteral("Alles"));
    // A font text has no place for strikethrough: it is carried over apart.
    QFont f = steuerelement->font();
    f.setStrikeOut(d.strgDurchgestrichen->isChecked());
    steuerelement->setFont(f);
    return true;
}

} // namespace zbefehle
