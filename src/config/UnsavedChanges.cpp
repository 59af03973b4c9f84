#include "config/UnsavedChanges.h"

CloseSave SaveOnClose(ClosePath path, bool unsaved, bool agentRunning, bool closeHandled) {
  switch (path) {
    case ClosePath::Window:
      if (agentRunning) return CloseSave::Save;
      return unsaved ? CloseSave::Ask : CloseSave::Skip;
    case ClosePath::CloseButton:
      return unsaved ? CloseSave::Ask : CloseSave::Skip;
    case ClosePath::TrayMenuClose:
      return unsaved ? CloseSave::Save : CloseSave::Skip;
    case ClosePath::SessionEnd:
    case ClosePath::Exit:
      break;
  }
  return closeHandled ? CloseSave::Skip : CloseSave::Save;
}
