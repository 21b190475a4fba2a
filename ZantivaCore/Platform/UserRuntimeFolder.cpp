#include "Platform/UserRuntimeFolder.h"

#include <string>
#include <system_error>
#include <unistd.h>

namespace zantiva {

std::optional<PrivateFolder> userRuntimeFolder(const std::filesystem::path& sessions) {
    if (auto session = PrivateFolder::sessionRuntime()) return session;
    // Only looked at when it is there: most machines without a session have none, which is
    // no refusal worth logging.
    const std::filesystem::path own = sessions / std::to_string(::geteuid());
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(own, error)))
        if (auto folder = PrivateFolder::open(own, PrivateFolder::IfMissing::refuse, PrivateFolder::IfOpenToOthers::refuse))
            return folder;
    return PrivateFolder::perUserTemporary();
}

} // namespace zantiva
