// The LXQt and LXDE backends against Debian's pcmanfm-qt 1.2 and pcmanfm 1.3 drawing the
// desktop as a window of their own on the private Xvfb, each with a private session bus and
// home: what the desktop window shows is read back from the screen. Where the program runs
// without drawing the desktop, the X root is drawn; the X root backend beside their desktop
// fails naming it.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QThread>
#include <memory>

#include "platform/desktop/lxde/LxdeBackend.h"
#include "platform/desktop/lxde/PcmanfmInstance.h"
#include "platform/desktop/lxqt/LxqtBackend.h"
#include "platform/desktop/x11/X11RootBackend.h"
#include "support/PrivateBus.h"
#include "support/XrandrMonitors.h"
// Xlib's macros clash with Qt's names, so its headers come last.
#include "support/FileManagerDesktop.h"
#include "support/X11RootPixels.h"

namespace {

constexpr int kShowMs = 10000;

struct FileManager {
  const char* program;
  const char* package;
};

void PrintTo(const FileManager& manager, std::ostream* out) { *out << manager.program; }

class FileManagerDesktopTest : public ::testing::TestWithParam<FileManager> {
 protected:
  void SetUp() override {
    if (!TFileManagerDesktop::Installed(Program()))
      GTEST_SKIP() << Program().toStdString() << " is not installed (package " << GetParam().package << ")";
    ASSERT_FALSE(bus_.Address().isEmpty()) << "dbus-daemon did not start";
    display_ = XOpenDisplay(nullptr);
    ASSERT_TRUE(display_);
    root_ = QSize(DisplayWidth(display_, 0), DisplayHeight(display_, 0));
    connection_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(bus_.Address(), "desktop-test"));
    ASSERT_TRUE(connection_->isConnected());
  }

  void TearDown() override {
    desktop_.reset();
    monitors_.reset();
    connection_.reset();
    QDBusConnection::disconnectFromBus("desktop-test");
    if (display_) XCloseDisplay(display_);
  }

  QString Program() const { return GetParam().program; }
  bool Lxqt() const { return Program() == "pcmanfm-qt"; }

  TFileManagerDesktop& Desktop() {
    if (!desktop_) desktop_ = std::make_unique<TFileManagerDesktop>(Program(), bus_.Address());
    return *desktop_;
  }

  std::unique_ptr<IDesktopBackend> Backend(const QProcessEnvironment* environment = nullptr,
                                           const QString& pcmanfm = "pcmanfm") {
    auto root = std::make_unique<TX11RootBackend>();
    if (Lxqt()) return std::make_unique<TLxqtBackend>(std::move(root), *connection_);
    return std::make_unique<TLxdeBackend>(std::move(root), pcmanfm,
                                          environment ? *environment : Desktop().Environment());
  }

  std::string Save(const QString& name, QRgb colour, QSize size = {64, 48}) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    EXPECT_TRUE(picture.save(dir_.filePath(name), "BMP"));
    return QFile::encodeName(dir_.filePath(name)).toStdString();
  }

  QRgb Pixel(QPoint at) {
    XImage* image = XGetImage(display_, DefaultRootWindow(display_), at.x(), at.y(), 1, 1, AllPlanes, ZPixmap);
    if (!image) return 0;
    const QRgb pixel = 0xff000000u | (XGetPixel(image, 0, 0) & 0xffffff);
    XDestroyImage(image);
    return pixel;
  }

  // Waits until the screen shows colour at, or the time is up.
  bool Shows(QPoint at, QRgb colour) {
    return WaitFor([&] { return Pixel(at) == colour; }, kShowMs);
  }

  QPoint Middle() const { return {root_.width() / 2, root_.height() / 2}; }
  // Clear of the icons both programs put at the top left.
  QPoint NearCorner() const { return {root_.width() - 8, root_.height() - 8}; }

  TPrivateBus bus_;
  QTemporaryDir dir_;
  Display* display_ = nullptr;
  QSize root_;
  std::unique_ptr<QDBusConnection> connection_;
  std::unique_ptr<TXrandrMonitors> monitors_;
  std::unique_ptr<TFileManagerDesktop> desktop_;
};

