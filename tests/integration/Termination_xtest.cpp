// A termination request (SIGTERM) at any moment of the real program's run, from its first
// line through the configuration load to the idle message loop, and while a box waits for an
// answer: the program ends within seconds, and its configuration file holds the whole list
// with the silent save's keys added.
#include <QByteArray>
#include <QList>
#include <algorithm>

#include "ProgramRun.h"

namespace {

constexpr int kEntries = 20000;
constexpr int kRuns = 40;
// The start-up, load included, takes about 250 ms in the dev build: the moments crowd there.
constexpr int kSpreadMs = 800;

QByteArray Bitmaps(const QByteArray& firstEntry) {
  QByteArray text = "[Bitmaps]\r\n" + firstEntry;
  for (int i = 0; i < kEntries; ++i)
    text += QByteArray("/pictures/p") + QByteArray::number(i).rightJustified(5, '0') + ".bmp=TILE.NOT\r\n";
  return text + "\r\n";
}

QByteArray Config(const QByteArray& firstEntry = {}) {
  return "[Info]\r\nFade Milliseconds=0\r\nTrigger Qty=4\r\n\r\n" + Bitmaps(firstEntry);
}

QList<QByteArray> SortedLines(const QByteArray& text) {
  QList<QByteArray> lines = text.split('\n');
  std::sort(lines.begin(), lines.end());
  return lines;
}

// The silent save rewrote Info with every key and kept every line of the list.
void ExpectSavedAndIntact(const QByteArray& saved, const QByteArray& firstEntry, int run) {
  SCOPED_TRACE(run);
  const qsizetype bitmaps = saved.indexOf("[Bitmaps]\r\n");
  ASSERT_GE(bitmaps, 0);
  EXPECT_TRUE(saved.left(bitmaps).contains("Trigger Qty=4\r\n"));
  EXPECT_TRUE(saved.left(bitmaps).contains("Display Order=SEQUENTIAL\r\n"));
  EXPECT_TRUE(SortedLines(saved.mid(bitmaps)) == SortedLines(Bitmaps(firstEntry)));
}

void EndsSoon(QProcess& process, int run) {
  SCOPED_TRACE(run);
  ASSERT_TRUE(process.waitForFinished(30000));
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(process.exitCode(), 0);
}

}  // namespace

TEST(Termination, AtAnyMomentOfTheStartUpEndsWithTheSilentSave) {
  TProgramRun program;
  ASSERT_TRUE(program.Copied());
  for (int run = 0; run < kRuns; ++run) {
    ASSERT_TRUE(TProgramRun::Write(program.Ini(), Config()));
    QProcess& process = program.Start();
    ASSERT_TRUE(TProgramRun::WaitFor([&] { return program.ReachedMain(); }, 10000));
    QThread::msleep(kSpreadMs * run * run / (kRuns * kRuns));
    program.SendSignal(SIGTERM);
    EndsSoon(process, run);
    ExpectSavedAndIntact(TProgramRun::Read(program.Ini()), {}, run);
  }
  EXPECT_EQ(TProgramRun::Read(program.Log()), "");
}

TEST(Termination, WhileABoxWaitsForAnAnswerEndsWithTheSilentSave) {
  TProgramRun program;
  ASSERT_TRUE(program.Copied());
  // The entry selected at load is not a bitmap: its error box opens during the load.
  const QByteArray bad = (program.Exe() + "-bad.bmp").toLocal8Bit();
  ASSERT_TRUE(TProgramRun::Write(QString::fromLocal8Bit(bad), "not a bitmap"));
  const QByteArray firstEntry = bad + "=TILE.NOT\r\n";
  ASSERT_TRUE(TProgramRun::Write(program.Ini(), "[Info]\r\nFade Milliseconds=0\r\nTrigger Qty=4\r\nLastImageNm=" + bad +
                                                    "\r\n\r\n" + Bitmaps(firstEntry)));
  QProcess& process = program.Start({{"TESSERINE_TEST_ANSWERS", "wait"}});
  ASSERT_TRUE(TProgramRun::WaitFor([&] { return TProgramRun::Read(program.Log()).contains("not valid"); }, 30000));
  EXPECT_EQ(process.state(), QProcess::Running);
  program.SendSignal(SIGTERM);
  EndsSoon(process, 0);
  ExpectSavedAndIntact(TProgramRun::Read(program.Ini()), firstEntry, 0);
}
