#include "App/AppFolder.h"

#include <string>
#include <unistd.h>

#include "External/ExternalBenchmarkCSV.h"
#include "Model/AppPaths.h"
#include "Platform/Log.h"
#include "Platform/PrivateFolder.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;

// A link gets words of its own: the folder it points to may well be the user's own (a
// dotfile manager's), and it is still never followed.
AppFolder refused(const fs::path& folder, const std::string& why) {
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(folder, ec))) return {{}, LocalizedMessage("AppFolder.Link", folder.string())};
    return {{}, LocalizedMessage("AppFolder.Refused", folder.string(), why)};
}

// No app folder: said when there is a home folder, but another user's.
AppFolder withoutFolder() {
    const auto home = AppPaths::homeFolder();
    const auto owner = AppPaths::othersHomeOwner();
    if (!home || !owner) return {};
    log::error("folders", "the home folder " + home->string() + " is user " + std::to_string(*owner) +
                              "'s: nothing is stored in this run");
    return {{}, LocalizedMessage("AppFolder.OthersHome", home->string(), std::to_string(*owner),
                                 std::to_string(::geteuid()))};
}

} // namespace

AppFolder openAppFolderWithNotice() {
    const auto folder = AppPaths::applicationSupport();
    if (!folder) return withoutFolder();
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(*folder, ec))) {
        // Made at the first save; one that couldn't be made there is told now.
        if (const auto why = PrivateFolder::refusalOf(*folder)) {
            log::error("folders", "refused " + folder->string() + ": " + *why + "; it is not used");
            return refused(*folder, *why);
        }
        return {folder, std::nullopt};
    }
    std::string why;
    const auto opened =
        PrivateFolder::open(*folder, PrivateFolder::IfMissing::refuse, PrivateFolder::IfOpenToOthers::close, &why);
    if (!opened) return refused(*folder, why);
    opened->closeFiles({ExternalBenchmarkCSV::fileName});
    return {folder, std::nullopt};
}

std::optional<std::filesystem::path> openAppFolder() { return openAppFolderWithNotice().path; }

} // namespace zantiva
