#include "Platform/ProcessStat.h"

#include <limits>
#include <system_error>

#include "Platform/DescriptorIO.h"
#include "Platform/KernelFile.h"
#include "Platform/ProcTable.h"
#include "Platform/WholeNumber.h"

namespace zantiva {

namespace fs = std::filesystem;

namespace {

// A stat line is a short name and some fifty numbers: far below this.
constexpr std::size_t statFileLimit = 4096;

} // namespace

std::optional<ProcessStat> parseProcessStat(std::string_view line) {
    // The name may hold blanks and parentheses: it runs from the first '(' to the last ')'.
    const auto open = line.find('('), close = line.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) return std::nullopt;
    const auto pid = parseProcessId(ProcLine(line.substr(0, open)).name());
    ProcLine rest(line.substr(close + 1));
    const auto state = rest.name();
    const auto parent = parseProcessId(rest.nextWord());
    const auto group = parseProcessId(rest.nextWord());
    if (!pid || state.size() != 1 || !parent || !group) return std::nullopt;
    return ProcessStat{*pid, std::string(line.substr(open + 1, close - open - 1)), state.front(), *parent, *group};
}

std::optional<pid_t> parseProcessId(std::string_view text) {
    const auto value = parseInteger(text);
    if (!value || *value < 0 || *value > std::numeric_limits<pid_t>::max()) return std::nullopt;
    return static_cast<pid_t>(*value);
}

std::optional<ProcessStat> readProcessStat(int statFile, pid_t pid) {
    // Read whole, not to the first line break: a process may put one in its own name.
    auto text = readUpTo(statFile, statFileLimit);
    if (!text) return std::nullopt;
    if (text->ends_with('\n')) text->pop_back();
    auto stat = parseProcessStat(*text);
    if (!stat || stat->pid != pid) return std::nullopt;
    return stat;
}

std::optional<ProcessStat> processStatOf(pid_t pid, const fs::path& proc) {
    const FileDescriptor fd = openKernelFile(proc / std::to_string(pid) / "stat");
    if (!fd.valid()) return std::nullopt;
    return readProcessStat(fd.get(), pid);
}

std::vector<ProcessStat> allProcessStats(const fs::path& proc) {
    std::vector<ProcessStat> stats;
    std::error_code ec;
    for (auto it = fs::directory_iterator(proc, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const auto pid = parseProcessId(it->path().filename().string());
        if (!pid) continue;
        if (auto stat = processStatOf(*pid, proc)) stats.push_back(std::move(*stat));
    }
    return stats;
}

} // namespace zantiva
