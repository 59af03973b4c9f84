// The folder sync: which pictures join and leave the list for a listing, with the user's
// exclusions, a folder that went away, the random cycle's marks and the current entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "imagelist/FolderPictures.h"
#include "imagelist/FolderSync.h"
#include "imagelist/ListEdits.h"

namespace {

struct SyncCase {
  const char* what;
  std::vector<ImageEntry> before;     // the list, unsorted, first entry selected
  std::vector<std::string> excluded;  // paths the user took out
  TFolderListing listing;             // of "/w" with subfolders unless it says otherwise
  std::set<std::string> onDisk;       // files the listing does not hold that are there
  bool randomCycle = false;
  std::vector<std::string> after;  // the list's names afterwards, in order
  std::int32_t cycleDelta = 0;
  std::string current;  // the selected entry afterwards ("" none)
};

TFolderListing Listing(std::vector<std::string> files, std::vector<std::string> pending = {}, bool subfolders = true) {
  TFolderListing listing;
  listing.request = {"/w", subfolders};
  listing.available = true;
  listing.files = std::move(files);
  listing.pending = std::move(pending);
  return listing;
}

std::vector<std::string> Names(const TImageList& list) {
  std::vector<std::string> names;
  for (int i = 0; i < list.Count(); ++i) names.push_back(list.At(i).fileName);
  return names;
}

TFolderListing Away() {
  TFolderListing listing;
  listing.request = {"/w", true};
  return listing;
}

const SyncCase kCases[] = {
    {"a new picture joins at the end, a listed one is not doubled",
     {{"/w/a.jpg", DispObj::Tile, -1}},
     {},
     Listing({"/w/a.jpg", "/w/b.jpg"}),
     {},
     false,
     {"/w/a.jpg", "/w/b.jpg"},
     0,
     "/w/a.jpg"},
    {"a picture renamed in letter case only: the old name leaves and the new one joins",
     {{"/w/A.JPG", DispObj::Tile, -1}, {"/w/b.jpg", DispObj::Tile, -1}},
     {},
     Listing({"/w/a.jpg", "/w/b.jpg"}),
     {},
     false,
     {"/w/b.jpg", "/w/a.jpg"},
     0,
     "/w/b.jpg"},
    {"two names that differ in letter case only, both on disk: one entry, not doubled",
     {{"/w/A.JPG", DispObj::Tile, -1}},
     {},
     Listing({"/w/a.jpg"}),
     {"/w/A.JPG"},
     false,
     {"/w/A.JPG"},
     0,
     "/w/A.JPG"},
    {"a deleted picture leaves, an entry outside the folder stays",
     {{"/w/a.jpg", DispObj::Tile, -1}, {"/w/gone.jpg", DispObj::Tile, -1}, {"/x/gone.jpg", DispObj::Tile, -1}},
     {},
     Listing({"/w/a.jpg"}),
     {},
     false,
     {"/w/a.jpg", "/x/gone.jpg"},
     0,
     "/w/a.jpg"},
    {"the current entry leaves: the next one takes its place",
     {{"/w/gone.jpg", DispObj::Tile, -1}, {"/w/b.jpg", DispObj::Tile, -1}},
     {},
     Listing({"/w/b.jpg"}),
     {},
     false,
     {"/w/b.jpg"},
     0,
     "/w/b.jpg"},
    {"a folder that is not there changes nothing",
     {{"/w/a.jpg", DispObj::Tile, 1}, {"/w/sub/b.jpg", DispObj::Center, 0}},
     {},
     Away(),
     {},
     true,
     {"/w/a.jpg", "/w/sub/b.jpg"},
     0,
     "/w/a.jpg"},
    {"an empty folder that is there empties its part of the list",
     {{"/w/a.jpg", DispObj::Tile, -1}, {"/w/sub/b.jpg", DispObj::Tile, -1}},
     {},
     Listing({}),
     {},
     false,
     {},
     0,
     ""},
    {"a picture the user took out stays out",
     {{"/w/a.jpg", DispObj::Tile, -1}},
     {"/w/out.jpg"},
     Listing({"/w/a.jpg", "/w/out.jpg"}),
     {},
     false,
     {"/w/a.jpg"},
     0,
     "/w/a.jpg"},
    {"a file still being written neither joins nor makes its entry leave",
     {{"/w/a.jpg", DispObj::Tile, -1}, {"/w/rewritten.jpg", DispObj::Tile, -1}},
     {},
     Listing({"/w/a.jpg"}, {"/w/rewritten.jpg", "/w/download.jpg"}),
     {},
     false,
     {"/w/a.jpg", "/w/rewritten.jpg"},
     0,
     "/w/a.jpg"},
    {"an entry the listing passes over but whose file is there stays",
     {{"/w/.hidden.jpg", DispObj::Tile, -1}},
     {},
     Listing({}),
     {"/w/.hidden.jpg"},
     false,
     {"/w/.hidden.jpg"},
     0,
     "/w/.hidden.jpg"},
    {"without subfolders, a subfolder's entry is not the folder's and stays",
     {{"/w/sub/b.jpg", DispObj::Tile, -1}},
     {},
     Listing({"/w/a.jpg"}, {}, false),
     {},
     false,
     {"/w/sub/b.jpg", "/w/a.jpg"},
     0,
     "/w/sub/b.jpg"},
    {"random cycle: a joining picture is unmarked and adds one, an unmarked one leaving takes one",
     {{"/w/shown.jpg", DispObj::Tile, 1},
      {"/w/waiting.jpg", DispObj::Tile, 0},
      {"/w/shown-gone.jpg", DispObj::Tile, 1}},
     {},
     Listing({"/w/new1.jpg", "/w/new2.jpg", "/w/shown.jpg"}),
     {},
     true,
     {"/w/shown.jpg", "/w/new1.jpg", "/w/new2.jpg"},
     2 - 1,
     "/w/shown.jpg"},
};

TEST(ImageListFolderSync, ListingsJoinAndLeaveAsTheFolderSays) {
  for (const SyncCase& c : kCases) {
    SCOPED_TRACE(c.what);
    TImageList list;
    list.SetSorted(false);
    for (const ImageEntry& entry : c.before) list.Append(entry);
    if (list.Count() > 0) list.SetSelected(0, true);
    TWatchedFolders folders;
    ASSERT_TRUE(folders.Add("/w", c.listing.request.subfolders));
    for (const std::string& path : c.excluded) folders.Exclude(path);

    const TFolderSyncResult result = SyncFolder(list, folders, c.listing, {DispObj::Stretch, c.randomCycle},
                                                [&](const std::string& path) { return c.onDisk.count(path) > 0; });

    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(list.At(i).fileName);
    EXPECT_EQ(names, c.after);
    EXPECT_EQ(result.cycleDelta, c.cycleDelta);
    const int current = list.FirstSelected();
    EXPECT_EQ(current < 0 ? std::string() : list.At(current).fileName, c.current);
    EXPECT_EQ(list.SelCount(), c.current.empty() ? 0 : 1);
    for (const ImageEntry& joined : result.joined) {
      EXPECT_EQ(joined.disp, DispObj::Stretch);
      EXPECT_EQ(joined.mark, c.randomCycle ? 0 : -1);
    }
    // What stayed kept its method and mark (a name that differs in letter case is another entry).
    for (const ImageEntry& entry : c.before) {
      const int at = list.Find(entry.fileName);
      if (at < 0 || list.At(at).fileName != entry.fileName) continue;
      EXPECT_EQ(list.At(at).disp, entry.disp);
      EXPECT_EQ(list.At(at).mark, entry.mark);
    }
    // A first listing with files still being written leaves the folder reading.
    const FolderState state = !c.listing.available        ? FolderState::Unavailable
                              : c.listing.pending.empty() ? FolderState::Watched
                                                          : FolderState::Reading;
    EXPECT_EQ(folders.Find("/w")->state, state);
  }
}

TEST(ImageListFolderSync, AFolderThatComesBackDoublesNothing) {
  TImageList list;
  TWatchedFolders folders;
  folders.Add("/w", true);
  const auto none = [](const std::string&) { return false; };
  SyncFolder(list, folders, Listing({"/w/a.jpg", "/w/sub/b.jpg"}), {DispObj::Tile, false}, none);
  list.SetDisp(list.Find("/w/a.jpg"), DispObj::Center);
  SyncFolder(list, folders, Away(), {DispObj::Tile, false}, none);
  const TFolderSyncResult back =
      SyncFolder(list, folders, Listing({"/w/a.jpg", "/w/sub/b.jpg"}), {DispObj::Tile, false}, none);
  EXPECT_FALSE(back.Changed());
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.At(list.Find("/w/a.jpg")).disp, DispObj::Center);
}

