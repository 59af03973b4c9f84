#include "platform/system/ImageMemory.h"

#include <sys/mman.h>

#include <cstdint>
#include <limits>

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::size_t RoundUp(std::size_t bytes, std::size_t to) { return (bytes + to - 1) / to * to; }

struct TMapping {
  void* start;
  std::size_t length;
};

void Unmap(void* info) {
  auto* mapping = static_cast<TMapping*>(info);
  ::munmap(mapping->start, mapping->length);
  delete mapping;
}

// length bytes (a multiple of kHugePage) starting on a kHugePage boundary, or null. The map
// asks for one huge page more and gives back what lies before and after the boundary.
void* MapAligned(std::size_t length) {
  void* area = ::mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (area == MAP_FAILED) return nullptr;
  const auto address = reinterpret_cast<std::uintptr_t>(area);
  const std::uintptr_t aligned = RoundUp(address, kHugePage);
  if (aligned > address) ::munmap(area, aligned - address);
  if (const std::size_t after = kHugePage - (aligned - address))
    ::munmap(reinterpret_cast<void*>(aligned + length), after);
  void* start = reinterpret_cast<void*>(aligned);
  // Only a hint: where the kernel has no huge page to give, the memory comes in small pages.
  ::madvise(start, length, MADV_HUGEPAGE);
  return start;
}

}  // namespace

QImage AllocateImage(QSize size, QImage::Format format) {
  if (size.isEmpty() || format == QImage::Format_Invalid) return {};
  // QImage's own row length: whole 32-bit words.
  const auto bitsPerPixel = static_cast<std::uint64_t>(QImage::toPixelFormat(format).bitsPerPixel());
  const std::uint64_t bytesPerLine = (static_cast<std::uint64_t>(size.width()) * bitsPerPixel + 31) / 32 * 4;
  const auto height = static_cast<std::uint64_t>(size.height());
  // Past what memory can hold: no image.
  if (bytesPerLine > std::numeric_limits<std::uint32_t>::max() || height > std::numeric_limits<std::uint32_t>::max() ||
      bytesPerLine * height > std::numeric_limits<std::size_t>::max() - 2 * kHugePage)
    return {};
  const std::uint64_t bytes = bytesPerLine * height;
  if (bytes < kHugePage) return QImage(size, format);
  const std::size_t length = RoundUp(bytes, kHugePage);
  void* start = MapAligned(length);
  if (!start) return {};
  auto* mapping = new TMapping{start, length};
  QImage image(static_cast<uchar*>(start), size.width(), size.height(), static_cast<qsizetype>(bytesPerLine), format,
               &Unmap, mapping);
  // A null image was given no cleanup to run.
  if (image.isNull()) Unmap(mapping);
  return image;
}
