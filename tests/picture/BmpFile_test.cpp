#include "picture/BmpFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <functional>

#include "picture/BmpRowWriter.h"
#include "picture/PictureErrors.h"
#include "picture/PictureTestTools.h"

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

QString Output(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  process.waitForFinished(60000);
  return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

// Tolerance: Qt and ImageMagick widen 5- and 6-bit channels to 8 bits differently.
class BmpMatchesImageMagick : public ::testing::TestWithParam<std::pair<const char*, int>> {};

TEST_P(BmpMatchesImageMagick, SamePixels) {
  const auto [file, tolerance] = GetParam();
  const std::string path = DataFile(file);
  const QImage expected = MagickDecode(path);
  ASSERT_FALSE(expected.isNull());
  const QImage picture = ReadBmp(path);
  EXPECT_EQ(picture.format(), QImage::Format_RGB32);
  EXPECT_TRUE(SamePixels(picture, expected, tolerance));
}

INSTANTIATE_TEST_SUITE_P(Files, BmpMatchesImageMagick,
                         ::testing::Values(std::pair("ok/rose24.bmp", 0), std::pair("ok/rose8.bmp", 0),
                                           std::pair("ok/rose8rle.bmp", 0), std::pair("ok/rose4.bmp", 0),
                                           std::pair("ok/rose1.bmp", 0), std::pair("ok/rose16.bmp", 7)));

TEST(BmpFile, TopDownRowsReadInOrder) {
  QTemporaryDir dir;
  QByteArray bytes = ReadAll(QString::fromStdString(DataFile("ok/rose24.bmp")));
  const int height = 46, rowBytes = (70 * 3 + 3) / 4 * 4, offset = 54;
  QByteArray flipped = bytes.left(offset);
  for (int row = height - 1; row >= 0; --row) flipped += bytes.mid(offset + row * rowBytes, rowBytes);
  const qint32 negative = -height;
  flipped.replace(22, 4, reinterpret_cast<const char*>(&negative), 4);
  WriteAll(dir.filePath("topdown.bmp"), flipped);
  EXPECT_TRUE(SamePixels(ReadBmp(dir.filePath("topdown.bmp").toStdString()), ReadBmp(DataFile("ok/rose24.bmp"))));
}

TEST(BmpFile, LastRowWithoutPaddingIsAccepted) {
  QTemporaryDir dir;
  const QByteArray bytes = ReadAll(QString::fromStdString(DataFile("ok/rose24.bmp")));
  WriteAll(dir.filePath("short.bmp"), bytes.left(bytes.size() - 2));
  EXPECT_EQ(ReadBmp(dir.filePath("short.bmp").toStdString()).size(), QSize(70, 46));
}

template <typename Error>
std::function<void(const std::string&)> Throws() {
  return [](const std::string& path) { EXPECT_THROW(ReadBmp(path), Error) << path; };
}

TEST(BmpFile, BadFilesFailCleanly) {
  const std::pair<const char*, std::function<void(const std::string&)>> cases[] = {
      {"bad/no-such-file.bmp", Throws<TFileOpenError>()},
      {"bad", Throws<TFileOpenError>()},
      {"bad/empty.bmp", Throws<TInvalidBitmap>()},
      {"bad/header-only.bmp", Throws<TInvalidBitmap>()},
      {"bad/wrong-magic.bmp", Throws<TInvalidBitmap>()},
      {"bad/random.bmp", Throws<TInvalidBitmap>()},
      {"bad/random-bm.bmp", Throws<TInvalidBitmap>()},
      {"bad/width-negative.bmp", Throws<TInvalidBitmap>()},
      {"bad/width-zero.bmp", Throws<TInvalidBitmap>()},
      {"bad/height-zero.bmp", Throws<TInvalidBitmap>()},
      {"bad/depth-7.bmp", Throws<TInvalidBitmap>()},
      {"bad/png-compressed.bmp", Throws<TInvalidBitmap>()},
      {"bad/info-size-99.bmp", Throws<TInvalidBitmap>()},
      {"bad/offset-beyond-file.bmp", Throws<TInvalidBitmap>()},
      {"bad/offset-inside-header.bmp", Throws<TInvalidBitmap>()},
      {"bad/truncated.bmp", Throws<TInvalidBitmap>()},
      {"ok/baseline.jpg", Throws<TInvalidBitmap>()},
      {"bad/huge.bmp", Throws<TPictureTooLarge>()},
      {"bad/huge-wide.bmp", Throws<TPictureTooLarge>()},
      {"bad/height-int-min.bmp", Throws<TPictureTooLarge>()},
  };
  for (const auto& [file, expectThrow] : cases) expectThrow(DataFile(file));
}

TEST(BmpFile, InvalidBitmapText) {
  try {
    ReadBmp(DataFile("bad/random.bmp"));
    FAIL() << "no exception";
  } catch (const TInvalidBitmap& error) {
    EXPECT_STREQ(error.what(), "Bitmap image is not valid");
  }
}

TEST(BmpFile, HundredMegapixelsLoad) {
  QTemporaryDir dir;
  const QString path = dir.filePath("big.bmp");
  QImage mono(10000, 10000, QImage::Format_Mono);
  mono.setColorTable({qRgb(10, 20, 30), qRgb(200, 210, 220)});
  mono.fill(0);
  mono.setPixel(9999, 0, 1);
  ASSERT_TRUE(mono.save(path, "BMP"));
  mono = QImage();
  const QImage picture = ReadBmp(path.toStdString());
  ASSERT_EQ(picture.size(), QSize(10000, 10000));
  EXPECT_EQ(picture.pixel(0, 9999), qRgb(10, 20, 30));
  EXPECT_EQ(picture.pixel(9999, 0), qRgb(200, 210, 220));
}

TEST(BmpFile, WrittenFileIsA24BitWindowsBitmapOthersRead) {
  QTemporaryDir dir;
  const QString path = dir.filePath("out.bmp");
  const QImage picture = CoordinatePicture(33, 17);
  WriteBmp(picture, path.toStdString());
  EXPECT_TRUE(Output("file", {"-b", path}).startsWith("PC bitmap, Windows 3.x format, 33 x 17 x 24"));
  EXPECT_EQ(Output("identify", {"-format", "%m %w %h", path}), "BMP3 33 17");
  EXPECT_TRUE(SamePixels(MagickDecode(path.toStdString()), picture));
  EXPECT_TRUE(SamePixels(ReadBmp(path.toStdString()), picture));
}

// The bytes are Qt's BMP writer's: every row padding, a picture of one band and of several
// (about a megabyte each), a single row, the resolution a picture carries, another format.
TEST(BmpFile, WrittenBytesAreQtsWritersBytes) {
  QTemporaryDir dir;
  QImage dense = CoordinatePicture(40, 30);
  dense.setDotsPerMeterX(5000);
  dense.setDotsPerMeterY(1234);
  QImage unset = CoordinatePicture(5, 3);
  unset.setDotsPerMeterX(0);
  unset.setDotsPerMeterY(0);
  const QImage argb = CoordinatePicture(7, 5).convertToFormat(QImage::Format_ARGB32);
  const struct {
    const char* what;
    QImage picture;
  } rows[] = {
      {"1 x 1", CoordinatePicture(1, 1)},
      {"width padded by 1", CoordinatePicture(33, 17)},
      {"padded by 2", CoordinatePicture(34, 3)},
      {"padded by 3", CoordinatePicture(35, 2)},
      {"several bands", CoordinatePicture(1000, 700)},
      {"one row", CoordinatePicture(2000, 1)},
      {"its own resolution", dense},
      {"no resolution", unset},
      {"ARGB32", argb},
  };
  for (const auto& row : rows) {
    const QString ours = dir.filePath("ours.bmp"), qts = dir.filePath("qts.bmp");
    WriteBmp(row.picture, ours.toStdString());
    QImageWriter writer(qts, "bmp");
    ASSERT_TRUE(writer.write(row.picture.convertToFormat(QImage::Format_RGB32))) << row.what;
    EXPECT_EQ(ReadAll(ours), ReadAll(qts)) << row.what;
  }
}

// Rows out of order, or missing, leave the previous file as it was.
TEST(BmpFile, RowsOutOfOrderFailTheWrite) {
  QTemporaryDir dir;
  const QString path = dir.filePath("out.bmp");
  WriteBmp(CoordinatePicture(4, 4), path.toStdString());
  const QByteArray before = ReadAll(path);
  const QImage picture = CoordinatePicture(4, 3);
  const auto row = [&picture](int y) { return reinterpret_cast<const QRgb*>(picture.constScanLine(y)); };
  {
    TBmpRowWriter skipped(path.toStdString(), picture.size(), {});
    skipped.Put(0, row(0));
    skipped.Put(2, row(2));
    EXPECT_THROW(skipped.Commit(), TFileWriteError);
  }
  {
    TBmpRowWriter shortOfRows(path.toStdString(), picture.size(), {});
    shortOfRows.Put(0, row(0));
    shortOfRows.Put(1, row(1));
    EXPECT_THROW(shortOfRows.Commit(), TFileWriteError);
  }
  EXPECT_EQ(ReadAll(path), before);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"out.bmp"});
}

