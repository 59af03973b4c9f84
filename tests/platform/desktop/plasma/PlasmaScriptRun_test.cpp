// The scripts run in QJSEngine, the engine plasmashell evaluates them in, against desktops
// that behave like Plasma's: one per screen, each with its own wallpaper plugin and
// configuration groups.
#include <gtest/gtest.h>

#include <QFile>
#include <QJSEngine>
#include <QUrl>

#include "platform/desktop/plasma/PlasmaScript.h"

namespace {

const char kPlasma[] = R"(
var printed = "";
function print(text) { printed += text + "\n"; }
function Desktop(screen, plugin) {
  this.screen = screen;
  this.wallpaperPlugin = plugin;
  this.currentConfigGroup = [];
  this.config = {};
  this.writes = [];
}
Desktop.prototype.readConfig = function(key) {
  var value = this.config[this.currentConfigGroup.join("/") + "/" + key];
  return value === undefined ? "" : value;
};
Desktop.prototype.writeConfig = function(key, value) {
  this.config[this.currentConfigGroup.join("/") + "/" + key] = value;
  this.writes.push(key + "=" + value);
};
var screens = [new Desktop(0, "org.kde.image"), new Desktop(1, "org.kde.color"),
               new Desktop(2, "org.kde.image"), new Desktop(3, "org.kde.image")];
function desktops() { return screens; }
var geometries = [{x: 0, y: 0, width: 1920, height: 1080}, {x: 0, y: 0, width: 0, height: 0},
                  {x: 1920, y: 0, width: 1080, height: 1920}, {x: 0, y: 1080, width: 800, height: 600}];
function screenGeometry(screen) { return geometries[screen]; }
)";

const char kImageKey[] = "Wallpaper/org.kde.image/General/Image";

class PlasmaScriptRun : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(engine_.evaluate(kPlasma).isError()); }

  void Run(const QString& script) {
    const QJSValue result = engine_.evaluate(script);
    ASSERT_FALSE(result.isError()) << result.toString().toStdString() << "\n" << script.toStdString();
  }
  QJSValue Screen(int i) { return engine_.globalObject().property("screens").property(i); }
  QString Config(int screen, const QString& key) { return Screen(screen).property("config").property(key).toString(); }
  QStringList Writes(int screen) { return engine_.fromScriptValue<QStringList>(Screen(screen).property("writes")); }
  void ClearWrites() { ASSERT_FALSE(engine_.evaluate("screens.forEach(function(d) { d.writes = []; })").isError()); }

  QJSEngine engine_;
};

const char* const kHostileNames[] = {
    "/home/u/it's \"quoted\".bmp", "/home/u/back\\slash\\\\.bmp",     "/home/u/line\nbreak\r.bmp",
    "/home/u/\");print(\"x.bmp",   "/home/u/$(touch /tmp/owned).bmp", "/home/u/sep\xe2\x80\xa8para\xe2\x80\xa9.bmp",
    "/home/u/#hash?q=1%20&x.bmp",  "/home/u/tab\there\x01\x7f.bmp",   "/home/u/\xc3\xbc\xc3\xb1\xf0\x9f\x96\xbc.bmp",
    "/home/u/*/.*/'\\u0022'.bmp",
};

TEST_F(PlasmaScriptRun, EveryImageScreenGetsTheExactFileAndOthersAreLeftAlone) {
  for (const char* name : kHostileNames) {
    Run(PlasmaApplyScript({name, WallpaperLayout::Tile}));
    for (const int screen : {0, 2, 3}) {
      const QUrl url(Config(screen, kImageKey), QUrl::StrictMode);
      ASSERT_TRUE(url.isValid()) << name;
      EXPECT_EQ(QFile::encodeName(url.toLocalFile()).toStdString(), name) << screen;
      EXPECT_EQ(Config(screen, "Wallpaper/org.kde.image/General/FillMode"), "3");
    }
    EXPECT_TRUE(Writes(1).isEmpty()) << Writes(1).join(' ').toStdString();
    EXPECT_EQ(engine_.evaluate("printed").toString(), "") << "the name ran as code: " << name;
  }
}

TEST_F(PlasmaScriptRun, SameFileAgainClearsFirstOnEveryScreen) {
  const WallpaperValues values{"/home/u/Tesserina \"Convert\".BMP", WallpaperLayout::Stretch};
  Run(PlasmaApplyScript(values));
  ClearWrites();
  Run(PlasmaApplyScript(values));
  const QString url = PlasmaImageUrl(values.file);
  for (const int screen : {0, 2, 3})
    EXPECT_EQ(Writes(screen), (QStringList{"Image=", "FillMode=0", "Image=" + url})) << screen;
  ClearWrites();
  Run(PlasmaApplyScript({"/home/u/other.bmp", WallpaperLayout::Center}));
  EXPECT_EQ(Writes(0), (QStringList{"FillMode=6", "Image=" + PlasmaImageUrl("/home/u/other.bmp")}));
}

// Each screen takes the picture of the monitor at its geometry, stretched; a screen at no
// monitor's place takes the primary's.
TEST_F(PlasmaScriptRun, EachScreenGetsTheMonitorAtItsGeometry) {
  const std::string primary = "/home/u/Tesserina Convert.BMP";
  const std::string second = "/home/u/it's \"2\".BMP";
  Run(PlasmaMonitorsScript(
      {{"HDMI-1", QRect(0, 0, 1920, 1080), primary}, {"DP-2", QRect(1920, 0, 1080, 1920), second}}));
  const std::pair<int, std::string> rows[] = {{0, primary}, {2, second}, {3, primary}};
  for (const auto& [screen, file] : rows) {
    EXPECT_EQ(QFile::encodeName(QUrl(Config(screen, kImageKey)).toLocalFile()).toStdString(), file) << screen;
    EXPECT_EQ(Config(screen, "Wallpaper/org.kde.image/General/FillMode"), "0") << screen;
  }
  EXPECT_TRUE(Writes(1).isEmpty());
}

TEST_F(PlasmaScriptRun, QueryReadsBackWhatApplyWrote) {
  for (const char* name : kHostileNames) {
    Run("printed = \"\";");
    Run(PlasmaApplyScript({name, WallpaperLayout::Center}));
    Run(PlasmaQueryScript());
    const auto shown = ParsePlasmaQuery(engine_.evaluate("printed").toString());
    ASSERT_TRUE(shown) << name;
    EXPECT_EQ(shown->file, name);
    EXPECT_FALSE(shown->tiled);
  }
}

}  // namespace
