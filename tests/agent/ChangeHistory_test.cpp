#include "agent/ChangeHistory.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <set>

namespace {

const TUsablePicture kAll = [](const std::string&) { return true; };

TUsablePicture AllBut(std::set<std::string> gone) {
  return [gone](const std::string& file) { return !gone.contains(file); };
}

TChangeHistory Shown(std::initializer_list<const char*> files) {
  TChangeHistory history;
  for (const char* file : files) history.Record({file});
  return history;
}

std::string Primary(const std::optional<THistoryStep>& step) { return step ? step->front() : "(none)"; }

}  // namespace

TEST(ChangeHistory, BackAndForwardAsABrowsersButtons) {
  struct Row {
    const char* name;
    std::vector<char> moves;  // 'b' back, 'f' forward, 'r' a new change "/new"
    std::set<std::string> gone;
    std::vector<std::string> shown;  // what each move shows, "(none)" when it cannot move
  };
  const Row rows[] = {
      {"back twice, forward once", {'b', 'b', 'f'}, {}, {"/c", "/b", "/c"}},
      {"forward walks to the end, then stops", {'b', 'b', 'f', 'f', 'f'}, {}, {"/c", "/b", "/c", "/d", "(none)"}},
      {"back past the first", {'b', 'b', 'b', 'b'}, {}, {"/c", "/b", "/a", "(none)"}},
      {"a gone picture is passed over both ways", {'b', 'b', 'f'}, {"/c"}, {"/b", "/a", "/b"}},
      {"nothing usable behind", {'b'}, {"/a", "/b", "/c"}, {"(none)"}},
      {"a new change drops what was ahead", {'b', 'b', 'r', 'f', 'b'}, {}, {"/c", "/b", "/new", "(none)", "/b"}},
  };
  for (const Row& row : rows) {
    TChangeHistory history = Shown({"/a", "/b", "/c", "/d"});
    const TUsablePicture usable = AllBut(row.gone);
    std::vector<std::string> shown;
    for (char move : row.moves) {
      if (move == 'r') {
        history.Record({"/new"});
        shown.push_back("/new");
      } else {
        shown.push_back(Primary(move == 'b' ? history.Back(usable) : history.Forward(usable)));
      }
    }
    EXPECT_EQ(shown, row.shown) << row.name;
  }
}

TEST(ChangeHistory, KeepsTheLastHundredAndNoRepeats) {
  TChangeHistory history;
  for (int i = 0; i < 130; ++i) history.Record({"/p" + std::to_string(i)});
  history.Record({"/p129"});
  EXPECT_EQ(history.Size(), TChangeHistory::kLimit);
  int steps = 0;
  std::string last;
  while (const std::optional<THistoryStep> back = history.Back(kAll)) {
    ++steps;
    last = back->front();
  }
  EXPECT_EQ(steps, 99);
  EXPECT_EQ(last, "/p30");
  EXPECT_FALSE(history.CanGoBack(kAll));

  // Names the file could not hold back are not kept.
  TChangeHistory odd;
  odd.Record({"/a"});
  odd.Record({"/tab\there"});
  odd.Record({"/line\nbreak"});
  odd.Record({});
  EXPECT_EQ(odd.Size(), 1u);
}

TEST(ChangeHistory, EveryMonitorsPictureComesBack) {
  TChangeHistory history;
  history.Record({"/a", "/b", "/c"});
  history.Record({"/d", "/e", "/f"});
  EXPECT_EQ(history.Back(kAll), (THistoryStep{"/a", "/b", "/c"}));
  // A change is passed over when any monitor's picture is gone.
  history.Record({"/g", "/h", "/i"});
  EXPECT_EQ(history.Back(AllBut({"/b"})), std::nullopt);
}

TEST(ChangeHistory, SurvivesARestartAndABadFile) {
  QTemporaryDir dir;
  const std::string config = (dir.path() + "/tesserine.INI").toStdString();
  const std::string path = TChangeHistory::FileNameFor(config);
  EXPECT_EQ(path, (dir.path() + "/tesserine.history").toStdString());

  TChangeHistory history = Shown({"/a", "/b", "/c"});
  history.Back(kAll);
  ASSERT_TRUE(history.SaveTo(path));
  TChangeHistory again;
  ASSERT_TRUE(again.LoadFrom(path));
  EXPECT_EQ(Primary(again.Forward(kAll)), "/c");
  EXPECT_EQ(Primary(again.Back(kAll)), "/b");
  EXPECT_EQ(Primary(again.Back(kAll)), "/a");

  // Lines it does not understand are passed over; a missing file is an empty history.
  const TChangeHistory mixed = TChangeHistory::FromText("garbage\n-\t/x\n=\t/y\t/y2\n?\t/z\n-\n");
  EXPECT_EQ(mixed.Size(), 2u);
  TChangeHistory missing = Shown({"/a"});
  EXPECT_FALSE(missing.LoadFrom(path + ".none"));
  EXPECT_EQ(missing.Size(), 0u);
  EXPECT_FALSE(Shown({"/a"}).SaveTo(dir.path().toStdString() + "/no/such/folder/h"));
}
