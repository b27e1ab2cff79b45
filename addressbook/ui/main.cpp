#include "addressbook/ui/main.h"

#include "addressbook/adressdatei.h"
#include "addressbook/adressliste.h"
#include "addressbook/dateiini.h"
#include "addressbook/datensatz.h"
#include "addressbook/fenstereinstellungen.h"
#include "addressbook/indexnummern.h"
#include "addressbook/karte.h"
#include "addressbook/layout.h"
#include "addressbook/leerlauf.h"
#include "addressbook/sitzung.h"
#include "addressbook/start.h"
#include "addressbook/suche.h"
#include "addressbook/ui/auswahl.h"
#include "addressbook/ui/kartenfeld.h"
#include "addressbook/ui/kartenform.h"
#include "addressbook/ui/listenansicht.h"
#include "addressbook/ui/main_intern.h"
#include "common/dateien.h"
#include "common/ini.h"
#include "common/meldungen.h"
#include "common/start.h"
#include "common/texte.h"
#include "common/ui/menuefokus.h"
#include "platform/ordner.h"
#include "platform/plattform.h"
#include "platform/ui/fensterrueckgabe.h"
#include "platform/ui/twips.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTextCursor>
#include <QThread>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <functional>
#include <utility>

namespace zadressbuch {

namespace {

Main* g_instanz = nullptr;

using intern::platzieren;
using intern::tw;

// The window's client area at its first start (no stored size yet), in
// twips: the design width, and room below the card for a dozen addresses.
constexpr int StartBreite = 9675;
constexpr int StartHoehe = 9000;

QString anzeigeText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace

// ===========================================================================
// Construction

Main::Main(Befehlsregister& befehle, QStringList argumente, QWidget* parent)
    : QMainWindow(parent), m_befehle(befehle), m_argumente(std::move(argumente))
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Zettlora"));
    QFont schrift(QStringLiteral("Arial"));
    schrift.setPointSizeF(8);
    setFont(schrift);

    auto* mitte = new QWidget(this);
    mitte->setObjectName(QStringLiteral("MainFlaeche"));
    setCentralWidget(mitte);

    symbolleisteAufbauen(mitte);
    karteAufbauen(mitte);
    menuesAufbauen();
    statusleisteAufbauen();

    ZeitTimeOut = new QTimer(this);
    ZeitTimeOut->setObjectName(QStringLiteral("ZeitTimeOut"));
    ZeitTimeOut->setInterval(UhrIntervallMs);
    connect(ZeitTimeOut, &QTimer::timeout, this, &Main::ZeitTimeOut_Timer);
    // The window's own event loop while the main loop does not run (a window
    // run without it): deeper ones belong to open dialogs. See schleifenEbene().
    m_schleifenEbene = QThread::currentThread()->loopLevel();

    m_zeitSuche = new SuchVerzoegerung([this] { return TxtSuche->text(); }, [this] { TextSuche_Starten(); }, this);
    m_zeitSuche->setObjectName(QStringLiteral("zeitSuche"));

