// Shows a TImageList in ListView1: one column "File Name" with the entry's mark and display
// method as its icon (also as user roles). The list stays the one copy of the entries.
#pragma once

#include <QAbstractTableModel>
#include <QItemSelection>
#include <QPixmap>
#include <array>

#include "imagelist/ImageList.h"

class TImageListModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int DispRole = Qt::UserRole + 1;
  static constexpr int MarkRole = Qt::UserRole + 2;

  explicit TImageListModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  TImageList& List() { return list_; }
  const TImageList& List() const { return list_; }
  // Tells the views that the rows changed in any way.
  void Refresh();
  // Tells the views that entries' methods or marks changed, the rows staying the same.
  void EntriesChanged();
  // The list's selected rows as contiguous ranges.
  QItemSelection SelectionRanges() const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  // Mark picture then method picture, 32 x 16; drawn once per combination.
  const QPixmap& EntryIcon(DispObj disp, int mark) const;

  TImageList list_;
  // Indexed by (mark + 1) * (DispObjCount + 1) + (disp + 1).
  mutable std::array<QPixmap, 3 * (DispObjCount + 1)> icons_;
};
