#include <QCoreApplication>

#include "platform/MessageBoxes.h"
#include "shell/StartupEntry.h"
#include "window/Tessel.h"

void TTesselForm1::CreateShortcutClick(QObject*) {
  const std::string folder = CreateStartupEntry(QCoreApplication::applicationFilePath().toStdString(),
                                                QCoreApplication::applicationDirPath().toStdString());
  Services.messages.Show(StartupEntryMessage(folder), MsgKind::Information, MsgButtons::Ok);
}
