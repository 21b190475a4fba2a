#include "External/ExternalBenchmarkLocator.h"

#include <algorithm>

#include "Model/AppPaths.h"
#include "Platform/AsciiText.h"

namespace zantiva::ExternalBenchmarkLocator {
namespace {

namespace fs = std::filesystem;
using ascii::lowered;

bool isDirectory(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

// The entries of a folder in name order; empty when it can't be read.
std::vector<fs::path> entries(const fs::path& folder) {
    std::vector<fs::path> out;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) out.push_back(it->path());
    std::sort(out.begin(), out.end());
    return out;
}

std::string fileName(const fs::path& path) {
    const fs::path clean = path.has_filename() ? path : path.parent_path();
    return clean.filename().string();
}

bool startsWithGeekbench(const std::string& name) { return lowered(name).starts_with("geekbench"); }

constexpr std::string_view digits = "0123456789";

// The end of the run of digits starting at `at`.
std::size_t digitsEnd(std::string_view text, std::size_t at) {
    return std::min(text.find_first_not_of(digits, at), text.size());
}

// "geekbench" or "geekbench" followed by digits ("geekbench6").
bool isGeekbenchLauncherName(const std::string& name) {
    const std::string lower = lowered(name);
    return lower.starts_with("geekbench") && digitsEnd(lower, 9) == lower.size();
}

// The numbers of a dotted version as digits without leading zeros, so that numbers of any
// length compare by value (a name may carry more digits than any integer holds).
std::vector<std::string_view> versionParts(std::string_view version) {
    std::vector<std::string_view> parts;
    for (auto at = version.find_first_of(digits); at != std::string_view::npos;) {
        const std::size_t end = digitsEnd(version, at);
        std::string_view number = version.substr(at, end - at);
        number.remove_prefix(std::min(number.find_first_not_of('0'), number.size() - 1));
        parts.push_back(number);
        at = version.find_first_of(digits, end);
    }
    return parts;
}

// Versions compared number by number, so "6.10" is above "6.9".
bool isHigherVersion(std::string_view version, std::string_view than) {
    const auto a = versionParts(version), b = versionParts(than);
    return std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), [](std::string_view x, std::string_view y) {
        return x.size() != y.size() ? x.size() < y.size() : x < y;
    });
}

// The first dotted number after the name's "geekbench" ("Geekbench-6.3.0-Linux" gives 6.3.0).
std::optional<std::string> versionAfterGeekbench(const std::string& name) {
    const std::string lower = lowered(name);
    const auto word = lower.find("geekbench");
    if (word == std::string::npos) return std::nullopt;
    const auto start = lower.find_first_of(digits, word + 9);
    if (start == std::string::npos) return std::nullopt;
    std::size_t end = digitsEnd(lower, start);
    while (end + 1 < lower.size() && lower[end] == '.' && digitsEnd(lower, end + 1) > end + 1)
        end = digitsEnd(lower, end + 1);
    return lower.substr(start, end - start);
}

// The launcher directly inside a folder; the highest-numbered one when there are several.
std::optional<fs::path> geekbenchLauncher(const fs::path& folder) {
    std::optional<fs::path> best;
    for (const fs::path& entry : entries(folder)) {
        const std::string name = entry.filename().string();
        if (!isGeekbenchLauncherName(name) || !isExecutableFile(entry)) continue;
        if (!best || isHigherVersion(name, best->filename().string())) best = entry;
    }
    return best;
}

// The folder's version, else the image's, else the launcher's number.
std::optional<std::string> geekbenchVersion(const std::vector<std::string>& names, const fs::path& launcher) {
    for (const std::string& name : names)
        if (auto version = versionAfterGeekbench(name)) return version;
    return versionAfterGeekbench(launcher.filename().string());
}

