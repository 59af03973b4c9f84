#include "widgets/ImageListModel.h"

#include <QPainter>

#include "imagelist/DarkPartner.h"
#include "widgets/ProgramIcons.h"

void TImageListModel::Refresh() {
  beginResetModel();
  endResetModel();
}

void TImageListModel::EntriesChanged() {
  if (list_.Count() > 0) emit dataChanged(index(0, 0), index(list_.Count() - 1, 0));
}

QItemSelection TImageListModel::SelectionRanges() const {
  QItemSelection selection;
  const int count = list_.Count();
  for (int i = 0; i < count; ++i) {
    if (!list_.Selected(i)) continue;
    int last = i;
    while (last + 1 < count && list_.Selected(last + 1)) ++last;
    selection.select(index(i, 0), index(last, 0));
    i = last;
  }
  return selection;
}

void TImageListModel::ShowSelection(QItemSelectionModel& selection) const {
  selection.select(SelectionRanges(), QItemSelectionModel::ClearAndSelect);
  const int focused = list_.Focused();
  if (focused >= 0 && focused < list_.Count())
    selection.setCurrentIndex(index(focused, 0), QItemSelectionModel::NoUpdate);
}

void TImageListModel::TakeSelection(const QItemSelectionModel& selection, TImageList& list) {
  list.ClearSelection();
  for (const QItemSelectionRange& range : selection.selection())
    for (int row = range.top(); row <= range.bottom(); ++row)
      if (row < list.Count()) list.SetSelected(row, true);
  list.SetFocused(selection.currentIndex().isValid() ? selection.currentIndex().row() : -1);
}

int TImageListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : list_.Count(); }

int TImageListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 1; }

QVariant TImageListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= list_.Count()) return {};
  const ImageEntry& entry = list_.At(index.row());
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromStdString(entry.fileName + PartnerMark(entry));
    case Qt::ToolTipRole:
      return QString::fromStdString(entry.dark.empty() ? entry.fileName
                                                       : entry.fileName + "\nDark picture: " + entry.dark);
    case Qt::DecorationRole:
      return EntryIcon(entry.disp, entry.mark);
    case DispRole:
      return ToInt(entry.disp);
    case MarkRole:
      return entry.mark;
    default:
      return {};
  }
}

const QPixmap& TImageListModel::EntryIcon(DispObj disp, int mark) const {
  const int dispSlot = ToInt(disp) >= 0 && ToInt(disp) < DispObjCount ? ToInt(disp) + 1 : 0;
  const int markSlot = mark == 0 || mark == 1 ? mark + 1 : 0;
  QPixmap& icon = icons_[markSlot * (DispObjCount + 1) + dispSlot];
  if (icon.isNull()) {
    QImage image(32, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.drawImage(0, 0, DrawMarkIcon(mark));
    painter.drawImage(16, 0, DrawDispMethodIcon(disp, 16));
    painter.end();
    icon = QPixmap::fromImage(image);
  }
  return icon;
}

QVariant TImageListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && section == 0 && role == Qt::DisplayRole) return QStringLiteral("File Name");
  return {};
}
