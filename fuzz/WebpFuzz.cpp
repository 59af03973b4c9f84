// Fuzzes the WebP decoder on bytes in memory: any bytes either decode to a 32-bit picture
// within the size limit or fail with one of the decoder's own errors. The decode for a
// centred target ends as the whole decode does, with exactly its middle or the same error;
// the decode for a stretch fails as it does, or gives a picture of the size on the screen.
// An animation's first frame is always whole.
#include <webp/decode.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "FuzzWorkspace.h"
#include "TargetDecodes.h"
#include "picture/WebpDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzWorkspace::Get();
  const TTargetDecodes d =
      DecodeForTargets(std::string_view(reinterpret_cast<const char*>(data), size), DecodeWebpBytes, "input.webp");
  if (!d.failure.empty()) return 0;
  const QImage& picture = d.whole.picture;
  FuzzRequire(d.whole.fileSize == picture.size() && d.part.fileSize == picture.size(), "the file's size is stated");
  WebPBitstreamFeatures features{};
  WebPGetFeatures(data, std::min(size, sizeof features), &features);
  if (features.has_animation) {
    FuzzRequire(d.part.picture == picture && d.reduced.picture == picture, "an animation's first frame is whole");
    return 0;
  }
  FuzzRequire(d.part.picture == picture.copy(CenterPart(picture.size(), d.centred.box)),
              "the part is the whole's middle");
  const std::optional<QSize> smaller = ReducedSize(picture.size(), d.stretched);
  if (smaller)
    FuzzRequire(d.reduced.picture.size() == *smaller, "the reduced picture has the size on the screen");
  else
    FuzzRequire(d.reduced.picture == picture, "a picture the stretch does not reduce is whole");
  return 0;
}
