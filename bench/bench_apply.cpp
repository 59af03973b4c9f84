// Whole-process cost of applying a large JPEG as STRETCH on the X root window, against
// feh --bg-scale of the same file on the same display, run alternately.
//
//   bench_apply [runs] [picture.jpg]   compare (default 10 runs of each; a 6000 x 4000
//                                      JPEG is made when no picture is given)
//   bench_apply --once picture.jpg     one apply in this process (what is timed)
//
// Needs $DISPLAY (an Xvfb at 1920 x 1080 for the reference figures), feh and cjpeg.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "picture/PictureLoader.h"
#include "platform/desktop/DesktopValues.h"
#include "platform/desktop/x11/X11RootBackend.h"
#include "wallpaper/ConvertedBitmap.h"
#include "wallpaper/WallpaperApply.h"

// Xlib after Qt: its macros (Status, Bool) break Qt headers.
// clang-format off
#include <X11/Xlib.h>
// clang-format on

namespace {

QSize RootSize() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return {};
  const QSize size(DisplayWidth(display, DefaultScreen(display)), DisplayHeight(display, DefaultScreen(display)));
  XCloseDisplay(display);
  return size;
}

int ApplyOnce(const std::string& jpeg, const QString& folder) {
  ApplyRequest request;
  request.name = jpeg;
  request.code = DispObj::Stretch;
  request.plusInstalled = false;
  request.convertFileName = ConvertFileName(folder.toStdString());
  request.screenSize = RootSize();
  if (request.screenSize.isEmpty()) {
    std::fprintf(stderr, "no X display\n");
    return 1;
  }
  TDesktopWallpaper desktop(std::make_unique<TDesktopValues>(folder), std::make_unique<TX11RootBackend>());
  QImage picture;
  ApplyToDesktop(
      request,
      [&]() -> const QImage& {
        picture = LoadPicture(jpeg);
        return picture;
      },
      desktop);
  return picture.size() == QSize() ? 1 : 0;
}

// A 6000 x 4000 picture with detail everywhere, so the JPEG is of a realistic size.
bool MakeJpeg(const QString& path) {
  QImage image(6000, 4000, QImage::Format_RGB888);
  for (int y = 0; y < image.height(); ++y) {
    uchar* row = image.scanLine(y);
    for (int x = 0; x < image.width(); ++x) {
      row[3 * x] = static_cast<uchar>((x * 7 + y * 3) ^ (x >> 3));
      row[3 * x + 1] = static_cast<uchar>((y * 5) ^ (x * y >> 9));
      row[3 * x + 2] = static_cast<uchar>(x + y);
    }
  }
  const QString ppm = path + ".ppm";
  if (!image.save(ppm, "PPM")) return false;
  QProcess cjpeg;
  cjpeg.setStandardOutputFile(path);
  cjpeg.start("cjpeg", {"-quality", "90", ppm});
  const bool ok = cjpeg.waitForFinished(-1) && cjpeg.exitCode() == 0;
  QFile::remove(ppm);
  return ok;
}

double TimeProcess(const QString& program, const QStringList& arguments) {
  QElapsedTimer timer;
  timer.start();
  const int status = QProcess::execute(program, arguments);
  const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
  if (status != 0) std::fprintf(stderr, "%s failed (%d)\n", qPrintable(program), status);
  return ms;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int Compare(int runs, QString jpeg, const QString& self) {
  QTemporaryDir dir;
  if (jpeg.isEmpty()) {
    jpeg = dir.path() + "/big.jpg";
    if (!MakeJpeg(jpeg)) {
      std::fprintf(stderr, "cannot make the test JPEG (cjpeg missing?)\n");
      return 1;
    }
  }
  const QSize screen = RootSize();
  std::vector<double> ours, feh;
  for (int i = 0; i < runs; ++i) {
    ours.push_back(TimeProcess(self, {"--once", jpeg}));
    feh.push_back(TimeProcess("feh", {"--no-fehbg", "--bg-scale", jpeg}));
  }
  const double a = Median(ours), b = Median(feh);
  std::printf("screen %dx%d, picture %s, %d alternating runs each\n", screen.width(), screen.height(), qPrintable(jpeg),
              runs);
  std::printf("tesserine apply  median %8.1f ms  (min %.1f, max %.1f)\n", a,
              *std::min_element(ours.begin(), ours.end()), *std::max_element(ours.begin(), ours.end()));
  std::printf("feh --bg-scale   median %8.1f ms  (min %.1f, max %.1f)\n", b, *std::min_element(feh.begin(), feh.end()),
              *std::max_element(feh.begin(), feh.end()));
  std::printf("ratio tesserine / feh: %.2f\n", a / b);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() >= 3 && args[1] == "--once") {
    QTemporaryDir folder;
    return ApplyOnce(args[2].toStdString(), folder.path());
  }
  const int runs = args.size() >= 2 ? std::max(1, args[1].toInt()) : 10;
  return Compare(runs, args.size() >= 3 ? args[2] : QString(), app.applicationFilePath());
}
