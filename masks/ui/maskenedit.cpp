#include "masks/ui/maskenedit.h"

#include "addressbook/sitzung.h"
#include "commands/ui/file.h"
#include "commands/ui/schriftdialog.h"
#include "common/meldungen.h"
#include "common/texte.h"
#include "common/ui/hilfetaste.h"
#include "common/ui/listen.h"
#include "masks/masken.h"
#include "masks/maskeneditor.h"
#include "platform/ui/twips.h"

#include <QCloseEvent>

namespace zmasken {

namespace {

int px(double twips)
{
    return zplatform::twipsZuPixel(twips);
}

// Characters before a position of the editor, a line break counting two.
int feldPosition(const QString& plain, int position)
{
    return position + int(QStringView(plain).left(position).count(QLatin1Char('\n')));
}

QString dateiWaehlen(const QString& vorschlag, bool laden)
{
    zbefehle::DateiWahl w;
    w.vorschlag = vorschlag;
    w.kuerzel = QStringLiteral("Msk");
    w.laden = laden;
    w.ordner = Maskenordner();
    return zbefehle::File::waehlen(w);
}

} // namespace

QString& MaskenEdit::letzteMaske()
{
    static QString name;
    return name;
}

std::function<QString(const QString&, bool)>& MaskenEdit::dateiwahl()
{
    static std::function<QString(const QString&, bool)> wahl = dateiWaehlen;
    return wahl;
}

MaskenEdit::MaskenEdit(QWidget* hauptfenster) : QDialog(hauptfenster)
{
    setObjectName(QStringLiteral("MaskenEdit"));
    setWindowTitle(QStringLiteral("Masken-Editor"));
    zcommon::HilfeTaste_Anmelden(this, QStringLiteral("maskeneditor"));
    setModal(true);
    setSizeGripEnabled(true);

    menueLeiste = new QMenuBar(this);
    mnuMaske = menueLeiste->addMenu(QStringLiteral("&Maske"));
    mnuMaske->setObjectName(QStringLiteral("mnuMaske"));
    mnuLoeschen = mnuMaske->addAction(QStringLiteral("Lös&chen"), this, &MaskenEdit::mnuLoeschen_Click);
    mnuLoeschen->setObjectName(QStringLiteral("mnuLoeschen"));
    mnuLaden = mnuMaske->addAction(QStringLiteral("&Laden"), this, &MaskenEdit::mnuLaden_Click);
    mnuLaden->setObjectName(QStringLiteral("mnuLaden"));
    mnuSpeichern = mnuMaske->addAction(QStringLiteral("&Speichern..."), this, &MaskenEdit::mnuSpeichern_Click);
    mnuSpeichern->setObjectName(QStringLiteral("mnuSpeichern"));
    mnuMaske->addSeparator()->setObjectName(QStringLiteral("Strich1"));
    mnuEnde = mnuMaske->addAction(QStringLiteral("&Ende"), this, &MaskenEdit::mnuEnde_Click);
    mnuEnde->setObjectName(QStringLiteral("mnuEnde"));
    mnuEinstellungen = menueLeiste->addMenu(QStringLiteral("&Einstellungen"));
    mnuEinstellungen->setObjectName(QStringLiteral("mnuEinstellungen"));
    mnuSchriftFarbe =
        mnuEinstellungen->addAction(QStringLiteral("&Schrift und Farbe..."), this, &MaskenEdit::mnuSchriftFarbe_Click);
    mnuSchriftFarbe->setObjectName(QStringLiteral("mnuSchriftFarbe"));

    const int oben = menueLeiste->sizeHint().height();
    Bezeichnung1 = new QLabel(QStringLiteral("Felder / Texte"), this);
    Bezeichnung1->setObjectName(QStringLiteral("Bezeichnung1"));
    Bezeichnung2 = new QLabel(QStringLiteral("Masken-Text"), this);
    Bezeichnung2->setObjectName(QStringLiteral("Bezeichnung2"));
    ListeFelder = new QListWidget(this);
    ListeFelder->setObjectName(QStringLiteral("ListeFelder"));
    befFeldEinfg = new QPushButton(QStringLiteral(">"), this);
    befFeldEinfg->setObjectName(QStringLiteral("befFeldEinfg"));
    befFeldEinfg->setAutoDefault(false);
    // Typing stops at the limit; a longer mask is loaded and saved whole.
    Text1 = new zadressbuch::KartenText(11, this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setEingabegrenze(MaskenEditGrenze);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSizeF(8.25);
    Text1->setFont(arial);
    Text1->rueckrufe.kontextmenue = [this](const QPoint& global) {
        QMenu* menue = Text1->createStandardContextMenu();
        menue->exec(global);
        delete menue;
    };
    Text1->setName(Bezeichnung2->text());
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    panelStatus = new QLabel(this);
    panelStatus->setObjectName(QStringLiteral("Status"));
    panelPosition = new QLabel(this);
    panelPosition->setObjectName(QStringLiteral("Position"));
    StatusBar->addWidget(panelStatus, 2);
    StatusBar->addWidget(panelPosition, 1);
    // What the text changed of what came in (a mask file holds Windows-1252).
    Text1->rueckrufe.angepasst = [this](const zadressbuch::Einpassung& e) {
        const QString hinweis = zplatform::Eingabe_Hinweis(e, Bezeichnung2->text());
        panelStatus->setText(hinweis);
        panelStatus->setToolTip(hinweis);
    };

    Bezeichnung1->setGeometry(px(120), oben + px(120), px(2415), px(240));
    Bezeichnung2->setGeometry(px(3000), oben + px(120), px(3000), px(240));
    ListeFelder->setGeometry(px(120), oben + px(360), px(2415), px(3000));
    befFeldEinfg->setGeometry(px(2640), oben + px(1500), px(255), px(375));
    Text1->setGeometry(px(3000), oben + px(360), px(4500), px(3000));
    resize(px(7800), px(4800));

    TimerHinweise = new QTimer(this);
    TimerHinweise->setInterval(1000);
    connect(TimerHinweise, &QTimer::timeout, this, &MaskenEdit::TimerHinweise_Timer);
    connect(befFeldEinfg, &QPushButton::clicked, this, &MaskenEdit::befFeldEinfg_Click);
    connect(ListeFelder, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem*) { befFeldEinfg_Click(); });

    // Form_Load
    ListeFelder->addItems(MaskenEdit_Eintraege(zadressbuch::sitzung().Bezeichnungen));
    panelStatus->setText(QStringLiteral("Bereit"));
    TimerHinweise_Timer();
    TimerHinweise->start();
}

void MaskenEdit::befFeldEinfg_Click()
{
    QListWidgetItem* eintrag = ListeFelder->currentItem();
    if (!eintrag || !eintrag->isSelected())
        return;
    const QString einfuegen = eintrag->text() + QLatin1Char(' ');
    // Through the editor's own check: the typing limit holds for inserts too.
    QTextCursor c = Text1->textCursor();
    const QString plain = Text1->toPlainText();
    const QString nachher = plain.left(c.selectionStart()) + einfuegen + plain.mid(c.selectionEnd());
    if (zadressbuch::EingabeErlaubt(plain, nachher, MaskenEditGrenze, true))
        c.insertText(einfuegen);
    Text1->setFocus();
    ListeFelder->clearSelection();
    ListeFelder->setCurrentItem(nullptr);
}

void MaskenEdit::mnuLaden_Click()
{
    panelStatus->setText(QStringLiteral("Maske laden..."));
    const QString pfad = dateiwahl()(letzteMaske(), true);
    if (pfad.isEmpty())
        return;
    const QString name = Maske_Basisname(pfad);
    const QString schluessel = Maske_SchriftSchluessel(name);
    const MaskenEditLadung ladung = MaskenEdit_Laden(pfad);
    if (ladung.zuLang) {
        // The editor keeps what it shows.
        panelStatus->setText(QStringLiteral("Maske ") + schluessel + QStringLiteral(" ist zu lang und wurde nicht geladen."));
        zcommon::Meldung(QStringLiteral("#SystemHand"),
                         QStringLiteral("Die Maske ") + schluessel +
                             QStringLiteral(" ist zu lang für den Masken-Editor: Er fasst höchstens %1 Zeichen.~~"
                                            "Die Maske wurde nicht geladen.")
                                 .arg(zcommon::Format(MaskenEditFassung, QStringLiteral("#,##0"))),
                         48);
        return;
    }
    Text1->textSetzen(ladung.text);
    zcommon::Schrift_Setzen(Text1, Maske_SchriftLesen(name, zcommon::Schrift_AlsText(Text1)), QStringLiteral("Alles"));
    letzteMaske() = name;
    if (!ladung.ok) {
        panelStatus->setText(QStringLiteral("Maske ") + schluessel + QStringLiteral(" konnte nicht gelesen werden."));
        return;
    }
    panelStatus->setText(QStringLiteral("Maske ") + schluessel + QStringLiteral(" geladen."));
}

void MaskenEdit::mnuSpeichern_Click()
{
    panelStatus->setText(QStringLiteral("Maske speichern..."));
    const QString pfad = dateiwahl()(letzteMaske(), false);
    if (pfad.isEmpty())
        return;
    const QString name = Maske_Basisname(pfad);
    const QString schluessel = Maske_SchriftSchluessel(name);
    QString fehler;
    if (!Maske_Speichern(pfad, Text1->text(), &fehler)) {
        const QString text =
            QStringLiteral("Die Maske ") + schluessel + QStringLiteral(" konnte nicht gespeichert werden.");
        panelStatus->setText(text);
        zcommon::Meldung(QStringLiteral("#SystemHand"), text + QStringLiteral("~") + zcommon::Woertlich(fehler), 48);
        return;
    }
    letzteMaske() = name;
    // The mask counts as saved only with its font.
    if (!Maske_SchriftSchreiben(name, zcommon::Schrift_AlsText(Text1), &fehler)) {
        const QString text = QStringLiteral("Die Maske ") + schluessel +
                             QStringLiteral(" wurde gespeichert, ihre Schrift aber nicht.");
        panelStatus->setText(text);
        zcommon::Meldung(QStringLiteral("#SystemHand"),
                         text + QStringLiteral("~Masken.Ini konnte sie nicht aufnehmen: ") +
                             zcommon::Woertlich(fehler),
                         48);
        return;
    }
    panelStatus->setText(QStringLiteral("Maske ") + schluessel + QStringLiteral(" gespeichert."));
}

void MaskenEdit::mnuLoeschen_Click()
{
    Text1->clear();
    panelStatus->setText(QStringLiteral("Bereit"));
}

void MaskenEdit::mnuSchriftFarbe_Click()
{
    // Font, size, effects and colour of the text box; strikethrough shows,
    // but a font text (and so Masken.Ini) has no place for it.
    zbefehle::SchriftDialog::fuerSteuerelement(Text1, SchriftKleinste, SchriftGroesste, this);
}

void MaskenEdit::mnuEnde_Click()
{
    done(QDialog::Accepted);
}

void MaskenEdit::reject()
{
    mnuEnde_Click();
}

void MaskenEdit::closeEvent(QCloseEvent* e)
{
    e->ignore();
    mnuEnde_Click();
}

void MaskenEdit::TimerHinweise_Timer()
{
    const QString plain = Text1->toPlainText();
    const MaskenPosition p = MaskenEdit_Position(Text1->text(), feldPosition(plain, Text1->textCursor().position()));
    if (panelPosition->text() != p.text) {
        panelPosition->setText(p.text);
        panelPosition->setToolTip(p.tipp);
    }
}

void MaskenEdit::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    const int statusHoehe = StatusBar->sizeHint().height();
    StatusBar->setGeometry(0, height() - statusHoehe, width(), statusHoehe);
    menueLeiste->setGeometry(0, 0, width(), menueLeiste->sizeHint().height());
    const int hoehe = height() - statusHoehe;
    if (hoehe > px(3000)) {
        const int listenHoehe = hoehe - ListeFelder->y() - ListeFelder->x();
        if (listenHoehe > 0) {
            ListeFelder->resize(ListeFelder->width(), listenHoehe);
            Text1->resize(Text1->width(), listenHoehe);
        }
    }
    if (width() > px(4000))
        Text1->resize(width() - Text1->x() - ListeFelder->x(), Text1->height());
}

} // namespace zmasken
