#include "addressbook/ui/titel.h"

#include "addressbook/ui/main.h"
#include "common/ini.h"
#include "common/texte.h"
#include "platform/dateisystem.h"
#include "platform/ui/twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace zadressbuch {

Titel::Titel(Befehlsregister& befehle, QStringList argumente, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), m_befehle(befehle), m_argumente(std::move(argumente))
{
    setObjectName(QStringLiteral("Titel"));
    Zeit = new QTimer(this);
    Zeit->setObjectName(QStringLiteral("Zeit"));
    Zeit->setInterval(200);
    connect(Zeit, &QTimer::timeout, this, &Titel::Zeit_Timer);
    Form_Load();
}

void Titel::Form_Load()
{
    setWindowTitle(QStringLiteral("Zettlora"));
    setAutoFillBackground(true);
    QPalette farben = palette();
    farben.setColor(QPalette::Window, QColor(255, 255, 224));
    farben.setColor(QPalette::WindowText, QColor(0, 0, 128));
    setPalette(farben);
    setStyleSheet(QStringLiteral("#Titel { border: 2px solid #000080; }"));

    auto* spalte = new QVBoxLayout(this);
    spalte->setContentsMargins(24, 24, 24, 24);
    auto beschriftung = [&](const QString& name, const QString& text, int groesse, bool fett) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        l->setAlignment(Qt::AlignCenter);
        QFont f(QStringLiteral("Arial"));
        f.setPointSize(groesse);
        f.setBold(fett);
        l->setFont(f);
        spalte->addWidget(l);
        return l;
    };
    beschriftung(QStringLiteral("bezProgramm"), QStringLiteral("Zettlora"), 28, true);
    beschriftung(QStringLiteral("bezUntertitel"), QStringLiteral("Adressen verwalten, suchen und drucken"), 10, false);
    beschriftung(QStringLiteral("bezVersion"), QStringLiteral("Version %1").arg(QStringLiteral(ZETTLORA_VERSION)), 9,
                 false);
    spalte->addStretch();
    beschriftung(QStringLiteral("bezHinweis"), QStringLiteral("Das Programm wird gestartet..."), 8, false);

    // In the middle of the screen.
    const int breite = zplatform::twipsZuPixel(5400);
    const int hoehe = zplatform::twipsZuPixel(3000);
    resize(breite, hoehe);
    if (const QScreen* schirm = QGuiApplication::primaryScreen()) {
        const QRect r = schirm->availableGeometry();
        move(r.x() + (r.width() - breite) / 2, r.y() + (r.height() - hoehe) / 2);
    }

    m_sofort = sofortAus();
    Zeit->start();
}

double Titel::systemLaufzeit()
{
    return zplatform::systemLaufzeit();
}

bool Titel::sofortAus()
{
    if (zcommon::Val(zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("TitelAus"), QStringLiteral("0"))) == 1)
        return true;
    const double laufzeit = systemLaufzeit();
    return laufzeit >= 0 && laufzeit < 40;
}

void Titel::Zeit_Timer()
{
    ++m_tick;
    if (m_tick == 1) {
        // The main window loads (its Form_Load) before it shows. Messages of
        // the load run their own event loop: no second tick meanwhile.
        Zeit->stop();
        m_main = new Main(m_befehle, m_argumente);
        m_main->setAttribute(Qt::WA_DeleteOnClose);
        m_main->Form_Load();
        if (m_main && !m_main->beendet())
            m_main->show();
        if (!m_sofort) {
            Zeit->start();
            return;
        }
    }
    Zeit->stop();
    close();
}

} // namespace zadressbuch