// The first year "20nn" standing on its own in a name ("Cinebench2024" and "cb-2026" count).
std::optional<std::string> yearIn(const std::string& name) {
    for (auto at = name.find_first_of(digits); at != std::string::npos;) {
        const std::size_t end = digitsEnd(name, at);
        if (end - at == 4 && name.compare(at, 2, "20") == 0) return name.substr(at, 4);
        at = name.find_first_of(digits, end);
    }
    return std::nullopt;
}

bool mentionsCinebench(const std::string& name) { return lowered(name).find("cinebench") != std::string::npos; }

// The names a program's identity is read from: its own, then its two nearest folders
// (farther folders, such as the user's home, say nothing about the program).
std::vector<std::string> namesUpward(const fs::path& program, const fs::path& stopAt = {}) {
    std::vector<std::string> names;
    for (fs::path p = program; names.size() < 3 && !p.empty() && p != stopAt && p != p.root_path(); p = p.parent_path())
        names.push_back(p.filename().string());
    return names;
}

std::optional<std::string> firstYear(const std::vector<std::string>& names) {
    for (const std::string& name : names)
        if (auto year = yearIn(name)) return year;
    return std::nullopt;
}

ExternalBenchmarkInstallation resolveGeekbench(const fs::path& chosen) {
    if (isDirectory(chosen)) {
        const std::string name = fileName(chosen);
        if (auto launcher = geekbenchLauncher(chosen))
            return {ExternalBenchmarkApp::geekbench, chosen.string(), launcher->string(),
                    geekbenchVersion({name}, *launcher), std::nullopt};
        if (startsWithGeekbench(name)) throw ExternalBenchmarkLocatorError::noCommandLineTool(name);
        throw ExternalBenchmarkLocatorError::notThisApp(name, ExternalBenchmarkApp::geekbench);
    }
    if (!isExecutableFile(chosen)) throw ExternalBenchmarkLocatorError::notExecutable(chosen.string());
    if (!isGeekbenchLauncherName(chosen.filename().string()))
        throw ExternalBenchmarkLocatorError::notThisApp(chosen.filename().string(), ExternalBenchmarkApp::geekbench);
    const fs::path folder = chosen.parent_path();
    return {ExternalBenchmarkApp::geekbench, folder.string(), chosen.string(),
            geekbenchVersion({folder.filename().string()}, chosen), std::nullopt};
}

ExternalBenchmarkInstallation resolveCinebenchProgram(const fs::path& program, ExternalBenchmarkApp app) {
    if (!isExecutableFile(program)) throw ExternalBenchmarkLocatorError::notExecutable(program.string());
    const std::vector<std::string> names = namesUpward(program);
    if (std::none_of(names.begin(), names.end(), mentionsCinebench))
        throw ExternalBenchmarkLocatorError::notThisApp(program.filename().string(), app);
    const std::optional<std::string> year = firstYear(names);
    if (year && *year != cinebenchYear(app)) throw ExternalBenchmarkLocatorError::wrongVersion(*year, app);
    return {app, std::nullopt, program.string(), year, std::nullopt};
}

ExternalBenchmarkInstallation resolveCinebench(const fs::path& chosen, ExternalBenchmarkApp app) {
    if (!isDirectory(chosen)) return resolveCinebenchProgram(chosen, app);
    for (const fs::path& entry : entries(chosen))
        if (mentionsCinebench(entry.filename().string()) && isExecutableFile(entry))
            return resolveCinebenchProgram(entry, app);
    throw ExternalBenchmarkLocatorError::notThisApp(fileName(chosen), app);
}

// The volume's top folder and the folders directly inside it.
std::vector<fs::path> volumeFolders(const fs::path& mountPoint) {
    std::vector<fs::path> folders{mountPoint};
    for (const fs::path& entry : entries(mountPoint))
        if (isDirectory(entry)) folders.push_back(entry);
    return folders;
}

