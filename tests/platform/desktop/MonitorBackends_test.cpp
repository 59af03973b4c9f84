// Several monitors seen by the platform layer: their order, what each desktop's backend is
// told (sway's commands, swaybg's arguments, the GNOME family's spanned canvas through a real
// GSettings store) and the record of every monitor's file beside the desktop values.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include "platform/desktop/DesktopValues.h"
#include "platform/desktop/FileBackend.h"
#include "platform/desktop/gsettings/GSettingsBackend.h"
#include "platform/desktop/sway/SwayCommand.h"
#include "platform/desktop/sway/SwaybgBackend.h"
#include "platform/desktop/x11/RootPicture.h"
#include "platform/screen/ScreenMetrics.h"
// GIO names a struct member "signals", which Qt's keyword macro would rewrite.
#undef signals
#include <gio/gio.h>

namespace {

TEST(MonitorOrder, PrimaryFirstThenLeftToRightThenTopToBottom) {
  const TMonitor primary{"P", {1920, 0, 1920, 1080}, true};
  const TMonitor left{"L", {0, 0, 1920, 1080}, false};
  const TMonitor below{"B", {1920, 1080, 1080, 1920}, false};
  const TMonitor above{"A", {1920, -1080, 800, 600}, false};
  const TMonitor right{"R", {3840, 0, 1280, 1024}, false};
  EXPECT_EQ(OrderMonitors({right, below, primary, left, above}),
            (std::vector<TMonitor>{primary, left, above, below, right}));
  EXPECT_EQ(OrderMonitors({}), std::vector<TMonitor>{});
}

const std::vector<MonitorWallpaper> kTwo = {{"HDMI-A-1", {0, 0, 4, 2}, "/p/Tesserina Convert.BMP"},
                                            {"DP-2", {4, 0, 2, 4}, "/p/Tesserina Convert 2.BMP"}};

TEST(MonitorBackends, SwayAndSwaybgGetOneGroupPerOutput) {
  EXPECT_EQ(SwayMonitorsCommand(kTwo),
            "output 'HDMI-A-1' bg '\"/p/Tesserina\"\\ \"Convert.BMP\"' stretch; "
            "output 'DP-2' bg '\"/p/Tesserina\"\\ \"Convert\"\\ \"2.BMP\"' stretch");
  EXPECT_EQ(SwaybgMonitorArguments(kTwo),
            (QStringList{"-o", "HDMI-A-1", "-i", "/p/Tesserina Convert.BMP", "-m", "stretch", "-o", "DP-2", "-i",
                         "/p/Tesserina Convert 2.BMP", "-m", "stretch"}));
}

TEST(MonitorBackends, TheDesktopValuesRecordEveryMonitorUntilOnePictureIsShownAgain) {
  QTemporaryDir dir;
  auto backend = std::make_unique<TFileBackend>();
  TFileBackend& file = *backend;
  TDesktopWallpaper desktop(std::make_unique<TDesktopValues>(dir.path()), std::move(backend));
  desktop.OpenKey();
  std::vector<MonitorWallpaper> odd = kTwo;
  odd[1].output = "name with\\tab-like text";
  desktop.ReloadMonitors(odd);
  EXPECT_EQ(file.LastApplied().file, kTwo[0].file) << "a desktop without monitors of its own shows the primary's";
  // A restart reads the record back.
  TDesktopWallpaper restarted(std::make_unique<TDesktopValues>(dir.path()), std::make_unique<TFileBackend>());
  EXPECT_EQ(restarted.RecordedMonitors(), odd);
  restarted.SetValue("Wallpaper", "/p/a.bmp");
  restarted.Reload();
  EXPECT_TRUE(restarted.RecordedMonitors().empty());
}

TEST(MonitorBackends, TheGnomeFamilyShowsOneSpannedCanvasOfTheLayout) {
  QTemporaryDir dir;
  std::vector<MonitorWallpaper> monitors = kTwo;
  const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 0, 255)};
  for (int i = 0; i < 2; ++i) {
    monitors[i].file = dir.filePath(QString("monitor%1.bmp").arg(i)).toStdString();
    QImage picture(monitors[i].rect.size(), QImage::Format_RGB32);
    picture.fill(colours[i]);
    ASSERT_TRUE(picture.save(QString::fromStdString(monitors[i].file), "BMP"));
  }
  TGSettingsBackend gnome(GSettingsDesktop::Gnome);
  gnome.ApplyMonitors(monitors);
  const QImage canvas(QString::fromStdString(monitors[0].file));
  ASSERT_EQ(canvas.size(), QSize(6, 4));
  EXPECT_EQ(canvas.pixel(0, 0), colours[0]);
  EXPECT_EQ(canvas.pixel(0, 3), qRgb(0, 0, 0)) << "below the shorter monitor";
  EXPECT_EQ(canvas.pixel(5, 3), colours[1]);
  GSettings* settings = g_settings_new("org.gnome.desktop.background");
  char* option = g_settings_get_string(settings, "picture-options");
  char* uri = g_settings_get_string(settings, "picture-uri");
  EXPECT_STREQ(option, "spanned");
  EXPECT_EQ(std::string(uri).rfind("file://", 0), 0u);
  EXPECT_NE(std::string(uri).find("monitor0.bmp"), std::string::npos);
  g_free(option);
  g_free(uri);
  g_object_unref(settings);
}

TEST(MonitorBackends, TheRootKeepsEachMonitorsPictureWhereItsPlaceIsTheSame) {
  QTemporaryDir dir;
  std::vector<MonitorWallpaper> shown = kTwo;
  const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0)};
  for (int i = 0; i < 2; ++i) {
    shown[i].file = dir.filePath(QString("m%1.bmp").arg(i)).toStdString();
    QImage picture(shown[i].rect.size(), QImage::Format_RGB32);
    picture.fill(colours[i]);
    ASSERT_TRUE(picture.save(QString::fromStdString(shown[i].file), "BMP"));
  }
  // The second monitor moved and a third appeared: both show the primary's picture, stretched.
  const QImage root = ComposeMonitorsPicture(shown, {8, 6}, {{0, 0, 4, 2}, {4, 2, 2, 4}, {0, 2, 2, 2}});
  EXPECT_EQ(root.pixel(3, 1), colours[0]);
  EXPECT_EQ(root.pixel(5, 5), colours[0]);
  EXPECT_EQ(root.pixel(1, 3), colours[0]);
  EXPECT_EQ(root.pixel(7, 0), qRgb(0, 0, 0));
  const QImage again = ComposeMonitorsPicture(shown, {8, 6}, {});
  EXPECT_EQ(again.pixel(5, 3), colours[1]);
}

}  // namespace
