// The agent's idle cost. First, from the scheduler's own arithmetic on a simulated clock,
// how many timer wake-ups one schedule period costs (and so a day). Then, when an X
// display is there, the CPU time the real program uses over a stretch of wall time as an
// agent with a one-hour schedule, against its peer in the same run: the same program with
// its properties window open and no agent (no timer at all).
//
// Usage: bench_agent [seconds]   (default 60; the CPU part needs DISPLAY, trayer optional)
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "agent/Scheduler.h"

namespace {

constexpr double kMsPerDay = 86400000.0;

struct TPeriodCost {
  long ticks = 0;
  double periodMs = 0;
};

// Ticks from one change to the next, each tick coming after the interval the previous asked for.
TPeriodCost TicksPerPeriod(TriggerMeasure measure, const char* qty) {
  const double start = 46000.25;
  TChangeInput input;
  input.execQtyText = qty;
  input.entrySelected = true;
  input.measure = measure;
  input.lastChgDateTime = start;
  input.now = start;
  TPeriodCost cost;
  for (;;) {
    const TChangeDecision decision = DecideChange(input);
    if (decision.due) break;
    ++cost.ticks;
    input.now += decision.interval / kMsPerDay;
  }
  cost.periodMs = (input.now - start) * kMsPerDay;
  return cost;
}

void ReportWakeUps() {
  struct Row {
    const char* name;
    TriggerMeasure measure;
    const char* qty;
  };
  const Row rows[] = {{"Once every 1 Day(s)", TriggerMeasure::Days, "1"},
                      {"Once every 1 Hour(s)", TriggerMeasure::Hours, "1"},
                      {"Once every 10 Second(s)", TriggerMeasure::Seconds, "10"}};
  std::printf("timer wake-ups (simulated clock)\n");
  for (const Row& row : rows) {
    const TPeriodCost cost = TicksPerPeriod(row.measure, row.qty);
    const double perDay = (cost.ticks + 1) * kMsPerDay / cost.periodMs;
    std::printf("  %-26s %7ld ticks per period (%.0f ms), %9.0f wake-ups a day\n", row.name, cost.ticks + 1,
                cost.periodMs, perDay);
  }
}

long CpuTicks(qint64 pid) {
  QFile stat(QString("/proc/%1/stat").arg(pid));
  if (!stat.open(QIODevice::ReadOnly)) return -1;
  const QByteArray text = stat.readAll();
  const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
  return fields.size() > 12 ? fields[11].toLong() + fields[12].toLong() : -1;
}

// Voluntary context switches: each time the process went to sleep, so each wake-up.
long WakeUps(qint64 pid) {
  QFile status(QString("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("voluntary_ctxt_switches:")) return line.mid(24).trimmed().toLong();
  return -1;
}

// One copy of the program in a folder of its own, with its own lock and settings folders.
class TRun {
 public:
  TRun(const QString& executable, bool agent) {
    QFile::copy(executable, dir_.filePath("tesserine"));
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    picture.save(dir_.filePath("p.bmp"), "BMP");
    QFile ini(dir_.filePath("tesserine.INI"));
    ini.open(QIODevice::WriteOnly);
    ini.write(QByteArray("[Info]\r\nFade Milliseconds=0\r\nOpen Minimized=") + (agent ? "1" : "0") +
              "\r\nTrigger Measure=HOURS\r\nTrigger Qty=1\r\n\r\n[Bitmaps]\r\n" + dir_.filePath("p.bmp").toUtf8() +
              "=TILE.NOT\r\n");
    ini.close();
    QDir(dir_.path()).mkpath("runtime");
    QFile::setPermissions(dir_.filePath("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", dir_.filePath("runtime"));
    environment.insert("XDG_CONFIG_HOME", dir_.filePath("config"));
    environment.insert("TESSERINE_DESKTOP", "x11");
    environment.insert("TESSERINE_MESSAGE_LOG", dir_.filePath("messages.log"));
    process_.setProcessEnvironment(environment);
    process_.start(dir_.filePath("tesserine"), {});
    process_.waitForStarted();
  }
  ~TRun() {
    process_.terminate();
    if (!process_.waitForFinished(10000)) process_.kill();
  }
  long Cpu() const { return CpuTicks(process_.processId()); }
  long Wakes() const { return WakeUps(process_.processId()); }

 private:
  QTemporaryDir dir_;
  QProcess process_;
};

void ReportIdleCpu(int seconds) {
  const QString executable = QCoreApplication::applicationDirPath() + "/../bin/tesserine";
  QProcess tray;
  if (!QStandardPaths::findExecutable("trayer").isEmpty()) {
    tray.start("trayer", {"--edge", "top", "--align", "right", "--widthtype", "pixel", "--width", "60"});
    tray.waitForStarted();
    QThread::sleep(1);
  }
  TRun agent(executable, true);
  TRun window(executable, false);
  QThread::sleep(3);
  const long agentStart = agent.Cpu();
  const long windowStart = window.Cpu();
  const long agentWakes = agent.Wakes();
  const long windowWakes = window.Wakes();
  QThread::sleep(static_cast<unsigned long>(seconds));
  const double tick = 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
  const double agentMs = (agent.Cpu() - agentStart) * tick;
  const double windowMs = (window.Cpu() - windowStart) * tick;
  const long agentWoke = agent.Wakes() - agentWakes;
  const long windowWoke = window.Wakes() - windowWakes;
  std::printf("CPU over %d s of wall time (one-hour schedule)%s\n", seconds,
              tray.state() == QProcess::Running ? ", tray icon in trayer" : ", no tray host");
  std::printf("  agent                      %8.0f ms (%.3f %% of one core), %ld wake-ups\n", agentMs,
              agentMs / (seconds * 10.0), agentWoke);
  std::printf("  peer: properties window    %8.0f ms, %ld wake-ups\n", windowMs, windowWoke);
  if (windowMs > 0)
    std::printf("  ratio agent / peer         %8.2f\n", agentMs / windowMs);
  else
    std::printf("  ratio agent / peer         (peer below the %.0f ms clock tick)\n", tick);
  if (tray.state() == QProcess::Running) {
    tray.terminate();
    tray.waitForFinished();
  }
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ReportWakeUps();
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
  if (qEnvironmentVariableIsEmpty("DISPLAY")) {
    std::printf("no DISPLAY: CPU measurement skipped\n");
    return 0;
  }
  ReportIdleCpu(seconds);
  return 0;
}
