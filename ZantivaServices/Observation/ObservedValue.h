#pragma once

#include <utility>

#include <QObject>

namespace zantiva {

// The rule of every observed value of the program's QObjects: its change signal fires only
// when the value really changed, so observers never redraw for nothing.

// Stores a new value of an observed field and emits its change signal, only when the value
// really differs from the stored one.
template <typename Owner, typename T, typename Value>
void assignObserved(Owner* owner, T& field, Value&& value, void (Owner::*changed)()) {
    if (field == value) return;
    field = std::forward<Value>(value);
    emit(owner->*changed)();
}

// Emits the change signal of a value that a change may have touched (a derived one, or one
// changed together with others), only when it now differs from what it was before.
template <typename Owner, typename T>
void emitIfChanged(Owner* owner, const T& before, const T& now, void (Owner::*changed)()) {
    if (!(before == now)) emit(owner->*changed)();
}

} // namespace zantiva
