// TAgent: the run of the program below the window. It holds the run state (whether the agent
// runs, the last change, the history, the random cycle, the monitors' last pictures), decides
// each tick of the schedule, picks the next entry by the display order and changes the
// wallpaper as one sequence.
//
// Data flow: the window hands it the settings (TSettings, which the pages keep up to date),
// the image list with its current entry, the configuration, the picture and composition
// caches that the Images page's preview shares, and a view (IAgentView) through which it tells
// the window what to show. A change records itself, loads the current entry's picture through
// the picture cache (LoadCurrent, the same load the Images page's refresh uses), hands it to
// the desktop (ApplyToDesktop, ApplyToMonitors), records the history, marks the random cycle,
// writes the state keys, reads unwatched folders again and shows the hint. The tray menu, the
// Images page and commands from outside (TAgentRemote) all go through here; the window's
// handlers keep their names and call these.
//
// While the desktop's colour scheme is dark, a change shows each entry's dark partner in its
// place (the entry stays what the program names); a change of the scheme makes the wallpaper
// again with the other variant, recording nothing. A desktop that switches by itself between
// a light and a dark picture (GNOME) is given both instead.
//
// The agent's own files: Agent.cpp (the run, its start and end, the tick, failures),
// AgentChange.cpp (the change), AgentPicks.cpp (the display order and the way back),
// AgentCommands.cpp (the tray's commands on the list), AgentOutside.cpp (pictures named from
// outside the window), AgentScheme.cpp (the colour scheme), AgentLoad.cpp (the configuration's
// load).
#pragma once

#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "agent/AfterChangeCommand.h"
#include "agent/AgentSession.h"
#include "agent/AgentState.h"
#include "agent/AgentView.h"
#include "agent/ChangeHistory.h"
#include "agent/CommandGate.h"
#include "agent/RandomSource.h"
#include "config/Settings.h"
#include "imagelist/FolderSync.h"
#include "imagelist/ImageList.h"
#include "imagelist/ListEdits.h"
#include "imagelist/ListFile.h"
#include "picture/PictureCache.h"
#include "platform/desktop/ColorScheme.h"
#include "platform/desktop/DesktopWallpaper.h"
#include "platform/screen/ScreenMetrics.h"
#include "platform/screen/ScreenSaverState.h"
#include "platform/session/RemoteControl.h"
#include "platform/system/Clock.h"
#include "platform/system/ProcessStarter.h"
#include "wallpaper/BusyCursor.h"
#include "wallpaper/CompositionCache.h"
#include "wallpaper/PictureJobs.h"
#include "wallpaper/WallpaperApply.h"

class TAgentFolders;
class TBigIniFile;
class TInfoReader;

// The outside world of the run.
struct TAgentWorld {
  IDesktopWallpaper& desktop;
  IScreenMetrics& screen;
  IScreenSaverState& screenSaver;
  IClock& clock;
  IRandomSource& random;
  // Starts the command run after a change.
  IProcessStarter& processes;
  // The program's folder, ending in "/": the converted bitmaps go there.
  std::string programFolder;
  std::string configFileName;
};

// What the window owns and the agent works on.
struct TAgentParts {
  const TSettings& settings;
  TImageList& list;
  TBigIniFile& ini;
  TPictureCache& pictures;
  TCompositionCache& compositions;
  TBusyCursor& busy;
  IAgentView& view;
};

// How a load shows the settings it read: the window sets its controls, each of which writes
// its setting as it changes; a run without a window takes them as they are.
struct TLoadShow {
  // Before the list is read, which reads the display order and the default method from the
  // settings: these two at least are in place when it returns.
  std::function<void(const TSettings& loaded)> beforeList;
  // Once the list is whole.
  std::function<void(const TSettings& loaded)> afterList;
  // Called every hundred lines of the list, so that a window keeps painting.
  std::function<void()> keepPainting;
};

// Where the failure of a step goes: a box for a command of the user's, the tray tip and one
// notification for a change the agent makes unattended, the caller for a command from outside.
enum class FailureRoute { Box, Notice, Caller };

class TAgent {
 public:
  TAgent(TAgentWorld world, TAgentParts parts);
  ~TAgent();
  TAgent(const TAgent&) = delete;
  TAgent& operator=(const TAgent&) = delete;

  // ---- The run (Agent.cpp) ----
  bool Running() const { return running_; }
  // The run goes on as the agent's: set by the start with "Open Minimized" before the load,
  // so that the load already decodes for the desktop alone.
  void SetRunning(bool running) { running_ = running; }
  // The run shows no window at all (one command of the command line, the agent not started):
  // pictures are decoded for the desktop alone and not kept, as while the agent runs unseen.
  void RunUnseen() { unseen_ = true; }
  TAgentState& State() { return state_; }
  const TAgentState& State() const { return state_; }
  TCommandGate& Commands() { return commands_; }
  TAgentFolders& Folders() { return *folders_; }
  const TAgentFolders& Folders() const { return *folders_; }
  // The scheduler's timer; its timeout is the window's Timer1Timer.
  QTimer& Timer() { return timer_; }
  std::int32_t CycleRemaining() const { return cycleRemaining_; }
  const std::string& ConvertFileName() const { return convertFileName_; }
  TRemoteStatus Status() const;
  // Told after every change of what Status reports.
  std::function<void()> OnStatusChanged;
  void AnnounceStatus() const;

