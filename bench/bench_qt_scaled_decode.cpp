// Times decoding a large PNG and WebP to a preview-sized picture two ways in one run: the
// whole decode followed by a smooth scale (what DecodeQtImage and the stretch cost today),
// and QImageReader::setScaledSize, which lets a reader that supports it decode reduced.
//
// Usage: bench_qt_scaled_decode [folder]; the 4000 x 3000 test pictures are made there once
// with ImageMagick's convert (default: a folder under the temporary directory).
#include <benchmark/benchmark.h>

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QString>
#include <cstdlib>

namespace {

const QSize kTarget(250, 188);
QString gFolder;

QString Picture(const char* ext) {
  const QString path = gFolder + "/large." + ext;
  if (!QFile::exists(path)) QProcess::execute("convert", {"-size", "4000x3000", "plasma:fractal", "-seed", "1", path});
  return path;
}

void WholeThenScale(benchmark::State& state, const char* ext) {
  const QString path = Picture(ext);
  for (auto _ : state) {
    QImageReader reader(path);
    const QImage whole = reader.read();
    benchmark::DoNotOptimize(whole.scaled(kTarget, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  }
}

void ScaledSize(benchmark::State& state, const char* ext) {
  const QString path = Picture(ext);
  for (auto _ : state) {
    QImageReader reader(path);
    reader.setScaledSize(kTarget);
    benchmark::DoNotOptimize(reader.read());
  }
}

BENCHMARK_CAPTURE(WholeThenScale, png, "png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ScaledSize, png, "png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholeThenScale, webp, "webp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ScaledSize, webp, "webp")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  gFolder = argc > 1 && argv[1][0] != '-' ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath() + "/tesserine-qt-scaled";
  QDir().mkpath(gFolder);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
