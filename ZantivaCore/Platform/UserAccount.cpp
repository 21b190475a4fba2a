#include "Platform/UserAccount.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zantiva {
namespace {

// The parts of `path` between slashes, without the empty ones and "." (which name no step);
// ".." stays, as the kernel takes it only once what comes before it is followed.
std::vector<std::string> stepsOf(const std::string& path) {
    std::vector<std::string> steps;
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        if (const std::string step = path.substr(start, end - start); !step.empty() && step != ".") steps.push_back(step);
        start = end + 1;
    }
    return steps;
}

std::string joined(const std::string& start, const std::vector<std::string>& steps, std::size_t count) {
    std::string path = start;
    for (std::size_t i = 0; i < count; ++i) path += (path.back() == '/' ? "" : "/") + steps[i];
    return path;
}

// The real path of the nearest place on the way to `path` that is there: the longest
// beginning of it that the kernel finds, with its links followed. What comes after that isn't
// there yet and so holds no link: a ".." in it goes up as written, and when that leads back
// to what is there, the path so written is followed again.
std::optional<std::string> nearestPlaceThere(std::string path) {
    for (;;) {
        const std::vector<std::string> steps = stepsOf(path);
        const std::string start = !path.empty() && path.front() == '/' ? "/" : ".";
        std::size_t there = steps.size();
        struct stat info {};
        while (::stat(joined(start, steps, there).c_str(), &info) != 0) {
            if (there == 0) return std::nullopt;
            --there;
        }
        char* real = ::realpath(joined(start, steps, there).c_str(), nullptr);
        if (!real) return std::nullopt;
        std::filesystem::path place(real);
        std::free(real);
        std::vector<std::string> notThere;
        bool wentUp = false;
        for (std::size_t i = there; i < steps.size(); ++i) {
            if (steps[i] != "..") {
                notThere.push_back(steps[i]);
                continue;
            }
            wentUp = true;
            if (!notThere.empty())
                notThere.pop_back();
            else
                place = place.parent_path();
        }
        if (!wentUp) return place.string();
        path = joined(place.string(), notThere, notThere.size());
    }
}

} // namespace

std::optional<std::string> passwordDatabaseHome(uid_t uid) {
    const long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? std::size_t(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_dir)
        return std::nullopt;
    return std::string(found->pw_dir);
}

std::optional<OthersPlace> othersPlaceOf(const std::string& path) {
    const auto place = nearestPlaceThere(path);
    struct stat info {};
    if (!place || ::stat(place->c_str(), &info) != 0) return std::nullopt;
    if (info.st_uid == ::geteuid() || info.st_uid == 0) return std::nullopt;
    struct stat named {};
    return OthersPlace{info.st_uid, ::stat(path.c_str(), &named) == 0};
}

std::optional<uid_t> othersOwnerOf(const std::string& path) {
    const auto place = othersPlaceOf(path);
    return place ? std::optional<uid_t>(place->owner) : std::nullopt;
}

std::string whoseWords(const OthersPlace& place) {
    return (place.there ? "belongs to user " : "is in a folder of user ") + std::to_string(place.owner);
}

} // namespace zantiva
