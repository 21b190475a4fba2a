#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace zantiva::ResourceBundle {

// The design system's resource folder, with "Fonts" and "Images" inside.
inline constexpr char name[] = "ZantivaDiagnostics_ZantivaUI.bundle";

// Where the bundle may stand, in the order they are tried: the program's share folder
// (<prefix>/share/zantiva-diagnostics beside <prefix>/bin), the folder of the binary that holds
// this library's code, the program's own folder. Needs the application object.
QStringList candidates();

// The bundle inside the first candidate folder that holds it.
std::optional<QString> find(const QStringList& candidates);

// Found once per process, on first use. Without it nothing can be loaded from it: that is
// logged once and every resource counts as missing.
const std::optional<QString>& directory();

// The path of subdirectory/name.extension in the bundle, when that file exists.
std::optional<QString> resource(const QString& subdirectory, const QString& name, const QString& extension);

} // namespace zantiva::ResourceBundle
