#include "External/DiskImageMounting.h"

#include "Platform/AsciiText.h"

namespace zantiva {

bool isDiskImagePath(const std::filesystem::path& path) {
    const std::string extension = ascii::lowered(path.extension().string());
    return extension == ".iso" || extension == ".img" || extension == ".squashfs";
}

} // namespace zantiva
