#include "platform/system/FolderScan.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArrayView>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <thread>

namespace {

using std::chrono::hours;
using std::chrono::milliseconds;
using TNames = std::vector<std::string>;

// Takes .jpg and .png files, skips those whose name holds "skip", ignores everything else,
// and remembers every path it was asked about.
struct TRecordingFilter {
  TNames asked;
  TFileFilter Filter() {
    return [this](std::string_view path) {
      asked.emplace_back(path);
      const QString name = QString::fromUtf8(path.data(), qsizetype(path.size())).toLower();
      if (!name.endsWith(".jpg") && !name.endsWith(".png")) return TFileVerdict::Ignore;
      return name.contains("skip") ? TFileVerdict::Skip : TFileVerdict::Take;
    };
  }
};

// Files (their folders made on the way) and symlinks inside a temporary folder; a link's
// target is taken as it is written, relative to the link's folder.
std::string MakeTree(const QTemporaryDir& dir, const TNames& files,
                     const std::vector<std::pair<std::string, std::string>>& links) {
  const std::string top = QFile::encodeName(dir.path()).toStdString();
  for (const std::string& file : files) {
    std::filesystem::create_directories(std::filesystem::path(top + "/" + file).parent_path());
    std::ofstream(top + "/" + file) << "x";
  }
  for (const auto& [link, target] : links) {
    std::filesystem::create_directories(std::filesystem::path(top + "/" + link).parent_path());
    std::filesystem::create_symlink(target, top + "/" + link);
  }
  return top;
}

TNames Under(const std::string& folder, const TNames& names) {
  TNames paths;
  for (const std::string& name : names) paths.push_back(name.empty() ? folder : folder + "/" + name);
  return paths;
}

struct TScanCase {
  const char* what;
  TNames files;
  std::vector<std::pair<std::string, std::string>> links;
  std::string root;  // relative to the temporary folder
  bool subfolders;
  milliseconds settle;
  bool available;
  TNames taken, pending, folders;  // relative to the root; "" is the root itself
  int skipped;
};

TEST(ScanFolder, ListsWhatTheRulesTakeAndCountsWhatTheyPassOver) {
  const TScanCase cases[] = {
      {"one level, byte order",
       {"p/b.jpg", "p/B.PNG", "p/a.jpg", "p/notes.txt", "p/a/x.jpg"},
       {},
       "p",
       false,
       milliseconds(0),
       true,
       {"B.PNG", "a.jpg", "b.jpg"},
       {},
       {""},
       0},
      {"subfolders, byte order across folders",
       {"p/b.jpg", "p/a.jpg", "p/a/x.jpg", "p/a/deep/y.png", "p/c/z.txt"},
       {},
       "p",
       true,
       milliseconds(0),
       true,
       {"a.jpg", "a/deep/y.png", "a/x.jpg", "b.jpg"},
       {},
       {"", "a", "a/deep", "c"},
       0},
      {"hidden file and folder",
       {"p/.h.jpg", "p/.hid/e.jpg", "p/a.jpg"},
       {},
       "p",
       true,
       milliseconds(0),
       true,
       {"a.jpg"},
       {},
       {""},
       0},
      {"links up and to itself are loops, each counted once",
       {"p/a.jpg", "p/s/c.jpg"},
       {{"p/s/up", ".."}, {"p/s/self", "."}},
       "p",
       true,
       milliseconds(0),
       true,
       {"a.jpg", "s/c.jpg"},
       {},
       {"", "s"},
       2},
      {"linked folder and file outside are followed, a dangling link is not a file",
       {"out/o.jpg", "p/a.jpg"},
       {{"p/away", "../out"}, {"p/l.jpg", "../out/o.jpg"}, {"p/dead.jpg", "../none.jpg"}},
       "p",
       true,
       milliseconds(0),
       true,
       {"a.jpg", "away/o.jpg", "l.jpg"},
       {},
       {"", "away"},
       0},
      {"a name that is not UTF-8, file or folder",
       {"p/bad\xff.jpg", "p/a.jpg", "p/f\xc0\xaf/c.jpg"},
       {},
       "p",
       true,
       milliseconds(0),
       true,
       {"a.jpg"},
       {},
       {""},
       2},
      {"the filter's Skip is counted, Ignore is not",
       {"p/a.jpg", "p/to-skip.jpg", "p/x.txt"},
       {},
       "p",
       false,
       milliseconds(0),
       true,
       {"a.jpg"},
       {},
       {""},
       1},
      {"a file just written is pending", {"p/a.jpg"}, {}, "p", false, hours(1), true, {}, {"a.jpg"}, {""}, 0},
      {"with no settle it is listed", {"p/a.jpg"}, {}, "p", false, milliseconds(0), true, {"a.jpg"}, {}, {""}, 0},
      {"a trailing slash is not doubled", {"p/a.jpg"}, {}, "p/", false, milliseconds(0), true, {"a.jpg"}, {}, {""}, 0},
      {"a missing root", {"p/a.jpg"}, {}, "none", true, milliseconds(0), false, {}, {}, {}, 0},
      {"a root that is a file", {"p/a.jpg"}, {}, "p/a.jpg", true, milliseconds(0), false, {}, {}, {}, 0},
  };
  for (const TScanCase& row : cases) {
    QTemporaryDir dir;
    const std::string root = MakeTree(dir, row.files, row.links) + "/" + row.root;
    const std::string base = root.ends_with('/') ? root.substr(0, root.size() - 1) : root;
    TRecordingFilter filter;
    const TFolderListing listing = ScanFolder({root, row.subfolders}, filter.Filter(), row.settle);
    EXPECT_EQ(listing.request, (TFolderScanRequest{root, row.subfolders})) << row.what;
    EXPECT_EQ(listing.available, row.available) << row.what;
    EXPECT_EQ(listing.missing, !row.available) << row.what;
    EXPECT_EQ(listing.files, Under(base, row.taken)) << row.what;
    EXPECT_EQ(listing.pending, Under(base, row.pending)) << row.what;
    TNames folders = row.folders.empty() ? TNames{} : Under(root, {""});
    for (std::size_t i = 1; i < row.folders.size(); ++i) folders.push_back(base + "/" + row.folders[i]);
    EXPECT_EQ(listing.folders, folders) << row.what;
    EXPECT_EQ(listing.skipped, row.skipped) << row.what;
    for (const std::string& path : filter.asked) EXPECT_TRUE(QByteArrayView(path).isValidUtf8()) << row.what;
  }
}

// A file an earlier listing of the same folder held as complete stays complete while it is
// written again; a new file just written, or one an earlier listing of another request
// held, waits.
TEST(ScanFolder, AFileAnEarlierListingHeldCompleteIsNotLookedAtAgain) {
  QTemporaryDir dir;
  const std::string top = MakeTree(dir, {"p/old.jpg", "p/new.jpg"}, {});
  TRecordingFilter filter;
  TFolderListing earlier;
  earlier.request = {top + "/p", false};
  earlier.available = true;
  earlier.files = {top + "/p/old.jpg"};
  const TFolderListing listing = ScanFolder(earlier.request, filter.Filter(), hours(1), &earlier);
  EXPECT_EQ(listing.files, TNames{top + "/p/old.jpg"});
  EXPECT_EQ(listing.pending, TNames{top + "/p/new.jpg"});
  earlier.request.subfolders = true;
  const TFolderListing other = ScanFolder({top + "/p", false}, filter.Filter(), hours(1), &earlier);
  EXPECT_EQ(other.pending, (TNames{top + "/p/new.jpg", top + "/p/old.jpg"}));
}

// A folder large enough to be looked at by two threads sorts each file as one thread would:
// the files an earlier listing held complete, and those just written, whichever half they
// fall in.
TEST(ScanFolder, ALargeFolderSortsEveryFileAsASmallOneDoes) {
  QTemporaryDir dir;
  TNames names;
  for (int i = 0; i < 601; ++i) names.push_back("p/" + std::to_string(100000 + i) + ".jpg");
  const std::string top = MakeTree(dir, names, {});
  TRecordingFilter filter;
  TFolderListing earlier;
  earlier.request = {top + "/p", false};
  earlier.available = true;
  TNames complete, written;
  for (std::size_t i = 0; i < names.size(); ++i) (i % 3 == 0 ? earlier.files : written).push_back(top + "/" + names[i]);
  complete = earlier.files;
  const TFolderListing listing = ScanFolder(earlier.request, filter.Filter(), hours(1), &earlier);
  EXPECT_EQ(listing.files, complete);
  EXPECT_EQ(listing.pending, written);
  std::this_thread::sleep_for(milliseconds(50));
  const TFolderListing settled = ScanFolder(earlier.request, filter.Filter(), milliseconds(10));
  EXPECT_EQ(settled.files.size(), names.size());
  EXPECT_TRUE(settled.pending.empty());
}

// Only the top level of "/" is read: its folders are passed over, its paths start with one "/".
TEST(ScanFolder, TheRootFolderJoinsWithOneSlash) {
  TRecordingFilter filter;
  const TFolderListing listing = ScanFolder({"/", false}, filter.Filter(), milliseconds(0));
  EXPECT_TRUE(listing.available);
  EXPECT_EQ(listing.folders, TNames{"/"});
  for (const std::string& path : filter.asked) {
    EXPECT_EQ(path.rfind('/'), 0u) << path;
    EXPECT_GT(path.size(), 1u);
  }
}

TEST(ScanFolder, AnUnreadableFolderIsPassedOverAndCounted) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every folder";
  QTemporaryDir dir;
  const std::string top = MakeTree(dir, {"p/a.jpg", "p/locked/b.jpg"}, {});
  ASSERT_EQ(chmod((top + "/p/locked").c_str(), 0), 0);
  TRecordingFilter filter;
  const TFolderListing sub = ScanFolder({top + "/p", true}, filter.Filter(), milliseconds(0));
  EXPECT_EQ(sub.files, TNames{top + "/p/a.jpg"});
  EXPECT_EQ(sub.folders, TNames{top + "/p"});
  EXPECT_EQ(sub.skipped, 1);
  const TFolderListing root = ScanFolder({top + "/p/locked", true}, filter.Filter(), milliseconds(0));
  EXPECT_FALSE(root.available);
  EXPECT_FALSE(root.missing) << "there, only unreadable";
  EXPECT_TRUE(root.folders.empty());
  chmod((top + "/p/locked").c_str(), 0700);
}

}  // namespace
