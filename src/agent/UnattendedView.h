// The agent's view in a run with no window (one command of the command line): nothing is
// shown, what must be said goes to the standard error, and a question gets the answer of a
// run nobody watches. The commands that need a window are refused.
#pragma once

#include <functional>

#include "agent/AgentView.h"

class TUnattendedView final : public IAgentView {
 public:
  // messages: where the questions and messages go. quit: ends the run.
  TUnattendedView(IMessageBoxes& messages, std::function<void()> quit) : messages_(messages), quit_(std::move(quit)) {}

  void ShowSelection(int) override {}
  void ShowCurrent() override {}
  void ShowEntries() override {}
  void ShowRemoved(int) override {}
  void FoldersSynced(bool) override {}
  void ShowFolders() override {}
  void EnableResetMarked(bool) override {}
  void Changed() override {}
  void ShowHint(const QString&, const QString&) override {}
  void ShowPreviousEnabled(bool) override {}
  void ShowPauseState(const char*, bool) override {}
  void ShowAgentCaption(const QString&) override {}
  void HideForAgent() override {}
  // Throw std::logic_error: only an agent's start applies through the view, and this run
  // starts none.
  void ApplyCurrent() override;
  // Throw TRemoteRefusal (Failed): there is no window to show.
  void ShowWindow() override;
  void OpenPictures(const std::vector<std::string>& files) override;
  void Quit() override { quit_(); }

  MsgAnswer Ask(const QString& text, MsgKind kind, MsgButtons buttons) override {
    return messages_.Show(text, kind, buttons);
  }
  // On the standard error, as "tesserine: summary: body".
  void Notify(const QString& summary, const QString& body) override;
  // No method is chosen in a display group.
  DispControls DisplayGroup() const override { return {}; }

 private:
  IMessageBoxes& messages_;
  std::function<void()> quit_;
};
