#include "imagelist/ListEdits.h"

#include <algorithm>

#include "imagelist/StorableName.h"
#include "wallpaper/CompositionCache.h"

bool SelectOnly(TImageList& list, int index) {
  if (index < 0 || index >= list.Count()) return false;
  list.ClearSelection();
  list.SetSelected(index, true);
  list.SetFocused(index);
  return true;
}

std::optional<int> AddOrSelect(TImageList& list, const std::string& fileName, DispObj disp) {
  const std::string name = TrimName(fileName);
  if (name.empty()) return -1;
  if (!IsStorableName(name)) return std::nullopt;
  int index = list.Find(name);
  if (index < 0) index = list.Append({name, disp, -1});
  list.SetSelected(index, true);
  return index;
}

TAddBatch::TAddBatch(TImageList& list) : list_(list) {
  list_.BeginUpdate();
  list_.ClearSelection();
}

TAddBatch::~TAddBatch() {
  if (open_) list_.EndUpdate();
}

bool TAddBatch::Add(const std::string& fileName, DispObj disp, bool last) {
  const std::string name = TrimName(fileName);
  if (name.empty()) return true;
  if (!IsStorableName(name)) return false;
  // Inside the batch the list is not sorted yet, so existing entries are selected in one
  // pass when it ends.
  if (list_.Contains(name))
    existing_.push_back(name);
  else
    list_.SetSelected(list_.Append({name, disp, -1}), true);
  if (last) last_ = name;
  return true;
}

std::vector<std::string> TAddBatch::AddAll(const std::vector<std::string>& fileNames, DispObj disp) {
  std::vector<std::string> refused;
  for (std::size_t i = 0; i < fileNames.size(); ++i)
    if (!Add(fileNames[i], disp, i + 1 == fileNames.size())) refused.push_back(fileNames[i]);
  return refused;
}

int TAddBatch::Finish() {
  open_ = false;
  list_.EndUpdate();
  list_.SelectNames(existing_);
  const int last = list_.Find(last_);
  if (last >= 0) list_.SetFocused(last);
  return last;
}

int RemoveAndReselect(TImageList& list, int index) {
  if (index < 0 || index >= list.Count()) return -1;
  list.Delete(index);
  if (index == list.Count()) --index;
  if (list.Count() == 0) return -1;
  list.SetSelected(index, true);
  list.SetFocused(index);
  return index;
}

bool RemoveWhere(TImageList& list, const std::function<bool(const ImageEntry&)>& doomed) {
  const int current = list.FirstSelected();
  int place = current;
  bool currentLeft = false;
  list.DeleteIf([&](int i, const ImageEntry& entry) {
    if (!doomed(entry)) return false;
    if (i < current) --place;
    if (i == current) currentLeft = true;
    return true;
  });
  if (currentLeft && list.SelCount() == 0) SelectOnly(list, std::min(place, list.Count() - 1));
  return currentLeft;
}

int RemoveSelected(TImageList& list) {
  const int first = list.FirstSelected();
  if (first < 0) return -1;
  if (list.SelCount() > 1) list.DeleteSelectedExcept(first);
  return RemoveAndReselect(list, list.FirstSelected());
}

bool CanMove(const TImageList& list, int index, int delta) {
  const int target = index + delta;
  return index >= 0 && index < list.Count() && target >= 0 && target < list.Count();
}

int MoveEntry(TImageList& list, int index, int delta) {
  if (!CanMove(list, index, delta)) return -1;
  const int target = index + delta;
  const ImageEntry entry = list.At(index);
  list.Delete(index);
  list.Insert(target, entry);
  list.SetSelected(target, true);
  list.SetFocused(target);
  return target;
}

int StartEntry(const TImageList& list, const std::optional<std::string>& wallpaper, const std::string& lastImage) {
  int chosen = wallpaper ? list.Find(*wallpaper) : -1;
  if (chosen < 0) chosen = list.Find(lastImage);
  if (chosen < 0 && list.Count() > 0) chosen = 0;
  return chosen;
}

bool SetMethod(TImageList& list, DispObj method, MethodScope scope) {
  const int current = list.FirstSelected();
  if (current < 0) return false;
  for (int i = current; i < list.Count(); ++i)
    if (i == current || (scope == MethodScope::Selected && list.Selected(i))) list.SetDisp(i, method);
  return true;
}
