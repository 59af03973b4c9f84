// Fuzzes the PNG decoder on bytes in memory: any bytes either decode to a 32-bit picture
// within the size limit or fail with one of the decoder's own errors. The decodes for a
// centred and for a stretched target end as the whole decode does: with its middle, exactly
// the area average of it, or the same error.
#include <cstdint>

#include "FuzzWorkspace.h"
#include "TargetDecodes.h"
#include "picture/AreaAverage.h"
#include "picture/PngDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzWorkspace::Get();
  const TTargetDecodes d =
      DecodeForTargets(std::string_view(reinterpret_cast<const char*>(data), size), DecodePngBytes, "input.png");
  if (!d.failure.empty()) return 0;
  const QImage& picture = d.whole.picture;
  FuzzRequire(d.part.picture == picture.copy(CenterPart(picture.size(), d.centred.box)),
              "the part is the whole's middle");
  const std::optional<QSize> smaller = ReducedSize(picture.size(), d.stretched);
  if (!smaller) {
    FuzzRequire(d.reduced.picture == picture, "a picture the stretch does not reduce is whole");
    return 0;
  }
  TAreaAverage average(picture.size(), *smaller);
  for (int y = 0; y < picture.height(); ++y) average.Put(y, reinterpret_cast<const QRgb*>(picture.constScanLine(y)));
  FuzzRequire(d.reduced.picture == average.Picture(), "the reduced picture is the whole's area average");
  return 0;
}
