// The whole-program runs on a watched folder, shared by the X root's and sway's tests: a
// folder "Wallpapers" with subfolders beside the program's copy, the configuration that
// watches it, the agent's commands over a private session bus, the "Bitmaps" lines its quit
// saved, and the runs themselves. Each desktop's fixture says where the program's folder
// is, how the program starts there and what the screen shows.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <utility>
#include <vector>

#include "ProgramRun.h"
#include "support/PrivateBus.h"
#include "support/WaitFor.h"

class TWatchedFolderRun : public ::testing::Test {
 protected:
  static constexpr QRgb kRed = 0xFFFF0000;
  static constexpr QRgb kGreen = 0xFF00FF00;
  static constexpr QRgb kBlue = 0xFF0000FF;
  // A file joins once nobody has written to it for two seconds, a moment after the folder's
  // last change.
  static constexpr int kJoinMs = 5000;
  static constexpr int kAgentMs = 30000;

  using Lines = std::vector<std::pair<QString, QString>>;

  // The desktop's environment for the program and its commands, the private bus included.
  virtual QProcessEnvironment Environment() const = 0;
  // The colour the screen shows where a tiled picture lies.
  virtual QRgb ShownPixel() const = 0;

  // dir: where the program's copy, its configuration and the folder go.
  void Prepare(const QString& dir) {
    ASSERT_FALSE(bus_.Address().isEmpty()) << "dbus-daemon did not start";
    dir_ = dir;
    ASSERT_TRUE(CopyProgram(dir_ + "/tesserine"));
  }

  void TearDown() override {
    if (program_.state() == QProcess::NotRunning) return;
    program_.kill();
    program_.waitForFinished();
  }

  QString Folder() const { return dir_ + "/Wallpapers"; }
  QString AwayFolder() const { return dir_ + "/Wallpapers moved away"; }
  QString Path(const QString& relative) const { return Folder() + "/" + relative; }
  QString Ini() const { return dir_ + "/tesserine.INI"; }
  QByteArray MessageLog() const { return TProgramRun::Read(dir_ + "/messages.log"); }

  // A 16 x 16 picture of one colour, which every user can read (a compositor's background
  // helper may run as another user), its folders made as needed.
  void Picture(const QString& relative, QRgb colour) const {
    const QString path = Path(relative);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(colour);
    ASSERT_TRUE(picture.save(path, "BMP"));
    const auto everyone = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    QFile::setPermissions(path, everyone);
    for (QString folder = QFileInfo(path).path(); folder.startsWith(Folder()); folder = QFileInfo(folder).path())
      QFile::setPermissions(folder, everyone | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
  }

  // The configuration: info's lines in [Info], bitmaps in [Bitmaps], and the folder watched
  // with its subfolders.
  void WriteConfig(const QByteArray& info, const Lines& bitmaps = {}) const {
    QByteArray text =
        "[Info]\r\nFade Milliseconds=0\r\nOpen Minimized=1\r\nDefault Display=TILE\r\n" + info + "\r\n[Bitmaps]\r\n";
    for (const auto& [name, value] : bitmaps) text += name.toUtf8() + "=" + value.toUtf8() + "\r\n";
    text += "\r\n[Folders]\r\n" + Folder().toUtf8() + "=1\r\n\r\n";
    ASSERT_TRUE(TProgramRun::Write(Ini(), text));
  }

  void StartAgent() {
    QProcessEnvironment environment = Environment();
    environment.insert("TESSERINE_MESSAGE_LOG", dir_ + "/messages.log");
    program_.setProcessEnvironment(environment);
    program_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program_.start(dir_ + "/tesserine", {});
    ASSERT_TRUE(program_.waitForStarted(10000));
  }

  // Runs the program with option beside the agent: its exit code (-1 when it hangs) and output.
  std::pair<int, QString> Command(const QString& option) const {
    QProcess command;
    command.setProcessEnvironment(Environment());
    command.start(dir_ + "/tesserine", {option});
    if (!command.waitForFinished(20000)) {
      command.kill();
      command.waitForFinished();
      return {-1, QString()};
    }
    return {command.exitCode(), QString::fromLocal8Bit(command.readAllStandardOutput())};
  }

  // The picture the running agent shows once it shows one of the folder's; empty when it never does.
  QString ShownImage() const {
    QString status;
    const bool shown = WaitFor(
        [&] {
          status = Command("--status").second;
          return status.contains("agent: running\n") && status.contains("image: " + Folder() + "/");
        },
        kAgentMs);
    if (!shown) return {};
    const qsizetype start = status.indexOf("image: ") + 7;
    return status.mid(start, status.indexOf('\n', start) - start);
  }

  void Quit() {
    EXPECT_EQ(Command("--quit").first, 0);
    ASSERT_TRUE(program_.waitForFinished(20000)) << "the program did not end";
    EXPECT_EQ(program_.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program_.exitCode(), 0);
  }

  // Every line of the saved section ([Bitmaps] unless told), doubles kept, sorted by name.
  Lines SavedBitmaps(const QString& section = "[Bitmaps]") const {
    Lines lines;
    bool inSection = false;
    for (const QByteArray& line : TProgramRun::Read(Ini()).split('\n')) {
      const QString text = QString::fromUtf8(line).trimmed();
      if (text.startsWith('[')) inSection = text == section;
      const qsizetype equals = text.lastIndexOf('=');
      if (inSection && equals > 0) lines.emplace_back(text.left(equals), text.mid(equals + 1));
    }
    std::sort(lines.begin(), lines.end());
    return lines;
  }

  // Whether the agent holds an inotify watch on path's folder, read from its descriptors'
  // information: how a run tells that the agent has read the folder since it moved.
  bool AgentWatches(const QString& path) const {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) return false;
    const QByteArray inode = " ino:" + QByteArray::number(static_cast<qulonglong>(status.st_ino), 16) + " ";
    const QString fdinfo = QString("/proc/%1/fdinfo").arg(program_.processId());
    for (const QString& fd : QDir(fdinfo).entryList(QDir::Files))
      for (const QByteArray& line : TProgramRun::Read(fdinfo + "/" + fd).split('\n'))
        if (line.startsWith("inotify wd:") && line.contains(inode)) return true;
    return false;
  }

