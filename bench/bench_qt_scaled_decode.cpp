// Times decoding a large PNG and WebP two ways in one run: to a preview-sized and to a
// screen-sized picture, the whole decode followed by a smooth scale against
// QImageReader::setScaledSize, which lets a reader that supports it decode reduced; and to
// the middle a centred wallpaper shows, the whole decode followed by a copy of that middle
// against QImageReader::setClipRect. Where a reader cannot decode reduced or in part itself
// (Qt's PNG and WebP readers cannot), QImageReader scales or clips after the whole decode,
// so both ways cost the same and hold the whole picture.
//
// Usage: bench_qt_scaled_decode [folder]; the 4000 x 3000 test pictures are made there once
// with ImageMagick's convert (default: a folder under the temporary directory).
#include <benchmark/benchmark.h>

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QRect>
#include <QString>
#include <cstdlib>

namespace {

const QSize kPreview(250, 188);
const QSize kScreen(1920, 1080);
const QRect kMiddle(1040, 960, 1920, 1080);
QString gFolder;

QString Picture(const char* ext) {
  const QString path = gFolder + "/large." + ext;
  if (!QFile::exists(path)) QProcess::execute("convert", {"-size", "4000x3000", "plasma:fractal", "-seed", "1", path});
  return path;
}

void WholeThenScale(benchmark::State& state, const char* ext, QSize target) {
  const QString path = Picture(ext);
  for (auto _ : state) {
    QImageReader reader(path);
    const QImage whole = reader.read();
    benchmark::DoNotOptimize(whole.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  }
}

void ScaledSize(benchmark::State& state, const char* ext, QSize target) {
  const QString path = Picture(ext);
  for (auto _ : state) {
    QImageReader reader(path);
    reader.setScaledSize(target);
    benchmark::DoNotOptimize(reader.read());
  }
}

void WholeThenCopy(benchmark::State& state, const char* ext) {
  const QString path = Picture(ext);
  for (auto _ : state) {
    QImageReader reader(path);
    benchmark::DoNotOptimize(reader.read().copy(kMiddle));
  }
}

void ClipRect(benchmark::State& state, const char* ext) {
  const QString path = Picture(ext);
  for (auto _ : state) {
    QImageReader reader(path);
    reader.setClipRect(kMiddle);
    benchmark::DoNotOptimize(reader.read());
  }
}

BENCHMARK_CAPTURE(WholeThenScale, png_preview, "png", kPreview)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ScaledSize, png_preview, "png", kPreview)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholeThenScale, webp_preview, "webp", kPreview)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ScaledSize, webp_preview, "webp", kPreview)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholeThenScale, png_screen, "png", kScreen)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ScaledSize, png_screen, "png", kScreen)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholeThenScale, webp_screen, "webp", kScreen)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ScaledSize, webp_screen, "webp", kScreen)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholeThenCopy, png_middle, "png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ClipRect, png_middle, "png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholeThenCopy, webp_middle, "webp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ClipRect, webp_middle, "webp")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  gFolder = argc > 1 && argv[1][0] != '-' ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath() + "/tesserine-qt-scaled";
  QDir().mkpath(gFolder);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
