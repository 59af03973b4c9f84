#include "platform/desktop/x11/FadeSchedule.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMostFramesPerSecond = 60;

}  // namespace

unsigned short FadeAlpha(std::chrono::milliseconds elapsed, std::chrono::milliseconds duration) {
  if (elapsed >= duration) return 0xffff;
  if (elapsed.count() <= 0) return 0;
  return static_cast<unsigned short>(elapsed.count() * 0xffff / duration.count());
}

// The frame becomes frame * (1 - m) + picture * m, so its share of the picture becomes
// 1 - (1 - held) * (1 - m).
FadeStep NextFadeStep(double held, unsigned short alpha) {
  const double wanted = alpha / 65535.0;
  if (held >= 1 || wanted <= held) return {0, held};
  const double share = (wanted - held) / (1 - held);
  const int mask = std::clamp(static_cast<int>(std::lround(share * 255)), 0, 255);
  return {mask, 1 - (1 - held) * (1 - mask / 255.0)};
}

double ModeRate(unsigned long dotClock, unsigned hTotal, unsigned vTotal, bool interlaced, bool doubleScan) {
  if (dotClock == 0 || hTotal == 0 || vTotal == 0) return 0;
  double rate = static_cast<double>(dotClock) / (static_cast<double>(hTotal) * vTotal);
  if (interlaced) rate *= 2;
  if (doubleScan) rate /= 2;
  return rate;
}

std::chrono::milliseconds FrameInterval(const std::vector<double>& rates) {
  double fastest = 0;
  for (const double rate : rates) fastest = std::max(fastest, rate);
  if (fastest <= 0 || fastest > kMostFramesPerSecond) fastest = kMostFramesPerSecond;
  return std::chrono::milliseconds(static_cast<long long>(std::ceil(1000.0 / fastest - 1e-9)));
}
