#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>

namespace zantiva::ResourceBundle {

// The design system's resource folder, with "Fonts" and "Images" inside.
inline constexpr char name[] = "ZantivaDiagnostics_ZantivaUI.bundle";

// Where the bundle may stand, in the order they are tried: the program's share folder
// (<prefix>/share/zantiva-diagnostics beside <prefix>/bin), then the program's own folder, both
// from the running program's file (/proc/self/exe). Never from the name it was started by,
// which may be relative to a working folder (that holds anyone's bundle, or is gone) or a link's.
QStringList candidates();

// The file that a path from here names, as its bytes: a folder reached through this process's
// descriptor of it (a name Qt can't hold) is named by its own path, which others can open.
std::filesystem::path filePath(const QString& path);

// The bundle inside the first candidate folder that holds it.
std::optional<QString> find(const QStringList& candidates);

// One search for the bundle, made on first use. When no candidate holds it, the miss is reported
// once and every resource counts as missing: the program runs on with substitutes (a stand-in
// font, the logo's name in text) rather than ending.
class Lookup {
public:
    Lookup(QStringList candidates, std::function<void()> reportMissing);

    const std::optional<QString>& directory();
    // The path of subdirectory/name.extension in the bundle, when that file exists.
    std::optional<QString> resource(const QString& subdirectory, const QString& name, const QString& extension);

private:
    QStringList candidates_;
    std::function<void()> reportMissing_;
    std::once_flag searched_;
    std::optional<QString> directory_;
};

// The process's lookup over candidates(), which logs a miss.
const std::optional<QString>& directory();
std::optional<QString> resource(const QString& subdirectory, const QString& name, const QString& extension);

} // namespace zantiva::ResourceBundle
