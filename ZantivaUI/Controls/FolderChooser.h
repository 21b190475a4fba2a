#pragma once

#include <filesystem>
#include <functional>
#include <optional>

class QWidget;

namespace zantiva {

class LocNotifier;

// Asks the user for a folder (the one the storage test writes in); absent when the user cancelled.
using FolderChooser = std::function<std::optional<std::filesystem::path>()>;

// The desktop's folder dialog over the parent, titled in the current language and starting in
// the home folder.
FolderChooser folderDialog(QWidget& parent, const LocNotifier& loc);

} // namespace zantiva
