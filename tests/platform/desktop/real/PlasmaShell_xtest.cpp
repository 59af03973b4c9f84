// The KDE backend against Debian's plasmashell 5.27 on the private Xvfb and a private session
// bus, beside its activity manager: what the desktop draws is read back from the root
// window. Plasma sees one screen under Xvfb whatever RandR says (it builds its screens from
// RandR outputs, and Xvfb has one), so a picture per monitor is checked here with that one
// screen, and the matching of several screens through the script engine.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>

#include "integration/ProgramRun.h"
#include "platform/desktop/plasma/PlasmaBackend.h"
#include "support/PrivateBus.h"
#include "support/WaitFor.h"
// Xlib's macros clash with Qt's names, so its headers come last.
#include "support/X11RootPixels.h"

namespace {

constexpr int kStartMs = 90000;
constexpr int kShowMs = 20000;

QString ServiceExec(const QString& service) {
  const QSettings file("/usr/share/dbus-1/services/" + service + ".service", QSettings::IniFormat);
  return file.value("D-BUS Service/Exec").toString();
}

class PlasmaShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!QFile::exists("/usr/bin/plasmashell")) GTEST_SKIP() << "plasmashell is not installed (plasma-desktop)";
    ASSERT_FALSE(bus_.Address().isEmpty()) << "dbus-daemon did not start";
    const QProcessEnvironment environment = Session();
    for (QProcess* process : {&activities_, &shell_}) {
      process->setProcessEnvironment(environment);
      process->setProcessChannelMode(QProcess::MergedChannels);
      process->setStandardOutputFile(dir_.filePath(process == &shell_ ? "plasmashell.log" : "activities.log"));
    }
    // Its D-Bus activation fails here (it starts kglobalaccel first, which ends at once);
    // started by hand it runs, and the shell needs it to load.
    activities_.start(ServiceExec("org.kde.ActivityManager"), {});
    ASSERT_TRUE(activities_.waitForStarted());
    shell_.start("plasmashell", {"--no-respawn"});
    ASSERT_TRUE(shell_.waitForStarted());
    connection_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(bus_.Address(), "plasma-test"));
    ASSERT_TRUE(WaitFor([this] { return Evaluate("print(desktops().length)").toInt() > 0; }, kStartMs))
        << "plasmashell did not load its desktop";
    display_ = XOpenDisplay(nullptr);
    ASSERT_TRUE(display_);
    root_ = QSize(DisplayWidth(display_, 0), DisplayHeight(display_, 0));
  }

  void TearDown() override {
    if (display_) XCloseDisplay(display_);
    connection_.reset();
    QDBusConnection::disconnectFromBus("plasma-test");
    for (QProcess* process : {&shell_, &activities_}) {
      if (process->state() == QProcess::NotRunning) continue;
      process->terminate();
      if (!process->waitForFinished(10000)) process->kill();
      process->waitForFinished();
    }
  }

  // The desktop session's environment, which the program run beside the shell shares.
  QProcessEnvironment Session() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DBUS_SESSION_BUS_ADDRESS", bus_.Address());
    environment.insert("HOME", dir_.path());
    environment.insert("XDG_CONFIG_HOME", dir_.filePath("config"));
    environment.insert("XDG_CURRENT_DESKTOP", "KDE");
    environment.insert("KDE_SESSION_VERSION", "5");
    return environment;
  }

  QString Evaluate(const QString& script) {
    QDBusMessage call =
        QDBusMessage::createMethodCall("org.kde.plasmashell", "/PlasmaShell", "org.kde.PlasmaShell", "evaluateScript");
    call << script;
    const QDBusMessage reply = connection_->call(call, QDBus::Block, 5000);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
               ? reply.arguments().first().toString().trimmed()
               : QString();
  }

  std::string Solid(const char* name, QRgb colour) {
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(colour);
    const QString path = dir_.filePath(name);
    EXPECT_TRUE(picture.save(path, "BMP"));
    return QFile::encodeName(path).toStdString();
  }

  bool DesktopShows(QRgb colour) {
    return WaitFor(
        [&] { return ReadRootWindow(display_, root_).pixel(root_.width() / 2, root_.height() / 2) == colour; },
        kShowMs);
  }

  QTemporaryDir dir_;
  TPrivateBus bus_;
  QProcess activities_;
  QProcess shell_;
  std::unique_ptr<QDBusConnection> connection_;
  Display* display_ = nullptr;
  QSize root_;
};

