#include "commands/ui/setup.h"
#include "common/ui/farbwahl.h"
#include "common/ui/hilfetaste.h"

#include "commands/ui/schriftdialog.h"
#include "commands/ui/setupspeziell.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zbefehle {

namespace {

QColor alsFarbe(qint64 nummer)
{
    return QColor(int(nummer & 0xFF), int((nummer >> 8) & 0xFF), int((nummer >> 16) & 0xFF));
}

qint64 alsNummer(const QColor& c)
{
    return qint64(c.red()) + 256 * qint64(c.green()) + 65536 * qint64(c.blue());
}

// "D-Info 2000|DInfo.exe;CDStart.exe|Programm|*.exe;..." as file dialog
// filters; any file last, since programs here rarely end in ".exe".
QString dateiFilter(const QString& paare)
{
    const QStringList t = paare.split(QLatin1Char('|'));
    QStringList filter;
    for (int i = 0; i + 1 < t.size(); i += 2) {
        if (t[i].isEmpty())
            continue;
        filter << t[i] + QStringLiteral(" (") + QString(t[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) +
                      QLatin1Char(')');
    }
    filter << QStringLiteral("Alle Dateien (*)");
    return filter.join(QStringLiteral(";;"));
}

QPushButton* knopf(QWidget* eltern, const QString& name, const QString& text)
{
    auto* b = new QPushButton(text, eltern);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QCheckBox* kasten(QWidget* eltern, const char* name, const QString& text)
{
    auto* b = new QCheckBox(text, eltern);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

Setup::Setup(const SetupKarte& karte, QWidget* parent) : QDialog(parent), m_karte(karte)
{
    setObjectName(QStringLiteral("Setup"));
    setWindowTitle(QStringLiteral("Einstellungen"));
    setModal(true);

    dateiWaehlen = [this](const CdRomProgramm& p) {
        QFileDialog d(this, QString::fromUtf8(p.titel), QString(), dateiFilter(QString::fromUtf8(p.filter)));
        d.setFileMode(QFileDialog::ExistingFile);
        d.setAcceptMode(QFileDialog::AcceptOpen);
        d.setOption(QFileDialog::ReadOnly, true);
        if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
            return QString();
        return d.selectedFiles().constFirst();
    };
    farbeWaehlen = [this](qint64 start) {
        const QColor c = zcommon::Farbe_Waehlen(alsFarbe(start), this, QStringLiteral("Hintergrundfarbe"));
        return c.isValid() ? alsNummer(c) : start;
    };

    SSTab = new QTabWidget(this);
    SSTab->setObjectName(QStringLiteral("SSTab"));
    // All four tabs show whole: the dialog is as wide as they need.
    SSTab->setUsesScrollButtons(false);

    // ---- Allgemeines
    auto* allgemein = new QWidget;
    auto* la = new QVBoxLayout(allgemein);
    la->addWidget(new QLabel(QStringLiteral("Allgemeine Einstellungen."), allgemein));
    auto* rahmen2 = new QGroupBox(QStringLiteral("Beim Programmstart..."), allgemein);
    rahmen2->setObjectName(QStringLiteral("Rahmen2"));
    StrgAuswahl = kasten(rahmen2, "StrgAuswahl", QStringLiteral("&Dateiauswahl starten"));
    (new QVBoxLayout(rahmen2))->addWidget(StrgAuswahl);
    la->addWidget(rahmen2);
    auto* frame2 = new QGroupBox(QStringLiteral("Beim Programmende..."), allgemein);
    frame2->setObjectName(QStringLiteral("Frame2"));
    kombiSortAtEnd = new QComboBox(frame2);
    kombiSortAtEnd->setObjectName(QStringLiteral("kombiSortAtEnd"));
    auto* lf2 = new QHBoxLayout(frame2);
    lf2->addWidget(new QLabel(QStringLiteral("Sortieren nach"), frame2));
    lf2->addWidget(kombiSortAtEnd, 1);
    la->addWidget(frame2);
    auto* frame1 = new QGroupBox(QStringLiteral("Automatische Formatierungen und Funktionen"), allgemein);
    frame1->setObjectName(QStringLiteral("Frame1"));
    StrgOrtPlz = kasten(frame1, "StrgOrtPlz", QStringLiteral("Ort aus"));
    comboKatalogStdLand = new QComboBox(frame1);
    comboKatalogStdLand->setObjectName(QStringLiteral("comboKatalogStdLand"));
    comboAutoFormatCase = new QComboBox(frame1);
    comboAutoFormatCase->setObjectName(QStringLiteral("comboAutoFormatCase"));
    strgAutoFormatTrim = kasten(frame1, "strgAutoFormatTrim", QStringLiteral("&Leerzeichen abschneiden"));
    StrgAutoNameDoppelt = kasten(frame1, "StrgAutoNameDoppelt", QStringLiteral("Doppelte &Namen suchen"));
    strgCallByCall = kasten(frame1, "strgCallByCall", QStringLiteral("CallByCall aktiv"));
    auto* lf1 = new QGridLayout(frame1);
    auto* ortZeile = new QHBoxLayout;
    ortZeile->addWidget(StrgOrtPlz);
    ortZeile->addWidget(comboKatalogStdLand);
    ortZeile->addWidget(new QLabel(QStringLiteral(" PLZ-Katalog ermitteln"), frame1));
    ortZeile->addStretch();
    lf1->addLayout(ortZeile, 0, 0, 1, 2);
    lf1->addWidget(new QLabel(QStringLiteral("Groß-/Kleinschrift"), frame1), 1, 0);
    lf1->addWidget(comboAutoFormatCase, 1, 1);
    lf1->addWidget(strgAutoFormatTrim, 2, 0, 1, 2);
    lf1->addWidget(StrgAutoNameDoppelt, 3, 0, 1, 2);
    lf1->addWidget(strgCallByCall, 4, 0, 1, 2);
    la->addWidget(frame1);
    la->addStretch();
    SSTab->addTab(allgemein, QStringLiteral("Allgemeines"));

    // ---- Schriften
    auto* schriften = new QWidget;
    auto* ls = new QVBoxLayout(schriften);
    ls->addWidget(
        new QLabel(QStringLiteral("Legen Sie die Schriften für verschiedene Eingabefelder fest."), schriften));
    BefSetFont[0] = knopf(schriften, QStringLiteral("BefSetFont_0"), QStringLiteral("&Eingabefelder"));
    BefSetFont[1] = knopf(schriften, QStringLiteral("BefSetFont_1"), QStringLiteral("&Bemerkungsfeld"));
    BefSetBackCol = knopf(schriften, QStringLiteral("BefSetBackCol"), QStringLiteral("&Hintergrundfarbe"));
    for (int i = 0; i < 2; ++i) {
        ls->addWidget(BefSetFont[i]);
        connect(BefSetFont[i], &QPushButton::clicked, this, [this, i] { BefSetFont_Click(i); });
    }
    ls->addWidget(BefSetBackCol);
    ls->addStretch();
    connect(BefSetBackCol, &QPushButton::clicked, this, &Setup::BefSetBackCol_Click);
    SSTab->addTab(schriften, QStringLiteral("Schriften"));

    // ---- Externes
    auto* extern_ = new QWidget;
    auto* le = new QVBoxLayout(extern_);
    le->addWidget(new QLabel(QStringLiteral("Melden Sie externe Programme an."), extern_));
    for (int i : {0, 2, 3, 4}) {
        befExtern[i] =
            knopf(extern_, QStringLiteral("befExtern_%1").arg(i), QString::fromUtf8(CdRom_Programm(i)->knopf));
        le->addWidget(befExtern[i]);
        connect(befExtern[i], &QPushButton::clicked, this, [this, i] { befExtern_Click(i); });
    }
    befDatenOrdnerFestlegen =
        knopf(extern_, QStringLiteral("befDatenOrdnerFestlegen"), QStringLiteral("&Daten-Ordner verlegen..."));
    le->addSpacing(12);
    le->addWidget(befDatenOrdnerFestlegen);
    le->addStretch();
    connect(befDatenOrdnerFestlegen, &QPushButton::clicked, this, &Setup::befDatenOrdnerFestlegen_Click);
    SSTab->addTab(extern_, QStringLiteral("Externes"));

    // ---- Aktuelle Adressen-Datei
    auto* aktuell = new QWidget;
    auto* lk = new QVBoxLayout(aktuell);
    Label8 = new QLabel(aktuell);
    Label8->setObjectName(QStringLiteral("Label8"));
    Label8->setWordWrap(true);
    Label8->setText(QStringLiteral("Einstellungen für die aktuelle Adressen-Datei »") + m_karte.titel +
                    QStringLiteral("«."));
    lk->addWidget(Label8);
    FrameAkt = new QGroupBox(QStringLiteral("Vorgaben"), aktuell);
    FrameAkt->setObjectName(QStringLiteral("FrameAkt"));
    befVorgabenSave = knopf(FrameAkt, QStringLiteral("befVorgabenSave"), QStringLiteral("Vorgaben setzen..."));
    (new QVBoxLayout(FrameAkt))->addWidget(befVorgabenSave);
    lk->addWidget(FrameAkt);
    lk->addStretch();
    connect(befVorgabenSave, &QPushButton::clicked, this, &Setup::befVorgabenSave_Click);
    SSTab->addTab(aktuell, QStringLiteral("Aktuelle Adressen-Datei"));

    BefOk = knopf(this, QStringLiteral("BefOk"), QStringLiteral("&Ok"));
    BefOk->setDefault(true);
    befSetupSpeziell = knopf(this, QStringLiteral("befSetupSpeziell"), QStringLiteral("Einstellungen spezial"));
    connect(BefOk, &QPushButton::clicked, this, &Setup::BefOk_Click);
    connect(befSetupSpeziell, &QPushButton::clicked, this, &Setup::befSetupSpeziell_Click);
    auto* unten = new QHBoxLayout;
    unten->addWidget(befSetupSpeziell);
    unten->addStretch();
    unten->addWidget(BefOk);
    auto* haupt = new QVBoxLayout(this);
    haupt->addWidget(SSTab);
    haupt->addLayout(unten);

    SSTab->setCurrentIndex(0);
    zcommon::HilfeTaste_Anmelden(this, QStringLiteral("einstellungen"));
    optionenAnzeigen();
}

void Setup::optionenAnzeigen()
{
    const AllgemeineOptionen o = Optionen_Laden();
    kombiSortAtEnd->clear();
    // The box shows the captions; each item's code stands in its data.
    for (const QString& eintrag : SortAtEnd_Eintraege())
        kombiSortAtEnd->addItem(SortAtEnd_Bezeichnung(eintrag), SortAtEnd_Code(eintrag));
    kombiSortAtEnd->setCurrentIndex(o.sortIndex);
    comboAutoFormatCase->clear();
    comboAutoFormatCase->addItems(AutoFormatCase_Eintraege());
    comboAutoFormatCase->setCurrentIndex(o.autoFormatUCase);
    comboKatalogStdLand->clear();
    comboKatalogStdLand->addItems(KatalogStdLand_Eintraege());
    comboKatalogStdLand->setCurrentIndex(o.katalogIndex);
    StrgAuswahl->setChecked(o.auswahlOeffnen);
    StrgOrtPlz->setChecked(o.ortAusPlz);
    strgAutoFormatTrim->setChecked(o.autoFormatTrim);
    StrgAutoNameDoppelt->setChecked(o.autoNameDoppelt);
    m_callByCallSichtbar = o.callByCallSichtbar;
    strgCallByCall->setVisible(o.callByCallSichtbar);
    strgCallByCall->setChecked(o.callByCall);
}

void Setup::BefOk_Click()
{
    AllgemeineOptionen o;
    o.auswahlOeffnen = StrgAuswahl->isChecked();
    o.ortAusPlz = StrgOrtPlz->isChecked();
    o.autoNameDoppelt = StrgAutoNameDoppelt->isChecked();
    o.autoFormatUCase = comboAutoFormatCase->currentIndex();
    o.autoFormatTrim = strgAutoFormatTrim->isChecked();
    o.sortIndex = kombiSortAtEnd->currentIndex();
    o.katalogIndex = comboKatalogStdLand->currentIndex();
    o.callByCallSichtbar = m_callByCallSichtbar;
    o.callByCall = strgCallByCall->isChecked();
    Optionen_Sichern(o);
    done(QDialog::Accepted);
}

void Setup::closeEvent(QCloseEvent* e)
{
    e->ignore();
    BefOk_Click();
}

void Setup::reject()
{
    // No cancel: Esc stores the options as "&Ok" does.
    BefOk_Click();
}

void Setup::befExtern_Click(int index)
{
    const CdRomProgramm* p = CdRom_Programm(index);
    if (!p || !dateiWaehlen)
        return;
    const QString pfad = dateiWaehlen(*p);
    if (!pfad.isEmpty())
        CdRom_Anmelden(index, pfad);
}

void Setup::BefSetFont_Click(int index)
{
    QString& schrift = index == 0 ? m_karte.schriftEin : m_karte.schriftBem;
    const std::optional<QString> neu = SchriftDialog::waehlen(this, schrift, 4, 16);
    if (neu && *neu != schrift) {
        schrift = *neu;
        m_schriftenGeaendert = true;
    }
}

void Setup::BefSetBackCol_Click()
{
    if (!farbeWaehlen)
        return;
    const qint64 neu = farbeWaehlen(m_karte.hintergrund);
    if (neu != m_karte.hintergrund) {
        m_karte.hintergrund = neu;
        m_schriftenGeaendert = true;
    }
}

void Setup::befDatenOrdnerFestlegen_Click()
{
    DatenOrdner_Verlegen();
}

void Setup::befVorgabenSave_Click()
{
    Vorgaben_Setzen(m_karte.felder);
}

void Setup::befSetupSpeziell_Click()
{
    SetupSpeziell editor(this);
    for (const QString& d : SetupSpeziell_Zusatzdateien())
        editor.txtDatei->addItem(d);
    for (const QString& k : SetupSpeziell_Zusatzschluessel())
        SetupSpeziell::sortiertEinfuegen(editor.txtSchluessel, k);
    editor.txtSchluessel->setEditText(QString());
    editor.exec();
}

} // namespace zbefehle
