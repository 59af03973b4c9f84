// Composition of each special layout from a 6000 x 4000 picture for a 1920 x 1080 screen,
// against a plain copy of the same picture in the same run (the memory-bandwidth peer).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include "wallpaper/Compositions.h"

namespace {

const QImage& Picture() {
  static const QImage picture = [] {
    QImage image(6000, 4000, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < image.width(); ++x) line[x] = qRgb(x * 7, y * 3, x ^ y);
    }
    return image;
  }();
  return picture;
}

const QSize kScreen(1920, 1080);

template <typename Compose>
void Run(benchmark::State& state, Compose compose) {
  const QImage& picture = Picture();
  for (auto _ : state) {
    QImage out = compose(picture);
    benchmark::DoNotOptimize(out.constBits());
  }
  state.SetBytesProcessed(state.iterations() * picture.sizeInBytes());
}

void CopyPeer(benchmark::State& state) {
  Run(state, [](const QImage& p) { return p.copy(); });
}
void MirrorTile(benchmark::State& state) { Run(state, BuildMirrorTile); }
void BrickTile(benchmark::State& state) { Run(state, BuildBrickTile); }
void DoubleTile(benchmark::State& state) { Run(state, BuildDoubleTile); }
void RatioStretch(benchmark::State& state) {
  Run(state, [](const QImage& p) { return BuildRatioStretch(p, kScreen, qRgb(0, 0, 128)); });
}

BENCHMARK(CopyPeer)->Unit(benchmark::kMillisecond);
BENCHMARK(MirrorTile)->Unit(benchmark::kMillisecond);
BENCHMARK(BrickTile)->Unit(benchmark::kMillisecond);
BENCHMARK(DoubleTile)->Unit(benchmark::kMillisecond);
BENCHMARK(RatioStretch)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
