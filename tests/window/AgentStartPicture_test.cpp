// The picture an agent start decodes ahead is the one its load then asks for: what
// StartPicture works out from the file alone equals the window's current entry and its
// decode target once the configuration is loaded.
#include <gtest/gtest.h>

#include "agent/StartPicture.h"
#include "config/BigIni.h"
#include "window/AgentFixture.h"

namespace {

struct StartCase {
  const char* what;
  std::string info;
  std::vector<std::string> entries;
  std::optional<std::string> wallpaper;  // the desktop's stored value, as a picture's name
  std::optional<std::string> lastImage;  // "LastImageNm", as a picture's name
  int monitors;
  bool reduced;  // whether the start decodes ahead at all
};

void PrintTo(const StartCase& c, std::ostream* out) { *out << c.what; }

class AgentStartPicture : public AgentFormTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(AgentStartPicture, AheadIsWhatTheLoadAsksFor) {
  const StartCase& c = GetParam();
  if (c.monitors > 1) screen.SetMonitors({{"A", QRect(0, 0, 64, 48), true}, {"B", QRect(64, 0, 80, 60), false}});
  if (c.wallpaper) desktop.values["Wallpaper"] = Picture(c.wallpaper->c_str());
  Open(c.info + (c.lastImage ? "LastImageNm=" + Picture(c.lastImage->c_str()) + "\r\n" : std::string()), c.entries);
  const std::optional<TPictureRequest> ahead = StartPicture(
      TBigIniFile((dir.path() + "/tesserine.INI").toStdString()), {std::string(), dir.path().toStdString(), 0},
      {screen.ScreenSize(), screen.Monitors(), desktop.DrawsFromMemory(), desktop.GetValue("Wallpaper")});
  const std::optional<TDecodeTarget> asked = form->WallpaperDecodeTarget();
  ASSERT_EQ(ahead.has_value(), c.reduced) << c.what;
  ASSERT_EQ(asked.has_value(), c.reduced) << c.what;
  if (!ahead) return;
  EXPECT_EQ(ahead->name, form->CurrentFileName()) << c.what;
  EXPECT_EQ(ahead->target, *asked) << c.what;
}

const std::string kAgent = "Open Minimized=1\r\nPlus! Installed=0\r\n";

INSTANTIATE_TEST_SUITE_P(
    Starts, AgentStartPicture,
    ::testing::Values(
        StartCase{"one stretched entry", kAgent, {"a.jpg=STRETCH.NOT"}, std::nullopt, std::nullopt, 1, true},
        StartCase{"ratio stretch", kAgent, {"a.jpg=RATIO_STRETCH.NOT"}, std::nullopt, std::nullopt, 1, true},
        StartCase{
            "the last image shown", kAgent, {"a.jpg=TILE.NOT", "b.jpg=STRETCH.NOT"}, std::nullopt, "b.jpg", 1, true},
        StartCase{"the desktop's wallpaper before the last image",
                  kAgent,
                  {"a.jpg=TILE.NOT", "b.jpg=STRETCH.NOT"},
                  "b.jpg",
                  "a.jpg",
                  1,
                  true},
        StartCase{"sorted by default, the first by name",
                  kAgent,
                  {"z.jpg=TILE.NOT", "b.jpg=STRETCH.NOT"},
                  std::nullopt,
                  std::nullopt,
                  1,
                  true},
        StartCase{"unsorted, the first in the file",
                  kAgent + "SortImages=0\r\n",
                  {"b.jpg=STRETCH.NOT", "a.jpg=TILE.NOT"},
                  std::nullopt,
                  std::nullopt,
                  1,
                  true},
        StartCase{"a tiled picture is decoded whole", kAgent, {"a.jpg=TILE.NOT"}, std::nullopt, std::nullopt, 1, false},
        StartCase{"the default method",
                  kAgent + "Default Display=stretch\r\n",
                  {"a.jpg=BOGUS.NOT"},
                  std::nullopt,
                  std::nullopt,
                  1,
                  true},
        StartCase{"the desktop stretches",
                  "Open Minimized=1\r\nPlus! Installed=1\r\n",
                  {"a.jpg=STRETCH.NOT"},
                  std::nullopt,
                  std::nullopt,
                  1,
                  false},
        StartCase{"the same picture on two monitors",
                  kAgent + "Monitors=SAME\r\n",
                  {"a.jpg=STRETCH.NOT"},
                  std::nullopt,
                  std::nullopt,
                  2,
                  true},
        StartCase{"a picture for each monitor",
                  kAgent + "Monitors=EACH\r\n",
                  {"a.jpg=STRETCH.NOT"},
                  std::nullopt,
                  std::nullopt,
                  2,
                  true},
        StartCase{"centred on each monitor",
                  kAgent + "Monitors=EACH\r\n",
                  {"a.jpg=CENTER.NOT"},
                  std::nullopt,
                  std::nullopt,
                  2,
                  true},
        StartCase{"one picture across all monitors",
                  kAgent + "Monitors=SPAN\r\n",
                  {"a.jpg=RATIO_STRETCH.NOT"},
                  std::nullopt,
                  std::nullopt,
                  2,
                  true},
        StartCase{"tiled across all monitors",
                  kAgent + "Monitors=SPAN\r\n",
                  {"a.jpg=TILE.NOT"},
                  std::nullopt,
                  std::nullopt,
                  2,
                  false},
        StartCase{"the window opens",
                  "Open Minimized=0\r\nPlus! Installed=0\r\n",
                  {"a.jpg=STRETCH.NOT"},
                  std::nullopt,
                  std::nullopt,
                  1,
                  false},
        StartCase{"an empty list", kAgent, {}, std::nullopt, std::nullopt, 1, false}));

}  // namespace
