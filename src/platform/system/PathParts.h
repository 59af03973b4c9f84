// The parts of a POSIX path, taken as text: no file system is asked.
#pragma once

#include <string>

// The text after the last "/", the whole path when it has none.
std::string FileNamePart(const std::string& path);

// The folder part of a file name: the text before its last "/" ("/" for a file in the
// root), empty for a name without "/".
std::string FolderOf(const std::string& fileName);
