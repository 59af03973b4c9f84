// The change of the wallpaper: the current entry's picture, loaded through the picture cache,
// composed where its method asks, handed to the desktop (on each monitor where the settings
// ask), and what the change leaves behind: the history, the random cycle's mark, the state
// keys, the hint.
#include <QScopeGuard>
#include <chrono>

#include "agent/Agent.h"
#include "agent/AgentFolders.h"
#include "agent/MonitorPlan.h"
#include "agent/StartPicture.h"
#include "config/BigIni.h"
#include "config/ConfigKeys.h"
#include "config/DateTimeText.h"
#include "platform/system/FreedMemory.h"
#include "wallpaper/ConvertedBitmap.h"
#include "wallpaper/FillColor.h"
#include "wallpaper/MonitorPictures.h"
#include "wallpaper/WallpaperApply.h"

namespace {
const QString kLockScreenFailedSummary = QStringLiteral("Tesserine could not set the lock screen's wallpaper");
}  // namespace

std::string TAgent::CurrentFileName() const {
  const int current = list_.FirstSelected();
  return current < 0 ? std::string() : list_.At(current).fileName;
}

DispObj TAgent::CurrentDispObj() const {
  const int current = list_.FirstSelected();
  return current < 0 ? settings_.DefaultDisplay : list_.At(current).disp;
}

std::string TAgent::MethodText(DispObj code) const {
  return DispObjToStr(code, view_.DisplayGroup(), settings_.DefDispStr());
}

TStoredDisp TAgent::ReadObjDisp(const std::string& fileName, const std::string& storedValue) const {
  return ReadStoredDisp(ini_, fileName, storedValue, settings_.RandomCycle(), settings_.DefaultDisplay);
}

TDispReader TAgent::DispReader() const {
  return [this](const std::string& fileName, const std::string& storedValue) {
    return ReadObjDisp(fileName, storedValue);
  };
}

QRgb TAgent::Fill() const { return ColorFromTColor(settings_.FillColor); }

ApplyRequest TAgent::CurrentRequest() const {
  const std::string shown = ShownFileName();
  // The partner's converted file has a name of its own, so the entry's stays as it was.
  const std::string& convertTo = shown == CurrentFileName() ? convertFileName_ : darkConvertFileName_;
  return {shown, CurrentDispObj(), settings_.PlusInstalled, convertTo, world_.screen.ScreenSize()};
}

std::optional<TDecodeTarget> TAgent::WallpaperDecodeTarget() const {
  if (!running_ && !unseen_) return std::nullopt;
  return HiddenAgentDecodeTarget(CurrentRequest(), settings_.Monitors, world_.screen.Monitors(),
                                 world_.desktop.DrawsFromMemory());
}

void TAgent::LoadCurrent() {
  const int current = list_.FirstSelected();
  if (current < 0) {
    pictures_.Clear();
    compositions_.CurrSpecial(std::string(), pictures_.SourceBitmap(), CurrentDispObj(), Fill(),
                              world_.screen.ScreenSize(), busy_);
    return;
  }
  const std::string name = list_.At(current).fileName;
  pictures_.Load(ShownFileName(), WallpaperDecodeTarget());
  if (ToInt(list_.At(current).disp) >= 0) return;
  const TStoredDisp stored = ReadObjDisp(name, std::string());
  list_.SetDisp(current, stored.disp);
  list_.SetMark(current, stored.mark);
  if (stored.mark == 1) view_.EnableResetMarked(true);
  view_.ShowEntries();
}

void TAgent::FreePictures() {
  pictures_.Clear();
  compositions_.Clear();
}

// An agent running unseen shows no preview, so between two changes it keeps neither the
// decoded picture nor its composition: a large photo would otherwise stay in memory for the
// whole period. The entry's name stays, and its next use decodes the file again. After a
// change, what the change freed goes back to the system as well.
void TAgent::ReleasePictures() {
  if (!running_ && !unseen_) return;
  pictures_.Release();
  compositions_.Clear();
  if (!changedSinceTrim_) return;
  changedSinceTrim_ = false;
  ReturnFreedMemory();
}

