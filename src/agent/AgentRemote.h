// Commands from outside the window (a keyboard shortcut, a script, a status bar), as the
// tray's menu gives them, except that an error goes back to the caller instead of into a box:
// nobody may be at the screen. A command that finds a question, a menu or the configuration
// load in progress is refused as busy rather than queued behind it. The control service on
// the session bus calls this.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/session/RemoteControl.h"

class IAgentView;
class TAgent;

class TAgentRemote final : public IRemoteControl {
 public:
  TAgentRemote(TAgent& agent, IAgentView& view) : agent_(agent), view_(view) {}

  void RemoteNext() override;
  void RemotePrevious() override;
  void RemotePause() override;
  void RemoteResume() override;
  void RemoteTogglePause() override;
  bool RemoteRemoveCurrent() override;
  void RemoteShow() override;
  void RemoteQuit() override;
  void RemoteSet(const std::string& file) override;
  std::vector<std::string> RemoteAdd(const std::vector<std::string>& paths) override;
  void RemoteOpen(const std::vector<std::string>& files) override;
  TRemoteStatus RemoteStatus() const override;

 private:
  // With the agent running, a failure is told as its own changes' are; without it, only the
  // caller hears of it, and the agent's timer stays off.
  void Change(const std::function<void()>& change);
  // As Change, returning why it failed (empty when it did not).
  std::string Changed(const std::function<void()>& change);
  void SetPaused(bool paused);

  TAgent& agent_;
  IAgentView& view_;
};
