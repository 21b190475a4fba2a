#include "Bundle/ResourceBundle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <filesystem>
#include <vector>

#include "Platform/Log.h"
#include "Platform/ProgramFolder.h"

namespace zantiva::ResourceBundle {

namespace {

// The folder as a path Qt can open. A QString holds only Unicode, so a name with a byte that
// isn't UTF-8 would come back as U+FFFD and name another folder: such a folder is reached
// through a descriptor of it that stays open for the life of the process (/proc/self/fd/N).
// Absent when it can be reached neither way.
std::optional<QString> qtPath(const std::filesystem::path& folder) {
    const QByteArray bytes = QByteArray::fromStdString(folder.string());
    const QString text = QFile::decodeName(bytes);
    if (QFile::encodeName(text) == bytes) return text;
    const int descriptor = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return std::nullopt;
    return QStringLiteral("/proc/self/fd/%1").arg(descriptor);
}

} // namespace

QStringList candidates() {
    std::vector<std::filesystem::path> folders;
    const std::filesystem::path program = thisProgramFolder();
    if (!program.empty()) folders.push_back((program / "../share/zantiva-diagnostics").lexically_normal());
    if (!program.empty()) folders.push_back(program);
    QStringList paths;
    for (const auto& folder : folders)
        if (auto path = qtPath(folder)) paths << *path;
    return paths;
}

std::filesystem::path filePath(const QString& path) {
    const std::filesystem::path bytes = QFile::encodeName(path).toStdString();
    const std::filesystem::path descriptors = "/proc/self/fd";
    const auto relative = bytes.lexically_relative(descriptors);
    if (relative.empty() || *relative.begin() == "..") return bytes;
    std::error_code ec;
    const auto folder = std::filesystem::read_symlink(descriptors / *relative.begin(), ec);
    return ec ? bytes : (folder / relative.lexically_relative(*relative.begin())).lexically_normal();
}

std::optional<QString> find(const QStringList& candidates) {
    for (const QString& folder : candidates) {
        const QString bundle = QDir(folder).filePath(QString::fromLatin1(name));
        if (QFileInfo(bundle).isDir()) return bundle;
    }
    return std::nullopt;
}

Lookup::Lookup(QStringList candidates, std::function<void()> reportMissing)
    : candidates_(std::move(candidates)), reportMissing_(std::move(reportMissing)) {}

const std::optional<QString>& Lookup::directory() {
    std::call_once(searched_, [this] {
        directory_ = find(candidates_);
        if (!directory_) reportMissing_();
    });
    return directory_;
}

std::optional<QString> Lookup::resource(const QString& subdirectory, const QString& name, const QString& extension) {
    if (!directory()) return std::nullopt;
    const QString path = QDir(*directory()).filePath(subdirectory + '/' + name + '.' + extension);
    if (!QFileInfo(path).isFile()) return std::nullopt;
    return path;
}

namespace {

Lookup& processLookup() {
    static Lookup lookup(candidates(), [] { log::error("ui", "unable to find bundle named ZantivaDiagnostics_ZantivaUI"); });
    return lookup;
}

} // namespace

const std::optional<QString>& directory() { return processLookup().directory(); }

std::optional<QString> resource(const QString& subdirectory, const QString& name, const QString& extension) {
    return processLookup().resource(subdirectory, name, extension);
}

} // namespace zantiva::ResourceBundle
