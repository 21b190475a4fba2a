#include "App/WindowDescriptors.h"

namespace zantiva {

std::optional<std::string> windowDescriptorShortage(int limit) {
    if (limit >= windowDescriptorsNeeded) return std::nullopt;
    return "the window needs " + std::to_string(windowDescriptorsNeeded) + " open files, and only " +
           std::to_string(limit) + " are allowed: raise the limit (ulimit -n " +
           std::to_string(windowDescriptorsNeeded) + ") and start it again";
}

} // namespace zantiva
