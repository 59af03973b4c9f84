// The folders whose pictures the list keeps: each with whether its subfolders count and
// what its latest listing found, and the pictures the user took out of the list although a
// watched folder holds them (they stay out until added again by hand).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system/FolderScan.h"

enum class FolderState {
  Reading,      // not listed yet, or its first listing found files still being written
  Watched,      // listed, and its changes are seen as they happen
  Rescanned,    // listed, but changes are seen only at each change of the wallpaper
  Unavailable,  // not there or unreadable: its entries stay as they are
};

struct TWatchedFolder {
  std::string folder;
  bool subfolders = false;
  FolderState state = FolderState::Reading;
  std::int32_t pictures = 0;  // pictures in its latest listing
  std::int32_t skipped = 0;   // names its latest listing passed over
  // The number of the listing the list was last brought in line with (0: none yet, or the
  // folder was away since): a later listing compared with that one brings only its changes.
  std::uint64_t synced = 0;
  // Names the join in progress over several calls (0: none); a new listing ends it.
  std::uint64_t joining = 0;
};

// Whether path lies inside folder: directly, or in any of its subfolders when they count.
bool LiesInFolder(std::string_view path, std::string_view folder, bool subfolders);

// The form in which a chosen folder is kept: absolute, without a trailing "/" (the root
// stays "/"); empty when the configuration could not keep it (not absolute, or a name with
// "=" or a line break).
std::string WatchableFolder(std::string_view folder);

class TWatchedFolders {
 public:
  const std::vector<TWatchedFolder>& Folders() const { return folders_; }
  bool Empty() const { return folders_.empty(); }
  // False when the folder is watched already or cannot be kept; folder is taken as
  // WatchableFolder makes it.
  bool Add(std::string_view folder, bool subfolders);
  bool Remove(std::string_view folder);
  bool SetSubfolders(std::string_view folder, bool subfolders);
  TWatchedFolder* Find(std::string_view folder);
  // A number not handed out before: what a join over several calls is known by.
  std::uint64_t NextJoinToken() { return ++joinTokens_; }
  // What the folder watch is to list.
  std::vector<TFolderScanRequest> Requests() const;
  // Whether path lies inside some watched folder.
  bool Covers(std::string_view path) const;

  // Keeps path out of the list while a watched folder holds it; a path no folder covers is
  // not kept.
  void Exclude(const std::string& path);
  // Lets path join again (the user added it by hand).
  void Readmit(std::string_view path);
  bool Excluded(std::string_view path) const;
  bool AnyExcluded() const { return !excluded_.empty(); }
  // Whether an excluded path lies anywhere inside folder.
  bool ExcludedUnder(std::string_view folder) const;
  // The excluded paths in the order of their case-folded names.
  std::vector<std::string> ExcludedPaths() const;
  // Forgets the exclusions that lie in folder (with its subfolders when they count) whose
  // case-folded name listed does not hold: their files are gone.
  void ForgetExclusionsIn(std::string_view folder, bool subfolders,
                          const std::function<bool(const std::string&)>& listed);
  // Forgets the exclusions no watched folder covers any more.
  void ForgetUncoveredExclusions();

 private:
  std::vector<TWatchedFolder> folders_;
  // Case-folded name to the name as it was removed.
  std::map<std::string, std::string> excluded_;
  std::uint64_t joinTokens_ = 0;
};
