#pragma once

namespace zantiva {

// Root started with a user's HOME, TMPDIR or XDG folders (sudo -E, a sudoers that keeps HOME, su
// without "-") would have the libraries the program calls, and the programs it starts, make
// root's folders in that user's folders, which the user's own programs then can't use: Qt's file
// dialog keeps its state in the configuration folder, GStreamer its registry in the cache
// folder, the web engine its certificate store in the home; PulseAudio's library would take over
// the user's runtime folder. So before anything reads them, each folder variable is judged by
// the owner of what it names, links followed as the kernel follows them, or, where that isn't
// made yet, of the nearest folder above it that is:
// - HOME, when another user's, unset or relative, becomes this user's home from the password
//   database (without one of this user's own, none or one of another uid, it stays as it is);
// - XDG_CONFIG_HOME, XDG_CACHE_HOME, XDG_DATA_HOME and XDG_STATE_HOME, when another user's, become
//   their folders in that home; relative ones, which the XDG rules say to ignore and some
//   libraries would take from the working folder, are removed, so that the home's own serve;
// - a TMPDIR (and PulseAudio's TMP, TEMP, TEMPDIR) that is another user's, relative, or no
//   folder at all is removed: /tmp serves, as without it (Qt would otherwise make its stand-in
//   runtime folder there, or at the file system's root for a TMPDIR that doesn't exist);
// - every other variable naming a place of another user's, a configuration file included, is
//   removed, save those only read or connected through while what they name is open to this
//   user (leaveOutOthersPlaces), so that the library goes where it goes without it.
// Root's folders are the system's, and stay. Each change is logged and said on standard error.
void keepFolderVariablesOwn();

} // namespace zantiva
