// Helpers shared by the picture tests: test data paths, reference decodes by other
// programs (libjpeg-turbo's djpeg, ImageMagick's convert) and pixel comparison.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <cstdlib>
#include <string>

inline std::string DataFile(const std::string& relative) { return std::string(TESSERINE_TEST_DATA) + "/" + relative; }

// What program writes to stdout as a PNM picture, converted to Format_RGB32; empty when the
// program fails or writes no picture.
inline QImage ReferenceDecode(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) return {};
  const QImage picture = QImage::fromData(process.readAllStandardOutput());
  return picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32);
}

inline QImage Djpeg(const std::string& path) {
  return ReferenceDecode("djpeg", {"-pnm", QString::fromStdString(path)});
}

inline QImage MagickDecode(const std::string& path) {
  return ReferenceDecode("convert", {QString::fromStdString(path), "-depth", "8", "ppm:-"});
}

// Success when both pictures have the same size and the same colour in every pixel, each
// channel within tolerance (alpha ignored, since RGB32 and opaque ARGB32 carry the same
// colours).
inline ::testing::AssertionResult SamePixels(const QImage& actual, const QImage& expected, int tolerance = 0) {
  const auto near = [tolerance](QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
  };
  if (actual.size() != expected.size())
    return ::testing::AssertionFailure() << "size " << actual.width() << "x" << actual.height() << " instead of "
                                         << expected.width() << "x" << expected.height();
  for (int y = 0; y < actual.height(); ++y)
    for (int x = 0; x < actual.width(); ++x)
      if (!near(actual.pixel(x, y), expected.pixel(x, y)))
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex << actual.pixel(x, y)
                                             << " instead of " << expected.pixel(x, y);
  return ::testing::AssertionSuccess();
}

// A picture in which every pixel has its own colour: red = x, green = y, blue = x / 256.
inline QImage CoordinatePicture(int width, int height) {
  QImage picture(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.setPixel(x, y, qRgb(x % 256, y % 256, x / 256 + 16 * (y / 256)));
  return picture;
}
