#include "agent/AgentFolders.h"

#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "agent/AgentView.h"
#include "agent/CommandGate.h"
#include "config/Settings.h"
#include "imagelist/FolderFile.h"
#include "imagelist/FolderPictures.h"
#include "imagelist/FolderShape.h"
#include "imagelist/ListEdits.h"
#include "platform/system/FolderWatch.h"
#include "wallpaper/CompositionCache.h"

namespace {

const QString kWatchIncompleteSummary = QStringLiteral("Tesserine cannot watch every folder");
// A listing that arrives while the list loads or a box is open waits this long and comes again.
constexpr int kListingRetryMs = 100;
// How many of a listing's files one turn of the event loop looks at: a folder of 100,000
// pictures joins in slices, so the window answers in between.
constexpr TJoinSlice kJoinSlice{4000};

bool FileIsThere(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

}  // namespace

QString WatchIncompleteText() {
  return QStringLiteral(
      "Some folders cannot be watched (too many folders for the system's watch limit, or a file system without "
      "change events): they are read again at each change of the wallpaper.");
}

TAgentFolders::TAgentFolders(const TSettings& settings, TImageList& list, TBigIniFile& ini, TCommandGate& commands,
                             IAgentView& view, TFolderSynced synced)
    : settings_(settings), list_(list), ini_(ini), commands_(commands), view_(view), synced_(std::move(synced)) {}

TAgentFolders::~TAgentFolders() = default;

bool TAgentFolders::WatchIncomplete() const { return watch_ && watch_->WatchIncomplete(); }

bool TAgentFolders::Listing() const { return watch_ && watch_->Busy(); }

bool TAgentFolders::Reading() const {
  return std::any_of(List().begin(), List().end(), [](const TWatchedFolder& folder) {
    return folder.state == FolderState::Reading || folder.joining != 0;
  });
}

void TAgentFolders::Load() {
  folders_ = LoadFolders(ini_);
  Watch();
}

void TAgentFolders::Save(TBigIniFile& ini) const { SaveFolders(ini, folders_); }

void TAgentFolders::Watch() {
  watch_ = std::make_unique<TFolderWatch>(FolderPictureVerdict);
  shapedFor_ = screenSize_ ? screenSize_() : QSize();
  watch_->SetShape(ListingShapeFor(shapedFor_));
  watch_->OnListing = [this](const std::shared_ptr<const TFolderListing>& listing) { Sync(listing, std::nullopt); };
  watch_->OnWatchIncomplete = [this] {
    view_.ShowFolders();
    if (watchIncompleteTold_) return;
    watchIncompleteTold_ = true;
    std::fprintf(stderr, "tesserine: %s\n", WatchIncompleteText().toUtf8().constData());
    view_.Notify(kWatchIncompleteSummary, WatchIncompleteText());
  };
  watch_->SetFolders(folders_.Requests());
  view_.ShowFolders();
}

void TAgentFolders::ScreenChanged() {
  const QSize screen = screenSize_ ? screenSize_() : QSize();
  if (!watch_ || screen == shapedFor_) return;
  shapedFor_ = screen;
  watch_->SetShape(ListingShapeFor(screen));
  watch_->RescanAll();
}

void TAgentFolders::RescanIfIncomplete() {
  if (WatchIncomplete()) watch_->RescanAll();
}

bool TAgentFolders::WaitToStart(std::function<void()> start) {
  if (!Reading()) return false;
  waitingStart_ = std::move(start);
  return true;
}

void TAgentFolders::Sync(const std::shared_ptr<const TFolderListing>& listing,
                         const std::optional<TJoinResume>& resume) {
  if (!commands_.Open()) {
    QTimer::singleShot(kListingRetryMs, &posts_, [this, listing, resume] { Sync(listing, resume); });
    return;
  }
  const bool hadCurrent = list_.FirstSelected() >= 0;
  const TFolderSyncResult result = resume ? ResumeFolderSync(list_, folders_, *listing, JoinRule(), *resume, kJoinSlice)
                                          : SyncFolder(list_, folders_, *listing, JoinRule(), FileIsThere, kJoinSlice);
  if (TWatchedFolder* folder = folders_.Find(listing->request.folder);
      !resume && folder && folder->state == FolderState::Watched && WatchIncomplete())
    folder->state = FolderState::Rescanned;
  Synced(*listing, result, hadCurrent);
  if (result.resume) QTimer::singleShot(0, &posts_, [this, listing, next = *result.resume] { Sync(listing, next); });
}

void TAgentFolders::Synced(const TFolderListing& listing, const TFolderSyncResult& result, bool hadCurrent) {
  if (result.Changed()) synced_(listing.request.folder, result, hadCurrent);
  view_.ShowFolders();
  if (waitingStart_ && !Reading()) {
    const std::function<void()> start = std::move(waitingStart_);
    waitingStart_ = nullptr;
    start();
  }
}

TJoinRule TAgentFolders::JoinRule() const { return {settings_.DefaultDisplay, settings_.RandomCycle()}; }

FolderAdded TAgentFolders::Add(const std::string& chosen) {
  const std::string folder = WatchableFolder(chosen);
  if (folder.empty()) return FolderAdded::Unwatchable;
  if (!folders_.Add(folder, true)) return FolderAdded::WatchedAlready;
  watch_->SetFolders(folders_.Requests());
  return FolderAdded::Added;
}

std::optional<TFolderRemoval> TAgentFolders::PlanRemoval(int row) const {
  if (row < 0 || row >= static_cast<int>(List().size())) return std::nullopt;
  TFolderRemoval removal{List()[row], folders_, 0};
  removal.remaining.Remove(removal.removed.folder);
  for (int i = 0; i < list_.Count(); ++i)
    removal.leaving += LeavesWithFolder(list_.At(i), removal.remaining, removal.removed) ? 1 : 0;
  return removal;
}

void TAgentFolders::Remove(TFolderRemoval removal) {
  folders_ = std::move(removal.remaining);
  watch_->SetFolders(folders_.Requests());
  RemoveWhere(list_,
              [this, &removal](const ImageEntry& entry) { return LeavesWithFolder(entry, folders_, removal.removed); });
}

bool TAgentFolders::SetSubfolders(int row, bool subfolders) {
  if (row < 0 || row >= static_cast<int>(List().size())) return false;
  if (!folders_.SetSubfolders(List()[row].folder, subfolders)) return false;
  watch_->SetFolders(folders_.Requests());
  return true;
}

void TAgentFolders::Exclude(const std::vector<std::string>& fileNames) {
  for (const std::string& name : fileNames) folders_.Exclude(name);
}

void TAgentFolders::Readmit(const std::vector<std::string>& fileNames) {
  for (const std::string& name : fileNames) folders_.Readmit(TrimName(name));
}
