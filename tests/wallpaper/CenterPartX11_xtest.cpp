// CENTER of a JPEG, PNG or WebP larger than the screen on the X root, decoded only as far as
// the largest monitor shows it and drawn from memory: the root shows what the whole decode,
// centred by the same arithmetic, would, and the converted file is the whole picture's, byte
// for byte.
// Needs the X server of $DISPLAY (an Xvfb started with -noreset), xrandr and convert.
// Xlib's macros (Status, Bool, None) must come after Qt and gtest.
// clang-format off
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "picture/BmpFile.h"
#include "picture/PictureCache.h"
#include "picture/PictureLoader.h"
#include "picture/PictureTestTools.h"
#include "platform/desktop/DesktopValues.h"
#include "platform/desktop/x11/X11RootBackend.h"
#include "wallpaper/ConvertedBitmap.h"
#include "wallpaper/WallpaperApply.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "support/ExpectedRoot.h"
#include "support/FileBytes.h"
#include "support/PlasmaJpeg.h"
#include "support/X11RootPixels.h"
#include "support/XrandrMonitors.h"
// clang-format on

namespace {

class CenterPartOnX11 : public ::testing::Test {
 protected:
  void SetUp() override {
    display_ = XOpenDisplay(nullptr);
    ASSERT_NE(display_, nullptr) << "no X display";
    screen_ = QSize(DisplayWidth(display_, 0), DisplayHeight(display_, 0));
    ASSERT_TRUE(dir_.isValid());
  }
  void TearDown() override {
    if (display_) XCloseDisplay(display_);
  }

  // A JPEG with its colour subsampled, as photographs have it.
  std::string Made(const QString& name, QSize size) {
    return name.endsWith(".jpg") ? MadePlasmaJpeg(dir_, name, size) : MadePlasmaPicture(dir_, name, size);
  }

  // Applies CENTER of path as the hidden agent does: the part the box shows decoded, the whole
  // picture decoded row by row into the converted file once the root shows the part.
  void ApplyCentred(const std::string& path, QSize box, TDesktopWallpaper& desktop, TPictureCache& cache) {
    const ApplyRequest request{path, DispObj::Center, false, ConvertFileName(dir_.path().toStdString()), screen_};
    const std::optional<TDecodeTarget> target = CenterTargetFor(request, box);
    ASSERT_TRUE(target);
    const TPartOfPicture part{[&cache] { return cache.HoldsPart() ? cache.FileSize() : QSize(); },
                              [&path](const std::string& file) { WritePictureConverted(path, file); }};
    ApplyToDesktop(
        request,
        [&]() -> const QImage& {
          cache.Load(path, target);
          return cache.SourceBitmap();
        },
        desktop, {}, part);
  }

