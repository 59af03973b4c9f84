// Reduced motion from the desktop portal (a stand-in portal on a private bus, with and without
// ReadOne) and from GNOME's setting (GSettings' keyfile backend of the test's own home), and
// the fade that TDesktopWallpaper passes on or holds back.
#include "platform/desktop/ReducedMotion.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QElapsedTimer>

#include "platform/desktop/DesktopBackend.h"
#include "platform/desktop/DesktopValues.h"
#include "platform/desktop/DesktopWallpaper.h"
#include "platform/session/PortalSettings.h"
#include "support/PrivateBus.h"
#include "support/WaitFor.h"

#undef signals
#include <gio/gio.h>

namespace {

using std::chrono::milliseconds;

TEST(MotionReduced, EitherThePortalOrGnomeAsksForLess) {
  struct Row {
    std::optional<unsigned> portal;
    std::optional<bool> animations;
    bool reduced;
  };
  const Row rows[] = {
      {std::nullopt, std::nullopt, false},
      {0u, std::nullopt, false},
      {1u, std::nullopt, true},
      {2u, std::nullopt, false},
      {std::nullopt, true, false},
      {std::nullopt, false, true},
      {0u, false, true},
      {1u, true, true},
      {0u, true, false},
  };
  for (const Row& row : rows)
    EXPECT_EQ(MotionReduced(row.portal, row.animations), row.reduced)
        << (row.portal ? int(*row.portal) : -1) << " " << (row.animations ? int(*row.animations) : -1);
}

TEST(UnwrapPortalValue, TakesOffEveryVariant) {
  const QVariant plain(1u);
  const QVariant once = QVariant::fromValue(QDBusVariant(plain));
  const QVariant twice = QVariant::fromValue(QDBusVariant(once));
  for (const QVariant& value : {plain, once, twice}) EXPECT_EQ(UnwrapPortalValue(value), plain);
}

// The portal's settings interface as the portal serves it; an old portal has Read only, whose
// value comes wrapped twice.
class TStandInPortal final : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")
 public:
  TStandInPortal(bool readOne, QVariant reduced) : readOne_(readOne), reduced_(std::move(reduced)) {}
  int calls = 0;

 public slots:
  QDBusVariant ReadOne(const QString& group, const QString& key, const QDBusMessage& message) {
    ++calls;
    if (!readOne_) {
      message.setDelayedReply(true);
      Bus().send(message.createErrorReply(QDBusError::UnknownMethod, "no ReadOne"));
      return {};
    }
    return Answer(group, key, message);
  }
  QDBusVariant Read(const QString& group, const QString& key, const QDBusMessage& message) {
    ++calls;
    const QDBusVariant value = Answer(group, key, message);
    return QDBusVariant(QVariant::fromValue(value));
  }

 private:
  QDBusVariant Answer(const QString& group, const QString& key, const QDBusMessage& message) {
    if (group != "org.freedesktop.appearance" || key != "reduced-motion" || !reduced_.isValid()) {
      message.setDelayedReply(true);
      Bus().send(message.createErrorReply("org.freedesktop.portal.Error.NotFound", "no such key"));
    }
    return QDBusVariant(reduced_);
  }
  QDBusConnection Bus() const { return QDBusConnection(connection_); }

 public:
  QString connection_;

 private:
  bool readOne_;
  QVariant reduced_;
};

class PortalSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (bus_.Address().isEmpty()) GTEST_SKIP() << "no dbus-daemon";
  }
  // The portal on one connection, the reader on another.
  QDBusConnection Serve(TStandInPortal& portal) {
    QDBusConnection service = QDBusConnection::connectToBus(bus_.Address(), "portal");
    portal.connection_ = "portal";
    EXPECT_TRUE(service.registerService("org.freedesktop.portal.Desktop"));
    EXPECT_TRUE(service.registerObject("/org/freedesktop/portal/desktop", &portal, QDBusConnection::ExportAllSlots));
    return service;
  }
  QDBusConnection Reader() const { return QDBusConnection::connectToBus(bus_.Address(), "reader"); }
  void TearDown() override {
    QDBusConnection::disconnectFromBus("portal");
    QDBusConnection::disconnectFromBus("reader");
  }

  TPrivateBus bus_;
};

