#include "ui/terminationsignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace ryv {
namespace {

constexpr std::array<int, 3> Watched { SIGTERM, SIGHUP, SIGINT };

// Shared with the handler, which may use async-signal-safe calls only.
int GPipe[2] = { -1, -1 };
struct sigaction GPrevious[Watched.size()];

extern "C" void OnTerminationSignal(int signalNumber)
{
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(GPipe[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

TTerminationSignals::TTerminationSignals(QObject* parent)
    : QObject(parent)
{
    if (GPipe[0] >= 0 || ::pipe2(GPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        qWarning("Termination signals are not watched: no pipe");
        return;
    }
    struct sigaction action = {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < Watched.size(); ++i)
        ::sigaction(Watched[i], &action, &GPrevious[i]);
    FNotifier = new QSocketNotifier(GPipe[0], QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, &TTerminationSignals::ReadPipe);
}

TTerminationSignals::~TTerminationSignals()
{
    if (FNotifier == nullptr)
        return;
    for (std::size_t i = 0; i < Watched.size(); ++i)
        ::sigaction(Watched[i], &GPrevious[i], nullptr);
    delete FNotifier;
    ::close(GPipe[0]);
    ::close(GPipe[1]);
    GPipe[0] = GPipe[1] = -1;
}

void TTerminationSignals::ReadPipe()
{
    unsigned char byte = 0;
    while (::read(GPipe[0], &byte, 1) == 1)
        emit terminationRequested(byte);
}

} // namespace ryv
