#include "commands/ui/file.h"

#include "commands/dateiregeln.h"

#include "addressbook/sitzung.h"
#include "common/meldungen.h"
#include "common/texte.h"
#include "common/ui/hilfetaste.h"
#include "platform/codec.h"
#include "platform/ordner.h"
#include "platform/plattform.h"
#include "platform/ui/eingaberegel.h"
#include "platform/ui/twips.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zbefehle {

namespace {

QPointer<File> g_instanz;

void instanzLoeschen()
{
    delete g_instanz.data();
}

// The longest text the name box holds when the program sets it (a proposal or
// the full path of the result); typing stays limited to 255 characters.
constexpr int VolleLaenge = 32767;

int px(double twips)
{
    return zplatform::twipsZuPixel(twips);
}

void platzieren(QWidget* w, int links, int oben, int breite, int hoehe)
{
    w->setGeometry(px(links), px(oben), px(breite), px(hoehe));
}

// The hints (path, date, size) take the height their lines need at their
// width, however long the path; the description below gives way.
void hinweiseEinpassen(QLabel* hinweise, QLabel* info)
{
    const int unten = px(840 + 3375);
    const int hoehe = qMax(px(615), hinweise->heightForWidth(hinweise->width()));
    hinweise->resize(hinweise->width(), hoehe);
    const int oben = qMax(px(840), hinweise->y() + hoehe + px(105));
    info->setGeometry(info->x(), oben, info->width(), qMax(0, unten - oben));
}

int meldung(const QString& ton, const QString& text, int stil, const QString& titel)
{
    zcommon::Ton_Ausgeben(ton);
    return zplatform::plattform().meldung(text, stil, titel);
}

bool istVerbotenBeimTippen(QChar c)
{
    static const QString verboten = QStringLiteral(" *?\\.,;:|^´`/");
    return c.unicode() < 0x20 || c.unicode() == 0x7F || verboten.contains(c);
}

// The first line of a file when it is a description line (".."): the text
// behind the two points, at most 199 characters, "~" as line breaks.
QString beschreibung(const QString& pfad)
{
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    // The first line read as a file's text (a byte-order mark names its encoding).
    QString text = zplatform::ausDateiBytes(f.read(4096));
    text.truncate(text.indexOf(QLatin1Char('\n')) < 0 ? text.size() : text.indexOf(QLatin1Char('\n')));
    while (text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    if (!text.startsWith(QStringLiteral("..")))
        return QString();
    return text.mid(2, 199).replace(QLatin1Char('~'), QStringLiteral("\n"));
}

} // namespace

File& File::instanz()
{
    if (!g_instanz) {
        g_instanz = new File;
        qAddPostRoutine(instanzLoeschen);
    }
    return *g_instanz;
}

QString File::waehlen(const DateiWahl& wahl)
{
    File& f = instanz();
    // The proposal may be a long path: the box's typing limit must not cut it
    // before the set-up has reduced it to its base name.
    f.Bezeichnung->setMaxLength(VolleLaenge);
    f.Bezeichnung->setText(wahl.vorschlag);
    f.Kuerzel->setText(wahl.kuerzel);
    (wahl.laden ? f.Laden : f.Speichern)->setChecked(true);
    f.setPfad(wahl.ordner);
    f.exec();
    return f.Bezeichnung->text();
}

File::File(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("File"));
    setWindowTitle(QStringLiteral("Speichern / Laden"));
    zcommon::HilfeTaste_Anmelden(this, QStringLiteral("dateiauswahl"));
    setModal(true);

    auto* rahmen = new QVBoxLayout(this);
    rahmen->setContentsMargins(0, 0, 0, 0);
    rahmen->setSpacing(0);
    menueLeiste = new QMenuBar(this);
    rahmen->setMenuBar(menueLeiste);
    auto* flaeche = new QWidget(this);
    flaeche->setFixedSize(px(5820), px(4980));
    rahmen->addWidget(flaeche);

    // Alt+D belongs to the menu "&Datei".
    BezBezeichnung = new QLabel(QStringLiteral("Datei&name:"), flaeche);
    BezBezeichnung->setObjectName(QStringLiteral("BezBezeichnung"));
    platzieren(BezBezeichnung, 120, 120, 1215, 255);

