#include "masks/ui/zaexport.h"

#include "addressbook/adressliste.h"
#include "addressbook/ui/kartenfeld.h"
#include "common/ui/hilfetaste.h"
#include "masks/masken.h"
#include "masks/maskeneditor.h"
#include "platform/plattform.h"
#include "platform/ui/twips.h"

#include <QCloseEvent>
#include <QMenu>
#include <QResizeEvent>

namespace zmasken {

namespace {

int px(double twips)
{
    return zplatform::twipsZuPixel(twips);
}

} // namespace

ZAexport::ZAexport(QWidget* hauptfenster) : QDialog(hauptfenster)
{
    setObjectName(QStringLiteral("ZAexport"));
    setWindowTitle(QStringLiteral("Anschrift in die Zwischenablage kopieren"));
    zcommon::HilfeTaste_Anmelden(this, QStringLiteral("anschrift-zwischenablage"));
    setModal(true);
    setSizeGripEnabled(true);

    Label1 = new QLabel(QStringLiteral("Maske"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    ComboMasken = new QComboBox(this);
    ComboMasken->setObjectName(QStringLiteral("ComboMasken"));
    ComboMasken->setEditable(false);
    Text = new zadressbuch::KartenText(11, this);
    Text->setObjectName(QStringLiteral("Text"));
    Text->setEingabegrenze(ZAexportGrenze);
    Text->setName(QStringLiteral("Anschrift"));
    Text->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text->rueckrufe.kontextmenue = [this](const QPoint& global) {
        QMenu* menue = Text->createStandardContextMenu();
        menue->exec(global);
        delete menue;
    };
    BefOk = new QPushButton(QStringLiteral("&Ok"), this);
    BefOk->setObjectName(QStringLiteral("BefOk"));
    BefOk->setAutoDefault(false);
    befAbbrechen = new QPushButton(QStringLiteral("&Abbrechen"), this);
    befAbbrechen->setObjectName(QStringLiteral("befAbbrechen"));
    befAbbrechen->setAutoDefault(false);

    Label1->setGeometry(px(120), px(120), px(1000), px(255));
    setFixedSize(px(4620), px(3340));
    anordnen();

    // Form_Load
    const QStringList masken = Masken_Liste();
    ComboMasken->addItems(masken);
    const int auswahl = ZAexport_Auswahl(masken, ZAexport_LetzteMaske());
    ComboMasken->setCurrentIndex(auswahl);
    ComboMasken_Click();

    connect(ComboMasken, &QComboBox::currentIndexChanged, this, [this](int) { ComboMasken_Click(); });
    connect(BefOk, &QPushButton::clicked, this, &ZAexport::BefOk_Click);
    connect(befAbbrechen, &QPushButton::clicked, this, &ZAexport::befAbbrechen_Click);
}

void ZAexport::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    anordnen();
}

// The mask box and the text take the form's width, the buttons stand at its
// right edge: a form widened for its title has no empty strip.
void ZAexport::anordnen()
{
    const int mehr = width() - px(4620);
    ComboMasken->setGeometry(px(1200), px(80), px(3300) + mehr, px(315));
    Text->setGeometry(px(120), px(520), px(4380) + mehr, px(2200));
    BefOk->setGeometry(px(1920) + mehr, px(2840), px(1215), px(375));
    befAbbrechen->setGeometry(px(3285) + mehr, px(2840), px(1215), px(375));
}

void ZAexport::ComboMasken_Click()
{
    if (ComboMasken->currentIndex() < 0)
        return;
    const zadressbuch::AdressListe& liste = zadressbuch::adressliste();
    const int i = liste.ListIndex();
    const QString satz = i >= 0 && i < liste.ListCount() ? liste.List(i) : QString();
    Text->textSetzen(ZAexport_Text(Maske_Ausfuellen(ComboMasken->currentText(), satz)));
}

void ZAexport::BefOk_Click()
{
    zplatform::plattform().zwischenablageSetzen(Text->text());
    ZAexport_MaskeMerken(ComboMasken->currentText());
    done(QDialog::Accepted);
}

void ZAexport::befAbbrechen_Click()
{
    done(QDialog::Rejected);
}

void ZAexport::reject()
{
    befAbbrechen_Click();
}

void ZAexport::closeEvent(QCloseEvent* e)
{
    e->ignore();
    befAbbrechen_Click();
}

} // namespace zmasken