TEST_F(PortalSettingsTest, ReadOneOrOnAnOldPortalReadGivesTheValueAndChangesFollow) {
  for (const bool readOne : {true, false}) {
    SCOPED_TRACE(readOne ? "ReadOne" : "Read");
    TStandInPortal portal(readOne, QVariant(1u));
    const QDBusConnection service = Serve(portal);
    TReducedMotion motion(Reader());
    EXPECT_TRUE(WaitForEvents([&] { return motion.Reduced(); }, 5000));
    EXPECT_EQ(portal.calls, readOne ? 1 : 2);
    QDBusMessage changed = QDBusMessage::createSignal("/org/freedesktop/portal/desktop",
                                                      "org.freedesktop.portal.Settings", "SettingChanged");
    changed << "org.freedesktop.appearance"
            << "reduced-motion" << QVariant::fromValue(QDBusVariant(QVariant(0u)));
    ASSERT_TRUE(service.send(changed));
    EXPECT_TRUE(WaitForEvents([&] { return !motion.Reduced(); }, 5000));
    TearDown();
  }
}

TEST_F(PortalSettingsTest, WithoutAPortalNothingWaitsAndTheValueStaysUnknown) {
  QElapsedTimer clock;
  clock.start();
  TPortalSettings settings(Reader());
  settings.Watch("org.freedesktop.appearance", "reduced-motion");
  EXPECT_LT(clock.elapsed(), 1000) << "the start waited for the portal";
  WaitForEvents([] { return false; }, 300);
  EXPECT_EQ(settings.Value("org.freedesktop.appearance", "reduced-motion"), std::nullopt);
  EXPECT_EQ(settings.Value("org.freedesktop.appearance", "color-scheme"), std::nullopt);
}

TEST_F(PortalSettingsTest, AKeyThePortalDoesNotOfferStaysUnknown) {
  TStandInPortal portal(true, QVariant());
  const QDBusConnection service = Serve(portal);
  TPortalSettings settings(Reader());
  settings.Watch("org.freedesktop.appearance", "reduced-motion");
  WaitForEvents([&] { return portal.calls > 0; }, 5000);
  WaitForEvents([] { return false; }, 200);
  EXPECT_EQ(settings.Value("org.freedesktop.appearance", "reduced-motion"), std::nullopt);
}

// GNOME's setting through GSettings; the test's home keeps the keyfile backend's file.
TEST(GnomeAnimations, FalseAsksForLessMotion) {
  if (!GnomeAnimationsEnabled()) GTEST_SKIP() << "no org.gnome.desktop.interface schema";
  GSettings* settings = g_settings_new("org.gnome.desktop.interface");
  for (const bool enabled : {false, true}) {
    g_settings_set_boolean(settings, "enable-animations", enabled);
    g_settings_sync();
    EXPECT_EQ(GnomeAnimationsEnabled(), enabled);
  }
  g_object_unref(settings);
}

// Records the fade each hand-over was given.
class TFadeRecorder final : public IDesktopBackend {
 public:
  std::string Name() const override { return "recorder"; }
  void Apply(const WallpaperValues&) override {
    given.push_back(next);
    next = milliseconds(0);
  }
  void FadeNext(milliseconds duration) override { next = duration; }
  std::vector<milliseconds> given;
  milliseconds next{0};
};

TEST(DesktopWallpaperFade, TheAskedFadeReachesTheNextHandOverOnlyAndNotUnderReducedMotion) {
  QTemporaryDir dir;
  bool reduced = false;
  auto recorder = std::make_unique<TFadeRecorder>();
  TFadeRecorder& backend = *recorder;
  TDesktopWallpaper desktop(std::make_unique<TDesktopValues>(dir.path()), std::move(recorder),
                            [&reduced] { return reduced; });
  desktop.OpenKey();
  desktop.Reload();
  desktop.FadeNextChange(milliseconds(500));
  desktop.Reload();
  desktop.Reload();
  reduced = true;
  desktop.FadeNextChange(milliseconds(700));
  desktop.Reload();
  reduced = false;
  desktop.FadeNextChange(milliseconds(900));
  desktop.ReloadMonitors({{"A", QRect(0, 0, 10, 10), "/a.bmp"}});
  EXPECT_EQ(backend.given, (std::vector<milliseconds>{milliseconds(0), milliseconds(500), milliseconds(0),
                                                      milliseconds(0), milliseconds(900)}));
}

}  // namespace

#include "ReducedMotion_test.moc"
