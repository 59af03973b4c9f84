#include "platform/system/FolderScan.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArrayView>
#include <algorithm>
#include <cerrno>
#include <ctime>
#include <iterator>
#include <set>
#include <thread>
#include <utility>

namespace {

using TNanoseconds = std::chrono::nanoseconds;

enum class TEntryKind { File, Folder, Other };

TEntryKind KindOf(mode_t mode) {
  if (S_ISREG(mode)) return TEntryKind::File;
  if (S_ISDIR(mode)) return TEntryKind::Folder;
  return TEntryKind::Other;
}

TNanoseconds Since(const timespec& time) { return TNanoseconds(time.tv_sec * 1'000'000'000LL + time.tv_nsec); }

TNanoseconds Now() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return Since(now);
}

// One walk: the folders still to read, the (device, inode) of every folder met so far and
// what has been found.
class TFolderWalk {
 public:
  TFolderWalk(const TFolderScanRequest& request, const TFileFilter& filter, std::chrono::milliseconds settle,
              const TFolderListing* earlier)
      : request_(request), filter_(filter), settle_(settle), now_(Now()), earlier_(earlier) {}

  TFolderListing Run() {
    TFolderListing listing;
    listing.request = request_;
    struct stat root {};
    if (stat(request_.folder.c_str(), &root) != 0) {
      listing.missing = errno == ENOENT || errno == ENOTDIR;
      return listing;
    }
    if (!S_ISDIR(root.st_mode)) {
      listing.missing = true;
      return listing;
    }
    met_.emplace(root.st_dev, root.st_ino);
    if (!Read(request_.folder)) return listing;
    while (!toRead_.empty()) {
      const std::string folder = std::move(toRead_.back());
      toRead_.pop_back();
      if (!Read(folder)) ++found_.skipped;
    }
    std::sort(found_.files.begin(), found_.files.end());
    std::sort(found_.pending.begin(), found_.pending.end());
    std::sort(found_.folders.begin() + 1, found_.folders.end());
    found_.request = request_;
    found_.available = true;
    return std::move(found_);
  }

 private:
  // Reads one folder; on failure leaves nothing of it behind and returns false.
  bool Read(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    DIR* dir = fdopendir(fd);
    if (!dir) {
      close(fd);
      return false;
    }
    const Marks marks = Mark();
    found_.folders.push_back(folder);
    path_ = folder.ends_with('/') ? folder : folder + '/';
    const std::size_t prefix = path_.size();
    errno = 0;
    while (const dirent* entry = readdir(dir)) {
      path_.resize(prefix);
      path_ += entry->d_name;
      Consider(fd, entry);
      errno = 0;
    }
    const bool complete = errno == 0;
    if (complete) SortBySettling(fd, prefix);
    unsettled_.clear();
    closedir(dir);
    if (!complete) Undo(marks);
    return complete;
  }

  void Consider(int fd, const dirent* entry) {
    const char* name = entry->d_name;
    if (name[0] == '.') return;
    struct stat status {};
    bool haveStatus = false;
    TEntryKind kind = TEntryKind::Other;
    if (entry->d_type == DT_REG) {
      kind = TEntryKind::File;
    } else if (entry->d_type == DT_DIR) {
      kind = TEntryKind::Folder;
    } else if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
      if (fstatat(fd, name, &status, 0) != 0) return;
      haveStatus = true;
      kind = KindOf(status.st_mode);
    }
    if (kind == TEntryKind::Other || (kind == TEntryKind::Folder && !request_.subfolders)) return;
    if (!QByteArrayView(name).isValidUtf8()) {
      ++found_.skipped;
      return;
    }
    if (kind == TEntryKind::Folder) {
      if (!haveStatus && fstatat(fd, name, &status, 0) != 0) return;
      if (!met_.emplace(status.st_dev, status.st_ino).second) {
        ++found_.skipped;
        return;
      }
      toRead_.push_back(path_);
      return;
    }
    switch (filter_(path_)) {
      case TFileVerdict::Ignore:
        return;
      case TFileVerdict::Skip:
        ++found_.skipped;
        return;
      case TFileVerdict::Take:
        break;
    }
    if (settle_.count() <= 0 ||
        (earlier_ && std::binary_search(earlier_->files.begin(), earlier_->files.end(), path_))) {
      found_.files.push_back(path_);
      return;
    }
    if (haveStatus) {
      (Settled(status) ? found_.files : found_.pending).push_back(path_);
      return;
    }
    unsettled_.push_back(path_);
  }

  // Whether each file of the folder just read (unsettled_, full paths) is complete, by its
  // status: a large folder's files are looked at by two threads at once, as that status is
  // nearly all a first listing costs.
  void SortBySettling(int fd, std::size_t prefix) {
    enum : char { Gone, Complete, Written };
    std::vector<char> verdicts(unsettled_.size());
    const auto judge = [&](std::size_t from, std::size_t to) {
      for (std::size_t i = from; i < to; ++i) {
        struct stat status {};
        const char* name = unsettled_[i].c_str() + prefix;
        verdicts[i] = fstatat(fd, name, &status, AT_SYMLINK_NOFOLLOW) != 0 ? Gone
                      : Settled(status)                                    ? Complete
                                                                           : Written;
      }
    };
    const std::size_t half = unsettled_.size() >= kSharedAbove ? unsettled_.size() / 2 : 0;
    std::thread other;
    if (half > 0) other = std::thread(judge, half, unsettled_.size());
    judge(0, half > 0 ? half : unsettled_.size());
    if (other.joinable()) other.join();
    for (std::size_t i = 0; i < unsettled_.size(); ++i)
      if (verdicts[i] != Gone)
        (verdicts[i] == Complete ? found_.files : found_.pending).push_back(std::move(unsettled_[i]));
  }

  // Below this many files in a folder, a second thread costs more than it saves.
  static constexpr std::size_t kSharedAbove = 256;

  // A ctime further ahead than settle comes from another machine's clock; waiting for it
  // would hold the file back for ever, so it counts as settled.
  bool Settled(const struct stat& status) const {
    const TNanoseconds age = now_ - Since(status.st_ctim);
    return age >= settle_ || age <= -settle_;
  }

  struct Marks {
    std::size_t files, pending, folders, toRead;
    std::int32_t skipped;
  };
  Marks Mark() const {
    return {found_.files.size(), found_.pending.size(), found_.folders.size(), toRead_.size(), found_.skipped};
  }
  void Undo(const Marks& marks) {
    found_.files.resize(marks.files);
    found_.pending.resize(marks.pending);
    found_.folders.resize(marks.folders);
    toRead_.resize(marks.toRead);
    found_.skipped = marks.skipped;
  }

  const TFolderScanRequest& request_;
  const TFileFilter& filter_;
  const TNanoseconds settle_;
  const TNanoseconds now_;
  const TFolderListing* const earlier_;
  std::set<std::pair<dev_t, ino_t>> met_;
  std::vector<std::string> toRead_;
  // The files of the folder being read whose status is still to be looked at.
  std::vector<std::string> unsettled_;
  std::string path_;
  TFolderListing found_;
};

}  // namespace

