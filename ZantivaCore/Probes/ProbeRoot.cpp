#include "Probes/ProbeRoot.h"

#include <algorithm>
#include <limits>
#include <system_error>

#include "Model/SpecText.h"
#include "Platform/AsciiText.h"
#include "Platform/KernelFile.h"
#include "Platform/ProcTable.h"
#include "Platform/WholeNumber.h"

namespace zantiva {

namespace fs = std::filesystem;

bool ProbeRoot::isSystemRoot() const {
    std::error_code ec;
    return fs::equivalent(root_, "/", ec);
}

fs::path ProbeRoot::at(const fs::path& systemPath) const {
    return root_ / systemPath.relative_path();
}

std::optional<std::string> ProbeRoot::bytes(const fs::path& systemPath, std::size_t maxBytes) const {
    // A sysfs attribute that refuses to be read gives an error without bytes: absent too.
    return readKernelFile(at(systemPath), maxBytes);
}

std::optional<std::string> ProbeRoot::text(const fs::path& systemPath) const {
    auto raw = bytes(systemPath, 256 * 1024);
    if (!raw) return std::nullopt;
    auto t = std::string(specText::trimmed(*raw));
    if (t.empty()) return std::nullopt;
    return t;
}

std::optional<std::int64_t> ProbeRoot::integer(const fs::path& systemPath) const {
    auto t = text(systemPath);
    return t ? parseInteger(*t) : std::nullopt;
}

std::optional<std::uint64_t> ProbeRoot::tableNumber(const fs::path& systemPath, std::string_view row) const {
    return rowNumber(bytes(systemPath).value_or(""), row);
}

bool ProbeRoot::exists(const fs::path& systemPath) const {
    std::error_code ec;
    return fs::exists(at(systemPath), ec);
}

Listed<std::string> ProbeRoot::listing(const fs::path& systemPath) const {
    Listed<std::string> listed;
    std::error_code ec;
    for (fs::directory_iterator it(at(systemPath), ec), end; !ec && it != end; it.increment(ec))
        listed.items.push_back(it->path().filename().string());
    if (ec && ec != std::errc::no_such_file_or_directory) return {.items = {}, .error = ec.value()};
    std::sort(listed.items.begin(), listed.items.end(), naturalLess);
    return listed;
}

fs::path ProbeRoot::resolved(const fs::path& systemPath) const {
    std::error_code ec;
    const fs::path real = fs::weakly_canonical(at(systemPath), ec);
    if (ec) return systemPath;
    const fs::path base = fs::weakly_canonical(root_, ec);
    if (ec) return systemPath;
    const fs::path inside = real.lexically_relative(base);
    if (inside.empty() || *inside.begin() == "..") return systemPath;
    return fs::path("/") / inside;
}

bool naturalLess(const std::string& a, const std::string& b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool da = ascii::isDigit(a[i]);
        const bool db = ascii::isDigit(b[j]);
        if (da && db) {
            std::size_t ei = i, ej = j;
            while (ei < a.size() && ascii::isDigit(a[ei])) ++ei;
            while (ej < b.size() && ascii::isDigit(b[ej])) ++ej;
            // Compare as numbers without overflow: strip leading zeros, then length, then digits.
            auto strip = [](const std::string& s, std::size_t from, std::size_t to) {
                while (from + 1 < to && s[from] == '0') ++from;
                return s.substr(from, to - from);
            };
            const auto na = strip(a, i, ei), nb = strip(b, j, ej);
            if (na.size() != nb.size()) return na.size() < nb.size();
            if (na != nb) return na < nb;
            i = ei;
            j = ej;
        } else {
            if (a[i] != b[j]) return a[i] < b[j];
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

std::optional<int> numberAfter(std::string_view name, std::string_view prefix) {
    if (name.size() <= prefix.size() || !name.starts_with(prefix)) return std::nullopt;
    auto n = parseInteger(name.substr(prefix.size()));
    if (!n || *n < 0 || *n > std::numeric_limits<int>::max() || name[prefix.size()] == '+' ||
        name[prefix.size()] == '-')
        return std::nullopt;
    return static_cast<int>(*n);
}

} // namespace zantiva
