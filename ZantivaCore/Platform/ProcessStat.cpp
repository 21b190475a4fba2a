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

std::optional<ProcessStat> statOfText(std::string text, pid_t pid) {
    if (text.ends_with('\n')) text.pop_back();
    auto stat = parseProcessStat(text);
    if (!stat || stat->pid != pid) return std::nullopt;
    return stat;
}

// `error` says why a stat could not be read.
std::optional<ProcessStat> statOf(pid_t pid, const fs::path& proc, std::error_code& error) {
    auto text = readKernelFile(proc / std::to_string(pid) / "stat", statFileLimit, error);
    if (!text) return std::nullopt;
    return statOfText(std::move(*text), pid);
}

// Another user's process that /proc hides (mounted with hidepid=1, its files refused with
// EPERM): a process this one may not look at is one it may not signal either, so it belongs to
// no tree that this one ends or measures.
bool isProcessHidden(const std::error_code& error) {
    return error == std::errc::operation_not_permitted;
}

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
    return statOfText(std::move(*text), pid);
}

std::optional<ProcessStat> processStatOf(pid_t pid, const fs::path& proc) {
    std::error_code ignored;
    return statOf(pid, proc, ignored);
}

std::optional<std::vector<ProcessStat>> allProcessStats(const fs::path& proc) {
    // The names first, then the folder is closed: a process short of descriptors (the tool
    // guard under the tool's limit) still has one for each stat.
    std::vector<pid_t> pids;
    std::error_code ec;
    for (auto it = fs::directory_iterator(proc, ec); !ec && it != fs::directory_iterator(); it.increment(ec))
        if (const auto pid = parseProcessId(it->path().filename().string())) pids.push_back(*pid);
    if (ec) return std::nullopt;
    std::vector<ProcessStat> stats;
    for (const pid_t pid : pids) {
        std::error_code error;
        if (auto stat = statOf(pid, proc, error))
            stats.push_back(std::move(*stat));
        else if (error && !isProcessGone(error) && !isProcessHidden(error))
            return std::nullopt;
    }
    return stats;
}

} // namespace zantiva
