#include "platform/desktop/FileBackend.h"

void TFileBackend::Apply(const WallpaperValues& values) {
  last_ = values;
  ++applyCount_;
}
