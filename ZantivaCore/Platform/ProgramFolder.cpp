#include "Platform/ProgramFolder.h"

namespace zantiva {

std::filesystem::path besideThisProgram(std::string_view name) {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return (error ? std::filesystem::path() : self.parent_path()) / name;
}

} // namespace zantiva