  // An agent started on the folder with a subfolder shows one of its pictures and lists them
  // all; a picture copied in joins and a deleted one leaves, and no box is shown.
  void ShowsTheFoldersPicturesAndFollowsTheFolder() {
    Picture("sub/red.bmp", kRed);
    Picture("blue.bmp", kBlue);
    WriteConfig("Trigger Measure=DAYS\r\nTrigger Qty=1\r\n");
    StartAgent();
    ASSERT_FALSE(ShownImage().isEmpty()) << "the agent never showed a picture of the folder";
    EXPECT_TRUE(WaitFor([&] { return ShownPixel() == kRed || ShownPixel() == kBlue; }, 10000))
        << "the screen shows none of the folder's pictures: " << std::hex << ShownPixel();

    Picture("sub/deeper/green.bmp", kGreen);
    ASSERT_TRUE(QFile::remove(Path("blue.bmp")));
    QThread::msleep(kJoinMs);
    Quit();
    EXPECT_EQ(SavedBitmaps(), (Lines{{Path("sub/deeper/green.bmp"), "TILE.NOT"}, {Path("sub/red.bmp"), "TILE.NOT"}}));
    EXPECT_TRUE(TProgramRun::Read(Ini()).contains("[Folders]\r\n" + Folder().toUtf8() + "=1\r\n"));
    EXPECT_EQ(MessageLog(), "") << "a box was shown";
  }

  enum class Away {
    Seen,        // one agent sees the folder go and come back
    AcrossRuns,  // the agent quits while the folder is away, the next one starts without it
    Briefly,     // back before the agent reads the folder again
  };

  // The folder moved away and back: every entry keeps its method and mark, none is doubled,
  // what an agent saves while the folder is away keeps everything, and the folder is still
  // followed afterwards.
  void MovingTheFolderAwayAndBackChangesNothing(Away away) {
    Picture("blue.bmp", kBlue);
    Picture("sub/red.bmp", kRed);
    Picture("sub/deeper/green.bmp", kGreen);
    Lines expected{{Path("blue.bmp"), "STRETCH.NOT"},
                   {Path("sub/deeper/green.bmp"), "CENTER.MARKED"},
                   {Path("sub/red.bmp"), "TILE.NOT"}};
    WriteConfig("Display Order=RANDOM_CYCLE\r\nTrigger Measure=DAYS\r\nTrigger Qty=1\r\n", expected);
    StartAgent();
    const QString shown = ShownImage();
    ASSERT_FALSE(shown.isEmpty()) << "the agent never showed a picture of the folder";
    // The picture shown is marked as shown in this cycle; nothing else changes.
    for (auto& [name, value] : expected)
      if (name == shown) value.replace(".NOT", ".MARKED");
    ASSERT_TRUE(WaitFor([&] { return AgentWatches(Path("sub")); }, kAgentMs)) << "the agent never watched the folder";

    ASSERT_TRUE(QDir().rename(Folder(), AwayFolder()));
    if (away != Away::Briefly) {
      EXPECT_TRUE(WaitFor([&] { return !AgentWatches(AwayFolder() + "/sub"); }, kAgentMs))
          << "the agent never noticed that the folder went";
    }
    if (away == Away::AcrossRuns) {
      Quit();
      EXPECT_EQ(SavedBitmaps(), expected) << "entries changed while the folder was away";
      StartAgent();
      ASSERT_TRUE(WaitFor([&] { return Command("--status").second.contains("agent: running\n"); }, kAgentMs));
    }
    ASSERT_TRUE(QDir().rename(AwayFolder(), Folder()));
    EXPECT_TRUE(WaitFor([&] { return AgentWatches(Path("sub")); }, kAgentMs))
        << "the agent never read the folder again";

    // Still followed: a picture copied into the folder itself joins.
    Picture("yellow.bmp", 0xFFFFFF00);
    expected.emplace_back(Path("yellow.bmp"), "TILE.NOT");
    std::sort(expected.begin(), expected.end());
    QThread::msleep(kJoinMs);
    Quit();
    EXPECT_EQ(SavedBitmaps(), expected);
    EXPECT_EQ(MessageLog(), "") << "a box was shown";
  }

  QString dir_;
  TPrivateBus bus_;
  QProcess program_;
};
