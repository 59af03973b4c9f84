// The watched folders in the configuration file. Section "Folders" holds one line a
// folder, "<folder>=1" when its subfolders count and "<folder>=0" when they do not;
// section "Excluded" one line "<file>=" a picture the user took out of the list while a
// watched folder holds it. Both follow "Bitmaps" and are written only when they have a
// line, so a file without folders keeps its bytes. A folder's pictures are in "Bitmaps"
// like any entry, so the file still reads as a plain list.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "config/BigIni.h"
#include "imagelist/FolderSync.h"
#include "imagelist/WatchedFolders.h"

inline constexpr std::string_view FoldersSection = "Folders";
inline constexpr std::string_view ExcludedSection = "Excluded";

// The folders and exclusions the file holds; a line that names no folder the list can
// keep is passed over.
TWatchedFolders LoadFolders(const TBigIniFile& ini);

// Replaces both sections with folders; writes nothing when there is nothing to keep.
void SaveFolders(TBigIniFile& ini, const TWatchedFolders& folders);

// Writes what a sync of folder did into the stored list, as the agent writes its own
// state: the file on disk follows at the next write of the configuration. Only a folder
// the file already names is written this way, the partners in section "Dark" with it; the pictures of one the user has
// just added reach the file with the user's Save, together with the folder.
void StoreSync(TBigIniFile& ini, std::string_view folder, const TFolderSyncResult& result,
               const std::function<std::string(DispObj)>& dispText, bool randomCycle);

// Writes a folder just added, watched with its subfolders, into the stored configuration
// alone (no other line changes): from then on its syncs are stored as StoreSync says.
void StoreAddedFolder(TBigIniFile& ini, std::string_view folder);
