// The cost of one fade at the display's size, driven through the desktop backends as the
// agent drives them, against a change at once of the same pictures in the same run.
//
//   bench_fade x11 [runs] [ms]       on $DISPLAY's root (an Xvfb at 1920 x 1080 for the
//                                    reference figures): frames shown, this process's and
//                                    the X server's processor time over the fade, and the
//                                    longest time the event loop went unserved
//   bench_fade wayland [runs] [ms]   through tesserine-background on $WAYLAND_DISPLAY (a
//                                    headless sway): frames shown and the background's
//                                    processor time over the fade, and its resident memory
//                                    once the fade is over
//
// Default: 5 runs of a 500 ms fade. bench/bench_fade.sh starts the servers and puts swaybg's
// memory beside ours.
#include <sys/resource.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "platform/desktop/background/BackgroundBackend.h"
#include "platform/desktop/x11/X11RootBackend.h"
#include "support/WaitFor.h"

namespace {

using std::chrono::milliseconds;

double OwnCpuMs() {
  rusage use{};
  getrusage(RUSAGE_SELF, &use);
  return (use.ru_utime.tv_sec + use.ru_stime.tv_sec) * 1000.0 + (use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1000.0;
}

// Processor time of another process, from /proc; -1 when it is gone.
double CpuMsOf(pid_t pid) {
  QFile stat(QString("/proc/%1/stat").arg(pid));
  if (pid <= 0 || !stat.open(QIODevice::ReadOnly)) return -1;
  const QByteArray text = stat.readAll();
  const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
  if (fields.size() < 13) return -1;
  return (fields[11].toDouble() + fields[12].toDouble()) * 1000.0 / sysconf(_SC_CLK_TCK);
}

double ResidentMbOf(pid_t pid) {
  QFile status(QString("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
  return -1;
}

// The first process with this name in /proc/<pid>/stat whose environment holds entry.
pid_t FindProcess(const QByteArray& name, const QByteArray& entry) {
  for (const QString& id : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    QFile stat("/proc/" + id + "/stat");
    QFile environ("/proc/" + id + "/environ");
    if (!stat.open(QIODevice::ReadOnly) || !stat.readAll().contains("(" + name + ") ")) continue;
    if (entry.isEmpty() || (environ.open(QIODevice::ReadOnly) && environ.readAll().split('\0').contains(entry)))
      return id.toInt();
  }
  return 0;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// Two pictures of smooth colour, as a photo's gradients would be.
std::string SavePicture(const QTemporaryDir& dir, int seed, QSize size) {
  QImage picture(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x)
      picture.setPixel(x, y,
                       qRgb((x * 255 / size.width() + seed * 90) % 256, (y * 255 / size.height()) % 256,
                            (seed * 120 + (x + y) / 8) % 256));
  const QString path = dir.filePath(QString("picture%1.bmp").arg(seed));
  picture.save(path, "BMP");
  return QFile::encodeName(path).toStdString();
}

int RunX11(int runs, milliseconds fade) {
  QTemporaryDir dir;
  // The server of this display: bench_fade.sh names it; else the first Xvfb there is.
  const pid_t server =
      qEnvironmentVariableIsSet("XVFB_PID") ? qEnvironmentVariableIntValue("XVFB_PID") : FindProcess("Xvfb", {});
  const std::string files[] = {SavePicture(dir, 1, {1920, 1080}), SavePicture(dir, 2, {1920, 1080})};
  TX11RootBackend x11;
  x11.Apply({files[1], WallpaperLayout::Stretch});
  std::vector<double> frames, ownMs, serverMs, handOverMs, stallMs, onceOwnMs, onceServerMs, onceMs;
  for (int run = 0; run < runs; ++run) {
    for (const bool fading : {true, false}) {
      const std::string& file = files[(run * 2 + (fading ? 0 : 1)) % 2];
      const int framesBefore = x11.FadeFrames();
      const double own = OwnCpuMs();
      const double serverBefore = CpuMsOf(server);
      // A timer that wants to run every millisecond shows how long the loop went unserved.
      QElapsedTimer sinceTick;
      qint64 longest = 0;
      QTimer probe;
      QObject::connect(&probe, &QTimer::timeout, [&] {
        longest = std::max(longest, sinceTick.elapsed());
        sinceTick.restart();
      });
      QElapsedTimer clock;
      clock.start();
      sinceTick.start();
      x11.FadeNext(fading ? fade : milliseconds(0));
      x11.Apply({file, WallpaperLayout::Stretch});
      // The hand-over itself (reading and drawing the file, sending the picture) is the same
      // with or without a fade; the steps that follow are the fade's.
      const qint64 handOver = sinceTick.elapsed();
      sinceTick.restart();
      probe.start(1);
      WaitForEvents([&] { return !x11.Fading(); }, 30000);
      probe.stop();
      if (fading) {
        frames.push_back(x11.FadeFrames() - framesBefore);
        ownMs.push_back(OwnCpuMs() - own);
        serverMs.push_back(CpuMsOf(server) - serverBefore);
        stallMs.push_back(static_cast<double>(longest));
        handOverMs.push_back(static_cast<double>(handOver));
      } else {
        onceMs.push_back(static_cast<double>(handOver));
        onceOwnMs.push_back(OwnCpuMs() - own);
        onceServerMs.push_back(CpuMsOf(server) - serverBefore);
      }
    }
  }
  const double fadeMs = static_cast<double>(fade.count());
  std::printf("X root, %d ms fade at 1920x1080, median of %d runs\n", static_cast<int>(fade.count()), runs);
  std::printf("  frames shown                 %6.0f\n", Median(frames));
  std::printf("  processor, this process      %6.1f ms  (change at once: %.1f ms)\n", Median(ownMs), Median(onceOwnMs));
  std::printf("  processor, X server          %6.1f ms  (change at once: %.1f ms)\n", Median(serverMs),
              Median(onceServerMs));
  std::printf("  share of one core over the fade: this process %.2f, with the server %.2f\n", Median(ownMs) / fadeMs,
              (Median(ownMs) + Median(serverMs)) / fadeMs);
  std::printf("  longest step of the fade (the event loop unserved): %.0f ms\n", Median(stallMs));
  std::printf("  the hand-over before it: %.0f ms (change at once: %.0f ms)\n", Median(handOverMs), Median(onceMs));
  return 0;
}

int RunWayland(int runs, milliseconds fade) {
  QTemporaryDir dir;
  TBackgroundBackend backend;
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  // The pictures at the output's size in device pixels, as the backend makes them.
  QSize size(1920, 1080);
  if (const auto connection = backend.Connect()) {
    const std::vector<BackgroundOutput> outputs = connection->Outputs();
    if (!outputs.empty()) size = outputs.front().size;
  }
  const std::string files[] = {SavePicture(dir, 1, size), SavePicture(dir, 2, size)};
  backend.Apply({files[1], WallpaperLayout::Stretch});
  const pid_t background = FindProcess("tesserine-backg", "XDG_RUNTIME_DIR=" + runtime.toLocal8Bit());
  if (background <= 0) {
    std::fprintf(stderr, "no tesserine-background runs\n");
    return 1;
  }
  const auto fadesOver = [&backend] { return WaitFor([&] { return backend.Connect()->Status().fading == 0; }, 30000); };
  std::vector<double> frames, cpuMs, onceMs, residentMb;
  for (int run = 0; run < runs; ++run) {
    for (const bool fading : {true, false}) {
      fadesOver();
      const int framesBefore = backend.Connect()->Status().frames;
      const double before = CpuMsOf(background);
      backend.FadeNext(fading ? fade : milliseconds(0));
      backend.Apply({files[(run * 2 + (fading ? 0 : 1)) % 2], WallpaperLayout::Stretch});
      fadesOver();
      // The landing frame is drawn by then; the release of the others follows at once.
      QThread::msleep(100);
      const double used = CpuMsOf(background) - before;
      if (fading) {
        frames.push_back(backend.Connect()->Status().frames - framesBefore);
        cpuMs.push_back(used);
        residentMb.push_back(ResidentMbOf(background));
      } else {
        onceMs.push_back(used);
      }
    }
  }
  std::printf("tesserine-background, %d ms fade at %dx%d, median of %d runs\n", static_cast<int>(fade.count()),
              size.width(), size.height(), runs);
  std::printf("  frames shown                 %6.0f\n", Median(frames));
  std::printf("  processor                    %6.1f ms  (change at once: %.1f ms)\n", Median(cpuMs), Median(onceMs));
  std::printf("  share of one core over the fade: %.2f\n", Median(cpuMs) / static_cast<double>(fade.count()));
  std::printf("  resident after the fade      %6.1f MB\n", Median(residentMb));
  std::printf("background-pid %d\n", background);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QString mode = argc > 1 ? argv[1] : "";
  const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
  const milliseconds fade(argc > 3 ? std::max(1, atoi(argv[3])) : 500);
  if (mode == "x11") return RunX11(runs, fade);
  if (mode == "wayland") return RunWayland(runs, fade);
  std::fprintf(stderr, "usage: bench_fade x11|wayland [runs] [fade ms]\n");
  return 2;
}
