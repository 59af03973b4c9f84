#include "imagelist/FolderSync.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "imagelist/ListEdits.h"
#include "imagelist/WallpaperPackage.h"

namespace {

// The listing's files and pending files, by the list's key (letter case folded).
std::unordered_set<std::string> ListedKeys(const TFolderListing& listing) {
  std::unordered_set<std::string> keys;
  keys.reserve(listing.files.size() + listing.pending.size());
  for (const std::string& file : listing.files) keys.insert(TImageList::FoldKey(file));
  for (const std::string& file : listing.pending) keys.insert(TImageList::FoldKey(file));
  return keys;
}

// The same by their exact names.
std::unordered_set<std::string_view> ListedNames(const TFolderListing& listing) {
  std::unordered_set<std::string_view> names;
  names.reserve(listing.files.size() + listing.pending.size());
  names.insert(listing.files.begin(), listing.files.end());
  names.insert(listing.pending.begin(), listing.pending.end());
  return names;
}

// Deletes the folder's entries whose names gone(name) holds, unless their own file is
// there. Names are compared exactly: a file renamed in letter case only ("beach.jpg" to
// "Beach.jpg") has the same key as its entry but is another name, so the entry leaves and
// the file joins under its new name.
template <class Gone>
void Leave(TImageList& list, const TFolderListing& listing, const TJoinRule& rule, const Gone& gone,
           const std::function<bool(const std::string&)>& exists, TFolderSyncResult& result) {
  const TFolderScanRequest& folder = listing.request;
  const auto withheld = [&listing](const std::string& name) {
    return std::binary_search(listing.withheld.begin(), listing.withheld.end(), name);
  };
  result.currentLeft = RemoveWhere(list, [&](const ImageEntry& entry) {
    if (!LiesInFolder(entry.fileName, folder.folder, folder.subfolders)) return false;
    if (!gone(entry.fileName) || (exists(entry.fileName) && !withheld(entry.fileName))) return false;
    result.left.push_back(entry.fileName);
    if (rule.randomCycle && entry.mark == 0) --result.cycleDelta;
    return true;
  });
}

// The partner the listing gives file; empty without one.
std::string PartnerIn(const TFolderListing& listing, const std::string& file) {
  const auto found = std::lower_bound(
      listing.partners.begin(), listing.partners.end(), file,
      [](const std::pair<std::string, std::string>& pair, const std::string& name) { return pair.first < name; });
  return found != listing.partners.end() && found->first == file ? found->second : std::string();
}

// Whether the user took file out, or any file of the wallpaper package it belongs to.
bool KeptOut(const TWatchedFolders& folders, const std::string& file) {
  if (folders.Excluded(file)) return true;
  if (!folders.AnyExcluded()) return false;
  const std::optional<TPackageFile> package = PackageFileOf(file);
  return package && folders.ExcludedUnder(package->package);
}

// Joins files[from, ...) that the list lacks and the user did not take out, looking at no
// more than slice.limit of them; returns where it stopped, or nothing when it got to the end.
std::optional<std::size_t> Join(TImageList& list, const TWatchedFolders& folders, const TFolderListing& listing,
                                const std::vector<std::string>& files, std::size_t from, const TJoinRule& rule,
                                TJoinSlice slice, TFolderSyncResult& result) {
  const std::size_t end = files.size() - from > slice.limit ? from + slice.limit : files.size();
  list.BeginUpdate();
  for (std::size_t i = from; i < end; ++i) {
    const std::string& file = files[i];
    if (list.Contains(file) || KeptOut(folders, file)) continue;
    ImageEntry entry{file, rule.disp, rule.randomCycle ? 0 : -1, PartnerIn(listing, file)};
    list.Append(entry);
    result.joined.push_back(std::move(entry));
    if (rule.randomCycle) ++result.cycleDelta;
  }
  list.EndUpdate();
  if (end == files.size()) return std::nullopt;
  return end;
}

// The whole listing against the list: what it lacks joins, what it holds of the folder and
// the listing does not leaves. The listing's names are gathered only when some entry or
// exclusion lies in the folder: a folder just added to a list that has none of its files
// costs nothing more than its joins.
void SyncWhole(TImageList& list, TWatchedFolders& folders, const TFolderListing& listing, const TJoinRule& rule,
               const std::function<bool(const std::string&)>& exists, TFolderSyncResult& result) {
  std::optional<std::unordered_set<std::string>> keys;
  folders.ForgetExclusionsIn(listing.request.folder, listing.request.subfolders, [&](const std::string& key) {
    if (!keys) keys = ListedKeys(listing);
    return keys->count(key) > 0;
  });
  std::optional<std::unordered_set<std::string_view>> names;
  Leave(
      list, listing, rule,
      [&](const std::string& name) {
        if (!names) names = ListedNames(listing);
        return names->count(name) == 0;
      },
      exists, result);
}

// Only what left since the listing the list was last synced with.
void SyncRemoved(TImageList& list, TWatchedFolders& folders, const TFolderListing& listing, const TJoinRule& rule,
                 const std::function<bool(const std::string&)>& exists, TFolderSyncResult& result) {
  bool listHoldsOne = false;
  for (const std::string& file : listing.removed) {
    // Its exclusion goes with the file; a list that does not hold it has nothing to lose.
    folders.Readmit(file);
    listHoldsOne = listHoldsOne || list.Contains(file);
  }
  if (!listHoldsOne) return;
  const std::unordered_set<std::string_view> gone(listing.removed.begin(), listing.removed.end());
  Leave(
      list, listing, rule, [&](const std::string& name) { return gone.count(name) > 0; }, exists, result);
}

// Entries of a wallpaper package whose chosen picture is now another size take its name, one
// entry a package; the package's further entries then leave as withheld files. from: the
// listing's files that may be a package's new choice.
void RenamePackages(TImageList& list, const TFolderListing& listing, const std::vector<std::string>& from,
                    TFolderSyncResult& result) {
  std::map<std::string, std::string> chosen;
  for (const std::string& file : from)
    if (const std::optional<TPackageFile> package = PackageFileOf(file);
        package && package->kind != TPackageFile::Kind::Screenshot)
      chosen.emplace(package->package, file);
  if (chosen.empty()) return;
  std::vector<std::pair<std::string, std::string>> renames;
  for (int i = 0; i < list.Count(); ++i) {
    const std::string& name = list.At(i).fileName;
    if (!LiesInFolder(name, listing.request.folder, listing.request.subfolders)) continue;
    const std::optional<TPackageFile> package = PackageFileOf(name);
    if (!package) continue;
    const auto found = chosen.find(package->package);
    if (found != chosen.end() && found->second != name) renames.emplace_back(name, found->second);
  }
  for (auto& [before, after] : renames) {
    if (list.Contains(after)) continue;
    list.Rename(list.Find(before), after);
    result.renamed.emplace_back(std::move(before), std::move(after));
  }
}

// The listing's partners go to the entries the list already holds.
void GivePartners(TImageList& list, const TFolderListing& listing, TFolderSyncResult& result) {
  if (listing.partners.empty()) return;
  std::unordered_map<std::string, int> positions;
  for (int i = 0; i < list.Count(); ++i)
    if (LiesInFolder(list.At(i).fileName, listing.request.folder, listing.request.subfolders))
      positions.emplace(list.At(i).fileName, i);
  for (const auto& [entry, dark] : listing.partners) {
    const auto found = positions.find(entry);
    if (found == positions.end() || list.At(found->second).dark == dark) continue;
    list.SetDark(found->second, dark);
    result.partnered.emplace_back(entry, dark);
  }
}

// The files a sync joins from: all the listing's, or only those added since the listing
// the list was last synced with.
const std::vector<std::string>& Joining(const TFolderListing& listing, bool changesOnly) {
  return changesOnly ? listing.added : listing.files;
}

// Joins from where resume says; when it gets to the end the list is in line with listing.
void JoinFrom(TImageList& list, TWatchedFolders& folders, TWatchedFolder& folder, const TFolderListing& listing,
              const TJoinRule& rule, TJoinResume resume, TJoinSlice slice, TFolderSyncResult& result) {
  const std::optional<std::size_t> next =
      Join(list, folders, listing, Joining(listing, resume.changesOnly), resume.from, rule, slice, result);
  if (next) {
    resume.from = *next;
    result.resume = resume;
    return;
  }
  folder.joining = 0;
  folder.synced = listing.sequence;
}

}  // namespace

