// Whether the settings on screen differ from the configuration file, and what each way of
// closing the program does about it. The Save and Reload buttons show the state; nothing
// reads it back from them.
#pragma once

// The ways the program closes.
enum class ClosePath {
  Window,         // the window's own close command
  CloseButton,    // the Close button of the properties window
  TrayMenuClose,  // "Close" in the tray menu: the user leaves the agent
  SessionEnd,     // the session manager or a termination signal
  Exit,           // the program ends without any of the above having saved
};

enum class CloseSave { Skip, Ask, Save };

// What closing by path does with the settings. A running agent's own state (its last change,
// its marks) is always saved when the window closes; the session's end and the exit save
// silently unless a close already dealt with the settings.
CloseSave SaveOnClose(ClosePath path, bool unsaved, bool agentRunning, bool closeHandled);

class TUnsavedChanges {
 public:
  bool Unsaved() const { return unsaved_; }
  void Mark() { unsaved_ = true; }
  // The settings and the file agree: after a load or a save.
  void Clear() { unsaved_ = false; }

 private:
  bool unsaved_ = false;
};
