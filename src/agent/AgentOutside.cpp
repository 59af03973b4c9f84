// Pictures named from outside the window (the command line's --set and --add, over the
// session bus): they join the list as the Add dialog and "Add Folder..." add them, and what
// joins is written into the configuration file at once, line by line, so that it outlives a
// run that ends without a save and leaves the window's unsaved settings unwritten.
#include <QFile>
#include <QFileInfo>

#include "agent/Agent.h"
#include "agent/AgentFolders.h"
#include "agent/StartPicture.h"
#include "config/BigIni.h"
#include "config/ConfigKeys.h"
#include "config/ConfigValues.h"
#include "imagelist/FolderFile.h"
#include "imagelist/PictureRefusal.h"
#include "imagelist/WatchedFolders.h"

namespace {

QFileInfo InfoOf(const std::string& path) { return QFileInfo(QFile::decodeName(QByteArray::fromStdString(path))); }

TRemoteRefusal Refused(const std::string& path, const std::string& why) {
  return TRemoteRefusal(TRemoteRefusal::Reason::Failed, path + ": " + why);
}

}  // namespace

bool TAgent::TakePicture(const std::string& file) {
  if (const std::string why = PictureRefusal(file); !why.empty()) throw Refused(file, why);
  int index = list_.Find(file);
  // The picture is decoded as the change will want it (the entry's method, or the default
  // one for a picture that joins), so a file that decodes to nothing is refused before the
  // list changes, and the change finds it decoded.
  DispObj disp = index >= 0 ? list_.At(index).disp : settings_.DefaultDisplay;
  if (ToInt(disp) < 0) disp = ReadObjDisp(file, std::string()).disp;
  const ApplyRequest request{file, disp, settings_.PlusInstalled, convertFileName_, world_.screen.ScreenSize()};
  try {
    pictures_.Load(file, running_ || unseen_
                             ? HiddenAgentDecodeTarget(request, settings_.Monitors, world_.screen.Monitors(),
                                                       world_.desktop.DrawsFromMemory())
                             : std::nullopt);
  } catch (const std::exception& error) {
    pictures_.Clear();
    throw Refused(file, error.what());
  }
  if (pictures_.SourceBitmap().isNull()) {
    pictures_.Clear();
    throw Refused(file, "the picture decodes to nothing");
  }
  const bool joins = index < 0;
  if (joins) {
    folders_->Readmit({file});
    index = list_.Append({file, settings_.DefaultDisplay, settings_.RandomCycle() ? 0 : -1});
    if (settings_.RandomCycle()) ++cycleRemaining_;
  }
  SelectEntry(index);
  return joins;
}

std::vector<std::string> TAgent::AddPaths(const std::vector<std::string>& paths) {
  std::vector<std::string> refused;
  std::vector<std::string> joined;
  bool foldersAdded = false;
  const bool hadCurrent = list_.FirstSelected() >= 0;
  for (const std::string& path : paths) {
    if (InfoOf(path).isDir()) {
      const FolderAdded added = folders_->Add(path);
      if (added == FolderAdded::Unwatchable)
        refused.push_back(path +
                          ": the configuration file cannot hold a folder name that contains \"=\" or a "
                          "line break");
      if (added != FolderAdded::Added) continue;
      StoreAddedFolder(ini_, WatchableFolder(path));
      foldersAdded = true;
      continue;
    }
    if (const std::string why = PictureRefusal(path); !why.empty()) {
      refused.push_back(path + ": " + why);
      continue;
    }
    if (list_.Contains(path)) continue;
    folders_->Readmit({path});
    list_.Append({path, settings_.DefaultDisplay, settings_.RandomCycle() ? 0 : -1});
    if (settings_.RandomCycle()) ++cycleRemaining_;
    joined.push_back(path);
  }
  if (!joined.empty()) {
    // A list that had no current entry starts on one as a loaded list does.
    if (!hadCurrent) SelectOnly(list_, StartEntry(list_, world_.desktop.GetValue("Wallpaper"), state_.LastImageNm));
    view_.FoldersSynced(!hadCurrent);
  }
  if (foldersAdded) view_.ShowFolders();
  const std::string failure = Run(FailureRoute::Caller, [this, &joined] { StoreJoined(joined); });
  if (!failure.empty()) refused.push_back(failure);
  return refused;
}

void TAgent::StoreJoined(const std::vector<std::string>& fileNames) {
  for (const std::string& name : fileNames)
    if (const int index = list_.Find(name); index >= 0)
      ini_.WriteString(
          BitmapsSection, name,
          EncodeBitmapsValue(MethodText(list_.At(index).disp), list_.At(index).mark, settings_.RandomCycle()));
  ini_.UpdateFile();
}
