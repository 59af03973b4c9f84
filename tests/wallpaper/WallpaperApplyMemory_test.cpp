// ApplyToDesktop on a desktop that draws the converted picture from memory: the screen is
// shown the picture (or the centred part of it) before the converted file is written, and
// the file is still written whole, whatever the desktop does.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <map>
#include <optional>
#include <stdexcept>
#include <vector>

#include "picture/BmpFile.h"
#include "picture/PictureTestTools.h"
#include "wallpaper/ConvertedBitmap.h"
#include "wallpaper/WallpaperApply.h"

namespace {

const QSize Screen(64, 48);
const QByteArray OldConverted = "previous contents";

enum class Memory { Draws, Refuses, Fails, ReadsTheFile };

class TMemoryDrawingDesktop final : public IDesktopWallpaper {
 public:
  TMemoryDrawingDesktop(Memory memory, std::string convertFile) : memory_(memory), file_(std::move(convertFile)) {}
  void OpenKey() override { calls.push_back("OpenKey"); }
  void SetValue(const std::string& name, const std::string& value) override { calls.push_back(name + "=" + value); }
  std::optional<std::string> GetValue(const std::string&) override { return std::nullopt; }
  void Reload() override { calls.push_back(std::string("Reload") + (Written() ? "" : ", file not written")); }
  bool DrawsFromMemory() const override { return memory_ != Memory::ReadsTheFile; }
  bool ReloadFromMemory(const WallpaperMemory& memory) override {
    calls.push_back(QString("memory %1x%2 of %3x%4")
                        .arg(memory.picture.width())
                        .arg(memory.picture.height())
                        .arg(memory.whole.width())
                        .arg(memory.whole.height())
                        .toStdString());
    shown = memory.picture;
    if (memory_ == Memory::Fails) throw TDesktopError("x11: the root background was refused");
    return memory_ == Memory::Draws;
  }

  std::vector<std::string> calls;
  QImage shown;

 private:
  bool Written() const {
    QFile file(QString::fromStdString(file_));
    return file.open(QIODevice::ReadOnly) && file.readAll() != OldConverted;
  }
  Memory memory_;
  std::string file_;
};

class WallpaperApplyMemory : public ::testing::Test {
 protected:
  void SetUp() override {
    QFile file(QString::fromStdString(convertFile));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(OldConverted);
  }
  ApplyRequest Request(DispObj code, const char* name = "photo.jpg") const {
    return {dir.filePath(name).toStdString(), code, false, convertFile, Screen};
  }
  // The centred part of the picture, as a partial decode would give it; writeWhole writes
  // the whole picture's file.
  TPartOfPicture PartSource(std::vector<std::string>& calls) {
    return {[this] { return holdsPart ? whole.size() : QSize(); },
            [this, &calls](const std::string& path) {
              calls.push_back("whole written");
              WriteBmp(whole, path);
            }};
  }

