#pragma once

#include <QObject>

class QSocketNotifier;

namespace ryv {

// Turns the signals with which a session, a shutdown or a terminal ends a
// program (SIGTERM, SIGHUP, SIGINT) into a Qt signal on the event loop, so the
// program can close in order and save what it holds in memory instead of
// dying with it. The handler only writes the signal's number into a pipe; the
// rest runs on the user-interface thread. One object at a time; its
// destruction gives the signals back their earlier handlers.
class TTerminationSignals final : public QObject {
    Q_OBJECT
public:
    explicit TTerminationSignals(QObject* parent = nullptr);
    ~TTerminationSignals() override;

    // False when the pipe or a handler could not be set up.
    bool IsWatching() const { return FNotifier != nullptr; }

signals:
    void terminationRequested(int signalNumber);

private:
    void ReadPipe();

    QSocketNotifier* FNotifier = nullptr;
};

} // namespace ryv
