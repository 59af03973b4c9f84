// The real program as a native Wayland client of a headless sway, on a watched folder with
// subfolders: it shows one of the folder's pictures (read back from a screenshot) and lists
// them all; a picture copied in joins and a deleted one leaves; the folder moved away and
// back changes nothing. No box is shown on the way.
#include <memory>

#include "WatchedFolderRun.h"
#include "support/HeadlessSway.h"

namespace {

class WaylandWatchedFolderTest : public TWatchedFolderRun {
 protected:
  void SetUp() override {
    // The program's window floats in the middle, so the wallpaper shows in the corners.
    sway_ = std::make_unique<THeadlessSway>(
        HeadlessSwayOptions{1, {1024, 768}, true, {"for_window [app_id=\".*\"] floating enable"}});
    if (!sway_->StartError().isEmpty()) GTEST_SKIP() << sway_->StartError().toStdString();
    // sway's background helper runs as another user when the tests run as root: the folder
    // lies where every user can read.
    Prepare(sway_->SharedDir());
  }

  // As a Wayland session starts programs: no DISPLAY, no QT_QPA_PLATFORM, no override.
  QProcessEnvironment Environment() const override {
    QProcessEnvironment environment = sway_->ClientEnvironment();
    environment.remove("TESSERINE_DESKTOP");
    environment.insert("XDG_SESSION_TYPE", "wayland");
    environment.insert("XDG_CONFIG_HOME", dir_ + "/config");
    environment.insert("DBUS_SESSION_BUS_ADDRESS", bus_.Address());
    // Qt's Wayland client leaves one allocation at exit in a module already unloaded, which
    // no suppression can name; the X root's runs check the program's own leaks.
    if (environment.contains("ASAN_OPTIONS"))
      environment.insert("ASAN_OPTIONS", environment.value("ASAN_OPTIONS") + ":detect_leaks=0");
    return environment;
  }

  QRgb ShownPixel() const override {
    const QImage shot = sway_->Screenshot();
    return shot.isNull() ? 0 : shot.pixel(20, shot.height() - 20);
  }

  std::unique_ptr<THeadlessSway> sway_;
};

TEST_F(WaylandWatchedFolderTest, TheAgentShowsTheFoldersPicturesAndFollowsTheFolder) {
  ShowsTheFoldersPicturesAndFollowsTheFolder();
}

TEST_F(WaylandWatchedFolderTest, TheFolderMovedAwayAndBackChangesNothing) {
  MovingTheFolderAwayAndBackChangesNothing(Away::Seen);
}

}  // namespace