  QTemporaryDir dir;
  std::string convertFile = ConvertFileName(dir.path().toStdString());
  QImage whole = CoordinatePicture(90, 70);
  QImage part = whole.copy(13, 11, 64, 48);
  bool holdsPart = true;
};

TEST_F(WallpaperApplyMemory, ShownWithoutWaitingForTheFile) {
  using enum DispObj;
  const struct {
    const char* what;
    DispObj code;
    Memory memory;
    bool fromPart;
    std::vector<std::string> calls;
    bool throws;
  } rows[] = {
      {"CENTER, whole", Center, Memory::Draws, false, {"OpenKey", "memory 90x70 of 90x70", "used"}, false},
      {"STRETCH, the stretched picture",
       Stretch,
       Memory::Draws,
       false,
       {"OpenKey", "memory 64x48 of 64x48", "used"},
       false},
      {"CENTER, the part, then the whole written to the file",
       Center,
       Memory::Draws,
       true,
       {"OpenKey", "memory 64x48 of 90x70", "used", "whole written"},
       false},
      {"refused: the file is written, then read",
       Center,
       Memory::Refuses,
       true,
       {"OpenKey", "memory 64x48 of 90x70", "used", "whole written", "Reload"},
       false},
      {"failed: the file is written all the same",
       Center,
       Memory::Fails,
       true,
       {"OpenKey", "memory 64x48 of 90x70", "used", "whole written"},
       true},
      {"a desktop that reads the file: as before",
       Center,
       Memory::ReadsTheFile,
       true,
       {"OpenKey", "used", "whole written", "Reload"},
       false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    SetUp();
    holdsPart = row.fromPart;
    TMemoryDrawingDesktop desktop(row.memory, convertFile);
    const auto load = [&]() -> const QImage& { return row.fromPart ? part : whole; };
    const auto used = [&] { desktop.calls.push_back("used"); };
    const auto apply = [&] { ApplyToDesktop(Request(row.code), load, desktop, used, PartSource(desktop.calls)); };
    if (row.throws)
      EXPECT_THROW(apply(), TDesktopError);
    else
      apply();
    // The values go before the desktop is told, as always.
    std::vector<std::string> calls;
    for (const std::string& call : desktop.calls)
      if (call.find('=') == std::string::npos) calls.push_back(call);
    EXPECT_EQ(calls, row.calls);
    const QImage file = ReadBmp(convertFile);
    EXPECT_TRUE(SamePixels(file, row.code == Stretch ? StretchPicture(whole, Screen) : whole));
    if (row.memory != Memory::ReadsTheFile) {
      EXPECT_TRUE(SamePixels(desktop.shown,
                             row.code == Stretch ? StretchPicture(whole, Screen) : (row.fromPart ? part : whole)));
    }
  }
}

// A picture with transparency is not shown from memory: the 24-bit file shows it over black.
TEST_F(WallpaperApplyMemory, TransparentPictureIsReadBackFromTheFile) {
  holdsPart = false;
  QImage transparent = whole.convertToFormat(QImage::Format_ARGB32);
  transparent.setPixel(0, 0, qRgba(10, 20, 30, 0));
  TMemoryDrawingDesktop desktop(Memory::Draws, convertFile);
  ApplyToDesktop(
      Request(DispObj::Center, "photo.png"), [&]() -> const QImage& { return transparent; }, desktop);
  EXPECT_EQ(desktop.calls.back(), "Reload");
  EXPECT_TRUE(desktop.shown.isNull());
}

TEST(CenterTargetFor, OnlyCentreOfAConvertedPicture) {
  using enum DispObj;
  const QSize largest(2560, 1440);
  const TDecodeTarget centred{largest, false, DecodeUse::Centred};
  const struct {
    DispObj code;
    const char* name;
    bool plus;
    std::optional<TDecodeTarget> target;
  } rows[] = {
      {Center, "/p/photo.jpg", false, centred},
      {Center, "/p/photo.JPEG", true, centred},
      {Center, "/p/photo.bmp", false, std::nullopt},  // handed to the desktop as it is
      {Stretch, "/p/photo.jpg", false, std::nullopt},
      {Tile, "/p/photo.jpg", false, std::nullopt},
      {RatioStretch, "/p/photo.jpg", false, std::nullopt},
      {MirrorTile, "/p/photo.jpg", false, std::nullopt},
      {None, "/p/photo.jpg", false, std::nullopt},
  };
  for (const auto& row : rows)
    EXPECT_EQ(CenterTargetFor({row.name, row.code, row.plus, "/p/c.BMP", {1920, 1080}}, largest), row.target)
        << DispText(row.code) << " " << row.name;
}

TEST(LargestMonitor, EachAxisOnItsOwn) {
  const struct {
    std::vector<TMonitor> monitors;
    QSize largest;
  } rows[] = {
      {{}, {1920, 1080}},
      {{{"a", {0, 0, 1280, 1024}, true}}, {1280, 1024}},
      {{{"a", {0, 0, 2560, 1080}, true}, {"b", {2560, 0, 1080, 1920}, false}}, {2560, 1920}},
  };
  for (const auto& row : rows) EXPECT_EQ(LargestMonitor(row.monitors, {1920, 1080}), row.largest);
}

}  // namespace
