// The command program, run by the front end for --set, --add, --next and --previous when
// nothing runs: it loads no widgets (that is what makes it start sooner than the window
// program) and takes no other command.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>

namespace {

const QString kPrograms = TESSERINE_BINARY_DIR "/libexec/tesserine/";

// The shared libraries program names as needed, as readelf lists them.
QStringList NeededLibraries(const QString& program) {
  QProcess readelf;
  readelf.start("readelf", {"-d", program});
  if (!readelf.waitForFinished(20000) || readelf.exitCode() != 0) return {};
  QStringList needed;
  for (const QString& line : QString::fromUtf8(readelf.readAllStandardOutput()).split('\n'))
    if (line.contains("(NEEDED)")) needed << line.section('[', 1).section(']', 0, 0);
  return needed;
}

TEST(CommandProgram, LoadsQtGuiButNoWidgetsUnlikeTheWindowProgram) {
  const QStringList window = NeededLibraries(kPrograms + "tesserine");
  const QStringList command = NeededLibraries(kPrograms + "tesserine-command");
  ASSERT_TRUE(window.contains("libQt6Widgets.so.6")) << window.join(' ').toStdString();
  EXPECT_TRUE(command.contains("libQt6Gui.so.6")) << command.join(' ').toStdString();
  EXPECT_FALSE(command.contains("libQt6Widgets.so.6")) << command.join(' ').toStdString();
}

TEST(CommandProgram, RefusesEveryOtherCommandLine) {
  for (const QStringList& arguments : {QStringList{"--status"}, QStringList{}, QStringList{"--set"},
                                       QStringList{"--bogus"}, QStringList{"picture.jpg"}}) {
    QProcess program;
    program.start(kPrograms + "tesserine-command", arguments);
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitCode(), 2) << arguments.join(' ').toStdString();
    EXPECT_EQ(program.readAllStandardError(),
              "tesserine: the command program takes --set, --add, --next or --previous\n")
        << arguments.join(' ').toStdString();
  }
}

}  // namespace