  Display* display_ = nullptr;
  QSize screen_;
  QTemporaryDir dir_;
};

TEST_F(CenterPartOnX11, RootShowsWhatTheWholeDecodeWould) {
  const QSize W = screen_;
  struct Picture {
    const char* name;
    QSize size;
  };
  const Picture pictures[] = {
      {"both.jpg", {W.width() + 1283, W.height() + 901}},  // larger on both axes, odd margins
      {"both.png", {W.width() + 1283, W.height() + 901}},
      {"both.webp", {W.width() + 1283, W.height() + 901}},
      {"wide.jpg", {W.width() * 2 + 2, W.height() - 100}},  // larger in width only
      {"wide.webp", {W.width() * 2 + 2, W.height() - 100}},
      {"tall.jpg", {W.width() - 7, W.height() + 64}},  // portrait-like: larger in height only
      {"tall.png", {W.width() - 7, W.height() + 64}},
  };
  struct Layout {
    const char* what;
    std::vector<QRect> monitors;  // empty: the server's own, over the whole root
  };
  const Layout layouts[] = {
      {"one monitor", {}},
      {"two monitors of different sizes",
       {{0, 0, W.width() / 2 + 1, W.height()}, {W.width() / 2 + 1, 0, W.width() / 2 - 1, W.height() / 2 + 3}}},
  };
  QTemporaryDir values;
  TDesktopWallpaper desktop(std::make_unique<TDesktopValues>(values.filePath("values")),
                            std::make_unique<TX11RootBackend>());
  ASSERT_TRUE(desktop.DrawsFromMemory());
  for (const Picture& picture : pictures) {
    const std::string path = Made(picture.name, picture.size);
    ASSERT_FALSE(path.empty()) << picture.name;
    const QImage whole = DecodeStillPicture(path);
    const std::string reference = dir_.filePath("reference.bmp").toStdString();
    WriteBmp(whole, reference);
    for (const Layout& layout : layouts) {
      SCOPED_TRACE(std::string(picture.name) + ", " + layout.what);
      std::optional<TXrandrMonitors> setup;
      if (!layout.monitors.empty()) {
        setup.emplace(layout.monitors);
        ASSERT_TRUE(setup->Ok()) << "xrandr --setmonitor failed";
      }
      std::vector<TMonitor> monitors;
      for (const QRect& rect : layout.monitors) monitors.push_back({"", rect, false});
      TPictureCache cache;
      ApplyCentred(path, LargestMonitor(monitors, W), desktop, cache);
      EXPECT_TRUE(
          SamePixels(ReadRootWindow(display_, W), ExpectedRoot(whole, WallpaperLayout::Center, W, layout.monitors)));
      EXPECT_EQ(ReadFileBytes(ConvertFileName(dir_.path().toStdString())), ReadFileBytes(reference));
      EXPECT_EQ(desktop.GetValue("Wallpaper"), ConvertFileName(dir_.path().toStdString()));
    }
  }
}

// A part made for a smaller monitor than the root has is not drawn: the root reads the whole
// picture back from the converted file, as without a part.
TEST_F(CenterPartOnX11, PartTooSmallForTheMonitorsFallsBackToTheFile) {
  const QSize W = screen_;
  const std::string path = Made("small-part.png", {W.width() + 301, W.height() + 201});
  ASSERT_FALSE(path.empty());
  QTemporaryDir values;
  TDesktopWallpaper desktop(std::make_unique<TDesktopValues>(values.filePath("values")),
                            std::make_unique<TX11RootBackend>());
  TPictureCache cache;
  ApplyCentred(path, {W.width() / 2, W.height() / 2}, desktop, cache);
  EXPECT_TRUE(
      SamePixels(ReadRootWindow(display_, W), ExpectedRoot(DecodeStillPicture(path), WallpaperLayout::Center, W)));
}

// The root is drawn from memory, not from the file: with a converted file that cannot be
// written, the root still shows the new picture (the failed write is ignored, as always).
TEST_F(CenterPartOnX11, DrawnFromMemoryEvenWhenTheFileCannotBeWritten) {
  const QSize W = screen_;
  const std::string path = Made("unwritable.webp", {W.width() + 101, W.height() + 57});
  ASSERT_FALSE(path.empty());
  QTemporaryDir values;
  TDesktopWallpaper desktop(std::make_unique<TDesktopValues>(values.filePath("values")),
                            std::make_unique<TX11RootBackend>());
  const std::string missing = dir_.filePath("no such folder/" + QString(ConvertBaseName)).toStdString();
  const ApplyRequest request{path, DispObj::Center, false, missing, W};
  TPictureCache cache;
  const std::optional<TDecodeTarget> target = CenterTargetFor(request, W);
  ApplyToDesktop(request,
                 [&]() -> const QImage& {
                   cache.Load(path, target);
                   return cache.SourceBitmap();
                 },
                 desktop, {},
                 {[&cache] { return cache.HoldsPart() ? cache.FileSize() : QSize(); },
                  [&path](const std::string& file) { WritePictureConverted(path, file); }});
  EXPECT_FALSE(QFile::exists(QString::fromStdString(missing)));
  EXPECT_TRUE(
      SamePixels(ReadRootWindow(display_, W), ExpectedRoot(DecodeStillPicture(path), WallpaperLayout::Center, W)));
}

}  // namespace
