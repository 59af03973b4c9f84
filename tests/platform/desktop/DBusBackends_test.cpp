// The D-Bus backends against stand-in services on a private bus of their own.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusVariant>
#include <QMutex>
#include <QProcess>
#include <QThread>
#include <chrono>
#include <functional>
#include <utility>

#include "platform/desktop/lxqt/LxqtBackend.h"
#include "platform/desktop/plasma/PlasmaBackend.h"
#include "platform/desktop/plasma/PlasmaScript.h"
#include "platform/desktop/xfce/XfceBackend.h"
#include "platform/screen/DBusScreenSaver.h"
#include "support/PrivateBus.h"

namespace {

class FakeXfconf : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.xfce.Xfconf")
 public:
  QVariantMap properties;
  QStringList log;  // "property=value:type" per SetProperty, in order
  QMutex mutex;

 public slots:
  QVariantMap GetAllProperties(const QString& channel, const QString& base) {
    QMutexLocker lock(&mutex);
    QVariantMap result;
    if (channel != "xfce4-desktop") return result;
    for (auto it = properties.begin(); it != properties.end(); ++it)
      if (it.key().startsWith(base + "/")) result.insert(it.key(), it.value());
    return result;
  }
  void SetProperty(const QString& channel, const QString& property, const QDBusVariant& value) {
    QMutexLocker lock(&mutex);
    if (channel != "xfce4-desktop") return;
    properties[property] = value.variant();
    log << property + "=" + value.variant().toString() + ":" + value.variant().typeName();
  }
};

class FakePlasma : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.PlasmaShell")
 public:
  QStringList scripts;
  QString printed;
  QMutex mutex;

 public slots:
  QString evaluateScript(const QString& script) {
    QMutexLocker lock(&mutex);
    scripts << script;
    return printed;
  }
};

class FakeScreenSaver : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
 public:
  std::atomic<bool> active = false;

 public slots:
  bool GetActive() { return active; }
};

class FakePcmanfmQt : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.pcmanfm.Application")
  Q_PROPERTY(bool desktopManagerEnabled READ DesktopManagerEnabled)
 public:
  std::atomic<bool> desktop = true;
  std::atomic<bool> refuse = false;
  QStringList calls;  // "file|mode" per setWallpaper, in order
  QMutex mutex;

  bool DesktopManagerEnabled() const { return desktop; }

 public slots:
  void setWallpaper(const QString& file, const QString& mode) {
    if (refuse) {
      sendErrorReply(QDBusError::AccessDenied, "not now");
      return;
    }
    QMutexLocker lock(&mutex);
    calls << file + "|" + mode;
  }
};

// Stands in for the backend a windowed desktop falls back to, remembering what it was asked;
// a change asked to fade leaves it fading until FinishFade.
class RecordingBackend final : public IDesktopBackend {
 public:
  explicit RecordingBackend(QStringList& log) : log_(log) {}
  std::string Name() const override { return "fallback"; }
  void Apply(const WallpaperValues& values) override {
    log_ << "Apply " + QString::fromStdString(values.file);
    fading_ = fadeNext_.count() > 0;
  }
  void ApplyMonitors(const std::vector<MonitorWallpaper>& monitors) override {
    log_ << "ApplyMonitors " + QString::number(monitors.size());
    fading_ = fadeNext_.count() > 0;
  }
  std::optional<ShownWallpaper> Query() override { return ShownWallpaper{"/shown.bmp", false}; }
  void ScreensChanged() override { log_ << "ScreensChanged"; }
  void FadeNext(std::chrono::milliseconds duration) override {
    log_ << "FadeNext " + QString::number(duration.count());
    fadeNext_ = duration;
  }
  bool Fading() const override { return fading_; }
  void FinishFade() override {
    log_ << "FinishFade";
    fading_ = false;
    for (const auto& done : std::exchange(done_, {})) done();
  }
  void WhenFadeDone(std::function<void()> done) override {
    if (fading_)
      done_.push_back(std::move(done));
    else
      done();
  }

 private:
  QStringList& log_;
  std::chrono::milliseconds fadeNext_{0};
  bool fading_ = false;
  std::vector<std::function<void()>> done_;
};

