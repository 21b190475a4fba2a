#include "Platform/FolderVariables.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#include "Platform/Log.h"
#include "Platform/OthersPlaces.h"
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

// The variables judged here, which the judgement of the others leaves as they are.
constexpr std::string_view folderVariables[] = {"HOME",    "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME",
                                                "XDG_STATE_HOME", "TMPDIR", "TMP", "TEMP", "TEMPDIR"};

std::optional<std::string> variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

bool isAbsolute(const std::string& path) { return !path.empty() && path.front() == '/'; }

// Why the folder that `value` names may not be used, if it may not.
std::optional<std::string> whyNotOwn(const std::string& value) {
    if (!isAbsolute(value)) return "is not an absolute path";
    if (const auto place = othersPlaceOf(value)) return whoseWords(*place);
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

// This user's own home from the password database, when it gives an absolute one that is not
// another user's (a home restored with its old owner).
std::optional<std::string> ownHome() {
    auto home = passwordDatabaseHome(::geteuid());
    if (!home || !isAbsolute(*home) || othersOwnerOf(*home)) return std::nullopt;
    while (home->size() > 1 && home->back() == '/') home->pop_back();
    return home;
}

void keepHomeOwn(const std::optional<std::string>& own) {
    const auto home = variable("HOME");
    const auto why = !home ? std::optional<std::string>("is unset") : whyNotOwn(*home);
    if (!why) return;
    if (!own) {
        if (home && isAbsolute(*home))
            log::notice(logCategory, "HOME " + *home + " " + *why +
                                         ", and the password database gives this user no home of their own: it stays, "
                                         "and the program stores nothing there");
        return;
    }
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
    const char* instead = isAbsolute(*folder) ? "taken out of the environment; this user has no home of their own to serve instead"
                                              : "the home's own serves instead";
    log::notice(logCategory, std::string(kind.variable) + " " + *folder + " " + *why + ": " + instead);
    ::unsetenv(kind.variable);
}

} // namespace

void keepFolderVariablesOwn() {
    for (const char* name : temporaryFolders) leaveUnusableTemporaryFolder(name);
    const auto own = ownHome();
    keepHomeOwn(own);
    for (const XdgFolder& kind : xdgFolders) keepXdgFolderOwn(kind, own);
    leaveOutOthersPlaces(folderVariables);
}

} // namespace zantiva
