// A picture decoded ahead, on a thread of its own, for the first load that is expected to
// ask for it: the agent's start works out which picture its load selects from the
// configuration file and decodes it while the window is still being built.
#pragma once

#include <functional>
#include <future>
#include <optional>
#include <string>

#include "picture/DecodeScale.h"

// A picture to decode reduced for a wallpaper: LoadPictureFor(name, target).
struct TPictureRequest {
  std::string name;
  TDecodeTarget target;
};

class TPictureAhead {
 public:
  // On its own thread: predict, then LoadPictureFor of what it gave (nothing when it gave
  // nullopt or threw).
  explicit TPictureAhead(std::function<std::optional<TPictureRequest>()> predict);
  // Waits for the thread.
  ~TPictureAhead();
  TPictureAhead(const TPictureAhead&) = delete;
  TPictureAhead& operator=(const TPictureAhead&) = delete;

  // Once: LoadPictureFor(name, *target) when that is what was predicted, waiting for it,
  // with what it threw thrown again; nullopt when something else was predicted (a whole
  // picture, without a target, never is), and for every later call, without waiting for
  // the decode.
  std::optional<TScaledPicture> Take(const std::string& name, const std::optional<TDecodeTarget>& target);
  // Whether Take was called and the thread has ended, so nothing is left to wait for.
  bool Spent() const;

 private:
  std::promise<std::optional<TPictureRequest>> predicted_;
  std::shared_future<std::optional<TPictureRequest>> request_;
  bool taken_ = false;
  std::future<TScaledPicture> picture_;  // last: the thread ends before the promise goes
};
