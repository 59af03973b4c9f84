// The Cinnamon backend against Debian's Cinnamon 5.6 on the private Xvfb and a private
// session bus: cinnamon (the compositing shell) shows the root's pixmap, which
// csd-background draws from org.cinnamon.desktop.background. csd-background draws only once
// the session manager says the session runs; a stand-in answers that here, as
// cinnamon-session does in a real session. What the screen shows is read back.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusObjectPath>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <cstdlib>

#include "platform/desktop/gsettings/GSettingsBackend.h"
#include "platform/desktop/x11/X11RootBackend.h"
#include "support/PrivateBus.h"
#include "support/WaitFor.h"

// GIO names a struct member "signals", which Qt's keyword macro would rewrite.
#undef signals
#include <gio/gio.h>

namespace {

class SessionManager : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.gnome.SessionManager")
 public slots:
  bool IsSessionRunning() { return true; }
  QDBusObjectPath RegisterClient(const QString&, const QString&) {
    return QDBusObjectPath("/org/gnome/SessionManager/Client1");
  }
};

}  // namespace

// Before Xlib's headers, whose macros (Bool) break what moc writes.
#include "CinnamonShell_xtest.moc"
// clang-format off
#include "support/X11RootPixels.h"
// clang-format on

namespace {

constexpr int kStartMs = 60000;
constexpr int kShowMs = 10000;

class CinnamonShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* program : {"/usr/bin/cinnamon", "/usr/bin/csd-background"})
      if (!QFile::exists(program)) GTEST_SKIP() << program << " is not installed (package cinnamon)";
    ASSERT_FALSE(bus_.Address().isEmpty()) << "dbus-daemon did not start";
    connection_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(bus_.Address(), "cinnamon-test"));
    ASSERT_TRUE(connection_->isConnected());
    serving_.start();
    sessionManager_.moveToThread(&serving_);
    ASSERT_TRUE(connection_->registerService("org.gnome.SessionManager"));
    ASSERT_TRUE(
        connection_->registerObject("/org/gnome/SessionManager", &sessionManager_, QDBusConnection::ExportAllSlots));

    // The shell, the settings daemon and this test share dconf on the private bus, as a real
    // session does (a key file shared by several writers loses their writes); this test's
    // GSettings are made after this, with its own process.
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus_.Address().toUtf8());
    qputenv("GSETTINGS_BACKEND", "dconf");
    // GIO ends a process whose session bus goes away, as the private one does before this test.
    gioBus_ = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    ASSERT_TRUE(gioBus_);
    g_dbus_connection_set_exit_on_close(gioBus_, FALSE);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CURRENT_DESKTOP", "X-Cinnamon");
    // Without the cross-fade, each picture shows at once and exactly.
    ASSERT_EQ(QProcess::execute("gsettings", {"set", "org.cinnamon.muffin", "background-transition", "none"}), 0);
    for (QProcess* process : {&shell_, &background_}) {
      process->setProcessEnvironment(environment);
      // cinnamon makes folders below its working folder.
      process->setWorkingDirectory(dir_.path());
      process->setProcessChannelMode(QProcess::MergedChannels);
      process->setStandardOutputFile(dir_.filePath(process == &shell_ ? "cinnamon.log" : "csd-background.log"));
    }
    shell_.start("cinnamon", {"--replace"});
    ASSERT_TRUE(shell_.waitForStarted());
    ASSERT_TRUE(
        WaitFor([this] { return connection_->interface()->isServiceRegistered("org.Cinnamon").value(); }, kStartMs))
        << "cinnamon did not start";
    display_ = XOpenDisplay(nullptr);
    ASSERT_TRUE(display_);
    root_ = QSize(DisplayWidth(display_, 0), DisplayHeight(display_, 0));
    const unsigned long before = RootPixmap();
    background_.start("csd-background", {});
    ASSERT_TRUE(background_.waitForStarted());
    // Its first root pixmap says it follows the settings now.
    ASSERT_TRUE(WaitFor([&] { return RootPixmap() != before; }, kStartMs)) << "csd-background drew nothing";
  }

  void TearDown() override {
    if (display_) XCloseDisplay(display_);
    for (QProcess* process : {&icons_, &background_, &shell_}) {
      if (process->state() == QProcess::NotRunning) continue;
      process->terminate();
      if (!process->waitForFinished(10000)) process->kill();
      process->waitForFinished();
    }
    if (connection_) connection_->unregisterService("org.gnome.SessionManager");
    connection_.reset();
    QDBusConnection::disconnectFromBus("cinnamon-test");
    serving_.quit();
    serving_.wait();
    if (gioBus_) g_object_unref(gioBus_);
  }

  std::string Save(const QString& name, QRgb colour, QSize size = {64, 48}) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    EXPECT_TRUE(picture.save(dir_.filePath(name), "BMP"));
    return QFile::encodeName(dir_.filePath(name)).toStdString();
  }

  // Whether a mapped top-level window of program (its WM_CLASS instance name) covers the root.
  bool DesktopWindowOf(const char* program) {
    Window rootReturn = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    bool found = false;
    if (!XQueryTree(display_, DefaultRootWindow(display_), &rootReturn, &parent, &children, &count)) return false;
    for (unsigned i = 0; i < count && !found; ++i) {
      XWindowAttributes attributes{};
      XClassHint hint{};
      if (!XGetWindowAttributes(display_, children[i], &attributes) || attributes.map_state != IsViewable ||
          !XGetClassHint(display_, children[i], &hint))
        continue;
      found = hint.res_name && std::string(hint.res_name) == program && attributes.width == root_.width() &&
              attributes.height == root_.height();
      if (hint.res_name) XFree(hint.res_name);
      if (hint.res_class) XFree(hint.res_class);
    }
    if (children) XFree(children);
    return found;
  }

  unsigned long RootPixmap() {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    unsigned long pixmap = 0;
    if (XGetWindowProperty(display_, DefaultRootWindow(display_), XInternAtom(display_, "_XROOTPMAP_ID", False), 0, 1,
                           False, AnyPropertyType, &type, &format, &count, &after, &data) == Success &&
        data && format == 32 && count == 1)
      pixmap = *reinterpret_cast<unsigned long*>(data);
    if (data) XFree(data);
    return pixmap;
  }

  QRgb Pixel(QPoint at) {
    XImage* image = XGetImage(display_, DefaultRootWindow(display_), at.x(), at.y(), 1, 1, AllPlanes, ZPixmap);
    if (!image) return 0;
    const QRgb pixel = 0xff000000u | (XGetPixel(image, 0, 0) & 0xffffff);
    XDestroyImage(image);
    return pixel;
  }

  bool Shows(QPoint at, QRgb colour) {
    return WaitFor([&] { return Pixel(at) == colour; }, kShowMs);
  }

  QPoint Middle() const { return {root_.width() / 2, root_.height() / 2}; }
  // Clear of the panel at the bottom.
  QPoint NearCorner() const { return {root_.width() - 8, 8}; }

  QTemporaryDir dir_;
  GDBusConnection* gioBus_ = nullptr;
  TPrivateBus bus_;
  std::unique_ptr<QDBusConnection> connection_;
  QThread serving_;
  SessionManager sessionManager_;
  QProcess shell_;
  QProcess background_;
  QProcess icons_;
  Display* display_ = nullptr;
  QSize root_;
};

