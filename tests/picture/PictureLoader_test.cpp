#include "picture/PictureLoader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "picture/BmpFile.h"
#include "picture/GifImage.h"
#include "picture/JpegDecoder.h"
#include "picture/PictureCache.h"
#include "picture/PictureErrors.h"
#include "picture/PictureFormat.h"
#include "picture/PictureTestTools.h"
#include "picture/PngDecoder.h"
#include "picture/WebpDecoder.h"

namespace {

TEST(UpperExt, FromTheLastDotOfTheFileName) {
  const std::pair<const char*, const char*> cases[] = {
      {"/pics/a.jpg", ".JPG"},
      {"/pics/a.Jpeg", ".JPEG"},
      {"/pics/a.b.gif", ".GIF"},
      {"/pics/noext", ""},
      {"/pics.d/noext", ""},
      {"/pics.d/a.bmp", ".BMP"},
      {"a.tar.gz", ".GZ"},
      {"", ""},
      {"/pics/trailing.", "."},
      {"/pics/.hidden", ".HIDDEN"},
      {"/pics/\xe9t\xe9.j\xe9", ".J\xe9"},
  };
  for (const auto& [path, ext] : cases) EXPECT_EQ(UpperExt(path), ext) << path;
}

TEST(PictureFormatOf, ByExtensionInAnyCase) {
  using enum PictureFormat;
  const std::pair<const char*, PictureFormat> cases[] = {
      {"/p/a.png", Png},        {"/p/a.PNG", Png},    {"/p/a.WebP", Webp}, {"/p/a.webp", Webp},
      {"/p/a.jpeg", Jpeg},      {"/p/a.Jpg", Jpeg},   {"/p/a.gif", Gif},   {"/p/a.bmp", Bitmap},
      {"/p/a.png.tif", Bitmap}, {"/p.png/a", Bitmap}, {"/p/a.pn", Bitmap}, {"/p/a.webpx", Bitmap},
      {"/p/png", Bitmap},       {"", Bitmap},
  };
  for (const auto& [path, format] : cases) EXPECT_EQ(PictureFormatOf(path), format) << path;
}

class PictureFiles : public ::testing::Test {
 protected:
  // A copy of a test data file under a name of the test's choice.
  std::string Copy(const char* source, const QString& name) {
    const QString target = dir.filePath(name);
    QDir().mkpath(QFileInfo(target).path());
    QFile::remove(target);
    EXPECT_TRUE(QFile::copy(QString::fromStdString(DataFile(source)), target));
    return target.toStdString();
  }
  std::string Missing(const QString& name) { return dir.filePath(name).toStdString(); }

