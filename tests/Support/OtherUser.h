#pragma once

// A second local user ("nobody", 65534) for tests of what another user on the same machine
// can do: commands run as that user through setpriv, in a sticky folder open to everyone as
// /tmp is. Tests run as root here; where that can't be done, the reason is returned so that
// the test skips.

#include <chrono>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "Platform/BoundedProcess.h"

namespace zantiva::testing {

inline constexpr uid_t otherUser = 65534;

// Runs `command` as the other user; the reason when it couldn't, none when it succeeded.
inline std::optional<std::string> asOtherUser(const std::vector<std::string>& command) {
    if (::geteuid() != 0) return std::string("acting as another user needs root");
    std::vector<std::string> full{"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"};
    full.insert(full.end(), command.begin(), command.end());
    const auto result = runBoundedProcess(full, std::chrono::seconds(10));
    if (!result) return std::string("setpriv can't be run");
    if (!result->succeeded()) return "as user 65534, " + command.front() + " failed";
    return std::nullopt;
}

// "<folder>/tmp", mode 1777 like /tmp, with `folder` opened for passage to everyone.
inline std::filesystem::path sharedTemporaryIn(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    fs::permissions(folder, fs::perms::others_exec | fs::perms::group_exec, fs::perm_options::add);
    const fs::path shared = folder / "tmp";
    fs::create_directory(shared);
    ::chmod(shared.c_str(), 01777);
    return shared;
}

// What `work` answers when a forked child of this process runs it as the other user; none
// when that can't be done here (not root), and words that say so when the child failed. For
// code that must meet the rights a user really has, which root passes over.
inline std::optional<std::string> answerAsOtherUser(const std::function<std::string()>& work) {
    int ends[2];
    if (::geteuid() != 0 || ::pipe(ends) != 0) return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ends[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(otherUser) != 0 || ::setuid(otherUser) != 0) ::_exit(2);
        std::string answer;
        try {
            answer = work();
        } catch (...) {
            ::_exit(4); // never on into the test runner as the other user
        }
        const bool written = ::write(ends[1], answer.data(), answer.size()) == ssize_t(answer.size());
        ::_exit(written ? 0 : 3);
    }
    ::close(ends[1]);
    std::string answer;
    char buffer[4096];
    for (ssize_t got; child > 0 && (got = ::read(ends[0], buffer, sizeof buffer)) > 0;) answer.append(buffer, std::size_t(got));
    ::close(ends[0]);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::string("(the run as user 65534 failed)");
    return answer;
}

// Everything in `folder`, at any depth, that is not the other user's: what a program run by
// someone else left in a folder of theirs.
inline std::vector<std::string> notTheirsIn(const std::filesystem::path& folder) {
    std::vector<std::string> found;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, ignored)) {
        struct stat info {};
        if (::lstat(entry.path().c_str(), &info) == 0 && info.st_uid != otherUser) found.push_back(entry.path().string());
    }
    return found;
}

// The fresh folders made beside a refused per-user folder (`<its name>-XXXXXX`, for one run
// only) that are still there.
inline std::vector<std::filesystem::path> freshFoldersBeside(const std::filesystem::path& perUser) {
    std::vector<std::filesystem::path> fresh;
    const std::string prefix = perUser.filename().string() + "-";
    for (const auto& entry : std::filesystem::directory_iterator(perUser.parent_path()))
        if (entry.path().filename().string().starts_with(prefix)) fresh.push_back(entry.path());
    return fresh;
}

} // namespace zantiva::testing
