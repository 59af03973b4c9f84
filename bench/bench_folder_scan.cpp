// The first listing of a watched folder against find(1) in the same run: a tree of 100
// folders of 1,000 files each (nine pictures in ten), listed by ScanFolder with the
// program's picture filter and by "find DIR -type f", alternately, warm (after one untimed
// pass of each); and listed again beside the listing before, as at every later change. The ratio ScanFolder / find is
// what to read; absolute times depend on the machine.
//   build/dev/bench/bench_folder_scan --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "imagelist/FolderPictures.h"
#include "platform/system/FolderScan.h"

namespace {

const QTemporaryDir& Tree() {
  static QTemporaryDir dir;
  static const bool made = [] {
    for (int folder = 0; folder < 100; ++folder) {
      const QString path = dir.path() + QString("/album%1").arg(folder);
      QDir().mkpath(path);
      for (int file = 0; file < 1000; ++file) {
        QFile picture(path + QString(file % 10 == 9 ? "/notes%1.txt" : "/photo%1.jpg").arg(file));
        if (!picture.open(QIODevice::WriteOnly)) return false;
      }
    }
    return true;
  }();
  if (!made) std::abort();
  return dir;
}

void ScanFolderFirstListing(benchmark::State& state) {
  const TFolderScanRequest request{Tree().path().toStdString(), true};
  ScanFolder(request, FolderPictureVerdict, std::chrono::milliseconds(0));
  for (auto _ : state) {
    const TFolderListing listing = ScanFolder(request, FolderPictureVerdict, std::chrono::milliseconds(2000));
    if (listing.files.size() + listing.pending.size() != 90000) state.SkipWithError("wrong count");
  }
}

// What each later change in the folder costs: listed again beside the listing before.
void ScanFolderListedAgain(benchmark::State& state) {
  const TFolderScanRequest request{Tree().path().toStdString(), true};
  TFolderListing earlier = ScanFolder(request, FolderPictureVerdict, std::chrono::milliseconds(0));
  earlier.available = true;
  for (auto _ : state) {
    const TFolderListing listing = ScanFolder(request, FolderPictureVerdict, std::chrono::milliseconds(2000), &earlier);
    if (listing.files.size() != 90000) state.SkipWithError("wrong count");
  }
}

void FindTypeF(benchmark::State& state) {
  const QString root = Tree().path();
  for (auto _ : state) {
    QProcess find;
    find.start("find", {root, "-type", "f"});
    find.waitForFinished(-1);
    if (find.readAllStandardOutput().count('\n') != 100000) state.SkipWithError("wrong count");
  }
}

}  // namespace

BENCHMARK(ScanFolderFirstListing)->Unit(benchmark::kMillisecond);
BENCHMARK(ScanFolderListedAgain)->Unit(benchmark::kMillisecond);
BENCHMARK(FindTypeF)->Unit(benchmark::kMillisecond);
int main(int argc, char** argv) {
  // The tree is made before the first measurement, whichever runs first.
  Tree();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
