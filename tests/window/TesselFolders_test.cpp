// The watched folders in the properties window: pictures that appear join, deleted ones
// leave, the user's removal keeps a picture out, and none of it asks about saving; the
// Folders page's add and remove; the agent's start waits for the first listing.
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPushButton>
#include <QThread>
#include <QTreeWidget>

#include "config/BigIni.h"
#include "config/ConfigKeys.h"
#include "imagelist/DarkFile.h"
#include "imagelist/ListEdits.h"
#include "support/WaitFor.h"
#include "window/FormFixture.h"

namespace {

bool WaitWithEvents(const std::function<bool()>& done) { return WaitForEvents(done, 15000); }

class FolderFormTest : public FormTest {
 protected:
  QString Folder() const { return dir.path() + "/Wallpapers"; }
  std::string Path(const char* relative) const { return (Folder() + "/" + relative).toStdString(); }

  void Picture(const char* relative) const {
    const QString path = Folder() + "/" + relative;
    QDir().mkpath(QFileInfo(path).path());
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(path, "BMP"));
  }

  void OpenWatching(const QByteArray& extra = {}) {
    OpenWith("[Info]\r\nDefault Display=CENTER\r\n\r\n[Bitmaps]\r\n\r\n[Folders]\r\n" + Folder().toUtf8() +
             "=1\r\n\r\n" + extra);
    ASSERT_TRUE(WaitWithEvents([&] { return !form->FoldersReading(); }));
  }

  bool Listed(const std::string& path) const { return form->ImageList().Contains(path); }

  std::string Stored(const std::string& path) {
    form.reset();
    const TBigIniFile ini(IniPath());
    return ini.ReadString(BitmapsSection, path, "(none)");
  }
};

TEST_F(FolderFormTest, AWatchedFolderWithSubfoldersListsEveryPictureWithoutAnUnsavedChange) {
  Picture("a.bmp");
  Picture("deep/er/b.bmp");
  Picture(".hidden/c.bmp");
  Picture("notes.txt.bmp.part");
  OpenWatching();
  ASSERT_TRUE(WaitWithEvents([&] { return form->ImageList().Count() == 2; }));
  EXPECT_TRUE(Listed(Path("a.bmp")));
  EXPECT_TRUE(Listed(Path("deep/er/b.bmp")));
  EXPECT_EQ(form->ImageList().At(0).disp, DispObj::Center);
  EXPECT_GE(form->ImageList().FirstSelected(), 0);
  EXPECT_FALSE(form->Save->isEnabled());
  EXPECT_EQ(form->FolderList->topLevelItem(0)->text(2), "Watched");
  EXPECT_EQ(form->FolderList->topLevelItem(0)->text(3), "2");
  // The folder's edits reach the file with the agent's state, though nobody saved.
  EXPECT_EQ(Stored(Path("a.bmp")), "CENTER.NOT");
  EXPECT_TRUE(messages.asked.empty());
}

TEST_F(FolderFormTest, APictureCopiedInJoinsAndADeletedOneLeaves) {
  Picture("a.bmp");
  Picture("b.bmp");
  OpenWatching();
  ASSERT_TRUE(WaitWithEvents([&] { return form->ImageList().Count() == 2; }));
  Picture("sub/new.bmp");
  ASSERT_TRUE(QFile::remove(QString::fromStdString(Path("b.bmp"))));
  ASSERT_TRUE(WaitWithEvents([&] { return Listed(Path("sub/new.bmp")) && !Listed(Path("b.bmp")); }));
  EXPECT_FALSE(form->Save->isEnabled());
  EXPECT_EQ(Stored(Path("b.bmp")), "(none)");
  EXPECT_TRUE(messages.asked.empty());
}

