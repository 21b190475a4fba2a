#include "Runners/RunGate.h"

#include "Observation/ObservedValue.h"

namespace zantiva {

bool RunGate::tryEnter() {
    if (busy_) return false;
    assignObserved(this, busy_, true, &RunGate::busyChanged);
    return true;
}

void RunGate::leave() { assignObserved(this, busy_, false, &RunGate::busyChanged); }

} // namespace zantiva
