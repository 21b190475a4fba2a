#include "App/QuitSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>
#include <stdexcept>

#include <sys/socket.h>
#include <unistd.h>

namespace zantiva {
namespace {

constexpr std::array quitSignals{SIGTERM, SIGINT, SIGHUP};

// The handler may only write: it hands the signal's number to the main thread through a
// socket pair (read end [0], write end [1]).
int pipeEnds[2] = {-1, -1};
struct sigaction previous[quitSignals.size()];

void onSignal(int signalNumber) {
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const auto written = write(pipeEnds[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

QuitSignals::QuitSignals(QObject* parent) : QObject(parent) {
    if (pipeEnds[0] != -1) throw std::logic_error("quit signals are already being watched");
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, pipeEnds) != 0)
        throw std::runtime_error("couldn't make the socket pair for quit signals");
    notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &QuitSignals::drain);

    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < quitSignals.size(); ++i) {
        sigaction(quitSignals[i], nullptr, &previous[i]);
        // One the launcher chose to ignore (nohup, a background job's Ctrl+C) stays ignored.
        if (previous[i].sa_handler != SIG_IGN) sigaction(quitSignals[i], &action, nullptr);
    }
}

QuitSignals::~QuitSignals() {
    for (std::size_t i = 0; i < quitSignals.size(); ++i) sigaction(quitSignals[i], &previous[i], nullptr);
    delete notifier_;
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

void QuitSignals::drain() {
    unsigned char byte = 0;
    while (::read(pipeEnds[0], &byte, 1) == 1) emit received(byte);
}

void quitOnSignals(const QuitSignals& watched) {
    QObject::connect(&watched, &QuitSignals::received, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
}

} // namespace zantiva
