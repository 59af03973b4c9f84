#include "platform/system/ImageMemory.h"

#include <gtest/gtest.h>

#include <QColor>
#include <cstdint>
#include <fstream>
#include <string>

namespace {

constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;

// This process's mapped memory in kB, from /proc.
long MappedKilobytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmSize:", 0) == 0) return std::stol(line.substr(7));
  return -1;
}

TEST(AllocateImage, GivesTheImageQImageWouldWithLargeOnesOnAHugePageBoundary) {
  const struct {
    QSize size;
    QImage::Format format;
    bool ownMemory;
  } cases[] = {
      {{8, 8}, QImage::Format_RGB32, false},        {{1023, 511}, QImage::Format_RGB32, false},  // just under 2 MiB
      {{1024, 512}, QImage::Format_RGB32, true},                                                 // 2 MiB exactly
      {{1920, 1080}, QImage::Format_RGB32, true},   {{1921, 1081}, QImage::Format_ARGB32, true},
      {{1367, 2000}, QImage::Format_RGB888, true},  // rows padded to whole words
      {{4001, 700}, QImage::Format_Indexed8, true},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(std::to_string(row.size.width()) + "x" + std::to_string(row.size.height()));
    const QImage qt(row.size, row.format);
    QImage image = AllocateImage(row.size, row.format);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), row.size);
    EXPECT_EQ(image.format(), row.format);
    EXPECT_EQ(image.bytesPerLine(), qt.bytesPerLine());
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(image.constBits()) % kHugePage == 0, row.ownMemory);
    // Every row can be written and read back, the last byte of the last row too.
    image.fill(0);
    image.scanLine(row.size.height() - 1)[image.bytesPerLine() - 1] = 0x5A;
    EXPECT_EQ(image.constScanLine(row.size.height() - 1)[image.bytesPerLine() - 1], 0x5A);
  }
}

TEST(AllocateImage, CopiesShareTheMemoryUntilOneIsWrittenAndTheLastFreesIt) {
  QImage image = AllocateImage({1920, 1080}, QImage::Format_RGB32);
  image.fill(Qt::red);
  QImage copy = image;
  EXPECT_EQ(copy.constBits(), image.constBits());
  copy.setPixel(0, 0, qRgb(0, 0, 255));
  EXPECT_NE(copy.constBits(), image.constBits());
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(copy.pixel(0, 0), qRgb(0, 0, 255));

  // Only the pictures' own memory here: a copy that is written gets the allocator's, which a
  // sanitizer's quarantine keeps for a while.
  const long before = MappedKilobytes();
  for (int i = 0; i < 200; ++i) {
    QImage picture = AllocateImage({1920, 1080}, QImage::Format_RGB32);
    picture.fill(Qt::green);
    const QImage shared = picture;
    EXPECT_EQ(shared.pixel(1919, 1079), qRgb(0, 255, 0));
  }
  // 200 pictures of 8 MB left mapped would be 1.6 GB.
  EXPECT_LT(MappedKilobytes() - before, 100 * 1024);
}

TEST(AllocateImage, NoImageForAnEmptyOrImpossibleSize) {
  EXPECT_TRUE(AllocateImage({0, 10}, QImage::Format_RGB32).isNull());
  EXPECT_TRUE(AllocateImage({10, -1}, QImage::Format_RGB32).isNull());
  EXPECT_TRUE(AllocateImage({10, 10}, QImage::Format_Invalid).isNull());
  // 2^31 x 2^31 pixels: more than any memory.
  EXPECT_TRUE(AllocateImage({0x7FFFFFFF, 0x7FFFFFFF}, QImage::Format_RGB32).isNull());
}

}  // namespace
