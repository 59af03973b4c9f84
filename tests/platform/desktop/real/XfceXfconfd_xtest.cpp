// The XFCE backend against Debian's xfconfd on a private session bus, with a channel laid
// out as xfdesktop leaves it: one backdrop per monitor and workspace.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include "platform/desktop/xfce/XfceBackend.h"
#include "support/PrivateBus.h"
#include "support/WaitFor.h"
// Xlib's macros clash with Qt's names, so its headers come last.
#include "support/X11RootPixels.h"

namespace {

constexpr int kStartMs = 10000;
const QStringList kBackdrops = {
    "/backdrop/screen0/monitorVirtual-1/workspace0/", "/backdrop/screen0/monitorVirtual-1/workspace1/",
    "/backdrop/screen0/monitorHDMI-2/workspace0/", "/backdrop/screen0/monitorHDMI-2/workspace1/"};

// Collects xfconfd's PropertyChanged signals, which are what xfdesktop reloads on.
class ChangeLog : public QObject {
  Q_OBJECT
 public:
  QStringList seen;

 public slots:
  void Changed(const QDBusMessage& signal) {
    const QVariantList arguments = signal.arguments();
    if (arguments.size() == 3)
      seen << arguments[0].toString() + arguments[1].toString() + "=" +
                  arguments[2].value<QDBusVariant>().variant().toString();
  }
};

// Where the D-Bus service file says xfconfd lives.
QString XfconfdPath() {
  const QSettings service("/usr/share/dbus-1/services/org.xfce.Xfconf.service", QSettings::IniFormat);
  return service.value("D-BUS Service/Exec").toString();
}

class XfconfdTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const QString xfconfd = XfconfdPath();
    if (xfconfd.isEmpty() || !QFile::exists(xfconfd)) GTEST_SKIP() << "xfconfd is not installed (package xfconf)";
    WriteChannel();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", dir_.filePath("config"));
    privateBus_ = std::make_unique<TPrivateBus>(false, environment);
    const QString address = privateBus_->Address();
    ASSERT_FALSE(address.isEmpty()) << "dbus-daemon did not start";
    environment.insert("DBUS_SESSION_BUS_ADDRESS", address);
    environment_ = environment;
    xfconfd_.setProcessEnvironment(environment);
    xfconfd_.start(xfconfd, {});
    ASSERT_TRUE(xfconfd_.waitForStarted());
    bus_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, "xfconfd-test"));
    ASSERT_TRUE(bus_->isConnected());
    ASSERT_TRUE(WaitFor([this] { return bus_->interface()->isServiceRegistered("org.xfce.Xfconf").value(); }, kStartMs))
        << "xfconfd did not take its name";
  }

  void TearDown() override {
    bus_.reset();
    QDBusConnection::disconnectFromBus("xfconfd-test");
    for (QProcess* process : {&xfdesktop_, &xfconfd_}) {
      if (process->state() == QProcess::NotRunning) continue;
      process->terminate();
      if (!process->waitForFinished(kStartMs)) process->kill();
      process->waitForFinished();
    }
    privateBus_.reset();
  }

  // xfdesktop on the private Xvfb, drawing the desktop from the channel; false when it did not
  // come up with its properties for the Xvfb's one output ("screen").
  bool StartXfdesktop() {
    xfdesktop_.setProcessEnvironment(environment_);
    xfdesktop_.setProcessChannelMode(QProcess::MergedChannels);
    xfdesktop_.setStandardOutputFile(dir_.filePath("xfdesktop.log"));
    xfdesktop_.start("xfdesktop", {"--disable-wm-check"});
    return xfdesktop_.waitForStarted() &&
           WaitFor([this] { return Property("/backdrop/screen0/monitorscreen/workspace0/last-image").isValid(); },
                   kStartMs);
  }

  // The channel file xfconfd reads at start, as xfdesktop leaves it.
  void WriteChannel() {
    QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<channel name=\"xfce4-desktop\" version=\"1.0\">\n"
        "<property name=\"backdrop\" type=\"empty\"><property name=\"screen0\" type=\"empty\">\n";
    for (const char* monitor : {"monitorVirtual-1", "monitorHDMI-2"}) {
      xml += QByteArray("<property name=\"") + monitor + "\" type=\"empty\">\n";
      for (const char* workspace : {"workspace0", "workspace1"})
        xml += QByteArray("<property name=\"") + workspace +
               "\" type=\"empty\"><property name=\"color-style\" type=\"int\" value=\"0\"/>"
               "<property name=\"image-style\" type=\"int\" value=\"5\"/>"
               "<property name=\"last-image\" type=\"string\" value=\"/usr/share/backgrounds/old.png\"/></property>\n";
      xml += "</property>\n";
    }
    xml += "</property></property>\n</channel>\n";
    const QString folder = dir_.filePath("config/xfce4/xfconf/xfce-perchannel-xml");
    QDir().mkpath(folder);
    QFile file(folder + "/xfce4-desktop.xml");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(xml);
  }

  QVariant Property(const QString& property) {
    QDBusMessage call =
        QDBusMessage::createMethodCall("org.xfce.Xfconf", "/org/xfce/Xfconf", "org.xfce.Xfconf", "GetProperty");
    call << QString("xfce4-desktop") << property;
    const QDBusMessage reply = bus_->call(call);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return {};
    return reply.arguments().first().value<QDBusVariant>().variant();
  }

  QTemporaryDir dir_;
  std::unique_ptr<TPrivateBus> privateBus_;
  QProcessEnvironment environment_;
  QProcess xfconfd_;
  QProcess xfdesktop_;
  std::unique_ptr<QDBusConnection> bus_;
};

