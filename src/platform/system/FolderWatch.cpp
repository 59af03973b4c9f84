#include "platform/system/FolderWatch.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QPointer>
#include <QThreadPool>
#include <QTimer>
#include <algorithm>
#include <map>

namespace {

bool LiesIn(const QString& path, const QString& folder) {
  return path == folder || path.startsWith(folder.endsWith('/') ? folder : folder + '/');
}

// The nearest folder above path that is there: what tells when a missing folder comes back.
QString NearestAncestor(const QString& path) {
  QString folder = QFileInfo(path).path();
  while (!QFileInfo(folder).isDir() && folder != "/" && folder != ".") folder = QFileInfo(folder).path();
  return folder;
}

}  // namespace

struct TFolderWatch::Impl {
  struct Root {
    TFolderScanRequest request;
    QTimer quiet;
    bool listing = false;
    bool again = false;
    QStringList watched;
    // The latest listing handed on, which the next one is compared with.
    std::shared_ptr<const TFolderListing> last;
  };

  TFolderWatch& owner;
  TFileFilter filter;
  TListingShape shape;
  std::chrono::milliseconds settle;
  std::chrono::milliseconds quiet;
  QFileSystemWatcher watcher;
  std::vector<std::unique_ptr<Root>> roots;
  // How many roots watch each path: nested folders share their watches.
  std::map<QString, int> watchCount;
  bool incomplete = false;
  bool incompleteTold = false;
  std::uint64_t sequence = 0;

  Impl(TFolderWatch& owner, TFileFilter filter, std::chrono::milliseconds settle, std::chrono::milliseconds quiet)
      : owner(owner), filter(std::move(filter)), settle(settle), quiet(quiet) {}

  Root* Find(const std::string& folder) {
    for (const auto& root : roots)
      if (root->request.folder == folder) return root.get();
    return nullptr;
  }

  void Add(const TFolderScanRequest& request) {
    auto root = std::make_unique<Root>();
    root->request = request;
    root->quiet.setSingleShot(true);
    Root* raw = root.get();
    QObject::connect(&root->quiet, &QTimer::timeout, &owner, [this, raw] { List(*raw); });
    roots.push_back(std::move(root));
    List(*raw);
  }

  void Forget(Root& root) {
    Rewatch(root, {});
    roots.erase(std::find_if(roots.begin(), roots.end(), [&](const auto& each) { return each.get() == &root; }));
  }

  // Lists root off the owner's thread; a listing asked for while one runs follows it.
  void List(Root& root) {
    root.quiet.stop();
    if (root.listing) {
      root.again = true;
      return;
    }
    root.listing = true;
    const TFolderScanRequest request = root.request;
    const TFileFilter copy = filter;
    const TListingShape shapeCopy = shape;
    const std::chrono::milliseconds wait = settle;
    const std::uint64_t number = ++sequence;
    QPointer<TFolderWatch> target(&owner);
    // The earlier listing goes with the thread, which frees it there.
    QThreadPool::globalInstance()->start(
        [target, request, copy, shapeCopy, wait, number, last = std::move(root.last)]() mutable {
          auto listing = std::make_shared<TFolderListing>(ScanFolder(request, copy, wait, last.get()));
          listing->sequence = number;
          if (shapeCopy && listing->available) shapeCopy(*listing);
          // Comparing with the previous listing here spares the owner's thread a pass over a
          // large folder when only a few files changed.
          if (last && last->available && listing->available) CompareListings(*listing, *last);
          last.reset();
          // Handed to the application's thread, which owns the watch, and dropped there when the
          // watch is gone by then: the watch itself may be destroyed while this thread runs, so it
          // is only ever looked at from its own thread. The application waits for this pool to
          // finish before it ends.
          QMetaObject::invokeMethod(
              QCoreApplication::instance(),
              [target, listing = std::shared_ptr<const TFolderListing>(std::move(listing))] {
                if (target) target->impl_->Listed(listing);
              },
              Qt::QueuedConnection);
        });
  }

  void Listed(const std::shared_ptr<const TFolderListing>& handed) {
    const TFolderListing& listing = *handed;
    Root* root = Find(listing.request.folder);
    // A folder forgotten, or changed, since the listing started.
    if (!root || !(root->request == listing.request)) return;
    root->listing = false;
    root->last = handed;
    // The folder above too: a folder renamed, unmounted or made again shows there.
    const QString folder = QString::fromStdString(listing.request.folder);
    QStringList paths{NearestAncestor(folder)};
    if (listing.available)
      for (const std::string& each : listing.folders) paths << QString::fromStdString(each);
    Rewatch(*root, paths);
    // A missing folder that came back after the listing looked and before the watch above it
    // was set sent no event to anyone: it is listed again now.
    if (listing.missing && QFileInfo(folder).isDir()) root->again = true;
    if (root->again) {
      root->again = false;
      List(*root);
    } else if (!listing.pending.empty()) {
      root->quiet.start(settle);
    }
    if (owner.OnListing) owner.OnListing(handed);
  }

  void Rewatch(Root& root, const QStringList& paths) {
    QStringList added;
    for (const QString& path : paths)
      if (!root.watched.contains(path) && watchCount[path]++ == 0) added << path;
    for (const QString& path : root.watched)
      if (!paths.contains(path) && --watchCount[path] == 0) {
        watchCount.erase(path);
        watcher.removePath(path);
      }
    root.watched = paths;
    if (added.isEmpty()) return;
    const QStringList failed = watcher.addPaths(added);
    if (failed.isEmpty()) return;
    incomplete = true;
    if (!incompleteTold && owner.OnWatchIncomplete) {
      incompleteTold = true;
      owner.OnWatchIncomplete();
    }
  }

  void Changed(const QString& path) {
    for (const auto& root : roots) {
      const QString folder = QString::fromStdString(root->request.folder);
      if (LiesIn(path, folder) || root->watched.contains(path)) root->quiet.start(quiet);
    }
  }
};

TFolderWatch::TFolderWatch(TFileFilter filter, QObject* parent, std::chrono::milliseconds settle,
                           std::chrono::milliseconds quiet)
    : QObject(parent), impl_(std::make_unique<Impl>(*this, std::move(filter), settle, quiet)) {
  connect(&impl_->watcher, &QFileSystemWatcher::directoryChanged, this,
          [this](const QString& path) { impl_->Changed(path); });
}

TFolderWatch::~TFolderWatch() = default;

void TFolderWatch::SetFolders(const std::vector<TFolderScanRequest>& folders) {
  for (std::size_t i = impl_->roots.size(); i-- > 0;) {
    Impl::Root& root = *impl_->roots[i];
    if (std::find(folders.begin(), folders.end(), root.request) == folders.end()) impl_->Forget(root);
  }
  for (const TFolderScanRequest& request : folders)
    if (!impl_->Find(request.folder)) impl_->Add(request);
}

void TFolderWatch::RescanAll() {
  for (const auto& root : impl_->roots) impl_->List(*root);
}

void TFolderWatch::SetShape(TListingShape shape) { impl_->shape = std::move(shape); }

bool TFolderWatch::WatchIncomplete() const { return impl_->incomplete; }

bool TFolderWatch::Busy() const {
  return std::any_of(impl_->roots.begin(), impl_->roots.end(),
                     [](const auto& root) { return root->listing || root->again || root->quiet.isActive(); });
}