    Bezeichnung = new QLineEdit(flaeche);
    Bezeichnung->setObjectName(QStringLiteral("Bezeichnung"));
    // A file name keeps its letters.
    zplatform::eingaberegelAus(Bezeichnung);
    platzieren(Bezeichnung, 120, 360, 2415, 285);
    BezBezeichnung->setBuddy(Bezeichnung);

    Kuerzel = new QLabel(QStringLiteral("Txt"), flaeche);
    Kuerzel->setObjectName(QStringLiteral("Kuerzel"));
    Kuerzel->hide();

    Laden = new QRadioButton(QStringLiteral("Laden"), flaeche);
    Laden->setObjectName(QStringLiteral("Laden"));
    Laden->hide();
    Speichern = new QRadioButton(QStringLiteral("Speichern"), flaeche);
    Speichern->setObjectName(QStringLiteral("Speichern"));
    Speichern->hide();
    Laden->setChecked(true);

    Datei1 = new QListWidget(flaeche);
    Datei1->setObjectName(QStringLiteral("Datei1"));
    Datei1->setSelectionMode(QAbstractItemView::SingleSelection);
    platzieren(Datei1, 120, 840, 2415, 3990);
    Datei1->installEventFilter(this);
    Datei1->viewport()->installEventFilter(this);

    amEnde = new QCheckBox(QStringLiteral("amEnde"), flaeche);
    amEnde->setObjectName(QStringLiteral("amEnde"));
    amEnde->hide();
    bezAusschluss = new QLabel(flaeche);
    bezAusschluss->setObjectName(QStringLiteral("bezAusschluss"));
    bezAusschluss->hide();

    BezHinweise = new QLabel(flaeche);
    BezHinweise->setObjectName(QStringLiteral("BezHinweise"));
    BezHinweise->setAutoFillBackground(true);
    BezHinweise->setBackgroundRole(QPalette::Button);
    BezHinweise->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    BezHinweise->setWordWrap(true);
    platzieren(BezHinweise, 2640, 120, 3135, 615);
    BezInfo = new QLabel(flaeche);
    BezInfo->setObjectName(QStringLiteral("BezInfo"));
    BezInfo->setAutoFillBackground(true);
    BezInfo->setBackgroundRole(QPalette::Button);
    BezInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    BezInfo->setWordWrap(true);
    platzieren(BezInfo, 2640, 840, 3015, 3375);

    BefOk = new QPushButton(QStringLiteral("&Ok"), flaeche);
    BefOk->setObjectName(QStringLiteral("BefOk"));
    BefOk->setDefault(true);
    BefOk->setAutoDefault(true);
    platzieren(BefOk, 2640, 4440, 1455, 375);
    befAbbrechen = new QPushButton(QStringLiteral("&Abbrechen"), flaeche);
    befAbbrechen->setObjectName(QStringLiteral("befAbbrechen"));
    befAbbrechen->setAutoDefault(false);
    platzieren(befAbbrechen, 4200, 4440, 1455, 375);

    setTabOrder(Bezeichnung, Datei1);
    setTabOrder(Datei1, BefOk);
    setTabOrder(BefOk, befAbbrechen);

    mnuDatei = menueLeiste->addMenu(QStringLiteral("&Datei"));
    mnuDatei->setObjectName(QStringLiteral("mnuDatei"));
    mnuOk = mnuDatei->addAction(QStringLiteral("&Auswählen"));
    mnuOk->setObjectName(QStringLiteral("mnuOk"));
    befUmbennen = mnuDatei->addAction(QStringLiteral("&Umbennen..."));
    befUmbennen->setObjectName(QStringLiteral("befUmbennen"));
    BefLoeschen = mnuDatei->addAction(QStringLiteral("&Löschen..."));
    BefLoeschen->setObjectName(QStringLiteral("BefLoeschen"));
    BefLoeschen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    mnuDatei->addSeparator();
    mnuAbbrechen = mnuDatei->addAction(QStringLiteral("A&bbrechen"));
    mnuAbbrechen->setObjectName(QStringLiteral("mnuAbbrechen"));

