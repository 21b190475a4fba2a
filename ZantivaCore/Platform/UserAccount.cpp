#include "Platform/UserAccount.h"

#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zantiva {

std::optional<std::string> passwordDatabaseHome(uid_t uid) {
    const long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? std::size_t(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_dir)
        return std::nullopt;
    return std::string(found->pw_dir);
}

std::optional<uid_t> othersOwnerOf(const std::string& path) {
    // "/home/u/.cache/" names the folder ".cache": the walk up starts there.
    std::filesystem::path folder = std::filesystem::path(path).lexically_normal();
    if (!folder.has_filename() && folder.has_relative_path()) folder = folder.parent_path();
    struct stat info {};
    while (::stat(folder.c_str(), &info) != 0) {
        if (!folder.has_relative_path()) return std::nullopt;
        folder = folder.parent_path();
    }
    if (info.st_uid == ::geteuid() || info.st_uid == 0) return std::nullopt;
    return info.st_uid;
}

} // namespace zantiva
