// The watched folders in the configuration file, and a sync's edits of the stored list.
#include <gtest/gtest.h>

#include <string>

#include "config/ConfigKeys.h"
#include "imagelist/FolderFile.h"

namespace {

std::string Text(DispObj code) { return std::string(DispText(code)); }

TEST(ImageListFolderFile, FoldersAndExclusionsReadBackAfterBitmaps) {
  TBigIniFile ini("", "[Info]\r\nX=1\r\n\r\n[Bitmaps]\r\n/w/a.jpg=TILE\r\n\r\n");
  TWatchedFolders folders;
  folders.Add("/w", true);
  folders.Add("/flat", false);
  folders.Exclude("/w/sub/out.jpg");
  folders.Exclude("/not/watched.jpg");
  SaveFolders(ini, folders);
  EXPECT_EQ(ini.FileText(),
            "[Info]\r\nX=1\r\n\r\n[Bitmaps]\r\n/w/a.jpg=TILE\r\n\r\n"
            "[Folders]\r\n/w=1\r\n/flat=0\r\n\r\n[Excluded]\r\n/w/sub/out.jpg=\r\n\r\n");

  TWatchedFolders loaded = LoadFolders(ini);
  ASSERT_EQ(loaded.Folders().size(), 2u);
  EXPECT_EQ(loaded.Folders()[0].folder, "/w");
  EXPECT_TRUE(loaded.Folders()[0].subfolders);
  EXPECT_FALSE(loaded.Folders()[1].subfolders);
  EXPECT_TRUE(loaded.Excluded("/w/sub/out.jpg"));
  EXPECT_EQ(loaded.ExcludedPaths().size(), 1u);
}

TEST(ImageListFolderFile, AFileWithoutFoldersKeepsItsBytes) {
  const std::string text = "[Info]\r\nX=1\r\n\r\n[Bitmaps]\r\n/w/a.jpg=TILE\r\n\r\n";
  TBigIniFile ini("", text);
  SaveFolders(ini, TWatchedFolders());
  EXPECT_EQ(ini.FileText(), text);
  EXPECT_FALSE(ini.Modified());
}

TEST(ImageListFolderFile, RemovingTheLastFolderRemovesBothSections) {
  TBigIniFile ini("", "[Bitmaps]\r\n/w/a.jpg=TILE\r\n\r\n[Folders]\r\n/w=1\r\n\r\n[Excluded]\r\n/w/b.jpg=\r\n\r\n");
  TWatchedFolders folders = LoadFolders(ini);
  folders.Remove("/w");
  EXPECT_TRUE(folders.ExcludedPaths().empty());
  SaveFolders(ini, folders);
  EXPECT_EQ(ini.FileText(), "[Bitmaps]\r\n/w/a.jpg=TILE\r\n\r\n");
}

TEST(ImageListFolderFile, AnUnreadableFolderLineIsPassedOver) {
  TBigIniFile ini("", "[Folders]\r\nrelative=1\r\n/w/=0\r\n\r\n");
  const TWatchedFolders folders = LoadFolders(ini);
  ASSERT_EQ(folders.Folders().size(), 1u);
  EXPECT_EQ(folders.Folders()[0].folder, "/w");
  EXPECT_FALSE(folders.Folders()[0].subfolders);
}

TEST(ImageListFolderFile, ASyncReachesTheStoredListOnlyForASavedFolder) {
  TFolderSyncResult result;
  result.joined.push_back({"/w/new.jpg", DispObj::Stretch, 0});
  result.left.push_back("/w/gone.jpg");
  {
    TBigIniFile ini("", "[Bitmaps]\r\n/w/gone.jpg=TILE.MARKED\r\n/x/b.jpg=TILE.NOT\r\n\r\n[Folders]\r\n/w=1\r\n\r\n");
    StoreSync(ini, "/w", result, Text, true);
    EXPECT_EQ(ini.ReadString(BitmapsSection, "/w/gone.jpg", "none"), "none");
    EXPECT_EQ(ini.ReadString(BitmapsSection, "/w/new.jpg", "none"), "STRETCH.NOT");
    EXPECT_EQ(ini.ReadString(BitmapsSection, "/x/b.jpg", "none"), "TILE.NOT");
  }
  {
    const std::string text = "[Bitmaps]\r\n/w/gone.jpg=TILE\r\n\r\n";
    TBigIniFile ini("", text);
    StoreSync(ini, "/w", result, Text, false);
    EXPECT_EQ(ini.FileText(), text);
  }
}

}  // namespace
