// The Folders page: the watched folders shown with their states, and the user's commands on
// them; the watch and the sync are the agent's (TAgentFolders).
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>

#include "agent/AgentFolders.h"
#include "imagelist/FolderRows.h"
#include "platform/dialogs/AddDialog.h"
#include "window/Tessel.h"

bool TTesselForm1::FoldersReading() const { return Agent().Folders().Reading(); }

void TTesselForm1::ShowFolders() {
  const QSignalBlocker filling(FolderList);
  const int selected = FolderList->currentIndex().row();
  FolderList->clear();
  const TAgentFolders& folders = AgentRun->Folders();
  for (const TFolderRow& row : FolderRows(folders.List())) {
    auto* item = new QTreeWidgetItem(FolderList);
    item->setText(0, QString::fromStdString(row.folder));
    item->setToolTip(0, item->text(0));
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(1, row.subfolders ? Qt::Checked : Qt::Unchecked);
    item->setText(2, QString::fromStdString(row.state));
    item->setText(3, QString::fromStdString(row.pictures));
  }
  FolderList->setCurrentItem(FolderList->topLevelItem(selected));
  RemoveFolder->setEnabled(!FolderList->selectedItems().isEmpty());
  FolderSkipped->setText(QString::fromStdString(SkippedNamesText(folders.List())));
  FolderWatching->setText(folders.WatchIncomplete() ? WatchIncompleteText() : QString());
}

void TTesselForm1::AddFolderClick() {
  std::optional<std::string> chosen;
  {
    const auto dialogOpen = AgentRun->Commands().Hold();
    chosen = Services.addDialog.ChooseFolder(Values.AddDialogFolder);
  }
  if (!chosen || chosen->empty()) return;
  const FolderAdded added = AgentRun->Folders().Add(*chosen);
  if (added != FolderAdded::Added) {
    // By FolderAdded.
    const std::pair<const char*, MsgKind> refusals[] = {
        {"", MsgKind::Information},
        {"\"%1\" cannot be watched: the configuration file cannot hold a folder name that contains \"=\" or a "
         "line break.",
         MsgKind::Error},
        {"\"%1\" is watched already.", MsgKind::Information}};
    const auto& [text, kind] = refusals[static_cast<int>(added)];
    Ask(QString(text).arg(QString::fromStdString(*chosen)), kind, MsgButtons::Ok);
    return;
  }
  ShowFolders();
  Change(AddFolder);
}

void TTesselForm1::RemoveFolderClick() {
  const std::optional<TFolderRemoval> removal = AgentRun->Folders().PlanRemoval(FolderList->currentIndex().row());
  if (!removal) return;
  const QString question =
      QString("Stop watching \"%1\"?\n\nIts %2 pictures leave the image list; the files stay in the folder.")
          .arg(QString::fromStdString(removal->removed.folder))
          .arg(removal->leaving);
  if (Ask(question, MsgKind::Confirmation, MsgButtons::YesNo) != MsgAnswer::Yes) return;
  AgentRun->Folders().Remove(*removal);
  ListChanged();
  ItemSelectUpdt();
  ShowFolders();
  Change(RemoveFolder);
}

void TTesselForm1::FolderSubfoldersClick(int row, bool subfolders) {
  if (!AgentRun->Folders().SetSubfolders(row, subfolders)) return;
  ShowFolders();
  Change(FolderList);
}
