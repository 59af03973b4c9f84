#include "background/Blend.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "background/FadeClock.h"

namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

TEST(BlendPixels, EachChannelWeightedAndTheEndsExact) {
  struct Row {
    std::uint32_t from;
    std::uint32_t to;
    unsigned weight;
    std::uint32_t out;
  };
  const Row rows[] = {
      {0xFFFF0000, 0xFF0000FF, 0, 0xFFFF0000},   {0xFFFF0000, 0xFF0000FF, 256, 0xFF0000FF},
      {0xFFFF0000, 0xFF0000FF, 128, 0xFF7F007F}, {0xFFFF0000, 0xFF0000FF, 64, 0xFFBF003F},
      {0x00000000, 0x00FFFFFF, 1, 0x00000000},   {0x00000000, 0x00FFFFFF, 255, 0x00FEFEFE},
      {0x00123456, 0x00123456, 77, 0x00123456},  {0x00FFFFFF, 0x00FFFFFF, 200, 0x00FFFFFF},
      {0x00102030, 0x00F0E0D0, 256, 0x00F0E0D0}, {0x00102030, 0x00F0E0D0, 999, 0x00F0E0D0},
  };
  for (const Row& row : rows) {
    std::uint32_t out = 0;
    BlendPixels(&row.from, &row.to, &out, 1, row.weight);
    EXPECT_EQ(out, row.out) << std::hex << row.from << " " << row.to << " " << std::dec << row.weight;
  }
}

// A long row is done the same way as one pixel at a time, whatever the compiler made of it.
TEST(BlendPixels, ALongRowMatchesPixelByPixelAndMayBlendInPlace) {
  std::vector<std::uint32_t> from(1001);
  std::vector<std::uint32_t> to(1001);
  for (std::size_t i = 0; i < from.size(); ++i) {
    from[i] = static_cast<std::uint32_t>(i * 2654435761u);
    to[i] = static_cast<std::uint32_t>(i * 40503u + 17);
  }
  std::vector<std::uint32_t> whole(from.size());
  BlendPixels(from.data(), to.data(), whole.data(), whole.size(), 100);
  for (std::size_t i = 0; i < from.size(); ++i) {
    std::uint32_t one = 0;
    BlendPixels(&from[i], &to[i], &one, 1, 100);
    ASSERT_EQ(whole[i], one) << i;
  }
  BlendPixels(from.data(), to.data(), from.data(), from.size(), 100);
  EXPECT_EQ(from, whole);
}

TEST(StretchPixels, RepeatsOrDropsPixelsAsTheRootsStretchDoes) {
  // 3 x 2 pixels numbered by place.
  const std::uint32_t source[] = {0, 1, 2, 10, 11, 12};
  struct Row {
    int width;
    int height;
    std::vector<std::uint32_t> out;
  };
  const Row rows[] = {
      {3, 2, {0, 1, 2, 10, 11, 12}},
      {6, 1, {0, 0, 1, 1, 2, 2}},
      {1, 2, {0, 10}},
      {2, 4, {0, 1, 0, 1, 10, 11, 10, 11}},
  };
  for (const Row& row : rows) {
    std::vector<std::uint32_t> out(row.out.size());
    StretchPixels(source, 3, 2, 3, out.data(), row.width, row.height, static_cast<std::size_t>(row.width));
    EXPECT_EQ(out, row.out) << row.width << "x" << row.height;
  }
}

TEST(FadeWeight, RisesEvenlyToTheWholeWeightAtTheEnd) {
  struct Row {
    long long elapsedUs;
    int durationMs;
    unsigned weight;
  };
  const Row rows[] = {
      {0, 500, 0},        {-10, 500, 0},      {1953, 500, 0},     {1954, 500, 1}, {250000, 500, 128},
      {499999, 500, 255}, {500000, 500, 256}, {900000, 500, 256}, {0, 0, 256},    {5000000, 10000, 128},
  };
  for (const Row& row : rows)
    EXPECT_EQ(FadeWeight(microseconds(row.elapsedUs), milliseconds(row.durationMs)), row.weight)
        << row.elapsedUs << " us of " << row.durationMs << " ms";
}

TEST(FrameWait, NoMoreThanSixtyFramesASecond) {
  const FadeTime last{std::chrono::seconds(100)};
  struct Row {
    long long sinceUs;
    long long waitUs;
  };
  const Row rows[] = {{0, 16667}, {1000, 15667}, {16666, 1}, {16667, 0}, {40000, 0}};
  for (const Row& row : rows)
    EXPECT_EQ(FrameWait(last, last + microseconds(row.sinceUs)), microseconds(row.waitUs)) << row.sinceUs;
}

}  // namespace
