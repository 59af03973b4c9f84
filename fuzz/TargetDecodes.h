// What the PNG and WebP fuzz targets share: the bytes decoded whole, for a centred and for a
// stretched target, with the expectations that hold for both decoders: the two targets'
// decodes fail exactly as the whole decode does, and a decoded picture is 32-bit and within
// the size limit.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "picture/DecodeScale.h"

using DecodeBytesFn = TScaledPicture (*)(std::string_view bytes, const std::string& name,
                                         const std::optional<TDecodeTarget>& target);

struct TTargetDecodes {
  // The whole decode's message, "" when it decoded.
  std::string failure;
  TScaledPicture whole, part, reduced;
  TDecodeTarget centred{{13, 7}, false, DecodeUse::Centred}, stretched{{11, 5}};
};

// Decodes bytes three times through decode, the input called name, and requires what holds
// for both decoders.
TTargetDecodes DecodeForTargets(std::string_view bytes, DecodeBytesFn decode, const std::string& name);
