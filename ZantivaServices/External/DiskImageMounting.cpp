#include "External/DiskImageMounting.h"

#include "External/ToolOutputText.h"

namespace zantiva {

bool isDiskImagePath(const std::filesystem::path& path) {
    const std::string extension = tooltext::lowercased(path.extension().string());
    return extension == ".iso" || extension == ".img" || extension == ".squashfs";
}

} // namespace zantiva
