#include "explorer/PreviewDecode.h"

#include <gtest/gtest.h>

#include <QImage>
#include <optional>
#include <string>

#include "picture/PictureLoader.h"

namespace {

std::string Data(const char* name) { return std::string(TESSERINE_TEST_DATA) + "/" + name; }

bool SamePixels(const QImage& a, const QImage& b) {
  return a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

struct LoadCase {
  const char* file;
  PreviewMode mode;
  QSize box;
  bool reduced;
};

class LoadPreviewPictureTable : public ::testing::TestWithParam<LoadCase> {};

// The labels and the caption go by the file's size; a reduced decode fits the box, and any
// other is the whole picture, pixel for pixel.
TEST_P(LoadPreviewPictureTable, DecodesAsTheModeShowsIt) {
  const LoadCase& c = GetParam();
  const std::string path = Data(c.file);
  const QImage whole = DecodeStillPicture(path);
  ASSERT_FALSE(whole.isNull());
  const TPreviewPicture held = LoadPreviewPicture(path, PreviewDecodeTarget(c.mode, c.box));
  EXPECT_EQ(held.name, path);
  EXPECT_EQ(held.fileSize, whole.size());
  EXPECT_EQ(LargerThanBox(held.fileSize, c.box), LargerThanBox(whole.size(), c.box));
  EXPECT_EQ(held.Reduced(), c.reduced);
  if (c.reduced) {
    EXPECT_LE(held.picture.width(), c.box.width());
    EXPECT_LE(held.picture.height(), c.box.height());
  } else {
    EXPECT_TRUE(SamePixels(held.picture, whole));
  }
}

INSTANTIATE_TEST_SUITE_P(Pictures, LoadPreviewPictureTable,
                         ::testing::Values(LoadCase{"ok/baseline.jpg", PreviewMode::Shrink, {20, 20}, true},
                                           LoadCase{"ok/progressive.jpg", PreviewMode::Shrink, {30, 40}, true},
                                           LoadCase{"ok/baseline.jpg", PreviewMode::Shrink, {69, 100}, false},
                                           LoadCase{"ok/baseline.jpg", PreviewMode::Tile, {20, 20}, false},
                                           LoadCase{"ok/baseline.jpg", PreviewMode::Stretch, {20, 20}, false},
                                           LoadCase{"ok/baseline.jpg", PreviewMode::Shrink, {70, 46}, false},
                                           LoadCase{"ok/progressive.jpg", PreviewMode::Shrink, {200, 100}, false},
                                           LoadCase{"ok/rose.png", PreviewMode::Shrink, {4, 4}, true},
                                           LoadCase{"ok/rose.webp", PreviewMode::Shrink, {30, 40}, true},
                                           LoadCase{"ok/rose.png", PreviewMode::Tile, {4, 4}, false},
                                           LoadCase{"ok/rose.webp", PreviewMode::Shrink, {70, 46}, false},
                                           LoadCase{"ok/rose24.bmp", PreviewMode::Shrink, {4, 4}, false}));

class SwitchToWholeTable : public ::testing::TestWithParam<PreviewMode> {};

// A picture reduced for the shrink does not serve a mode that takes it whole; the new
// decode is the whole picture.
TEST_P(SwitchToWholeTable, DecodesWholeAgain) {
  const std::string path = Data("ok/baseline.jpg");
  const QSize box(20, 20);
  const TPreviewPicture shrunk = LoadPreviewPicture(path, PreviewDecodeTarget(PreviewMode::Shrink, box));
  ASSERT_TRUE(shrunk.Reduced());
  const std::optional<TDecodeTarget> wanted = PreviewDecodeTarget(GetParam(), box);
  EXPECT_FALSE(PreviewServes(shrunk, path, wanted));
  const TPreviewPicture whole = LoadPreviewPicture(path, wanted);
  EXPECT_FALSE(whole.Reduced());
  EXPECT_TRUE(SamePixels(whole.picture, DecodeStillPicture(path)));
  EXPECT_TRUE(PreviewServes(whole, path, PreviewDecodeTarget(PreviewMode::Shrink, box)));
}

INSTANTIATE_TEST_SUITE_P(Modes, SwitchToWholeTable, ::testing::Values(PreviewMode::Tile, PreviewMode::Stretch));

struct ServesCase {
  const char* name;
  QSize decoded;
  std::optional<TDecodeTarget> wanted;
  bool serves;
};

class PreviewServesTable : public ::testing::TestWithParam<ServesCase> {};

// The held picture is a.jpg, stated 400 x 300, decoded at the given size: a reduced decode
// serves every box it still covers, a box that asks for more decodes again.
TEST_P(PreviewServesTable, ServesWhatTheDecodeCovers) {
  const ServesCase& c = GetParam();
  const TPreviewPicture held{"a.jpg", QImage(c.decoded, QImage::Format_RGB32), {400, 300}};
  EXPECT_EQ(PreviewServes(held, c.name, c.wanted), c.serves);
}

INSTANTIATE_TEST_SUITE_P(Keys, PreviewServesTable,
                         ::testing::Values(ServesCase{"a.jpg", {100, 75}, TDecodeTarget{{100, 100}, true}, true},
                                           ServesCase{"a.jpg", {100, 75}, TDecodeTarget{{120, 100}, true}, false},
                                           ServesCase{"a.jpg", {100, 75}, TDecodeTarget{{104, 78}, true}, false},
                                           ServesCase{"a.jpg", {100, 75}, TDecodeTarget{{60, 200}, true}, true},
                                           ServesCase{"a.jpg", {100, 75}, TDecodeTarget{{100, 70}, true}, true},
                                           ServesCase{"a.jpg", {100, 75}, TDecodeTarget{{100, 100}, false}, false},
                                           ServesCase{"a.jpg", {100, 75}, std::nullopt, false},
                                           ServesCase{"a.jpg", {400, 300}, std::nullopt, true},
                                           ServesCase{"a.jpg", {400, 300}, TDecodeTarget{{50, 50}, true}, true},
                                           ServesCase{"b.jpg", {400, 300}, TDecodeTarget{{100, 100}, true}, false},
                                           ServesCase{"", {400, 300}, std::nullopt, false}));

struct TargetCase {
  PreviewMode mode;
  QSize box;
  bool reduces;
};

class PreviewDecodeTargetTable : public ::testing::TestWithParam<TargetCase> {};

TEST_P(PreviewDecodeTargetTable, ReducesOnlyForTheShrink) {
  const TargetCase& c = GetParam();
  const std::optional<TDecodeTarget> target = PreviewDecodeTarget(c.mode, c.box);
  ASSERT_EQ(target.has_value(), c.reduces);
  if (target) {
    EXPECT_EQ(target->box, c.box);
    EXPECT_TRUE(target->keepRatio);
    EXPECT_EQ(target->use, DecodeUse::Stretched);
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, PreviewDecodeTargetTable,
                         ::testing::Values(TargetCase{PreviewMode::Shrink, {250, 200}, true},
                                           TargetCase{PreviewMode::Tile, {250, 200}, false},
                                           TargetCase{PreviewMode::Stretch, {250, 200}, false},
                                           TargetCase{PreviewMode::Shrink, {0, 200}, false}));

TEST(LoadPreviewPicture, MissingFileIsEmpty) {
  const std::string path = Data("missing.jpg");
  const TPreviewPicture held = LoadPreviewPicture(path, PreviewDecodeTarget(PreviewMode::Shrink, {20, 20}));
  EXPECT_TRUE(held.picture.isNull());
  EXPECT_EQ(held.fileSize, held.picture.size());
}

}  // namespace

TEST(PreviewKind, WhatThePreviewShowsOfTheChosenFile) {
  const std::pair<std::pair<const char*, bool>, PreviewKind> rows[] = {
      {{"", false}, PreviewKind::None},           {{"/pictures", true}, PreviewKind::None},
      {{"/a.gif", false}, PreviewKind::Gif},      {{"/a.JPG", false}, PreviewKind::Picture},
      {{"/a.webp", false}, PreviewKind::Picture}, {{"/a.bmp", false}, PreviewKind::Picture},
      {{"/a.pcx", false}, PreviewKind::None},
  };
  for (const auto& [file, kind] : rows) EXPECT_EQ(PreviewKindOf(file.first, file.second), kind) << file.first;
}
