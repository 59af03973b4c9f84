#include "picture/PictureCache.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "picture/PictureTestTools.h"

namespace {

// Loads of the same 70x46 JPEG for a sequence of targets: the picture after the last, and
// the file's own size, which never changes.
struct LoadsCase {
  const char* what;
  std::vector<std::optional<TDecodeTarget>> targets;
  QSize picture;
};

class PictureCacheTargets : public ::testing::TestWithParam<LoadsCase> {};

TEST_P(PictureCacheTargets, PictureServesItsTarget) {
  TPictureCache cache;
  for (const auto& target : GetParam().targets) cache.Load(DataFile("ok/baseline.jpg"), target);
  EXPECT_EQ(cache.SourceBitmap().size(), GetParam().picture) << GetParam().what;
  EXPECT_EQ(cache.FileSize(), QSize(70, 46)) << GetParam().what;
}

const TDecodeTarget small{{30, 20}, false};
const TDecodeTarget smaller{{9, 6}, false};
const TDecodeTarget large{{640, 480}, false};

INSTANTIATE_TEST_SUITE_P(
    Sequences, PictureCacheTargets,
    ::testing::Values(LoadsCase{"whole", {std::nullopt}, {70, 46}}, LoadsCase{"reduced", {small}, {30, 20}},
                      LoadsCase{"reduced, then whole", {small, std::nullopt}, {70, 46}},
                      LoadsCase{"whole serves a target", {std::nullopt, small}, {70, 46}},
                      LoadsCase{"another target decodes again", {small, smaller}, {9, 6}},
                      LoadsCase{"same target kept", {small, small}, {30, 20}},
                      LoadsCase{"a target not smaller decodes whole", {large, smaller}, {70, 46}}));

TEST(PictureCache, ReleasedReducedPictureDecodesWholeForNoTarget) {
  TPictureCache cache;
  cache.Load(DataFile("ok/baseline.jpg"), small);
  cache.Release();
  cache.Load(DataFile("ok/baseline.jpg"));
  EXPECT_EQ(cache.SourceBitmap().size(), QSize(70, 46));
}

}  // namespace