// A private session bus, a client connection for the backends and a service connection
// whose objects answer from a thread of their own (the client's calls block).
class DBusBackendsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bus_ = std::make_unique<TPrivateBus>();
    const QString address = bus_->Address();
    ASSERT_FALSE(address.isEmpty()) << "dbus-daemon did not start";
    name_ = QString("test-%1").arg(reinterpret_cast<quintptr>(this));
    client_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, name_ + "-client"));
    service_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, name_ + "-service"));
    ASSERT_TRUE(client_->isConnected());
    ASSERT_TRUE(service_->isConnected());
    thread_.start();
  }
  void TearDown() override {
    thread_.quit();
    thread_.wait();
    client_.reset();
    service_.reset();
    QDBusConnection::disconnectFromBus(name_ + "-client");
    QDBusConnection::disconnectFromBus(name_ + "-service");
    bus_.reset();
  }

  void Serve(QObject& object, const QString& service, const QString& path) {
    object.moveToThread(&thread_);
    ASSERT_TRUE(service_->registerService(service));
    ASSERT_TRUE(service_->registerObject(path, &object,
                                         QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties));
  }

  QDBusConnection& Client() { return *client_; }

  std::unique_ptr<TPrivateBus> bus_;
  QString name_;
  std::unique_ptr<QDBusConnection> client_;
  std::unique_ptr<QDBusConnection> service_;
  QThread thread_;
};

const QString kVirtual = "/backdrop/screen0/monitorVirtual-1/workspace0/";
const QString kHdmi = "/backdrop/screen0/monitorHDMI-1/workspace1/";

TEST_F(DBusBackendsTest, XfceSetsEveryLastImageAndItsStyle) {
  FakeXfconf xfconf;
  xfconf.properties = {{kVirtual + "last-image", "/old.png"},
                       {kVirtual + "image-style", 5},
                       {kVirtual + "color-style", 0},
                       {kHdmi + "last-image", "/home/u/it's a \"b\".bmp"}};
  Serve(xfconf, "org.xfce.Xfconf", "/org/xfce/Xfconf");
  TXfceBackend xfce(Client());
  const std::string file = "/home/u/it's a \"b\".bmp";
  xfce.Apply({file, WallpaperLayout::Tile});
  QMutexLocker lock(&xfconf.mutex);
  EXPECT_EQ(xfconf.log, (QStringList{kHdmi + "image-style=2:int", kHdmi + "last-image=:QString",
                                     kHdmi + "last-image=" + QString::fromStdString(file) + ":QString",
                                     kVirtual + "image-style=2:int",
                                     kVirtual + "last-image=" + QString::fromStdString(file) + ":QString"}));
  EXPECT_EQ(xfconf.properties[kVirtual + "color-style"], 0);
}

TEST_F(DBusBackendsTest, XfceRefusesANameThatIsNotTextBeforeWritingAnything) {
  FakeXfconf xfconf;
  xfconf.properties = {{kVirtual + "last-image", "/old.png"}};
  Serve(xfconf, "org.xfce.Xfconf", "/org/xfce/Xfconf");
  TXfceBackend xfce(Client());
  EXPECT_THROW(xfce.Apply({"/p/\xe9t\xe9.bmp", WallpaperLayout::Tile}), TDesktopError);
  QMutexLocker lock(&xfconf.mutex);
  EXPECT_TRUE(xfconf.log.isEmpty()) << xfconf.log.join(' ').toStdString();
}

TEST_F(DBusBackendsTest, XfceLayoutsAndWhatItShows) {
  FakeXfconf xfconf;
  xfconf.properties = {{kVirtual + "last-image", "/old.png"}};
  Serve(xfconf, "org.xfce.Xfconf", "/org/xfce/Xfconf");
  TXfceBackend xfce(Client());
  const std::pair<WallpaperLayout, int> rows[] = {
      {WallpaperLayout::Center, 1}, {WallpaperLayout::Tile, 2}, {WallpaperLayout::Stretch, 3}};
  for (const auto& [layout, style] : rows) {
    xfce.Apply({"/new.bmp", layout});
    {
      QMutexLocker lock(&xfconf.mutex);
      EXPECT_EQ(xfconf.properties[kVirtual + "image-style"], style);
    }
    const auto shown = xfce.Query();
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->file, "/new.bmp");
    EXPECT_EQ(shown->tiled, layout == WallpaperLayout::Tile);
  }
}

TEST_F(DBusBackendsTest, XfceWithoutBackdropsOrWithoutXfconfSaysSo) {
  FakeXfconf xfconf;
  xfconf.properties = {{kVirtual + "color-style", 0}};
  Serve(xfconf, "org.xfce.Xfconf", "/org/xfce/Xfconf");
  TXfceBackend xfce(Client());
  try {
    xfce.Apply({"/a.bmp", WallpaperLayout::Tile});
    FAIL() << "no error";
  } catch (const TDesktopError& error) {
    EXPECT_STREQ(error.what(),
                 "The XFCE desktop settings service did not take the wallpaper (the xfconf channel xfce4-desktop has "
                 "no /backdrop/.../last-image property); the wallpaper was not changed.");
  }
  service_->unregisterService("org.xfce.Xfconf");
  try {
    xfce.Apply({"/a.bmp", WallpaperLayout::Tile});
    FAIL() << "no error";
  } catch (const TDesktopError& error) {
    // The bus may start Debian's own xfconfd in its place, which has no such property either.
    EXPECT_EQ(std::string(error.what()).rfind("The XFCE desktop settings service ", 0), 0u) << error.what();
  }
  EXPECT_FALSE(xfce.Query());
}

