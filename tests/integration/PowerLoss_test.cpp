// SIGKILL at random moments while a helper saves one file over and over through the
// program's writers: after every kill the file is byte for byte the version before the
// interrupted save or the version it was writing, never a mix, never empty or missing.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <map>
#include <random>

#include "SaveVersions.h"
#include "support/FileBytes.h"

namespace {

struct Outcome {
  int old = 0;
  int fresh = 0;
  int other = 0;
  int kills = 0;
};

class PowerLoss : public ::testing::TestWithParam<std::pair<SavedFile, int>> {
 protected:
  std::string Target() const {
    switch (GetParam().first) {
      case SavedFile::Config:
        return dir.filePath("tesserine.INI").toStdString();
      case SavedFile::Bitmap:
        return dir.filePath(ConvertBaseName).toStdString();
      case SavedFile::Entry:
        break;
    }
    return dir.filePath("tesserine.desktop").toStdString();
  }

  // The bytes of version k, written the same way into a folder of their own.
  const std::string& Reference(int k) {
    auto found = references.find(k);
    if (found != references.end()) return found->second;
    const std::string path =
        referenceDir.filePath(QDir(dir.path()).relativeFilePath(QString::fromStdString(Target()))).toStdString();
    QFile::remove(QString::fromStdString(path));
    SaveVersion(GetParam().first, path, k);
    return references.emplace(k, ReadFileBytes(path)).first->second;
  }

  // Starts the helper at version first and kills it after a random pause; returns the last
  // version it had started to save, or first - 1.
  int RunAndKill(int first, int count, std::mt19937& random, int pauseUs) {
    QProcess helper;
    const char* kinds[] = {"config", "bitmap", "entry"};
    helper.start(SAVE_LOOP, {kinds[static_cast<int>(GetParam().first)], QString::fromStdString(Target()),
                             QString::number(first), QString::number(count)});
    EXPECT_TRUE(helper.waitForStarted(10000));
    EXPECT_TRUE(helper.waitForReadyRead(10000));
    QThread::usleep(std::uniform_int_distribution<int>(0, pauseUs)(random));
    helper.kill();
    EXPECT_TRUE(helper.waitForFinished(10000));
    int last = first - 1;
    for (const QByteArray& line : helper.readAllStandardOutput().split('\n'))
      if (!line.isEmpty()) last = line.toInt();
    return last;
  }

  QTemporaryDir dir;
  QTemporaryDir referenceDir;
  std::map<int, std::string> references;
};

TEST_P(PowerLoss, EveryKillLeavesTheOldOrTheNewFile) {
  const auto [kind, saves] = GetParam();
  std::mt19937 random(20261208);
  SaveVersion(kind, Target(), 0);
  // A pause spread over about six saves, so kills land before, inside and between them.
  QElapsedTimer timer;
  timer.start();
  SaveVersion(kind, Target() + ".timing", 0);
  const int pauseUs = static_cast<int>(timer.nsecsElapsed() / 1000) * 6 + 1000;
  QFile::remove(QString::fromStdString(Target() + ".timing"));

  Outcome outcome;
  int next = 1;
  while (next <= saves) {
    const int last = RunAndKill(next, saves - next + 1, random, pauseUs);
    ++outcome.kills;
    const std::string bytes = ReadFileBytes(Target());
    if (bytes == Reference(last)) {
      ++outcome.fresh;
      next = last + 1;
    } else if (last >= next && bytes == Reference(last - 1)) {
      ++outcome.old;
      next = last;
    } else {
      ++outcome.other;
      ADD_FAILURE() << "after version " << last << " the file holds " << bytes.size() << " other bytes";
      break;
    }
  }
  EXPECT_EQ(outcome.other, 0);
  std::printf("%d saves, %d kills: old %d, new %d, other %d; left-over temporary files %lld\n", next - 1, outcome.kills,
              outcome.old, outcome.fresh, outcome.other,
              static_cast<long long>(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size() - 1));
}

std::string KindName(const ::testing::TestParamInfo<std::pair<SavedFile, int>>& info) {
  static const char* const names[] = {"Config", "Bitmap", "Entry"};
  return names[static_cast<int>(info.param.first)];
}

INSTANTIATE_TEST_SUITE_P(Files, PowerLoss,
                         ::testing::Values(std::pair{SavedFile::Config, 1000}, std::pair{SavedFile::Bitmap, 100},
                                           std::pair{SavedFile::Entry, 300}),
                         KindName);

}  // namespace
