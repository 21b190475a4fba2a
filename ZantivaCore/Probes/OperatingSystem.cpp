#include "Probes/OperatingSystem.h"

#include <map>
#include <sstream>
#include <sys/utsname.h>

#include "Model/SpecText.h"
#include "Model/SystemSpecs.h"

namespace zantiva {

namespace {

std::map<std::string, std::string> osRelease(const ProbeRoot& root) {
    std::map<std::string, std::string> fields;
    auto text = root.bytes("/etc/os-release");
    if (!text) text = root.bytes("/usr/lib/os-release");
    std::istringstream in(text.value_or(""));
    for (std::string line; std::getline(in, line);) {
        const auto eq = line.find('=');
        if (eq == std::string::npos || line[0] == '#') continue;
        std::string value = std::string(specText::trimmed(line.substr(eq + 1)));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        fields[std::string(specText::trimmed(line.substr(0, eq)))] = value;
    }
    return fields;
}


// uname answers for the running system only, never for another root.
std::optional<std::string> kernelField(const ProbeRoot& root, const char* procFile, bool machine) {
    if (auto text = root.text(std::string("/proc/sys/kernel/") + procFile)) return text;
    if (!root.isSystemRoot()) return std::nullopt;
    utsname u{};
    if (::uname(&u) != 0) return std::nullopt;
    std::string value = machine ? u.machine : u.release;
    if (value.empty()) return std::nullopt;
    return value;
}

} // namespace

std::string operatingSystemName(const ProbeRoot& root) {
    auto fields = osRelease(root);
    std::string name = fields["PRETTY_NAME"];
    if (name.empty()) name = std::string(specText::trimmed(fields["NAME"] + " " + fields["VERSION_ID"]));
    auto kernel = kernelField(root, "osrelease", false);
    if (name.empty()) return kernel ? "Linux " + *kernel : SystemSpecs::unknown;
    return kernel ? name + " (Linux " + *kernel + ")" : name;
}

std::optional<std::string> kernelArchitecture(const ProbeRoot& root) {
    return kernelField(root, "arch", true);
}

} // namespace zantiva
