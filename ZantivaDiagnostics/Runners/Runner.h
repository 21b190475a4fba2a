#pragma once

#include <QCoro/QCoroTask>
#include <QObject>

// moc cannot read the C++20 concepts these headers hold, and needs none of them.
#ifndef Q_MOC_RUN
#include <functional>
#include <memory>
#include <utility>
#include "Observation/ObservedValue.h"
#include "Runners/EngineCall.h"
#include "Runners/RunGate.h"
#endif

namespace zantiva {

// What every runner shares (the test suite, the storage test, the outside benchmarks): one
// run at a time through the gate that all runners hold, the observed isRunning of its own
// run, the blocking engine or reader calls of the run on a worker thread, and their reports
// moved into observed fields on the main thread. Main thread only.
//
// A runner calls beginRun() before a run and endRun() once it has ended. Its engine bodies
// reach it only through publisher() and onMainThread(): the destructor here waits for the
// engine thread after the derived runner's own members are gone.
class Runner : public QObject {
    Q_OBJECT

public:
    // True from beginRun() until endRun().
    bool isRunning() const { return isRunning_; }

signals:
    void isRunningChanged();
    // A run has begun and its state is set: whoever shows the runners' screens shows this one's.
    void runBegan();

protected:
    // gate: the one that every runner shares; a private one when absent.
    Runner(std::shared_ptr<RunGate> gate, QObject* parent);
    // Cancels the engine call under way and waits for its thread, so that none (nor its
    // temporary file) outlives the runner; releases the gate when a run held it.
    ~Runner() override;

    // Enters the gate and marks the runner running; false, with nothing changed, while a
    // run of this or another runner holds the gate.
    [[nodiscard]] bool beginRun();
    // Releases the gate, then marks the runner idle: an observer of isRunning may start
    // the next run at once.
    void endRun();

    // Starts body on a worker thread with a fresh cancel token; see EngineCall::run.
    template <typename Result> QCoro::Task<Result> runEngine(std::function<Result(const CancelToken&)> body) {
        return engine_.run<Result>(std::move(body));
    }
    // The engine call under way stops at its next check and ends with CancellationError.
    void cancelEngine() const { engine_.cancel(); }
    // The gate this runner shares with the others.
    const RunGate& gate() const { return *gate_; }

    // Runs f on the main thread, from an engine thread; dropped once the runner is gone.
    template <typename F> void onMainThread(F f) {
        QMetaObject::invokeMethod(this, std::move(f), Qt::QueuedConnection);
    }
    // An engine callback, made on the main thread, that moves each value it is given into
    // an observed field of the runner on the main thread.
    template <typename Derived, typename T> auto publisher(T Derived::*field, void (Derived::*changed)()) {
        auto* runner = static_cast<Derived*>(this);
        return [this, runner, field, changed](const auto& value) {
            onMainThread([runner, field, changed, value] { assignObserved(runner, runner->*field, value, changed); });
        };
    }

private:
    std::shared_ptr<RunGate> gate_;
    EngineCall engine_;
    bool isRunning_ = false;
};

} // namespace zantiva
