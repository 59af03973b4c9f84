#include "picture/PngDecoder.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <map>
#include <vector>

#include "picture/MadePng.h"
#include "picture/PictureErrors.h"
#include "picture/PictureTestTools.h"

namespace {

std::string Named(const TPngSpec& spec) {
  static const std::map<int, const char*> types = {{PNG_COLOR_TYPE_GRAY, "grey"},
                                                   {PNG_COLOR_TYPE_GRAY_ALPHA, "grey_alpha"},
                                                   {PNG_COLOR_TYPE_RGB, "rgb"},
                                                   {PNG_COLOR_TYPE_RGB_ALPHA, "rgba"},
                                                   {PNG_COLOR_TYPE_PALETTE, "palette"}};
  std::string name = std::string(types.at(spec.colourType)) + std::to_string(spec.bitDepth);
  if (spec.transparentColour) name += "_trns";
  if (spec.paletteSize) name += "_of" + std::to_string(spec.paletteSize);
  if (spec.alphaCount) name += "_alpha" + std::to_string(spec.alphaCount);
  if (spec.interlaced) name += "_interlaced";
  return name;
}

// Every colour type at every bit depth it allows, with and without transparency, plain and
// interlaced.
std::vector<TPngSpec> EveryKind() {
  std::vector<TPngSpec> specs;
  const auto add = [&specs](TPngSpec spec) {
    specs.push_back(spec);
    spec.interlaced = true;
    specs.push_back(spec);
  };
  for (const int depth : {1, 2, 4, 8, 16})
    for (const bool transparent : {false, true}) add({37, 23, PNG_COLOR_TYPE_GRAY, depth, false, 0, 0, transparent});
  for (const int depth : {8, 16})
    for (const bool transparent : {false, true}) add({37, 23, PNG_COLOR_TYPE_RGB, depth, false, 0, 0, transparent});
  for (const int depth : {8, 16}) {
    add({37, 23, PNG_COLOR_TYPE_GRAY_ALPHA, depth});
    add({37, 23, PNG_COLOR_TYPE_RGB_ALPHA, depth});
  }
  // Palettes one short of the bit depth's range, so indices beyond them occur; a 1-bit
  // picture with a palette of one colour.
  for (const int depth : {1, 2, 4, 8}) {
    const int size = depth == 8 ? 200 : (1 << depth) - 1;
    for (const int alpha : {0, (size + 1) / 2})
      add({37, 23, PNG_COLOR_TYPE_PALETTE, depth, false, std::max(size, 1), alpha});
  }
  return specs;
}

unsigned Scale16(unsigned v) { return (v * 255 + 32895) >> 16; }

// Qt's reader misreads the rows of 16-bit RGB with a transparent colour; the decoder gives
// the picture with that colour transparent, over black.
QImage TransparentRgb16(const TPngSpec& spec) {
  QImage picture(spec.width, spec.height, QImage::Format_RGB32);
  for (int y = 0; y < spec.height; ++y)
    for (int x = 0; x < spec.width; ++x) {
      const unsigned r = PngSample(spec, x, y, 0), g = PngSample(spec, x, y, 1), b = PngSample(spec, x, y, 2);
      picture.setPixel(x, y, r == 0 && g == 0 && b == 0 ? qRgb(0, 0, 0) : qRgb(Scale16(r), Scale16(g), Scale16(b)));
    }
  return picture;
}

class PngKinds : public ::testing::TestWithParam<TPngSpec> {};

TEST_P(PngKinds, SamePixelsAsQtsReader) {
  const TPngSpec& spec = GetParam();
  QTemporaryDir dir;
  const std::string path = dir.filePath("picture.png").toStdString();
  ASSERT_TRUE(WriteTestPng(path, spec));
  const QImage picture = DecodePng(path);
  EXPECT_EQ(picture.format(), QImage::Format_RGB32);
  if (spec.colourType == PNG_COLOR_TYPE_RGB && spec.bitDepth == 16 && spec.transparentColour) {
    EXPECT_TRUE(SamePixels(picture, TransparentRgb16(spec)));
    return;
  }
  const TQtDecode qt = QtReaderDecode(FileBytesOf(path), "png", path);
  ASSERT_TRUE(qt.error.empty()) << qt.error;
  EXPECT_TRUE(SamePixels(picture, qt.picture));
}

INSTANTIATE_TEST_SUITE_P(ColourTypes, PngKinds, ::testing::ValuesIn(EveryKind()),
                         [](const ::testing::TestParamInfo<TPngSpec>& info) { return Named(info.param); });

TEST(DecodePng, TestFilesHaveQtsPixels) {
  for (const char* file : {"ok/rose.png", "ok/interlaced.png", "ok/rose48.png", "ok/palette.png", "ok/alpha.png"}) {
    const std::string path = DataFile(file);
    const TQtDecode qt = QtReaderDecode(FileBytesOf(path), "png", path);
    ASSERT_TRUE(qt.error.empty()) << file;
    EXPECT_TRUE(SamePixels(DecodePng(path), qt.picture)) << file;
  }
  // Half-transparent red, opaque green, transparent blue and quarter-opaque orange over black.
  const QImage alpha = DecodePng(DataFile("ok/alpha.png"));
  const QRgb expected[] = {qRgb(128, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 0), qRgb(50, 25, 10)};
  for (int x = 0; x < 4; ++x) EXPECT_EQ(alpha.pixel(x, 0), expected[x]) << x;
}

struct TargetCase {
  const char* what;
  QSize picture;
  TDecodeTarget target;
};

class PngForTarget : public ::testing::TestWithParam<TargetCase> {};

// Reduced: exactly the area average of the whole decode. Centred: exactly the middle of it.
// Otherwise the whole decode itself.
TEST_P(PngForTarget, MatchesTheWholeDecode) {
  const TargetCase& c = GetParam();
  QTemporaryDir dir;
  for (TPngSpec spec : {TPngSpec{0, 0, PNG_COLOR_TYPE_RGB, 8}, TPngSpec{0, 0, PNG_COLOR_TYPE_RGB_ALPHA, 16, true},
                        TPngSpec{0, 0, PNG_COLOR_TYPE_PALETTE, 4, false, 13, 5}}) {
    spec.width = c.picture.width();
    spec.height = c.picture.height();
    SCOPED_TRACE(Named(spec));
    const std::string path = dir.filePath(QString::fromStdString(Named(spec) + ".png")).toStdString();
    ASSERT_TRUE(WriteTestPng(path, spec));
    const QImage whole = DecodePng(path);
    const TScaledPicture scaled = DecodePngFor(path, c.target);
    EXPECT_EQ(scaled.fileSize, c.picture);
    if (const std::optional<QSize> reduced = ReducedSize(c.picture, c.target))
      EXPECT_TRUE(SamePixels(scaled.picture, ExactAreaAverage(whole, *reduced)));
    else if (c.target.use == DecodeUse::Centred)
      EXPECT_TRUE(SamePixels(scaled.picture, whole.copy(CenterPart(c.picture, c.target.box))));
    else
      EXPECT_TRUE(SamePixels(scaled.picture, whole));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Targets, PngForTarget,
    ::testing::Values(TargetCase{"stretch", {101, 67}, {{40, 30}}}, TargetCase{"stretch_odd", {97, 61}, {{33, 17}}},
                      TargetCase{"stretch_width_only", {101, 67}, {{50, 67}}},
                      TargetCase{"stretch_that_enlarges_one_axis", {101, 67}, {{40, 90}}},
                      TargetCase{"stretch_larger_than_the_picture", {101, 67}, {{300, 200}}},
                      TargetCase{"stretch_to_its_own_size", {101, 67}, {{101, 67}}},
                      TargetCase{"ratio_stretch", {101, 67}, {{50, 50}, true}},
                      TargetCase{"ratio_stretch_portrait", {43, 90}, {{30, 30}, true}},
                      TargetCase{"centred", {101, 67}, {{40, 31}, false, DecodeUse::Centred}},
                      TargetCase{"centred_odd_margins", {100, 66}, {{41, 30}, false, DecodeUse::Centred}},
                      TargetCase{"centred_height_only", {101, 67}, {{200, 20}, false, DecodeUse::Centred}},
                      TargetCase{"centred_portrait", {43, 90}, {{43, 20}, false, DecodeUse::Centred}},
                      TargetCase{"centred_larger_than_the_picture", {101, 67}, {{300, 300}, false, DecodeUse::Centred}},
                      TargetCase{"centred_single_pixel", {101, 67}, {{1, 1}, false, DecodeUse::Centred}}),
    [](const ::testing::TestParamInfo<TargetCase>& info) { return std::string(info.param.what); });

// Damaged copies of a picture: cut short at every length near its end and every seventh
// before, and with one byte changed at every eleventh place. Each ends as Qt's reader ends:
// the same pixels, or TDecodeError with its message; so do the decodes for a stretch and for
// a centred picture.
void ExpectDamageAsQt(const QByteArray& good) {
  std::vector<QByteArray> damaged;
  for (qsizetype length = 0; length<good.size(); length += length> good.size() - 24 ? 1 : 7)
    damaged.push_back(good.left(length));
  for (qsizetype at = 8; at < good.size(); at += 11) {
    QByteArray changed = good;
    changed[at] = static_cast<char>(changed[at] ^ 0x5a);
    damaged.push_back(changed);
  }
  const TDecodeTarget stretch{{20, 15}}, centred{{20, 15}, false, DecodeUse::Centred};
  const TQuietStderr quiet;
  for (const QByteArray& bytes : damaged) {
    const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const TQtDecode qt = QtReaderDecode(bytes, "png", "damaged.png");
    const TOutcome ours = Outcome([&] { return DecodePngBytes(view, "damaged.png").picture; });
    SCOPED_TRACE(testing::Message() << bytes.size() << " bytes, " << (bytes.size() < good.size() ? "cut" : "changed"));
    if (qt.error.empty()) {
      ASSERT_TRUE(ours.error.empty()) << ours.error;
      EXPECT_TRUE(SamePixels(ours.picture, qt.picture));
      continue;
    }
    EXPECT_EQ(ours.error, "TDecodeError: " + qt.error);
    for (const TDecodeTarget& target : {stretch, centred})
      EXPECT_EQ(Outcome([&] { return DecodePngBytes(view, "damaged.png", target).picture; }).error, ours.error);
  }
}

TEST(DecodePng, DamagedFilesEndAsWithQtsReader) {
  QTemporaryDir dir;
  for (const TPngSpec& spec :
       {TPngSpec{61, 43, PNG_COLOR_TYPE_RGB, 8}, TPngSpec{61, 43, PNG_COLOR_TYPE_PALETTE, 8, true, 50, 20}}) {
    SCOPED_TRACE(Named(spec));
    const std::string path = dir.filePath("good.png").toStdString();
    ASSERT_TRUE(WriteTestPng(path, spec));
    ExpectDamageAsQt(FileBytesOf(path));
  }
}

TEST(DecodePng, BadTestFilesFailAsWithQtsReader) {
  const TQuietStderr quiet;
  for (const char* file : {"bad/empty.png", "bad/truncated.png", "bad/garbage-after-signature.png",
                           "bad/header-only.png", "bad/idat-crc.png", "ok/rose.webp", "ok/baseline.jpg"}) {
    const std::string path = DataFile(file);
    const TQtDecode qt = QtReaderDecode(FileBytesOf(path), "png", path);
    ASSERT_FALSE(qt.error.empty()) << file;
    EXPECT_EQ(Outcome([&] { return DecodePng(path); }).error, "TDecodeError: " + qt.error) << file;
  }
  EXPECT_THROW(DecodePng(DataFile("bad/no-such-file.png")), TFileOpenError);
  EXPECT_THROW(DecodePng(DataFile("bad")), TFileOpenError);
}

TEST(DecodePng, GiganticHeadersAreRefusedBeforeAnyAllocation) {
  const std::int64_t before = PeakKilobytes();
  for (const std::optional<TDecodeTarget>& target :
       {std::optional<TDecodeTarget>(), std::optional<TDecodeTarget>(TDecodeTarget{{1920, 1080}})}) {
    try {
      DecodePngBytes(FileBytesOf(DataFile("bad/huge.png")).toStdString(), "huge.png", target);
      FAIL() << "no exception";
    } catch (const TPictureTooLarge& error) {
      EXPECT_STREQ(error.what(), "The picture is too large: 100000 x 100000 pixels (the limit is 268435456 pixels)");
    }
  }
  EXPECT_LT(PeakKilobytes() - before, 64 * 1024);
}

TEST(DecodePngRows, HandsOverTheWholeDecodeRowByRow) {
  QTemporaryDir dir;
  for (const TPngSpec& spec :
       {TPngSpec{61, 43, PNG_COLOR_TYPE_RGB_ALPHA, 8}, TPngSpec{61, 43, PNG_COLOR_TYPE_GRAY, 2, true}}) {
    SCOPED_TRACE(Named(spec));
    const std::string path = dir.filePath("rows.png").toStdString();
    ASSERT_TRUE(WriteTestPng(path, spec));
    TGatheredRows gathered;
    DecodePngRows(path, gathered.Sink());
    EXPECT_EQ(gathered.rows, spec.height);
    EXPECT_TRUE(SamePixels(gathered.picture, DecodePng(path)));
  }
}

TEST(DecodePngRows, RowsBeforeDamageAreHandedOver) {
  const std::string path = DataFile("bad/truncated.png");
  TGatheredRows gathered;
  EXPECT_THROW(DecodePngRows(path, gathered.Sink()), TDecodeError);
  EXPECT_GT(gathered.rows, 0);
  EXPECT_LT(gathered.rows, 46);
}

}  // namespace
