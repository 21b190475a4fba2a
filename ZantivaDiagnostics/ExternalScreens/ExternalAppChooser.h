#pragma once

#include <filesystem>
#include <functional>
#include <optional>

#include "Model/ExternalBenchmarkApp.h"

class QWidget;

namespace zantiva {

class LocNotifier;

// Asks the user for an outside application's program, launcher or disk image; absent when
// the user cancelled.
using ExternalAppChooser = std::function<std::optional<std::filesystem::path>(ExternalBenchmarkApp app)>;

// The desktop's file dialog over the parent, titled with the application's name in the
// current language and starting in "/opt", where outside tools are installed.
ExternalAppChooser externalAppDialog(QWidget& parent, const LocNotifier& loc);

} // namespace zantiva