TEST_F(FolderFormTest, APictureTheUserRemovedStaysOutUntilAddedByHand) {
  Picture("a.bmp");
  Picture("b.bmp");
  OpenWatching();
  ASSERT_TRUE(WaitWithEvents([&] { return form->ImageList().Count() == 2; }));
  SelectOnly(form->ImageList(), form->ImageList().Find(Path("b.bmp")));
  form->RemoveClick();
  form->SaveClick();
  form->ReloadClick();
  ASSERT_TRUE(WaitWithEvents([&] { return !form->FoldersReading(); }));
  Picture("c.bmp");
  ASSERT_TRUE(WaitWithEvents([&] { return Listed(Path("c.bmp")); }));
  EXPECT_FALSE(Listed(Path("b.bmp")));
  EXPECT_NE(IniBytes().indexOf("[Excluded]\r\n" + QByteArray::fromStdString(Path("b.bmp")) + "=\r\n"), -1);

  ASSERT_TRUE(form->AddImageFile(Path("b.bmp"), true));
  form->SaveClick();
  EXPECT_EQ(IniBytes().indexOf("[Excluded]"), -1);
}

TEST_F(FolderFormTest, AFolderRenamedAwayAndBackKeepsEveryEntryAndMethod) {
  Picture("a.bmp");
  OpenWatching();
  ASSERT_TRUE(WaitWithEvents([&] { return form->ImageList().Count() == 1; }));
  form->ImageList().SetDisp(0, DispObj::Tile);
  ASSERT_TRUE(QDir().rename(Folder(), Folder() + ".away"));
  ASSERT_TRUE(WaitWithEvents([&] { return form->FolderList->topLevelItem(0)->text(2) == "Unavailable"; }));
  EXPECT_EQ(form->ImageList().Count(), 1);
  ASSERT_TRUE(QDir().rename(Folder() + ".away", Folder()));
  ASSERT_TRUE(WaitWithEvents([&] { return form->FolderList->topLevelItem(0)->text(2) == "Watched"; }));
  ASSERT_EQ(form->ImageList().Count(), 1);
  EXPECT_EQ(form->ImageList().At(0).disp, DispObj::Tile);
}

// A wallpaper package is one entry of the size that suits the screen; when the screen's size
// changes, the entry is renamed in place to the size that suits it now, keeping its method
// and its mark, with the dark size chosen again as its partner; the file follows.
TEST_F(FolderFormTest, APackagesEntryFollowsTheScreensSizeInPlace) {
  Picture("Sea/metadata.json");
  for (const char* size : {"1920x1080", "3840x2160"}) {
    Picture(("Sea/contents/images/" + std::string(size) + ".bmp").c_str());
    Picture(("Sea/contents/images_dark/" + std::string(size) + ".bmp").c_str());
  }
  Picture("Sea/contents/screenshot.bmp");
  Picture("loose.bmp");
  screen.SetScreenSize(QSize(1920, 1080));
  const std::string small = Path("Sea/contents/images/1920x1080.bmp");
  const std::string large = Path("Sea/contents/images/3840x2160.bmp");
  OpenWith("[Info]\r\nDisplay Order=RANDOM_CYCLE\r\nLastImageNm=" + QByteArray::fromStdString(small) +
           "\r\n\r\n[Bitmaps]\r\n" + QByteArray::fromStdString(small) + "=TILE.MARKED\r\n\r\n[Folders]\r\n" +
           Folder().toUtf8() + "=1\r\n");
  ASSERT_TRUE(WaitWithEvents([&] { return !form->FoldersReading() && form->ImageList().Count() == 2; }));
  ASSERT_TRUE(Listed(small));
  EXPECT_EQ(form->ImageList().At(form->ImageList().Find(small)).dark, Path("Sea/contents/images_dark/1920x1080.bmp"));

  screen.SetScreenSize(QSize(3840, 2160));
  form->Agent().DisplayChanged();
  ASSERT_TRUE(WaitWithEvents([&] { return Listed(large); }));
  ASSERT_EQ(form->ImageList().Count(), 2) << "renamed, not joined beside the old size";
  const ImageEntry& entry = form->ImageList().At(form->ImageList().Find(large));
  EXPECT_EQ(entry.disp, DispObj::Tile);
  EXPECT_EQ(entry.mark, 1);
  EXPECT_EQ(entry.dark, Path("Sea/contents/images_dark/3840x2160.bmp"));
  EXPECT_EQ(form->Agent().State().LastImageNm, large);
  EXPECT_FALSE(form->Save->isEnabled());
  form.reset();
  const TBigIniFile ini(IniPath());
  EXPECT_EQ(ini.ReadString(BitmapsSection, large, "(none)"), "TILE.MARKED");
  EXPECT_EQ(ini.ReadString(BitmapsSection, small, "(none)"), "(none)");
  EXPECT_EQ(ini.ReadString(DarkSection, large, "(none)"), Path("Sea/contents/images_dark/3840x2160.bmp"));
  EXPECT_EQ(ini.ReadString(InfoSection, "LastImageNm", ""), large);
}

