#include "picture/WebpDecoder.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstring>

#include "picture/MadeWebp.h"
#include "picture/PictureErrors.h"
#include "picture/PictureTestTools.h"

namespace {

// A picture made for the tests: its pattern's size, whether it has alpha, how it is coded.
struct MadePicture {
  const char* name;
  QSize size;
  bool alpha;
  WebpKind kind;
};

const MadePicture Pictures[] = {
    {"lossy", {203, 117}, false, WebpKind::Lossy},          {"lossy_even", {190, 112}, false, WebpKind::Lossy},
    {"lossy_portrait", {117, 203}, false, WebpKind::Lossy}, {"lossy_alpha", {161, 140}, true, WebpKind::Lossy},
    {"lossless", {190, 111}, false, WebpKind::Lossless},    {"lossless_alpha", {147, 99}, true, WebpKind::Lossless},
};

class WebpFiles : public ::testing::Test {
 protected:
  std::string Made(const MadePicture& made) {
    const QString path = dir_.filePath(QString(made.name) + ".webp");
    QFile file(path);
    const QByteArray bytes = EncodeWebp(WebpTestPattern(made.size, made.alpha), made.kind);
    EXPECT_FALSE(bytes.isEmpty()) << made.name;
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    return path.toStdString();
  }

  QTemporaryDir dir_;
};

TEST_F(WebpFiles, WholePicturesHaveQtsPixels) {
  std::vector<std::string> paths;
  for (const char* file : {"ok/rose.webp", "ok/lossless.webp", "ok/alpha.webp"}) paths.push_back(DataFile(file));
  for (const MadePicture& made : Pictures) paths.push_back(Made(made));
  for (const std::string& path : paths) {
    const TQtDecode qt = QtReaderDecode(FileBytesOf(path), "webp", path);
    ASSERT_TRUE(qt.error.empty()) << path << ": " << qt.error;
    const QImage picture = DecodeWebp(path);
    EXPECT_EQ(picture.format(), QImage::Format_RGB32) << path;
    EXPECT_TRUE(SamePixels(picture, qt.picture)) << path;
  }
  // Half-transparent red, opaque green, transparent blue and quarter-opaque orange over black.
  const QImage alpha = DecodeWebp(DataFile("ok/alpha.webp"));
  const QRgb expected[] = {qRgb(128, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 0), qRgb(50, 25, 10)};
  for (int x = 0; x < 4; ++x) EXPECT_EQ(alpha.pixel(x, 0), expected[x]) << x;
}

// Boxes whose edges fall on odd and even columns and rows, and inside macroblocks.
const QSize Boxes[] = {{17, 9}, {31, 21}, {32, 20}, {100, 50}, {60, 1000}, {1000, 30}, {1, 1}, {5000, 5000}};

// libwebp's crop, widened and trimmed, gives exactly the whole decode's middle.
TEST_F(WebpFiles, CentredPartsEqualTheWholeDecodesMiddle) {
  for (const MadePicture& made : Pictures) {
    const std::string path = Made(made);
    const QImage whole = DecodeWebp(path);
    for (const QSize& box : Boxes) {
      SCOPED_TRACE(testing::Message() << made.name << " in " << box.width() << "x" << box.height());
      const TScaledPicture part = DecodeWebpFor(path, {box, false, DecodeUse::Centred});
      EXPECT_EQ(part.fileSize, made.size);
      EXPECT_TRUE(SamePixels(part.picture, whole.copy(CenterPart(made.size, box))));
    }
  }
}

struct ScaleCase {
  TDecodeTarget target;
  QSize decoded;  // the whole picture's size where it is not reduced
};

// libwebp's scaling comes close to the area average of the whole decode: closer than JPEG's
// reduced decode comes on a zone plate (bench_stretch_quality: a mean of 8.4, at most 61),
// though the pattern's waves of a few pixels show every difference in where the two place
// their samples. Where the stretch does not reduce, the picture is whole.
TEST_F(WebpFiles, StretchesAreScaledCloseToTheWholeDecodesAverage) {
  for (const MadePicture& made : Pictures) {
    const std::string path = Made(made);
    const QImage whole = DecodeWebp(path);
    const QSize size = made.size;
    const ScaleCase cases[] = {
        {{{size.width() / 2, size.height() / 3}}, {}},
        {{{size.width() - 1, size.height() - 1}}, {}},
        {{{50, 50}, true}, {}},
        {{{size.width() / 3, size.height()}}, {}},
        {{{size.width() + 10, size.height() / 2}}, size},
        {{size}, size},
    };
    for (const ScaleCase& c : cases) {
      SCOPED_TRACE(testing::Message() << made.name << " for " << c.target.box.width() << "x" << c.target.box.height());
      const TScaledPicture scaled = DecodeWebpFor(path, c.target);
      EXPECT_EQ(scaled.fileSize, size);
      if (c.decoded.isValid()) {
        EXPECT_TRUE(SamePixels(scaled.picture, whole));
        continue;
      }
      ASSERT_EQ(scaled.picture.size(), StretchedSize(size, c.target));
      const TPixelErrors errors = PixelErrors(scaled.picture, ExactAreaAverage(whole, scaled.picture.size()));
      EXPECT_LT(errors.mean, 6.0);
      EXPECT_LE(errors.largest, 40);
    }
  }
}

// An animation's first frame, whatever the target, with the pixels of Qt's reader: opaque
// or with alpha, lossy or lossless, each frame covering the canvas.
TEST(DecodeWebp, AnimationsGiveTheirFirstFrameWhole) {
  std::vector<QByteArray> animations{FileBytesOf(DataFile("ok/anim.webp"))};
  for (const bool alpha : {false, true})
    for (const WebpKind kind : {WebpKind::Lossy, WebpKind::Lossless}) {
      const QImage first = WebpTestPattern({61, 43}, alpha);
      const QImage second = WebpTestPattern({61, 43}, !alpha).mirrored(true, false);
      animations.push_back(EncodeWebpAnimation({first, second}, kind));
      ASSERT_FALSE(animations.back().isEmpty());
    }
  for (const QByteArray& bytes : animations) {
    const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const TQtDecode qt = QtReaderDecode(bytes, "webp", "anim.webp");
    ASSERT_TRUE(qt.error.empty()) << qt.error;
    const QImage first = DecodeWebpBytes(view, "anim.webp").picture;
    EXPECT_TRUE(SamePixels(first, qt.picture));
    for (const TDecodeTarget& target : {TDecodeTarget{{4, 3}}, TDecodeTarget{{2, 2}, false, DecodeUse::Centred}}) {
      const TScaledPicture scaled = DecodeWebpBytes(view, "anim.webp", target);
      EXPECT_EQ(scaled.fileSize, first.size());
      EXPECT_TRUE(SamePixels(scaled.picture, first));
    }
  }
  EXPECT_EQ(DecodeWebp(DataFile("ok/anim.webp")).pixel(3, 2), qRgb(0x0a, 0x14, 0x1e));
}

// anim.webp with its canvas (chunk VP8X) stating width x height; its frames stay 8 x 6.
QByteArray WithCanvas(int width, int height) {
  QByteArray bytes = FileBytesOf(DataFile("ok/anim.webp"));
  const auto put = [&bytes](int at, int side) {
    for (int i = 0; i < 3; ++i) bytes[at + i] = static_cast<char>(((side - 1) >> (8 * i)) & 0xff);
  };
  put(24, width);
  put(27, height);
  return bytes;
}

// A 20000 x 20000 canvas would take 1.6 GB the moment libwebp's animation decoder starts.
TEST(DecodeWebp, GiganticCanvasesAreRefusedBeforeAnyAllocation) {
  const std::int64_t before = PeakKilobytes();
  EXPECT_THROW(DecodeWebp(DataFile("bad/canvas-20000.webp")), TPictureTooLarge);
  const QByteArray huge = WithCanvas(20000, 20000);
  try {
    DecodeWebpBytes({huge.constData(), static_cast<std::size_t>(huge.size())}, "huge.webp");
    FAIL() << "no exception";
  } catch (const TPictureTooLarge& error) {
    EXPECT_STREQ(error.what(), "The picture is too large: 20000 x 20000 pixels (the limit is 268435456 pixels)");
  }
  EXPECT_LT(PeakKilobytes() - before, 64 * 1024);
  // A canvas larger than the frames: the rest of it is black.
  const QByteArray wide = WithCanvas(20, 10);
  const QImage first = DecodeWebpBytes({wide.constData(), static_cast<std::size_t>(wide.size())}, "wide.webp").picture;
  ASSERT_EQ(first.size(), QSize(20, 10));
  EXPECT_EQ(first.pixel(7, 5), qRgb(0x0a, 0x14, 0x1e));
  EXPECT_EQ(first.pixel(19, 9), qRgb(0, 0, 0));
}

// Damaged copies, cut short and with one byte changed, end as with Qt's reader: the same
// pixels, or TDecodeError with its message; so do the decodes for a stretch and a centred
// picture.
TEST_F(WebpFiles, DamagedFilesEndAsWithQtsReader) {
  for (const MadePicture& made : {Pictures[0], Pictures[3], Pictures[5]}) {
    SCOPED_TRACE(made.name);
    const QByteArray good = FileBytesOf(Made(made));
    std::vector<QByteArray> damaged;
    for (qsizetype length = 0; length < good.size(); length += length < 64 || length > good.size() - 24 ? 1 : 13)
      damaged.push_back(good.left(length));
    for (qsizetype at = 0; at < good.size(); at += 17) {
      QByteArray changed = good;
      changed[at] = static_cast<char>(changed[at] ^ 0x5a);
      damaged.push_back(changed);
    }
    const TDecodeTarget stretch{{40, 30}}, centred{{40, 30}, false, DecodeUse::Centred};
    for (const QByteArray& bytes : damaged) {
      const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
      const TQtDecode qt = QtReaderDecode(bytes, "webp", "damaged.webp");
      const TOutcome ours = Outcome([&] { return DecodeWebpBytes(view, "damaged.webp").picture; });
      SCOPED_TRACE(testing::Message() << bytes.size() << " bytes");
      if (qt.error.empty()) {
        ASSERT_TRUE(ours.error.empty()) << ours.error;
        EXPECT_TRUE(SamePixels(ours.picture, qt.picture));
        continue;
      }
      EXPECT_EQ(ours.error, "TDecodeError: " + qt.error);
      for (const TDecodeTarget& target : {stretch, centred})
        EXPECT_EQ(Outcome([&] { return DecodeWebpBytes(view, "damaged.webp", target).picture; }).error, ours.error);
    }
  }
}

TEST(DecodeWebp, BadTestFilesFailAsWithQtsReader) {
  for (const char* file : {"bad/empty.webp", "bad/truncated.webp", "bad/garbage-after-header.webp",
                           "bad/lossless-past-end.webp", "ok/rose.png", "ok/rose24.bmp"}) {
    const std::string path = DataFile(file);
    const TQtDecode qt = QtReaderDecode(FileBytesOf(path), "webp", path);
    ASSERT_FALSE(qt.error.empty()) << file;
    const std::string error = "TDecodeError: " + qt.error;
    EXPECT_EQ(Outcome([&] { return DecodeWebp(path); }).error, error) << file;
    for (const TDecodeTarget& target : {TDecodeTarget{{40, 3}}, TDecodeTarget{{13, 3}, false, DecodeUse::Centred}})
      EXPECT_EQ(Outcome([&] { return DecodeWebpFor(path, target).picture; }).error, error) << file;
    TGatheredRows rows;
    const auto decodeRows = [&] {
      DecodeWebpRows(path, rows.Sink());
      return rows.picture;
    };
    EXPECT_EQ(Outcome(decodeRows).error, error) << file;
  }
  EXPECT_THROW(DecodeWebp(DataFile("bad/no-such-file.webp")), TFileOpenError);
  EXPECT_THROW(DecodeWebp(DataFile("bad")), TFileOpenError);
}

TEST_F(WebpFiles, RowsAreTheWholeDecode) {
  std::vector<std::string> paths{DataFile("ok/anim.webp")};
  for (const MadePicture& made : Pictures) paths.push_back(Made(made));
  for (const std::string& path : paths) {
    TGatheredRows gathered;
    DecodeWebpRows(path, gathered.Sink());
    const QImage whole = DecodeWebp(path);
    EXPECT_EQ(gathered.rows, whole.height()) << path;
    EXPECT_TRUE(SamePixels(gathered.picture, whole)) << path;
  }
  TGatheredRows cut;
  EXPECT_THROW(DecodeWebpRows(DataFile("bad/truncated.webp"), cut.Sink()), TDecodeError);
}

// The resident memory a process holds now and at its peak, which writing 5 to
// /proc/self/clear_refs brings down to now.
struct TResident {
  std::int64_t now = 0;
  std::int64_t peak = 0;
};

TResident Resident() {
  QFile status("/proc/self/status");
  TResident resident;
  if (!status.open(QIODevice::ReadOnly)) return resident;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmRSS:")) resident.now = line.mid(6).trimmed().split(' ').front().toLongLong();
    if (line.startsWith("VmHWM:")) resident.peak = line.mid(6).trimmed().split(' ').front().toLongLong();
  }
  return resident;
}

// Rows handed on are let go: decoding a 2000 x 2000 picture row by row never holds its
// 16 MB.
TEST_F(WebpFiles, RowsDoNotHoldThePicture) {
  const std::string path = Made({"large", {2000, 2000}, false, WebpKind::Lossy});
  QFile clear("/proc/self/clear_refs");
  ASSERT_TRUE(clear.open(QIODevice::WriteOnly) && clear.write("5") == 1);
  clear.close();
  const TResident before = Resident();
  std::int64_t rows = 0;
  const auto count = [](void* context, int, const QRgb*) noexcept { ++*static_cast<std::int64_t*>(context); };
  DecodeWebpRows(path, {&rows, [](void*, QSize) noexcept {}, count});
  EXPECT_EQ(rows, 2000);
  EXPECT_LT(Resident().peak - before.now, 8 * 1024);
}

}  // namespace
