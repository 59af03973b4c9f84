// The real program as agent on LXQt and LXDE, whose file managers (pcmanfm-qt --desktop,
// pcmanfm --desktop) draw the desktop as a window of their own over the private Xvfb, each run
// with a private session bus: a centred and then two stretched pictures, all handed over as the
// converted bitmap under the same name, show on the screen; without their desktop the X root
// shows the picture; and where the program does not know the desktop that hides the root, the
// unattended agent says so once, naming that program. The runs keep the default fade: the
// desktops take each picture at once, the root without them fades as elsewhere, and a root
// hidden by another desktop's window is drawn at once and fails.
#include <QDBusConnection>
#include <QFileInfo>
#include <QImage>
#include <QMutex>
#include <QThread>
#include <tuple>

#include "ProgramRun.h"
#include "support/PrivateBus.h"
// Xlib's macros clash with Qt's names: after the Qt headers.
#include "support/FileManagerDesktop.h"

namespace {

constexpr QRgb kFirst = 0xFF102030;
constexpr QRgb kCentred = 0xFFFF0000;
constexpr QRgb kStretched = 0xFF00FF00;
constexpr QRgb kStretchedAgain = 0xFF0000FF;
// Large enough to show beside the agent's window, which stays in the middle of the screen
// while no tray takes the agent's icon.
constexpr QSize kCentredSize(1600, 1000);

// Stands in for the desktop's notification server, which is how the unattended agent tells
// of a failed change.
class Notifications : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
 public:
  // The bodies of the notices of failed changes.
  QStringList Failures() {
    QMutexLocker lock(&mutex_);
    return failures_;
  }

 public slots:
  uint Notify(const QString&, uint, const QString&, const QString& summary, const QString& body, const QStringList&,
              const QVariantMap&, int) {
    QMutexLocker lock(&mutex_);
    if (summary == "Tesserine could not change the wallpaper") failures_ << body;
    return ++count_;
  }

 private:
  QMutex mutex_;
  QStringList failures_;
  uint count_ = 0;
};

struct Desktop {
  const char* program;
  const char* currentDesktop;
};

void PrintTo(const Desktop& desktop, std::ostream* out) { *out << desktop.program; }

class FileManagerDesktopRun : public ::testing::TestWithParam<Desktop> {
 protected:
  void SetUp() override {
    if (!TFileManagerDesktop::Installed(GetParam().program))
      GTEST_SKIP() << GetParam().program << " is not installed (package " << GetParam().program << ")";
    ASSERT_FALSE(bus_.Address().isEmpty()) << "dbus-daemon did not start";
    ASSERT_TRUE(run_.Copied());
    display_ = XOpenDisplay(nullptr);
    ASSERT_TRUE(display_);
    root_ = QSize(DisplayWidth(display_, 0), DisplayHeight(display_, 0));
    desktop_ = std::make_unique<TFileManagerDesktop>(GetParam().program, bus_.Address());
  }

  void TearDown() override {
    if (started_ && run_.Process().state() != QProcess::NotRunning) {
      Command("--quit");
      if (!run_.Process().waitForFinished(20000)) run_.Process().kill();
    }
    desktop_.reset();
    if (serving_.isRunning()) {
      serving_.quit();
      serving_.wait();
    }
    if (display_) XCloseDisplay(display_);
  }

  QString Dir() const { return QFileInfo(run_.Ini()).absolutePath(); }

  // Four pictures the program converts (PNG): the agent's first change shows the second,
  // centred, and the next ones the third and the fourth, stretched by the desktop.
  void WriteConfig(const QByteArray& trigger = "Trigger Measure=DAYS\r\nTrigger Qty=1\r\n") {
    const std::tuple<const char*, QRgb, QSize> pictures[] = {{"first.png", kFirst, {64, 48}},
                                                             {"a.png", kCentred, kCentredSize},
                                                             {"b.png", kStretched, {64, 48}},
                                                             {"c.png", kStretchedAgain, {64, 48}}};
    for (const auto& [name, colour, size] : pictures) {
      QImage picture(size, QImage::Format_RGB32);
      picture.fill(colour);
      ASSERT_TRUE(picture.save(Dir() + "/" + name, "PNG"));
    }
    ASSERT_TRUE(TProgramRun::Write(run_.Ini(), "[Info]\r\nOpen Minimized=1\r\nSortImages=0\r\nPlus! Installed=1\r\n" +
                                                   trigger + "\r\n[Bitmaps]\r\n" + (Dir() + "/first.png").toUtf8() +
                                                   "=TILE.NOT\r\n" + (Dir() + "/a.png").toUtf8() + "=CENTER.NOT\r\n" +
                                                   (Dir() + "/b.png").toUtf8() + "=STRETCH.NOT\r\n" +
                                                   (Dir() + "/c.png").toUtf8() + "=STRETCH.NOT\r\n"));
  }

  // The program in the desktop's session; currentDesktop empty leaves the desktop unnamed.
  void StartProgram(const QString& currentDesktop) {
    const QProcessEnvironment& session = desktop_->Environment();
    started_ = true;
    run_.Start({{"TESSERINE_DESKTOP", ""},
                {"XDG_CURRENT_DESKTOP", currentDesktop},
                {"DBUS_SESSION_BUS_ADDRESS", bus_.Address()},
                {"XDG_RUNTIME_DIR", session.value("XDG_RUNTIME_DIR")}});
  }

