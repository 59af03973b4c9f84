// Commands from outside the window (a keyboard shortcut, a script, a status bar), as the
// tray's menu gives them, except that an error goes back to the caller instead of into a box:
// nobody may be at the screen. A command that finds a question, a menu or the configuration
// load in progress is refused as busy rather than queued behind it.
#include "window/Tessel.h"

void TTesselForm1::RemoteNext() {
  const auto running = TAgentSession::AdmitRemote(Commands);
  RemoteChange([this] { NextBackground(); });
}

void TTesselForm1::RemotePrevious() {
  const auto running = TAgentSession::AdmitRemote(Commands);
  bool wentBack = false;
  RemoteChange([this, &wentBack] { wentBack = PreviousBackground(); });
  if (!wentBack) throw TRemoteRefusal(TRemoteRefusal::Reason::Failed, "There is no earlier wallpaper to go back to");
}

// With the agent running, a failure is told as its own changes' are; without it, only the
// caller hears of it, and the agent's timer stays off.
void TTesselForm1::RemoteChange(const std::function<void()>& change) {
  std::string failure;
  if (AgentRunning) {
    failure = RunUnattended(change);
    ArmTimerNow();
  } else {
    try {
      change();
    } catch (const std::exception& error) {
      failure = error.what();
    }
  }
  if (!failure.empty()) throw TRemoteRefusal(TRemoteRefusal::Reason::Failed, failure);
}

void TTesselForm1::RemotePause() { RemoteSetPaused(true); }

void TTesselForm1::RemoteResume() { RemoteSetPaused(false); }

void TTesselForm1::RemoteTogglePause() { RemoteSetPaused(!Agent.Paused); }

void TTesselForm1::RemoteSetPaused(bool paused) {
  const auto running = TAgentSession::AdmitRemote(Commands);
  TAgentSession::RequireRunning(AgentRunning);
  if (Agent.Paused != paused) Pause1Click(Pause1);
}

bool TTesselForm1::RemoteRemoveCurrent() {
  const auto running = TAgentSession::AdmitRemote(Commands);
  if (AgentRunning) Timer1->stop();
  bool removed = false;
  std::string failure;
  try {
    removed = RemoveCurrentEntry();
  } catch (const std::exception& error) {
    failure = error.what();
  }
  SetHint();
  if (AgentRunning && !Agent.Paused) ArmTimerNow();
  if (!failure.empty()) throw TRemoteRefusal(TRemoteRefusal::Reason::Failed, failure);
  return removed;
}

void TTesselForm1::RemoteShow() {
  const auto running = TAgentSession::AdmitRemote(Commands);
  if (AgentRunning) {
    Properties1Click(this);
    return;
  }
  showNormal();
  raise();
  activateWindow();
}

// As a termination request: the run ends with the silent save of FormDestroy, after the
// caller has had its answer.
void TTesselForm1::RemoteQuit() {
  const auto running = TAgentSession::AdmitRemote(Commands);
  Terminating = true;
  emit TerminateRequested();
}

TRemoteStatus TTesselForm1::RemoteStatus() const {
  return {Agent.LastImageNm, Agent.LastDispStr, AgentRunning, Agent.Paused};
}