TEST(ImageListFolderSync, ALateListingOfAFolderNoLongerWatchedAsItWasDoesNothing) {
  TImageList list;
  TWatchedFolders folders;
  folders.Add("/w", false);
  const auto none = [](const std::string&) { return false; };
  EXPECT_FALSE(SyncFolder(list, folders, Listing({"/w/a.jpg"}, {}, true), {}, none).Changed());
  folders.Remove("/w");
  EXPECT_FALSE(SyncFolder(list, folders, Listing({"/w/a.jpg"}, {}, false), {}, none).Changed());
  EXPECT_EQ(list.Count(), 0);
}

TEST(ImageListFolderSync, AnExclusionIsForgottenOnceItsFileIsGone) {
  TImageList list;
  TWatchedFolders folders;
  folders.Add("/w", true);
  folders.Exclude("/w/out.jpg");
  folders.Exclude("/elsewhere/out.jpg");
  const auto none = [](const std::string&) { return false; };
  SyncFolder(list, folders, Listing({}), {}, none);
  EXPECT_TRUE(folders.ExcludedPaths().empty());
  // A new file of the same name later is a new picture and joins.
  SyncFolder(list, folders, Listing({"/w/out.jpg"}), {}, none);
  EXPECT_EQ(list.Count(), 1);
}

