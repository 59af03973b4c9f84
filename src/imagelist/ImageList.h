// The image list: the ordered entries the wallpaper rotates through, each with its display
// method and random-cycle mark, plus which entries are selected and which one has focus.
//
// Data flow: the configuration load appends entries inside a batch; the list operations of
// the main window edit it through this class; TImageListModel shows it in ListView1 and
// hands the user's selection back. With sorting on, entries stand in locale-aware order of
// their file names: a single insertion goes to its sorted place at once, a batch is sorted
// once when it ends. File names are compared for uniqueness case-insensitively.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "wallpaper/DispMethods.h"

struct ImageEntry {
  std::string fileName;
  DispObj disp = DispObj::None;
  // 1 shown in the current random cycle, 0 not shown, -1 no mark state yet.
  std::int32_t mark = -1;
  // The dark partner: the picture shown in the entry's place while the desktop is dark;
  // empty without one. It is no entry of its own and goes with its entry.
  std::string dark{};
};

class TImageList {
 public:
  int Count() const { return static_cast<int>(rows_.size()); }
  const ImageEntry& At(int i) const { return rows_[i].entry; }
  void SetDisp(int i, DispObj disp) { rows_[i].entry.disp = disp; }
  void SetMark(int i, std::int32_t mark) { rows_[i].entry.mark = mark; }
  void SetDark(int i, std::string dark) { rows_[i].entry.dark = std::move(dark); }
  // The entry at i takes another file name and keeps the rest (method, mark, partner,
  // selection, focus); a sorted list moves it to its sorted place. Its new position.
  int Rename(int i, std::string fileName);

  bool Sorted() const { return sorted_; }
  // Turning sorting on sorts at once; turning it off keeps the current order.
  void SetSorted(bool sorted);

  // Inside a batch, appended entries stay at the end; EndUpdate sorts once (the entries
  // that came in the batch, merged into the ones already in order). Nests.
  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return updateDepth_ > 0; }

  void Clear();
  void Reserve(int count);
  // Appends (or, sorted and outside a batch, inserts at the sorted place); returns the position.
  int Append(ImageEntry entry);
  // Inserts at pos (0..Count()); a sorted list then moves the entry to its sorted place.
  int Insert(int pos, ImageEntry entry);
  void Delete(int i);
  // Deletes every selected entry except the one at keep, in one pass.
  void DeleteSelectedExcept(int keep);
  // Deletes every entry doomed(position, entry) names, in one pass; positions are the ones
  // before the deletion.
  void DeleteIf(const std::function<bool(int, const ImageEntry&)>& doomed);

  // Position of the first entry whose name equals name case-insensitively, or -1.
  int Find(std::string_view name) const;
  bool Contains(std::string_view name) const;

  bool Selected(int i) const { return rows_[i].selected; }
  void SetSelected(int i, bool selected);
  void ClearSelection();
  int SelCount() const { return selCount_; }
  // The current entry: the first selected one in list order, or -1.
  int FirstSelected() const;
  int Focused() const { return focused_; }
  void SetFocused(int i) { focused_ = i; }
  // Selects every entry whose name is in names (case-insensitive) in one pass.
  void SelectNames(const std::vector<std::string>& names);

  // The case-insensitive key of a file name.
  static std::string FoldKey(std::string_view name);

 private:
  struct Row {
    ImageEntry entry;
    bool selected = false;
  };
  void SortRows();
  int SortedPlace(const std::string& name) const;
  void IndexAdd(const std::string& name);
  void IndexRemove(const std::string& name);

  std::vector<Row> rows_;
  std::unordered_map<std::string, int> nameCount_;
  bool sorted_ = true;
  bool sortPending_ = false;
  // How many leading rows stand in sorted order: the rest came in a batch or while sorting
  // was off.
  std::size_t sortedHead_ = 0;
  int updateDepth_ = 0;
  int selCount_ = 0;
  int focused_ = -1;
};
