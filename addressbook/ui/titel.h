#pragma once
// The start-up splash: the first window of the run. Its load places and
// fills it; its 200 ms timer creates and shows the main window at the first
// tick and closes the splash at the second. Both happen at the first tick
// when the setting "TitelAus" is 1 or the system has been up for less than
// 40 seconds (a start with the session wants no delay).

#include "addressbook/ui/main.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

class QLabel;
class QTimer;

namespace zadressbuch {

class Titel : public QWidget
{
    Q_OBJECT
public:
    // befehle: the registered commands, argumente: the command line without
    // the program name; both are handed to Main.
    explicit Titel(Befehlsregister& befehle, QStringList argumente = QStringList(), QWidget* parent = nullptr);

    // The main window once the timer has created it.
    Main* mainFenster() const { return m_main; }
    QTimer* Zeit = nullptr;

    // Whether the splash goes at once (setting "TitelAus" or a fresh system start).
    static bool sofortAus();
    // Seconds since the system started (-1 when unknown).
    static double systemLaufzeit();

public Q_SLOTS:
    void Zeit_Timer();

private:
    void Form_Load();

    Befehlsregister& m_befehle;
    QStringList m_argumente;
    QPointer<Main> m_main;
    int m_tick = 0;
    bool m_sofort = false;
};

} // namespace zadressbuch