TEST(ImageListFolderSync, ManyPicturesJoinInOneBatch) {
  TImageList list;
  TWatchedFolders folders;
  folders.Add("/w", true);
  std::vector<std::string> files;
  for (int i = 0; i < 20000; ++i) files.push_back("/w/" + std::to_string(19999 - i) + ".jpg");
  const TFolderSyncResult result =
      SyncFolder(list, folders, Listing(files), {}, [](const std::string&) { return false; });
  EXPECT_EQ(result.joined.size(), files.size());
  ASSERT_EQ(list.Count(), 20000);
  EXPECT_EQ(folders.Find("/w")->pictures, 20000);
  for (const std::string& file : files) ASSERT_TRUE(list.Contains(file)) << file;
}

struct CompareCase {
  const char* what;
  std::vector<std::string> earlierFiles, earlierPending, files, pending;
  std::vector<std::string> added, removed;
};

TEST(ImageListFolderSync, AListingComparedWithTheEarlierOneNamesWhatJoinedAndWhatLeft) {
  const CompareCase cases[] = {
      {"nothing changed", {"/w/a", "/w/b"}, {}, {"/w/a", "/w/b"}, {}, {}, {}},
      {"one new, one gone", {"/w/a", "/w/b"}, {}, {"/w/b", "/w/c"}, {}, {"/w/c"}, {"/w/a"}},
      {"a file still being written is neither", {"/w/a"}, {}, {"/w/a"}, {"/w/b"}, {}, {}},
      {"a written file joins once complete", {"/w/a"}, {"/w/b"}, {"/w/a", "/w/b"}, {}, {"/w/b"}, {}},
      {"a file written again is not gone", {"/w/a", "/w/b"}, {}, {"/w/a"}, {"/w/b"}, {}, {}},
      {"a file deleted while being written is gone", {}, {"/w/b"}, {}, {}, {}, {"/w/b"}},
  };
  for (const CompareCase& c : cases) {
    SCOPED_TRACE(c.what);
    TFolderListing earlier = Listing(c.earlierFiles, c.earlierPending);
    earlier.sequence = 4;
    TFolderListing listing = Listing(c.files, c.pending);
    CompareListings(listing, earlier);
    EXPECT_EQ(listing.base, 4u);
    EXPECT_EQ(listing.added, c.added);
    EXPECT_EQ(listing.removed, c.removed);
  }
}

