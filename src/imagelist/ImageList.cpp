#include "imagelist/ImageList.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

namespace {

bool CollateLess(const std::string& a, const std::string& b) { return std::strcoll(a.c_str(), b.c_str()) < 0; }

std::string CollateKey(const std::string& name) {
  const std::size_t size = std::strxfrm(nullptr, name.c_str(), 0);
  std::string key(size, '\0');
  std::strxfrm(key.data(), name.c_str(), size + 1);
  return key;
}

}  // namespace

std::string TImageList::FoldKey(std::string_view name) {
  const bool ascii = std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii) {
    std::string key(name);
    for (char& c : key)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return key;
  }
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).toCaseFolded().toStdString();
}

void TImageList::IndexAdd(const std::string& name) { ++nameCount_[FoldKey(name)]; }

void TImageList::IndexRemove(const std::string& name) {
  const auto it = nameCount_.find(FoldKey(name));
  if (it != nameCount_.end() && --it->second == 0) nameCount_.erase(it);
}

void TImageList::SetSorted(bool sorted) {
  sorted_ = sorted;
  sortedHead_ = 0;
  if (sorted_) SortRows();
}

void TImageList::BeginUpdate() { ++updateDepth_; }

void TImageList::EndUpdate() {
  if (updateDepth_ > 0 && --updateDepth_ == 0 && sortPending_) SortRows();
}

void TImageList::SortRows() {
  sortPending_ = false;
  if (updateDepth_ > 0) {
    sortPending_ = true;
    return;
  }
  const std::size_t head = std::min(sortedHead_, rows_.size());
  const std::size_t tail = rows_.size() - head;
  // The rows out of order are sorted by their collation keys; they are then merged into
  // the sorted head by binary search, unless so many came that sorting everything costs less.
  const bool merge = head > 0 && static_cast<double>(tail) * std::log2(static_cast<double>(head) + 1) <
                                     static_cast<double>(head + tail);
  const std::size_t from = merge ? head : 0;
  std::vector<std::string> keys;
  keys.reserve(rows_.size() - from);
  for (std::size_t i = from; i < rows_.size(); ++i) keys.push_back(CollateKey(rows_[i].entry.fileName));
  std::vector<int> sortedTail(keys.size());
  std::iota(sortedTail.begin(), sortedTail.end(), 0);
  std::stable_sort(sortedTail.begin(), sortedTail.end(), [&keys](int a, int b) { return keys[a] < keys[b]; });
  std::vector<int> order;
  order.reserve(rows_.size());
  int placed = 0;
  for (const int t : sortedTail) {
    const int row = static_cast<int>(from) + t;
    if (merge) {
      const auto place = std::upper_bound(
          rows_.begin() + placed, rows_.begin() + static_cast<std::ptrdiff_t>(head), rows_[row].entry.fileName,
          [](const std::string& name, const Row& other) { return CollateLess(name, other.entry.fileName); });
      while (placed < place - rows_.begin()) order.push_back(placed++);
    }
    order.push_back(row);
  }
  if (merge)
    while (placed < static_cast<int>(head)) order.push_back(placed++);
  const int focusedRow = focused_;
  std::vector<Row> sortedRows;
  sortedRows.reserve(rows_.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (order[i] == focusedRow) focused_ = static_cast<int>(i);
    sortedRows.push_back(std::move(rows_[order[i]]));
  }
  rows_ = std::move(sortedRows);
  sortedHead_ = rows_.size();
}

int TImageList::SortedPlace(const std::string& name) const {
  const auto it = std::upper_bound(rows_.begin(), rows_.end(), name, [](const std::string& n, const Row& row) {
    return CollateLess(n, row.entry.fileName);
  });
  return static_cast<int>(it - rows_.begin());
}

void TImageList::Clear() {
  rows_.clear();
  nameCount_.clear();
  selCount_ = 0;
  focused_ = -1;
  sortPending_ = false;
  sortedHead_ = 0;
}

void TImageList::Reserve(int count) {
  rows_.reserve(static_cast<std::size_t>(std::max(count, 0)));
  nameCount_.reserve(static_cast<std::size_t>(std::max(count, 0)));
}

