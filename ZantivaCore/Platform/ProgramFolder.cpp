#include "Platform/ProgramFolder.h"

namespace zantiva {

std::filesystem::path thisProgramFolder() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : self.parent_path();
}

std::filesystem::path besideThisProgram(std::string_view name) { return thisProgramFolder() / name; }

} // namespace zantiva
