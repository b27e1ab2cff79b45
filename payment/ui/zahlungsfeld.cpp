#include "payment/ui/zahlungsfeld.h"

#include "common/ini.h"
#include "common/meldungen.h"
#include "common/texte.h"
#include "common/ui/menuefokus.h"
#include "payment/kastenwert.h"
#include "platform/plattform.h"

#include <QAction>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace zzahlung {

namespace {

bool istEnter(const QKeyEvent* e)
{
    return (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) &&
           !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

// The purpose lines' hot keys: 'D' date, 'U' time, 'N' running number.
char verwendungsTaste(const QKeyEvent* e)
{
    const Qt::KeyboardModifiers mod = e->modifiers() & ~Qt::KeypadModifier;
    if (mod != Qt::ControlModifier)
        return 0;
    switch (e->key()) {
    case Qt::Key_D:
        return 'D';
    case Qt::Key_U:
        return 'U';
    case Qt::Key_Backslash:
    case Qt::Key_NumberSign:
        return 'N';
    default:
        return 0;
    }
}

class NachDemZeigen : public QObject
{
public:
    NachDemZeigen(QWidget* form, std::function<void()> schritt) : QObject(form), m_schritt(std::move(schritt))
    {
        form->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o == parent() && e->type() == QEvent::Show) {
            o->removeEventFilter(this);
            // After the show: what it shows stands over the form, not before it.
            QTimer::singleShot(0, this, [this] {
                const auto schritt = std::move(m_schritt);
                deleteLater();
                schritt();
            });
        }
        return false;
    }

private:
    std::function<void()> m_schritt;
};

class EnterFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress && istEnter(static_cast<QKeyEvent*>(e))) {
            if (auto* w = qobject_cast<QWidget*>(o)) {
                if (QWidget* nach = w->nextInFocusChain()) {
                    // Skip what cannot take the focus.
                    QWidget* start = nach;
                    while (nach && !(nach->isEnabled() && nach->isVisible() && (nach->focusPolicy() & Qt::TabFocus) &&
                                     nach->window() == w->window() && !nach->focusProxy())) {
                        nach = nach->nextInFocusChain();
                        if (nach == start || nach == w)
                            break;
                    }
                    if (nach)
                        nach->setFocus(Qt::TabFocusReason);
                }
            }
            return true;
        }
        return false;
    }
};

} // namespace

Zahlungsfeld::Zahlungsfeld(const QString& name, int art, int maxLaenge, QWidget* eltern) : QLineEdit(eltern), m_art(art)
{
    setObjectName(name);
    if (maxLaenge > 0) {
        setMaxLength(maxLaenge);
        // Room for as many average characters as the box holds.
        setMinimumWidth(fontMetrics().averageCharWidth() * maxLaenge + 2 * fontMetrics().averageCharWidth());
    }
    Anfang_Zeigen(this);
}

bool Zahlungsfeld::event(QEvent* e)
{
    if (e->type() == QEvent::ShortcutOverride) {
        auto* k = static_cast<QKeyEvent*>(e);
        if ((m_art & Verwendung) && verwendungsTaste(k)) {
            e->accept();
            return true;
        }
    }
    return QLineEdit::event(e);
}

void Zahlungsfeld::keyPressEvent(QKeyEvent* e)
{
    if ((m_art & EnterWeiter) && istEnter(e)) {
        e->accept();
        focusNextChild();
        return;
    }
    const QString zeichen = e->text();
    if ((m_art & Zahler) && (zeichen == QLatin1String(";") || zeichen == QLatin1String("|"))) {
        insert(zeichen == QLatin1String(";") ? QStringLiteral(",") : QStringLiteral("-"));
        e->accept();
        return;
    }
    if ((m_art & Dezimalpunkt) && zeichen == QLatin1String(".")) {
        insert(QStringLiteral(","));
        e->accept();
        return;
    }
    if (m_art & Verwendung) {
        switch (verwendungsTaste(e)) {
        case 'D':
            insert(zcommon::DatumText(zcommon::Heute()) + u' ');
            e->accept();
            return;
        case 'U':
            insert(zcommon::ZeitText(zcommon::Jetzt().time()) + u' ');
            e->accept();
            return;
        case 'N': {
            const double n =
                zcommon::Ini_Zaehler_Erhoehen(QString(), QStringLiteral("Variablen"), QStringLiteral("VarioCount0"), 1);
            insert(zcommon::Format(n, QStringLiteral("0")) + u' ');
            e->accept();
            return;
        }
        default:
            break;
        }
    }
    QLineEdit::keyPressEvent(e);
}

void Zahlungsfeld::focusInEvent(QFocusEvent* e)
{
    if (zcommon::MenueFokus(e->reason())) {
        QLineEdit::focusInEvent(e);
        return;
    }
    Q_EMIT betreten();
    QLineEdit::focusInEvent(e);
    // The whole text selected, the cursor at its start: a long text shows its beginning.
    setSelection(int(text().size()), -int(text().size()));
}

