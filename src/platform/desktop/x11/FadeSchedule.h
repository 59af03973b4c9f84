// How a fade on the X root advances, as plain arithmetic: the new picture's share of each
// frame from the time gone, and the time between frames from the monitors' refresh rates.
#pragma once

#include <chrono>
#include <vector>

// The new picture's share at elapsed into a fade of duration, as RENDER's 16-bit alpha: 0 at
// the start, rising evenly, 0xffff from duration on (and for a fade of no duration).
unsigned short FadeAlpha(std::chrono::milliseconds elapsed, std::chrono::milliseconds duration);

// A RandR mode's refresh rate in frames a second; 0 when the mode does not tell (no dot clock
// or no totals, as virtual servers report).
double ModeRate(unsigned long dotClock, unsigned hTotal, unsigned vTotal, bool interlaced, bool doubleScan);

// The time between frames for the fastest of the monitors' rates, rounded up to whole
// milliseconds: never less than a sixtieth of a second, which is also the time when no rate is
// known.
std::chrono::milliseconds FrameInterval(const std::vector<double>& rates);