    connect(mnuOk, &QAction::triggered, this, [this] { mnuOk_Click(); });
    connect(befUmbennen, &QAction::triggered, this, [this] { befUmbennen_Click(); });
    connect(BefLoeschen, &QAction::triggered, this, [this] { befLoeschen_Click(); });
    connect(mnuAbbrechen, &QAction::triggered, this, [this] { mnuAbbrechen_Click(); });
    connect(BefOk, &QPushButton::clicked, this, [this] { mnuOk_Click(); });
    connect(befAbbrechen, &QPushButton::clicked, this, [this] { mnuAbbrechen_Click(); });

    connect(Datei1, &QListWidget::itemSelectionChanged, this, [this] { Datei1_Click(); });
    connect(Datei1, &QListWidget::itemDoubleClicked, this, [this] {
        if (BefOk->isVisible() && BefOk->isEnabled())
            mnuOk_Click();
    });

    // Typed or pasted characters that cannot stand in a name become "_".
    connect(Bezeichnung, &QLineEdit::textEdited, this, [this](const QString& text) {
        QString sauber = Name_Bereinigen(text);
        if (sauber != text) {
            const int cursor = Bezeichnung->cursorPosition();
            Bezeichnung->setText(sauber);
            Bezeichnung->setCursorPosition(cursor);
        }
    });
    connect(Bezeichnung, &QLineEdit::textChanged, this, [this](const QString& text) {
        BefOk->setEnabled(!text.isEmpty());
        mnuOk->setEnabled(BefOk->isEnabled());
    });
    // A name typed in save mode: the hints say where the file will go.
    connect(Bezeichnung, &QLineEdit::textEdited, this, [this] {
        if (speichernModus())
            zielZeigen();
    });

    BezInfo->clear();
    BezHinweise->clear();
    hinweiseEinpassen(BezHinweise, BezInfo);
    setPfad(zplatform::programmOrdner());
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void File::setPfad(const QString& ordner)
{
    m_pfad = zplatform::normalPfad(ordner);
}

QString File::ordnerMitTrenner() const
{
    return m_pfad.endsWith(QLatin1Char('/')) ? m_pfad : m_pfad + QLatin1Char('/');
}

bool File::speichernModus() const
{
    return Speichern->isChecked();
}

QString File::erweiterung() const
{
    QString e = Kuerzel->text();
    if (!e.startsWith(QLatin1Char('.')))
        e.prepend(QLatin1Char('.'));
    return e.left(4);
}

QString File::Basisname(const QString& name, const QString& erweiterung)
{
    QString n = QFileInfo(zplatform::normalPfad(name)).fileName();
    if (erweiterung.size() > 1 && n.size() > erweiterung.size() && n.endsWith(erweiterung, Qt::CaseInsensitive))
        return n.left(n.size() - erweiterung.size());
    const qsizetype punkt = n.indexOf(QLatin1Char('.'));
    return punkt < 0 ? n : n.left(punkt);
}

QString File::Name_Bereinigen(const QString& name)
{
    QString n = name;
    for (QChar& c : n)
        if (istVerbotenBeimTippen(c))
            c = QLatin1Char('_');
    return n;
}

bool File::istOffeneAdressdatei(const QString& pfad) const
{
    return IstOffeneAdressdatei(pfad);
}

void File::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!m_aufbauErledigt)
        aufbau();
}

void File::aufbau()
{
    m_aufbauErledigt = true;
    const bool nurLesen = zadressbuch::sitzung().NurLesen;
    const QString ext = erweiterung();

    if (!Bezeichnung->text().isEmpty())
        Bezeichnung->setText(Basisname(Bezeichnung->text(), ext));
    Bezeichnung->setMaxLength(255);

    if (speichernModus()) {
        setWindowTitle(QStringLiteral("Datei speichern unter"));
        Bezeichnung->setReadOnly(false);
        Bezeichnung->setFocusPolicy(Qt::StrongFocus);
        Bezeichnung->setCursor(Qt::IBeamCursor);
        BefOk->setEnabled(!Bezeichnung->text().isEmpty());
        mnuOk->setEnabled(!Bezeichnung->text().isEmpty() && !nurLesen);
        befUmbennen->setEnabled(!nurLesen);
        BefLoeschen->setEnabled(!nurLesen);
        BefOk->setVisible(!nurLesen);
        mnuOk->setVisible(!nurLesen);
    } else {
        setWindowTitle(QStringLiteral("Datei laden"));
        // The name comes from the list only: the box takes no typing.
        Bezeichnung->setReadOnly(true);
        Bezeichnung->setFocusPolicy(Qt::NoFocus);
        Bezeichnung->setCursor(Qt::ArrowCursor);
        BefOk->setEnabled(false);
        BefOk->setVisible(true);
        mnuOk->setVisible(true);
        mnuOk->setEnabled(!nurLesen);
        befUmbennen->setEnabled(!nurLesen);
        BefLoeschen->setEnabled(!nurLesen);
    }

    listeAuffrischen();
    zielZeigen();
    if (amEnde->isChecked() && Datei1->count() > 0)
        Datei1->setCurrentRow(Datei1->count() - 1);
    const QString gesucht = Bezeichnung->text() + ext;
    for (int i = 0; i < Datei1->count(); ++i)
        if (Datei1->item(i)->text().compare(gesucht, Qt::CaseInsensitive) == 0)
            Datei1->setCurrentRow(i);

    if (speichernModus())
        Bezeichnung->setFocus(Qt::OtherFocusReason);
    else
        Datei1->setFocus(Qt::OtherFocusReason);

    if (QWidget* haupt = QApplication::activeWindow(); haupt && haupt != this) {
        QRect r = frameGeometry();
        r.moveCenter(haupt->frameGeometry().center());
        move(r.topLeft());
    }
}