void Anfang_Zeigen(QLineEdit* feld)
{
    if (!feld)
        return;
    // Only a text set by the program: typing marks the box as modified.
    QObject::connect(feld, &QLineEdit::textChanged, feld, [feld] {
        if (!feld->isModified())
            feld->setCursorPosition(0);
    });
}

Kastenfuellung::Kastenfuellung(QWidget* form) : QObject(form), m_form(form)
{
    // What the form's load cut is told once the form is on the screen.
    Nach_Dem_Zeigen(form, [this] { Kuerzungen_Melden(); });
}

void Kastenfuellung::Wert_Eintragen(QLineEdit* feld, const QString& wert, const QString& bezeichnung)
{
    bool gekuerzt = false;
    feld->setText(Kastenwert(wert, feld->maxLength(), &gekuerzt));
    if (gekuerzt)
        m_gekuerzt << Kastenwert_Zeile(bezeichnung, feld->maxLength(), wert);
}

void Kastenfuellung::Kuerzungen_Melden()
{
    const QString text = Kuerzungen_Meldung(m_gekuerzt);
    m_gekuerzt.clear();
    if (!text.isEmpty())
        zcommon::MsgBox(text, zplatform::vbOKOnly | zplatform::vbExclamation, m_form->windowTitle());
}

void Zahlungsfeld::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    zcommon::Beim_Verlassen(this, e, [this] { Q_EMIT verlassen(); });
}

void Nach_Dem_Zeigen(QWidget* form, std::function<void()> schritt)
{
    new NachDemZeigen(form, std::move(schritt));
}

void Enter_Weiter(QWidget* steuerelement)
{
    if (!steuerelement)
        return;
    auto* filter = new EnterFilter(steuerelement);
    steuerelement->installEventFilter(filter);
    if (auto* kombi = qobject_cast<QComboBox*>(steuerelement)) {
        if (kombi->lineEdit())
            kombi->lineEdit()->installEventFilter(filter);
    }
}

Formularsteuerung Formularsteuerung_Anlegen(QWidget* form, const QString& laserware, const QString& druckName)
{
    Formularsteuerung f;
    f.optFormular[0] = new QRadioButton(laserware, form);
    f.optFormular[1] = new QRadioButton(QStringLiteral("Formular aus &Grafik laden"), form);
    for (size_t i = 0; i < f.optFormular.size(); ++i) {
        f.optFormular[i]->setObjectName(QStringLiteral("optFormular_%1").arg(i));
        Enter_Weiter(f.optFormular[i]);
    }
    f.optFormular[0]->setChecked(true);
    f.optFormular[1]->setEnabled(false);
    f.ComboSchrift = new QComboBox(form);
    f.ComboSchrift->setObjectName(QStringLiteral("ComboSchrift"));
    Enter_Weiter(f.ComboSchrift);
    f.befDrucken = new QPushButton(QStringLiteral("&Drucken"), form);
    f.befDrucken->setObjectName(druckName);
    f.befAbbrechen = new QPushButton(QStringLiteral("&Zurück"), form);
    f.befAbbrechen->setObjectName(QStringLiteral("befAbbrechen"));
    for (QPushButton* b : {f.befDrucken, f.befAbbrechen}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    f.leiste = new QMenuBar(form);
    QMenu* setup = f.leiste->addMenu(QStringLiteral("&Einstellungen"));
    setup->setObjectName(QStringLiteral("mnuSetup"));
    f.mnuSetupSave = setup->addAction(QStringLiteral("Einstellungen jetzt &sichern"));
    f.mnuSetupSave->setObjectName(QStringLiteral("mnuSetupSave"));
    return f;
}

bool OhneBetrag_Drucken(QWidget* betragsfeld)
{
    if (betragsfeld)
        betragsfeld->setFocus();
    const int antwort = zcommon::MsgBox(QStringLiteral("Sie haben keinen Betrag eingegeben."),
                                        zplatform::vbOKCancel | zplatform::vbQuestion | zplatform::vbDefaultButton2,
                                        QStringLiteral("Formular ohne Betrag drucken?"));
    return antwort == zplatform::vbOK;
}

bool Druck_Beenden(const Druckwahl& w)
{
    if (!w.drucker)
        return false;
    zplatform::Drucker& d = *w.drucker;
    bool ok = true;
    if (w.beenden) {
        ok = w.beenden();
    } else {
        ok = d.dokumentEnde();
        zplatform::plattform().sanduhr(false);
        if (!ok)
            zcommon::Fehler_Melden(482, QStringLiteral("Es ist ein Fehler aufgetreten."));
    }
    d.scaleLeft = 0;
    d.scaleTop = 0;
    d.schrift.farbe = 0;
    return ok;
}

} // namespace zzahlung