TEST_F(CinnamonShellTest, EachLayoutShowsAndTheSameNameIsReadAnew) {
  TGSettingsBackend cinnamon(GSettingsDesktop::Cinnamon);
  const QString name = "Tesserina Convert.BMP";
  cinnamon.Apply({Save(name, qRgb(255, 0, 0)), WallpaperLayout::Stretch});
  EXPECT_TRUE(Shows(NearCorner(), qRgb(255, 0, 0))) << "Cinnamon does not show the stretched picture";
  cinnamon.Apply({Save(name, qRgb(0, 255, 0)), WallpaperLayout::Stretch});
  EXPECT_TRUE(Shows(NearCorner(), qRgb(0, 255, 0))) << "the file drawn again under its name shows the old picture";
  cinnamon.Apply({Save(name, qRgb(0, 0, 255)), WallpaperLayout::Center});
  EXPECT_TRUE(Shows(Middle(), qRgb(0, 0, 255))) << "the centred picture does not show";
  EXPECT_TRUE(Shows(NearCorner(), qRgb(0, 0, 0))) << "the centred picture has no black margin";
  cinnamon.Apply({Save(name, qRgb(255, 255, 0), {7, 5}), WallpaperLayout::Tile});
  EXPECT_TRUE(Shows(NearCorner(), qRgb(255, 255, 0))) << "the tiled picture does not show";
}

// nemo-desktop draws Cinnamon's desktop icons on a see-through desktop window, under which
// Cinnamon shows the root's pixmap: the X root's change shows, and is no failure.
TEST_F(CinnamonShellTest, TheXRootShowsThroughNemosDesktopWindow) {
  if (QStandardPaths::findExecutable("nemo-desktop").isEmpty()) GTEST_SKIP() << "nemo-desktop is not installed";
  // It refuses to run as root.
  QString program = "nemo-desktop";
  QStringList arguments;
  QTemporaryDir home;
  if (geteuid() == 0) {
    const passwd* nobody = getpwnam("nobody");
    if (!nobody || QStandardPaths::findExecutable("setpriv").isEmpty()) GTEST_SKIP() << "no user nobody or no setpriv";
    ASSERT_EQ(chown(QFile::encodeName(home.path()).constData(), nobody->pw_uid, nobody->pw_gid), 0);
    arguments = {QString("--reuid=%1").arg(nobody->pw_uid), QString("--regid=%1").arg(nobody->pw_gid), "--clear-groups",
                 program};
    program = "setpriv";
  }
  QProcessEnvironment environment = shell_.processEnvironment();
  environment.insert("HOME", home.path());
  environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
  environment.insert("XDG_CACHE_HOME", home.filePath("cache"));
  environment.insert("XDG_RUNTIME_DIR", home.path());
  // Another user may not reach the private bus; nemo-desktop runs without one.
  environment.insert("DBUS_SESSION_BUS_ADDRESS", "disabled:");
  icons_.setProcessEnvironment(environment);
  icons_.setWorkingDirectory(home.path());
  icons_.setProcessChannelMode(QProcess::MergedChannels);
  icons_.start(program, arguments);
  ASSERT_TRUE(icons_.waitForStarted());
  ASSERT_TRUE(WaitFor([&] { return DesktopWindowOf("nemo-desktop"); }, kStartMs))
      << "nemo-desktop drew no desktop: " << icons_.readAll().constData();

  TX11RootBackend x11;
  EXPECT_NO_THROW(x11.Apply({Save("root.bmp", qRgb(255, 0, 255)), WallpaperLayout::Stretch}));
  EXPECT_TRUE(Shows(NearCorner(), qRgb(255, 0, 255))) << "the root does not show through";
}

}  // namespace
