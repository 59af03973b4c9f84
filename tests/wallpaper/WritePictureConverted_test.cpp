// The converted file of a whole picture written row by row as it is decoded: the same bytes
// as the converted file of the decoded picture, and the previous file kept on any failure.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "picture/PictureErrors.h"
#include "picture/PictureLoader.h"
#include "picture/PictureTestTools.h"
#include "wallpaper/ConvertedBitmap.h"

namespace {

QByteArray Bytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

TEST(WritePictureConverted, SameBytesAsTheDecodedPicturesConvertedFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  // Odd widths: each bitmap row is padded to four bytes.
  std::vector<std::string> files;
  QImage picture = CoordinatePicture(37, 23);
  QImage transparent = picture.convertToFormat(QImage::Format_ARGB32);
  for (int x = 0; x < transparent.width(); ++x) transparent.setPixel(x, 5, qRgba(200, 100, 50, x * 7));
  for (const auto& [name, format, source] : {std::tuple{"odd.jpg", "JPG", &picture},
                                             {"odd.png", "PNG", &picture},
                                             {"alpha.png", "PNG", &transparent},
                                             {"odd.webp", "WEBP", &picture},
                                             {"alpha.webp", "WEBP", &transparent}}) {
    const QString path = dir.filePath(name);
    ASSERT_TRUE(source->save(path, format, 90)) << name;
    files.push_back(path.toStdString());
  }
  for (const char* file : {"ok/baseline.jpg", "ok/444.jpg", "ok/progressive.jpg", "ok/restart.jpg", "ok/grey.jpg",
                           "ok/cmyk.jpg", "ok/rose.png", "ok/interlaced.png", "ok/rose48.png", "ok/palette.png",
                           "ok/rose.webp", "ok/lossless.webp", "ok/anim.webp", "ok/rose24.bmp"})
    files.push_back(DataFile(file));
  for (const std::string& file : files) {
    const std::string rows = dir.filePath("rows.BMP").toStdString();
    const std::string whole = dir.filePath("whole.BMP").toStdString();
    WritePictureConverted(file, rows);
    WriteConverted(DecodeStillPicture(file), std::nullopt, whole);
    EXPECT_EQ(Bytes(QString::fromStdString(rows)), Bytes(QString::fromStdString(whole))) << file;
  }
}

TEST(WritePictureConverted, FailureKeepsThePreviousFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Tesserina Convert.BMP");
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("previous contents");
  }
  for (const char* file : {"missing.jpg", "missing.png", "missing.webp"})
    EXPECT_THROW(WritePictureConverted(DataFile(file), path.toStdString()), TFileOpenError) << file;
  for (const char* file : {"bad/random.jpg", "bad/truncated.png", "bad/idat-crc.png", "bad/truncated.webp"})
    EXPECT_THROW(WritePictureConverted(DataFile(file), path.toStdString()), TDecodeError) << file;
  EXPECT_EQ(Bytes(path), QByteArray("previous contents"));
  EXPECT_THROW(WritePictureConverted(DataFile("ok/baseline.jpg"), dir.filePath("no folder/x.BMP").toStdString()),
               TFileWriteError);
}

}  // namespace
