// --set and --add against the real running program on the X root, over a private bus: the
// root and --status follow a --set, a refused file changes nothing (neither the wallpaper nor
// the file), what joins is in the configuration file before the command returns (and only
// that, not a Save's settings), and two --set at once both land.
#include <QDir>

#include "BusProgramTest.h"

namespace {

constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kGreen = 0xFF00FF00;
constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kYellow = 0xFFFFFF00;

class SetAddTest : public TBusProgramTest {
 protected:
  // Two --set commands started together, each of which must succeed.
  void TwoSetsAtOnce(const QString& a, const QString& b) {
    QProcess first;
    QProcess second;
    for (QProcess* command : {&first, &second}) {
      command->setProcessEnvironment(CommandEnvironment());
      command->setWorkingDirectory(Dir());
    }
    first.start(run_.Exe(), {"--set", a});
    second.start(run_.Exe(), {"--set", b});
    ASSERT_TRUE(first.waitForFinished(30000));
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().constData();
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().constData();
  }

  // The agent runs and has made its first change.
  void StartAgent() {
    WriteConfig("Open Minimized=1\r\nTrigger Measure=DAYS\r\nTrigger Qty=1\r\nSortImages=0\r\n",
                {{"red.bmp", kRed}, {"green.bmp", kGreen}, {"blue.bmp", kBlue}});
    Start();
    ASSERT_TRUE(TProgramRun::WaitFor([&] { return !Shown().isEmpty(); }, 20000)) << "the agent never changed";
  }

  QString Path(const QString& name) const { return Dir() + "/" + name; }
  QByteArray Ini() const { return TProgramRun::Read(run_.Ini()); }
};

TEST_F(SetAddTest, SetShowsAPictureAtOnceAndRefusesWhatItCannotShow) {
  StartAgent();
  ASSERT_TRUE(WritePicture(Path("yellow.png"), kYellow));

  // A relative path, made absolute by the command: the picture joins and shows.
  const TCommandRun joined = Command({"--set", "yellow.png"});
  EXPECT_EQ(joined.exitCode, 0) << joined.err.toStdString();
  EXPECT_EQ(RootPixel(), kYellow);
  EXPECT_EQ(Shown(), Path("yellow.png"));
  QByteArray ini = Ini();
  EXPECT_TRUE(ini.contains("\r\n" + Path("yellow.png").toUtf8() + "=TILE.NOT\r\n")) << ini.constData();
  EXPECT_TRUE(ini.contains("LastImageNm=" + Path("yellow.png").toUtf8() + "\r\n")) << ini.constData();
  EXPECT_FALSE(ini.contains("Display Order=")) << "the command saved the settings as a whole";

  // An entry of the list shows with its method, and is not doubled.
  const TCommandRun known = Command({"--set", Path("blue.bmp")});
  EXPECT_EQ(known.exitCode, 0) << known.err.toStdString();
  EXPECT_EQ(RootPixel(), kBlue);
  EXPECT_TRUE(Command({"--status"}).out.contains("method: TILE\n"));
  ini = Ini();
  EXPECT_EQ(ini.count(Path("blue.bmp").toUtf8() + "="), 1);

  ASSERT_TRUE(TProgramRun::Write(Path("notes.txt"), "not a picture"));
  ASSERT_TRUE(TProgramRun::Write(Path("broken.png"), "\x89PNG\r\n\x1a\n but nothing more"));
  ASSERT_TRUE(QDir(Dir()).mkdir("folder.png"));
  ASSERT_TRUE(WritePicture(Path("a=b.png"), kRed));
  const struct {
    QString file;
    QString why;
  } refusals[] = {
      {"missing.png", "no such file"},
      {"notes.txt", "not a picture Tesserine reads"},
      {"broken.png", Path("broken.png") + ": "},
      {"folder.png", "not a file"},
      {"a=b.png", "the configuration file cannot hold a name that contains \"=\""},
  };
  for (const auto& refusal : refusals) {
    const TCommandRun refused = Command({"--set", refusal.file});
    EXPECT_EQ(refused.exitCode, 1) << refusal.file.toStdString();
    EXPECT_TRUE(refused.err.startsWith(Path(refusal.file) + ": ")) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(refusal.why)) << refused.err.toStdString();
    EXPECT_EQ(Ini(), ini) << refusal.file.toStdString() << " changed the file";
    EXPECT_EQ(RootPixel(), kBlue) << refusal.file.toStdString();
    EXPECT_EQ(Shown(), Path("blue.bmp")) << refusal.file.toStdString();
  }

