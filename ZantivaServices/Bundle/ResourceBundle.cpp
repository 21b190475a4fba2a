#include "Bundle/ResourceBundle.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <dlfcn.h>

#include "Platform/Log.h"

namespace zantiva::ResourceBundle {

namespace {

QString libraryFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&candidates), &info) == 0 || !info.dli_fname || !*info.dli_fname) return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
}

} // namespace

QStringList candidates() {
    QStringList folders;
    const QString program = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    if (!program.isEmpty()) folders << QDir::cleanPath(program + "/../share/zantiva-diagnostics");
    if (const QString library = libraryFolder(); !library.isEmpty()) folders << library;
    if (!program.isEmpty()) folders << program;
    return folders;
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
