#pragma once

#include <cstdint>
#include <functional>

class QObject;

namespace zantiva {

// Looks, a few times a second, at the memory this program and the web engine's processes
// below it hold of their own; once that passes `limit` bytes, calls `onPassed`, once. A
// limit on the address space can't do this: the engine reserves far more of it than it uses.
// A look that fails (the process table or a status can't be read) counts as past the limit.
// The watch ends with `owner`.
void boundMemory(std::uint64_t limit, std::function<void()> onPassed, QObject* owner);

} // namespace zantiva
