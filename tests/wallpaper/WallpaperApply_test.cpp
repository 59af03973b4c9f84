#include "wallpaper/WallpaperApply.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <map>
#include <optional>
#include <vector>

#include "picture/BmpFile.h"
#include "picture/PictureErrors.h"
#include "picture/PictureTestTools.h"
#include "platform/desktop/DesktopBackend.h"
#include "platform/desktop/DesktopValues.h"
#include "platform/desktop/FileBackend.h"
#include "wallpaper/Compositions.h"
#include "wallpaper/ConvertedBitmap.h"

namespace {

// Records every call in order; a value name in failOn makes its SetValue fail as a
// registry write would.
class TRecordingDesktop final : public IDesktopWallpaper {
 public:
  void OpenKey() override {
    calls.push_back("OpenKey");
    if (failOpen) throw TDesktopError("Failed to create key Control Panel\\desktop");
  }
  void SetValue(const std::string& name, const std::string& value) override {
    calls.push_back(name + "=" + value);
    if (name == failOn) throw TDesktopError("Failed to set data for '" + name + "'");
    values[name] = value;
  }
  std::optional<std::string> GetValue(const std::string& name) override {
    const auto found = values.find(name);
    return found == values.end() ? std::nullopt : std::optional(found->second);
  }
  void Reload() override { calls.push_back("Reload"); }