void File::zielZeigen()
{
    const QString ext = erweiterung();
    const QString& ordner = m_pfad;
    if (speichernModus()) {
        const QString name = Name_Bereinigen(Bezeichnung->text().trimmed());
        BezHinweise->setText(QStringLiteral("Speichern im Ordner:\n") + ordner + QStringLiteral("\nals: ") +
                             (name.isEmpty() ? QStringLiteral("…") : name) + ext);
        BezInfo->setText(QStringLiteral("Geben Sie einen Namen ein; die Endung »") + ext +
                         QStringLiteral("« wird angehängt.\n\nEine Datei der Liste wird ersetzt, wenn Sie "
                                        "sie auswählen (nach einer Rückfrage)."));
    } else {
        BezHinweise->setText(QStringLiteral("Dateien »*") + ext + QStringLiteral("« im Ordner:\n") + ordner);
        BezInfo->setText(QStringLiteral("Wählen Sie eine Datei aus der Liste."));
    }
    hinweiseEinpassen(BezHinweise, BezInfo);
}

void File::listeAuffrischen()
{
    const QSignalBlocker sperre(Datei1);
    Datei1->clear();
    Datei1->addItems(zplatform::dateienListen(m_pfad, QLatin1Char('*') + erweiterung()));
    Datei1->setCurrentRow(-1);
    Datei1->clearSelection();
}

void File::waehleEintrag(const QString& name)
{
    for (int i = 0; i < Datei1->count(); ++i)
        if (Datei1->item(i)->text().compare(name, Qt::CaseInsensitive) == 0)
            Datei1->setCurrentRow(i);
}

void File::Datei1_Click()
{
    QListWidgetItem* eintrag = Datei1->currentItem();
    if (!eintrag || !eintrag->isSelected())
        return;
    const QString name = eintrag->text();
    if (name.isEmpty())
        return;
    const QString voll = ordnerMitTrenner() + name;

    const QString aus = bezAusschluss->text();
    if (!aus.isEmpty() && (aus.toLower().contains(name.toLower()) || name.toLower().contains(aus.toLower()))) {
        const QSignalBlocker sperre(Datei1);
        Datei1->setCurrentRow(-1);
        Datei1->clearSelection();
        BezInfo->setText(QStringLiteral("Keine gültige Datei."));
        return;
    }

    const QFileInfo info(voll);
    const QDateTime stempel = info.lastModified();
    const qint64 alter = stempel.isValid() ? stempel.secsTo(zplatform::plattform().jetzt()) : 0;
    BezHinweise->setText(voll + QLatin1Char('\n') + QStringLiteral("Vom: ") +
                         stempel.toString(QStringLiteral("dd.MM.yyyy hh:mm")) + QStringLiteral(" - ") +
                         zcommon::Dauer_Text(double(alter)) + QStringLiteral(" alt") + QLatin1Char('\n') +
                         QStringLiteral("Größe: ") + zcommon::Format(double(info.size()), QStringLiteral("#,###")) +
                         QStringLiteral(" Bytes"));
    hinweiseEinpassen(BezHinweise, BezInfo);

    Bezeichnung->setText(Basisname(name, erweiterung()));
    BefOk->setEnabled(true);
    BezInfo->setText(beschreibung(voll));
}

