// The agent below the window: its ticks, its picks, a change on a desktop that only keeps
// its values, the way back and the random cycle's marks, with a view that records what it is
// told and builds no widget.
#include "agent/Agent.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "agent/AgentRemote.h"
#include "agent/AgentStandIns.h"
#include "config/BigIni.h"
#include "config/DateTimeText.h"
#include "wallpaper/ConvertedBitmap.h"

namespace {

constexpr double kSecond = 1.0 / 86400;

// What the agent told its view, and the answers its questions get.
class TRecordingView final : public IAgentView {
 public:
  void ShowSelection(int index) override { selections.push_back(index); }
  void ShowCurrent() override { ++currentShown; }
  void ShowEntries() override {}
  void ShowRemoved(int index) override { removed.push_back(index); }
  void FoldersSynced(bool) override {}
  void ShowFolders() override {}
  void EnableResetMarked(bool enabled) override { resetMarked = enabled; }
  void Changed() override { ++changed; }
  void ShowHint(const QString& shown, const QString& shownTip) override {
    hint = shown.toStdString();
    tip = shownTip.toStdString();
  }
  void ShowPreviousEnabled(bool enabled) override { previous = enabled; }
  void ShowPauseState(const char*, bool paused) override { pausedShown = paused; }
  void ShowAgentCaption(const QString&) override {}
  void HideForAgent() override { ++hidden; }
  void ApplyCurrent() override { ++applied; }
  void ShowWindow() override {}
  void OpenPictures(const std::vector<std::string>&) override {}
  void Quit() override {}
  MsgAnswer Ask(const QString& text, MsgKind, MsgButtons) override {
    boxes.push_back(text.toStdString());
    return answer;
  }
  void Notify(const QString&, const QString& body) override { notices.push_back(body.toStdString()); }
  DispControls DisplayGroup() const override { return {}; }

  std::vector<int> selections;
  std::vector<int> removed;
  int currentShown = 0;
  bool resetMarked = false;
  int changed = 0;
  std::string hint;
  std::string tip;
  bool previous = false;
  bool pausedShown = false;
  int hidden = 0;
  int applied = 0;
  MsgAnswer answer = MsgAnswer::Yes;
  std::vector<std::string> boxes;
  std::vector<std::string> notices;
};

// A desktop whose hand-over can be made to fail.
class TFailingDesktop final : public IDesktopWallpaper {
 public:
  void OpenKey() override {}
  void SetValue(const std::string& name, const std::string& value) override { values.SetValue(name, value); }
  std::optional<std::string> GetValue(const std::string& name) override { return values.GetValue(name); }
  void Reload() override {
    if (!failure.empty()) throw TDesktopError(failure);
    ++reloads;
  }
  void ReloadMonitors(const std::vector<MonitorWallpaper>& monitors) override {
    Reload();
    IDesktopWallpaper::ReloadMonitors(monitors);
  }
  LockScreenReach LockScreen() const override { return values.LockScreen(); }
  void ShowOnLockScreen(const std::string& file) override { values.ShowOnLockScreen(file); }
  TMemoryDesktop values;
  std::string failure;
  int reloads = 0;
};

class AgentTest : public ::testing::Test, protected TAgentStandIns {
 protected:
  // A list of small bitmaps (each its own colour) with the methods given, the first current.
  void Make(const std::vector<DispObj>& methods) {
    agent.reset();
    list.Clear();
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan};
    list.SetSorted(false);
    for (std::size_t i = 0; i < methods.size(); ++i) {
      const std::string name = (dir.path() + "/" + QString::number(i) + ".bmp").toStdString();
      QImage picture(4, 3, QImage::Format_RGB32);
      picture.fill(colours[i % 5]);
      picture.save(QString::fromStdString(name), "BMP");
      list.Append({name, methods[i], 0});
    }
    SelectOnly(list, 0);
    ini = std::make_unique<TBigIniFile>(IniPath());
    agent = std::make_unique<TAgent>(World(desktop), Parts(*ini, view));
    agent->BeginRun();
  }

  std::string Name(int index) const { return list.At(index).fileName; }
  std::string Shown() { return desktop.GetValue("Wallpaper").value_or(""); }
  std::string Info(const char* key) const { return ini->ReadString("Info", key, "?"); }
  int Current() const { return list.FirstSelected(); }