void TAgent::UpdtBackground() {
  state_.RecordChange(CurrentFileName(), world_.clock.Now());
  {
    // Another picture fades in where the program draws it; the remake of the same picture for
    // a new layout (ChgBackground alone) does not, nor does a hand-over after a failed change.
    world_.desktop.FadeNextChange(std::chrono::milliseconds(FadeTime(settings_)));
    const auto once = qScopeGuard([this] { world_.desktop.FadeNextChange(std::chrono::milliseconds(0)); });
    ChgBackground();
  }
  ChangeSucceeded();
  state_.LastShownNm = ShownFileName();
  RecordInHistory();
  // Going back shows an earlier change again: the cycle's marks stay as they are.
  if (settings_.RandomCycle() && !historyStep_) MarkShown();
  state_.LastDispStr = MethodText(CurrentDispObj());
  WriteStateKeys();
  // Folders the system cannot watch are read again at each change instead.
  folders_->RescanIfIncomplete();
  SetHint();
  AnnounceStatus();
  ShowOnLockScreen();
  RunAfterChange();
}

void TAgent::ShowOnLockScreen() {
  if (!settings_.LockScreen || world_.desktop.LockScreen() != LockScreenReach::Own) return;
  const std::optional<std::string> given = world_.desktop.GetValue("Wallpaper");
  if (!given || given->empty()) return;
  try {
    world_.desktop.ShowOnLockScreen(*given);
    lockScreenFailing_ = false;
  } catch (const TDesktopError& error) {
    // Told once per run of failures, as a change's own failures are: never a box.
    if (lockScreenFailing_) return;
    lockScreenFailing_ = true;
    view_.Notify(kLockScreenFailedSummary, QString::fromLocal8Bit(error.what()));
  }
}

// The command is handed the pictures that show: an entry's dark partner where that shows.
void TAgent::RunAfterChange() {
  std::vector<std::string> further = shownFurther_;
  for (std::string& file : further)
    if (const int entry = list_.Find(file); entry >= 0) file = ShownFor(list_.At(entry));
  afterChange_.Run(settings_.RunAfterChange, ShownPictures(ShownFileName(), further, world_.screen.Monitors().size()));
}

void TAgent::MarkShown() {
  if (const int current = list_.FirstSelected(); current >= 0) {
    list_.SetMark(current, 1);
    view_.ShowEntries();
  }
  view_.EnableResetMarked(true);
  view_.Changed();
}

void TAgent::WriteStateKeys() {
  ini_.WriteInteger(InfoSection, InfoKey::ExecSinceChg.name, 0);
  ini_.WriteString(InfoSection, InfoKey::LastImageNm.name, state_.LastImageNm);
  ini_.WriteString(InfoSection, InfoKey::LastDispStr.name, state_.LastDispStr);
  ini_.WriteString(InfoSection, InfoKey::LastChgDateTime.name, DateTimeToText(state_.LastChgDateTime));
}

void TAgent::ChgBackground() {
  const auto changed = qScopeGuard([this] { changedSinceTrim_ = true; });
  if (settings_.Monitors != MonitorMode::Same) {
    const std::vector<TMonitor> monitors = world_.screen.Monitors();
    if (PicturePerMonitor(settings_.Monitors, monitors.size())) {
      ChgMonitors(monitors);
      return;
    }
  }
  lastMonitorEntry_ = -1;
  shownFurther_.clear();
  RemoveMonitorFiles(world_.programFolder, 1);
  const ApplyRequest request = CurrentRequest();
  const auto picture = [this, &request]() -> const QImage& {
    LoadCurrent();
    view_.ShowCurrent();
    if (!IsSpecial(request.code)) return pictures_.SourceBitmap();
    return compositions_.CurrSpecial(pictures_.SourceName(), pictures_.SourceBitmap(), CurrentDispObj(), Fill(),
                                     world_.screen.ScreenSize(), busy_);
  };
  // The centred part the hidden agent decoded has shown; the converted file gets the whole.
  const TPartOfPicture part{[this] { return pictures_.HoldsPart() ? pictures_.FileSize() : QSize(); },
                            [&request](const std::string& path) { WritePictureConverted(request.name, path); }};
  if (world_.desktop.SwitchesSchemeItself()) PrepareDarkVariant(request);
  // The hidden agent's pictures go before the desktop loads the converted file, so a
  // large composition is not held twice.
  ApplyToDesktop(
      request, picture, world_.desktop, [this] { ReleasePictures(); }, part);
}

