// Fuzzes the PNG decoder on bytes in memory: any bytes either decode to a 32-bit picture
// within the size limit or fail with one of the decoder's own errors. The decodes for a
// centred and for a stretched target end as the whole decode does: with its middle, exactly
// the area average of it, or the same error.
#include <cstdint>
#include <string>

#include "FuzzWorkspace.h"
#include "picture/AreaAverage.h"
#include "picture/PictureErrors.h"
#include "picture/PngDecoder.h"

namespace {

// The whole decode's message, or "" when it decoded.
std::string Decode(std::string_view bytes, const std::optional<TDecodeTarget>& target, TScaledPicture& decoded) {
  try {
    decoded = DecodePngBytes(bytes, "input.png", target);
    return {};
  } catch (const TDecodeError& error) {
    return std::string("decode: ") + error.what();
  } catch (const TPictureTooLarge& error) {
    return std::string("too large: ") + error.what();
  } catch (const TPictureMemoryError& error) {
    return std::string("memory: ") + error.what();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzWorkspace::Get();
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TScaledPicture whole;
  const std::string failure = Decode(bytes, std::nullopt, whole);
  const TDecodeTarget centred{{13, 7}, false, DecodeUse::Centred}, stretched{{11, 5}};
  TScaledPicture part, reduced;
  FuzzRequire(Decode(bytes, centred, part) == failure, "a centred decode fails as the whole decode");
  FuzzRequire(Decode(bytes, stretched, reduced) == failure, "a stretched decode fails as the whole decode");
  if (!failure.empty()) return 0;
  const QImage& picture = whole.picture;
  FuzzRequire(!picture.isNull() && picture.format() == QImage::Format_RGB32, "a decoded PNG is a 32-bit picture");
  FuzzRequire(std::int64_t{picture.width()} * picture.height() <= MaxPicturePixels, "the size limit holds");
  FuzzRequire(part.picture == picture.copy(CenterPart(picture.size(), centred.box)), "the part is the whole's middle");
  const std::optional<QSize> smaller = ReducedSize(picture.size(), stretched);
  if (!smaller) {
    FuzzRequire(reduced.picture == picture, "a picture the stretch does not reduce is whole");
    return 0;
  }
  TAreaAverage average(picture.size(), *smaller);
  for (int y = 0; y < picture.height(); ++y) average.Put(y, reinterpret_cast<const QRgb*>(picture.constScanLine(y)));
  FuzzRequire(reduced.picture == average.Picture(), "the reduced picture is the whole's area average");
  return 0;
}
