#include "printing/ui/umschlag.h"

#include "addressbook/adressliste.h"
#include "addressbook/sitzung.h"
#include "commands/ui/schriftdialog.h"
#include "common/dateien.h"
#include "common/meldungen.h"
#include "common/start.h"
#include "common/ui/hilfetaste.h"
#include "common/ui/listen.h"
#include "common/ui/menuekuerzel.h"
#include "masks/masken.h"
#include "platform/plattform.h"
#include "printing/druckvorgabe.h"
#include "printing/ersetzung.h"
#include "printing/ui/druckauftrag.h"
#include "printing/umschlag.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>

namespace zdruck {

namespace {

const QString FehlerText = QStringLiteral("Es ist ein Fehler beim Umschlag drucken aufgetreten.");

// The sizes the font dialog offers for the two boxes.
constexpr int SchriftKleinste = 4;
constexpr int SchriftGroesste = 50;

QString dateiBasis()
{
    return zcommon::Datei_Teil(zadressbuch::sitzung().AdressDateiName, 1);
}

unsigned farbnummer(const QColor& c)
{
    return unsigned(c.red()) | (unsigned(c.green()) << 8) | (unsigned(c.blue()) << 16);
}

zplatform::DruckSchrift druckSchrift(const QPlainTextEdit* box)
{
    zplatform::DruckSchrift s;
    const QFont f = box->font();
    s.name = f.family();
    s.groesse = f.pointSizeF() > 0 ? f.pointSizeF() : 10.0;
    s.fett = f.bold();
    s.kursiv = f.italic();
    s.farbe = farbnummer(box->palette().color(QPalette::Text));
    return s;
}

// A box's text with its line breaks as CR LF, as the settings, the log and
// the printing take them.
QString boxText(const QPlainTextEdit* box)
{
    return box->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

// The selected entry of the main window's list ("" when none).
QString aktuelleAdresse()
{
    const zadressbuch::AdressListe& l = zadressbuch::adressliste();
    return l.ListIndex() >= 0 ? l.List(l.ListIndex()) : QString();
}

} // namespace

Umschlag::Umschlag(QWidget* eltern) : QDialog(eltern)
{
    setObjectName(QStringLiteral("Umschlag"));
    setWindowTitle(QStringLiteral("Umschlag drucken"));
    zcommon::HilfeTaste_Anmelden(this, QStringLiteral("umschlag"));

    auto* haupt = new QVBoxLayout(this);
    auto* leiste = new QMenuBar(this);
    haupt->setMenuBar(leiste);

    QMenu* pulUmschlag = leiste->addMenu(QStringLiteral("&Umschlag"));
    pulUmschlag->setObjectName(QStringLiteral("PulUmschlag"));
    auto aktion = [this](QMenu* menue, const char* name, const QString& text, const QKeySequence& kurz) {
        QAction* a = menue->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(kurz);
        addAction(a);
        return a;
    };
    PulDrucken = aktion(pulUmschlag, "PulDrucken", QStringLiteral("&Drucken"), QKeySequence(QStringLiteral("Ctrl+P")));
    mnuFlipAA = aktion(pulUmschlag, "mnuFlipAA", QStringLiteral("Anschrift mit Absender &vertauschen"),
                       QKeySequence(QStringLiteral("Ctrl+V")));
    pulUmschlag->addSeparator();
    PulEnde = aktion(pulUmschlag, "PulEnde", QStringLiteral("&Zurück"), QKeySequence(Qt::Key_F12));

    QMenu* pulEinst = leiste->addMenu(QStringLiteral("&Einstellungen"));
    pulEinst->setObjectName(QStringLiteral("PulEinstellungen"));
    QMenu* schritt = pulEinst->addMenu(QStringLiteral("&Schrift und Farbe einstellen"));
    schritt->setObjectName(QStringLiteral("PulSchritWahl"));
    PulSchriftAbsender = aktion(schritt, "PulSchriftAbsender", QStringLiteral("&Absender..."), QKeySequence());
    PulSchriftAnschrift = aktion(schritt, "PulSchriftAnschrift", QStringLiteral("A&nschrift..."), QKeySequence());
    PulEinstellSichern = aktion(pulEinst, "PulEinstellSichern", QStringLiteral("Einstellungen jetzt &sichern"),
                                QKeySequence(QStringLiteral("Ctrl+S")));

    auto* gitter = new QGridLayout;
    TxtAbsender = new QPlainTextEdit(this);
    TxtAbsender->setObjectName(QStringLiteral("TxtAbsender"));
    TxtAbsender->setFont(QFont(QStringLiteral("Arial"), 12));
    TxtAbsender->setMinimumSize(260, 110);
    // Tab moves on to the next control, as in the card's fields: a TAB in
    // the text would be printed and stored.
    TxtAbsender->setTabChangesFocus(true);
    TxtAnschrift = new QPlainTextEdit(this);
    TxtAnschrift->setObjectName(QStringLiteral("TxtAnschrift"));
    QFont ansFont(QStringLiteral("Arial"));
    ansFont.setPointSizeF(15.75);
    TxtAnschrift->setFont(ansFont);
    TxtAnschrift->setMinimumSize(340, 150);
    TxtAnschrift->setTabChangesFocus(true);
    bezSaveInfo = new QLabel(QStringLiteral(" Im Menü Einstellungen können Sie Ihre Eingaben sichern"), this);
    bezSaveInfo->setObjectName(QStringLiteral("bezSaveInfo"));
    Image1 = new QLabel(QStringLiteral("\u2709"), this);
    Image1->setObjectName(QStringLiteral("Image1"));
    QFont bildFont = Image1->font();
    bildFont.setPointSize(36);
    Image1->setFont(bildFont);
    Image1->setToolTip(QStringLiteral("Doppelklick druckt den Umschlag"));
    Image1->installEventFilter(this);

    gitter->addWidget(TxtAbsender, 0, 0);
    gitter->addWidget(Image1, 0, 2, Qt::AlignRight | Qt::AlignTop);
    gitter->addWidget(bezSaveInfo, 1, 0, 1, 3);
    gitter->addWidget(TxtAnschrift, 2, 1, 1, 2);
    gitter->setColumnStretch(1, 1);
    haupt->addLayout(gitter);

    auto* unten = new QGridLayout;
    auto* bezFormat = new QLabel(QStringLiteral("Umschlagsformat"), this);
    KombiFormat = new QComboBox(this);
    KombiFormat->setObjectName(QStringLiteral("KombiFormat"));
    KombiFormat->setToolTip(QStringLiteral("Umschlagsformat auswählen"));
    bezFormat->setBuddy(KombiFormat);
    auto* bezMaske = new QLabel(QStringLiteral("Maske"), this);
    ComboMasken = new QComboBox(this);
    ComboMasken->setObjectName(QStringLiteral("ComboMasken"));
    bezMaske->setBuddy(ComboMasken);
    unten->addWidget(bezFormat, 0, 0);
    unten->addWidget(KombiFormat, 0, 1);
    unten->addWidget(bezMaske, 1, 0);
    unten->addWidget(ComboMasken, 1, 1);
    unten->setColumnStretch(2, 1);
    haupt->addLayout(unten);

    connect(PulDrucken, &QAction::triggered, this, &Umschlag::PulDrucken_Click);
    connect(mnuFlipAA, &QAction::triggered, this, &Umschlag::mnuFlipAA_Click);
    connect(PulEnde, &QAction::triggered, this, &Umschlag::pulEnde_Click);
    connect(PulSchriftAbsender, &QAction::triggered, this, &Umschlag::PulSchriftAbsender_Click);
    connect(PulSchriftAnschrift, &QAction::triggered, this, &Umschlag::PulSchriftAnschrift_Click);
    connect(PulEinstellSichern, &QAction::triggered, this, &Umschlag::PulEinstellSichern_Click);
    TxtAbsender->installEventFilter(this);
    // Ctrl+V swaps the texts, also while a text box has the focus: the box pastes nothing.
    zcommon::MenueKuerzel_Vorrang(this);

    Form_Load();
    connect(ComboMasken, &QComboBox::currentIndexChanged, this, [this] { ComboMasken_Click(); });
}

void Umschlag::Form_Load()
{
    IniLadenUmschlag();

    KombiFormat->addItems(Umschlag_Formate());
    const QString benutzer = zcommon::Benutzer_Ermitteln();
    const UmschlagEinstellungen e = Umschlag_EinstellungenLaden(benutzer, dateiBasis());
    KombiFormat->setCurrentIndex(e.format);

    ComboMasken->addItems(zmasken::Masken_Liste());
    int gewaehlt = -1;
    for (int i = 0; i < ComboMasken->count(); ++i) {
        if (ComboMasken->itemText(i).compare(e.maske, Qt::CaseInsensitive) == 0)
            gewaehlt = i;
    }
    if (gewaehlt < 0 && ComboMasken->count() > 0)
        gewaehlt = 0;
    ComboMasken->setCurrentIndex(gewaehlt);
    ComboMasken_Click();
}

void Umschlag::IniLadenUmschlag()
{
    const UmschlagEinstellungen e = Umschlag_EinstellungenLaden(zcommon::Benutzer_Ermitteln(), dateiBasis());
    TxtAbsender->setPlainText(QString(e.absender).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    bezSaveInfo->setVisible(e.absender == QLatin1String(StandardAbsender));
    zcommon::Schrift_Setzen(TxtAbsender, e.schriftAbsender, QStringLiteral("Alles"));
    zcommon::Schrift_Setzen(TxtAnschrift, e.schriftAnschrift, QStringLiteral("Alles"));
    for (QPlainTextEdit* box : {TxtAbsender, TxtAnschrift}) {
        QPalette p = box->palette();
        p.setColor(QPalette::Base, palette().color(QPalette::Window));
        box->setPalette(p);
    }
}

void Umschlag::IniSichernUmschlag()
{
    UmschlagEinstellungen e;
    e.absender = boxText(TxtAbsender);
    e.schriftAbsender = zcommon::Schrift_AlsText(TxtAbsender);
    e.schriftAnschrift = zcommon::Schrift_AlsText(TxtAnschrift);
    e.format = std::max(0, KombiFormat->currentIndex());
    e.maske = ComboMasken->currentText();
    Umschlag_EinstellungenSichern(zcommon::Benutzer_Ermitteln(), dateiBasis(), e);
}

void Umschlag::ComboMasken_Click()
{
    const QString maske = ComboMasken->currentIndex() >= 0 ? ComboMasken->currentText() : QString();
    const QString text = zmasken::Maske_Ausfuellen(maske, aktuelleAdresse());
    TxtAnschrift->setPlainText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
}

void Umschlag::mnuFlipAA_Click()
{
    const QString a = TxtAbsender->toPlainText();
    TxtAbsender->setPlainText(TxtAnschrift->toPlainText());
    TxtAnschrift->setPlainText(a);
}

void Umschlag::schriftWaehlen(QPlainTextEdit* box)
{
    // One dialog for font, size, effects and colour; a cancel changes nothing.
    zbefehle::SchriftDialog::fuerSteuerelement(box, SchriftKleinste, SchriftGroesste, this);
}

void Umschlag::PulSchriftAbsender_Click()
{
    schriftWaehlen(TxtAbsender);
}

void Umschlag::PulSchriftAnschrift_Click()
{
    schriftWaehlen(TxtAnschrift);
}

void Umschlag::PulEinstellSichern_Click()
{
    zplatform::plattform().sanduhr(true);
    IniSichernUmschlag();
    bezSaveInfo->hide();
    zplatform::plattform().sanduhr(false);
}

void Umschlag::PulDrucken_Click()
{
    Druckauftrag auftrag(QString::fromLatin1(JobUmschlag), QStringLiteral("Drucken - Zettlora Umschlag"), FehlerText);
    auftrag.anzahlSperren();
    if (!auftrag.abfragen(this))
        return; // cancelled: nothing printed, the form stays open
    zplatform::Drucker& d = auftrag.beginnen(false);

    // A failed step asks the user; Cancel there drops the job (nothing
    // half-printed goes out) and leaves this form open.
    const int altAusrichtung = d.ausrichtung();
    const double altBreite = d.papierBreite();
    const double altHoehe = d.papierHoehe();
    auto zurueck = [&] {
        zplatform::Drucker& jetzt = zplatform::drucker();
        jetzt.setAusrichtung(altAusrichtung);
        jetzt.setPapierformat(altBreite, altHoehe);
    };

    const QString anschrift = boxText(TxtAnschrift);
    const QString absender = boxText(TxtAbsender);
    const QString logbuch = Umschlag_Logbuch();
    QString ersetzt; // characters the log got as "?"
    if (!logbuch.isEmpty()) {
        const QStringList eintrag =
            Umschlag_LogEintrag(zplatform::plattform().jetzt(), anschrift, absender, zcommon::Benutzer_Ermitteln());
        if (!Umschlag_LogSchreiben(logbuch, eintrag, &ersetzt) &&
            zcommon::Fehler_Melden(75, FehlerText, logbuch) != 5) {
            auftrag.abbrechen();
            zurueck();
            return;
        }
    }

    UmschlagDruck u;
    u.mass = Umschlag_Mass(KombiFormat->currentText());
    u.absender = absender;
    u.anschrift = anschrift;
    u.schriftAbsender = druckSchrift(TxtAbsender);
    u.schriftAnschrift = druckSchrift(TxtAnschrift);
    u.randX = auftrag.randX();
    u.randY = auftrag.randY();
    u.emblem = Umschlag_MitEmblem();

    Umschlag_BlattEinlegen(u.mass, auftrag.hochformat());
    Umschlag_Zeichnen(u);

    const bool ok = auftrag.beenden();
    zurueck();
    Ersetzte_Zeichen_Melden(logbuch, ersetzt, QStringLiteral("Umschlag drucken"));
    if (ok)
        pulEnde_Click();
}

void Umschlag::pulEnde_Click()
{
    hide();
}

void Umschlag::closeEvent(QCloseEvent* e)
{
    e->ignore();
    pulEnde_Click();
}

void Umschlag::reject()
{
    pulEnde_Click();
}

bool Umschlag::eventFilter(QObject* o, QEvent* e)
{
    if (o == Image1 && e->type() == QEvent::MouseButtonDblClick) {
        PulDrucken_Click();
        return true;
    }
    if (o == TxtAbsender && e->type() == QEvent::KeyPress) {
        // A key that types something; Shift, the arrows, Tab and Shift+Tab
        // (which move the focus on) type nothing.
        const auto* taste = static_cast<QKeyEvent*>(e);
        if (!taste->text().isEmpty() && taste->key() != Qt::Key_Tab && taste->key() != Qt::Key_Backtab)
            bezSaveInfo->show();
    }
    return QDialog::eventFilter(o, e);
}

} // namespace zdruck