// With "Next image on each" every monitor shows its own entry, made for its own size; with
// "One image across all" the current entry is made for the rectangle that holds every monitor
// and each monitor shows its part. The primary monitor's entry is the current one.
void TAgent::ChgMonitors(const std::vector<TMonitor>& monitors) {
  const QRgb fill = Fill();
  const bool each = settings_.Monitors != MonitorMode::Span;
  // An Apply changes the primary monitor only: the others keep their pictures. The further
  // monitors' pictures are made while this thread loads and makes the primary's.
  std::optional<TPictureJobs> further;
  if (each && wholeChange_) further.emplace(PickFurtherSources(monitors), fill);
  LoadCurrent();
  view_.ShowCurrent();
  std::vector<QImage> pictures(monitors.size());
  if (!each) {
    shownFurther_.clear();
    const std::vector<QRect> rects = MonitorRects(monitors);
    const QRect span = SpanRect(rects);
    const QImage canvas = FillArea(pictures_.SourceBitmap(), CurrentDispObj(), span.size(), fill);
    for (std::size_t i = 0; i < monitors.size(); ++i) pictures[i] = PartOf(canvas, span, rects[i]);
  } else {
    pictures[0] = FillArea(pictures_.SourceBitmap(), CurrentDispObj(), monitors[0].rect.size(), fill);
    if (further) {
      std::vector<QImage> made = further->Take();
      std::move(made.begin(), made.end(), pictures.begin() + 1);
    }
  }
  // The hidden agent's pictures go before the desktop loads the converted files.
  ReleasePictures();
  ApplyToMonitors(monitors, pictures, world_.programFolder, world_.desktop);
}

std::vector<MonitorSource> TAgent::PickFurtherSources(const std::vector<TMonitor>& monitors) {
  TMonitorPlan plan = historyStep_
                          ? ReplayFurtherMonitors(list_, *historyStep_, monitors, settings_.DefaultDisplay)
                          : PlanFurtherMonitors(list_, settings_.Order, monitors, cycleRemaining_, world_.random);
  if (settings_.RandomCycle()) view_.ShowEntries();
  if (plan.lastEntry >= 0) lastMonitorEntry_ = plan.lastEntry;
  shownFurther_.clear();
  for (MonitorSource& source : plan.sources) {
    shownFurther_.push_back(source.file);
    if (const int entry = list_.Find(source.file); entry >= 0) source.file = ShownFor(list_.At(entry));
  }
  return std::move(plan.sources);
}

void TAgent::WMDisplayChange() {
  if (!running_) return;
  // Pictures made for each monitor are made again for the new layout (the primary's entry,
  // the others' kept where their monitor is), so a desktop's canvas of the layout follows.
  const bool perMonitor = PicturePerMonitor(settings_.Monitors, world_.screen.Monitors().size());
  if (!RemakeOnNewLayout(perMonitor, settings_.PlusInstalled, state_.LastDispStr)) return;
  pictures_.Clear();
  const auto release = qScopeGuard([this] { ReleasePictures(); });
  ChgBackground();
}

void TAgent::DisplayChanged() {
  // Nobody asked for these changes: while the agent runs they wait for no answer.
  const FailureRoute route = running_ ? FailureRoute::Notice : FailureRoute::Box;
  Run(route, [this] { world_.desktop.ScreensChanged(); });
  Run(route, [this] { WMDisplayChange(); });
  folders_->ScreenChanged();
}
