// Fuzzes the Windows bitmap reader: any bytes either read as a 32-bit picture within the size
// limit, which the writer then stores and the reader gives back pixel for pixel, or fail
// with "Bitmap image is not valid" or a size error.
#include <cstdint>

#include "FuzzWorkspace.h"
#include "picture/BmpFile.h"
#include "picture/PictureErrors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzWorkspace& workspace = FuzzWorkspace::Get();
  const std::string path = workspace.Write("input.bmp", data, size);
  QImage picture;
  try {
    picture = ReadBmp(path);
  } catch (const TInvalidBitmap&) {
    return 0;
  } catch (const TPictureTooLarge&) {
    return 0;
  } catch (const TPictureMemoryError&) {
    return 0;
  }
  FuzzRequire(!picture.isNull() && picture.format() == QImage::Format_RGB32, "a bitmap reads as a 32-bit picture");
  FuzzRequire(std::int64_t{picture.width()} * picture.height() <= MaxPicturePixels, "the size limit holds");
  const std::string copy = workspace.Folder() + "copy.bmp";
  WriteBmp(picture, copy);
  FuzzRequire(ReadBmp(copy) == picture, "a written bitmap reads back unchanged");
  return 0;
}
