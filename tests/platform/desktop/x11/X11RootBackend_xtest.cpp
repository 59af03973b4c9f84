// Needs an X server on $DISPLAY (Xvfb started with -noreset, so the root pixmap survives
// between clients) and feh for the cross-check.
// Xlib's macros (Status, Bool, None) must come after Qt and gtest.
// clang-format off
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <random>

#include "platform/desktop/x11/X11RootBackend.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "support/ExpectedRoot.h"
#include "support/X11RootPixels.h"
#include "support/X11RootPixmaps.h"
#include "support/XrandrMonitors.h"
// clang-format on

namespace {

class X11RootBackendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    display_ = XOpenDisplay(nullptr);
    ASSERT_NE(display_, nullptr) << "no X display";
    // Xlib's default handler exits: any X error the backend lets through ends the test run.
    XSetErrorHandler(nullptr);
    root_ = DefaultRootWindow(display_);
    screen_ = QSize(DisplayWidth(display_, 0), DisplayHeight(display_, 0));
  }
  void TearDown() override {
    if (display_) XCloseDisplay(display_);
  }

  QImage ReadRoot() { return ReadRootWindow(display_, screen_); }

  // A picture with random pixels, saved as a 24-bit BMP.
  std::string SavePicture(int w, int h, const char* name) {
    QImage image(w, h, QImage::Format_RGB32);
    std::mt19937 random(static_cast<unsigned>(w * 7919 + h));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) image.setPixel(x, y, 0xff000000u | (random() & 0xffffff));
    const QString path = dir_.path() + "/" + name;
    EXPECT_TRUE(image.save(path, "BMP"));
    pictures_[path.toStdString()] = image;
    return path.toStdString();
  }
  const QImage& Picture(const std::string& path) { return pictures_[path]; }

  std::optional<Pixmap> RootProperty(const char* name) { return RootPixmapProperty(display_, name); }
  void SetRootProperty(const char* name, Pixmap value) {
    XChangeProperty(display_, root_, XInternAtom(display_, name, False), XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&value), 1);
    XSync(display_, False);
  }
  // Whether the id names a live pixmap, and its size.
  std::optional<QSize> PixmapSize(Pixmap pixmap) { return LivePixmapSize(display_, pixmap); }

  QImage Feh(const char* option, const std::string& file) {
    if (QStandardPaths::findExecutable("feh").isEmpty()) return {};
    EXPECT_EQ(QProcess::execute("feh", {"--no-fehbg", option, QString::fromStdString(file)}), 0);
    return ReadRoot();
  }

  Display* display_ = nullptr;
  Window root_ = 0;
  QSize screen_;
  QTemporaryDir dir_;
  std::map<std::string, QImage> pictures_;
};

int FloorHalf(int v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }

TEST_F(X11RootBackendTest, TileCentreAndStretchShowTheExpectedPixels) {
  struct Row {
    QSize size;
    WallpaperLayout layout;
  };
  const Row rows[] = {
      {{37, 23}, WallpaperLayout::Tile},
      {{101, 64}, WallpaperLayout::Center},
      {{screen_.width() + 7, screen_.height() + 5}, WallpaperLayout::Center},
      {{640, 400}, WallpaperLayout::Stretch},
      {{screen_.width() * 2 + 3, 9}, WallpaperLayout::Stretch},
  };
  TX11RootBackend x11;
  for (const Row& row : rows) {
    const std::string file = SavePicture(row.size.width(), row.size.height(), "p.bmp");
    const QImage& source = Picture(file);
    x11.Apply({file, row.layout});
    const QImage root = ReadRoot();
    const int w = source.width(), h = source.height(), W = screen_.width(), H = screen_.height();
    const int left = FloorHalf(W - w), top = FloorHalf(H - h);
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        QRgb expected = qRgb(0, 0, 0);
        if (row.layout == WallpaperLayout::Tile) {
          expected = source.pixel(x % w, y % h);
        } else if (row.layout == WallpaperLayout::Stretch) {
          expected = source.pixel(static_cast<int>(qint64(x) * w / W), static_cast<int>(qint64(y) * h / H));
        } else if (x >= left && x < left + w && y >= top && y < top + h) {
          expected = source.pixel(x - left, y - top);
        }
        ASSERT_EQ(root.pixel(x, y), expected) << "layout " << int(row.layout) << " at " << x << "," << y;
      }
  }
}

