#pragma once

namespace zantiva {

// As root the web engine ends the whole process unless its sandbox is turned off
// (QTWEBENGINE_DISABLE_SANDBOX, or --no-sandbox among QTWEBENGINE_CHROMIUM_FLAGS), which the
// program never does itself: result pages are then not read.
bool webEngineRefusedAsRoot();

} // namespace zantiva
