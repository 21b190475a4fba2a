#pragma once

#include <filesystem>
#include <string_view>

namespace zantiva {

// A program of ours installed beside the running one: `name` in the running program's folder.
std::filesystem::path besideThisProgram(std::string_view name);

} // namespace zantiva
