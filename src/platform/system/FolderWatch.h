// Watching folders: the folders are listed off the window's thread, once when they are set
// and again a moment after the last change inside them (inotify through
// QFileSystemWatcher, one watch per folder read); each listing is handed back on the
// thread that owns the watch. A folder that is not there is looked at again when its
// parent changes and at every RescanAll. Where a watch cannot be set (the per-user inotify
// limit, a file system without events), WatchIncomplete turns true and OnWatchIncomplete
// is told once: the owner then calls RescanAll at each change of the wallpaper.
#pragma once

#include <QObject>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "platform/system/FolderScan.h"

class TFolderWatch : public QObject {
  Q_OBJECT

 public:
  // settle: how long a file must be left alone before it is listed (see ScanFolder); quiet:
  // how long after the last event a folder is listed again.
  explicit TFolderWatch(TFileFilter filter, QObject* parent = nullptr,
                        std::chrono::milliseconds settle = std::chrono::milliseconds(2000),
                        std::chrono::milliseconds quiet = std::chrono::milliseconds(500));
  ~TFolderWatch() override;

  // Replaces the watched folders; the new ones (and those whose subfolders changed) are
  // listed at once, the ones no longer named are forgotten and never reported again.
  void SetFolders(const std::vector<TFolderScanRequest>& folders);
  // Lists every folder again now.
  void RescanAll();
  // The shape of every listing from now on (none: as scanned); listings already under way
  // keep the one they started with.
  void SetShape(TListingShape shape);
  // True while some folder could not be watched.
  bool WatchIncomplete() const;
  // True while a listing is being made or is due.
  bool Busy() const;

  // Told on the owner's thread with each listing: after SetFolders, after each settled
  // change, after RescanAll; again while files are pending, until they are complete.
  // Shared, so that the owner can keep a large listing while it works through it.
  std::function<void(const std::shared_ptr<const TFolderListing>&)> OnListing;
  std::function<void()> OnWatchIncomplete;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
