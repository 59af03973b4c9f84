#include "platform/system/FolderWatch.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThreadPool>
#include <atomic>
#include <filesystem>
#include <fstream>

#include "support/WaitFor.h"

namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using TNames = std::vector<std::string>;

constexpr int kPatience = 10000;

TFileVerdict TakeJpeg(std::string_view path) {
  return path.ends_with(".jpg") ? TFileVerdict::Take : TFileVerdict::Ignore;
}

void Write(const std::string& file) {
  fs::create_directories(fs::path(file).parent_path());
  std::ofstream(file) << "x";
}

// A watch with short settle and quiet spells whose listings are kept, per folder, in order.
struct TWatched {
  explicit TWatched(TFileFilter filter = TakeJpeg, milliseconds settle = milliseconds(100),
                    milliseconds quiet = milliseconds(50))
      : top(QFile::encodeName(dir.path()).toStdString()),
        watch(std::make_unique<TFolderWatch>(std::move(filter), nullptr, settle, quiet)) {
    watch->OnListing = [this](const std::shared_ptr<const TFolderListing>& listing) { listings.push_back(*listing); };
  }
  std::vector<TFolderListing> Of(const std::string& folder) const {
    std::vector<TFolderListing> of;
    for (const TFolderListing& listing : listings)
      if (listing.request.folder == folder) of.push_back(listing);
    return of;
  }
  // Waits until the watch is idle and the last listing of folder satisfies done.
  bool Settles(const std::string& folder, const std::function<bool(const TFolderListing&)>& done) const {
    return WaitForEvents(
        [&] {
          const auto of = Of(folder);
          return !watch->Busy() && !of.empty() && done(of.back());
        },
        kPatience);
  }
  bool SettlesWith(const std::string& folder, const TNames& files) const {
    return Settles(folder, [&](const TFolderListing& listing) { return listing.available && listing.files == files; });
  }
  // Lets every listing started so far end and hands back what they posted.
  static void Drain() {
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
  }

  QTemporaryDir dir;
  std::string top;
  std::unique_ptr<TFolderWatch> watch;
  std::vector<TFolderListing> listings;
};

TEST(FolderWatch, ChangesInsideTheFoldersAreListedAgain) {
  const struct {
    const char* what;
    TNames before;
    std::function<void(const std::string& root)> change;
    TNames after;
  } cases[] = {
      {"a file made in a subfolder", {"s/a.jpg"}, [](auto& r) { Write(r + "/s/b.jpg"); }, {"s/a.jpg", "s/b.jpg"}},
      {"a file deleted", {"a.jpg", "s/b.jpg"}, [](auto& r) { fs::remove(r + "/s/b.jpg"); }, {"a.jpg"}},
      {"a file renamed", {"a.jpg"}, [](auto& r) { fs::rename(r + "/a.jpg", r + "/c.jpg"); }, {"c.jpg"}},
      {"a file made in a folder made later",
       {"a.jpg"},
       [](auto& r) {
         fs::create_directory(r + "/new");
         Write(r + "/new/b.jpg");
       },
       {"a.jpg", "new/b.jpg"}},
  };
  for (const auto& row : cases) {
    TWatched w;
    const std::string root = w.top + "/p";
    const auto full = [&](const TNames& names) {
      TNames paths;
      for (const std::string& name : names) paths.push_back(root + "/" + name);
      return paths;
    };
    for (const std::string& name : full(row.before)) Write(name);
    w.watch->SetFolders({{root, true}});
    ASSERT_TRUE(w.SettlesWith(root, full(row.before))) << row.what;
    row.change(root);
    EXPECT_TRUE(w.SettlesWith(root, full(row.after))) << row.what;
    EXPECT_FALSE(w.watch->WatchIncomplete()) << row.what;
  }
}

TEST(FolderWatch, AFolderMadeLaterIsWatchedItself) {
  TWatched w;
  const std::string root = w.top + "/p";
  Write(root + "/a.jpg");
  w.watch->SetFolders({{root, true}});
  ASSERT_TRUE(w.SettlesWith(root, {root + "/a.jpg"}));
  fs::create_directory(root + "/new");
  ASSERT_TRUE(w.Settles(root, [&](const TFolderListing& l) { return l.folders == TNames{root, root + "/new"}; }));
  Write(root + "/new/b.jpg");
  EXPECT_TRUE(w.SettlesWith(root, {root + "/a.jpg", root + "/new/b.jpg"}));
}

