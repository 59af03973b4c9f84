// The X root's fade on a real X server: blended frames midway, read from the root window, the
// final frame exactly the picture a change at once shows, the pixmaps it leaves, and the
// cases where it must not fade, a desktop window over the root among them. Needs an X
// server on $DISPLAY with RENDER (Xvfb has it).
// Xlib's macros (Status, Bool, None) must come after Qt and gtest.
// clang-format off
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/desktop/DesktopWallpaper.h"
#include "platform/desktop/x11/X11RootBackend.h"
#include "support/WaitFor.h"

#include "support/X11RootPixels.h"
#include "support/X11RootPixmaps.h"
// clang-format on

namespace {

using std::chrono::milliseconds;

constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kGreen = 0xFF00FF00;
constexpr QRgb kBlue = 0xFF0000FF;
constexpr int kWaitMs = 15000;

class RootFadeTest : public ::testing::Test {
 protected:
  void SetUp() override { Open(nullptr); }
  void TearDown() override {
    if (display_) XCloseDisplay(display_);
  }
  void Open(const char* name) {
    if (display_) XCloseDisplay(display_);
    display_ = XOpenDisplay(name);
    ASSERT_NE(display_, nullptr) << "no X display";
    screen_ = QSize(DisplayWidth(display_, 0), DisplayHeight(display_, 0));
  }

  std::string Solid(QRgb colour) {
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(colour);
    const QString path = dir_.filePath(QString("%1.bmp").arg(colour, 8, 16, QChar('0')));
    EXPECT_TRUE(picture.save(path, "BMP"));
    return QFile::encodeName(path).toStdString();
  }
  // One pixel of the root, and of the pixmap _XROOTPMAP_ID names.
  QRgb RootPixel(QPoint at = {40, 30}) {
    return ReadDrawable(display_, DefaultRootWindow(display_), {at.x() + 1, at.y() + 1}).pixel(at);
  }
  std::optional<Pixmap> Property(const char* name) { return RootPixmapProperty(display_, name); }

