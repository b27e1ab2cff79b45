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
#include "addressbook/suche.h"
#include "addressbook/ui/kartenfeld.h"
#include "addressbook/ui/listenansicht.h"
#include "addressbook/ui/main_intern.h"
#include "common/dateien.h"
#include "common/ini.h"
#include "common/meldungen.h"
#include "common/start.h"
#include "common/texte.h"
#include "platform/plattform.h"
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
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <functional>

namespace zadressbuch {

namespace {

Main* g_instanz = nullptr;

QHash<QString, Main::Handler>& handlerTabelle()
{
    static QHash<QString, Main::Handler> tabelle;
    return tabelle;
}

using intern::platzieren;
using intern::tw;

// The window's client area at its first start (no stored size yet), in
// twips: the design width, and room below the card for a dozen addresses.
constexpr int StartBreite = 9675;
constexpr int StartHoehe = 9000;

// Fields that are locked at design and take no tab stop.
bool istGesperrtesFeld(int i)
{
    return i == ErstelltAm || i == GeaendertAm || i == Index;
}

// Menu entries and symbol buttons that edit the list or the settings: off in read-only mode.
const char* const NurLesenGesperrt[] = {
    "PulAnlegen",
    "PulSichern",
    "PulSort",
    "mnuAdrAnlegen",
    "mnuAdrDuplizieren",
    "mnuAdrLoeschen",
    "mnuChk",
    "mnuDateiBeschreiben",
    "mnuDateiHinzufuegen",
    "mnuSetup",
    "mnuSonderzeichenEinfg",
    "mnuUebernahme",
    "mnuAdrAusschneiden",
    "mnuAdrEinfuegen",
    "mnuIndexSetNew",
    "mnuUndo",
    "mnuAdrImpListe",
    "mnuImpZA",
    "mnuVertriebDel",
    "mnuVJob",
    "mnuPopAdrNeu",
    "mnuPopAdrDuplizieren",
    "mnuPopAdrLoeschen",
};
const int NurLesenSymbole[] = {42, 43, 44, 45, 61, 63};

// Menu and popup entries whose command another part of the program puts in
// place: the handler names under which it may be registered (any one does).
// Entries not listed here (save, quit, save and exit, paste, renumbering)
// the window carries out itself.
struct Bedarf
{
    const char* eintrag;
    const char* handler;
    const char* oder = nullptr;
};
const Bedarf Eintragsbedarf[] = {
    {"PulAnlegen", "PulAnlegen_Click"},
    {"PulOeffnen", "PulOeffnen_Click"},
    {"mnuDateiHinzufuegen", "mnuDateiHinzufuegen_Click"},
    {"mnuDateiBeschreiben", "mnuDateiBeschreiben_Click"},
    {"mnuUndo", "mnuUndo_Click"},
    {"mnuAdrAnlegen", "mnuAdrAnlegen_Click"},
    {"mnuAdrDuplizieren", "mnuAdrDuplizieren_Click"},
    {"mnuAdrLoeschen", "mnuAdrLoeschen_Click"},
    // Cutting is copying and deleting: without the delete command it would only copy.
    {"mnuAdrAusschneiden", "mnuAdrAusschneiden_Click", "mnuAdrLoeschen_Click"},
    {"mnuSonderzeichenEinfg", "mnuSonderzeichenEinfg_Click"},
    {"mnuAdrImpDINFO99", "mnuAdrImpDINFO99_Click"},
    {"mnuAdrImpDINFO2000", "mnuAdrImpDINFO2000_Click"},
    {"mnuAdrImpKlickTel98", "mnuAdrImpKlickTel98_Click"},
    {"mnuAdrImpKlickTel1999", "mnuAdrImpKlickTel1999_Click"},
    {"mnuSuchenText", "mnuSuchenText_Click"},
    {"mnuSucheBlzBank", "mnuSucheBlzBank_Click"},
    {"mnuSuchePlzOrt", "mnuSuchePlzOrt_Click"},
    {"mnuChkDoppeltes", "mnuChkDoppeltes_Click"},
    {"mnuChkAehnliches", "mnuChkAehnliches_Click"},
    {"mnuChkEmails", "mnuChkEmails_Click"},
    {"PulBriefumschlag", "PulBriefumschlag_Click"},
    {"mnuPrnUmschlagsfenster", "mnuPrnUmschlagsfenster_Click"},
    {"PulListe", "PulListe_Click"},
    {"mnuPrnPersBogen", "mnuPrnPersBogen_Click"},
    {"mnuPrnUeberweisung", "mnuPrnUeberweisung_Click"},
    {"mnuPrnLastschrift", "mnuPrnLastschrift_Click"},
    {"mnuPrnNachnahme", "mnuPrnNachnahme_Click"},
    {"PulDruckEinrichten", "PulDruckEinrichten_Click"},
    {"mnuAdrImpListe", "mnuAdrImpListe_Click"},
    {"mnuImpZA", "mnuImpZA_Click"},
    {"PulZAdresse", "PulZAdresse_Click"},
    {"PulZFax", "PulZFax_Click"},
    {"mnuExportTKAnlage", "mnuExportTKAnlage_Click"},
    {"PulTeleWaehlen", "PulTeleWaehlen_Click"},
    {"mnuWebStart", "mnuWebStart_Click"},
    {"mnuDocErstellen", "mnuDocErstellen_Click"},
    {"mnuVertriebExpZA", "mnuVertriebExpZA_Click"},
    {"mnuVertriebExpFonName", "mnuVertriebExpFonName_Click"},
    {"mnuVertriebDel", "mnuVertriebDel_Click"},
    {"mnuVJob", "mnuVJob_Click"},
    {"mnuSetup", "mnuSetup_Click"},
    {"mnuUebernahmeBlzBank", "mnuUebernahmeBlzBank_Click"},
    {"mnuUebernahmePlzOrt", "mnuUebernahmePlzOrt_Click"},
    {"mnuUebernahmePlzVorwahl", "mnuUebernahmePlzVorwahl_Click"},
    {"mnuUebernahmeVornAnrede", "mnuUebernahmeVornAnrede_Click"},
    {"mnuUebernahmeEmail", "mnuUebernahmeEmail_Click"},
    {"mnuStatistikFeldSuche", "mnuStatistikFeldSuche_Click"},
    {"mnuStatistikPLZ", "mnuStatistikPLZ_Click"},
    {"mnuMaskenEdit", "mnuMaskenEdit_Click"},
    {"PulAnleitung", "PulAnleitung_Click"},
    {"mnuTips", "mnuTips_Click"},
    {"mnuURLUpdate", "mnuURLUpdate_Click"},
    {"PulWerbung", "PulWerbung_Click"},
    {"PulInfo", "PulInfo_Click"},
    {"mnuPopAdrNeu", "mnuAdrAnlegen_Click"},
    {"mnuPopAdrDuplizieren", "mnuAdrDuplizieren_Click"},
    {"mnuPopAdrLoeschen", "mnuAdrLoeschen_Click"},
    {"mnuPopZoom", "befZoom_Click"},
    {"mnuPopWebSite", "mnuWebStart_Click"},
    {"mnuPopFeldBeschriftungAendern", "mnuPopFeldBeschriftungAendern_Click"},
};

// The symbol buttons' commands when no handler takes the whole symbol bar
// (40 and 42, exit and save, the window carries out itself).
const Bedarf Symbolbedarf[] = {
    {"41", "PulOeffnen_Click"},     {"43", "mnuAdrAnlegen_Click"},   {"44", "mnuAdrDuplizieren_Click"},
    {"45", "mnuAdrLoeschen_Click"}, {"46", "mnuDocErstellen_Click"}, {"47", "PulBriefumschlag_Click"},
    {"48", "PulListe_Click"},       {"49", "mnuPrnPersBogen_Click"}, {"61", "mnuSort_Click"},
    {"63", "mnuSort_Click"},
};

bool bedarfGedeckt(const Bedarf& b)
{
    return Main::hatHandler(QLatin1String(b.handler)) || (b.oder && Main::hatHandler(QLatin1String(b.oder)));
}

// Whether the command of a menu or popup entry is there.
bool eintragVorhanden(const QString& name)
{
    if (name.startsWith(QLatin1String("mnuSort_")))
        return Main::hatHandler(QStringLiteral("mnuSort_Click"));
    if (name.startsWith(QLatin1String("mnuPrg_")))
        return Main::hatHandler(QStringLiteral("mnuPrg_Click"));
    for (const Bedarf& b : Eintragsbedarf)
        if (name == QLatin1String(b.eintrag))
            return bedarfGedeckt(b);
    return true;
}

bool symbolVorhanden(int index)
{
    if (Main::hatHandler(QStringLiteral("befSymbol_Click")))
        return true;
    const QString nummer = QString::number(index);
    for (const Bedarf& b : Symbolbedarf)
        if (nummer == QLatin1String(b.eintrag))
            return bedarfGedeckt(b);
    return true;
}

bool imNurLesenGesperrt(const QString& name)
{
    for (const char* n : NurLesenGesperrt)
        if (name == QLatin1String(n))
            return true;
    return false;
}

// A small picture with a few letters, for symbol buttons without a standard icon.
QIcon buchstabenSymbol(const QString& text)
{
    QPixmap bild(32, 32);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPixelSize(text.size() > 1 ? 13 : 20);
    p.setFont(f);
    p.setPen(QColor(0, 0, 128));
    p.drawText(bild.rect(), Qt::AlignCenter, text);
    return QIcon(bild);
}

QString anzeigeText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace

// ===========================================================================
// Construction

Main::Main(QStringList argumente, QWidget* parent) : QMainWindow(parent), m_argumente(std::move(argumente))
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
    popupAufbauen();
    statusleisteAufbauen();