TEST_F(X11RootBackendTest, EachRandRMonitorShowsItsOwnCentreAndStretch) {
  const QSize W = screen_;
  const std::vector<std::vector<QRect>> setups = {
      {{0, 0, W.width() / 2, W.height()}, {W.width() / 2, 0, W.width() - W.width() / 2, W.height()}},
      {{0, 0, 1000, W.height()}, {1000, 300, W.width() - 1000, 1000}, {1000, 0, 640, 300}},
  };
  TX11RootBackend x11;
  const std::string file = SavePicture(301, 201, "m.bmp");
  for (const auto& monitors : setups) {
    const TXrandrMonitors setup(monitors);
    ASSERT_TRUE(setup.Ok()) << "xrandr --setmonitor failed";
    for (const auto layout : {WallpaperLayout::Tile, WallpaperLayout::Center, WallpaperLayout::Stretch}) {
      x11.Apply({file, layout});
      EXPECT_EQ(ReadRoot(), ExpectedRoot(Picture(file), layout, W, monitors))
          << monitors.size() << " monitors, layout " << int(layout);
    }
  }
  // The server's own monitor is back: one picture over the whole root.
  x11.Apply({file, WallpaperLayout::Stretch});
  EXPECT_EQ(ReadRoot(), ExpectedRoot(Picture(file), WallpaperLayout::Stretch, W));
}

// A new monitor layout redraws our picture at the new places, but never over the pixmap of
// a program that set the root after us.
TEST_F(X11RootBackendTest, NewMonitorLayoutRedrawsOnlyOurOwnRoot) {
  const QSize W = screen_;
  const std::vector<QRect> two = {{0, 0, W.width() / 2, W.height()}, {W.width() / 2, 0, W.width() / 2, 600}};
  const std::string file = SavePicture(301, 201, "n.bmp");
  const std::string other = SavePicture(5, 5, "other.bmp");
  TX11RootBackend x11;
  x11.Apply({file, WallpaperLayout::Center});
  {
    const TXrandrMonitors setup(two);
    ASSERT_TRUE(setup.Ok()) << "xrandr --setmonitor failed";
    x11.ScreensChanged();
    EXPECT_EQ(ReadRoot(), ExpectedRoot(Picture(file), WallpaperLayout::Center, W, two));
    TX11RootBackend().Apply({other, WallpaperLayout::Tile});
  }
  const auto others = RootProperty("_XROOTPMAP_ID");
  x11.ScreensChanged();
  EXPECT_EQ(RootProperty("_XROOTPMAP_ID"), others);
  EXPECT_EQ(ReadRoot().pixel(W.width() / 2, W.height() / 2),
            Picture(other).pixel(W.width() / 2 % 5, W.height() / 2 % 5));
}

TEST_F(X11RootBackendTest, SamePixelsAsFehForTileAndCentre) {
  if (QStandardPaths::findExecutable("feh").isEmpty()) GTEST_SKIP() << "feh is not installed";
  struct Row {
    QSize size;
    const char* option;
    WallpaperLayout layout;
  };
  const Row rows[] = {
      {{37, 23}, "--bg-tile", WallpaperLayout::Tile},
      {{300, 201}, "--bg-tile", WallpaperLayout::Tile},
      {{101, 64}, "--bg-center", WallpaperLayout::Center},
      {{102, 65}, "--bg-center", WallpaperLayout::Center},
      {{screen_.width() + 7, screen_.height() + 5}, "--bg-center", WallpaperLayout::Center},
  };
  TX11RootBackend x11;
  for (const Row& row : rows) {
    const std::string file = SavePicture(row.size.width(), row.size.height(), "feh.bmp");
    const QImage byFeh = Feh(row.option, file);
    x11.Apply({file, row.layout});
    EXPECT_TRUE(ReadRoot() == byFeh) << row.option << " " << row.size.width() << "x" << row.size.height();
  }
}

