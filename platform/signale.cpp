#include "platform/signale.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace zplatform {

namespace {

int signalPaar[2] = {-1, -1};

// Runs inside the signal handler: only a write that never waits. A full
// socket already holds a byte the event loop has not read, and one is enough.
void signalMerken(int)
{
    const int alt = errno;
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(signalPaar[0], &c, 1);
    errno = alt;
}

} // namespace

bool Beendensignale_Abfangen(QObject* besitzer, std::function<void()> beimSignal)
{
    if (signalPaar[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, signalPaar) != 0)
        return false;
    auto* melder = new QSocketNotifier(signalPaar[1], QSocketNotifier::Read, besitzer);
    QObject::connect(melder, &QSocketNotifier::activated, besitzer, [schritt = std::move(beimSignal)] {
        // Signals that came together are one request to end.
        char puffer[64];
        while (::read(signalPaar[1], puffer, sizeof puffer) > 0) {
        }
        if (schritt)
            schritt();
    });
    struct sigaction sa = {};
    sa.sa_handler = signalMerken;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(sig, &sa, nullptr);
    return true;
}

} // namespace zplatform
