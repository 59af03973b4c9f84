// The Folders page and the watched folders' part in the run: the folder watch lists each
// folder off the window's thread; each listing's joins and leaves go into the list and the
// stored configuration without touching the unsaved state, so neither the window nor the
// unattended agent ever asks about them.
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "imagelist/FolderFile.h"
#include "imagelist/FolderPictures.h"
#include "imagelist/FolderSync.h"
#include "imagelist/ListEdits.h"
#include "platform/desktop/DesktopWallpaper.h"
#include "platform/dialogs/AddDialog.h"
#include "window/ImageListModel.h"
#include "window/Tessel.h"

namespace {

const QString kWatchIncompleteSummary = QStringLiteral("Tesserine cannot watch every folder");
const QString kWatchIncomplete = QStringLiteral(
    "Some folders cannot be watched (too many folders for the system's watch limit, or a file system without "
    "change events): they are read again at each change of the wallpaper.");
// A listing that arrives while the list loads or a box is open waits this long and comes again.
constexpr int kListingRetryMs = 100;
// How many of a listing's files one turn of the event loop looks at: a folder of 100,000
// pictures joins in slices, so the window answers in between.
constexpr TJoinSlice kJoinSlice{4000};

QString StateText(FolderState state) {
  switch (state) {
    case FolderState::Reading:
      return QStringLiteral("Reading...");
    case FolderState::Watched:
      return QStringLiteral("Watched");
    case FolderState::Rescanned:
      return QStringLiteral("Read at each change");
    case FolderState::Unavailable:
      return QStringLiteral("Unavailable");
  }
  return {};
}

bool FileIsThere(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

}  // namespace

void TTesselForm1::WatchFolders() {
  FolderWatch = std::make_unique<TFolderWatch>(FolderPictureVerdict);
  FolderWatch->OnListing = [this](const std::shared_ptr<const TFolderListing>& listing) { FolderListed(listing); };
  FolderWatch->OnWatchIncomplete = [this] {
    ShowFolders();
    if (WatchIncompleteTold) return;
    WatchIncompleteTold = true;
    std::fprintf(stderr, "tesserine: %s\n", kWatchIncomplete.toUtf8().constData());
    Notify(kWatchIncompleteSummary, kWatchIncomplete);
  };
  FolderWatch->SetFolders(Folders.Requests());
  ShowFolders();
}

bool TTesselForm1::FoldersReading() const {
  return std::any_of(Folders.Folders().begin(), Folders.Folders().end(), [](const TWatchedFolder& folder) {
    return folder.state == FolderState::Reading || folder.joining != 0;
  });
}

void TTesselForm1::FolderListed(const std::shared_ptr<const TFolderListing>& listing) {
  if (!Commands.Open()) {
    QTimer::singleShot(kListingRetryMs, this, [this, listing] { FolderListed(listing); });
    return;
  }
  const bool hadCurrent = ImageList().FirstSelected() >= 0;
  const TFolderSyncResult result =
      SyncFolder(ImageList(), Folders, *listing, FolderJoinRule(), FileIsThere, kJoinSlice);
  if (TWatchedFolder* folder = Folders.Find(listing->request.folder);
      folder && folder->state == FolderState::Watched && FolderWatch->WatchIncomplete())
    folder->state = FolderState::Rescanned;
  FolderSynced(*listing, result, hadCurrent);
  if (result.resume)
    QTimer::singleShot(0, this, [this, listing, resume = *result.resume] { FolderJoinMore(listing, resume); });
}

void TTesselForm1::FolderJoinMore(const std::shared_ptr<const TFolderListing>& listing, const TJoinResume& resume) {
  if (!Commands.Open()) {
    QTimer::singleShot(kListingRetryMs, this, [this, listing, resume] { FolderJoinMore(listing, resume); });
    return;
  }
  const bool hadCurrent = ImageList().FirstSelected() >= 0;
  const TFolderSyncResult result =
      ResumeFolderSync(ImageList(), Folders, *listing, FolderJoinRule(), resume, kJoinSlice);
  FolderSynced(*listing, result, hadCurrent);
  if (result.resume)
    QTimer::singleShot(0, this, [this, listing, next = *result.resume] { FolderJoinMore(listing, next); });
}

// What a slice of a sync changed reaches the configuration, the window and the agent's
// waiting start.
void TTesselForm1::FolderSynced(const TFolderListing& listing, const TFolderSyncResult& result, bool hadCurrent) {
  if (result.Changed()) {
    const bool randomCycle = Agent.Order == DisplayOrder::RandomCycle;
    TImageList& list = ImageList();
    CycleRemaining = std::max(0, CycleRemaining + result.cycleDelta);
    StoreSync(
        *BigIni, listing.request.folder, result, [this](DispObj code) { return DispObjToStr(code); }, randomCycle);
    // A list that had no current entry starts on one as a loaded list does.
    if (!hadCurrent) SelectOnly(list, StartEntry(list, Services.desktop.GetValue("Wallpaper"), Agent.LastImageNm));
    ListChanged();
    if (result.currentLeft || !hadCurrent) {
      ItemSelectUpdt();
    } else {
      Count->setText(QString::number(list.Count()));
    }
    SetButtons();
    AnnounceStatus();
  }
  ShowFolders();
  if (AgentStartWaiting && !FoldersReading()) {
    QObject* sender = *AgentStartWaiting;
    AgentStartWaiting.reset();
    OKClick(sender);
  }
}

TJoinRule TTesselForm1::FolderJoinRule() const { return {DefDispObj(), Agent.Order == DisplayOrder::RandomCycle}; }

void TTesselForm1::ShowFolders() {
  const QSignalBlocker filling(FolderList);
  const int selected = FolderList->currentIndex().row();
  FolderList->clear();
  std::int32_t skipped = 0;
  for (const TWatchedFolder& folder : Folders.Folders()) {
    auto* item = new QTreeWidgetItem(FolderList);
    item->setText(0, QString::fromStdString(folder.folder));
    item->setToolTip(0, item->text(0));
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(1, folder.subfolders ? Qt::Checked : Qt::Unchecked);
    item->setText(2, StateText(folder.state));
    item->setText(3, folder.state == FolderState::Reading ? QString() : QString::number(folder.pictures));
    skipped += folder.skipped;
  }
  if (selected >= 0 && selected < FolderList->topLevelItemCount())
    FolderList->setCurrentItem(FolderList->topLevelItem(selected));
  RemoveFolder->setEnabled(!FolderList->selectedItems().isEmpty());
  FolderSkipped->setText(skipped == 0 ? QString()
                                      : QString("%1 names skipped: link loops, unreadable folders, names not in "
                                                "UTF-8 or holding \"=\" or a line break")
                                            .arg(skipped));
  FolderWatching->setText(FolderWatch && FolderWatch->WatchIncomplete() ? kWatchIncomplete : QString());
}

void TTesselForm1::AddFolderClick() {
  std::optional<std::string> chosen;
  {
    const auto dialogOpen = Commands.Hold();
    chosen = Services.addDialog.ChooseFolder(AddInitialDir);
  }
  if (!chosen || chosen->empty()) return;
  const std::string folder = WatchableFolder(*chosen);
  const QString shown = QString::fromStdString(*chosen);
  if (folder.empty()) {
    Ask(QString("\"%1\" cannot be watched: the configuration file cannot hold a folder name that contains \"=\" or "
                "a line break.")
            .arg(shown),
        MsgKind::Error, MsgButtons::Ok);
    return;
  }
  if (!Folders.Add(folder, true)) {
    Ask(QString("\"%1\" is watched already.").arg(shown), MsgKind::Information, MsgButtons::Ok);
    return;
  }
  FolderWatch->SetFolders(Folders.Requests());
  ShowFolders();
  Change(AddFolder);
}

void TTesselForm1::RemoveFolderClick() {
  const int row = FolderList->currentIndex().row();
  if (row < 0 || row >= static_cast<int>(Folders.Folders().size())) return;
  const TWatchedFolder removed = Folders.Folders()[row];
  TWatchedFolders remaining = Folders;
  remaining.Remove(removed.folder);
  const auto leaves = [&](const ImageEntry& entry) { return LeavesWithFolder(entry, remaining, removed); };
  int leaving = 0;
  for (int i = 0; i < ImageList().Count(); ++i) leaving += leaves(ImageList().At(i)) ? 1 : 0;
  const QString question =
      QString("Stop watching \"%1\"?\n\nIts %2 pictures leave the image list; the files stay in the folder.")
          .arg(QString::fromStdString(removed.folder))
          .arg(leaving);
  if (Ask(question, MsgKind::Confirmation, MsgButtons::YesNo) != MsgAnswer::Yes) return;
  Folders = std::move(remaining);
  FolderWatch->SetFolders(Folders.Requests());
  RemoveWhere(ImageList(), leaves);
  ListChanged();
  ItemSelectUpdt();
  ShowFolders();
  Change(RemoveFolder);
}

void TTesselForm1::FolderSubfoldersClick(int row, bool subfolders) {
  if (row < 0 || row >= static_cast<int>(Folders.Folders().size())) return;
  if (!Folders.SetSubfolders(Folders.Folders()[row].folder, subfolders)) return;
  FolderWatch->SetFolders(Folders.Requests());
  ShowFolders();
  Change(FolderList);
}

void TTesselForm1::ExcludeFromFolders(const std::vector<std::string>& fileNames) {
  for (const std::string& name : fileNames) Folders.Exclude(name);
}
