#include "Runners/Runner.h"

namespace zantiva {

Runner::Runner(std::shared_ptr<RunGate> gate, QObject* parent)
    : QObject(parent), gate_(gate ? std::move(gate) : std::make_shared<RunGate>()) {}

Runner::~Runner() {
    engine_.cancelAndWait();
    if (isRunning_) gate_->leave();
}

bool Runner::beginRun() {
    if (isRunning_ || !gate_->tryEnter()) return false;
    assignObserved(this, isRunning_, true, &Runner::isRunningChanged);
    return true;
}

void Runner::endRun() {
    // Only the run that entered the gate leaves it.
    if (!isRunning_) return;
    gate_->leave();
    assignObserved(this, isRunning_, false, &Runner::isRunningChanged);
}

} // namespace zantiva