    ZeitTimeOut = new QTimer(this);
    ZeitTimeOut->setObjectName(QStringLiteral("ZeitTimeOut"));
    ZeitTimeOut->setInterval(UhrIntervallMs);
    connect(ZeitTimeOut, &QTimer::timeout, this, &Main::ZeitTimeOut_Timer);

    m_zeitSuche = new SuchVerzoegerung([this] { return TxtSuche->text(); }, [this] { textSuche(false, false); }, this);
    m_zeitSuche->setObjectName(QStringLiteral("zeitSuche"));

    resize(tw(StartBreite), tw(StartHoehe) + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    // Above the status bar, over whose right half the layout puts it.
    platzieren(ProgressBar, 120, 6480, 1485, 225, clientOben());
    ProgressBar->raise();

    // The list: the program's one address list, its selection mirrored both ways.
    Liste->setModel(&adressliste());
    connect(Liste, &AdressListenAnsicht::nutzerWaehlt, this, [](int zeile) { adressliste().setListIndex(zeile); });
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

    sitzung().StatusAnzeige = [this](const QString& text) { panel(QStringLiteral("Status"), text); };

    eintraegeFreigeben();

    // Key preview and the card fields' events.
    qApp->installEventFilter(this);
    g_instanz = this;
}

Main::~Main()
{
    qApp->removeEventFilter(this);
    if (m_haeltInstanz) {
        zcommon::Instanz_Aktivierung(nullptr);
        zcommon::Instanz_Freigeben();
    }
    if (g_instanz == this) {
        g_instanz = nullptr;
        sitzung().StatusAnzeige = nullptr;
    }
}

Main* Main::instanz()
{
    return g_instanz;
}

void Main::handlerSetzen(const QString& name, Handler h)
{
    if (h)
        handlerTabelle().insert(name, std::move(h));
    else
        handlerTabelle().remove(name);
    // An entry is usable exactly while its command is there.
    if (qApp)
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* m = qobject_cast<Main*>(w))
                m->eintraegeFreigeben();
}

namespace {
Main::AuswahlZeigen& auswahlDienst()
{
    static Main::AuswahlZeigen zeigen;
    return zeigen;
}
} // namespace

void Main::auswahlSetzen(AuswahlZeigen zeigen)
{
    auswahlDienst() = std::move(zeigen);
}

QStringList Main::auswahlZeigen(const QStringList& eintraege, bool einzeln)
{
    const AuswahlZeigen zeigen = auswahlDienst(); // a copy: it may be replaced meanwhile
    return zeigen ? zeigen(eintraege, einzeln) : QStringList();
}

bool Main::hatHandler(const QString& name)
{
    return handlerTabelle().contains(name);
}

bool Main::handler(const char* name, int index)
{
    const auto it = handlerTabelle().constFind(QLatin1String(name));
    if (it == handlerTabelle().constEnd())
        return false;
    const Handler h = it.value(); // a copy: the handler may register others
    h(*this, index);
    return true;
}

void Main::feldAnlegen(int i, QWidget* rahmen, int links, int oben, int breite, int hoehe, int bezLinks, int bezOben,
                       int bezBreite)
{
    QWidget* feld = nullptr;
    if (i == Bemerkung) {
        m_bemerkung = new KartenText(i, rahmen);
        QFont mono(QStringLiteral("Courier New"));
        mono.setStyleHint(QFont::TypeWriter);
        mono.setFixedPitch(true);
        mono.setPointSizeF(9);
        m_bemerkung->setFont(mono);
        m_bemerkung->setLineWrapMode(QPlainTextEdit::NoWrap);
        m_bemerkung->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        m_bemerkung->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        connect(m_bemerkung, &QPlainTextEdit::textChanged, this, [this, i] { Feld_Change(i); });
        m_bemerkung->rueckrufe.doppelklick = [this, i] { Feld_DblClick(i); };
        m_bemerkung->rueckrufe.kontextmenue = [this, i](const QPoint& p) { Feld_MouseDown(i, p); };
        feld = m_bemerkung;
    } else {
        auto* zeile = new KartenZeile(i, rahmen);
        connect(zeile, &QLineEdit::textChanged, this, [this, i] { Feld_Change(i); });
        zeile->rueckrufe.doppelklick = [this, i] { Feld_DblClick(i); };
        zeile->rueckrufe.kontextmenue = [this, i](const QPoint& p) { Feld_MouseDown(i, p); };
        m_zeilen[i] = zeile;
        feld = zeile;
    }
    platzieren(feld, links, oben, breite, hoehe);

    auto* bez = new QLabel(sitzung().Bezeichnungen[i], rahmen);
    bez->setObjectName(QStringLiteral("Bezeichnung1_%1").arg(i));
    bez->setBuddy(feld);
    platzieren(bez, bezLinks, bezOben, bezBreite, 225);
    m_bezeichnungen[i] = bez;

    if (istGesperrtesFeld(i)) {
        feld->setFocusPolicy(Qt::ClickFocus);
        if (m_zeilen[i])
            m_zeilen[i]->setReadOnly(true);
    }
}

void Main::karteAufbauen(QWidget* mitte)
{
    auto rahmen = [&](int n, const QString& titel, int l, int o, int b, int h) {
        auto* r = new QGroupBox(titel, mitte);
        r->setObjectName(QStringLiteral("Rahmen%1").arg(n));
        platzieren(r, l, o, b, h);
        m_rahmen[n] = r;
        return r;
    };
    const int H = 285; // height of a one-line field

    // Created in the order the tab key walks through the card.
    QGroupBox* anschrift = rahmen(3, QStringLiteral("Anschrift"), 120, 600, 5415, 2775);
    feldAnlegen(Anrede, anschrift, 120, 480, 2520, H, 120, 240, 2520);
    feldAnlegen(Zusatz, anschrift, 2760, 480, 2535, H, 2760, 240, 2535);
    feldAnlegen(Nachname, anschrift, 120, 1080, 2520, H, 120, 840, 2520);
    feldAnlegen(Vorname, anschrift, 2760, 1080, 2535, H, 2760, 840, 2535);
    feldAnlegen(Strasse, anschrift, 120, 1680, 5175, H, 120, 1440, 5175);
    feldAnlegen(Plz, anschrift, 120, 2280, 975, H, 120, 2040, 975);
    feldAnlegen(Ort, anschrift, 1200, 2280, 2760, H, 1200, 2040, 2760);
    feldAnlegen(Land, anschrift, 4080, 2280, 1215, H, 4080, 2040, 1215);

    QGroupBox* rufnummern = rahmen(1, QStringLiteral("Rufnummern"), 5640, 600, 3855, 2175);
    const int spalte = (3855 - 360) / 2;
    const int links[2] = {120, 1920};
    const int felder[2][3] = {{Telefon, Telefax, EMail}, {Mobiltelefon, Datentelefon, Www}};
    const int oben[3] = {480, 1080, 1680};
    for (int z = 0; z < 3; ++z)
        for (int s = 0; s < 2; ++s)
            feldAnlegen(felder[s][z], rufnummern, links[s], oben[z], spalte, H, links[s], oben[z] - 240, spalte);

    QGroupBox* bemerkungen = rahmen(4, QStringLiteral("Bemerkungen"), 5640, 2880, 3855, 2895);
    feldAnlegen(Geburtstag, bemerkungen, 1080, 240, 1215, H, 120, 270, 945);
    bezInfo2 = new QLabel(bemerkungen);
    bezInfo2->setObjectName(QStringLiteral("bezInfo2_20"));
    platzieren(bezInfo2, 2400, 240, 1335, 375);
    befZoom = new QPushButton(QStringLiteral("zoom"), bemerkungen);
    befZoom->setObjectName(QStringLiteral("befZoom"));
    befZoom->setToolTip(QStringLiteral("Eingabe-Feld vergrößern"));
    befZoom->setFocusPolicy(Qt::NoFocus);
    platzieren(befZoom, 3120, 270, 615, 255);
    befZoom->hide(); // shown by the layout once the frame is wide enough
    connect(befZoom, &QPushButton::clicked, this, &Main::befZoom_Click);
    feldAnlegen(Bemerkung, bemerkungen, 120, 720, 3615, 2055, 120, 480, 2000);
    m_bezeichnungen[Bemerkung]->hide(); // the frame's caption names the field

    QGroupBox* sonstiges = rahmen(2, QStringLiteral("Sonstiges"), 120, 3480, 2415, 1575);
    feldAnlegen(Rubrik, sonstiges, 120, 480, 2175, H, 120, 240, 2175);
    feldAnlegen(FuerUser, sonstiges, 120, 1080, 2175, H, 120, 840, 2175);

    QGroupBox* bank = rahmen(6, QStringLiteral("Bankverbindung"), 2640, 3480, 2895, 1575);
    feldAnlegen(Kontonummer, bank, 120, 480, 1275, H, 120, 240, 1275);
    feldAnlegen(Bankleitzahl, bank, 1500, 480, 1275, H, 1500, 240, 1275);
    feldAnlegen(Kreditinstitut, bank, 120, 1080, 2655, H, 120, 840, 2655);

    QGroupBox* suche = rahmen(0, QStringLiteral("Suche"), 120, 5160, 2415, 615);
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

    // The dates below the card, with their day counters.
    feldAnlegen(ErstelltAm, mitte, 3720, 5280, 975, 225, 2760, 5280, 945);
    feldAnlegen(GeaendertAm, mitte, 3720, 5520, 975, 225, 2760, 5520, 945);
    bezZeit1 = new QLabel(mitte);
    bezZeit1->setObjectName(QStringLiteral("bezZeit1"));
    platzieren(bezZeit1, 4755, 5280, 870, 225);
    bezZeit2 = new QLabel(mitte);
    bezZeit2->setObjectName(QStringLiteral("bezZeit2"));
    platzieren(bezZeit2, 4755, 5520, 870, 225);

    // The index field is not shown: the status bar shows its number.
    feldAnlegen(Index, mitte, 8760, 240, 975, 225, 8760, 0, 975);
    m_zeilen[Index]->hide();
    m_bezeichnungen[Index]->hide();

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

QMenu* Main::menueAnlegen(QMenu* oben, const QString& name, const QString& text)
{
    QMenu* m = oben ? oben->addMenu(text) : menuBar()->addMenu(text);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    m_menues.insert(name, m);
    m_aktionen.insert(name, m->menuAction());
    return m;
}

QAction* Main::eintrag(QMenu* menue, const QString& name, const QString& text, const QKeySequence& kurz,
                       std::function<void()> handler)
{
    QAction* a = menue->addAction(text);
    a->setObjectName(name);
    if (!kurz.isEmpty()) {
        a->setShortcut(kurz);
        a->setShortcutContext(Qt::WindowShortcut);
        m_kuerzel << kurz;
    }
    connect(a, &QAction::triggered, this, [h = std::move(handler)] { h(); });
    m_aktionen.insert(name, a);
    return a;
}

void Main::menuesAufbauen()
{
    const QKeySequence ohne;
    auto S = [](const QString& s) { return QKeySequence(s); };

    QMenu* datei = menueAnlegen(nullptr, QStringLiteral("PulDatei"), QStringLiteral("&Datei"));
    eintrag(datei, QStringLiteral("PulAnlegen"), QStringLiteral("&Anlegen..."), ohne, [this] { PulAnlegen_Click(); });
    eintrag(datei, QStringLiteral("PulOeffnen"), QStringLiteral("Ö&ffnen..."), S(QStringLiteral("Ctrl+L")),
            [this] { PulOeffnen_Click(); });
    eintrag(datei, QStringLiteral("mnuDateiHinzufuegen"), QStringLiteral("&Hinzufügen..."), ohne,
            [this] { mnuDateiHinzufuegen_Click(); });
    eintrag(datei, QStringLiteral("PulSichern"), QStringLiteral("&Speichern"), S(QStringLiteral("Ctrl+S")),
            [this] { PulSichern_Click(); });
    datei->addSeparator();
    eintrag(datei, QStringLiteral("mnuDateiBeschreiben"), QStringLiteral("&Beschreiben..."), ohne,
            [this] { mnuDateiBeschreiben_Click(); });
    QMenu* sort = menueAnlegen(datei, QStringLiteral("PulSort"), QStringLiteral("S&ortieren"));
    const struct
    {
        int feld;
        const char* text;
        const char* kurz;
    } sortierungen[] = {
        {0, "nach &Rubrik", "Ctrl+F4"},
        {1, "nach &Nachname", ""},
        {2, "nach &Vorname", ""},
        {4, "nach &PLZ", ""},
        {6, "nach &Land", ""},
        {7, "nach &Telefon-Nr.", ""},
        {10, "nach &Zusatz", ""},
        {15, "nach &Erstellungsdatum", ""},
        {16, "nach &Änderungsdatum", "Ctrl+Shift+F4"},
        {20, "nach &Geburtstag (Alter)", ""},
        {22, "nach &WWW-Seite", ""},
        {23, "nach &Index", ""},
    };
    for (const auto& s : sortierungen) {
        const int feld = s.feld;
        eintrag(sort, QStringLiteral("mnuSort_%1").arg(feld), QString::fromUtf8(s.text),
                QKeySequence(QString::fromLatin1(s.kurz)), [this, feld] { mnuSort_Click(feld); });
    }
    datei->addSeparator();
    eintrag(datei, QStringLiteral("PulAbbruch"), QStringLiteral("Bee&nden"), ohne, [this] { PulAbbruch_Click(); });
    eintrag(datei, QStringLiteral("PulEnde"), QStringLiteral("Speichern und Be&enden"), S(QStringLiteral("F12")),
            [this] { pulEnde_Click(); });

    QMenu* adresse = menueAnlegen(nullptr, QStringLiteral("PulBearbeiten"), QStringLiteral("&Adresse"));
    connect(adresse, &QMenu::aboutToShow, this, &Main::PulBearbeiten_Click);
    connect(adresse, &QMenu::aboutToHide, this, &Main::eintraegeFreigeben);
    eintrag(adresse, QStringLiteral("mnuUndo"), QStringLiteral("Änderungen &rückgängig"), S(QStringLiteral("Ctrl+Z")),
            [this] { mnuUndo_Click(); });
    QMenu* bearbeiten = menueAnlegen(adresse, QStringLiteral("mnuAdrEditX"), QStringLiteral("&Bearbeiten"));
    eintrag(bearbeiten, QStringLiteral("mnuAdrAnlegen"), QStringLiteral("Adresse &neu anlegen"),
            S(QStringLiteral("Ctrl+N")), [this] { mnuAdrAnlegen_Click(); });
    eintrag(bearbeiten, QStringLiteral("mnuAdrDuplizieren"), QStringLiteral("Adresse &duplizieren"), ohne,
            [this] { mnuAdrDuplizieren_Click(); });
    eintrag(bearbeiten, QStringLiteral("mnuAdrLoeschen"), QStringLiteral("Adresse &löschen"),
            S(QStringLiteral("Ctrl+Y")), [this] { mnuAdrLoeschen_Click(); });
    bearbeiten->addSeparator();
    eintrag(bearbeiten, QStringLiteral("mnuAdrAusschneiden"), QStringLiteral("Adresse &ausschneiden"), ohne,
            [this] { mnuAdrAusschneiden_Click(); });
    eintrag(bearbeiten, QStringLiteral("mnuAdrEinfuegen"), QStringLiteral("Adresse &einfügen"), ohne,
            [this] { mnuAdrEinfuegen_Click(); });
    adresse->addSeparator();
    eintrag(adresse, QStringLiteral("mnuSonderzeichenEinfg"), QStringLiteral("&Sonderzeichen einfügen..."), ohne,
            [this] { mnuSonderzeichenEinfg_Click(); });
    eintrag(adresse, QStringLiteral("mnuIndexSetNew"), QStringLiteral("&Indexnummern neu vergeben..."), ohne,
            [this] { mnuIndexSetNew_Click(); });
    adresse->addSeparator();
    eintrag(adresse, QStringLiteral("mnuAdrImpDINFO99"), QStringLiteral("&Suche bei D-Info 99..."), ohne,
            [this] { mnuAdrImpDINFO99_Click(); });
    eintrag(adresse, QStringLiteral("mnuAdrImpDINFO2000"), QStringLiteral("&Suche bei D-Info 2000..."),
            S(QStringLiteral("Ctrl+F7")), [this] { mnuAdrImpDINFO2000_Click(); });
    eintrag(adresse, QStringLiteral("mnuAdrImpKlickTel98"), QStringLiteral("&Suche bei KlickTel 98..."), ohne,
            [this] { mnuAdrImpKlickTel98_Click(); });
    eintrag(adresse, QStringLiteral("mnuAdrImpKlickTel1999"), QStringLiteral("&Suche bei KlickTel 99..."),
            S(QStringLiteral("Ctrl+Shift+F7")), [this] { mnuAdrImpKlickTel1999_Click(); });
    for (const char* n : {"mnuAdrImpDINFO99", "mnuAdrImpDINFO2000", "mnuAdrImpKlickTel98", "mnuAdrImpKlickTel1999"})
        aktion(QLatin1String(n))->setVisible(false);

    QMenu* suchen = menueAnlegen(nullptr, QStringLiteral("mnuSuchen"), QStringLiteral("&Suchen"));
    eintrag(suchen, QStringLiteral("mnuSuchenText"), QStringLiteral("&Adresse"), S(QStringLiteral("Ctrl+F")),
            [this] { mnuSuchenText_Click(); });
    eintrag(suchen, QStringLiteral("mnuSucheBlzBank"), QStringLiteral("BLZ oder &Bank..."), ohne,
            [this] { mnuSucheBlzBank_Click(); });
    eintrag(suchen, QStringLiteral("mnuSuchePlzOrt"), QStringLiteral("PLZ oder &Ort..."), ohne,
            [this] { mnuSuchePlzOrt_Click(); });

    QMenu* pruefen = menueAnlegen(nullptr, QStringLiteral("mnuChk"), QStringLiteral("&Prüfen"));
    eintrag(pruefen, QStringLiteral("mnuChkDoppeltes"), QStringLiteral("&Doppelte Adressen suchen..."),
            S(QStringLiteral("Shift+F5")), [this] { mnuChkDoppeltes_Click(); });
    eintrag(pruefen, QStringLiteral("mnuChkAehnliches"), QStringLiteral("Ä&hnliche Adressen suchen..."),
            S(QStringLiteral("Shift+F6")), [this] { mnuChkAehnliches_Click(); });
    eintrag(pruefen, QStringLiteral("mnuChkEmails"), QStringLiteral("&eMail-Adressen auf Gültigkeit prüfen"),
            S(QStringLiteral("Shift+F4")), [this] { mnuChkEmails_Click(); });

    QMenu* drucken = menueAnlegen(nullptr, QStringLiteral("PulDrucken"), QStringLiteral("D&rucken"));
    eintrag(drucken, QStringLiteral("PulBriefumschlag"), QStringLiteral("&Umschlag..."), S(QStringLiteral("Ctrl+T")),
            [this] { PulBriefumschlag_Click(); });
    eintrag(drucken, QStringLiteral("mnuPrnUmschlagsfenster"), QStringLiteral("Umschlags&fenster..."), ohne,
            [this] { mnuPrnUmschlagsfenster_Click(); });
    eintrag(drucken, QStringLiteral("PulListe"), QStringLiteral("&Liste..."), S(QStringLiteral("Ctrl+P")),
            [this] { PulListe_Click(); });
    eintrag(drucken, QStringLiteral("mnuPrnPersBogen"), QStringLiteral("&Personenbogen"), ohne,
            [this] { mnuPrnPersBogen_Click(); });
    drucken->addSeparator();
    eintrag(drucken, QStringLiteral("mnuPrnUeberweisung"), QStringLiteral("Über&weisung..."),
            S(QStringLiteral("Ctrl+M")), [this] { mnuPrnUeberweisung_Click(); });
    eintrag(drucken, QStringLiteral("mnuPrnLastschrift"), QStringLiteral("L&astschrift..."), ohne,
            [this] { mnuPrnLastschrift_Click(); });
    eintrag(drucken, QStringLiteral("mnuPrnNachnahme"), QStringLiteral("&Nachnahme..."), S(QStringLiteral("Ctrl+H")),
            [this] { mnuPrnNachnahme_Click(); });
    drucken->addSeparator();
    eintrag(drucken, QStringLiteral("PulDruckEinrichten"), QStringLiteral("Druckerein&richtung..."), ohne,
            [this] { PulDruckEinrichten_Click(); });

    QMenu* importieren = menueAnlegen(nullptr, QStringLiteral("mnuImport"), QStringLiteral("&Importieren"));
    eintrag(importieren, QStringLiteral("mnuAdrImpListe"), QStringLiteral("Import einer Adress&liste..."),
            S(QStringLiteral("Ctrl+I")), [this] { mnuAdrImpListe_Click(); });
    eintrag(importieren, QStringLiteral("mnuImpZA"), QStringLiteral("Import einer Adresse aus &Zwischenablage"),
            S(QStringLiteral("Ctrl+F8")), [this] { mnuImpZA_Click(); });

    QMenu* exportieren = menueAnlegen(nullptr, QStringLiteral("mnuExport"), QStringLiteral("&Exportieren"));
    eintrag(exportieren, QStringLiteral("PulZAdresse"), QStringLiteral("&Anschrift in Zwischenablage..."),
            S(QStringLiteral("Ctrl+A")), [this] { PulZAdresse_Click(); });
    eintrag(exportieren, QStringLiteral("PulZFax"), QStringLiteral("&Fax-Nr in Zwischenablage"), ohne,
            [this] { PulZFax_Click(); });
    eintrag(exportieren, QStringLiteral("mnuExportTKAnlage"), QStringLiteral("Kurzwahl-Speicher für * !!! ..."), ohne,
            [this] { mnuExportTKAnlage_Click(); });

    QMenu* weiter = menueAnlegen(nullptr, QStringLiteral("mnuWeiterleitung"), QStringLiteral("&Weiterleitung"));
    eintrag(weiter, QStringLiteral("PulTeleWaehlen"), QStringLiteral("&Telefonnummer per Modem wählen..."),
            S(QStringLiteral("Ctrl+W")), [this] { PulTeleWaehlen_Click(); });
    eintrag(weiter, QStringLiteral("mnuWebStart"), QStringLiteral("&Web-Seite aufrufen..."), ohne,
            [this] { mnuWebStart_Click(); });
    eintrag(weiter, QStringLiteral("mnuDocErstellen"), QStringLiteral("&Dokument erstellen..."), ohne,
            [this] { mnuDocErstellen_Click(); });

    QMenu* vertrieb = menueAnlegen(nullptr, QStringLiteral("mnuVertrieb"), QStringLiteral("&Vertrieb"));
    QMenu* vertriebExp = menueAnlegen(vertrieb, QStringLiteral("mnuVertriebExp"), QStringLiteral("&Export / Löschen"));
    eintrag(vertriebExp, QStringLiteral("mnuVertriebExpZA"), QStringLiteral("Alle Adressen ab Cursor in &ZA"), ohne,
            [this] { mnuVertriebExpZA_Click(); });
    eintrag(vertriebExp, QStringLiteral("mnuVertriebExpFonName"), QStringLiteral("Alle Rufnummern/Namen in Ini-Datei"),
            ohne, [this] { mnuVertriebExpFonName_Click(); });
    vertriebExp->addSeparator();
    eintrag(vertriebExp, QStringLiteral("mnuVertriebDel"), QStringLiteral("Lösche alle Adressen mit..."), ohne,
            [this] { mnuVertriebDel_Click(); });
    vertrieb->addSeparator();
    eintrag(vertrieb, QStringLiteral("mnuVJob"), QStringLiteral("Spezial-Job"), S(QStringLiteral("Shift+F1")),
            [this] { mnuVJob_Click(); });

    QMenu* weiteres = menueAnlegen(nullptr, QStringLiteral("mnuWeiteres"), QStringLiteral("&Weiteres"));
    connect(weiteres, &QMenu::aboutToShow, this, &Main::mnuWeiteres_Click);
    eintrag(weiteres, QStringLiteral("mnuSetup"), QStringLiteral("&Einstellungen..."), ohne,
            [this] { mnuSetup_Click(); });
    QMenu* uebernahme = menueAnlegen(weiteres, QStringLiteral("mnuUebernahme"), QStringLiteral("Über&nahme"));
    eintrag(uebernahme, QStringLiteral("mnuUebernahmeBlzBank"), QStringLiteral("BLZ - &Kreditinstitut"), ohne,
            [this] { mnuUebernahmeBlzBank_Click(); });
    eintrag(uebernahme, QStringLiteral("mnuUebernahmePlzOrt"), QStringLiteral("PLZ - &Ortsname"), ohne,
            [this] { mnuUebernahmePlzOrt_Click(); });
    eintrag(uebernahme, QStringLiteral("mnuUebernahmePlzVorwahl"), QStringLiteral("PLZ - &Vorwahl"), ohne,
            [this] { mnuUebernahmePlzVorwahl_Click(); });
    eintrag(uebernahme, QStringLiteral("mnuUebernahmeVornAnrede"), QStringLiteral("Vorname - &Anrede (Geschlecht)"),
            ohne, [this] { mnuUebernahmeVornAnrede_Click(); });
    eintrag(uebernahme, QStringLiteral("mnuUebernahmeEmail"), QStringLiteral("&eMail-Domains"), ohne,
            [this] { mnuUebernahmeEmail_Click(); });
    QMenu* statistik = menueAnlegen(weiteres, QStringLiteral("mnuStatistik"), QStringLiteral("&Statistik"));
    eintrag(statistik, QStringLiteral("mnuStatistikFeldSuche"), QStringLiteral("&Adressen mit..."), ohne,
            [this] { mnuStatistikFeldSuche_Click(); });
    eintrag(statistik, QStringLiteral("mnuStatistikPLZ"), QStringLiteral("&PLZ-Verteilung..."), ohne,
            [this] { mnuStatistikPLZ_Click(); });
    eintrag(weiteres, QStringLiteral("mnuMaskenEdit"), QStringLiteral("&Masken-Editor"), ohne,
            [this] { mnuMaskenEdit_Click(); });
    QMenu* programme = menueAnlegen(weiteres, QStringLiteral("mnuPrgMenue"), QStringLiteral("&Zusätzliche Programme"));
    const char* const prgTexte[] = {"&Zettlora...", "&Quirlan...", "&Vesmor...", "&Lindoras..."};
    for (int i = 0; i < 4; ++i)
        eintrag(programme, QStringLiteral("mnuPrg_%1").arg(i), QString::fromUtf8(prgTexte[i]), ohne,
                [this, i] { mnuPrg_Click(i); });

    QMenu* hilfe = menueAnlegen(nullptr, QStringLiteral("PulHilfe"), QStringLiteral("&Hilfe"));
    eintrag(hilfe, QStringLiteral("PulAnleitung"), QStringLiteral("&Anleitung..."), ohne,
            [this] { PulAnleitung_Click(); });
    eintrag(hilfe, QStringLiteral("mnuTips"), QStringLiteral("&Tipps..."), ohne, [this] { mnuTips_Click(); });
    QMenu* internet = menueAnlegen(hilfe, QStringLiteral("mnuInternet"), QStringLiteral("Inter&net"));
    eintrag(internet, QStringLiteral("mnuURLUpdate"), QStringLiteral("&Update (Infos und Download)"), ohne,
            [this] { mnuURLUpdate_Click(); });
    eintrag(hilfe, QStringLiteral("PulWerbung"), QStringLiteral("&Werbung..."), ohne, [this] { PulWerbung_Click(); });
    hilfe->addSeparator();
    eintrag(hilfe, QStringLiteral("PulInfo"), QStringLiteral("&Info / AGB..."), ohne, [this] { PulInfo_Click(); });
}

void Main::popupAufbauen()
{
    // The parent of the context menus: it never stands in the menu bar.
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("mnuPopUp"));
    m_menues.insert(QStringLiteral("mnuPopUp"), m_popup);
    const QKeySequence ohne;
    eintrag(m_popup, QStringLiteral("mnuPopAdrNeu"), QStringLiteral("Adresse &neu anlegen"), ohne,
            [this] { mnuPopAdrNeu_Click(); });
    eintrag(m_popup, QStringLiteral("mnuPopAdrDuplizieren"), QStringLiteral("Adresse &duplizieren"), ohne,
            [this] { mnuPopAdrDuplizieren_Click(); });
    eintrag(m_popup, QStringLiteral("mnuPopAdrLoeschen"), QStringLiteral("Adresse &löschen"), ohne,
            [this] { mnuPopAdrLoeschen_Click(); });
    m_popup->addSeparator();
    eintrag(m_popup, QStringLiteral("mnuPopZoom"), QStringLiteral("Zoom..."), ohne, [this] { mnuPopZoom_Click(); });
    eintrag(m_popup, QStringLiteral("mnuPopWebSite"), QStringLiteral("Web-Seite aufrufen..."), ohne,
            [this] { mnuPopWebSite_Click(); });
    m_popup->addSeparator();
    eintrag(m_popup, QStringLiteral("mnuPopFeldBeschriftungAendern"), QStringLiteral("Feld&beschriftung ändern..."),
            ohne, [this] { mnuPopFeldBeschriftungAendern_Click(); });
}

void Main::symbolleisteAufbauen(QWidget* mitte)
{
    auto* leiste = new QWidget(mitte);
    leiste->setObjectName(QStringLiteral("befSymbolLeiste"));
    platzieren(leiste, 0, 0, 9675, 540);
    QStyle* stil = style();
    const struct
    {
        int index;
        const char* tipp;
        QStyle::StandardPixmap standard; // SP_CustomBase: letters instead
        const char* buchstaben;
        int luecke; // twips of space before the button
    } symbole[] = {
        {41, "Adressdatei öffnen", QStyle::SP_DialogOpenButton, "", 0},
        {42, "Adressdatei speichern", QStyle::SP_DialogSaveButton, "", 0},
        {43, "Neue Adresse anlegen", QStyle::SP_FileIcon, "", 120},
        {44, "Adresse duplizieren", QStyle::SP_CustomBase, "2x", 0},
        {45, "Adresse löschen", QStyle::SP_TrashIcon, "", 0},
        {47, "Umschlag drucken", QStyle::SP_CustomBase, "U", 120},
        {48, "Liste drucken", QStyle::SP_CustomBase, "L", 0},
        {49, "Personenbogen drucken", QStyle::SP_CustomBase, "P", 0},
        {46, "Dokument erstellen", QStyle::SP_FileDialogContentsView, "", 0},
        {63, "Nach Rubrik sortieren", QStyle::SP_CustomBase, "Rub", 120},
        {61, "Nach Änderungsdatum sortieren", QStyle::SP_CustomBase, "Dat", 0},
        {40, "Programm beenden", QStyle::SP_DialogCloseButton, "", 120},
    };
    int links = 120;
    for (const auto& s : symbole) {
        links += s.luecke;
        auto* knopf = new QToolButton(leiste);
        knopf->setObjectName(QStringLiteral("befSymbol_%1").arg(s.index));
        knopf->setToolTip(QString::fromUtf8(s.tipp));
        knopf->setAutoRaise(true);
        knopf->setFocusPolicy(Qt::NoFocus);
        knopf->setIcon(s.standard == QStyle::SP_CustomBase ? buchstabenSymbol(QString::fromUtf8(s.buchstaben))
                                                           : stil->standardIcon(s.standard));
        platzieren(knopf, links, 90, 390, 390);
        links += 420;
        const int index = s.index;
        connect(knopf, &QToolButton::clicked, this, [this, index] { befSymbol_Click(index); });
        m_symbole.insert(index, knopf);
    }
    // The logo stands at the right of the symbol bar (start-up loads it).
    ImgLogo = new QLabel(leiste);
    ImgLogo->setObjectName(QStringLiteral("ImgLogo"));
    ImgLogo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    platzieren(ImgLogo, 6000, 30, 3555, 480);
    ImgLogo->hide();
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
    if (i < 0 || i >= FeldAnzahl)
        return nullptr;
    if (i == Bemerkung)
        return m_bemerkung;
    return m_zeilen[i];
}

QString Main::FeldText(int i) const
{
    if (i == Bemerkung)
        return m_bemerkung->text();
    if (i < 0 || i >= FeldAnzahl)
        return QString();
    return m_zeilen[i]->text();
}

void Main::setFeldText(int i, const QString& text)
{
    if (i == Bemerkung)
        m_bemerkung->textSetzen(text);
    else if (i >= 0 && i < FeldAnzahl)
        m_zeilen[i]->textSetzen(text);
}

int Main::FeldEingabegrenze(int i) const
{
    if (i == Bemerkung)
        return m_bemerkung->eingabegrenze();
    if (i < 0 || i >= FeldAnzahl)
        return 0;
    return m_zeilen[i]->eingabegrenze();
}

QString Main::FeldSelText(int i) const
{
    if (i == Bemerkung)
        return m_bemerkung->selectedText();
    if (i < 0 || i >= FeldAnzahl)
        return QString();
    return m_zeilen[i]->selectedText();
}

QLabel* Main::Bezeichnung1(int i) const
{
    return i >= 0 && i < FeldAnzahl ? m_bezeichnungen[i] : nullptr;
}

QGroupBox* Main::Rahmen(int n) const
{
    return n >= 0 && n < 7 ? m_rahmen[n] : nullptr;
}

QToolButton* Main::befSymbol(int index) const
{
    return m_symbole.value(index);
}

QAction* Main::aktion(const QString& name) const
{
    return m_aktionen.value(name);
}

QMenu* Main::menue(const QString& name) const
{
    return m_menues.value(name);
}

void Main::panel(const QString& schluessel, const QString& text)
{
    if (QLabel* l = m_panels.value(schluessel)) {
        l->setText(text);
        if (l->isVisible())
            l->repaint();
    }
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
    if (!objekt)
        return -1;
    if (objekt == m_bemerkung)
        return Bemerkung;
    for (int i = 0; i < FeldAnzahl; ++i)
        if (m_zeilen[i] == objekt)
            return i;
    return -1;
}

bool Main::istMenueKuerzel(const QKeyEvent* e) const
{
    const QKeySequence taste(e->keyCombination());
    for (const QKeySequence& k : m_kuerzel)
        if (k.matches(taste) == QKeySequence::ExactMatch)
            return true;
    return false;
}

// ===========================================================================
// Address file

void Main::Feld_TabStopsAnwenden()
{
    for (int i = 0; i < FeldAnzahl; ++i)
        Feld(i)->setFocusPolicy(istGesperrtesFeld(i) ? Qt::ClickFocus : Qt::StrongFocus);
}

// ===========================================================================
// Address file

bool Main::Daten_Laden()
{
    zplatform::plattform().sanduhr(true);
    panel(QStringLiteral("Status"), QStringLiteral("Lade Adressen..."));
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

bool Main::Daten_Speichern()
{
    const bool warGeaendert = sitzung().Geaendert != 0 && !sitzung().NurLesen;
    if (!zadressbuch::Daten_Speichern(adressliste())) {
        panel(QStringLiteral("Unsaved"), UnsavedText(sitzung().Geaendert));
        return false;
    }
    if (warGeaendert)
        Adresse_Anzeigen(); // clears the "Unsaved" panel
    ListenPos_Sichern();
    return true;
}

void Main::Daten_Schliessen()
{
    zadressbuch::Daten_Schliessen();
}

void Main::ReadOnlySet()
{
    NurLesen_Entscheiden(false);
    const bool nurLesen = sitzung().NurLesen;
    for (int i = 0; i < FeldAnzahl; ++i) {
        const bool gesperrt = nurLesen || istGesperrtesFeld(i);
        if (i == Bemerkung)
            m_bemerkung->setReadOnly(gesperrt);
        else
            m_zeilen[i]->setReadOnly(gesperrt);
    }
    eintraegeFreigeben();
    aktion(QStringLiteral("PulEnde"))
        ->setText(nurLesen ? QStringLiteral("Programm beenden") : QStringLiteral("Speichern und Ende"));
    Titel_Setzen();
}

void Main::eintraegeFreigeben()
{
    const bool nurLesen = sitzung().NurLesen;
    for (auto it = m_aktionen.cbegin(); it != m_aktionen.cend(); ++it)
        if (!it.value()->menu())
            it.value()->setEnabled(eintragVorhanden(it.key()) && !(nurLesen && imNurLesenGesperrt(it.key())));

    // A submenu is usable while one of its visible entries is. The menus of
    // the menu bar stay open to look into (read-only mode closes some).
    std::function<bool(QMenu*)> menueFreigeben = [&](QMenu* menue) {
        bool eines = false;
        for (QAction* a : menue->actions()) {
            if (a->isSeparator())
                continue;
            if (QMenu* unter = a->menu())
                a->setEnabled(menueFreigeben(unter) && !(nurLesen && imNurLesenGesperrt(unter->objectName())));
            if (a->isEnabled() && a->isVisible())
                eines = true;
        }
        return eines;
    };
    for (QAction* a : menuBar()->actions())
        if (QMenu* menue = a->menu()) {
            menueFreigeben(menue);
            a->setEnabled(!(nurLesen && imNurLesenGesperrt(menue->objectName())));
        }

    for (auto it = m_symbole.cbegin(); it != m_symbole.cend(); ++it) {
        const int index = it.key();
        const bool gesperrt = nurLesen && std::find(std::begin(NurLesenSymbole), std::end(NurLesenSymbole), index) !=
                                              std::end(NurLesenSymbole);
        it.value()->setEnabled(symbolVorhanden(index) && !gesperrt);
    }
    if (befZoom)
        befZoom->setEnabled(hatHandler(QStringLiteral("befZoom_Click")));
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
                            QStringLiteral("Die Adressen wurden nicht gespeichert.~Möchten Sie das Programm trotzdem "
                                           "beenden? Die Änderungen gehen dann verloren."),
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
// The card

void Main::Adresse_Anzeigen()
{
    const KartenAnzeige a = Karte_Anzeige(adressliste());
    for (int i = 0; i < FeldAnzahl; ++i)
        setFeldText(i, a.felder[i]);
    if (a.beschriftungen) {
        bezInfo2->setText(anzeigeText(a.alter));
        bezZeit1->setText(a.zeit1);
        bezZeit2->setText(a.zeit2);
    }
    panel(QStringLiteral("Position"), a.position);
    panel(QStringLiteral("Unsaved"), a.unsaved);
    panel(QStringLiteral("Index"), a.index);
    panel(QStringLiteral("Status"), a.status);
}

void Main::Adresse_Uebernehmen(int DatumBehalten)
{
    Felder karte;
    for (int i = 0; i < FeldAnzahl; ++i)
        karte[i] = FeldText(i);
    const KartenSpeicherung s = Karte_Uebernehmen(karte, DatumBehalten, adressliste());
    if (s.aktion == KartenSpeicherung::NurLesen)
        return;
    if (s.feld16Gesetzt)
        setFeldText(GeaendertAm, s.feld16);
    m_bemerkung->setEingabegrenze(s.feld11Grenze);
    if (s.neuAnzeigen)
        Adresse_Anzeigen();
    panel(QStringLiteral("Unsaved"), UnsavedText(sitzung().Geaendert));
}

void Main::Liste_Click()
{
    const AdressListe& liste = adressliste();
    const int i = liste.ListIndex();
    sitzung().UndoKopie = i >= 0 ? liste.List(i) : QString();
    Adresse_Anzeigen();
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
    if (objekt == TxtSuche) {
        if (typ == QEvent::FocusIn)
            sitzung().FeldHatteFokus = 0;
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
    case QEvent::KeyPress: {
        const auto* k = static_cast<QKeyEvent*>(ereignis);
        if (!k->isAutoRepeat())
            m_gedrueckt.insert(k->key());
        break;
    }
    case QEvent::KeyRelease: {
        // Only keys pressed in a card field count: the release of a key whose
        // press ran a menu shortcut, and of a lone Shift, Ctrl or Alt, is
        // no edit of the card.
        const auto* k = static_cast<QKeyEvent*>(ereignis);
        if (k->isAutoRepeat())
            break;
        const bool modifikator = k->key() == Qt::Key_Shift || k->key() == Qt::Key_Control || k->key() == Qt::Key_Alt ||
                                 k->key() == Qt::Key_AltGr || k->key() == Qt::Key_Meta;
        if (m_gedrueckt.remove(k->key()) && !modifikator)
            Feld_KeyUp(feld);
        break;
    }
    case QEvent::FocusIn: {
        const auto r = static_cast<QFocusEvent*>(ereignis)->reason();
        if (r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason)
            Feld_GotFocus(feld);
        break;
    }
    case QEvent::FocusOut: {
        const auto r = static_cast<QFocusEvent*>(ereignis)->reason();
        if (r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason)
            Feld_LostFocus(feld);
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
    if (!sitzung().NurLesen)
        Adresse_Uebernehmen(0);
}

void Main::Feld_Change(int)
{
    sitzung().LeerlaufZaehler = 0;
}

void Main::Feld_GotFocus(int index)
{
    sitzung().AktivesFeld = index;
    sitzung().FeldHatteFokus = 1;
    handler("Feld_GotFocus", index); // proposals on entering a field (salutation)
}

void Main::Feld_LostFocus(int index)
{
    if (sitzung().NurLesen)
        return;
    // The input options, on what the user has changed since the address was selected.
    const QString eingabe = FeldText(index);
    if (eingabe != FeldAus(sitzung().UndoKopie, index)) {
        const EingabeOptionen& o = eingabeOptionen();
        const QString formatiert = Eingabe_Formatieren(index, eingabe, o.AutoFormatUCase, o.AutoFormatTrim);
        if (formatiert != eingabe)
            setFeldText(index, formatiert);
    }
    // Place from the postcode, duplicate-name check and catalogue look-ups.
    handler("Feld_LostFocus", index);
    // Store the card when it differs from its entry; leaving a field that was
    // not changed marks nothing as changed, and an empty card with nothing
    // selected adds no empty address.
    Felder karte;
    bool leer = true;
    for (int i = 0; i < FeldAnzahl; ++i) {
        karte[i] = FeldText(i);
        if (!karte[i].trimmed().isEmpty())
            leer = false;
    }
    const AdressListe& liste = adressliste();
    const int pos = liste.ListIndex();
    // Compared field by field: an entry written by another program in a
    // shorter form is no change.
    const bool anders = pos >= 0 ? Verbinden(karte) != Verbinden(Zerlegen(liste.List(pos))) : !leer;
    if (anders)
        Adresse_Uebernehmen(0);
}

void Main::Feld_DblClick(int index)
{
    if (index < 0 || index >= FeldAnzahl)
        return;
    QString auswahl = FeldSelText(index);
    if (!auswahl.startsWith(QLatin1Char('#')) && index != Bemerkung) {
        // A word as the user sees it runs from blank to blank: "#17" is one
        // word, even though the field selected only the digits.
        KartenZeile* z = m_zeilen[index];
        const QString text = z->text();
        int anfang = z->hasSelectedText() ? z->selectionStart() : z->cursorPosition();
        int ende = anfang + int(z->selectedText().size());
        while (anfang > 0 && !text.at(anfang - 1).isSpace())
            --anfang;
        while (ende < text.size() && !text.at(ende).isSpace())
            ++ende;
        const QString wort = text.mid(anfang, ende - anfang);
        if (wort.startsWith(QLatin1Char('#'))) {
            z->setSelection(anfang, ende - anfang);
            auswahl = wort;
        }
    }
    if (auswahl.startsWith(QLatin1Char('#'))) {
        const double nummer = zcommon::Val(auswahl.mid(1));
        if (nummer != 0) {
            Index_Suchen(adressliste(), nummer);
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
    if (!intern::feldMitWerteliste(index) && handler("Feld_DblClick", index))
        return;
    Feld_Auswahlliste(index);
}

void Main::Feld_MouseDown(int index, const QPoint& global)
{
    sitzung().PopupFeldIndex = index;
    m_popup->exec(global);
    sitzung().PopupFeldIndex = -1;
}

// ===========================================================================
// Commands of this window

void Main::mnuIndexSetNew_Click()
{
    if (handler("mnuIndexSetNew_Click") || sitzung().NurLesen)
        return;
    if (zcommon::Meldung(QStringLiteral("#SystemQuestion"),
                         QStringLiteral("Sollen alle Adressen neue Indexnummern erhalten?~Verweise auf die bisherigen "
                                        "Nummern (#...) stimmen danach nicht mehr."),
                         zplatform::vbYesNo | zplatform::vbQuestion | zplatform::vbDefaultButton2,
                         QStringLiteral("Indexnummern neu vergeben")) != zplatform::vbYes)
        return;
    zplatform::plattform().sanduhr(true);
    panel(QStringLiteral("Status"), QStringLiteral("Vergebe Indexnummern..."));
    Index_NeuVergeben(adressliste());
    Adresse_Anzeigen();
    zplatform::plattform().sanduhr(false);
}

void Main::mnuAdrAusschneiden_Click()
{
    if (handler("mnuAdrAusschneiden_Click"))
        return;
    const AdressListe& liste = adressliste();
    if (liste.ListIndex() >= 0) {
        AdressZwischenablage = liste.List(liste.ListIndex());
        KeineFrage = true;
    }
    mnuAdrLoeschen_Click();
    KeineFrage = false; // also when the delete command refused before clearing it
}

void Main::mnuAdrEinfuegen_Click()
{
    if (handler("mnuAdrEinfuegen_Click"))
        return;
    if (sitzung().NurLesen || AdressZwischenablage.isEmpty())
        return;
    AdressListe& liste = adressliste();
    if (liste.ListCount() >= MaxAdressen) {
        Speicherproblem_Melden(QStringLiteral("Es kann keine Adresse mehr eingefügt werden!"));
        return;
    }
    // The pasted address is a new one: it gets a number of its own.
    Felder felder = Zerlegen(AdressZwischenablage);
    felder[Index] = QString::number(AdressIndex_Vergeben(1) - 1);
    liste.AddItem(Verbinden(felder));
    sitzung().Geaendert = 1;
    liste.setListIndex(liste.ListCount() - 1);
}

void Main::PulBearbeiten_Click()
{
    if (handler("PulBearbeiten_Click"))
        return;
    // From the state without the menu's conditions (which its closing
    // restores, so the shortcuts work whenever the commands are there).
    eintraegeFreigeben();
    const AdressListe& liste = adressliste();
    const int i = liste.ListIndex();
    auto einschraenken = [this](const char* name, bool bedingung) {
        QAction* a = aktion(QLatin1String(name));
        a->setEnabled(a->isEnabled() && bedingung);
    };
    einschraenken("mnuUndo", i >= 0 && liste.List(i) != sitzung().UndoKopie);
    einschraenken("mnuImpZA", !zplatform::plattform().zwischenablage().isEmpty());
    einschraenken("mnuAdrEinfuegen", !AdressZwischenablage.isEmpty());
    // The submenu of the editing commands, when none of them is left.
    bool einerDa = false;
    for (const QAction* a : menue(QStringLiteral("mnuAdrEditX"))->actions())
        einerDa = einerDa || (!a->isSeparator() && a->isVisible() && a->isEnabled());
    einschraenken("mnuAdrEditX", einerDa);
    const QString version = zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("DInfoVer"), QString());
    aktion(QStringLiteral("mnuAdrImpDINFO2000"))->setVisible(version == QLatin1String("DI2000"));
    aktion(QStringLiteral("mnuAdrImpKlickTel1999"))->setVisible(version == QLatin1String("KT1999"));
    aktion(QStringLiteral("mnuAdrImpKlickTel98"))->setVisible(version == QLatin1String("98"));
    aktion(QStringLiteral("mnuAdrImpDINFO99"))->setVisible(version == QLatin1String("99"));
}

void Main::mnuWeiteres_Click()
{
    sitzung().LeerlaufZaehler = 0;
    handler("mnuWeiteres_Click"); // hides the entry of the running program among the companions
}

void Main::PulSichern_Click()
{
    if (!handler("PulSichern_Click"))
        Daten_Speichern();
}

void Main::PulAbbruch_Click()
{
    const BeendenLaeuft laeuft; // a close request meanwhile starts nothing more
    if (handler("PulAbbruch_Click"))
        return;
    Daten_Schliessen();
    Programm_Beenden();
}

void Main::pulEnde_Click()
{
    const BeendenLaeuft laeuft;
    if (!handler("pulEnde_Click"))
        speichernUndBeenden(true);
}

bool Main::speichernUndBeenden(bool fragen)
{
    const BeendenLaeuft laeuft;
    panel(QStringLiteral("Status"), QStringLiteral("Beende Programm...DataSave"));
    if (!Daten_Speichern() && !(fragen && Beenden_Trotz_Fehler())) {
        panel(QStringLiteral("Status"), QStringLiteral("Bereit"));
        return false;
    }
    panel(QStringLiteral("Status"), QStringLiteral("Beende Programm...IniSave"));
    Einstellungen_Sichern();
    panel(QStringLiteral("Status"), QStringLiteral("Beende Programm...Das wars"));
    Daten_Schliessen();
    Programm_Beenden();
    return true;
}

void Main::befSymbol_Click(int index)
{
    if (handler("befSymbol_Click", index))
        return;
    switch (index) {
    case 40:
        pulEnde_Click();
        break;
    case 41:
        PulOeffnen_Click();
        break;
    case 42:
        PulSichern_Click();
        break;
    case 43:
        mnuAdrAnlegen_Click();
        break;
    case 44:
        mnuAdrDuplizieren_Click();
        break;
    case 45:
        mnuAdrLoeschen_Click();
        break;
    case 46:
        mnuDocErstellen_Click();
        break;
    case 47:
        PulBriefumschlag_Click();
        break;
    case 48:
        PulListe_Click();
        break;
    case 49:
        mnuPrnPersBogen_Click();
        break;
    case 61:
        zplatform::plattform().ereignisseVerarbeiten();
        mnuSort_Click(GeaendertAm);
        break;
    case 63:
        zplatform::plattform().ereignisseVerarbeiten();
        mnuSort_Click(Rubrik);
        break;
    default:
        break;
    }
}

// ===========================================================================
// Seams: handlers whose work other parts of the program register.

#define ZETTLORA_NAHT(name)                                                                                            \
    void Main::name()                                                                                                  \
    {                                                                                                                  \
        handler(#name);                                                                                                \
    }

ZETTLORA_NAHT(PulAnlegen_Click)
ZETTLORA_NAHT(PulOeffnen_Click)
ZETTLORA_NAHT(mnuDateiHinzufuegen_Click)
ZETTLORA_NAHT(mnuDateiBeschreiben_Click)
ZETTLORA_NAHT(mnuUndo_Click)
ZETTLORA_NAHT(mnuAdrAnlegen_Click)
ZETTLORA_NAHT(mnuAdrDuplizieren_Click)
ZETTLORA_NAHT(mnuAdrLoeschen_Click)
ZETTLORA_NAHT(mnuSonderzeichenEinfg_Click)
ZETTLORA_NAHT(befZoom_Click)
ZETTLORA_NAHT(mnuAdrImpDINFO99_Click)
ZETTLORA_NAHT(mnuAdrImpDINFO2000_Click)
ZETTLORA_NAHT(mnuAdrImpKlickTel98_Click)
ZETTLORA_NAHT(mnuAdrImpKlickTel1999_Click)
ZETTLORA_NAHT(mnuSuchenText_Click)
ZETTLORA_NAHT(mnuSucheBlzBank_Click)
ZETTLORA_NAHT(mnuSuchePlzOrt_Click)
ZETTLORA_NAHT(mnuChkDoppeltes_Click)
ZETTLORA_NAHT(mnuChkAehnliches_Click)
ZETTLORA_NAHT(mnuChkEmails_Click)
ZETTLORA_NAHT(PulBriefumschlag_Click)
ZETTLORA_NAHT(mnuPrnUmschlagsfenster_Click)
ZETTLORA_NAHT(PulListe_Click)
ZETTLORA_NAHT(mnuPrnPersBogen_Click)
ZETTLORA_NAHT(mnuPrnUeberweisung_Click)
ZETTLORA_NAHT(mnuPrnLastschrift_Click)
ZETTLORA_NAHT(mnuPrnNachnahme_Click)
ZETTLORA_NAHT(PulDruckEinrichten_Click)
ZETTLORA_NAHT(mnuAdrImpListe_Click)
ZETTLORA_NAHT(mnuImpZA_Click)
ZETTLORA_NAHT(PulZAdresse_Click)
ZETTLORA_NAHT(PulZFax_Click)
ZETTLORA_NAHT(mnuExportTKAnlage_Click)
ZETTLORA_NAHT(PulTeleWaehlen_Click)
ZETTLORA_NAHT(mnuWebStart_Click)
ZETTLORA_NAHT(mnuDocErstellen_Click)
ZETTLORA_NAHT(mnuVertriebExpZA_Click)
ZETTLORA_NAHT(mnuVertriebExpFonName_Click)
ZETTLORA_NAHT(mnuVertriebDel_Click)
ZETTLORA_NAHT(mnuVJob_Click)
ZETTLORA_NAHT(mnuSetup_Click)
ZETTLORA_NAHT(mnuUebernahmeBlzBank_Click)
ZETTLORA_NAHT(mnuUebernahmePlzOrt_Click)
ZETTLORA_NAHT(mnuUebernahmePlzVorwahl_Click)
ZETTLORA_NAHT(mnuUebernahmeVornAnrede_Click)
ZETTLORA_NAHT(mnuUebernahmeEmail_Click)
ZETTLORA_NAHT(mnuStatistikFeldSuche_Click)
ZETTLORA_NAHT(mnuStatistikPLZ_Click)
ZETTLORA_NAHT(mnuMaskenEdit_Click)
ZETTLORA_NAHT(PulAnleitung_Click)
ZETTLORA_NAHT(mnuTips_Click)
ZETTLORA_NAHT(mnuURLUpdate_Click)
ZETTLORA_NAHT(PulWerbung_Click)
ZETTLORA_NAHT(PulInfo_Click)
ZETTLORA_NAHT(mnuPopFeldBeschriftungAendern_Click)

#undef ZETTLORA_NAHT

void Main::mnuSort_Click(int index)
{
    handler("mnuSort_Click", index);
}

void Main::mnuPrg_Click(int index)
{
    handler("mnuPrg_Click", index);
}

// The card's popup entries run the menus' handlers.
void Main::mnuPopAdrNeu_Click()
{
    mnuAdrAnlegen_Click();
}

void Main::mnuPopAdrDuplizieren_Click()
{
    mnuAdrDuplizieren_Click();
}

void Main::mnuPopAdrLoeschen_Click()
{
    mnuAdrLoeschen_Click();
}

void Main::mnuPopWebSite_Click()
{
    mnuWebStart_Click();
}

void Main::mnuPopZoom_Click()
{
    befZoom_Click();
}

} // namespace zadressbuch
