// The list's load and save through section "Bitmaps".
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "config/ConfigKeys.h"
#include "imagelist/ListFile.h"

namespace {

TStoredDisp Decode(const TBigIniFile& ini, const std::string& name, const std::string& stored, bool randomCycle) {
  return ReadStoredDisp(ini, name, stored, randomCycle, DispObj::Center);
}

}  // namespace

TEST(ImageListFile, SavedListReadsBackWithMethodsAndMarks) {
  QTemporaryDir dir;
  TBigIniFile ini((dir.path() + "/t.INI").toStdString());
  TImageList list;
  list.SetSorted(false);
  list.Append({"/p/z.jpg", DispObj::Tile, 1});
  list.Append({"/p/a.bmp", DispObj::RatioStretch, 0});
  list.Append({"/p/m.png", DispObj::Stretch, 1});
  int unresolved = 0;
  const auto reader = [&ini](const std::string& name, const std::string& stored) {
    return Decode(ini, name, stored, true);
  };
  SaveBitmaps(
      ini, list, true, [](DispObj code) { return std::string(DispText(code)); }, reader, [&] { ++unresolved; });
  EXPECT_EQ(unresolved, 0);

  TImageList loaded;
  loaded.SetSorted(false);
  int painted = 0;
  EXPECT_TRUE(LoadBitmaps(loaded, ini, reader, [&] { ++painted; }));
  ASSERT_EQ(loaded.Count(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(loaded.At(i).fileName, list.At(i).fileName);
    EXPECT_EQ(loaded.At(i).disp, list.At(i).disp) << i;
    EXPECT_EQ(loaded.At(i).mark, list.At(i).mark) << i;
  }
  EXPECT_EQ(painted, 1);

  // Saved again with a method that was never resolved, the entry is looked up in the section
  // as rebuilt so far, which does not hold it yet: it takes the default, and the user is told.
  loaded.SetDisp(1, DispObj::None);
  SaveBitmaps(
      ini, loaded, true, [](DispObj code) { return std::string(DispText(code)); }, reader, [&] { ++unresolved; });
  EXPECT_EQ(unresolved, 1);
  EXPECT_EQ(Decode(ini, "/p/a.bmp", "", true).disp, DispObj::Center);
  EXPECT_EQ(Decode(ini, "/p/z.jpg", "", true).disp, DispObj::Tile);
}

TEST(ImageListFile, NoEntryShownAndALongListKeepsTheWindowPainting) {
  QTemporaryDir dir;
  TBigIniFile ini((dir.path() + "/t.INI").toStdString());
  for (int i = 0; i < 250; ++i) ini.WriteString(BitmapsSection, "/p/" + std::to_string(i) + ".bmp", "TILE");
  TImageList list;
  int painted = 0;
  const auto reader = [&ini](const std::string& name, const std::string& stored) {
    return Decode(ini, name, stored, false);
  };
  EXPECT_FALSE(LoadBitmaps(list, ini, reader, [&] { ++painted; }));
  EXPECT_EQ(list.Count(), 250);
  EXPECT_EQ(painted, 3);
}

TEST(ImageListFile, StoredMethodComesFromTheValueOrElseFromTheEntrysLine) {
  const TBigIniFile ini("", "[Bitmaps]\r\n/p/a.bmp=STRETCH.MARKED\r\n/p/b.bmp=\r\n[Info]\r\n/p/c.bmp=TILE\r\n");
  struct Case {
    std::string name;
    std::string stored;
    bool randomCycle;
    DispObj disp;
    std::int32_t mark;
  };
  const Case cases[] = {
      {"/p/a.bmp", "DOUBLE_TILE.NOT", true, DispObj::DoubleTile, 0},
      {"/p/a.bmp", "", true, DispObj::Stretch, 1},
      {"/P/A.BMP", "", true, DispObj::Stretch, 1},
      {"/p/a.bmp", "", false, DispObj::Stretch, 0},
      {"/p/b.bmp", "", true, DispObj::Center, 0},
      {"/p/c.bmp", "", true, DispObj::Center, 0},
      {"/p/none.bmp", "", true, DispObj::Center, 0},
      {"/p/none.bmp", "MIRROR_TILE.MARKED", true, DispObj::MirrorTile, 1},
  };
  for (const Case& c : cases) {
    const TStoredDisp stored = ReadStoredDisp(ini, c.name, c.stored, c.randomCycle, DispObj::Center);
    EXPECT_EQ(stored.disp, c.disp) << c.name << " " << c.stored;
    EXPECT_EQ(stored.mark, c.mark) << c.name << " " << c.stored;
  }
}
