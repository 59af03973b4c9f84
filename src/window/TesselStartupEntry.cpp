#include "autostart/AutostartDesktops.h"
#include "autostart/StartupEntry.h"
#include "platform/dialogs/MessageBoxes.h"
#include "platform/system/PathParts.h"
#include "platform/system/ProgramPath.h"
#include "window/Tessel.h"

void TTesselForm1::CreateShortcutClick(QObject*) {
  const std::string& program = ProgramPath();
  const std::string folder = CreateStartupEntry(program, FolderOf(program));
  Ask(StartupEntryMessage(folder, IgnoresStartupFolder(CurrentAutostartEnvironment())), MsgKind::Information,
      MsgButtons::Ok);
}