// The list synced with each listing's changes only ends as the list synced with the whole
// of every listing: over a folder whose files come, go and are written, with pictures the
// user took out and methods the user changed.
TEST(ImageListFolderSync, SyncingTheChangesOnlyGivesWhatSyncingTheWholeFolderGives) {
  std::mt19937 random(11);
  TImageList byChanges, whole;
  TWatchedFolders foldersByChanges, foldersWhole;
  foldersByChanges.Add("/w", true);
  foldersWhole.Add("/w", true);
  const auto none = [](const std::string&) { return false; };
  std::set<std::string> files, pending;
  TFolderListing earlier;
  std::int32_t cycleByChanges = 0, cycleWhole = 0;
  for (int step = 1; step <= 300; ++step) {
    SCOPED_TRACE(step);
    for (int change = 0; change < 3; ++change) {
      const std::string name = "/w/" + std::to_string(random() % 6) + "/" + std::to_string(random() % 12) + ".jpg";
      switch (random() % 4) {
        case 0:
          files.insert(name);
          pending.erase(name);
          break;
        case 1:
          files.erase(name);
          pending.erase(name);
          break;
        case 2:
          files.erase(name);
          pending.insert(name);
          break;
        default:
          if (pending.erase(name)) files.insert(name);
      }
    }
    // Now and then the user takes the first entry out, or a folder away for a moment.
    if (step % 17 == 0 && byChanges.Count() > 0) {
      const std::string out = byChanges.At(0).fileName;
      for (auto* each : {&byChanges, &whole})
        RemoveWhere(*each, [&](const ImageEntry& e) { return e.fileName == out; });
      foldersByChanges.Exclude(out);
      foldersWhole.Exclude(out);
    }
    TFolderListing listing =
        step % 41 == 0 ? Away() : Listing({files.begin(), files.end()}, {pending.begin(), pending.end()});
    listing.sequence = static_cast<std::uint64_t>(step);
    if (earlier.available && listing.available) CompareListings(listing, earlier);
    TFolderListing plain = listing;
    plain.sequence = plain.base = 0;
    cycleByChanges += SyncFolder(byChanges, foldersByChanges, listing, {DispObj::Tile, true}, none).cycleDelta;
    cycleWhole += SyncFolder(whole, foldersWhole, plain, {DispObj::Tile, true}, none).cycleDelta;
    ASSERT_EQ(Names(byChanges), Names(whole));
    ASSERT_EQ(foldersByChanges.ExcludedPaths(), foldersWhole.ExcludedPaths());
    ASSERT_EQ(cycleByChanges, cycleWhole);
    earlier = std::move(listing);
  }
}