TEST_F(XfconfdTest, EveryMonitorAndWorkspaceGetsTheFileAndStyle) {
  TXfceBackend xfce(*bus_);
  const std::string file = "/home/u/it's a \"b\" & <c>.bmp";
  const std::pair<WallpaperLayout, int> rows[] = {
      {WallpaperLayout::Stretch, 3}, {WallpaperLayout::Tile, 2}, {WallpaperLayout::Center, 1}};
  for (const auto& [layout, style] : rows) {
    xfce.Apply({file, layout});
    for (const QString& backdrop : kBackdrops) {
      EXPECT_EQ(Property(backdrop + "last-image"), QString::fromStdString(file)) << backdrop.toStdString();
      const QVariant written = Property(backdrop + "image-style");
      EXPECT_EQ(written.userType(), QMetaType::Int) << written.typeName();
      EXPECT_EQ(written.toInt(), style) << backdrop.toStdString();
      EXPECT_EQ(Property(backdrop + "color-style").toInt(), 0);
    }
    const auto shown = xfce.Query();
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->file, file);
    EXPECT_EQ(shown->tiled, layout == WallpaperLayout::Tile);
  }
}

// With a picture per monitor, each monitor's own properties, on every workspace; a monitor
// xfdesktop has not seen yet gets its properties made, and the others are left alone.
TEST_F(XfconfdTest, EachMonitorGetsItsOwnPictureOnEveryWorkspace) {
  TXfceBackend xfce(*bus_);
  xfce.ApplyMonitors({{"HDMI-2", QRect(0, 0, 1920, 1080), "/home/u/Tesserina Convert.BMP"},
                      {"DP-3", QRect(1920, 0, 1080, 1920), "/home/u/Tesserina Convert 2.BMP"}});
  for (const char* workspace : {"workspace0", "workspace1"}) {
    const QString hdmi = QString("/backdrop/screen0/monitorHDMI-2/%1/").arg(workspace);
    const QString dp = QString("/backdrop/screen0/monitorDP-3/%1/").arg(workspace);
    const QString virtual1 = QString("/backdrop/screen0/monitorVirtual-1/%1/").arg(workspace);
    EXPECT_EQ(Property(hdmi + "last-image"), "/home/u/Tesserina Convert.BMP") << workspace;
    EXPECT_EQ(Property(hdmi + "image-style").toInt(), 3);
    EXPECT_EQ(Property(dp + "last-image"), "/home/u/Tesserina Convert 2.BMP") << workspace;
    EXPECT_EQ(Property(dp + "image-style").toInt(), 3);
    EXPECT_EQ(Property(virtual1 + "last-image"), "/usr/share/backgrounds/old.png") << workspace;
  }
}

// xfdesktop itself draws what its monitor was told, read back from the root window.
TEST_F(XfconfdTest, XfdesktopShowsEachMonitorsPicture) {
  if (!QFile::exists("/usr/bin/xfdesktop")) GTEST_SKIP() << "xfdesktop is not installed (package xfdesktop4)";
  ASSERT_TRUE(StartXfdesktop()) << "xfdesktop did not make the properties of its monitor";
  Display* display = XOpenDisplay(nullptr);
  ASSERT_TRUE(display);
  const QSize root(DisplayWidth(display, 0), DisplayHeight(display, 0));
  const auto shows = [&](QRgb colour) {
    return WaitFor([&] { return ReadRootWindow(display, root).pixel(root.width() / 2, root.height() / 2) == colour; },
                   kStartMs);
  };
  TXfceBackend xfce(*bus_);
  const QRgb colours[] = {qRgb(0, 255, 0), qRgb(255, 0, 255)};
  std::vector<std::string> files;
  for (int i = 0; i < 2; ++i) {
    QImage picture(root, QImage::Format_RGB32);
    picture.fill(colours[i]);
    files.push_back(dir_.filePath(QString("monitor%1.bmp").arg(i)).toStdString());
    ASSERT_TRUE(picture.save(QString::fromStdString(files.back()), "BMP"));
  }
  xfce.ApplyMonitors({{"screen", QRect(QPoint(0, 0), root), files[0]}, {"HDMI-2", QRect(0, 0, 1, 1), files[1]}});
  EXPECT_TRUE(shows(colours[0])) << "xfdesktop did not draw its monitor's picture";
  xfce.Apply({files[1], WallpaperLayout::Stretch});
  EXPECT_TRUE(shows(colours[1])) << "xfdesktop did not draw the picture of every monitor";
  XCloseDisplay(display);
}

TEST_F(XfconfdTest, SameFileAgainStillSignalsXfdesktop) {
  ChangeLog log;
  ASSERT_TRUE(bus_->connect("org.xfce.Xfconf", "/org/xfce/Xfconf", "org.xfce.Xfconf", "PropertyChanged", &log,
                            SLOT(Changed(QDBusMessage))));
  TXfceBackend xfce(*bus_);
  const QString property = "xfce4-desktop" + kBackdrops[2] + "last-image=";
  const QString file = "/home/u/Tesserina Convert.BMP";
  xfce.Apply({file.toStdString(), WallpaperLayout::Stretch});
  xfce.Apply({file.toStdString(), WallpaperLayout::Stretch});
  const QStringList expected{property + file, property, property + file};
  QStringList seen;
  WaitFor(
      [&] {
        QCoreApplication::processEvents();
        seen = log.seen.filter(property);
        return seen.size() >= expected.size();
      },
      kStartMs);
  EXPECT_EQ(seen, expected);
}

}  // namespace

#include "XfceXfconfd_xtest.moc"
