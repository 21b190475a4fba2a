#include "External/ExternalBenchmarkInstallation.h"

#include <unistd.h>

#include "External/DiskImageMounting.h"
#include "Model/RecordFields.h"

namespace zantiva {
namespace {

constexpr auto fields = std::tuple{
    json::field("app", &ExternalBenchmarkInstallation::app),
    json::pathField("bundlePath", &ExternalBenchmarkInstallation::bundlePath),
    json::pathField("executablePath", &ExternalBenchmarkInstallation::executablePath),
    json::field("version", &ExternalBenchmarkInstallation::version),
    json::pathField("diskImagePath", &ExternalBenchmarkInstallation::diskImagePath),
};

} // namespace

bool isExecutableFile(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

bool ExternalBenchmarkInstallation::isAvailable() const {
    std::error_code ec;
    if (diskImagePath) return std::filesystem::is_regular_file(*diskImagePath, ec);
    return isExecutableFile(executablePath);
}

std::string ExternalBenchmarkInstallation::displayName() const { return zantiva::displayName(app, version); }

std::optional<std::filesystem::path> ExternalBenchmarkInstallation::resolvedDiskImage() const {
    if (!diskImagePath) return std::nullopt;
    return std::filesystem::path(*diskImagePath);
}

std::filesystem::path ExternalBenchmarkInstallation::resolvedExecutable() const { return executablePath; }

bool ExternalBenchmarkInstallation::needsDiskImageMigration() const {
    return !diskImagePath && isDiskImagePath(executablePath);
}

json::Json ExternalBenchmarkInstallation::toJson() const { return json::encodeFields(*this, fields); }

ExternalBenchmarkInstallation ExternalBenchmarkInstallation::fromJson(const json::Json& j) {
    return json::decodeFields(j, fields);
}

} // namespace zantiva
