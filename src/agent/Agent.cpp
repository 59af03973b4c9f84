// The agent's run: its start and end, pausing, the schedule's tick, and where the failure of
// a change goes.
#include "agent/Agent.h"

#include <QScopeGuard>

#include "agent/AgentFolders.h"
#include "agent/Scheduler.h"
#include "config/BigIni.h"
#include "config/ConfigKeys.h"
#include "imagelist/FolderFile.h"
#include "wallpaper/ConvertedBitmap.h"

namespace {

const QString kChangeFailedSummary = QStringLiteral("Tesserine could not change the wallpaper");
const QString kCommandFailedSummary = QStringLiteral("Tesserine's command after a change failed");

}  // namespace

TAgent::TAgent(TAgentWorld world, TAgentParts parts)
    : world_(std::move(world)),
      settings_(parts.settings),
      list_(parts.list),
      ini_(parts.ini),
      pictures_(parts.pictures),
      compositions_(parts.compositions),
      busy_(parts.busy),
      view_(parts.view),
      convertFileName_(::ConvertFileName(world_.programFolder)),
      darkConvertFileName_(DarkConvertFileName(world_.programFolder)),
      historyFileName_(TChangeHistory::FileNameFor(world_.configFileName)),
      folders_(std::make_unique<TAgentFolders>(parts.settings, parts.list, parts.ini, commands_, parts.view,
                                               [this](const std::string& folder, const TFolderSyncResult& result,
                                                      bool hadCurrent) { FolderSynced(folder, result, hadCurrent); })),
      afterChange_(world_.processes, [this](const std::string& why) {
        view_.Notify(kCommandFailedSummary, QString::fromStdString(why));
      }) {
  timer_.setObjectName("Timer1");
  folders_->SetScreen([this] { return world_.screen.ScreenSize(); });
  history_.LoadFrom(historyFileName_);
}

TAgent::~TAgent() = default;

void TAgent::FolderSynced(const std::string& folder, const TFolderSyncResult& result, bool hadCurrent) {
  cycleRemaining_ = std::max(0, cycleRemaining_ + result.cycleDelta);
  // A package's entry renamed to another size is still the picture last shown.
  for (const auto& [before, after] : result.renamed) {
    if (state_.LastImageNm != before) continue;
    state_.LastImageNm = after;
    ini_.WriteString(InfoSection, InfoKey::LastImageNm.name, after);
  }
  StoreSync(
      ini_, folder, result, [this](DispObj code) { return MethodText(code); }, settings_.RandomCycle());
  // A list that had no current entry starts on one as a loaded list does.
  if (!hadCurrent) SelectOnly(list_, StartEntry(list_, world_.desktop.GetValue("Wallpaper"), state_.LastImageNm));
  view_.FoldersSynced(result.currentLeft || !hadCurrent);
  AnnounceStatus();
}

TRemoteStatus TAgent::Status() const {
  return {state_.LastImageNm, state_.LastDispStr, running_, state_.Paused, SchemeText(scheme_)};
}

void TAgent::AnnounceStatus() const {
  if (OnStatusChanged) OnStatusChanged();
}

void TAgent::BeginRun() {
  startTime_ = world_.clock.Now();
  state_.ExecCounted = false;
}

void TAgent::Start() {
  const auto starting = commands_.Hold();
  const TAgentStart start = session_.Start(list_, MethodText(CurrentDispObj()));
  if (start.step == TAgentStart::Step::SelectLast)
    SelectEntry(start.index);
  else if (start.step == TAgentStart::Step::ApplyCurrent)
    // The agent starts whether or not this change succeeds.
    Run(FailureRoute::Notice, [this] { view_.ApplyCurrent(); });
  startTime_ = world_.clock.Now();
  if (settings_.RandomCycle()) cycleRemaining_ = TAgentSession::CycleRemainingAtStart(list_);
  view_.HideForAgent();
  state_.Paused = false;
  ShowPauseState();
  running_ = true;
  SetHint();
  AnnounceStatus();
}

