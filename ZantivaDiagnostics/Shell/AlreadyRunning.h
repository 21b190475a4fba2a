#pragma once

#include <optional>
#include <string>

#include "App/LockHolder.h"
#include "Localization/Loc.h"

namespace zantiva {

// What a launch that another window refused tells: who holds the lock (its process, and its
// host when that is named otherwise) and what to do about it.
std::string alreadyRunningText(const std::optional<LockHolder>& holder, const Loc& loc);

// Says it on standard error, in English as every failure line there; and, started without a
// terminal to see that (from the desktop's menu, say), in a small dialog in the app's language.
void tellAlreadyRunning(const std::optional<LockHolder>& holder);

} // namespace zantiva
