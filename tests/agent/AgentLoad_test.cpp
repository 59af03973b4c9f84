// The configuration's load below the window, as a run without one does it: the settings, the
// state keys, the list in the order the settings keep it, the start entry selected and its
// picture left undecoded.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "agent/Agent.h"
#include "agent/AgentStandIns.h"
#include "agent/UnattendedView.h"
#include "config/BigIni.h"
#include "platform/dialogs/StderrMessages.h"

namespace {

struct LoadCase {
  const char* name;
  const char* info;
  // The desktop's "Wallpaper" value: one of the entries' names, or empty for none.
  std::string wallpaper;
  std::vector<std::string> order;
  std::string selected;
  int marked;
};

void PrintTo(const LoadCase& c, std::ostream* out) { *out << c.name; }

class AgentLoadTest : public ::testing::TestWithParam<LoadCase>, protected TAgentStandIns {
 protected:
  std::string Path(const std::string& name) const {
    return (dir.path() + "/" + QString::fromStdString(name)).toStdString();
  }

  // Loads a file listing c, a and b (b marked as shown, and the last change), with the lines
  // of section "Info" given.
  int Load(const std::string& info) {
    const std::string text = "[Info]\r\nExecSinceChg=4\r\nLastImageNm=" + Path("b.bmp") + "\r\n" + info +
                             "\r\n[Bitmaps]\r\n" + Path("c.bmp") + "=CENTER.NOT\r\n" + Path("a.bmp") + "=TILE.NOT\r\n" +
                             Path("b.bmp") + "=STRETCH.MARKED\r\n";
    ini = std::make_unique<TBigIniFile>(IniPath(), text);
    agent = std::make_unique<TAgent>(World(desktop), Parts(*ini, view));
    agent->RunUnseen();
    agent->BeginRun();
    return agent->Load({[this](const TSettings& loaded) {
                          rowsBeforeList = list.Count();
                          settings = loaded;
                        },
                        [this](const TSettings&) { rowsAfterList = list.Count(); }, [] {}});
  }

  std::unique_ptr<TBigIniFile> ini;
  TStderrMessages messages;
  int quits = 0;
  TUnattendedView view{messages, [this] { ++quits; }};
  TMemoryDesktop desktop;
  std::unique_ptr<TAgent> agent;
  int rowsBeforeList = -1;
  int rowsAfterList = -1;
};

TEST_P(AgentLoadTest, TheListLoadsInTheSettingsOrderOnItsStartEntry) {
  const LoadCase& c = GetParam();
  if (!c.wallpaper.empty()) desktop.values["Wallpaper"] = Path(c.wallpaper);
  const int chosen = Load(c.info);
  EXPECT_EQ(rowsBeforeList, 0) << "the settings came after the list";
  EXPECT_EQ(rowsAfterList, 3);
  std::vector<std::string> names;
  for (int i = 0; i < list.Count(); ++i) names.push_back(list.At(i).fileName);
  std::vector<std::string> expected;
  for (const std::string& name : c.order) expected.push_back(Path(name));
  EXPECT_EQ(names, expected);
  ASSERT_EQ(chosen, list.FirstSelected());
  EXPECT_EQ(agent->CurrentFileName(), Path(c.selected));
  int marked = 0;
  for (int i = 0; i < list.Count(); ++i) marked += list.At(i).mark == 1 ? 1 : 0;
  EXPECT_EQ(marked, c.marked);
  EXPECT_EQ(agent->State().LastImageNm, Path("b.bmp"));
  EXPECT_EQ(agent->State().ExecSinceChg, 4);
  // The start entry's picture waits for the change that shows it.
  EXPECT_EQ(pictures.SourceName(), "");
  EXPECT_TRUE(agent->Commands().Open());
}

INSTANTIATE_TEST_SUITE_P(
    Loads, AgentLoadTest,
    ::testing::Values(
        LoadCase{"SortedOnTheLastChange", "SortImages=1\r\n", "", {"a.bmp", "b.bmp", "c.bmp"}, "b.bmp", 0},
        LoadCase{
            "UnsortedOnTheDesktopsWallpaper", "SortImages=0\r\n", "a.bmp", {"c.bmp", "a.bmp", "b.bmp"}, "a.bmp", 0},
        LoadCase{"RandomCycleReadsTheMarks",
                 "SortImages=0\r\nDisplay Order=RANDOM_CYCLE\r\n",
                 "",
                 {"c.bmp", "a.bmp", "b.bmp"},
                 "b.bmp",
                 1}),
    [](const ::testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.name); });

}  // namespace
