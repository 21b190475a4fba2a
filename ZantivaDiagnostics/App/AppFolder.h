#pragma once

#include <filesystem>
#include <optional>

namespace zantiva {

// The app's data folder for this run (AppPaths::applicationSupport), closed to other users
// before anything reads it: the folder 0700 and the files the program keeps 0600, which
// also tightens what an older version left open; the CSV export keeps the mode the user's
// umask gave it. A folder not made yet is made at the first save. Absent when there is no
// home folder, or when the folder is refused (a link, not a folder, someone else's): then
// nothing is read or stored, and the log says why.
std::optional<std::filesystem::path> openAppFolder();

} // namespace zantiva