TEST_F(X11RootBackendTest, PublishesAPixmapThatOutlivesUsAndFreesThePreviousOne) {
  TX11RootBackend x11;
  const std::string file = SavePicture(16, 16, "a.bmp");
  x11.Apply({file, WallpaperLayout::Tile});
  const auto first = RootProperty("_XROOTPMAP_ID");
  ASSERT_TRUE(first);
  EXPECT_EQ(RootProperty("ESETROOT_PMAP_ID"), first);
  EXPECT_EQ(PixmapSize(*first), screen_);
  x11.Apply({file, WallpaperLayout::Center});
  const auto second = RootProperty("_XROOTPMAP_ID");
  ASSERT_TRUE(second);
  EXPECT_NE(second, first);
  EXPECT_EQ(PixmapSize(*second), screen_);
  EXPECT_EQ(PixmapSize(*first), std::nullopt) << "the previous pixmap was leaked";
}

TEST_F(X11RootBackendTest, BogusOrStaleIdsLeftByAnotherProgramDoNotEndUs) {
  TX11RootBackend x11;
  const std::string file = SavePicture(8, 8, "b.bmp");
  Display* other = XOpenDisplay(nullptr);
  ASSERT_NE(other, nullptr);
  const Pixmap stale = XCreatePixmap(other, DefaultRootWindow(other), 4, 4, DefaultDepth(other, 0));
  XCloseDisplay(other);  // not retained: the id is dead now
  const std::pair<Pixmap, Pixmap> rows[] = {{0x7fffff01, 0x7fffff01}, {stale, stale}, {0x7fffff01, 0x1}, {0, 0}};
  for (const auto& [rootId, esetrootId] : rows) {
    SetRootProperty("_XROOTPMAP_ID", rootId);
    SetRootProperty("ESETROOT_PMAP_ID", esetrootId);
    x11.Apply({file, WallpaperLayout::Tile});
    EXPECT_EQ(ReadRoot().pixel(9, 9), Picture(file).pixel(1, 1));
    EXPECT_EQ(PixmapSize(*RootProperty("_XROOTPMAP_ID")), screen_);
  }
}

TEST_F(X11RootBackendTest, NoFileOrAnUnreadableOneGivesABlackScreen) {
  TX11RootBackend x11;
  for (const std::string& file : {std::string(), dir_.path().toStdString() + "/missing.bmp"}) {
    x11.Apply({SavePicture(8, 8, "c.bmp"), WallpaperLayout::Tile});
    x11.Apply({file, WallpaperLayout::Tile});
    const QImage root = ReadRoot();
    EXPECT_EQ(root.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(root.pixel(screen_.width() - 1, screen_.height() - 1), qRgb(0, 0, 0));
  }
}

TEST(X11RootBackend, UnreachableDisplayNamesTheBackendAndTheDisplay) {
  try {
    TX11RootBackend(":987").Apply({"/a.bmp", WallpaperLayout::Tile});
    FAIL() << "no error";
  } catch (const TDesktopError& error) {
    EXPECT_STREQ(error.what(),
                 "The X server could not be reached (display :987 cannot be opened); the wallpaper was not changed.");
  }
  const QByteArray display = qgetenv("DISPLAY");
  qunsetenv("DISPLAY");
  try {
    TX11RootBackend().Apply({"/a.bmp", WallpaperLayout::Tile});
    FAIL() << "no error";
  } catch (const TDesktopError& error) {
    EXPECT_STREQ(error.what(),
                 "The X server could not be reached (DISPLAY is not set); the wallpaper was not changed.");
  }
  qputenv("DISPLAY", display);
}

}  // namespace