  std::vector<std::string> calls;
  std::map<std::string, std::string> values;
  std::string failOn;
  bool failOpen = false;
};

enum class Kind { Bitmap, Jpeg, Gif, Png, Webp };
enum class Plus { Off, On };
enum class Target { ImageFile, Converted };
enum class Content { Untouched, AsIs, Stretched };

struct Row {
  DispObj code;
  Kind kind;
  Plus plus;
  Target wallpaper;
  std::optional<std::string> style;
  std::string tile;
  Content content;
};

const QSize Screen(64, 48);
const char* const OldStyle = "7";
const QByteArray OldConverted = "previous contents";

class WallpaperApply : public ::testing::Test {
 protected:
  ApplyRequest Request(DispObj code, std::string name, Plus plus) const {
    return {std::move(name), code, plus == Plus::On, convertFile, Screen};
  }
  std::string ImageName(Kind kind) const {
    const char* names[] = {"photo.bmp", "photo.jpeg", "photo.Gif", "photo.PNG", "photo.webp"};
    return dir.filePath(names[static_cast<int>(kind)]).toStdString();
  }
  void ResetConverted() const {
    QFile file(QString::fromStdString(convertFile));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(OldConverted);
  }
  QByteArray Converted() const {
    QFile file(QString::fromStdString(convertFile));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir dir;
  std::string convertFile = ConvertFileName(dir.path().toStdString());
  QImage picture = CoordinatePicture(30, 20);
  std::function<const QImage&()> load = [this]() -> const QImage& { return picture; };
};

TEST_F(WallpaperApply, OutcomeForEveryMethod) {
  using enum DispObj;
  const Row rows[] = {
      {Tile, Kind::Bitmap, Plus::Off, Target::ImageFile, std::nullopt, "1", Content::Untouched},
      {Tile, Kind::Bitmap, Plus::On, Target::ImageFile, std::nullopt, "1", Content::Untouched},
      {Tile, Kind::Jpeg, Plus::Off, Target::Converted, std::nullopt, "1", Content::AsIs},
      {Tile, Kind::Gif, Plus::On, Target::Converted, std::nullopt, "1", Content::AsIs},
      {Tile, Kind::Png, Plus::Off, Target::Converted, std::nullopt, "1", Content::AsIs},
      {Tile, Kind::Webp, Plus::On, Target::Converted, std::nullopt, "1", Content::AsIs},
      {Center, Kind::Bitmap, Plus::Off, Target::ImageFile, "0", "0", Content::Untouched},
      {Center, Kind::Bitmap, Plus::On, Target::ImageFile, "0", "0", Content::Untouched},
      {Center, Kind::Jpeg, Plus::Off, Target::Converted, "0", "0", Content::AsIs},
      {Center, Kind::Gif, Plus::On, Target::Converted, "0", "0", Content::AsIs},
      {Center, Kind::Png, Plus::On, Target::Converted, "0", "0", Content::AsIs},
      {Center, Kind::Webp, Plus::Off, Target::Converted, "0", "0", Content::AsIs},
      {Stretch, Kind::Webp, Plus::Off, Target::Converted, "0", "0", Content::Stretched},
      {Stretch, Kind::Bitmap, Plus::Off, Target::Converted, "0", "0", Content::Stretched},
      {Stretch, Kind::Jpeg, Plus::Off, Target::Converted, "0", "0", Content::Stretched},
      {Stretch, Kind::Gif, Plus::Off, Target::Converted, "0", "0", Content::Stretched},
      {Stretch, Kind::Bitmap, Plus::On, Target::Converted, "2", "0", Content::AsIs},
      {Stretch, Kind::Jpeg, Plus::On, Target::Converted, "2", "0", Content::AsIs},
      {MirrorTile, Kind::Bitmap, Plus::Off, Target::Converted, std::nullopt, "1", Content::AsIs},
      {BrickTile, Kind::Jpeg, Plus::On, Target::Converted, std::nullopt, "1", Content::AsIs},
      {DoubleTile, Kind::Gif, Plus::Off, Target::Converted, std::nullopt, "1", Content::AsIs},
      {DoubleTile, Kind::Bitmap, Plus::On, Target::Converted, std::nullopt, "1", Content::AsIs},
      {RatioStretch, Kind::Bitmap, Plus::Off, Target::Converted, "0", "0", Content::Stretched},
      {RatioStretch, Kind::Gif, Plus::Off, Target::Converted, "0", "0", Content::Stretched},
      {RatioStretch, Kind::Jpeg, Plus::On, Target::Converted, "2", "0", Content::AsIs},
      {RatioStretch, Kind::Bitmap, Plus::On, Target::Converted, "2", "0", Content::AsIs},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(DispText(row.code)) + " " + ImageName(row.kind) + (row.plus == Plus::On ? " plus" : ""));
    ResetConverted();
    TRecordingDesktop desktop;
    desktop.values["WallpaperStyle"] = OldStyle;
    const std::string name = ImageName(row.kind);
    ApplyToDesktop(Request(row.code, name, row.plus), load, desktop);

    const std::string wallpaper = row.wallpaper == Target::ImageFile ? name : convertFile;
    std::vector<std::string> expected = {"OpenKey", "Wallpaper=" + wallpaper};
    if (row.style) expected.push_back("WallpaperStyle=" + *row.style);
    expected.push_back("TileWallpaper=" + row.tile);
    expected.push_back("Reload");
    EXPECT_EQ(desktop.calls, expected);
    EXPECT_EQ(desktop.values["WallpaperStyle"], row.style.value_or(OldStyle));

    switch (row.content) {
      case Content::Untouched:
        EXPECT_EQ(Converted(), OldConverted);
        break;
      case Content::AsIs:
        EXPECT_TRUE(SamePixels(ReadBmp(convertFile), picture));
        break;
      case Content::Stretched:
        EXPECT_TRUE(SamePixels(ReadBmp(convertFile), StretchPicture(picture, Screen)));
        break;
    }
  }
}

// The picture is in use from its load to the converted file's write, and no longer when
// the values are stored and the desktop reloads.
// Only a picture the program itself stretches to the screen may be decoded reduced: the
// converted file of every other method holds the picture, or its composition, whole.
TEST_F(WallpaperApply, DecodeTargetOnlyWhenTheProgramStretches) {
  using enum DispObj;
  const TDecodeTarget screen{Screen, false};
  const TDecodeTarget fitted{Screen, true};
  const struct {
    DispObj code;
    Kind kind;
    Plus plus;
    std::optional<TDecodeTarget> target;
  } rows[] = {
      {Stretch, Kind::Jpeg, Plus::Off, screen},           {Stretch, Kind::Bitmap, Plus::Off, screen},
      {Stretch, Kind::Jpeg, Plus::On, std::nullopt},      {RatioStretch, Kind::Jpeg, Plus::Off, fitted},
      {RatioStretch, Kind::Jpeg, Plus::On, std::nullopt}, {Center, Kind::Jpeg, Plus::Off, std::nullopt},
      {Tile, Kind::Jpeg, Plus::Off, std::nullopt},        {MirrorTile, Kind::Jpeg, Plus::Off, std::nullopt},
      {BrickTile, Kind::Jpeg, Plus::Off, std::nullopt},   {DoubleTile, Kind::Jpeg, Plus::Off, std::nullopt},
      {None, Kind::Jpeg, Plus::Off, std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(DispText(row.code)) + (row.plus == Plus::On ? " plus" : ""));
    EXPECT_EQ(DecodeTargetFor(Request(row.code, ImageName(row.kind), row.plus)), row.target);
  }
}

TEST_F(WallpaperApply, PictureIsInUseOnlyBetweenTheKeyAndTheFirstValue) {
  ResetConverted();
  TRecordingDesktop desktop;
  const auto recordingLoad = [&]() -> const QImage& {
    desktop.calls.push_back("load");
    return picture;
  };
  const auto used = [&] { desktop.calls.push_back(Converted() == OldConverted ? "used, not written" : "used"); };
  ApplyToDesktop(Request(DispObj::Stretch, ImageName(Kind::Jpeg), Plus::Off), recordingLoad, desktop, used);
  ASSERT_GE(desktop.calls.size(), 4u);
  EXPECT_EQ(desktop.calls[0], "OpenKey");
  EXPECT_EQ(desktop.calls[1], "load");
  EXPECT_EQ(desktop.calls[2], "used");
}

TEST_F(WallpaperApply, InvalidBitmapAbortsBeforeAnyValue) {
  ResetConverted();
  TRecordingDesktop desktop;
  const auto invalid = []() -> const QImage& { throw TInvalidBitmap(); };
  for (const DispObj code : {DispObj::Tile, DispObj::Stretch, DispObj::RatioStretch}) {
    desktop.calls.clear();
    EXPECT_THROW(ApplyToDesktop(Request(code, ImageName(Kind::Bitmap), Plus::Off), invalid, desktop), TInvalidBitmap);
    EXPECT_EQ(desktop.calls, std::vector<std::string>{"OpenKey"});
  }
  EXPECT_EQ(Converted(), OldConverted);
}

TEST_F(WallpaperApply, FailedKeyStopsEverything) {
  TRecordingDesktop desktop;
  desktop.failOpen = true;
  bool loaded = false;
  const auto load = [&]() -> const QImage& {
    loaded = true;
    return picture;
  };
  EXPECT_THROW(ApplyToDesktop(Request(DispObj::Center, ImageName(Kind::Jpeg), Plus::Off), load, desktop),
               TDesktopError);
  EXPECT_FALSE(loaded);
  EXPECT_EQ(desktop.calls, std::vector<std::string>{"OpenKey"});
}

TEST_F(WallpaperApply, FailedValueSkipsTheRest) {
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"Wallpaper", {"OpenKey", "Wallpaper=" + convertFile}},
      {"WallpaperStyle", {"OpenKey", "Wallpaper=" + convertFile, "WallpaperStyle=0"}},
      {"TileWallpaper", {"OpenKey", "Wallpaper=" + convertFile, "WallpaperStyle=0", "TileWallpaper=0"}},
  };
  for (const auto& [failing, calls] : cases) {
    TRecordingDesktop desktop;
    desktop.failOn = failing;
    try {
      ApplyToDesktop(Request(DispObj::Stretch, ImageName(Kind::Jpeg), Plus::Off), load, desktop);
      ADD_FAILURE() << "no exception for " << failing;
    } catch (const TDesktopError& error) {
      EXPECT_EQ(error.what(), "Failed to set data for '" + std::string(failing) + "'");
    }
    EXPECT_EQ(desktop.calls, calls);
  }
}

