#include "TargetDecodes.h"

#include <cstdint>

#include "FuzzWorkspace.h"
#include "picture/PictureErrors.h"

namespace {

// The decode's message, or "" when it decoded.
std::string Decode(std::string_view bytes, DecodeBytesFn decode, const std::string& name,
                   const std::optional<TDecodeTarget>& target, TScaledPicture& decoded) {
  try {
    decoded = decode(bytes, name, target);
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

TTargetDecodes DecodeForTargets(std::string_view bytes, DecodeBytesFn decode, const std::string& name) {
  TTargetDecodes d;
  d.failure = Decode(bytes, decode, name, std::nullopt, d.whole);
  FuzzRequire(Decode(bytes, decode, name, d.centred, d.part) == d.failure,
              "a centred decode fails as the whole decode");
  FuzzRequire(Decode(bytes, decode, name, d.stretched, d.reduced) == d.failure,
              "a stretched decode fails as the whole decode");
  if (!d.failure.empty()) return d;
  const QImage& picture = d.whole.picture;
  FuzzRequire(!picture.isNull() && picture.format() == QImage::Format_RGB32, "a decoded picture is 32-bit");
  FuzzRequire(std::int64_t{picture.width()} * picture.height() <= MaxPicturePixels, "the size limit holds");
  return d;
}
