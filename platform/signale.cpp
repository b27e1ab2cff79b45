#include "platform/signale.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace zplatform {

namespace {

int signalPaar[2] = {-1, -1};
bool verbunden = false;

// Runs inside the signal handler: only a write that never waits. A full
// socket already holds a byte the event loop has not read, and one is enough.
void signalMerken(int)
{
    const int alt = errno;
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(signalPaar[0], &c, 1);
    errno = alt;
}

// Ignored by whoever started the program: nohup ignores the hang-up, a shell
// the interrupt of a job it runs in the background.
bool beimStartIgnoriert(int sig)
{
    struct sigaction vorher = {};
    return ::sigaction(sig, nullptr, &vorher) == 0 && vorher.sa_handler == SIG_IGN;
}

} // namespace

bool Beendensignale_Abfangen()
{
    if (signalPaar[0] >= 0)
        return true;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, signalPaar) != 0)
        return false;
    struct sigaction sa = {};
    sa.sa_handler = signalMerken;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    // SIGTERM is how the system ends a program (logout, shutdown): always caught.
    for (int sig : {SIGTERM, SIGHUP, SIGINT})
        if (sig == SIGTERM || !beimStartIgnoriert(sig))
            ::sigaction(sig, &sa, nullptr);
    return true;
}

bool Beendensignale_Verbinden(QObject* besitzer, std::function<void()> beimSignal)
{
    if (verbunden || !Beendensignale_Abfangen())
        return false;
    verbunden = true;
    // The socket is read as soon as the event loop runs: a byte written
    // before this moment is acted on then.
    auto* melder = new QSocketNotifier(signalPaar[1], QSocketNotifier::Read, besitzer);
    QObject::connect(melder, &QSocketNotifier::activated, besitzer, [schritt = std::move(beimSignal)] {
        // Signals that came together are one request to end.
        char puffer[64];
        while (::read(signalPaar[1], puffer, sizeof puffer) > 0) {
        }
        if (schritt)
            schritt();
    });
    return true;
}

} // namespace zplatform