  // Going back from a --set goes to the picture shown before it.
  EXPECT_EQ(Command({"--previous"}).exitCode, 0);
  EXPECT_EQ(RootPixel(), kYellow);
  ASSERT_EQ(Command({"--quit"}).exitCode, 0);
  ASSERT_TRUE(run_.Process().waitForFinished(20000));
  EXPECT_EQ(TProgramRun::Read(run_.Log()), "") << "a box was shown";
}

TEST_F(SetAddTest, TwoSetsAtOnceBothLand) {
  StartAgent();
  ASSERT_TRUE(WritePicture(Path("yellow.png"), kYellow));
  TwoSetsAtOnce("yellow.png", "red.bmp");
  const QString shown = Shown();
  ASSERT_TRUE(shown == Path("yellow.png") || shown == Path("red.bmp")) << shown.toStdString();
  EXPECT_EQ(RootPixel(), shown.endsWith("yellow.png") ? kYellow : kRed);
  const QByteArray ini = Ini();
  EXPECT_TRUE(ini.contains("LastImageNm=" + shown.toUtf8() + "\r\n")) << ini.constData();
  EXPECT_EQ(ini.count(Path("yellow.png").toUtf8() + "="), 1) << ini.constData();
}

TEST_F(SetAddTest, AddJoinsPicturesAndFoldersAndNamesWhatItRefuses) {
  StartAgent();
  ASSERT_TRUE(WritePicture(Path("yellow.png"), kYellow));
  ASSERT_TRUE(WritePicture(Path("white.bmp"), 0xFFFFFFFF));
  ASSERT_TRUE(QDir(Dir()).mkpath("album/inner"));
  ASSERT_TRUE(WritePicture(Path("album/top.png"), kGreen));
  ASSERT_TRUE(WritePicture(Path("album/inner/deep.png"), kBlue));
  ASSERT_TRUE(TProgramRun::Write(Path("notes.txt"), "not a picture"));

  const TCommandRun added =
      Command({"--add", "yellow.png", Path("white.bmp"), "red.bmp", "album/", "missing.png", "notes.txt"});
  EXPECT_EQ(added.exitCode, 1);
  EXPECT_EQ(added.err, Path("missing.png") + ": no such file\n" + Path("notes.txt") +
                           ": not a picture Tesserine reads (BMP, JPEG, GIF, PNG or WebP)\n");
  // In the file before the command returned, and nothing but the new lines.
  QByteArray ini = Ini();
  EXPECT_TRUE(ini.contains("\r\n" + Path("yellow.png").toUtf8() + "=TILE.NOT\r\n")) << ini.constData();
  EXPECT_TRUE(ini.contains("\r\n" + Path("white.bmp").toUtf8() + "=TILE.NOT\r\n")) << ini.constData();
  EXPECT_TRUE(ini.contains("[Folders]\r\n" + Path("album").toUtf8() + "=1\r\n")) << ini.constData();
  EXPECT_EQ(ini.count(Path("red.bmp").toUtf8() + "="), 1);
  EXPECT_FALSE(ini.contains("notes.txt"));
  EXPECT_FALSE(ini.contains("Display Order=")) << "the command saved the settings as a whole";

  // The same again doubles nothing and refuses nothing.
  EXPECT_EQ(Command({"--add", "yellow.png", "album"}).exitCode, 0);
  EXPECT_EQ(Ini().count(Path("yellow.png").toUtf8() + "="), 1);
  EXPECT_EQ(Ini().count(Path("album").toUtf8() + "="), 1);

  ASSERT_EQ(Command({"--quit"}).exitCode, 0);
  ASSERT_TRUE(run_.Process().waitForFinished(20000));
  ini = Ini();
  EXPECT_TRUE(ini.contains("[Folders]\r\n" + Path("album").toUtf8() + "=1\r\n")) << ini.constData();
  for (const char* name : {"red.bmp", "green.bmp", "blue.bmp", "yellow.png", "white.bmp"})
    EXPECT_EQ(ini.count("\r\n" + Path(name).toUtf8() + "="), 1) << name << "\n" << ini.constData();
  EXPECT_EQ(TProgramRun::Read(run_.Log()), "") << "a box was shown";
}

