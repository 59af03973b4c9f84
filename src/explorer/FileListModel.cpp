#include "explorer/FileListModel.h"

#include <QApplication>
#include <QMimeData>
#include <QPixmap>
#include <QStyle>
#include <QUrl>

namespace {

QIcon PictureIcon() {
  static const QIcon icon =
      QIcon::fromTheme("image-x-generic", QApplication::style()->standardIcon(QStyle::SP_FileIcon));
  return icon;
}

}  // namespace

void TFileListModel::SetEntries(std::vector<TFileEntry> entries) {
  beginResetModel();
  rows_.clear();
  rows_.reserve(entries.size());
  for (TFileEntry& entry : entries) {
    const ThumbnailState state = entry.folder ? ThumbnailState::None : ThumbnailState::Pending;
    rows_.push_back({std::move(entry), state, {}});
  }
  endResetModel();
}

int TFileListModel::RowOf(const QString& name) const {
  for (std::size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i].entry.name == name) return static_cast<int>(i);
  return -1;
}

void TFileListModel::SetThumbnail(int row, const QImage& thumbnail) {
  if (row < 0 || row >= rowCount()) return;
  Row& target = rows_[static_cast<std::size_t>(row)];
  target.state = thumbnail.isNull() ? ThumbnailState::Failed : ThumbnailState::Shown;
  target.thumbnail = thumbnail.isNull() ? QIcon() : QIcon(QPixmap::fromImage(thumbnail));
  const QModelIndex changed = index(row);
  emit dataChanged(changed, changed, {Qt::DecorationRole, ThumbnailStateRole});
}

int TFileListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant TFileListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const Row& row = rows_[static_cast<std::size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole:
      return row.entry.name;
    case Qt::ToolTipRole:
      return row.entry.target.isEmpty() ? row.entry.path : row.entry.path + " -> " + row.entry.target;
    case Qt::DecorationRole:
      if (row.entry.folder) return QApplication::style()->standardIcon(QStyle::SP_DirIcon);
      return row.state == ThumbnailState::Shown ? row.thumbnail : PictureIcon();
    case ThumbnailStateRole:
      return static_cast<int>(row.state);
    default:
      return {};
  }
}

Qt::ItemFlags TFileListModel::flags(const QModelIndex& index) const {
  return QAbstractListModel::flags(index) | (index.isValid() ? Qt::ItemIsDragEnabled : Qt::NoItemFlags);
}

QStringList TFileListModel::mimeTypes() const { return {QStringLiteral("text/uri-list")}; }

QMimeData* TFileListModel::mimeData(const QModelIndexList& indexes) const {
  QList<QUrl> urls;
  for (const QModelIndex& index : indexes)
    if (index.isValid()) urls << QUrl::fromLocalFile(Entry(index.row()).path);
  auto* data = new QMimeData;
  data->setUrls(urls);
  return data;
}
