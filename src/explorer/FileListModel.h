// The rows of the file list: one folder's entries with their icons. Folders show the
// folder icon; files a generic picture icon until their thumbnail arrives, and for good
// when the file gives no picture.
#pragma once

#include <QAbstractListModel>
#include <QIcon>
#include <vector>

#include "explorer/FolderReader.h"

enum class ThumbnailState { None, Pending, Shown, Failed };

class TFileListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  // data() answers with a ThumbnailState (as int) for this role.
  static constexpr int ThumbnailStateRole = Qt::UserRole + 1;

  using QAbstractListModel::QAbstractListModel;

  void SetEntries(std::vector<TFileEntry> entries);
  const TFileEntry& Entry(int row) const { return rows_[static_cast<std::size_t>(row)].entry; }
  // The row of the entry called name (exact), or -1.
  int RowOf(const QString& name) const;
  // A null thumbnail marks the row as giving no picture.
  void SetThumbnail(int row, const QImage& thumbnail);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QModelIndexList& indexes) const override;

 private:
  struct Row {
    TFileEntry entry;
    ThumbnailState state = ThumbnailState::None;
    QIcon thumbnail;
  };
  std::vector<Row> rows_;
};
