// What the agent needs of the window that shows it: TAgent decides and changes the
// wallpaper, the list and its own state, and tells the view what to show. The properties
// window implements it; the agent's tests put a stand-in in its place.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "platform/dialogs/MessageBoxes.h"
#include "wallpaper/DispMethods.h"

class IAgentView {
 public:
  virtual ~IAgentView() = default;

  // The list's selection moved to index: the view shows it, scrolls to it and refreshes the
  // current entry (which loads its picture through TAgent::LoadCurrent).
  virtual void ShowSelection(int index) = 0;
  // The current entry's picture was loaded for a change: the view refreshes what it shows of
  // the entry (its size, its method, the tray's method items).
  virtual void ShowCurrent() = 0;
  // Entries' methods or marks changed, the rows staying the same.
  virtual void ShowEntries() = 0;
  // The entry at index left the list by a command and the one now at index is current.
  virtual void ShowRemoved(int index) = 0;
  // A watched folder's pictures joined or left the list; currentChanged when the list is on
  // another entry now.
  virtual void FoldersSynced(bool currentChanged) = 0;
  // The watched folders' states changed.
  virtual void ShowFolders() = 0;
  virtual void EnableResetMarked(bool enabled) = 0;
  // A setting or the list changed: the configuration differs from the file.
  virtual void Changed() = 0;

  virtual void ShowHint(const QString& hint, const QString& tip) = 0;
  virtual void ShowPreviousEnabled(bool enabled) = 0;
  virtual void ShowPauseState(const char* caption, bool paused) = 0;
  // What the agent says of itself where it has no tray: caption is the minimised window's.
  virtual void ShowAgentCaption(const QString& caption) = 0;
  // The window gives way to the agent: hidden behind the tray icon, or minimised without one.
  virtual void HideForAgent() = 0;
  // Apply, as the Images page's button does it (the agent's start applies a changed method).
  virtual void ApplyCurrent() = 0;
  // A command from outside asks for the window: the agent, if it runs, ends for it.
  virtual void ShowWindow() = 0;
  // A command from outside opens pictures: the window shows, as for ShowWindow, with them
  // added as the Add dialog adds them.
  virtual void OpenPictures(const std::vector<std::string>& files) = 0;
  // A command from outside ends the program, as a termination request does.
  virtual void Quit() = 0;

  // A question or a message that waits for the user.
  virtual MsgAnswer Ask(const QString& text, MsgKind kind, MsgButtons buttons) = 0;
  // A desktop notification, which waits for nothing.
  virtual void Notify(const QString& summary, const QString& body) = 0;

  // The Images page's display group: what a method of -1 is named after.
  virtual DispControls DisplayGroup() const = 0;
};
