// Folder rules shared by the file browser widgets, on POSIX paths.
#pragma once

#include <QString>
#include <optional>
#include <string>

// True for a path that names an existing directory, or a network path ("//host/share").
bool IsFolderPath(const std::string& path);

// The user's desktop folder (XDG), or the home folder when there is none.
QString DesktopFolder();

// The user's pictures folder (XDG), or the home folder when it is not there.
QString PicturesFolder();

// The folder one level up; "/" stays "/".
QString ParentFolder(const QString& folder);

// folder itself when it exists, otherwise its nearest existing ancestor, "/" at worst. A
// relative or empty path gives the home folder.
QString ExistingFolder(const QString& folder);

// The folder a user typed while in current: blanks around it dropped, "~" for the home
// folder, a relative path taken from current; nothing when no such folder exists.
std::optional<QString> TypedFolder(const QString& text, const QString& current);
