// From the picture file to the X root window: the apply logic, the stored values and the
// X11 backend together, on the X server of $DISPLAY (an Xvfb started with -noreset).
// Xlib's macros (Status, Bool, None) must come after Qt and gtest.
// clang-format off
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/desktop/DesktopValues.h"
#include "platform/desktop/x11/X11RootBackend.h"
#include "wallpaper/ConvertedBitmap.h"
#include "picture/PictureCache.h"
#include "picture/PictureTestTools.h"
#include "wallpaper/WallpaperApply.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "support/X11RootPixels.h"
// clang-format on

namespace {

class ApplyToX11 : public ::testing::Test {
 protected:
  void SetUp() override {
    display_ = XOpenDisplay(nullptr);
    ASSERT_NE(display_, nullptr) << "no X display";
    screen_ = QSize(DisplayWidth(display_, 0), DisplayHeight(display_, 0));
  }
  void TearDown() override {
    if (display_) XCloseDisplay(display_);
  }

  QImage ReadRoot() const { return ReadRootWindow(display_, screen_); }

  // What the screen shows for picture in each layout: tiled from the top-left corner, centred
  // on black, or stretched by the desktop (pixel x of the screen shows x * w / W).
  QImage Expected(const QImage& picture, WallpaperLayout layout) const {
    const int w = picture.width(), h = picture.height(), W = screen_.width(), H = screen_.height();
    QImage out(screen_, QImage::Format_RGB32);
    out.fill(Qt::black);
    const int left = (W - w) / 2, top = (H - h) / 2;
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        if (layout == WallpaperLayout::Tile)
          out.setPixel(x, y, picture.pixel(x % w, y % h));
        else if (layout == WallpaperLayout::Stretch)
          out.setPixel(x, y, picture.pixel(int(qint64(x) * w / W), int(qint64(y) * h / H)));
        else if (x >= left && x < left + w && y >= top && y < top + h)
          out.setPixel(x, y, picture.pixel(x - left, y - top));
      }
    return out;
  }

  Display* display_ = nullptr;
  QSize screen_;
};

TEST_F(ApplyToX11, RootShowsTheAppliedPicture) {
  struct Row {
    DispObj code;
    bool plus;
    WallpaperLayout shown;
    bool stretchedByUs;
  };
  const Row rows[] = {
      {DispObj::Tile, false, WallpaperLayout::Tile, false},
      {DispObj::Center, false, WallpaperLayout::Center, false},
      {DispObj::Stretch, false, WallpaperLayout::Center, true},
      {DispObj::Stretch, true, WallpaperLayout::Stretch, false},
  };
  QTemporaryDir dir;
  TDesktopWallpaper desktop(std::make_unique<TDesktopValues>(dir.filePath("values")),
                            std::make_unique<TX11RootBackend>());
  for (const char* file : {"ok/rose24.bmp", "ok/baseline.jpg", "ok/rose.gif"}) {
    TPictureCache cache;
    cache.Load(DataFile(file));
    ASSERT_FALSE(cache.SourceBitmap().isNull()) << file;
    const QImage reference = cache.SourceBitmap();
    for (const Row& row : rows) {
      SCOPED_TRACE(std::string(file) + " " + std::string(DispText(row.code)) + (row.plus ? " plus" : ""));
      const ApplyRequest request{DataFile(file), row.code, row.plus, ConvertFileName(dir.path().toStdString()),
                                 screen_};
      ApplyToDesktop(
          request, [&]() -> const QImage& { return cache.SourceBitmap(); }, desktop);
      const QImage shown = row.stretchedByUs ? StretchPicture(reference, screen_) : reference;
      EXPECT_TRUE(SamePixels(ReadRoot(), Expected(shown, row.shown)));
    }
  }
}

}  // namespace