TFolderSyncResult SyncFolder(TImageList& list, TWatchedFolders& folders, const TFolderListing& listing,
                             const TJoinRule& rule, const std::function<bool(const std::string&)>& exists,
                             TJoinSlice slice) {
  TFolderSyncResult result;
  TWatchedFolder* folder = folders.Find(listing.request.folder);
  if (!folder || folder->subfolders != listing.request.subfolders) return result;
  folder->joining = 0;
  if (!listing.available) {
    folder->state = FolderState::Unavailable;
    folder->synced = 0;
    return result;
  }
  // A first listing with files still being written is not the folder's whole content yet.
  if (folder->state != FolderState::Reading || listing.pending.empty()) folder->state = FolderState::Watched;
  folder->pictures = static_cast<std::int32_t>(listing.files.size());
  folder->skipped = listing.skipped;
  const bool changesOnly = listing.base != 0 && listing.base == folder->synced;
  RenamePackages(list, listing, Joining(listing, changesOnly), result);
  GivePartners(list, listing, result);
  if (changesOnly)
    SyncRemoved(list, folders, listing, rule, exists, result);
  else
    SyncWhole(list, folders, listing, rule, exists, result);
  // Until the join ends, synced stays as it was: a later listing, compared with this one,
  // then syncs the whole folder.
  const TJoinResume start{folders.NextJoinToken(), 0, changesOnly};
  folder->joining = start.token;
  JoinFrom(list, folders, *folder, listing, rule, start, slice, result);
  return result;
}

TFolderSyncResult ResumeFolderSync(TImageList& list, TWatchedFolders& folders, const TFolderListing& listing,
                                   const TJoinRule& rule, const TJoinResume& resume, TJoinSlice slice) {
  TFolderSyncResult result;
  TWatchedFolder* folder = folders.Find(listing.request.folder);
  if (!folder || folder->subfolders != listing.request.subfolders || folder->joining != resume.token) return result;
  JoinFrom(list, folders, *folder, listing, rule, resume, slice, result);
  return result;
}

bool LeavesWithFolder(const ImageEntry& entry, const TWatchedFolders& remaining, const TWatchedFolder& removed) {
  return LiesInFolder(entry.fileName, removed.folder, removed.subfolders) && !remaining.Covers(entry.fileName);
}