// With nothing running, each command is done by a run of its own that shows no window and
// starts no agent, and ends: the root shows the picture and the file holds what changed.
TEST_F(SetAddTest, WithNothingRunningACommandIsDoneAndTheRunEnds) {
  WriteConfig("Open Minimized=1\r\nTrigger Measure=DAYS\r\nTrigger Qty=1\r\nSortImages=0\r\nAutoClose=1\r\n",
              {{"red.bmp", kRed}, {"green.bmp", kGreen}, {"blue.bmp", kBlue}});
  ASSERT_TRUE(WritePicture(Path("yellow.png"), kYellow));
  const TCommandRun set = Command({"--set", "yellow.png"});
  EXPECT_EQ(set.exitCode, 0) << set.err.toStdString();
  EXPECT_EQ(RootPixel(), kYellow);
  EXPECT_EQ(Command({"--status"}).err, "Tesserine is not running\n") << "the run did not end";
  QByteArray ini = Ini();
  EXPECT_TRUE(ini.contains("\r\n" + Path("yellow.png").toUtf8() + "=TILE.NOT\r\n")) << ini.constData();
  EXPECT_TRUE(ini.contains("LastImageNm=" + Path("yellow.png").toUtf8() + "\r\n")) << ini.constData();
  // No Save: the settings the load set stay unwritten.
  EXPECT_FALSE(ini.contains("Display Order=")) << ini.constData();
  EXPECT_TRUE(ini.contains("AutoClose=1\r\n"));

  const TCommandRun refused = Command({"--set", "missing.png"});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.err, Path("missing.png") + ": no such file\n");
  EXPECT_EQ(Ini(), ini);

  // --next goes on from the picture shown, and --previous comes back to it.
  EXPECT_EQ(Command({"--next"}).exitCode, 0);
  EXPECT_EQ(RootPixel(), kRed);
  EXPECT_TRUE(Ini().contains("LastImageNm=" + Path("red.bmp").toUtf8() + "\r\n"));
  EXPECT_EQ(Command({"--previous"}).exitCode, 0);
  EXPECT_EQ(RootPixel(), kYellow);

  // A folder's pictures are in the file when the command returns, one written just before
  // it included.
  ASSERT_TRUE(QDir(Dir()).mkpath("album"));
  ASSERT_TRUE(WritePicture(Path("album/fresh.png"), kGreen));
  const TCommandRun added = Command({"--add", Path("green.bmp"), "album"});
  EXPECT_EQ(added.exitCode, 0) << added.err.toStdString();
  ini = Ini();
  EXPECT_TRUE(ini.contains("[Folders]\r\n" + Path("album").toUtf8() + "=1\r\n")) << ini.constData();
  EXPECT_TRUE(ini.contains("\r\n" + Path("album/fresh.png").toUtf8() + "=TILE.NOT\r\n")) << ini.constData();
  EXPECT_EQ(Command({"--status"}).err, "Tesserine is not running\n");
  EXPECT_EQ(TProgramRun::Read(run_.Log()), "") << "a box was shown";
}

