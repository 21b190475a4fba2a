#pragma once

namespace zantiva {

// The main screen under the header. The runners switch to theirs when a run starts.
enum class AppScreen { dashboard, suite, result, storage, external };

} // namespace zantiva
