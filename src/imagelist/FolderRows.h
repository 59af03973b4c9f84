// What the Folders page shows of the watched folders: a row a folder (its name, whether its
// subfolders count, its state, its pictures once listed) and the line under the list that
// counts the names passed over.
#pragma once

#include <string>
#include <vector>

#include "imagelist/WatchedFolders.h"

struct TFolderRow {
  std::string folder;
  bool subfolders = false;
  std::string state;
  // Empty until the folder has been listed.
  std::string pictures;
};

std::vector<TFolderRow> FolderRows(const std::vector<TWatchedFolder>& folders);

// Empty when no name was passed over.
std::string SkippedNamesText(const std::vector<TWatchedFolder>& folders);
