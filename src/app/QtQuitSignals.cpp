#include "app/QtQuitSignals.h"

#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace vallo {

namespace {

// A signal handler may only do async-signal-safe work: it writes one byte to this socket and
// the event loop does the rest.
int signalSocket[2] = {-1, -1};

void OnQuitSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalSocket[0], &byte, 1);
}

} // namespace

void CloseOnQuitSignals(QWidget* mainWindow) {
    if (signalSocket[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalSocket) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalSocket[1], QSocketNotifier::Read, mainWindow);
    QPointer<QWidget> window(mainWindow);
    QObject::connect(notifier, &QSocketNotifier::activated, mainWindow, [window] {
        char byte = 0;
        [[maybe_unused]] const ssize_t n = ::read(signalSocket[1], &byte, 1);
        if (window)
            window->close();
    });
    struct sigaction action = {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

} // namespace vallo
