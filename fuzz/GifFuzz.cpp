// Fuzzes the GIF decoder on bytes in memory: any bytes either decode to at least one frame,
// every frame and the first-frame bitmap the size of the logical screen and within the size
// limit, or fail with one of the decoder's own errors.
#include <cstdint>

#include "FuzzWorkspace.h"
#include "picture/GifImage.h"
#include "picture/PictureErrors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const GifAnimation animation = DecodeGifBytes({reinterpret_cast<const char*>(data), size}, "input.gif");
    const QImage& first = animation.firstBitmap;
    FuzzRequire(!first.isNull() && first.format() == QImage::Format_RGB32, "the first frame is a 32-bit bitmap");
    FuzzRequire(std::int64_t{first.width()} * first.height() <= MaxPicturePixels, "the size limit holds");
    FuzzRequire(!animation.frames.empty(), "a decoded GIF has a frame");
    for (const GifFrame& frame : animation.frames) {
      FuzzRequire(frame.image.size() == first.size(), "every frame covers the logical screen");
      FuzzRequire(frame.image.format() == QImage::Format_ARGB32, "frames keep their transparency");
      FuzzRequire(frame.delayMs >= 0, "delays are not negative");
    }
  } catch (const TDecodeError&) {
  } catch (const TPictureTooLarge&) {
  } catch (const TPictureMemoryError&) {
  }
  return 0;
}
