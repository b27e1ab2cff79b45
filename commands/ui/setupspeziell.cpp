#include "commands/ui/setupspeziell.h"
#include "common/ui/hilfetaste.h"

#include "commands/setupspeziell.h"
#include "common/dateien.h"
#include "common/ini.h"
#include "common/meldungen.h"
#include "common/texte.h"
#include "platform/ordner.h"
#include "platform/plattform.h"
#include "platform/textdatei.h"
#include "platform/ui/eingaberegel.h"
#include "platform/ui/twips.h"

#include <QGridLayout>

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zbefehle {

SetupSpeziell::SetupSpeziell(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SetupSpeziell"));
    setWindowTitle(QStringLiteral("Setup spezial"));
    setModal(true);

    // The boxes in a column with their labels above them, the buttons beside
    // the first three, the value box across the whole width. The window takes
    // the size its texts need: the file box is as wide as its longest path.
    auto* gitter = new QGridLayout(this);
    gitter->setSizeConstraint(QLayout::SetFixedSize);
    gitter->setHorizontalSpacing(zplatform::twipsZuPixel(345));
    gitter->setVerticalSpacing(zplatform::twipsZuPixel(30));
    auto kombi = [this](const char* name, bool editierbar) {
        auto* k = new QComboBox(this);
        k->setObjectName(QString::fromLatin1(name));
        k->setEditable(editierbar);
        if (editierbar)
            k->setInsertPolicy(QComboBox::NoInsert);
        k->setMinimumWidth(zplatform::twipsZuPixel(2775));
        return k;
    };
    auto bezeichnung = [this, gitter](const QString& text, int zeile, QWidget* fuer) {
        auto* l = new QLabel(text, this);
        l->setBuddy(fuer);
        if (zeile > 0)
            l->setContentsMargins(0, zplatform::twipsZuPixel(90), 0, 0);
        gitter->addWidget(l, zeile, 0);
        gitter->addWidget(fuer, zeile + 1, 0);
    };
    txtSchluessel = kombi("txtSchluessel", true);
    txtEintrag = kombi("txtEintrag", true);
    // A value may be a folder or a file (DirData, PdfOrdner): it keeps its letters.
    zplatform::eingaberegelAus(txtEintrag);
    txtDatei = kombi("txtDatei", false);
    txtDatei->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    txtAbschnitt = kombi("txtAbschnitt", true);
    bezeichnung(QStringLiteral("Einstellungs&datei"), 0, txtDatei);
    bezeichnung(QStringLiteral("&Abschnitt"), 2, txtAbschnitt);
    bezeichnung(QStringLiteral("S&chlüssel"), 4, txtSchluessel);
    auto* bezEintrag = new QLabel(QStringLiteral("&Eintrag"), this);
    bezEintrag->setBuddy(txtEintrag);
    bezEintrag->setContentsMargins(0, zplatform::twipsZuPixel(90), 0, 0);
    gitter->addWidget(bezEintrag, 6, 0);
    gitter->addWidget(txtEintrag, 7, 0, 1, 2);

    const char* texte[2] = {"Eintrag &lesen", "Eintrag &schreiben"};
    for (int i = 0; i < 2; ++i) {
        befLesen[i] = new QPushButton(QString::fromUtf8(texte[i]), this);
        befLesen[i]->setObjectName(QStringLiteral("befLesen_%1").arg(i));
        befLesen[i]->setAutoDefault(false);
        gitter->addWidget(befLesen[i], 1 + 2 * i, 1);
        connect(befLesen[i], &QPushButton::clicked, this, [this, i] { befLesen_Click(i); });
    }
    befAbbrechen = new QPushButton(QStringLiteral("&Zurück"), this);
    befAbbrechen->setObjectName(QStringLiteral("befAbbrechen"));
    befAbbrechen->setAutoDefault(false);
    gitter->addWidget(befAbbrechen, 5, 1);
    connect(befAbbrechen, &QPushButton::clicked, this, &SetupSpeziell::befAbbrechen_Click);

    connect(txtDatei, &QComboBox::activated, this, &SetupSpeziell::txtDatei_Click);
    connect(txtAbschnitt, &QComboBox::activated, this, &SetupSpeziell::txtAbschnitt_Click);
    connect(txtSchluessel, &QComboBox::activated, this, [this] { befLesen_Click(0); });
    setTabOrder(txtSchluessel, txtEintrag);
    setTabOrder(txtEintrag, txtDatei);
    setTabOrder(txtDatei, txtAbschnitt);
    setTabOrder(txtAbschnitt, befLesen[0]);
    setTabOrder(befLesen[0], befLesen[1]);
    setTabOrder(befLesen[1], befAbbrechen);
    txtSchluessel->setFocus();
    zcommon::HilfeTaste_Anmelden(this, QStringLiteral("spezial"));

    for (const QString& d : SetupSpeziell_Dateien())
        txtDatei->addItem(d);
    txtDatei->setCurrentIndex(0);
    txtDatei_Click();
}

void SetupSpeziell::sortiertEinfuegen(QComboBox* kombi, const QString& text)
{
    int i = 0;
    while (i < kombi->count() && kombi->itemText(i).compare(text, Qt::CaseInsensitive) <= 0)
        ++i;
    kombi->insertItem(i, text);
}

void SetupSpeziell::txtDatei_Click()
{
    zplatform::plattform().sanduhr(true);
    bool vorhanden = false;
    const QStringList abschnitte = SetupSpeziell_Abschnitte(txtDatei->currentText(), &vorhanden);
    if (vorhanden) {
        txtAbschnitt->clear();
        txtAbschnitt->addItems(SetupSpeziell_Sortiert(abschnitte));
    }
    if (txtAbschnitt->count() > 0) {
        // The program's own section when the file has one, else the first.
        int gewaehlt = 0;
        for (int i = 0; i < txtAbschnitt->count(); ++i) {
            if (txtAbschnitt->itemText(i).compare(QStringLiteral("Zettlora"), Qt::CaseInsensitive) == 0)
                gewaehlt = i;
        }
        txtAbschnitt->setCurrentIndex(gewaehlt);
        txtAbschnitt_Click();
    }
    zplatform::plattform().sanduhr(false);
}

void SetupSpeziell::txtAbschnitt_Click()
{
    txtSchluessel->setEditText(QString());
    txtEintrag->setEditText(QString());
    zplatform::plattform().sanduhr(true);
    bool vorhanden = false;
    const QStringList schluessel =
        SetupSpeziell_Schluessel(txtDatei->currentText(), txtAbschnitt->currentText(), &vorhanden);
    if (vorhanden) {
        txtSchluessel->clear();
        txtSchluessel->addItems(SetupSpeziell_Sortiert(schluessel));
        txtSchluessel->setEditText(QString());
    }
    zplatform::plattform().sanduhr(false);
}

void SetupSpeziell::befLesen_Click(int index)
{
    const QString datei = txtDatei->currentText().trimmed();
    const QString abschnitt = txtAbschnitt->currentText().trimmed();
    const QString schluessel = txtSchluessel->currentText().trimmed();
    const QString titel = QStringLiteral("Setup speziell");
    if (datei.isEmpty()) {
        zcommon::MsgBox(QStringLiteral("Keine Einstellungsdatei angegeben."), zplatform::vbCritical, titel);
        return;
    }
    if (abschnitt.isEmpty()) {
        zcommon::MsgBox(QStringLiteral("Kein Abschnitt angegeben."), zplatform::vbCritical, titel);
        return;
    }
    if (schluessel.isEmpty()) {
        zcommon::MsgBox(QStringLiteral("Kein Schlüssel angegeben."), zplatform::vbCritical, titel);
        return;
    }
    if (index == 0) {
        const QString wert = zcommon::Ini_Lesen(datei, abschnitt, schluessel, QString());
        txtEintrag->clear();
        txtEintrag->addItem(QString());
        txtEintrag->addItem(wert);
        txtEintrag->setCurrentIndex(-1);
        txtEintrag->setEditText(wert);
    } else {
        zcommon::Ini_Schreiben(datei, abschnitt, schluessel, txtEintrag->currentText().trimmed());
    }
    zcommon::Ton_Ausgeben(QStringLiteral("#SystemExclamation"));
    txtEintrag->setFocus();
}

void SetupSpeziell::befAbbrechen_Click()
{
    done(QDialog::Rejected);
}

void SetupSpeziell::closeEvent(QCloseEvent* e)
{
    e->ignore();
    befAbbrechen_Click();
}

} // namespace zbefehle
