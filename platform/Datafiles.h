#pragma once

#include <QString>

// Resolves a data file (a language file) named by a path that may be relative.
// A relative path is taken from the working directory first; a program started
// from a desktop menu has another working directory, so the folder of the
// executable and then the installed data folder are tried next. Returns the
// first path that exists, or the path unchanged when none does.
QString ResolveDataFile(const QString& path);

// The user's folders of the XDG base directories: $XDG_DATA_HOME (default
// ~/.local/share) and $XDG_STATE_HOME (default ~/.local/state), each with the
// program's own folder below.
QString UserDataFolder(const QString& program);
QString UserStateFolder(const QString& program);
