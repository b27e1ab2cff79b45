#include "platform/ui/desktopplattform.h"

#include "platform/ordner.h"
#include "platform/textdatei.h"
#include "platform/ui/eingaberegel.h"
#include "platform/ui/fenstervorn.h"
#include "platform/ui/hilfefenster.h"
#include "platform/ui/qtdrucker.h"
#include "platform/ui/titelbreite.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QUrl>

namespace zplatform {

namespace {

struct Knopf
{
    int ergebnis;
    const char* text;
    QMessageBox::ButtonRole rolle;
};

// The buttons of a box. Each answer has its access key (Alt with the
// underlined letter; in a message box the letter alone too), except OK, which
// is Enter's, and Cancel, which is Esc's; no two buttons of a box, the Help
// button's "&Hilfe" among them, share a letter.
std::vector<Knopf> knoepfe(int art)
{
    const Knopf ok{vbOK, "OK", QMessageBox::AcceptRole};
    const Knopf abbrechen{vbCancel, "Abbrechen", QMessageBox::RejectRole};
    const Knopf ja{vbYes, "&Ja", QMessageBox::YesRole};
    const Knopf nein{vbNo, "&Nein", QMessageBox::NoRole};
    const Knopf wiederholen{vbRetry, "&Wiederholen", QMessageBox::AcceptRole};
    switch (art) {
    case vbOKCancel:
        return {ok, abbrechen};
    case vbAbortRetryIgnore:
        // No Esc here (Meldungsbox): Abort is a button like the others.
        return {{vbAbort, "&Abbrechen", QMessageBox::RejectRole},
                wiederholen,
                {vbIgnore, "&Ignorieren", QMessageBox::AcceptRole}};
    case vbYesNoCancel:
        return {ja, nein, abbrechen};
    case vbYesNo:
        return {ja, nein};
    case vbRetryCancel:
        return {wiederholen, abbrechen};
    default:
        return {ok};
    }
}

QMessageBox::Icon symbol(int stil)
{
    switch (stil & 0x70) {
    case vbCritical:
        return QMessageBox::Critical;
    case vbQuestion:
        return QMessageBox::Question;
    case vbExclamation:
        return QMessageBox::Warning;
    case vbInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// The window a box stands in front of: the active one, but never the help
// (a box would block it): then the window the help belongs to.
QWidget* elternFenster()
{
    QWidget* aktiv = QApplication::activeWindow();
    const HilfeFenster* hilfe = HilfeFenster::offen();
    if (!aktiv || !hilfe || aktiv != hilfe)
        return aktiv;
    if (QWidget* besitzer = hilfe->besitzer(); besitzer && besitzer->isVisible())
        return besitzer;
    return HilfeFenster::fragendesFenster();
}

// The Help button of a box: it opens the help and leaves the box open (the
// button box would close the box on any of its buttons, so the button is
// taken out of its handling). F1 presses it as well.
void hilfeKnopfEinrichten(QDialog& box, QDialogButtonBox* leiste, QPushButton* knopf, const HilfeAufruf& hilfe)
{
    knopf->setObjectName(QStringLiteral("befHilfe"));
    knopf->setAutoDefault(false);
    if (leiste)
        QObject::disconnect(knopf, &QAbstractButton::clicked, leiste, nullptr);
    QObject::connect(knopf, &QAbstractButton::clicked, &box, [hilfe] { hilfe(); });
    auto* taste = new QShortcut(QKeySequence(Qt::Key_F1), &box);
    taste->setContext(Qt::WindowShortcut);
    QObject::connect(taste, &QShortcut::activated, knopf, &QAbstractButton::click);
}

// A message box that a Yes/No or Abort/Retry/Ignore question makes: such a
// box must be answered with one of its buttons. Esc and a close request (the
// title bar's close box, Alt+F4) do nothing, whichever button the box would
// otherwise take for Esc. Boxes with Cancel or with OK alone answer them with
// that button.
class Meldungsbox : public QMessageBox
{
public:
    Meldungsbox(QWidget* eltern, bool mussBeantwortetWerden)
        : QMessageBox(eltern), m_mussBeantwortetWerden(mussBeantwortetWerden)
    {
    }

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        if (m_mussBeantwortetWerden && e->matches(QKeySequence::Cancel)) {
            e->accept();
            return;
        }
        QMessageBox::keyPressEvent(e);
    }
    void closeEvent(QCloseEvent* e) override
    {
        if (m_mussBeantwortetWerden) {
            e->ignore();
            return;
        }
        QMessageBox::closeEvent(e);
    }

private:
    bool m_mussBeantwortetWerden;
};

// While a box waits for an answer the pointer must not show the hourglass.
struct NormalerZeiger
{
    bool aktiv = QApplication::overrideCursor() != nullptr;
    NormalerZeiger()
    {
        if (aktiv)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalerZeiger()
    {
        if (aktiv)
            QApplication::restoreOverrideCursor();
    }
};

QString wiedergabeProgramm()
{
    static const QString programm = [] {
        for (const char* name : {"paplay", "aplay", "pw-play"}) {
            const QString pfad = QStandardPaths::findExecutable(QString::fromLatin1(name));
            if (!pfad.isEmpty())
                return pfad;
        }
        return QString();
    }();
    return programm;
}

} // namespace

QString programmTitel()
{
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("Zettlora") : name;
}

int DesktopPlattform::meldung(const QString& text, int stil, const QString& titel, Schliessantwort schliessen)
{
    return meldungMitHilfe(text, stil, titel, {}, schliessen);
}

int DesktopPlattform::meldungMitHilfe(const QString& text, int stil, const QString& titel, const HilfeAufruf& hilfe,
                                      Schliessantwort schliessen)
{
    int art = stil & 7;
    if (art > vbRetryCancel)
        art = vbOKOnly;
    const std::vector<Knopf> liste = knoepfe(art);

    Meldungsbox box(elternFenster(), art == vbYesNo || art == vbAbortRetryIgnore);
    box.setWindowTitle(titel.isEmpty() ? programmTitel() : titel);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setIcon(symbol(stil));

    std::vector<QPushButton*> knoepfeQt;
    for (const Knopf& k : liste)
        knoepfeQt.push_back(box.addButton(QString::fromUtf8(k.text), k.rolle));
    int standard = (stil >> 8) & 3;
    if (standard >= int(liste.size()))
        standard = 0;
    box.setDefaultButton(knoepfeQt[standard]);
    if (hilfe)
        hilfeKnopfEinrichten(box, box.findChild<QDialogButtonBox*>(),
                             box.addButton(QStringLiteral("&Hilfe"), QMessageBox::HelpRole), hilfe);

    // Escape (and closing the window) answers Cancel where there is one; a box
    // with only OK takes it as OK; Yes/No and Abort/Retry/Ignore must be answered.
    int fluchtErgebnis = 0;
    for (size_t i = 0; i < liste.size(); ++i) {
        if (liste[i].ergebnis == vbCancel || art == vbOKOnly) {
            box.setEscapeButton(knoepfeQt[i]);
            fluchtErgebnis = liste[i].ergebnis;
        }
    }
    titelRaumGeben(box);

    // Closed with nobody there to answer: the button of the answer that changes nothing.
    QPointer<QPushButton> sicher;
    for (size_t i = 0; i < liste.size(); ++i)
        if (liste[i].ergebnis == antwortBeimSchliessen(art, schliessen))
            sicher = knoepfeQt[i];

    NormalerZeiger zeiger;
    boxZeigen(box, [sicher] {
        if (sicher)
            sicher->click();
    });
    QAbstractButton* geklickt = box.clickedButton();
    for (size_t i = 0; i < liste.size(); ++i) {
        if (geklickt == knoepfeQt[i])
            return liste[i].ergebnis;
    }
    return fluchtErgebnis ? fluchtErgebnis : liste[standard].ergebnis;
}

QString DesktopPlattform::eingabe(const QString& prompt, const QString& titel, const QString& vorgabe,
                                  bool* abgebrochen)
{
    return eingabeMitHilfe(prompt, titel, vorgabe, {}, abgebrochen);
}

QString DesktopPlattform::eingabeMitHilfe(const QString& prompt, const QString& titel, const QString& vorgabe,
                                          const HilfeAufruf& hilfe, bool* abgebrochen)
{
    return eingabeBox(prompt, titel, vorgabe, hilfe, abgebrochen, false);
}

QString DesktopPlattform::pfadEingabe(const QString& prompt, const QString& titel, const QString& vorgabe,
                                      bool* abgebrochen)
{
    return eingabeBox(prompt, titel, vorgabe, {}, abgebrochen, true);
}

QString DesktopPlattform::eingabeBox(const QString& prompt, const QString& titel, const QString& vorgabe,
                                     const HilfeAufruf& hilfe, bool* abgebrochen, bool pfad)
{
    QInputDialog dialog(elternFenster());
    if (pfad)
        eingaberegelAus(&dialog);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(titel.isEmpty() ? programmTitel() : titel);
    dialog.setLabelText(prompt);
    dialog.setTextValue(vorgabe);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Abbrechen"));
    // The button texts are set: the dialog has laid out its button box.
    if (auto* leiste = dialog.findChild<QDialogButtonBox*>(); leiste && hilfe)
        hilfeKnopfEinrichten(dialog, leiste, leiste->addButton(QStringLiteral("&Hilfe"), QDialogButtonBox::HelpRole),
                             hilfe);
    titelRaumGeben(dialog);
    NormalerZeiger zeiger;
    const bool ok = boxZeigen(dialog, [&dialog] { dialog.reject(); }) == QDialog::Accepted;
    if (abgebrochen)
        *abgebrochen = !ok;
    return ok ? dialog.textValue() : QString();
}

int DesktopPlattform::boxZeigen(QDialog& box, std::function<void()> schliessen)
{
    m_offen.push_back({&box, std::move(schliessen)});
    const int ergebnis = box.exec();
    m_offen.pop_back(); // the boxes return innermost first
    return ergebnis;
}

int DesktopPlattform::offeneBoxenSchliessen()
{
    int anzahl = 0;
    // Innermost first.
    for (size_t i = m_offen.size(); i-- > 0;) {
        if (m_offen[i].geschlossen || !m_offen[i].box)
            continue;
        m_offen[i].geschlossen = true;
        ++anzahl;
        const std::function<void()> schliessen = m_offen[i].schliessen;
        schliessen();
    }
    return anzahl;
}

void DesktopPlattform::ton(const QString& name)
{
    const QString n = name.trimmed();
    if (n.isEmpty())
        return;
    if (n.startsWith(QLatin1Char('#'))) {
        QApplication::beep();
        return;
    }
    const QString datei = pfadAufloesen(n);
    const QString programm = wiedergabeProgramm();
    if (programm.isEmpty() || !QFileInfo(datei).isFile())
        return;
    QProcess spieler;
    spieler.setProgram(programm);
    spieler.setArguments({datei});
    spieler.setStandardOutputFile(QProcess::nullDevice());
    spieler.setStandardErrorFile(QProcess::nullDevice());
    spieler.startDetached();
}

bool DesktopPlattform::shiftGedrueckt() const
{
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

bool DesktopPlattform::ctrlGedrueckt() const
{
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
}

QSize DesktopPlattform::bildschirmGroesse() const
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->size() : Plattform::bildschirmGroesse();
}

int DesktopPlattform::farbtiefe() const
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->depth() : Plattform::farbtiefe();
}

double DesktopPlattform::logischeDpi() const
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s && s->logicalDotsPerInch() > 0 ? s->logicalDotsPerInch() : Plattform::logischeDpi();
}

bool DesktopPlattform::hatAnzeige() const
{
    return fensterverwaltungDa();
}

bool DesktopPlattform::adresseOeffnen(const QString& url)
{
    if (!adresseErlaubt(url))
        return false;
    return QDesktopServices::openUrl(QUrl(url.trimmed()));
}

namespace {
int g_oeffnerLaufend = 0;
} // namespace

int DesktopPlattform::oeffnerLaufend()
{
    return g_oeffnerLaufend;
}

namespace {

// A page that sends the browser on to the document's section: a browser
// keeps the anchor of such a page, where the desktop's opener drops it
// from a file given to it. "" when it cannot be written.
QString weiterleitung(const QUrl& ziel)
{
    const QString seite = tempOrdner() + QStringLiteral("/Zettlora-Hilfe.html");
    const QString adresse = QString::fromLatin1(ziel.toEncoded());
    const QString verweis = adresse.toHtmlEscaped();
    const QStringList zeilen{
        QStringLiteral("<!DOCTYPE html>"),
        QStringLiteral("<html><head><meta charset=\"windows-1252\">"),
        QStringLiteral("<meta http-equiv=\"refresh\" content=\"0; url=%1\">").arg(verweis),
        QStringLiteral("<title>Zettlora</title></head>"),
        QStringLiteral("<body><p><a href=\"%1\">Zettlora</a></p></body></html>").arg(verweis),
    };
    return zeilenSchreiben(seite, zeilen) ? seite : QString();
}

} // namespace

bool DesktopPlattform::dokumentOeffnen(const QString& pfad, const QString& anker)
{
    const QString datei = pfadAufloesen(pfad);
    if (datei.isEmpty() || !QFileInfo::exists(datei))
        return false;
    const QString voll = QFileInfo(datei).absoluteFilePath();
    if (!istHtmlDatei(voll))
        return QDesktopServices::openUrl(QUrl::fromLocalFile(voll));

    // The help stands in front of the window that asked for it, also when it
    // comes up after the desktop's opener has given up.
    QPointer<QWidget> besitzer = HilfeFenster::fragendesFenster();
    QUrl ziel = QUrl::fromLocalFile(voll);
    if (!anker.isEmpty())
        ziel.setFragment(anker);

    // An HTML document goes to the desktop's browser; when there is none, or
    // the desktop's opener cannot show it, the program's own window shows it.
    const QString oeffner = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (oeffner.isEmpty()) {
        if (!QDesktopServices::openUrl(ziel))
            HilfeFenster::zeigen(voll, anker, besitzer);
        return true;
    }
    QString uebergabe = voll;
    if (!anker.isEmpty()) {
        const QString seite = weiterleitung(ziel);
        if (seite.isEmpty()) {
            HilfeFenster::zeigen(voll, anker, besitzer);
            return true;
        }
        uebergabe = seite;
    }
    // Not owned: a browser the opener waits for may outlive the program.
    auto* lauf = new QProcess;
    lauf->setProgram(oeffner);
    lauf->setArguments({uebergabe});
    lauf->setStandardOutputFile(QProcess::nullDevice());
    lauf->setStandardErrorFile(QProcess::nullDevice());
    // The opener has ended (or never started): without success our own window shows the help.
    const auto fertig = [lauf, voll, anker, besitzer](bool gezeigt) {
        if (!gezeigt)
            HilfeFenster::zeigen(voll, anker, besitzer.data());
        --g_oeffnerLaufend;
        lauf->deleteLater();
    };
    QObject::connect(lauf, &QProcess::finished, qApp, [fertig](int code, QProcess::ExitStatus art) {
        fertig(art == QProcess::NormalExit && code == 0);
    });
    QObject::connect(lauf, &QProcess::errorOccurred, qApp, [fertig](QProcess::ProcessError fehler) {
        if (fehler == QProcess::FailedToStart)
            fertig(false);
    });
    ++g_oeffnerLaufend;
    lauf->start();
    return true;
}

QString DesktopPlattform::zwischenablage() const
{
    const QClipboard* c = QGuiApplication::clipboard();
    return c ? c->text() : Plattform::zwischenablage();
}

void DesktopPlattform::zwischenablageSetzen(const QString& text)
{
    if (QClipboard* c = QGuiApplication::clipboard())
        c->setText(text);
    else
        Plattform::zwischenablageSetzen(text);
}

void DesktopPlattform::ereignisseVerarbeiten()
{
    QCoreApplication::processEvents();
}

void DesktopPlattform::sanduhr(bool an)
{
    // On and off, as the program's pointer always was: switching it on twice
    // and off once leaves the normal pointer.
    if (an == m_sanduhr)
        return;
    m_sanduhr = an;
    if (an)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void desktopEinrichten()
{
    static DesktopPlattform desktop;
    plattformSetzen(&desktop);
    static QtDruckerVerzeichnis verzeichnis;
    druckerVerzeichnisSetzen(&verzeichnis);

    std::unique_ptr<Drucker> d;
    const QPrinterInfo standard = QPrinterInfo::defaultPrinter();
    if (!standard.isNull())
        d = druckerErzeugen(standard.printerName());
    if (!d)
        d = druckerErzeugen(pdfDruckerName);
    druckerSetzen(std::move(d));
}

} // namespace zplatform