  QTemporaryDir dir;
};

TEST_F(PictureFiles, DecoderFollowsTheExtension) {
  const QImage rose = LoadPicture(DataFile("ok/rose24.bmp"));
  const QImage jpeg = DecodeJpeg(DataFile("ok/baseline.jpg"));
  const QImage png = DecodePng(DataFile("ok/rose.png"));
  const QImage webp = DecodeWebp(DataFile("ok/lossless.webp"));
  ASSERT_TRUE(SamePixels(png, rose)) << "the same rose as a bitmap and a PNG";
  const std::pair<std::string, QImage> cases[] = {
      {Copy("ok/baseline.jpg", "lower.jpeg"), jpeg},     {Copy("ok/baseline.jpg", "mixed.Jpg"), jpeg},
      {Copy("ok/baseline.jpg", "upper.JPG"), jpeg},      {Copy("ok/rose24.bmp", "noext"), rose},
      {Copy("ok/rose24.bmp", "dotted.dir/noext"), rose}, {Copy("ok/rose24.bmp", "other.tif"), rose},
      {Copy("ok/rose24.bmp", "dib.DIB"), rose},          {Copy("ok/rose.png", "upper.PNG"), png},
      {Copy("ok/lossless.webp", "mixed.WebP"), webp},
  };
  for (const auto& [path, expected] : cases) EXPECT_TRUE(SamePixels(LoadPicture(path), expected)) << path;
  const QImage gif = LoadPicture(Copy("ok/anim.gif", "anim.Gif"));
  EXPECT_EQ(gif.size(), QSize(8, 6));
  EXPECT_EQ(gif.pixel(1, 1), qRgb(10, 20, 30));
}

TEST_F(PictureFiles, ExpectedFailuresGiveAnEmptyPicture) {
  const std::string cases[] = {
      Missing("missing.jpg"),
      Missing("missing.gif"),
      Missing("missing.bmp"),
      Missing("missing"),
      Copy("bad/truncated.jpg", "cut.jpg"),
      Copy("bad/random.jpg", "random.jpeg"),
      Copy("ok/rose24.bmp", "bitmap.jpg"),
      Copy("bad/random.gif", "random.gif"),
      Copy("bad/cut-in-first-frame.gif", "cut.GIF"),
      Copy("ok/baseline.jpg", "jpeg.gif"),
      Missing("missing.png"),
      Missing("missing.webp"),
      Copy("bad/truncated.png", "cut.png"),
      Copy("bad/garbage-after-header.webp", "noise.webp"),
      Copy("ok/rose24.bmp", "bitmap.png"),
      Copy("ok/rose.png", "png.webp"),
  };
  for (const std::string& path : cases) {
    QImage picture;
    ASSERT_NO_THROW(picture = LoadPicture(path)) << path;
    if (path.ends_with("cut.jpg"))
      EXPECT_EQ(picture.size(), QSize(70, 46)) << "a cut JPEG keeps what libjpeg decoded";
    else
      EXPECT_TRUE(picture.isNull()) << path;
  }
}

TEST_F(PictureFiles, InvalidBitmapAndTooLargeReachTheCaller) {
  EXPECT_THROW(LoadPicture(Copy("ok/baseline.jpg", "photo.bmp")), TInvalidBitmap);
  EXPECT_THROW(LoadPicture(Copy("bad/random.bmp", "noise")), TInvalidBitmap);
  EXPECT_THROW(LoadPicture(Copy("bad/empty.bmp", "empty.tiff")), TInvalidBitmap);
  EXPECT_THROW(LoadPicture(Copy("ok/rose.png", "photo.bmp")), TInvalidBitmap);
  EXPECT_THROW(LoadPicture(Copy("ok/rose.webp", "photo.tga")), TInvalidBitmap);
  EXPECT_THROW(LoadPicture(Copy("bad/huge.png", "huge.Png")), TPictureTooLarge);
  EXPECT_THROW(LoadPicture(Copy("bad/canvas-20000.webp", "huge.webp")), TPictureTooLarge);
  EXPECT_THROW(LoadPicture(Copy("bad/sof-60000.jpg", "huge.jpg")), TPictureTooLarge);
  EXPECT_THROW(LoadPicture(Copy("bad/screen-65535.gif", "huge.gif")), TPictureTooLarge);
  EXPECT_THROW(LoadPicture(Copy("bad/huge.bmp", "huge.bmp")), TPictureTooLarge);
}

TEST_F(PictureFiles, CacheDecodesOnlyWhenTheNameChanges) {
  const std::string path = Copy("ok/rose24.bmp", "a.bmp");
  TPictureCache cache;
  cache.Load(path);
  EXPECT_EQ(cache.SourceName(), path);
  EXPECT_EQ(cache.SourceBitmap().size(), QSize(70, 46));

  Copy("ok/rose1.bmp", "a.bmp");
  const QImage before = cache.SourceBitmap();
  cache.Load(path);
  EXPECT_TRUE(SamePixels(cache.SourceBitmap(), before)) << "same name, no new decode";

  cache.Clear();
  EXPECT_EQ(cache.SourceName(), "");
  EXPECT_TRUE(cache.SourceBitmap().isNull());
  cache.Load(path);
  EXPECT_TRUE(SamePixels(cache.SourceBitmap(), LoadPicture(DataFile("ok/rose1.bmp"))));
}

TEST_F(PictureFiles, CacheNameComparisonIsCaseSensitive) {
  const std::string upper = Copy("ok/rose24.bmp", "A.bmp");
  const std::string lower = Copy("ok/rose1.bmp", "a.bmp");
  TPictureCache cache;
  cache.Load(upper);
  cache.Load(lower);
  EXPECT_EQ(cache.SourceName(), lower);
  EXPECT_TRUE(SamePixels(cache.SourceBitmap(), LoadPicture(DataFile("ok/rose1.bmp"))));
}

TEST_F(PictureFiles, InvalidBitmapIsNotDecodedAgain) {
  const std::string good = Copy("ok/rose24.bmp", "good.bmp");
  const std::string bad = Copy("bad/random.bmp", "bad.bmp");
  TPictureCache cache;
  cache.Load(good);
  EXPECT_THROW(cache.Load(bad), TInvalidBitmap);
  EXPECT_EQ(cache.SourceName(), bad);
  EXPECT_TRUE(cache.SourceBitmap().isNull()) << "the previous picture is gone";
  EXPECT_NO_THROW(cache.Load(bad));
  EXPECT_TRUE(cache.SourceBitmap().isNull());
}

TEST_F(PictureFiles, ReleasedPictureIsDecodedAgainUnlessItFailed) {
  const std::string path = Copy("ok/rose24.bmp", "a.bmp");
  TPictureCache cache;
  cache.Load(path);
  cache.Release();
  EXPECT_TRUE(cache.SourceBitmap().isNull());
  EXPECT_EQ(cache.SourceName(), path);
  Copy("ok/rose1.bmp", "a.bmp");
  cache.Load(path);
  EXPECT_TRUE(SamePixels(cache.SourceBitmap(), LoadPicture(DataFile("ok/rose1.bmp"))));
  const QImage loaded = cache.SourceBitmap();
  cache.Load(path);
  EXPECT_EQ(cache.SourceBitmap().cacheKey(), loaded.cacheKey()) << "decoded once after the release";

  const std::string bad = Copy("bad/random.bmp", "bad.bmp");
  EXPECT_THROW(cache.Load(bad), TInvalidBitmap);
  cache.Release();
  EXPECT_NO_THROW(cache.Load(bad)) << "the error of a name is raised once";
}

TEST_F(PictureFiles, DeletedFileKeepsTheLoadedPicture) {
  const std::string path = Copy("ok/baseline.jpg", "gone.jpg");
  TPictureCache cache;
  cache.Load(path);
  QFile::remove(QString::fromStdString(path));
  cache.Load(path);
  EXPECT_EQ(cache.SourceBitmap().size(), QSize(70, 46));
}

// Only a regular file is read: a device feeds a decoder endless bytes, and a FIFO would
// block it until some writer appeared.
TEST_F(PictureFiles, DevicesAreNotPictures) {
  for (const std::string device : {"/dev/null", "/dev/zero"}) {
    EXPECT_THROW(DecodeJpeg(device), TFileOpenError) << device;
    EXPECT_THROW(DecodeGif(device), TFileOpenError) << device;
    EXPECT_THROW(ReadBmp(device), TFileOpenError) << device;
  }
}

TEST_F(PictureFiles, FifoGivesAnEmptyPictureWithoutWaiting) {
  for (const char* name : {"pipe.jpg", "pipe.gif", "pipe.bmp"}) {
    const std::string path = Missing(name);
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    QImage picture;
    ASSERT_NO_THROW(picture = LoadPicture(path)) << path;
    EXPECT_TRUE(picture.isNull()) << path;
  }
}

}  // namespace
