// How close a program-stretched wallpaper comes to the ideal reduction of its picture:
// the stretch from the whole decode (as the hidden agent did before it decoded reduced) and
// the stretch from the reduced decode (DecodeStillPictureFor: a JPEG at N/8 then averaged, a
// WebP scaled by libwebp, a PNG averaged row by row), each against an area average of the
// whole decode over the screen's pixels. Mean and largest error per channel.
//
//   bench_stretch_quality [WxH screen] [picture.jpg|.png|.webp ...]
//
// Without pictures it makes two 6000 x 4000 JPEGs (quality 90): a zone plate, whose rings
// run up to the finest detail a picture can hold, and a fractal plasma from ImageMagick
// (convert, seed 1, softened), whose detail falls off as a photograph's does; and the same
// two as WebP (quality 90) and as PNG.

#include <QCoreApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <optional>
#include <vector>

#include "picture/PictureLoader.h"
#include "wallpaper/ConvertedBitmap.h"

namespace {

// The source interval [a, b) of output cell i of n over length, and its overlap with pixel p.
double Overlap(int p, int i, int n, int length) {
  const double a = static_cast<double>(i) * length / n, b = static_cast<double>(i + 1) * length / n;
  return std::max(0.0, std::min<double>(p + 1, b) - std::max<double>(p, a));
}

// Each output pixel the mean of the source area it covers, partial pixels weighted by the
// part they cover; computed row by row so the whole picture is never held as doubles.
QImage AreaAverage(const QImage& source, QSize size) {
  const int sw = source.width(), sh = source.height(), dw = size.width(), dh = size.height();
  QImage out(size, QImage::Format_RGB32);
  std::vector<double> row(static_cast<size_t>(dw) * 3), acc(static_cast<size_t>(dw) * 3);
  const double cellArea = (static_cast<double>(sw) / dw) * (static_cast<double>(sh) / dh);
  for (int oy = 0; oy < dh; ++oy) {
    std::fill(acc.begin(), acc.end(), 0.0);
    const int y0 = static_cast<int>(std::floor(static_cast<double>(oy) * sh / dh));
    const int y1 = std::min(sh, static_cast<int>(std::ceil(static_cast<double>(oy + 1) * sh / dh)));
    for (int y = y0; y < y1; ++y) {
      const double wy = Overlap(y, oy, dh, sh);
      if (wy <= 0) continue;
      std::fill(row.begin(), row.end(), 0.0);
      const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
      for (int ox = 0; ox < dw; ++ox) {
        const int x0 = static_cast<int>(std::floor(static_cast<double>(ox) * sw / dw));
        const int x1 = std::min(sw, static_cast<int>(std::ceil(static_cast<double>(ox + 1) * sw / dw)));
        for (int x = x0; x < x1; ++x) {
          const double wx = Overlap(x, ox, dw, sw);
          row[3 * ox] += wx * qRed(line[x]);
          row[3 * ox + 1] += wx * qGreen(line[x]);
          row[3 * ox + 2] += wx * qBlue(line[x]);
        }
      }
      for (size_t i = 0; i < acc.size(); ++i) acc[i] += wy * row[i];
    }
    auto* outLine = reinterpret_cast<QRgb*>(out.scanLine(oy));
    for (int ox = 0; ox < dw; ++ox) {
      const auto channel = [&](int c) { return static_cast<int>(std::lround(acc[3 * ox + c] / cellArea)); };
      outLine[ox] = qRgb(channel(0), channel(1), channel(2));
    }
  }
  return out;
}

struct Errors {
  double mean[3] = {};
  int largest[3] = {};
};

Errors Compare(const QImage& a, const QImage& b) {
  Errors e;
  double sum[3] = {};
  for (int y = 0; y < a.height(); ++y) {
    const auto* la = reinterpret_cast<const QRgb*>(a.constScanLine(y));
    const auto* lb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
    for (int x = 0; x < a.width(); ++x) {
      const int d[3] = {std::abs(qRed(la[x]) - qRed(lb[x])), std::abs(qGreen(la[x]) - qGreen(lb[x])),
                        std::abs(qBlue(la[x]) - qBlue(lb[x]))};
      for (int c = 0; c < 3; ++c) {
        sum[c] += d[c];
        e.largest[c] = std::max(e.largest[c], d[c]);
      }
    }
  }
  const double n = static_cast<double>(a.width()) * a.height();
  for (int c = 0; c < 3; ++c) e.mean[c] = sum[c] / n;
  return e;
}

void Print(const char* what, const Errors& e) {
  std::printf("  %-28s mean R %6.2f G %6.2f B %6.2f   largest R %3d G %3d B %3d\n", what, e.mean[0], e.mean[1],
              e.mean[2], e.largest[0], e.largest[1], e.largest[2]);
}

bool RunsOk(const QString& program, const QStringList& arguments) { return QProcess::execute(program, arguments) == 0; }

bool MakeZonePlate(const QString& path) {
  QImage image(6000, 4000, QImage::Format_RGB32);
  const double cx = 3000, cy = 2000;
  // The phase k r^2 reaches half a cycle per pixel at the corners.
  const double k = std::numbers::pi / (2 * std::hypot(cx, cy));
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const double r2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
      const auto level = [](double v) { return static_cast<int>(std::lround(127.5 + 127.5 * v)); };
      line[x] = qRgb(level(std::cos(k * r2)), level(std::sin(k * r2)), (x + y) * 255 / 9998);
    }
  }
  return image.save(path, "JPEG", 90);
}

bool MakePlasma(const QString& path) {
  return RunsOk("convert",
                {"-seed", "1", "-size", "6000x4000", "plasma:fractal", "-blur", "0x1.5", "-quality", "90", path});
}

void Measure(const QString& path, QSize screen) {
  const std::string name = path.toStdString();
  QImage whole, reduced;
  try {
    whole = DecodeStillPicture(name);
    reduced = DecodeStillPictureFor(name, {screen, false}).picture;
  } catch (const std::exception& error) {
    std::printf("%s: cannot be decoded: %s\n", qPrintable(path), error.what());
    return;
  }
  const QImage ideal = AreaAverage(whole, screen);
  std::printf("%s: %dx%d, decoded at %dx%d for %dx%d\n", qPrintable(path), whole.width(), whole.height(),
              reduced.width(), reduced.height(), screen.width(), screen.height());
  Print("whole decode, stretched", Compare(StretchPicture(whole, screen), ideal));
  Print("reduced decode, stretched", Compare(StretchPicture(reduced, screen), ideal));
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  QSize screen(1920, 1080);
  if (!args.isEmpty() && args.front().contains('x') && !args.front().endsWith(".jpg")) {
    const QStringList wh = args.takeFirst().split('x');
    screen = QSize(wh[0].toInt(), wh[1].toInt());
  }
  QTemporaryDir dir;
  if (args.isEmpty()) {
    const QString zone = dir.filePath("zoneplate.jpg"), plasma = dir.filePath("plasma.jpg");
    if (!MakeZonePlate(zone) || !MakePlasma(plasma)) {
      std::fprintf(stderr, "cannot make the test pictures (ImageMagick's convert missing?)\n");
      return 1;
    }
    args = {zone, plasma};
    for (const QString& source : {zone, plasma})
      for (const QString& ext : {QString("webp"), QString("png")}) {
        const QString made = source.chopped(3) + ext;
        if (!RunsOk("convert", {source, "-quality", "90", made})) {
          std::fprintf(stderr, "cannot make the %s test pictures\n", qPrintable(ext));
          return 1;
        }
        args << made;
      }
  }
  for (const QString& path : args) Measure(path, screen);
  return 0;
}
