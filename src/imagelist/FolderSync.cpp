#include "imagelist/FolderSync.h"

#include <unordered_map>

#include "imagelist/ListEdits.h"

namespace {

// The listing's files by the list's key (letter case folded), each with the name it has on disk.
using ListedKeys = std::unordered_map<std::string, const std::string*>;

ListedKeys Listed(const TFolderListing& listing) {
  ListedKeys keys;
  keys.reserve(listing.files.size() + listing.pending.size());
  for (const std::string& file : listing.files) keys.emplace(TImageList::FoldKey(file), &file);
  for (const std::string& file : listing.pending) keys.emplace(TImageList::FoldKey(file), &file);
  return keys;
}

// Deletes the folder's entries whose files are gone. A file renamed in letter case only
// ("beach.jpg" to "Beach.jpg") has the same key as its entry but is another name: the entry
// leaves unless its own name is still there, and the file joins under its new name.
void Leave(TImageList& list, const TFolderScanRequest& folder, const ListedKeys& listed, const TJoinRule& rule,
           const std::function<bool(const std::string&)>& exists, TFolderSyncResult& result) {
  result.currentLeft = RemoveWhere(list, [&](const ImageEntry& entry) {
    if (!LiesInFolder(entry.fileName, folder.folder, folder.subfolders)) return false;
    const auto found = listed.find(TImageList::FoldKey(entry.fileName));
    if ((found != listed.end() && *found->second == entry.fileName) || exists(entry.fileName)) return false;
    result.left.push_back(entry.fileName);
    if (rule.randomCycle && entry.mark == 0) --result.cycleDelta;
    return true;
  });
}

void Join(TImageList& list, const TWatchedFolders& folders, const TFolderListing& listing, const TJoinRule& rule,
          TFolderSyncResult& result) {
  list.BeginUpdate();
  for (const std::string& file : listing.files) {
    if (list.Contains(file) || folders.Excluded(file)) continue;
    ImageEntry entry{file, rule.disp, rule.randomCycle ? 0 : -1};
    list.Append(entry);
    result.joined.push_back(std::move(entry));
    if (rule.randomCycle) ++result.cycleDelta;
  }
  list.EndUpdate();
}

}  // namespace

TFolderSyncResult SyncFolder(TImageList& list, TWatchedFolders& folders, const TFolderListing& listing,
                             const TJoinRule& rule, const std::function<bool(const std::string&)>& exists) {
  TFolderSyncResult result;
  TWatchedFolder* folder = folders.Find(listing.request.folder);
  if (!folder || folder->subfolders != listing.request.subfolders) return result;
  if (!listing.available) {
    folder->state = FolderState::Unavailable;
    return result;
  }
  // A first listing with files still being written is not the folder's whole content yet.
  if (folder->state != FolderState::Reading || listing.pending.empty()) folder->state = FolderState::Watched;
  folder->pictures = static_cast<std::int32_t>(listing.files.size());
  folder->skipped = listing.skipped;
  const ListedKeys listed = Listed(listing);
  folders.ForgetExclusionsIn(listing.request.folder, listing.request.subfolders,
                             [&](const std::string& key) { return listed.count(key) > 0; });
  Leave(list, listing.request, listed, rule, exists, result);
  Join(list, folders, listing, rule, result);
  return result;
}

bool LeavesWithFolder(const ImageEntry& entry, const TWatchedFolders& remaining, const TWatchedFolder& removed) {
  return LiesInFolder(entry.fileName, removed.folder, removed.subfolders) && !remaining.Covers(entry.fileName);
}