TEST_F(WallpaperApply, ConvertErrorsAreIgnored) {
  TRecordingDesktop desktop;
  ApplyRequest request = Request(DispObj::Center, ImageName(Kind::Gif), Plus::Off);
  request.convertFileName = dir.filePath("no such folder/Tesserina Convert.BMP").toStdString();
  ApplyToDesktop(request, load, desktop);
  const std::vector<std::string> expected = {"OpenKey", "Wallpaper=" + request.convertFileName, "WallpaperStyle=0",
                                             "TileWallpaper=0", "Reload"};
  EXPECT_EQ(desktop.calls, expected);
}

TEST_F(WallpaperApply, TileAfterPlusStretchKeepsStyleTwo) {
  TRecordingDesktop desktop;
  ApplyToDesktop(Request(DispObj::Stretch, ImageName(Kind::Bitmap), Plus::On), load, desktop);
  ApplyToDesktop(Request(DispObj::Tile, ImageName(Kind::Bitmap), Plus::On), load, desktop);
  EXPECT_EQ(desktop.values["WallpaperStyle"], "2");
  EXPECT_EQ(desktop.values["TileWallpaper"], "1");
  EXPECT_EQ(desktop.values["Wallpaper"], ImageName(Kind::Bitmap));
}

TEST_F(WallpaperApply, NoEntrySelected) {
  const QImage empty;
  const auto loadEmpty = [&]() -> const QImage& { return empty; };
  TRecordingDesktop center;
  ApplyToDesktop(Request(DispObj::Center, "", Plus::Off), loadEmpty, center);
  EXPECT_EQ(center.values["Wallpaper"], "");
  TRecordingDesktop stretch;
  ResetConverted();
  ApplyToDesktop(Request(DispObj::Stretch, "", Plus::Off), loadEmpty, stretch);
  EXPECT_EQ(stretch.values["Wallpaper"], convertFile);
  EXPECT_EQ(ReadBmp(convertFile).size(), Screen) << "a black screen-sized bitmap";
  ApplyToDesktop(Request(DispObj::MirrorTile, "", Plus::Off), loadEmpty, stretch);
  EXPECT_EQ(Converted().size(), 54) << "an empty bitmap";
}