TEST(FolderWatch, AFolderThatGoesIsSeenWhenItComesBack) {
  const struct {
    const char* what;
    bool thereAtFirst;
    // Back between the listing that found it missing and the watch on the folder above it,
    // which then has nothing to tell.
    bool backBeforeTheWatch;
  } cases[] = {{"renamed away and back", true, false},
               {"made after it was named", false, false},
               {"back before the watch above it was set", false, true}};
  for (const auto& row : cases) {
    TWatched w;
    const std::string root = w.top + "/p/q";
    Write(w.top + "/stash/a.jpg");
    fs::create_directory(w.top + "/p");
    if (row.thereAtFirst) fs::rename(w.top + "/stash", root);
    w.watch->SetFolders({{root, false}});
    if (row.backBeforeTheWatch) {
      QThreadPool::globalInstance()->waitForDone();
      fs::rename(w.top + "/stash", root);
    } else {
      if (row.thereAtFirst) {
        ASSERT_TRUE(w.SettlesWith(root, {root + "/a.jpg"})) << row.what;
        fs::rename(root, w.top + "/stash");
      }
      EXPECT_TRUE(w.Settles(root, [](const TFolderListing& l) { return !l.available && l.missing; })) << row.what;
      fs::rename(w.top + "/stash", root);
    }
    EXPECT_TRUE(w.SettlesWith(root, {root + "/a.jpg"})) << row.what;
  }
}

// These count listings: with no settle, no file written by the test is held back pending.
TEST(FolderWatch, NamingTheSameFoldersAgainListsOnlyWhatChanged) {
  TWatched w(TakeJpeg, milliseconds(0));
  const std::string root = w.top + "/p";
  Write(root + "/a.jpg");
  Write(root + "/s/b.jpg");
  w.watch->SetFolders({{root, false}});
  ASSERT_TRUE(w.SettlesWith(root, {root + "/a.jpg"}));
  w.watch->SetFolders({{root, false}});
  EXPECT_FALSE(w.watch->Busy());
  TWatched::Drain();
  EXPECT_EQ(w.listings.size(), 1u);
  w.watch->SetFolders({{root, true}});
  EXPECT_TRUE(w.watch->Busy());
  EXPECT_TRUE(w.SettlesWith(root, {root + "/a.jpg", root + "/s/b.jpg"}));
  EXPECT_TRUE(w.Of(root).back().request.subfolders);
}

// A filter that holds every listing inside it until it is let go, so a listing is certainly
// in flight while the test acts.
struct TGate {
  std::atomic<int> inside{0}, most{0};
  std::atomic<bool> open{false};
  TFileFilter Filter() {
    return [this](std::string_view path) {
      most = std::max(most.load(), ++inside);
      while (!open) QThread::msleep(5);
      --inside;
      return TakeJpeg(path);
    };
  }
};

TEST(FolderWatch, ListingsInFlightAreCoalescedOrDroppedSafely) {
  const struct {
    const char* what;
    std::function<void(TWatched&)> whileInFlight;
    std::size_t listings;
  } cases[] = {
      {"two rescans during a listing give one more",
       [](TWatched& w) {
         w.watch->RescanAll();
         w.watch->RescanAll();
       },
       2},
      {"a folder no longer named is never reported", [](TWatched& w) { w.watch->SetFolders({}); }, 0},
      {"the watch destroyed", [](TWatched& w) { w.watch.reset(); }, 0},
  };
  for (const auto& row : cases) {
    TGate gate;
    TWatched w(gate.Filter(), milliseconds(0));
    const std::string root = w.top + "/p";
    Write(root + "/a.jpg");
    w.watch->SetFolders({{root, false}});
    ASSERT_TRUE(WaitFor([&] { return gate.inside == 1; }, kPatience)) << row.what;
    row.whileInFlight(w);
    gate.open = true;
    if (w.watch) {
      EXPECT_TRUE(WaitForEvents([&] { return !w.watch->Busy(); }, kPatience)) << row.what;
    }
    TWatched::Drain();
    EXPECT_EQ(w.listings.size(), row.listings) << row.what;
    EXPECT_EQ(gate.most, 1) << row.what;
  }
}

// The quiet spell is long enough for the change to be seen due before its listing starts.
TEST(FolderWatch, AChangeDueForAFolderNoLongerNamedIsDropped) {
  TWatched w(TakeJpeg, milliseconds(0), milliseconds(300));
  const std::string root = w.top + "/p";
  fs::create_directory(root);
  w.watch->SetFolders({{root, false}});
  ASSERT_TRUE(w.SettlesWith(root, {}));
  Write(root + "/a.jpg");
  ASSERT_TRUE(WaitForEvents([&] { return w.watch->Busy(); }, kPatience));
  w.watch->SetFolders({});
  EXPECT_FALSE(w.watch->Busy());
  WaitForEvents([] { return false; }, 600);
  TWatched::Drain();
  EXPECT_EQ(w.listings.size(), 1u);
}

TEST(FolderWatch, TheWatchMayBeDestroyedFromItsOwnCallback) {
  TWatched w(TakeJpeg, milliseconds(0));
  const std::string root = w.top + "/p";
  Write(root + "/a.jpg");
  w.watch->OnListing = [&](const std::shared_ptr<const TFolderListing>& listing) {
    w.listings.push_back(*listing);
    w.watch.reset();
  };
  w.watch->SetFolders({{root, false}});
  EXPECT_TRUE(WaitForEvents([&] { return !w.watch; }, kPatience));
  ASSERT_EQ(w.listings.size(), 1u);
  EXPECT_EQ(w.listings[0].files, TNames{root + "/a.jpg"});
}

}  // namespace
