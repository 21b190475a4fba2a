#pragma once

#include <QObject>

namespace zantiva {

// One run at a time across the test suite, the storage test and the outside benchmarks:
// every runner holds the same gate and enters it before a run starts. busyChanged fires
// only on a real change, so the launcher can follow it. Main thread only.
class RunGate : public QObject {
    Q_OBJECT

public:
    explicit RunGate(QObject* parent = nullptr) : QObject(parent) {}

    bool isBusy() const { return busy_; }
    // Claims the gate for a run; false when another run holds it.
    bool tryEnter();
    // Releases the gate at the end of the run that entered it.
    void leave();

signals:
    void busyChanged();

private:
    bool busy_ = false;
};

} // namespace zantiva
