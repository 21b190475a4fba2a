#pragma once

#include <utility>

namespace zantiva {

// Stores a new value of an observed field and emits its change signal, only when the value
// really differs from the stored one.
template <typename Owner, typename T, typename Value>
void assignObserved(Owner* owner, T& field, Value&& value, void (Owner::*changed)()) {
    if (field == value) return;
    field = std::forward<Value>(value);
    (owner->*changed)();
}

} // namespace zantiva
