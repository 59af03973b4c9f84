// The real program as agent with a program-stretched wallpaper (STRETCH, Plus! off) on the
// X root: the stretch fills the primary monitor in device pixels whatever Qt's scale factor,
// each monitor shows it centred, and adding, removing or resizing monitors remakes it. A
// centred picture follows the monitors too.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>
#include <random>

#include "ProgramRun.h"
#include "platform/desktop/x11/X11RootBackend.h"
#include "support/ExpectedRoot.h"
#include "support/WaitFor.h"
#include "support/XrandrMonitors.h"

// Xlib's macros clash with Qt's names, so its headers come last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "support/X11RootPixels.h"

namespace {

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};

class ScreensStretchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!qEnvironmentVariableIsSet("DISPLAY")) GTEST_SKIP() << "needs an X display";
    display.reset(XOpenDisplay(nullptr));
    ASSERT_TRUE(display);
    root = QSize(DisplayWidth(display.get(), 0), DisplayHeight(display.get(), 0));
    ASSERT_TRUE(CopyProgram(dir.filePath("tesserine")));
    picture = QImage(64, 40, QImage::Format_RGB32);
    std::mt19937 random(64);
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, 0xff000000u | (random() & 0xffffff));
    ASSERT_TRUE(picture.save(dir.filePath("picture.bmp"), "BMP"));
  }

  void TearDown() override { Stop(); }

  // scale is Qt's scale factor for the program's windows.
  void Start(const QString& scale, const QByteArray& method = "STRETCH") {
    // A black root first, so that what follows is the program's work.
    TX11RootBackend().Apply({});
    QFile::remove(dir.filePath("Tesserina Convert.BMP"));
    // No last change yet, so the agent's first check changes the wallpaper.
    QFile ini(dir.filePath("tesserine.INI"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write(
        "[Info]\r\nFade Milliseconds=0\r\nOpen Minimized=1\r\nPlus! Installed=0\r\nTrigger Measure=HOURS\r\nTrigger "
        "Qty=1\r\n\r\n"
        "[Bitmaps]\r\n" +
        dir.filePath("picture.bmp").toUtf8() + "=" + method + ".NOT\r\n");
    ini.close();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TESSERINE_DESKTOP", "x11");
    environment.insert("TESSERINE_MESSAGE_LOG", dir.filePath("messages.log"));
    environment.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    environment.remove("QT_QPA_PLATFORM");
    environment.insert("QT_SCALE_FACTOR", scale);
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(dir.filePath("tesserine"), {});
    ASSERT_TRUE(program.waitForStarted());
  }

  void Stop() {
    if (program.state() == QProcess::NotRunning) return;
    program.terminate();
    if (!program.waitForFinished(20000)) program.kill();
    program.waitForFinished();
  }

  // The root's background pixmap: the wallpaper without the windows over it.
  QImage RootPixmap() {
    Display* dpy = display.get();
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(dpy, DefaultRootWindow(dpy), XInternAtom(dpy, "_XROOTPMAP_ID", False), 0, 1, False, XA_PIXMAP,
                       &type, &format, &count, &after, &data);
    const Pixmap pixmap = type == XA_PIXMAP && count == 1 ? *reinterpret_cast<Pixmap*>(data) : 0;
    if (data) XFree(data);
    return pixmap ? ReadDrawable(dpy, pixmap, root) : QImage();
  }

  // The program stretches as Qt scales, nearest pixel, to the primary monitor's size.
  QImage Stretched(QSize size) const { return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation); }

  ::testing::AssertionResult RootShows(const QImage& expected) {
    if (WaitFor([&] { return RootPixmap() == expected; }, 30000)) return ::testing::AssertionSuccess();
    const QSize converted = QImageReader(dir.filePath("Tesserina Convert.BMP")).size();
    return ::testing::AssertionFailure() << "the root differs; the converted bitmap is " << converted.width() << "x"
                                         << converted.height();
  }

  QByteArray MessageLog() const {
    QFile file(dir.filePath("messages.log"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir dir;
  std::unique_ptr<Display, DisplayCloser> display;
  QSize root;
  QImage picture;
  QProcess program;
};

TEST_F(ScreensStretchTest, StretchFillsTheScreenInDevicePixelsAtEveryScale) {
  for (const char* scale : {"1", "1.5", "2"}) {
    SCOPED_TRACE(std::string("QT_SCALE_FACTOR=") + scale);
    Start(scale);
    EXPECT_TRUE(RootShows(Stretched(root)));
    Stop();
  }
  EXPECT_TRUE(MessageLog().isEmpty()) << MessageLog().constData();
}

TEST_F(ScreensStretchTest, StretchFollowsThePrimaryMonitorAndItsChanges) {
  const std::vector<QRect> two = {{0, 0, 1000, root.height()}, {1000, 300, root.width() - 1000, 1000}};
  auto monitors = std::make_unique<TXrandrMonitors>(two, 1);
  ASSERT_TRUE(monitors->Ok()) << "xrandr --setmonitor failed";
  Start("1.5");
  EXPECT_TRUE(RootShows(ExpectedRoot(Stretched(two[1].size()), WallpaperLayout::Center, root, two)));

  // Above the primary monitor, which keeps its size: only the root's drawing changes.
  std::vector<QRect> three = two;
  three.push_back({1000, 0, 640, 300});
  auto added = std::make_unique<TXrandrMonitors>(std::vector<QRect>{three[2]}, 1, "none");
  ASSERT_TRUE(added->Ok()) << "xrandr --setmonitor failed";
  EXPECT_TRUE(RootShows(ExpectedRoot(Stretched(two[1].size()), WallpaperLayout::Center, root, three)));

  const std::vector<QRect> resized = {{0, 0, 1280, root.height()}, {1280, 0, root.width() - 1280, 1024}};
  added.reset();
  monitors.reset();
  monitors = std::make_unique<TXrandrMonitors>(resized, 0);
  ASSERT_TRUE(monitors->Ok()) << "xrandr --setmonitor failed";
  EXPECT_TRUE(RootShows(ExpectedRoot(Stretched(resized[0].size()), WallpaperLayout::Center, root, resized)));

  monitors.reset();
  EXPECT_TRUE(RootShows(Stretched(root))) << "back to the server's one monitor";
  EXPECT_TRUE(MessageLog().isEmpty()) << MessageLog().constData();
}

TEST_F(ScreensStretchTest, CentredPictureFollowsTheMonitors) {
  Start("1", "CENTER");
  EXPECT_TRUE(RootShows(ExpectedRoot(picture, WallpaperLayout::Center, root)));
  const std::vector<QRect> two = {{0, 0, 1000, root.height()}, {1000, 300, root.width() - 1000, 1000}};
  auto monitors = std::make_unique<TXrandrMonitors>(two, 1);
  ASSERT_TRUE(monitors->Ok()) << "xrandr --setmonitor failed";
  EXPECT_TRUE(RootShows(ExpectedRoot(picture, WallpaperLayout::Center, root, two)));
  monitors.reset();
  EXPECT_TRUE(RootShows(ExpectedRoot(picture, WallpaperLayout::Center, root))) << "back to the server's one monitor";
  EXPECT_TRUE(MessageLog().isEmpty()) << MessageLog().constData();
}

}  // namespace