void TAgent::Stop() {
  running_ = false;
  timer_.stop();
}

void TAgent::TogglePause() {
  state_.Paused = !state_.Paused;
  if (state_.Paused)
    timer_.stop();
  else
    ArmTimerNow();
  ShowPauseState();
}

void TAgent::SetPaused(bool paused) {
  TAgentSession::RequireRunning(running_);
  if (state_.Paused != paused) TogglePause();
}

void TAgent::ShowPauseState() {
  view_.ShowPauseState(state_.PauseCaption(), state_.Paused);
  AnnounceStatus();
}

void TAgent::Tick(const std::function<bool()>& closeNow) {
  timer_.stop();
  const auto ticking = commands_.Hold();
  const auto release = qScopeGuard([this] { ReleasePictures(); });
  if (state_.Paused) return;
  TChangeInput input;
  input.screenSaverRunning = world_.screenSaver.ScreenSaverRunning();
  input.execQtyText = settings_.TriggerQty;
  input.entrySelected = list_.FirstSelected() >= 0;
  input.measure = settings_.Measure;
  input.now = world_.clock.Now();
  input.lastChgDateTime = state_.LastChgDateTime;
  input.execCounted = state_.ExecCounted;
  input.execSinceChg = state_.ExecSinceChg;
  const TChangeDecision decision = DecideChange(input);
  state_.ExecCounted = decision.execCounted;
  state_.ExecSinceChg = decision.execSinceChg;
  if (decision.writeExecSinceChg) ini_.WriteInteger(InfoSection, InfoKey::ExecSinceChg.name, state_.ExecSinceChg);
  // A change that fails is told without a box, and the schedule goes on.
  if (decision.due) Run(FailureRoute::Notice, [this] { NextBackground(); });

  std::int32_t interval = decision.interval;
  if (settings_.AutoClose) {
    const TAutoCloseDecision autoClose =
        DecideAutoClose(interval, settings_.AutoCloseMinutes, startTime_, world_.clock.Now());
    if (autoClose.closeNow && closeNow()) return;
    interval = autoClose.interval;
  }
  // The intervals count single milliseconds near the due second, so the timer keeps them.
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.setInterval(interval);
  if (interval >= 1) timer_.start();
}

void TAgent::ArmTimerNow() {
  timer_.setInterval(1);
  timer_.start();
}

std::string TAgent::Run(FailureRoute route, const std::function<void()>& step) {
  try {
    step();
    return {};
  } catch (const std::exception& error) {
    const std::string why = error.what();
    if (route == FailureRoute::Box) {
      view_.Ask(QString::fromStdString(why), MsgKind::Error, MsgButtons::Ok);
    } else if (route == FailureRoute::Notice) {
      const bool firstFailure = session_.ChangeFailed(why);
      view_.ShowAgentCaption(session_.NoTrayCaption());
      SetHint();
      if (firstFailure) view_.Notify(kChangeFailedSummary, QString::fromStdString(state_.ChangeFailure));
    }
    return why;
  }
}

void TAgent::AskedChange(const std::function<void()>& change) {
  Run(FailureRoute::Box, change);
  ArmTimerNow();
}

void TAgent::ChangeSucceeded() {
  if (session_.ChangeSucceeded()) view_.ShowAgentCaption(session_.NoTrayCaption());
}

void TAgent::SetHint() {
  const std::string wallpaper = world_.desktop.GetValue("Wallpaper").value_or("*ERROR*");
  const std::string tiled = world_.desktop.GetValue("TileWallpaper").value_or("");
  const QString text = QString::fromStdString(session_.TrayHint(wallpaper, tiled, world_.programFolder));
  view_.ShowHint(text, session_.TrayTip(text));
}

void TAgent::MenuOpens() {
  timer_.stop();
  SetHint();
  SetPreviousEnabled();
}

void TAgent::MenuClosed(bool agentGoesOn) {
  if (agentGoesOn && !state_.Paused) ArmTimerNow();
}
