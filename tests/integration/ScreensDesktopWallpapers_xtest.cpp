// The real program as agent with the wallpapers Debian's desktops install, on the X root:
// GNOME's 4096 x 4096 WebP (gnome-backgrounds) and KDE's 5120 x 2880 PNG
// (plasma-workspace-wallpapers), decoded only as far as the screen shows them. Stretched, the
// root shows the area average of the whole picture as Qt's readers decode it (libwebp's
// scaling within the error a reduced JPEG allows, the PNG's average exactly); centred, the
// whole decode's middle pixel for pixel.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>

#include "ProgramRun.h"
#include "picture/PictureTestTools.h"
#include "platform/desktop/x11/X11RootBackend.h"
#include "support/ExpectedRoot.h"
#include "support/WaitFor.h"

// Xlib's macros clash with Qt's names, so its headers come last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "support/X11RootPixels.h"

namespace {

constexpr const char* GnomeWebp = "/usr/share/backgrounds/gnome/adwaita-l.webp";
constexpr const char* KdePng = "/usr/share/wallpapers/Altai/contents/images/5120x2880.png";

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};

class DesktopWallpapersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!qEnvironmentVariableIsSet("DISPLAY")) GTEST_SKIP() << "needs an X display";
    display.reset(XOpenDisplay(nullptr));
    ASSERT_TRUE(display);
    root = QSize(DisplayWidth(display.get(), 0), DisplayHeight(display.get(), 0));
    ASSERT_TRUE(CopyProgram(dir.filePath("tesserine")));
  }

  void TearDown() override {
    if (program.state() == QProcess::NotRunning) return;
    program.terminate();
    if (!program.waitForFinished(20000)) program.kill();
    program.waitForFinished();
  }

  // The picture as Qt's readers decode it whole, over black; fails when its package is missing.
  static QImage WholeDecode(const char* path, const char* format) {
    const QByteArray bytes = FileBytesOf(path);
    EXPECT_FALSE(bytes.isEmpty()) << path << " is missing: scripts/install-deps.sh installs it";
    const TQtDecode qt = QtReaderDecode(bytes, format, path);
    EXPECT_TRUE(qt.error.empty()) << qt.error;
    return qt.picture;
  }

  // One change of the agent to path by method, at once and without a fade.
  void Start(const char* path, const QByteArray& method) {
    TX11RootBackend().Apply({});
    QFile ini(dir.filePath("tesserine.INI"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write(
        "[Info]\r\nOpen Minimized=1\r\nPlus! Installed=0\r\nTrigger Measure=HOURS\r\nTrigger Qty=1\r\n"
        "Fade Milliseconds=0\r\n\r\n[Bitmaps]\r\n" +
        QByteArray(path) + "=" + method + ".NOT\r\n");
    ini.close();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TESSERINE_DESKTOP", "x11");
    environment.insert("TESSERINE_MESSAGE_LOG", dir.filePath("messages.log"));
    environment.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    environment.remove("QT_QPA_PLATFORM");
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(dir.filePath("tesserine"), {});
    ASSERT_TRUE(program.waitForStarted());
  }

  // The root's background pixmap once the program has set one.
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

  // The root once it differs from the black it started with, and what then differs from
  // expected.
  TPixelErrors RootAgainst(const QImage& expected) {
    QImage shown;
    const QImage black = ExpectedRoot({}, WallpaperLayout::Center, root);
    WaitFor(
        [&] {
          shown = RootPixmap();
          return !shown.isNull() && shown != black;
        },
        60000);
    if (shown.isNull()) return {255, 255};
    return PixelErrors(shown, expected);
  }

  QByteArray MessageLog() const { return FileBytesOf(dir.filePath("messages.log").toStdString()); }

  QTemporaryDir dir;
  std::unique_ptr<Display, DisplayCloser> display;
  QSize root;
  QProcess program;
};

TEST_F(DesktopWallpapersTest, GnomeWebpStretchedIsItsAverage) {
  const QImage whole = WholeDecode(GnomeWebp, "webp");
  ASSERT_FALSE(whole.isNull());
  Start(GnomeWebp, "STRETCH");
  const TPixelErrors errors = RootAgainst(ExactAreaAverage(whole, root));
  // bench_stretch_quality: a mean of 0.7 and at most 7 here; a reduced JPEG photo comes to
  // 1.2 and 67.
  EXPECT_LT(errors.mean, 1.0);
  EXPECT_LE(errors.largest, 16);
  EXPECT_TRUE(MessageLog().isEmpty()) << MessageLog().constData();
}

TEST_F(DesktopWallpapersTest, KdePngStretchedIsItsAverage) {
  const QImage whole = WholeDecode(KdePng, "png");
  ASSERT_FALSE(whole.isNull());
  Start(KdePng, "STRETCH");
  const TPixelErrors errors = RootAgainst(ExactAreaAverage(whole, root));
  EXPECT_EQ(errors.largest, 0);
  EXPECT_TRUE(MessageLog().isEmpty()) << MessageLog().constData();
}

TEST_F(DesktopWallpapersTest, CentredTheyShowTheWholeDecodesMiddle) {
  for (const auto& [path, format] : {std::pair{GnomeWebp, "webp"}, std::pair{KdePng, "png"}}) {
    SCOPED_TRACE(path);
    const QImage whole = WholeDecode(path, format);
    ASSERT_FALSE(whole.isNull());
    Start(path, "CENTER");
    EXPECT_EQ(RootAgainst(ExpectedRoot(whole, WallpaperLayout::Center, root)).largest, 0);
    TearDown();
  }
  EXPECT_TRUE(MessageLog().isEmpty()) << MessageLog().constData();
}

}  // namespace
