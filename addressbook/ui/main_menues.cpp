// The main window's menus, popup menu, symbol bar and hot keys, all built
// from the command table, and the enabling of their entries.
#include "addressbook/adressliste.h"
#include "addressbook/befehle.h"
#include "addressbook/layout.h"
#include "addressbook/listenlauf.h"
#include "addressbook/sitzung.h"
#include "addressbook/ui/main.h"
#include "addressbook/ui/main_intern.h"
#include "addressbook/ui/symbole.h"
#include "common/ini.h"
#include "common/ui/begleitprogramme.h"
#include "platform/plattform.h"
#include "platform/ui/fensterrueckgabe.h"

#include <QAction>
#include <QFile>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <optional>
#include <utility>

namespace zadressbuch {

namespace {

using intern::platzieren;

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// Checks an entry's enabling rule at the moment its hot key fires. The rules
// grey entries only while their menu is dropped down; closed, the entries
// stay enabled so that their keys reach them, and a key acts only where the
// dropped-down menu would show its entry enabled.
class KuerzelPruefung : public QObject
{
public:
    KuerzelPruefung(std::function<bool(QAction*)> erlaubt, QObject* parent)
        : QObject(parent), m_erlaubt(std::move(erlaubt))
    {
    }

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override
    {
        if (ereignis->type() == QEvent::Shortcut)
            if (auto* a = qobject_cast<QAction*>(objekt))
                return !m_erlaubt(a);
        return false;
    }

private:
    std::function<bool(QAction*)> m_erlaubt;
};

} // namespace

QMenu* Main::menueAnlegen(QMenu* oben, const QString& name, const QString& titel)
{
    QMenu* m = oben ? oben->addMenu(titel) : menuBar()->addMenu(titel);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    m_menues.insert(name, m);
    m_aktionen.insert(name, m->menuAction());
    return m;
}

void Main::menuesAufbauen()
{
    // A submenu stands before the first entry of its parent that follows it
    // in the table: create each menu when its first entry (or first
    // submenu's entry) comes up.
    std::function<QMenu*(const QString&)> menueHolen = [&](const QString& name) -> QMenu* {
        if (QMenu* m = m_menues.value(name))
            return m;
        for (const MenueZeile& z : menuetabelle())
            if (name == QLatin1String(z.name)) {
                const QString oben = QString::fromLatin1(z.oben);
                return menueAnlegen(oben.isEmpty() ? nullptr : menueHolen(oben), name, text(z.text));
            }
        return nullptr;
    };
    // The parent of the context menus: it never stands in the menu bar.
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("mnuPopUp"));
    m_menues.insert(QStringLiteral("mnuPopUp"), m_popup);
    auto* kuerzelPruefung = new KuerzelPruefung(
        [this](QAction* a) {
            const BefehlZeile* z = m_befehlsZeilen.value(a);
            return z && freigegeben(*z, true);
        },
        this);

    for (const BefehlZeile& z : befehlstabelle()) {
        QMenu* menue = menueHolen(QString::fromLatin1(z.menue));
        if (!menue)
            continue;
        if (z.trennerDavor && !menue->isEmpty())
            menue->addSeparator();
        QAction* a = menue->addAction(text(z.text));
        a->setObjectName(QString::fromLatin1(z.name));
        const QKeySequence kurz(QString::fromLatin1(z.kurz));
        if (!kurz.isEmpty()) {
            a->setShortcut(kurz);
            a->setShortcutContext(Qt::WindowShortcut);
            a->installEventFilter(kuerzelPruefung);
            m_kuerzel << kurz;
        }
        const Befehl befehl = z.befehl;
        const int index = z.index;
        connect(a, &QAction::triggered, this, [this, befehl, index] { befehlAusfuehren(befehl, index); });
        m_aktionen.insert(a->objectName(), a);
        m_befehlsZeilen.insert(a, &z);
    }

    QMenu* adresse = menue(QStringLiteral("PulBearbeiten"));
    connect(adresse, &QMenu::aboutToShow, this, &Main::PulBearbeiten_Click);
    connect(adresse, &QMenu::aboutToHide, this, [this] { eintraegeFreigeben(); });
    // Every other menu of the menu bar shows its entries by their rules too
    // while it is dropped down ("&Importieren" greys the clipboard import
    // while the clipboard holds no text).
    for (QAction* a : menuBar()->actions())
        if (QMenu* m = a->menu(); m && m != adresse) {
            connect(m, &QMenu::aboutToShow, this, [this] { eintraegeFreigeben(true); });
            connect(m, &QMenu::aboutToHide, this, [this] { eintraegeFreigeben(); });
        }
    connect(menue(QStringLiteral("mnuWeiteres")), &QMenu::aboutToShow, this, &Main::mnuWeiteres_Click);
    // The directory programs' entries show only for the installed version (the menu's opening decides).
    for (const char* n : {"mnuAdrImpDINFO99", "mnuAdrImpDINFO2000", "mnuAdrImpKlickTel98", "mnuAdrImpKlickTel1999"})
        aktion(QLatin1String(n))->setVisible(false);
}