TEST_F(WallpaperApply, RatioStretchOfA300By200PictureOnAn800By600Screen) {
  const QImage source = CoordinatePicture(300, 200);
  const QImage composed = BuildRatioStretch(source, QSize(800, 600), qRgb(1, 2, 3));
  ASSERT_EQ(composed.size(), QSize(300, 225));
  TRecordingDesktop desktop;
  ApplyRequest request = Request(DispObj::RatioStretch, ImageName(Kind::Bitmap), Plus::Off);
  request.screenSize = QSize(800, 600);
  ApplyToDesktop(
      request, [&]() -> const QImage& { return composed; }, desktop);
  const QImage written = ReadBmp(convertFile);
  ASSERT_EQ(written.size(), QSize(800, 600));
  EXPECT_TRUE(SamePixels(written, StretchPicture(composed, QSize(800, 600))));
  int pictureRows = 0;
  for (int y = 0; y < 600; ++y) pictureRows += written.pixel(400, y) != qRgb(1, 2, 3);
  EXPECT_NEAR(pictureRows, 200 * 8 / 3, 3) << "the picture keeps its proportions between two fill bands";
  EXPECT_EQ(written.pixel(400, 0), qRgb(1, 2, 3));
  EXPECT_EQ(written.pixel(400, 599), qRgb(1, 2, 3));
}

// The same hand-over through the stored values and the headless backend.
TEST_F(WallpaperApply, FileBackendShowsWhatTheValuesSay) {
  const std::tuple<DispObj, Kind, Plus, WallpaperLayout, bool> cases[] = {
      {DispObj::Tile, Kind::Bitmap, Plus::Off, WallpaperLayout::Tile, false},
      {DispObj::Center, Kind::Jpeg, Plus::Off, WallpaperLayout::Center, true},
      {DispObj::Stretch, Kind::Bitmap, Plus::Off, WallpaperLayout::Center, true},
      {DispObj::Stretch, Kind::Gif, Plus::On, WallpaperLayout::Stretch, true},
      {DispObj::Tile, Kind::Bitmap, Plus::On, WallpaperLayout::Tile, false},
      {DispObj::BrickTile, Kind::Jpeg, Plus::Off, WallpaperLayout::Tile, true},
      {DispObj::RatioStretch, Kind::Bitmap, Plus::On, WallpaperLayout::Stretch, true},
  };
  auto backend = std::make_unique<TFileBackend>();
  TFileBackend& shown = *backend;
  TDesktopWallpaper desktop(std::make_unique<TDesktopValues>(dir.filePath("values")), std::move(backend));
  for (const auto& [code, kind, plus, layout, converted] : cases) {
    ApplyToDesktop(Request(code, ImageName(kind), plus), load, desktop);
    EXPECT_EQ(shown.LastApplied().file, converted ? convertFile : ImageName(kind)) << DispText(code);
    EXPECT_EQ(shown.LastApplied().layout, layout) << DispText(code);
  }
  EXPECT_EQ(shown.ApplyCount(), int(std::size(cases)));
}

}  // namespace