    resize(tw(StartBreite), tw(StartHoehe) + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    // Above the status bar, over whose right half the layout puts it.
    platzieren(ProgressBar, 120, 6480, 1485, 225, clientOben());
    ProgressBar->raise();

    // The list: the program's one address list, its selection mirrored both ways.
    Liste->setModel(&adressliste());
    connect(Liste, &AdressListenAnsicht::nutzerWaehlt, this, [this](int zeile) {
        Abweichende_Karte_Uebernehmen(); // into the address it was typed into
        adressliste().setListIndex(zeile);
    });
    connect(Liste, &AdressListenAnsicht::doppelklick, this, &Main::Liste_DblClick);
    connect(&adressliste(), &AdressListe::auswahlGeaendert, this, [this](int zeile) {
        Liste->auswahlZeigen(zeile);
        Liste_Click();
    });
    // Rows inserted or removed move the model's selection silently: show it again.
    auto nachziehen = [this] { Liste->auswahlZeigen(adressliste().ListIndex()); };
    connect(&adressliste(), &QAbstractItemModel::rowsInserted, this, nachziehen);
    connect(&adressliste(), &QAbstractItemModel::rowsRemoved, this, nachziehen);
    connect(&adressliste(), &QAbstractItemModel::modelReset, this, nachziehen);

    eintraegeFreigeben();

    // Key preview and the card fields' events.
    qApp->installEventFilter(this);
    g_instanz = this;
}

Main::~Main()
{
    Leerlauf_Abbrechen();
    qApp->removeEventFilter(this);
    if (m_haeltInstanz) {
        zcommon::Instanz_Aktivierung(nullptr);
        zcommon::Instanz_Freigeben();
    }
    if (g_instanz == this)
        g_instanz = nullptr;
}

Main* Main::instanz()
{
    return g_instanz;
}

void Main::karteAufbauen(QWidget* mitte)
{
    const int H = 285; // height of a one-line field
    m_karte = new Karte(mitte);
    m_karte->lower(); // under the window's other controls, which lie beside it
    connect(m_karte, &Karte::feldGeaendert, this, &Main::Feld_Change);
    connect(m_karte, &Karte::feldDoppelklick, this, &Main::Feld_DblClick);
    // Text put in with the mouse or an input method is stored as typed text is.
    connect(m_karte, &Karte::feldOhneTaste, this, &Main::Feld_KeyUp);
    connect(m_karte, &Karte::feldKontextmenue, this, &Main::Feld_MouseDown);
    // What came in stands on the card and in its address before the line
    // that says how it was changed, so that no store's "Bereit" hides it.
    connect(m_karte, &Karte::feldAngepasst, this, [this](int, const QString& hinweis) {
        Abweichende_Karte_Uebernehmen();
        Status(hinweis, hinweis);
    });
    connect(m_karte, &Karte::zoomGeklickt, this, [this] { befehlAusfuehren(Befehl::befZoom); });
    bezInfo2 = m_karte->bezInfo2;
    bezZeit1 = m_karte->bezZeit1;
    bezZeit2 = m_karte->bezZeit2;
    befZoom = m_karte->befZoom;

    auto* suche = new QGroupBox(QStringLiteral("Suche"), mitte);
    suche->setObjectName(QStringLiteral("Rahmen0"));
    platzieren(suche, 120, 5160, 2415, 615);
    m_suchRahmen = suche;

    TxtSuche = new QLineEdit(suche);
    TxtSuche->setObjectName(QStringLiteral("TxtSuche"));
    TxtSuche->setMaxLength(35);
    platzieren(TxtSuche, 120, 240, 1935, H);
    checkSuche = new QCheckBox(suche);
    checkSuche->setObjectName(QStringLiteral("checkSuche"));
    checkSuche->setToolTip(QStringLiteral("Suche ohne Sonderzeichen"));
    checkSuche->setAccessibleName(QStringLiteral("Suche ohne Sonderzeichen"));
    platzieren(checkSuche, 2130, 270, 240, 240);
    connect(checkSuche, &QCheckBox::clicked, this, &Main::checkSuche_Click);
    connect(TxtSuche, &QLineEdit::textChanged, this, &Main::TxtSuche_Change);
    // What the search box changed of a text that came in stands in the status
    // bar, and stays there when the search that follows finds an address.
    zplatform::Eingaberegel::von(TxtSuche)->melden = [this](const Einpassung& e) {
        m_suchHinweis = zplatform::Eingabe_Hinweis(e, Rahmen(0)->title());
        Status(m_suchHinweis, m_suchHinweis);
    };

    Liste = new AdressListenAnsicht(mitte);
    Liste->setObjectName(QStringLiteral("Liste"));
    platzieren(Liste, 120, 5880, 9375, 450);

    // A child of the window itself: it lies over the status bar (the layout
    // places it; its design place counts from the top of the client area).
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 100);
    ProgressBar->setTextVisible(false);
    ProgressBar->hide();

