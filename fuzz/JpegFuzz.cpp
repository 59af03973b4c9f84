// Fuzzes the JPEG decoder on bytes in memory: any bytes either decode to a 32-bit picture
// within the size limit or fail with one of the decoder's own errors.
#include <cstdint>

#include "FuzzWorkspace.h"
#include "picture/JpegDecoder.h"
#include "picture/PictureErrors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const QImage picture = DecodeJpegBytes({reinterpret_cast<const char*>(data), size}, "input.jpg");
    FuzzRequire(!picture.isNull() && picture.format() == QImage::Format_RGB32, "a decoded JPEG is a 32-bit picture");
    FuzzRequire(std::int64_t{picture.width()} * picture.height() <= MaxPicturePixels, "the size limit holds");
  } catch (const TDecodeError&) {
  } catch (const TPictureTooLarge&) {
  } catch (const TPictureMemoryError&) {
  }
  return 0;
}
