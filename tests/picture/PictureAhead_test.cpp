#include "picture/PictureAhead.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "picture/PictureCache.h"
#include "picture/PictureLoader.h"
#include "picture/PictureTestTools.h"

namespace {

const TDecodeTarget kSmall{{30, 20}, false};
const TDecodeTarget kSmaller{{9, 6}, false};

// What was predicted, and what the load asks for: whether the decode ahead is handed over.
struct TakeCase {
  const char* what;
  std::optional<TPictureRequest> predicted;
  std::string asked;
  std::optional<TDecodeTarget> target;
  bool handed;
};

void PrintTo(const TakeCase& c, std::ostream* out) { *out << c.what; }

class PictureAheadTake : public ::testing::TestWithParam<TakeCase> {};

TEST_P(PictureAheadTake, OnlyThePredictedLoadTakesIt) {
  const TakeCase& c = GetParam();
  TPictureAhead ahead([&c] { return c.predicted; });
  const std::optional<TScaledPicture> taken = ahead.Take(DataFile(c.asked), c.target);
  ASSERT_EQ(taken.has_value(), c.handed);
  if (taken) {
    const TScaledPicture direct = LoadPictureFor(DataFile(c.asked), *c.target);
    EXPECT_EQ(taken->fileSize, direct.fileSize);
    EXPECT_TRUE(SamePixels(taken->picture, direct.picture));
  }
  EXPECT_FALSE(ahead.Take(DataFile(c.asked), c.target)) << "a second load decodes for itself";
}

INSTANTIATE_TEST_SUITE_P(
    Requests, PictureAheadTake,
    ::testing::Values(TakeCase{"the predicted load", TPictureRequest{DataFile("ok/baseline.jpg"), kSmall},
                               "ok/baseline.jpg", kSmall, true},
                      TakeCase{"another picture", TPictureRequest{DataFile("ok/baseline.jpg"), kSmall},
                               "ok/progressive.jpg", kSmall, false},
                      TakeCase{"another target", TPictureRequest{DataFile("ok/baseline.jpg"), kSmall},
                               "ok/baseline.jpg", kSmaller, false},
                      TakeCase{"the whole picture", TPictureRequest{DataFile("ok/baseline.jpg"), kSmall},
                               "ok/baseline.jpg", std::nullopt, false},
                      TakeCase{"nothing predicted", std::nullopt, "ok/baseline.jpg", kSmall, false}));

TEST(PictureAhead, AFailedPredictionHandsNothing) {
  TPictureAhead ahead([]() -> std::optional<TPictureRequest> { throw std::runtime_error("unreadable file"); });
  EXPECT_FALSE(ahead.Take(DataFile("ok/baseline.jpg"), kSmall));
}

TEST(PictureAhead, TheDecodersErrorReachesTheLoad) {
  const std::string broken = DataFile("bad/depth-7.bmp");
  ASSERT_ANY_THROW(LoadPictureFor(broken, kSmall));
  TPictureCache cache;
  cache.Expect(std::make_unique<TPictureAhead>([&] { return TPictureRequest{broken, kSmall}; }));
  EXPECT_ANY_THROW(cache.Load(broken, kSmall));
  EXPECT_EQ(cache.SourceName(), broken) << "the same name is not decoded again";
}

TEST(PictureAhead, TheCacheHoldsTheReducedPictureItWasHanded) {
  TPictureCache cache;
  const std::string name = DataFile("ok/baseline.jpg");
  cache.Expect(std::make_unique<TPictureAhead>([&] { return TPictureRequest{name, kSmall}; }));
  cache.Load(name, kSmall);
  EXPECT_EQ(cache.SourceBitmap().size(), QSize(30, 20));
  EXPECT_EQ(cache.FileSize(), QSize(70, 46));
  cache.Load(name, kSmaller);
  EXPECT_EQ(cache.SourceBitmap().size(), QSize(9, 6)) << "another target decodes for itself";
}

}  // namespace
