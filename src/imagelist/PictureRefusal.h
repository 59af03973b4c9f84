// Whether a file named from outside the program (the command line, a file manager's "Open
// With") can join the list as a picture: it must be a file, of a format the program reads
// (by its extension, as the Add dialog offers them), with a name the configuration can keep.
#pragma once

#include <QString>
#include <string>
#include <vector>

// Why the file at path cannot join the list; empty when it can.
std::string PictureRefusal(const std::string& path);

struct TOpenedFiles {
  std::vector<std::string> pictures;
  // The text of the one box that names the other files and why; empty when there are none.
  QString refusedText;
};
// The pictures among files opened from outside, in their order, and the others named.
TOpenedFiles SortOpenedFiles(const std::vector<std::string>& files);
