#include "Platform/FolderVariables.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "Platform/Log.h"
#include "Platform/PlaceVariables.h"
#include "Platform/UserAccount.h"

namespace zantiva {
namespace {

constexpr char logCategory[] = "folders";

struct XdgFolder {
    const char* variable;
    const char* inHome; // where the XDG rules put it without the variable
};

constexpr XdgFolder xdgFolders[] = {
    {"XDG_CONFIG_HOME", "/.config"},
    {"XDG_CACHE_HOME", "/.cache"},
    {"XDG_DATA_HOME", "/.local/share"},
    {"XDG_STATE_HOME", "/.local/state"},
};

// TMPDIR, and the names PulseAudio's library also takes the temporary folder from.
constexpr const char* temporaryFolders[] = {"TMPDIR", "TMP", "TEMP", "TEMPDIR"};

std::optional<std::string> variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

bool isAbsolute(const std::string& path) { return !path.empty() && path.front() == '/'; }

// Why the folder that `value` names may not be used, if it may not.
std::optional<std::string> whyNotOwn(const std::string& value) {
    if (!isAbsolute(value)) return "is not an absolute path";
    if (const auto owner = othersOwnerOf(value)) return "is in a folder of user " + std::to_string(*owner);
    return std::nullopt;
}

void leaveUnusableTemporaryFolder(const char* name) {
    const auto folder = variable(name);
    if (!folder || folder->empty()) return;
    auto why = whyNotOwn(*folder);
    struct stat info {};
    if (!why && (::stat(folder->c_str(), &info) != 0 || !S_ISDIR(info.st_mode))) why = "is no folder";
    if (!why) return;
    log::notice(logCategory, std::string(name) + " " + *folder + " " + *why + ": nothing is made there; /tmp serves instead");
    ::unsetenv(name);
}

void leaveOutPlaceOfAnotherUser(const PlaceVariable& place) {
    const auto value = variable(place.name);
    if (!value || value->empty()) return;
    const auto owner = othersOwnerOf(*value);
    if (!owner) return;
    log::notice(logCategory, std::string(place.name) + " " + *value + " is in a folder of user " + std::to_string(*owner) +
                                 ": taken out of the environment, so " + place.spared);
    ::unsetenv(place.name);
}

// This user's own home from the password database, when it gives an absolute one.
std::optional<std::string> ownHome() {
    auto home = passwordDatabaseHome(::geteuid());
    if (!home || !isAbsolute(*home)) return std::nullopt;
    while (home->size() > 1 && home->back() == '/') home->pop_back();
    return home;
}

void keepHomeOwn(const std::optional<std::string>& own) {
    const auto home = variable("HOME");
    const auto why = !home ? std::optional<std::string>("is unset") : whyNotOwn(*home);
    if (!why || !own) return;
    log::notice(logCategory, "HOME " + home.value_or("") + (home ? " " : "") + *why + ": " + *own + " serves instead");
    ::setenv("HOME", own->c_str(), 1);
}

void keepXdgFolderOwn(const XdgFolder& kind, const std::optional<std::string>& own) {
    const auto folder = variable(kind.variable);
    if (!folder || folder->empty()) return;
    const auto why = whyNotOwn(*folder);
    if (!why) return;
    if (isAbsolute(*folder) && own) {
        const std::string instead = (*own == "/" ? "" : *own) + kind.inHome;
        log::notice(logCategory, std::string(kind.variable) + " " + *folder + " " + *why + ": " + instead + " serves instead");
        ::setenv(kind.variable, instead.c_str(), 1);
        return;
    }
    log::notice(logCategory, std::string(kind.variable) + " " + *folder + " " + *why + ": the home's own serves instead");
    ::unsetenv(kind.variable);
}

} // namespace

void keepFolderVariablesOwn() {
    for (const char* name : temporaryFolders) leaveUnusableTemporaryFolder(name);
    const auto own = ownHome();
    keepHomeOwn(own);
    for (const XdgFolder& kind : xdgFolders) keepXdgFolderOwn(kind, own);
    for (const PlaceVariable& place : placeVariables()) leaveOutPlaceOfAnotherUser(place);
}

} // namespace zantiva