TEST(ImageListFolderSync, ALargeJoinGoesOnInSlicesUntilAnotherListingComes) {
  TImageList list;
  TWatchedFolders folders;
  folders.Add("/w", true);
  const auto none = [](const std::string&) { return false; };
  std::vector<std::string> files;
  for (int i = 0; i < 10; ++i) files.push_back("/w/" + std::to_string(i) + ".jpg");
  TFolderListing listing = Listing(files);
  listing.sequence = 1;

  TFolderSyncResult slice = SyncFolder(list, folders, listing, {}, none, TJoinSlice{4});
  EXPECT_EQ(list.Count(), 4);
  ASSERT_TRUE(slice.resume);
  EXPECT_NE(folders.Find("/w")->joining, 0u) << "a join in slices is not over yet";
  slice = ResumeFolderSync(list, folders, listing, {}, *slice.resume, TJoinSlice{4});
  EXPECT_EQ(list.Count(), 8);
  ASSERT_TRUE(slice.resume);
  const TJoinResume stale = *slice.resume;
  slice = ResumeFolderSync(list, folders, listing, {}, *slice.resume, TJoinSlice{4});
  EXPECT_EQ(list.Count(), 10);
  EXPECT_FALSE(slice.resume);
  EXPECT_EQ(folders.Find("/w")->joining, 0u);
  EXPECT_EQ(folders.Find("/w")->synced, 1u);

  // A listing that comes in the middle of a join ends it: the rest is its business.
  TFolderListing fewer = Listing({files.begin(), files.begin() + 2});
  fewer.sequence = 2;
  slice = SyncFolder(list, folders, fewer, {}, none, TJoinSlice{1});
  EXPECT_EQ(list.Count(), 2);
  EXPECT_FALSE(ResumeFolderSync(list, folders, listing, {}, stale).Changed());
  EXPECT_EQ(list.Count(), 2);
}

struct MembershipCase {
  const char* path;
  const char* folder;
  bool subfolders;
  bool inside;
};

TEST(ImageListFolderSync, AnEntryBelongsToAFolderWhenItsPathLiesInside) {
  const MembershipCase cases[] = {
      {"/w/a.jpg", "/w", false, true},    {"/w/sub/a.jpg", "/w", false, false},
      {"/w/sub/a.jpg", "/w", true, true}, {"/wx/a.jpg", "/w", true, false},
      {"/w", "/w", true, false},          {"/w/", "/w", true, false},
      {"/a.jpg", "/", false, true},       {"/w/a.jpg", "/", false, false},
      {"/w/a.jpg", "/", true, true},      {"relative/a.jpg", "/", true, false},
  };
  for (const MembershipCase& c : cases) {
    SCOPED_TRACE(std::string(c.path) + " in " + c.folder);
    EXPECT_EQ(LiesInFolder(c.path, c.folder, c.subfolders), c.inside);
  }
}

TEST(ImageListFolderSync, AChosenFolderIsKeptWithoutItsTrailingSlashOrRefused) {
  const std::pair<const char*, const char*> cases[] = {
      {"/home/u/Pictures/", "/home/u/Pictures"},
      {"/", "/"},
      {"//", "/"},
      {"relative", ""},
      {"", ""},
      {"/a=b", ""},
      {"/a\nb", ""},
  };
  for (const auto& [chosen, kept] : cases) EXPECT_EQ(WatchableFolder(chosen), kept) << chosen;
  TWatchedFolders folders;
  EXPECT_TRUE(folders.Add("/w/", true));
  EXPECT_FALSE(folders.Add("/w", false));
  EXPECT_FALSE(folders.Add("/a=b", false));
  EXPECT_EQ(folders.Folders().size(), 1u);
}

TEST(ImageListFolderSync, TheFolderTakesThePicturesTheProgramReads) {
  const std::pair<const char*, TFileVerdict> cases[] = {
      {"/w/a.jpg", TFileVerdict::Take},
      {"/w/a.JPEG", TFileVerdict::Take},
      {"/w/a.Png", TFileVerdict::Take},
      {"/w/a.webp", TFileVerdict::Take},
      {"/w/a.gif", TFileVerdict::Take},
      {"/w/a.bmp", TFileVerdict::Take},
      {"/w/a.txt", TFileVerdict::Ignore},
      {"/w/jpg", TFileVerdict::Ignore},
      {"/w/a.jpg.part", TFileVerdict::Ignore},
      {"/w/Tesserina Convert.BMP", TFileVerdict::Ignore},
      {"/w/tesserina convert.bmp", TFileVerdict::Ignore},
      {"/w/a=b.jpg", TFileVerdict::Skip},
  };
  for (const auto& [path, verdict] : cases) EXPECT_EQ(FolderPictureVerdict(path), verdict) << path;
}

}  // namespace