void File::mnuOk_Click()
{
    Bezeichnung->setMaxLength(255);
    // The name is cleaned whole: whatever reached the box (typed, pasted or
    // set by a caller) cannot leave the folder or the extension.
    QString name = Bezeichnung->text();
    // The name of the file selected in the list stays as it is (it may hold
    // blanks or points), so that OK returns that very file.
    const QListWidgetItem* gewaehlt = Datei1->currentItem();
    const bool ausDerListe = gewaehlt && gewaehlt->isSelected() && name == Basisname(gewaehlt->text(), erweiterung());
    if (speichernModus() && !ausDerListe) {
        name = Name_Bereinigen(name);
    } else {
        for (QChar& c : name)
            if (c.unicode() < 0x20 || c.unicode() == 0x7F || c == QLatin1Char('/') || c == QLatin1Char('\\'))
                c = QLatin1Char('_');
    }
    if (name.trimmed().isEmpty())
        return;
    if (name != Bezeichnung->text())
        Bezeichnung->setText(name);

    const QString voll = ordnerMitTrenner() + name + erweiterung();
    if (speichernModus() && QFileInfo(zplatform::pfadAufloesen(voll)).isFile()) {
        const int antwort =
            meldung(QStringLiteral("#SystemQuestion"),
                    QStringLiteral("Datei »") + voll +
                        QStringLiteral("« besteht bereits.\r\n\r\n"
                                       "Möchten Sie, dass diese Datei überschrieben wird?"),
                    zplatform::vbYesNo | zplatform::vbExclamation, QStringLiteral("Datei speichern unter"));
        if (antwort != zplatform::vbYes)
            return;
    }
    // The result is a full path, which may be longer than a typed name.
    Bezeichnung->setMaxLength(VolleLaenge);
    Bezeichnung->setText(voll);
    m_aufbauErledigt = false;
    QDialog::accept();
}

void File::mnuAbbrechen_Click()
{
    Bezeichnung->setText(QString());
    Bezeichnung->setFocus(Qt::OtherFocusReason);
    m_aufbauErledigt = false;
    QDialog::reject();
}

void File::reject()
{
    mnuAbbrechen_Click();
}

void File::closeEvent(QCloseEvent* e)
{
    // The close box acts as the cancel button.
    e->ignore();
    if (isVisible())
        mnuAbbrechen_Click();
}