  Display* display_ = nullptr;
  QSize screen_;
  QTemporaryDir dir_;
};

// A colour strictly between two on every channel that differs.
bool Between(QRgb shown, QRgb from, QRgb to) {
  const auto inside = [](int value, int a, int b) {
    return a == b ? value == a : value > std::min(a, b) && value < std::max(a, b);
  };
  return inside(qRed(shown), qRed(from), qRed(to)) && inside(qGreen(shown), qGreen(from), qGreen(to)) &&
         inside(qBlue(shown), qBlue(from), qBlue(to));
}

TEST_F(RootFadeTest, AFadeShowsBlendedFramesMidwayAndEndsExactlyOnTheNewPicture) {
  TX11RootBackend x11;
  x11.Apply({Solid(kRed), WallpaperLayout::Stretch});
  ASSERT_EQ(RootPixel(), kRed);
  x11.FadeNext(milliseconds(3000));
  x11.Apply({Solid(kBlue), WallpaperLayout::Stretch});
  EXPECT_TRUE(x11.Fading());
  const auto final = Property("_XROOTPMAP_ID");
  WaitForEvents([] { return false; }, 1500);
  const QRgb midway = RootPixel();
  EXPECT_TRUE(Between(midway, kRed, kBlue)) << std::hex << midway;
  // Each frame is a blend of the two: the shares add up to the whole, within the rounding of
  // the frames blended into it.
  EXPECT_NEAR(qRed(midway) + qBlue(midway), 255, 4) << std::hex << midway;
  // The frame shown is the one compositors are told of; no other setter may free it meanwhile.
  const auto frame = Property("_XROOTPMAP_ID");
  ASSERT_TRUE(frame);
  EXPECT_EQ(ReadDrawable(display_, *frame, {41, 31}).pixel(40, 30), midway);
  EXPECT_EQ(Property("ESETROOT_PMAP_ID"), std::nullopt);

  bool done = false;
  x11.WhenFadeDone([&done] { done = true; });
  EXPECT_TRUE(WaitForEvents([&] { return done; }, kWaitMs));
  EXPECT_FALSE(x11.Fading());
  EXPECT_EQ(RootPixel(), kBlue);
  EXPECT_EQ(ReadRootWindow(display_, screen_), ReadDrawable(display_, *Property("_XROOTPMAP_ID"), screen_));
  EXPECT_EQ(Property("_XROOTPMAP_ID"), Property("ESETROOT_PMAP_ID"));
  EXPECT_EQ(LivePixmapSize(display_, *frame), std::nullopt) << "a frame pixmap outlived the fade";
  EXPECT_GT(x11.FadeFrames(), 2);
}

TEST_F(RootFadeTest, ZeroIsAChangeAtOnceAndAFadeIsForTheNextChangeOnly) {
  TX11RootBackend x11;
  x11.Apply({Solid(kRed), WallpaperLayout::Tile});
  x11.FadeNext(milliseconds(0));
  x11.Apply({Solid(kGreen), WallpaperLayout::Tile});
  EXPECT_FALSE(x11.Fading());
  EXPECT_EQ(RootPixel(), kGreen);
  x11.FadeNext(milliseconds(2000));
  x11.Apply({Solid(kBlue), WallpaperLayout::Tile});
  EXPECT_TRUE(x11.Fading());
  x11.FinishFade();
  x11.Apply({Solid(kRed), WallpaperLayout::Tile});
  EXPECT_FALSE(x11.Fading()) << "the fade was asked for one change only";
  EXPECT_EQ(RootPixel(), kRed);
}

TEST_F(RootFadeTest, AChangeDuringAFadeStartsFromWhatShows) {
  TX11RootBackend x11;
  x11.Apply({Solid(kRed), WallpaperLayout::Stretch});
  x11.FadeNext(milliseconds(2000));
  x11.Apply({Solid(kBlue), WallpaperLayout::Stretch});
  WaitForEvents([] { return false; }, 1000);
  const QRgb shown = RootPixel();
  ASSERT_TRUE(Between(shown, kRed, kBlue)) << std::hex << shown;
  x11.FadeNext(milliseconds(2000));
  x11.Apply({Solid(kGreen), WallpaperLayout::Stretch});
  WaitForEvents([] { return false; }, 300);
  // Started from red, the frames would hold no blue.
  const QRgb next = RootPixel();
  EXPECT_GT(qBlue(next), 10) << std::hex << next;
  EXPECT_GT(qGreen(next), 0) << std::hex << next;
  EXPECT_LE(qBlue(next), qBlue(shown)) << std::hex << next;
  EXPECT_TRUE(WaitForEvents([&] { return !x11.Fading(); }, kWaitMs));
  EXPECT_EQ(RootPixel(), kGreen);
}

// The server's own count of pixmaps: after the first change one is ours, and a hundred more
// changes (fades that end, fades cut short by the next change, changes at once) leave it one.
TEST_F(RootFadeTest, AHundredChangesHoldOnePixmap) {
  TX11RootBackend x11;
  const QRgb colours[] = {kRed, kGreen, kBlue};
  const std::string files[] = {Solid(kRed), Solid(kGreen), Solid(kBlue)};
  x11.Apply({files[2], WallpaperLayout::Tile});
  const int before = ServerPixmapCount(display_);
  ASSERT_GE(before, 1) << "the server does not count its pixmaps (X-Resource)";
  for (int i = 0; i < 100; ++i) {
    x11.FadeNext(milliseconds(i % 3 == 2 ? 0 : 60));
    x11.Apply({files[i % 3], WallpaperLayout::Tile});
    WaitForEvents([&] { return i % 3 == 1 ? !x11.Fading() : true; }, kWaitMs);
  }
  x11.FinishFade();
  EXPECT_EQ(ServerPixmapCount(display_), before);
  const Pixmap last = *Property("_XROOTPMAP_ID");
  EXPECT_EQ(Property("ESETROOT_PMAP_ID"), last);
  EXPECT_EQ(LivePixmapSize(display_, last), screen_);
  EXPECT_EQ(RootPixel(), colours[99 % 3]);
}

TEST_F(RootFadeTest, FinishingLandsOnTheFinalPictureAtOnceAndTellsItIsDone) {
  TX11RootBackend x11;
  x11.Apply({Solid(kRed), WallpaperLayout::Center});
  x11.FadeNext(milliseconds(10000));
  x11.Apply({Solid(kGreen), WallpaperLayout::Stretch});
  int told = 0;
  x11.WhenFadeDone([&told] { ++told; });
  EXPECT_EQ(told, 0);
  x11.FinishFade();
  EXPECT_EQ(told, 1);
  EXPECT_FALSE(x11.Fading());
  EXPECT_EQ(RootPixel(), kGreen);
  EXPECT_EQ(Property("_XROOTPMAP_ID"), Property("ESETROOT_PMAP_ID"));
  x11.WhenFadeDone([&told] { ++told; });
  EXPECT_EQ(told, 2) << "without a fade, done is told at once";
}

// The backend's end (a program that ends during a fade) leaves the final picture too.
TEST_F(RootFadeTest, TheBackendsEndLandsTheFade) {
  {
    TX11RootBackend x11;
    x11.Apply({Solid(kRed), WallpaperLayout::Stretch});
    x11.FadeNext(milliseconds(10000));
    x11.Apply({Solid(kBlue), WallpaperLayout::Stretch});
  }
  EXPECT_EQ(RootPixel(), kBlue);
  const auto id = Property("_XROOTPMAP_ID");
  ASSERT_TRUE(id);
  EXPECT_EQ(Property("ESETROOT_PMAP_ID"), id);
  EXPECT_EQ(LivePixmapSize(display_, *id), screen_) << "the final pixmap went with the connection";
}

// Another program that sets the root during our fade keeps its picture; our fade gives up.
TEST_F(RootFadeTest, AnotherSetterDuringAFadeKeepsItsPicture) {
  TX11RootBackend x11;
  x11.Apply({Solid(kRed), WallpaperLayout::Stretch});
  x11.FadeNext(milliseconds(2000));
  x11.Apply({Solid(kBlue), WallpaperLayout::Stretch});
  WaitForEvents([] { return false; }, 300);
  TX11RootBackend().Apply({Solid(kGreen), WallpaperLayout::Tile});
  EXPECT_TRUE(WaitForEvents([&] { return !x11.Fading(); }, kWaitMs));
  WaitForEvents([] { return false; }, 200);
  EXPECT_EQ(RootPixel(), kGreen);
}

// The picture made again for a new layout shows at once, and ends a fade that runs.
TEST_F(RootFadeTest, TheRemakeForANewLayoutDoesNotFade) {
  TX11RootBackend x11;
  x11.Apply({Solid(kRed), WallpaperLayout::Stretch});
  x11.FadeNext(milliseconds(5000));
  x11.Apply({Solid(kBlue), WallpaperLayout::Stretch});
  x11.ScreensChanged();
  EXPECT_FALSE(x11.Fading());
  EXPECT_EQ(RootPixel(), kBlue);
}

// Nothing of ours or anyone's on the root yet (no pixmap to start from): the first change is
// at once.
TEST_F(RootFadeTest, ARootWithoutAPixmapChangesAtOnce) {
  XDeleteProperty(display_, DefaultRootWindow(display_), XInternAtom(display_, "_XROOTPMAP_ID", False));
  XDeleteProperty(display_, DefaultRootWindow(display_), XInternAtom(display_, "ESETROOT_PMAP_ID", False));
  XSync(display_, False);
  TX11RootBackend x11;
  x11.FadeNext(milliseconds(3000));
  x11.Apply({Solid(kGreen), WallpaperLayout::Stretch});
  EXPECT_FALSE(x11.Fading());
  EXPECT_EQ(RootPixel(), kGreen);
}

// Another program's desktop window over the whole root (as pcmanfm's is): a fade that runs
// goes on to its end, but the next change does not fade under it. It fails naming that
// program, with nothing left running and no pixmap more than before; the next change frees
// the failed change's pixmap.
TEST_F(RootFadeTest, UnderAnotherProgramsDesktopWindowAChangeFailsAtOnce) {
  TX11RootBackend x11;
  x11.Apply({Solid(kRed), WallpaperLayout::Stretch});
  const int before = ServerPixmapCount(display_);
  ASSERT_GE(before, 1) << "the server does not count its pixmaps (X-Resource)";
  x11.FadeNext(milliseconds(10000));
  x11.Apply({Solid(kBlue), WallpaperLayout::Stretch});
  int done = 0;
  x11.WhenFadeDone([&done] { ++done; });

  const Window desktop =
      XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, screen_.width(), screen_.height(), 0, 0, 0);
  const Atom desktopType = XInternAtom(display_, "_NET_WM_WINDOW_TYPE_DESKTOP", False);
  XChangeProperty(display_, desktop, XInternAtom(display_, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&desktopType), 1);
  char name[] = "stand-in-desktop";
  XClassHint hint{name, name};
  XSetClassHint(display_, desktop, &hint);
  XMapWindow(display_, desktop);
  XSync(display_, False);
  WaitForEvents([] { return false; }, 300);
  EXPECT_TRUE(x11.Fading()) << "a fade that ran before the window came is no failed change";