  // The run's start, before the first load: auto-close counts from now, and this run has not
  // been counted as an execution yet.
  void BeginRun();
  // The agent starts: back to the entry last applied (or that entry applied again when its
  // method changed), the random cycle counted, the window giving way, the schedule running.
  void Start();
  // The agent ends for the properties window.
  void Stop();
  void TogglePause();
  void SetPaused(bool paused);
  // The tick: the schedule's check, a change when one is due (failing unattended), auto-close
  // (closeNow asks the window to close and says whether it did), the timer set for the next
  // check. Whatever the tick decoded, an agent running unseen does not keep it.
  void Tick(const std::function<bool()>& closeNow);
  // The next check at once.
  void ArmTimerNow();
  // Runs step; its failure goes where route says. Returns why it failed, empty when it did not.
  std::string Run(FailureRoute route, const std::function<void()>& step);
  // A change the user asked for in the tray menu or in a box: a failure shows in a box, and
  // the schedule checks again at once.
  void AskedChange(const std::function<void()>& change);
  // A change succeeded: a failure told before is taken back.
  void ChangeSucceeded();
  // The tray's tip and its menu's image item.
  void SetHint();
  TrayCommand TrayClick(bool leftButton) const { return session_.TrayClick(settings_.ClickAction, leftButton); }
  // The tray menu opens: the schedule waits for it. Closed again, the schedule checks at once
  // while the agent goes on unseen and unpaused.
  void MenuOpens();
  void MenuClosed(bool agentGoesOn);
  QString NoTrayCaption() const { return session_.NoTrayCaption(); }

  // ---- The configuration's load (AgentLoad.cpp) ----
  // Section "Info" with this run's defaults (the settings' Add dialog folder, the program's
  // folder, now).
  TInfoReader InfoReader() const;
  // Loads the configuration file: the settings through show, the state keys, the list, the
  // watched folders (their listings come later), and the list's start entry selected (the
  // desktop's wallpaper, else the last one shown), whose picture is not loaded. No command
  // acts while it runs. Returns the start entry's index.
  int Load(const TLoadShow& show);

  // ---- The current entry and its picture (AgentChange.cpp) ----
  std::string CurrentFileName() const;
  DispObj CurrentDispObj() const;
  // The text code of a method as it is stored (a method of -1 as the display group names it).
  std::string MethodText(DispObj code) const;
  // The stored method and mark of an entry, by the settings' display order and default method.
  TStoredDisp ReadObjDisp(const std::string& fileName, const std::string& storedValue) const;
  TDispReader DispReader() const;
  // What the current entry's picture must cover while the agent runs unseen (nullopt: the
  // whole picture).
  std::optional<TDecodeTarget> WallpaperDecodeTarget() const;
  // The current entry's picture into the picture cache, and its method fetched from the file
  // when it has none yet; without a current entry, the caches emptied. Throws the picture
  // errors a user must see, after the cache has taken the name.
  void LoadCurrent();
  // The picture cache's picture is the one the agent decoded ahead at its start, if it asks for it.
  void ExpectPicture(std::unique_ptr<TPictureAhead> ahead) { pictures_.Expect(std::move(ahead)); }
  void FreePictures();

  // ---- The change (AgentChange.cpp) ----
  // Records the change, shows the current entry on the desktop, and keeps what follows from
  // it: the history, the random cycle's mark, the state keys, the hint, and the command the
  // settings run after a change.
  void UpdtBackground();
  // Shows the current entry on the desktop (a picture on each monitor where the settings ask).
  void ChgBackground();
  // A new monitor layout while the agent runs: the wallpaper made again where it was made for
  // the old one.
  void WMDisplayChange();
  // The monitors were added, removed, moved or resized: the desktop is told, and the wallpaper
  // made again; a failure waits for no answer while the agent runs.
  void DisplayChanged();

  // ---- The display order and the way back (AgentPicks.cpp) ----
  void NextBackground();
  // False when there is no earlier wallpaper to show.
  bool PreviousBackground();
  void SetNextIndex();
  int RandomCycleIndex();
  // Every mark cleared: a new random cycle.
  void ResetMarks();
  // The entry the display order goes on from: the last monitor's after a change of every
  // monitor's picture, else the current one.
  int OrderCurrentIndex() const;
  // The way back is shown as open or not.
  void SetPreviousEnabled();

