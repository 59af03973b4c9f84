// The way back: the wallpapers shown, most recent last, and where the user stands among them.
// Going back steps to an earlier change; Next after going back walks forward through the
// changes shown before, as a browser's back and forward do, and only then does the display
// order pick a new entry. A change made anew drops the changes ahead of the position.
//
// A change is the picture of every monitor, the primary's first. A change whose picture is
// no longer usable (its file gone, its entry out of the list) is passed over.
//
// Kept in a file of its own, one change a line: "=" for the change shown, "-" for the others,
// then each monitor's file, separated by tabs.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

using THistoryStep = std::vector<std::string>;
using TUsablePicture = std::function<bool(const std::string& file)>;

class TChangeHistory {
 public:
  static constexpr std::size_t kLimit = 100;

  // A change made anew: the changes ahead of the position go, the oldest beyond the limit
  // too. A change that cannot be kept (no file, a name with a tab or a line break) leaves
  // the history as it was.
  void Record(const THistoryStep& step);
  // The usable change before the position, which becomes the position; nothing when there
  // is none, and the position stays.
  std::optional<THistoryStep> Back(const TUsablePicture& usable);
  // The usable change after the position, likewise.
  std::optional<THistoryStep> Forward(const TUsablePicture& usable);
  bool CanGoBack(const TUsablePicture& usable) const;

  std::size_t Size() const { return steps_.size(); }
  std::string Text() const;
  // Reads the text Text wrote; lines it does not understand are passed over.
  static TChangeHistory FromText(const std::string& text);

  // The file beside the configuration file: its name with ".history" for its extension.
  static std::string FileNameFor(const std::string& configFileName);
  // A history that cannot be read starts empty; one that cannot be written costs the way
  // back only: both return false and leave the change alone.
  bool LoadFrom(const std::string& path);
  bool SaveTo(const std::string& path) const;

 private:
  std::optional<std::size_t> Usable(std::size_t from, int direction, const TUsablePicture& usable) const;

  std::vector<THistoryStep> steps_;
  std::size_t position_ = 0;  // meaningful while steps_ is not empty
};
