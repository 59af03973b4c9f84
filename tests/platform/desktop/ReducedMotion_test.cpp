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
#include "support/StandInPortal.h"
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

class PortalSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (bus_.Address().isEmpty()) GTEST_SKIP() << "no dbus-daemon";
  }
  // The portal on one connection, the reader on another.
  std::unique_ptr<TStandInPortal> Serve(bool readOne) {
    auto portal = std::make_unique<TStandInPortal>(bus_.Address(), "portal", readOne);
    EXPECT_TRUE(portal->served);
    return portal;
  }
  QDBusConnection Reader() const { return QDBusConnection::connectToBus(bus_.Address(), "reader"); }
  void TearDown() override { QDBusConnection::disconnectFromBus("reader"); }

  TPrivateBus bus_;
};

TEST_F(PortalSettingsTest, ReadOneOrOnAnOldPortalReadGivesTheValueAndChangesFollow) {
  for (const bool readOne : {true, false}) {
    SCOPED_TRACE(readOne ? "ReadOne" : "Read");
    const auto portal = Serve(readOne);
    portal->Set("org.freedesktop.appearance", "reduced-motion", QVariant(1u), false);
    TReducedMotion motion(Reader());
    EXPECT_TRUE(WaitForEvents([&] { return motion.Reduced(); }, 5000));
    EXPECT_EQ(portal->calls, readOne ? 1 : 2);
    ASSERT_TRUE(portal->Set("org.freedesktop.appearance", "reduced-motion", QVariant(0u)));
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
  const auto portal = Serve(true);
  TPortalSettings settings(Reader());
  settings.Watch("org.freedesktop.appearance", "reduced-motion");
  WaitForEvents([&] { return portal->calls > 0; }, 5000);
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