TEST_F(DBusBackendsTest, PlasmaRunsTheScriptAndReadsTheAnswer) {
  FakePlasma plasma;
  plasma.printed = PlasmaImageUrl("/p/x y.bmp") + "\n3";
  Serve(plasma, "org.kde.plasmashell", "/PlasmaShell");
  TPlasmaBackend kde(Client());
  const WallpaperValues values{"/p/$(id).bmp", WallpaperLayout::Stretch};
  kde.Apply(values);
  const auto shown = kde.Query();
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->file, "/p/x y.bmp");
  EXPECT_TRUE(shown->tiled);
  QMutexLocker lock(&plasma.mutex);
  EXPECT_EQ(plasma.scripts, (QStringList{PlasmaApplyScript(values), PlasmaQueryScript()}));
}

TEST_F(DBusBackendsTest, PlasmaNotRunningIsAnErrorNamingKde) {
  TPlasmaBackend kde(Client());
  try {
    kde.Apply({"/a.bmp", WallpaperLayout::Tile});
    FAIL() << "no error";
  } catch (const TDesktopError& error) {
    EXPECT_EQ(std::string(error.what()).rfind("The KDE Plasma desktop (plasmashell) could not be reached (", 0), 0u)
        << error.what();
  }
  EXPECT_FALSE(kde.Query());
}

// pcmanfm-qt reads the file anew only under a name it does not hold: each change hands it
// the file under another name first, then under its own.
TEST_F(DBusBackendsTest, LxqtHandsTheFileToTheRunningDesktopTwiceInEachMode) {
  FakePcmanfmQt pcmanfm;
  Serve(pcmanfm, "org.pcmanfm.PCManFM", "/Application");
  QStringList fallback;
  TLxqtBackend lxqt(std::make_unique<RecordingBackend>(fallback), Client());
  const QString file = "/home/u/Tesserina Convert.BMP";
  const QString other = "/home/u/./Tesserina Convert.BMP";
  lxqt.Apply({file.toStdString(), WallpaperLayout::Center});
  lxqt.Apply({file.toStdString(), WallpaperLayout::Stretch});
  lxqt.Apply({"/p/tile.bmp", WallpaperLayout::Tile});
  lxqt.Apply({});
  lxqt.ScreensChanged();
  EXPECT_FALSE(lxqt.Query());
  EXPECT_EQ(fallback, QStringList(4, "FinishFade")) << fallback.join(", ").toStdString();
  QMutexLocker lock(&pcmanfm.mutex);
  EXPECT_EQ(pcmanfm.calls, (QStringList{other + "|center", file + "|center", other + "|stretch", file + "|stretch",
                                        "/p/./tile.bmp|tile", "/p/tile.bmp|tile", "|color"}));
}

TEST_F(DBusBackendsTest, LxqtWithoutItsDesktopLeavesTheChangeToTheFallback) {
  FakePcmanfmQt pcmanfm;
  pcmanfm.desktop = false;
  Serve(pcmanfm, "org.pcmanfm.PCManFM", "/Application");
  QStringList fallback;
  TLxqtBackend lxqt(std::make_unique<RecordingBackend>(fallback), Client());
  lxqt.Apply({"/p/a.bmp", WallpaperLayout::Stretch});
  lxqt.ApplyMonitors({{"DP-1", QRect(0, 0, 10, 10), "/p/a.bmp"}, {"DP-2", QRect(10, 0, 10, 10), "/p/b.bmp"}});
  lxqt.ScreensChanged();
  ASSERT_TRUE(lxqt.Query());
  EXPECT_EQ(lxqt.Query()->file, "/shown.bmp");
  service_->unregisterService("org.pcmanfm.PCManFM");
  lxqt.Apply({"/p/c.bmp", WallpaperLayout::Center});
  EXPECT_EQ(fallback, (QStringList{"FadeNext 0", "Apply /p/a.bmp", "FadeNext 0", "ApplyMonitors 2", "ScreensChanged",
                                   "FadeNext 0", "Apply /p/c.bmp"}));
  QMutexLocker lock(&pcmanfm.mutex);
  EXPECT_TRUE(pcmanfm.calls.isEmpty());
}

