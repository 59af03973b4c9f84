// Helpers shared by the picture tests: test data paths, reference decodes by other
// programs (libjpeg-turbo's djpeg, ImageMagick's convert) and by Qt's readers, the exact
// area average of a picture, and pixel comparison.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>

#include "picture/PictureErrors.h"
#include "picture/RowSink.h"

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

// What Qt's PNG or WebP reader, pinned to the format, makes of bytes, its transparent pixels
// composited over black: the picture, or the message a decoder reports for name when the
// reader fails ("<title> error in \"<name>\": <reason>").
struct TQtDecode {
  QImage picture;
  std::string error;
};

inline TQtDecode QtReaderDecode(const QByteArray& bytes, const char* format, const std::string& name) {
  QByteArray data = bytes;
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, format);
  reader.setAutoDetectImageFormat(false);
  const std::string title = std::string(format) == "png" ? "PNG" : "WebP";
  const auto failed = [&] {
    return TQtDecode{{}, title + " error in \"" + name + "\": " + reader.errorString().toStdString()};
  };
  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty()) return failed();
  QImage decoded;
  if (!reader.read(&decoded)) return failed();
  QImage picture =
      decoded.convertToFormat(decoded.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) reinterpret_cast<QRgb*>(picture.scanLine(y))[x] |= 0xff000000u;
  picture.reinterpretAsFormat(QImage::Format_RGB32);
  return {picture, {}};
}

inline QByteArray FileBytesOf(const std::string& path) {
  QFile file(QString::fromStdString(path));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The mean of the part of source each pixel of a picture of size covers, pixels cut by its
// edges weighted by the part inside, rounded half up: computed pixel by pixel over the whole
// rectangle, in whole numbers (source pixels as size units across and down).
inline QImage ExactAreaAverage(const QImage& source, QSize size) {
  const std::int64_t sw = source.width(), sh = source.height(), dw = size.width(), dh = size.height();
  const auto overlap = [](std::int64_t a0, std::int64_t a1, std::int64_t b0, std::int64_t b1) {
    return std::max<std::int64_t>(0, std::min(a1, b1) - std::max(a0, b0));
  };
  QImage out(size, QImage::Format_RGB32);
  const std::int64_t area = sw * sh;
  for (std::int64_t oy = 0; oy < dh; ++oy)
    for (std::int64_t ox = 0; ox < dw; ++ox) {
      std::int64_t sum[3] = {};
      for (std::int64_t y = oy * sh / dh; y <= ((oy + 1) * sh - 1) / dh; ++y)
        for (std::int64_t x = ox * sw / dw; x <= ((ox + 1) * sw - 1) / dw; ++x) {
          const std::int64_t weight = overlap(x * dw, (x + 1) * dw, ox * sw, (ox + 1) * sw) *
                                      overlap(y * dh, (y + 1) * dh, oy * sh, (oy + 1) * sh);
          const QRgb p = source.pixel(static_cast<int>(x), static_cast<int>(y));
          sum[0] += weight * qRed(p);
          sum[1] += weight * qGreen(p);
          sum[2] += weight * qBlue(p);
        }
      const auto level = [&](int c) { return static_cast<int>((sum[c] + area / 2) / area); };
      out.setPixel(static_cast<int>(ox), static_cast<int>(oy), qRgb(level(0), level(1), level(2)));
    }
  return out;
}

// The mean and the largest difference of any channel between two pictures of one size.
struct TPixelErrors {
  double mean = 0;
  int largest = 0;
};

inline TPixelErrors PixelErrors(const QImage& a, const QImage& b) {
  TPixelErrors errors;
  double sum = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      for (const int d :
           {std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))}) {
        sum += d;
        errors.largest = std::max(errors.largest, d);
      }
    }
  errors.mean = sum / (3.0 * a.width() * a.height());
  return errors;
}

// Qt's readers leave libpng's error messages on stderr; the tests that make them fail on
// purpose keep them out of the log.
class TQuietStderr {
 public:
  TQuietStderr() : saved_(::dup(STDERR_FILENO)) {
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, STDERR_FILENO);
    ::close(null);
  }
  ~TQuietStderr() {
    ::dup2(saved_, STDERR_FILENO);
    ::close(saved_);
  }
  TQuietStderr(const TQuietStderr&) = delete;
  TQuietStderr& operator=(const TQuietStderr&) = delete;

 private:
  int saved_;
};

// How a decode ends: its picture, or its exception's type and message.
struct TOutcome {
  QImage picture;
  std::string error;
};

inline TOutcome Outcome(const std::function<QImage()>& decode) {
  try {
    return {decode(), {}};
  } catch (const TDecodeError& error) {
    return {{}, std::string("TDecodeError: ") + error.what()};
  } catch (const std::exception& error) {
    return {{}, std::string("other: ") + error.what()};
  }
}

// A row sink that gathers the rows it is handed into a picture and counts them.
struct TGatheredRows {
  QImage picture;
  int rows = 0;
  TRowSink Sink() { return {this, Start, Row}; }
  static void Start(void* context, QSize size) noexcept {
    static_cast<TGatheredRows*>(context)->picture = QImage(size, QImage::Format_RGB32);
  }
  static void Row(void* context, int y, const QRgb* pixels) noexcept {
    auto& gathered = *static_cast<TGatheredRows*>(context);
    std::copy_n(pixels, gathered.picture.width(), reinterpret_cast<QRgb*>(gathered.picture.scanLine(y)));
    ++gathered.rows;
  }
};

// The process's peak resident memory so far.
inline std::int64_t PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}
