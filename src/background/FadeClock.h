// When tesserine-background draws the frames of a fade: the new picture's weight from the
// time gone, and how long a frame callback waits so that no more than 60 frames a second are
// drawn.
#pragma once

#include <chrono>

using FadeTime = std::chrono::steady_clock::time_point;

inline constexpr std::chrono::microseconds kShortestFrame{16667};

// 0 at the start, kFullWeight (256) from duration on and for a fade of no duration.
unsigned FadeWeight(std::chrono::microseconds elapsed, std::chrono::milliseconds duration);

// How long after now the next frame may be drawn, the last one having been drawn at last.
std::chrono::microseconds FrameWait(FadeTime last, FadeTime now);