  // ---- The colour scheme (AgentScheme.cpp) ----
  const TSchemeReading& Scheme() const { return scheme_; }
  // The desktop's scheme is now reading: where that changes which variant shows, the
  // wallpaper on every monitor is made again at once (fading as a change does), even while
  // paused or with the window open, with no new pick and nothing recorded.
  void FollowScheme(const TSchemeReading& reading);
  // The scheme once the list is loaded: where the desktop shows this program's last change in
  // the variant the scheme does not ask for (a run that ended in the other scheme), it is made
  // again; another program's wallpaper is left alone.
  void StartFollowingScheme(const TSchemeReading& reading);
  // The scheme the next change follows, taken with nothing made again: a run for one command,
  // whose command makes the change.
  void TakeScheme(const TSchemeReading& reading) { scheme_ = reading; }
  // An entry's partner was set or cleared: where the wallpaper shows that entry while dark,
  // it is made again with what it shows now.
  void PartnersChanged() { RemakeForScheme(); }
  // Whether a change shows the entries' dark partners now.
  bool ShowsDark() const;
  // The file a change shows for the current entry (empty without one).
  std::string ShownFileName() const;

  // ---- Commands on the list (AgentCommands.cpp) ----
  // The current entry leaves the list after the confirmation the settings ask for, and the
  // next one is applied; false when there is none or the user declined.
  bool RemoveCurrentEntry();
  // The current entry leaves the list, and a watched folder keeps it out; the view shows
  // the entry now current. Nothing without a current entry.
  void RemoveCurrent();
  // Every selected entry leaves the list likewise.
  void RemoveSelected();

  // ---- Pictures named from outside the window (AgentOutside.cpp) ----
  // Makes the picture at file the current entry, decoded for the change that is to show it:
  // an entry of the list as it is, another picture joining with the default method. Throws
  // TRemoteRefusal (Failed), the list unchanged, for a file that is missing, no picture the
  // program reads, one that decodes to nothing, or a name the configuration cannot keep.
  // True when it joined the list.
  bool TakePicture(const std::string& file);
  // Adds each picture with the default method and watches each folder with its subfolders,
  // doubling nothing; the lines of what joined are in the configuration file when it
  // returns. The paths refused, each as "path: why".
  std::vector<std::string> AddPaths(const std::vector<std::string>& paths);
  // The configuration file gets the lines of the entries named, as the list holds them, and
  // the state keys the last change wrote; nothing else of the window's is written. Throws
  // TIniFileError when the file cannot be written.
  void StoreJoined(const std::vector<std::string>& fileNames);

 private:
  // What a watched folder's joins and leaves mean for the run: the random cycle's count, the
  // stored list, a current entry for a list that had none, the view.
  void FolderSynced(const std::string& folder, const TFolderSyncResult& result, bool hadCurrent);
  void SelectEntry(int index);
  void ShowPauseState();
  void ReleasePictures();
  void ChgMonitors(const std::vector<TMonitor>& monitors);
  // For a desktop that switches by itself: the current entry's dark partner made into its
  // own converted file and stored as "WallpaperDark" (empty without a partner).
  void PrepareDarkVariant(const ApplyRequest& light);
  void RemakeForScheme();
  // The command the settings run after a change that showed another picture, handed the
  // pictures that show on the monitors.
  void RunAfterChange();
  // With "Lock Screen", a lock screen with a picture of its own is given the file the desktop
  // got; a failure is told once per run of failures.
  void ShowOnLockScreen();
  // The file a change shows for entry now.
  std::string ShownFor(const ImageEntry& entry) const;
  std::vector<MonitorSource> PickFurtherSources(const std::vector<TMonitor>& monitors);
  ApplyRequest CurrentRequest() const;
  QRgb Fill() const;
  void ShowHistoryStep(const THistoryStep& step);
  bool UsablePicture(const std::string& file) const;
  void RecordInHistory();
  void MarkShown();
  void WriteStateKeys();

  TAgentWorld world_;
  const TSettings& settings_;
  TImageList& list_;
  TBigIniFile& ini_;
  TPictureCache& pictures_;
  TCompositionCache& compositions_;
  TBusyCursor& busy_;
  IAgentView& view_;

  bool running_ = false;
  bool unseen_ = false;
  TAgentState state_;
  TAgentSession session_{state_};
  TCommandGate commands_;
  QTimer timer_;
  double startTime_ = 0;
  std::int32_t cycleRemaining_ = 0;
  std::string convertFileName_;
  std::string darkConvertFileName_;
  // A change ran since ReleasePictures last returned memory.
  bool changedSinceTrim_ = false;
  // The change under way is the display order's (every monitor changes), not an Apply.
  bool wholeChange_ = false;
  // The entry the last monitor showed after such a change; -1 without one.
  int lastMonitorEntry_ = -1;
  // The wallpapers shown, kept in historyFileName_. While a change shows one of them again,
  // historyStep_ holds its pictures (the primary's first): it is no new change to record, the
  // further monitors take its pictures and the random-cycle marks stay.
  TChangeHistory history_;
  std::string historyFileName_;
  std::optional<THistoryStep> historyStep_;
  // The further monitors' pictures of the last change that made them.
  std::vector<std::string> shownFurther_;
  std::unique_ptr<TAgentFolders> folders_;
  TAfterChangeCommand afterChange_;
  bool lockScreenFailing_ = false;
  TSchemeReading scheme_;
  // A remake for the scheme that found the command gate closed waits on this for its turn.
  QObject schemePosts_;
};
