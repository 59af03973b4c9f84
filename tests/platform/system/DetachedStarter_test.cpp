// The programs a change runs, started for real through /bin/sh: the status each ends with
// reaches its listener from the event loop, with the arguments and variables handed over,
// standard input at its end, a session of the program's own, and output on standard error.
#include "platform/system/DetachedStarter.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <optional>
#include <stdexcept>

#include "support/WaitFor.h"

namespace {

std::optional<int> RunToEnd(TDetachedStarter& starter, const TProcessStart& start) {
  std::optional<int> status;
  starter.Start(start, [&status](int ended) { status = ended; });
  WaitForEvents([&status] { return status.has_value(); }, 10000);
  return status;
}

TProcessStart Shell(const std::string& command) {
  return {"/bin/sh", {"-c", command, "tesserine", "/pictures/a b.jpg"}, {{"TESSERINE_PICTURES", "one\ntwo"}}};
}

TEST(DetachedStarter, EachProgramsStatusReachesItsListener) {
  struct Row {
    const char* name;
    std::string command;
    int status;
  };
  const Row rows[] = {
      {"success", "exit 0", 0},
      {"an exit code", "exit 3", 3},
      {"a signal, as the shell counts it", "kill -KILL $$", 137},
      {"$0 and $1 as handed over", R"sh(test "$0" = tesserine && test "$1" = "/pictures/a b.jpg")sh", 0},
      {"the added variable, with its line break", R"sh(test "$TESSERINE_PICTURES" = "$(printf 'one\ntwo')")sh", 0},
      {"the rest of the environment kept", R"sh(test -n "$HOME")sh", 0},
      {"standard input already at its end", "read line", 1},
      {"a session of its own", R"sh(test "$(cut -d' ' -f6 /proc/$$/stat)" = "$$")sh", 0},
      {"a command the shell cannot find", "no-such-command-here", 127},
  };
  TDetachedStarter starter;
  for (const Row& row : rows) EXPECT_EQ(RunToEnd(starter, Shell(row.command)), row.status) << row.name;
}

TEST(DetachedStarter, NoOtherFileOfThisProgramStaysOpenInIt) {
  // A file this program holds open without close-on-exec.
  const int held = dup(STDERR_FILENO);
  ASSERT_GT(held, STDERR_FILENO);
  TDetachedStarter starter;
  EXPECT_EQ(RunToEnd(starter, Shell("test ! -e /proc/$$/fd/" + std::to_string(held))), 0);
  close(held);
}

TEST(DetachedStarter, OutputGoesToStandardErrorAndNothingWaitsForIt) {
  QTemporaryDir dir;
  const QString file = dir.filePath("fd");
  TDetachedStarter starter;
  // Standard output and error are the same open file as this program's standard error.
  const std::string same = "test \"$(readlink /proc/$$/fd/1)\" = \"$(readlink /proc/" + std::to_string(getpid()) +
                           "/fd/2)\" && test \"$(readlink /proc/$$/fd/2)\" = \"$(readlink /proc/" +
                           std::to_string(getpid()) + "/fd/2)\"";
  EXPECT_EQ(RunToEnd(starter, Shell(same)), 0);

  // Start returns while the program still runs; two may run at once.
  int ended = 0;
  const std::string slow = "sleep 1; echo done >> '" + file.toStdString() + "'";
  starter.Start(Shell(slow), [&ended](int) { ++ended; });
  starter.Start(Shell(slow), [&ended](int) { ++ended; });
  EXPECT_FALSE(QFile::exists(file));
  EXPECT_TRUE(WaitForEvents([&ended] { return ended == 2; }, 10000));
  QFile written(file);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_EQ(written.readAll(), "done\ndone\n");
}

TEST(DetachedStarter, AProgramThatCannotStartThrowsAndIsNeverTold) {
  TDetachedStarter starter;
  bool told = false;
  EXPECT_THROW(starter.Start({"/no/such/shell", {"-c", "exit 0"}, {}}, [&told](int) { told = true; }),
               std::runtime_error);
  WaitForEvents([] { return false; }, 300);
  EXPECT_FALSE(told);
}

}  // namespace
