// Dark partners: their section in the configuration file, which picture an entry shows, the
// user's edits, and which names a watched folder takes.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "config/ConfigKeys.h"
#include "imagelist/DarkFile.h"
#include "imagelist/DarkPartner.h"
#include "imagelist/FolderPictures.h"
#include "imagelist/ListFile.h"

namespace {

const TDispReader kReader = [](const std::string&, const std::string& value) {
  return DecodeBitmapsValue(value, false, DispObj::Center);
};

std::string DispName(DispObj code) { return std::string(DispText(code)); }

// The file's text after the list was loaded from text, edit ran on it, and it was saved.
std::string SavedAfter(const std::string& text, const std::function<void(TImageList&)>& edit) {
  TBigIniFile ini("", text);
  TImageList list;
  list.SetSorted(false);
  LoadBitmaps(list, ini, kReader, [] {});
  edit(list);
  SaveBitmaps(ini, list, false, DispName, kReader, [] {});
  return ini.FileText();
}

TEST(ImageListDark, SavingKeepsTheFileAsItStandsOrWritesOnlyThePartners) {
  // Files as the program writes them.
  const std::string plain =
      "[Info]\r\nTriggerQty=5\r\n\r\n[Bitmaps]\r\n/p/a.jpg=TILE.NOT\r\n/p/"
      "b.png=CENTER.NOT\r\n\r\n[Later]\r\nx=1\r\n\r\n";
  const std::string paired = plain + "[Dark]\r\n/p/a.jpg=/p/a-dark.jpg\r\n\r\n";
  struct Case {
    const char* what;
    std::string before;
    std::function<void(TImageList&)> edit;
    std::string after;
  };
  const Case cases[] = {
      {"no partner: the bytes stay", plain, [](TImageList&) {}, plain},
      {"a first partner: a new section after the others", plain,
       [](TImageList& list) { list.SetDark(0, "/p/a-dark.jpg"); }, paired},
      {"partners read back and saved again: the bytes stay", paired, [](TImageList&) {}, paired},
      {"the last partner cleared: the section goes", paired, [](TImageList& list) { list.SetDark(0, ""); }, plain},
      {"the entry removed: its partner goes with it", paired, [](TImageList& list) { list.Delete(0); },
       "[Info]\r\nTriggerQty=5\r\n\r\n[Bitmaps]\r\n/p/b.png=CENTER.NOT\r\n\r\n[Later]\r\nx=1\r\n\r\n"},
      {"another partner for the same entry keeps its line's place", paired,
       [](TImageList& list) {
         list.SetDark(1, "/p/b_night.png");
         list.SetDark(0, "/p/other.jpg");
       },
       plain + "[Dark]\r\n/p/a.jpg=/p/other.jpg\r\n/p/b.png=/p/b_night.png\r\n\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(SavedAfter(c.before, c.edit), c.after) << c.what;
}

TEST(ImageListDark, LoadGivesEachEntryItsPartnerInAnyLetterCase) {
  const TBigIniFile ini("",
                        "[Bitmaps]\r\n/p/A.jpg=TILE\r\n/p/b.png=CENTER\r\n[Dark]\r\n/p/a.JPG=/p/a-d.jpg\r\n"
                        "/p/gone.jpg=/p/gone-d.jpg\r\n/p/b.png=\r\n");
  TImageList list;
  LoadBitmaps(list, ini, kReader, [] {});
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.At(list.Find("/p/A.jpg")).dark, "/p/a-d.jpg");
  EXPECT_EQ(list.At(list.Find("/p/b.png")).dark, "");
  EXPECT_FALSE(list.Contains("/p/gone.jpg"));
  EXPECT_FALSE(list.Contains("/p/a-d.jpg"));
}

TEST(ImageListDark, TheEntryShowsWhereItHasNoPartnerThereOrTheDesktopIsLight) {
  const std::set<std::string> there = {"/p/a.jpg", "/p/a-d.jpg", "/p/c.jpg"};
  const auto exists = [&](const std::string& path) { return there.count(path) > 0; };
  struct Case {
    ImageEntry entry;
    bool dark;
    std::string shown;
  };
  const Case cases[] = {
      {{"/p/a.jpg", DispObj::Tile, -1, "/p/a-d.jpg"}, true, "/p/a-d.jpg"},
      {{"/p/a.jpg", DispObj::Tile, -1, "/p/a-d.jpg"}, false, "/p/a.jpg"},
      {{"/p/c.jpg", DispObj::Tile, -1, ""}, true, "/p/c.jpg"},
      // The partner's disk is away: the entry shows.
      {{"/p/c.jpg", DispObj::Tile, -1, "/media/away/c-d.jpg"}, true, "/p/c.jpg"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ShownPicture(c.entry, c.dark, exists), c.shown) << c.entry.fileName << " dark " << c.dark;
}

TEST(ImageListDark, EditsOfThePartnerByHand) {
  TImageList list;
  list.SetSorted(false);
  list.Append({"/p/a.jpg", DispObj::Tile, -1});
  list.Append({"/p/b.jpg", DispObj::Tile, -1, "/p/b-d.jpg"});
  list.Append({"/p/c.jpg", DispObj::Tile, -1});

  EXPECT_EQ(SetCurrentPartner(list, "/p/x.jpg"), "No image is selected.");
  EXPECT_FALSE(PartnerItems(list).set);
  list.SetSelected(0, true);
  EXPECT_TRUE(PartnerItems(list).set);
  EXPECT_FALSE(PartnerItems(list).clear);
  EXPECT_EQ(SetCurrentPartner(list, "/P/A.JPG"), "A picture cannot be its own dark picture.");
  EXPECT_EQ(SetCurrentPartner(list, "/p/a=b.jpg"), "The configuration file cannot keep the name /p/a=b.jpg.");
  EXPECT_EQ(list.At(0).dark, "");
  EXPECT_EQ(SetCurrentPartner(list, "/q/night.png"), "");
  EXPECT_EQ(list.At(0).dark, "/q/night.png");
  EXPECT_EQ(PartnerMark(list.At(0)), "  [dark: night.png]");
  EXPECT_EQ(PartnerMark(list.At(2)), "");

  // Two selected: no choice for both at once, but both lose their partners.
  list.SetSelected(1, true);
  EXPECT_FALSE(PartnerItems(list).set);
  EXPECT_TRUE(PartnerItems(list).clear);
  EXPECT_TRUE(ClearSelectedPartners(list));
  EXPECT_EQ(list.At(0).dark, "");
  EXPECT_EQ(list.At(1).dark, "");
  EXPECT_FALSE(PartnerItems(list).clear);
  EXPECT_FALSE(ClearSelectedPartners(list));
}

TEST(ImageListDark, WatchedFoldersNeverTakeTheConvertedFiles) {
  const std::pair<const char*, bool> rows[] = {
      {"/w/Tesserina Convert.BMP", false},      {"/w/tesserina convert dark.bmp", false},
      {"/w/Tesserina Convert Dark.BMP", false}, {"/w/Tesserina Convert 2.BMP", false},
      {"/w/Tesserina Convert 12.bmp", false},   {"/w/Tesserina Convert Darker.BMP", true},
      {"/w/Tesserina Convert 02.BMP", true},    {"/w/sea-dark.bmp", true},
  };
  for (const auto& [path, taken] : rows) EXPECT_EQ(IsPictureName(path), taken) << path;
}

}  // namespace
