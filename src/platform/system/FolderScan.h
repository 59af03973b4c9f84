// Listing a watched folder: every file a filter takes, found by walking the folder (and its
// subfolders when they count) on the calling thread. Hidden files and folders (names that
// start with ".") are passed over; a symlink loop, a folder that cannot be read and a name
// that is not valid UTF-8 are passed over and counted; a file still being written is held
// back until it has been left alone for a while.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct TFolderScanRequest {
  std::string folder;  // as the user chose it, without a trailing "/" (except the root "/")
  bool subfolders = false;
  bool operator==(const TFolderScanRequest&) const = default;
};

// What a filter makes of a file's full path.
enum class TFileVerdict {
  Take,    // a file the listing holds
  Ignore,  // not wanted (another format, the program's own file): passed over silently
  Skip,    // wanted but cannot be kept (a name the configuration cannot store): counted
};
using TFileFilter = std::function<TFileVerdict(std::string_view path)>;

struct TFolderListing {
  TFolderScanRequest request;
  // False when the folder itself is not there or cannot be read: then everything below is empty.
  bool available = false;
  // True when the folder itself is not there (or is not a folder), as against there but
  // unreadable: a missing folder may come back at any moment, an unreadable one stays so.
  bool missing = false;
  // The full paths (the folder's text joined with the relative path, no link resolved) of
  // the files the filter took and that nobody has written for settle, in byte order.
  std::vector<std::string> files;
  // Files the filter took that changed within settle (a download, a copy in progress).
  std::vector<std::string> pending;
  // Every folder that was read, the folder itself first: the folders to watch.
  std::vector<std::string> folders;
  // Entries passed over and counted: link loops, unreadable subfolders, names that are not
  // valid UTF-8, files the filter skipped.
  std::int32_t skipped = 0;
  // Set by a folder watch: this listing's number (from 1), and the number of the listing of
  // the same folder it was compared with (0 when there was none). added: files now in files
  // that were not in that listing's files; removed: files in neither files nor pending that
  // were in one of them. Both in byte order.
  std::uint64_t sequence = 0;
  std::uint64_t base = 0;
  std::vector<std::string> added;
  std::vector<std::string> removed;
  // Set by a shape (TListingShape): files the filter took that go with another file instead
  // of standing alone (the other sizes of a picture, a dark variant), in byte order; and
  // (file of files, the file that goes with it as its variant), in the order of the first.
  std::vector<std::string> withheld;
  std::vector<std::pair<std::string, std::string>> partners;
};

// Folds a listing's files after the scan, before it is compared with the one before: moves
// files into withheld and records partners. Runs on the listing's thread.
using TListingShape = std::function<void(TFolderListing&)>;

// Fills listing's added and removed against earlier, an earlier listing of the same folder.
void CompareListings(TFolderListing& listing, const TFolderListing& earlier);

// Lists request.folder. A file counts as still being written when its status changed less
// than settle ago (its ctime, which copying the times back cannot set). A file that earlier
// (an earlier listing of the same folder) already held as complete is taken without looking
// at its status: its entry is in the list whatever happens to it now, so a folder listed
// again costs its reading alone.
TFolderListing ScanFolder(const TFolderScanRequest& request, const TFileFilter& filter,
                          std::chrono::milliseconds settle = std::chrono::milliseconds(2000),
                          const TFolderListing* earlier = nullptr);
