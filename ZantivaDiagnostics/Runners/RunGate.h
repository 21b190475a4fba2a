#pragma once

namespace zantiva {

// One run at a time across the test suite, the storage test and the outside benchmarks:
// every runner holds the same gate and enters it before a run starts. Main thread only.
class RunGate {
public:
    bool isBusy() const { return busy_; }
    // Claims the gate for a run; false when another run holds it.
    bool tryEnter() {
        if (busy_) return false;
        busy_ = true;
        return true;
    }
    // Releases the gate at the end of the run that entered it.
    void leave() { busy_ = false; }

private:
    bool busy_ = false;
};

} // namespace zantiva
