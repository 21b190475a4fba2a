#pragma once

namespace zantiva {

// Root started with a user's HOME or TMPDIR (sudo -E, a sudoers that keeps HOME) would have the
// libraries the program calls, and the programs it starts, make root's folders in that user's
// folders, which the user's own programs then can't use. Before anything reads them:
// - a TMPDIR that names another user's folder is removed: /tmp serves, as without it (Qt makes
//   its runtime-<user> folder there when there is no XDG_RUNTIME_DIR);
// - with a HOME of another user's, XDG_CACHE_HOME, unless it names a folder that is not another
//   user's, is set to the cache folder in this user's own home from the password database, as
//   at this user's login (GStreamer keeps its registry there, which Qt Multimedia fills, and
//   GLib, without XDG_RUNTIME_DIR, its runtime folder).
// Root's folders are the system's, and stay. Each change is logged.
void keepFolderVariablesOwn();

} // namespace zantiva
