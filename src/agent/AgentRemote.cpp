#include "agent/AgentRemote.h"

#include "agent/Agent.h"

void TAgentRemote::RemoteNext() {
  const auto running = TAgentSession::AdmitRemote(agent_.Commands());
  Change([this] { agent_.NextBackground(); });
}

void TAgentRemote::RemotePrevious() {
  const auto running = TAgentSession::AdmitRemote(agent_.Commands());
  bool wentBack = false;
  Change([this, &wentBack] { wentBack = agent_.PreviousBackground(); });
  if (!wentBack) throw TRemoteRefusal(TRemoteRefusal::Reason::Failed, "There is no earlier wallpaper to go back to");
}

void TAgentRemote::Change(const std::function<void()>& change) {
  if (const std::string failure = Changed(change); !failure.empty())
    throw TRemoteRefusal(TRemoteRefusal::Reason::Failed, failure);
}

std::string TAgentRemote::Changed(const std::function<void()>& change) {
  const bool agentRunning = agent_.Running();
  const std::string failure = agent_.Run(agentRunning ? FailureRoute::Notice : FailureRoute::Caller, change);
  if (agentRunning) agent_.ArmTimerNow();
  return failure;
}

// A picture that joined stays in the list, and in the file, when the desktop refuses it.
void TAgentRemote::RemoteSet(const std::string& file) {
  const auto running = TAgentSession::AdmitRemote(agent_.Commands());
  const bool joined = agent_.TakePicture(file);
  const std::string failure = Changed([this] { agent_.UpdtBackground(); });
  const std::vector<std::string> stored = joined ? std::vector<std::string>{file} : std::vector<std::string>();
  const std::string unstored = agent_.Run(FailureRoute::Caller, [this, &stored] { agent_.StoreJoined(stored); });
  if (!failure.empty() || !unstored.empty())
    throw TRemoteRefusal(TRemoteRefusal::Reason::Failed, failure.empty() ? unstored : failure);
}

std::vector<std::string> TAgentRemote::RemoteAdd(const std::vector<std::string>& paths) {
  const auto running = TAgentSession::AdmitRemote(agent_.Commands());
  return agent_.AddPaths(paths);
}

void TAgentRemote::RemotePause() { SetPaused(true); }

void TAgentRemote::RemoteResume() { SetPaused(false); }

void TAgentRemote::RemoteTogglePause() { SetPaused(!agent_.State().Paused); }

void TAgentRemote::SetPaused(bool paused) {
  const auto running = TAgentSession::AdmitRemote(agent_.Commands());
  agent_.SetPaused(paused);
}

bool TAgentRemote::RemoteRemoveCurrent() {
  const auto running = TAgentSession::AdmitRemote(agent_.Commands());
  if (agent_.Running()) agent_.Timer().stop();
  bool removed = false;
  const std::string failure =
      agent_.Run(FailureRoute::Caller, [this, &removed] { removed = agent_.RemoveCurrentEntry(); });
  agent_.SetHint();
  if (agent_.Running() && !agent_.State().Paused) agent_.ArmTimerNow();
  if (!failure.empty()) throw TRemoteRefusal(TRemoteRefusal::Reason::Failed, failure);
  return removed;
}

void TAgentRemote::RemoteOpen(const std::vector<std::string>& files) {
  const auto running = TAgentSession::AdmitRemote(agent_.Commands());
  view_.OpenPictures(files);
}

void TAgentRemote::RemoteShow() {
  const auto running = TAgentSession::AdmitRemote(agent_.Commands());
  view_.ShowWindow();
}

// As a termination request: the run ends with the silent save of the window's end, after the
// caller has had its answer.
void TAgentRemote::RemoteQuit() {
  const auto running = TAgentSession::AdmitRemote(agent_.Commands());
  view_.Quit();
}

TRemoteStatus TAgentRemote::RemoteStatus() const { return agent_.Status(); }