TEST_P(FileManagerDesktopTest, EachLayoutShowsAndTheSameNameIsReadAnew) {
  ASSERT_TRUE(Desktop().StartDesktop()) << Desktop().Log().constData();
  const auto backend = Backend();
  const QString name = "Tesserina Convert.BMP";
  backend->Apply({Save(name, qRgb(255, 0, 0)), WallpaperLayout::Center});
  EXPECT_TRUE(Shows(Middle(), qRgb(255, 0, 0))) << "the centred picture does not show";
  EXPECT_TRUE(Shows(NearCorner(), qRgb(0, 0, 0))) << "the centred picture has no black margin";
  backend->Apply({Save(name, qRgb(0, 255, 0)), WallpaperLayout::Stretch});
  EXPECT_TRUE(Shows(NearCorner(), qRgb(0, 255, 0))) << "the stretched picture does not show";
  backend->Apply({Save(name, qRgb(0, 0, 255)), WallpaperLayout::Stretch});
  EXPECT_TRUE(Shows(NearCorner(), qRgb(0, 0, 255))) << "the file drawn again under its name shows the old picture";
  backend->Apply({Save(name, qRgb(255, 255, 0), {7, 5}), WallpaperLayout::Tile});
  EXPECT_TRUE(Shows(NearCorner(), qRgb(255, 255, 0))) << "the tiled picture does not show";
  backend->Apply({});
  // pcmanfm-qt 1.2 takes its "color" mode but keeps painting the picture it had.
  if (!Lxqt()) {
    EXPECT_TRUE(Shows(NearCorner(), qRgb(0, 0, 0))) << "no wallpaper still shows a picture";
  }
}

// Running without drawing the desktop (its daemon mode), neither program is handed the
// picture: pcmanfm would answer --set-wallpaper with an error box. The root shows it.
TEST_P(FileManagerDesktopTest, WithoutItsDesktopTheRootShowsThePicture) {
  const auto backend = Backend();
  backend->Apply({Save("a.bmp", qRgb(0, 128, 255)), WallpaperLayout::Stretch});
  EXPECT_EQ(Pixel(Middle()), qRgb(0, 128, 255)) << "nothing running: the root was not drawn";

  ASSERT_TRUE(Desktop().Start({"--daemon-mode"})) << Desktop().Log().constData();
  const QString socket = PcmanfmSocketPath(Desktop().Environment());
  ASSERT_TRUE(WaitFor(
      [&] {
        return Lxqt() ? connection_->interface()->isServiceRegistered("org.pcmanfm.PCManFM").value()
                      : SocketListening(socket);
      },
      kShowMs))
      << "it did not take its instance's name or socket";
  backend->Apply({Save("b.bmp", qRgb(255, 128, 0)), WallpaperLayout::Stretch});
  EXPECT_EQ(Pixel(Middle()), qRgb(255, 128, 0)) << "the root was not drawn";
  QThread::msleep(500);
  for (const QRect& window : Desktop().ProgramWindows())
    ADD_FAILURE() << Program().toStdString() << " opened a window at " << window.x() << ", " << window.y();
}

TEST_P(FileManagerDesktopTest, TheXRootBesideItsDesktopFailsNamingIt) {
  ASSERT_TRUE(Desktop().StartDesktop()) << Desktop().Log().constData();
  TX11RootBackend x11;
  try {
    x11.Apply({Save("a.bmp", qRgb(1, 2, 3)), WallpaperLayout::Stretch});
    FAIL() << "the hidden root counted as a change";
  } catch (const TDesktopError& error) {
    EXPECT_EQ(std::string(error.what()), "The X server drew the wallpaper behind another program's desktop (" +
                                             Program().toStdString() + " draws its own desktop over the " +
                                             std::to_string(root_.width()) + " x " + std::to_string(root_.height()) +
                                             " monitor at 0, 0); the wallpaper was not changed.");
  }
}

