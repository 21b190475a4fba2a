#include "App/AppFolder.h"

#include "External/ExternalBenchmarkCSV.h"
#include "Model/AppPaths.h"
#include "Platform/PrivateFolder.h"

namespace zantiva {

std::optional<std::filesystem::path> openAppFolder() {
    const auto folder = AppPaths::applicationSupport();
    std::error_code ec;
    if (!folder || !std::filesystem::exists(std::filesystem::symlink_status(*folder, ec))) return folder;
    const auto opened =
        PrivateFolder::open(*folder, PrivateFolder::IfMissing::refuse, PrivateFolder::IfOpenToOthers::close);
    if (!opened) return std::nullopt;
    opened->closeFiles({ExternalBenchmarkCSV::fileName});
    return folder;
}

} // namespace zantiva
