#include "platform/MessageBoxes.h"
#include "platform/ProgramPath.h"
#include "shell/StartupEntry.h"
#include "widgets/FolderPath.h"
#include "window/Tessel.h"

void TTesselForm1::CreateShortcutClick(QObject*) {
  const std::string& program = ProgramPath();
  const std::string folder = CreateStartupEntry(program, FolderOf(program));
  Ask(StartupEntryMessage(folder), MsgKind::Information, MsgButtons::Ok);
}