    // Carriers of the list fonts, never shown.
    auto traeger = [&](const QString& name, double groesse) {
        auto* l = new QLabel(name, mitte);
        l->setObjectName(name);
        QFont f(QStringLiteral("Arial"));
        f.setPointSizeF(groesse);
        f.setBold(true);
        l->setFont(f);
        l->hide();
        return l;
    };
    BezListeStd = traeger(QStringLiteral("BezListeStd"), 12);
    BezListeKom = traeger(QStringLiteral("BezListeKom"), 8.25);
}

void Main::statusleisteAufbauen()
{
    QStatusBar* leiste = statusBar();
    leiste->setObjectName(QStringLiteral("StatusBar"));
    leiste->setSizeGripEnabled(true);
    const struct
    {
        const char* schluessel;
        int breite; // twips; 0 = takes the rest
    } panels[] = {{"Status", 0}, {"Position", 1500}, {"Index", 900}, {"Unsaved", 330}, {"Datum", 1050}, {"Zeit", 660}};
    for (const auto& p : panels) {
        auto* l = new QLabel(leiste);
        l->setObjectName(QStringLiteral("Panel_%1").arg(QLatin1String(p.schluessel)));
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (p.breite == 0) {
            leiste->addWidget(l, 1);
        } else {
            l->setMinimumWidth(tw(p.breite));
            leiste->addPermanentWidget(l);
        }
        m_panels.insert(QLatin1String(p.schluessel), l);
    }
}

// ===========================================================================
// Controls

QWidget* Main::Feld(int i) const
{
    return m_karte->Feld(i);
}

QString Main::FeldText(int i) const
{
    return m_karte->FeldText(i);
}

void Main::setFeldText(int i, const QString& text)
{
    FeldEinsetzen(i, 0, int(FeldText(i).size()), text);
}

void Main::FeldEinsetzen(int i, int anfang, int laenge, const QString& text)
{
    // Every text a command puts into a field keeps the field's rules, as
    // typing and pasting do: what does not fit is left out, with the sound
    // of a refused key and a line that says so; only the remark holds lines.
    const QString alt = FeldText(i);
    anfang = qBound(0, anfang, int(alt.size()));
    laenge = qBound(0, laenge, int(alt.size()) - anfang);
    const QString neu = i == Bemerkung ? text : Zeilenumbrueche_Als_Leerzeichen(text);
    const Einpassung passt = Eingabe_Anpassen(alt, anfang, laenge, neu, FeldEingabegrenze(i), i == Bemerkung);
    m_karte->setFeldText(i, alt.left(anfang) + passt.text + alt.mid(anfang + laenge));
    if (passt.geaendert()) {
        zcommon::Ton_Ausgeben(QStringLiteral("#SystemHand"));
        const QString hinweis = Karteneingabe_Hinweis(passt, sitzung().Bezeichnungen[size_t(i)]);
        Status(hinweis, hinweis);
    }
}

int Main::FeldEingabegrenze(int i) const
{
    return m_karte->FeldEingabegrenze(i);
}

QString Main::FeldSelText(int i) const
{
    return m_karte->FeldSelText(i);
}

QLabel* Main::Bezeichnung1(int i) const
{
    return m_karte->Bezeichnung1(i);
}

QGroupBox* Main::Rahmen(int n) const
{
    return n == 0 ? m_suchRahmen : m_karte->Rahmen(n);
}

void Main::panel(const QString& schluessel, const QString& text, const QString& tipp)
{
    // Painted with the next paint of the window: showing or storing a card
    // sets four panels and must not paint each at once.
    QLabel* l = m_panels.value(schluessel);
    if (!l)
        return;
    QString neu = text;
    QString neuTipp = tipp;
    if (m_endeNichtGespeichert && l == m_panels.value(QStringLiteral("Status"))) {
        // After an exit from outside failed to save, that stays in view until a save succeeds.
        const QString fehler = sitzung().SpeicherFehler;
        m_endeNichtGespeichert = !fehler.isEmpty();
        if (m_endeNichtGespeichert) {
            neu = ProgrammendeNichtGespeichert(fehler);
            neuTipp = QDir::toNativeSeparators(zplatform::pfadAufloesen(sitzung().AdressDateiName)) +
                      QLatin1Char('\n') + fehler;
        }
    }
    if (l->text() != neu)
        l->setText(neu);
    if (l->toolTip() != neuTipp)
        l->setToolTip(neuTipp);
}

QString Main::panelText(const QString& schluessel) const
{
    const QLabel* l = m_panels.value(schluessel);
    return l ? l->text() : QString();
}

QLabel* Main::panelLabel(const QString& schluessel) const
{
    return m_panels.value(schluessel);
}

int Main::feldNummer(QObject* objekt) const
{
    return m_karte->feldNummer(objekt);
}

// ===========================================================================
// Address file

void Main::Feld_TabStopsAnwenden()
{
    for (int i = 0; i < FeldAnzahl; ++i)
        Feld(i)->setFocusPolicy(Karte::istGesperrtesFeld(i) ? Qt::ClickFocus : Qt::StrongFocus);
}

// ===========================================================================
// Address file

bool Main::Daten_Laden()
{
    zplatform::plattform().sanduhr(true);
    Status(QStringLiteral("Lade Adressen..."));
    const bool ok = zadressbuch::Daten_Laden(adressliste());
    ListenPos_Laden();
    if (adressliste().ListIndex() < 0)
        adressliste().setListIndex(-1); // empties the card and the undo copy
    Feld_TabStopsAnwenden();
    ReadOnlySet();
    sitzung().LeerlaufGrenze = zadressbuch::LeerlaufGrenze_Lesen();
    Titel_Setzen();
    panel(QStringLiteral("Status"), QStringLiteral("Bereit"));
    zplatform::plattform().sanduhr(false);
    return ok;
}

void Main::Daten_Schliessen()
{
    zadressbuch::Daten_Schliessen();
}

void Main::ReadOnlySet()
{
    NurLesen_Entscheiden(false);
    const bool nurLesen = sitzung().NurLesen;
    for (int i = 0; i < FeldAnzahl; ++i)
        m_karte->setFeldGesperrt(i, nurLesen || Karte::istGesperrtesFeld(i));
    eintraegeFreigeben();
    aktion(QStringLiteral("PulEnde"))
        ->setText(nurLesen ? QStringLiteral("Programm beenden") : QStringLiteral("Speichern und Ende"));
    Titel_Setzen();
}

void Main::Titel_Setzen()
{
    QString titel = sitzung().Beschreibung;
    if (titel.isEmpty())
        titel = QStringLiteral("Zettlora");
    if (sitzung().NurLesen)
        titel += QStringLiteral(" - nur Leserechte");
    setWindowTitle(titel);
}

bool Main::Beenden_Trotz_Fehler()
{
    return zcommon::Meldung(QStringLiteral("#SystemQuestion"),
                            QStringLiteral("Die Änderungen in »%1« sind nicht gespeichert worden.~~Möchten Sie das "
                                           "Programm trotzdem beenden? Die Änderungen gehen dann verloren.")
                                .arg(zcommon::Woertlich(sitzung().AdressDateiName)),
                            zplatform::vbYesNo | zplatform::vbQuestion | zplatform::vbDefaultButton2,
                            QStringLiteral("Programm beenden")) == zplatform::vbYes;
}

void Main::Programm_Beenden()
{
    m_beendet = true;
    ZeitTimeOut->stop();
    m_zeitSuche->timer().stop();
    // The run time goes into the usage counters (once), and a later start is
    // no second instance any more.
    zcommon::Statistik_Ende();
    if (m_haeltInstanz) {
        zcommon::Instanz_Aktivierung(nullptr);
        zcommon::Instanz_Freigeben();
        m_haeltInstanz = false;
    }
    if (!m_schliesst)
        close();
    QCoreApplication::quit();
}

// ===========================================================================
// What the commands ask of the window

void Main::Feld_Fokus(int feld)
{
    if (QWidget* w = Feld(feld))
        w->setFocus(Qt::OtherFocusReason);
}

void Main::Bezeichnungen_Anwenden()
{
    for (int i = 0; i < FeldAnzahl; ++i)
        Bezeichnung1(i)->setText(Bezeichnung_Lesen(i, Bezeichnung1(i)->text()));
}

void Main::Status(const QString& text, const QString& tipp)
{
    panel(QStringLiteral("Status"), text, tipp);
    // Long work reports through here and keeps the event loop waiting: paint now.
    if (QLabel* l = panelLabel(QStringLiteral("Status")); l && l->isVisible())
        l->repaint();
}

void Main::Fortschritt(int wert)
{
    if (wert < 0) {
        ProgressBar->hide();
        return;
    }
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(wert);
    ProgressBar->show();
}

QStringList Main::Auswahl_Zeigen(const QStringList& eintraege, bool einzeln)
{
    Auswahl& auswahl = Auswahl::instanz();
    auswahl.Liste->Clear();
    auswahl.setCheckSingle(einzeln ? 1 : 0);
    auswahl.Liste->addItems(eintraege);
    auswahl.zeigen();
    const QStringList gewaehlt = auswahl.ausgewaehlt();
    auswahl.Liste->Clear();
    return gewaehlt;
}

// ===========================================================================
// The card

void Main::Adresse_Anzeigen()
{
    const KartenAnzeige a = Karte_Anzeige(adressliste());
    for (int i = 0; i < FeldAnzahl; ++i)
        m_karte->setFeldText(i, a.felder[i]); // shown as stored, never cut
    // The remark's limit as this address gives it, before the first key in
    // it (a key that changes nothing stores nothing, and a click none).
    m_karte->setBemerkungsgrenze(Bemerkungsgrenze(a.felder));
    bezInfo2->setText(anzeigeText(a.alter));
    bezZeit1->setText(a.zeit1);
    bezZeit2->setText(a.zeit2);
    panel(QStringLiteral("Position"), a.position);
    panel(QStringLiteral("Unsaved"), a.unsaved);
    panel(QStringLiteral("Index"), a.index);
    panel(QStringLiteral("Status"), a.status);
    // Fields that read as the entry gave them differ from nothing (one that
    // could not take its text as given reads otherwise and is compared whole).
    const AdressListe& liste = adressliste();
    const int i = liste.ListIndex();
    const bool gewaehlt = i >= 0 && i < liste.ListCount();
    m_kartenStand.bekannt = true;
    m_kartenStand.felder = a.felder;
    m_kartenStand.index = i;
    m_kartenStand.eintrag = gewaehlt ? liste.List(i) : QString();
    m_kartenStand.weichtAb = false;
}

void Main::Adresse_Uebernehmen(int DatumBehalten)
{
    Felder karte = kartenFelder();
    const KartenSpeicherung s = Karte_Uebernehmen(karte, DatumBehalten, adressliste());
    if (s.aktion == KartenSpeicherung::NurLesen)
        return;
    if (s.feld16Gesetzt)
        m_karte->setFeldText(GeaendertAm, s.feld16);
    m_karte->setBemerkungsgrenze(s.feld11Grenze);
    if (s.neuAnzeigen)
        Adresse_Anzeigen();
    panel(QStringLiteral("Unsaved"), UnsavedText(sitzung().Geaendert));
}

void Main::Liste_Click()
{
    ++m_auswahlWechsel;
    const AdressListe& liste = adressliste();
    const int i = liste.ListIndex();
    sitzung().UndoKopie = i >= 0 ? liste.List(i) : QString();
    Adresse_Anzeigen();
    // A newly selected address shows every field from the beginning of its text.
    for (int f = 0; f < FeldAnzahl; ++f)
        if (KartenZeile* z = m_karte->Zeile(f))
            z->anfangZeigen();
    m_karte->Bemerkungsfeld()->anfangZeigen();
}

void Main::Liste_DblClick()
{
    Feld(Nachname)->setFocus(Qt::OtherFocusReason);
}

// ===========================================================================
// Field events

bool Main::eventFilter(QObject* objekt, QEvent* ereignis)
{
    const QEvent::Type typ = ereignis->type();
    leerlaufEingabe(ereignis);
    if (typ == QEvent::Resize && objekt == centralWidget()) {
        // The client area changes without the window (the menu bar takes its
        // height when it is first laid out, or wraps into two rows).
        Form_Resize();
        return false;
    }
    if (typ == QEvent::KeyPress && objekt->isWidgetType() && static_cast<QWidget*>(objekt)->window() == this) {
        // Key preview: every key typed while the main window is active.
        const auto* k = static_cast<QKeyEvent*>(ereignis);
        if (k->key() == Qt::Key_Escape)
            Form_KeyPress(27);
        else if (!k->text().isEmpty())
            Form_KeyPress(k->text().at(0).unicode());
    }
    // The window going to the background and coming back, and a menu opened
    // and closed (with the mouse, or the menu bar with the keyboard), move
    // the focus without leaving or entering a card field.
    auto ohneWechsel = [](const QEvent* e) {
        const Qt::FocusReason r = static_cast<const QFocusEvent*>(e)->reason();
        return r == Qt::ActiveWindowFocusReason || zcommon::MenueFokus(r);
    };
    if (objekt == TxtSuche) {
        if (typ == QEvent::FocusIn) {
            // Clicked while the window was in the background: the card field
            // the user was in is left only now.
            if (ohneWechsel(ereignis) && sitzung().FeldHatteFokus == 1 && !m_feldVerlassen)
                Feld_LostFocus(sitzung().AktivesFeld);
            sitzung().FeldHatteFokus = 0;
        } else if (typ == QEvent::FocusOut &&
                   static_cast<QFocusEvent*>(ereignis)->reason() != Qt::ActiveWindowFocusReason) {
            // The user went elsewhere (a click into the card, Tab, a menu): a
            // search still pending from the typing would take the card and
            // the focus from under them. The window going to the background
            // (a dialog at start-up over a "Suche=" search) keeps it.
            m_zeitSuche->timer().stop();
        }
        return suchTastenFilter(ereignis);
    }
    if (typ != QEvent::KeyPress && typ != QEvent::KeyRelease && typ != QEvent::ShortcutOverride &&
        typ != QEvent::FocusIn && typ != QEvent::FocusOut)
        return false;
    const int feld = feldNummer(objekt);
    if (feld < 0)
        return false;

    switch (typ) {
    case QEvent::ShortcutOverride:
        // The menus' shortcuts win over a field's own keys (Ctrl+Z is the
        // undo command of the address, not of the field).
        if (istMenueKuerzel(static_cast<QKeyEvent*>(ereignis)))
            return true;
        break;
    case QEvent::KeyRelease:
        // Every release stores, whatever key it names: the X server gives a
        // release the key that the modifiers held at that moment make, so a
        // "(" typed with Shift and Shift let go first ends with a release of
        // "9", and AltGr+Q's "@" with one of "q". The release of a key whose
        // press ran a menu shortcut, or of a lone Shift, Ctrl or Alt, finds
        // the card as its entry is and stores nothing.
        if (!static_cast<QKeyEvent*>(ereignis)->isAutoRepeat())
            Feld_KeyUp(feld);
        break;
    case QEvent::FocusIn: {
        // The window coming back gives the focus back to the field that had
        // it: no event of the card. But a click into another field while the
        // window was not active arrives only so: that field is entered (and
        // the one the user was in before is left), or the commands would act
        // on the old field. A field already left is not left again: a
        // dialog that its leave opened takes the focus, and when it closes
        // the window manager gives the window the focus back before the
        // field the user went to has heard of it.
        const Sitzung& s = sitzung();
        if (!ohneWechsel(ereignis)) {
            Feld_GotFocus(feld);
        } else if (s.FeldHatteFokus != 1 || s.AktivesFeld != feld || m_feldVerlassen) {
            if (s.FeldHatteFokus == 1 && !m_feldVerlassen)
                Feld_LostFocus(s.AktivesFeld);
            Feld_GotFocus(feld);
        }
        break;
    }
    case QEvent::FocusOut: {
        // The menu bar taking the focus (Alt) leaves the field only when the
        // focus goes on from it to another control.
        const auto* f = static_cast<QFocusEvent*>(ereignis);
        if (f->reason() == Qt::ActiveWindowFocusReason)
            break;
        // A click moves the focus before it reaches its control: when the
        // leave showed another address, the rows of the list have moved
        // under the pointer, and the click selects nothing there.
        const bool klick = f->reason() == Qt::MouseFocusReason;
        zcommon::Beim_Verlassen(static_cast<QWidget*>(objekt), f, [this, feld, klick] {
            if (Feld_LostFocus(feld) && klick)
                Liste->laufendenKlickVerwerfen();
        });
        break;
    }
    default:
        break;
    }
    return false;
}

void Main::Form_KeyPress(int KeyAscii)
{
    sitzung().LetzteTaste = KeyAscii;
}

void Main::Feld_KeyUp(int)
{
    Abweichende_Karte_Uebernehmen();
}

void Main::Abweichende_Karte_Uebernehmen()
{
    // A key that left the card as its entry is (Tab, End, an arrow, Esc)
    // stores nothing: no date stamp, no mark of a change.
    if (!sitzung().NurLesen && karteWeichtAb())
        Adresse_Uebernehmen(0);
}

bool Main::karteWeichtAb()
{
    const AdressListe& liste = adressliste();
    const int i = liste.ListIndex();
    const bool gewaehlt = i >= 0 && i < liste.ListCount();
    Felder karte = kartenFelder();
    KartenStand& stand = m_kartenStand;
    // Whatever changed a field (a key, the mouse, an input method, a command
    // or a dialog), its text now reads otherwise than then.
    if (stand.bekannt && stand.index == i && stand.felder == karte && (!gewaehlt || liste.List(i) == stand.eintrag))
        return stand.weichtAb;
    stand.bekannt = true;
    stand.index = i;
    stand.eintrag = gewaehlt ? liste.List(i) : QString();
    stand.felder = karte;
    stand.weichtAb = Karte_Weicht_Ab(std::move(karte), liste);
    return stand.weichtAb;
}

Felder Main::kartenFelder() const
{
    Felder karte;
    for (int i = 0; i < FeldAnzahl; ++i)
        karte[i] = FeldText(i);
    return karte;
}

void Main::Feld_Change(int)
{
    sitzung().LeerlaufZaehler = 0;
}

void Main::Feld_GotFocus(int index)
{
    m_feldVerlassen = false;
    sitzung().AktivesFeld = index;
    sitzung().FeldHatteFokus = 1;
    m_befehle.melden(Kartenereignis::Feld_GotFocus, *this, index); // proposals on entering a field (salutation)
}

bool Main::Feld_LostFocus(int index)
{
    m_feldVerlassen = true;
    if (sitzung().NurLesen)
        return false;
    // The input options, on what the user has changed since the address was selected.
    const QString eingabe = FeldText(index);
    if (eingabe != FeldAus(sitzung().UndoKopie, index)) {
        const EingabeOptionen& o = eingabeOptionen();
        const QString formatiert = Eingabe_Formatieren(index, eingabe, o.AutoFormatUCase, o.AutoFormatTrim);
        if (formatiert != eingabe)
            setFeldText(index, formatiert);
    }
    // Place from the postcode, duplicate-name check and catalogue look-ups
    // (their questions are modal: the program is not ended beneath them).
    const BefehlLaeuft unterwegs(*this);
    const int gezeigtVorher = m_auswahlWechsel;
    m_befehle.melden(Kartenereignis::Feld_LostFocus, *this, index);
    const bool gewechselt = m_auswahlWechsel != gezeigtVorher;
    // Store the card when it differs from its entry; leaving a field that was
    // not changed marks nothing as changed, and an empty card with nothing
    // selected adds no empty address.
    if (karteWeichtAb())
        Adresse_Uebernehmen(0);
    return gewechselt;
}

void Main::Feld_DblClick(int index)
{
    if (index < 0 || index >= FeldAnzahl)
        return;
    // Pick lists and proposals are modal: the program is not ended beneath them.
    const BefehlLaeuft unterwegs(*this);
    QString auswahl = FeldSelText(index);
    {
        // A word as the user sees it runs from blank to blank (or line
        // break): "#17" is one word, even though the field selected only the
        // digits or only the "#".
        KartenZeile* z = m_karte->Zeile(index);
        KartenText* b = z ? nullptr : m_karte->Bemerkungsfeld();
        const QString text = z ? z->text() : b->toPlainText();
        int anfang = 0;
        int ende = 0;
        if (z) {
            anfang = z->hasSelectedText() ? z->selectionStart() : z->cursorPosition();
            ende = anfang + int(z->selectedText().size());
        } else {
            anfang = b->textCursor().selectionStart();
            ende = b->textCursor().selectionEnd();
        }
        while (anfang > 0 && !text.at(anfang - 1).isSpace())
            --anfang;
        while (ende < text.size() && !text.at(ende).isSpace())
            ++ende;
        const QString wort = text.mid(anfang, ende - anfang);
        if (wort.startsWith(QLatin1Char('#'))) {
            if (z) {
                z->setSelection(anfang, ende - anfang);
            } else {
                QTextCursor c = b->textCursor();
                c.setPosition(anfang);
                c.setPosition(ende, QTextCursor::KeepAnchor);
                b->setTextCursor(c);
            }
            auswahl = wort;
        }
    }
    if (auswahl.startsWith(QLatin1Char('#'))) {
        const double nummer = zcommon::Val(auswahl.mid(1));
        if (nummer != 0) {
            Abweichende_Karte_Uebernehmen();
            Index_Suchen(adressliste(), nummer, *this);
            return;
        }
    }
    if (sitzung().NurLesen)
        return;
    if (index == EMail) {
        Auswahl_eMail(index);
        return;
    }
    // The catalogue look-ups of other parts of the program (place, phone and
    // bank fields) come before a field's own list file; the fields whose
    // values repeat over the addresses always offer their choice list.
    if (!intern::feldMitWerteliste(index) && m_befehle.melden(Kartenereignis::Feld_DblClick, *this, index))
        return;
    Feld_Auswahlliste(index);
}

void Main::Feld_MouseDown(int index, const QPoint& global)
{
    sitzung().PopupFeldIndex = index;
    m_popup->exec(global);
    sitzung().PopupFeldIndex = -1;
}

} // namespace zadressbuch
