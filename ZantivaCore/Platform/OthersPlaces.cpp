#include "Platform/OthersPlaces.h"

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "Platform/Log.h"
#include "Platform/PathsInValue.h"
#include "Platform/PlaceVariables.h"
#include "Platform/UserAccount.h"

extern char** environ;

namespace zantiva {
namespace {

constexpr char logCategory[] = "folders";

template <typename Entry>
const Entry* entryNamed(std::span<const Entry> table, std::string_view name) {
    const auto found = std::find_if(table.begin(), table.end(), [name](const Entry& entry) { return entry.name == name; });
    return found == table.end() ? nullptr : &*found;
}

// The variables as they are now, copied: judging one changes the environment.
std::vector<std::pair<std::string, std::string>> variablesNow() {
    std::vector<std::pair<std::string, std::string>> variables;
    for (char** entry = environ; entry && *entry; ++entry) {
        const std::string_view text(*entry);
        if (const std::size_t equals = text.find('='); equals != std::string_view::npos && equals > 0)
            variables.emplace_back(text.substr(0, equals), text.substr(equals + 1));
    }
    return variables;
}

struct NamedPlace {
    std::string path;
    OthersPlace place;
};

std::optional<NamedPlace> firstOthersPlace(const std::vector<std::string>& paths) {
    for (const std::string& path : paths)
        if (const auto place = othersPlaceOf(path)) return NamedPlace{path, *place};
    return std::nullopt;
}

// "NAME value" and, where the value holds more than the path, the path.
std::string naming(const std::string& name, const std::string& value, const std::string& path) {
    return name + " " + value + (path == value ? "" : ": " + path);
}

void takeOut(const std::string& name, const std::string& value, const NamedPlace& named, const std::string& why,
             const std::string& after) {
    ::unsetenv(name.c_str());
    log::notice(logCategory, naming(name, value, named.path) + " " + why + ": taken out of the environment" + after);
}

struct Refusal {
    std::string why;
    bool missing = false;     // what a maker would make there
    bool writtenOver = false; // what a maker would write over
};

// Why a place of another user's that a reading or connecting variable names can't stay.
std::optional<Refusal> refusalOf(const NamedPlace& named, const ReachVariable& reach) {
    struct stat info {};
    if (::stat(named.path.c_str(), &info) != 0)
        return Refusal{"is not there, in a folder of user " + std::to_string(named.place.owner), true};
    const std::string whose = whoseWords(named.place);
    const std::string user = std::to_string(::geteuid());
    if (reach.kind == ReachVariable::Kind::socket) {
        if (!S_ISSOCK(info.st_mode)) return Refusal{whose + " and is no socket"};
        if (::faccessat(AT_FDCWD, named.path.c_str(), W_OK, AT_EACCESS) != 0)
            return Refusal{whose + " and can't be reached by user " + user};
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode)) return Refusal{whose + " and is no file"};
    if (::faccessat(AT_FDCWD, named.path.c_str(), R_OK, AT_EACCESS) != 0)
        return Refusal{whose + " and can't be read by user " + user};
    if (info.st_size < reach.leastSize)
        return Refusal{whose + " and holds " + std::to_string(info.st_size) + " bytes, not a whole " + reach.what, false, true};
    return std::nullopt;
}

void judgeReach(const std::string& name, const std::string& value, const ReachVariable& reach) {
    for (const std::string& path : absolutePathsIn(value)) {
        const auto place = othersPlaceOf(path);
        if (!place) continue;
        const NamedPlace named{path, *place};
        const auto refusal = refusalOf(named, reach);
        if (!refusal) continue;
        std::string after;
        if (reach.maker && refusal->missing) after = ", so " + std::string(reach.maker) + " makes no " + reach.what + " there";
        if (reach.maker && refusal->writtenOver) after = ", so " + std::string(reach.maker) + " writes no " + reach.what + " over it";
        takeOut(name, value, named, refusal->why, after + "; the library looks for this user's own " + reach.what + " instead");
        return;
    }
}

// A list of paths loses only its absolute parts of another user's; the rest stays as written.
void judgeList(const std::string& name, const std::vector<std::string>& parts) {
    std::vector<std::string> kept;
    std::string gone;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        if (const auto place = part.starts_with('/') ? othersPlaceOf(part) : std::nullopt) {
            const bool saidBefore = std::find(parts.begin(), parts.begin() + i, part) != parts.begin() + i;
            if (!saidBefore) gone += (gone.empty() ? "" : ", ") + part + " " + whoseWords(*place);
            continue;
        }
        kept.push_back(part);
    }
    if (gone.empty()) return;
    if (kept.empty()) {
        ::unsetenv(name.c_str());
        log::notice(logCategory, name + ": " + gone + ": taken out of the environment, as nothing else was in it");
        return;
    }
    std::string rest;
    for (const std::string& part : kept) rest += (&part == &kept.front() ? "" : ":") + part;
    ::setenv(name.c_str(), rest.c_str(), 1);
    log::notice(logCategory, name + ": " + gone + ": taken out of it, " + rest + " stays");
}

void judgeOther(const std::string& name, const std::string& value) {
    if (const auto parts = pathListParts(value)) return judgeList(name, *parts);
    const PlaceVariable* known = entryNamed(placeVariables(), name);
    auto paths = absolutePathsIn(value);
    if (known && !value.starts_with('/')) paths.push_back(value); // from the working folder
    const auto named = firstOthersPlace(paths);
    if (!named) return;
    const std::string spared = known ? known->spared : "no library the program loads is led there by it";
    takeOut(name, value, *named, whoseWords(named->place), ", so " + spared);
}

} // namespace

void leaveOutOthersPlaces(std::span<const std::string_view> settled) {
    for (const auto& [name, value] : variablesNow()) {
        if (value.empty() || std::find(settled.begin(), settled.end(), name) != settled.end()) continue;
        if (const ReachVariable* reach = entryNamed(reachVariables(), name))
            judgeReach(name, value, *reach);
        else
            judgeOther(name, value);
    }
}

} // namespace zantiva
