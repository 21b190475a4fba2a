#include "Platform/ProcessTree.h"

#include <charconv>
#include <fstream>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>

namespace zantiva {
namespace {

namespace fs = std::filesystem;

template <typename Number>
std::optional<Number> number(std::string_view text) {
    Number value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// The parent in "pid (name) state ppid …"; the name may hold blanks and parentheses.
std::optional<pid_t> parentOf(const fs::path& stat) {
    std::ifstream in(stat);
    std::string text;
    if (!std::getline(in, text)) return std::nullopt;
    const auto nameEnd = text.rfind(')');
    if (nameEnd == std::string::npos) return std::nullopt;
    std::istringstream rest(text.substr(nameEnd + 1));
    char state = 0;
    pid_t parent = 0;
    if (!(rest >> state >> parent)) return std::nullopt;
    return parent;
}

} // namespace

std::vector<pid_t> descendantsOf(pid_t ancestor, const fs::path& proc) {
    std::multimap<pid_t, pid_t> children;
    std::error_code ec;
    for (auto it = fs::directory_iterator(proc, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const auto pid = number<pid_t>(it->path().filename().string());
        if (!pid) continue;
        if (const auto parent = parentOf(it->path() / "stat")) children.emplace(*parent, *pid);
    }
    // Links read at different moments may loop (a pid reused meanwhile): each process once.
    std::set<pid_t> seen{ancestor};
    std::vector<pid_t> found;
    std::vector<pid_t> parents{ancestor};
    for (std::size_t next = 0; next < parents.size(); ++next) {
        const auto [first, last] = children.equal_range(parents[next]);
        for (auto child = first; child != last; ++child) {
            if (!seen.insert(child->second).second) continue;
            found.push_back(child->second);
            parents.push_back(child->second);
        }
    }
    return found;
}

std::uint64_t ownMemoryOf(pid_t pid, const fs::path& proc) {
    std::ifstream in(proc / std::to_string(pid) / "status");
    constexpr std::string_view key = "RssAnon:";
    for (std::string line; std::getline(in, line);) {
        if (!line.starts_with(key)) continue;
        std::istringstream fields(line.substr(key.size()));
        std::string amount, unit;
        if (!(fields >> amount >> unit) || unit != "kB") return 0;
        const auto kibibytes = number<std::uint64_t>(amount);
        if (!kibibytes || *kibibytes > std::numeric_limits<std::uint64_t>::max() / 1024) return 0;
        return *kibibytes * 1024;
    }
    return 0;
}

} // namespace zantiva
