#include "platform/signale.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace zplatform {

namespace {

int signalPaar[2] = {-1, -1};

void signalMerken(int)
{
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(signalPaar[0], &c, 1);
}

} // namespace

bool Beendensignale_Abfangen(QObject* besitzer, std::function<void()> beimSignal)
{
    if (signalPaar[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPaar) != 0)
        return false;
    auto* melder = new QSocketNotifier(signalPaar[1], QSocketNotifier::Read, besitzer);
    QObject::connect(melder, &QSocketNotifier::activated, besitzer, [schritt = std::move(beimSignal)] {
        char c;
        [[maybe_unused]] const auto n = ::read(signalPaar[1], &c, 1);
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
