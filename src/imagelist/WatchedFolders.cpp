#include "imagelist/WatchedFolders.h"

#include <algorithm>

#include "imagelist/ImageList.h"
#include "imagelist/StorableName.h"

bool LiesInFolder(std::string_view path, std::string_view folder, bool subfolders) {
  const std::string_view prefix = folder == "/" ? std::string_view() : folder;
  if (path.size() <= prefix.size() + 1 || path.substr(0, prefix.size()) != prefix || path[prefix.size()] != '/')
    return false;
  return subfolders || path.find('/', prefix.size() + 1) == std::string_view::npos;
}

std::string WatchableFolder(std::string_view folder) {
  std::string kept(folder);
  while (kept.size() > 1 && kept.back() == '/') kept.pop_back();
  if (kept.empty() || kept.front() != '/' || !IsStorableName(kept)) return {};
  return kept;
}

bool TWatchedFolders::Add(std::string_view folder, bool subfolders) {
  const std::string kept = WatchableFolder(folder);
  if (kept.empty() || Find(kept)) return false;
  folders_.push_back({kept, subfolders});
  return true;
}

bool TWatchedFolders::Remove(std::string_view folder) {
  const auto it =
      std::find_if(folders_.begin(), folders_.end(), [&](const TWatchedFolder& f) { return f.folder == folder; });
  if (it == folders_.end()) return false;
  folders_.erase(it);
  ForgetUncoveredExclusions();
  return true;
}

bool TWatchedFolders::SetSubfolders(std::string_view folder, bool subfolders) {
  TWatchedFolder* found = Find(folder);
  if (!found || found->subfolders == subfolders) return false;
  found->subfolders = subfolders;
  found->state = FolderState::Reading;
  found->synced = 0;
  found->joining = 0;
  ForgetUncoveredExclusions();
  return true;
}

TWatchedFolder* TWatchedFolders::Find(std::string_view folder) {
  for (TWatchedFolder& f : folders_)
    if (f.folder == folder) return &f;
  return nullptr;
}

std::vector<TFolderScanRequest> TWatchedFolders::Requests() const {
  std::vector<TFolderScanRequest> requests;
  for (const TWatchedFolder& f : folders_) requests.push_back({f.folder, f.subfolders});
  return requests;
}

bool TWatchedFolders::Covers(std::string_view path) const {
  return std::any_of(folders_.begin(), folders_.end(),
                     [&](const TWatchedFolder& f) { return LiesInFolder(path, f.folder, f.subfolders); });
}

void TWatchedFolders::Exclude(const std::string& path) {
  if (Covers(path)) excluded_.insert_or_assign(TImageList::FoldKey(path), path);
}

void TWatchedFolders::Readmit(std::string_view path) { excluded_.erase(TImageList::FoldKey(path)); }

bool TWatchedFolders::Excluded(std::string_view path) const {
  return !excluded_.empty() && excluded_.count(TImageList::FoldKey(path)) > 0;
}

bool TWatchedFolders::ExcludedUnder(std::string_view folder) const {
  const std::string prefix = TImageList::FoldKey(folder) + '/';
  const auto found = excluded_.lower_bound(prefix);
  return found != excluded_.end() && found->first.starts_with(prefix);
}

std::vector<std::string> TWatchedFolders::ExcludedPaths() const {
  std::vector<std::string> paths;
  for (const auto& [key, path] : excluded_) paths.push_back(path);
  return paths;
}

void TWatchedFolders::ForgetExclusionsIn(std::string_view folder, bool subfolders,
                                         const std::function<bool(const std::string&)>& listed) {
  for (auto it = excluded_.begin(); it != excluded_.end();)
    it = LiesInFolder(it->second, folder, subfolders) && !listed(it->first) ? excluded_.erase(it) : std::next(it);
}

void TWatchedFolders::ForgetUncoveredExclusions() {
  for (auto it = excluded_.begin(); it != excluded_.end();)
    it = Covers(it->second) ? std::next(it) : excluded_.erase(it);
}
