#include "app/endsignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Written in the handler, read by the event loop: Qt may not be called from
// a signal handler.
int EndSockets[2] = { -1, -1 };

void OnEndSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    static_cast<void>(::write(EndSockets[0], &byte, 1));
    errno = saved;
}

} // namespace

void QuitOnEndSignals()
{
    // Without the sockets the signals keep ending the program at once.
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, EndSockets) != 0)
        return;
    for (const int socket : EndSockets) {
        ::fcntl(socket, F_SETFD, FD_CLOEXEC);
        ::fcntl(socket, F_SETFL, ::fcntl(socket, F_GETFL) | O_NONBLOCK);
    }
    auto *notifier = new QSocketNotifier(EndSockets[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char byte = 0;
        while (::read(EndSockets[1], &byte, 1) > 0) { }
        // Not quit(): that closes the window first, which asks whether to save.
        QCoreApplication::exit(0);
    });
    struct sigaction action = {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : { SIGTERM, SIGHUP })
        ::sigaction(signal, &action, nullptr);
}
