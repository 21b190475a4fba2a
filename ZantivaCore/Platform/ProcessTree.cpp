#include "ToolGuardProgram/ProcessTree.h"

#include <charconv>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>

namespace zantiva::toolguard {
namespace {

namespace fs = std::filesystem;

std::optional<pid_t> number(const std::string& text) {
    pid_t value = 0;
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
        const auto pid = number(it->path().filename().string());
        if (!pid) continue;
        if (const auto parent = parentOf(it->path() / "stat")) children.emplace(*parent, *pid);
    }
    std::vector<pid_t> found;
    std::vector<pid_t> parents{ancestor};
    for (std::size_t next = 0; next < parents.size(); ++next) {
        const auto [first, last] = children.equal_range(parents[next]);
        for (auto child = first; child != last; ++child) {
            found.push_back(child->second);
            parents.push_back(child->second);
        }
    }
    return found;
}

} // namespace zantiva::toolguard