  QString Command(const QString& option) {
    QProcess command;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DBUS_SESSION_BUS_ADDRESS", bus_.Address());
    command.setProcessEnvironment(environment);
    command.start(run_.Exe(), {option});
    if (!command.waitForFinished(20000)) return {};
    return QString::fromLocal8Bit(command.readAllStandardOutput() + command.readAllStandardError());
  }

  bool Shown(const QString& name) {
    return TProgramRun::WaitFor([&] { return Command("--status").contains("image: " + Dir() + "/" + name + "\n"); },
                                20000);
  }

  QRgb Pixel(QPoint at) {
    XImage* image = XGetImage(display_, DefaultRootWindow(display_), at.x(), at.y(), 1, 1, AllPlanes, ZPixmap);
    if (!image) return 0;
    const QRgb pixel = 0xff000000u | (XGetPixel(image, 0, 0) & 0xffffff);
    XDestroyImage(image);
    return pixel;
  }

  bool Shows(QPoint at, QRgb colour) {
    return TProgramRun::WaitFor([&] { return Pixel(at) == colour; }, 10000);
  }

  // Inside the centred picture, left of the agent's window.
  QPoint InCentred() const { return {(root_.width() - kCentredSize.width()) / 2 + 80, root_.height() / 2}; }
  QPoint NearCorner() const { return {root_.width() - 8, root_.height() - 8}; }

  void ServeNotifications(Notifications& notifications) {
    connection_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(bus_.Address(), "notifications"));
    ASSERT_TRUE(connection_->isConnected());
    serving_.start();
    notifications.moveToThread(&serving_);
    ASSERT_TRUE(connection_->registerService("org.freedesktop.Notifications"));
    ASSERT_TRUE(
        connection_->registerObject("/org/freedesktop/Notifications", &notifications, QDBusConnection::ExportAllSlots));
  }

  TPrivateBus bus_;
  TProgramRun run_;
  bool started_ = false;
  Display* display_ = nullptr;
  QSize root_;
  std::unique_ptr<TFileManagerDesktop> desktop_;
  std::unique_ptr<QDBusConnection> connection_;
  QThread serving_;
};

TEST_P(FileManagerDesktopRun, CentredThenStretchedTwiceShowThroughTheSameConvertedFile) {
  ASSERT_TRUE(desktop_->StartDesktop()) << desktop_->Log().constData();
  WriteConfig();
  StartProgram(GetParam().currentDesktop);
  ASSERT_TRUE(Shown("a.png")) << "the agent's first change never happened";
  EXPECT_TRUE(Shows(InCentred(), kCentred)) << "the centred picture does not show";
  EXPECT_TRUE(Shows(NearCorner(), qRgb(0, 0, 0))) << "the centred picture has no black margin";
  EXPECT_TRUE(Command("--next").isEmpty());
  ASSERT_TRUE(Shown("b.png"));
  EXPECT_TRUE(Shows(NearCorner(), kStretched)) << "the converted file drawn again shows the old picture";
  EXPECT_TRUE(Command("--next").isEmpty());
  ASSERT_TRUE(Shown("c.png"));
  EXPECT_TRUE(Shows(NearCorner(), kStretchedAgain)) << "the converted file stretched again shows the old picture";
  EXPECT_TRUE(QFileInfo::exists(Dir() + "/Tesserina Convert.BMP"));
  EXPECT_EQ(TProgramRun::Read(run_.Log()), "") << "a box was shown";
}

TEST_P(FileManagerDesktopRun, WithoutItsDesktopTheRootShowsThePicture) {
  WriteConfig();
  StartProgram(GetParam().currentDesktop);
  ASSERT_TRUE(Shown("a.png")) << "the agent's first change never happened: " << Command("--status").toStdString();
  EXPECT_TRUE(Shows(InCentred(), kCentred)) << "the root does not show the centred picture";
  EXPECT_EQ(TProgramRun::Read(run_.Log()), "") << "a box was shown";
}

// Unnamed, the desktop gets the X root, which its window hides: every change fails, and the
// agent tells it once.
TEST_P(FileManagerDesktopRun, AnUnknownDesktopsWindowIsToldOnceNamingItsProgram) {
  Notifications notifications;
  ServeNotifications(notifications);
  ASSERT_TRUE(desktop_->StartDesktop()) << desktop_->Log().constData();
  WriteConfig("Trigger Measure=SECONDS\r\nTrigger Qty=1\r\n");
  StartProgram("");
  ASSERT_TRUE(TProgramRun::WaitFor([&] { return !notifications.Failures().isEmpty(); }, 20000))
      << "no failure was told";
  // Several more changes fail meanwhile.
  QThread::sleep(3);
  const QString expected = QString(
                               "The X server drew the wallpaper behind another program's desktop (%1 draws its "
                               "own desktop over the %2 x %3 monitor at 0, 0); the wallpaper was not changed.")
                               .arg(GetParam().program)
                               .arg(root_.width())
                               .arg(root_.height());
  EXPECT_EQ(notifications.Failures().join("\n").toStdString(), expected.toStdString());
  EXPECT_NE(run_.Process().state(), QProcess::NotRunning) << "the agent ended";
  EXPECT_EQ(TProgramRun::Read(run_.Log()), "") << "a box was shown";
}

INSTANTIATE_TEST_SUITE_P(Desktops, FileManagerDesktopRun,
                         ::testing::Values(Desktop{"pcmanfm-qt", "LXQt"}, Desktop{"pcmanfm", "LXDE"}),
                         [](const auto& info) { return std::string(info.param.currentDesktop); });

}  // namespace

#include "FileManagerDesktops_xtest.moc"
