#include "platform/hauptschleife.h"

#include <QThread>

namespace zplatform {

namespace {
int g_ebene = -1;
}

int Hauptschleife_Ausfuehren(const std::function<int()>& exec)
{
    // The application's exec runs one QEventLoop, one level above where it is called.
    const int vorher = g_ebene;
    g_ebene = QThread::currentThread()->loopLevel() + 1;
    const int ergebnis = exec();
    g_ebene = vorher;
    return ergebnis;
}

int Hauptschleife_Ebene()
{
    return g_ebene;
}

} // namespace zplatform
