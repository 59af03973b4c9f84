// The shell completion files the build writes: bash completes through its function and
// compgen, and every file offers exactly the options the real program's --help lists, as
// the manual page describes them.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <set>

namespace {

const QString kFolder = TESSERINE_BINARY_DIR "/completions/";

QString Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

std::set<QString> Matches(const QString& text, const QString& pattern) {
  std::set<QString> found;
  for (const QRegularExpressionMatch& match : QRegularExpression(pattern).globalMatch(text))
    found.insert(match.captured(1));
  return found;
}

// What bash's completion offers for the words typed so far, the last being completed.
QStringList BashCompletes(const QStringList& words) {
  QString typed;
  for (const QString& word : words) typed += " '" + word + "'";
  const QString script = "source '" + kFolder + "tesserine' || exit 3\n" +
                         "[ \"$(complete -p tesserine)\" = 'complete -F _tesserine tesserine' ] || exit 4\n" +
                         "COMP_WORDS=(tesserine" + typed + ")\nCOMP_CWORD=" + QString::number(words.size()) +
                         "\n_tesserine\nprintf '%s\\n' \"${COMPREPLY[@]}\"\n";
  QProcess bash;
  bash.setWorkingDirectory(TESSERINE_TEST_DATA "/../app");
  bash.start("bash", {"--norc", "--noprofile", "-c", script});
  if (!bash.waitForFinished(10000) || bash.exitCode() != 0)
    return {"<bash failed " + QString::number(bash.exitCode()) + ">"};
  return QString::fromUtf8(bash.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

// The options the real program's --help lists, as "-h" and "--help".
std::set<QString> HelpOptions() {
  QProcess program;
  program.start(TESSERINE_BINARY_DIR "/bin/tesserine", {"--help"});
  if (!program.waitForFinished(20000)) return {};
  const QString help = QString::fromUtf8(program.readAllStandardOutput());
  std::set<QString> options;
  const QRegularExpression option(R"(^  (?:(-\w), )?(--[\w-]+) )", QRegularExpression::MultilineOption);
  for (const QRegularExpressionMatch& match : option.globalMatch(help)) {
    if (!match.captured(1).isEmpty()) options.insert(match.captured(1));
    options.insert(match.captured(2));
  }
  return options;
}

TEST(Completions, BashCompletesThroughItsFunction) {
  const struct {
    QStringList words;
    QStringList offered;
  } rows[] = {
      {{"--n"}, {"--next"}},
      {{"--to"}, {"--toggle-pause"}},
      {{"--re"}, {"--resume", "--remove-current"}},
      {{"--l"}, {"--login"}},
      {{"--x"}, {}},
      {{"--next", "--p"}, {}},
      // File names after --set (one) and --add (any number), and alone.
      {{"--set", "Compl"}, {"Completions_test.cpp"}},
      {{"--set", "x", "Compl"}, {}},
      {{"--add", "x", "y", "Compl"}, {"Completions_test.cpp"}},
      {{"--next", "Compl"}, {}},
      {{"Compl"}, {"Completions_test.cpp"}},
  };
  for (const auto& row : rows) EXPECT_EQ(BashCompletes(row.words), row.offered) << row.words.join(' ').toStdString();
}

TEST(Completions, EachShellOffersTheOptionsHelpLists) {
  const std::set<QString> help = HelpOptions();
  ASSERT_TRUE(help.count("--next") && help.count("-h") && help.count("--login")) << help.size();

  QStringList all = BashCompletes({""});
  EXPECT_EQ(std::set<QString>(all.begin(), all.end()), help) << "bash";

  const QString zsh = Read(kFolder + "_tesserine");
  ASSERT_TRUE(zsh.startsWith("#compdef tesserine\n"));
  std::set<QString> zshOptions = Matches(zsh, R"('\(- \*\)'(--[\w-]+)'\[)");
  for (const QRegularExpressionMatch& pair : QRegularExpression(R"(\{(-\w),(--[\w-]+)\})").globalMatch(zsh))
    zshOptions.insert({pair.captured(1), pair.captured(2)});
  EXPECT_EQ(zshOptions, help) << "zsh";

  const QString fish = Read(kFolder + "tesserine.fish");
  std::set<QString> fishOptions;
  for (const QString& line : fish.split('\n')) {
    if (!line.startsWith("complete -c tesserine ")) continue;
    for (const QString& name : Matches(line, R"( -l ([\w-]+))")) fishOptions.insert("--" + name);
    for (const QString& name : Matches(line, R"( -s (\w))")) fishOptions.insert("-" + name);
  }
  EXPECT_EQ(fishOptions, help) << "fish";
}

TEST(Completions, TheManualPageDescribesTheOptionsHelpLists) {
  const QString page = Read(TESSERINE_TEST_DATA "/../../data/tesserine.1");
  const qsizetype start = page.indexOf("\n.SH OPTIONS\n");
  ASSERT_GE(start, 0);
  const QString options = page.mid(start, page.indexOf("\n.SH ", start + 1) - start);
  std::set<QString> described;
  for (QString line : options.split('\n')) {
    if (!line.startsWith(".B ") && !line.startsWith(".BR ")) continue;
    line.replace("\\-", "-");
    for (const QString& name : Matches(line, R"((--[\w-]+|-\w)\b)")) described.insert(name);
  }
  EXPECT_EQ(described, HelpOptions());
}

}  // namespace