std::optional<ExternalBenchmarkInstallation> geekbenchOnVolume(const fs::path& mountPoint, const fs::path& image) {
    for (const fs::path& folder : volumeFolders(mountPoint)) {
        auto launcher = geekbenchLauncher(folder);
        if (!launcher) continue;
        const bool atTop = folder == mountPoint;
        std::vector<std::string> names;
        if (!atTop) names.push_back(folder.filename().string());
        names.push_back(image.filename().string());
        ExternalBenchmarkInstallation found{ExternalBenchmarkApp::geekbench, std::nullopt,
                                            launcher->lexically_relative(mountPoint).string(),
                                            geekbenchVersion(names, *launcher), std::nullopt};
        if (!atTop) found.bundlePath = folder.lexically_relative(mountPoint).string();
        return found;
    }
    return std::nullopt;
}

std::optional<ExternalBenchmarkInstallation> cinebenchOnVolume(const fs::path& mountPoint, const fs::path& image,
                                                               ExternalBenchmarkApp app) {
    for (const fs::path& folder : volumeFolders(mountPoint)) {
        for (const fs::path& entry : entries(folder)) {
            if (!isExecutableFile(entry)) continue;
            std::vector<std::string> names = namesUpward(entry, mountPoint);
            names.push_back(image.filename().string());
            if (std::none_of(names.begin(), names.end(), mentionsCinebench)) continue;
            const std::optional<std::string> year = firstYear(names);
            if (year && *year != cinebenchYear(app)) continue;
            return ExternalBenchmarkInstallation{app, std::nullopt, entry.lexically_relative(mountPoint).string(), year,
                                                 std::nullopt};
        }
    }
    return std::nullopt;
}

} // namespace

std::vector<fs::path> searchDirectories(const std::optional<fs::path>& home) {
    std::vector<fs::path> folders{"/opt"};
    if (home) folders.push_back(*home / "Applications");
    return folders;
}

std::vector<fs::path> defaultSearchDirectories() { return searchDirectories(AppPaths::homeFolder()); }

std::map<ExternalBenchmarkApp, ExternalBenchmarkInstallation> discover(std::span<const fs::path> folders) {
    std::optional<ExternalBenchmarkInstallation> best;
    for (const fs::path& folder : folders) {
        for (const fs::path& entry : entries(folder)) {
            if (!startsWithGeekbench(entry.filename().string()) || !isDirectory(entry)) continue;
            auto launcher = geekbenchLauncher(entry);
            if (!launcher) continue;
            ExternalBenchmarkInstallation found{ExternalBenchmarkApp::geekbench, entry.string(), launcher->string(),
                                                geekbenchVersion({entry.filename().string()}, *launcher), std::nullopt};
            if (!best || isHigherVersion(found.version.value_or(""), best->version.value_or("")))
                best = std::move(found);
        }
    }
    std::map<ExternalBenchmarkApp, ExternalBenchmarkInstallation> out;
    if (best) out.emplace(ExternalBenchmarkApp::geekbench, std::move(*best));
    return out;
}

ExternalBenchmarkInstallation resolve(const fs::path& chosen, ExternalBenchmarkApp app) {
    std::error_code ec;
    if (!fs::exists(chosen, ec)) throw ExternalBenchmarkLocatorError::notExecutable(chosen.string());
    const fs::path absolute = fs::absolute(chosen, ec).lexically_normal();
    return app == ExternalBenchmarkApp::geekbench ? resolveGeekbench(absolute) : resolveCinebench(absolute, app);
}

ExternalBenchmarkInstallation resolveOnMountedImage(const fs::path& mountPoint, const fs::path& image,
                                                    ExternalBenchmarkApp app) {
    std::optional<ExternalBenchmarkInstallation> found =
        app == ExternalBenchmarkApp::geekbench ? geekbenchOnVolume(mountPoint, image) : cinebenchOnVolume(mountPoint, image, app);
    if (!found) throw ExternalBenchmarkLocatorError::notOnDiskImage(image.filename().string(), app);
    std::error_code ec;
    found->diskImagePath = fs::absolute(image, ec).lexically_normal().string();
    return *found;
}

} // namespace zantiva::ExternalBenchmarkLocator
