#include "Platform/UserAccount.h"

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
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || info.st_uid == ::geteuid() || info.st_uid == 0) return std::nullopt;
    return info.st_uid;
}

} // namespace zantiva
