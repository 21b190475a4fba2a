#pragma once

#include <filesystem>
#include <optional>

#include "Localization/LocalizedMessage.h"

namespace zantiva {

// The app's data folder for this run, or what the user is told when there is none.
struct AppFolder {
    std::optional<std::filesystem::path> path;
    // Why nothing is read or stored in this run, for the window's status line at start and
    // the command line's modes that store: the home folder is another user's, or the folder
    // is refused (a link, someone else's, on a file system that can't keep others out …),
    // with the path and what to do. Absent when there is a folder, or no home folder at all.
    std::optional<LocalizedMessage> notice;
};

// The app's data folder for this run (AppPaths::applicationSupport), closed to other users
// before anything reads it: the folder 0700 and the files the program keeps 0600, which
// also tightens what an older version left open; the CSV export keeps the mode the user's
// umask gave it. A folder not made yet is made at the first save, when it could be made
// then. No path when there is no home folder (or only another user's), or when the folder
// is refused: then nothing is read or stored, and the log says why.
AppFolder openAppFolderWithNotice();

// The path alone.
std::optional<std::filesystem::path> openAppFolder();

} // namespace zantiva
