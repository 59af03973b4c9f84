#include "imagelist/FolderRows.h"

namespace {

// By FolderState.
const char* const kStateTexts[] = {"Reading...", "Watched", "Read at each change", "Unavailable"};

}  // namespace

std::vector<TFolderRow> FolderRows(const std::vector<TWatchedFolder>& folders) {
  std::vector<TFolderRow> rows;
  rows.reserve(folders.size());
  for (const TWatchedFolder& folder : folders) {
    const bool listed = folder.state != FolderState::Reading;
    rows.push_back({folder.folder, folder.subfolders, kStateTexts[static_cast<int>(folder.state)],
                    listed ? std::to_string(folder.pictures) : std::string()});
  }
  return rows;
}

std::string SkippedNamesText(const std::vector<TWatchedFolder>& folders) {
  std::int32_t skipped = 0;
  for (const TWatchedFolder& folder : folders) skipped += folder.skipped;
  if (skipped == 0) return {};
  return std::to_string(skipped) +
         " names skipped: link loops, unreadable folders, names not in UTF-8 or holding \"=\" or a line break";
}