TEST_F(FolderFormTest, TheFoldersPageAddsAndRemovesAFolderAfterAConfirmation) {
  Picture("a.bmp");
  OpenWith("[Info]\r\n\r\n[Bitmaps]\r\n/elsewhere/x.bmp=TILE.NOT\r\n\r\n");
  addDialog.folder = Folder().toStdString() + "/";
  form->AddFolderClick();
  ASSERT_TRUE(WaitWithEvents([&] { return Listed(Path("a.bmp")); }));
  EXPECT_TRUE(form->Save->isEnabled());
  form->SaveClick();
  EXPECT_NE(IniBytes().indexOf("[Folders]\r\n" + Folder().toUtf8() + "=1\r\n"), -1);

  form->AddFolderClick();
  ASSERT_EQ(messages.asked.size(), 1u);
  EXPECT_NE(messages.asked.back().text.indexOf("is watched already"), -1);

  form->FolderList->setCurrentItem(form->FolderList->topLevelItem(0));
  messages.Answer(MsgAnswer::No);
  form->RemoveFolderClick();
  EXPECT_EQ(form->FolderList->topLevelItemCount(), 1);
  messages.Answer(MsgAnswer::Yes);
  form->RemoveFolderClick();
  EXPECT_NE(messages.asked.back().text.indexOf("Its 1 pictures leave the image list"), -1);
  EXPECT_EQ(form->FolderList->topLevelItemCount(), 0);
  EXPECT_FALSE(Listed(Path("a.bmp")));
  EXPECT_TRUE(Listed("/elsewhere/x.bmp"));
  form->SaveClick();
  EXPECT_EQ(IniBytes().indexOf("[Folders]"), -1);
}

TEST_F(FolderFormTest, AFolderNameTheFileCannotHoldIsRefusedWithAReason) {
  OpenWith("[Info]\r\n\r\n");
  addDialog.folder = "/tmp/a=b";
  form->AddFolderClick();
  ASSERT_EQ(messages.asked.size(), 1u);
  EXPECT_NE(messages.asked.back().text.indexOf("cannot hold a folder name"), -1);
  EXPECT_EQ(form->FolderList->topLevelItemCount(), 0);
  EXPECT_FALSE(form->Save->isEnabled());
}

TEST_F(FolderFormTest, TheAgentStartsOnceTheFolderIsListedAndShowsOneOfItsPictures) {
  Picture("a.bmp");
  OpenWith("[Info]\r\n\r\n[Bitmaps]\r\n\r\n[Folders]\r\n" + Folder().toUtf8() + "=1\r\n\r\n");
  form->TrayAvailable = [] { return true; };
  form->OKClick(form->OK);
  ASSERT_TRUE(WaitWithEvents([&] { return form->Agent().Running(); }));
  EXPECT_EQ(form->Agent().State().LastImageNm, Path("a.bmp"));
  EXPECT_TRUE(desktop.GetValue("Wallpaper").has_value());
}

}  // namespace