TEST_F(DBusBackendsTest, LxqtRefusalIsTheChangesFailure) {
  FakePcmanfmQt pcmanfm;
  pcmanfm.refuse = true;
  Serve(pcmanfm, "org.pcmanfm.PCManFM", "/Application");
  QStringList fallback;
  TLxqtBackend lxqt(std::make_unique<RecordingBackend>(fallback), Client());
  try {
    lxqt.Apply({"/p/a.bmp", WallpaperLayout::Stretch});
    FAIL() << "no error";
  } catch (const TDesktopError& error) {
    EXPECT_STREQ(error.what(),
                 "The LXQt desktop (pcmanfm-qt) did not take the wallpaper (setWallpaper: not now); the wallpaper was "
                 "not changed.");
  }
  try {
    lxqt.Apply({"/p/\xe9t\xe9.bmp", WallpaperLayout::Tile});
    FAIL() << "no error";
  } catch (const TDesktopError& error) {
    EXPECT_NE(std::string(error.what()).find("cannot be given this file name"), std::string::npos) << error.what();
  }
  EXPECT_EQ(fallback, QStringList(2, "FinishFade"));
}

// pcmanfm-qt draws the picture itself: a fade is the fallback's only, for the one change it
// was asked for, and a change the desktop takes lands the fallback's fade that still runs.
TEST_F(DBusBackendsTest, LxqtFadesOnlyWhereTheFallbackTakesTheChange) {
  FakePcmanfmQt pcmanfm;
  pcmanfm.desktop = false;
  Serve(pcmanfm, "org.pcmanfm.PCManFM", "/Application");
  QStringList fallback;
  TLxqtBackend lxqt(std::make_unique<RecordingBackend>(fallback), Client());
  lxqt.FadeNext(std::chrono::milliseconds(800));
  lxqt.Apply({"/p/a.bmp", WallpaperLayout::Stretch});
  EXPECT_TRUE(lxqt.Fading());
  int done = 0;
  lxqt.WhenFadeDone([&done] { ++done; });
  EXPECT_EQ(done, 0);

  pcmanfm.desktop = true;
  lxqt.FadeNext(std::chrono::milliseconds(800));
  lxqt.Apply({"/p/b.bmp", WallpaperLayout::Center});
  EXPECT_FALSE(lxqt.Fading());
  EXPECT_EQ(done, 1);

  pcmanfm.desktop = false;
  lxqt.ApplyMonitors({{"DP-1", QRect(0, 0, 10, 10), "/p/c.bmp"}});
  EXPECT_FALSE(lxqt.Fading()) << "the fade asked for the desktop's change was kept for a later one";
  lxqt.FadeNext(std::chrono::milliseconds(300));
  lxqt.ApplyMonitors({{"DP-1", QRect(0, 0, 10, 10), "/p/d.bmp"}});
  EXPECT_TRUE(lxqt.Fading());
  lxqt.FinishFade();
  EXPECT_FALSE(lxqt.Fading());
  lxqt.WhenFadeDone([&done] { ++done; });
  EXPECT_EQ(done, 2);
  EXPECT_EQ(fallback, (QStringList{"FadeNext 800", "Apply /p/a.bmp", "FinishFade", "FadeNext 0", "ApplyMonitors 1",
                                   "FadeNext 300", "ApplyMonitors 1", "FinishFade"}));
  QMutexLocker lock(&pcmanfm.mutex);
  EXPECT_EQ(pcmanfm.calls, (QStringList{"/p/./b.bmp|center", "/p/b.bmp|center"}));
}

TEST_F(DBusBackendsTest, ScreenSaverAnswersGetActive) {
  FakeScreenSaver saver;
  Serve(saver, "org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver");
  TDBusScreenSaver state(Client());
  EXPECT_FALSE(state.ScreenSaverRunning());
  saver.active = true;
  EXPECT_TRUE(state.ScreenSaverRunning());
}

TEST_F(DBusBackendsTest, ScreenSaverOnTheShortPathToo) {
  FakeScreenSaver saver;
  saver.active = true;
  Serve(saver, "org.freedesktop.ScreenSaver", "/ScreenSaver");
  EXPECT_TRUE(TDBusScreenSaver(Client()).ScreenSaverRunning());
}

TEST_F(DBusBackendsTest, NoScreenSaverServiceOrNoBusMeansNotRunning) {
  EXPECT_FALSE(TDBusScreenSaver(Client()).ScreenSaverRunning());
  EXPECT_FALSE(TDBusScreenSaver(QDBusConnection::connectToBus("unix:path=/nonexistent", "none")).ScreenSaverRunning());
}

}  // namespace

#include "DBusBackends_test.moc"
