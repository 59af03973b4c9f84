// The command line: what each is read as, what a command prints and exits with for each
// reply of the running program, and the real executable's answers where no display and no
// running program are needed.
#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include "app/RemoteCommand.h"
#include "integration/ProgramRun.h"

namespace {

using Mode = TCommandLine::Mode;

TEST(CommandLine, EachLineIsReadAsOneThing) {
  struct Row {
    QStringList arguments;
    Mode mode;
    std::optional<ControlCommand> command;
  };
  const Row rows[] = {
      {{}, Mode::Start, {}},
      {{"--help"}, Mode::Help, {}},
      {{"-h"}, Mode::Help, {}},
      {{"--version"}, Mode::Version, {}},
      {{"--next"}, Mode::Command, ControlCommand::Next},
      {{"--pause"}, Mode::Command, ControlCommand::Pause},
      {{"--resume"}, Mode::Command, ControlCommand::Resume},
      {{"--toggle-pause"}, Mode::Command, ControlCommand::TogglePause},
      {{"--remove-current"}, Mode::Command, ControlCommand::RemoveCurrent},
      {{"--show"}, Mode::Command, ControlCommand::Show},
      {{"--quit"}, Mode::Command, ControlCommand::Quit},
      {{"--status"}, Mode::Command, ControlCommand::Status},
      {{"--login"}, Mode::Login, {}},
      {{"--login", "--next"}, Mode::Wrong, {}},
      {{"--login", "--login"}, Mode::Login, {}},
      {{"--login", "--help"}, Mode::Help, {}},
      {{"--version", "--next"}, Mode::Version, {}},
      {{"--bogus"}, Mode::Wrong, {}},
      {{"--next", "--pause"}, Mode::Wrong, {}},
      {{"picture.jpg"}, Mode::Command, ControlCommand::Open},
      {{"a.jpg", "--", "--b.jpg"}, Mode::Command, ControlCommand::Open},
      {{"--next", "picture.jpg"}, Mode::Wrong, {}},
      {{"--login", "picture.jpg"}, Mode::Wrong, {}},
      {{"--add", "a.jpg", "--", "b.jpg"}, Mode::Command, ControlCommand::Add},
      {{"--next=3"}, Mode::Wrong, {}},
      {{"--set"}, Mode::Wrong, {}},
      {{"--set", ""}, Mode::Wrong, {}},
      {{"--add"}, Mode::Wrong, {}},
      {{"--set", "a.jpg", "--next"}, Mode::Wrong, {}},
      {{"--set", "a.jpg", "b.jpg"}, Mode::Wrong, {}},
      {{"--next", "--add", "a.jpg"}, Mode::Wrong, {}},
      {{"--add", "a.jpg", ""}, Mode::Wrong, {}},
      {{"--set", "a.jpg"}, Mode::Command, ControlCommand::Set},
      {{"--add", "a.jpg"}, Mode::Command, ControlCommand::Add},
      {{"--add", "--next"}, Mode::Command, ControlCommand::Add},
      {{"--help", "--add", "a.jpg"}, Mode::Help, {}},
  };
  for (const Row& row : rows) {
    const TCommandLine line = ParseCommandLine(QStringList{"tesserine"} + row.arguments, "/work/here");
    EXPECT_EQ(line.mode, row.mode) << row.arguments.join(' ').toStdString();
    EXPECT_EQ(line.command, row.command) << row.arguments.join(' ').toStdString();
    EXPECT_EQ(line.error.isEmpty(), row.mode != Mode::Wrong) << row.arguments.join(' ').toStdString();
  }
}

// The paths --set and --add hand on: absolute, against the working folder, whatever they
// look like after --add (an option's spelling is a file name there).
TEST(CommandLine, PathsAreMadeAbsoluteBeforeTheyAreHandedOn) {
  struct Row {
    QStringList arguments;
    std::vector<std::string> paths;
  };
  const Row rows[] = {
      {{"--set", "a.jpg"}, {"/w/d/a.jpg"}},
      {{"--set=a.jpg"}, {"/w/d/a.jpg"}},
      {{"--set", "/p/a.jpg"}, {"/p/a.jpg"}},
      {{"--set", "../up/./b.png"}, {"/w/up/b.png"}},
      {{"--set", "sub dir/c d.png"}, {"/w/d/sub dir/c d.png"}},
      {{"--add", "a.jpg", "/p/b.jpg", "pics/"}, {"/w/d/a.jpg", "/p/b.jpg", "/w/d/pics"}},
      {{"--add", "--next", "-h", "--add"}, {"/w/d/--next", "/w/d/-h", "/w/d/--add"}},
      {{"--add", "."}, {"/w/d"}},
      {{"a.jpg", "/p/b.png"}, {"/w/d/a.jpg", "/p/b.png"}},
      {{"--next"}, {}},
  };
  for (const Row& row : rows) {
    const TCommandLine line = ParseCommandLine(QStringList{"tesserine"} + row.arguments, "/w/d");
    EXPECT_EQ(line.error, "") << row.arguments.join(' ').toStdString();
    EXPECT_EQ(line.paths, row.paths) << row.arguments.join(' ').toStdString();
  }
}

TEST(CommandLine, EachReplyGivesItsOutputAndExitCode) {
  using Outcome = TControlReply::Outcome;
  enum Then { Ends, StartsWindow, RunsHere, AsksAgain };
  struct Row {
    ControlCommand command;
    Outcome outcome;
    bool lockHeld;
    int exitCode;
    QString err;
    Then then;
  };
  const QString unreachable =
      "Tesserine is running but cannot be reached: it does not own org.tesserine.Tesserine on this session bus";
  const QString busy = "Tesserine is busy with a question, a menu or loading its configuration";
  const QString gaveUp = "; gave up after 10 seconds\n";
  const Row rows[] = {
      {ControlCommand::Next, Outcome::Done, true, 0, "", Ends},
      {ControlCommand::Status, Outcome::NotRunning, false, 1, "Tesserine is not running\n", Ends},
      {ControlCommand::Pause, Outcome::NoBus, false, 1, "Tesserine is not running\n", Ends},
      {ControlCommand::Next, Outcome::NoBus, true, 1,
       "Tesserine is running but cannot be reached: no D-Bus session bus\n", Ends},
      {ControlCommand::Show, Outcome::NotRunning, false, 0, "", StartsWindow},
      {ControlCommand::Show, Outcome::NoBus, true, 1,
       "Tesserine is running but cannot be reached: no D-Bus session bus\n", Ends},
      {ControlCommand::Show, Outcome::NotRunning, true, 1, unreachable + "\n", Ends},
      {ControlCommand::Pause, Outcome::AgentNotRunning, true, 1, "The agent is not running\n", Ends},
      {ControlCommand::Quit, Outcome::Busy, true, 1, "busy\n", Ends},
      {ControlCommand::RemoveCurrent, Outcome::NotRemoved, true, 1, "", Ends},
      {ControlCommand::Next, Outcome::Failed, true, 1, "Bitmap image is not valid\n", Ends},
      {ControlCommand::Set, Outcome::Failed, true, 1, "Bitmap image is not valid\n", Ends},
      // With nothing running, these four are done here; while a program loads or another
      // command runs alone, they ask again.
      {ControlCommand::Next, Outcome::NotRunning, false, 0, "", RunsHere},
      {ControlCommand::Previous, Outcome::NoBus, false, 0, "", RunsHere},
      {ControlCommand::Set, Outcome::NotRunning, false, 0, "", RunsHere},
      {ControlCommand::Add, Outcome::NotRunning, false, 0, "", RunsHere},
      {ControlCommand::Set, Outcome::Busy, true, 1, busy + gaveUp, AsksAgain},
      {ControlCommand::Add, Outcome::NotRunning, true, 1, unreachable + gaveUp, AsksAgain},
      {ControlCommand::Previous, Outcome::NotRunning, true, 1, unreachable + gaveUp, AsksAgain},
  };
  for (const Row& row : rows) {
    TControlReply reply;
    reply.outcome = row.outcome;
    reply.text = "Bitmap image is not valid";
    const TCommandResult result = ResultOf(row.command, reply, row.lockHeld);
    const std::string label = std::to_string(static_cast<int>(row.command)) + "/" +
                              std::to_string(static_cast<int>(row.outcome)) + (row.lockHeld ? "/held" : "/free");
    EXPECT_EQ(result.exitCode, row.exitCode) << label;
    EXPECT_EQ(result.err, row.err) << label;
    EXPECT_EQ(result.out, "") << label;
    EXPECT_EQ(result.startProgram, row.then == StartsWindow) << label;
    EXPECT_EQ(result.runHere, row.then == RunsHere) << label;
    EXPECT_EQ(result.retry, row.then == AsksAgain) << label;
  }

  TControlReply status;
  status.status = {"/p/a b.jpg", "RATIO_STRETCH", true, true, "dark (desktop portal)"};
  EXPECT_EQ(ResultOf(ControlCommand::Status, status, true).out,
            "image: /p/a b.jpg\nmethod: RATIO_STRETCH\nagent: running\npaused: yes\nscheme: dark (desktop portal)\n");
}

struct ProgramAnswer {
  int exitCode = -1;
  QByteArray out;
  QByteArray err;
};

// The real executable, in a folder of its own, with no display, no Wayland and no bus.
ProgramAnswer RunProgram(const QStringList& arguments) {
  QTemporaryDir dir;
  const QString exe = dir.filePath("tesserine");
  EXPECT_TRUE(CopyProgram(exe));
  QProcess program;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "DBUS_SESSION_BUS_ADDRESS"})
    environment.remove(name);
  environment.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + dir.filePath("no-bus"));
  program.setProcessEnvironment(environment);
  program.start(exe, arguments);
  if (!program.waitForFinished(20000)) return {};
  EXPECT_FALSE(QFile::exists(dir.filePath("tesserine.INI"))) << arguments.join(' ').toStdString() << " wrote a file";
  return {program.exitCode(), program.readAllStandardOutput(), program.readAllStandardError()};
}

