// The converted file of a whole JPEG written row by row as it is decoded: the same bytes as
// the converted file of the decoded picture, and the previous file kept on any failure.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "picture/JpegDecoder.h"
#include "picture/PictureErrors.h"
#include "picture/PictureTestTools.h"
#include "wallpaper/ConvertedBitmap.h"

namespace {

QByteArray Bytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

TEST(WriteJpegConverted, SameBytesAsTheDecodedPicturesConvertedFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  // Odd widths: each bitmap row is padded to four bytes.
  const QString odd = dir.filePath("odd.jpg");
  QImage picture = CoordinatePicture(37, 23);
  ASSERT_TRUE(picture.save(odd, "JPG", 90));
  std::vector<std::string> files = {odd.toStdString()};
  for (const char* file :
       {"ok/baseline.jpg", "ok/444.jpg", "ok/progressive.jpg", "ok/restart.jpg", "ok/grey.jpg", "ok/cmyk.jpg"})
    files.push_back(DataFile(file));
  for (const std::string& file : files) {
    const std::string rows = dir.filePath("rows.BMP").toStdString();
    const std::string whole = dir.filePath("whole.BMP").toStdString();
    WriteJpegConverted(file, rows);
    WriteConverted(DecodeJpeg(file), std::nullopt, whole);
    EXPECT_EQ(Bytes(QString::fromStdString(rows)), Bytes(QString::fromStdString(whole))) << file;
  }
}

TEST(WriteJpegConverted, FailureKeepsThePreviousFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Tesserina Convert.BMP");
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("previous contents");
  }
  EXPECT_THROW(WriteJpegConverted(DataFile("missing.jpg"), path.toStdString()), TFileOpenError);
  EXPECT_THROW(WriteJpegConverted(DataFile("bad/random.jpg"), path.toStdString()), TDecodeError);
  EXPECT_EQ(Bytes(path), QByteArray("previous contents"));
  EXPECT_THROW(WriteJpegConverted(DataFile("ok/baseline.jpg"), dir.filePath("no folder/x.BMP").toStdString()),
               TFileWriteError);
}

}  // namespace
