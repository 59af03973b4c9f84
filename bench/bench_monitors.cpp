// One change with "Next image on each" on three 1920 x 1080 monitors, each a 6000 x 4000 JPEG
// stretched to its monitor and written as its converted bitmap (the further monitors' pictures
// made on worker threads beside the primary's, as the program does), against the same change
// on one monitor and against the three decodes one after another, in the same run.
//   bench_monitors [--benchmark_... options]
// The target: the three-monitor change costs little more than its three decodes.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "picture/PictureLoader.h"
#include "wallpaper/ConvertedBitmap.h"
#include "wallpaper/MonitorPictures.h"
#include "wallpaper/PictureJobs.h"

namespace {

const QSize kMonitor(1920, 1080);

struct Pictures {
  QTemporaryDir dir;
  std::vector<std::string> files;
  Pictures() {
    for (int i = 0; i < 3; ++i) {
      QImage picture(6000, 4000, QImage::Format_RGB32);
      for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) row[x] = qRgb((x * 7 + i * 50) & 255, (y * 3) & 255, (x ^ y) & 255);
      }
      files.push_back(dir.filePath(QString("photo%1.jpg").arg(i)).toStdString());
      QImageWriter writer(QString::fromStdString(files.back()), "jpeg");
      writer.setQuality(90);
      writer.write(picture);
    }
  }
};

Pictures& Photos() {
  static Pictures photos;
  return photos;
}

void Change(benchmark::State& state, int monitors) {
  const Pictures& photos = Photos();
  const QRgb black = qRgb(0, 0, 0);
  for (auto _ : state) {
    std::vector<MonitorSource> further;
    for (int i = 1; i < monitors; ++i) further.push_back({photos.files[i], DispObj::Stretch, kMonitor});
    TPictureJobs jobs(further, black);
    std::vector<QImage> pictures{FillArea(LoadPicture(photos.files[0]), DispObj::Stretch, kMonitor, black)};
    for (QImage& picture : jobs.Take()) pictures.push_back(std::move(picture));
    for (std::size_t i = 0; i < pictures.size(); ++i)
      WriteConverted(pictures[i], std::nullopt, photos.dir.filePath(QString("convert%1.bmp").arg(i)).toStdString());
  }
}

void Decodes(benchmark::State& state) {
  const Pictures& photos = Photos();
  for (auto _ : state)
    for (const std::string& file : photos.files) benchmark::DoNotOptimize(LoadPicture(file));
}

BENCHMARK_CAPTURE(Change, one_monitor, 1)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(Change, three_monitors, 3)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(Decodes)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
