// A watched folder of 100,000 pictures reaching the real main window through the real
// folder watch: the window's thread is busy for as long as one slice of a sync runs, so the
// longest time between two turns of its event loop (seen by a timer that fires at every
// turn) is what a user feels as a stall. Three phases: the first listing (every picture
// joins), then one picture saved into the folder, then that picture deleted. Peer measured
// in the same run: std::sort of the same 100,000 names.
//   build/dev/bench/bench_folder_join
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "support/StandInServices.h"
#include "window/Tessel.h"

namespace {

constexpr int kPictures = 100000;
using TClock = std::chrono::steady_clock;

double Seconds(TClock::duration duration) { return std::chrono::duration<double>(duration).count(); }

void Report(const char* what, double seconds, double peerSeconds) {
  std::printf("%-46s %8.1f ms   std::sort of 100,000 names %6.1f ms   ratio %5.2f\n", what, seconds * 1e3,
              peerSeconds * 1e3, seconds / peerSeconds);
}

// Runs the event loop until done() holds: how long that took and the longest turn.
struct TPhase {
  double total = 0;
  double longest = 0;
};
TPhase RunUntil(QApplication& app, const std::function<bool()>& done) {
  TPhase phase;
  const TClock::time_point start = TClock::now();
  TClock::time_point turn = start;
  QTimer probe;
  QObject::connect(&probe, &QTimer::timeout, [&] {
    const TClock::time_point now = TClock::now();
    phase.longest = std::max(phase.longest, Seconds(now - turn));
    turn = now;
  });
  probe.start(0);
  while (!done()) {
    app.processEvents(QEventLoop::AllEvents);
    if (Seconds(TClock::now() - start) > 120) std::abort();
  }
  phase.total = Seconds(TClock::now() - start);
  return phase;
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("DISPLAY")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  const QString folder = dir.path() + "/Wallpapers";
  std::vector<std::string> names;
  for (int album = 0; album < 100; ++album) {
    const QString path = folder + QString("/album%1").arg(album, 3, 10, QChar('0'));
    QDir().mkpath(path);
    for (int i = 0; i < kPictures / 100; ++i) {
      const QString name = path + QString("/photo%1.jpg").arg(album * 1000 + i, 6, 10, QChar('0'));
      QFile picture(name);
      if (!picture.open(QIODevice::WriteOnly)) std::abort();
      names.push_back(name.toStdString());
    }
  }
  std::shuffle(names.begin(), names.end(), std::mt19937(7));
  const TClock::time_point sortStart = TClock::now();
  std::sort(names.begin(), names.end());
  const double sort = Seconds(TClock::now() - sortStart);
  // Files younger than the settle time would wait as still being written.
  QThread::msleep(2500);

  const std::string ini = (dir.path() + "/tesserine.INI").toStdString();
  {
    QFile file(QString::fromStdString(ini));
    file.open(QIODevice::WriteOnly);
    file.write(
        ("[Info]\r\nDisplay Order=RANDOM_CYCLE\r\n\r\n[Bitmaps]\r\n\r\n[Folders]\r\n" + folder.toStdString() + "=1\r\n")
            .c_str());
  }
  TStandInServices services;
  services.screen.SetScreenSize(QSize(1920, 1080));
  TTesselForm1 form(services.Services((dir.path() + "/").toStdString(), ini));
  form.show();
  const auto count = [&] { return form.ImageList().Count(); };
  const TPhase first = RunUntil(app, [&] { return count() == kPictures && !form.FoldersReading(); });

  const QString added = folder + "/album000/new.jpg";
  {
    QFile picture(added);
    if (!picture.open(QIODevice::WriteOnly)) std::abort();
  }
  const TPhase joined = RunUntil(app, [&] { return count() == kPictures + 1; });
  QFile::remove(added);
  const TPhase left = RunUntil(app, [&] { return count() == kPictures; });

  Report("first listing: read and joined", first.total, sort);
  Report("  the window's longest stall meanwhile", first.longest, sort);
  Report("one new picture: the longest stall", joined.longest, sort);
  Report("that picture deleted: the longest stall", left.longest, sort);
  return 0;
}
