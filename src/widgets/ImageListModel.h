// Shows a TImageList in ListView1: one column "File Name" with the entry's mark and display
// method as its icon (also as user roles), and after the name the dark partner's, where it
// has one. The list, which the window owns, stays the one copy
// of the entries and of the selection; this is only the view's adaptor over it.
#pragma once

#include <QAbstractTableModel>
#include <QItemSelection>
#include <QItemSelectionModel>
#include <QPixmap>
#include <array>

#include "imagelist/ImageList.h"

class TImageListModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int DispRole = Qt::UserRole + 1;
  static constexpr int MarkRole = Qt::UserRole + 2;

  explicit TImageListModel(const TImageList& list, QObject* parent = nullptr)
      : QAbstractTableModel(parent), list_(list) {}

  // Tells the views that the rows changed in any way.
  void Refresh();
  // Tells the views that entries' methods or marks changed, the rows staying the same.
  void EntriesChanged();
  // The list's selected rows as contiguous ranges.
  QItemSelection SelectionRanges() const;
  // Shows the list's selection and focus in a view's selection.
  void ShowSelection(QItemSelectionModel& selection) const;
  // The list takes the selection and the focus a view's selection holds.
  static void TakeSelection(const QItemSelectionModel& selection, TImageList& list);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  // Mark picture then method picture, 32 x 16; drawn once per combination.
  const QPixmap& EntryIcon(DispObj disp, int mark) const;

  const TImageList& list_;
  // Indexed by (mark + 1) * (DispObjCount + 1) + (disp + 1).
  mutable std::array<QPixmap, 3 * (DispObjCount + 1)> icons_;
};
