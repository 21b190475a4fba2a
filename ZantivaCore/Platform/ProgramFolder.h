#pragma once

#include <filesystem>
#include <string_view>

namespace zantiva {

// The running program's folder, as the file system's bytes; empty when it can't be read.
std::filesystem::path thisProgramFolder();

// A program of ours installed beside the running one: `name` in the running program's folder.
std::filesystem::path besideThisProgram(std::string_view name);

} // namespace zantiva