void Main::symbolleisteAufbauen(QWidget* mitte)
{
    auto* leiste = new QWidget(mitte);
    leiste->setObjectName(QStringLiteral("befSymbolLeiste"));
    platzieren(leiste, 0, 0, 9675, 540);
    int links = 120;
    for (const SymbolZeile& s : symboltabelle()) {
        links += s.luecke;
        auto* knopf = new QToolButton(leiste);
        knopf->setObjectName(QStringLiteral("befSymbol_%1").arg(s.index));
        knopf->setToolTip(text(s.tipp));
        knopf->setAccessibleName(text(s.tipp));
        knopf->setAutoRaise(true);
        knopf->setFocusPolicy(Qt::NoFocus);
        knopf->setIcon(Symbol_Laden(s.bild));
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

QAction* Main::aktion(const QString& name) const
{
    return m_aktionen.value(name);
}

QAction* Main::aktion(Befehl befehl) const
{
    const auto zeilen = befehlZeilen(befehl);
    return zeilen.empty() ? nullptr : aktion(QString::fromLatin1(zeilen.front()->name));
}

QMenu* Main::menue(const QString& name) const
{
    return m_menues.value(name);
}

QToolButton* Main::befSymbol(int index) const
{
    return m_symbole.value(index);
}

bool Main::freigegeben(const BefehlZeile& zeile, bool mitKartenRegeln) const
{
    if (!m_befehle.angemeldet(zeile.befehl))
        return false;
    if (zeile.nurLesenGesperrt && sitzung().NurLesen)
        return false;
    if (!mitKartenRegeln)
        return true;
    const AdressListe& liste = adressliste();
    const int i = liste.ListIndex();
    switch (zeile.freigabe) {
    case Freigabe::Immer:
        return true;
    case Freigabe::UndoMoeglich:
        return i >= 0 && liste.List(i) != sitzung().UndoKopie;
    case Freigabe::TextInZwischenablage:
        return !zplatform::plattform().zwischenablage().isEmpty();
    case Freigabe::AdresseAusgeschnitten:
        return !sitzung().AdressZwischenablage.isEmpty();
    case Freigabe::AdresseGewaehlt:
        return i >= 0;
    }
    return true;
}

void Main::eintraegeFreigeben(bool mitKartenRegeln)
{
    for (auto it = m_befehlsZeilen.cbegin(); it != m_befehlsZeilen.cend(); ++it)
        it.key()->setEnabled(freigegeben(*it.value(), mitKartenRegeln));

    // A submenu is usable while one of its visible entries is; the menus of
    // the menu bar stay open to look into.
    std::function<bool(QMenu*)> menueFreigeben = [&](QMenu* m) {
        bool eines = false;
        for (QAction* a : m->actions()) {
            if (a->isSeparator())
                continue;
            if (QMenu* unter = a->menu())
                a->setEnabled(menueFreigeben(unter));
            if (a->isEnabled() && a->isVisible())
                eines = true;
        }
        return eines;
    };
    // A menu of the menu bar whose every entry read-only mode locks closes then.
    std::function<bool(QMenu*)> nurGesperrte = [&](QMenu* m) {
        bool alle = true;
        for (QAction* a : m->actions()) {
            if (a->isSeparator())
                continue;
            if (QMenu* unter = a->menu())
                alle = alle && nurGesperrte(unter);
            else if (const BefehlZeile* z = m_befehlsZeilen.value(a))
                alle = alle && z->nurLesenGesperrt;
        }
        return alle;
    };
    for (QAction* a : menuBar()->actions())
        if (QMenu* m = a->menu()) {
            menueFreigeben(m);
            a->setEnabled(!(sitzung().NurLesen && nurGesperrte(m)));
        }
    menueFreigeben(m_popup);

    for (const SymbolZeile& s : symboltabelle())
        if (QToolButton* knopf = m_symbole.value(s.index)) {
            const auto zeilen = befehlZeilen(s.befehl);
            knopf->setEnabled(!zeilen.empty() && freigegeben(*zeilen.front(), false));
        }
    if (befZoom)
        befZoom->setEnabled(freigegeben(*befehlZeilen(Befehl::befZoom).front(), false));
}

bool Main::befehlAusfuehren(Befehl befehl, int index)
{
    const auto zeilen = befehlZeilen(befehl);
    if (zeilen.empty() || !freigegeben(*zeilen.front(), false))
        return false;
    // An exit asked for while a walk over the list runs waits until the walk
    // has returned; while the program is being ended a close request starts
    // nothing more.
    std::optional<BeendenLaeuft> laeuft;
    if (befehl == Befehl::PulEnde || befehl == Befehl::PulAbbruch) {
        const auto spaeter = [fenster = QPointer<Main>(this), befehl, index] {
            if (fenster && !fenster->m_beendet)
                fenster->befehlAusfuehren(befehl, index);
        };
        // Nor while another command lets events run (after its dialog, in
        // a loop): that command goes on afterwards and uses the window.
        if (ListenLauf::nachLaufAufschieben(spaeter) || nachBefehlAufschieben(spaeter))
            return true;
        laeuft.emplace();
    }
    const BefehlLaeuft unterwegs(*this);
    // A key still held down when the command comes (its press typed into a
    // field, its release comes later) is stored first, into the address it
    // was typed into, before the command saves, ends or shows another one.
    if (KarteVorherUebernehmen(befehl))
        Abweichende_Karte_Uebernehmen();
    return m_befehle.ausfuehren(befehl, *this, index);
}

Main::BefehlLaeuft::BefehlLaeuft(Main& m) : m_fenster(m)
{
    if (m_fenster.m_befehlTiefe++ == 0)
        m_fenster.m_rueckgabe = std::make_unique<zplatform::FensterRueckgabe>(m_fenster);
}

Main::BefehlLaeuft::~BefehlLaeuft()
{
    if (--m_fenster.m_befehlTiefe > 0)
        return;
    // Not left to the window manager: it may give the focus to a window
    // that has just closed, or to none.
    if (!m_fenster.m_beendet)
        m_fenster.m_rueckgabe->zurueckgeben();
    m_fenster.m_rueckgabe.reset();
    if (m_fenster.m_nachBefehl.empty())
        return;
    // From the event loop, once the command's caller has returned too.
    QTimer::singleShot(0, &m_fenster, [fenster = &m_fenster] {
        if (fenster->m_befehlTiefe > 0)
            return; // a new command began meanwhile: its end runs them
        std::vector<std::function<void()>> schritte;
        schritte.swap(fenster->m_nachBefehl);
        for (const auto& s : schritte)
            s();
    });
}

bool Main::nachBefehlAufschieben(std::function<void()> schritt)
{
    if (m_befehlTiefe == 0 || !schritt)
        return false;
    m_nachBefehl.push_back(std::move(schritt));
    return true;
}

void Main::befSymbol_Click(int index)
{
    for (const SymbolZeile& s : symboltabelle())
        if (s.index == index) {
            // The sorting buttons let pending events run first (the program
            // is not ended meanwhile: the sort comes after them).
            std::optional<BefehlLaeuft> unterwegs;
            if (s.befehl == Befehl::mnuSort) {
                unterwegs.emplace(*this);
                zplatform::plattform().ereignisseVerarbeiten();
            }
            befehlAusfuehren(s.befehl, s.befehlIndex);
            return;
        }
}

void Main::PulBearbeiten_Click()
{
    eintraegeFreigeben(true);
    const QString version = zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("DInfoVer"), QString());
    aktion(QStringLiteral("mnuAdrImpDINFO2000"))->setVisible(version == QLatin1String("DI2000"));
    aktion(QStringLiteral("mnuAdrImpKlickTel1999"))->setVisible(version == QLatin1String("KT1999"));
    aktion(QStringLiteral("mnuAdrImpKlickTel98"))->setVisible(version == QLatin1String("98"));
    aktion(QStringLiteral("mnuAdrImpDINFO99"))->setVisible(version == QLatin1String("99"));
}

void Main::mnuWeiteres_Click()
{
    sitzung().LeerlaufZaehler = 0;
    // The running program's own entry among the companion programs is hidden.
    zcommon::Begleitprogramme_Menue(this, [this](const QString& t) { Status(t); });
}

bool Main::istMenueKuerzel(const QKeyEvent* e) const
{
    const QKeySequence taste(e->keyCombination());
    for (const QKeySequence& k : m_kuerzel)
        if (k.matches(taste) == QKeySequence::ExactMatch)
            return true;
    return false;
}

} // namespace zadressbuch