TEST_F(PlasmaShellTest, TheDesktopShowsThePictureAndEachScreenItsMonitors) {
  TPlasmaBackend kde(*connection_);
  const std::string red = Solid("red.bmp", qRgb(255, 0, 0));
  kde.Apply({red, WallpaperLayout::Stretch});
  EXPECT_TRUE(DesktopShows(qRgb(255, 0, 0))) << "plasmashell did not show the picture";
  ASSERT_TRUE(kde.Query());
  EXPECT_EQ(kde.Query()->file, red);

  // The one screen at the monitor's geometry takes that monitor's picture.
  const std::string green = Solid("green.bmp", qRgb(0, 255, 0));
  const std::string blue = Solid("blue.bmp", qRgb(0, 0, 255));
  kde.ApplyMonitors(
      {{"elsewhere", QRect(QPoint(-5000, 0), root_), blue}, {"screen", QRect(QPoint(0, 0), root_), green}});
  EXPECT_TRUE(DesktopShows(qRgb(0, 255, 0))) << "the screen did not take the picture of the monitor at its geometry";
  // At no monitor's geometry, it takes the primary's.
  kde.ApplyMonitors({{"elsewhere", QRect(0, 0, 10, 10), blue}});
  EXPECT_TRUE(DesktopShows(qRgb(0, 0, 255)));
}

// The whole program with "Lock screen too": a --set with nothing running shows the picture
// on the desktop and writes the same file, as a URL, where Plasma's lock screen reads it.
TEST_F(PlasmaShellTest, ASetWithTheLockScreenGivesTheLockScreenWhatTheDesktopGot) {
  TProgramRun run;
  ASSERT_TRUE(run.Copied());
  ASSERT_TRUE(TProgramRun::Write(run.Ini(), "[Info]\r\nFade Milliseconds=0\r\nLock Screen=1\r\n"));
  const std::string red = Solid("red.bmp", qRgb(255, 0, 0));
  QProcess command;
  QProcessEnvironment environment = Session();
  environment.insert("TESSERINE_DESKTOP", "kde");
  environment.insert("TESSERINE_MESSAGE_LOG", run.Log());
  command.setProcessEnvironment(environment);
  command.start(run.Exe(), {"--set", QString::fromStdString(red)});
  ASSERT_TRUE(command.waitForFinished(60000));
  ASSERT_EQ(command.exitCode(), 0) << command.readAllStandardError().toStdString();
  EXPECT_TRUE(DesktopShows(qRgb(255, 0, 0)));

  TPlasmaBackend kde(*connection_);
  ASSERT_TRUE(kde.Query());
  const QSettings locker(dir_.filePath("config/kscreenlockerrc"), QSettings::IniFormat);
  EXPECT_EQ(locker.value("Greeter/WallpaperPlugin").toString(), "org.kde.image");
  const QByteArray text = TProgramRun::Read(dir_.filePath("config/kscreenlockerrc"));
  const qsizetype image = text.indexOf("[Greeter][Wallpaper][org.kde.image][General]\nImage=");
  ASSERT_GE(image, 0) << text.constData();
  const QString url = QString::fromUtf8(text.mid(image).split('\n').at(1).mid(6));
  EXPECT_EQ(QUrl(url).toLocalFile().toStdString(), kde.Query()->file) << url.toStdString();
  EXPECT_EQ(TProgramRun::Read(run.Log()), "") << "a box was shown";
}

}  // namespace
