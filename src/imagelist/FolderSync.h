// Bringing the list in line with one watched folder's listing: every picture the folder
// holds that the list lacks and the user did not take out joins; every entry of the folder
// whose file is gone leaves. A folder that is not there changes nothing, so an unmounted
// disk or a renamed folder keeps every entry, method and mark until it comes back.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "imagelist/ImageList.h"
#include "imagelist/WatchedFolders.h"
#include "platform/system/FolderScan.h"

// What a joining picture gets: the method a new entry gets, and in random-cycle order the
// mark of a picture not yet shown in this cycle.
struct TJoinRule {
  DispObj disp = DispObj::None;
  bool randomCycle = false;
};

// How much of a listing's joining files one call looks at: a large folder joins over
// several calls, so the thread that owns the list answers in between.
struct TJoinSlice {
  std::size_t limit = static_cast<std::size_t>(-1);  // files looked at, at most
};

// Where a sliced join stopped: the next call resumes there with the same listing, unless
// another listing of the folder (or a change of the folders) came in between.
struct TJoinResume {
  std::uint64_t token = 0;
  std::size_t from = 0;
  bool changesOnly = false;  // joining from the listing's added files, not all of them
};

struct TFolderSyncResult {
  std::vector<ImageEntry> joined;
  std::vector<std::string> left;
  // What the count of pictures still to show in this random cycle gains (+1 a joining
  // picture) or loses (-1 a leaving picture not yet shown).
  std::int32_t cycleDelta = 0;
  // Whether the entry the list was on left, so another one is current now.
  bool currentLeft = false;
  // Entries renamed in place (old name, new name): a wallpaper package's size chosen anew.
  std::vector<std::pair<std::string, std::string>> renamed;
  // Entries already in the list that the listing gave another dark partner (entry, partner).
  std::vector<std::pair<std::string, std::string>> partnered;
  // Set when files are still to join: call ResumeFolderSync with it.
  std::optional<TJoinResume> resume;
  bool Changed() const { return !joined.empty() || !left.empty() || !renamed.empty() || !partnered.empty(); }
};

// Whether entry leaves the list with removed when the user stops watching it: it lies in
// the folder and no folder still watched (remaining) covers it.
bool LeavesWithFolder(const ImageEntry& entry, const TWatchedFolders& remaining, const TWatchedFolder& removed);

// Syncs list with listing (shaped by ShapeListing or not), which must be of a folder that folders watches with the same
// subfolders setting (a late listing of a folder since removed or changed does nothing).
// exists(path) tells whether an entry's file is there although the listing does not hold
// it (a hidden file added by hand): such an entry stays. The folder's state, picture and
// skipped counts follow the listing; the exclusions whose files are gone are forgotten.
// A listing compared with the one the list was last synced with brings only its added and
// removed files, so a change in a large folder costs what changed, not the folder's size.
// A withheld file leaves although it is there; an entry of a wallpaper package whose chosen
// size changed is renamed to it; the listing's partners go to their entries (a joining one
// takes its own), and an exclusion of any file of a package keeps the whole package out.
TFolderSyncResult SyncFolder(TImageList& list, TWatchedFolders& folders, const TFolderListing& listing,
                             const TJoinRule& rule, const std::function<bool(const std::string&)>& exists,
                             TJoinSlice slice = {});
// Goes on with a sliced join where resume says; does nothing when it is stale.
TFolderSyncResult ResumeFolderSync(TImageList& list, TWatchedFolders& folders, const TFolderListing& listing,
                                   const TJoinRule& rule, const TJoinResume& resume, TJoinSlice slice = {});