// pcmanfm-qt spans one desktop across the monitors and shows the layout's canvas; pcmanfm
// keeps a desktop per monitor and takes a picture for its first one only, which is not the
// primary here (GTK counts the left one first).
TEST_P(FileManagerDesktopTest, EachMonitorsPictureAsFarAsTheDesktopTakesIt) {
  const QRect left(0, 0, root_.width() / 2, root_.height() / 2);
  const QRect right(root_.width() / 2, 0, root_.width() / 2, root_.height());
  monitors_ = std::make_unique<TXrandrMonitors>(std::vector<QRect>{left, right}, 1);
  ASSERT_TRUE(monitors_->Ok()) << "xrandr --setmonitor failed";
  const std::vector<QRect> places = Lxqt() ? std::vector<QRect>{left | right} : std::vector<QRect>{left, right};
  ASSERT_TRUE(Desktop().StartDesktop(places)) << Desktop().Log().constData();
  const auto backend = Backend();
  backend->ApplyMonitors({{"right", right, Save("Tesserina Convert.BMP", qRgb(0, 255, 0), right.size())},
                          {"left", left, Save("Tesserina Convert 2.BMP", qRgb(255, 0, 0), left.size())}});
  EXPECT_TRUE(Shows(left.center(), qRgb(255, 0, 0))) << "the left monitor does not show its picture";
  if (Lxqt()) {
    EXPECT_TRUE(Shows(right.center(), qRgb(0, 255, 0))) << "the right monitor does not show its picture";
    EXPECT_TRUE(Shows({left.center().x(), root_.height() - 8}, qRgb(0, 0, 0))) << "no monitor there, yet no black";
  }
}

INSTANTIATE_TEST_SUITE_P(Desktops, FileManagerDesktopTest,
                         ::testing::Values(FileManager{"pcmanfm-qt", "pcmanfm-qt"}, FileManager{"pcmanfm", "pcmanfm"}),
                         [](const auto& info) {
                           return std::string(info.param.program) == "pcmanfm" ? "Lxde" : "Lxqt";
                         });

// pcmanfm's second instance is started only where the first listens, and never waited on
// unbounded.
class PcmanfmInstanceTest : public FileManagerDesktopTest {};

TEST_P(PcmanfmInstanceTest, AnInstanceOutOfReachOrNotEndingFailsTheChange) {
  ASSERT_TRUE(Desktop().StartDesktop()) << Desktop().Log().constData();
  QProcessEnvironment elsewhere = Desktop().Environment();
  QDir().mkpath(dir_.filePath("run"));
  elsewhere.insert("XDG_RUNTIME_DIR", dir_.filePath("run"));
  try {
    Backend(&elsewhere)->Apply({Save("a.bmp", qRgb(9, 9, 9)), WallpaperLayout::Center});
    FAIL() << "no error";
  } catch (const TDesktopError& error) {
    EXPECT_EQ(std::string(error.what())
                  .rfind("The LXDE desktop (pcmanfm) could not be reached (pcmanfm draws the "
                         "desktop, but nothing listens on its socket " +
                             dir_.filePath("run").toStdString() + "/pcmanfm-socket-",
                         0),
              0u)
        << error.what();
  }

  // A second pcmanfm that never ends, as one would that became an instance of its own.
  const QString hanging = dir_.filePath("pcmanfm");
  QFile script(hanging);
  ASSERT_TRUE(script.open(QIODevice::WriteOnly));
  script.write("#!/bin/sh\nexec sleep 60\n");
  script.close();
  script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  try {
    Backend(nullptr, hanging)->Apply({Save("b.bmp", qRgb(9, 9, 9)), WallpaperLayout::Center});
    FAIL() << "no error";
  } catch (const TDesktopError& error) {
    EXPECT_STREQ(error.what(),
                 "The LXDE desktop (pcmanfm) could not be reached (pcmanfm --set-wallpaper did not end within 5 "
                 "seconds); the wallpaper was not changed.");
  }
}

INSTANTIATE_TEST_SUITE_P(Lxde, PcmanfmInstanceTest, ::testing::Values(FileManager{"pcmanfm", "pcmanfm"}),
                         [](const auto&) { return std::string("Pcmanfm"); });

}  // namespace
