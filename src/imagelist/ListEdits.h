// The edits of the image list that more than one command makes: the user's Add (from the
// Add dialog or the Image Explorer), Remove and the moves, the agent's choice of its next
// entry, and the configuration load. Each edits the list and its selection only; the window
// shows the result and marks the configuration as changed.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "imagelist/ImageList.h"

// Makes the entry at index the only selected one, with the focus; false when there is no
// such entry.
bool SelectOnly(TImageList& list, int index);

// Adds one file outside a batch, or selects its entry when the list has it: the entry's
// position, or nullopt when the name cannot be stored. A blank name adds nothing (-1).
std::optional<int> AddOrSelect(TImageList& list, const std::string& fileName, DispObj disp);

// The Add of several files as one batch: the selection is cleared, each new file is
// appended and selected, a file the list already has is selected once the batch ends, and
// the focus goes to the last file's entry.
class TAddBatch {
 public:
  explicit TAddBatch(TImageList& list);
  ~TAddBatch();
  TAddBatch(const TAddBatch&) = delete;
  TAddBatch& operator=(const TAddBatch&) = delete;

  // False when the name cannot be stored; a blank name is passed over.
  bool Add(const std::string& fileName, DispObj disp, bool last);
  // Adds every file, the last one focused at the end: the names that cannot be stored.
  std::vector<std::string> AddAll(const std::vector<std::string>& fileNames, DispObj disp);
  // Ends the batch (sorting once), selects the entries that were there already and focuses
  // the last file's; returns its position or -1. Called at most once; the destructor ends
  // an unfinished batch.
  int Finish();

 private:
  TImageList& list_;
  std::vector<std::string> existing_;
  std::string last_;
  bool open_ = true;
};

// Deletes the entry at index and selects the one that takes its place, or the new last one
// when it was the last: the selected position, or -1 when the list is now empty.
int RemoveAndReselect(TImageList& list, int index);

// Deletes every entry doomed names, in one pass. When the current entry is among them, the
// entry that takes its place (the new last one when it was last) becomes the only selected
// one; true then.
bool RemoveWhere(TImageList& list, const std::function<bool(const ImageEntry&)>& doomed);

// Deletes every selected entry: the selected position afterwards, as RemoveAndReselect.
int RemoveSelected(TImageList& list);

// Whether the entry at index can move by delta places and stay in the list.
bool CanMove(const TImageList& list, int index, int delta);

// Moves the entry at index by delta places and selects it there: its new position, or -1
// when it cannot move that far.
int MoveEntry(TImageList& list, int index, int delta);

// The entry a loaded list starts on: the desktop's wallpaper when it is in the list,
// otherwise the last image the agent applied, otherwise the first entry; -1 for an empty list.
int StartEntry(const TImageList& list, const std::optional<std::string>& wallpaper, const std::string& lastImage);

// Where a method is set: on the current entry, or on every selected one.
enum class MethodScope { Current, Selected };

// Sets method as scope says; false, with nothing set, when there is no current entry.
bool SetMethod(TImageList& list, DispObj method, MethodScope scope);
