#include "widgets/TFileListViewDlg.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "explorer/FolderReader.h"
#include "widgets/FolderPath.h"

namespace {
constexpr int kIconSize = 32;
// Changes in a folder being filled come in bursts; one read follows the burst.
constexpr int kChangeSettleMs = 300;
}  // namespace

TFileListViewDlg::TFileListViewDlg(QWidget* parent) : QListView(parent), directory_(QDir::homePath()) {
  readPool_.setMaxThreadCount(1);
  thumbnails_.SetIconSize(kIconSize);
  setModel(&model_);
  setViewMode(QListView::ListMode);
  setIconSize(QSize(kIconSize, kIconSize));
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setDragEnabled(true);
  setDragDropMode(QAbstractItemView::DragOnly);
  changedLater_.setSingleShot(true);
  changedLater_.setInterval(kChangeSettleMs);
  connect(&changedLater_, &QTimer::timeout, this, &TFileListViewDlg::Reread);
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { changedLater_.start(); });
  connect(&thumbnails_, &TThumbnailLoader::Ready, this, &TFileListViewDlg::ShowThumbnail);
  // A click moves the current item before it selects it; the selection is what counts.
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &TFileListViewDlg::Change);
  connect(this, &QListView::activated, this, &TFileListViewDlg::Open);
}

TFileListViewDlg::~TFileListViewDlg() {
  ++readGeneration_;
  readPool_.waitForDone();
}

void TFileListViewDlg::SetDirectory(const QString& folder) {
  directory_ = ExistingFolder(folder == "DESKTOP" ? DesktopFolder() : folder);
  keepName_.clear();
  StartRead();
}

void TFileListViewDlg::UpOneLevel() { SetDirectory(ParentFolder(directory_)); }

void TFileListViewDlg::Reread() {
  const QModelIndex chosen = ChosenIndex();
  keepName_ = chosen.isValid() ? model_.Entry(chosen.row()).name : QString();
  StartRead();
}

void TFileListViewDlg::SetReadEnabled(bool enabled) {
  readEnabled_ = enabled;
  if (enabled && readPending_) StartRead();
}

void TFileListViewDlg::SetMask(const QString& mask) {
  mask_ = mask;
  keepName_.clear();
  StartRead();
}

QString TFileListViewDlg::SelectedFileName() const {
  const QModelIndex chosen = ChosenIndex();
  if (!chosen.isValid()) return {};
  const TFileEntry& entry = model_.Entry(chosen.row());
  return resolveLink_ && !entry.target.isEmpty() ? entry.target : entry.path;
}

bool TFileListViewDlg::SelectName(const QString& name) {
  const int row = model_.RowOf(name);
  if (row < 0) return false;
  setCurrentIndex(model_.index(row));
  return true;
}

QModelIndex TFileListViewDlg::ChosenIndex() const { return selectionModel()->selectedIndexes().value(0); }

void TFileListViewDlg::WaitForRead() {
  readPool_.waitForDone();
  QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void TFileListViewDlg::StartRead() {
  thumbnails_.Cancel();
  pendingThumbnails_ = 0;
  if (!readEnabled_) {
    readPending_ = true;
    model_.SetEntries({});
    return;
  }
  readPending_ = false;
  directory_ = ExistingFolder(directory_);
  Watch();
  const quint64 generation = ++readGeneration_;
  readPool_.start([this, generation, folder = directory_, wildcards = SplitMask(mask_)] {
    std::vector<TFileEntry> entries = ReadFolder(folder, wildcards);
    QMetaObject::invokeMethod(
        this,
        [this, generation, entries = std::move(entries)]() mutable { ShowEntries(generation, std::move(entries)); },
        Qt::QueuedConnection);
  });
}

void TFileListViewDlg::ShowEntries(quint64 generation, std::vector<TFileEntry> entries) {
  if (generation != readGeneration_) return;
  model_.SetEntries(std::move(entries));
  pendingThumbnails_ = 0;
  for (int row = 0; row < model_.rowCount(); ++row) {
    const TFileEntry& entry = model_.Entry(row);
    if (entry.folder) continue;
    thumbnails_.Request(row, entry.target.isEmpty() ? entry.path : entry.target);
    ++pendingThumbnails_;
  }
  const int keep = keepName_.isEmpty() ? -1 : model_.RowOf(keepName_);
  keepName_.clear();
  if (keep >= 0) setCurrentIndex(model_.index(keep));
  emit Change();
  emit DirectoryRead();
  if (pendingThumbnails_ == 0) emit ThumbnailsDone();
}

void TFileListViewDlg::ShowThumbnail(int row, const QImage& thumbnail) {
  model_.SetThumbnail(row, thumbnail);
  if (--pendingThumbnails_ == 0) emit ThumbnailsDone();
}

void TFileListViewDlg::Open(const QModelIndex& index) {
  if (!index.isValid() || !model_.Entry(index.row()).folder) return;
  SetDirectory(model_.Entry(index.row()).path);
}

void TFileListViewDlg::Watch() {
  const QStringList watched = watcher_.directories();
  if (watched == QStringList{directory_}) return;
  if (!watched.isEmpty()) watcher_.removePaths(watched);
  watcher_.addPath(directory_);
}
