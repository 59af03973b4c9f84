#include "background/FadeClock.h"

#include "background/Blend.h"

unsigned FadeWeight(std::chrono::microseconds elapsed, std::chrono::milliseconds duration) {
  const std::chrono::microseconds total = duration;
  if (elapsed >= total) return kFullWeight;
  if (elapsed.count() <= 0) return 0;
  return static_cast<unsigned>(elapsed.count() * kFullWeight / total.count());
}

std::chrono::microseconds FrameWait(FadeTime last, FadeTime now) {
  const auto gone = std::chrono::duration_cast<std::chrono::microseconds>(now - last);
  return gone >= kShortestFrame ? std::chrono::microseconds(0) : kShortestFrame - gone;
}