int TImageList::Append(ImageEntry entry) { return Insert(Count(), std::move(entry)); }

int TImageList::Insert(int pos, ImageEntry entry) {
  pos = std::clamp(pos, 0, Count());
  if (sorted_) {
    if (updateDepth_ > 0) {
      sortPending_ = true;
    } else {
      pos = SortedPlace(entry.fileName);
    }
  }
  IndexAdd(entry.fileName);
  rows_.insert(rows_.begin() + pos, Row{std::move(entry), false});
  // An entry at its sorted place keeps the head in order; anywhere else it ends the head.
  if (sorted_ && updateDepth_ == 0 && static_cast<std::size_t>(pos) <= sortedHead_)
    ++sortedHead_;
  else
    sortedHead_ = std::min(sortedHead_, static_cast<std::size_t>(pos));
  if (focused_ >= pos) ++focused_;
  return pos;
}

void TImageList::Delete(int i) {
  if (i < 0 || i >= Count()) return;
  if (rows_[i].selected) --selCount_;
  IndexRemove(rows_[i].entry.fileName);
  rows_.erase(rows_.begin() + i);
  if (static_cast<std::size_t>(i) < sortedHead_) --sortedHead_;
  if (focused_ == i)
    focused_ = -1;
  else if (focused_ > i)
    --focused_;
}

int TImageList::Rename(int i, std::string fileName) {
  const bool selected = rows_[i].selected;
  const bool focused = focused_ == i;
  ImageEntry entry = std::move(rows_[i].entry);
  entry.fileName = std::move(fileName);
  Delete(i);
  const int pos = Insert(i, std::move(entry));
  if (selected) SetSelected(pos, true);
  if (focused) focused_ = pos;
  return pos;
}

void TImageList::DeleteSelectedExcept(int keep) {
  DeleteIf([this, keep](int i, const ImageEntry&) { return rows_[i].selected && i != keep; });
}

void TImageList::DeleteIf(const std::function<bool(int, const ImageEntry&)>& doomed) {
  std::vector<Row> kept;
  kept.reserve(rows_.size());
  int newFocus = -1;
  std::size_t keptHead = 0;
  for (int i = 0; i < Count(); ++i) {
    if (doomed(i, rows_[i].entry)) {
      IndexRemove(rows_[i].entry.fileName);
      if (rows_[i].selected) --selCount_;
      continue;
    }
    if (static_cast<std::size_t>(i) < sortedHead_) ++keptHead;
    if (i == focused_) newFocus = static_cast<int>(kept.size());
    kept.push_back(std::move(rows_[i]));
  }
  rows_ = std::move(kept);
  focused_ = newFocus;
  sortedHead_ = keptHead;
}

bool TImageList::Contains(std::string_view name) const { return nameCount_.count(FoldKey(name)) > 0; }

int TImageList::Find(std::string_view name) const {
  const std::string key = FoldKey(name);
  if (nameCount_.count(key) == 0) return -1;
  for (int i = 0; i < Count(); ++i)
    if (FoldKey(rows_[i].entry.fileName) == key) return i;
  return -1;
}

void TImageList::SetSelected(int i, bool selected) {
  if (rows_[i].selected == selected) return;
  rows_[i].selected = selected;
  selCount_ += selected ? 1 : -1;
}

void TImageList::ClearSelection() {
  if (selCount_ == 0) return;
  for (Row& row : rows_) row.selected = false;
  selCount_ = 0;
}

int TImageList::FirstSelected() const {
  if (selCount_ == 0) return -1;
  for (int i = 0; i < Count(); ++i)
    if (rows_[i].selected) return i;
  return -1;
}

void TImageList::SelectNames(const std::vector<std::string>& names) {
  if (names.empty()) return;
  std::unordered_map<std::string, bool> wanted;
  for (const std::string& name : names) wanted.emplace(FoldKey(name), true);
  for (int i = 0; i < Count(); ++i)
    if (wanted.count(FoldKey(rows_[i].entry.fileName))) SetSelected(i, true);
}