// Two commands at once with nothing running: one runs, the other waits for it and runs after.
TEST_F(SetAddTest, TwoSetsAtOnceWithNothingRunningBothLand) {
  WriteConfig("Open Minimized=1\r\nTrigger Measure=DAYS\r\nTrigger Qty=1\r\nSortImages=0\r\n", {{"red.bmp", kRed}});
  ASSERT_TRUE(WritePicture(Path("yellow.png"), kYellow));
  ASSERT_TRUE(WritePicture(Path("blue.png"), kBlue));
  TwoSetsAtOnce("yellow.png", "blue.png");
  const QByteArray ini = Ini();
  EXPECT_TRUE(ini.contains("\r\n" + Path("yellow.png").toUtf8() + "=TILE.NOT\r\n")) << ini.constData();
  EXPECT_TRUE(ini.contains("\r\n" + Path("blue.png").toUtf8() + "=TILE.NOT\r\n")) << ini.constData();
  const QRgb shown = RootPixel();
  ASSERT_TRUE(shown == kYellow || shown == kBlue) << std::hex << shown;
  EXPECT_TRUE(ini.contains("LastImageNm=" + Path(shown == kYellow ? "yellow.png" : "blue.png").toUtf8() + "\r\n"))
      << ini.constData();
}

// "Open With": file names alone open the properties window with the pictures added and the
// agent stopped, in a new program or in the running one; the files refused are named in one
// box. The quit saves the additions with the window's other unsaved changes.
TEST_F(SetAddTest, FileNamesOpenTheWindowWithThePicturesAdded) {
  WriteConfig("Open Minimized=1\r\nTrigger Measure=DAYS\r\nTrigger Qty=1\r\nSortImages=0\r\n",
              {{"red.bmp", kRed}, {"green.bmp", kGreen}});
  ASSERT_TRUE(WritePicture(Path("yellow.png"), kYellow));
  ASSERT_TRUE(WritePicture(Path("white.bmp"), 0xFFFFFFFF));
  QProcess opened;
  opened.setProcessEnvironment(CommandEnvironment());
  opened.setWorkingDirectory(Dir());
  opened.setProcessChannelMode(QProcess::ForwardedChannels);
  opened.start(run_.Exe(), {"yellow.png", "missing.png"});
  ASSERT_TRUE(opened.waitForStarted());
  TCommandRun status;
  ASSERT_TRUE(TProgramRun::WaitFor(
      [&] {
        status = Command({"--status"});
        return status.exitCode == 0;
      },
      20000))
      << status.err.toStdString();
  EXPECT_TRUE(status.out.contains("agent: stopped\n")) << status.out.toStdString();
  ASSERT_TRUE(TProgramRun::WaitFor([&] { return TProgramRun::Read(run_.Log()).contains("missing.png"); }, 10000));
  const QByteArray boxes = TProgramRun::Read(run_.Log());
  EXPECT_TRUE(boxes.contains("These files were not added:")) << boxes.constData();
  EXPECT_TRUE(boxes.contains(Path("missing.png").toUtf8() + ": no such file")) << boxes.constData();
  EXPECT_FALSE(boxes.contains("yellow.png")) << boxes.constData();

  // The running program opens the next one, the window already shown.
  const TCommandRun again = Command({Path("white.bmp")});
  EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();
  EXPECT_FALSE(Ini().contains("white.bmp")) << "the additions were saved before the user saved";
  ASSERT_EQ(Command({"--quit"}).exitCode, 0);
  ASSERT_TRUE(opened.waitForFinished(20000));
  const QByteArray ini = Ini();
  for (const char* name : {"red.bmp", "green.bmp", "yellow.png", "white.bmp"})
    EXPECT_EQ(ini.count("\r\n" + Path(name).toUtf8() + "="), 1) << name << "\n" << ini.constData();
  EXPECT_FALSE(ini.contains("missing.png"));
}

TEST_F(SetAddTest, FileNamesStopTheRunningAgent) {
  StartAgent();
  ASSERT_TRUE(WritePicture(Path("yellow.png"), kYellow));
  const TCommandRun opened = Command({"yellow.png"});
  EXPECT_EQ(opened.exitCode, 0) << opened.err.toStdString();
  EXPECT_TRUE(Command({"--status"}).out.contains("agent: stopped\n"));
  ASSERT_EQ(Command({"--quit"}).exitCode, 0);
  ASSERT_TRUE(run_.Process().waitForFinished(20000));
  EXPECT_EQ(Ini().count("\r\n" + Path("yellow.png").toUtf8() + "="), 1) << Ini().constData();
  EXPECT_EQ(TProgramRun::Read(run_.Log()), "") << "a box was shown";
}

}  // namespace
