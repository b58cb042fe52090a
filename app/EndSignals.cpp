#include "app/EndSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace tiv {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
int wakeFds[2] = {-1, -1};

// Only async-signal-safe work here: one byte into the pipe that the interface thread watches.
void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeFds[0], &byte, 1);
}

}  // namespace

EndSignals::EndSignals(std::function<void()> onEnd, QObject *parent) : QObject(parent), onEnd_(std::move(onEnd))
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, wakeFds) != 0)
        return;
    notifier_ = new QSocketNotifier(wakeFds[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char byte;
        [[maybe_unused]] const ssize_t got = ::read(wakeFds[1], &byte, 1);
        if (onEnd_)
            onEnd_();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
}

EndSignals::~EndSignals()
{
    for (int signal : kSignals)
        ::signal(signal, SIG_DFL);
    delete notifier_;
    ::close(wakeFds[0]);
    ::close(wakeFds[1]);
    wakeFds[0] = wakeFds[1] = -1;
}

}  // namespace tiv
