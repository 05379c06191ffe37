#include "app/TerminationSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signalFds[2] = {-1, -1};

// Only async-signal-safe calls here: the event loop does the work.
extern "C" void OnTerminationSignal(int signal)
{
    const int saved = errno;
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(g_signalFds[0], &byte, 1);
    errno = saved;
}

} // namespace

bool InstallTerminationHandler(std::function<void()> action)
{
    if (g_signalFds[0] >= 0)
        return true;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalFds) != 0)
        return false;
    // A full pipe must never block the handler; one byte already waiting is enough.
    ::fcntl(g_signalFds[0], F_SETFL, ::fcntl(g_signalFds[0], F_GETFL) | O_NONBLOCK);

    auto* notifier =
        new QSocketNotifier(g_signalFds[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [action = std::move(action)] {
        char bytes[16];
        while (::read(g_signalFds[1], bytes, sizeof bytes) == sizeof bytes) {
        }
        if (action)
            action();
    });
    ::fcntl(g_signalFds[1], F_SETFL, ::fcntl(g_signalFds[1], F_GETFL) | O_NONBLOCK);

    struct sigaction request = {};
    request.sa_handler = OnTerminationSignal;
    sigemptyset(&request.sa_mask);
    request.sa_flags = SA_RESTART;
    bool ok = true;
    for (int signal : {SIGTERM, SIGHUP, SIGINT})
        ok = ::sigaction(signal, &request, nullptr) == 0 && ok;
    return ok;
}
