#include "platform/MessageBoxes.h"
#include "platform/ProgramPath.h"
#include "shell/StartupEntry.h"
#include "window/Tessel.h"

void TTesselForm1::CreateShortcutClick(QObject*) {
  const std::string& program = ProgramPath();
  const std::string folder = CreateStartupEntry(program, program.substr(0, program.rfind('/')));
  Ask(StartupEntryMessage(folder), MsgKind::Information, MsgButtons::Ok);
}
