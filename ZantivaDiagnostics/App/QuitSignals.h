#pragma once

#include <QObject>

class QSocketNotifier;

namespace zantiva {

// SIGTERM, SIGINT and SIGHUP (a session ending, Ctrl+C, kill) become a signal on the main
// thread, so the program can quit through its event loop and tear everything down in order
// instead of dying where it stands. A signal the launcher set to be ignored stays ignored.
// One at a time per process; the previous handlers come back when it goes.
class QuitSignals : public QObject {
    Q_OBJECT

public:
    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;

signals:
    void received(int signalNumber);

private:
    void drain();

    QSocketNotifier* notifier_;
};

// Ends the application's event loop (status 0) at a quit signal, whatever its windows say:
// QCoreApplication::quit() first asks every window to close and gives up when one refuses,
// as a full-screen test or the washer does, and a session that ends must not leave the
// program behind. What follows the loop (the teardown) runs as after any other quit.
void quitOnSignals(const QuitSignals& watched);

} // namespace zantiva