TFolderListing ScanFolder(const TFolderScanRequest& request, const TFileFilter& filter,
                          std::chrono::milliseconds settle, const TFolderListing* earlier) {
  const bool comparable = earlier && earlier->available && earlier->request == request;
  return TFolderWalk(request, filter, settle, comparable ? earlier : nullptr).Run();
}

namespace {

// files and pending together, in byte order.
std::vector<std::string_view> Present(const TFolderListing& listing) {
  std::vector<std::string_view> present;
  present.reserve(listing.files.size() + listing.pending.size());
  std::merge(listing.files.begin(), listing.files.end(), listing.pending.begin(), listing.pending.end(),
             std::back_inserter(present));
  return present;
}

}  // namespace

void CompareListings(TFolderListing& listing, const TFolderListing& earlier) {
  listing.base = earlier.sequence;
  listing.added.clear();
  listing.removed.clear();
  std::set_difference(listing.files.begin(), listing.files.end(), earlier.files.begin(), earlier.files.end(),
                      std::back_inserter(listing.added));
  const std::vector<std::string_view> now = Present(listing);
  const std::vector<std::string_view> before = Present(earlier);
  std::vector<std::string_view> gone;
  std::set_difference(before.begin(), before.end(), now.begin(), now.end(), std::back_inserter(gone));
  listing.removed.assign(gone.begin(), gone.end());
}
