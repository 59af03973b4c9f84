// Reading one folder for the file list: its subfolders and the files that match a mask.
// Runs on any thread; it touches no widget.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

struct TFileEntry {
  QString name;  // as listed
  QString path;  // absolute path of the entry itself
  // For a symbolic link, the absolute path it points to (possibly missing); else empty.
  QString target;
  bool folder = false;
};

// The wildcards of a semicolon-separated mask ("*.BMP;*.GIF"), blanks trimmed, empty
// parts dropped.
QStringList SplitMask(const QString& mask);

// The entries of folder: every subfolder (links to folders included) and every file or
// symbolic link whose name, or whose target's name, matches one of the wildcards ignoring
// case. Hidden entries, "." and "..", and special files (pipes, sockets, devices) are left
// out. Folders come first, then files, each in name order ignoring case. A folder that
// cannot be read gives no entries.
std::vector<TFileEntry> ReadFolder(const QString& folder, const QStringList& wildcards);
