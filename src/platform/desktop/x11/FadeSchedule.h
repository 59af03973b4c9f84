// How a fade on the X root advances, as plain arithmetic: the new picture's share of each
// frame from the time gone, and the time between frames from the monitors' refresh rates.
#pragma once

#include <chrono>
#include <vector>

// The new picture's share at elapsed into a fade of duration, as RENDER's 16-bit alpha: 0 at
// the start, rising evenly, 0xffff from duration on (and for a fade of no duration).
unsigned short FadeAlpha(std::chrono::milliseconds elapsed, std::chrono::milliseconds duration);

// One frame drawn over the frame before the last (the two frames take turns): the 8-bit mask
// (0 to 255) at which the new picture goes over a frame that holds the share held of it, to
// bring that share as near to alpha as the mask's steps allow, and the share it then holds.
struct FadeStep {
  int mask = 0;
  double held = 0;
  bool operator==(const FadeStep&) const = default;
};
FadeStep NextFadeStep(double held, unsigned short alpha);

// A RandR mode's refresh rate in frames a second; 0 when the mode does not tell (no dot clock
// or no totals, as virtual servers report).
double ModeRate(unsigned long dotClock, unsigned hTotal, unsigned vTotal, bool interlaced, bool doubleScan);

// The time between frames for the fastest of the monitors' rates, rounded up to whole
// milliseconds: never less than a sixtieth of a second, which is also the time when no rate is
// known.
std::chrono::milliseconds FrameInterval(const std::vector<double>& rates);