TEST(BmpFile, EmptyPictureGivesZeroSizeBitmap) {
  QTemporaryDir dir;
  const QString path = dir.filePath("empty.bmp");
  WriteBmp(QImage(), path.toStdString());
  const QByteArray bytes = ReadAll(path);
  ASSERT_EQ(bytes.size(), 54);
  EXPECT_TRUE(bytes.startsWith("BM"));
  EXPECT_TRUE(Output("file", {"-b", path}).startsWith("PC bitmap, Windows 3.x format, 0 x 0 x 24"));
}

TEST(BmpFile, WriteIntoMissingFolderThrows) {
  QTemporaryDir dir;
  EXPECT_THROW(WriteBmp(CoordinatePicture(2, 2), dir.filePath("missing/out.bmp").toStdString()), TFileWriteError);
}

// Files may grow to 4 KiB only while it lives; writes beyond fail with EFBIG.
class FileSizeLimit {
 public:
  FileSizeLimit() {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  void (*previousHandler_)(int) = nullptr;
};

TEST(BmpFile, FailedWriteLeavesPreviousFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath("out.bmp");
  WriteBmp(CoordinatePicture(4, 4), path.toStdString());
  const QByteArray before = ReadAll(path);
  {
    FileSizeLimit limit;
    EXPECT_THROW(WriteBmp(CoordinatePicture(200, 200), path.toStdString()), TFileWriteError);
  }
  EXPECT_EQ(ReadAll(path), before);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"out.bmp"});
}

}  // namespace
