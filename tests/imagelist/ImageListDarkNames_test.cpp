// Dark partners found by name in a watched folder, and a sync that gives them to their entries.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "imagelist/DarkNames.h"
#include "imagelist/FolderShape.h"
#include "imagelist/FolderSync.h"

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

// The pairs PairByName finds among files, by name.
Pairs PairsOf(const std::vector<std::string>& files) {
  Pairs pairs;
  for (const auto& [light, dark] : PairByName(files)) pairs.emplace_back(files[light], files[dark]);
  return pairs;
}

TEST(ImageListDarkNames, EverySuffixInAnyLetterCasePairsWithItsTwin) {
  const char* const darkSuffixes[] = {"-d", "_d", "-dark", "_dark", "-night", "_night", "-D", "_DARK", "-Night"};
  const char* const lightSuffixes[] = {"-l", "_l", "-light", "_light", "-day", "_day", "-L", "_LIGHT", "-Day", ""};
  for (const char* dark : darkSuffixes)
    for (const char* light : lightSuffixes) {
      const std::string lightName = std::string("/w/Sea") + light + ".jpg";
      const std::string darkName = std::string("/w/sea") + dark + ".PNG";
      EXPECT_EQ(PairsOf({lightName, darkName}), (Pairs{{lightName, darkName}})) << lightName << " " << darkName;
    }
}

TEST(ImageListDarkNames, WhichPicturesPair) {
  struct Case {
    const char* what;
    std::vector<std::string> files;
    Pairs pairs;
  };
  const Case cases[] = {
      {"a light-named twin comes before the bare stem",
       {"/w/sea.jpg", "/w/sea-dark.jpg", "/w/sea_light.jpg"},
       {{"/w/sea_light.jpg", "/w/sea-dark.jpg"}}},
      {"a dark picture without a twin pairs with nothing", {"/w/moon-dark.jpg", "/w/sea.jpg"}, {}},
      {"a twin in another folder is no twin", {"/w/a/sea.jpg", "/w/b/sea-d.jpg"}, {}},
      {"the suffix alone is no stem", {"/w/-d.jpg", "/w/.jpg"}, {}},
      {"a suffix inside the stem counts not", {"/w/sea-dark-blue.jpg", "/w/sea.jpg"}, {}},
      {"two dark ones: the first takes the twin",
       {"/w/sea.jpg", "/w/sea-d.png", "/w/sea_night.png"},
       {{"/w/sea.jpg", "/w/sea-d.png"}}},
      {"a light-named picture without a dark one", {"/w/sea-light.jpg", "/w/sea.jpg"}, {}},
      {"a name without an extension", {"/w/sea", "/w/sea-dark"}, {{"/w/sea", "/w/sea-dark"}}},
      {"GNOME's backgrounds", {"/g/adwaita-d.webp", "/g/adwaita-l.webp"}, {{"/g/adwaita-l.webp", "/g/adwaita-d.webp"}}},
  };
  for (const Case& c : cases) EXPECT_EQ(PairsOf(c.files), c.pairs) << c.what;
}

TEST(ImageListDarkNames, ASyncJoinsTheLightPictureWithItsPartnerAndTheDarkOneAlone) {
  TFolderListing listing;
  listing.request = {"/w", true};
  listing.available = true;
  listing.files = {"/w/moon-dark.jpg", "/w/sea-d.png", "/w/sea.jpg", "/w/sky.jpg"};
  ShapeListing(listing, QSize(1920, 1080), [](const std::string&) { return false; });
  EXPECT_EQ(listing.files, (std::vector<std::string>{"/w/moon-dark.jpg", "/w/sea.jpg", "/w/sky.jpg"}));
  EXPECT_EQ(listing.withheld, (std::vector<std::string>{"/w/sea-d.png"}));

  // The dark picture was an entry of its own before: it leaves, although its file is there.
  TImageList list;
  list.SetSorted(false);
  list.Append({"/w/sea-d.png", DispObj::Tile, -1});
  list.Append({"/w/sky.jpg", DispObj::Center, -1});
  TWatchedFolders folders;
  folders.Add("/w", true);
  const TFolderSyncResult result =
      SyncFolder(list, folders, listing, {DispObj::Stretch, false}, [](const std::string&) { return true; });
  EXPECT_EQ(result.left, (std::vector<std::string>{"/w/sea-d.png"}));
  ASSERT_EQ(list.Count(), 3);
  EXPECT_FALSE(list.Contains("/w/sea-d.png"));
  EXPECT_EQ(list.At(list.Find("/w/sea.jpg")).dark, "/w/sea-d.png");
  EXPECT_EQ(list.At(list.Find("/w/moon-dark.jpg")).dark, "");
  EXPECT_EQ(list.At(list.Find("/w/sky.jpg")).dark, "");
}

}  // namespace