  std::unique_ptr<TBigIniFile> ini;
  TRecordingView view;
  TFailingDesktop desktop;
  std::unique_ptr<TAgent> agent;
};

}  // namespace

TEST_F(AgentTest, EachTickDecidesAndChangesWhenDue) {
  struct Row {
    const char* name;
    TriggerMeasure measure;
    const char* quantity;
    double lastChangeSecondsAgo;
    bool paused;
    bool screenSaver;
    bool changes;
    bool timerRuns;
  };
  const Row rows[] = {
      {"the period has passed", TriggerMeasure::Seconds, "5", 10, false, false, true, true},
      {"the period is still ahead", TriggerMeasure::Seconds, "5", 2, false, false, false, true},
      {"paused", TriggerMeasure::Seconds, "5", 10, true, false, false, false},
      {"the screen saver runs", TriggerMeasure::Seconds, "5", 10, false, true, false, true},
      {"every run of the program", TriggerMeasure::Executions, "1", 0, false, false, true, false},
      {"every second run", TriggerMeasure::Executions, "2", 0, false, false, false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Make({DispObj::Center, DispObj::Center});
    settings.Measure = row.measure;
    settings.TriggerQty = row.quantity;
    agent->State().LastChgDateTime = clock.now - row.lastChangeSecondsAgo * kSecond;
    agent->State().Paused = row.paused;
    screenSaver.running = row.screenSaver;
    screenSaver.asked = 0;
    agent->Tick([] { return false; });
    EXPECT_EQ(Shown() == Name(1), row.changes);
    EXPECT_EQ(agent->State().LastImageNm == Name(1), row.changes);
    EXPECT_EQ(agent->Timer().isActive(), row.timerRuns);
    EXPECT_EQ(screenSaver.asked, row.paused ? 0 : 1);
    desktop.values.values.clear();
  }
  // A run counted towards the next change is kept in the file for the next start.
  EXPECT_EQ(Info("ExecSinceChg"), "1");
}

TEST_F(AgentTest, AFieldThatIsNoNumberFailsTheTickAndLeavesTheTimerOff) {
  Make({DispObj::Center});
  settings.Measure = TriggerMeasure::Seconds;
  settings.TriggerQty = "";
  EXPECT_THROW(agent->Tick([] { return false; }), TConvertError);
  EXPECT_FALSE(agent->Timer().isActive());
  EXPECT_TRUE(agent->Commands().Open());
}

TEST_F(AgentTest, AutoCloseAsksTheWindowAndGoesOnWhenItStays) {
  Make({DispObj::Center});
  settings.Measure = TriggerMeasure::Days;
  settings.AutoClose = true;
  settings.AutoCloseMinutes = "1";
  agent->State().LastChgDateTime = clock.now;
  int asked = 0;
  agent->Tick([&] { return ++asked, true; });
  EXPECT_EQ(asked, 0);
  EXPECT_TRUE(agent->Timer().isActive());
  clock.now += 61 * kSecond;
  agent->Tick([&] { return ++asked, true; });
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(agent->Timer().isActive()) << "the window closed";
  agent->Tick([&] { return ++asked, false; });
  EXPECT_EQ(asked, 2);
  EXPECT_TRUE(agent->Timer().isActive()) << "the window stayed";
}

TEST_F(AgentTest, PicksFollowTheDisplayOrder) {
  struct Row {
    const char* name;
    DisplayOrder order;
    std::vector<int> answers;
    std::vector<int> shown;
  };
  const Row rows[] = {
      {"sequential, wrapping round", DisplayOrder::Sequential, {}, {1, 2, 3, 0, 1}},
      {"random, never the same twice", DisplayOrder::Random, {0, 2, 2, 3, 1}, {2, 3, 1}},
      {"random cycle, each once before any repeats", DisplayOrder::RandomCycle, {0, 0, 0, 0, 1}, {1, 2, 3, 0, 2}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Make({DispObj::Center, DispObj::Center, DispObj::Center, DispObj::Center});
    list.SetMark(0, 1);
    settings.Order = row.order;
    for (int answer : row.answers) random.Add({answer});
    if (row.order == DisplayOrder::RandomCycle) agent->Start();
    std::vector<int> shown;
    for (std::size_t i = 0; i < row.shown.size(); ++i) {
      agent->NextBackground();
      shown.push_back(list.Find(agent->State().LastImageNm));
    }
    EXPECT_EQ(shown, row.shown);
    EXPECT_TRUE(random.Exhausted());
  }
}

TEST_F(AgentTest, AChangeHandsTheEntryToTheDesktopAndKeepsItsState) {
  Make({DispObj::Center, DispObj::RatioStretch});
  clock.now = 45000.25;
  agent->UpdtBackground();
  EXPECT_EQ(Shown(), Name(0));
  EXPECT_EQ(desktop.GetValue("TileWallpaper"), "0");
  EXPECT_EQ(Info("LastImageNm"), Name(0));
  EXPECT_EQ(Info("LastDispStr"), "CENTER");
  EXPECT_EQ(Info("ExecSinceChg"), "0");
  EXPECT_EQ(Info("LastChgDateTime"), DateTimeToText(45000.25));
  EXPECT_EQ(view.hint, "0.bmp (CENTER)");
  EXPECT_GE(view.currentShown, 1) << "the view shows the entry the change loaded";
  EXPECT_EQ(desktop.reloads, 1);

  // A composed layout goes to the desktop as the converted bitmap, here made for the screen.
  SelectOnly(list, 1);
  agent->UpdtBackground();
  EXPECT_EQ(Shown(), agent->ConvertFileName());
  const QImage converted(QString::fromStdString(agent->ConvertFileName()));
  EXPECT_EQ(converted.size(), QSize(64, 48));
  EXPECT_EQ(converted.pixelColor(0, 0), QColor(Qt::green));
  EXPECT_EQ(view.hint, "1.bmp (RATIO_STRETCH)");
  EXPECT_EQ(agent->State().LastDispStr, "RATIO_STRETCH");
}

TEST_F(AgentTest, AnEntryWithoutAMethodTakesTheOneTheFileStores) {
  Make({DispObj::None});
  ini->WriteString("Bitmaps", Name(0), "STRETCH.NOT");
  agent->UpdtBackground();
  EXPECT_EQ(list.At(0).disp, DispObj::Stretch);
  EXPECT_EQ(agent->State().LastDispStr, "STRETCH");
}

TEST_F(AgentTest, ABrokenBitmapStopsTheChangeBeforeTheDesktopIsTold) {
  Make({DispObj::Center});
  QFile broken(QString::fromStdString(Name(0)));
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
  broken.write("this is no bitmap");
  broken.close();
  EXPECT_ANY_THROW(agent->UpdtBackground());
  EXPECT_EQ(desktop.reloads, 0);
  EXPECT_EQ(pictures.SourceName(), Name(0)) << "the same broken file is not decoded again";
}

TEST_F(AgentTest, TheWayBackShowsEarlierChangesWithoutMarkingThem) {
  Make({DispObj::Center, DispObj::Center, DispObj::Center});
  settings.Order = DisplayOrder::RandomCycle;
  random.Add({1, 1});
  agent->Start();
  agent->NextBackground();
  agent->NextBackground();
  EXPECT_EQ(agent->State().LastImageNm, Name(2));
  EXPECT_TRUE(view.previous);
  list.SetMark(1, 0);
  ASSERT_TRUE(agent->PreviousBackground());
  EXPECT_EQ(Shown(), Name(1));
  EXPECT_EQ(list.At(1).mark, 0) << "going back shows it again, it is not shown anew";
  // Next after going back walks forward through what was shown before.
  agent->NextBackground();
  EXPECT_EQ(Shown(), Name(2));
  EXPECT_TRUE(random.Exhausted());
  // The history outlives the run.
  Make({DispObj::Center, DispObj::Center, DispObj::Center});
  ASSERT_TRUE(agent->PreviousBackground());
  EXPECT_EQ(Shown(), Name(1));
}

TEST_F(AgentTest, TheRandomCycleMarksWhatItShowsAndStartsAgainWhenAllAreShown) {
  Make({DispObj::Center, DispObj::Center});
  settings.Order = DisplayOrder::RandomCycle;
  list.SetMark(0, 1);
  agent->Start();
  EXPECT_EQ(agent->CycleRemaining(), 1);
  random.Add({0});
  agent->NextBackground();
  EXPECT_EQ(list.At(1).mark, 1);
  EXPECT_TRUE(view.resetMarked);
  EXPECT_GE(view.changed, 1) << "the marks are part of the configuration";
  // Every entry shown: the next pick begins a new cycle with the marks cleared.
  random.Add({0});
  agent->NextBackground();
  EXPECT_EQ(list.At(0).mark, 1);
  EXPECT_EQ(list.At(1).mark, 0);
}

TEST_F(AgentTest, AFailureGoesWhereItsRouteSays) {
  Make({DispObj::Center});
  desktop.failure = "The desktop could not be reached";
  EXPECT_EQ(agent->Run(FailureRoute::Caller, [this] { agent->UpdtBackground(); }), desktop.failure);
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_TRUE(view.notices.empty());
  agent->Run(FailureRoute::Notice, [this] { agent->UpdtBackground(); });
  agent->Run(FailureRoute::Notice, [this] { agent->UpdtBackground(); });
  EXPECT_EQ(view.notices.size(), 1u) << "a run of failures is told once";
  EXPECT_EQ(view.tip, desktop.failure) << "the tray tip says why";
  EXPECT_TRUE(view.boxes.empty());
  agent->Run(FailureRoute::Box, [this] { agent->UpdtBackground(); });
  EXPECT_EQ(view.boxes, std::vector<std::string>{desktop.failure});
  // The next success takes the notice back, and a new failure is told again.
  desktop.failure.clear();
  agent->Run(FailureRoute::Notice, [this] { agent->UpdtBackground(); });
  EXPECT_TRUE(agent->State().ChangeFailure.empty());
  desktop.failure = "again";
  agent->Run(FailureRoute::Notice, [this] { agent->UpdtBackground(); });
  EXPECT_EQ(view.notices.size(), 2u);
}

// The command after a change runs once for each change that shows another picture, with the
// pictures it shows, and never for the remake of a new layout nor for a change that failed.
TEST_F(AgentTest, TheCommandAfterAChangeGetsThePicturesEachChangeShows) {
  // Composed: the desktop gets the converted bitmap, the command the list's file.
  Make({DispObj::RatioStretch, DispObj::RatioStretch, DispObj::RatioStretch});
  agent->NextBackground();
  EXPECT_TRUE(processes.starts.empty()) << "no command set, nothing runs";
  settings.RunAfterChange = R"(wal -n -i "$1")";
  agent->NextBackground();
  ASSERT_EQ(processes.starts.size(), 1u);
  EXPECT_EQ(processes.starts[0],
            (TProcessStart{
                "/bin/sh", {"-c", settings.RunAfterChange, "tesserine", Name(2)}, {{"TESSERINE_PICTURES", Name(2)}}}));
  EXPECT_EQ(Shown(), agent->ConvertFileName());

  // A picture on each of two monitors: the primary's is "$1", both are listed, primary first.
  settings.Monitors = MonitorMode::Each;
  screen.SetMonitors({{"LEFT", QRect(0, 0, 64, 48), true}, {"RIGHT", QRect(64, 0, 32, 24), false}});
  agent->Start();
  agent->NextBackground();
  ASSERT_EQ(processes.starts.size(), 2u);
  EXPECT_EQ(processes.starts[1].arguments.back(), Name(0));
  EXPECT_EQ(processes.starts[1].environment,
            (std::vector<std::pair<std::string, std::string>>{{"TESSERINE_PICTURES", Name(0) + "\n" + Name(1)}}));
  // The way back shows the same two again.
  ASSERT_TRUE(agent->PreviousBackground());
  ASSERT_EQ(processes.starts.size(), 3u);
  EXPECT_EQ(processes.starts[2].arguments.back(), Name(2));

  // The remake for a new layout shows no other picture; a change that fails runs nothing.
  screen.SetMonitors({{"LEFT", QRect(0, 0, 80, 60), true}, {"RIGHT", QRect(80, 0, 32, 24), false}});
  const int reloads = desktop.reloads;
  agent->DisplayChanged();
  EXPECT_EQ(desktop.reloads, reloads + 1) << "the layout's remake reached the desktop";
  desktop.failure = "The desktop could not be reached";
  agent->Run(FailureRoute::Notice, [this] { agent->NextBackground(); });
  EXPECT_EQ(processes.starts.size(), 3u);
}

// A command that fails is told once, without a box, until one succeeds; one that cannot
// start is told the same way, and the change it followed stands.
TEST_F(AgentTest, AFailingCommandAfterAChangeIsToldOncePerRunOfFailures) {
  Make({DispObj::Center, DispObj::Center});
  settings.RunAfterChange = "false";
  struct Step {
    int status;  // -1: the command cannot start
    std::size_t notices;
  };
  const Step steps[] = {{1, 1}, {2, 1}, {-1, 1}, {0, 1}, {-1, 2}, {127, 2}, {0, 2}, {0, 2}, {3, 3}};
  for (const Step& step : steps) {
    processes.refusal = step.status < 0 ? "cannot start /bin/sh: No such file or directory" : "";
    agent->NextBackground();
    if (step.status >= 0) processes.EndOldest(step.status);
    EXPECT_EQ(view.notices.size(), step.notices) << "after status " << step.status;
  }
  EXPECT_NE(view.notices[1].find("could not start"), std::string::npos) << view.notices[1];
  EXPECT_NE(view.notices[2].find("status 3: false"), std::string::npos) << view.notices[2];
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_TRUE(agent->State().ChangeFailure.empty()) << "the changes themselves succeeded";
}

// With "Lock Screen", a lock screen of its own gets the file the desktop got after each change
// that succeeds; one that shows the desktop's picture, or none at all, is left alone; a
// failing one is told once per run of failures, and the change stands.
TEST_F(AgentTest, TheLockScreenGetsWhatTheDesktopGot) {
  struct Row {
    const char* name;
    bool setting;
    LockScreenReach reach;
    bool shown;
  };
  const Row rows[] = {
      {"a lock screen of its own", true, LockScreenReach::Own, true},
      {"the setting off", false, LockScreenReach::Own, false},
      {"a lock screen showing the desktop's picture", true, LockScreenReach::ShowsDesktop, false},
      {"no lock screen to reach", true, LockScreenReach::None, false},
  };
  for (const Row& row : rows) {
    desktop.values.lockScreen = row.reach;
    desktop.values.lockScreenShown.clear();
    settings.LockScreen = row.setting;
    Make({DispObj::Center, DispObj::Tile});
    std::vector<std::string> given;
    for (int change = 0; change < 2; ++change) {
      agent->NextBackground();
      given.push_back(Shown());
    }
    const std::vector<std::string> expected = row.shown ? given : std::vector<std::string>{};
    EXPECT_EQ(desktop.values.lockScreenShown, expected) << row.name;
  }
  desktop.values.lockScreen = LockScreenReach::Own;
  settings.LockScreen = true;
  Make({DispObj::Center, DispObj::Tile});
  const struct {
    bool fails;
    std::size_t notices;
  } steps[] = {{true, 1}, {true, 1}, {false, 1}, {true, 2}};
  for (const auto& step : steps) {
    desktop.values.lockScreenFailure = step.fails ? "kwriteconfig5 failed: read-only file" : "";
    agent->NextBackground();
    EXPECT_EQ(view.notices.size(), step.notices);
  }
  EXPECT_EQ(view.notices.back(), "kwriteconfig5 failed: read-only file");
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_TRUE(agent->State().ChangeFailure.empty()) << "the changes themselves succeeded";
}

// Two changes in quick succession run two commands side by side; a command that ends after
// the agent is gone finds nobody to tell.
TEST_F(AgentTest, ACommandStillRunningDoesNotHoldUpTheNext) {
  Make({DispObj::Center, DispObj::Center});
  settings.RunAfterChange = "sleep 60";
  agent->NextBackground();
  agent->NextBackground();
  EXPECT_EQ(processes.pending.size(), 2u);
  agent.reset();
  processes.EndOldest(1);
  EXPECT_TRUE(view.notices.empty());
}

TEST_F(AgentTest, TheTraysRemoveAsksAsTheSettingsSayAndShowsTheNext) {
  Make({DispObj::Center, DispObj::Center, DispObj::Center});
  settings.ConfirmRemove = true;
  view.answer = MsgAnswer::No;
  EXPECT_FALSE(agent->RemoveCurrentEntry());
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(view.boxes.size(), 1u);
  view.answer = MsgAnswer::Yes;
  const std::string removed = Name(0);
  EXPECT_TRUE(agent->RemoveCurrentEntry());
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Find(removed), -1);
  EXPECT_EQ(view.removed, std::vector<int>{0});
  EXPECT_EQ(Shown(), Name(1)) << "the next entry is applied";
  settings.ConfirmRemove = false;
  EXPECT_TRUE(agent->RemoveCurrentEntry());
  EXPECT_EQ(view.boxes.size(), 2u);
}

TEST_F(AgentTest, CommandsFromOutsideFindTheGateAndTheRunningAgent) {
  Make({DispObj::Center, DispObj::Center});
  TAgentRemote remote(*agent, view);
  EXPECT_THROW(remote.RemotePause(), TRemoteRefusal) << "pausing needs the running agent";
  agent->Start();
  EXPECT_EQ(view.hidden, 1);
  remote.RemotePause();
  EXPECT_TRUE(remote.RemoteStatus().paused);
  EXPECT_FALSE(agent->Timer().isActive());
  {
    const auto boxOpen = agent->Commands().Hold();
    try {
      remote.RemoteNext();
      ADD_FAILURE() << "a command while a box is open is refused";
    } catch (const TRemoteRefusal& refusal) {
      EXPECT_EQ(refusal.GetReason(), TRemoteRefusal::Reason::Busy);
    }
  }
  remote.RemoteNext();
  EXPECT_EQ(remote.RemoteStatus().image, Name(1));
  desktop.failure = "refused";
  try {
    remote.RemoteNext();
    ADD_FAILURE() << "a failed change is the caller's";
  } catch (const TRemoteRefusal& refusal) {
    EXPECT_EQ(refusal.GetReason(), TRemoteRefusal::Reason::Failed);
    EXPECT_STREQ(refusal.what(), "refused");
  }
  EXPECT_EQ(view.notices.size(), 1u) << "while the agent runs, it is also told as its own failures are";
}

TEST_F(AgentTest, WhileDarkTheEntrysPartnerShowsAndTheEntryIsWhatIsNamed) {
  Make({DispObj::Center, DispObj::RatioStretch, DispObj::Center});
  const auto save = [this](const char* name, QColor colour) {
    const std::string path = (dir.path() + "/" + name).toStdString();
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(colour);
    picture.save(QString::fromStdString(path), "BMP");
    return path;
  };
  const std::string dark0 = save("0-dark.bmp", Qt::black);
  const std::string dark1 = save("1-dark.bmp", Qt::darkMagenta);
  list.SetDark(0, dark0);
  list.SetDark(1, dark1);
  list.SetDark(2, (dir.path() + "/away/2-dark.bmp").toStdString());
  agent->UpdtBackground();
  EXPECT_EQ(Shown(), Name(0));

  // The scheme turns dark: the partner shows at once, nothing is recorded.
  const std::string changedAt = Info("LastChgDateTime");
  agent->FollowScheme({ColorScheme::Dark, SchemeSource::Portal});
  EXPECT_EQ(Shown(), dark0);
  EXPECT_EQ(Info("LastImageNm"), Name(0));
  EXPECT_EQ(Info("LastChgDateTime"), changedAt);
  EXPECT_FALSE(view.previous) << "no step in the history";
  EXPECT_EQ(view.hint, "0.bmp (CENTER)");
  EXPECT_EQ(agent->Status().image, Name(0));
  EXPECT_EQ(agent->Status().scheme, "dark (desktop portal)");

  // A composed partner is made into its own converted file; the entry's name stays.
  SelectOnly(list, 1);
  agent->UpdtBackground();
  EXPECT_EQ(Shown(), DarkConvertFileName((dir.path() + "/").toStdString()));
  EXPECT_NE(Shown(), agent->ConvertFileName());
  EXPECT_EQ(QImage(QString::fromStdString(Shown())).pixelColor(0, 0), QColor(Qt::darkMagenta));
  EXPECT_EQ(Info("LastImageNm"), Name(1));
  EXPECT_EQ(view.hint, "1.bmp (RATIO_STRETCH)");

  // A partner whose file is away shows its entry.
  SelectOnly(list, 2);
  agent->UpdtBackground();
  EXPECT_EQ(Shown(), Name(2));

  // Light again: the entry shows where its partner did.
  SelectOnly(list, 1);
  agent->UpdtBackground();
  agent->FollowScheme({ColorScheme::Light, SchemeSource::GnomeSettings});
  EXPECT_EQ(Shown(), agent->ConvertFileName());
  EXPECT_EQ(QImage(QString::fromStdString(Shown())).pixelColor(0, 0), QColor(Qt::green));
  EXPECT_EQ(Info("LastImageNm"), Name(1));
}