  x11.FadeNext(milliseconds(3000));
  try {
    x11.Apply({Solid(kGreen), WallpaperLayout::Stretch});
    ADD_FAILURE() << "no error";
  } catch (const TDesktopError& error) {
    EXPECT_EQ(std::string(error.what()),
              "The X server drew the wallpaper behind another program's desktop (stand-in-desktop draws its own "
              "desktop over the " +
                  std::to_string(screen_.width()) + " x " + std::to_string(screen_.height()) +
                  " monitor at 0, 0); the wallpaper was not changed.");
  }
  EXPECT_FALSE(x11.Fading());
  EXPECT_EQ(done, 1);
  const auto failed = Property("_XROOTPMAP_ID");
  ASSERT_TRUE(failed);
  EXPECT_EQ(Property("ESETROOT_PMAP_ID"), failed) << "the next setter could not free it";
  EXPECT_EQ(ReadDrawable(display_, *failed, {41, 31}).pixel(40, 30), kGreen);
  EXPECT_EQ(ServerPixmapCount(display_), before);

  XDestroyWindow(display_, desktop);
  XSync(display_, False);
  x11.FadeNext(milliseconds(0));
  x11.Apply({Solid(kRed), WallpaperLayout::Stretch});
  EXPECT_EQ(RootPixel(), kRed);
  EXPECT_EQ(LivePixmapSize(display_, *failed), std::nullopt) << "the failed change's pixmap outlived the next change";
  EXPECT_EQ(ServerPixmapCount(display_), before);
}

TEST_F(RootFadeTest, AServerWithoutRenderChangesAtOnce) {
  QTemporaryDir folder;
  QProcess server;
  server.start("sh", {"-c", "exec Xvfb -displayfd 3 -extension RENDER -screen 0 320x240x24 -nolisten tcp 3>\"$0\"",
                      folder.filePath("number")});
  ASSERT_TRUE(server.waitForStarted());
  QString number;
  WaitFor(
      [&] {
        QFile file(folder.filePath("number"));
        number = file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).trimmed() : QString();
        return !number.isEmpty();
      },
      kWaitMs);
  ASSERT_FALSE(number.isEmpty()) << "Xvfb without RENDER did not start";
  const std::string name = ":" + number.toStdString();
  Open(name.c_str());
  {
    TX11RootBackend x11(name);
    x11.Apply({Solid(kRed), WallpaperLayout::Stretch});
    x11.FadeNext(milliseconds(3000));
    x11.Apply({Solid(kBlue), WallpaperLayout::Stretch});
    EXPECT_FALSE(x11.Fading());
    EXPECT_EQ(RootPixel({10, 10}), kBlue);
  }
  XCloseDisplay(display_);
  display_ = nullptr;
  server.terminate();
  server.waitForFinished();
}

}  // namespace
