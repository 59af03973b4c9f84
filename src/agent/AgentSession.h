// The agent's session: what the agent decides while it runs, apart from the window that
// shows it. It reads and writes the agent's state (TAgentState): whether a change it made by
// itself failed (told once per run of failures, taken back by the next success), how it
// starts, what a click on its tray icon does, the tray's tip, and which commands from
// outside it lets through.
#pragma once

#include <QString>
#include <string>

#include "agent/AgentState.h"
#include "agent/CommandGate.h"
#include "config/ConfigValues.h"
#include "imagelist/ImageList.h"
#include "platform/session/RemoteControl.h"

// What the agent does first when it starts.
struct TAgentStart {
  enum class Step {
    None,          // the current entry is the last one applied, with the same method
    SelectLast,    // go back to the entry last applied (index)
    ApplyCurrent,  // the current entry is the last one applied, but its method changed since
  };
  Step step = Step::None;
  int index = -1;
};

// What a click on the tray icon does.
enum class TrayCommand { None, Menu, Properties, NextImage, RemoveImage, PauseResume };

class TAgentSession {
 public:
  explicit TAgentSession(TAgentState& state) : state_(state) {}

  // A change the agent made by itself failed for why: true when this begins a run of
  // failures, the one time the user is told.
  bool ChangeFailed(const std::string& why);
  // A change succeeded: true when it ends a run of failures, whose notice then goes.
  bool ChangeSucceeded();

  // currentDispText: the text code of the current entry's method.
  TAgentStart Start(const TImageList& list, const std::string& currentDispText) const;
  // The entries a random cycle still has to show when the agent starts: those marked 0.
  static std::int32_t CycleRemainingAtStart(const TImageList& list);

  // What a click does: the left button the settings' action, any other the menu.
  static TrayCommand TrayClick(TrayClickAction action, bool leftButton);

  // The text of the tray menu's image item: the file name of what the desktop shows and its
  // method. Ours (the last entry applied, or any monitor's converted bitmap) is named as
  // that entry; another program's wallpaper by the desktop's own values.
  std::string TrayHint(const std::string& wallpaper, const std::string& tileWallpaper,
                       const std::string& programFolder) const;
  // The tray's tip: the failure while changes fail, otherwise the hint up to its first "|",
  // at most 63 characters (never half a character).
  QString TrayTip(const QString& hint) const;
  // The minimised window's caption while the agent runs without a tray.
  QString NoTrayCaption() const;

  // A command from outside that finds a question, a menu or the configuration load in
  // progress is refused as busy rather than queued behind it; one let through closes the
  // gate until it is done.
  [[nodiscard]] static auto AdmitRemote(TCommandGate& commands) {
    if (!commands.Open()) throw TRemoteRefusal(TRemoteRefusal::Reason::Busy, "busy");
    return commands.Hold();
  }
  // Pausing and resuming need the running agent.
  static void RequireRunning(bool agentRunning);

 private:
  TAgentState& state_;
};