bool File::eventFilter(QObject* o, QEvent* e)
{
    if (o == Datei1 && e->type() == QEvent::FocusOut) {
        const auto grund = static_cast<QFocusEvent*>(e)->reason();
        if (grund == Qt::TabFocusReason || grund == Qt::BacktabFocusReason || grund == Qt::MouseFocusReason) {
            zielZeigen();
        }
    } else if (o == Datei1->viewport() && e->type() == QEvent::MouseButtonRelease) {
        auto* maus = static_cast<QMouseEvent*>(e);
        if (maus->button() == Qt::RightButton) {
            mnuDatei->popup(maus->globalPosition().toPoint());
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

QString File::dateiFuerBefehl(const QString& keineAuswahl, const QString& titelKeine, const QString& verb,
                              const QString& titel)
{
    Datei1->setFocus(Qt::OtherFocusReason);
    QListWidgetItem* eintrag = Datei1->currentItem();
    if (!eintrag || !eintrag->isSelected()) {
        meldung(QStringLiteral("#SystemExclamation"), keineAuswahl, zplatform::vbOKOnly | zplatform::vbExclamation,
                titelKeine);
        return QString();
    }
    const QString name = eintrag->text();
    if (istOffeneAdressdatei(ordnerMitTrenner() + name)) {
        meldung(QStringLiteral("#SystemExclamation"),
                QStringLiteral("Die Datei »") + name +
                    QStringLiteral("« ist die geöffnete Adressdatei und kann nicht ") + verb +
                    QStringLiteral(" werden."),
                zplatform::vbOKOnly | zplatform::vbExclamation, titel);
        return QString();
    }
    return name;
}

void File::befUmbennen_Click()
{
    const QString name =
        dateiFuerBefehl(QStringLiteral("Keine Datei zum Umbenennen ausgewählt."), QStringLiteral("Datei Umbenennen"),
                        QStringLiteral("umbenannt"), QStringLiteral("Datei umbenennen"));
    if (name.isEmpty())
        return;
    const QString voll = ordnerMitTrenner() + name;

    zcommon::Ton_Ausgeben(QStringLiteral("#SystemQuestion"));
    const QString basis = Basisname(name, erweiterung());
    const QString ext = name.mid(basis.size() + 1);
    const QString antwort = zplatform::plattform().pfadEingabe(
        QStringLiteral("Gegen Sie einen neuen Dateinamen für »") + basis + QStringLiteral("« ein.\r\n\r\n") +
            QStringLiteral("Das Dateikürzel wird automatisch auf »") + ext + QStringLiteral("« gesetzt."),
        QStringLiteral("Datei umbenennen"), basis);
    if (antwort.isEmpty())
        return;
    const Umbenennung u = Umbenennung_Planen(ordnerMitTrenner(), voll, ext, antwort);
    if (u.pruefung == Umbenennung::Pruefung::UngueltigesZeichen) {
        meldung(QStringLiteral("#SystemHand"), QStringLiteral("Ungültiges Zeichen im Dateinamen enthalten."),
                zplatform::vbOKOnly | zplatform::vbExclamation, QStringLiteral("Datei umbenennen"));
        return;
    }
    if (u.pruefung == Umbenennung::Pruefung::KeinNeuerName) {
        meldung(QStringLiteral("#SystemHand"), QStringLiteral("Sie haben keinen neuen Dateinamen gewählt."),
                zplatform::vbOKOnly | zplatform::vbExclamation, QStringLiteral("Datei umbenennen"));
        return;
    }
    if (u.zielVorhanden) {
        if (IstOffeneAdressdatei(u.ziel)) {
            meldung(QStringLiteral("#SystemExclamation"),
                    QStringLiteral("Die Datei »") + QFileInfo(u.ziel).fileName() +
                        QStringLiteral("« ist die geöffnete Adressdatei und kann nicht überschrieben werden."),
                    zplatform::vbOKOnly | zplatform::vbExclamation, QStringLiteral("Datei umbenennen"));
            return;
        }
        const int ja = meldung(QStringLiteral("#SystemQuestion"),
                               u.neuBasis + QStringLiteral("\r\nbesteht bereits.\r\n\r\n"
                                                           "Möchten Sie, dass diese Datei überschrieben wird?"),
                               zplatform::vbYesNo | zplatform::vbExclamation, QStringLiteral("Datei umbenennen"));
        if (ja != zplatform::vbYes)
            return;
    }

    const Dateiaktion a = Umbenennen_Ausfuehren(voll, u);
    if (!a.ok) {
        meldung(QStringLiteral("#SystemHand"),
                QStringLiteral("Die Datei »") + name + QStringLiteral("« konnte nicht umbenannt werden.\r\n\r\n") +
                    a.grund,
                zplatform::vbOKOnly | zplatform::vbExclamation, QStringLiteral("Datei umbenennen"));
    }
    listeAuffrischen();
    waehleEintrag(a.ok ? a.neuerName : name);
}

void File::befLoeschen_Click()
{
    const QString name =
        dateiFuerBefehl(QStringLiteral("Keine Datei zum Löschen ausgewählt."), QStringLiteral("Datei löschen"),
                        QStringLiteral("gelöscht"), QStringLiteral("Datei löschen"));
    if (name.isEmpty())
        return;
    const QString voll = ordnerMitTrenner() + name;
    const int antwort =
        meldung(QStringLiteral("#SystemQuestion"), QStringLiteral("Datei »") + name + QStringLiteral("« löschen."),
                zplatform::vbYesNo | zplatform::vbQuestion, QStringLiteral("Datei löschen?"));
    if (antwort != zplatform::vbYes)
        return;
    if (!Datei_Entfernen(voll).ok) {
        meldung(QStringLiteral("#SystemHand"),
                QStringLiteral("Die Datei »") + name + QStringLiteral("« konnte nicht gelöscht werden."),
                zplatform::vbOKOnly | zplatform::vbExclamation, QStringLiteral("Datei löschen"));
    }
    listeAuffrischen();
    Bezeichnung->setText(QString());
}

} // namespace zbefehle
