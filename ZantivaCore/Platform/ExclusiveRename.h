#pragma once

#include <filesystem>
#include <system_error>

namespace zantiva {

// Renames `from` (a file, folder or anything else) to `to` only when nothing is there:
// an existing `to` is never replaced and gives EEXIST. Returns no error once renamed.
std::error_code renameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace zantiva
