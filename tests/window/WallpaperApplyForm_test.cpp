// Applying through the real main window: the adapter reads the entry and the options, the
// change is recorded, and a display change remakes only a program-stretched wallpaper.
#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>

#include "config/BigIni.h"
#include "picture/BmpFile.h"
#include "picture/JpegDecoder.h"
#include "picture/PictureErrors.h"
#include "picture/PictureTestTools.h"
#include "wallpaper/Compositions.h"
#include "wallpaper/ConvertedBitmap.h"
#include "window/FormFixture.h"

namespace {

class ApplyForm : public FormTest {
 protected:
  void SetUp() override {
    QByteArray ini =
        "[Info]\r\nDisplay Order=" + QByteArray(order) + "\r\nPlus! Installed=0\r\nSortImages=0\r\n\r\n[Bitmaps]\r\n";
    for (const auto& [source, name, method] : entries) {
      const QString target = dir.filePath(name);
      ASSERT_TRUE(QFile::copy(QString::fromStdString(DataFile(source)), target));
      ini += target.toLocal8Bit() + "=" + method + ".NOT\r\n";
    }
    OpenWith(ini);
  }

  std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }
  std::string Converted() const { return ConvertFileName(dir.path().toStdString()); }

  void Select(int row) {
    TImageList& list = form->ImageList();
    list.ClearSelection();
    list.SetSelected(row, true);
    list.SetFocused(row);
    form->ListChanged();
  }

  std::string Info(const char* key) const { return form->Ini().ReadString("Info", key, "(none)"); }

  struct Entry {
    const char* source;
    const char* name;
    const char* method;
  };
  const char* order = "SEQUENTIAL";
  std::vector<Entry> entries = {{"ok/baseline.jpg", "photo.jpg", "CENTER"},
                                {"bad/random.bmp", "bad.bmp", "TILE"},
                                {"ok/rose24.bmp", "rose.bmp", "STRETCH"},
                                {"ok/rose8.bmp", "mirror.bmp", "MIRROR_TILE"}};
};

TEST_F(ApplyForm, ApplyHandsTheEntryOverAndRecordsTheChange) {
  Select(0);
  form->ApplyClick(form->Apply);
  EXPECT_EQ(desktop.values["Wallpaper"], Converted());
  EXPECT_EQ(desktop.values["WallpaperStyle"], "0");
  EXPECT_EQ(desktop.values["TileWallpaper"], "0");
  EXPECT_TRUE(SamePixels(ReadBmp(Converted()), DecodeJpeg(DataFile("ok/baseline.jpg"))));
  EXPECT_EQ(form->Agent().State().LastImageNm, Path("photo.jpg"));
  EXPECT_EQ(form->Agent().State().LastDispStr, "CENTER");
  EXPECT_EQ(form->Agent().State().LastChgDateTime, clock.now);
  EXPECT_EQ(form->Agent().State().ExecSinceChg, 0);
  EXPECT_TRUE(form->Agent().State().ExecCounted);
  EXPECT_EQ(Info("ExecSinceChg"), "0");
  EXPECT_EQ(Info("LastImageNm"), Path("photo.jpg"));
  EXPECT_EQ(Info("LastDispStr"), "CENTER");
  EXPECT_NE(Info("LastChgDateTime"), "(none)");
  EXPECT_EQ(form->Busy().Count(), 0);
  EXPECT_TRUE(messages.asked.empty());
}

TEST_F(ApplyForm, SpecialMethodsHandOverTheComposition) {
  Select(3);
  form->ApplyClick(form->Apply);
  EXPECT_EQ(desktop.values["Wallpaper"], Converted());
  EXPECT_EQ(desktop.values["TileWallpaper"], "1");
  EXPECT_TRUE(SamePixels(ReadBmp(Converted()), BuildMirrorTile(ReadBmp(Path("mirror.bmp")))));
}

TEST_F(ApplyForm, StretchIsMadeForTheScreen) {
  Select(2);
  form->ApplyClick(form->Apply);
  EXPECT_TRUE(SamePixels(ReadBmp(Converted()), StretchPicture(ReadBmp(Path("rose.bmp")), QSize(1024, 768))));
  form->PlusInstalled->setChecked(true);
  form->ApplyClick(form->Apply);
  EXPECT_EQ(desktop.values["WallpaperStyle"], "2");
  EXPECT_TRUE(SamePixels(ReadBmp(Converted()), ReadBmp(Path("rose.bmp"))));
}

TEST_F(ApplyForm, InvalidBitmapStopsBeforeTheDesktopAndTheFile) {
  Select(1);
  desktop.values.clear();
  EXPECT_THROW(form->ApplyClick(form->Apply), TInvalidBitmap);
  EXPECT_TRUE(desktop.values.empty());
  EXPECT_EQ(form->Agent().State().LastImageNm, Path("bad.bmp")) << "the record in memory is already updated";
  EXPECT_EQ(Info("LastImageNm"), "(none)") << "the configuration is not written";
  EXPECT_EQ(form->Busy().Count(), 0);

  form->ApplyClick(form->Apply);
  EXPECT_EQ(desktop.values["Wallpaper"], Path("bad.bmp")) << "the second attempt goes on with the empty picture";
  EXPECT_EQ(desktop.values["TileWallpaper"], "1");
}

TEST_F(ApplyForm, DisplayChangeRemakesOnlyAProgramStretch) {
  Select(2);
  form->ApplyClick(form->Apply);
  const double recorded = form->Agent().State().LastChgDateTime;
  clock.now += 1;
  form->Agent().SetRunning(true);

  screen.SetScreenSize(QSize(800, 600));
  form->WMDisplayChange();
  EXPECT_EQ(ReadBmp(Converted()).size(), QSize(800, 600));
  EXPECT_EQ(form->Agent().State().LastChgDateTime, recorded) << "nothing is recorded";

  const std::pair<const char*, std::function<void()>> unchanged[] = {
      {"agent not running", [&] { form->Agent().SetRunning(false); }},
      {"Plus! installed", [&] { form->PlusInstalled->setChecked(true); }},
      {"another method", [&] { form->Agent().State().LastDispStr = "RATIO_STRETCH"; }},
  };
  for (const auto& [why, arrange] : unchanged) {
    form->Agent().SetRunning(true);
    form->PlusInstalled->setChecked(false);
    form->Agent().State().LastDispStr = "STRETCH";
    arrange();
    screen.SetScreenSize(QSize(640, 480));
    form->WMDisplayChange();
    EXPECT_EQ(ReadBmp(Converted()).size(), QSize(800, 600)) << why;
  }
}

class ApplyFormRandomCycle : public ApplyForm {
 public:
  ApplyFormRandomCycle() { order = "RANDOM_CYCLE"; }
};

TEST_F(ApplyFormRandomCycle, AppliedEntryIsMarked) {
  Select(2);
  ASSERT_FALSE(form->Save->isEnabled());
  form->ApplyClick(form->Apply);
  EXPECT_EQ(form->ImageList().At(2).mark, 1);
  EXPECT_EQ(form->ImageList().At(0).mark, 0);
  EXPECT_TRUE(form->ResetMarked->isEnabled());
  EXPECT_TRUE(form->Save->isEnabled());
}

}  // namespace