TEST(CommandLine, TheProgramAnswersWithoutADisplay) {
  const ProgramAnswer help = RunProgram({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.out.startsWith("Usage: tesserine [OPTION]\n")) << help.out.constData();
  EXPECT_TRUE(help.out.contains("--remove-current"));
  EXPECT_EQ(help.err, "");

  const ProgramAnswer version = RunProgram({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, "Tesserine 1.0\n");

  const ProgramAnswer wrong = RunProgram({"--bogus"});
  EXPECT_EQ(wrong.exitCode, 2);
  EXPECT_EQ(wrong.out, "");
  EXPECT_TRUE(wrong.err.startsWith("tesserine: Unknown option 'bogus'.\n\nUsage: tesserine")) << wrong.err.constData();

  for (const QStringList& arguments : {QStringList{}, QStringList{"--login"}}) {
    const ProgramAnswer start = RunProgram(arguments);
    EXPECT_EQ(start.exitCode, 1) << arguments.join(' ').toStdString();
    EXPECT_EQ(start.err, "tesserine: no display to show the window on: neither DISPLAY nor WAYLAND_DISPLAY is set\n");
  }

  for (const char* command : {"--status", "--quit"}) {
    const ProgramAnswer answer = RunProgram({command});
    EXPECT_EQ(answer.exitCode, 1) << command;
    EXPECT_EQ(answer.err, "Tesserine is not running\n") << command;
  }
  // Done without the program when nothing runs, which needs a display.
  for (const QStringList& command : {QStringList{"--next"}, QStringList{"--set", "a.jpg"}}) {
    const ProgramAnswer answer = RunProgram(command);
    EXPECT_EQ(answer.exitCode, 1) << command.join(' ').toStdString();
    EXPECT_EQ(answer.err, "tesserine: no display to show the window on: neither DISPLAY nor WAYLAND_DISPLAY is set\n");
  }
}

}  // namespace
